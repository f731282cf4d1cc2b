#include "common/report_error.h"

#include <cstdarg>
#include <cstdio>

std::string report_error_title(int code)
{
    char title[64];
    if (code < 0)
        std::snprintf(title, sizeof title, "Fatal Error (Code %d)", code);
    else
        // The separator is a blank for a non-zero code; for code 0 it is the
        // end of the text, so the title reads just "Error".
        std::snprintf(title, sizeof title, "Error%c(Code %d)", code ? ' ' : '\0', code);
    return title;
}

static std::string format_text(const char* format, va_list args)
{
    char text[252];
    std::vsnprintf(text, sizeof text, format, args);
    return text;
}

std::string report_error_text(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    return text;
}

// Shows the box; implemented per platform.
int report_error_show(int code, const std::string& title, const std::string& text);

int report_error(int code, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = format_text(format, args);
    va_end(args);
    return report_error_show(code, report_error_title(code), text);
}
