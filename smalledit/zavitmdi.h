// The main window of the editor and its MDI parts:
//
// TZavitFrame      the MDI frame: menu and accelerators, tool bar at the
//                  top, status bar (menu hints, Caps Lock, Num Lock, the
//                  caret position) at the bottom; commands go to the active
//                  child and its edit window, then to the client, the frame
//                  and the application.
// TZavitMDIClient  the MDI client: opens the command line's files or the
//                  files open when the program last ended, and carries the
//                  file, print and option commands.
// TZavitMDIChild   one child window per file, whose client is the file's
//                  edit window.
#pragma once

#include "winui/mdi.h"
#include "winui/statusbar.h"
#include "winui/docktoolbar.h"

#include <string>
#include <vector>

class TZavitApp;
class TZavitEditFile;
class TZavitMDIChild;

// Every edit window checks its file's time on disk (the client's message).
const UINT WM_ZAVIT_CHECKDISK = WM_USER + 1;

class TZavitMDIClient : public winui::CWnd {
public:
    explicit TZavitMDIClient(TZavitApp* app) : app_(app) {}

    // Opens the command line's files, or without any the files that were
    // open when the program last ended.
    void OpenCommandLineFiles();
    // Shows the file in its window, or makes one; an empty name takes the
    // application's dialog file name.
    TZavitEditFile* OpenFileWindow(const std::string& name = std::string());

    // The close check of the whole program: every child's, then the main
    // window's place is remembered. False keeps the program running.
    bool CanClose();

    TZavitMDIChild* ActiveChild() const;
    std::vector<TZavitMDIChild*> Children() const;

    void CmFileNew();
    void CmFileOpen();
    void CmFileClose();
    void CmFilePrint();
    void CmFilePrinterSetup();
    void CmFilePrintPreview();
    void CmQuickExit();
    void CmFont();
    void CmGoto();
    void CmPersistence();
    void CmSaveAll();
    void CmFileList();
    void CmClassicFileSel();
    void CmCloseChildren();
    void CePrint(winui::CCmdUI* ui);
    void CeGoto(winui::CCmdUI* ui);
    void CePersistence(winui::CCmdUI* ui);
    void CeClassicFileSel(winui::CCmdUI* ui);
    LRESULT OnCheckDisk(WPARAM, LPARAM);

    void ApplyFontToChild(TZavitMDIChild* child);

private:
    TZavitMDIChild* MakeChild(TZavitEditFile* edit, const std::string& caption, const RECT* place,
                              bool maximized);

    TZavitApp* app_;
    int newCount_ = 0;
    bool openingSeveral_ = false; // the command line's or last run's files open

    DECLARE_MESSAGE_MAP()
};

class TZavitMDIChild : public winui::CMDIChildWnd {
public:
    // The child takes the edit window and sets the edit window's child.
    TZavitMDIChild(TZavitEditFile* edit);
    ~TZavitMDIChild() override;

    TZavitEditFile* Edit() const { return edit_; }
    // Icons 1002 (as saved) or 1500 (changed); the menu bar is redrawn when
    // the child is maximised (its icon stands there).
    void SetIcons(UINT iconId);
    bool IsMaximized() const;
    bool IsMinimized() const { return IsIconic(m_hWnd) != FALSE; }
    // The close check of the child's edit window.
    bool CanClose();

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context) override;
    void OnClose();
    void OnSetFocus(HWND oldFocus);

private:
    TZavitEditFile* edit_;

    DECLARE_MESSAGE_MAP()
};

class TZavitFrame : public winui::CMDIFrameWnd {
public:
    explicit TZavitFrame(TZavitApp* app) : app_(app), client_(app) {}

    // Makes the frame with its menu, icons, accelerators, client and bars.
    BOOL Create(const RECT* place);

    TZavitMDIClient& Client() { return client_; }
    winui::CStatusBar& StatusBar() { return status_; }
    winui::CToolBar& ToolBar() { return toolbar_; }
    // The caret pane's text.
    void SetCaretStatus(const char* text);

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context) override;
    void OnClose();
    LRESULT OnMenuSelect(WPARAM, LPARAM);
    void CmExit();
    void CmWindow(UINT id);
    void CeIndicator(winui::CCmdUI* ui);
    void CeCaret(winui::CCmdUI* ui);

private:
    BOOL CreateToolBar();
    BOOL CreateStatusBar();

    TZavitApp* app_;
    TZavitMDIClient client_;
    winui::CDockToolBar toolbar_;
    winui::CStatusBar status_;
    HIMAGELIST images_ = nullptr;
    std::string caretText_;

    DECLARE_MESSAGE_MAP()
};
