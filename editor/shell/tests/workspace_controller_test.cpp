// The workspace and settings controller in a dockable frame of the test
// process, chained into the frame's message map beside the tools and
// browser controllers, against fakes of the frame: the help keys and the
// option toggles arrive through the frame's window, the workspace commands
// stay greyed without a workspace, and the bars go where the option set's
// placement codes put them.
#include "editor/shell/workspace_controller.h"
#include "controller_frame.h"

#include "editor/shell/browser_controller.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/macro_settings.h"
#include "editor/shell/resource.h"
#include "editor/shell/search_settings.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/tools_controller.h"

#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/msgbox.h"
#include "winui/toolbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The search part's and the macro part's settings; the macros record that
// their text macros were asked for.
class FakeSearchSettings : public ISearchSettings {
public:
    void LoadSettings() override {}
    void CollectOptions(SettingsValues&) override {}
    void SaveSettings() override {}
    void ReloadDialogs() override {}
};

class FakeMacroSettings : public IMacroSettings {
public:
    explicit FakeMacroSettings(std::vector<std::string>& calls) : calls_(calls) {}
    void LoadSettings() override {}
    void SaveSettings() override {}
    int MacroBarSetting() const override { return 0; }
    void EnsureTextMacros() override { calls_.push_back("text macros"); }

private:
    std::vector<std::string>& calls_;
};

// Every part of the frame that the three controllers ask, recording what
// the workspace controller asks of it.
class FakeFrameParts : public CWorkspaceHost, public CToolsHost, public CBrowserHost, public WorkspaceHooks {
public:
    COvantaView* ActiveOvantaView() override { return nullptr; }
    IDocumentNavigator& Navigator() override { return navigator; }
    RecordingNavigator navigator;
    HFONT EditFont() const override { return nullptr; }
    HFONT SwapEditFont(HFONT) override { return nullptr; }
    void MoveToStoredPlace(const std::string& place) override { calls.push_back("place " + place); }
    int GetBarState(HWND) override { return 1; }
    void DockBarAtSide(winui::CControlBar&, int side) override { calls.push_back("main bar side " + std::to_string(side)); }
    winui::CControlBar& MainToolBar() override { return mainBar; }
    IStatusSink& Status() override { return status; }
    RecordingStatus status;
    WorkspaceHooks& Hooks() override { return *this; }
    void StopAutoSave() override { calls.push_back("stop auto-save"); }
    ISearchSettings& SearchSettings() override { return searchSettings; }
    IMacroSettings& MacroSettings() override { return macroSettings; }

    int PlayKeyboardMacro(const char*) override { return 0; }
    int OpenDocumentCount() const override { return 0; }
    void DockControlBarLeftOf(winui::CControlBar*, winui::CControlBar*) override {}
    bool RestoreBarPlacement(winui::CControlBar*, const char*, bool) override { return false; }
    bool StoredBarVisible(const char*) override { return false; }
    void OutputBarToggled() override {}

    const std::string& WorkspacePath() const override { return workspace; }
    COutputBar* OutputBar() const override { return nullptr; }
    CEditorStatusBar& StatusBar() override { return statusBar; }

    int FileBarCode() override { return 1; }
    void PlaceFileBar(int code) override { calls.push_back("file bar " + std::to_string(code)); }
    int BookmarkBarCode() override { return 1; }
    void PlaceBookmarkBar(int code) override { calls.push_back("bookmark bar " + std::to_string(code)); }
    void SaveBookmarks(const std::string&) override {}
    void RestoreBookmarks(COvantaDoc*) override {}
    void RecordPositions(bool) override {}
    void WorkspaceFilesChanged() override {}

    winui::CToolBar mainBar;
    CEditorStatusBar statusBar;
    std::string workspace;
    std::vector<std::string> calls;
    FakeSearchSettings searchSettings;
    FakeMacroSettings macroSettings{calls};
};

class CWorkspaceTestFrame : public CMainFrameBase {
public:
    CWorkspaceTestFrame()
        : tools(*this, parts), workspace(*this, parts, tools, browser), browser(*this, parts, workspace.Project())
    {
    }
    FakeFrameParts parts;
    CToolsController tools;
    CWorkspaceController workspace;
    CBrowserController browser;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWorkspaceTestFrame, CMainFrameBase)
    CHAIN_MSG_MAP_MEMBER(tools)
    CHAIN_MSG_MAP_MEMBER(browser)
    CHAIN_MSG_MAP_MEMBER(workspace)
END_MESSAGE_MAP()

