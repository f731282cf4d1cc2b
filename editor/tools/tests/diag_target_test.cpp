// Where the caret goes for a diagnostic, and which open document a name
// means.
#include "editor/tools/diag_target.h"

#include "editor/editctl/edit_core.h"

#include <gtest/gtest.h>

namespace {

class DiagTarget : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editor.SetText("line one\rline two\rthird line\rend")); }
    std::pair<int, int> Sel() const
    {
        int s = 0, e = 0;
        editor.GetSel(s, e);
        return {s, e};
    }
    CColorEditCore editor;
};

} // namespace

TEST_F(DiagTarget, SelectsTheWholeTargetLine)
{
    diag::Place p = diag::SelectTarget(editor, 2, 0, -1);
    EXPECT_EQ(p.line, 1);
    EXPECT_EQ(p.column, 0);
    EXPECT_EQ(Sel(), std::make_pair(9, 17));
}

TEST_F(DiagTarget, OutOfRangeLinesAndColumnsStayInTheText)
{
    struct Case {
        int line, column, length;
        int start, end;
    } cases[] = {
        {0, 0, -1, 0, 8},        // line 0: the first line
        {-5, 0, -1, 0, 8},
        {99, 0, -1, 29, 32},     // beyond the end: the last line
        {2, -1, 1, 9, 10},       // column -1: the line start
        {2, 50, 1, 17, 18},      // beyond the line: its end
        {4, 2, 100, 31, 32},     // length beyond the text: to its end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line << "," << c.column << "," << c.length);
        diag::SelectTarget(editor, c.line, c.column, c.length);
        EXPECT_EQ(Sel(), std::make_pair(c.start, c.end));
    }
}

TEST_F(DiagTarget, SearchTextMovesTheColumnToTheHit)
{
    diag::Place p = diag::SelectTarget(editor, 3, 0, 4, "line", kFindForward);
    EXPECT_EQ(p.line, 2);
    EXPECT_EQ(p.column, 6);
    EXPECT_EQ(Sel(), std::make_pair(24, 28));
    // Not found: the column stays.
    p = diag::SelectTarget(editor, 3, 1, 1, "zzz", kFindForward);
    EXPECT_EQ(p.column, 1);
}

// A hit behind a tab: the file's byte column lies in the tab's fill; the
// caret goes to the hit's first character on that line, also when the
// search ran backwards, and never to a hit on a later line.
TEST(DiagTargetTabs, ColumnInTheTabFillLandsOnTheHit)
{
    CColorEditCore editor;
    const std::string fill(3, static_cast<char>(kFillByte));
    ASSERT_TRUE(editor.SetText(("x\r\t" + fill + "int a;\rint b;").c_str()));
    for (int flags : {static_cast<int>(kFindForward), 0x11 /* backward, as a search request has it */, 0x1A}) {
        SCOPED_TRACE(flags);
        diag::Place p = diag::SelectTarget(editor, 2, 1, 3, "int", flags);
        EXPECT_EQ(p.offset, 6);
        int s = 0, e = 0;
        editor.GetSel(s, e);
        EXPECT_EQ(std::make_pair(s, e), std::make_pair(6, 9));
    }
    // Not on the line: the column stays, the next line's hit is not taken.
    diag::Place p = diag::SelectTarget(editor, 2, 5, 1, "b;", kFindForward);
    EXPECT_EQ(p.offset, 7);
}

TEST_F(DiagTarget, EmptyText)
{
    CColorEditCore empty;
    diag::Place p = diag::SelectTarget(empty, 7, 3, -1);
    EXPECT_EQ(p.offset, 0);
}

TEST(FindDocument, ByNameOrFullPath)
{
    std::vector<std::string> docs = {"C:\\src\\Main.c", "C:\\other\\main.c", "D:\\x\\util.c"};
    EXPECT_EQ(diag::FindDocument("main.c", docs, false), 0);
    EXPECT_EQ(diag::FindDocument("c:/elsewhere/MAIN.C", docs, false), 0);
    EXPECT_EQ(diag::FindDocument("C:/other/MAIN.c", docs, true), 1);
    EXPECT_EQ(diag::FindDocument("C:\\nowhere\\main.c", docs, true), -1);
    EXPECT_EQ(diag::FindDocument("C:\\LONGNA~1\\util.c", docs, true, "d:\\x\\UTIL.C"), 2);
    EXPECT_EQ(diag::FindDocument("util.h", docs, false), -1);
    EXPECT_EQ(diag::FindDocument("main.c", {}, false), -1);
}
