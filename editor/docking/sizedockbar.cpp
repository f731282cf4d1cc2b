#include "editor/docking/sizedockbar.h"

#include "editor/docking/dockcontext.h"
#include "editor/docking/dockframe.h"
#include "editor/docking/sizebar.h"
#include "winui/gdi.h"
#include "winui/layout.h"

#include <algorithm>

using docking::DockSlot;
using winui::CControlBar;

BEGIN_MESSAGE_MAP(CSizeDockBar, winui::CControlBar)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SETCURSOR, &CSizeDockBar::OnSetCursor)
    ON_MESSAGE(winui::WM_SIZEPARENT, &CSizeDockBar::OnSizeParentDock)
    ON_MESSAGE(WM_PARENTNOTIFY, &CSizeDockBar::OnParentNotify)
END_MESSAGE_MAP()

CSizeDockBar::CSizeDockBar()
{
    m_arrBars.push_back(Entry{nullptr, nullptr});
}

CSizeDockBar::~CSizeDockBar()
{
    // The bars are not touched: some may be gone already.
    m_arrSplitters.clear();
    m_arrBars.clear();
    m_arrHiddenBars.clear();
}

BOOL CSizeDockBar::Create(winui::CFrameWnd* frame, DWORD style, UINT id)
{
    if (m_hWnd || !frame || !frame->m_hWnd)
        return FALSE;
    m_dwStyle = style & winui::CBRS_ALL;
    m_pDockSite = frame;
    const char* cls = RegisterClass("VelloDockBar", CS_DBLCLKS, nullptr,
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DWORD windowStyle = (style & ~winui::CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateEx(0, cls, "", windowStyle, 0, 0, 0, 0, frame->m_hWnd,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CSizeDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Docked tool bars tell their parent of clicks and tips: the frame.
    if ((message == WM_COMMAND || message == WM_NOTIFY) && m_pDockSite && m_pDockSite->m_hWnd)
        return ::SendMessageA(m_pDockSite->m_hWnd, message, wParam, lParam);
    return CControlBar::WindowProc(message, wParam, lParam);
}

// The bar array as slots.

std::vector<DockSlot> CSizeDockBar::Slots() const
{
    std::vector<DockSlot> slots;
    const bool horz = IsHorzDock();
    for (const Entry& e : m_arrBars) {
        if (!e.bar) {
            slots.push_back(docking::RowEnd());
            continue;
        }
        DockSlot s;
        s.isBar = true;
        s.visible = e.hwnd && IsWindow(e.hwnd) && (GetWindowLongA(e.hwnd, GWL_STYLE) & WS_VISIBLE);
        auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(e.bar);
        s.sizeable = sizeBar != nullptr;
        SIZE size;
        if (sizeBar)
            size = horz ? sizeBar->m_sizeDockedHorz : sizeBar->m_sizeDockedVert;
        else if (s.visible)
            size = e.bar->CalcFixedLayout(FALSE, horz);
        else
            size = SIZE{0, 0};
        s.length = horz ? size.cx : size.cy;
        s.thickness = horz ? size.cy : size.cx;
        slots.push_back(s);
    }
    return slots;
}

void CSizeDockBar::ApplySlots(const std::vector<DockSlot>& slots)
{
    const bool horz = IsHorzDock();
    for (size_t i = 0; i < slots.size() && i < m_arrBars.size(); ++i) {
        auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_arrBars[i].bar);
        if (!sizeBar || !slots[i].isBar)
            continue;
        if (horz)
            sizeBar->m_sizeDockedHorz = SIZE{slots[i].length, slots[i].thickness};
        else
            sizeBar->m_sizeDockedVert = SIZE{slots[i].thickness, slots[i].length};
    }
}

int CSizeDockBar::FindBar(const CControlBar* bar) const
{
    for (size_t i = 0; i < m_arrBars.size(); ++i) {
        if (bar && m_arrBars[i].bar == bar)
            return static_cast<int>(i);
    }
    return -1;
}

bool CSizeDockBar::HasBars() const
{
    for (const Entry& e : m_arrBars) {
        if (e.bar)
            return true;
    }
    return false;
}

int CSizeDockBar::RowOf(const CControlBar* bar) const
{
    int i = FindBar(bar);
    return i < 0 ? -1 : docking::RowNumber(Slots(), i);
}

int CSizeDockBar::IndexInRow(const CControlBar* bar) const
{
    int i = FindBar(bar);
    return i < 0 ? -1 : i - docking::RowStart(Slots(), i);
}

int CSizeDockBar::GetRowCount() const
{
    return docking::RowCount(Slots());
}

int CSizeDockBar::GetBarSignature() const
{
    return docking::BarSignature(Slots());
}

// Docking and undocking.

namespace {

// The centre of a screen rectangle in a window's client coordinates.
POINT client_centre(HWND wnd, const RECT& screen)
{
    POINT c{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2};
    ScreenToClient(wnd, &c);
    return c;
}

// Takes a bar from the dock bar or floating window that holds it.
void detach_bar(CControlBar* bar, CSizeDockBar* into)
{
    if (CSizeDockBar* old = CDockSite::DockBarOf(bar))
        old->RemoveControlBar(bar);
    CDockSite::ReleaseFloatingWindow(bar, into->m_hWnd);
    if (bar->m_hWnd)
        ::SetParent(bar->m_hWnd, into->m_hWnd);
}

} // namespace

void CSizeDockBar::DockControlBar(CControlBar* bar, const RECT* screenRect)
{
    if (!bar || !bar->m_hWnd || !m_hWnd)
        return;
    detach_bar(bar, this);
    std::vector<DockSlot> slots = Slots();
    const int n = static_cast<int>(slots.size());
    int pos = n;
    if (screenRect) {
        POINT c = client_centre(m_hWnd, *screenRect);
        const bool horz = IsHorzDock();
        int across = horz ? c.y : c.x;
        int along = horz ? c.x : c.y;
        pos = docking::FindDropRow(slots, across, g_dockLibData.cyBorder2);
        if (pos > 0 && pos < n) {
            // Within the row, by the place along it.
            int start = docking::RowStart(slots, pos);
            int end = docking::RowEndOf(slots, pos);
            for (int k = start; k < end; ++k) {
                if (!slots[k].visible)
                    continue;
                RECT r;
                ::GetWindowRect(m_arrBars[k].hwnd, &r);
                POINT bc = client_centre(m_hWnd, r);
                if ((horz ? bc.x : bc.y) > along) {
                    pos = k;
                    break;
                }
            }
        }
    }
    Entry entry{bar, bar->m_hWnd};
    if (pos <= 0) {
        m_arrBars.insert(m_arrBars.begin() + 1, entry);
        m_arrBars.insert(m_arrBars.begin() + 2, Entry{nullptr, nullptr});
    } else if (pos >= n) {
        m_arrBars.push_back(entry);
        m_arrBars.push_back(Entry{nullptr, nullptr});
    } else {
        m_arrBars.insert(m_arrBars.begin() + pos, entry);
    }
    TakeBar(bar);
}

void CSizeDockBar::TakeBar(CControlBar* bar)
{
    bar->m_dwStyle = (bar->m_dwStyle & ~(winui::CBRS_ALIGN_ANY | winui::CBRS_FLOATING)) | Align();
    ::SetWindowPos(bar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The rows are refitted at the next layout, whatever the signature says
    // (one bar may have taken another's place).
    m_nBarSignature = 0;
}

void CSizeDockBar::DockControlBarAt(CControlBar* bar, int row, int index)
{
    if (!bar || !bar->m_hWnd || !m_hWnd)
        return;
    detach_bar(bar, this);
    std::vector<DockSlot> slots = Slots();
    Entry entry{bar, bar->m_hWnd};
    if (row < 0)
        row = 0;
    if (index < 0)
        index = 0;
    if (row >= docking::RowCount(slots)) {
        m_arrBars.push_back(entry);
        m_arrBars.push_back(Entry{nullptr, nullptr});
    } else {
        int start = 1;
        for (int r = 0; r < row; ++r)
            start = docking::RowEndOf(slots, start) + 1;
        int end = docking::RowEndOf(slots, start);
        int pos = start + std::min(index, end - start);
        m_arrBars.insert(m_arrBars.begin() + pos, entry);
    }
    TakeBar(bar);
}

bool CSizeDockBar::RemoveControlBar(CControlBar* bar)
{
    int i = FindBar(bar);
    if (i < 0)
        return false;
    HWND hwnd = m_arrBars[i].hwnd;
    m_arrBars.erase(m_arrBars.begin() + i);
    // A row left empty goes.
    if (i < static_cast<int>(m_arrBars.size()) && !m_arrBars[i].bar && !m_arrBars[i - 1].bar)
        m_arrBars.erase(m_arrBars.begin() + i);
    m_arrHiddenBars.erase(std::remove(m_arrHiddenBars.begin(), m_arrHiddenBars.end(), hwnd),
                          m_arrHiddenBars.end());
    m_nBarSignature = 0;
    return true;
}

LRESULT CSizeDockBar::OnParentNotify(WPARAM wParam, LPARAM lParam)
{
    // A docked bar's window is going: its entry goes without the object
    // being touched (it may be half destroyed).
    if (LOWORD(wParam) == WM_DESTROY) {
        HWND gone = reinterpret_cast<HWND>(lParam);
        for (size_t i = 1; i < m_arrBars.size(); ++i) {
            if (m_arrBars[i].bar && m_arrBars[i].hwnd == gone) {
                RemoveControlBar(m_arrBars[i].bar);
                break;
            }
        }
    }
    return Default();
}

void CSizeDockBar::MakeRoomForBar(CControlBar* bar)
{
    int i = FindBar(bar);
    if (i < 0)
        return;
    std::vector<DockSlot> slots = Slots();
    int start = docking::RowStart(slots, i);
    int end = docking::RowEndOf(slots, i);
    std::vector<DockSlot> others{docking::RowEnd()};
    std::vector<int> where;
    for (int k = start; k < end; ++k) {
        if (k == i)
            continue;
        others.push_back(slots[k]);
        where.push_back(k);
    }
    others.push_back(docking::RowEnd());
    docking::RowInfo info = docking::ComputeRowInfo(others, 1);
    int length = std::max(0, slots[i].length);
    docking::FitRow(others, 1, std::max(0, info.TotalLength() - length));
    for (size_t k = 0; k < where.size(); ++k) {
        slots[where[k]].length = others[k + 1].length;
        slots[where[k]].thickness = others[k + 1].thickness;
    }
    ApplySlots(slots);
}

int CSizeDockBar::FindDropRow(const RECT& screenRect) const
{
    POINT c = client_centre(m_hWnd, screenRect);
    return docking::FindDropRow(Slots(), IsHorzDock() ? c.y : c.x, g_dockLibData.cyBorder2);
}

int CSizeDockBar::CountBarsInDropRow(CControlBar* bar, const RECT& screenRect) const
{
    POINT c = client_centre(m_hWnd, screenRect);
    return docking::CountBarsInDropRow(Slots(), IsHorzDock() ? c.y : c.x, g_dockLibData.cyBorder2,
                                       FindBar(bar));
}

// Layout.

SIZE CSizeDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CControlBar::CalcFixedLayout(bStretch, bHorz);
    std::vector<DockSlot> slots = Slots();
    docking::DockLayout layout = docking::LayoutDockBar(slots, Align(), g_dockLibData.cxBorder2);
    bool splittersChanged = layout.splitters.size() != m_arrSplitters.size();
    std::vector<CDockSplitter> splitters;
    for (size_t k = 0; k < layout.splitters.size(); ++k) {
        const docking::DockSplitterInfo& info = layout.splitters[k];
        CDockSplitter s;
        s.m_rect = RECT{info.rect.left, info.rect.top, info.rect.right, info.rect.bottom};
        s.m_type = static_cast<BYTE>(info.type);
        s.m_nBarIndex = info.barIndex;
        if (!splittersChanged && !EqualRect(&s.m_rect, &m_arrSplitters[k].m_rect))
            splittersChanged = true;
        splitters.push_back(s);
    }
    m_arrSplitters = std::move(splitters);
    if (queryOnly_)
        return SIZE{layout.cx, layout.cy};
    const UINT dockId = static_cast<UINT>(GetDlgCtrlID(m_hWnd));
    HDWP dwp = BeginDeferWindowPos(static_cast<int>(m_arrBars.size()));
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].isBar || !slots[i].visible)
            continue;
        const docking::DockRect& r = layout.rects[i];
        HWND h = m_arrBars[i].hwnd;
        RECT now;
        ::GetWindowRect(h, &now);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&now), 2);
        if (now.left != r.left || now.top != r.top || now.right - now.left != r.Width() ||
            now.bottom - now.top != r.Height()) {
            if (dwp)
                dwp = DeferWindowPos(dwp, h, nullptr, r.left, r.top, r.Width(), r.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
        auto* sizeBar = dynamic_cast<CVelloSizeControlBar*>(m_arrBars[i].bar);
        if (sizeBar && sizeBar->m_pDockContext) {
            sizeBar->m_pDockContext->m_rectMRUDockPos = RECT{r.left, r.top, r.right, r.bottom};
            sizeBar->m_pDockContext->m_uMRUDockID = dockId;
        }
    }
    if (dwp)
        EndDeferWindowPos(dwp);
    if (splittersChanged)
        Invalidate(TRUE);
    return SIZE{layout.cx, layout.cy};
}

