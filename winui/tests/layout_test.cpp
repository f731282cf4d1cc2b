// The frame layout: bars at the edges in the order they were made, the
// client in the rest.
#include "winui/controlbar.h"
#include "winui/frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// A bar that reports a fixed thickness.
class CTestBar : public winui::CControlBar {
public:
    int thickness = 0;
    SIZE CalcFixedLayout(BOOL, BOOL horz) override
    {
        return horz ? SIZE{10, thickness} : SIZE{thickness, 10};
    }
    bool Make(winui::CFrameWnd* frame, DWORD align, int thick, UINT id, bool visible = true)
    {
        thickness = thick;
        const char* cls = RegisterClass("winui.test.bar");
        return CreateBar(0, cls, "", WS_CHILD | (visible ? WS_VISIBLE : 0) | align, frame, id);
    }
};

RECT placed(HWND child, HWND parent)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void expect_rect(const RECT& r, LONG l, LONG t, LONG rt, LONG b, const char* what)
{
    EXPECT_EQ(r.left, l) << what;
    EXPECT_EQ(r.top, t) << what;
    EXPECT_EQ(r.right, rt) << what;
    EXPECT_EQ(r.bottom, b) << what;
}

struct LayoutFrame : ::testing::Test {
    winui::CFrameWnd frame;
    HWND client = nullptr;
    RECT area{};
    void SetUp() override
    {
        frame.m_bAutoDelete = FALSE;
        RECT rc{0, 0, 400, 300};
        ASSERT_TRUE(frame.Create(nullptr, "layout", WS_OVERLAPPEDWINDOW, &rc));
        client = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, frame.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(winui::AFX_IDW_PANE_FIRST)),
                                 GetModuleHandleA(nullptr), nullptr);
        GetClientRect(frame.m_hWnd, &area);
    }
    void TearDown() override { frame.DestroyWindow(); }
};

