// CColorEdit: navigation and editing keys (ProcessKey) and typed characters
// (ProcessChar), with the modifier bits Shift 0x1000, Alt 0x2000, Ctrl 0x4000.
#include "editor/editctl/window/coloredit.h"

#include <algorithm>

static const UINT_PTR repeat_timer = 2;
static const UINT repeat_period = 50;

// Scroll codes sent with the shared scroll position.
enum { code_line_up = 0, code_line_down = 1, code_page_up = 2, code_page_down = 3 };

int GetKeyModifiers()
{
    int mods = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        mods |= KEYMOD_SHIFT;
    if ((GetKeyState(VK_LMENU) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000))
        mods |= KEYMOD_ALT;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        mods |= KEYMOD_CTRL;
    return mods;
}

namespace {

bool is_navigation_key(int key)
{
    return key >= VK_PRIOR && key <= VK_DOWN;
}

} // namespace

// Scrolls so that the caret's line lies inside the window; the vertical
// scroll position follows. Returns the lines scrolled.
static int keep_line_visible(int line, int top, int page)
{
    if (line < top)
        return line - top;
    if (page > 0 && line >= top + page)
        return line - (top + page) + 1;
    return 0;
}

void CColorEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    ProcessKey(static_cast<int>(key), GetKeyModifiers());
    Default();
}

void CColorEdit::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    // Typing hid the caret while the key was held.
    if (!m_bKeyReleased && HasFocus())
        ShowCaret();
    m_bKeyReleased = 1;
    Default();
}

void CColorEdit::OnChar(UINT c, UINT repeat, UINT flags)
{
    ProcessChar(static_cast<int>(c), GetKeyModifiers());
    Default();
}

// Moves the selection's moving end (the caret) to an offset; the other end
// stays. Without extend the selection collapses at the offset.
static void move_caret(int& selStart, int& selEnd, int& caret, int to, bool extend)
{
    if (!extend) {
        selStart = selEnd = to;
    } else {
        int fixed = caret == selStart ? selEnd : selStart;
        selStart = std::min(fixed, to);
        selEnd = std::max(fixed, to);
    }
    caret = to;
}

