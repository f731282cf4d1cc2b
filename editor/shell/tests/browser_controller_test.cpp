// The source browser's controller in a dockable frame of the test process,
// chained into the frame's message map, against a fake of the frame: the
// function-list commands make, switch and hide the functions bar with the
// menu checks following, the automatic switch follows its command, and the
// browser's status texts reach the frame.
#include "editor/shell/browser_controller.h"
#include "controller_frame.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/project_files.h"
#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeBrowserHost : public CBrowserHost {
public:
    COvantaView* ActiveOvantaView() override { return nullptr; }
    IDocumentNavigator& Navigator() override { return navigator; }
    RecordingNavigator navigator;
    const std::string& WorkspacePath() const override { return workspace; }
    int GetBarState(HWND) override { return 4; }
    bool RestoreBarPlacement(winui::CControlBar*, const char* key, bool) override
    {
        restored.push_back(key);
        return false;
    }
    COutputBar* OutputBar() const override { return nullptr; }
    IStatusSink& Status() override { return status; }
    CEditorStatusBar& StatusBar() override { return statusBar; }

    std::string workspace;
    std::vector<std::string> restored;
    RecordingStatus status;
    CEditorStatusBar statusBar;
};

class CBrowserTestFrame : public CMainFrameBase {
public:
    CBrowserTestFrame() : browser(*this, host, project) {}
    FakeBrowserHost host;
    CProjectFiles project;
    CBrowserController browser;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBrowserTestFrame, CMainFrameBase)
    CHAIN_MSG_MAP_MEMBER(browser)
END_MESSAGE_MAP()

class BrowserControllerTest : public ControllerFrameTest<CBrowserTestFrame> {
protected:
    void Closing(CBrowserTestFrame& frame) override { frame.browser.StopBrowser(); }
    bool BarVisible()
    {
        CFunctionBar* bar = frame_->browser.FunctionBar();
        return bar && IsWindowVisible(bar->m_hWnd);
    }
};

TEST_F(BrowserControllerTest, FunctionListCommandsMakeSwitchAndHideTheBar)
{
    EXPECT_FALSE(Checked(ID_FUNCTION_LIST));
    Command(ID_FUNCTION_LIST);
    ASSERT_NE(frame_->browser.FunctionBar(), nullptr);
    EXPECT_TRUE(BarVisible());
    EXPECT_EQ(frame_->browser.FunctionBar()->Mode(), FunctionListMode::kC);
    EXPECT_EQ(frame_->host.restored, (std::vector<std::string>{kFunctionBarKey}));
    EXPECT_TRUE(Checked(ID_FUNCTION_LIST));
    EXPECT_FALSE(Checked(ID_VERILOG_FUNCTION_LIST));

    // Another language switches the shown bar; its own command hides it.
    Command(ID_VERILOG_FUNCTION_LIST);
    EXPECT_TRUE(BarVisible());
    EXPECT_EQ(frame_->browser.FunctionBar()->Mode(), FunctionListMode::kVerilog);
    EXPECT_TRUE(Checked(ID_VERILOG_FUNCTION_LIST));
    EXPECT_FALSE(Checked(ID_FUNCTION_LIST));
    EXPECT_EQ(frame_->browser.FunctionListCode(), 0);

    Command(ID_VERILOG_FUNCTION_LIST);
    EXPECT_FALSE(BarVisible());
    EXPECT_FALSE(Checked(ID_VERILOG_FUNCTION_LIST));
    EXPECT_EQ(frame_->browser.FunctionListCode(), 0x10);
}

TEST_F(BrowserControllerTest, AutoSearchCommandTogglesTheSwitchAndItsCheck)
{
    EXPECT_FALSE(frame_->browser.AutoSearch());
    Command(ID_AUTO_SEARCH);
    EXPECT_TRUE(frame_->browser.AutoSearch());
    EXPECT_TRUE(Checked(ID_AUTO_SEARCH));
    // Switched on with nothing browsed, it asks for a scan; the scan makes
    // the bar it fills (hidden).
    PumpMessages();
    ASSERT_NE(frame_->browser.FunctionBar(), nullptr);
    EXPECT_FALSE(BarVisible());
    Command(ID_AUTO_SEARCH);
    EXPECT_FALSE(frame_->browser.AutoSearch());
    EXPECT_FALSE(Checked(ID_AUTO_SEARCH));
}

TEST_F(BrowserControllerTest, BrowserStatusTextsReachTheFramesMessagePane)
{
    static const char text[] = "scanning";
    SendMessageA(hwnd_, WM_BROWSER_STATUS, reinterpret_cast<WPARAM>(text), 0);
    SendMessageA(hwnd_, WM_BROWSER_STATUS, 0, 0);
    EXPECT_EQ(frame_->host.status.messages, (std::vector<std::string>{"scanning", ""}));
}

} // namespace
