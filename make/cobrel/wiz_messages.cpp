#include "make/cobrel/wiz_messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

static std::string format_list(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string wiz_format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_list(format, args);
    va_end(args);
    return text;
}

void wiz_messages::fatal_box(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_list(format, args);
    va_end(args);
    fatal_shown_ = true;
    sink_.show(WIZ_FATAL, "Fatal Error", text);
}

void wiz_messages::error_box(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_list(format, args);
    va_end(args);
    sink_.show(WIZ_ERROR, "Error", text);
    if (++error_count_ == wiz_error_limit)
        fatal_box("Too many errors");
}

void wiz_messages::warning_box(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_list(format, args);
    va_end(args);
    sink_.show(WIZ_WARNING, "Warning", text);
}

void wiz_messages::info_box(const std::string& title, const std::string& text)
{
    sink_.show(WIZ_INFO, title, text);
}

bool wiz_messages::ask_box(const std::string& title, const std::string& text)
{
    return sink_.ask(title, text);
}
