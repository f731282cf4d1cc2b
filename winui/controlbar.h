// CControlBar: the base of every bar that stands at a frame's edge (tool
// bar, status bar, dock bars and docked bars of the docking library).
//
// How a bar reports its size: the frame's layout (winui/layout.h) sends
// WM_SIZEPARENT; the base handles it by calling the virtual
//     SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz)
// bHorz is true for a bar at the top or bottom. A bar returns its length
// (cx for a horizontal bar, cy for a vertical one) and its thickness; with
// bStretch the layout gives it the whole length of the free edge anyway. The
// base answers a size of 0 x 0, so a bar that does not override it takes no
// room. The edge comes from the bar style's CBRS_ALIGN_ bits; a hidden bar,
// a bar without alignment bits and a floating bar (CBRS_FLOATING) take no
// room either.
//
// Bar styles (m_dwStyle) are kept apart from the window style: the low word
// of a window style belongs to the control's class (a tool bar's TBSTYLE_
// bits), so CreateBar splits CBRS_ bits off before it calls CreateWindowExA.
#pragma once

#include "winui/layout.h"
#include "winui/wnd.h"

namespace winui {

class CFrameWnd;

const DWORD CBRS_ALIGN_LEFT = 0x1000;
const DWORD CBRS_ALIGN_TOP = 0x2000;
const DWORD CBRS_ALIGN_RIGHT = 0x4000;
const DWORD CBRS_ALIGN_BOTTOM = 0x8000;
const DWORD CBRS_ALIGN_ANY = 0xF000;
const DWORD CBRS_BORDER_LEFT = 0x0100;
const DWORD CBRS_BORDER_TOP = 0x0200;
const DWORD CBRS_BORDER_RIGHT = 0x0400;
const DWORD CBRS_BORDER_BOTTOM = 0x0800;
const DWORD CBRS_BORDER_ANY = 0x0F00;
const DWORD CBRS_TOOLTIPS = 0x0010;
const DWORD CBRS_FLYBY = 0x0020;
const DWORD CBRS_FLOAT_MULTI = 0x0040;
const DWORD CBRS_BORDER_3D = 0x0080;
const DWORD CBRS_HIDE_INPLACE = 0x0008;
const DWORD CBRS_SIZE_DYNAMIC = 0x0004;
const DWORD CBRS_SIZE_FIXED = 0x0002;
const DWORD CBRS_FLOATING = 0x0001;
const DWORD CBRS_GRIPPER = 0x00400000;
const DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
const DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
const DWORD CBRS_ALL = 0x0040FFFF;
const DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
const DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
const DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
const DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Sent by the frame when the program is idle: bars run the update handlers
// of their items (OnUpdateCmdUI). wParam: disable items without a handler.
const UINT WM_IDLEUPDATECMDUI = 0x0363;

class CControlBar : public CWnd {
public:
    // Bar style (CBRS_ bits) and dock sides (CBRS_ALIGN_ bits) the bar
    // accepts; the docking library reads m_dwDockStyle.
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    // The frame the bar was created in.
    CFrameWnd* m_pDockSite = nullptr;

    // CreateWindowExA with style & ~CBRS_ALL, plus controlStyle, as window
    // style (style & CBRS_ALL becomes m_dwStyle) in the parent frame, with
    // child id id. Class styles of a control (CCS_, TBSTYLE_, SBARS_) share
    // their values with CBRS_ bits, so they go in controlStyle. A class not
    // registered through CWnd::RegisterClass (a common control) is
    // subclassed after its creation.
    BOOL CreateBar(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                   CFrameWnd* parent, UINT id, DWORD controlStyle = 0);

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    virtual SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Runs the update handlers of the bar's items against target (the
    // frame: its route reaches the active view and document).
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {}

    // WM_SIZEPARENT: takes the bar's place in the layout as described
    // above. Bars that handle WM_SIZEPARENT themselves call it for the
    // standard placement.
    LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    // WM_IDLEUPDATECMDUI: OnUpdateCmdUI with the frame the bar serves, while
    // the bar is visible.
    LRESULT OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM);

    DECLARE_MESSAGE_MAP()
};

} // namespace winui