LRESULT CSizeDockBar::OnSizeParentDock(WPARAM wParam, LPARAM lParam)
{
    auto* params = reinterpret_cast<winui::SizeParentParams*>(lParam);
    if (!params)
        return 0;
    const bool horz = IsHorzDock();
    int width = std::max(0, static_cast<int>(params->rect.right - params->rect.left));
    int height = std::max(0, static_cast<int>(params->rect.bottom - params->rect.top));
    int length = horz ? width : height;
    bool lengthChanged = length != (horz ? m_sizeLayout.cx : m_sizeLayout.cy);
    m_sizeLayout = SIZE{width, height};

    // Bars shown again since the last layout take their room from the
    // other bars of their row.
    std::vector<DockSlot> slots = Slots();
    int shownLength = 0;
    std::vector<int> collected;
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].isBar) {
            if (!slots[i].visible)
                continue;
            HWND h = m_arrBars[i].hwnd;
            if (std::find(m_arrHiddenBars.begin(), m_arrHiddenBars.end(), h) != m_arrHiddenBars.end())
                shownLength += slots[i].length;
            else
                collected.push_back(static_cast<int>(i));
            continue;
        }
        if (shownLength > 0 && !collected.empty()) {
            std::vector<DockSlot> row{docking::RowEnd()};
            for (int k : collected)
                row.push_back(slots[k]);
            row.push_back(docking::RowEnd());
            docking::RowInfo info = docking::ComputeRowInfo(row, 1);
            docking::FitRow(row, 1, std::max(0, info.TotalLength() - shownLength));
            for (size_t k = 0; k < collected.size(); ++k)
                slots[collected[k]] = row[k + 1];
        }
        shownLength = 0;
        collected.clear();
    }
    m_arrHiddenBars.clear();
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].isBar && !slots[i].visible)
            m_arrHiddenBars.push_back(m_arrBars[i].hwnd);
    }
    int signature = docking::BarSignature(slots);
    if (lengthChanged || signature != m_nBarSignature) {
        docking::FitAllRows(slots, length);
        m_nBarSignature = signature;
        Invalidate(TRUE);
    }
    ApplySlots(slots);

    queryOnly_ = params->hDWP == nullptr;
    LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    queryOnly_ = false;
    return result;
}

