// CWinApp: the application object and its message loop. A program defines
// one object of a class derived from CWinApp and calls winui::AppMain from
// WinMain.
#pragma once

#include <windows.h>

namespace winui {

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE to end the program at once (exit code from ExitInstance).
    virtual BOOL InitInstance() { return TRUE; }
    // The message loop: runs until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance() { return exitCode_; }
    // Lets the application see a message before it is dispatched; returns
    // TRUE when the message was handled (accelerators, dialog keys).
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    // Called when the queue is empty; return TRUE to be called again.
    virtual BOOL OnIdle(LONG count) { return FALSE; }

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    HWND m_hMainWnd = nullptr;

protected:
    int exitCode_ = 0;
};

// The one application object, or null.
CWinApp* GetApp();

// Dispatches messages until WM_QUIT; returns its exit code. Used by Run and
// by tests that need a loop.
int RunMessageLoop(CWinApp* app = nullptr);

// Dispatches the messages waiting in the queue without blocking; returns
// false when WM_QUIT was seen (it is put back in the queue).
bool PumpWaitingMessages();

// Entry point: InitInstance, then Run, or ExitInstance when InitInstance
// fails. Programs call it from WinMain.
int AppMain(HINSTANCE instance, const char* cmdLine, int cmdShow);

} // namespace winui
