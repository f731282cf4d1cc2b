#include "common/report_error.h"
#include "winui/msgbox.h"

int main()
{
    winui::SetMessageBoxHook([](const winui::MessageBoxCall&) { return IDOK; });
    report_error(-1, "port %s lost", "COM5");
    return 0; // never reached: the fatal report ends the process
}
