#include "editor/syntax/window/info_tip.h"

#include "winui/gdi.h"

#include <algorithm>

namespace {

const char tip_class[] = "OvantaInfoTip";

// Shared by every tip for the program's life.
struct TipShared {
    bool registered = false;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    int cxVScroll = 0, cyVScroll = 0, cxHScroll = 0, cyHScroll = 0, cxHThumb = 0, cyVThumb = 0;
};

TipShared& Shared()
{
    static TipShared shared;
    return shared;
}

} // namespace

BEGIN_MESSAGE_MAP(CInfoTipWnd, winui::CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CInfoTipWnd::~CInfoTipWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CInfoTipWnd::Create(HWND window, HWND scrollBar)
{
    TipShared& s = Shared();
    s.cxVScroll = GetSystemMetrics(SM_CXVSCROLL);
    s.cyVScroll = GetSystemMetrics(SM_CYVSCROLL);
    s.cxHScroll = GetSystemMetrics(SM_CXHSCROLL);
    s.cyHScroll = GetSystemMetrics(SM_CYHSCROLL);
    s.cxHThumb = GetSystemMetrics(SM_CXHTHUMB);
    s.cyVThumb = GetSystemMetrics(SM_CYVTHUMB);
    if (!s.registered) {
        if (!winui::CWnd::RegisterClass(tip_class, CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS))
            return FALSE;
        s.registered = true;
        s.brush = GetSysColorBrush(COLOR_INFOBK);
    }
    if (!CreateEx(0, tip_class, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, scrollBar, nullptr))
        return FALSE;
    if (!s.font) {
        LOGFONTA lf{};
        winui::CClientDC dc(m_hWnd);
        lf.lfHeight = MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
        lf.lfClipPrecision = 18;
        lf.lfPitchAndFamily = 0x20;
        s.font = CreateFontIndirectA(&lf);
        if (!s.font) {
            DestroyWindow();
            return FALSE;
        }
    }
    (void)window;
    return TRUE;
}

POINT CInfoTipWnd::GetTipPosition(HWND window, int bar, HWND scrollBar, int width, int height) const
{
    const TipShared& s = Shared();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_TRACKPOS;
    bool vertical = bar == SB_VERT;
    HWND barWindow = window;
    if (scrollBar) {
        vertical = (GetWindowLongA(scrollBar, GWL_STYLE) & SBS_VERT) != 0;
        ::GetScrollInfo(scrollBar, SB_CTL, &si);
        barWindow = scrollBar;
    } else {
        ::GetScrollInfo(window, bar, &si);
    }
    if (si.nMin == si.nMax)
        return POINT{0, 0};
    RECT rc;
    ::GetClientRect(barWindow, &rc);
    long long track = vertical ? rc.bottom - 2 * s.cyVScroll : rc.right - 2 * s.cxHScroll;
    if (si.nPage == 0)
        track -= vertical ? s.cyVThumb : s.cxHThumb;
    long long offset = (static_cast<long long>(si.nPage) / 2 + si.nTrackPos) * track / (si.nMax - si.nMin);
    POINT pt;
    if (vertical) {
        pt.y = static_cast<LONG>(offset + s.cyVScroll - height / 2);
        pt.x = rc.right + (scrollBar ? 0 : s.cxVScroll);
        if (si.nPage == 0)
            pt.y += s.cyVThumb / 2;
    } else {
        pt.x = static_cast<LONG>(offset + s.cxHScroll - width / 2);
        pt.y = rc.bottom + (scrollBar ? 0 : s.cyHScroll);
        if (si.nPage == 0)
            pt.x += s.cxHThumb / 2;
    }
    ::ClientToScreen(barWindow, &pt);
    return pt;
}

void CInfoTipWnd::ShowAt(HWND window, int bar, const std::string& text, HWND scrollBar)
{
    SIZE extent{0, 0};
    {
        winui::CClientDC dc(m_hWnd);
        HGDIOBJ old = SelectObject(dc, Shared().font);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
    }
    int width = extent.cx + 6;
    int height = extent.cy + 6;
    POINT pt = GetTipPosition(window, bar, scrollBar, width, height);
    pt.x = std::min<LONG>(pt.x, GetSystemMetrics(SM_CXFULLSCREEN) - width);
    pt.y = std::min<LONG>(pt.y, GetSystemMetrics(SM_CYFULLSCREEN) - height);
    SetWindowTextA(m_hWnd, text.c_str());
    SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateWindow();
}

int CInfoTipWnd::OnScroll(HWND window, UINT code, int bar, const std::string& text, HWND scrollBar)
{
    if (code == SB_THUMBTRACK) {
        if (!m_hWnd && !Create(window, scrollBar))
            return 0;
        ShowAt(window, bar, text, scrollBar);
    } else if (code == SB_THUMBPOSITION) {
        if (m_hWnd)
            DestroyWindow();
    }
    return 1;
}

void CInfoTipWnd::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    RECT rc;
    GetClientRect(&rc);
    FillRect(dc, &rc, Shared().brush);
    char text[256];
    int n = GetWindowTextA(m_hWnd, text, sizeof text);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, Shared().font);
    DrawTextA(dc, text, n, &rc, DT_CENTER | DT_NOCLIP);
    SelectObject(dc, old);
}
