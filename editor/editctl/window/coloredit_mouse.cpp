// CColorEdit: drag selection with auto-scroll, word selection by double
// click, the wheel, and column blocks grown with Alt and the mouse or keys.
#include "editor/editctl/window/coloredit.h"

#include <algorithm>

static const UINT_PTR auto_scroll_timer = 1;
static const UINT auto_scroll_period = 150;
static const UINT_PTR repeat_timer = 2;

bool CColorEdit::IsWordChar(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
        return true;
    switch (c) {
    case 0xC4: case 0xD6: case 0xDC: case 0xE4: case 0xF6: case 0xFC:
        return true;
    default:
        return false;
    }
}

static bool alt_held()
{
    return (GetKeyState(VK_LMENU) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
}

// The left button as the system sees it now; the thread's own key state
// counts too, so that a press delivered as a message is seen.
static bool left_button_held()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (GetKeyState(VK_LBUTTON) & 0x8000);
}

void CColorEdit::SetAutoScroll(int step, UINT_PTR id, UINT period)
{
    if (step) {
        if (!m_nAutoScrollTimer) {
            m_nAutoScrollTimer = SetTimer(id, period);
            NotifyParent();
        }
        m_nAutoScrollStep = step;
    } else {
        if (m_nAutoScrollTimer)
            KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
        m_nAutoScrollDir = 0;
    }
}

// The stream selection between the drag's anchor offset and an offset; the
// caret goes to the offset.
static void select_from_anchor(int anchor, int offset, int& start, int& end)
{
    start = std::min(anchor, offset);
    end = std::max(anchor, offset);
}

void CColorEdit::OnMouseMove(UINT flags, POINT point)
{
    const int noClicks = GetColorEditSettings().noClicks;
    if (m_nClickCount < noClicks) {
        if (noClicks < 3)
            ++m_nClickCount;
        Default();
        return;
    }
    if (!(flags & MK_LBUTTON) || !m_bButtonDown) {
        Default();
        return;
    }
    SetColumnMode(alt_held() ? 1 : 0);
    if (!HasCapture())
        SetCapture();
    HideCaret();

    POINT raw = point;
    point.x = std::max<LONG>(0, point.x);
    point.y = std::max<LONG>(0, point.y);
    if (point.x % m_nCharWidth > m_nCharWidth / 2)
        point.x += m_nCharWidth / 2;

    int offset = 0;
    if (!ColumnMode()) {
        POINT pt = point;
        offset = PointToCaretPos(pt, 6);
    }

    if (m_bMultiClick && !ColumnMode()) {
        if (offset < SelStart()) {
            m_bMultiClick = 0;
            SelStart() = offset;
            m_nClickOffset = SelEnd();
        } else if (offset > SelEnd()) {
            m_bMultiClick = 0;
            SelEnd() = offset;
            m_nClickOffset = SelStart();
        }
    }

    // Horizontal scrolling at the left and right edges.
    if (point.x > (m_nVisibleColumns - 1) * m_nCharWidth)
        ScrollColumns(1);
    else if (point.x < m_nCharWidth && HPos() > 0)
        ScrollColumns(-1);

    // Vertical auto-scroll beyond the window's edges.
    const int h = m_core.m_nVisibleLines * m_nCharHeight;
    const bool linesBelow = static_cast<int>(m_core.m_nTopLine) + m_core.m_nVisibleLines < Lines();
    if (raw.y > h && raw.y < h + 20 && linesBelow) {
        m_nAutoScrollDir = 1;
        SetAutoScroll(1, auto_scroll_timer, auto_scroll_period);
    } else if (raw.y >= h + 20 && linesBelow) {
        m_nAutoScrollDir = 2;
        SetAutoScroll(4, auto_scroll_timer, auto_scroll_period);
    } else if (raw.y < 0 && raw.y >= -20) {
        m_nAutoScrollDir = -1;
        SetAutoScroll(-1, auto_scroll_timer, auto_scroll_period);
    } else if (raw.y < -20) {
        m_nAutoScrollDir = -2;
        SetAutoScroll(-4, auto_scroll_timer, auto_scroll_period);
    } else {
        m_nAutoScrollDir = 0;
    }
    SetVScrollFromTop();

    if (ColumnMode()) {
        TrackColumnBlock(point.x, point.y, 1);
        SetCaretPos(m_nCaretColumn * m_nCharWidth, m_nCaretRow * m_nCharHeight);
        InvalidateText(0);
        NotifyParent();
    } else if (!(flags & MK_SHIFT) && !m_bMultiClick && m_nClickOffset >= 0) {
        int oldStart = SelStart(), oldEnd = SelEnd();
        select_from_anchor(m_nClickOffset, offset, SelStart(), SelEnd());
        m_nCaretOffset = offset;
        if (oldStart != SelStart() || oldEnd != SelEnd())
            InvalidateText(0);
        NotifyParent();
    }
    ShowCaret();
    Default();
}

