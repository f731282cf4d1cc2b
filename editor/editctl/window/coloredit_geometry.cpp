// CColorEdit: hit testing, caret positions, scrolling by lines and columns,
// the vertical scroll bar (own or shared by split panes) and the left click.
#include "editor/editctl/window/coloredit.h"

#include <algorithm>

static const int scroll_max = 0x7fff;
static const int splitter_vbar_first = 0xEA10;
static const int splitter_vbar_second = 0xEA11;

int CColorEdit::OffsetFromPoint(POINT pt, int& offset) const
{
    int row = pt.y / m_nCharHeight;
    int column = pt.x / m_nCharWidth + HPos();
    int line = m_core.m_nTopLine + row;
    if (pt.y < 0 || pt.x < 0 || line >= std::max(1, Lines()))
        return 0;
    int start = m_core.GetLineOffset(line);
    if (start < 0)
        return 0;
    int length = m_core.GetLineLength(start);
    if (column > length)
        return 0;
    offset = start + column;
    while (offset > start && ByteAt(offset) == kFillByte)
        --offset;
    return 1;
}

// The offset at a point given in pixels (flag 2) or in cells (column, row);
// flag 4 places the caret there, else the point gets its pixel position.
int CColorEdit::PointToCaretPos(POINT& pt, int flags)
{
    int h = HPos();
    int row, column;
    if (flags & 2) {
        row = std::max<int>(0, pt.y) / m_nCharHeight;
        column = h + std::max<int>(0, pt.x) / m_nCharWidth;
    } else {
        column = std::max<int>(0, pt.x);
        row = std::max<int>(0, pt.y);
    }
    int lines = std::max(1, Lines());
    int offset;
    if (m_core.m_nTopLine + row >= lines) {
        // Below the last line: the end of the text, on the last line.
        offset = Len();
        row = lines - 1 - m_core.m_nTopLine;
        column = offset - m_core.GetLineStart(offset);
    } else {
        int start = m_core.GetLineOffset(m_core.m_nTopLine + row);
        int length = m_core.GetLineLength(start);
        column = std::min(column, length);
        offset = start + column;
        while (offset > start && ByteAt(offset) == kFillByte) {
            --offset;
            --column;
        }
    }
    m_nCaretRow = row;
    m_nCaretColumn = column - h;
    m_nCaretOffset = offset;
    POINT pixel{m_nCaretColumn * m_nCharWidth, m_nCaretRow * m_nCharHeight};
    if (flags & 4)
        SetCaretPos(pixel.x, pixel.y);
    else
        pt = pixel;
    return offset;
}

void CColorEdit::ScrollLines(int n, int redraw)
{
    if (n == 0)
        return;
    int top = m_core.m_nTopLine;
    if (n < 0) {
        if (top == 0)
            return;
        int newTop = std::max(0, top + n);
        n = newTop - top;
        m_core.SetTopLine(newTop);
    } else {
        int limit = Lines() - m_core.m_nVisibleLines / 3;
        if (top + n < limit) {
            m_core.SetTopLine(top + n);
        } else if (top >= limit) {
            m_core.SetTopLine(top);
            return;
        } else {
            m_core.SetTopLine(limit);
        }
        n = m_core.m_nTopLine - top;
    }
    if (n == 0)
        return;
    if (!m_hWnd)
        return;
    ScrollWindow(0, -n * m_nCharHeight);
    PlaceCaret();
    m_nPaintStart = -1;
    m_nPaintEnd = -1;
    // The scrolled-in part is drawn by the next paint; the whole window is
    // drawn so that the selection highlight stays right.
    Invalidate(FALSE);
    if (redraw)
        UpdateWindow();
}

void CColorEdit::ScrollColumns(int n)
{
    int h = std::max(0, std::min(scroll_max, HPos() + n));
    n = h - HPos();
    if (n == 0)
        return;
    SetScrollPos(SB_HORZ, h, TRUE);
    ScrollWindow(-n * m_nCharWidth, 0);
    PlaceCaret();
    m_nPaintStart = -1;
    Invalidate(FALSE);
}

