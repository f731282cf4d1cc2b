// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It takes the hand-overs of later starts,
// keeps the accelerators in step with the open documents, shows the caret
// position and the document state, runs the auto-save timer, and saves its
// place when it closes.
#pragma once

#include "editor/shell/bookmark_controller.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_workspace_hooks.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/macro_controller.h"
#include "editor/shell/navigation_controller.h"
#include "editor/shell/search_controller.h"
#include "editor/shell/window_commands.h"

#include "editor/browser/function_bar.h"
#include "editor/browser/tag_config.h"

#include "editor/tools/tool_info.h"
#include "editor/tools/tool_runner.h"
#include "editor/tools/tools_bar.h"

#include "winui/toolbar.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class COvantaDoc;
class COvantaView;
class COutputBar;
class CToolShell;
class CNColorEditCtrl;
struct CSymbolHit;
class CRecentWorkspaceList;
struct SettingsValues;

// The [Bars] keys of the sizeable bars.
inline constexpr const char* kOutputBarKey = "Output";
inline constexpr const char* kFunctionBarKey = "Functions";

class CMainFrame : public CMainFrameBase, private IBookmarkHost, private INavigationHost,
                   private IMacroHost, private ISearchHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL DestroyWindow() override;
    // The editor's own commands (fill column, brace range and brace goto),
    // which keys can be mapped to, go to the active editor; Print Preview
    // from the menu shows the whole text.
    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;

    // Status bar: line, column (1-based) and text size of the active editor.
    void UpdateStatusBar(int line, int column, int size);
    void ShowModifiedState(int modified);
    void SetReadOnlyPane(bool readOnly);
    void ShowProgress(bool show);
    void SetMessageText(const char* text);

    // Documents tell the frame when they open and close.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void DocumentClosed();

    COvantaView* ActiveOvantaView() override;
    HFONT EditFont() const override { return m_hEditFont; }
    bool UseShortPathNames() const { return m_currentTool.ShortPath != 0; }
    // Saves or closes what is open, then opens the workspace at path.
    void OpenWorkspace(const char* path);
    // Settings and workspaces (mainfrm_workspace.cpp). The option set from
    // and to the profile target, or the file at path for the one call.
    void LoadSettings(const char* path = nullptr);
    void SaveSettings(const char* path = nullptr);
    // 1 when written, 7 (No) or 2 (Cancel) when the user declined.
    int SaveWorkspace(const char* path = nullptr);
    void LoadWorkspace(const char* path);
    // False when the user cancelled and the workspace stays open.
    bool CloseWorkspace();
    // The open workspace's file (empty when none) and its project files as
    // full paths, in list order.
    const std::string& WorkspacePath() const;
    std::vector<std::string> WorkspaceFiles() const;
    // The project's files in stored form (relative to the workspace's
    // folder where they are inside it), and those of them not open.
    std::vector<std::string> m_workspaceFiles;
    std::vector<std::string> m_closedFiles;
    // The bars that take part in settings and workspaces.
    WorkspaceHooks& Hooks();
    void TrackClosedProjectFile(COvantaDoc* doc, bool closing);
    // Docks bar on the side where leftOf is docked, just right of it.
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) override;
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    int GetBarState(HWND bar);
    // Docks bar on side (1 top, 2 bottom, 3 right, 4 left) unless it is
    // docked there already.
    void DockBarAtSide(winui::CControlBar& bar, int side);
    // [Ovanta] "Main": "M" maximises the frame (by a posted message), four
    // numbers "left,top,right,bottom" move it there, within a screen's work
    // area; anything else leaves it where it is.
    void MoveToStoredPlace(const std::string& place);

    void OnGotoLine();
    // The modal "Properties" of a document's file (mainfrm_files.cpp).
    void ShowFileProperties(COvantaDoc* doc);

    // Tools and the output window (mainfrm_tools.cpp).
    // Starts the current tool: captured or redirected into the "Output"
    // pane, or handed to the shell.
    void StartTool();
    // Creates the output bar on first use (docked at the bottom), else
    // shows or hides it.
    void ToggleOutputBar();
    COutputBar* OutputBar() const { return m_pOutputBar.get(); }
    // What the output panes need of the editor.
    CToolShell* ToolShell();

private:
    // Keyboard macros, text macros and the keyboard mapping (macro_controller.cpp).
    CMacroController m_macros{*this, *this};

