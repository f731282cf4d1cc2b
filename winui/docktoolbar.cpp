#include "winui/docktoolbar.h"

#include "winui/frame.h"

#include <algorithm>
#include <cstdlib>

namespace winui {

namespace {

const DWORD kFloatStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kFloatExStyle = WS_EX_TOOLWINDOW;
// How near a side the cursor must be for the bar to dock there.
const int kDockZone = 24;

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

void invert_frame(HDC dc, const RECT& r, int border, HBRUSH brush)
{
    HGDIOBJ old = SelectObject(dc, brush);
    int w = r.right - r.left, h = r.bottom - r.top;
    PatBlt(dc, r.left, r.top, w, border, PATINVERT);
    PatBlt(dc, r.left, r.bottom - border, w, border, PATINVERT);
    PatBlt(dc, r.left, r.top + border, border, h - 2 * border, PATINVERT);
    PatBlt(dc, r.right - border, r.top + border, border, h - 2 * border, PATINVERT);
    SelectObject(dc, old);
}

POINT point_of(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

// The floating window: a captioned tool window owned by the frame, holding
// the bar as its only child.
class CFloatingBarWnd : public CWnd {
public:
    explicit CFloatingBarWnd(CDockToolBar* bar) : bar_(bar) {}
    CDockToolBar* bar_;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCLBUTTONDOWN:
            if (wParam == HTCAPTION && bar_) {
                bar_->TrackDrag(point_of(lParam));
                return 0;
            }
            break;
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTCAPTION && bar_) {
                bar_->ToggleDocking();
                return 0;
            }
            break;
        case WM_CLOSE:
            if (bar_)
                bar_->DockAt(bar_->lastSide_);
            else
                DestroyWindow();
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            // The bar's clicks and tips belong to its frame.
            if (bar_ && bar_->m_pDockSite && bar_->m_pDockSite->m_hWnd)
                return ::SendMessageA(bar_->m_pDockSite->m_hWnd, message, wParam, lParam);
            break;
        case WM_NCDESTROY:
            if (bar_ && bar_->floatWnd_ == m_hWnd)
                bar_->floatWnd_ = nullptr;
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }
};

CDockToolBar::~CDockToolBar()
{
    if (floatWnd_) {
        auto* wnd = dynamic_cast<CFloatingBarWnd*>(FromHandle(floatWnd_));
        if (wnd)
            wnd->bar_ = nullptr;
        if (m_hWnd)
            ::SetParent(m_hWnd, nullptr);
        ::DestroyWindow(floatWnd_);
    }
}

bool CDockToolBar::HasGripper() const
{
    return (m_dwDockStyle & CBRS_ALIGN_ANY) && !IsFloating() && (m_dwStyle & CBRS_ALIGN_ANY);
}

DWORD CDockToolBar::GetSide() const
{
    return IsFloating() ? 0 : m_dwStyle & CBRS_ALIGN_ANY;
}

SIZE CDockToolBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    SIZE size = CToolBar::CalcFixedLayout(stretch, horz);
    if (HasGripper()) {
        if (horz)
            size.cx += kGripperSize;
        else
            size.cy += kGripperSize;
    }
    return size;
}

POINT CDockToolBar::GripperPoint() const
{
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    if (m_dwStyle & CBRS_ORIENT_VERT)
        return POINT{(r.left + r.right) / 2, r.top + kGripperSize / 2};
    return POINT{r.left + kGripperSize / 2, (r.top + r.bottom) / 2};
}

void CDockToolBar::SetColumn(bool column)
{
    int count = GetCount();
    bool changed = false;
    int relayoutId = -1; // a button (not a separator) with its own command id
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)))
            continue;
        if (relayoutId < 0 && button.idCommand && !(button.fsStyle & BTNS_SEP))
            relayoutId = button.idCommand;
        BYTE state = column ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP);
        if (state == button.fsState)
            continue;
        // By place: separators share the command id 0.
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = state;
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        changed = true;
    }
    // The control lays its buttons out again when a button's hidden state
    // changes: one button is hidden and shown again.
    if (changed && relayoutId >= 0) {
        WPARAM id = static_cast<WPARAM>(relayoutId);
        LRESULT state = SendMessage(TB_GETSTATE, id);
        SendMessage(TB_SETSTATE, id, MAKELPARAM(state | TBSTATE_HIDDEN, 0));
        SendMessage(TB_SETSTATE, id, MAKELPARAM(state & ~TBSTATE_HIDDEN, 0));
    }
}

