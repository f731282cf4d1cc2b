// Sizeable docking bars: CVelloSizeControlBar keeps one size for each of
// three states (docked on a horizontal side, docked on a vertical side,
// floating), reports the size the layout asks for from them, offers a
// context menu with "Dock", "Float" and "Hide" and tells derived classes of
// every change of size or docking state (OnSizeOrStateChanged).
// CVelloSizeDialogBar is such a bar made from a dialog template; it can
// scale its controls with the bar.
//
// Life of a bar:
//   bar = new COutputBar(SIZEBAR_CONTEXT_MENU);   // style flags below
//   bar->Create(frame, IDD_OUTPUT, CBRS_BOTTOM, id);
//   bar->EnableDocking(CBRS_ALIGN_BOTTOM);        // the sides it may dock on
//   frame->DockControlBar(bar, AFX_IDW_DOCKBAR_BOTTOM);
// The user drags a docked bar by its gripper (the band at its left when it
// lies in a top or bottom row, at its top in a left or right column) or by
// the caption of its floating window; a double click there floats or docks
// it again. See editor/docking/dockframe.h for the frame's side.
#pragma once

#include "winui/controlbar.h"
#include "winui/frame.h"

#include <windows.h>

#include <memory>
#include <vector>

// Messages of the docking library.
const UINT WM_SIZEBAR_ADDMENUITEMS = WM_USER + 1; // lParam: menu; appends Float, Dock, Hide
const UINT WM_SIZEBAR_FLOATED = WM_USER + 2;      // the bar has just been floated
const UINT WM_SIZEBAR_EXTENDMENU = WM_USER + 48;  // lParam: the context menu (HMENU) before it shows
const UINT WM_SETMESSAGESTRING = 0x0362;          // to the main window: status line text id

// Size-bar style flags (the constructor's argument).
const DWORD SIZEBAR_DELETE_ON_CLOSE = 0x01;   // closing its floating window deletes the bar
const DWORD SIZEBAR_DELETE_WITH_FRAME = 0x02; // the dockable frame's destructor deletes it
const DWORD SIZEBAR_CONTEXT_MENU = 0x04;      // a right click shows the bar's menu
const DWORD SIZEBAR_SCALE_CONTROLS = 0x08;    // dialog bar: controls scale with the bar
const DWORD SIZEBAR_MDI_FLOAT = 0x10;         // menu item "Float": floating in the MDI client or over the frame

// Context menu commands and the close item's text of a floating bar.
const UINT ID_SIZEBAR_DOCK = 0xF06F;
const UINT ID_SIZEBAR_FLOAT = 0xF070;
const UINT ID_SIZEBAR_HIDE = 0xF071;
const UINT IDS_SIZEBAR_CLOSE_HIDE = 0xF011;
const UINT AFX_IDS_IDLEMESSAGE = 0xE001;
const UINT IDS_SIZEBAR_DRAGGING = 0x8030;

// The floating dock bar's id.
const UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;

// Colours and cursors shared by the library's drawing.
struct DockLibData {
    bool bWin4 = true;
    int cxBorder2 = 2;
    int cyBorder2 = 2;
    COLORREF clrBtnFace = 0, clrBtnShadow = 0, clrBtnHilite = 0, clrBtnText = 0,
             clrWindowFrame = 0;
    HCURSOR hcurWait = nullptr, hcurArrow = nullptr;
    HCURSOR hcurSplitNS = nullptr, hcurSplitWE = nullptr; // loaded on first use
};
extern DockLibData g_dockLibData;
// Reloads the five colours (on WM_SYSCOLORCHANGE).
void UpdateSysColors();

class CSizeDockBar;
class CSizeDockContext;
class CSizableMiniDockFrameWnd;
class CDockSite;

// The width of a docked bar's gripper band.
const int kGripperSize = 10;

class CVelloSizeControlBar : public winui::CControlBar {
public:
    explicit CVelloSizeControlBar(DWORD dwSizeBarStyle = 0);
    ~CVelloSizeControlBar() override;

