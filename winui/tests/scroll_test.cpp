#include "winui/wnd.h"

#include <gtest/gtest.h>

namespace {

// A window whose vertical bar may be a separate scroll bar control, as split
// panes share one.
class CSharedBarWnd : public winui::CWnd {
public:
    HWND shared = nullptr;
    HWND GetScrollBarCtrl(int bar) const override { return bar == SB_VERT ? shared : nullptr; }
};

TEST(ScrollBars, CallsGoToTheSharedBarWhenOneIsNamed)
{
    winui::CWnd::RegisterClass("winui.scroll");
    CSharedBarWnd w;
    ASSERT_TRUE(w.CreateEx(0, "winui.scroll", "", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, 200,
                           200, nullptr, nullptr));
    HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 16, 100, w, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bar, nullptr);

    w.SetScrollRange(SB_VERT, 0, 0x7fff);
    w.SetScrollPos(SB_VERT, 100);
    EXPECT_EQ(w.GetScrollPos(SB_VERT), 100);

    w.shared = bar;
    w.SetScrollRange(SB_VERT, 0, 0x7fff);
    w.SetScrollPos(SB_VERT, 5000);
    EXPECT_EQ(w.GetScrollPos(SB_VERT), 5000);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 5000);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 100); // the own bar is left alone

    SCROLLINFO si{};
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 0x7fff;
    si.nPage = 300;
    si.nPos = 700;
    w.SetScrollInfo(SB_VERT, &si);
    SCROLLINFO back{};
    back.fMask = SIF_ALL;
    ASSERT_TRUE(w.GetScrollInfo(SB_VERT, &back));
    EXPECT_EQ(back.nPage, 300u);
    EXPECT_EQ(back.nPos, 700);

    // The horizontal bar has no shared control: the window's own one is used.
    w.SetScrollRange(SB_HORZ, 0, 0x7fff);
    w.SetScrollPos(SB_HORZ, 12);
    EXPECT_EQ(GetScrollPos(w, SB_HORZ), 12);
}

TEST(Timers, SetTimerDeliversWmTimerUntilKilled)
{
    winui::CWnd::RegisterClass("winui.scroll");
    winui::CWnd w;
    ASSERT_TRUE(w.CreateEx(0, "winui.scroll", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_EQ(w.SetTimer(1, 10), 1u);
    MSG msg;
    DWORD until = GetTickCount() + 2000;
    bool seen = false;
    while (!seen && GetTickCount() < until) {
        if (PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE))
            seen = msg.wParam == 1;
        else
            Sleep(5);
    }
    EXPECT_TRUE(seen);
    EXPECT_TRUE(w.KillTimer(1));
    EXPECT_FALSE(w.KillTimer(1));
}

} // namespace
