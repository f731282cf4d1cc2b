// CWinApp: the application object and its message loop. A program defines
// one object of a class derived from CWinApp and calls winui::AppMain from
// WinMain.
//
// The loop (RunMessageLoop): GetMessageA; the message is offered to the
// PreTranslateMessage of its window and that window's parents (frames use
// their accelerators, an MDI frame TranslateMDISysAccel), then to the
// application's PreTranslateMessage, which runs the message filters in the
// order they were added (accelerators of other windows, IsDialogMessageA
// for modeless dialogs and bars); a message nobody used goes to
// TranslateMessage and DispatchMessageA. When the queue is empty, OnIdle
// runs: with count 0 it sends WM_IDLEUPDATECMDUI to the main window and all
// its descendants (bars update their items), then the idle handlers run;
// OnIdle is called again with a higher count while a handler asks for more.
//
// The application is the last target of the command route. Its map holds
// the recent-file commands (ID_FILE_MRU_FILE1...); programs add
// ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew) and the like to their maps.
#pragma once

#include "winui/cmdtarget.h"
#include "winui/profile.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace winui {

class CCmdUI;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;

// A message filter: TRUE when it used the message.
using MessageFilter = std::function<BOOL(MSG*)>;
// An idle handler: TRUE when it wants to run again before the next message.
using IdleHandler = std::function<BOOL(LONG count)>;

// Filters for the usual cases: TranslateAcceleratorA to window with table,
// TranslateMDISysAccel, IsDialogMessageA of a modeless dialog (skipped
// while the dialog has no window).
MessageFilter AcceleratorFilter(HWND window, HACCEL table);
MessageFilter MDISysAccelFilter(HWND mdiClient);
MessageFilter DialogMessageFilter(HWND dialog);

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Returns FALSE to end the program at once (exit code from ExitInstance).
    virtual BOOL InitInstance() { return TRUE; }
    // The message loop: runs until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance() { return exitCode_; }
    // Runs the message filters; TRUE when one used the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called when the queue is empty; return TRUE to be called again.
    virtual BOOL OnIdle(LONG count);

    // Filters and idle handlers; the ids returned remove them again.
    int AddMessageFilter(MessageFilter filter);
    int AddIdleHandler(IdleHandler handler);
    void RemoveMessageFilter(int id);
    void RemoveIdleHandler(int id);

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    HWND m_hMainWnd = nullptr;
    // Caption of the application's message boxes.
    std::string m_strAppName;
    // The profile the application's settings go to (its INI path).
    CProfile m_profile;

    // Documents: the manager owns the templates; the recent-file list.
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    void AddDocTemplate(CDocTemplate* docTemplate);
    virtual CDocument* OpenDocumentFile(const char* path);
    void AddToRecentFileList(const char* path);
    // Makes the recent-file list (section "Recent File List", keys
    // "File%d") and reads it from the profile.
    void LoadStdProfileSettings(int mruCount = 4);
    void SaveStdProfileSettings();

    void OnFileNew();
    void OnFileOpen();
    // Opens the recent file of the command; an entry that cannot be opened
    // any more leaves the list.
    void OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* ui);
    void OnAppExit();

protected:
    int exitCode_ = 0;

private:
    struct Filter {
        int id;
        MessageFilter filter;
    };
    struct Idle {
        int id;
        IdleHandler handler;
    };
    std::vector<Filter> filters_;
    std::vector<Idle> idleHandlers_;
    int nextId_ = 1;

    DECLARE_MESSAGE_MAP()
};

// The one application object, or null.
CWinApp* GetApp();

// Dispatches messages until WM_QUIT; returns its exit code. Used by Run and
// by tests that need a loop.
int RunMessageLoop(CWinApp* app = nullptr);

// Dispatches the messages waiting in the queue without blocking, each
// through the same filters as the loop; returns false when WM_QUIT was seen
// (it is put back in the queue).
bool PumpWaitingMessages();

// Entry point: InitInstance, then Run, or ExitInstance when InitInstance
// fails. Programs call it from WinMain.
int AppMain(HINSTANCE instance, const char* cmdLine, int cmdShow);

} // namespace winui
