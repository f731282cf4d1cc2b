#include "testing/winprog/wait.h"

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return condition();
        Sleep(50);
    }
    return true;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = ProcessWindow(processId, className)) != nullptr; },
              static_cast<int>(timeoutMs));
    return found;
}

HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = ProcessDialog(processId, caption)) != nullptr; }, static_cast<int>(timeoutMs));
    return found;
}
