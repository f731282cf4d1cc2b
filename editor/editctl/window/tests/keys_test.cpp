// The key table and typed characters of CColorEdit, driven by WM_KEYDOWN,
// WM_SYSKEYDOWN and WM_CHAR as a user's keys arrive.
#include "test_host.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

const int S = KEYMOD_SHIFT;
const int C = KEYMOD_CTRL;

// "one two_3+x" 0-10, CR 11; "second line" 12-22, CR 23; "third" 24-28.
const char three_lines[] = "one two_3+x\rsecond line\rthird";
// "a", tab with two fill bytes (1-3), "b" at 4.
const char with_tab[] = "a\tb";
const char indented[] = "x\r    y z";

struct KeyCase {
    const char* name;
    const char* text;
    int selStart, selEnd;
    UINT key;
    int modifiers;
    int wantStart, wantEnd;
    const char* wantText; // null: unchanged
};

const KeyCase key_cases[] = {
    {"left", three_lines, 5, 5, VK_LEFT, 0, 4, 4, nullptr},
    {"left at start", three_lines, 0, 0, VK_LEFT, 0, 0, 0, nullptr},
    {"left over line break", three_lines, 12, 12, VK_LEFT, 0, 11, 11, nullptr},
    {"left removes selection", three_lines, 2, 5, VK_LEFT, 0, 2, 2, nullptr},
    {"left over tab", with_tab, 4, 4, VK_LEFT, 0, 1, 1, nullptr},
    {"shift left", three_lines, 5, 5, VK_LEFT, S, 4, 5, nullptr},
    {"ctrl left word", three_lines, 7, 7, VK_LEFT, C, 4, 4, nullptr},
    {"ctrl left blank run", three_lines, 4, 4, VK_LEFT, C, 3, 3, nullptr},
    {"ctrl left line break", three_lines, 12, 12, VK_LEFT, C, 11, 11, nullptr},
    {"ctrl left removes selection", three_lines, 2, 5, VK_LEFT, C, 2, 2, nullptr},
    {"ctrl shift left", three_lines, 7, 7, VK_LEFT, C | S, 4, 7, nullptr},
    {"right", three_lines, 5, 5, VK_RIGHT, 0, 6, 6, nullptr},
    {"right over line break", three_lines, 11, 11, VK_RIGHT, 0, 12, 12, nullptr},
    {"right at end", three_lines, 29, 29, VK_RIGHT, 0, 29, 29, nullptr},
    {"right over tab", with_tab, 1, 1, VK_RIGHT, 0, 4, 4, nullptr},
    {"right removes selection", three_lines, 2, 5, VK_RIGHT, 0, 2, 2, nullptr},
    {"shift right", three_lines, 5, 5, VK_RIGHT, S, 5, 6, nullptr},
    {"ctrl right word", three_lines, 0, 0, VK_RIGHT, C, 3, 3, nullptr},
    {"ctrl right blank", three_lines, 3, 3, VK_RIGHT, C, 4, 4, nullptr},
    {"ctrl right word with underscore", three_lines, 4, 4, VK_RIGHT, C, 9, 9, nullptr},
    {"ctrl right other run", three_lines, 9, 9, VK_RIGHT, C, 10, 10, nullptr},
    {"ctrl right line break", three_lines, 11, 11, VK_RIGHT, C, 12, 12, nullptr},
    {"ctrl shift right", three_lines, 0, 0, VK_RIGHT, C | S, 0, 3, nullptr},
    {"home", three_lines, 15, 15, VK_HOME, 0, 12, 12, nullptr},
    {"home at line start to first non-blank", indented, 2, 2, VK_HOME, 0, 6, 6, nullptr},
    {"home from first non-blank to line start", indented, 6, 6, VK_HOME, 0, 2, 2, nullptr},
    {"home removes selection", three_lines, 14, 16, VK_HOME, 0, 12, 12, nullptr},
    {"shift home", three_lines, 15, 15, VK_HOME, S, 12, 15, nullptr},
    {"ctrl home", three_lines, 20, 20, VK_HOME, C, 0, 0, nullptr},
    {"ctrl shift home", three_lines, 20, 20, VK_HOME, C | S, 0, 20, nullptr},
    {"end", three_lines, 13, 13, VK_END, 0, 23, 23, nullptr},
    {"end of last line", three_lines, 25, 25, VK_END, 0, 29, 29, nullptr},
    {"shift end", three_lines, 13, 13, VK_END, S, 13, 23, nullptr},
    {"ctrl end", three_lines, 3, 3, VK_END, C, 29, 29, nullptr},
    {"ctrl shift end", three_lines, 13, 13, VK_END, C | S, 13, 29, nullptr},
    {"up", three_lines, 15, 15, VK_UP, 0, 3, 3, nullptr},
    {"up on first line", three_lines, 3, 3, VK_UP, 0, 3, 3, nullptr},
    {"up clamps to line end", three_lines, 28, 28, VK_UP, 0, 16, 16, nullptr},
    {"up removes selection", three_lines, 15, 17, VK_UP, 0, 3, 3, nullptr},
    {"shift up", three_lines, 15, 15, VK_UP, S, 3, 15, nullptr},
    {"ctrl up as up", three_lines, 15, 15, VK_UP, C, 3, 3, nullptr},
    {"down", three_lines, 3, 3, VK_DOWN, 0, 15, 15, nullptr},
    {"down to shorter line", three_lines, 22, 22, VK_DOWN, 0, 29, 29, nullptr},
    {"down on last line", three_lines, 26, 26, VK_DOWN, 0, 26, 26, nullptr},
    {"shift down", three_lines, 3, 3, VK_DOWN, S, 3, 15, nullptr},
    {"down onto a tab's fill", "abcd\ra\tb", 2, 2, VK_DOWN, 0, 6, 6, nullptr},
    {"delete", three_lines, 3, 3, VK_DELETE, 0, 3, 3, "onetwo_3+x\rsecond line\rthird"},
    {"delete line break", three_lines, 11, 11, VK_DELETE, 0, 11, 11,
     "one two_3+xsecond line\rthird"},
    {"delete at end", three_lines, 29, 29, VK_DELETE, 0, 29, 29, nullptr},
    {"delete selection", three_lines, 0, 4, VK_DELETE, 0, 0, 0, "two_3+x\rsecond line\rthird"},
    {"delete tab with fill", with_tab, 1, 1, VK_DELETE, 0, 1, 1, "ab"},
    {"other keys do nothing", three_lines, 5, 5, VK_F5, 0, 5, 5, nullptr},
};

class KeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, MovesSelectsAndEdits)
{
    const KeyCase& c = GetParam();
    CTestHost host;
    host.SetText(c.text, c.selStart, c.selEnd);
    std::string before = host.Text();
    host.Key(c.key, c.modifiers);
    EXPECT_EQ(host.SelStart(), c.wantStart);
    EXPECT_EQ(host.SelEnd(), c.wantEnd);
    EXPECT_EQ(host.Text(), c.wantText ? std::string(c.wantText) : before);
    // Every key tells the view.
    EXPECT_GE(host.Count(EDN_CARETMOVED), 1);
}

std::string case_name(const ::testing::TestParamInfo<KeyCase>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, ::testing::ValuesIn(key_cases), case_name);

TEST(Keys, GoalColumnSurvivesShortLines)
{
    CTestHost host;
    host.SetText(three_lines, 10);
    host.Key(VK_DOWN);
    EXPECT_EQ(host.SelStart(), 22);
    host.Key(VK_DOWN);
    EXPECT_EQ(host.SelStart(), 29); // "third" is shorter
    host.Key(VK_UP);
    EXPECT_EQ(host.SelStart(), 22); // back at column 10
    EXPECT_EQ(host.Caret().x, 10);
    EXPECT_EQ(host.Caret().y, 1);
}

TEST(Keys, ShiftSelectionGrowsAndShrinksFromItsFixedEnd)
{
    CTestHost host;
    host.SetText(three_lines, 5);
    host.Key(VK_RIGHT, S);
    host.Key(VK_RIGHT, S);
    EXPECT_EQ(host.SelStart(), 5);
    EXPECT_EQ(host.SelEnd(), 7);
    host.Key(VK_LEFT, S);
    host.Key(VK_LEFT, S);
    host.Key(VK_LEFT, S);
    EXPECT_EQ(host.SelStart(), 4);
    EXPECT_EQ(host.SelEnd(), 5);
}

