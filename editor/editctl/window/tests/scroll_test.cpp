// Caret placement by clicks, scrolling by lines, pages, the scroll bars and
// the wheel, and the scroll notifications of CColorEdit.
#include "test_host.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD both_bars = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL;

int vpos(const CTestHost& host)
{
    return GetScrollPos(host.edit.m_hWnd, SB_VERT);
}

TEST(Scrolling, LinesStopWithTwoThirdsOfTheWindowBelowTheText)
{
    CTestHost host(both_bars, 30, 40);
    host.SetText(NumberedLines(100).c_str(), 0);
    ASSERT_EQ(host.edit.Core().m_nVisibleLines, 30);
    for (int i = 0; i < 120; ++i)
        host.edit.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 90u);
    const HostMessage* m = host.Last(EDN_SHAREDSCROLL);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->lParam, SB_LINEDOWN);
    EXPECT_EQ(static_cast<int>(m->wParam), static_cast<int>(90.0 / 100 * 0x7fff));
    // The bar's thumb (a page of 31 lines) stands at its end.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(host.edit.m_hWnd, SB_VERT, &si);
    EXPECT_EQ(si.nPage, static_cast<UINT>(31.0 / 100 * 0x7fff));
    EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
}

TEST(Scrolling, ScrollBarPagesTopBottomAndThumb)
{
    CTestHost host(both_bars, 10, 40);
    host.SetText(NumberedLines(25).c_str(), 0);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 10u);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 20u);
    // Fewer than a page below: to the bottom limit, 25 - 10 / 3.
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 22u);
    // Bottom is the last page; it never moves a view further down back up.
    host.edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 22u);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 12u);
    host.edit.SendMessage(WM_VSCROLL, SB_TOP, 0);
    host.edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 15u);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 5u);
    host.edit.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
    host.edit.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0x7fff), 0);
    EXPECT_EQ(host.edit.GetTopLine(), 22u); // the limit: 25 - 10 / 3
    host.edit.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
    EXPECT_EQ(host.Last(EDN_SHAREDSCROLL)->lParam, SB_THUMBPOSITION);
}

TEST(Scrolling, WheelScrollsThreeLinesANotch)
{
    CTestHost host(both_bars, 10, 40);
    host.SetText(NumberedLines(40).c_str(), 0);
    host.ClearLog();
    host.edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(host.edit.GetTopLine(), 3u);
    EXPECT_GE(host.Count(EDN_CARETMOVED), 1);
    host.edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);

    host.SetText("short\rtext", 0);
    host.edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
}

TEST(Scrolling, PageKeysKeepTheCaretRow)
{
    CTestHost host(both_bars, 10, 40);
    host.SetText(NumberedLines(50).c_str(), 0);
    host.Key(VK_DOWN);
    host.Key(VK_DOWN);
    host.ClearLog();
    host.Key(VK_NEXT);
    EXPECT_EQ(host.edit.GetTopLine(), 10u);
    EXPECT_EQ(host.edit.Core().LineFromOffset(host.SelStart()), 12);
    EXPECT_EQ(host.Caret().y, 2);
    ASSERT_NE(host.Last(EDN_SHAREDSCROLL), nullptr);
    EXPECT_EQ(host.Last(EDN_SHAREDSCROLL)->lParam, 3);
    host.Key(VK_NEXT, KEYMOD_SHIFT);
    EXPECT_EQ(host.edit.GetTopLine(), 20u);
    EXPECT_EQ(host.edit.Core().LineFromOffset(host.SelEnd()), 22);
    EXPECT_EQ(host.edit.Core().LineFromOffset(host.SelStart()), 12);
    host.Key(VK_PRIOR);
    EXPECT_EQ(host.edit.GetTopLine(), 10u);
    EXPECT_EQ(host.SelStart(), host.SelEnd());
    EXPECT_EQ(host.Last(EDN_SHAREDSCROLL)->lParam, 2);
    host.Key(VK_PRIOR);
    host.Key(VK_PRIOR);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
    EXPECT_EQ(host.SelStart(), 0);
}

TEST(Scrolling, PageDownOnTheLastPageDoesNothing)
{
    CTestHost host(both_bars, 10, 40);
    host.SetText(NumberedLines(20).c_str(), 0);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_EQ(host.edit.GetTopLine(), 10u);
    host.edit.SetSel(host.edit.Core().GetLineOffset(13), host.edit.Core().GetLineOffset(13), FALSE, TRUE);
    int before = host.SelStart();
    host.Key(VK_NEXT);
    EXPECT_EQ(host.edit.GetTopLine(), 10u);
    EXPECT_EQ(host.SelStart(), before);
}

