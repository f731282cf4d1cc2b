// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It takes the hand-overs of later starts,
// keeps the accelerators in step with the open documents, shows the caret
// position and the document state, runs the auto-save timer, and saves its
// place when it closes.
#pragma once

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/bookmark_index.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/document_events.h"
#include "editor/shell/document_navigator.h"
#include "editor/shell/editor_search_host.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_workspace_hooks.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/position_history.h"
#include "editor/shell/position_tracker.h"
#include "editor/shell/small_toggle_button.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/text_macro_host.h"
#include "editor/shell/text_operation_relay.h"
#include "editor/shell/text_macros.h"

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
class COutputEdit;
class CFindInFilesOutput;
class CSearchDlg;
struct CFrameSearch;
struct SearchRequest;
class CRecentWorkspaceList;
struct SettingsValues;

// The [Bars] keys of the sizeable bars.
inline constexpr const char* kOutputBarKey = "Output";
inline constexpr const char* kFunctionBarKey = "Functions";

class CMainFrame : public CMainFrameBase,
                   public IDocumentEvents,
                   public IStatusSink,
                   public IBookmarkIndex,
                   public ITextMacroHost,
                   public IFrameWindow,
                   public IEditorSearchHost,
                   public IPositionTracker,
                   public IWorkspaceBarsHost,
                   public IDocumentNavigator {
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
    void UpdateStatusBar(int line, int column, int size);
    void ShowModifiedState(int modified);
    void SetReadOnlyPane(bool readOnly);
    void ShowProgress(bool show);
    void SetMessageText(const char* text);

    // Documents tell the frame when they open and close.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void DocumentClosed();

    COvantaView* ActiveOvantaView();
    HFONT EditFont() const { return m_hEditFont; }
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
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf);
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

    // Keyboard macros, text macros and the keyboard mapping (mainfrm_macros.cpp).
    // Replays a "*.mcr" file into the active editor (a suspended playback
    // continues, path then unused); 1 when it replayed or suspended, 0 when
    // there was nothing to do.
    int PlayKeyboardMacro(const char* path);
    // m_textMacros from "macro.txt" beside the program.
    void LoadTextMacros();
    // Rewrites the values behind the "$" text macros' names in the editor.
    void ActualizeMacros(CNColorEditCtrl& editor);
    // Before a document is saved: its "$" text macros are actualized
    // (setting "ActualizeMacros"), or for a changed "macro.txt" the user is
    // asked whether to read it again; true when it is to be read after the
    // save.
    bool MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor);
    // "MacroBar" of the settings: read (a bar that was shown is made again,
    // hidden) and written; "ExtContextMenu" on reads "macro.txt".
    void LoadMacroSettings();
    void SaveMacroSettings();
    std::vector<TextMacro> m_textMacros;
    std::unique_ptr<CMacroRecorderBar> m_pMacroBar;
    int m_nMacroBar = 0;
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

    // Bookmarks (mainfrm_bookmarks.cpp): the bar, the editors' F12 and the
    // add/delete command; bookmarks of documents opened without a workspace
    // come from the program's profile and go back there on closing.
    bool AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name);
    void RemoveBookmarkAt(CNColorEditCtrl& editor, int line);
    void BookmarksOpened(COvantaDoc* doc);
    void BookmarksClosing(COvantaDoc* doc);
    void SaveBookmarkSettings();
    CBookmarkBar m_wndBookmarkBar;
    // Document tabs, stay-on-top button and position history
    // (mainfrm_navigation.cpp).
    void DocumentRenamed(COvantaDoc* doc);
    void DocumentActivated(COvantaDoc* doc);
    void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset);
    void EditorActivated(CNColorEditCtrl& editor);
    LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol);
    void ResetPositions();
    CDocTabBar m_wndDocTabBar;
    CSmallToggleButton m_wndToggleButton;
    CPositionHistory m_history{100};
    PositionEntry m_lastPosition;

    CToolsBar m_wndToolsBar;
    std::unique_ptr<COutputBar> m_pOutputBar;
    CToolRunner m_toolRunner;
    CCurrentTool m_currentTool;

    int m_nOpenDocs = 0;
    int m_nAutoSaveTimer = 0;
    int m_nSaveImage = -1;
    // The bookmark button's pictures: add, delete, and the one it shows.
    int m_nBookmarkImage = -1;
    int m_nBookmarkDelImage = -1;
    int m_nShownBookmarkImage = -1;
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
    void OnRestoreAll();
    void OnCloseAll();
    void OnTileHorz() { MDITile(MDITILE_HORIZONTAL); }
    void OnCascadeWindows() { MDICascade(); }
    void OnNewWindow() { OnWindowNew(); }
    void OnColors();
    void OnSyntaxColors();

    void CreateToolsBar();
    void LoadTools();
    // The tools bar, the functions bar and the search dialogs follow the
    // first document that opens and the last one that closes.
    void ToolsFirstDocumentOpened();
    void ToolsLastDocumentClosed();
    void BrowserLastDocumentClosed();
    void SearchLastDocumentClosed();
    // Writes the tools and the output bar's height (closing without a workspace).
    void SaveToolSettings();
    // Asks a running tool to stop and waits a moment for it.
    void StopTool();
    bool AskToStopRunningTool();
    LRESULT OnStartTool(WPARAM, LPARAM);
    LRESULT OnToolFinished(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
    void UpdateRecentWorkspacePopup(HMENU menu);
    // Writes each item's current key from the shortcut table behind a tab.
    void ShowMenuShortcuts(HMENU menu);
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

    void OnMacroRecorder();
    void OnUpdateMacroRecorder(winui::CCmdUI* ui);
    void OnMacroStart();
    void OnUpdateMacroStart(winui::CCmdUI* ui);
    void OnMacroPause();
    void OnUpdateMacroPause(winui::CCmdUI* ui);
    void OnMacroFinish();
    void OnUpdateMacroFinish(winui::CCmdUI* ui);
    void OnEditMacroFile();
    void OnKeyboardMapping();
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

    // Find, replace, find in files and the TCP link (mainfrm_search.cpp).
    void OnEditFind();
    void OnUpdateEditFind(winui::CCmdUI* ui);
    void OnEditReplace();
    void OnUpdateEditReplace(winui::CCmdUI* ui);
    void OnEditRepeat();
    void OnFindInFiles();
    void OnUpdateFindInFiles(winui::CCmdUI* ui);
    LRESULT OnFindRequest(WPARAM closing, LPARAM request);
    LRESULT OnEditorSelection(WPARAM, LPARAM editor);
    void OnTcpSend();
    void OnTcpReceive();
    LRESULT OnTcpData(WPARAM buffer, LPARAM count);
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
    HFONT SwapEditFont(HFONT font);
    void OnBackupOptions();
    void OnLineWrap();
    void OnMoreWindows();
    // "Administrate project.." (mainfrm_files.cpp).
    void OnProjectFiles();
    void OnUpdateProjectFiles(winui::CCmdUI* ui);
    HFONT m_hEditFont = nullptr;
    // Bookmarks, document tabs, stay-on-top button, position history.
    void OnAddBookmark();
    void OnUpdateAddBookmark(winui::CCmdUI* ui);
    void OnGotoNextBookmark();
    void OnViewBookmarks();
    void OnUpdateViewBookmarks(winui::CCmdUI* ui);
    void OnBookmarkButton(UINT id);
    LRESULT OnBookmarkJump(WPARAM, LPARAM record);
    void OnFileBar();
    void OnUpdateFileBar(winui::CCmdUI* ui);
    void OnNextDocument();
    void OnUpdateNextDocument(winui::CCmdUI* ui);
    void OnPreviousDocument();
    void OnUpdatePreviousDocument(winui::CCmdUI* ui);
    LRESULT OnNcPaintMsg(WPARAM, LPARAM);
    LRESULT OnMoveMsg(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

public:
    // The editor's "Search" command: the find dialog takes the word; the
    // direction bits of its options (0 without a dialog). Then the options
    // are posted to the frame as a find request.
    int PrepareEditorSearch(const std::string& word);
    void PostEditorSearch();
    // [DefaultSettings] "FndUseSel", "RepUseSel", "SupressComments" and the
    // TCP link's keys; at closing also [FIND] and the dialogs' places.
    // The search options from the option set, and back into it.
    void LoadSearchSettings();
    void CollectSearchOptions(SettingsValues& options);
    void SetSuppressComments(bool on);
    void SaveSearchSettings();
    // The open search dialogs take the [FIND] history and their places of
    // the settings now in force (after a workspace opened or closed).
    void ReloadSearchDialogs();
    // Stops the TCP reader and destroys the search dialogs.
    void CloseSearch();

private:
    // Search (mainfrm_search.cpp).
    CFrameSearch& Search();
    std::vector<COvantaView*> OpenViews(bool firstOnly);
    COutputEdit* SearchResultsPane();
    void PrepareSearchDialog(CSearchDlg& dlg, bool takeSelection);
    CSearchDlg* EnsureSearchDialog(const std::string& text);
    void RefreshSearchDialog(CSearchDlg& dlg, const std::string& text);
    void FrameRedraw(bool on);
    // Moves the visible search dialogs off the editor's caret line.
    void KeepSearchDialogsClear(CNColorEditCtrl& editor);
    int RunMultiFileSearch(SearchRequest request, bool suppressComments);
    int SearchOpenDocumentsIn(const std::vector<COvantaView*>& views, const SearchRequest& request,
                              bool suppressComments, CFindInFilesOutput& output);
    int SearchCurrentDocumentIn(const SearchRequest& request, bool suppressComments, CFindInFilesOutput& output);
    int ReplaceInAllDocuments(const SearchRequest& request);
    std::shared_ptr<CFrameSearch> m_pSearch;
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
    void CreateBookmarkBar();
    void DockBookmarkBar();
    void CreateNavigationBars();
    void DockNavigationBars();
    void TabsDocumentOpened(COvantaDoc* doc);
    void NavigationSized();
    bool GoToPosition(const PositionEntry& entry);

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
    // Makes the recorder bar (docked at the top, left of the main tool bar).
    bool CreateMacroBar(bool show);
    // A playback suspended by a receive command: its steps and where it goes on.
    std::vector<MacroStep> m_macroSteps;
    size_t m_nMacroResume = 0;
    bool m_bMacroSuspended = false;
};