TEST(Keys, EscapeCollapsesTheSelectionWhereTheCaretIs)
{
    CTestHost host;
    host.SetText(three_lines, 5);
    host.Key(VK_RIGHT, S);
    host.Key(VK_RIGHT, S);
    ASSERT_EQ(host.Caret().x, 7);
    host.Char('\x1b');
    EXPECT_EQ(host.SelStart(), 7);
    EXPECT_EQ(host.SelEnd(), 7);
    EXPECT_EQ(host.Caret().x, 7);
    // Made towards the start, it collapses at its start.
    host.Key(VK_LEFT, S);
    host.Key(VK_LEFT, S);
    host.Char('\x1b');
    EXPECT_EQ(host.SelStart(), 5);
    EXPECT_EQ(host.SelEnd(), 5);
    EXPECT_EQ(host.Caret().x, 5);
}

TEST(Keys, InsertTogglesOverwriteAndTheCaretShape)
{
    CTestHost host;
    host.SetText("abc", 1);
    EXPECT_TRUE(host.edit.IsInsertMode());
    host.Key(VK_INSERT);
    EXPECT_FALSE(host.edit.IsInsertMode());
    host.Type("x");
    EXPECT_EQ(host.Text(), "axc");
    EXPECT_EQ(host.SelStart(), 2);
    host.Key(VK_INSERT);
    host.Type("y");
    EXPECT_EQ(host.Text(), "axyc");
}

