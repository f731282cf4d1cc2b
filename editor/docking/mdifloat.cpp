#include "editor/docking/mdifloat.h"

#include "editor/docking/dockcontext.h"
#include "editor/docking/dockframe.h"
#include "editor/docking/sizebar.h"

using winui::CControlBar;

namespace {

const DWORD kFloatWndStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                             WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

CVelloSizeControlBar* single_size_bar(CControlBar* bar)
{
    if (!bar || (bar->m_dwStyle & winui::CBRS_FLOAT_MULTI))
        return nullptr;
    return dynamic_cast<CVelloSizeControlBar*>(bar);
}

} // namespace

BEGIN_MESSAGE_MAP(CVelloMDIFloatWnd, winui::CMDIChildWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_WINDOWPOSCHANGED, &CVelloMDIFloatWnd::OnWindowPosChanged)
    ON_MESSAGE(WM_PARENTNOTIFY, &CVelloMDIFloatWnd::OnParentNotify)
END_MESSAGE_MAP()

CVelloMDIFloatWnd::CVelloMDIFloatWnd() = default;
CVelloMDIFloatWnd::~CVelloMDIFloatWnd() = default;

const char* CVelloMDIFloatWnd::FloatWndClass()
{
    // Registered once per run: double clicks, no cursor, brush or icon.
    static const char* name = RegisterClass("VelloMDIFloat", CS_DBLCLKS, nullptr, nullptr);
    return name;
}

BOOL CVelloMDIFloatWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CVelloMDIFloatWnd::Create(winui::CMDIFrameWnd* pParent, DWORD dwBarStyle)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    m_dwBarStyle = dwBarStyle;
    layoutSuspended_ = true;
    BOOL made = CMDIChildWnd::Create(FloatWndClass(), "", kFloatWndStyle, nullptr, pParent->m_hWnd);
    layoutSuspended_ = false;
    return made;
}

void CVelloMDIFloatWnd::AttachBar(CControlBar* bar, SIZE client)
{
    m_pBar = bar;
    if (!bar || !bar->m_hWnd || !m_hWnd)
        return;
    char title[256] = "";
    GetWindowTextA(bar->m_hWnd, title, sizeof title);
    m_strTitle = title;
    ::SetParent(bar->m_hWnd, m_hWnd);
    ::SetWindowPos(bar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT w{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&w, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, w.right - w.left, w.bottom - w.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void CVelloMDIFloatWnd::ReleaseBar(HWND newParent)
{
    CControlBar* bar = m_pBar;
    m_pBar = nullptr;
    if (bar && bar->m_hWnd)
        ::SetParent(bar->m_hWnd, newParent);
    DestroyWindow();
}

void CVelloMDIFloatWnd::RecalcLayout()
{
    if (layoutSuspended_ || !m_hWnd || !m_pBar || !m_pBar->m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::SetWindowPos(m_pBar->m_hWnd, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    char title[256] = "";
    GetWindowTextA(m_pBar->m_hWnd, title, sizeof title);
    m_strTitle = title;
    SetWindowTextIfChanged(m_strTitle);
}

void CVelloMDIFloatWnd::OnSize(UINT type, int cx, int cy)
{
    CVelloSizeControlBar* sizeBar = single_size_bar(m_pBar);
    if (sizeBar && type == SIZE_RESTORED && (cx || cy) &&
        (GetWindowLongA(sizeBar->m_hWnd, GWL_STYLE) & WS_VISIBLE))
        sizeBar->m_sizeFloating = SIZE{cx, cy};
    CMDIChildWnd::OnSize(type, cx, cy);
}

void CVelloMDIFloatWnd::OnClose()
{
    CControlBar* bar = m_pBar;
    if (!bar) {
        DestroyWindow();
        return;
    }
    CVelloSizeControlBar* sizeBar = single_size_bar(bar);
    if (sizeBar && (sizeBar->m_dwSizeBarStyle & SIZEBAR_DELETE_ON_CLOSE)) {
        delete sizeBar; // takes this window with it
        return;
    }
    // Closing must not take the bar's window with it: the bar goes hidden
    // into a floating window of its own, where showing it finds it again.
    auto* site = dynamic_cast<CDockSite*>(bar->m_pDockSite);
    if (!site) {
        ReleaseBar(nullptr);
        return;
    }
    RECT w;
    ::GetWindowRect(m_hWnd, &w);
    ::ShowWindow(bar->m_hWnd, SW_HIDE);
    site->FloatControlBar(bar, POINT{w.left, w.top}, winui::CBRS_ALIGN_TOP);
    site->ShowControlBar(bar, FALSE, FALSE);
}

LRESULT CVelloMDIFloatWnd::OnWindowPosChanged(WPARAM, LPARAM)
{
    LRESULT result = Default();
    CVelloSizeControlBar* sizeBar = single_size_bar(m_pBar);
    if (sizeBar && sizeBar->m_pDockContext && !IsIconic(m_hWnd) && !IsZoomed(m_hWnd)) {
        RECT w;
        ::GetWindowRect(m_hWnd, &w);
        sizeBar->m_pDockContext->m_ptMRUFloatPos = POINT{w.left, w.top};
        sizeBar->m_pDockContext->m_bHasFloatPos = true;
    }
    return result;
}

LRESULT CVelloMDIFloatWnd::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // The bar's window destroyed by its owner: the empty window goes too.
    if (ForgetDestroyedBar(wParam, lParam, &m_pBar))
        PostMessage(WM_CLOSE);
    return Default();
}

LRESULT CVelloMDIFloatWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A tool bar's clicks and tips go to the frame it belongs to. The MDI
    // frame hands commands it does not handle to its active child, which
    // may be this window: those stay here.
    static bool forwarding = false;
    if ((message == WM_COMMAND || message == WM_NOTIFY) && !forwarding && m_pBar &&
        m_pBar->m_pDockSite && m_pBar->m_pDockSite->m_hWnd) {
        forwarding = true;
        LRESULT result = ::SendMessageA(m_pBar->m_pDockSite->m_hWnd, message, wParam, lParam);
        forwarding = false;
        return result;
    }
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
}
