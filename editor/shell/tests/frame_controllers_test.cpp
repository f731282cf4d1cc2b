// The main frame's controllers for bookmarks, navigation, macros and search
// in a docking MDI frame of the test process that chains them into its
// message map as the program's frame does, with a small host of its own:
// commands, update requests and window messages reach each controller
// through the frame, and each keeps its own rules (the recorder's states,
// the tab bar's setting, the history's commands, the search dialogs that
// exclude each other, the comment option shared with the editors).
#include "editor/shell/bookmark_controller.h"
#include "editor/shell/macro_controller.h"
#include "editor/shell/navigation_controller.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"
#include "editor/shell/search_controller.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/settings_store.h"
#include "editor/shell/tests/controller_frame.h"

#include "editor/syntax/window/ncoloreditctrl.h"
#include "editor/tools/search_request.h"
#include "editor/tools/tool_info.h"

#include "winui/cmdui.h"
#include "winui/toolbar.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A frame that is what the controllers see of the program's frame: no
// document, a view only when the test says so, a main tool bar.
class CHostFrame : public CMainFrameBase,
                   private IBookmarkHost,
                   private INavigationHost,
                   private IMacroHost,
                   private ISearchHost {
public:
    CBookmarkController bookmarks{*this, *this};
    CNavigationController navigation{*this, *this};
    CMacroController macros{*this, *this};
    CSearchController search{*this, *this};
    winui::CToolBar toolBar;
    bool viewUsable = false;
    std::vector<UINT> defaultMessages;
    std::vector<std::string> addedTools;
    int shortcutChanges = 0;

    COvantaView* ActiveOvantaView() override { return nullptr; }
    winui::CToolBar& MainToolBar() override { return toolBar; }
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar*) override
    {
        DockControlBar(bar, winui::AFX_IDW_DOCKBAR_TOP);
    }
    LRESULT DefaultFrameProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        defaultMessages.push_back(message);
        return DefWindowProc(message, wParam, lParam);
    }
    void AddMacroTool(const CToolInfo& tool) override { addedTools.push_back(tool.Toolname); }
    void ShortcutsChanged() override { ++shortcutChanges; }
    bool ViewUsable() override { return viewUsable; }
    HFONT EditFont() const override { return nullptr; }
    COutputBar* ShownOutputBar() override { return nullptr; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostFrame, CMainFrameBase)
    CHAIN_MSG_MAP_MEMBER(bookmarks)
    CHAIN_MSG_MAP_MEMBER(navigation)
    CHAIN_MSG_MAP_MEMBER(macros)
    CHAIN_MSG_MAP_MEMBER(search)
END_MESSAGE_MAP()

// What an update handler set of an item.
struct ItemState : winui::CCmdUI {
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL on) override
    {
        enabled = on ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { checked = check; }
};

class FrameControllers : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = new CHostFrame; // deletes itself with its window
        RECT r{40, 40, 840, 640};
        ASSERT_TRUE(frame_->Create(nullptr, "controllers", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, &r));
        hwnd_ = frame_->m_hWnd;
        ASSERT_TRUE(frame_->toolBar.Create(frame_, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, winui::AFX_IDW_TOOLBAR));
        frame_->navigation.CreateBars();
        frame_->bookmarks.CreateBar();
        frame_->EnableDocking(winui::CBRS_ALIGN_ANY);
        frame_->toolBar.EnableDocking(winui::CBRS_ALIGN_ANY);
        frame_->DockControlBar(&frame_->toolBar, winui::AFX_IDW_DOCKBAR_TOP);
        frame_->bookmarks.DockBar();
        frame_->navigation.DockBars();
        ::ShowWindow(hwnd_, SW_SHOW);
        PumpMessages();
    }
    void TearDown() override
    {
        if (hwnd_ && ::IsWindow(hwnd_))
            ::DestroyWindow(hwnd_);
        PumpMessages();
        delete g_pMacroEvents;
        g_pMacroEvents = nullptr;
        g_bMacroRecording = false;
    }
    void Command(UINT id) { ::SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    ItemState State(UINT id)
    {
        ItemState ui;
        ui.m_nID = id;
        ui.DoUpdate(frame_, TRUE);
        return ui;
    }

    CHostFrame* frame_ = nullptr;
    HWND hwnd_ = nullptr;
};

// --- bookmarks -------------------------------------------------------------------

