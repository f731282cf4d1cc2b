// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It takes the hand-overs of later starts,
// keeps the accelerators in step with the open documents, shows the caret
// position and the document state, runs the auto-save timer, and saves its
// place when it closes.
#pragma once

#include "editor/shell/bookmark_controller.h"
#include "editor/shell/bookmark_index.h"
#include "editor/shell/browser_controller.h"
#include "editor/shell/document_events.h"
#include "editor/shell/document_navigator.h"
#include "editor/shell/editor_search_host.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_workspace_hooks.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/macro_controller.h"
#include "editor/shell/navigation_controller.h"
#include "editor/shell/position_tracker.h"
#include "editor/shell/search_controller.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/text_macro_host.h"
#include "editor/shell/text_operation_relay.h"
#include "editor/shell/tools_controller.h"
#include "editor/shell/window_commands.h"
#include "editor/shell/workspace_controller.h"

#include "winui/toolbar.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class COvantaDoc;
class COvantaView;
class COutputBar;
class CNColorEditCtrl;
struct CSymbolHit;
struct SettingsValues;

// The frame implements the small interfaces that documents, views and bars
// reach it through (handed out by MakeMainFrame), and privately what each of
// its controllers asks of it.
class CMainFrame : public CMainFrameBase,
                   public IDocumentEvents,
                   public IStatusSink,
                   public IBookmarkIndex,
                   public ITextMacroHost,
                   public IFrameWindow,
                   public IEditorSearchHost,
                   public IPositionTracker,
                   public IWorkspaceBarsHost,
                   public IDocumentNavigator,
                   private IBookmarkHost,
                   private INavigationHost,
                   private IMacroHost,
                   private ISearchHost,
                   private CToolsHost,
                   private CBrowserHost,
                   private CWorkspaceHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The frame's interfaces where no method of the frame served already
    // (mainfrm_links.cpp).
    void DocumentSaved(COvantaDoc* doc) override;
    void SetProgressPos(int percent) override;
    void SetProgressMode(int mode) override;
    void SetPaneText(int pane, const char* text) override;
    bool HasBookmark(const CNColorEditCtrl& editor, int line) const override;
    void RemoveBookmarksOf(const CNColorEditCtrl& editor) override;
    void MoveBookmarkLines(const CNColorEditCtrl& editor, int fromLine, int diff, int minLine) override;
    void RefreshBookmarkButtons() override;
    const std::vector<TextMacro>& TextMacros() const override;
    HWND FrameWindow() const override;
    bool HasActiveDocumentWindow() override;
    void AskGotoLine() override;
    CDocTabBar& FileBar() override;
    CBookmarkBar& BookmarkBar() override;
    CPositionHistory& History() override;
    void ShowBar(winui::CControlBar& bar, bool show) override;
    COvantaDoc* OpenDocument(const std::string& path) override;
    void ShowDocumentLine(COvantaDoc* doc, int line) override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL DestroyWindow() override;
    // The editor's own commands (fill column, brace range and brace goto),
    // which keys can be mapped to, go to the active editor; Print Preview
    // from the menu shows the whole text.
    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;

    // Status bar: line, column (1-based) and text size of the active editor.
    void UpdateStatusBar(int line, int column, int size) override;
    void ShowModifiedState(int modified);
    void SetReadOnlyPane(bool readOnly);
    void ShowProgress(bool show) override;
    void SetMessageText(const char* text) override;

    // Documents tell the frame when they open and close.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void DocumentClosed();

    COvantaView* ActiveOvantaView() override;
    HFONT EditFont() const override { return m_hEditFont; }
    bool UseShortPathNames() const { return m_tools.UseShortPathNames(); }
    // Settings and workspaces (CWorkspaceController).
    void OpenWorkspace(const char* path) { m_workspace.OpenWorkspace(path); }
    const std::string& WorkspacePath() const override { return m_workspace.WorkspacePath(); }
    // The bars that take part in settings and workspaces.
    WorkspaceHooks& Hooks() override;
    // Docks bar on the side where leftOf is docked, just right of it.
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) override;
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    int GetBarState(HWND bar) override;
    // Docks bar on side (1 top, 2 bottom, 3 right, 4 left) unless it is
    // docked there already.
    void DockBarAtSide(winui::CControlBar& bar, int side) override;
    // [Ovanta] "Main": "M" maximises the frame (by a posted message), four
    // numbers "left,top,right,bottom" move it there, within a screen's work
    // area; anything else leaves it where it is.
    void MoveToStoredPlace(const std::string& place) override;

    void OnGotoLine();
    // The modal "Properties" of a document's file.
    void ShowFileProperties(COvantaDoc* doc) { m_workspace.ShowFileProperties(doc); }

    // Tools and the output window (CToolsController).
    void ToggleOutputBar() { m_tools.ToggleOutputBar(); }
    COutputBar* OutputBar() const override { return m_tools.OutputBar(); }