TEST(Keys, PlainNavigationLeavesColumnMode)
{
    CTestHost host;
    host.SetText("abcdef\rabcdef\rabcdef", 1);
    host.Key(VK_RIGHT, KEYMOD_ALT);
    host.Key(VK_RIGHT, KEYMOD_ALT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 2);
    int start = host.SelStart();
    host.Key(VK_RIGHT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
    // Only column mode was left; the caret stands where the block's corner was.
    EXPECT_EQ(host.SelStart(), host.SelEnd());
    EXPECT_EQ(host.SelStart(), 3);
    (void)start;
}

struct CharCase {
    const char* name;
    const char* text;
    int selStart, selEnd;
    const char* typed;
    bool overwrite;
    const char* wantText;
    int wantCaret;
};

const CharCase char_cases[] = {
    {"insert", "ac", 1, 1, "b", false, "abc", 2},
    {"replace selection", "abcd", 1, 3, "x", false, "axd", 2},
    {"enter", "ab", 1, 1, "\r", false, "a\rb", 2},
    {"tab expands to the next stop", "a", 1, 1, "\t", false, "a   ", 4},
    {"backspace", "abc", 2, 2, "\b", false, "ac", 1},
    {"backspace at start", "abc", 0, 0, "\b", false, "abc", 0},
    {"backspace joins lines", "a\rb", 2, 2, "\b", false, "ab", 1},
    {"backspace selection", "abcd", 1, 3, "\b", false, "ad", 1},
    {"overwrite", "abc", 1, 1, "xy", true, "axy", 3},
    {"overwrite at end appends", "ab", 2, 2, "c", true, "abc", 3},
    {"overwrite before line break inserts", "a\rb", 1, 1, "x", true, "ax\rb", 2},
    {"overwrite backspace blanks and steps left", "abc", 1, 1, "\b", true, "a c", 0},
    {"escape collapses", "abcd", 1, 3, "\x1b", false, "abcd", 1},
    {"control characters are not text", "ab", 1, 1, "\x01\x02\x16", false, "ab", 1},
};

class CharTable : public ::testing::TestWithParam<CharCase> {};

TEST_P(CharTable, TypedCharacters)
{
    const CharCase& c = GetParam();
    CTestHost host;
    host.SetText(c.text, c.selStart, c.selEnd);
    if (c.overwrite)
        host.Key(VK_INSERT);
    host.Type(c.typed);
    EXPECT_EQ(host.Text(), c.wantText);
    EXPECT_EQ(host.SelStart(), c.wantCaret);
    EXPECT_EQ(host.SelEnd(), c.wantCaret);
}

std::string char_case_name(const ::testing::TestParamInfo<CharCase>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Chars, CharTable, ::testing::ValuesIn(char_cases), char_case_name);

TEST(Chars, TabKeptAsTabWithFillWhenExpandTabsIsOff)
{
    CTestHost host;
    host.edit.Core().m_bExpandTabs = 0;
    host.SetText("a", 1);
    host.Type("\tb");
    EXPECT_EQ(host.Text(), std::string("a\t\x01\x01", 4) + "b");
    EXPECT_EQ(host.SelStart(), 5);
    EXPECT_EQ(host.Caret().x, 5);
}

TEST(Chars, EnterInAnEmptyTextMakesTwoLines)
{
    CTestHost host;
    host.SetText("");
    host.edit.Core().ClearText();
    host.Type("\r");
    EXPECT_EQ(host.edit.GetTextLength(), 1);
    EXPECT_EQ(host.edit.GetLineCount(), 2);
    EXPECT_EQ(host.Caret().y, 1);
    EXPECT_EQ(host.Caret().x, 0);
}

TEST(Chars, TypingInColumnModeOnlyLeavesIt)
{
    CTestHost host;
    host.SetText("abc\rdef", 1);
    host.Key(VK_RIGHT, KEYMOD_ALT);
    ASSERT_EQ(host.edit.GetSelectionMode(), 2);
    host.Type("x");
    EXPECT_EQ(host.Text(), "abc\rdef");
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
}

TEST(Chars, ReadOnlyTextRefusesEveryChange)
{
    CTestHost host;
    host.SetText("abc", 1);
    host.edit.SetReadOnly(1);
    host.Type("x\b\r");
    host.Key(VK_DELETE);
    host.Key(VK_INSERT);
    host.Type("y\b");
    EXPECT_EQ(host.Text(), "abc");
    EXPECT_EQ(host.edit.GetModify(), 0);
}

TEST(Chars, OverwriteMarksTheTextModifiedAndUndoes)
{
    CTestHost host;
    host.SetText("abc", 1);
    host.edit.SetModify(0);
    host.Key(VK_INSERT);
    host.ClearLog();
    host.Type("x");
    EXPECT_EQ(host.edit.GetModify(), 1);
    EXPECT_EQ(host.Count(EDN_MODIFIED), 1);
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "abc");
}

TEST(Chars, TypingPastTheWindowScrollsTheCaretIntoView)
{
    CTestHost host(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 5, 20);
    host.SetText("");
    for (int i = 0; i < 8; ++i)
        host.Type("line\r");
    EXPECT_EQ(host.edit.GetLineCount(), 9);
    int top = static_cast<int>(host.edit.GetTopLine());
    EXPECT_LE(top, 8);
    EXPECT_GT(top + host.edit.Core().m_nVisibleLines, 8);
    EXPECT_GE(host.Count(EDN_SHAREDSCROLL), 1);
    // Long lines scroll sideways.
    host.Type("abcdefghijklmnopqrstuvwxyz");
    EXPECT_GT(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 0);
    EXPECT_GE(host.Caret().x, 0);
    EXPECT_LT(host.Caret().x, host.edit.m_nVisibleColumns);
}

TEST(Chars, HeldKeyRepeatTimerAndCaret)
{
    CTestHost host;
    host.SetText("", 0);
    host.Char('a');
    EXPECT_EQ(host.edit.m_nRepeatTimer, 2u);
    EXPECT_EQ(host.edit.m_nRepeatChar, 'a');
    EXPECT_EQ(host.edit.m_bKeyReleased, 0);
    host.edit.SendMessage(WM_TIMER, 2, 0);
    EXPECT_EQ(host.edit.m_nRepeatTimer, 0u);
    host.edit.SendMessage(WM_KEYUP, 'A', 1 | (3u << 30));
    EXPECT_EQ(host.edit.m_bKeyReleased, 1);
}

} // namespace
