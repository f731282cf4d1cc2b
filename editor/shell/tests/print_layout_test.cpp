// Page layout of printed documents: pages by count and by form feed, line
// ranges, the banner's page text and the line numbers' width.
#include "editor/shell/print_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Span {
    int first, last;
    bool final;
};

std::vector<Span> Pages(int lines, int perPage, int from, int to, const std::set<int>& formFeeds)
{
    std::vector<Span> out;
    auto ff = [&](int line) { return formFeeds.count(line) != 0; };
    for (int page = 1; page < 100; ++page) {
        PrintPage p = LayOutPrintPage(lines, perPage, from, to, page, ff);
        if (p.Empty())
            break;
        out.push_back({p.first, p.last, p.final});
        if (p.final)
            break;
    }
    return out;
}

TEST(PrintLayout, PagesByCountRangeAndFormFeed)
{
    struct Case {
        const char* what;
        int lines, perPage, from, to;
        std::set<int> formFeeds;
        std::vector<Span> pages;
    } cases[] = {
        {"whole text", 45, 20, -1, -1, {}, {{0, 19, false}, {20, 39, false}, {40, 44, true}}},
        {"exactly one page", 20, 20, -1, -1, {}, {{0, 19, true}}},
        {"range 5 to 30", 100, 20, 5, 30, {}, {{4, 23, false}, {24, 29, true}}},
        {"range past the end", 10, 20, 5, 30, {}, {{4, 9, true}}},
        // A form feed ends its page after its line; the next page starts
        // behind it, so the later pages move.
        {"form feed", 50, 20, -1, -1, {7}, {{0, 7, false}, {8, 27, false}, {28, 47, false}, {48, 49, true}}},
        {"form feed on a page's first line", 30, 20, -1, -1, {0, 20},
         {{0, 19, false}, {20, 29, true}}},
        // In a range the form feed moves the later pages too: no line
        // between it and the page's nominal end is skipped.
        {"form feed in a range", 100, 20, 5, 30, {10}, {{4, 10, false}, {11, 29, true}}},
        {"empty text", 0, 20, -1, -1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Span> got = Pages(c.lines, c.perPage, c.from, c.to, c.formFeeds);
        ASSERT_EQ(got.size(), c.pages.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].first, c.pages[i].first) << "page " << i + 1;
            EXPECT_EQ(got[i].last, c.pages[i].last) << "page " << i + 1;
            EXPECT_EQ(got[i].final, c.pages[i].final) << "page " << i + 1;
        }
    }
}

TEST(PrintLayout, BannerAndLineNumbers)
{
    EXPECT_EQ(PrintPageText(3, -1, -1), "  - 3 -");
    EXPECT_EQ(PrintPageText(1, 5, 30), "Line 5 to 30 ,  - 1 -");
    EXPECT_EQ(PrintLineNumber(7, 30), "07 ");
    EXPECT_EQ(PrintLineNumber(7, 100), "007 ");
    EXPECT_EQ(PrintLineNumber(12345, 12345), "12345 ");
    EXPECT_EQ(PrintedLineText("a\tb\x01\x01" "c", false, false), "a b  c");
    EXPECT_EQ(PrintedLineText("a\tb", false, true), "a\tb");
    EXPECT_EQ(PrintedLineText("before\x0c" "after", true, false), "after");
}

} // namespace
