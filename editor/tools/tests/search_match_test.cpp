#include "editor/tools/search_match.h"
#include "editor/tools/search_request.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Offset of the first hit at or after from, -1 when none.
int Find(const std::string& data, const std::string& text, uint32_t flags, size_t from = 0)
{
    const char* begin = data.c_str();
    const char* hit = FindSearchText(begin + from, begin, begin + data.size(), text.data(), text.size(), flags);
    return hit ? static_cast<int>(hit - begin) : -1;
}

} // namespace

TEST(SearchMatch, TableOfCases)
{
    struct Case {
        const char* data;
        const char* text;
        uint32_t flags;
        int expected;
    } cases[] = {
        {"int x;", "int", 0, 0},                          // the first byte of the data
        {"PRINT int", "print", 0, 0},                     // case-blind by default
        {"PRINT int", "print", kSearchMatchCase, -1},
        {"Print print", "print", kSearchMatchCase, 6},
        {"xINT", "int", 0, 1},
        {"print(int)", "int", kSearchWholeWords, 6},      // not inside print, found between parentheses
        {"int_x int", "int", kSearchWholeWords, 6},       // not before an underscore
        {"int_x", "int", kSearchWholeWords, -1},
        {"a[1]", "[1]", 0, 1},                            // not letters: the byte itself
        {"A1 a1", "a1", kSearchMatchCase, 3},
        {"@1 `1", "`1", 0, 3},                            // bit 0x20 only counts for letters
        {"// int\nint", "int", kSearchSkipComments, 7},   // line comment passed over
        {"/* int */ int", "int", kSearchSkipComments, 10},
        {"/* int */ int", "int", 0, 3},
        {"\"// \" int", "int", kSearchSkipComments, 6},   // "//" in a string opens nothing
        {"in", "int", 0, -1},                             // never past the end
        {"", "x", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(c.data, c.text, c.flags), c.expected) << c.data << " / " << c.text;
}

TEST(SearchMatch, RejectedWholeWordIsSkippedWhole)
{
    // "aa" inside "aaa" is rejected; the search goes on behind it, so the
    // overlapping candidate at 1 is not tried and the word at 4 is found.
    EXPECT_EQ(Find("aaa aa", "aa", kSearchWholeWords), 4);
    EXPECT_EQ(Find("xx int", "int", kSearchWholeWords, 3), 3);
}

TEST(SearchMatch, LineCounterCountsLineFeedsAndColumnsFromAnyLineEnd)
{
    const std::string data = "ab\ncd\r\nef\rgh";
    CLineCounter counter;
    counter.Reset(data.c_str());
    struct {
        size_t pos;
        int line, column;
    } steps[] = {{0, 1, 1}, {4, 2, 2}, {7, 3, 1}, {11, 3, 2}, {1, 1, 2} /* backwards: counted again */};
    for (const auto& s : steps) {
        int line = 0, column = 0;
        counter.Locate(data.c_str() + s.pos, &line, &column);
        EXPECT_EQ(line, s.line) << s.pos;
        EXPECT_EQ(column, s.column) << s.pos;
    }
}
