#include "editor/docking/sizebar.h"

#include "editor/docking/dock_layout.h"
#include "editor/docking/dockcontext.h"
#include "editor/docking/dockframe.h"
#include "editor/docking/sizedockbar.h"
#include "winui/cmdui.h"
#include "winui/gdi.h"

#include <algorithm>
#include <string>

using winui::CControlBar;
using winui::CFrameWnd;

DockLibData g_dockLibData;

void UpdateSysColors()
{
    g_dockLibData.clrBtnFace = GetSysColor(COLOR_BTNFACE);
    g_dockLibData.clrBtnShadow = GetSysColor(COLOR_BTNSHADOW);
    g_dockLibData.clrBtnHilite = GetSysColor(COLOR_BTNHIGHLIGHT);
    g_dockLibData.clrBtnText = GetSysColor(COLOR_BTNTEXT);
    g_dockLibData.clrWindowFrame = GetSysColor(COLOR_WINDOWFRAME);
}

namespace {

// Fills the shared record before the program's first window.
struct DockLibInit {
    DockLibInit()
    {
        DWORD version = GetVersion();
        g_dockLibData.bWin4 = LOBYTE(LOWORD(version)) >= 4;
        g_dockLibData.cxBorder2 = g_dockLibData.cyBorder2 = g_dockLibData.bWin4 ? 2 : 1;
        UpdateSysColors();
        g_dockLibData.hcurWait = LoadCursor(nullptr, IDC_WAIT);
        g_dockLibData.hcurArrow = LoadCursor(nullptr, IDC_ARROW);
    }
} dock_lib_init;

// The text of a string resource, or the library's own when the program has
// none.
std::string bar_string(UINT id, const char* fallback)
{
    std::string text = winui::LoadResourceString(id);
    return text.empty() ? fallback : text;
}

} // namespace

std::vector<CVelloSizeControlBar*>& CVelloSizeControlBar::RegisteredBars()
{
    static std::vector<CVelloSizeControlBar*> bars;
    return bars;
}

BEGIN_MESSAGE_MAP(CVelloSizeControlBar, winui::CControlBar)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, &CVelloSizeControlBar::OnWindowPosChanged)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_CONTEXTMENU, &CVelloSizeControlBar::OnContextMenu)
    ON_MESSAGE(WM_NCCALCSIZE, &CVelloSizeControlBar::OnNcCalcSize)
    ON_MESSAGE(WM_NCPAINT, &CVelloSizeControlBar::OnNcPaint)
    ON_MESSAGE(WM_NCHITTEST, &CVelloSizeControlBar::OnNcHitTest)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CVelloSizeControlBar::OnNcLButtonDown)
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CVelloSizeControlBar::OnNcLButtonDblClk)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_COMMAND(ID_SIZEBAR_HIDE, &CVelloSizeControlBar::OnHideBar)
    ON_COMMAND(ID_SIZEBAR_DOCK, &CVelloSizeControlBar::OnToggleDock)
    ON_COMMAND(ID_SIZEBAR_FLOAT, &CVelloSizeControlBar::OnFloatKind)
    ON_MESSAGE(WM_SIZEBAR_ADDMENUITEMS, &CVelloSizeControlBar::OnAddMenuItems)
    ON_MESSAGE(WM_SIZEBAR_FLOATED, &CVelloSizeControlBar::OnFloated)
END_MESSAGE_MAP()

CVelloSizeControlBar::CVelloSizeControlBar(DWORD dwSizeBarStyle) : m_dwSizeBarStyle(dwSizeBarStyle)
{
    if (m_dwSizeBarStyle & SIZEBAR_DELETE_WITH_FRAME)
        RegisteredBars().push_back(this);
}

CVelloSizeControlBar::~CVelloSizeControlBar()
{
    if (m_dwSizeBarStyle & SIZEBAR_DELETE_WITH_FRAME) {
        auto& bars = RegisteredBars();
        auto it = std::find(bars.rbegin(), bars.rend(), this);
        if (it != bars.rend())
            bars.erase(std::next(it).base());
    }
    m_pDockContext.reset();
    // Out of its dock bar before the window goes, so that no row keeps a
    // pointer to a deleted bar.
    if (CSizeDockBar* dockBar = GetDockBar())
        dockBar->RemoveControlBar(this);
    if (m_hWnd)
        CDockSite::ReleaseFloatingWindow(this, nullptr);
}

