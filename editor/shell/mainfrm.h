// CMainFrame: Ovanta's one top-level window, an MDI frame with the main
// tool bar and the status bar. It takes the hand-overs of later starts,
// keeps the accelerators in step with the open documents, shows the caret
// position and the document state, runs the auto-save timer, and saves its
// place when it closes. Commands of parts of the editor that are not built
// yet are in its menus and map and show that they are not available.
#pragma once

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_bases.h"
#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/position_history.h"
#include "editor/shell/small_toggle_button.h"
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

class COvantaDoc;
class COvantaView;
class COutputBar;
class CToolShell;
class CNColorEditCtrl;

class CMainFrame : public CMainFrameBase {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL DestroyWindow() override;

    // Status bar: line, column (1-based) and text size of the active editor.
    void UpdateStatusBar(int line, int column, int size);
    void ShowModifiedState(int modified);
    void SetReadOnlyPane(bool readOnly);
    void ShowProgress(bool show);
    void SetMessageText(const char* text);
    // The status text of a command that is not available yet.
    void NotAvailable();

    // Documents tell the frame when they open and close.
    void DocumentOpened(COvantaDoc* doc);
    void DocumentClosing(COvantaDoc* doc);
    void DocumentClosed();

    COvantaView* ActiveOvantaView();
    HFONT EditFont() const { return nullptr; }
    bool UseShortPathNames() const { return m_currentTool.ShortPath != 0; }
    // Opens a workspace (arrives with the workspace support).
    void OpenWorkspace(const char* path);
    // Docks bar on the side where leftOf is docked, just right of it.
    void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf);
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    int GetBarState(HWND bar);

    void OnGotoLine();

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
    // [TagConfig] and the browser's [DefaultSettings] keys.
    void LoadBrowserSettings();
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
    int m_nSaveImage = 0;
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
    void OnNotAvailable();
    void OnNotAvailableRange(UINT) { OnNotAvailable(); }
    void OnRestoreAll();
    void OnCloseAll();
    void OnTileHorz() { MDITile(MDITILE_HORIZONTAL); }
    void OnCascadeWindows() { MDICascade(); }
    void OnNewWindow() { OnWindowNew(); }
    void OnColors();
    void OnSyntaxColors();

    void CreateToolsBar();
    void LoadTools();
    // Writes the tools and the output bar's height (closing without a workspace).
    void SaveToolSettings();
    // Asks a running tool to stop and waits a moment for it.
    void StopTool();
    bool AskToStopRunningTool();
    LRESULT OnStartTool(WPARAM, LPARAM);
    LRESULT OnToolFinished(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupTools(WPARAM menu, LPARAM info);
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
    LRESULT OnBrowserRequest(WPARAM, LPARAM);
    LRESULT OnBrowserStatus(WPARAM text, LPARAM);
    LRESULT OnFunctionUpdateDocument(WPARAM, LPARAM doc);

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

private:
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
