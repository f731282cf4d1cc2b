#include "winui/app.h"
#include "winui/cmdui.h"
#include "winui/frame.h"
#include "winui/statusbar.h"
#include "winui/toolbar.h"

#include "test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CBarFrame : public winui::CFrameWnd {
public:
    winui::CToolBar toolBar;
    winui::CStatusBar statusBar;
    std::vector<std::string> log;
    bool canSave = false;
    bool barShown = true;
    int line = 7;

    void OnFileOpen() { log.push_back("open"); }
    void OnFileSave() { log.push_back("save"); }
    void OnUpdateFileSave(winui::CCmdUI* ui) { ui->Enable(canSave); }
    void OnUpdateViewBar(winui::CCmdUI* ui) { ui->SetCheck(barShown ? 1 : 0); }
    void OnUpdateLine(winui::CCmdUI* ui)
    {
        ui->SetText(("Ln " + std::to_string(line)).c_str());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, winui::CFrameWnd)
    ON_COMMAND(ID_FILE_OPEN, &CBarFrame::OnFileOpen)
    ON_COMMAND(ID_FILE_SAVE, &CBarFrame::OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, &CBarFrame::OnUpdateFileSave)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BAR, &CBarFrame::OnUpdateViewBar)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE, &CBarFrame::OnUpdateLine)
END_MESSAGE_MAP()

const UINT buttons[] = {ID_FILE_OPEN, 0, ID_FILE_SAVE, ID_VIEW_BAR};
const UINT indicators[] = {0, ID_INDICATOR_LINE, ID_INDICATOR_MODE};

struct BarsFixture : testing::Test {
    CBarFrame* frame = nullptr;
    void SetUp() override
    {
        frame = new CBarFrame;
        RECT r{0, 0, 600, 400};
        ASSERT_TRUE(frame->Create(winui::CFrameWnd::FrameClass(), "bars",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, &r));
        ASSERT_TRUE(frame->toolBar.Create(frame));
        ASSERT_TRUE(frame->toolBar.LoadBitmap(IDB_TOOLS));
        ASSERT_TRUE(frame->toolBar.SetButtons(buttons, 4));
        ASSERT_TRUE(frame->statusBar.Create(frame));
        ASSERT_TRUE(frame->statusBar.SetIndicators(indicators, 3));
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow(); // the frame deletes itself
    }
    RECT InFrame(HWND child)
    {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, *frame, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(BarsFixture, BarsStandAtTheFrameEdges)
{
    RECT client;
    frame->GetClientRect(&client);
    RECT tool = InFrame(frame->toolBar);
    RECT status = InFrame(frame->statusBar);
    EXPECT_EQ(tool.top, 0);
    EXPECT_EQ(tool.left, 0);
    EXPECT_EQ(tool.right, client.right);
    EXPECT_GT(tool.bottom, 15);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right, client.right);
    EXPECT_GT(status.bottom - status.top, 10);
    // Hiding the tool bar gives its room back.
    frame->ShowControlBar(&frame->toolBar, FALSE);
    EXPECT_FALSE(IsWindowVisible(frame->toolBar));
}

TEST_F(BarsFixture, ToolBarButtonsTipsCommandsAndUpdates)
{
    winui::CToolBar& bar = frame->toolBar;
    EXPECT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_FILE_OPEN));
    EXPECT_EQ(bar.GetItemID(1), 0u); // the separator
    EXPECT_EQ(bar.CommandToIndex(ID_VIEW_BAR), 3);
    EXPECT_EQ(bar.GetButtonTip(ID_FILE_OPEN), "Open");
    EXPECT_EQ(bar.GetButtonTip(ID_FILE_SAVE), "Save");
    EXPECT_EQ(winui::CommandTip(ID_VIEW_BAR), "");
    bar.SetButtonTip(ID_VIEW_BAR, "Tool bar on or off");
    EXPECT_EQ(bar.GetButtonTip(ID_VIEW_BAR), "Tool bar on or off");

    // A click on the first button arrives as the frame's command.
    RECT r;
    ASSERT_TRUE(bar.GetItemRect(0, &r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    bar.SendMessage(WM_LBUTTONUP, 0, at);
    winui::PumpWaitingMessages();
    EXPECT_EQ(frame->log, std::vector<std::string>{"open"});

    // Update handlers set the buttons' states.
    bar.OnUpdateCmdUI(frame, TRUE);
    EXPECT_TRUE(bar.IsButtonEnabled(ID_FILE_OPEN));
    EXPECT_FALSE(bar.IsButtonEnabled(ID_FILE_SAVE));
    EXPECT_TRUE(bar.IsButtonChecked(ID_VIEW_BAR));
    frame->canSave = true;
    frame->barShown = false;
    bar.OnUpdateCmdUI(frame, TRUE);
    EXPECT_TRUE(bar.IsButtonEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(bar.IsButtonChecked(ID_VIEW_BAR));
}

TEST_F(BarsFixture, StatusBarPanesTextsAndUpdates)
{
    winui::CStatusBar& bar = frame->statusBar;
    EXPECT_EQ(bar.GetCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_MODE), 2);
    EXPECT_EQ(bar.CommandToIndex(4711), -1);
    EXPECT_EQ(bar.GetPaneText(2), "OVR");
    // The first pane stretches; the others keep their widths at the right.
    RECT first, line, mode;
    ASSERT_TRUE(bar.GetItemRect(0, &first));
    ASSERT_TRUE(bar.GetItemRect(1, &line));
    ASSERT_TRUE(bar.GetItemRect(2, &mode));
    EXPECT_GT(first.right - first.left, 300);
    EXPECT_LE(first.right, line.left);
    EXPECT_LE(line.right, mode.left);
    EXPECT_TRUE(bar.SetPaneText(0, "Ready"));
    EXPECT_EQ(bar.GetPaneText(0), "Ready");
    UINT id = 0, style = 0;
    int width = 0;
    bar.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(id, static_cast<UINT>(ID_INDICATOR_LINE));
    bar.SetPaneInfo(1, ID_INDICATOR_LINE, style, width + 40);
    RECT wider;
    bar.GetItemRect(1, &wider);
    EXPECT_EQ(wider.right - wider.left, line.right - line.left + 40);
    // The pane with an update handler shows its text; the one without
    // keeps what it had.
    bar.OnUpdateCmdUI(frame, TRUE);
    EXPECT_EQ(bar.GetPaneText(1), "Ln 7");
    EXPECT_EQ(bar.GetPaneText(2), "OVR");
    EXPECT_EQ(bar.GetPaneText(0), "Ready");
}

} // namespace
