// Column operations of the text core: numbering, filling, shifting,
// pasting as a block and copying or deleting a block.
#include "edit_fixture.h"

namespace {

TEST_F(EditTest, NumberColumnPicksTheWidthOfTheLargestValue)
{
    Put("a/b/c", 0);
    ASSERT_EQ(core.NumberColumn(1, 0, 2, 0, 0, 9, false), 1);
    EXPECT_EQ(Text(), "a09/b10/c11");
    Put("a/b/c", 0);
    core.NumberColumn(1, 0, 2, 1, 1, 0xFFFFE, false);
    EXPECT_EQ(Text(), "a0x0FFFFE/b0x0FFFFF/c0x100000");
    Put("a/b", 0);
    EXPECT_EQ(core.NumberColumn(0, 0, 1, 0, 0, 99999, false), 0);
    EXPECT_EQ(Text(), "a/b"); // beyond the table: nothing
}

TEST_F(EditTest, FillColumnShiftColumn)
{
    Put("abcd/ab/abcdef", 0);
    core.FillColumn(3, 0, 2, "|", 0, 0, 0, false);
    EXPECT_EQ(Text(), "abc|d/ab/abc|def");
    Put("abcd/ab/abcdef", 0);
    core.FillColumn(3, 0, 2, "|", 0, 0, 1, false);
    EXPECT_EQ(Text(), "abc|d/ab |/abc|def");
    Put("abcd/ab", 0);
    core.FillColumn(3, 0, 1, ";", 0, 1, 0, false);
    EXPECT_EQ(Text(), "abcd;/ab;");
    Put("abcd/ab", 0);
    EXPECT_EQ(core.FillColumn(3, 0, 1, "x\ry", 0, 0, 0, false), 0); // a line break is refused
    EXPECT_EQ(Text(), "abcd/ab");

    Put("abcdef/abcdef/abcdef", 0);
    core.ShiftColumn(2, 0, 1, -2, ' ');
    EXPECT_EQ(Text(), "abef/abef/abcdef");
    core.ShiftColumn(2, 0, 1, 3, '.');
    EXPECT_EQ(Text(), "ab...ef/ab...ef/abcdef");
    EXPECT_EQ(core.ShiftColumn(2, 1, 1, 3, '.'), 0); // first line not before the last
    EXPECT_EQ(Text(), "ab...ef/ab...ef/abcdef");
}

TEST_F(EditTest, ColumnInsertKeepsOrDropsTheSelection)
{
    // The caret and selection end stand in the second line; numbering puts
    // two bytes in front of each.
    Put("ab/cd/ef", 3, 5);
    core.NumberColumn(0, 0, 2, 0, 0, 10, true);
    EXPECT_EQ(Text(), "10ab/11cd/12ef");
    EXPECT_EQ(state.selStart, 3);
    EXPECT_EQ(state.selEnd, 11);
    Put("ab/cd/ef", 3, 5);
    core.NumberColumn(0, 0, 2, 0, 0, 10, false);
    EXPECT_EQ(state.selStart, 3);
    EXPECT_EQ(state.selEnd, 3);
}

TEST_F(EditTest, ShiftColumnKeepsTheSelectionOnItsText)
{
    // "cd" of the second line is selected.
    Put("abcd/abcd", 7, 9);
    ASSERT_EQ(core.ShiftColumn(1, 0, 1, 2, ' '), 1);
    EXPECT_EQ(Text(), "a  bcd/a  bcd");
    EXPECT_EQ(state.selStart, 11);
    EXPECT_EQ(state.selEnd, 13);
    // Every inserted piece is its own undo step.
    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "abcd/abcd");
}

TEST_F(EditTest, BlockTextIsPaddedAndDeletedLineByLine)
{
    core.m_bExpandTabs = 0;
    Put("ab/abcdef/a>..b", 0);
    bool deleted = true;
    EXPECT_EQ(core.ColumnBlockText(0, 2, 0, 3, false, &deleted), "ab \r\nabc");
    EXPECT_FALSE(deleted);
    EXPECT_EQ(Text(), "ab/abcdef/a>..b");
    // The tab's fill bytes are no characters of the copy.
    EXPECT_EQ(core.ColumnBlockText(2, 1, 0, 4, false), "a\t");

    EXPECT_EQ(core.ColumnBlockText(0, 2, 1, 2, true, &deleted), "b \r\nbc");
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Text(), "a/adef/a>..b");
    EXPECT_EQ(state.selStart, 1) << "caret at the block's top-left corner";
    EXPECT_TRUE(state.columnRect.IsEmpty());
    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "ab/abcdef/a>..b");
}

TEST_F(EditTest, BlockPasteAddsAndPadsLines)
{
    Put("abcdef", 0);
    core.InsertColumnBlock(4, 0, "1\r2");
    EXPECT_EQ(Text(), "abcd1ef/    2");
    EXPECT_EQ(state.selStart, 4);
    Put("abcdef/ab/abcdef", 0);
    core.InsertColumnBlock(3, 0, "x\ry\rz");
    EXPECT_EQ(Text(), "abcxdef/ab y/abczdef");
    // A first line that does not reach the column takes nothing.
    Put("ab", 0);
    core.InsertColumnBlock(3, 0, "x");
    EXPECT_EQ(Text(), "ab");
    Put("ab/cd", 1);
    core.InsertColumnText(2, "x\ry");
    EXPECT_EQ(Text(), "ax/  yb/cd");
    EXPECT_EQ(state.selStart, 6);
}

} // namespace
