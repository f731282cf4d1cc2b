// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It makes its bars, tells its parts of the
// documents' lives, keeps the accelerators in step with the open documents,
// runs the auto-save timer, and saves its place when it closes; its parts
// do the rest, each with its own commands.
#pragma once

#include "editor/shell/bookmark_controller.h"
#include "editor/shell/browser_controller.h"
#include "editor/shell/document_events.h"
#include "editor/shell/frame_accelerators.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/frame_links.h"
#include "editor/shell/frame_status.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/frame_workspace_hooks.h"
#include "editor/shell/hand_over_receiver.h"
#include "editor/shell/macro_controller.h"
#include "editor/shell/navigation_controller.h"
#include "editor/shell/search_controller.h"
#include "editor/shell/settings_commands.h"
#include "editor/shell/text_operation_relay.h"
#include "editor/shell/tools_controller.h"
#include "editor/shell/window_commands.h"
#include "editor/shell/workspace_controller.h"

#include "winui/toolbar.h"

#include <memory>
#include <string>

class COvantaDoc;
class COvantaView;
class COutputBar;

// The frame is the document events and the window that documents, views
// and bars reach; the bookmark index, the text macros, the editor search,
// the position tracker and the status are its parts' (FillLinks hands them
// out). Privately it is what each of its parts asks of it.
class CMainFrame : public CMainFrameBase,
                   public IDocumentEvents,
                   public IFrameWindow,
                   private IWorkspaceBarsHost,
                   private IFrameStatusHost,
                   private IHandOverHost,
                   private IBookmarkHost,
                   private INavigationHost,
                   private IMacroHost,
                   private ISearchHost,
                   private ISettingsCommandsHost,
                   private CToolsHost,
                   private CBrowserHost,
                   private CWorkspaceHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The interfaces through which documents, views, bars and the editor
    // control's shell reach the frame and its parts.
    void FillLinks(FrameLinks& links);

    // Documents tell the frame when they open, close, are saved and become
    // the active one.
    void DocumentOpened(COvantaDoc* doc) override;
    void DocumentClosing(COvantaDoc* doc) override;
    void DocumentClosed() override;
    void DocumentSaved(COvantaDoc* doc) override;
    void DocumentActivated(COvantaDoc* doc) override;

    // The main window as views, bars and dialogs see it.
    HWND FrameWindow() const override { return m_hWnd; }
    COvantaView* ActiveOvantaView() override;
    bool HasActiveDocumentWindow() override { return MDIGetActive() != nullptr; }
    HFONT EditFont() const override { return m_hEditFont; }
    bool UseShortPathNames() const override { return m_tools.UseShortPathNames(); }
    COutputBar* OutputBar() const override { return m_tools.OutputBar(); }
    // The modal "Go to line" of the active view.
    void AskGotoLine() override;
    // The modal "Properties" of a document's file.
    void ShowFileProperties(COvantaDoc* doc) override { m_workspace.ShowFileProperties(doc); }
    void OpenWorkspace(const char* path) override { m_workspace.OpenWorkspace(path); }

    // The source browser, for the editor control's symbol look-ups.
    CBrowserController& Browser() { return m_browser; }
    CFunctionBar* FunctionBar() const override { return m_browser.FunctionBar(); }

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL DestroyWindow() override;
    // The editor's own commands (fill column, brace range and brace goto),
    // which keys can be mapped to, go to the active editor; Print Preview
    // from the menu shows the whole text.
    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;

