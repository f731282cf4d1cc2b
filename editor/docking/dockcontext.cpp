#include "editor/docking/dockcontext.h"

#include "editor/docking/dockframe.h"
#include "editor/docking/sizebar.h"
#include "editor/docking/sizedockbar.h"

#include <algorithm>
#include <string>

using winui::CControlBar;

namespace {

const DWORD kHorz = winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM;
const DWORD kVert = winui::CBRS_ALIGN_LEFT | winui::CBRS_ALIGN_RIGHT;

const DWORD kMiniStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
const DWORD kMiniExStyle = WS_EX_TOOLWINDOW;

// Moves r so that pt lies inside it, as far as needed and no further.
void move_to_contain(RECT* r, POINT pt)
{
    int dx = pt.x <= r->left ? pt.x - r->left : pt.x < r->right ? 0 : pt.x - r->right + 1;
    int dy = pt.y <= r->top ? pt.y - r->top : pt.y < r->bottom ? 0 : pt.y - r->bottom + 1;
    OffsetRect(r, dx, dy);
}

// The window size of a floating window with a client area of client.
SIZE mini_frame_size(SIZE client)
{
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, kMiniStyle, FALSE, kMiniExStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// A rectangle's frame inverted on the screen, border thick.
void invert_frame(HDC dc, const RECT& r, SIZE border, HBRUSH brush)
{
    if (border.cx <= 0 && border.cy <= 0)
        return;
    HGDIOBJ old = SelectObject(dc, brush);
    int w = r.right - r.left, h = r.bottom - r.top;
    PatBlt(dc, r.left, r.top, w, border.cy, PATINVERT);
    PatBlt(dc, r.left, r.bottom - border.cy, w, border.cy, PATINVERT);
    PatBlt(dc, r.left, r.top + border.cy, border.cx, h - 2 * border.cy, PATINVERT);
    PatBlt(dc, r.right - border.cx, r.top + border.cy, border.cx, h - 2 * border.cy, PATINVERT);
    SelectObject(dc, old);
}

HBRUSH halftone_brush()
{
    static HBRUSH brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH b = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);
        return b;
    }();
    return brush;
}

HWND main_window_of(winui::CFrameWnd* frame)
{
    return frame && frame->m_hWnd ? GetAncestor(frame->m_hWnd, GA_ROOT) : nullptr;
}

} // namespace

CSizeDockContext::CSizeDockContext(CVelloSizeControlBar* bar) : m_pBar(bar) {}

CSizeDockContext::~CSizeDockContext()
{
    if (m_hDC)
        ReleaseDC(nullptr, m_hDC);
}

CDockSite* CSizeDockContext::Site() const
{
    return m_pBar ? m_pBar->GetDockSite() : nullptr;
}