BOOL CVelloSizeControlBar::Create(const char* className, const char* windowName, DWORD style,
                                  const RECT* rect, CFrameWnd* parent, UINT id)
{
    if (m_hWnd || !parent || !parent->m_hWnd)
        return FALSE;
    m_dwStyle = style & winui::CBRS_ALL;
    m_pDockSite = parent;
    RECT r{};
    if (rect) {
        r = *rect;
    } else {
        RECT client;
        ::GetClientRect(parent->m_hWnd, &client);
        int w = client.right / 2;
        int h = client.bottom / 4;
        r = RECT{client.right - w, client.bottom - h, client.right, client.bottom};
    }
    m_sizeFloating = SIZE{r.right - r.left, r.bottom - r.top};
    int hcx, hcy, vcx, vcy;
    docking::BarSizesFromFloating(m_sizeFloating.cx, m_sizeFloating.cy, &hcx, &hcy, &vcx, &vcy);
    m_sizeDockedHorz = SIZE{hcx, hcy};
    m_sizeDockedVert = SIZE{vcx, vcy};
    if (!className)
        className = RegisterClass("VelloSizeBar", CS_DBLCLKS, nullptr,
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DWORD windowStyle = (style & ~winui::CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateEx(0, className, windowName ? windowName : "", windowStyle, r.left, r.top,
                    r.right - r.left, r.bottom - r.top, parent->m_hWnd,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CVelloSizeControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & winui::CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = std::make_unique<CSizeDockContext>(this);
    if (!m_pDockSite && m_hWnd)
        m_pDockSite = CFrameWnd::GetParentFrameOf(m_hWnd);
}

SIZE CVelloSizeControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (IsFloating())
        return m_sizeFloating;
    return bHorz ? m_sizeDockedHorz : m_sizeDockedVert;
}

BOOL CVelloSizeControlBar::IsBarFloating() const
{
    return !GetDockBar() || (m_dwStyle & winui::CBRS_FLOATING) != 0;
}

CSizeDockBar* CVelloSizeControlBar::GetDockBar() const
{
    return CDockSite::DockBarOf(this);
}

CSizableMiniDockFrameWnd* CVelloSizeControlBar::GetMiniFrame() const
{
    return CDockSite::MiniFrameOf(this);
}

CDockSite* CVelloSizeControlBar::GetDockSite() const
{
    return dynamic_cast<CDockSite*>(m_pDockSite);
}

LRESULT CVelloSizeControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        // The bar's own map first (its menu's commands), then the frame, as
        // commands of any bar go.
        if (OnCommand(wParam, lParam))
            return TRUE;
        if (m_pDockSite && m_pDockSite->m_hWnd)
            return ::SendMessageA(m_pDockSite->m_hWnd, WM_COMMAND, wParam, lParam);
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

LRESULT CVelloSizeControlBar::OnWindowPosChanged(WPARAM, LPARAM)
{
    LRESULT result = Default();
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    int cx = r.right - r.left;
    int cy = r.bottom - r.top;
    int state = IsBarFloating() ? 1 : 0;
    int flags = 0;
    if (cx != m_sizeLastReported.cx || cy != m_sizeLastReported.cy)
        flags |= 1;
    if (state != m_nLastFloatState)
        flags |= 2;
    if (flags) {
        m_sizeLastReported = SIZE{cx, cy};
        m_nLastFloatState = state;
        OnSizeOrStateChanged(cx, cy, state, flags);
    }
    return result;
}

BOOL CVelloSizeControlBar::OnEraseBkgnd(HDC dc)
{
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    winui::FillSolidRect(dc, r, g_dockLibData.clrBtnFace);
    return TRUE;
}

LRESULT CVelloSizeControlBar::OnContextMenu(WPARAM, LPARAM lParam)
{
    if (!(m_dwSizeBarStyle & SIZEBAR_CONTEXT_MENU))
        return Default();
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return 0;
    OnAddMenuItems(0, reinterpret_cast<LPARAM>(menu));
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) { // from the keyboard: at the bar's corner
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        pt = POINT{r.left, r.top};
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    return 0;
}

LRESULT CVelloSizeControlBar::OnAddMenuItems(WPARAM, LPARAM lParam)
{
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    bool inMdiFloat = IsBarFloating() && CDockSite::MdiFloatOf(this) != nullptr;
    if (m_dwSizeBarStyle & SIZEBAR_MDI_FLOAT)
        AppendMenuA(menu, MF_STRING | (inMdiFloat ? MF_CHECKED : 0), ID_SIZEBAR_FLOAT,
                    bar_string(ID_SIZEBAR_FLOAT, "Float").c_str());
    bool docking = (m_dwDockStyle & winui::CBRS_ALIGN_ANY) != 0;
    if (!inMdiFloat && (docking || m_dwSavedDockStyle))
        AppendMenuA(menu, MF_STRING | (docking ? MF_CHECKED : 0), ID_SIZEBAR_DOCK,
                    bar_string(ID_SIZEBAR_DOCK, "Dock").c_str());
    AppendMenuA(menu, MF_STRING, ID_SIZEBAR_HIDE, bar_string(ID_SIZEBAR_HIDE, "Hide").c_str());
    SendMessage(WM_SIZEBAR_EXTENDMENU, 0, reinterpret_cast<LPARAM>(menu));
    return 1;
}

void CVelloSizeControlBar::OnHideBar()
{
    if (CDockSite* site = GetDockSite())
        site->ShowControlBar(this, FALSE, FALSE);
    else if (m_hWnd)
        ShowWindow(m_hWnd, SW_HIDE);
}

void CVelloSizeControlBar::OnToggleDock()
{
    if (m_dwDockStyle & winui::CBRS_ALIGN_ANY) {
        m_dwSavedDockStyle = m_dwDockStyle & winui::CBRS_ALIGN_ANY;
        if (!IsBarFloating() && m_pDockContext)
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwSavedDockStyle);
    }
}

void CVelloSizeControlBar::OnFloatKind()
{
    // The MDI frame whose client the bar floats in: its dock site, or the
    // top-level frame above a dockable child frame.
    auto* frame = dynamic_cast<CVelloMDIFrameWndSizeDock*>(m_pDockSite);
    if (!frame && m_pDockSite && m_pDockSite->m_hWnd)
        frame = dynamic_cast<CVelloMDIFrameWndSizeDock*>(
            winui::CWnd::FromHandle(GetAncestor(m_pDockSite->m_hWnd, GA_ROOT)));
    if (!frame || !m_hWnd)
        return;
    POINT pt{0, 0};
    if (m_pDockContext && m_pDockContext->m_bHasFloatPos) {
        pt = m_pDockContext->m_ptMRUFloatPos;
    } else {
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        pt = POINT{r.left, r.top};
    }
    if (CDockSite::MdiFloatOf(this))
        frame->FloatInMiniFrame(this, pt, winui::CBRS_ALIGN_TOP);
    else
        frame->FloatInMdiWindow(this, pt, winui::CBRS_ALIGN_TOP);
}

LRESULT CVelloSizeControlBar::OnFloated(WPARAM, LPARAM)
{
    if (CSizableMiniDockFrameWnd* mini = GetMiniFrame())
        mini->AdaptToSizeBar();
    return 1;
}

// Gripper: a band of the non-client area while docked, dragged like a caption.

RECT CVelloSizeControlBar::GripperRect() const
{
    RECT r{0, 0, 0, 0};
    CSizeDockBar* dockBar = GetDockBar();
    if (!m_hWnd || !dockBar)
        return r;
    RECT w;
    ::GetWindowRect(m_hWnd, &w);
    int cx = w.right - w.left, cy = w.bottom - w.top;
    if (dockBar->IsHorzDock())
        r = RECT{0, 0, std::min(kGripperSize, cx), cy};
    else
        r = RECT{0, 0, cx, std::min(kGripperSize, cy)};
    return r;
}

LRESULT CVelloSizeControlBar::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    CSizeDockBar* dockBar = GetDockBar();
    if (!dockBar || !lParam)
        return result;
    RECT* r = reinterpret_cast<RECT*>(lParam); // rgrc[0] in both forms
    if (dockBar->IsHorzDock())
        r->left = std::min(r->left + kGripperSize, r->right);
    else
        r->top = std::min(r->top + kGripperSize, r->bottom);
    return result;
}

