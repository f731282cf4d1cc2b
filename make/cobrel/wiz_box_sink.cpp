#include "make/cobrel/wiz_box_sink.h"

#include "winui/msgbox.h"

void wiz_box_sink::show(wiz_level level, const std::string& title, const std::string& text)
{
    UINT icon = MB_ICONINFORMATION;
    if (level == WIZ_WARNING || level == WIZ_ERROR)
        icon = MB_ICONEXCLAMATION;
    else if (level == WIZ_FATAL)
        icon = MB_ICONSTOP;
    winui::ShowMessageBox(owner_, text.c_str(), title.c_str(), MB_OK | icon);
    if (level == WIZ_FATAL)
        ExitProcess(1);
}

bool wiz_box_sink::ask(const std::string& title, const std::string& text)
{
    return winui::ShowMessageBox(owner_, text.c_str(), title.c_str(),
                                 MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}
