// How a document is laid out on printed pages: which lines each page
// holds, the banner's page text and the width of the line numbers. The
// window side draws what this decides.
#pragma once

#include <functional>
#include <string>

// The print options of section [Print].
struct PrintOptions {
    int pageNo = 0;        // "Print page number"
    int lineNo = 0;        // "Print line numbers"
    int fileTitle = 0;     // "Print file name"
    int bannerTop = 1;     // banner at the top (1) or the bottom (0)
    int actDate = 0;       // "Print current date"
    int printBW = 1;       // "Print B/W"
    int compressLines = 0; // "Print lines close together"

    // A banner is printed when any of its three parts is on.
    bool HasBanner() const { return pageNo || fileTitle || actDate; }
};

// The lines of one page, 0-based and inclusive; last is the final line of
// the whole printout.
struct PrintPage {
    int first = 0;
    int last = -1;
    bool final = true;
    bool Empty() const { return last < first; }
};

// Lays out page `page` (1-based): pages run from the text start, or from
// line `from` (1-based) to line `to` when a range is set (from > 0), each
// ending after linesPerPage lines or at a line after its first that holds
// a form feed, whichever comes first. A page beyond the end is empty.
PrintPage LayOutPrintPage(int lineCount, int linesPerPage, int from, int to, int page,
                          const std::function<bool(int line)>& hasFormFeed);

// The banner's page text: "  - 3 -", or with a range
// "Line 5 to 30 ,  - 3 -".
std::string PrintPageText(int page, int from, int to);

// The printed line number with its blank, zero-padded to the digits that
// the last line number to print needs ("07 ", "007 ", ...).
std::string PrintLineNumber(int number, int lastNumber);

// The part of a line that is printed: with a form feed that ends the page
// only the text after it; tabs and tab fill bytes as blanks unless tabs
// are shown.
std::string PrintedLineText(const std::string& line, bool afterFormFeed, bool showTabs);
