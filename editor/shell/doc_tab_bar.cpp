#include "editor/shell/doc_tab_bar.h"

#include "winui/doc.h"
#include "winui/frame.h"
#include "winui/mdi.h"
#include "winui/view.h"

#include <vector>

bool CDocTabBar::s_bWasFloating = false;

static const char tab_bar_class[] = "Ovanta.DocTabBar";

BOOL CDocTabBar::Create(winui::CFrameWnd* frame, BOOL visible)
{
    winui::InitCommonControlClasses();
    RegisterClass(tab_bar_class, CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | winui::CBRS_ALIGN_BOTTOM | winui::CBRS_BORDER_BOTTOM;
    if (visible)
        style |= WS_VISIBLE;
    if (!CreateBar(0, tab_bar_class, "", style, frame, kDocTabBarId))
        return FALSE;
    // The height of a dialog template 15 units high.
    m_nBaseHeight = MulDiv(15, HIWORD(GetDialogBaseUnits()), 8);
    m_sizeDefault = SIZE{0, m_nBaseHeight};
    RECT rc{0, 0, 0, 0};
    if (!m_wndTabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_TOOLTIPS, rc, m_hWnd,
                          kDocTabCtrlId))
        return FALSE;
    ::SendMessageA(m_wndTabs.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    ::SetWindowLongA(m_wndTabs.m_hWnd, GWL_EXSTYLE,
                     ::GetWindowLongA(m_wndTabs.m_hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    m_bCreated = 1;
    m_nRowHeight = 19;
    LayoutTabs();
    return TRUE;
}

std::string CDocTabBar::TabLabel(winui::CDocument* doc, const char* title)
{
    std::string label = title ? title : (doc ? doc->GetPathName() : "");
    if (label.empty() && doc)
        label = doc->GetTitle();
    size_t slash = label.rfind('\\');
    return slash == std::string::npos ? label : label.substr(slash + 1);
}

int CDocTabBar::FindTab(winui::CDocument* doc) const
{
    if (!doc || !m_wndTabs.m_hWnd)
        return -1;
    for (int i = 0; i < m_wndTabs.GetItemCount(); ++i)
        if (reinterpret_cast<winui::CDocument*>(m_wndTabs.GetItemData(i)) == doc)
            return i;
    return -1;
}

void CDocTabBar::AddTab(winui::CDocument* doc, const char* title)
{
    if (!m_wndTabs.m_hWnd || !doc)
        return;
    std::string label = TabLabel(doc, title);
    m_wndTabs.InsertItem(0, label.c_str(), -1, reinterpret_cast<LPARAM>(doc));
    m_wndTabs.SetCurSel(0);
    LayoutTabs();
}

void CDocTabBar::RemoveTab(winui::CDocument* doc)
{
    int index = FindTab(doc);
    if (index < 0)
        return;
    m_wndTabs.DeleteItem(index);
    LayoutTabs();
}

void CDocTabBar::RenameTab(winui::CDocument* doc, const char* title)
{
    int index = FindTab(doc);
    if (index < 0)
        return;
    std::string label = TabLabel(doc, title);
    m_wndTabs.SetItemText(index, label.c_str());
    LayoutTabs();
}

void CDocTabBar::SelectTab(winui::CDocument* doc)
{
    int index = FindTab(doc);
    if (index >= 0 && m_wndTabs.GetCurSel() != index)
        m_wndTabs.SetCurSel(index);
}

void CDocTabBar::RedrawTabs()
{
    if (m_wndTabs.m_hWnd)
        ::RedrawWindow(m_wndTabs.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int CDocTabBar::CountRows(const int* widths, int count, int available, int* lastRowWidth)
{
    int rows = 1;
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += widths[i];
        if (sum > available - 50 && sum != widths[i]) {
            ++rows;
            sum = widths[i];
        }
    }
    if (lastRowWidth)
        *lastRowWidth = sum;
    return rows;
}

void CDocTabBar::LayoutTabs()
{
    if (!m_hWnd || !m_wndTabs.m_hWnd)
        return;
    const bool floating = IsFloating() != 0;
    HWND parent = ::GetParent(m_hWnd);
    RECT client{};
    ::GetClientRect(floating || !parent ? m_hWnd : parent, &client);
    std::vector<int> widths;
    for (int i = 0; i < m_wndTabs.GetItemCount(); ++i) {
        RECT r{};
        m_wndTabs.GetItemRect(i, &r);
        widths.push_back(r.right - r.left);
    }
    int last = 0;
    m_nRows = CountRows(widths.data(), static_cast<int>(widths.size()), client.right, &last);
    int width;
    if (floating) {
        width = last + 50;
    } else {
        RECT w{};
        ::GetWindowRect(parent ? parent : m_hWnd, &w);
        width = w.right - w.left;
    }
    m_sizeDefault = SIZE{width, (m_nRows - 1) * m_nRowHeight + m_nBaseHeight};
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_sizeDefault.cx, m_sizeDefault.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceTabs();
    if (m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->RecalcLayout();
}

SIZE CDocTabBar::CalcFixedLayout(BOOL, BOOL horz)
{
    if (horz)
        return m_sizeDefault;
    return SIZE{m_sizeDefault.cy, m_sizeDefault.cx};
}

void CDocTabBar::PlaceTabs()
{
    if (!m_bCreated || !m_wndTabs.m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    rc.top += 4;
    rc.left += 9;
    rc.right -= 2;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    ::MoveWindow(m_wndTabs.m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

LRESULT CDocTabBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        LRESULT r = winui::CControlBar::WindowProc(message, wParam, lParam);
        PlaceTabs();
        return r;
    }
    case WM_WINDOWPOSCHANGED: {
        LRESULT r = winui::CControlBar::WindowProc(message, wParam, lParam);
        const bool floating = IsFloating() != 0;
        if (floating != s_bWasFloating && m_wndTabs.m_hWnd) {
            LONG ex = ::GetWindowLongA(m_wndTabs.m_hWnd, GWL_EXSTYLE);
            ex = floating ? (ex & ~WS_EX_CLIENTEDGE) : (ex | WS_EX_CLIENTEDGE);
            ::SetWindowLongA(m_wndTabs.m_hWnd, GWL_EXSTYLE, ex);
            s_bWasFloating = floating;
            LayoutTabs();
        }
        return r;
    }
    }
    return winui::CControlBar::WindowProc(message, wParam, lParam);
}
