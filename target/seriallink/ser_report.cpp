// Reports of the reader thread: handed to the program's window, or shown.
#include "target/seriallink/ser_report.h"

#include <cstdarg>
#include <cstdio>

std::atomic<SerReportPoster> ser_report_poster{nullptr};

void ser_report(int code, const char* format, ...)
{
    char text[252];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SerReportPoster poster = ser_report_poster;
    if (poster)
        poster(code, text);
    else
        report_error(code, "%s", text);
}