public:
    // For the callers outside the frame and the frame's other parts.
    int PlayKeyboardMacro(const char* path) { return m_macros.PlayKeyboardMacro(path); }
    void LoadTextMacros() { m_macros.LoadTextMacros(); }
    void ActualizeMacros(CNColorEditCtrl& editor) { m_macros.ActualizeMacros(editor); }
    bool MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor)
    {
        return m_macros.MacrosBeforeSave(path, editor);
    }
    void LoadMacroSettings() { m_macros.LoadSettings(); }
    void SaveMacroSettings() { m_macros.SaveSettings(); }
    const std::vector<TextMacro>& m_textMacros = m_macros.TextMacros();
    const int& m_nMacroBar = m_macros.MacroBarSetting();
    // Source browser, functions bar and project reference (mainfrm_browser.cpp).
    // [TagConfig] and the browser's [DefaultSettings] keys; a workspace
    // shows the functions bar.
    void LoadBrowserSettings(bool workspace = false);
    void SaveBrowserSettings();
    // Documents and the caret tell the functions bar.
    void BrowserDocumentOpened(COvantaDoc* doc);
    void BrowserDocumentClosing(COvantaDoc* doc);
    void BrowserCaretMoved(int line);
    CFunctionBar* FunctionBar() const { return m_pFunctionBar.get(); }
    std::unique_ptr<CFunctionBar> m_pFunctionBar;
    CTagConfig m_tagConfig;
    bool m_bAutoSearch = false;
    int m_nFunctionList = 0;

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

    CToolsBar m_wndToolsBar;
    std::unique_ptr<COutputBar> m_pOutputBar;
    CToolRunner m_toolRunner;
    CCurrentTool m_currentTool;

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

    void CreateToolsBar();
    void LoadTools();
    // The tools bar, the functions bar and the search dialogs follow the
    // first document that opens and the last one that closes.
    void ToolsFirstDocumentOpened();
    void ToolsLastDocumentClosed();
    void BrowserLastDocumentClosed();
    // Writes the tools and the output bar's height (closing without a workspace).
    void SaveToolSettings();
    // Asks a running tool to stop and waits a moment for it.
    void StopTool();
    bool AskToStopRunningTool();
    LRESULT OnStartTool(WPARAM, LPARAM);
    LRESULT OnToolFinished(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
    void UpdateRecentWorkspacePopup(HMENU menu);
    void ShowMenuShortcuts(HMENU menu) { CMacroController::ShowMenuShortcuts(menu); }
    void OnStartToolCommand(UINT id);
    void OnToolSettings();
    void OnAddTool();
    void OnUpdateAddTool(winui::CCmdUI* ui);
    void OnCancelTool();
    void OnUpdateCancelTool(winui::CCmdUI* ui);
    void OnToolsBar();
    void OnUpdateToolsBar(winui::CCmdUI* ui);
    void OnOutputBar();
    void OnUpdateOutputBar(winui::CCmdUI* ui);

    // Source browser (mainfrm_browser.cpp).
    void OnFunctionListCommand(UINT id);
    void OnUpdateFunctionListCommand(winui::CCmdUI* ui);
    void OnAutoSearch();
    void OnUpdateAutoSearch(winui::CCmdUI* ui);
    void OnAutoSearchConfig();
    void OnProjectReference();
    void WriteProjectReference();
    LRESULT OnBrowserRequest(WPARAM, LPARAM);
    LRESULT OnBrowserStatus(WPARAM text, LPARAM);
    LRESULT OnFunctionUpdateDocument(WPARAM, LPARAM doc);

    // Workspaces (mainfrm_workspace.cpp).
    void OnClose();
    void OnWorkspaceOpen();
    void OnWorkspaceSave();
    void OnWorkspaceClose();
    void OnUpdateWorkspaceClose(winui::CCmdUI* ui);
    void OnRecentWorkspace(UINT id);
    void OnUpdateRecentWorkspace(winui::CCmdUI* ui);
    void OnMinimizeAll();
    void OnHelpTopics();
    void OnHoldSelection();
    void OnUpdateHoldSelection(winui::CCmdUI* ui);
    void OnExtContextMenu();
    void OnUpdateExtContextMenu(winui::CCmdUI* ui);
    // Edit, view and settings commands (mainfrm_commands.cpp).
    bool ViewUsable();
    bool ViewWritable();
    CNColorEditCtrl* ActiveEditor();
    void OnUpdateViewCommand(winui::CCmdUI* ui);
    void OnUpdateWritableCommand(winui::CCmdUI* ui);
    void OnUpdateEditUndo(winui::CCmdUI* ui);
    void OnUpdateEditCut(winui::CCmdUI* ui);
    void OnUpdateEditCopy(winui::CCmdUI* ui);
    void OnUpdateEditPaste(winui::CCmdUI* ui);
    void OnCopyAppend();
    void OnPasteBlock();
    void OnPasteBlockMove();
    void OnInsertInNewFile();
    void OnEmptyClipboard();
    void OnUpdateEmptyClipboard(winui::CCmdUI* ui);
    void OnDeleteToLineEnd();
    void OnSetComment();
    void OnInsertFile();
    void OnExportHtml();
    void OnOperations();
    void OnUpdateOperations(winui::CCmdUI* ui);
    // Asks "This action cannot be undone!" and lets the active view carry
    // out the operation of the frame's message (0x464-0x467).
    LRESULT RunTextOperation(UINT message);
    LRESULT OnDeleteTrailingMessage(WPARAM, LPARAM);
    LRESULT OnDeleteLeadingMessage(WPARAM, LPARAM);
    LRESULT OnAlignCMessage(WPARAM, LPARAM);
    LRESULT OnDeleteEmptyLinesMessage(WPARAM, LPARAM);
    LRESULT OnHtmlReferenceMessage(WPARAM, LPARAM);
    void OnTextOperationCommand(UINT id);
    void OnSyntaxColor();
    void OnUpdateSyntaxColor(winui::CCmdUI* ui);
    void OnLineNumbers();
    void OnUpdateLineNumbers(winui::CCmdUI* ui);
    int* ToggleOption(UINT id, const char** key);
    void OnToggleOption(UINT id);
    void OnUpdateToggleOption(winui::CCmdUI* ui);
    void OnFocusSecondClick();
    void OnUpdateFocusSecondClick(winui::CCmdUI* ui);
    void OnSaveUnix();
    void OnUpdateSaveUnix(winui::CCmdUI* ui);
    void OnFont();
    // "&Tool Bar" and "Status Bar": show or hide the frame's own bars.
    winui::CControlBar& FrameBar(UINT id);
    void OnBarCheck(UINT id);
    void OnUpdateFileSave(winui::CCmdUI* ui);
    void OnUpdateBarCheck(winui::CCmdUI* ui);
    // Makes font the editor font; the old one is handed back so that the
    // caller deletes it once the views have taken the new one.
    HFONT SwapEditFont(HFONT font);
    void OnBackupOptions();
    void OnLineWrap();
    void OnMoreWindows();
    // "Administrate project.." (mainfrm_files.cpp).
    void OnProjectFiles();
    void OnUpdateProjectFiles(winui::CCmdUI* ui);
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
    void LoadSearchSettings() { m_search.LoadSettings(); }
    void CollectSearchOptions(SettingsValues& options) { m_search.CollectOptions(options); }
    void SetSuppressComments(bool on) { m_search.SetSuppressComments(on); }
    void SaveSearchSettings() { m_search.SaveSettings(); }
    void ReloadSearchDialogs() { m_search.ReloadDialogs(); }

private:
    // Workspaces (mainfrm_workspace.cpp).
    void ApplyLoadedOptions(bool workspace);
    // The bars go where the profile's placement codes put them.
    void PlaceBarsAtStart();
public:
    // [Bars]: the sizeable bars' places (side, row, sizes, floating place,
    // visibility) under key. Restoring puts bar there, shown when show is
    // set; false when nothing usable is stored. The stored visibility is
    // false also when nothing is stored.
    bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show = false);
    bool StoredBarVisible(const char* key);
    void SaveBarPlacements();
    // The output bar as it was left: made and placed when it was shown.
    void RestoreOutputBar();
