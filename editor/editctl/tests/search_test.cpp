// FindText with escapes, case, whole words and backward; the backward
// helpers; keyword marking.
#include "edit_fixture.h"

namespace {

struct FindCase {
    const char* name;
    const char* text;     // notation
    const char* pattern;
    int flags;
    int from;
    int to;
    int expected;
};

const int F = kFindForward;
const int C = kFindMatchCase;
const int W = kFindWholeWord;

const FindCase kFindCases[] = {
    {"plain", "mov a,#1", "a,#", F | C, 0, -1, 4},
    {"case_differs", "MOV A", "mov", F | C, 0, -1, -1},
    {"either_case", "xx MoV", "mOv", F, 0, -1, 3},
    {"either_case_nearer_upper", "xmy Mz", "m", F, 0, -1, 1},
    {"escape_tab", "xxa>b", "a\\tb", F, 0, -1, 2},
    {"escape_cr", "ab/cd", "b\\nc", F, 0, -1, 1},
    {"escape_cr_r", "ab/cd", "b\\rc", F, 0, -1, 1},
    {"double_backslash", "a\\tb", "a\\\\tb", F, 0, -1, 0},
    {"double_backslash_no_tab", "a>b", "a\\\\tb", F, 0, -1, -1},
    {"other_escape_stays", "a\\xb", "a\\xb", F, 0, -1, 0},
    {"whole_word_skips_print_and_int_x", "print int_x int", "int", F | W, 0, -1, 12},
    {"whole_word_at_text_start", "int x", "int", F | W, 0, -1, 0},
    {"whole_word_either_case", "Print INT", "int", F | W, 0, -1, 6},
    {"hit_exactly_at_to", "abcabc", "abc", F, 1, 3, -1},
    {"hit_before_to", "abcabc", "abc", F, 1, 4, 3},
    {"from_not_below_to", "abc", "a", F, 2, 2, -1},
    {"not_found", "abc", "abd", F, 0, -1, -1},
    {"empty_pattern", "abc", "", F, 0, -1, -1},
    {"backward_nearest", "ab ab ab", "ab", C, 5, 0, 3},
    {"backward_at_start", "ab ab ab", "ab", C, 6, 0, 6},
    {"backward_either_case", "AB ab", "Ab", 0, 4, 0, 3},
    {"backward_whole_word", "int xint pint", "int", W, 12, 0, 0},
    {"backward_not_found", "abc", "x", 0, 2, 0, -1},
    {"refuse_flag", "abc", "a", kFindRefuseForward, 0, 1, -1},
};

class FindTable : public EditTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindTable, Finds)
{
    const FindCase& c = GetParam();
    Put(c.text, 0);
    EXPECT_EQ(core.FindText(c.pattern, c.flags, c.from, c.to, false), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindTable, ::testing::ValuesIn(kFindCases),
                         [](const ::testing::TestParamInfo<FindCase>& i) { return std::string(i.param.name); });

TEST_F(EditTest, FindTextSelectsTheHit)
{
    Put("one/two/three", 0);
    EXPECT_EQ(core.FindText("three", kFindForward, 0, -1, true), 8);
    EXPECT_EQ(state.selStart, 8);
    EXPECT_EQ(state.selEnd, 13);
    EXPECT_EQ(core.GetSelText(), "three");
}

TEST(ReverseHelpers, MemChrAndFindText)
{
    const uint8_t text[] = "abcabc";
    EXPECT_EQ(ReverseMemChr(text + 2, 'c', 1), nullptr) << "count 1 never finds anything";
    EXPECT_EQ(ReverseMemChr(text + 2, 'c', 3), text + 2);
    EXPECT_EQ(ReverseMemChr(text + 2, 'b', 3), text + 1);
    EXPECT_EQ(ReverseMemChr(text + 2, 'a', 3), nullptr) << "the lowest byte examined is not reported";
    EXPECT_EQ(ReverseMemChr(text + 2, 'a', 0), nullptr);
    EXPECT_EQ(ReverseFindText(text + 5, "abc", text, true), text + 3);
    EXPECT_EQ(ReverseFindText(text + 2, "abc", text, true), text);
    EXPECT_EQ(ReverseFindText(text + 5, "ABC", text, true), nullptr);
    EXPECT_EQ(ReverseFindText(text + 5, "ABC", text, false), text + 3);
    EXPECT_EQ(ReverseFindText(text + 5, "abc", text + 1, true), text + 3);
}

TEST_F(EditTest, FindsTheOnlyHitAtTheEndOfALongText)
{
    std::string text;
    while (text.size() < 300000)
        text += "mov a, r0 ; not here/";
    text += "unique_word";
    Put(text, 0);
    EXPECT_EQ(core.FindText("UNIQUE_WORD", kFindForward | kFindWholeWord, 0, -1, false),
              static_cast<int>(text.size()) - 11);
    EXPECT_EQ(core.FindText("unique_word", kFindMatchCase, state.length, 0, false),
              static_cast<int>(text.size()) - 11);
}

// ---------------------------------------------------------------------------
// Keyword marking.

class KeywordTest : public EditTest {
protected:
    // Attributes as digits; '-' for 0.
    std::string Marks() const
    {
        std::string out;
        for (int i = 0; i < state.length; ++i)
            out += state.Attr()[i] ? static_cast<char>('0' + state.Attr()[i]) : '-';
        return out;
    }
};

TEST_F(KeywordTest, PlainWholeWordAndIgnoreCase)
{
    Put("mov movx MOV mov", 0);
    core.HighlightKeyword("mov", 0, state.length, 3 | SYNTAX_WHOLE_WORD, -1);
    EXPECT_EQ(Marks(), "333----------333");
    core.ClearColorRange(-1, 0);
    core.HighlightKeyword("mov", 0, state.length, 4 | SYNTAX_WHOLE_WORD | SYNTAX_IGNORE_CASE, -1);
    EXPECT_EQ(Marks(), "444------444-444");
    core.ClearColorRange(-1, 0);
    core.HighlightKeyword("mov", 0, 5, 5, -1);
    EXPECT_EQ(Marks(), "555-------------") << "the range ends the search";
}

TEST_F(KeywordTest, ToLineEndToWordEndAndProtected)
{
    Put("a ; note/b $var+1", 0);
    core.HighlightKeyword(";", 0, state.length, 2 | SYNTAX_TO_LINE_END, -1);
    EXPECT_EQ(Marks(), "--222222---------");
    core.HighlightKeyword("$", 0, state.length, 6 | SYNTAX_TO_WORD_END, -1);
    EXPECT_EQ(Marks(), "--222222---6666--");
    // A keyword inside text that already carries the protected attribute.
    core.HighlightKeyword("note", 0, state.length, 7, 2);
    EXPECT_EQ(Marks(), "--222222---6666--");
}

TEST_F(KeywordTest, RangeEndIsInclusive)
{
    // "mov" ends exactly at offset 6: it lies inside [0, 6] and, with the
    // byte after the range counting as the text end, it is a whole word.
    Put("mov movx", 0);
    core.HighlightKeyword("mov", 0, 6, 3 | SYNTAX_WHOLE_WORD, -1);
    EXPECT_EQ(Marks(), "333-333-");
    // An unclosed comment is coloured through the last byte of the range.
    Put("a (* bc d", 0);
    core.HighlightKeyword("(*;*)", 0, 6, 4 | SYNTAX_BETWEEN_STRINGS, -1);
    EXPECT_EQ(Marks(), "--44444--");
    Put("; ab/c", 0);
    core.HighlightKeyword(";", 0, 2, 2 | SYNTAX_TO_LINE_END, -1);
    EXPECT_EQ(Marks(), "222---");
}

TEST_F(KeywordTest, BetweenStrings)
{
    Put("x (* c *) y (* d", 0);
    core.HighlightKeyword("(*;*)", 0, state.length, 5 | SYNTAX_BETWEEN_STRINGS, -1);
    EXPECT_EQ(Marks(), "--5555555---5555") << "an unclosed region runs to the range end";
    // A range that starts inside a comment is coloured up to its end.
    Put("(* long/comment *) x", 0);
    core.HighlightKeyword("(*;*)", 8, state.length, 6 | SYNTAX_BETWEEN_STRINGS, -1);
    EXPECT_EQ(Marks(), "--------6666666666--");
    // An opening string in single quotes is not an opening.
    Put("'(*' x *)", 0);
    core.HighlightKeyword("(*;*)", 0, state.length, 6 | SYNTAX_BETWEEN_STRINGS, 0);
    EXPECT_EQ(Marks(), "---------");
}

} // namespace