void CDockToolBar::DockAt(DWORD align)
{
    align &= CBRS_ALIGN_ANY;
    if (!m_hWnd || !m_pDockSite || !m_pDockSite->m_hWnd || !align)
        return;
    // One side only: the first bit in the order left, top, right, bottom.
    align &= ~(align - 1);
    HWND frame = m_pDockSite->m_hWnd;
    // The floating window goes last, once the bar stands in the frame's
    // layout and the frame has followed.
    HWND old = floatWnd_;
    if (old) {
        if (auto* wnd = dynamic_cast<CFloatingBarWnd*>(FromHandle(old)))
            wnd->bar_ = nullptr;
        floatWnd_ = nullptr;
        ::SetParent(m_hWnd, frame);
    }
    // Last in the layout's order: nearest the client, inside the other bars
    // of that side (the status bar stays at the bottom edge).
    ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const DWORD border = align == CBRS_ALIGN_TOP      ? CBRS_BORDER_BOTTOM
                         : align == CBRS_ALIGN_BOTTOM ? CBRS_BORDER_TOP
                         : align == CBRS_ALIGN_LEFT   ? CBRS_BORDER_RIGHT
                                                      : CBRS_BORDER_LEFT;
    m_dwStyle = (m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) | align | border;
    lastSide_ = align;
    SetColumn((align & CBRS_ORIENT_VERT) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    m_pDockSite->RecalcLayout();
    if (moved)
        moved();
    if (old)
        ::DestroyWindow(old);
}

void CDockToolBar::MeasureBoth()
{
    const bool column = !IsFloating() && (m_dwStyle & CBRS_ORIENT_VERT);
    SetColumn(!column);
    (column ? horz_ : vert_) = CToolBar::CalcFixedLayout(FALSE, column);
    SetColumn(column);
    (column ? vert_ : horz_) = CToolBar::CalcFixedLayout(FALSE, !column);
}

SIZE CDockToolBar::FloatingWindowSize() const
{
    RECT r{0, 0, horz_.cx, horz_.cy};
    AdjustWindowRectEx(&r, kFloatStyle, FALSE, kFloatExStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void CDockToolBar::FloatAt(POINT pt)
{
    if (!m_hWnd || !m_pDockSite || !m_pDockSite->m_hWnd)
        return;
    if (!IsFloating())
        lastSide_ = m_dwStyle & CBRS_ALIGN_ANY ? m_dwStyle & CBRS_ALIGN_ANY : lastSide_;
    m_dwStyle = (m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | CBRS_FLOATING | CBRS_ALIGN_TOP;
    // The frame's layout without the bar first, then the bar's window.
    m_pDockSite->RecalcLayout();
    MeasureBoth();
    SetColumn(false);
    SIZE client = horz_;
    SIZE size = FloatingWindowSize();
    // Kept on a screen: at least the caption stays reachable.
    RECT want{pt.x, pt.y, pt.x + size.cx, pt.y + size.cy};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromRect(&want, MONITOR_DEFAULTTONEAREST), &info)) {
        const RECT& work = info.rcWork;
        pt.x = std::max(std::min(pt.x, work.right - size.cx), work.left);
        pt.y = std::max(std::min(pt.y, work.bottom - size.cy), work.top);
    }
    if (!floatWnd_) {
        auto* wnd = new CFloatingBarWnd(this);
        char title[128] = "";
        ::GetWindowTextA(m_hWnd, title, sizeof title);
        HWND owner = GetAncestor(m_pDockSite->m_hWnd, GA_ROOT);
        if (!wnd->CreateEx(kFloatExStyle, RegisterClass("WinuiFloatingBar", CS_DBLCLKS, nullptr,
                                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                           title, kFloatStyle, pt.x, pt.y, size.cx, size.cy, owner, nullptr)) {
            delete wnd;
            return;
        }
        floatWnd_ = wnd->m_hWnd;
        ::SetParent(m_hWnd, floatWnd_);
    } else {
        ::SetWindowPos(floatWnd_, nullptr, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, client.cx, client.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    ::ShowWindow(floatWnd_, SW_SHOWNA);
    lastFloat_ = pt;
    hasFloatPos_ = true;
    if (moved)
        moved();
}

void CDockToolBar::ToggleDocking()
{
    if (IsFloating()) {
        DockAt(lastSide_);
        return;
    }
    POINT pt = lastFloat_;
    if (!hasFloatPos_) {
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        pt = POINT{r.left + 2 * kDockZone, r.top + 2 * kDockZone};
    }
    FloatAt(pt);
}

DWORD CDockToolBar::DropSide(POINT pt, bool ctrl) const
{
    if (ctrl || !m_pDockSite)
        return 0;
    RECT c;
    ::GetClientRect(m_pDockSite->m_hWnd, &c);
    MapWindowPoints(m_pDockSite->m_hWnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    RECT reach = c;
    InflateRect(&reach, kDockZone, kDockZone);
    if (!PtInRect(&reach, pt))
        return 0;
    struct Side {
        DWORD align;
        int distance;
    } sides[] = {
        {CBRS_ALIGN_TOP, std::abs(pt.y - c.top)},
        {CBRS_ALIGN_BOTTOM, std::abs(pt.y - c.bottom)},
        {CBRS_ALIGN_LEFT, std::abs(pt.x - c.left)},
        {CBRS_ALIGN_RIGHT, std::abs(pt.x - c.right)},
    };
    DWORD best = 0;
    int bestDistance = kDockZone + 1;
    for (const Side& s : sides) {
        if ((m_dwDockStyle & s.align) && s.distance < bestDistance) {
            best = s.align;
            bestDistance = s.distance;
        }
    }
    return best;
}

RECT CDockToolBar::Outline(POINT pt, DWORD side) const
{
    if (!side) {
        SIZE size = FloatingWindowSize();
        return RECT{pt.x - grab_.x, pt.y - grab_.y, pt.x - grab_.x + size.cx, pt.y - grab_.y + size.cy};
    }
    RECT c;
    ::GetClientRect(m_pDockSite->m_hWnd, &c);
    MapWindowPoints(m_pDockSite->m_hWnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    const SIZE horz = horz_, vert = vert_;
    switch (side) {
    case CBRS_ALIGN_TOP:
        return RECT{c.left, c.top, c.right, c.top + horz.cy};
    case CBRS_ALIGN_BOTTOM:
        return RECT{c.left, c.bottom - horz.cy, c.right, c.bottom};
    case CBRS_ALIGN_LEFT:
        return RECT{c.left, c.top, c.left + vert.cx, c.bottom};
    default:
        return RECT{c.right - vert.cx, c.top, c.right, c.bottom};
    }
}

void CDockToolBar::DrawOutline(HDC dc, const RECT& r, bool floating, bool erase)
{
    if (!IsRectEmpty(&shown_))
        invert_frame(dc, shown_, shownFloating_ ? 3 : 2,
                     shownFloating_ ? halftone_brush() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    shown_ = RECT{0, 0, 0, 0};
    if (erase)
        return;
    invert_frame(dc, r, floating ? 3 : 2,
                 floating ? halftone_brush() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    shown_ = r;
    shownFloating_ = floating;
}

void CDockToolBar::TrackDrag(POINT start)
{
    if (!m_hWnd || !m_pDockSite || !(m_dwDockStyle & CBRS_ALIGN_ANY))
        return;
    if (::GetCapture() && ::GetCapture() != m_hWnd)
        return;
    RECT from;
    ::GetWindowRect(floatWnd_ ? floatWnd_ : m_hWnd, &from);
    MeasureBoth();
    SIZE size = FloatingWindowSize();
    grab_ = POINT{std::min<LONG>(start.x - from.left, size.cx - 1),
                  std::min<LONG>(start.y - from.top, size.cy - 1)};
    HDC dc = GetDC(nullptr);
    shown_ = RECT{0, 0, 0, 0};
    POINT pt = start;
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    bool drop = false;
    auto show = [&] {
        DWORD side = DropSide(pt, ctrl);
        DrawOutline(dc, Outline(pt, side), side == 0, false);
    };
    show();
    ::SetCapture(m_hWnd);
    while (::GetCapture() == m_hWnd) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            drop = true;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_MOUSEMOVE) {
            pt = point_of(msg.lParam);
            ClientToScreen(msg.hwnd, &pt);
            show();
        } else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
            ctrl = msg.message == WM_KEYDOWN;
            show();
        } else {
            DispatchMessageA(&msg);
        }
    }
    DrawOutline(dc, RECT{}, false, true);
    ReleaseDC(nullptr, dc);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DWORD side = DropSide(pt, ctrl);
    if (!drop || (pt.x == start.x && pt.y == start.y))
        return;
    if (!side) {
        RECT r = Outline(pt, 0);
        FloatAt(POINT{r.left, r.top});
    } else if (side != GetSide()) {
        DockAt(side);
    }
}

LRESULT CDockToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (HasGripper() && lParam) {
            RECT* r = reinterpret_cast<RECT*>(lParam); // rgrc[0] in both forms
            if (m_dwStyle & CBRS_ORIENT_VERT)
                r->top = std::min<LONG>(r->top + kGripperSize, r->bottom);
            else
                r->left = std::min<LONG>(r->left + kGripperSize, r->right);
        }
        return result;
    }
    case WM_NCPAINT: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        if (!HasGripper())
            return result;
        HDC dc = GetWindowDC(m_hWnd);
        RECT w;
        ::GetWindowRect(m_hWnd, &w);
        const bool vert = (m_dwStyle & CBRS_ORIENT_VERT) != 0;
        RECT band = vert ? RECT{0, 0, w.right - w.left, kGripperSize}
                         : RECT{0, 0, kGripperSize, w.bottom - w.top};
        FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
        // One raised line along the band.
        RECT line = vert ? RECT{2, 3, band.right - 2, 6} : RECT{3, 2, 6, band.bottom - 2};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        ReleaseDC(m_hWnd, dc);
        return result;
    }
    case WM_NCHITTEST:
        if (HasGripper()) {
            RECT w;
            ::GetWindowRect(m_hWnd, &w);
            POINT p = point_of(lParam);
            bool inBand = (m_dwStyle & CBRS_ORIENT_VERT) ? p.y < w.top + kGripperSize
                                                         : p.x < w.left + kGripperSize;
            if (inBand && PtInRect(&w, p))
                return HTCAPTION;
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && HasGripper()) {
            TrackDrag(point_of(lParam));
            return 0;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && HasGripper()) {
            ToggleDocking();
            return 0;
        }
        break;
    }
    return CToolBar::WindowProc(message, wParam, lParam);
}

} // namespace winui