// Splitters.

CDockSplitter* CSizeDockBar::HitTestSplitter(POINT pt)
{
    for (size_t k = m_arrSplitters.size(); k-- > 0;) {
        if (PtInRect(&m_arrSplitters[k].m_rect, pt))
            return &m_arrSplitters[k];
    }
    return nullptr;
}

void CSizeDockBar::SetSplitterCursor(const CDockSplitter* s) const
{
    if (!s) {
        ::SetCursor(g_dockLibData.hcurArrow);
        return;
    }
    HCURSOR* cursor = s->m_type == docking::kSplitVert ? &g_dockLibData.hcurSplitWE
                                                        : &g_dockLibData.hcurSplitNS;
    if (!*cursor) {
        UINT resource = s->m_type == docking::kSplitVert ? 30980 : 30981;
        *cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
        if (!*cursor)
            *cursor = LoadCursor(nullptr, s->m_type == docking::kSplitVert ? IDC_SIZEWE : IDC_SIZENS);
    }
    ::SetCursor(*cursor);
}

void CSizeDockBar::OnMouseMove(UINT, POINT point)
{
    SetSplitterCursor(HitTestSplitter(point));
    Default();
}

LRESULT CSizeDockBar::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hWnd) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(m_hWnd, &pt);
        SetSplitterCursor(HitTestSplitter(pt));
        return TRUE;
    }
    return Default();
}

