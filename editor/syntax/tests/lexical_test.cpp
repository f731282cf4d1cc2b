// String and comment tests, comment delimiter searches, bracket partners and
// balances, class names and the clean-ups, over small C texts.
#include <gtest/gtest.h>

#include <string>

#include "editor/syntax/lexical.h"

namespace {

// A text with one "`" that marks the position under test; the mark is
// removed. "\r" ends lines as in the editor, "\x02" is a soft break and
// "\x01" tab fill.
struct Marked {
    std::string text;
    int pos = -1;
    int expected = -1; // "^" marks an expected result position
    explicit Marked(const char* notation)
    {
        for (const char* p = notation; *p; ++p) {
            if (*p == '`')
                pos = static_cast<int>(text.size());
            else if (*p == '^')
                expected = static_cast<int>(text.size());
            else
                text += *p;
        }
    }
    const char* Begin() const { return text.c_str(); }
    const char* At() const { return text.c_str() + pos; }
};

struct PosCase {
    const char* name;
    const char* text;
    bool expected;
};

std::string CaseName(const ::testing::TestParamInfo<PosCase>& i) { return i.param.name; }

const PosCase kStringCases[] = {
    {"inside", "x = \"a`b\";", true},
    {"opening_quote_counts", "x = `\"ab\";", true},
    {"closing_quote_is_outside", "x = \"ab`\";", false},
    {"after_string", "x = \"ab\"`;", false},
    {"brace_in_char_literal", "c = '`{';", true},
    {"quote_in_char_literal_flips_nothing", "c = '\"'; s = \"`x\";", true},
    {"quote_char_literal_then_code", "c = '\"'; `x;", false},
    {"escaped_quote_stays_inside", "s = \"a\\\"b`c\";", true},
    {"escaped_backslash_ends", "s = \"a\\\\\"; `x;", false},
    {"quote_in_line_comment", "// it's \"`x", false},
    {"string_of_previous_line", "s = \"a\";\rx`y", false},
    {"unterminated_ends_with_line", "s = \"a\r`x", false},
    {"lf_ends_line", "s = \"a\n`b", false},
    {"across_soft_break", "s = \"a\x02`b\";", true},
};

class StringTest : public ::testing::TestWithParam<PosCase> {};

TEST_P(StringTest, AgreesWithCompiler)
{
    Marked m(GetParam().text);
    EXPECT_EQ(IsInsideString(m.At(), m.Begin()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StringTest, ::testing::ValuesIn(kStringCases), CaseName);

const PosCase kCommentCases[] = {
    {"line_comment", "x = 1; // c`omment", true},
    {"line_comment_behind_division", "a = b / c; // `note", true},
    {"before_line_comment", "a = b `/ c; // note", false},
    {"block", "/* a`b */", true},
    {"on_opener", "`/* ab */", true},
    {"on_closing_slash", "/* ab *`/ x", true},
    {"after_closer", "/* ab */` x", false},
    {"opener_in_string", "s = \"/* `x */\";", false},
    {"opener_behind_line_comment", "// /* \rx`y", false},
    {"line_comment_in_string", "s = \"//\"; `x", false},
    {"multi_line_with_apostrophes", "/* don't\r  it's `x\r*/", true},
    {"after_multi_line_with_apostrophes", "/* it's\r it's */ `x", false},
    {"after_multi_line_closer_with_quote", "/* say \"hi\r it's */ `x", false},
    {"soft_break_does_not_end_line_comment", "// a\x02" "b`c", true},
    {"slash_star_slash_does_not_close", "/*/ `x", true},
    {"block_ends_before_line", "/* a */\r`x", false},
    {"opener_on_earlier_line_behind_comment", "/* a\r// /* b\r`c", true},
    {"double_slash_inside_block", "/* // */ `x", false},
    {"char_literal_slash", "c = '/'; `x", false},
};

class CommentTest : public ::testing::TestWithParam<PosCase> {};

TEST_P(CommentTest, AgreesWithCompiler)
{
    Marked m(GetParam().text);
    EXPECT_EQ(IsInsideComment(m.At(), m.Begin()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommentTest, ::testing::ValuesIn(kCommentCases), CaseName);

const PosCase kPreprocessorCases[] = {
    {"directive", "  #define `X 1", true},
    {"tab_and_fill_before_hash", "\t\x01#if `X", true},
    {"hash_inside_line", "x # `y", false},
    {"hash_after_soft_break", "abc\x02#`x", true},
    {"next_line_is_not", "#if X\r`y", false},
};

class PreprocessorTest : public ::testing::TestWithParam<PosCase> {};

TEST_P(PreprocessorTest, LineStart)
{
    Marked m(GetParam().text);
    EXPECT_EQ(IsPreprocessorLine(m.At(), m.Begin()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreprocessorTest, ::testing::ValuesIn(kPreprocessorCases), CaseName);

struct DelimiterCase {
    const char* name;
    const char* text; // "`" marks the offset searched from
    int open;         // FindLastCommentOpen (offset, 0)
    int close;        // FindLastCommentClose (offset, 0)
};

const DelimiterCase kDelimiterCases[] = {
    {"both", "/* a */ `b", 0, 5},
    {"opener_at_offset_counts", "x `/* a", 2, -1},
    {"closer_must_end_before_offset", "/* a *`/", 0, -1},
    {"in_string", "x = \"/* */\"; `y", -1, -1},
    {"behind_line_comment_searches_line_before", "/* a\r// /* b\r`c", 0, -1},
    {"closer_after_apostrophe", "/* a\rit's */ `c", 0, 10},
    {"quote_in_char_literal", "c = '\"'; /* x */ `y", 9, 14},
    {"none", "int `x;", -1, -1},
};

class DelimiterTest : public ::testing::TestWithParam<DelimiterCase> {};

TEST_P(DelimiterTest, LastOpenerAndCloser)
{
    Marked m(GetParam().text);
    EXPECT_EQ(FindLastCommentOpen(m.pos, 0, m.Begin()), GetParam().open);
    EXPECT_EQ(FindLastCommentClose(m.pos, 0, m.Begin()), GetParam().close);
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimiterTest, ::testing::ValuesIn(kDelimiterCases),
                         [](const ::testing::TestParamInfo<DelimiterCase>& i) { return std::string(i.param.name); });

TEST(DelimiterTest, LowerBoundsLimitBothSearches)
{
    const char* t = "/* a */ /* b */ x";
    EXPECT_EQ(FindLastCommentOpen(16, 1, t), 8);
    EXPECT_EQ(FindLastCommentOpen(16, 9, t), -1);
    EXPECT_EQ(FindLastCommentClose(16, 6, t), 13);
    EXPECT_EQ(FindLastCommentClose(16, 14, t), -1);
}

TEST(DelimiterTest, ForwardSearches)
{
    const char* t = "s = \"/*\"; // /* x\r/* real */ y";
    const int len = static_cast<int>(std::string(t).size());
    EXPECT_EQ(FindCommentOpen(0, len, t), 18);
    EXPECT_EQ(FindCommentOpen(0, 18, t), -1);
    EXPECT_EQ(FindCommentClose(20, len, t), 26);
    EXPECT_EQ(FindCommentClose(20, 26, t), -1);
}

struct BracketCase {
    const char* name;
    const char* text; // "`" marks the bracket searched from, "^" its partner
    bool skipComments;
};

const BracketCase kClosingCases[] = {
    {"nested", "`{ a { b } c ^} d", true},
    {"string_and_char_literals", "f`(\")\", ')', x^) y", true},
    {"comment_skipped", "`( a /* ) */ b ^) c", true},
    {"comment_counted", "`( a /* ^) */ b ) c", false},
    {"line_comment_skipped", "`{ // }\r^}", true},
    {"other_kinds_ignored", "`( [ ^) ]", true},
    {"missing", "`( a ( b )", true},
    {"soft_break_and_fill", "`{\x01\x01\x02^}", true},
    {"apostrophe_in_multi_line_comment", "`{\r/* it's\r } */\r^}", true},
    {"escaped_quote_in_string", "`{ s = \"\\\"}\"; ^}", true},
    {"not_a_bracket", "`x ( )", true},
};

std::string BracketName(const ::testing::TestParamInfo<BracketCase>& i) { return i.param.name; }

class ClosingBracketTest : public ::testing::TestWithParam<BracketCase> {};

TEST_P(ClosingBracketTest, FindsPartner)
{
    Marked m(GetParam().text);
    const char* hit = FindClosingBracket(m.At(), GetParam().skipComments, m.Begin());
    EXPECT_EQ(hit ? static_cast<int>(hit - m.Begin()) : -1, m.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClosingBracketTest, ::testing::ValuesIn(kClosingCases), BracketName);

const BracketCase kOpeningCases[] = {
    {"nested", "^{ a { b } c `}", true},
    {"string_and_char_literals", "f^(\"(\", '(', x `)", true},
    {"comment_skipped", "^( a /* ( */ b `)", true},
    {"comment_counted", "( a /* ^( */ b `)", false},
    {"line_comment_skipped", "^{\r// {\r`}", true},
    {"block_comment_over_lines_skipped", "^{\r/* {\r it's { */\r`}", true},
    {"missing", "a ) `)", true},
    {"crlf_lines", "^{\r\n a;\r\n`}", true},
    {"soft_break_and_fill", "^[\x01\x02`]", true},
};

class OpeningBracketTest : public ::testing::TestWithParam<BracketCase> {};

TEST_P(OpeningBracketTest, FindsPartner)
{
    Marked m(GetParam().text);
    const char* hit = FindOpeningBracket(m.At(), GetParam().skipComments, m.Begin());
    EXPECT_EQ(hit ? static_cast<int>(hit - m.Begin()) : -1, m.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningBracketTest, ::testing::ValuesIn(kOpeningCases), BracketName);

TEST(ClosingBracketTest, EndBoundsTheSearch)
{
    const char* t = "{ a } b";
    EXPECT_EQ(FindClosingBracket(t, true, t, t + 4), nullptr);
    EXPECT_EQ(FindClosingBracket(t, true, t, t + 5), t + 4);
}

TEST(BalanceTest, BracesInLiteralsAndCommentsDoNotCount)
{
    // Valid C whose literals and comments hold braces: balanced.
    const std::string t = "int f() { char c = '{'; s = \"{{\"; /* { */ // {\r return '}'; }";
    EXPECT_EQ(CountBraceBalance(t.c_str() + t.size() - 1, static_cast<int>(t.size())), 0);
    EXPECT_EQ(CountBracketBalance(t.c_str(), nullptr, '{', t.c_str()), 0);
    // Up to the first brace only: one open.
    const size_t open = t.find('{');
    EXPECT_EQ(CountBraceBalance(t.c_str() + open, static_cast<int>(open + 1)), 1);
    EXPECT_EQ(CountBracketBalance(t.c_str(), t.c_str() + open + 1, '{', t.c_str()), 1);
}

TEST(BalanceTest, OtherBracketsAndRanges)
{
    const char* t = "a[(b)] + ((c)";
    EXPECT_EQ(CountBracketBalance(t, nullptr, '(', t), 1);
    EXPECT_EQ(CountBracketBalance(t, nullptr, '[', t), 0);
    // A range that starts inside a block comment counts nothing there.
    const char* u = "/* ( ( */ (";
    EXPECT_EQ(CountBracketBalance(u + 4, nullptr, '(', u), 1);
}

TEST(ClassNameTest, LastClassInCode)
{
    const std::string t =
        "class A {}; /* class B */ const char* s = \"class D\";\rclass  C : public A { int classy; };";
    std::string name;
    const char* hit = FindLastClassName(t.c_str() + t.size(), name, t.c_str());
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit - t.c_str(), static_cast<long>(t.find("class  C")));
    EXPECT_EQ(name, "C");
    // Limited before C: A.
    hit = FindLastClassName(t.c_str() + t.find("class  C"), name, t.c_str());
    EXPECT_EQ(hit, t.c_str());
    EXPECT_EQ(name, "A");
    // None: empty name and null.
    const char* u = "subclass x; classic y;";
    EXPECT_EQ(FindLastClassName(u + 22, name, u), nullptr);
    EXPECT_EQ(name, "");
}

TEST(CleanupTest, NormalizeBlanks)
{
    std::string s = "unsigned\t\x01\x01  int\x02*\np";
    NormalizeBlanks(s);
    EXPECT_EQ(s, "unsigned int *\rp");
    char buf[] = "a \t b\n";
    EXPECT_EQ(NormalizeBlanks(buf), 4);
    EXPECT_STREQ(buf, "a b\r");
}

TEST(CleanupTest, StripLineComments)
{
    std::string s = "int a; // x\rchar* u = \"http://h\"; /* // */ int b; // y";
    StripLineComments(s);
    EXPECT_EQ(s, "int a; \rchar* u = \"http://h\"; /* // */ int b; ");
    char buf[] = "x; // a\r\ny;";
    EXPECT_EQ(StripLineComments(buf, 11), 7);
    EXPECT_STREQ(buf, "x; \r\ny;");
}

} // namespace