void CColorEdit::ProcessKey(int key, int modifiers)
{
    HideCaret();
    const bool shift = (modifiers & KEYMOD_SHIFT) != 0;
    const bool alt = (modifiers & KEYMOD_ALT) != 0;
    const bool ctrl = (modifiers & KEYMOD_CTRL) != 0;

    if (ColumnMode() && !alt && is_navigation_key(key)) {
        // A plain navigation key leaves the column block at the caret.
        LeaveColumnMode();
        ShowCaret();
        return;
    }
    if (alt && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)) {
        AltBlockKey(key);
        ShowCaret();
        RecomputeLines();
        NotifyParent();
        return;
    }
    if (m_nCaretOffset != SelStart() && m_nCaretOffset != SelEnd())
        m_nCaretOffset = SelStart();
    if ((!shift || key == VK_HOME) && is_navigation_key(key))
        EnsureCaretVisible();

    const int oldTop = m_core.m_nTopLine;
    const int oldStart = SelStart(), oldEnd = SelEnd();
    int& start = SelStart();
    int& end = SelEnd();
    int caret = m_nCaretOffset;
    int scrollCode = -1;
    bool setGoal = true;

    switch (key) {
    case VK_PRIOR: {
        // The caret keeps its screen row and the goal column.
        int row = m_core.LineFromOffset(caret) - m_core.m_nTopLine;
        scrollCode = code_page_up;
        setGoal = false;
        if (oldTop == 0) {
            move_caret(start, end, caret, 0, shift);
            m_nGoalColumn = 0;
            SetScrollPos(SB_HORZ, 0, TRUE);
            break;
        }
        ScrollLines(m_core.m_nTopLine > m_core.m_nVisibleLines ? -m_core.m_nVisibleLines : -m_core.m_nTopLine, FALSE);
        int target = m_core.OffsetAtLineColumn(m_core.m_nTopLine + std::max(0, row), m_nGoalColumn);
        move_caret(start, end, caret, target, shift);
        break;
    }
    case VK_NEXT: {
        int lines = Lines();
        if (m_core.m_nTopLine + m_core.m_nVisibleLines == lines)
            break;
        int line = m_core.LineFromOffset(caret);
        int row = line - m_core.m_nTopLine;
        int below = lines - m_core.m_nTopLine;
        ScrollLines(std::min<int>(m_core.m_nVisibleLines, below), FALSE);
        scrollCode = code_page_down;
        setGoal = false;
        int targetLine = std::max(line + 1, m_core.m_nTopLine + row);
        int target = targetLine >= lines ? Len() : m_core.OffsetAtLineColumn(targetLine, m_nGoalColumn);
        move_caret(start, end, caret, target, shift);
        break;
    }
    case VK_END: {
        int target = ctrl ? Len() : m_core.GetLineStart(caret) + m_core.GetLineLength(caret);
        move_caret(start, end, caret, target, shift);
        break;
    }
    case VK_HOME: {
        int target = 0;
        if (!ctrl) {
            int lineStart = m_core.GetLineStart(caret);
            target = lineStart;
            if (caret == lineStart && !shift) {
                // Pressed again at the line start: to the first non-blank.
                target = m_core.FirstNonBlank(lineStart);
            }
        } else {
            if (m_core.m_nTopLine != 0)
                ScrollLines(-m_core.m_nTopLine, FALSE);
            SetScrollPos(SB_HORZ, 0, TRUE);
        }
        move_caret(start, end, caret, target, shift);
        setGoal = false;
        m_nGoalColumn = 0;
        break;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        bool right = key == VK_RIGHT;
        if (!shift && end > start) {
            // A selection is removed; the caret stays.
            int at = right ? caret : start;
            move_caret(start, end, caret, at, false);
            break;
        }
        int target;
        if (ctrl)
            target = right ? m_core.WordRight(caret) : m_core.WordLeft(caret);
        else
            target = right ? m_core.NextPos(caret) : m_core.PrevPos(caret);
        move_caret(start, end, caret, target, shift);
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        bool down = key == VK_DOWN;
        int line = m_core.LineFromOffset(caret);
        setGoal = false;
        scrollCode = down ? code_line_down : code_line_up;
        int targetLine = line + (down ? 1 : -1);
        if (targetLine < 0 || targetLine >= std::max(1, Lines())) {
            // At the first or last line nothing moves.
            if (!shift && end > start)
                move_caret(start, end, caret, caret, false);
            break;
        }
        int target = m_core.OffsetAtLineColumn(targetLine, m_nGoalColumn);
        move_caret(start, end, caret, target, shift);
        break;
    }
    case VK_INSERT:
        m_bInsertMode = !m_bInsertMode;
        if (HasFocus()) {
            DestroyCaret();
            CreateEditCaret();
            PlaceCaret();
        }
        setGoal = false;
        break;
    case VK_DELETE:
        KeyDelete();
        caret = SelStart();
        break;
    default:
        setGoal = false;
        break;
    }

    // The caret's line and column are brought into the window.
    if (key != VK_INSERT && (is_navigation_key(key) || key == VK_DELETE)) {
        int line = m_core.LineFromOffset(caret);
        int n = keep_line_visible(line, m_core.m_nTopLine, m_core.m_nVisibleLines);
        if (n)
            ScrollLines(n, FALSE);
        m_nCaretOffset = caret;
        CaretFromOffset(caret);
        MakeColumnVisible(caret);
        if (setGoal)
            m_nGoalColumn = m_nCaretColumn + HPos();
        if (m_core.m_nTopLine != oldTop || scrollCode >= 0) {
            // The other panes of a splitter follow.
            if (scrollCode < 0)
                scrollCode = m_core.m_nTopLine > oldTop ? code_line_down : code_line_up;
            SetVScrollFromTop();
            NotifyScroll(VScrollPosition(), scrollCode);
        }
        if (m_core.m_nTopLine != oldTop || SelStart() != oldStart || SelEnd() != oldEnd ||
            oldEnd > oldStart)
            InvalidateText(0);
    }
    ShowCaret();
    RecomputeLines();
    NotifyParent();
}

// Column mode ends; the selection collapses at the caret's cell.
void CColorEdit::LeaveColumnMode()
{
    SetColumnMode(0);
    ColumnRect().SetEmpty();
    POINT pt = GetCaretPos();
    SelStart() = SelEnd() = PointToCaretPos(pt, 6);
    InvalidateText(1);
    RecomputeLines();
    NotifyParent();
}

