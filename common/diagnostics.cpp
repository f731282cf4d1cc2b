#include "common/diagnostics.h"

#include <cstdlib>

static diag_exit_hook exit_hook;
static FILE* error_out;
static FILE* default_stream;

void diag_set_exit_hook(diag_exit_hook hook) { exit_hook = hook; }

void diag_exit(int code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    if (error_out)
        std::fflush(error_out);
    if (exit_hook)
        exit_hook(code);
    std::exit(code);
}

FILE* diag_open_error_out(bool append)
{
    FILE* f = std::fopen("error.out", append ? "a" : "w");
    if (!f)
        return nullptr;
    if (error_out)
        std::fclose(error_out);
    error_out = f;
    return f;
}

void diag_close_error_out(void)
{
    if (error_out)
        std::fclose(error_out);
    error_out = nullptr;
}

bool diag_error_out_open(void) { return error_out != nullptr; }

FILE* diag_stream(void)
{
    if (error_out)
        return error_out;
    return default_stream ? default_stream : stderr;
}

void diag_set_default_stream(FILE* stream) { default_stream = stream; }
