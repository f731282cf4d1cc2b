// Without a window system the box becomes a line on standard error.
#include "common/report_error.h"

#include <cstdio>
#include <unistd.h>

int report_error_show(int code, const std::string& title, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    if (code < 0)
        _exit(code);
    return 1; // IDOK
}
