#include "editor/docking/dockframe.h"

#include "editor/docking/dockcontext.h"
#include "winui/work_area.h"

#include <algorithm>
#include <string>

using winui::CControlBar;

namespace {

struct DockSideInfo {
    DWORD align;
    UINT id;
    DWORD style;
};

// The sides in the order they are made and searched.
const DockSideInfo dock_sides[4] = {
    {winui::CBRS_ALIGN_TOP, winui::AFX_IDW_DOCKBAR_TOP, winui::CBRS_ALIGN_TOP | winui::CBRS_BORDER_BOTTOM},
    {winui::CBRS_ALIGN_BOTTOM, winui::AFX_IDW_DOCKBAR_BOTTOM, winui::CBRS_ALIGN_BOTTOM | winui::CBRS_BORDER_TOP},
    {winui::CBRS_ALIGN_LEFT, winui::AFX_IDW_DOCKBAR_LEFT, winui::CBRS_ALIGN_LEFT | winui::CBRS_BORDER_RIGHT},
    {winui::CBRS_ALIGN_RIGHT, winui::AFX_IDW_DOCKBAR_RIGHT, winui::CBRS_ALIGN_RIGHT | winui::CBRS_BORDER_LEFT},
};

} // namespace

RECT KeepOnScreen(const RECT& rect)
{
    if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL))
        return rect;
    return winui::ClampToWorkArea(rect);
}

CDockSite::~CDockSite() = default;

void CDockSite::EnableDocking(DWORD dwDockStyle)
{
    if (!frame_ || !frame_->m_hWnd)
        return;
    for (int k = 0; k < 4; ++k) {
        if (!(dwDockStyle & winui::CBRS_ALIGN_ANY & dock_sides[k].align) || dockBars_[k])
            continue;
        auto bar = std::make_unique<CSizeDockBar>();
        if (bar->Create(frame_, dock_sides[k].style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                                    WS_CLIPCHILDREN,
                        dock_sides[k].id))
            dockBars_[k] = std::move(bar);
    }
}

CSizeDockBar* CDockSite::GetDockBar(UINT id) const
{
    for (int k = 0; k < 4; ++k) {
        if (dock_sides[k].id == id)
            return dockBars_[k].get();
    }
    return nullptr;
}

CSizeDockBar* CDockSite::GetDockBarOfSide(DWORD align) const
{
    for (int k = 0; k < 4; ++k) {
        if (dock_sides[k].align & align)
            return dockBars_[k].get();
    }
    return nullptr;
}

CSizableMiniDockFrameWnd* CDockSite::MiniFrameOf(const CControlBar* bar)
{
    if (!bar || !bar->m_hWnd)
        return nullptr;
    auto* mini = dynamic_cast<CSizableMiniDockFrameWnd*>(winui::CWnd::FromHandle(::GetParent(bar->m_hWnd)));
    return mini && mini->m_pBar == bar ? mini : nullptr;
}

CVelloMDIFloatWnd* CDockSite::MdiFloatOf(const CControlBar* bar)
{
    if (!bar || !bar->m_hWnd)
        return nullptr;
    auto* wnd = dynamic_cast<CVelloMDIFloatWnd*>(winui::CWnd::FromHandle(::GetParent(bar->m_hWnd)));
    return wnd && wnd->m_pBar == bar ? wnd : nullptr;
}

void CDockSite::ReleaseFloatingWindow(CControlBar* bar, HWND newParent)
{
    if (CSizableMiniDockFrameWnd* mini = MiniFrameOf(bar)) {
        mini->m_pBar = nullptr;
        ::SetParent(bar->m_hWnd, newParent);
        mini->DestroyWindow();
    } else if (CVelloMDIFloatWnd* mdi = MdiFloatOf(bar)) {
        mdi->ReleaseBar(newParent);
    }
}

CSizeDockBar* CDockSite::DockBarOf(const CControlBar* bar)
{
    if (!bar || !bar->m_hWnd)
        return nullptr;
    auto* dockBar = dynamic_cast<CSizeDockBar*>(winui::CWnd::FromHandle(::GetParent(bar->m_hWnd)));
    return dockBar && dockBar->FindBar(bar) >= 0 ? dockBar : nullptr;
}

void CDockSite::RecalcDockLayout() const
{
    if (frame_ && frame_->m_hWnd)
        frame_->RecalcLayout();
}

