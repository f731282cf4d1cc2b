// What CColorEdit draws, read back from the screen at the pixels that
// matter. Each picture is also saved under the build folder to be looked at.
#include "test_host.h"

#include "editor/editctl/color_table.h"
#include "winui/picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// A cell's top-right pixel: inside the cell, clear of its glyph's strokes
// and of a wide neighbour glyph reaching in from the left.
COLORREF cell_corner(const winui::CWindowPicture& pic, const CTestHost& host, int column,
                     int row)
{
    return pic.Pixel((column + 1) * host.edit.m_nCharWidth - 1, row * host.edit.m_nCharHeight);
}

winui::CWindowPicture snapshot(CTestHost& host, const char* name)
{
    host.edit.InvalidateText(1);
    host.edit.UpdateWindow();
    host.edit.HideCaret();
    winui::CWindowPicture pic;
    EXPECT_TRUE(pic.Capture(host.edit.m_hWnd));
    host.edit.ShowCaret();
    const char* dir = std::getenv("SUITE_BINARY_DIR");
    pic.SaveBmp(std::string(dir ? dir : ".") + "/" + name + ".bmp");
    return pic;
}

COLORREF entry(int index)
{
    return static_cast<COLORREF>(g_ColorTable[index]);
}

TEST(Painting, ColoursTabsAndStreamSelection)
{
    CTestHost host;
    host.edit.Core().m_bExpandTabs = 0;
    // Row 0: a tab, "x y"; row 1: "a b c d" partly selected.
    host.SetText("\tx y\ra b c d", 0);
    CTextState& s = host.edit.Core().State();
    for (int i = 0; i < 4; ++i)
        s.Attr()[i] = 0x20; // the tab's cells on background entry 18
    s.Attr()[5] = 0x10;     // the blank between x and y on entry 17
    host.edit.SetSel(9, 14, FALSE, TRUE);
    winui::CWindowPicture pic = snapshot(host, "coloredit_colours");

    // The tab takes its four cells, all in its attribute's background.
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(cell_corner(pic, host, c, 0), entry(18)) << c;
    EXPECT_EQ(cell_corner(pic, host, 4, 0), entry(16)); // "x", default attribute
    EXPECT_EQ(cell_corner(pic, host, 5, 0), entry(17));
    // Behind the line end: the control's background.
    EXPECT_EQ(cell_corner(pic, host, 20, 0), host.edit.Core().m_crBackground);
    // The selection covers " b c " (offsets 9-13 of row 1: columns 1-5).
    EXPECT_EQ(cell_corner(pic, host, 0, 1), entry(16));
    for (int c = 1; c < 6; ++c)
        EXPECT_EQ(cell_corner(pic, host, c, 1), entry(31)) << c;
    EXPECT_EQ(cell_corner(pic, host, 6, 1), entry(16));
    // Below the text.
    EXPECT_EQ(cell_corner(pic, host, 0, 5), host.edit.Core().m_crBackground);
}

TEST(Painting, SelectionOverALineBreakHighlightsOneCell)
{
    CTestHost host;
    host.SetText("ab\rcd", 1, 4);
    winui::CWindowPicture pic = snapshot(host, "coloredit_break_selection");
    EXPECT_EQ(cell_corner(pic, host, 1, 0), entry(31));
    EXPECT_EQ(cell_corner(pic, host, 2, 0), entry(31)); // the CR's cell
    EXPECT_EQ(cell_corner(pic, host, 3, 0), host.edit.Core().m_crBackground);
    EXPECT_EQ(cell_corner(pic, host, 0, 1), entry(31));
    EXPECT_EQ(cell_corner(pic, host, 1, 1), entry(16));
}

TEST(Painting, SoftBreakAndFormFeedGlyphsOnRed)
{
    CTestHost host;
    host.SetText("abcdefgh\r\x0cz", 0);
    host.edit.SetWordWrap(5, false);
    ASSERT_EQ(host.Text(), std::string("abcde\x02" "fgh\r\x0cz"));
    winui::CWindowPicture pic = snapshot(host, "coloredit_breaks");
    EXPECT_EQ(cell_corner(pic, host, 5, 0), RGB(255, 0, 0));
    EXPECT_EQ(cell_corner(pic, host, 6, 0), host.edit.Core().m_crBackground);
    EXPECT_EQ(cell_corner(pic, host, 0, 2), RGB(255, 0, 0));
    EXPECT_EQ(cell_corner(pic, host, 1, 2), entry(16));
}

