// Brace-goto targets on the caret's line and their partners; the search that
// passes over comments.
#include <gtest/gtest.h>

#include <string>

#include "editor/syntax/brace_goto.h"

namespace {

class BraceGotoTest : public ::testing::Test {
protected:
    // "|" marks the caret.
    void Put(const std::string& notation)
    {
        std::string text = notation;
        const size_t caret = text.find('|');
        text.erase(caret, 1);
        ASSERT_EQ(core.SetText(text.c_str()), 1);
        core.SetSel(static_cast<int>(caret), static_cast<int>(caret), false, false);
    }
    CColorEditCore core;
    BraceGotoState state;
};

TEST_F(BraceGotoTest, TargetsOnTheCaretLine)
{
    Put("x;\rif (a[i]) { b|; }");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(state.brace.direction, 1);
    EXPECT_EQ(state.brace.offset, 14);
    EXPECT_EQ(state.bracket.direction, 1);
    EXPECT_EQ(state.bracket.offset, 14);
    // The character at the caret counts: a closing bracket there.
    Put("if (a[i]|) {}");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(state.brace.direction, 0);
    EXPECT_EQ(state.bracket.direction, -1);
    EXPECT_EQ(state.bracket.offset, 8);
}

TEST_F(BraceGotoTest, FirstColumnAndSuppressedComments)
{
    // A "{" in the first column is a bracket target but no brace target.
    Put("x\r{ a|");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(state.brace.direction, 0);
    EXPECT_EQ(state.brace.offset, 5);
    EXPECT_EQ(state.bracket.direction, 1);
    EXPECT_EQ(state.bracket.offset, 3);
    // With comments suppressed, the brace target is the caret.
    Put("a { b|");
    PrepareBraceGoto(core, state, true);
    EXPECT_EQ(state.brace.direction, 0);
    EXPECT_EQ(state.brace.offset, 5);
    EXPECT_EQ(state.bracket.direction, 1);
    // A line without brackets keeps the old bracket target; a selection
    // changes nothing.
    Put("plain| text");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(state.bracket.offset, 3);
    core.SetSel(0, 3, false, false);
    state.brace.offset = 99;
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(state.brace.offset, 99);
}

TEST_F(BraceGotoTest, GoesToPartners)
{
    Put("f() {\r  s = \"}\"; /* } */\r|}");
    PrepareBraceGoto(core, state, false);
    ASSERT_EQ(state.bracket.direction, -1);
    EXPECT_EQ(GoToMatchingBrace(core, state, -1, true), 4);
    EXPECT_EQ(core.State().selStart, 4);
    Put("f() {|\r  /* } */\r}");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(GoToMatchingBrace(core, state, 1, true), 16);
    EXPECT_EQ(core.State().selStart, 16);
    Put("f() {|\r  /* } */\r}");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(GoToMatchingBrace(core, state, 1, false), 11);
    Put("f() {|");
    PrepareBraceGoto(core, state, false);
    EXPECT_EQ(GoToMatchingBrace(core, state, 1, true), -1);
}

TEST_F(BraceGotoTest, SearchPassesOverComments)
{
    Put("|int a; // int\r/* int */ int b;");
    const int end = core.GetTextLength();
    EXPECT_EQ(FindTextSkipComments(core, "int", kFindForward | kFindMatchCase, 1, end, true, true), 24);
    EXPECT_EQ(core.State().selStart, 24);
    EXPECT_EQ(core.State().selEnd, 27);
    EXPECT_EQ(FindTextSkipComments(core, "int", kFindForward | kFindMatchCase, 1, end, false, false), 10);
    // Backwards from the end: the hits in comments are passed over.
    EXPECT_EQ(FindTextSkipComments(core, "int", kFindMatchCase, 23, 0, false, true), 0);
    EXPECT_EQ(FindTextSkipComments(core, "nothing", kFindForward, 0, end, false, true), -1);
}

} // namespace
