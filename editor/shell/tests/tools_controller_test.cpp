// The tools controller in a dockable frame of the test process, chained
// into the frame's message map: its commands, update handlers and
// messages arrive through the frame's window, the output bar comes and
// goes, and the tool settings command fills the current tool.
#include "editor/shell/tools_controller.h"
#include "controller_frame.h"
#include "editor/shell/resource.h"

#include "editor/tools/output_bar.h"
#include "editor/tools/tools_resource.h"

#include "winui/dialog_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The frame side of the controller, with what it is asked recorded.
class FakeToolsHost : public CToolsHost {
public:
    explicit FakeToolsHost(winui::CControlBar& mainBar) : mainBar_(mainBar) {}
    COvantaView* ActiveOvantaView() override { return nullptr; }
    IStatusSink& Status() override { return status; }
    RecordingStatus status;
    HFONT EditFont() const override { return nullptr; }
    int PlayKeyboardMacro(const char* path) override
    {
        calls.push_back(std::string("macro ") + path);
        return 1;
    }
    int OpenDocumentCount() const override { return 0; }
    winui::CControlBar& MainToolBar() override { return mainBar_; }
    void DockControlBarLeftOf(winui::CControlBar*, winui::CControlBar*) override { calls.push_back("dock left of"); }
    bool RestoreBarPlacement(winui::CControlBar*, const char* key, bool) override
    {
        calls.push_back(std::string("restore ") + key);
        return false;
    }
    bool StoredBarVisible(const char* key) override { return storedVisible && std::string(key) == kOutputBarKey; }
    void OutputBarToggled() override { calls.push_back("toggled"); }
    IDocumentNavigator& Navigator() override { return navigator; }
    RecordingNavigator navigator;

    std::vector<std::string> calls;
    bool storedVisible = false;

private:
    winui::CControlBar& mainBar_;
};

class CToolsTestFrame : public CMainFrameBase {
public:
    CToolsTestFrame() : host(mainBar), tools(*this, host) {}
    winui::CToolBar mainBar;
    FakeToolsHost host;
    CToolsController tools;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolsTestFrame, CMainFrameBase)
    CHAIN_MSG_MAP_MEMBER(tools)
END_MESSAGE_MAP()

class ToolsControllerTest : public ControllerFrameTest<CToolsTestFrame> {
protected:
    void MakeBars(CToolsTestFrame& frame) override { frame.tools.CreateToolsBar(); }
    bool OutputVisible() { return frame_->tools.OutputBar() && IsWindowVisible(frame_->tools.OutputBar()->m_hWnd); }
};

TEST_F(ToolsControllerTest, OutputCommandMakesTheBarThenHidesAndShowsItWithTheCheckFollowing)
{
    ASSERT_EQ(frame_->tools.OutputBar(), nullptr);
    EXPECT_FALSE(Checked(ID_VIEW_OUTPUT));

    Command(ID_VIEW_OUTPUT);
    ASSERT_NE(frame_->tools.OutputBar(), nullptr);
    EXPECT_TRUE(OutputVisible());
    EXPECT_TRUE(Checked(ID_VIEW_OUTPUT));
    // Made on first use: placed where it was left, and the browser's pane told.
    EXPECT_EQ(frame_->host.calls, (std::vector<std::string>{"restore Output", "toggled"}));

    Command(ID_VIEW_OUTPUT);
    EXPECT_FALSE(OutputVisible());
    EXPECT_FALSE(Checked(ID_VIEW_OUTPUT));
    Command(ID_VIEW_OUTPUT);
    EXPECT_TRUE(OutputVisible());
}

TEST_F(ToolsControllerTest, StoredVisibleOutputBarComesBackAndAHiddenOneIsNotMade)
{
    frame_->tools.RestoreOutputBar();
    EXPECT_EQ(frame_->tools.OutputBar(), nullptr);
    frame_->host.storedVisible = true;
    frame_->tools.RestoreOutputBar();
    EXPECT_TRUE(OutputVisible());
}

TEST_F(ToolsControllerTest, UpdateHandlersReachTheControllerThroughTheFrame)
{
    // Nothing runs: cancel is greyed; tools may be added; the empty tools
    // bar cannot be shown.
    EXPECT_TRUE(Greyed(ID_TOOL_CANCEL));
    EXPECT_FALSE(Greyed(ID_ADD_TOOL));
    EXPECT_TRUE(Greyed(ID_TOOLS_BAR));
    EXPECT_FALSE(Checked(ID_TOOLS_BAR));
}

TEST_F(ToolsControllerTest, StartMessageWithoutAProgramOpensTheSettingsAndKeepsWhatWasChosen)
{
    // A start request while no tool has a program asks for its settings;
    // OK makes them the current tool's.
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer()
                       .SetText(IDC_TOOL_EXE, "C:\\tools\\make.exe")
                       .SetText(IDC_TOOL_PARMS, "-f build.mk")
                       .Press(IDOK));
    SendMessageA(hwnd_, WM_START_TOOL, 0, 0);
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.Calls().front().templateId, static_cast<UINT>(IDD_APP_START));
    EXPECT_EQ(frame_->tools.CurrentTool().AppExe, "C:\\tools\\make.exe");
    EXPECT_EQ(frame_->tools.CurrentTool().AppParms, "-f build.mk");

    // Cancel leaves the tool as it was.
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TOOL_EXE, "C:\\other.exe").Press(IDCANCEL));
    Command(ID_TOOL_SETTINGS);
    EXPECT_EQ(frame_->tools.CurrentTool().AppExe, "C:\\tools\\make.exe");
}

TEST_F(ToolsControllerTest, AddedToolShowsOnTheBarAndEnablesItsCommand)
{
    winui::ScriptedDialogs dialogs;
    dialogs.Answer(winui::DialogAnswer().SetText(IDC_TOOL_NAME, "Build").SetText(IDC_TOOL_EXE, "make.exe").Press(IDOK));
    Command(ID_ADD_TOOL);
    ASSERT_EQ(frame_->tools.ToolsBar().GetToolCount(), 1);
    EXPECT_EQ(frame_->tools.ToolsBar().Tools()[0].AppExe, "make.exe");
    EXPECT_FALSE(Greyed(ID_TOOLS_BAR));
}

} // namespace