TEST(Painting, ColumnBlockCellsAndTheAreaBeyondLineEnds)
{
    CTestHost host;
    host.SetText("abcdef\rab\rabcdef", 0);
    CTextState& s = host.edit.Core().State();
    s.columnMode = 1;
    s.columnRect.left = 1 * host.edit.m_nCharWidth;
    s.columnRect.right = 5 * host.edit.m_nCharWidth;
    s.columnRect.top = 0;
    s.columnRect.bottom = 3 * host.edit.m_nCharHeight;
    winui::CWindowPicture pic = snapshot(host, "coloredit_block");
    EXPECT_EQ(cell_corner(pic, host, 0, 0), entry(16));
    EXPECT_EQ(cell_corner(pic, host, 1, 0), entry(31));
    EXPECT_EQ(cell_corner(pic, host, 4, 0), entry(31));
    EXPECT_EQ(cell_corner(pic, host, 5, 0), entry(16));
    EXPECT_EQ(cell_corner(pic, host, 1, 1), entry(31));
    EXPECT_EQ(cell_corner(pic, host, 2, 1), entry(31)); // the line end's cell
    EXPECT_EQ(cell_corner(pic, host, 3, 1), entry(30)); // beyond the line end
    EXPECT_EQ(cell_corner(pic, host, 4, 1), entry(30));
    EXPECT_EQ(cell_corner(pic, host, 3, 2), entry(31));
}

TEST(Painting, HorizontalScrollDrawsFromTheFirstVisibleColumn)
{
    CTestHost host;
    host.SetText("0123456789", 0);
    CTextState& s = host.edit.Core().State();
    s.Attr()[2] = 0x20;
    s.Attr()[3] = 0x30;
    host.edit.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    ASSERT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 3);
    winui::CWindowPicture pic = snapshot(host, "coloredit_hscroll");
    EXPECT_EQ(cell_corner(pic, host, 0, 0), entry(19)); // column 3 at x = 0
    EXPECT_EQ(cell_corner(pic, host, 1, 0), entry(16));
}

TEST(Painting, TypingRepaintsTheChangedLine)
{
    CTestHost host;
    host.SetText("ab\rcd", 2);
    host.edit.UpdateWindow();
    host.Type("x");
    host.edit.SendMessage(EDN_RECOLOUR, 0, 0);
    CTextState& s = host.edit.Core().State();
    s.Attr()[2] = 0x20;
    // Repainting only from the caret's line draws the new cell.
    host.edit.InvalidateText(0);
    host.edit.UpdateWindow();
    host.edit.HideCaret();
    winui::CWindowPicture pic;
    ASSERT_TRUE(pic.Capture(host.edit.m_hWnd));
    EXPECT_EQ(cell_corner(pic, host, 2, 0), entry(18));
    EXPECT_EQ(cell_corner(pic, host, 0, 1), entry(16));
}

// A new size lays the page out anew: all of the client is drawn again, not
// only the part the system sees as newly exposed, whose old bits may have
// been copied from wherever the window was (covered parts included).
TEST(Painting, ANewSizeRedrawsTheWholePage)
{
    CTestHost host;
    host.SetText("ab\rcd", 0);
    host.edit.UpdateWindow();
    RECT rc;
    GetWindowRect(host.edit.m_hWnd, &rc);
    for (int grow : {40, -60}) {
        ValidateRect(host.edit.m_hWnd, nullptr);
        SetWindowPos(host.edit.m_hWnd, nullptr, 0, 0, rc.right - rc.left + grow, rc.bottom - rc.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(host.edit.m_hWnd, update, FALSE);
        EXPECT_TRUE(PtInRegion(update, 1, 1)) << grow;
        DeleteObject(update);
        host.edit.UpdateWindow();
    }
}

} // namespace
