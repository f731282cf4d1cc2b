// The main frame's settings commands in a dockable frame of the test
// process, chained into its message map as the program's frame does, with
// a small host: "&Tool Bar" and "Status Bar" show and hide the frame's own
// bars, the option toggles flip the editors' settings (the search follows
// "Suppress comments"), "Line numbers" wants a usable view, and "Empty
// clipboard" empties it and is greyed while it holds no text.
#include "editor/shell/settings_commands.h"
#include "controller_frame.h"

#include "editor/shell/editorstatusbar.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"

#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/toolbar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class CSettingsTestFrame : public CMainFrameBase, private ISettingsCommandsHost {
public:
    CSettingsCommands commands{*this, *this};
    winui::CToolBar toolBar;
    CEditorStatusBar statusBar;
    bool viewUsable = false;
    std::vector<bool> suppressComments;

    COvantaView* ActiveOvantaView() override { return nullptr; }
    bool ViewUsable() override { return viewUsable; }
    HFONT EditFont() const override { return nullptr; }
    HFONT SwapEditFont(HFONT font) override { return font; }
    void SaveSettings() override {}
    void SetSuppressComments(bool on) override { suppressComments.push_back(on); }
    void RestartAutoSave(int) override {}
    winui::CToolBar& MainToolBar() override { return toolBar; }
    CEditorStatusBar& StatusBar() override { return statusBar; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsTestFrame, CMainFrameBase)
    CHAIN_MSG_MAP_MEMBER(commands)
END_MESSAGE_MAP()

class SettingsCommandsTest : public ControllerFrameTest<CSettingsTestFrame> {
protected:
    void SetUp() override
    {
        edit_ = GetSyntaxEditSettings();
        control_ = GetColorEditSettings();
        options_ = OvantaOptions();
        ControllerFrameTest::SetUp();
    }
    void TearDown() override
    {
        ControllerFrameTest::TearDown();
        GetSyntaxEditSettings() = edit_;
        GetColorEditSettings() = control_;
        OvantaOptions() = options_;
    }
    void MakeBars(CSettingsTestFrame& frame) override
    {
        ASSERT_TRUE(frame.toolBar.Create(&frame, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, winui::AFX_IDW_TOOLBAR));
        ASSERT_TRUE(frame.statusBar.Create(&frame, WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM,
                                           winui::AFX_IDW_STATUS_BAR));
    }
    void DockBars(CSettingsTestFrame& frame) override
    {
        frame.toolBar.EnableDocking(winui::CBRS_ALIGN_ANY);
        frame.DockControlBar(&frame.toolBar, winui::AFX_IDW_DOCKBAR_TOP);
    }

    SyntaxEditSettings edit_;
    ColorEditSettings control_;
    SettingsValues options_;
};

TEST_F(SettingsCommandsTest, BarChecksShowAndHideTheFramesOwnBars)
{
    HWND tools = frame_->toolBar.m_hWnd;
    HWND status = frame_->statusBar.m_hWnd;
    ASSERT_TRUE(IsWindowVisible(tools));
    ASSERT_TRUE(IsWindowVisible(status));
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));

    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(IsWindowVisible(tools));
    EXPECT_TRUE(IsWindowVisible(status));
    EXPECT_FALSE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));

    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(IsWindowVisible(status));
    EXPECT_FALSE(Checked(ID_VIEW_STATUS_BAR));

    Command(ID_VIEW_TOOLBAR);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(IsWindowVisible(tools));
    EXPECT_TRUE(IsWindowVisible(status));
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));
}

TEST_F(SettingsCommandsTest, OptionTogglesFlipTheirSettingsAndChecks)
{
    SyntaxEditSettings& edit = GetSyntaxEditSettings();
    ColorEditSettings& control = GetColorEditSettings();
    const struct {
        UINT id;
        int* value;
    } cases[] = {
        {ID_EXT_MOV_TXT, &edit.extMovTxt},
        {ID_MULTI_CLICK, &edit.multiClick},
        {ID_AUTO_INDENT, &edit.autoIndent},
        {ID_SUPPRESS_COMMENTS, &edit.supressComments},
        {ID_AUTO_COPY, &control.autoCopy},
        {ID_ACTUALIZE_AT_SAVE, &OvantaOptions().actualizeMacros},
    };
    for (const auto& c : cases) {
        frame_->suppressComments.clear();
        *c.value = 0;
        EXPECT_FALSE(Checked(c.id)) << c.id;
        Command(c.id);
        EXPECT_EQ(*c.value, 1) << c.id;
        EXPECT_TRUE(Checked(c.id)) << c.id;
        Command(c.id);
        EXPECT_EQ(*c.value, 0) << c.id;
        EXPECT_FALSE(Checked(c.id)) << c.id;
        // The search's comment option follows its toggle, and only that one.
        const std::vector<bool> told =
            c.id == ID_SUPPRESS_COMMENTS ? std::vector<bool>{true, false} : std::vector<bool>{};
        EXPECT_EQ(frame_->suppressComments, told) << c.id;
    }
}

TEST_F(SettingsCommandsTest, FocusOnSecondClickSwitchesBetweenTwoAndThreeClicks)
{
    ColorEditSettings& control = GetColorEditSettings();
    control.noClicks = 2;
    EXPECT_FALSE(Checked(ID_FOCUS_SECOND_CLICK));
    Command(ID_FOCUS_SECOND_CLICK);
    EXPECT_EQ(control.noClicks, 3);
    EXPECT_TRUE(Checked(ID_FOCUS_SECOND_CLICK));
    Command(ID_FOCUS_SECOND_CLICK);
    EXPECT_EQ(control.noClicks, 2);
    EXPECT_FALSE(Checked(ID_FOCUS_SECOND_CLICK));
}

TEST_F(SettingsCommandsTest, LineNumbersWantAUsableView)
{
    frame_->viewUsable = false;
    EXPECT_TRUE(Greyed(ID_LINE_NUMBERS));
    frame_->viewUsable = true;
    EXPECT_FALSE(Greyed(ID_LINE_NUMBERS));
}

TEST_F(SettingsCommandsTest, EmptyClipboardEmptiesItAndIsGreyedWithoutText)
{
    const char text[] = "clipboard text";
    ASSERT_TRUE(OpenClipboard(hwnd_));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    ASSERT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    CloseClipboard();
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(Greyed(ID_EMPTY_CLIPBOARD));

    Command(ID_EMPTY_CLIPBOARD);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(Greyed(ID_EMPTY_CLIPBOARD));
}

} // namespace