void CColorEdit::OnTimer(UINT_PTR id)
{
    if (id == repeat_timer) {
        KillTimer(repeat_timer);
        m_nRepeatTimer = 0;
    } else if (id == auto_scroll_timer) {
        if (m_bButtonDown && left_button_held()) {
            const bool linesBelow = static_cast<int>(m_core.m_nTopLine) + m_core.m_nVisibleLines < Lines();
            if (m_nAutoScrollDir > 0 && linesBelow) {
                ScrollLines(m_nAutoScrollStep, TRUE);
                SetVScrollFromTop();
                int row = std::max(0, m_core.m_nVisibleLines - 1);
                if (ColumnMode()) {
                    TrackColumnBlock(m_nCaretColumn * m_nCharWidth, row * m_nCharHeight, 1);
                } else {
                    int offset = m_core.OffsetAtLineColumn(m_core.m_nTopLine + row, m_nCaretColumn + HPos());
                    if (m_core.m_nTopLine + row >= Lines())
                        offset = Len();
                    select_from_anchor(m_nClickOffset < 0 ? SelStart() : m_nClickOffset, offset,
                                       SelStart(), SelEnd());
                    CaretFromOffset(offset);
                }
                InvalidateText(0);
            } else if (m_nAutoScrollDir < 0 && SelStart() > 0) {
                ScrollLines(m_nAutoScrollStep, TRUE);
                SetVScrollFromTop();
                if (ColumnMode()) {
                    TrackColumnBlock(m_nCaretColumn * m_nCharWidth, 0, 1);
                } else {
                    int offset = m_core.OffsetAtLineColumn(m_core.m_nTopLine, m_nCaretColumn + HPos());
                    select_from_anchor(m_nClickOffset < 0 ? SelEnd() : m_nClickOffset, offset,
                                       SelStart(), SelEnd());
                    CaretFromOffset(offset);
                }
                InvalidateText(0);
            } else {
                InvalidateText(1);
                SetAutoScroll(0, auto_scroll_timer, 0);
                ShowCaret();
            }
            NotifyParent();
        } else {
            SetAutoScroll(0, auto_scroll_timer, 0);
            ShowCaret();
        }
    }
    Default();
}

void CColorEdit::OnLButtonUp(UINT flags, POINT point)
{
    m_bButtonDown = 0;
    const int noClicks = GetColorEditSettings().noClicks;
    if (HasCapture())
        ReleaseCapture();
    if (m_nAutoScrollTimer)
        SetAutoScroll(0, auto_scroll_timer, 0);
    if (m_nClickCount < noClicks) {
        m_nClickCount = noClicks;
        Default();
        return;
    }
    m_bMultiClick = 0;
    bool selected = ColumnMode() ? !ColumnRect().IsEmpty() : SelEnd() > SelStart();
    if (selected) {
        NotifyMouseSelect();
        if (GetColorEditSettings().autoCopy)
            Copy(0);
    }
    Default();
}

void CColorEdit::OnNcLButtonDown(UINT hitTest, POINT point)
{
    if (m_nAutoScrollTimer)
        SetAutoScroll(0, auto_scroll_timer, 0);
    Default();
}

