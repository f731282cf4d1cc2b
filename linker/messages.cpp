#include "messages.h"

#include "model.h"
#include "common/speicher.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

FILE* error_stream;
int error_count;
int warning_count;
object_module* current_object;
const char* current_object_name = "";
const char* current_position;
void (*link_exit_hook)(int code);

static FILE* error_file;

void link_exit(int code)
{
    if (error_stream)
        std::fflush(error_stream);
    std::fflush(stdout);
    if (link_exit_hook)
        link_exit_hook(code);
    std::exit(code);
}

static void vreport(int level, const char* format, va_list args)
{
    FILE* out = error_stream ? error_stream : stderr;
    std::fputs(level > 0 || level < 0 ? "Error: " : "Warning: ", out);
    std::vfprintf(out, format, args);
    std::fputc('\n', out);
    if (level < 0)
        link_exit(-2 * level);
    if (level > 0)
        ++error_count;
    else
        ++warning_count;
    if (error_count >= 8 || warning_count >= 128) {
        std::fputs("Error: too many errors or warnings\n", out);
        link_exit(2);
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
    link_exit(2);
}

void corrupt_line(const char* text)
{
    fatal("%s: corrupt line: '%s'", current_object_name, text);
}

void ref_report(int level, const char* format, ...)
{
    char text[200];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    // The position must be "#index:line", both hexadecimal.
    const char* p = current_position ? current_position : "";
    char* end = nullptr;
    if (*p != '#' || !std::strchr("0123456789abcdefABCDEF", p[1]) || p[1] == 0)
        corrupt_line(p);
    unsigned long index = std::strtoul(p + 1, &end, 16);
    if (*end != ':' || !end[1] || !std::strchr("0123456789abcdefABCDEF", end[1]))
        corrupt_line(p);
    unsigned long line = std::strtoul(end + 1, &end, 16);
    if (*end != 0 && *end != ' ')
        corrupt_line(p);

    object_module* obj = current_object;
    if (!obj || index >= obj->sources.size())
        internal_stop();
    const char* source = obj->sources[index]->entry->name.c_str();
    if (obj->library)
        report(level, "%s %d: (in %s): %s", source, static_cast<int>(line),
               obj->library->entry->name.c_str(), text);
    else
        report(level, "%s %d: %s", source, static_cast<int>(line), text);
}

void internal_stop(void)
{
    if (error_count || warning_count)
        fatal("unable to continue\n");
    fatal("unexpected condition - unable to continue\n");
}

bool messages_open_error_file(void)
{
    FILE* f = std::fopen("error.out", "a");
    if (!f)
        return false;
    if (error_file)
        std::fclose(error_file);
    error_file = f;
    error_stream = f;
    return true;
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
    if (error_file)
        std::fclose(error_file);
    error_file = nullptr;
    error_stream = stderr;
    error_count = 0;
    warning_count = 0;
    current_object = nullptr;
    current_object_name = "";
    current_position = nullptr;
}
