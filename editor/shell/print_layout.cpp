#include "editor/shell/print_layout.h"

#include "editor/shell/shell_text.h"

#include <cstdio>

namespace {
const char kFormFeed = 12;
const char kTab = 9;
const char kTabFill = 1;
} // namespace

PrintPage LayOutPrintPage(int lineCount, int linesPerPage, int from, int to, int page,
                          const std::function<bool(int line)>& hasFormFeed)
{
    PrintPage out;
    if (linesPerPage < 1)
        linesPerPage = 1;
    bool ranged = from > 0;
    int start = ranged ? from - 1 : 0;
    // The line after the last one to print.
    int stop = ranged && to > 0 && to < lineCount ? to : lineCount;
    // Every page is laid out from the start, so that a form feed on an
    // earlier page moves the later ones: a range's pages follow the same
    // rule, and no line between a form feed and the page's nominal end is
    // skipped.
    for (int p = 1; p <= page; ++p) {
        if (start >= stop) {
            out.first = start;
            out.last = start - 1;
            out.final = true;
            return out;
        }
        int end = start; // inclusive
        for (;;) {
            if (end > start && hasFormFeed(end))
                break;
            if (end + 1 >= stop || end + 1 >= start + linesPerPage)
                break;
            ++end;
        }
        out.first = start;
        out.last = end;
        out.final = end + 1 >= stop;
        start = end + 1;
    }
    return out;
}

std::string PrintPageText(int page, int from, int to)
{
    char text[96];
    if (from > 0)
        std::snprintf(text, sizeof text, "Line %d to %d ,  - %d -", from, to, page);
    else
        std::snprintf(text, sizeof text, "  - %d -", page);
    return text;
}

std::string PrintLineNumber(int number, int lastNumber)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*d ", MarginDigits(lastNumber), number);
    return text;
}

std::string PrintedLineText(const std::string& line, bool afterFormFeed, bool showTabs)
{
    std::string text = line;
    if (afterFormFeed) {
        size_t ff = text.find(kFormFeed);
        if (ff != std::string::npos)
            text.erase(0, ff + 1);
    }
    if (!showTabs)
        for (char& c : text)
            if (c == kTab || c == kTabFill)
                c = ' ';
    return text;
}
