#include "winui/splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A pane that takes its scroll bar from the splitter, as the editor's
// views do, and records the scrolling it receives.
class CPaneWnd : public winui::CWnd {
public:
    std::vector<std::string>* log = nullptr;
    HWND GetScrollBarCtrl(int bar) const override { return winui::SplitterScrollBar(m_hWnd, bar); }
    void OnVScroll(UINT code, UINT pos, HWND bar)
    {
        log->push_back(std::to_string(GetDlgCtrlID(m_hWnd) - 0xE900) + " v " + std::to_string(code) +
                       " " + std::to_string(pos) + " " +
                       std::to_string(bar == GetScrollBarCtrl(SB_VERT)));
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaneWnd, winui::CWnd)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

class CHostWnd : public winui::CWnd {};

struct SplitterFixture : testing::Test {
    CHostWnd host;
    winui::CSplitterWnd splitter;
    std::vector<std::string> log;
    int made = 0;

    void SetUp() override
    {
        winui::CWnd::RegisterClass("winui.splitter.host", 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(host.CreateEx(0, "winui.splitter.host", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 400, 300, nullptr, nullptr));
        winui::CWnd::RegisterClass("winui.splitter.pane", CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        splitter.m_createPane = [this](HWND parent, int, int, UINT id) -> HWND {
            auto* pane = new CPaneWnd;
            pane->log = &log;
            ++made;
            if (!pane->CreateEx(0, "winui.splitter.pane", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
                delete pane;
                return nullptr;
            }
            return pane->m_hWnd;
        };
    }
    void Place()
    {
        RECT client;
        host.GetClientRect(&client);
        MoveWindow(splitter, 0, 0, client.right, client.bottom, TRUE);
    }
    void Drag(POINT from, POINT to)
    {
        splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    RECT PaneRect(int row, int col)
    {
        RECT r{};
        HWND pane = splitter.GetPane(row, col);
        GetWindowRect(pane, &r);
        MapWindowPoints(nullptr, splitter, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(SplitterFixture, StaticGridPlacesPanesAndBarsAndFollowsTheDraggedBar)
{
    ASSERT_TRUE(splitter.CreateStatic(host, 2, 2, WS_CHILD | WS_VISIBLE | WS_VSCROLL));
    Place();
    EXPECT_EQ(made, 4);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            ASSERT_NE(splitter.GetPane(r, c), nullptr);
    EXPECT_EQ(GetDlgCtrlID(splitter.GetPane(1, 1)), 0xE911);
    RECT client;
    splitter.GetClientRect(&client);
    int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    // Equal halves, a gap between, the scroll bars at the right edge.
    RECT a = PaneRect(0, 0), d = PaneRect(1, 1);
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(a.top, 0);
    EXPECT_EQ(d.right, client.right - barWidth);
    EXPECT_EQ(d.bottom, client.bottom);
    EXPECT_EQ(PaneRect(1, 0).top, a.bottom + winui::CSplitterWnd::kBarSize);
    EXPECT_NEAR(splitter.GetRowHeight(0), splitter.GetRowHeight(1), 1);
    HWND bar1 = splitter.GetScrollBar(SB_VERT, 1);
    ASSERT_NE(bar1, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar1), 0xEA11);
    EXPECT_TRUE(IsWindowVisible(bar1));
    EXPECT_EQ(splitter.GetScrollBar(SB_HORZ, 0), nullptr);

    // Dragging the bar between the rows to y = 80.
    int gap = a.bottom + 2;
    Drag(POINT{50, gap}, POINT{50, 80});
    EXPECT_EQ(splitter.GetRowHeight(0), 80 - winui::CSplitterWnd::kBarSize / 2);
    // A static splitter keeps its rows: a drag to the top stops at the minimum.
    splitter.SetRowInfo(0, 40, 30);
    splitter.RecalcLayout();
    EXPECT_EQ(splitter.GetRowHeight(0), 40);
    Drag(POINT{50, 42}, POINT{50, 3});
    EXPECT_EQ(splitter.GetRowCount(), 2);
    EXPECT_EQ(splitter.GetRowHeight(0), 30);
    splitter.SetColumnInfo(0, 120, 10);
    splitter.RecalcLayout();
    EXPECT_EQ(PaneRect(0, 1).left, 120 + winui::CSplitterWnd::kBarSize);
}

TEST_F(SplitterFixture, ARowScrollBarScrollsEveryPaneOfItsRow)
{
    ASSERT_TRUE(splitter.CreateStatic(host, 2, 2, WS_CHILD | WS_VISIBLE | WS_VSCROLL));
    Place();
    HWND bar1 = splitter.GetScrollBar(SB_VERT, 1);
    splitter.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), reinterpret_cast<LPARAM>(bar1));
    EXPECT_EQ(log, (std::vector<std::string>{"16 v 5 40 1", "17 v 5 40 1"}));
    // The pane's own scroll calls reach its row's bar.
    auto* pane = winui::CWnd::FromHandle(splitter.GetPane(1, 0));
    pane->SetScrollRange(SB_VERT, 0, 100, FALSE);
    pane->SetScrollPos(SB_VERT, 33, FALSE);
    EXPECT_EQ(GetScrollPos(bar1, SB_CTL), 33);
    EXPECT_EQ(GetScrollPos(splitter.GetScrollBar(SB_VERT, 0), SB_CTL), 0);
}

TEST_F(SplitterFixture, DynamicSplitterSplitsFromItsBoxesAndJoinsWhenAPaneGetsTooSmall)
{
    ASSERT_TRUE(splitter.Create(host, 2, 2, SIZE{10, 10}));
    Place();
    EXPECT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(made, 1);
    // Both row bars exist from the start; the second shows with its row.
    HWND bar0 = splitter.GetScrollBar(SB_VERT, 0);
    HWND bar1 = splitter.GetScrollBar(SB_VERT, 1);
    ASSERT_NE(bar1, nullptr);
    EXPECT_FALSE(IsWindowVisible(bar1));
    RECT client;
    splitter.GetClientRect(&client);
    int right = client.right - 2;
    // The split box above the vertical bar: drag it down to y = 100.
    Drag(POINT{right, 2}, POINT{right, 100});
    ASSERT_EQ(splitter.GetRowCount(), 2);
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(IsWindowVisible(bar1));
    EXPECT_EQ(splitter.GetRowHeight(0), 100 - winui::CSplitterWnd::kBarSize / 2);
    EXPECT_FALSE(splitter.SplitRow(150)); // at the maximum
    // The column box left of the horizontal bar.
    Drag(POINT{2, client.bottom - 2}, POINT{150, client.bottom - 2});
    ASSERT_EQ(splitter.GetColumnCount(), 2);
    EXPECT_EQ(made, 4);

    // The focused pane is the active one.
    SetForegroundWindow(host);
    SetFocus(splitter.GetPane(1, 1));
    int row = -1, col = -1;
    ASSERT_TRUE(splitter.GetActivePane(&row, &col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 1);

    // Dragging the row bar almost to the top removes the upper row: the
    // lower panes move up and keep their windows.
    HWND lower = splitter.GetPane(1, 0);
    Drag(POINT{50, splitter.GetRowHeight(0) + 2}, POINT{50, 4});
    EXPECT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(splitter.GetPane(0, 0), lower);
    EXPECT_EQ(splitter.GetPane(1, 0), nullptr);
    EXPECT_FALSE(IsWindowVisible(bar1));
    EXPECT_TRUE(IsWindowVisible(bar0));
    // Dragging the column bar to the right edge removes the right column.
    Drag(POINT{splitter.GetColumnWidth(0) + 2, 50}, POINT{client.right - 3, 50});
    EXPECT_EQ(splitter.GetColumnCount(), 1);
    EXPECT_EQ(splitter.GetPane(0, 0), lower);
}

} // namespace