void CSizeDockContext::StartDrag(POINT pt)
{
    CDockSite* site = Site();
    // A bar among the documents moves with its MDI window.
    if (!site || !m_pBar->m_hWnd || CDockSite::MdiFloatOf(m_pBar))
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle & winui::CBRS_ALIGN_ANY;
    m_dwStyle = m_pBar->m_dwStyle & winui::CBRS_ALIGN_ANY;
    HWND mainWnd = main_window_of(site->DockFrame());
    if (m_dwDockStyle && mainWnd)
        ::SendMessageA(mainWnd, WM_SETMESSAGESTRING, IDS_SIZEBAR_DRAGGING, 0);
    // Windows uncovered by a menu or a dialog are painted before the
    // outline goes on the screen.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT))
            return;
        DispatchMessageA(&msg);
    }
    m_rectLast = RECT{};
    m_sizeLast = SIZE{0, 0};
    m_bDitherLast = false;
    m_bFlip = FALSE;

    RECT rect;
    CSizableMiniDockFrameWnd* mini = CDockSite::MiniFrameOf(m_pBar);
    ::GetWindowRect(mini ? mini->m_hWnd : m_pBar->m_hWnd, &rect);
    m_ptLast = m_ptDragStart = pt;

    RECT frameRect;
    HWND siteWnd = site->DockFrame()->m_hWnd;
    ::GetClientRect(siteWnd, &frameRect);
    MapWindowPoints(siteWnd, nullptr, reinterpret_cast<POINT*>(&frameRect), 2);
    const int W = frameRect.right - frameRect.left;
    const int H = frameRect.bottom - frameRect.top;
    const SIZE horz = m_pBar->m_sizeDockedHorz;
    const SIZE vert = m_pBar->m_sizeDockedVert;
    m_rectHorzZone = RECT{frameRect.left, rect.top, frameRect.right, rect.top + horz.cy};
    m_rectVertZone = RECT{rect.left, frameRect.top, rect.left + vert.cx, frameRect.bottom};
    int horzLength = horz.cx >= W - 16 ? W / 2 : horz.cx;
    int vertLength = vert.cy >= H - 16 ? H / 2 : vert.cy;
    m_rectDragHorz = RECT{rect.left, rect.top, rect.left + horzLength, rect.top + horz.cy};
    m_rectDragVert = RECT{rect.left, rect.top, rect.left + vert.cx, rect.top + vertLength};
    SIZE frameSize = mini ? SIZE{rect.right - rect.left, rect.bottom - rect.top}
                          : mini_frame_size(m_pBar->m_sizeFloating);
    m_rectFrameDragHorz = RECT{rect.left, rect.top, rect.left + frameSize.cx, rect.top + frameSize.cy};
    m_rectFrameDragVert = m_rectFrameDragHorz;
    for (RECT* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectHorzZone, &m_rectVertZone,
                    &m_rectFrameDragHorz, &m_rectFrameDragVert})
        move_to_contain(r, pt);
    m_rectDockFeedback = m_rectDragHorz;

    if (::GetCapture() && ::GetCapture() != m_pBar->m_hWnd)
        return;
    m_hDC = GetDC(nullptr);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

DWORD CSizeDockContext::CanDock()
{
    m_pTargetDockBar = nullptr;
    CDockSite* site = Site();
    if (!site)
        return 0;
    if ((m_dwDockStyle & kHorz) && PtInRect(&m_rectHorzZone, m_ptLast)) {
        if (CSizeDockBar* bar = site->CanDock(m_rectHorzZone, m_dwDockStyle & kHorz)) {
            m_pTargetDockBar = bar;
            m_rectDockFeedback = m_rectHorzZone;
            if (site->CanDock(m_rectDragHorz, m_dwDockStyle & kHorz) == bar &&
                bar->CountBarsInDropRow(m_pBar, m_rectHorzZone) != 0)
                m_rectDockFeedback = m_rectDragHorz;
            return bar->Align();
        }
    }
    if ((m_dwDockStyle & kVert) && PtInRect(&m_rectVertZone, m_ptLast)) {
        if (CSizeDockBar* bar = site->CanDock(m_rectVertZone, m_dwDockStyle & kVert)) {
            m_pTargetDockBar = bar;
            m_rectDockFeedback = m_rectVertZone;
            if (site->CanDock(m_rectDragVert, m_dwDockStyle & kVert) == bar &&
                bar->CountBarsInDropRow(m_pBar, m_rectVertZone) != 0)
                m_rectDockFeedback = m_rectDragVert;
            return bar->Align();
        }
    }
    return 0;
}

void CSizeDockContext::Move(POINT pt)
{
    int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    for (RECT* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert,
                    &m_rectDockFeedback})
        OffsetRect(r, dx, dy);
    OffsetRect(&m_rectHorzZone, 0, dy);
    OffsetRect(&m_rectVertZone, dx, 0);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bFlip ? 0 : CanDock();
    DrawFocusRect();
}

