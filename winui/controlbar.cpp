#include "winui/controlbar.h"

#include "winui/frame.h"

namespace winui {

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BOOL CControlBar::CreateBar(DWORD exStyle, const char* className, const char* windowName,
                            DWORD style, CFrameWnd* parent, UINT id, DWORD controlStyle)
{
    if (m_hWnd || !parent || !parent->m_hWnd)
        return FALSE;
    m_dwStyle = style & CBRS_ALL;
    m_pDockSite = parent;
    HWND h = CreateWindowExA(exStyle, className, windowName, (style & ~CBRS_ALL) | controlStyle,
                             0, 0, 0, 0,
                             parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), this);
    if (!h)
        return FALSE;
    if (!m_hWnd)
        SubclassWindow(h);
    return TRUE;
}

SIZE CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return SIZE{0, 0};
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* params = reinterpret_cast<SizeParentParams*>(lParam);
    DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (!params || !IsVisible() || !align || IsFloating())
        return 0;
    RECT& free = params->rect;
    int freeWidth = free.right - free.left;
    int freeHeight = free.bottom - free.top;
    if (freeWidth < 0)
        freeWidth = 0;
    if (freeHeight < 0)
        freeHeight = 0;
    BOOL horz = (align & CBRS_ORIENT_HORZ) != 0;
    SIZE size = CalcFixedLayout(params->bStretch, horz);
    if (size.cx > freeWidth)
        size.cx = freeWidth;
    if (size.cy > freeHeight)
        size.cy = freeHeight;
    RECT place = free;
    if (horz) {
        if (params->bStretch)
            size.cx = freeWidth;
        params->sizeTotal.cy += size.cy;
        if (size.cx > params->sizeTotal.cx)
            params->sizeTotal.cx = size.cx;
        if (align & CBRS_ALIGN_TOP) {
            place.bottom = place.top + size.cy;
            free.top += size.cy;
        } else {
            place.top = place.bottom - size.cy;
            free.bottom -= size.cy;
        }
        place.right = place.left + size.cx;
    } else {
        if (params->bStretch)
            size.cy = freeHeight;
        params->sizeTotal.cx += size.cx;
        if (size.cy > params->sizeTotal.cy)
            params->sizeTotal.cy = size.cy;
        if (align & CBRS_ALIGN_LEFT) {
            place.right = place.left + size.cx;
            free.left += size.cx;
        } else {
            place.left = place.right - size.cx;
            free.right -= size.cx;
        }
        place.bottom = place.top + size.cy;
    }
    if (params->hDWP)
        params->hDWP = DeferWindowPos(params->hDWP, m_hWnd, nullptr, place.left, place.top,
                                      place.right - place.left, place.bottom - place.top,
                                      SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM)
{
    if (!IsVisible())
        return 0;
    CFrameWnd* target = m_pDockSite ? m_pDockSite : CFrameWnd::GetParentFrameOf(m_hWnd);
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(disableIfNoHandler));
    return 0;
}

} // namespace winui
