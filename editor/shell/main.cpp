// Ovanta: the editor of the suite.
#include "editor/shell/ovantaapp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    int result;
    {
        COvantaApp app;
        result = winui::AppMain(instance, cmdLine, cmdShow);
    }
    return result;
}