void CSizeDockContext::DrawFocusRect(bool removeRect)
{
    RECT rect{};
    SIZE size{0, 0};
    bool dither = false;
    if (!removeRect) {
        if (m_dwOverDockStyle) {
            rect = m_rectDockFeedback;
            InflateRect(&rect, -1, -1);
            size = SIZE{1, 1};
        } else {
            rect = m_rectFrameDragHorz;
            size = SIZE{GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1};
            size.cx = std::max<LONG>(size.cx, 1);
            size.cy = std::max<LONG>(size.cy, 1);
            dither = true;
        }
    }
    if (EqualRect(&rect, &m_rectLast) && size.cx == m_sizeLast.cx && size.cy == m_sizeLast.cy &&
        dither == m_bDitherLast)
        return;
    if (m_hDC) {
        HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        invert_frame(m_hDC, m_rectLast, m_sizeLast, m_bDitherLast ? halftone_brush() : white);
        invert_frame(m_hDC, rect, size, dither ? halftone_brush() : white);
    }
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = dither;
}

void CSizeDockContext::OnKey(int key, bool down)
{
    if (key != VK_CONTROL || (m_bFlip != FALSE) == down)
        return;
    m_bFlip = down;
    m_dwOverDockStyle = m_bFlip ? 0 : CanDock();
    DrawFocusRect();
}

void CSizeDockContext::Track()
{
    HWND barWnd = m_pBar->m_hWnd;
    if (::GetCapture() && ::GetCapture() != barWnd) {
        CancelLoop();
        return;
    }
    ::SetCapture(barWnd);
    while (::GetCapture() == barWnd) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            EndDrag();
            return;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return;
        case WM_MOUSEMOVE: {
            POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ClientToScreen(msg.hwnd, &p);
            Move(p);
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                return;
            }
            OnKey(static_cast<int>(msg.wParam), true);
            break;
        case WM_KEYUP:
            OnKey(static_cast<int>(msg.wParam), false);
            break;
        default:
            DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
}

