#include "editor/shell/childfrm.h"

#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/settings_profile.h"

#include "winui/doc.h"

COvantaView* CChildSplitterWnd::s_pLastDraggedView = nullptr;

BEGIN_MESSAGE_MAP(CChildSplitterWnd, winui::CSplitterWnd)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_SYNC_SCROLL, &CChildSplitterWnd::OnSyncScrollPos)
END_MESSAGE_MAP()

LRESULT CChildSplitterWnd::OnSyncScrollPos(WPARAM position, LPARAM)
{
    if (m_hLastScrollBar && IsWindow(m_hLastScrollBar) && m_bSyncScroll == 1)
        ::SetScrollPos(m_hLastScrollBar, SB_CTL, static_cast<int>(position), TRUE);
    return 0;
}

void CChildSplitterWnd::OnHScroll(UINT code, UINT pos, HWND bar)
{
    m_hLastScrollBar = bar;
    winui::CSplitterWnd::OnHScroll(code, pos, bar);
}

static COvantaView* view_of(HWND pane)
{
    return pane ? dynamic_cast<COvantaView*>(winui::CWnd::FromHandle(pane)) : nullptr;
}

void CChildSplitterWnd::OnVScroll(UINT code, UINT pos, HWND bar)
{
    if (!bar)
        return;
    m_hLastScrollBar = bar;
    int row = ::GetDlgCtrlID(bar) - static_cast<int>(winui::kVertScrollFirst);
    int activeRow = -1, activeCol = -1;
    GetActivePane(&activeRow, &activeCol);
    COvantaView* active = activeRow >= 0 ? view_of(GetPane(activeRow, activeCol)) : nullptr;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        if (activeRow != row) {
            if (HWND first = GetPane(row, 0))
                ::SetFocus(first);
            active = view_of(GetPane(row, 0));
        }
        int delta = 0;
        if (active) {
            int current = active->Editor().GetScrollPos(SB_VERT);
            if (HWND own = active->Editor().GetScrollBarCtrl(SB_VERT))
                current = ::GetScrollPos(own, SB_CTL);
            if (active == s_pLastDraggedView)
                delta = static_cast<int>(pos) - current;
            else
                s_pLastDraggedView = active;
            ::SendMessageA(active->m_hWnd, WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
        }
        // The other panes of the row keep their distance while the thumb moves.
        for (int c = 0; c < GetColumnCount(); ++c) {
            COvantaView* other = view_of(GetPane(row, c));
            if (!other || other == active)
                continue;
            int own = static_cast<int>(static_cast<double>(other->Editor().GetTopLine()) /
                                       (other->Editor().GetLineCount() > 0 ? other->Editor().GetLineCount() : 1) *
                                       0x7fff);
            m_bSyncScroll = 0;
            ::SendMessageA(other->m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, own + delta),
                           reinterpret_cast<LPARAM>(bar));
            m_bSyncScroll = 1;
        }
    } else {
        for (int c = 0; c < GetColumnCount(); ++c)
            if (HWND pane = GetPane(row, c))
                ::SendMessageA(pane, WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
    }
}

BEGIN_MESSAGE_MAP(CChildFrame, CChildFrameBase)
    ON_MESSAGE(WM_SYSCOMMAND, &CChildFrame::OnSysCommandMsg)
END_MESSAGE_MAP()

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context)
{
    if (!OvantaOptions().split || !context)
        return CChildFrameBase::OnCreateClient(cs, context);
    paneContext_ = *context;
    paneContext_.m_pCurrentFrame = this;
    winui::CCreateContext* ctx = &paneContext_;
    m_wndSplitter.m_createPane = [this, ctx](HWND splitter, int, int, UINT id) -> HWND {
        auto* view = new COvantaView;
        if (!view->Create(splitter, id, ctx, WS_CHILD | WS_VISIBLE, 0)) {
            delete view;
            return nullptr;
        }
        // A pane made by a later split joins the text at once.
        if (m_hWnd && ::IsWindowVisible(m_hWnd))
            view->OnInitialUpdate();
        if (!GetActiveView())
            SetActiveView(view, FALSE);
        return view->m_hWnd;
    };
    BOOL ok = m_wndSplitter.Create(m_hWnd, 2, 2, SIZE{10, 10},
                                   WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0xE900);
    for (int i = 0; i < 2 && ok; ++i)
        m_hVScrollBar[i] = ::GetDlgItem(m_wndSplitter.m_hWnd, winui::kVertScrollFirst + i);
    return ok;
}

LRESULT CChildFrame::OnSysCommandMsg(WPARAM wParam, LPARAM lParam)
{
    UINT command = static_cast<UINT>(wParam & 0xFFF0);
    // Only the user's maximising and restoring say how documents are to
    // open; switching windows (Ctrl+Tab), the menus, moving and minimising
    // leave the setting as it is.
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
        WriteOption(&SettingsValues::openMaximized, command == SC_MAXIMIZE ? 1 : 0);
    return DefWindowProc(WM_SYSCOMMAND, wParam, lParam);
}

void CChildFrame::ActivateFrame(int cmdShow)
{
    if (!shown_ && OvantaOptions().openMaximized && (cmdShow == -1 || cmdShow == SW_SHOW))
        cmdShow = SW_SHOWMAXIMIZED;
    shown_ = true;
    CChildFrameBase::ActivateFrame(cmdShow);
}
