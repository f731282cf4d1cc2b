#include "linker/messages.h"

#include "linker/lineio.h"

#include "common/speicher.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace tessel {

int error_count;
int warning_count;
object_module* current_object;
const char* current_object_name = "";
const char* current_position;

static void vreport(int level, const char* format, va_list args)
{
    FILE* out = diag_stream();
    std::fputs(level > 0 || level < 0 ? "Error: " : "Warning: ", out);
    std::vfprintf(out, format, args);
    std::fputc('\n', out);
    if (level < 0) {
        out_discard_all();
        diag_exit(-2 * level);
    }
    if (level > 0)
        ++error_count;
    else
        ++warning_count;
    if (error_count >= 8 || warning_count >= 128) {
        std::fputs("Error: too many errors or warnings\n", out);
        out_discard_all();
        diag_exit(2);
    }
}

void report(int level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vreport(level, format, args);
    va_end(args);
}

void fatal(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vreport(-1, format, args);
    va_end(args);
    diag_exit(2);
}

void corrupt_line(const char* text)
{
    fatal("%s: corrupt line: '%s'", current_object_name, text);
}

void internal_stop(void)
{
    if (error_count || warning_count)
        fatal("unable to continue\n");
    fatal("unexpected condition - unable to continue\n");
}

static void out_of_memory(void)
{
    fatal("out of memory");
}

void messages_install_allocator(void)
{
    speicher_set_fatal(out_of_memory);
}

void messages_reset(void)
{
    diag_close_error_out();
    error_count = 0;
    warning_count = 0;
    current_object = nullptr;
    current_object_name = "";
    current_position = nullptr;
}

} // namespace tessel
