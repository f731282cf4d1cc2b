// Drag selection, auto-scroll, word selection, column blocks with Alt and
// the button-up notifications of CColorEdit.
#include "test_host.h"

#include "winui/clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void drag(CTestHost& host, POINT from, POINT to, int modifiers = 0)
{
    host.Mouse(WM_LBUTTONDOWN, from.x, from.y, modifiers);
    host.Mouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2, modifiers);
    host.Mouse(WM_MOUSEMOVE, to.x, to.y, modifiers);
}

TEST(MouseDrag, SelectsFromTheAnchorEitherWay)
{
    CTestHost host;
    host.SetText("abcdefgh\rijklmnop", 0);
    drag(host, host.Cell(2, 0), host.Cell(3, 1));
    EXPECT_EQ(host.SelStart(), 2);
    EXPECT_EQ(host.SelEnd(), 12);
    host.ClearLog();
    POINT up = host.Cell(3, 1);
    host.Mouse(WM_LBUTTONUP, up.x, up.y);
    ASSERT_NE(host.Last(EDN_MOUSESELECT), nullptr);

    drag(host, host.Cell(6, 1), host.Cell(1, 0));
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 15);
    EXPECT_EQ(host.Caret().x, 1);
    EXPECT_EQ(host.Caret().y, 0);
}

TEST(MouseDrag, NearestCellBoundaryCounts)
{
    CTestHost host;
    host.SetText("abcdefgh", 0);
    int cw = host.edit.m_nCharWidth;
    POINT from = host.Cell(1, 0);
    POINT to{4 * cw + cw - 1, from.y}; // far into cell 4: the boundary after it
    drag(host, from, to);
    EXPECT_EQ(host.SelEnd(), 5);
}

TEST(MouseDrag, WithThreeClicksTheActivatingClickNeverSelects)
{
    CTestHost host;
    host.SetText("abcdefgh", 0);
    GetColorEditSettings().noClicks = 3;
    SetFocus(host.view->m_hWnd);
    POINT a = host.Cell(1, 0), b = host.Cell(5, 0);
    host.Mouse(WM_LBUTTONDOWN, a.x, a.y);
    MSG msg;
    while (PeekMessageA(&msg, host.edit.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE))
        DispatchMessageA(&msg);
    host.Mouse(WM_MOUSEMOVE, b.x, b.y);
    host.Mouse(WM_MOUSEMOVE, b.x + 1, b.y);
    host.Mouse(WM_LBUTTONUP, b.x, b.y);
    EXPECT_EQ(host.SelStart(), host.SelEnd());
    drag(host, a, b);
    host.Mouse(WM_LBUTTONUP, b.x, b.y);
    GetColorEditSettings().noClicks = 2;
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 5);
}

TEST(MouseDrag, AutoScrollBelowTheWindow)
{
    CTestHost host(WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 40);
    host.SetText(NumberedLines(60).c_str(), 0);
    int bottom = host.edit.Core().m_nVisibleLines * host.edit.m_nCharHeight;
    drag(host, host.Cell(0, 0), POINT{5, bottom + 10});
    EXPECT_EQ(host.edit.m_nAutoScrollTimer, 1u);
    EXPECT_EQ(host.edit.m_nAutoScrollStep, 1);
    {
        CHeldModifiers button(0, true);
        host.edit.SendMessage(WM_TIMER, 1, 0);
    }
    EXPECT_EQ(host.edit.GetTopLine(), 1u);
    EXPECT_EQ(host.edit.Core().LineFromOffset(host.SelEnd()), 10);
    EXPECT_EQ(host.SelStart(), 0);

    host.Mouse(WM_MOUSEMOVE, 5, bottom + 30);
    EXPECT_EQ(host.edit.m_nAutoScrollStep, 4);
    {
        CHeldModifiers button(0, true);
        host.edit.SendMessage(WM_TIMER, 1, 0);
    }
    EXPECT_EQ(host.edit.GetTopLine(), 5u);
    EXPECT_EQ(host.edit.Core().LineFromOffset(host.SelEnd()), 14);

    // Released: the next tick ends the auto-scroll.
    host.edit.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(host.edit.m_nAutoScrollTimer, 0u);
    EXPECT_EQ(host.edit.GetTopLine(), 5u);
}

