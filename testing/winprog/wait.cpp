#include "testing/winprog/wait.h"

#include "testing/kit/test_kit.h"

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    return wait_until(condition, timeoutMs, 50);
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