void CDockSite::DockControlBar(CControlBar* bar, UINT nDockBarID, const RECT* rect)
{
    CSizeDockBar* target = nDockBarID ? GetDockBar(nDockBarID) : nullptr;
    for (int k = 0; k < 4 && !target; ++k) {
        if (!nDockBarID && dockBars_[k] && (bar->m_dwDockStyle & dock_sides[k].align))
            target = dockBars_[k].get();
    }
    if (target)
        DockControlBar(bar, target, rect);
}

void CDockSite::DockControlBar(CControlBar* bar, CSizeDockBar* dockBar, const RECT* rect)
{
    if (!bar || !bar->m_hWnd || !dockBar)
        return;
    if (!bar->m_pDockSite)
        bar->m_pDockSite = frame_;
    dockBar->DockControlBar(bar, rect);
    RecalcDockLayout();
}

void CDockSite::FloatControlBar(CControlBar* bar, POINT point, DWORD dwStyle)
{
    if (!bar || !bar->m_hWnd || !frame_ || !frame_->m_hWnd)
        return;
    if (!bar->m_pDockSite)
        bar->m_pDockSite = frame_;
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar);
    CSizableMiniDockFrameWnd* mini = MiniFrameOf(bar);
    if (mini) {
        RECT w;
        ::GetWindowRect(mini->m_hWnd, &w);
        OffsetRect(&w, point.x - w.left, point.y - w.top);
        w = KeepOnScreen(w);
        ::SetWindowPos(mini->m_hWnd, nullptr, w.left, w.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool visible = (GetWindowLongA(bar->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (CSizeDockBar* old = DockBarOf(bar))
            old->RemoveControlBar(bar);
        ReleaseFloatingWindow(bar, frame_->m_hWnd);
        DWORD align = dwStyle & winui::CBRS_ALIGN_ANY;
        bar->m_dwStyle = (bar->m_dwStyle & ~winui::CBRS_ALIGN_ANY) | winui::CBRS_FLOATING |
                         (align ? align : winui::CBRS_ALIGN_TOP) | (dwStyle & winui::CBRS_FLOAT_MULTI);
        SIZE client = sizeBar ? sizeBar->m_sizeFloating : bar->CalcFixedLayout(FALSE, TRUE);
        client.cx = std::max<LONG>(client.cx, 32);
        client.cy = std::max<LONG>(client.cy, 16);
        mini = new CSizableMiniDockFrameWnd;
        // Where the window would stand, brought onto a screen first.
        RECT w{point.x, point.y, point.x + client.cx + 2 * GetSystemMetrics(SM_CXFRAME),
               point.y + client.cy + GetSystemMetrics(SM_CYSMCAPTION)};
        w = KeepOnScreen(w);
        if (!mini->CreateFor(frame_, bar, POINT{w.left, w.top}, client)) {
            delete mini;
            return;
        }
        if (visible)
            ShowWindow(mini->m_hWnd, SW_SHOWNA);
        RecalcDockLayout();
    }
    if (sizeBar && sizeBar->m_pDockContext) {
        RECT w;
        ::GetWindowRect(mini->m_hWnd, &w);
        sizeBar->m_pDockContext->m_ptMRUFloatPos = POINT{w.left, w.top};
        sizeBar->m_pDockContext->m_bHasFloatPos = true;
    }
    ::SendMessageA(bar->m_hWnd, WM_SIZEBAR_FLOATED, 0, 0);
}

void CDockSite::ShowControlBar(CControlBar* bar, BOOL bShow, BOOL bDelay)
{
    if (!bar || !bar->m_hWnd)
        return;
    // No hidden window is left among the documents: a bar hidden there
    // moves into a floating window of its own, shown again over the frame.
    if (CVelloMDIFloatWnd* mdi = bShow ? nullptr : MdiFloatOf(bar)) {
        RECT w;
        ::GetWindowRect(mdi->m_hWnd, &w);
        ::ShowWindow(bar->m_hWnd, SW_HIDE);
        FloatControlBar(bar, POINT{w.left, w.top}, winui::CBRS_ALIGN_TOP);
    }
    ::ShowWindow(bar->m_hWnd, bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (CSizableMiniDockFrameWnd* mini = MiniFrameOf(bar))
        ::ShowWindow(mini->m_hWnd, bShow ? SW_SHOWNA : SW_HIDE);
    if (!bDelay)
        RecalcDockLayout();
}

CSizeDockBar* CDockSite::CanDock(const RECT& rect, DWORD dwDockStyle) const
{
    for (int k = 0; k < 4; ++k) {
        if (!dockBars_[k] || !(dwDockStyle & dock_sides[k].align))
            continue;
        RECT bar;
        ::GetWindowRect(dockBars_[k]->m_hWnd, &bar);
        if (bar.right == bar.left)
            ++bar.right;
        if (bar.bottom == bar.top)
            ++bar.bottom;
        RECT meet;
        if (IntersectRect(&meet, &bar, &rect))
            return dockBars_[k].get();
    }
    return nullptr;
}

// Bar state.

docking::BarPlacement CDockSite::GetBarPlacement(CControlBar* bar) const
{
    docking::BarPlacement p;
    if (!bar || !bar->m_hWnd)
        return p;
    CSizeDockBar* dockBar = DockBarOf(bar);
    p.side = dockBar ? docking::SideOfAlign(dockBar->Align()) : docking::kSideFloating;
    p.row = dockBar ? dockBar->RowOf(bar) : 0;
    p.index = dockBar ? dockBar->IndexInRow(bar) : 0;
    if (auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar)) {
        p.horz = {sizeBar->m_sizeDockedHorz.cx, sizeBar->m_sizeDockedHorz.cy};
        p.vert = {sizeBar->m_sizeDockedVert.cx, sizeBar->m_sizeDockedVert.cy};
        p.floating = {sizeBar->m_sizeFloating.cx, sizeBar->m_sizeFloating.cy};
    } else {
        SIZE h = bar->CalcFixedLayout(FALSE, TRUE);
        SIZE v = bar->CalcFixedLayout(FALSE, FALSE);
        p.horz = {h.cx, h.cy};
        p.vert = {v.cx, v.cy};
        p.floating = p.horz;
    }
    RECT w;
    if (CSizableMiniDockFrameWnd* mini = MiniFrameOf(bar)) {
        ::GetWindowRect(mini->m_hWnd, &w);
        p.floatX = w.left;
        p.floatY = w.top;
    } else {
        auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar);
        if (sizeBar && sizeBar->m_pDockContext && sizeBar->m_pDockContext->m_bHasFloatPos) {
            p.floatX = sizeBar->m_pDockContext->m_ptMRUFloatPos.x;
            p.floatY = sizeBar->m_pDockContext->m_ptMRUFloatPos.y;
        } else {
            ::GetWindowRect(bar->m_hWnd, &w);
            p.floatX = w.left;
            p.floatY = w.top;
        }
    }
    p.visible = (GetWindowLongA(bar->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    return p;
}

void CDockSite::SetBarPlacement(CControlBar* bar, docking::BarPlacement p)
{
    if (!bar || !bar->m_hWnd)
        return;
    docking::BarPlacement current = GetBarPlacement(bar);
    // Sides the frame has no dock bar for count as sides the bar refuses.
    DWORD allowed = 0;
    for (int k = 0; k < 4; ++k) {
        if (dockBars_[k])
            allowed |= dock_sides[k].align;
    }
    docking::ClampBarPlacement(&p, current, bar->m_dwDockStyle & allowed);
    if (auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar)) {
        sizeBar->m_sizeDockedHorz = SIZE{p.horz.cx, p.horz.cy};
        sizeBar->m_sizeDockedVert = SIZE{p.vert.cx, p.vert.cy};
        sizeBar->m_sizeFloating = SIZE{p.floating.cx, p.floating.cy};
        if (sizeBar->m_pDockContext) {
            RECT w{p.floatX, p.floatY, p.floatX + p.floating.cx, p.floatY + p.floating.cy};
            w = KeepOnScreen(w);
            sizeBar->m_pDockContext->m_ptMRUFloatPos = POINT{w.left, w.top};
            sizeBar->m_pDockContext->m_bHasFloatPos = true;
        }
    }
    ::ShowWindow(bar->m_hWnd, p.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (p.side == docking::kSideFloating) {
        FloatControlBar(bar, POINT{p.floatX, p.floatY}, winui::CBRS_ALIGN_TOP);
    } else if (CSizeDockBar* dockBar = GetDockBarOfSide(docking::SideAlign(p.side))) {
        dockBar->DockControlBarAt(bar, p.row, p.index);
        dockBar->m_nBarSignature = 0;
    }
    ShowControlBar(bar, p.visible, FALSE);
}

bool CDockSite::SaveBarPlacement(CControlBar* bar, const winui::CProfile& profile,
                                 const char* section, const char* key) const
{
    if (!bar || !bar->m_hWnd)
        return false;
    return profile.WriteString(section, key, docking::FormatBarPlacement(GetBarPlacement(bar)).c_str());
}

bool CDockSite::LoadBarPlacement(CControlBar* bar, const winui::CProfile& profile,
                                 const char* section, const char* key)
{
    docking::BarPlacement p;
    if (!bar || !bar->m_hWnd || !docking::ParseBarPlacement(profile.GetString(section, key, ""), &p))
        return false;
    SetBarPlacement(bar, p);
    return true;
}

namespace {

BOOL CALLBACK send_idle_update(HWND hwnd, LPARAM disable)
{
    SendMessageA(hwnd, winui::WM_IDLEUPDATECMDUI, static_cast<WPARAM>(disable), 0);
    return TRUE;
}

struct FloatingSearch {
    const winui::CFrameWnd* site;
    BOOL disable;
};

BOOL CALLBACK update_floating(HWND hwnd, LPARAM lParam)
{
    const auto* search = reinterpret_cast<const FloatingSearch*>(lParam);
    auto* mini = dynamic_cast<CSizableMiniDockFrameWnd*>(winui::CWnd::FromHandle(hwnd));
    if (mini && mini->m_pDockSite == search->site && IsWindowVisible(hwnd))
        EnumChildWindows(hwnd, send_idle_update, search->disable);
    return TRUE;
}

} // namespace

void CDockSite::UpdateFloatingBars(BOOL disableIfNoHandler) const
{
    FloatingSearch search{frame_, disableIfNoHandler};
    EnumThreadWindows(GetCurrentThreadId(), update_floating, reinterpret_cast<LPARAM>(&search));
}

void CDockSite::DeleteRegisteredBars()
{
    // The list is taken over first: each bar's destructor takes itself out
    // of the (now empty) list instead of the one being walked.
    std::vector<CVelloSizeControlBar*> bars;
    bars.swap(CVelloSizeControlBar::RegisteredBars());
    for (auto it = bars.rbegin(); it != bars.rend(); ++it)
        delete *it;
}

// The frames.

void CVelloMDIFrameWndSizeDock::FloatInMdiWindow(CControlBar* bar, POINT pt, DWORD dwStyle)
{
    if (!bar || !bar->m_hWnd || !m_hWndMDIClient)
        return;
    if (!bar->m_pDockSite)
        bar->m_pDockSite = this;
    RECT client;
    ::GetClientRect(m_hWndMDIClient, &client);
    ScreenToClient(m_hWndMDIClient, &pt);
    pt.x = std::max(std::min(pt.x, client.right - 32), client.left);
    pt.y = std::max(std::min(pt.y, client.bottom - 20), client.top);
    const UINT moveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    CVelloMDIFloatWnd* wnd = MdiFloatOf(bar);
    if (wnd && (wnd->m_dwBarStyle & dwStyle & winui::CBRS_ALIGN_ANY)) {
        ::SetWindowPos(wnd->m_hWnd, nullptr, pt.x, pt.y, 0, 0, moveOnly);
        return;
    }
    bool visible = (GetWindowLongA(bar->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    auto* fresh = new CVelloMDIFloatWnd;
    if (!fresh->Create(this, dwStyle | (bar->m_dwStyle & winui::CBRS_FLOAT_MULTI))) {
        delete fresh;
        return;
    }
    ::SetWindowPos(fresh->m_hWnd, nullptr, pt.x, pt.y, 0, 0, moveOnly);
    if (CSizeDockBar* old = DockBarOf(bar))
        old->RemoveControlBar(bar);
    ReleaseFloatingWindow(bar, m_hWnd);
    DWORD align = dwStyle & winui::CBRS_ALIGN_ANY;
    bar->m_dwStyle = (bar->m_dwStyle & ~winui::CBRS_ALIGN_ANY) | winui::CBRS_FLOATING |
                     (align ? align : winui::CBRS_ALIGN_TOP);
    auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(bar);
    SIZE size = sizeBar ? sizeBar->m_sizeFloating : bar->CalcFixedLayout(FALSE, TRUE);
    fresh->AttachBar(bar, size);
    if (visible) {
        ::ShowWindow(fresh->m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(fresh->m_hWnd);
    }
    RecalcDockLayout();
    ::SendMessageA(bar->m_hWnd, WM_SIZEBAR_FLOATED, 0, 0);
}

void CVelloMDIFrameWndSizeDock::FloatInMiniFrame(CControlBar* bar, POINT, DWORD dwStyle)
{
    if (!bar || !bar->m_hWnd)
        return;
    RECT w;
    HWND holder = ::GetParent(bar->m_hWnd);
    ::GetWindowRect(holder ? holder : bar->m_hWnd, &w);
    FloatControlBar(bar, POINT{w.left, w.top}, dwStyle);
}

CVelloMDIChildWndSizeDock::~CVelloMDIChildWndSizeDock() = default;