int CColorEdit::MakeColumnVisible(int offset)
{
    int column = offset - m_core.GetLineStart(offset);
    int h = HPos();
    int step = std::max(1, m_nVisibleColumns / 2);
    int oldH = h;
    if (column < h) {
        while (h > column)
            h -= step;
        h = std::max(h, 0);
    } else if (column < h + m_nVisibleColumns) {
        return 0;
    } else {
        while (column >= h + m_nVisibleColumns)
            h += step;
    }
    SetScrollPos(SB_HORZ, h, TRUE);
    ScrollWindow((oldH - h) * m_nCharWidth, 0);
    PlaceCaret();
    m_nPaintStart = -1;
    Invalidate(TRUE);
    return 1;
}

// The vertical scroll bars of the splitter that holds the control's view
// (its grandparent); false when it lies in none.
bool CColorEdit::SplitterBars(HWND (&bars)[2]) const
{
    HWND parent = GetParent();
    HWND grand = parent ? ::GetParent(parent) : nullptr;
    bars[0] = grand ? ::GetDlgItem(grand, splitter_vbar_first) : nullptr;
    bars[1] = grand ? ::GetDlgItem(grand, splitter_vbar_second) : nullptr;
    return bars[0] != nullptr;
}

void CColorEdit::UpdateVScrollBar(int needed)
{
    if (!m_hWnd)
        return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = scroll_max;
    int lines = Lines();
    double page = lines > 0 ? static_cast<double>(m_core.m_nVisibleLines + 1) / lines * scroll_max : 0;
    si.nPage = static_cast<UINT>(std::min<double>(page, scroll_max));
    si.nPos = VScrollPosition();

    // In a splitter the panes share its scroll bars.
    HWND bars[2];
    if (SplitterBars(bars)) {
        for (HWND bar : bars)
            if (bar)
                ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
        ShowScrollBar(SB_VERT, FALSE);
        return;
    }
    if (needed) {
        SetScrollInfo(SB_VERT, &si, TRUE);
        if (!m_hSharedVScroll)
            ShowScrollBar(SB_VERT, TRUE);
    } else if (!m_hSharedVScroll) {
        ShowScrollBar(SB_VERT, FALSE);
    }
}

void CColorEdit::OnVScroll(UINT code, UINT pos, HWND bar)
{
    if (!HasFocus())
        SetFocus();
    HideCaret();
    int lines = Lines();
    int page = m_core.m_nVisibleLines;
    int top = m_core.m_nTopLine;
    switch (code) {
    case SB_LINEUP:
        ScrollLines(-1, TRUE);
        break;
    case SB_LINEDOWN:
        ScrollLines(1, TRUE);
        break;
    case SB_PAGEUP:
        ScrollLines(top > page ? -page : -top, TRUE);
        break;
    case SB_TOP:
        ScrollLines(-top, TRUE);
        break;
    case SB_PAGEDOWN:
        // A page, or up to the limit of ScrollLines when less remains.
        ScrollLines(page, TRUE);
        break;
    case SB_BOTTOM:
        // To the last page; a view already further down stays.
        ScrollLines(std::max(0, lines - page - top), TRUE);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        double f = static_cast<double>(lines) / scroll_max;
        int target = static_cast<int>(pos * f);
        if (static_cast<int>(pos) >= scroll_max)
            target = lines; // the end of the bar reaches the last line
        ScrollLines(target - top, TRUE);
        SetScrollPos(SB_VERT, static_cast<int>(pos), TRUE);
        ShowCaret();
        NotifyParent();
        NotifyScroll(static_cast<int>(pos), static_cast<int>(code));
        return;
    }
    case SB_ENDSCROLL:
        ShowCaret();
        Default();
        NotifyParent();
        return;
    default:
        ShowCaret();
        return;
    }
    SetVScrollFromTop();
    Default();
    PlaceCaret();
    ShowCaret();
    NotifyParent();
    NotifyScroll(VScrollPosition(), static_cast<int>(code));
}

