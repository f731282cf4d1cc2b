// Quibex: settings and port, then the application, then the settings again.
#include <windows.h>

#include "target/quibex/quibex_app.h"
#include "target/quibex/quibex_settings.h"
#include "target/seriallink/comport.h"
#include "target/seriallink/serlink.h"
#include "target/termui/ser_settings.h"
#include "winui/script_file.h"

int OwlMain(int argc, char** argv)
{
    // Scripted answers (whole-program tests) also answer the reports of
    // the serial library, which may come before any box of the program.
    winui::LoadScriptFromEnvironment();
    read_settings(argc, argv);
    // The debugger's variant of the protocol: no reset pulse on the modem
    // lines, a pending autostart handled by the worker itself.
    ser_variant = SER_DEBUGGER;
    com_reset_lines = 0;
    OpenCom(ser_settings.port_index + 1, ser_settings.baud_rate, ser_work);
    int result;
    {
        TQuibexApp app;
        result = winui::AppMain(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    }
    write_settings();
    ExitCom();
    return result;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return OwlMain(__argc, __argv);
}