LRESULT CVelloSizeControlBar::OnNcPaint(WPARAM, LPARAM)
{
    LRESULT result = Default();
    RECT g = GripperRect();
    if (g.right <= g.left || g.bottom <= g.top)
        return result;
    HDC dc = GetWindowDC(m_hWnd);
    if (!dc)
        return result;
    winui::FillSolidRect(dc, g, g_dockLibData.clrBtnFace);
    // Two raised lines along the band.
    bool horzDock = GetDockBar()->IsHorzDock();
    for (int k = 0; k < 2; ++k) {
        RECT line = horzDock ? RECT{2 + 3 * k, 3, 4 + 3 * k, g.bottom - 3}
                             : RECT{3, 2 + 3 * k, g.right - 3, 4 + 3 * k};
        RECT hi = line, lo = line;
        if (horzDock) {
            hi.right = hi.left + 1;
            lo.left = lo.right - 1;
        } else {
            hi.bottom = hi.top + 1;
            lo.top = lo.bottom - 1;
        }
        winui::FillSolidRect(dc, hi, g_dockLibData.clrBtnHilite);
        winui::FillSolidRect(dc, lo, g_dockLibData.clrBtnShadow);
    }
    ReleaseDC(m_hWnd, dc);
    return result;
}

LRESULT CVelloSizeControlBar::OnNcHitTest(WPARAM, LPARAM lParam)
{
    RECT g = GripperRect();
    if (g.right > g.left && g.bottom > g.top) {
        RECT w;
        ::GetWindowRect(m_hWnd, &w);
        POINT pt{static_cast<short>(LOWORD(lParam)) - w.left,
                 static_cast<short>(HIWORD(lParam)) - w.top};
        if (PtInRect(&g, pt))
            return HTCAPTION;
    }
    return Default();
}