class WorkspaceControllerTest : public ControllerFrameTest<CWorkspaceTestFrame> {
protected:
    void SetUp() override
    {
        saved_ = OvantaOptions();
        ControllerFrameTest::SetUp();
    }
    void TearDown() override
    {
        ControllerFrameTest::TearDown();
        OvantaOptions() = saved_;
    }
    void MakeBars(CWorkspaceTestFrame& frame) override
    {
        ASSERT_TRUE(frame.parts.mainBar.Create(&frame, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, winui::AFX_IDW_TOOLBAR));
    }
    void DockBars(CWorkspaceTestFrame& frame) override
    {
        frame.parts.mainBar.EnableDocking(winui::CBRS_ALIGN_ANY);
        frame.DockControlBar(&frame.parts.mainBar, winui::AFX_IDW_DOCKBAR_TOP);
    }

    SettingsValues saved_;
};

TEST_F(WorkspaceControllerTest, HelpMenuAndHelpKeysTellWhenNoHelpDocumentIsSet)
{
    OvantaOptions().helpPath.clear();
    for (UINT id : {ID_HELP_TOPICS, ID_HELP_CMD, ID_CONTEXT_HELP}) {
        winui::ScriptedMessageBoxes boxes;
        Command(id);
        ASSERT_EQ(boxes.Calls().size(), 1u) << id;
        EXPECT_EQ(boxes.Calls()[0].caption, "Help Topics");
        EXPECT_EQ(boxes.Calls()[0].text, "No help document is set (\"HelpPath\" in [DefaultSettings]).");
    }
    OvantaOptions().helpPath = "Z:\\nowhere\\missing-help.chm";
    winui::ScriptedMessageBoxes boxes;
    Command(ID_HELP_CMD);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Can't open the help document 'Z:\\nowhere\\missing-help.chm'.");
}

TEST_F(WorkspaceControllerTest, OptionTogglesFlipTheirSettingsAndChecks)
{
    int& hold = GetColorEditSettings().selAfterPaste;
    int& menu = GetSyntaxEditSettings().extContextMenu;
    const int holdBefore = hold, menuBefore = menu;
    hold = 0;
    menu = 0;
    Command(ID_HOLD_SELECTION);
    EXPECT_EQ(hold, 1);
    EXPECT_TRUE(Checked(ID_HOLD_SELECTION));
    Command(ID_HOLD_SELECTION);
    EXPECT_EQ(hold, 0);
    EXPECT_FALSE(Checked(ID_HOLD_SELECTION));

    // The extended context menu needs the text macros once it is on.
    Command(ID_EXT_CONTEXT_MENU);
    EXPECT_EQ(menu, 1);
    EXPECT_TRUE(Checked(ID_EXT_CONTEXT_MENU));
    EXPECT_EQ(frame_->parts.calls, (std::vector<std::string>{"text macros"}));
    Command(ID_EXT_CONTEXT_MENU);
    EXPECT_EQ(menu, 0);
    EXPECT_EQ(frame_->parts.calls, (std::vector<std::string>{"text macros"}));
    hold = holdBefore;
    menu = menuBefore;
}

TEST_F(WorkspaceControllerTest, WorkspaceCommandsAreGreyedWithoutAWorkspace)
{
    EXPECT_TRUE(Greyed(ID_WORKSPACE_CLOSE));
    EXPECT_TRUE(Greyed(ID_PROJECT_FILES));
    EXPECT_TRUE(frame_->workspace.WorkspacePath().empty());
    EXPECT_TRUE(frame_->workspace.WorkspaceFiles().empty());
    // Closing without a workspace has nothing to ask.
    EXPECT_TRUE(frame_->workspace.CloseWorkspace());
    EXPECT_TRUE(frame_->workspace.SaveBeforeClose());
}

TEST_F(WorkspaceControllerTest, BarsGoWhereThePlacementCodesPutThem)
{
    SettingsValues& o = OvantaOptions();
    o.toolBar = 0x12; // bottom, hidden
    o.bookmarkBar = 3;
    o.fileBar = 0x11;
    frame_->workspace.PlaceBarsAtStart();
    EXPECT_EQ(frame_->parts.calls,
              (std::vector<std::string>{"main bar side 2", "bookmark bar 3", "file bar 17"}));
    EXPECT_FALSE(IsWindowVisible(frame_->parts.mainBar.m_hWnd));

    frame_->parts.calls.clear();
    o.toolBar = 1;
    frame_->workspace.PlaceBarsAtStart();
    EXPECT_EQ(frame_->parts.calls.front(), "main bar side 1");
    EXPECT_TRUE(IsWindowVisible(frame_->parts.mainBar.m_hWnd));
    // No output bar was ever shown or stored: none is made.
    EXPECT_EQ(frame_->tools.OutputBar(), nullptr);
}

} // namespace
