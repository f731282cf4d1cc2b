// Yantel: runs the suite's make tool on a makefile and shows its
// diagnostics.
#include "make/yantel/yantelap.h"

#include <windows.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    std::vector<char> path(32768);
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    int result;
    {
        TYantelApp app(std::string(path.data(), length));
        result = winui::AppMain(instance, cmdLine, cmdShow);
    }
    return result;
}
