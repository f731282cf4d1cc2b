#include "winui/app.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_FINISH = WM_USER + 20;

class CQuitWnd : public winui::CWnd {
public:
    LRESULT OnFinish(WPARAM code, LPARAM)
    {
        PostQuitMessage(static_cast<int>(code));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CQuitWnd, winui::CWnd)
    ON_MESSAGE(WM_FINISH, &CQuitWnd::OnFinish)
END_MESSAGE_MAP()

class CTestApp : public winui::CWinApp {
public:
    CQuitWnd wnd;
    int idleCalls = 0;
    bool initOk = true;
    BOOL InitInstance() override
    {
        if (!initOk)
            return FALSE;
        const char* cls = winui::CWnd::RegisterClass("winui.apptest");
        if (!wnd.CreateEx(0, cls, "app", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr))
            return FALSE;
        m_hMainWnd = wnd.m_hWnd;
        wnd.PostMessage(WM_FINISH, 17);
        return TRUE;
    }
    BOOL OnIdle(LONG) override
    {
        ++idleCalls;
        return FALSE;
    }
    int ExitInstance() override { return exitCode_ + 1000; }
};

TEST(CWinApp, RunsTheLoopUntilQuitAndReturnsExitInstance)
{
    CTestApp app;
    EXPECT_EQ(winui::GetApp(), &app);
    EXPECT_EQ(winui::AppMain(GetModuleHandleA(nullptr), "x", SW_HIDE), 1017);
    EXPECT_STREQ(app.m_lpCmdLine, "x");
    EXPECT_GE(app.idleCalls, 0);
}

TEST(CWinApp, FailedInitInstanceSkipsTheLoop)
{
    CTestApp app;
    app.initOk = false;
    EXPECT_EQ(winui::AppMain(GetModuleHandleA(nullptr), "", SW_HIDE), 1000);
}

} // namespace