private:
    // Keyboard macros, text macros and the keyboard mapping (macro_controller.cpp).
    CMacroController m_macros{*this, *this};

public:
    // For the callers outside the frame and the frame's other parts.
    int PlayKeyboardMacro(const char* path) override { return m_macros.PlayKeyboardMacro(path); }
    void LoadTextMacros() { m_macros.LoadTextMacros(); }
    void ActualizeMacros(CNColorEditCtrl& editor) { m_macros.ActualizeMacros(editor); }
    bool MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor)
    {
        return m_macros.MacrosBeforeSave(path, editor);
    }
    void LoadMacroSettings() override { m_macros.LoadSettings(); }
    void SaveMacroSettings() override { m_macros.SaveSettings(); }
    const std::vector<TextMacro>& m_textMacros = m_macros.TextMacros();
    const int& m_nMacroBar = m_macros.MacroBarSetting();
    // Source browser, functions bar and project reference (CBrowserController).
    void BrowserDocumentOpened(COvantaDoc* doc) { m_browser.DocumentOpened(doc); }
    CFunctionBar* FunctionBar() const { return m_browser.FunctionBar(); }
    CBrowserController& Browser() { return m_browser; }

private:
    // Bookmarks (bookmark_controller.cpp) and the ways between documents:
    // tabs, stay-on-top button, position history (navigation_controller.cpp).
    CBookmarkController m_bookmarks{*this, *this};
    CNavigationController m_navigation{*this, *this};
    CWindowCommands m_windowCommands{*this};