    // Creates the bar window as a child of the frame. A null rect takes the
    // lower right part of the frame's client area (half its width, a quarter
    // of its height) as the floating size; the docked sizes follow from it.
    // style: window style bits and the bar's CBRS_ bits.
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const RECT* rect, winui::CFrameWnd* parent, UINT id);

    // The sides the bar may dock on (CBRS_ALIGN_* bits, 0 = none). Makes the
    // bar's dock context.
    void EnableDocking(DWORD dwDockStyle);

    SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // True when the bar lies in no dock bar (floating or not yet docked).
    BOOL IsBarFloating() const;
    // The dock bar holding the bar, or null.
    CSizeDockBar* GetDockBar() const;
    // The floating window holding the bar, or null.
    CSizableMiniDockFrameWnd* GetMiniFrame() const;
    // The frame whose dock bars the bar uses.
    CDockSite* GetDockSite() const;

    // Called after the bar's size (flag 1) or floating state (flag 2)
    // changed; cx, cy the window size.
    virtual void OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags) {}

    SIZE m_sizeFloating{0, 0};
    SIZE m_sizeDockedHorz{0, 0}; // cx along the row, cy the row's thickness
    SIZE m_sizeDockedVert{0, 0}; // cx the column's thickness, cy along it
    DWORD m_dwSavedDockStyle = 0;
    DWORD m_dwSizeBarStyle = 0;
    SIZE m_sizeLastReported{0xFFFF, 0};
    int m_nLastFloatState = 3;
    std::unique_ptr<CSizeDockContext> m_pDockContext;

    // The bars registered with SIZEBAR_DELETE_WITH_FRAME, in registration order.
    static std::vector<CVelloSizeControlBar*>& RegisteredBars();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The gripper band while docked, in window coordinates; empty otherwise.
    RECT GripperRect() const;

    LRESULT OnWindowPosChanged(WPARAM, LPARAM);
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    LRESULT OnNcCalcSize(WPARAM, LPARAM);
    LRESULT OnNcPaint(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnNcLButtonDown(WPARAM, LPARAM);
    LRESULT OnNcLButtonDblClk(WPARAM, LPARAM);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    void OnHideBar();
    void OnToggleDock();
    void OnFloatKind();
    LRESULT OnAddMenuItems(WPARAM, LPARAM menu);
    LRESULT OnFloated(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

class CVelloSizeDialogBar : public CVelloSizeControlBar {
public:
    explicit CVelloSizeDialogBar(DWORD dwSizeBarStyle = 0);
    ~CVelloSizeDialogBar() override;

    // Makes the bar from a dialog template (its controls, its size) as a
    // child of the frame: nStyle holds the window and CBRS_ bits, nID is the
    // bar's child id. All three sizes start as the template's client size.
    BOOL Create(winui::CFrameWnd* pParent, const char* lpszTemplate, UINT nStyle, UINT nID);
    BOOL CreateFromId(winui::CFrameWnd* pParent, UINT nIDTemplate, UINT nStyle, UINT nID);

    // Controls without an update handler stay enabled.
    void OnUpdateCmdUI(winui::CFrameWnd* target, BOOL disableIfNoHandler) override;
    void OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags) override;

    SIZE m_sizeTemplate{0, 0};

    // One control's place in the template as created; bottom < 0 marks a
    // combo box whose height (-bottom) does not scale.
    struct ControlPlace {
        RECT rect;
        HWND hwnd;
    };
    std::unique_ptr<std::vector<ControlPlace>> m_pControlLayout;

    // Moves the controls to their template places scaled to cx x cy.
    void ScaleControls(int cx, int cy);

protected:
    void TakeControlSnapshot();
    BOOL OnEraseBkgndDefault(HDC dc);
    static INT_PTR CALLBACK BarDlgProc(HWND, UINT, WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
