#include "mouse_input.h"

#include "window_search.h"

#include <commctrl.h>

namespace {

void send_mouse(DWORD flags, POINT at)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

} // namespace

void MouseDrag(POINT from, POINT to)
{
    send_mouse(0, from);
    Sleep(200);
    send_mouse(MOUSEEVENTF_LEFTDOWN, from);
    Sleep(200);
    for (int k = 1; k <= 6; ++k) {
        send_mouse(0, POINT{from.x + (to.x - from.x) * k / 6, from.y + (to.y - from.y) * k / 6});
        Sleep(80);
    }
    Sleep(150);
    send_mouse(MOUSEEVENTF_LEFTUP, to);
    Sleep(500);
}

void MouseClick(POINT at)
{
    send_mouse(0, at);
    Sleep(200);
    send_mouse(MOUSEEVENTF_LEFTDOWN, at);
    Sleep(60);
    send_mouse(MOUSEEVENTF_LEFTUP, at);
    Sleep(400);
}

void MouseDoubleClick(POINT at)
{
    send_mouse(0, at);
    Sleep(200);
    send_mouse(MOUSEEVENTF_LEFTDOWN, at);
    send_mouse(MOUSEEVENTF_LEFTUP, at);
    Sleep(30);
    send_mouse(MOUSEEVENTF_LEFTDOWN, at);
    send_mouse(MOUSEEVENTF_LEFTUP, at);
    Sleep(500);
}

HWND FloatingToolBarWindow(HWND frame)
{
    return TopWindowWhere([frame](HWND window) {
        return GetWindow(window, GW_OWNER) == frame && FindWindowExA(window, nullptr, "ToolbarWindow32", nullptr);
    });
}

HWND FindToolBar(HWND frame)
{
    if (HWND docked = FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr))
        return docked;
    HWND floating = FloatingToolBarWindow(frame);
    return floating ? FindWindowExA(floating, nullptr, "ToolbarWindow32", nullptr) : nullptr;
}

RECT ToolButtonRect(HWND toolbar, UINT id)
{
    RECT rect{};
    int index = static_cast<int>(SendMessageA(toolbar, TB_COMMANDTOINDEX, id, 0));
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (index < 0 || !process) {
        if (process)
            CloseHandle(process);
        return rect;
    }
    void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        DWORD_PTR ok = 0;
        SendMessageTimeoutA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &ok);
        SIZE_T got = 0;
        if (ok)
            ReadProcessMemory(process, remote, &rect, sizeof rect, &got);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT ToolBarGripper(HWND toolbar)
{
    RECT r{};
    GetWindowRect(toolbar, &r);
    if (r.bottom - r.top > r.right - r.left)
        return POINT{(r.left + r.right) / 2, r.top + 4};
    return POINT{r.left + 4, (r.top + r.bottom) / 2};
}

POINT CaptionPointOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Halfway between the outer edge and the client area, left of the
    // caption's buttons.
    return POINT{r.left + (r.right - r.left) / 3, (r.top + client.top) / 2 + 1};
}

RECT RectIn(HWND window, HWND reference)
{
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

POINT ClientPointOnScreen(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}