void CColorEdit::OnLButtonDblClk(UINT flags, POINT point)
{
    m_bMultiClick = 1;
    m_bButtonDown = 1;
    HideCaret();
    if (HasCapture())
        ReleaseCapture();
    if (SelEnd() > SelStart())
        InvalidateText(0);
    POINT pt = point;
    int at = PointToCaretPos(pt, 6);
    SelStart() = SelEnd() = at;
    auto wordByte = [this](unsigned char b, bool forward) {
        if (b == kBlank || b == kCarriageReturn || b == kSoftBreak)
            return false;
        if (forward ? b == kTab : b == kFillByte)
            return false;
        return IsWordChar(b);
    };
    int start = at;
    while (start > 0 && wordByte(Buf()[start - 1], false))
        --start;
    int end = at;
    while (end < Len() && wordByte(Buf()[end], true))
        ++end;
    if (start == end) {
        m_bMultiClick = 0;
        ShowCaret();
        Default();
        return;
    }
    SelStart() = start;
    SelEnd() = end;
    m_nClickOffset = start;
    CaretFromOffset(end);
    if (ColumnMode()) {
        int line = m_core.LineFromOffset(start);
        int col = start - m_core.GetLineStart(start);
        CTextRect& block = ColumnRect();
        block.left = col * m_nCharWidth;
        block.right = (col + end - start) * m_nCharWidth;
        block.top = block.bottom = line * m_nCharHeight;
    }
    RecomputeLines();
    InvalidateText(0);
    ShowCaret();
    NotifyParent();
    NotifyMouseSelect();
    if (GetColorEditSettings().autoCopy)
        Copy(0);
    Default();
}

BOOL CColorEdit::OnMouseWheel(UINT flags, short delta, POINT point)
{
    if (Lines() > m_core.m_nVisibleLines && delta != 0) {
        ScrollLines(-delta / 40, TRUE);
        if (!m_hSharedVScroll && (m_dwScrollStyle & WS_VSCROLL))
            ShowScrollBar(SB_VERT, TRUE);
        SetVScrollFromTop();
        NotifyParent();
    }
    return static_cast<BOOL>(Default());
}

// Alt with the arrow and page keys grows a column block from the caret.
bool CColorEdit::AltBlockKey(int key)
{
    const bool horizontal = key == VK_LEFT || key == VK_RIGHT;
    if (m_core.LineFromOffset(SelStart()) != m_core.LineFromOffset(SelEnd()))
        return false;
    if (horizontal ? SelEnd() < SelStart() : (SelEnd() == SelStart() && !ColumnMode()))
        return false;
    if (!ColumnMode()) {
        // The block starts at the caret's cell.
        CaretFromOffset(m_nCaretOffset);
        m_ptAnchor.x = (m_nCaretColumn + HPos()) * m_nCharWidth;
        m_ptAnchor.y = (m_nCaretRow + m_core.m_nTopLine) * m_nCharHeight;
        ColumnRect().SetEmpty();
    }
    int column = m_nCaretColumn;
    int row = m_nCaretRow;
    CTextRect& block = ColumnRect();
    switch (key) {
    case VK_LEFT:
        column = std::max(0, column - 1);
        break;
    case VK_RIGHT:
        ++column;
        break;
    case VK_UP:
    case VK_PRIOR: {
        int by = key == VK_UP ? 1 : std::max<int>(1, m_core.m_nVisibleLines);
        if (block.top != 0 && block.top == block.bottom)
            m_ptAnchor.y += m_nCharHeight;
        if (key == VK_PRIOR || block.top / m_nCharHeight <= static_cast<int>(m_core.m_nTopLine) + 1) {
            int before = m_core.m_nTopLine;
            ScrollLines(-by, TRUE);
            row += before - static_cast<int>(m_core.m_nTopLine);
            SetVScrollFromTop();
            NotifyParent();
        }
        row = std::max(0, row - by);
        break;
    }
    case VK_DOWN:
    case VK_NEXT: {
        int by = key == VK_DOWN ? 1 : std::max<int>(1, m_core.m_nVisibleLines);
        if (key == VK_NEXT ||
            block.bottom / m_nCharHeight >= static_cast<int>(m_core.m_nTopLine) + m_core.m_nVisibleLines - 1) {
            int before = m_core.m_nTopLine;
            ScrollLines(by, TRUE);
            row -= static_cast<int>(m_core.m_nTopLine) - before;
            SetVScrollFromTop();
            NotifyParent();
        }
        row = std::min(row + by, std::max(0, Lines() - 1 - static_cast<int>(m_core.m_nTopLine)));
        break;
    }
    default:
        return false;
    }
    TrackColumnBlock(column * m_nCharWidth, row * m_nCharHeight, 1);
    SetCaretPos(m_nCaretColumn * m_nCharWidth, m_nCaretRow * m_nCharHeight);
    SetColumnMode(1);
    InvalidateText(0);
    NotifyParent();
    return true;
}

void CColorEdit::OnSysKeyDown(UINT key, UINT repeat, UINT flags)
{
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        HideCaret();
        AltBlockKey(static_cast<int>(key));
        ShowCaret();
        break;
    default:
        break;
    }
    Default();
}
