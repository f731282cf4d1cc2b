#include "winui/app.h"

namespace winui {

static CWinApp* the_app;

CWinApp::CWinApp()
{
    the_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (the_app == this)
        the_app = nullptr;
}

CWinApp* GetApp()
{
    return the_app;
}

int RunMessageLoop(CWinApp* app)
{
    MSG msg;
    LONG idleCount = 0;
    for (;;) {
        if (app) {
            while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                if (!app->OnIdle(idleCount++))
                    break;
            }
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        idleCount = 0;
        if (app && app->PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool PumpWaitingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

int CWinApp::Run()
{
    exitCode_ = RunMessageLoop(this);
    return ExitInstance();
}

int AppMain(HINSTANCE instance, const char* cmdLine, int cmdShow)
{
    CWinApp* app = GetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : "";
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

} // namespace winui