TEST(Scrolling, CtrlEndScrollsOnlyWhenTheLastLineIsHidden)
{
    CTestHost host(both_bars, 10, 40);
    host.SetText(NumberedLines(5).c_str(), 0);
    host.Key(VK_END, KEYMOD_CTRL);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
    EXPECT_EQ(host.Caret().y, 4);

    host.SetText(NumberedLines(30).c_str(), 0);
    host.Key(VK_HOME, KEYMOD_CTRL);
    host.Key(VK_END, KEYMOD_CTRL);
    EXPECT_EQ(host.edit.GetTopLine(), 20u);
    EXPECT_EQ(host.Caret().y, 9);
    EXPECT_EQ(host.SelStart(), host.edit.GetTextLength());
    host.Key(VK_HOME, KEYMOD_CTRL);
    EXPECT_EQ(host.edit.GetTopLine(), 0u);
    EXPECT_EQ(vpos(host), 0);
}

TEST(Scrolling, HorizontalBarAndMakeColumnVisible)
{
    CTestHost host(WS_CHILD | WS_VISIBLE | WS_HSCROLL, 10, 80);
    ASSERT_EQ(host.edit.m_nVisibleColumns, 80);
    host.SetText(std::string(150, 'x').c_str(), 0);
    host.edit.SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 0);
    host.edit.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 1);
    host.edit.SendMessage(WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 0);
    EXPECT_EQ(host.edit.MakeColumnVisible(100), 1);
    EXPECT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 40);
    EXPECT_EQ(host.edit.MakeColumnVisible(100), 0);
    EXPECT_EQ(host.edit.MakeColumnVisible(5), 1);
    EXPECT_EQ(GetScrollPos(host.edit.m_hWnd, SB_HORZ), 0);
}

TEST(Clicks, PlaceTheCaretOnTheTextModel)
{
    CTestHost host;
    host.SetText("ab\ra\tb\rlast", 0);
    // Right of a short line's end: before its CR.
    host.Click(20, 0);
    EXPECT_EQ(host.SelStart(), 2);
    // The second cell of a tab: the tab byte.
    host.Click(2, 1);
    EXPECT_EQ(host.SelStart(), 4);
    EXPECT_EQ(host.Caret().x, 1);
    // Below the last line: the end of the text.
    host.Click(1, 8);
    EXPECT_EQ(host.SelStart(), host.edit.GetTextLength());
    EXPECT_EQ(host.Caret().y, 2);
    EXPECT_EQ(host.SelEnd(), host.SelStart());
}

TEST(Clicks, ShiftClickExtendsTheSelection)
{
    CTestHost host;
    host.SetText("abcdefgh", 2);
    host.Click(6, 0, KEYMOD_SHIFT);
    EXPECT_EQ(host.SelStart(), 2);
    EXPECT_EQ(host.SelEnd(), 6);
    host.Click(1, 0, KEYMOD_SHIFT);
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 6);
    host.Click(4, 0);
    EXPECT_EQ(host.SelStart(), 4);
    EXPECT_EQ(host.SelEnd(), 4);
}

TEST(Clicks, FirstClickIntoAnUnfocusedControlFocusesThenActs)
{
    CTestHost host;
    host.SetText("abcdef", 0);
    SetFocus(host.view->m_hWnd);
    ASSERT_EQ(host.edit.m_nClickCount, 0);
    POINT pt = host.Cell(3, 0);
    host.Mouse(WM_LBUTTONDOWN, pt.x, pt.y);
    EXPECT_EQ(GetFocus(), host.edit.m_hWnd);
    EXPECT_EQ(host.SelStart(), 0); // reposted, not yet done
    MSG msg;
    while (PeekMessageA(&msg, host.edit.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(host.SelStart(), 3);
}

TEST(Scrolling, SharedScrollBarTakesThePosition)
{
    CTestHost host(both_bars, 10, 40);
    HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 16, 100,
                               host.view->m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    host.edit.SetSharedScrollBars(nullptr, bar);
    host.SetText(NumberedLines(40).c_str(), 0);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), static_cast<int>(10.0 / 40 * 0x7fff));
    host.edit.SetSharedScrollBars(nullptr, nullptr);
    DestroyWindow(bar);
}

} // namespace
