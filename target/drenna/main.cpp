// Drenna: settings and port, then the application, then the settings again.
#include <windows.h>

#include <cstdlib>

#include "target/drenna/drenna_app.h"
#include "target/drenna/drenna_settings.h"
#include "target/seriallink/comport.h"
#include "target/seriallink/serlink.h"
#include "target/termui/ser_settings.h"
#include "winui/script_file.h"

int OwlMain(int argc, char** argv)
{
    // Scripted answers (whole-program tests) also answer the reports of
    // the serial library, which may come before any box of the program.
    winui::LoadScriptFromEnvironment();
    if (read_settings(argc, argv) == 1)
        return 0;
    OpenCom(ser_settings.port_index + 1, ser_settings.baud_rate, ser_work);
    TDrennaApp app;
    int result = winui::AppMain(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    write_settings(app.RecentFiles());
    return result;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return OwlMain(__argc, __argv);
}