void CColorEdit::OnHScroll(UINT code, UINT pos, HWND bar)
{
    int h = HPos();
    switch (code) {
    case SB_LINELEFT:
        if (h > 0)
            ScrollColumns(-1);
        break;
    case SB_PAGELEFT:
        ScrollColumns(-std::min<int>(h, m_nVisibleColumns));
        break;
    case SB_PAGERIGHT:
        ScrollColumns(m_nVisibleColumns);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollColumns(static_cast<int>(pos) - h);
        break;
    case SB_LINERIGHT:
        ScrollColumns(1);
        break;
    default:
        Default();
        return;
    }
    ShowCaret();
    Default();
    NotifyParent();
}

void CColorEdit::OnLButtonDown(UINT flags, POINT point)
{
    m_bButtonDown = 1;
    // A click into a control that does not have the focus activates it,
    // however often the mouse moved over it meanwhile.
    if (!HasFocus())
        m_nClickCount = 0;
    if (m_nClickCount == 0) {
        // The first click only activates; the reposted click does the work.
        SetFocus();
        ++m_nClickCount;
        PostMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
        return;
    }
    HideCaret();
    bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    bool shift = (flags & MK_SHIFT) != 0;
    if (alt != (ColumnMode() != 0)) {
        SetColumnMode(alt ? 1 : 0);
        m_nPaintStart = -1;
        Invalidate(TRUE);
    }
    if (!shift)
        m_ptAnchor = point;
    int h = HPos();
    if (ColumnMode()) {
        POINT pt = point;
        SelStart() = PointToCaretPos(pt, 6);
        if (!shift) {
            m_ptAnchor.y += m_core.m_nTopLine * m_nCharHeight;
            m_ptAnchor.x += h * m_nCharWidth;
            ColumnRect().SetEmpty();
        }
        TrackColumnBlock(point.x, point.y, shift ? 1 : 0);
        SelEnd() = SelStart();
        m_nPaintStart = -1;
        Invalidate(FALSE);
        NotifyParent();
    } else {
        POINT pt = point;
        m_nClickOffset = PointToCaretPos(pt, 6);
        if (!shift) {
            m_ptAnchor.y += m_core.m_nTopLine * m_nCharHeight;
            m_ptAnchor.x += h * m_nCharWidth;
        }
        bool hasSel = SelEnd() > SelStart();
        bool inside = m_nClickOffset >= SelStart() && m_nClickOffset <= SelEnd();
        if ((hasSel && !shift) || inside) {
            if (hasSel) {
                m_nPaintStart = -1;
                Invalidate(FALSE);
            }
            SelStart() = SelEnd() = m_nClickOffset;
        } else if (shift) {
            if (m_nClickOffset < SelEnd())
                SelStart() = m_nClickOffset;
            else
                SelEnd() = m_nClickOffset;
            m_nPaintStart = -1;
            Invalidate(FALSE);
            NotifyParent();
        } else {
            SelStart() = SelEnd() = m_nClickOffset;
        }
        // A drag from here selects from the offset clicked at.
        m_nGoalColumn = h + m_nCaretColumn;
        if (m_nCaretRow >= m_core.m_nVisibleLines - 1 && m_core.m_nTopLine + m_core.m_nVisibleLines < Lines()) {
            ScrollLines(1, TRUE);
            SetVScrollFromTop();
        }
    }
    m_core.m_nCaretLine = m_core.LineFromOffset(SelStart());
    m_nSelEndLine = m_core.LineFromOffset(SelEnd());
    ShowCaret();
    NotifyParent();
    Default();
}
