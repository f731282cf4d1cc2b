#include "asm/messages.h"

#include "asm/sources.h"
#include "common/speicher.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

namespace morrin {

int32_t asm_error_count;
int32_t asm_warning_count;

static int32_t pos_file, pos_line;
static int32_t last_file = -1, last_line = -1;
static const char* line_text;
static std::string* capture;

void asm_set_position(int32_t file_index, int32_t line)
{
    pos_file = file_index;
    pos_line = line;
}

void asm_forget_last_position(void)
{
    last_file = -1;
    last_line = -1;
}

int32_t asm_position_file(void) { return pos_file; }
int32_t asm_position_line(void) { return pos_line; }
void asm_set_line_text(const char* text) { line_text = text; }
const char* asm_line_text(void) { return line_text; }

void asm_set_capture(std::string* c) { capture = c; }

void asm_write_error_stream(const char* text)
{
    if (capture) {
        capture->append(text);
        return;
    }
    FILE* f = diag_stream();
    std::fputs(text, f);
    std::fflush(f);
}


void messages_reset(void)
{
    asm_error_count = 0;
    asm_warning_count = 0;
    pos_file = pos_line = 0;
    last_file = last_line = -1;
    line_text = nullptr;
    diag_close_error_out();
}

static std::string vformat(const char* format, va_list ap)
{
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    std::string s(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&s[0], s.size(), format, ap);
    s.resize(static_cast<size_t>(n));
    // A "%c" of a missing character yields a NUL, which would cut the
    // message line (and its line feed) short.
    s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
    return s;
}

// The message form: position prefix once per line, level, text, excerpt.
static void report(int level, const std::string& text, bool excerpt)
{
    std::string out;
    if (pos_line > 0 && pos_file > 0) {
        if (pos_file == last_file && pos_line == last_line) {
            if (level < 0)
                diag_exit(2);
            return;
        }
        const char* name = source_file_name(pos_file);
        out += name ? name : "";
        out += ' ';
        out += std::to_string(pos_line);
        out += ": ";
        last_file = pos_file;
        last_line = pos_line;
    }
    if (level > 0) {
        out += "Error: ";
        asm_error_count++;
    } else if (level == 0) {
        out += "Warning: ";
        asm_warning_count++;
    } else {
        out += "Error: ";
    }
    out += text;
    if (excerpt && line_text) {
        const char* p = line_text;
        while (*p == ' ' || *p == '\t' || *p == '\f')
            p++;
        size_t len = 0;
        while (p[len] && p[len] != '\n')
            len++;
        out += " ('";
        if (len > 20) {
            out.append(p, 20);
            out += "... ";
        } else {
            out.append(p, len);
        }
        out += "')";
    }
    out += '\n';
    asm_write_error_stream(out.c_str());
    if (level < 0)
        diag_exit(2);
    if (asm_error_count >= 16 || asm_warning_count >= 16) {
        asm_write_error_stream("Error: too many errors or warnings\n");
        diag_exit(2);
    }
}

void asm_message(int level, const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::string text = vformat(format, ap);
    va_end(ap);
    report(level, text, true);
}

void asm_message_plain(int level, const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::string text = vformat(format, ap);
    va_end(ap);
    report(level, text, false);
}

void asm_message_text(int level, const char* text)
{
    report(level, text, false);
}

static void out_of_memory(void)
{
    asm_message(MSG_FATAL, "out of memory");
    diag_exit(2);
}

void asm_install_memory_reporter(void)
{
    speicher_set_fatal(out_of_memory);
    // Blocks the standard library takes for itself (the source text read
    // whole, strings, tables) end the run the same way when the heap is
    // exhausted, instead of with an uncaught exception.
    std::set_new_handler(out_of_memory);
}

} // namespace morrin