TEST_F(LayoutFrame, BarsTakeTheEdgesInCreationOrderAndTheClientTheRest)
{
    CTestBar tool, second, status, left, right;
    ASSERT_TRUE(tool.Make(&frame, winui::CBRS_TOP, 20, winui::AFX_IDW_TOOLBAR));
    ASSERT_TRUE(status.Make(&frame, winui::CBRS_BOTTOM, 16, winui::AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(second.Make(&frame, winui::CBRS_TOP, 12, winui::AFX_IDW_TOOLBAR + 1));
    ASSERT_TRUE(left.Make(&frame, winui::CBRS_LEFT, 30, 0xE810));
    ASSERT_TRUE(right.Make(&frame, winui::CBRS_RIGHT, 25, 0xE811));
    // CreateBar keeps the bar bits out of the window style.
    EXPECT_EQ(tool.GetStyle() & 0xFFFF, 0u);
    EXPECT_EQ(tool.GetBarStyle(), winui::CBRS_TOP);
    frame.RecalcLayout();
    LONG w = area.right, h = area.bottom;
    expect_rect(placed(tool.m_hWnd, frame.m_hWnd), 0, 0, w, 20, "first top bar");
    expect_rect(placed(status.m_hWnd, frame.m_hWnd), 0, h - 16, w, h, "status bar");
    expect_rect(placed(second.m_hWnd, frame.m_hWnd), 0, 20, w, 32, "second top bar");
    expect_rect(placed(left.m_hWnd, frame.m_hWnd), 0, 32, 30, h - 16, "left bar");
    expect_rect(placed(right.m_hWnd, frame.m_hWnd), w - 25, 32, w, h - 16, "right bar");
    expect_rect(placed(client, frame.m_hWnd), 30, 32, w - 25, h - 16, "client");
}

TEST_F(LayoutFrame, HiddenAndFloatingBarsTakeNoRoomAndShowingABarRelaysOut)
{
    CTestBar tool, hidden, floating;
    ASSERT_TRUE(tool.Make(&frame, winui::CBRS_TOP, 20, winui::AFX_IDW_TOOLBAR));
    ASSERT_TRUE(hidden.Make(&frame, winui::CBRS_TOP, 40, winui::AFX_IDW_TOOLBAR + 1, false));
    ASSERT_TRUE(floating.Make(&frame, winui::CBRS_BOTTOM | winui::CBRS_FLOATING, 50, 0xE812));
    frame.RecalcLayout();
    LONG w = area.right, h = area.bottom;
    expect_rect(placed(client, frame.m_hWnd), 0, 20, w, h, "client with one bar");
    frame.ShowControlBar(&hidden, TRUE);
    expect_rect(placed(client, frame.m_hWnd), 0, 60, w, h, "client below both bars");
    frame.ShowControlBar(&tool, FALSE);
    expect_rect(placed(hidden.m_hWnd, frame.m_hWnd), 0, 0, w, 40, "the other bar moves up");
    expect_rect(placed(client, frame.m_hWnd), 0, 40, w, h, "client");
}

TEST_F(LayoutFrame, TheFrameLaysOutWhenItIsSizedAndBarsNeverGrowPastTheFrame)
{
    CTestBar tall;
    ASSERT_TRUE(tall.Make(&frame, winui::CBRS_TOP, 5000, winui::AFX_IDW_TOOLBAR));
    SetWindowPos(frame.m_hWnd, nullptr, 0, 0, 500, 350, SWP_NOZORDER | SWP_NOMOVE);
    RECT now;
    GetClientRect(frame.m_hWnd, &now);
    expect_rect(placed(tall.m_hWnd, frame.m_hWnd), 0, 0, now.right, now.bottom, "bar cut to the frame");
    RECT c = placed(client, frame.m_hWnd);
    EXPECT_EQ(c.bottom - c.top, 0);
}

TEST_F(LayoutFrame, AMeasuringLayoutMovesNothing)
{
    CTestBar tool;
    ASSERT_TRUE(tool.Make(&frame, winui::CBRS_TOP, 20, winui::AFX_IDW_TOOLBAR));
    frame.RecalcLayout();
    tool.thickness = 33;
    RECT free;
    winui::RepositionBars(frame.m_hWnd, winui::AFX_IDW_PANE_FIRST, nullptr, &free);
    EXPECT_EQ(free.top, 33);
    RECT bar = placed(tool.m_hWnd, frame.m_hWnd);
    EXPECT_EQ(bar.bottom, 20);
}

// A standard control made a bar: the status bar control, subclassed by
// CreateBar, placed by the frame's layout.
class CStatusLine : public winui::CControlBar {
public:
    SIZE CalcFixedLayout(BOOL, BOOL) override { return SIZE{0, 22}; }
};

TEST_F(LayoutFrame, ACommonControlBecomesABarOfTheLayout)
{
    InitCommonControls();
    CStatusLine status;
    ASSERT_TRUE(status.CreateBar(0, STATUSCLASSNAMEA, "ready",
                                 WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM, &frame,
                                 winui::AFX_IDW_STATUS_BAR, CCS_NOPARENTALIGN | CCS_NORESIZE));
    EXPECT_EQ(status.GetStyle() & 0xFFFF, static_cast<DWORD>(CCS_NOPARENTALIGN | CCS_NORESIZE));
    EXPECT_EQ(winui::CWnd::FromHandle(status.m_hWnd), &status);
    EXPECT_EQ(status.GetBarStyle(), winui::CBRS_BOTTOM);
    char text[16] = {};
    SendMessageA(status.m_hWnd, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "ready");
    frame.RecalcLayout();
    LONG w = area.right, h = area.bottom;
    expect_rect(placed(status.m_hWnd, frame.m_hWnd), 0, h - 22, w, h, "status line");
    expect_rect(placed(client, frame.m_hWnd), 0, 0, w, h - 22, "client");
}

} // namespace