LRESULT CVelloSizeControlBar::OnNcLButtonDown(WPARAM hit, LPARAM lParam)
{
    if (hit != HTCAPTION)
        return Default();
    if (m_pDockContext) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        m_pDockContext->StartDrag(pt);
    }
    return 0;
}

LRESULT CVelloSizeControlBar::OnNcLButtonDblClk(WPARAM hit, LPARAM)
{
    if (hit != HTCAPTION)
        return Default();
    if (m_pDockContext)
        m_pDockContext->ToggleDocking();
    return 0;
}

void CVelloSizeControlBar::OnLButtonDown(UINT, POINT point)
{
    // A press on the bar itself (not on one of its controls) drags it.
    if (m_pDockContext) {
        ClientToScreen(m_hWnd, &point);
        m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void CVelloSizeControlBar::OnLButtonDblClk(UINT, POINT)
{
    if (m_pDockContext)
        m_pDockContext->ToggleDocking();
    else
        Default();
}

// CVelloSizeDialogBar

BEGIN_MESSAGE_MAP(CVelloSizeDialogBar, CVelloSizeControlBar)
    {WM_ERASEBKGND, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM) -> LRESULT {
         return static_cast<ThisClass*>(w)->OnEraseBkgndDefault(reinterpret_cast<HDC>(wp));
     }, nullptr},
END_MESSAGE_MAP()

CVelloSizeDialogBar::CVelloSizeDialogBar(DWORD dwSizeBarStyle)
    : CVelloSizeControlBar(dwSizeBarStyle)
{
}

CVelloSizeDialogBar::~CVelloSizeDialogBar()
{
    m_pControlLayout.reset();
    // The window goes before the base's part: its messages must not reach a
    // half-destroyed object.
    if (m_hWnd) {
        HWND h = m_hWnd;
        if (CSizeDockBar* dockBar = GetDockBar())
            dockBar->RemoveControlBar(this);
        CDockSite::ReleaseFloatingWindow(this, nullptr);
        UnsubclassWindow();
        ::DestroyWindow(h);
    }
}

INT_PTR CALLBACK CVelloSizeDialogBar::BarDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

BOOL CVelloSizeDialogBar::Create(CFrameWnd* pParent, const char* lpszTemplate, UINT nStyle,
                                 UINT nID)
{
    if (m_hWnd || !pParent || !pParent->m_hWnd)
        return FALSE;
    m_dwStyle = nStyle & winui::CBRS_ALL;
    m_pDockSite = pParent;
    CREATESTRUCTA cs{};
    cs.lpszClass = "VelloDialogBar";
    cs.style = (nStyle & ~winui::CBRS_ALL) | WS_CHILD;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hInstance = GetModuleHandleA(nullptr);
    cs.hwndParent = pParent->m_hWnd;
    HWND h = CreateDialogParamA(cs.hInstance, lpszTemplate, pParent->m_hWnd, BarDlgProc, 0);
    if (!h)
        return FALSE;
    SubclassWindow(h);
    SetWindowLongPtrA(h, GWLP_ID, static_cast<LONG_PTR>(nID));
    LONG style = GetWindowLongA(h, GWL_STYLE);
    style &= ~(WS_CAPTION | WS_POPUP | WS_THICKFRAME);
    style |= WS_CHILD | WS_CLIPSIBLINGS | (cs.style & WS_VISIBLE);
    SetWindowLongA(h, GWL_STYLE, style);
    if (::GetParent(h) != pParent->m_hWnd)
        ::SetParent(h, pParent->m_hWnd);
    RECT client;
    ::GetClientRect(h, &client);
    m_sizeTemplate = SIZE{client.right, client.bottom};
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                       ((cs.style & WS_VISIBLE) ? SWP_SHOWWINDOW : 0));
    m_sizeFloating = m_sizeDockedHorz = m_sizeDockedVert = m_sizeTemplate;
    if (m_dwSizeBarStyle & SIZEBAR_SCALE_CONTROLS)
        TakeControlSnapshot();
    return TRUE;
}