void CSizeDockContext::CancelLoop()
{
    DrawFocusRect(true);
    if (m_pBar->m_hWnd && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_hDC) {
        ReleaseDC(nullptr, m_hDC);
        m_hDC = nullptr;
    }
    CDockSite* site = Site();
    if (HWND mainWnd = site ? main_window_of(site->DockFrame()) : nullptr)
        ::SendMessageA(mainWnd, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CSizeDockContext::EndDrag()
{
    CancelLoop();
    if (m_ptLast.x == m_ptDragStart.x && m_ptLast.y == m_ptDragStart.y)
        return;
    CDockSite* site = Site();
    if (!site)
        return;
    DWORD dock = m_bFlip ? 0 : CanDock();
    if (dock & winui::CBRS_ALIGN_ANY) {
        DWORD orientation = (dock & kHorz) ? kHorz : kVert;
        CSizeDockBar* target = site->CanDock(m_rectDockFeedback, m_dwDockStyle & orientation);
        if (!target)
            target = m_pTargetDockBar;
        if (!target)
            return;
        CSizeDockBar* old = m_pBar->GetDockBar();
        int oldSignature = old ? old->GetBarSignature() : -1;
        SIZE size{m_rectDockFeedback.right - m_rectDockFeedback.left,
                  m_rectDockFeedback.bottom - m_rectDockFeedback.top};
        if (target->IsHorzDock())
            m_pBar->m_sizeDockedHorz = size;
        else
            m_pBar->m_sizeDockedVert = size;
        site->DockControlBar(m_pBar, target, &m_rectDockFeedback);
        if (target != old || target->GetBarSignature() != oldSignature) {
            target->MakeRoomForBar(m_pBar);
            target->m_nBarSignature = 0;
        }
        site->RecalcDockLayout();
        return;
    }
    m_ptMRUFloatPos = POINT{m_rectFrameDragHorz.left, m_rectFrameDragHorz.top};
    m_bHasFloatPos = true;
    site->FloatControlBar(m_pBar, m_ptMRUFloatPos,
                          winui::CBRS_ALIGN_TOP | (m_pBar->m_dwStyle & winui::CBRS_FLOAT_MULTI));
}

void CSizeDockContext::ToggleDocking()
{
    CDockSite* site = Site();
    if (!site || !m_pBar->m_hWnd || CDockSite::MdiFloatOf(m_pBar))
        return;
    if (m_pBar->IsBarFloating()) {
        if (!(m_pBar->m_dwDockStyle & winui::CBRS_ALIGN_ANY))
            return;
        CSizeDockBar* target = m_uMRUDockID ? site->GetDockBar(m_uMRUDockID) : nullptr;
        if (target && (target->Align() & m_pBar->m_dwDockStyle)) {
            RECT r = m_rectMRUDockPos;
            MapWindowPoints(target->m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
            site->DockControlBar(m_pBar, target, &r);
        } else {
            site->DockControlBar(m_pBar, 0u, nullptr);
        }
        if (CSizeDockBar* now = m_pBar->GetDockBar())
            now->m_nBarSignature = 0;
        site->RecalcDockLayout();
        return;
    }
    POINT pt;
    if (m_bHasFloatPos) {
        pt = m_ptMRUFloatPos;
    } else {
        RECT r;
        ::GetWindowRect(m_pBar->m_hWnd, &r);
        pt = POINT{r.left, r.top};
    }
    site->FloatControlBar(m_pBar, pt, winui::CBRS_ALIGN_TOP);
}

bool ForgetDestroyedBar(WPARAM wParam, LPARAM lParam, CControlBar** bar)
{
    if (LOWORD(wParam) != WM_DESTROY || !*bar || reinterpret_cast<HWND>(lParam) != (*bar)->m_hWnd)
        return false;
    *bar = nullptr;
    return true;
}

// CSizableMiniDockFrameWnd

BEGIN_MESSAGE_MAP(CSizableMiniDockFrameWnd, winui::CFrameWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_NCHITTEST, &CSizableMiniDockFrameWnd::OnNcHitTest)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CSizableMiniDockFrameWnd::OnNcLButtonDown)
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CSizableMiniDockFrameWnd::OnNcLButtonDblClk)
    ON_MESSAGE(WM_MOUSEACTIVATE, &CSizableMiniDockFrameWnd::OnMouseActivate)
    ON_MESSAGE(WM_PARENTNOTIFY, &CSizableMiniDockFrameWnd::OnParentNotify)
END_MESSAGE_MAP()

CSizableMiniDockFrameWnd::CSizableMiniDockFrameWnd() = default;
CSizableMiniDockFrameWnd::~CSizableMiniDockFrameWnd() = default;

const char* CSizableMiniDockFrameWnd::MiniFrameClass()
{
    return RegisterClass("VelloMiniDockFrame", CS_DBLCLKS, nullptr,
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

BOOL CSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_THICKFRAME;
    return TRUE;
}

BOOL CSizableMiniDockFrameWnd::CreateFor(winui::CFrameWnd* site, CControlBar* bar, POINT pos,
                                         SIZE client)
{
    m_pDockSite = site;
    SIZE size = mini_frame_size(client);
    RECT r{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
    char title[256] = "";
    if (bar && bar->m_hWnd)
        GetWindowTextA(bar->m_hWnd, title, sizeof title);
    HWND owner = site && site->m_hWnd ? GetAncestor(site->m_hWnd, GA_ROOT) : nullptr;
    if (!Create(MiniFrameClass(), title, kMiniStyle, &r, owner, nullptr, kMiniExStyle))
        return FALSE;
    m_pBar = bar;
    if (bar && bar->m_hWnd) {
        ::SetParent(bar->m_hWnd, m_hWnd);
        ::SetWindowPos(bar->m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    RecalcLayout();
    return TRUE;
}

void CSizableMiniDockFrameWnd::RecalcLayout()
{
    if (!m_hWnd || !m_pBar || !m_pBar->m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::SetWindowPos(m_pBar->m_hWnd, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

int CSizableMiniDockFrameWnd::AdaptToSizeBar()
{
    if (m_nBarKind != 0 || !m_pBar)
        return m_nBarKind;
    m_nBarKind = 1;
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_pBar);
    if (!(m_pBar->m_dwStyle & winui::CBRS_FLOAT_MULTI) && sizeBar) {
        m_nBarKind = 2;
        GetSystemMenu(m_hWnd, TRUE);
        HMENU menu = GetSystemMenu(m_hWnd, FALSE);
        if (menu) {
            for (UINT cmd : {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_TASKLIST})
                DeleteMenu(menu, cmd, MF_BYCOMMAND);
            for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE;
                if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) &&
                    (info.fType & MFT_SEPARATOR))
                    DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
            }
            if (!(sizeBar->m_dwSizeBarStyle & SIZEBAR_DELETE_ON_CLOSE)) {
                std::string hide = winui::LoadResourceString(IDS_SIZEBAR_CLOSE_HIDE);
                if (hide.empty())
                    hide = "&Hide";
                ModifyMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, hide.c_str());
            }
        }
    }
    return m_nBarKind;
}

void CSizableMiniDockFrameWnd::OnSize(UINT type, int cx, int cy)
{
    if (cx == 0 && cy == 0)
        return;
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_pBar);
    if (sizeBar && !(m_pBar->m_dwStyle & winui::CBRS_FLOAT_MULTI) &&
        (GetWindowLongA(sizeBar->m_hWnd, GWL_STYLE) & WS_VISIBLE))
        sizeBar->m_sizeFloating = SIZE{cx, cy};
    RecalcLayout();
}

LRESULT CSizableMiniDockFrameWnd::OnNcHitTest(WPARAM, LPARAM)
{
    AdaptToSizeBar();
    LRESULT hit = Default();
    // A window of ordinary bars can be moved, not sized.
    if (m_nBarKind == 1 && hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        return HTBORDER;
    return hit;
}

LRESULT CSizableMiniDockFrameWnd::OnNcLButtonDown(WPARAM hit, LPARAM lParam)
{
    AdaptToSizeBar();
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_pBar);
    if (hit == HTCAPTION && sizeBar && sizeBar->m_pDockContext) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        sizeBar->m_pDockContext->StartDrag(pt);
        return 0;
    }
    return Default();
}

LRESULT CSizableMiniDockFrameWnd::OnNcLButtonDblClk(WPARAM hit, LPARAM)
{
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_pBar);
    if (hit == HTCAPTION && sizeBar && sizeBar->m_pDockContext) {
        sizeBar->m_pDockContext->ToggleDocking();
        return 0;
    }
    return Default();
}