void CSizeDockBar::OnLButtonDown(UINT, POINT point)
{
    if (m_pTrackingSplitter)
        return;
    CDockSplitter* s = HitTestSplitter(point);
    if (!s)
        return;
    // The layout rebuilds the splitters: the drag works on a copy.
    CDockSplitter tracked = *s;
    m_pTrackingSplitter = &tracked;
    TrackSplitter(&tracked, point);
    m_pTrackingSplitter = nullptr;
}

void CSizeDockBar::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    for (size_t k = m_arrSplitters.size(); k-- > 0;) {
        const RECT& r = m_arrSplitters[k].m_rect;
        const COLORREF colours[4] = {g_dockLibData.clrBtnFace, g_dockLibData.clrBtnHilite,
                                     g_dockLibData.clrWindowFrame, g_dockLibData.clrBtnShadow};
        if (m_arrSplitters[k].m_type == docking::kSplitVert) {
            const int xs[4] = {r.left + 1, r.left + 2, r.right - 1, r.right - 2};
            for (int j = 0; j < 4; ++j)
                winui::FillSolidRect(dc, RECT{xs[j], r.top, xs[j] + 1, r.bottom}, colours[j]);
        } else {
            const int ys[4] = {r.top + 1, r.top + 2, r.bottom - 1, r.bottom - 2};
            for (int j = 0; j < 4; ++j)
                winui::FillSolidRect(dc, RECT{r.left, ys[j], r.right, ys[j] + 1}, colours[j]);
        }
    }
}

