// The clean-up of copied source texts and the line numbers of positions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/symbols/text_cleanup.h"

namespace {

struct Clean {
    const char* in;
    const char* out;
};

TEST(BlankControlChars, BlanksAndCollapses)
{
    const Clean cases[] = {
        {"static int\r\n  foo(int a,\r\tchar c)", "static int foo(int a, char c)"},
        {"a\x01\x01\x02 b", "a b"},
        {"  lead", " lead"},
        {"\xe4\xf6 x", "\xe4\xf6 x"}, // bytes above 127 are text
        {"", ""},
    };
    for (const Clean& c : cases) {
        std::string s = c.in;
        BlankControlChars(s);
        EXPECT_EQ(s, c.out) << c.in;
    }
}

TEST(StripComments, RemovesCommentsKeepingLines)
{
    const Clean cases[] = {
        {"a, // first\r\nb", "a, \r\nb"},
        {"a // to the end", "a "},
        {"a /* x\r\ny\r\n */ b", "a \r\n\r\n b"},
        {"a /* x\ny */b", "a \nb"},
        {"x = \"/* not */\", y", "x = \"/* not */\", y"},
        {"s = \"a//b\"; // c", "s = \"a//b\"; "},
        {"c = '\"'; /* q */ d", "c = '\"';  d"},
        {"e = \"\\\"/*\"; f", "e = \"\\\"/*\"; f"},
        // A line comment mark inside a block comment ends nothing.
        {"a /* b // c */ d", "a  d"},
        {"a /* open", "a /* open"},
        {"/**/x/**/", "x"},
    };
    for (const Clean& c : cases) {
        std::string s = c.in;
        StripComments(s);
        EXPECT_EQ(s, c.out) << c.in;
    }
}

TEST(StripChar, RemovesEveryOccurrence)
{
    std::string s = "a\r\nb\n\nc";
    StripChar(s, '\n');
    EXPECT_EQ(s, "a\rbc");
}

TEST(LineFromTextOffset, CountsCrOrLf)
{
    const std::string cr = "a\rb\r\r c";
    EXPECT_EQ(LineFromTextOffset(cr.c_str(), cr.size(), 0), 0);
    EXPECT_EQ(LineFromTextOffset(cr.c_str(), cr.size(), 1), 0); // the CR belongs to its line
    EXPECT_EQ(LineFromTextOffset(cr.c_str(), cr.size(), 2), 1);
    EXPECT_EQ(LineFromTextOffset(cr.c_str(), cr.size(), 6), 3);
    EXPECT_EQ(LineFromTextOffset(cr.c_str(), cr.size(), 99), 3);
    const std::string lf = "a\nb\nc";
    EXPECT_EQ(LineFromTextOffset(lf.c_str(), lf.size(), 4), 2);
    // In a text with CRs an LF is no line end of its own.
    const std::string crlf = "a\r\nb\nc";
    EXPECT_EQ(LineFromTextOffset(crlf.c_str(), crlf.size(), 5), 1);
}

TEST(LineCounter, AgreesWithLineFromTextOffsetInAnyOrder)
{
    std::string text;
    std::srand(7);
    for (int i = 0; i < 5000; ++i)
        text += (std::rand() % 5 == 0) ? '\r' : 'x';
    CTextLineCounter counter(text.c_str(), text.size());
    for (int i = 0; i < 2000; ++i) {
        size_t off = static_cast<size_t>(std::rand()) % (text.size() + 1);
        ASSERT_EQ(counter.LineOf(off), LineFromTextOffset(text.c_str(), text.size(), off)) << off;
    }
}

} // namespace
