// Caret steps over tabs and words, overwrite typing, and the status of
// InsertText apart from its net change of length.
#include "edit_fixture.h"

namespace {

TEST_F(EditTest, CaretStepsOverTabFillAndWords)
{
    Put("ab>.cd/  x_1+y");
    // One position: a tab and its fill bytes are one step each way.
    EXPECT_EQ(core.NextPos(2), 4);
    EXPECT_EQ(core.PrevPos(4), 2);
    EXPECT_EQ(core.NextPos(state.length), state.length);
    EXPECT_EQ(core.PrevPos(0), 0);
    // Words: a run of one class; a line break is a step of its own.
    EXPECT_EQ(core.WordRight(0), 2);
    EXPECT_EQ(core.WordRight(6), 7);
    EXPECT_EQ(core.WordRight(9), 12);
    EXPECT_EQ(core.WordLeft(12), 9);
    EXPECT_EQ(core.WordLeft(7), 6);
    EXPECT_EQ(core.WordLeft(6), 4);
    // A column of a line: clamped to the line end, fill steps back to the tab.
    EXPECT_EQ(core.OffsetAtLineColumn(0, 3), 2);
    EXPECT_EQ(core.OffsetAtLineColumn(0, 99), 6);
    EXPECT_EQ(core.OffsetAtLineColumn(1, 1), 8);
    EXPECT_EQ(core.OffsetAtLineColumn(5, 0), state.length);
    // Home pressed again: the first non-blank of the line, or the start of a
    // blank line.
    EXPECT_EQ(core.FirstNonBlank(7), 9);
    Put("  /x");
    EXPECT_EQ(core.FirstNonBlank(0), 0);
}

TEST_F(EditTest, OverwriteReplacesInPlaceAndUndoRestoresColour)
{
    Put("abc/d", 1);
    state.Attr()[1] = 5;
    ASSERT_EQ(core.OverwriteChar('X'), 1);
    EXPECT_EQ(Text(), "aXc/d");
    EXPECT_EQ(state.selStart, 2);
    EXPECT_EQ(state.selEnd, 2);
    EXPECT_EQ(state.Attr()[1], 5) << "the colour of the place stays";
    EXPECT_EQ(state.modified, 1);
    // Over a line break, a typed CR and at the end the character is inserted.
    state.selStart = state.selEnd = 3;
    ASSERT_EQ(core.OverwriteChar('Y'), 1);
    EXPECT_EQ(Text(), "aXcY/d");
    state.selStart = state.selEnd = state.length;
    ASSERT_EQ(core.OverwriteChar('Z'), 1);
    EXPECT_EQ(Text(), "aXcY/dZ");
    ExpectModelIntact();

    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "abc/d");
    EXPECT_EQ(state.Attr()[1], 5);
    EXPECT_EQ(state.selStart, 1);
}

TEST_F(EditTest, OverwriteKeepsTabsAndRefusesReadOnly)
{
    core.m_bExpandTabs = 0;
    Put("a>..b", 1);
    ASSERT_EQ(core.OverwriteChar('x'), 1);
    EXPECT_EQ(Text(), "ax>.b") << "a tab under the caret is not overwritten";
    ExpectModelIntact();

    Put("ab", 0);
    state.readOnly = 1;
    EXPECT_EQ(core.OverwriteChar('x'), 0);
    EXPECT_EQ(core.OverwriteBackspace(), 0);
    EXPECT_EQ(Text(), "ab");
    EXPECT_FALSE(core.CanUndo());
}

TEST_F(EditTest, OverwriteBackspaceBlanksAndStepsLeft)
{
    Put("ab>.c/d", 4);
    ASSERT_EQ(core.OverwriteBackspace(), 1);
    EXPECT_EQ(Text(), "ab>. /d");
    EXPECT_EQ(state.selStart, 2) << "steps onto the tab, not a fill byte";
    ASSERT_EQ(core.OverwriteBackspace(), 1);
    EXPECT_EQ(Text(), "ab>. /d") << "a tab is not blanked";
    EXPECT_EQ(state.selStart, 1);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "ab>.c/d");
}

TEST_F(EditTest, InsertTextStatusIsApartFromTheNetChange)
{
    // Pasting two bytes over a three-byte selection changes the length by
    // -1, which is no refusal.
    Put("abcdef", 1, 4);
    int len = 2;
    InsertStatus status = kInsertRefused;
    EXPECT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("XY"), len, nullptr,
                              kInsertExpandTabs | kInsertRecordUndo, &status), -1);
    EXPECT_EQ(status, kInsertDone);
    EXPECT_EQ(Text(), "aXYef");
    // The same length: net change 0, done.
    len = 2;
    state.selStart = 1;
    state.selEnd = 3;
    core.InsertText(reinterpret_cast<const uint8_t*>("12"), len, nullptr, 0, &status);
    EXPECT_EQ(status, kInsertDone);
    EXPECT_EQ(Text(), "a12ef");

    state.readOnly = 1;
    len = 1;
    core.InsertText(reinterpret_cast<const uint8_t*>("x"), len, nullptr, 0, &status);
    EXPECT_EQ(status, kInsertRefused);
}

} // namespace
