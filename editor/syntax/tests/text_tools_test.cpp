// Case keeping, number classes, matching preprocessor conditionals, file
// reading for insertion, indenting inserted text, text macro placeholders.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "editor/syntax/text_macro.h"
#include "editor/syntax/text_tools.h"

namespace {

TEST(CaseKeepingTest, MatchLetterCase)
{
    std::string t = "hello";
    EXPECT_EQ(MatchLetterCase(t, "WORLD"), 1);
    EXPECT_EQ(t, "HELLO");
    t = "a1b2c";
    EXPECT_EQ(MatchLetterCase(t, "X-y"), 0); // the model ended first
    EXPECT_EQ(t, "A1b2c");
    t = "ab";
    EXPECT_EQ(MatchLetterCase(t, "xYz"), 1);
    EXPECT_EQ(t, "aB");
}

TEST(CaseKeepingTest, AllUpperAllLower)
{
    EXPECT_TRUE(IsAllLower("abc"));
    EXPECT_TRUE(IsAllLower("a"));
    EXPECT_FALSE(IsAllUpper("a"));
    EXPECT_TRUE(IsAllUpper("ABC_1"));
    EXPECT_FALSE(IsAllLower("ABC"));
    EXPECT_TRUE(IsAllUpper("12 -"));
    EXPECT_TRUE(IsAllLower("12 -"));
}

TEST(NumberTest, Classes)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"0x1F", 2}, {"0XfF", 2}, {"123", 1}, {"-42", 1}, {"  7  ", 1}, {"1a2B", 3}, {"ff", 3},
        {"12 34", 0}, {"0xZZ", 0}, {"0x", 0}, {"12g", 0}, {"", 0}, {"\x01\t-0x10 ", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyNumber(c.text), c.expected) << c.text;
}

const char kConditionals[] = "#ifdef A\r"       // 0
                             "x\r"              // 9
                             "  #if B\r"        // 11
                             "y\r"              // 19
                             "  #else\r"        // 21
                             "z\r"              // 29
                             "  #endif\r"       // 31
                             "/* #endif */\r"   // 40
                             "s = \"#else\";\r" // 53
                             "#else\r"          // 66
                             "w\r"              // 72
                             "#endif\r";        // 74

TEST(DirectiveTest, MatchingConditionals)
{
    const std::string t = kConditionals;
    const int len = static_cast<int>(t.size());
    // From the outer #ifdef the inner pair is skipped, as are the directives
    // in a comment and a string.
    EXPECT_EQ(FindMatchingDirective(0, t.c_str(), len, "endif", 1), 75);
    EXPECT_EQ(FindMatchingDirective(0, t.c_str(), len, "else", 1), 67);
    EXPECT_EQ(FindMatchingDirective(11, t.c_str(), len, "else", 1), 24);
    EXPECT_EQ(FindMatchingDirective(11, t.c_str(), len, "endif", 1), 34);
    // Backwards from the outer #endif to its #ifdef.
    EXPECT_EQ(FindMatchingDirective(74, t.c_str(), len, "if", -1), 1);
    EXPECT_EQ(FindMatchingDirective(31, t.c_str(), len, "if", -1), 14);
    // Not on a directive line.
    EXPECT_EQ(FindMatchingDirective(9, t.c_str(), len, "endif", 1), -1);
    // No partner.
    const char* open = "#if X\rx\r";
    EXPECT_EQ(FindMatchingDirective(0, open, 8, "endif", 1), -1);
}

TEST(ReadFileTest, LinesEndWithCr)
{
    const std::string path = std::string(SYNTAX_TMP_DIR) + "_insert.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "a\r\nb\nc";
    }
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, text));
    EXPECT_EQ(text, "a\rb\rc\r");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
    }
    EXPECT_FALSE(ReadTextFile(path, text));
    EXPECT_FALSE(ReadTextFile(path + ".missing", text));
}

TEST(WordTest, IdentifierAtOffset)
{
    const std::string t = "x = my_var2+1;";
    int start = -1;
    std::string word;
    EXPECT_EQ(WordAtOffset(t.c_str(), static_cast<int>(t.size()), 6, start, word), 7);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(word, "my_var2");
    EXPECT_EQ(WordAtOffset(t.c_str(), static_cast<int>(t.size()), 11, start, word), -1);
    EXPECT_EQ(WordAtOffset(t.c_str(), static_cast<int>(t.size()), 14, start, word), -1);
}

TEST(IndentTest, ContinuationLines)
{
    std::string t = "a\rb\x02" "c\rd";
    IndentTextLines(t, 2);
    EXPECT_EQ(t, "a\r  b\x02" "c\r  d");
    t = "a\x02" "b";
    IndentTextLines(t, 1, true);
    EXPECT_EQ(t, "a\x02 b");
}

class MacroTest : public ::testing::Test {
protected:
    MacroTest()
    {
        c.now.tm_year = 105; // 2005
        c.now.tm_mon = 2;    // March
        c.now.tm_mday = 7;
        c.now.tm_wday = 1;   // Monday
        c.now.tm_hour = 9;
        c.now.tm_min = 5;
        c.title = "main.c *";
        c.path = "C:\\src\\main.c";
        c.haveUser = true;
        c.user = "ann";
        c.workspace = "C:\\work\\robot.v1.wsp";
    }
    std::string Expand(std::string t)
    {
        ExpandTextMacro(t, c);
        return t;
    }
    TextMacroContext c;
};

TEST_F(MacroTest, DatesTimeAndWeekdays)
{
    EXPECT_EQ(Expand("$dd $de $t"), "07.03.05 03/07/05 09:05");
    EXPECT_EQ(Expand("[$wd][$we]"), "[Mo ][Mo ]");
    c.now.tm_wday = 3;
    EXPECT_EQ(Expand("$wd$we"), "Mi We ");
    c.now.tm_year = 99;
    EXPECT_EQ(Expand("$dd"), "07.03.99");
    std::string out = "keep";
    InsertWeekdayText(out, c.now, 3);
    EXPECT_EQ(out, "keep");
    EXPECT_EQ(InsertDateText(out, c.now, 5), 0);
}

TEST_F(MacroTest, NamesKeepTheirColumn)
{
    // Enough blanks: the text behind them stays in its column.
    EXPECT_EQ(Expand("File: $FILE          |"), "File: main.c         |");
    EXPECT_EQ(Expand("File: $FILE          |").find('|'), std::string("File: $FILE          |").find('|'));
    // Too few: the line grows.
    EXPECT_EQ(Expand("$FILE |"), "main.c |");
    // A value shorter than the placeholder is padded.
    c.title = "a.c";
    EXPECT_EQ(Expand("$FILE|"), "a.c  |");
    EXPECT_EQ(Expand("$PATH"), "C:\\src\\main.c");
    EXPECT_EQ(Expand("$USER|"), "ann   |");
    EXPECT_EQ(Expand("$PRJ|"), "robot|");
    c.workspace.clear();
    c.path.clear();
    EXPECT_EQ(Expand("$PRJ|$PATH|"), "    |     |");
    c.haveUser = false;
    EXPECT_EQ(Expand("$USER"), "$USER");
    EXPECT_EQ(Expand("no placeholders"), "no placeholders");
}

} // namespace
