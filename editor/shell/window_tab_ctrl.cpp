#include "editor/shell/window_tab_ctrl.h"

#include "editor/shell/shell_text.h"

#include <commctrl.h>

#include <cstring>

BEGIN_MESSAGE_MAP(CWindowTabCtrl, winui::CTabCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, &CWindowTabCtrl::OnSelChange)
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_DRAWITEM, &CWindowTabCtrl::OnDrawItemReflect)
END_MESSAGE_MAP()

CWindowTabCtrl::CWindowTabCtrl(CWindowTabShell* shell) : m_pShell(shell)
{
    if (m_pShell)
        m_bAltWndSize = m_pShell->AltWndSize() ? 1 : 0;
}

BOOL CWindowTabCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    if (!winui::CTabCtrl::Create(style | TCS_OWNERDRAWFIXED, rect, parent, id))
        return FALSE;
    // The tool tip asks this control for its text, so that each tab shows
    // its own document's path.
    m_hToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (m_hToolTip) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        ti.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 1000);
    }
    return TRUE;
}

void CWindowTabCtrl::OnDestroy()
{
    if (m_hToolTip)
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    Default();
}

int CWindowTabCtrl::AddDocument(COvantaDoc* doc, const char* title)
{
    return InsertItem(GetItemCount(), title, -1, reinterpret_cast<LPARAM>(doc));
}

int CWindowTabCtrl::FindDocument(COvantaDoc* doc) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (DocumentAt(i) == doc)
            return i;
    return -1;
}

COvantaDoc* CWindowTabCtrl::DocumentAt(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return reinterpret_cast<COvantaDoc*>(GetItemData(index));
}

// --- drawing ------------------------------------------------------------------

LRESULT CWindowTabCtrl::OnDrawItemReflect(WPARAM, LPARAM lParam)
{
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

void CWindowTabCtrl::DrawTab(HDC dc, int index, const RECT& rect, bool whole)
{
    COvantaDoc* doc = DocumentAt(index);
    COLORREF text = RGB(0, 0, 0);
    if (index == GetCurSel())
        text = 0xFF0000; // blue
    else if (doc && m_pShell && m_pShell->IsOpen(doc) && m_pShell->IsModified(doc))
        text = whole ? RGB(192, 0, 0) : RGB(128, 0, 0);
    RECT fill = rect;
    if (whole) {
        fill.top += 2;
        fill.left += 2;
        fill.right -= 2;
    }
    HBRUSH brush = CreateSolidBrush(m_crBack);
    FillRect(dc, &fill, brush);
    DeleteObject(brush);
    std::string title = GetItemText(index);
    COLORREF oldText = SetTextColor(dc, text);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (whole) {
        RECT r = fill;
        r.left = rect.left + 4;
        DrawTextA(dc, title.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    } else {
        TextOutA(dc, rect.left + 6, rect.top + 2, title.c_str(), static_cast<int>(title.size()));
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
}

void CWindowTabCtrl::DrawItem(DRAWITEMSTRUCT* dis)
{
    if (!dis)
        return;
    m_crBack = GetBkColor(dis->hDC);
    if (dis->itemAction & ODA_DRAWENTIRE) {
        // A whole redraw: every tab, so that the colours of all stay right
        // when one changes.
        for (int i = 0; i < GetItemCount(); ++i) {
            RECT rc{};
            if (GetItemRect(i, &rc))
                DrawTab(dis->hDC, i, rc, true);
        }
    } else {
        DrawTab(dis->hDC, static_cast<int>(dis->itemID), dis->rcItem, false);
    }
}

// --- mouse --------------------------------------------------------------------

void CWindowTabCtrl::OnSelChange(NMHDR*, LRESULT* result)
{
    *result = 0;
    COvantaDoc* doc = DocumentAt(GetCurSel());
    if (!doc || !m_pShell || !m_pShell->IsOpen(doc))
        return;
    HWND frame = m_pShell->FrameOf(doc);
    HWND client = frame ? ::GetParent(frame) : nullptr;
    if (!client)
        return;
    BOOL maximized = FALSE;
    HWND active = reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    ::SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
    if (maximized)
        ::SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(frame), 0);
    else if (active && ::IsIconic(active))
        ::ShowWindow(frame, SW_SHOWNORMAL);
    else
        ::ShowWindow(frame, SW_RESTORE);
}

void CWindowTabCtrl::OnLButtonDown(UINT flags, POINT point)
{
    int tab = HitTest(point);
    COvantaDoc* doc = DocumentAt(tab);
    if (tab >= 0 && tab == GetCurSel() && m_bAltWndSize && doc && m_pShell && m_pShell->IsOpen(doc)) {
        if (HWND frame = m_pShell->FrameOf(doc)) {
            HWND client = ::GetParent(frame);
            ::SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
            if (::IsIconic(frame) || ::IsZoomed(frame))
                ::SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(frame), 0);
            else
                ::SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(frame), 0);
        }
    }
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CWindowTabCtrl::OnRButtonDown(UINT flags, POINT point)
{
    COvantaDoc* doc = DocumentAt(HitTest(point));
    if (doc && m_pShell && m_pShell->IsOpen(doc))
        m_pShell->ShowProperties(doc);
    DefWindowProc(WM_RBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CWindowTabCtrl::OnMouseMove(UINT flags, POINT point)
{
    m_ptMouse = point;
    int tab = HitTest(point);
    if (tab != m_nTipTab) {
        // Another tab under the mouse: the tip asks for its text again.
        m_nTipTab = tab;
        if (m_hToolTip)
            ::SendMessageA(m_hToolTip, TTM_UPDATE, 0, 0);
    }
    DefWindowProc(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

// --- tool tip -----------------------------------------------------------------

std::string CWindowTabCtrl::TipText() const
{
    COvantaDoc* doc = DocumentAt(HitTest(m_ptMouse));
    if (!doc || !m_pShell || !m_pShell->IsOpen(doc))
        return std::string();
    return WindowTabTipText(m_pShell->PathOf(doc));
}

bool CWindowTabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && (header->code == TTN_NEEDTEXTA || header->code == TTN_NEEDTEXTW)) {
        m_strTip = TipText();
        if (header->code == TTN_NEEDTEXTA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            info->hinst = nullptr;
            info->lpszText = const_cast<char*>(m_strTip.c_str());
        } else {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            int n = MultiByteToWideChar(CP_ACP, 0, m_strTip.c_str(), -1, nullptr, 0);
            m_strTipW.assign(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
            if (n > 0)
                MultiByteToWideChar(CP_ACP, 0, m_strTip.c_str(), -1, &m_strTipW[0], n);
            info->hinst = nullptr;
            info->lpszText = &m_strTipW[0];
        }
        *result = 0;
        return true;
    }
    return winui::CTabCtrl::OnNotify(wParam, lParam, result);
}
