// The MDI children of Quibex.
#include "target/quibex/mdi_children.h"

#include "winui/layout.h"

BEGIN_MESSAGE_MAP(TQuibexChildFrame, winui::CMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL TQuibexChildFrame::CreateChild(winui::CMDIFrameWnd* frame, const char* title, const RECT* rect,
                                    UINT icon)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER |
                  WS_CLIPCHILDREN;
    if (!Create(nullptr, title, style, rect, frame->m_hWnd))
        return FALSE;
    if (HICON h = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon)))
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(h));
    return TRUE;
}

void TQuibexChildFrame::FitClient(int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, GetStyle(), FALSE, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TQuibexChildFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (!CreatePane())
        return -1;
    if (CFrameWnd::OnCreate(cs) != 0)
        return -1;
    EnableMenuItem(GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return 0;
}

void TQuibexChildFrame::OnClose()
{
    // The children stay while the program runs.
}

BOOL TQuibexMDIChild::CreatePane()
{
    return view_.Create(m_hWnd, winui::AFX_IDW_PANE_FIRST);
}

BEGIN_MESSAGE_MAP(TCPUMDIChild, TQuibexChildFrame)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL TCPUMDIChild::CreatePane()
{
    return view_.Create(m_hWnd, winui::AFX_IDW_PANE_FIRST);
}

void TCPUMDIChild::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    // The view learns of its child's icon and its return.
    if (view_.m_hWnd && (type == SIZE_MINIMIZED || type == SIZE_RESTORED || type == SIZE_MAXIMIZED))
        view_.SendMessage(WM_SIZE, type, MAKELPARAM(cx, cy));
}

BOOL TTermMDICHild::CreatePane()
{
    return view_.Create(m_hWnd, winui::AFX_IDW_PANE_FIRST);
}
