#include "winui/splitter.h"

#include <algorithm>

namespace winui {

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_SETCURSOR, &CSplitterWnd::OnSetCursor)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

static const char* splitter_class()
{
    return CWnd::RegisterClass("winui.Splitter", CS_DBLCLKS, nullptr,
                               reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
}

BOOL CSplitterWnd::CreateStatic(HWND parent, int rows, int cols, DWORD style, UINT id)
{
    if (rows < 1 || cols < 1 || rows > 16 || cols > 16)
        return FALSE;
    dynamic_ = false;
    maxRows_ = rows;
    maxCols_ = cols;
    rows_.assign(static_cast<size_t>(rows), Line{0, minPane_.cy, 0});
    cols_.assign(static_cast<size_t>(cols), Line{0, minPane_.cx, 0});
    vbars_ = (style & WS_VSCROLL) != 0;
    hbars_ = (style & WS_HSCROLL) != 0;
    style &= ~(WS_VSCROLL | WS_HSCROLL);
    return CreateEx(0, splitter_class(), "", style | WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

BOOL CSplitterWnd::Create(HWND parent, int maxRows, int maxCols, SIZE minPane, DWORD style, UINT id)
{
    if (maxRows < 1 || maxCols < 1 || maxRows > 16 || maxCols > 16)
        return FALSE;
    dynamic_ = true;
    maxRows_ = maxRows;
    maxCols_ = maxCols;
    minPane_ = minPane;
    rows_.assign(1, Line{0, minPane.cy, 0});
    cols_.assign(1, Line{0, minPane.cx, 0});
    vbars_ = (style & WS_VSCROLL) != 0;
    hbars_ = (style & WS_HSCROLL) != 0;
    style &= ~(WS_VSCROLL | WS_HSCROLL);
    return CreateEx(0, splitter_class(), "", style | WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

int CSplitterWnd::OnCreate(LPCREATESTRUCTA)
{
    MakeScrollBars();
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (!MakePane(r, c))
                return -1;
    return 0;
}

// One bar per possible row and column, made once and shown while the row
// or column exists, so that a bar keeps its handle and position.
void CSplitterWnd::MakeScrollBars()
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    for (int r = 0; vbars_ && r < maxRows_; ++r)
        if (!GetScrollBar(SB_VERT, r))
            CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 0, 0, 0, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kVertScrollFirst + r)),
                            inst, nullptr);
    for (int c = 0; hbars_ && c < maxCols_; ++c)
        if (!GetScrollBar(SB_HORZ, c))
            CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_HORZ, 0, 0, 0, 0, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kHorzScrollFirst + c)),
                            inst, nullptr);
}

HWND CSplitterWnd::GetScrollBar(int bar, int index) const
{
    if (bar == SB_VERT)
        return vbars_ ? ::GetDlgItem(m_hWnd, kVertScrollFirst + index) : nullptr;
    return hbars_ ? ::GetDlgItem(m_hWnd, kHorzScrollFirst + index) : nullptr;
}

bool CSplitterWnd::MakePane(int row, int col)
{
    if (!m_createPane)
        return false;
    HWND pane = m_createPane(m_hWnd, row, col, IdFromRowCol(row, col));
    return pane != nullptr;
}

bool CSplitterWnd::GetActivePane(int* row, int* col) const
{
    HWND w = ::GetFocus();
    while (w && ::GetParent(w) != m_hWnd)
        w = ::GetParent(w);
    if (w) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(w));
        if (id >= kPaneFirst && id < kPaneFirst + 16 * 16)
            lastActive_ = w;
    }
    if (!lastActive_ || !::IsWindow(lastActive_) || ::GetParent(lastActive_) != m_hWnd)
        return false;
    UINT id = static_cast<UINT>(::GetDlgCtrlID(lastActive_)) - kPaneFirst;
    *row = static_cast<int>(id / 16);
    *col = static_cast<int>(id % 16);
    return true;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row < 0 || row >= GetRowCount())
        return;
    rows_[static_cast<size_t>(row)].ideal = ideal;
    rows_[static_cast<size_t>(row)].minimum = minimum;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum)
{
    if (col < 0 || col >= GetColumnCount())
        return;
    cols_[static_cast<size_t>(col)].ideal = ideal;
    cols_[static_cast<size_t>(col)].minimum = minimum;
}