BOOL CVelloSizeDialogBar::CreateFromId(CFrameWnd* pParent, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParent, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

namespace {

// A dialog bar's control under an update handler: EnableWindow, BM_SETCHECK,
// SetWindowTextA.
class CDialogControlCmdUI : public winui::CCmdUI {
public:
    HWND control = nullptr;
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        ::EnableWindow(control, on);
    }
    void SetCheck(int check) override { ::SendMessageA(control, BM_SETCHECK, check, 0); }
    void SetRadio(BOOL on) override { SetCheck(on ? 1 : 0); }
    void SetText(const char* text) override { ::SetWindowTextA(control, text); }
};

} // namespace

void CVelloSizeDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL)
{
    // Controls without an update handler stay as they are, whatever the
    // caller asks.
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        if (id <= 0)
            continue;
        CDialogControlCmdUI ui;
        ui.m_nID = static_cast<UINT>(id);
        ui.m_pOther = this;
        ui.control = child;
        ui.DoUpdate(target, FALSE);
    }
}

void CVelloSizeDialogBar::OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags)
{
    CVelloSizeControlBar::OnSizeOrStateChanged(cx, cy, bFloating, nFlags);
    if (!(m_dwSizeBarStyle & SIZEBAR_SCALE_CONTROLS) || !m_hWnd)
        return;
    // Scale to the client area: the gripper of a docked bar is not the
    // template's.
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (cx != 0 && cy != 0 && client.right > 0 && client.bottom > 0)
        ScaleControls(client.right, client.bottom);
}

void CVelloSizeDialogBar::TakeControlSnapshot()
{
    auto layout = std::make_unique<std::vector<ControlPlace>>();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    layout->push_back(ControlPlace{client, nullptr});
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = "";
        GetClassNameA(child, cls, sizeof cls);
        RECT r;
        ::GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        if (lstrcmpiA(cls, "ComboBox") == 0 && (GetWindowLongA(child, GWL_STYLE) & 3))
            r.bottom = r.top - r.bottom;
        layout->push_back(ControlPlace{r, child});
    }
    m_pControlLayout = std::move(layout);
}

void CVelloSizeDialogBar::ScaleControls(int cx, int cy)
{
    if (!m_pControlLayout || m_pControlLayout->empty())
        return;
    const RECT& base = (*m_pControlLayout)[0].rect;
    int w0 = base.right - base.left, h0 = base.bottom - base.top;
    for (size_t i = 1; i < m_pControlLayout->size(); ++i) {
        const ControlPlace& c = (*m_pControlLayout)[i];
        docking::DockRect r{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom};
        docking::DockRect s = docking::ScaleControlRect(r, w0, h0, cx, cy);
        ::SetWindowPos(c.hwnd, nullptr, s.left, s.top, s.right - s.left, s.bottom - s.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL CVelloSizeDialogBar::OnEraseBkgndDefault(HDC)
{
    return static_cast<BOOL>(Default());
}
