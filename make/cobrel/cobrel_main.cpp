// cobrel: the makefile wizard's program: the application object, which
// shows the one form and passes the form's keys through the dialog manager.
#include "make/cobrel/resource.h"
#include "make/cobrel/wiz_form.h"

#include "winui/app.h"
#include "winui/common_controls.h"

#include <windows.h>

#include <memory>

namespace {

// The application's title: the text of its task-bar button, beside the
// form's own caption.
const char application_title[] = "Cobrelan Rysk";

// The application window: a window without area that carries the title and
// owns the form. Minimising the form minimises it (which hides the form),
// restoring it from the task bar shows the form again.
class CApplicationWindow : public winui::CWnd {
public:
    BOOL Create()
    {
        const char* cls = RegisterClass("CobrelApplication", 0, nullptr, nullptr,
                                        LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_COBREL)));
        int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
        return CreateEx(0, cls, application_title,
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x,
                        y, 0, 0, nullptr, nullptr);
    }
    void SetForm(HWND form) { form_ = form; }

private:
    // The form, not this window, takes the focus and the close command.
    void OnSetFocus(HWND)
    {
        if (form_ && IsWindowEnabled(form_))
            ::SetFocus(form_);
    }
    void OnClose()
    {
        if (form_)
            ::PostMessageA(form_, WM_CLOSE, 0, 0);
    }

    HWND form_ = nullptr;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CApplicationWindow, winui::CWnd)
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class CCobrelApp : public winui::CWinApp {
public:
    BOOL InitInstance() override
    {
        m_strAppName = application_title;
        char path[MAX_PATH * 4];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length == 0 || length >= sizeof path)
            return FALSE;
        winui::InitCommonControlClasses();
        if (!appWindow_.Create())
            return FALSE;
        form_.reset(new TWizForm(path));
        if (!form_->Create(appWindow_.m_hWnd))
            return FALSE;
        appWindow_.SetForm(form_->m_hWnd);
        m_hMainWnd = form_->m_hWnd;
        ShowWindow(appWindow_.m_hWnd, SW_SHOWNOACTIVATE);
        ShowWindow(form_->m_hWnd, m_nCmdShow);
        return TRUE;
    }
    int ExitInstance() override
    {
        form_.reset();
        if (appWindow_.m_hWnd)
            appWindow_.DestroyWindow();
        return CWinApp::ExitInstance();
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        return form_ && form_->m_hWnd && IsDialogMessageA(form_->m_hWnd, msg);
    }

private:
    CApplicationWindow appWindow_;
    std::unique_ptr<TWizForm> form_;
};

CCobrelApp app;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    return winui::AppMain(instance, cmdLine, cmdShow);
}
