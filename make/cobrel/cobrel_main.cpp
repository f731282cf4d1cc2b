// cobrel: the makefile wizard's program: the application object, which
// shows the one form and passes the form's keys through the dialog manager.
#include "make/cobrel/wiz_form.h"

#include "winui/app.h"
#include "winui/common_controls.h"

#include <windows.h>

#include <memory>

namespace {

class CCobrelApp : public winui::CWinApp {
public:
    BOOL InitInstance() override
    {
        char path[MAX_PATH * 4];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length == 0 || length >= sizeof path)
            return FALSE;
        winui::InitCommonControlClasses();
        form_.reset(new TWizForm(path));
        if (!form_->Create(nullptr))
            return FALSE;
        m_hMainWnd = form_->m_hWnd;
        ShowWindow(form_->m_hWnd, m_nCmdShow);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        return form_ && form_->m_hWnd && IsDialogMessageA(form_->m_hWnd, msg);
    }

private:
    std::unique_ptr<TWizForm> form_;
};

CCobrelApp app;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    return winui::AppMain(instance, cmdLine, cmdShow);
}