private:
    // The frame's parts: keyboard and text macros with the keyboard mapping
    // (macro_controller.cpp); bookmarks (bookmark_controller.cpp); the ways
    // between documents: tabs, stay-on-top button, position history and the
    // document navigator (navigation_controller.cpp); the window commands;
    // tools and the output window (tools_controller.cpp).
    CMacroController m_macros{*this, *this};
    CBookmarkController m_bookmarks{*this, *this};
    CNavigationController m_navigation{*this, *this};
    CWindowCommands m_windowCommands{*this};
    CToolsController m_tools{*this, *this};

    int m_nOpenDocs = 0;
    int m_nAutoSaveTimer = 0;
    int m_nSaveImage = -1;
    winui::CToolBar m_wndToolBar;
    // The status bar and what it shows.
    CFrameStatus m_status{*this};
    HFONT m_hEditFont = nullptr;

    // The frame's own messages (mainfrm.cpp).
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    LRESULT OnShowMaximized(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
    // Closing saves the open workspace first (the user may cancel).
    void OnClose();

    // "Go to line" wants an active view, and no print preview shown.
    bool ViewUsable() override;
    void OnUpdateViewCommand(winui::CCmdUI* ui);
    // The Operations dialog's text operations go on to the active view.
    CTextOperationRelay m_textOperations{*this};
    // The commands on the settings, the frame's bars and the window list.
    CSettingsCommands m_settingsCommands{*this, *this};

    DECLARE_MESSAGE_MAP()

    // Find, replace, find in files and the TCP link (search_controller.cpp).
    CSearchController m_search{*this, *this};
    // The workspace controller holds the project's files that the browser
    // shows: it is made first.
    CWorkspaceController m_workspace{*this, *this, m_tools, m_browser};
    CBrowserController m_browser{*this, *this, m_workspace.Project()};
    std::unique_ptr<CFrameWorkspaceHooks> m_pWorkspaceHooks;

    // What the parts ask of the frame (mainfrm.cpp).
    winui::CToolBar& MainToolBar() override { return m_wndToolBar; }
    CEditorStatusBar& StatusBar() override { return m_status.Bar(); }
    // Docks bar on the side where leftOf is docked, just right of it.
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) override;
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    int GetBarState(HWND bar) override;
    // Docks bar on side (1 top, 2 bottom, 3 right, 4 left) unless it is
    // docked there already.
    void DockBarAtSide(winui::CControlBar& bar, int side) override;
    void ShowBar(winui::CControlBar& bar, bool show) override { ShowControlBar(&bar, show ? TRUE : FALSE, FALSE); }
    // [Ovanta] "Main": "M" maximises the frame (by a posted message), four
    // numbers "left,top,right,bottom" move it there, within a screen's work
    // area; anything else leaves it where it is.
    void MoveToStoredPlace(const std::string& place) override;
    LRESULT DefaultFrameProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return DefWindowProc(message, wParam, lParam);
    }
    // Makes font the editor font; the old one is handed back so that the
    // caller deletes it once the views have taken the new one.
    HFONT SwapEditFont(HFONT font) override;
    // The status that the tools, the browser and the workspace show, and
    // what follows it.
    IStatusSink& Status() override { return m_status; }
    void CaretMoved(int line) override { m_browser.CaretMoved(line); }
    void ModifiedStateChanged(bool modified) override;
    // The bars' places, the bookmarks and the history in workspaces.
    WorkspaceHooks& Hooks() override;
    CDocTabBar& FileBar() override { return m_navigation.TabBar(); }
    CBookmarkBar& BookmarkBar() override { return m_bookmarks.Bar(); }
    CPositionHistory& History() override { return m_navigation.History(); }
    const std::string& WorkspacePath() const override { return m_workspace.WorkspacePath(); }
    // [Bars]: the sizeable bars' places, kept by the workspace controller.
    bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show) override
    {
        return m_workspace.RestoreBarPlacement(bar, key, show);
    }
    bool StoredBarVisible(const char* key) override { return m_workspace.StoredBarVisible(key); }
    // The tools' and the browser's way to documents, and the tools' needs.
    IDocumentNavigator& Navigator() override { return m_navigation; }
    int OpenDocumentCount() const override { return m_nOpenDocs; }
    int PlayKeyboardMacro(const char* path) override { return m_macros.PlayKeyboardMacro(path); }
    void OutputBarToggled() override { m_browser.SyncTagsPane(); }
    // The output bar, made or shown first when it is not shown.
    COutputBar* ShownOutputBar() override;
    // The search and macro settings as the workspace controller reads and
    // writes them.
    ISearchSettings& SearchSettings() override { return m_search; }
    IMacroSettings& MacroSettings() override { return m_macros; }
    // Settings without "AutoSaveTime" end the running auto-save timer; the
    // backup options start it again with their minutes.
    void StopAutoSave() override;
    void RestartAutoSave(int minutes) override;
    void SaveSettings() override { m_workspace.SaveSettings(); }
    void SetSuppressComments(bool on) override { m_search.SetSuppressComments(on); }
    void AddMacroTool(const CToolInfo& tool) override { m_tools.ToolsBar().AddTool(tool); }
    void ShortcutsChanged() override { m_accelerators.ShortcutsChanged(); }

    // Creates the frame's bars and docks them: the one place where a bar of
    // the main frame is made.
    bool CreateBars();
    CFrameAccelerators m_accelerators{m_hAccelTable};
    // Later starts' hand-overs and the files dropped on the frame.
    CHandOverReceiver m_handOver{*this, *this};
    bool CloseWorkspace() override { return m_workspace.CloseWorkspace(); }
};
