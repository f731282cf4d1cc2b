// Dockable frames: CVelloFrameWndSizeDock (a single-document frame),
// CVelloMDIFrameWndSizeDock (the MDI main frame) and
// CVelloMDIChildWndSizeDock (an MDI child frame). Each is its winui frame
// plus CDockSite, which holds the four CSizeDockBar of the frame's sides and
// docks, floats, shows and hides bars:
//
//   EnableDocking(CBRS_ALIGN_ANY);              // in OnCreate, after the status bar
//   m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY); // winui bars: the sides they accept
//   DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
//   m_pOutputBar->EnableDocking(CBRS_ALIGN_BOTTOM);
//   DockControlBar(m_pOutputBar, AFX_IDW_DOCKBAR_BOTTOM);
//   ShowControlBar(m_pOutputBar, FALSE, FALSE);
//   SaveBarPlacement(m_pOutputBar, profile, "Bars", "Output");   // at closing
//   LoadBarPlacement(m_pOutputBar, profile, "Bars", "Output");   // at the next start
//
// The destructors of the SDI and MDI frames delete the bars made with
// SIZEBAR_DELETE_WITH_FRAME, docked, floating or hidden.
#pragma once

#include "editor/docking/bar_placement.h"
#include "editor/docking/mdifloat.h"
#include "editor/docking/sizebar.h"
#include "editor/docking/sizedockbar.h"
#include "winui/mdi.h"
#include "winui/profile.h"

#include <memory>

class CDockSite {
public:
    explicit CDockSite(winui::CFrameWnd* frame) : frame_(frame) {}
    virtual ~CDockSite();
    CDockSite(const CDockSite&) = delete;
    CDockSite& operator=(const CDockSite&) = delete;

    // Makes the dock bars of the sides named by the CBRS_ALIGN_* bits of
    // dwDockStyle (each side once, however often it is called).
    void EnableDocking(DWORD dwDockStyle);
    // The dock bar with id AFX_IDW_DOCKBAR_TOP, _BOTTOM, _LEFT or _RIGHT, or
    // of a side (CBRS_ALIGN_* bit); null when that side has none.
    CSizeDockBar* GetDockBar(UINT id) const;
    CSizeDockBar* GetDockBarOfSide(DWORD align) const;

    // Docks a bar on the dock bar nDockBarID (0: the first side in the
    // order top, bottom, left, right that the bar accepts and the frame
    // has), at rect (screen coordinates: the row under its centre) or as a
    // new last row.
    void DockControlBar(winui::CControlBar* bar, UINT nDockBarID = 0, const RECT* rect = nullptr);
    void DockControlBar(winui::CControlBar* bar, CSizeDockBar* dockBar, const RECT* rect = nullptr);
    // Floats a bar in its own window whose top left corner is at point
    // (screen; kept on a screen); dwStyle's CBRS_ALIGN_TOP or _LEFT gives
    // the orientation. Sends WM_SIZEBAR_FLOATED to the bar.
    void FloatControlBar(winui::CControlBar* bar, POINT point, DWORD dwStyle = winui::CBRS_ALIGN_TOP);
    // Shows or hides a bar (with its floating window); the frame's layout
    // follows unless delay.
    void ShowControlBar(winui::CControlBar* bar, BOOL bShow, BOOL bDelay = FALSE);
    // The dock bar of the sides in dwDockStyle whose window (widened to one
    // pixel when empty) meets rect (screen), or null.
    CSizeDockBar* CanDock(const RECT& rect, DWORD dwDockStyle) const;
    // The bar's floating window, or null.
    static CSizableMiniDockFrameWnd* MiniFrameOf(const winui::CControlBar* bar);
    // The MDI child the bar floats in, or null.
    static CVelloMDIFloatWnd* MdiFloatOf(const winui::CControlBar* bar);
    // Takes the bar out of the floating window or MDI child that holds it
    // (into newParent) and destroys that window; nothing when there is none.
    static void ReleaseFloatingWindow(winui::CControlBar* bar, HWND newParent);
    static CSizeDockBar* DockBarOf(const winui::CControlBar* bar);