private:
    bool LeaveForWorkspace(bool askFirst, const char* question);
    void EnterWorkspace(const std::string& path);
    void WriteRecentWorkspaces();
    CRecentWorkspaceList* RecentWorkspaces();
    // What the frame's destruction saves: the option set into the profile,
    // or the closing time into the open workspace.
    void SaveOnDestroy();
    std::unique_ptr<CRecentWorkspaceList> m_pRecentWorkspaces;
    std::unique_ptr<CFrameWorkspaceHooks> m_pWorkspaceHooks;
    // What the controllers need of the frame.
    winui::CToolBar& MainToolBar() override { return m_wndToolBar; }
    LRESULT DefaultFrameProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return DefWindowProc(message, wParam, lParam);
    }
    void AddMacroTool(const CToolInfo& tool) override { m_wndToolsBar.AddTool(tool); }
    void ShortcutsChanged() override
    {
        // The accelerators follow the table while documents are open; the
        // start table stays until one opens.
        if (!startAccel_)
            UseShortcutAccelerators();
    }

    // Source browser (mainfrm_browser.cpp).
    CBrowserShell* BrowserShell();
    bool CreateFunctionBar(FunctionListMode mode, bool visible, bool right);
    FunctionListMode FunctionListModeSetting() const;
    void SyncTagsPane();
    void WriteTagFlags();
    std::unique_ptr<CBrowserShell> m_pBrowserShell;
    bool functionBarParked_ = false; // hidden with the last document

    // Creates the frame's bars and docks them: the one place where a bar of
    // the main frame is made.
    bool CreateBars();
    void UseStartAccelerators();
    void UseShortcutAccelerators();
    bool startAccel_ = true;
    std::deque<std::string> handedOver_;
    std::unique_ptr<CToolShell> m_pToolShell;
};
