#include "make/gravik/report.h"

#include <cstdarg>
#include <cstdlib>

namespace gravik {

gravik_settings settings;
int error_count;

static fatal_end_fn fatal_end;

void report_reset(void)
{
    settings = gravik_settings();
    error_count = 0;
    diag_close_error_out();
    fatal_end = nullptr;
}

FILE* err_stream(void)
{
    return diag_stream();
}

void err_write(const std::string& text)
{
    std::fflush(stdout);
    std::fputs(text.c_str(), err_stream());
    std::fflush(err_stream());
}

bool err_file_in_use(void)
{
    return settings.error_file_mode != 0;
}

bool err_file_open(void)
{
    return diag_open_error_out(false) != nullptr;
}

void err_file_close(void)
{
    diag_close_error_out();
}

bool err_file_reopen(void)
{
    return diag_error_out_open() || diag_open_error_out(true) != nullptr;
}

static void put_message(const char* prefix, const char* format, va_list args)
{
    std::fflush(stdout);
    FILE* f = err_stream();
    std::fputs(prefix, f);
    std::vfprintf(f, format, args);
    std::fputc('\n', f);
    std::fflush(f);
}

void msg_fatal(const char* format, ...)
{
    std::fflush(stdout);
    va_list args;
    va_start(args, format);
    put_message("Gravik: Fatal Error: ", format, args);
    va_end(args);
    ++error_count;
    int code = 1;
    if (fatal_end) {
        fatal_end_fn fn = fatal_end;
        fatal_end = nullptr; // a fatal message inside the handler ends at once
        code = fn();
    }
    diag_exit(code);
}

void msg_error(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    put_message("Gravik: Error: ", format, args);
    va_end(args);
    ++error_count;
}

void msg_warning(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    put_message("Gravik: Warning: ", format, args);
    va_end(args);
}

void report_set_fatal_end(fatal_end_fn fn)
{
    fatal_end = fn;
}

} // namespace gravik
