// Reading and setting the selection, the modified and read-only flags.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstring>

void CColorEditCore::GetSel(int& start, int& end) const
{
    const CTextState& s = *m_pState;
    start = s.selStart;
    end = s.columnMode ? s.selStart + 1 : s.selEnd;
}

std::string CColorEditCore::GetSelText() const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers() || s.selEnd <= s.selStart)
        return std::string();
    int end = std::min(s.selEnd, s.length);
    std::string out(static_cast<size_t>(std::max(0, end - s.selStart)), '\0');
    s.store.CopyOut(s.selStart, end, reinterpret_cast<uint8_t*>(&out[0]), nullptr);
    return out;
}

int CColorEditCore::CopySelText(char* buffer, int size) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers() || s.selEnd <= s.selStart || !buffer)
        return 0;
    int len = std::min(s.selEnd, s.length) - s.selStart;
    if (len + 1 > size)
        return 0; // a buffer that cannot hold the text gets nothing
    s.store.CopyOut(s.selStart, s.selStart + len, reinterpret_cast<uint8_t*>(buffer), nullptr);
    buffer[len] = 0;
    return len;
}

// The text side of SetSel: offsets, capped at the text, and the caret line.
// Caret placement, highlight and scrolling are the window's part.
void CColorEditCore::SetSel(int start, int end, bool scroll, bool redraw)
{
    CTextState& s = *m_pState;
    int oldStart = s.selStart, oldEnd = s.selEnd;
    if (start == -1) {
        start = s.selStart;
        end = s.selStart;
    }
    if (start < 0)
        start = 0;
    s.selStart = std::min(start, s.length);
    s.selEnd = (end == -1 || end > s.length) ? s.length : std::max(end, 0);
    if (scroll && redraw) {
        // Bring the caret's line into view: it becomes the third visible line
        // when it lies above the window or well below it; a line just below
        // the window becomes its last line, so that it is never left outside.
        int line = LineFromOffset(s.selStart);
        int top = m_nTopLine;
        int below = m_nTopLine + m_nVisibleLines;
        if (s.selStart < m_nTopOffset)
            top = line - 2;
        else if (line == below || line == below + 1)
            top = line - std::max(1, m_nVisibleLines) + 1;
        else if (line > below)
            top = line - 2;
        if (top != m_nTopLine) {
            SetTopLine(std::max(0, top));
            Host().ViewScrolled();
        }
    }
    m_nCaretLine = LineFromOffset(s.selStart);
    Host().SelectionSet(oldStart, oldEnd, scroll, redraw);
    if (redraw && s.selStart != s.selEnd)
        Host().SelectionChanged();
}

void CColorEditCore::ScrollToOffset(int offset)
{
    const CTextState& s = *m_pState;
    offset = std::max(0, std::min(offset, s.length));
    int line = LineFromOffset(offset);
    if (line < m_nTopLine || line >= m_nTopLine + std::max(1, m_nVisibleLines)) {
        // The line becomes the third visible line; its start is found by
        // walking back from the offset rather than counting from the top.
        int top = std::max(0, line - 2);
        int start = offset - LayoutColumn(offset);
        for (int k = line; k > top && start > 0; --k)
            start = (start - 1) - LayoutColumn(start - 1);
        m_nTopLine = top;
        m_nTopOffset = start;
        MarkTopKnown();
        Host().ViewScrolled();
    }
}

void CColorEditCore::SetModify(int flag)
{
    CTextState& s = *m_pState;
    if (!s.hasModified)
        return;
    flag = flag ? 1 : 0;
    if (s.modified != flag)
        Host().ModifiedChanged(flag);
    s.modified = flag;
}

int CColorEditCore::SetReadOnly(int flag)
{
    m_pState->readOnly = flag ? 1 : 0;
    return 1;
}
