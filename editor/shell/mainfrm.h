// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It takes the hand-overs of later starts,
// keeps the accelerators in step with the open documents, shows the caret
// position and the document state, runs the auto-save timer, and saves its
// place when it closes.
#pragma once

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/browser_controller.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_workspace_hooks.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/position_history.h"
#include "editor/shell/small_toggle_button.h"
#include "editor/shell/text_macros.h"
#include "editor/shell/tools_controller.h"
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
class COutputEdit;
class CFindInFilesOutput;
class CSearchDlg;
struct CFrameSearch;
struct SearchRequest;
struct SettingsValues;

class CMainFrame : public CMainFrameBase, private CToolsHost, private CBrowserHost, private CWorkspaceHost {
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

    // Keyboard macros, text macros and the keyboard mapping (mainfrm_macros.cpp).
    // Replays a "*.mcr" file into the active editor (a suspended playback
    // continues, path then unused); 1 when it replayed or suspended, 0 when
    // there was nothing to do.
    int PlayKeyboardMacro(const char* path) override;
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
    void LoadMacroSettings() override;
    void SaveMacroSettings() override;
    std::vector<TextMacro> m_textMacros;
    std::unique_ptr<CMacroRecorderBar> m_pMacroBar;
    int m_nMacroBar = 0;
    // Source browser, functions bar and project reference (CBrowserController).
    void BrowserDocumentOpened(COvantaDoc* doc) { m_browser.DocumentOpened(doc); }
    CFunctionBar* FunctionBar() const { return m_browser.FunctionBar(); }
    CBrowserController& Browser() { return m_browser; }

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

    CToolsController m_tools{*this, *this};

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

    // The search dialogs follow the last document that closes.
    void SearchLastDocumentClosed();
    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
    // Writes each item's current key from the shortcut table behind a tab.
    void ShowMenuShortcuts(HMENU menu);

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
    // Closing saves the open workspace first (the user may cancel).
    void OnClose();
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
    HFONT SwapEditFont(HFONT font) override;
    void OnBackupOptions();
    void OnLineWrap();
    void OnMoreWindows();
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
    void LoadSearchSettings() override;
    void CollectSearchOptions(SettingsValues& options) override;
    void SetSuppressComments(bool on);
    void SaveSearchSettings() override;
    // The open search dialogs take the [FIND] history and their places of
    // the settings now in force (after a workspace opened or closed).
    void ReloadSearchDialogs() override;
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
    // [Bars]: the sizeable bars' places, kept by the workspace controller.
    bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show) override
    {
        return m_workspace.RestoreBarPlacement(bar, key, show);
    }
    bool StoredBarVisible(const char* key) override { return m_workspace.StoredBarVisible(key); }
    // What the tools controller asks of the frame besides the members above.
    int OpenDocumentCount() const override { return m_nOpenDocs; }
    winui::CControlBar& MainToolBar() override { return m_wndToolBar; }
    void OutputBarToggled() override { m_browser.SyncTagsPane(); }
    CEditorStatusBar& StatusBar() override { return m_wndStatusBar; }
    // What the workspace controller asks of the frame besides the members above.
    void StopAutoSave() override;
    int MacroBarCode() const override { return m_nMacroBar; }
    void EnsureTextMacros() override;
    // The workspace controller holds the project's files that the browser
    // shows: it is made first.
    CWorkspaceController m_workspace{*this, *this, m_tools, m_browser};
    CBrowserController m_browser{*this, *this, m_workspace.Project()};

    std::unique_ptr<CFrameWorkspaceHooks> m_pWorkspaceHooks;
    void CreateBookmarkBar();
    void DockBookmarkBar();
    void CreateNavigationBars();
    void DockNavigationBars();
    void TabsDocumentOpened(COvantaDoc* doc);
    void NavigationSized();
    bool GoToPosition(const PositionEntry& entry);


    // Creates the frame's bars and docks them: the one place where a bar of
    // the main frame is made.
    bool CreateBars();
    void UseStartAccelerators();
    void UseShortcutAccelerators();
    bool startAccel_ = true;
    std::deque<std::string> handedOver_;
    // Makes the recorder bar (docked at the top, left of the main tool bar).
    bool CreateMacroBar(bool show);
    // A playback suspended by a receive command: its steps and where it goes on.
    std::vector<MacroStep> m_macroSteps;
    size_t m_nMacroResume = 0;
    bool m_bMacroSuspended = false;
};
