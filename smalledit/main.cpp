// Zavit: the small multi-document editor that remembers its files, their
// windows and carets from one run to the next.
#include "smalledit/zavit_text.h"
#include "smalledit/zavitapp.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    std::vector<std::string> given;
    for (int i = 0; i < __argc; ++i)
        given.push_back(__argv[i]);
    // The program path as the system knows it: the settings file stands
    // beside it whatever the command line called the program.
    std::vector<char> path(32768);
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length > 0 && length < path.size()) {
        if (given.empty())
            given.push_back(std::string());
        given[0].assign(path.data(), length);
    }
    std::vector<std::string> args;
    std::string error;
    if (!zavit_expand_arguments(given, args, &error))
        zavit_report_error(-1, "%s", error.c_str());

    int code;
    {
        TZavitApp app(args);
        int status = winui::AppMain(instance, cmdLine, cmdShow);
        code = app.quickExit ? 1 : (status == 1 ? 0 : status);
    }
    return code;
}
