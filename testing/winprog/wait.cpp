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

namespace {
struct FindWindowData {
    DWORD pid;
    const char* className;
    HWND found;
};
} // namespace

static BOOL CALLBACK find_window(HWND wnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindWindowData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char name[128] = "";
    GetClassNameA(wnd, name, sizeof name);
    if (pid == data->pid && IsWindowVisible(wnd) && lstrcmpiA(name, data->className) == 0) {
        data->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND ProcessWindow(DWORD processId, const char* className)
{
    FindWindowData data{processId, className, nullptr};
    EnumWindows(find_window, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

namespace {
struct FindTitledData {
    DWORD pid;
    const std::string* caption;
    HWND found;
};
} // namespace

static BOOL CALLBACK find_titled(HWND wnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindTitledData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid != data->pid || !IsWindowVisible(wnd))
        return TRUE;
    char caption[512] = "";
    GetWindowTextA(wnd, caption, sizeof caption);
    if (*data->caption != caption)
        return TRUE;
    data->found = wnd;
    return FALSE;
}

HWND ProcessWindowTitled(DWORD processId, const std::string& caption)
{
    FindTitledData data{processId, &caption, nullptr};
    EnumWindows(find_titled, reinterpret_cast<LPARAM>(&data));
    return data.found;
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
    for (DWORD waited = 0;; waited += 100) {
        for (HWND found = FindWindowExA(nullptr, nullptr, "#32770", caption); found;
             found = FindWindowExA(nullptr, found, "#32770", caption)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(found, &pid);
            if (pid == processId && IsWindowVisible(found))
                return found;
        }
        if (waited >= timeoutMs)
            return nullptr;
        Sleep(100);
    }
}
