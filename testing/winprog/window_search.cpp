#include "testing/winprog/window_search.h"

static BOOL CALLBACK take_wanted(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<std::pair<const WindowCondition*, HWND>*>(param);
    if (!(*search->first)(window))
        return TRUE;
    search->second = window;
    return FALSE;
}

HWND TopWindowWhere(const WindowCondition& wanted)
{
    std::pair<const WindowCondition*, HWND> search{&wanted, nullptr};
    EnumWindows(take_wanted, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND ThreadWindowWhere(DWORD threadId, const WindowCondition& wanted)
{
    std::pair<const WindowCondition*, HWND> search{&wanted, nullptr};
    EnumThreadWindows(threadId, take_wanted, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND DescendantWhere(HWND parent, const WindowCondition& wanted)
{
    std::pair<const WindowCondition*, HWND> search{&wanted, nullptr};
    EnumChildWindows(parent, take_wanted, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::string WindowTextOf(HWND window)
{
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                               reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

HWND ProcessWindow(DWORD processId, const char* className)
{
    return TopWindowWhere([&](HWND w) {
        return ProcessOf(w) == processId && IsWindowVisible(w) && lstrcmpiA(ClassOf(w).c_str(), className) == 0;
    });
}

HWND ProcessWindowTitled(DWORD processId, const std::string& caption)
{
    return TopWindowWhere([&](HWND w) {
        if (ProcessOf(w) != processId || !IsWindowVisible(w))
            return false;
        char text[512] = "";
        GetWindowTextA(w, text, sizeof text);
        return caption == text;
    });
}

HWND ProcessDialog(DWORD processId, const char* caption)
{
    return TopWindowWhere([&](HWND w) {
        return ProcessOf(w) == processId && IsWindowVisible(w) && ClassOf(w) == "#32770" &&
               (!caption || WindowTextOf(w) == caption);
    });
}
