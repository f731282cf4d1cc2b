#include "dock_host.h"

#include "test_resource.h"

#include <atomic>
#include <functional>
#include <thread>

int CTestDialogBar::destroyed = 0;

BEGIN_MESSAGE_MAP(CTestFrame, CVelloMDIFrameWndSizeDock)
    ON_UPDATE_COMMAND_UI(IDC_TEST_EDIT, &CTestFrame::OnUpdateEdit)
    ON_COMMAND(ID_TEST_BUTTON, &CTestFrame::OnButton)
END_MESSAGE_MAP()

void Pump(DWORD ms)
{
    MSG msg;
    DWORD until = GetTickCount() + ms;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

DockHost::DockHost()
{
    frame = new CTestFrame;
    RECT r{40, 40, 840, 640};
    frame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, &r);
    hwnd = frame->m_hWnd;
    frame->EnableDocking(winui::CBRS_ALIGN_ANY);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    Pump(100);
}

DockHost::~DockHost()
{
    Close();
    for (winui::CControlBar* bar : owned)
        delete bar;
    Pump(50);
}

void DockHost::Close()
{
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd); // the frame deletes itself
    hwnd = nullptr;
    frame = nullptr;
}

CTestDialogBar* DockHost::AddOutputBar(DWORD sizeBarStyle)
{
    auto* bar = new CTestDialogBar(sizeBarStyle);
    if (!(sizeBarStyle & SIZEBAR_DELETE_WITH_FRAME))
        owned.push_back(bar);
    bar->CreateFromId(frame, IDD_TEST_BAR, WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM, 0xE810);
    SetWindowTextA(bar->m_hWnd, "Output");
    bar->m_sizeDockedVert = SIZE{200, 300};
    bar->EnableDocking(winui::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar, winui::AFX_IDW_DOCKBAR_BOTTOM);
    Pump(50);
    return bar;
}

CVelloSizeControlBar* DockHost::AddTreeBar(DWORD sizeBarStyle)
{
    auto* bar = new CVelloSizeControlBar(sizeBarStyle);
    if (!(sizeBarStyle & SIZEBAR_DELETE_WITH_FRAME))
        owned.push_back(bar);
    RECT r{0, 0, 300, 200};
    bar->Create(nullptr, "Tree", WS_CHILD | WS_VISIBLE | winui::CBRS_LEFT, &r, frame, 0xE811);
    bar->m_sizeDockedVert = SIZE{160, 400};
    bar->EnableDocking(winui::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar, winui::AFX_IDW_DOCKBAR_LEFT);
    Pump(50);
    return bar;
}

SIZE DockHost::Client() const
{
    RECT r;
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

RECT DockHost::InFrame(HWND wnd) const
{
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT DockHost::ClientToScreenPt(int x, int y) const
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

POINT GripperPoint(const winui::CControlBar* bar)
{
    RECT r;
    GetWindowRect(bar->m_hWnd, &r);
    CSizeDockBar* dock = CDockSite::DockBarOf(bar);
    if (dock && !dock->IsHorzDock())
        return POINT{(r.left + r.right) / 2, r.top + kGripperSize / 2};
    return POINT{r.left + kGripperSize / 2 + 1, (r.top + r.bottom) / 2};
}

POINT CaptionPoint(HWND floatingWindow)
{
    RECT r;
    GetWindowRect(floatingWindow, &r);
    return POINT{(r.left + r.right) / 2,
                 r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) / 2};
}

namespace {

void send_key(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void send_mouse(DWORD flags, POINT at)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// Plays the input from a second thread; this thread handles messages
// meanwhile (or a drag's own loop does).
void play(const std::function<void()>& input)
{
    std::atomic<bool> done{false};
    std::thread player([&] {
        input();
        done = true;
    });
    MSG msg;
    while (!done) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    player.join();
    Pump(300);
}

} // namespace

void Drag(POINT from, POINT to, WORD key)
{
    play([from, to, key] {
        send_mouse(0, from);
        Sleep(150);
        send_mouse(MOUSEEVENTF_LEFTDOWN, from);
        Sleep(150);
        for (int k = 1; k <= 6; ++k) {
            POINT p{from.x + (to.x - from.x) * k / 6, from.y + (to.y - from.y) * k / 6};
            send_mouse(0, p);
            Sleep(60);
        }
        if (key) {
            send_key(key, false);
            Sleep(60);
            if (key != VK_CONTROL)
                send_key(key, true);
        }
        Sleep(100);
        send_mouse(MOUSEEVENTF_LEFTUP, to);
        Sleep(100);
        if (key == VK_CONTROL)
            send_key(key, true);
        Sleep(50);
    });
}

void Click(POINT at)
{
    play([at] {
        send_mouse(0, at);
        Sleep(150);
        send_mouse(MOUSEEVENTF_LEFTDOWN, at);
        Sleep(50);
        send_mouse(MOUSEEVENTF_LEFTUP, at);
        Sleep(150);
    });
}

void DoubleClick(POINT at)
{
    play([at] {
        send_mouse(0, at);
        Sleep(150);
        send_mouse(MOUSEEVENTF_LEFTDOWN, at);
        send_mouse(MOUSEEVENTF_LEFTUP, at);
        Sleep(30);
        send_mouse(MOUSEEVENTF_LEFTDOWN, at);
        send_mouse(MOUSEEVENTF_LEFTUP, at);
        Sleep(150);
    });
}