TEST_F(FrameControllers, ViewBookmarksShowsAndHidesTheBarThroughTheFrame)
{
    CBookmarkBar& bar = frame_->bookmarks.Bar();
    ASSERT_TRUE(bar.m_hWnd);
    EXPECT_FALSE(bar.IsVisible());
    // Without bookmarks there is nothing to view, and without a view
    // nothing to add to.
    EXPECT_EQ(State(ID_VIEW_BOOKMARKS).enabled, 0);
    EXPECT_EQ(State(ID_VIEW_BOOKMARKS).checked, 0);
    EXPECT_EQ(State(ID_ADD_BOOKMARK).enabled, 0);

    Command(ID_VIEW_BOOKMARKS);
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(State(ID_VIEW_BOOKMARKS).checked, 1);
    Command(ID_VIEW_BOOKMARKS);
    EXPECT_FALSE(bar.IsVisible());
}

TEST_F(FrameControllers, AJumpFollowsOnlyRecordsTheBarHolds)
{
    // A record the bar does not hold may name an editor that is gone: it
    // is not followed, and its editor is never touched.
    BookmarkRecord stranger;
    stranger.pEdit = reinterpret_cast<CNColorEditCtrl*>(static_cast<intptr_t>(0x10));
    stranger.nLine = 3;
    EXPECT_EQ(::SendMessageA(hwnd_, WM_BOOKMARK_JUMP, 0, reinterpret_cast<LPARAM>(&stranger)), 0);
    EXPECT_EQ(::SendMessageA(hwnd_, WM_BOOKMARK_JUMP, 0, 0), 0);
    EXPECT_FALSE(frame_->bookmarks.Bar().IsVisible());
}

// --- navigation -------------------------------------------------------------------

TEST_F(FrameControllers, TheFileBarCommandTogglesTheTabsAndKeepsTheChoiceWithTheSide)
{
    CDocTabBar& tabs = frame_->navigation.TabBar();
    ASSERT_TRUE(tabs.m_hWnd);
    int& fileBar = OvantaOptions().fileBar;
    const int before = fileBar;
    fileBar = 2 | 0x10; // bottom, hidden

    Command(ID_FILE_BAR);
    EXPECT_TRUE(tabs.IsVisible());
    EXPECT_EQ(fileBar, 2);
    EXPECT_EQ(State(ID_FILE_BAR).checked, 1);
    Command(ID_FILE_BAR);
    EXPECT_FALSE(tabs.IsVisible());
    EXPECT_EQ(fileBar, 2 | 0x10);
    EXPECT_EQ(State(ID_FILE_BAR).checked, 0);
    fileBar = before;
}

TEST_F(FrameControllers, BackNeedsAHistoryAndForwardAViewAndANewerPlace)
{
    EXPECT_EQ(State(ID_PREVIOUS_DOCUMENT).enabled, 0);
    EXPECT_EQ(State(ID_NEXT_DOCUMENT).enabled, 0);
    PositionEntry place{hwnd_, 0, 4, 40};
    ASSERT_GE(frame_->navigation.History().RecordPosition(place), 0);
    EXPECT_EQ(State(ID_PREVIOUS_DOCUMENT).enabled, 1);
    EXPECT_EQ(State(ID_NEXT_DOCUMENT).enabled, 0);
    // Going back to a window that is no editor shows nothing and stays.
    Command(ID_PREVIOUS_DOCUMENT);
    frame_->navigation.ResetPositions();
    EXPECT_EQ(State(ID_PREVIOUS_DOCUMENT).enabled, 0);
}

TEST_F(FrameControllers, TheStayOnTopButtonFollowsTheFramesDefaultPaintAndMove)
{
    frame_->defaultMessages.clear();
    ::SendMessageA(hwnd_, WM_NCPAINT, 1, 0);
    ::SetWindowPos(hwnd_, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    const std::vector<UINT>& seen = frame_->defaultMessages;
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_NCPAINT)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_MOVE)), seen.end());
}

// --- macros ---------------------------------------------------------------------