    // Bar state: side, row, place in the row, sizes, floating position and
    // visibility, as one profile value (see bar_placement.h).
    docking::BarPlacement GetBarPlacement(winui::CControlBar* bar) const;
    // Applies a placement, made usable first (bad sizes and sides keep the
    // bar's current ones, a floating window off every screen comes back on
    // the nearest one): the bar is never lost.
    void SetBarPlacement(winui::CControlBar* bar, docking::BarPlacement placement);
    bool SaveBarPlacement(winui::CControlBar* bar, const winui::CProfile& profile,
                          const char* section, const char* key) const;
    // False when the key is missing or unreadable: the bar stays as it is.
    bool LoadBarPlacement(winui::CControlBar* bar, const winui::CProfile& profile,
                          const char* section, const char* key);

    winui::CFrameWnd* DockFrame() const { return frame_; }
    // Runs the update handlers of the bars floating in windows of this
    // frame (the application's idle update reaches only the frame's
    // descendants).
    void UpdateFloatingBars(BOOL disableIfNoHandler) const;
    void RecalcDockLayout() const;

protected:
    // Deletes the bars registered with SIZEBAR_DELETE_WITH_FRAME (last
    // first); safe while each bar's destructor unregisters itself.
    static void DeleteRegisteredBars();

    winui::CFrameWnd* frame_;
    std::unique_ptr<CSizeDockBar> dockBars_[4]; // top, bottom, left, right
};

// A rectangle moved onto the nearest screen's work area when it lies on no
// screen at all.
RECT KeepOnScreen(const RECT& rect);

// What the SDI and the MDI frame share: the dock site, the library's
// colours kept current, the update handlers of floating bars run at idle
// time, and the registered bars deleted with the frame.
template <class FrameBase>
class CSizeDockFrame : public FrameBase, public CDockSite {
public:
    CSizeDockFrame() : CDockSite(this) {}
    ~CSizeDockFrame() override { DeleteRegisteredBars(); }
    using CDockSite::ShowControlBar;

    static const ::winui::MsgMap* GetThisMessageMap();
    const ::winui::MsgMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    LRESULT OnSysColorChange(WPARAM, LPARAM)
    {
        UpdateSysColors();
        return this->Default();
    }
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = FrameBase::OnIdleUpdateCmdUI(wParam, lParam);
        UpdateFloatingBars(static_cast<BOOL>(wParam));
        return result;
    }
};

template <class FrameBase>
const ::winui::MsgMap* CSizeDockFrame<FrameBase>::GetThisMessageMap()
{
    using ThisClass = CSizeDockFrame<FrameBase>;
    static const ::winui::MsgMapEntry entries[] = {
        ON_MESSAGE(WM_SYSCOLORCHANGE, &ThisClass::OnSysColorChange)
        ON_MESSAGE(winui::WM_IDLEUPDATECMDUI, &ThisClass::OnIdleUpdateCmdUI)
        {0, 0, 0, 0, nullptr, nullptr}};
    static const ::winui::MsgMap map = {FrameBase::GetThisMessageMap(), entries};
    return &map;
}

class CVelloFrameWndSizeDock : public CSizeDockFrame<winui::CFrameWnd> {};

class CVelloMDIFrameWndSizeDock : public CSizeDockFrame<winui::CMDIFrameWnd> {
public:
    // Floats the bar in a window of the MDI client whose top left corner is
    // pt (screen), kept at least 32 by 20 pixels inside the client; a bar
    // already alone in such a window only moves it.
    void FloatInMdiWindow(winui::CControlBar* bar, POINT pt, DWORD dwStyle = winui::CBRS_ALIGN_TOP);
    // Floats the bar in a window of its own where its current floating
    // window stands (pt is not used).
    void FloatInMiniFrame(winui::CControlBar* bar, POINT pt, DWORD dwStyle = winui::CBRS_ALIGN_TOP);
};

class CVelloMDIChildWndSizeDock : public winui::CMDIChildWnd, public CDockSite {
public:
    CVelloMDIChildWndSizeDock() : CDockSite(this) {}
    ~CVelloMDIChildWndSizeDock() override;
    using CDockSite::ShowControlBar;
};
