#include "report_error.h"

#include <windows.h>

#include "winui/msgbox.h"

int report_error_show(int code, const std::string& title, const std::string& text)
{
    int result = winui::ShowMessageBox(GetTopWindow(nullptr), text.c_str(), title.c_str(),
                                   MB_OK | MB_ICONSTOP);
    if (code < 0)
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    return result;
}