LRESULT CSizableMiniDockFrameWnd::OnMouseActivate(WPARAM, LPARAM)
{
    AdaptToSizeBar();
    return Default();
}

void CSizableMiniDockFrameWnd::OnClose()
{
    CControlBar* bar = m_pBar;
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar);
    if (!bar) {
        DestroyWindow();
        return;
    }
    if (sizeBar && (sizeBar->m_dwSizeBarStyle & SIZEBAR_DELETE_ON_CLOSE) &&
        !(bar->m_dwStyle & winui::CBRS_FLOAT_MULTI)) {
        delete sizeBar; // takes this window with it
        return;
    }
    if (CDockSite* site = dynamic_cast<CDockSite*>(bar->m_pDockSite))
        site->ShowControlBar(bar, FALSE, FALSE);
    else
        ShowWindow(m_hWnd, SW_HIDE);
}

LRESULT CSizableMiniDockFrameWnd::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // The bar's window destroyed by its owner: the empty window goes too.
    if (ForgetDestroyedBar(wParam, lParam, &m_pBar))
        PostMessage(WM_CLOSE);
    return Default();
}

LRESULT CSizableMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A floating tool bar's clicks and tips go to the frame it belongs to.
    if ((message == WM_COMMAND || message == WM_NOTIFY) && m_pDockSite && m_pDockSite->m_hWnd)
        return ::SendMessageA(m_pDockSite->m_hWnd, message, wParam, lParam);
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