public:
    // For the callers outside the frame: the bookmark commands of the
    // editors, the documents' tabs and the editors' places.
    bool AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name)
    {
        return m_bookmarks.AddBookmarkAt(editor, line, name);
    }
    void RemoveBookmarkAt(CNColorEditCtrl& editor, int line) { m_bookmarks.RemoveBookmarkAt(editor, line); }
    void DocumentRenamed(COvantaDoc* doc) { m_navigation.DocumentRenamed(doc); }
    void DocumentActivated(COvantaDoc* doc)
    {
        m_navigation.DocumentActivated(doc);
        if (doc)
            m_bookmarks.Bar().UpdateButtonStates();
    }
    void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset)
    {
        m_navigation.SetPendingPosition(editor, topLine, caretLine, offset);
    }
    void EditorActivated(CNColorEditCtrl& editor) { m_navigation.EditorActivated(editor); }
    LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol)
    {
        return m_navigation.GoToDefinition(from, symbol);
    }
    // The controllers' bars and history under the names the callers outside
    // the frame use.
    CBookmarkBar& m_wndBookmarkBar = m_bookmarks.Bar();
    CDocTabBar& m_wndDocTabBar = m_navigation.TabBar();
    CPositionHistory& m_history = m_navigation.History();

    CToolsController m_tools{*this, *this};

    int m_nOpenDocs = 0;
    int m_nAutoSaveTimer = 0;
    int m_nSaveImage = -1;
    int m_nShownModified = -1; // what the Save button shows now
    int m_chShowState = 0;
    winui::CToolBar m_wndToolBar;
    CEditorStatusBar m_wndStatusBar;

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    LRESULT OnSysCommandMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnHandOver(WPARAM, LPARAM);
    LRESULT OnOpenHandedOver(WPARAM, LPARAM);
    LRESULT OnShowMaximized(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    void OnColors();
    void OnSyntaxColors();

    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
    void ShowMenuShortcuts(HMENU menu) { CMacroController::ShowMenuShortcuts(menu); }
    // Closing saves the open workspace first (the user may cancel).
    void OnClose();
    // Edit, view and settings commands (mainfrm_commands.cpp).
    bool ViewUsable();
    CNColorEditCtrl* ActiveEditor();
    void OnUpdateViewCommand(winui::CCmdUI* ui);
    void OnEmptyClipboard();
    void OnUpdateEmptyClipboard(winui::CCmdUI* ui);
    // The Operations dialog's text operations go on to the active view.
    CTextOperationRelay m_textOperations{*this};
    LRESULT OnHtmlReferenceMessage(WPARAM, LPARAM);
    void OnSyntaxColor();
    void OnUpdateSyntaxColor(winui::CCmdUI* ui);
    void OnLineNumbers();
    void OnUpdateLineNumbers(winui::CCmdUI* ui);
    int* ToggleOption(UINT id, const char** key);
    void OnToggleOption(UINT id);
    void OnUpdateToggleOption(winui::CCmdUI* ui);
    void OnFocusSecondClick();
    void OnUpdateFocusSecondClick(winui::CCmdUI* ui);
    void OnFont();
    // "&Tool Bar" and "Status Bar": show or hide the frame's own bars.
    winui::CControlBar& FrameBar(UINT id);
    void OnBarCheck(UINT id);
    void OnUpdateBarCheck(winui::CCmdUI* ui);
    // Makes font the editor font; the old one is handed back so that the
    // caller deletes it once the views have taken the new one.
    HFONT SwapEditFont(HFONT font) override;
    void OnBackupOptions();
    void OnLineWrap();
    void OnMoreWindows();
    HFONT m_hEditFont = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    // Find, replace, find in files and the TCP link (search_controller.cpp).
    CSearchController m_search{*this, *this};
    COutputBar* ShownOutputBar() override;

public:
    // For the callers outside the frame and the frame's other parts.
    int PrepareEditorSearch(const std::string& word) { return m_search.PrepareEditorSearch(word); }
    void PostEditorSearch() { m_search.PostEditorSearch(); }
    void LoadSearchSettings() override { m_search.LoadSettings(); }
    void CollectSearchOptions(SettingsValues& options) override { m_search.CollectOptions(options); }
    void SetSuppressComments(bool on) { m_search.SetSuppressComments(on); }
    void SaveSearchSettings() override { m_search.SaveSettings(); }
    void ReloadSearchDialogs() override { m_search.ReloadDialogs(); }

private:
    // [Bars]: the sizeable bars' places, kept by the workspace controller.
    bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show) override
    {
        return m_workspace.RestoreBarPlacement(bar, key, show);
    }
    bool StoredBarVisible(const char* key) override { return m_workspace.StoredBarVisible(key); }
    // What the tools controller asks of the frame besides the members above.
    int OpenDocumentCount() const override { return m_nOpenDocs; }
    IDocumentNavigator& Navigator() override { return *this; }
    void OutputBarToggled() override { m_browser.SyncTagsPane(); }
    CEditorStatusBar& StatusBar() override { return m_wndStatusBar; }
    // What the workspace controller asks of the frame besides the members above.
    void StopAutoSave() override;
    int MacroBarCode() const override { return m_macros.MacroBarSetting(); }
    void EnsureTextMacros() override;
    // The workspace controller holds the project's files that the browser
    // shows: it is made first.
    CWorkspaceController m_workspace{*this, *this, m_tools, m_browser};
    CBrowserController m_browser{*this, *this, m_workspace.Project()};

    std::unique_ptr<CFrameWorkspaceHooks> m_pWorkspaceHooks;
    // What the controllers need of the frame.
    winui::CToolBar& MainToolBar() override { return m_wndToolBar; }
    LRESULT DefaultFrameProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return DefWindowProc(message, wParam, lParam);
    }
    void AddMacroTool(const CToolInfo& tool) override { m_tools.ToolsBar().AddTool(tool); }
    void ShortcutsChanged() override
    {
        // The accelerators follow the table while documents are open; the
        // start table stays until one opens.
        if (!startAccel_)
            UseShortcutAccelerators();
    }


    // Creates the frame's bars and docks them: the one place where a bar of
    // the main frame is made.
    bool CreateBars();
    void UseStartAccelerators();
    void UseShortcutAccelerators();
    bool startAccel_ = true;
    std::deque<std::string> handedOver_;
};
