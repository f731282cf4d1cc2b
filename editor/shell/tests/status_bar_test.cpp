// The status bar's browser pane in a frame of the test process: it
// animates while the background job runs, shows "B" once it has finished,
// and gives its place to the progress bar while a long operation runs.
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/resource.h"

#include "winui/frame.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// Pixels of the animation's dot (blue) inside pane 1 as it stands on the
// screen.
int BluePixelsOfPane(const CEditorStatusBar& bar)
{
    RECT rc{};
    bar.GetItemRect(CEditorStatusBar::kProgressPane, &rc);
    HDC dc = GetDC(bar.m_hWnd);
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) > 160)
                ++count;
        }
    ReleaseDC(bar.m_hWnd, dc);
    return count;
}

TEST(EditorStatusBar, BrowserPaneAnimatesUntilTheJobHasFinishedAndYieldsToTheProgressBar)
{
    winui::CFrameWnd frame;
    RECT place{0, 0, 800, 300};
    ASSERT_TRUE(frame.Create(winui::CFrameWnd::FrameClass(), "status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, &place));
    CEditorStatusBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM, winui::AFX_IDW_STATUS_BAR));
    frame.RecalcLayout();
    Pump(200);

    // At the start the pane belongs to the browser, which has nothing to do.
    EXPECT_EQ(bar.GetItemID(CEditorStatusBar::kProgressPane), static_cast<UINT>(ID_INDICATOR_ANIM));
    EXPECT_TRUE(bar.BrowserDone());
    EXPECT_EQ(BluePixelsOfPane(bar), 0);

    bool finished = false, stopAsked = false;
    CPaneJob job;
    job.finished = [&] { return finished; };
    job.stopRequested = [&] { return stopAsked; };
    job.requestStop = [&] { stopAsked = true; };
    bar.StartPaneAnimation(job);
    EXPECT_FALSE(bar.BrowserDone());
    int first = bar.CurrentBitmap();
    Pump(700);
    EXPECT_NE(bar.CurrentBitmap(), first);
    EXPECT_GT(BluePixelsOfPane(bar), 0);

    // A long operation: the progress bar takes the pane and gives it back.
    bar.ShowProgress(true);
    EXPECT_EQ(bar.GetItemID(CEditorStatusBar::kProgressPane), static_cast<UINT>(ID_INDICATOR_PROGRESS));
    HWND progress = FindWindowExA(bar.m_hWnd, nullptr, PROGRESS_CLASSA, nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(IsWindowVisible(progress));
    bar.ShowProgress(false);
    EXPECT_EQ(bar.GetItemID(CEditorStatusBar::kProgressPane), static_cast<UINT>(ID_INDICATOR_ANIM));
    EXPECT_FALSE(IsWindowVisible(progress));

    // The job ends: the next tick shows "B" and the animation stops.
    finished = true;
    Pump(500);
    EXPECT_TRUE(bar.BrowserDone());
    int last = bar.CurrentBitmap();
    Pump(500);
    EXPECT_EQ(bar.CurrentBitmap(), last);
    InvalidateRect(bar.m_hWnd, nullptr, TRUE);
    UpdateWindow(bar.m_hWnd);
    EXPECT_EQ(BluePixelsOfPane(bar), 0);
    frame.DestroyWindow();
}

} // namespace