TEST(MouseDrag, ButtonUpAndNonClientClickStopAutoScroll)
{
    CTestHost host(WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 40);
    host.SetText(NumberedLines(60).c_str(), 0);
    int bottom = host.edit.Core().m_nVisibleLines * host.edit.m_nCharHeight;
    drag(host, host.Cell(0, 0), POINT{5, bottom + 10});
    ASSERT_NE(host.edit.m_nAutoScrollTimer, 0u);
    host.edit.SendMessage(WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_EQ(host.edit.m_nAutoScrollTimer, 0u);
    drag(host, host.Cell(0, 0), POINT{5, bottom + 10});
    ASSERT_NE(host.edit.m_nAutoScrollTimer, 0u);
    host.Mouse(WM_LBUTTONUP, 5, bottom + 10);
    EXPECT_EQ(host.edit.m_nAutoScrollTimer, 0u);
    EXPECT_EQ(host.edit.m_bButtonDown, 0);
}

TEST(MouseDrag, AutoCopyPutsTheSelectionOnTheClipboard)
{
    CTestHost host;
    host.SetText("copy me", 0);
    {
        winui::CClipboard clip(nullptr);
        clip.Empty();
    }
    GetColorEditSettings().autoCopy = 1;
    drag(host, host.Cell(0, 0), host.Cell(4, 0));
    POINT up = host.Cell(4, 0);
    host.Mouse(WM_LBUTTONUP, up.x, up.y);
    GetColorEditSettings().autoCopy = 0;
    winui::CClipboard clip(nullptr);
    std::string text;
    ASSERT_TRUE(clip.GetText(text));
    EXPECT_EQ(text, "copy");
}

struct WordCase {
    const char* text;
    int column;
    int wantStart, wantEnd;
};

TEST(WordSelection, DoubleClickSelectsTheWordUnderThePointer)
{
    const WordCase cases[] = {
        {"abc_1+x", 1, 0, 5},
        {"abc_1+x", 6, 6, 7},
        {"one   two", 4, 4, 4},                  // a blank: nothing
        {"gr\xF6\xDF" "e \xC4pfel", 7, 6, 11}, // umlauts belong to words
    };
    for (const WordCase& c : cases) {
        CTestHost host;
        host.SetText(c.text, 0);
        POINT pt = host.Cell(c.column, 0);
        host.Mouse(WM_LBUTTONDOWN, pt.x, pt.y);
        host.Mouse(WM_LBUTTONUP, pt.x, pt.y);
        host.ClearLog();
        host.Mouse(WM_LBUTTONDBLCLK, pt.x, pt.y);
        EXPECT_EQ(host.SelStart(), c.wantStart) << c.text;
        EXPECT_EQ(host.SelEnd(), c.wantEnd) << c.text;
        EXPECT_EQ(host.Count(EDN_MOUSESELECT), c.wantStart != c.wantEnd ? 1 : 0) << c.text;
    }
}

TEST(WordSelection, DraggingOutOfTheWordExtendsIt)
{
    CTestHost host;
    host.SetText("alpha beta gamma", 0);
    POINT pt = host.Cell(7, 0);
    host.Mouse(WM_LBUTTONDOWN, pt.x, pt.y);
    host.Mouse(WM_LBUTTONUP, pt.x, pt.y);
    host.Mouse(WM_LBUTTONDBLCLK, pt.x, pt.y);
    ASSERT_EQ(host.SelStart(), 6);
    ASSERT_EQ(host.SelEnd(), 10);
    POINT beyond = host.Cell(13, 0);
    host.Mouse(WM_MOUSEMOVE, beyond.x, beyond.y);
    EXPECT_EQ(host.SelStart(), 6);
    EXPECT_EQ(host.SelEnd(), 13);
    host.Mouse(WM_LBUTTONUP, beyond.x, beyond.y);
    EXPECT_EQ(host.edit.m_bMultiClick, 0);
}

TEST(ColumnBlock, AltDragMakesABlock)
{
    CTestHost host;
    host.SetText("abcdef\rabcdef\rabcdef", 0);
    drag(host, host.Cell(1, 0), host.Cell(4, 1), KEYMOD_ALT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 2);
    const CTextRect& block = host.edit.Core().State().columnRect;
    EXPECT_EQ(block.left, 1 * host.edit.m_nCharWidth);
    EXPECT_EQ(block.right, 4 * host.edit.m_nCharWidth);
    EXPECT_EQ(block.top, 0);
    EXPECT_EQ(block.bottom, 2 * host.edit.m_nCharHeight);
    host.edit.Copy(0);
    winui::CClipboard clip(nullptr);
    std::string text;
    clip.GetText(text);
    EXPECT_EQ(text, "bcd\r\nbcd");
    clip.Close();
    // A click without Alt leaves column mode.
    host.Click(0, 2);
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
}

TEST(ColumnBlock, AltKeysGrowABlockFromTheCaret)
{
    CTestHost host;
    host.SetText("abcdef\rabcdef\rabcdef", 1);
    host.Key(VK_RIGHT, KEYMOD_ALT);
    host.Key(VK_RIGHT, KEYMOD_ALT);
    host.Key(VK_DOWN, KEYMOD_ALT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 2);
    const CTextRect& block = host.edit.Core().State().columnRect;
    EXPECT_EQ(block.left, 1 * host.edit.m_nCharWidth);
    EXPECT_EQ(block.right, 3 * host.edit.m_nCharWidth);
    EXPECT_EQ(block.bottom, 2 * host.edit.m_nCharHeight);
    EXPECT_EQ(host.Caret().x, 3);
    EXPECT_EQ(host.Caret().y, 1);
}

TEST(ColumnBlock, AltDownWithAStreamOverTwoLinesOnlyDefaults)
{
    CTestHost host;
    host.SetText("abcdef\rabcdef\rabcdef", 2, 10);
    host.Key(VK_DOWN, KEYMOD_ALT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
    EXPECT_EQ(host.SelStart(), 2);
    EXPECT_EQ(host.SelEnd(), 10);
    // Without a selection and column mode, Alt+Down does nothing either.
    host.SetText("abcdef\rabcdef", 2);
    host.Key(VK_DOWN, KEYMOD_ALT);
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
}

} // namespace