int CSplitterWnd::GetRowHeight(int row) const
{
    return row >= 0 && row < GetRowCount() ? rows_[static_cast<size_t>(row)].current : 0;
}

int CSplitterWnd::GetColumnWidth(int col) const
{
    return col >= 0 && col < GetColumnCount() ? cols_[static_cast<size_t>(col)].current : 0;
}

RECT CSplitterWnd::InsideRect() const
{
    RECT r;
    GetClientRect(&r);
    if (vbars_)
        r.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (hbars_)
        r.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    return r;
}

int CSplitterWnd::RowTop(int row) const
{
    int y = 0;
    for (int i = 0; i < row; ++i)
        y += rows_[static_cast<size_t>(i)].current + kBarSize;
    return y;
}

int CSplitterWnd::ColumnLeft(int col) const
{
    int x = 0;
    for (int i = 0; i < col; ++i)
        x += cols_[static_cast<size_t>(i)].current + kBarSize;
    return x;
}

// Sizes every line but the last from its ideal (an equal share while none
// was set); the last takes the rest.
static void fit_lines(std::vector<int>& sizes, const int* ideals, size_t count, int total, int gap)
{
    sizes.assign(count, 0);
    int left = total - gap * static_cast<int>(count - 1);
    int share = std::max(0, left) / static_cast<int>(count);
    for (size_t i = 0; i + 1 < count; ++i) {
        int ideal = ideals[i] > 0 ? ideals[i] : share;
        sizes[i] = std::max(0, std::min(ideal, left));
        left -= sizes[i];
    }
    sizes[count - 1] = std::max(0, left);
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT inside = InsideRect();
    RECT client;
    GetClientRect(&client);
    std::vector<int> ideals, sizes;
    for (const Line& l : rows_)
        ideals.push_back(l.ideal);
    fit_lines(sizes, ideals.data(), rows_.size(), inside.bottom, kBarSize);
    for (size_t i = 0; i < rows_.size(); ++i)
        rows_[i].current = sizes[i];
    ideals.clear();
    for (const Line& l : cols_)
        ideals.push_back(l.ideal);
    fit_lines(sizes, ideals.data(), cols_.size(), inside.right, kBarSize);
    for (size_t i = 0; i < cols_.size(); ++i)
        cols_[i].current = sizes[i];

    const int box = dynamic_ ? kBarSize : 0;
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (HWND pane = GetPane(r, c))
                ::MoveWindow(pane, ColumnLeft(c), RowTop(r), GetColumnWidth(c), GetRowHeight(r), TRUE);
    for (int r = 0; vbars_ && r < maxRows_; ++r) {
        HWND bar = GetScrollBar(SB_VERT, r);
        if (r >= GetRowCount()) {
            ::ShowWindow(bar, SW_HIDE);
            continue;
        }
        // The first row's bar leaves room for the split box above it.
        int top = RowTop(r) + (r == 0 && GetRowCount() < maxRows_ ? box : 0);
        ::MoveWindow(bar, inside.right, top, client.right - inside.right,
                     RowTop(r) + GetRowHeight(r) - top, TRUE);
        ::ShowWindow(bar, SW_SHOWNA);
    }
    for (int c = 0; hbars_ && c < maxCols_; ++c) {
        HWND bar = GetScrollBar(SB_HORZ, c);
        if (c >= GetColumnCount()) {
            ::ShowWindow(bar, SW_HIDE);
            continue;
        }
        int left = ColumnLeft(c) + (c == 0 && GetColumnCount() < maxCols_ ? box : 0);
        ::MoveWindow(bar, left, inside.bottom, ColumnLeft(c) + GetColumnWidth(c) - left,
                     client.bottom - inside.bottom, TRUE);
        ::ShowWindow(bar, SW_SHOWNA);
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
}

bool CSplitterWnd::SplitRow(int y)
{
    if (!dynamic_ || GetRowCount() >= maxRows_)
        return false;
    int last = GetRowCount() - 1;
    int height = y - RowTop(last) - kBarSize / 2;
    if (height < minPane_.cy || GetRowHeight(last) - height - kBarSize < minPane_.cy)
        return false;
    rows_[static_cast<size_t>(last)].ideal = height;
    rows_.push_back(Line{0, minPane_.cy, 0});
    for (int c = 0; c < GetColumnCount(); ++c)
        if (!MakePane(last + 1, c)) {
            DeleteRow(last + 1);
            return false;
        }
    RecalcLayout();
    return true;
}

bool CSplitterWnd::SplitColumn(int x)
{
    if (!dynamic_ || GetColumnCount() >= maxCols_)
        return false;
    int last = GetColumnCount() - 1;
    int width = x - ColumnLeft(last) - kBarSize / 2;
    if (width < minPane_.cx || GetColumnWidth(last) - width - kBarSize < minPane_.cx)
        return false;
    cols_[static_cast<size_t>(last)].ideal = width;
    cols_.push_back(Line{0, minPane_.cx, 0});
    for (int r = 0; r < GetRowCount(); ++r)
        if (!MakePane(r, last + 1)) {
            DeleteColumn(last + 1);
            return false;
        }
    RecalcLayout();
    return true;
}

// Gives the pane at (fromRow, fromCol) the id of (toRow, toCol).
void CSplitterWnd::MovePanes(int fromRow, int fromCol, int toRow, int toCol)
{
    if (HWND pane = GetPane(fromRow, fromCol))
        SetWindowLongPtrA(pane, GWLP_ID, static_cast<LONG_PTR>(IdFromRowCol(toRow, toCol)));
}

void CSplitterWnd::DeleteRow(int row)
{
    if (row < 0 || row >= GetRowCount() || GetRowCount() == 1)
        return;
    for (int c = 0; c < GetColumnCount(); ++c)
        if (HWND pane = GetPane(row, c))
            ::DestroyWindow(pane);
    for (int r = row + 1; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            MovePanes(r, c, r - 1, c);
    rows_.erase(rows_.begin() + row);
    rows_.back().ideal = 0;
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int col)
{
    if (col < 0 || col >= GetColumnCount() || GetColumnCount() == 1)
        return;
    for (int r = 0; r < GetRowCount(); ++r)
        if (HWND pane = GetPane(r, col))
            ::DestroyWindow(pane);
    for (int c = col + 1; c < GetColumnCount(); ++c)
        for (int r = 0; r < GetRowCount(); ++r)
            MovePanes(r, c, r, c - 1);
    cols_.erase(cols_.begin() + col);
    cols_.back().ideal = 0;
    RecalcLayout();
}

CSplitterWnd::Hit CSplitterWnd::HitTest(POINT pt, int* index) const
{
    RECT inside = InsideRect();
    RECT client;
    GetClientRect(&client);
    if (dynamic_ && vbars_ && GetRowCount() < maxRows_ && pt.x >= inside.right &&
        pt.y >= 0 && pt.y < kBarSize)
        return Hit::RowBox;
    if (dynamic_ && hbars_ && GetColumnCount() < maxCols_ && pt.y >= inside.bottom &&
        pt.x >= 0 && pt.x < kBarSize)
        return Hit::ColumnBox;
    if (pt.x < inside.right && pt.y < inside.bottom) {
        for (int r = 0; r + 1 < GetRowCount(); ++r) {
            int gap = RowTop(r) + GetRowHeight(r);
            if (pt.y >= gap && pt.y < gap + kBarSize) {
                *index = r;
                return Hit::RowBar;
            }
        }
        for (int c = 0; c + 1 < GetColumnCount(); ++c) {
            int gap = ColumnLeft(c) + GetColumnWidth(c);
            if (pt.x >= gap && pt.x < gap + kBarSize) {
                *index = c;
                return Hit::ColumnBar;
            }
        }
    }
    return Hit::None;
}

void CSplitterWnd::OnLButtonDown(UINT, POINT pt)
{
    int index = 0;
    Hit hit = HitTest(pt, &index);
    if (hit == Hit::None)
        return;
    tracking_ = hit;
    trackIndex_ = index;
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, POINT) {}

void CSplitterWnd::OnLButtonUp(UINT, POINT pt)
{
    Hit hit = tracking_;
    tracking_ = Hit::None;
    if (hit == Hit::None)
        return;
    ReleaseCapture();
    RECT inside = InsideRect();
    switch (hit) {
    case Hit::RowBox:
        SplitRow(pt.y);
        break;
    case Hit::ColumnBox:
        SplitColumn(pt.x);
        break;
    case Hit::RowBar: {
        int r = trackIndex_;
        int height = pt.y - RowTop(r) - kBarSize / 2;
        int below = RowTop(r + 1) + GetRowHeight(r + 1) - (pt.y + kBarSize / 2);
        if (dynamic_ && height < rows_[static_cast<size_t>(r)].minimum)
            DeleteRow(r);
        else if (dynamic_ && (below < rows_[static_cast<size_t>(r + 1)].minimum || pt.y >= inside.bottom))
            DeleteRow(r + 1);
        else {
            rows_[static_cast<size_t>(r)].ideal =
                std::max(rows_[static_cast<size_t>(r)].minimum, height);
            RecalcLayout();
        }
        break;
    }
    case Hit::ColumnBar: {
        int c = trackIndex_;
        int width = pt.x - ColumnLeft(c) - kBarSize / 2;
        int right = ColumnLeft(c + 1) + GetColumnWidth(c + 1) - (pt.x + kBarSize / 2);
        if (dynamic_ && width < cols_[static_cast<size_t>(c)].minimum)
            DeleteColumn(c);
        else if (dynamic_ && (right < cols_[static_cast<size_t>(c + 1)].minimum || pt.x >= inside.right))
            DeleteColumn(c + 1);
        else {
            cols_[static_cast<size_t>(c)].ideal =
                std::max(cols_[static_cast<size_t>(c)].minimum, width);
            RecalcLayout();
        }
        break;
    }
    case Hit::None:
        break;
    }
}

LRESULT CSplitterWnd::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(m_hWnd, &pt);
        int index = 0;
        Hit hit = HitTest(pt, &index);
        if (hit == Hit::RowBar || hit == Hit::RowBox) {
            SetCursor(LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
        if (hit == Hit::ColumnBar || hit == Hit::ColumnBox) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return Default();
}

void CSplitterWnd::OnVScroll(UINT code, UINT pos, HWND bar)
{
    if (!bar)
        return;
    int row = ::GetDlgCtrlID(bar) - static_cast<int>(kVertScrollFirst);
    for (int c = 0; c < GetColumnCount(); ++c)
        if (HWND pane = GetPane(row, c))
            ::SendMessageA(pane, WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
}

void CSplitterWnd::OnHScroll(UINT code, UINT pos, HWND bar)
{
    if (!bar)
        return;
    int col = ::GetDlgCtrlID(bar) - static_cast<int>(kHorzScrollFirst);
    for (int r = 0; r < GetRowCount(); ++r)
        if (HWND pane = GetPane(r, col))
            ::SendMessageA(pane, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
}

HWND SplitterScrollBar(HWND pane, int bar)
{
    auto* splitter = dynamic_cast<CSplitterWnd*>(CWnd::FromHandle(::GetParent(pane)));
    if (!splitter)
        return nullptr;
    UINT id = static_cast<UINT>(::GetDlgCtrlID(pane)) - kPaneFirst;
    return splitter->GetScrollBar(bar, static_cast<int>(bar == SB_VERT ? id / 16 : id % 16));
}

} // namespace winui