TEST_F(FrameControllers, TheRecorderStartsPausesAndGoesOnWithItsEvents)
{
    Command(ID_MACRO_RECORDER);
    EXPECT_EQ(State(ID_MACRO_RECORDER).checked, 1);
    EXPECT_EQ(frame_->macros.MacroBarSetting(), 1);

    struct Expect {
        int record, pause, finish;
    };
    auto states = [this] {
        return Expect{State(ID_MACRO_RECORD).enabled, State(ID_MACRO_STOP).enabled, State(ID_MACRO_PLAY).enabled};
    };
    Expect idle = states();
    EXPECT_EQ((std::vector<int>{idle.record, idle.pause, idle.finish}), (std::vector<int>{1, 0, 0}));

    Command(ID_MACRO_RECORD);
    ASSERT_TRUE(g_pMacroEvents);
    ::RecordMacroEvent('a', 0, 0);
    Expect recording = states();
    EXPECT_EQ((std::vector<int>{recording.record, recording.pause, recording.finish}),
              (std::vector<int>{0, 1, 1}));

    Command(ID_MACRO_STOP);
    Expect paused = states();
    // Paused: pause stays offered (the bar shows it pressed), finish is not.
    EXPECT_EQ((std::vector<int>{paused.record, paused.pause, paused.finish}), (std::vector<int>{1, 1, 0}));
    ::RecordMacroEvent('b', 0, 0);

    // Going on keeps what was recorded before the pause; nothing came
    // while paused.
    Command(ID_MACRO_RECORD);
    ASSERT_TRUE(g_pMacroEvents);
    EXPECT_EQ(*g_pMacroEvents, std::vector<uint32_t>{'a'});

    Command(ID_MACRO_STOP);
    Command(ID_MACRO_RECORDER); // hides the bar
    EXPECT_EQ(frame_->macros.MacroBarSetting(), 0);
    EXPECT_EQ(State(ID_MACRO_RECORDER).checked, 0);
}

TEST_F(FrameControllers, PlaybackNeedsAFileAndAView)
{
    EXPECT_EQ(frame_->macros.PlayKeyboardMacro(nullptr), 0);
    EXPECT_EQ(frame_->macros.PlayKeyboardMacro(""), 0);
    EXPECT_EQ(frame_->macros.PlayKeyboardMacro("C:\\nowhere\\none.mcr"), 0);
}

// --- search ----------------------------------------------------------------------

TEST_F(FrameControllers, FindAndReplaceNeedAUsableView)
{
    frame_->viewUsable = false;
    EXPECT_EQ(State(ID_EDIT_FIND).enabled, 0);
    EXPECT_EQ(State(ID_EDIT_REPLACE).enabled, 0);
    // Find in files searches the disk also without any document.
    EXPECT_EQ(State(ID_FIND_IN_FILES).enabled, 1);
    frame_->viewUsable = true;
    EXPECT_EQ(State(ID_EDIT_FIND).enabled, 1);
    EXPECT_EQ(State(ID_EDIT_REPLACE).enabled, 1);
}

TEST_F(FrameControllers, TheOpenSearchDialogKeepsReplaceAwayUntilItGoes)
{
    frame_->viewUsable = true;
    // Without documents find in files offers the disk search alone.
    Command(ID_FIND_IN_FILES);
    HWND dialog = nullptr;
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
        if (::GetWindow(w, GW_OWNER) == hwnd_ && ::IsWindowVisible(w))
            dialog = w;
    ASSERT_TRUE(dialog);
    EXPECT_EQ(State(ID_EDIT_REPLACE).enabled, 0);
    EXPECT_EQ(State(ID_EDIT_FIND).enabled, 1);

    // The last document gone, the dialog goes and replace is offered again.
    frame_->search.LastDocumentClosed();
    EXPECT_FALSE(::IsWindowVisible(dialog));
    EXPECT_EQ(State(ID_EDIT_REPLACE).enabled, 1);
    frame_->search.Close();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(FrameControllers, TheCommentOptionIsOneForTheSearchesAndTheEditors)
{
    for (bool on : {true, false}) {
        frame_->search.SetSuppressComments(on);
        SettingsValues o;
        frame_->search.CollectOptions(o);
        EXPECT_EQ(o.supressComments, on ? 1 : 0);
        EXPECT_EQ(GetSyntaxEditSettings().supressComments, on ? 1 : 0);
    }
}

TEST_F(FrameControllers, AFindRequestWithoutTextOrViewFindsNothing)
{
    SearchRequest request;
    request.scope = kScopeFindInDocument;
    request.flags = 0x3B;
    request.text = "";
    EXPECT_EQ(::SendMessageA(hwnd_, WM_FIND_REQUEST, 0, reinterpret_cast<LPARAM>(&request)), 0);
    request.text = "word";
    EXPECT_EQ(::SendMessageA(hwnd_, WM_FIND_REQUEST, 0, reinterpret_cast<LPARAM>(&request)), 0);
    EXPECT_EQ(::SendMessageA(hwnd_, WM_FIND_REQUEST, 1, 0), 0); // a dialog closing
    // "Find again" without a dialog and without a view asks nothing.
    Command(ID_EDIT_REPEAT);
}

} // namespace
