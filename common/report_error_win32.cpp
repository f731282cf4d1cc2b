#include "common/report_error.h"

#include <windows.h>

#include <atomic>

static std::atomic<report_box_hook> box_hook{nullptr};

void report_error_set_box_hook(report_box_hook hook)
{
    box_hook.store(hook);
}

int report_error_show(int code, const std::string& title, const std::string& text)
{
    HWND owner = GetTopWindow(nullptr);
    const UINT type = MB_OK | MB_ICONSTOP;
    int result;
    if (report_box_hook hook = box_hook.load())
        result = hook(owner, text.c_str(), title.c_str(), type);
    else
        result = MessageBoxA(owner, text.c_str(), title.c_str(), type);
    if (code < 0)
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    return result;
}