void CColorEdit::KeyDelete()
{
    if (ColumnMode()) {
        CTextRect& block = ColumnRect();
        if (block.right == block.left || block.bottom != block.top) {
            CopyColumn(1, 0, 0);
            SetColumnMode(0);
            InvalidateText(1);
            if (WrapOn())
                SetWordWrap(State().wrapWidth, m_core.m_bWrapOnWords != 0);
            return;
        }
        StreamFromBlock();
    }
    int oldLines = Lines();
    if (m_core.DeleteText(true, true, 1) < 0)
        return;
    SelEnd() = SelStart();
    m_core.RelayoutTabs(m_core.GetLineStart(SelStart()), m_core.GetTabWidth());
    if (WrapOn())
        SetWordWrap(State().wrapWidth, m_core.m_bWrapOnWords != 0);
    RepaintAfterEdit(oldLines);
}

// After an edit: the scroll bar when the line count changed, and the text
// from the caret (or everything when lines went) repainted.
void CColorEdit::RepaintAfterEdit(int oldLines)
{
    if (Lines() != oldLines) {
        if (m_dwScrollStyle & WS_VSCROLL)
            UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
        InvalidateText(1);
    } else {
        int from = m_core.GetLineStart(SelStart());
        if (from > m_core.m_nTopOffset) {
            m_nPaintStart = from;
            m_nPaintEnd = -1;
            Invalidate(FALSE);
        } else {
            InvalidateText(0);
        }
    }
}

void CColorEdit::ProcessChar(int c, int modifiers)
{
    c &= 0xFF;
    // Auto-repeat: timer 2 tells a held key from a new one; the caret stays
    // hidden until the key is released.
    if (c != m_nRepeatChar || m_nRepeatTimer == 0) {
        m_nRepeatChar = c;
        m_nRepeatTimer = SetTimer(repeat_timer, repeat_period);
    }
    if (m_bKeyReleased)
        HideCaret();
    m_bKeyReleased = 0;

    if (ColumnMode()) {
        // A typed character only leaves the column block.
        LeaveColumnMode();
        return;
    }
    // Control characters other than the editing ones would put bytes of
    // the text model's own (fill bytes, soft breaks) into the text.
    if (c < 32 && c != 8 && c != 9 && c != 12 && c != 13 && c != 27)
        return;

    const int oldLines = Lines();
    const int oldTop = m_core.m_nTopLine;
    bool hadSelection = SelEnd() > SelStart();

    if (c == 27) {
        if (hadSelection) {
            // The selection collapses where the caret is drawn: at its
            // moving end after a Shift movement.
            int at = m_nCaretOffset == SelEnd() ? SelEnd() : SelStart();
            SelStart() = SelEnd() = at;
            InvalidateText(0);
        }
        CaretFromOffset(SelStart());
        RecomputeLines();
        NotifyParent();
        return;
    }

    if (c == 8) {
        if (m_bInsertMode || hadSelection) {
            if (m_core.DeleteText(false, true, 1) < 0)
                return;
            SelEnd() = SelStart();
        } else if (!m_core.OverwriteBackspace()) {
            return;
        }
    } else if (m_bInsertMode) {
        if (!m_core.InsertChar(c, 0, true))
            return;
        SelEnd() = SelStart();
    } else if (!m_core.OverwriteChar(c)) {
        return;
    }
    if (WrapOn())
        SetWordWrap(State().wrapWidth, m_core.m_bWrapOnWords != 0);

    int caret = SelStart();
    int line = m_core.LineFromOffset(caret);
    int n = keep_line_visible(line, m_core.m_nTopLine, m_core.m_nVisibleLines);
    if (n)
        ScrollLines(n, FALSE);
    CaretFromOffset(caret);
    MakeColumnVisible(caret);
    if (m_core.m_nTopLine != oldTop) {
        SetVScrollFromTop();
        NotifyScroll(VScrollPosition(), m_core.m_nTopLine > oldTop ? code_line_down : code_line_up);
    }
    RepaintAfterEdit(hadSelection ? -1 : oldLines);
    RecomputeLines();
    m_nGoalColumn = m_nCaretColumn + HPos();
    NotifyParent();
}