int CSizeDockBar::FreeSpaceAfterRow(int i) const
{
    std::vector<DockSlot> slots = Slots();
    int start = docking::RowStart(slots, i);
    int end = docking::RowEndOf(slots, i);
    const bool horz = IsHorzDock();
    int farEdge = 0;
    for (int k = start; k < end; ++k) {
        if (!slots[k].visible)
            continue;
        RECT r;
        ::GetWindowRect(m_arrBars[k].hwnd, &r);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        farEdge = std::max(farEdge, static_cast<int>(horz ? r.right : r.bottom));
    }
    int length = horz ? m_sizeLayout.cx : m_sizeLayout.cy;
    return std::max(0, length - farEdge);
}

namespace {

// An inverted band on the screen, drawn again to take it away.
void invert_band(const RECT& screen)
{
    HDC dc = GetDC(nullptr);
    if (!dc)
        return;
    HBRUSH brush = CreateSolidBrush(RGB(128, 128, 128));
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
           PATINVERT);
    SelectObject(dc, old);
    DeleteObject(brush);
    ReleaseDC(nullptr, dc);
}

} // namespace

void CSizeDockBar::TrackSplitter(CDockSplitter* s, POINT start)
{
    const bool horzDock = IsHorzDock();
    const bool vertBand = s->m_type == docking::kSplitVert;
    const bool rowSplitter = (s->m_type == docking::kSplitHorz && horzDock) ||
                             (s->m_type == docking::kSplitVert && !horzDock);
    RECT band = s->m_rect;
    if (vertBand)
        InflateRect(&band, -2, 0);
    else
        InflateRect(&band, 0, -2);
    RECT layoutRect{0, 0, m_sizeLayout.cx, m_sizeLayout.cy};
    IntersectRect(&band, &band, &layoutRect);

    RECT limit{};
    HWND frame = ::GetParent(m_hWnd);
    ::GetClientRect(frame, &limit);
    MapWindowPoints(frame, m_hWnd, reinterpret_cast<POINT*>(&limit), 2);

    std::vector<DockSlot> slots = Slots();
    const int n = static_cast<int>(slots.size());
    const DWORD align = Align();
    int index = std::min(std::max(s->m_nBarIndex, 0), n - 1);
    int rowStart = 0;
    docking::RowInfo row;
    if (rowSplitter) {
        if (align & (winui::CBRS_ALIGN_RIGHT | winui::CBRS_ALIGN_BOTTOM)) {
            rowStart = index;
        } else {
            int rowEnd = slots[index].isBar ? index - 1 : index;
            rowStart = docking::RowStart(slots, std::max(rowEnd - 1, 0));
        }
        row = docking::ComputeRowInfo(slots, rowStart);
        int slack = row.maxThickness - row.maxFixedThickness;
        if (align & winui::CBRS_ALIGN_BOTTOM)
            limit.bottom = std::min(limit.bottom, band.top + slack);
        else if (align & winui::CBRS_ALIGN_TOP)
            limit.top = std::max(limit.top, band.top - slack);
        else if (align & winui::CBRS_ALIGN_LEFT)
            limit.left = std::max(limit.left, band.left - slack);
        else
            limit.right = std::min(limit.right, band.left + slack);
    } else {
        int before = 0, after = 0;
        docking::BarSplitterRange(slots, index, FreeSpaceAfterRow(index), &before, &after);
        if (horzDock) {
            limit.left = std::max(limit.left, band.left - before);
            limit.right = std::min(limit.right, band.left + after);
        } else {
            limit.top = std::max(limit.top, band.top - before);
            limit.bottom = std::min(limit.bottom, band.top + after);
        }
    }

    const int startPos = vertBand ? band.left : band.top;
    const int lo = vertBand ? limit.left : limit.top;
    const int hi = std::max<int>(lo, vertBand ? limit.right : limit.bottom);
    int pos = startPos;
    auto screen_band = [&](int at) {
        RECT r = band;
        if (vertBand)
            OffsetRect(&r, at - band.left, 0);
        else
            OffsetRect(&r, 0, at - band.top);
        MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    bool accepted = false;
    ::SetCapture(m_hWnd);
    invert_band(screen_band(pos));
    while (::GetCapture() == m_hWnd) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            if (msg.hwnd != m_hWnd)
                MapWindowPoints(msg.hwnd, m_hWnd, &p, 1);
            int want = startPos + (vertBand ? p.x - start.x : p.y - start.y);
            int next = std::min(std::max(want, lo), hi);
            if (next != pos) {
                invert_band(screen_band(pos));
                pos = next;
                invert_band(screen_band(pos));
            }
        } else if (msg.message == WM_LBUTTONUP) {
            accepted = true;
            break;
        } else if (msg.message == WM_RBUTTONDOWN ||
                   (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    invert_band(screen_band(pos));
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    int delta = pos - startPos;
    if (!accepted || delta == 0)
        return;
    if (rowSplitter) {
        int grow = (align & (winui::CBRS_ALIGN_LEFT | winui::CBRS_ALIGN_TOP)) ? delta : -delta;
        docking::SetRowThickness(slots, rowStart, docking::RowThicknessAfter(row, grow));
    } else {
        docking::MoveBarSplitter(slots, index, delta, FreeSpaceAfterRow(index));
    }
    ApplySlots(slots);
    Invalidate(TRUE);
    if (CDockSite* site = dynamic_cast<CDockSite*>(m_pDockSite))
        site->RecalcDockLayout();
}
