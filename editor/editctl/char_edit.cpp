// The two one-character primitives: InsertChar puts one character at the
// caret (replacing the selection) and DeleteText removes the selection or one
// character forward or backward. Keys, undo, the clipboard and the syntax
// control all edit through them, so they keep the text model intact: line
// count, tab fill bytes, the attribute buffer and the terminating zero.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <new>
#include <vector>

#include "editor/editctl/text_range.h"

int CColorEditCore::InsertChar(int c, int attr, bool recordUndo)
{
    CTextState& s = *m_pState;
    if (s.readOnly || (s.columnMode && !s.columnRect.IsEmpty()))
        return 0;
    int start = s.selStart, end = s.selEnd < s.selStart ? s.selStart : s.selEnd;
    normalise_range(s, start, end);

    uint8_t ch = static_cast<uint8_t>(c);
    int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
    int n = 1;
    std::vector<uint8_t> ins;
    try {
        if (ch == kTab) {
            n = tw - LayoutColumn(start) % tw;
            ins.assign(static_cast<size_t>(n), m_bExpandTabs ? kBlank : kFillByte);
            if (!m_bExpandTabs)
                ins[0] = kTab;
        } else {
            ins.push_back(ch);
        }
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return 0;
    }

    // Grow first: when memory runs out nothing changes and nothing is
    // recorded for an edit that did not happen.
    Edit e;
    if (!PlanEdit(e, start, end, ins.data(), static_cast<int>(ins.size()), nullptr, attr, true))
        return 0;

    if (recordUndo) {
        if (end > start)
            RecordRemovedRange(start, end);
        if (ch == kTab && m_bExpandTabs) {
            for (int k = 1; k <= n; ++k)
                RecordUndo(kUndoTyped, start + k, start + k, 0, 0);
        } else {
            RecordUndo(kUndoTyped, start + n, start + n, 0, 0);
        }
    }
    SetModify(1);

    uint32_t oldLines = s.lineCount;
    CommitEdit(e);
    s.selStart = start + static_cast<int>(ins.size());
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);
    return 1;
}

int CColorEditCore::DeleteText(bool forward, bool recordUndo, int notify)
{
    CTextState& s = *m_pState;
    if (s.selEnd < s.selStart || s.readOnly)
        return -1;
    if (s.length == 0 || !s.HasBuffers())
        return -1;
    int caret = std::min(s.selStart, s.length);
    bool empty = s.selEnd == s.selStart;
    if (empty && forward && caret >= s.length)
        return -1;
    if (empty && !forward && caret <= 0)
        return 0; // nothing before the caret: no change, no record, not modified

    int a, b;
    if (!empty) {
        a = s.selStart;
        b = s.selEnd;
        normalise_range(s, a, b);
    } else if (forward) {
        a = caret;
        int owner = fill_owner(s, a);
        if (owner >= 0)
            a = owner;
        b = a + 1;
    } else {
        b = caret;
        a = caret - 1;
        int owner = fill_owner(s, a);
        if (owner >= 0)
            a = owner; // the tab and its fill bytes go together
    }
    if (s.At(a) == kTab)
        b = skip_fill(s, b);

    Edit e;
    if (!PlanEdit(e, a, b, nullptr, 0, nullptr, 0, true))
        return -1;

    if (recordUndo) {
        if (!empty && b - a >= 2)
            RecordRemovedRange(a, b);
        else if (!empty || forward)
            RecordUndo(kUndoDeletedForward, a, a + 1, s.At(a), s.AttrAt(a));
        else
            RecordUndo(kUndoDeletedBackward, a, a + 1, s.At(a), s.AttrAt(a));
    }
    SetModify(1);

    uint32_t oldLines = s.lineCount;
    CommitEdit(e);
    s.selStart = a;
    if (s.lineCount < oldLines) {
        int line = LineFromOffset(a);
        if (line + m_nVisibleLines < m_nTopLine) {
            m_nTopLine = line;
            m_nCaretLine = line;
            m_nTopOffset = GetLineStart(a);
            MarkTopKnown();
            Host().ViewScrolled();
        }
    }
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);
    if (notify)
        Host().Recolour(notify);
    return s.selStart;
}

// Puts back one byte that undo restores; a tab gets its fill bytes again,
// whatever expand tabs says, so the restored text is the text that was.
void CColorEditCore::InsertRestoredByte(uint8_t byte, uint8_t attr)
{
    CTextState& s = *m_pState;
    int start = s.selStart, end = start;
    normalise_range(s, start, end);
    std::vector<uint8_t> ins;
    try {
        ins.assign(1, byte);
        if (byte == kTab) {
            int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
            int n = tw - LayoutColumn(start) % tw;
            ins.resize(static_cast<size_t>(n), kFillByte);
        }
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return;
    }
    Edit e;
    if (!PlanEdit(e, start, end, ins.data(), static_cast<int>(ins.size()), nullptr, attr, true))
        return;
    SetModify(1);
    uint32_t oldLines = s.lineCount;
    CommitEdit(e);
    s.selStart = start + static_cast<int>(ins.size());
    s.selEnd = s.selStart;
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);
}

// Overwrite typing replaces a byte in place: neither the old nor the new
// byte is a line break or a tab, so lines and tab layout stay as they were.
void CColorEditCore::OverwriteByte(int offset, uint8_t byte)
{
    CTextState& s = *m_pState;
    RecordUndo(kUndoOverwritten, offset + 1, offset + 1, s.At(offset), s.AttrAt(offset));
    s.store.SetAt(offset, byte);
    // Lines do not move: what is known about line positions stays known.
    bool topKnown = TopKnown();
    bool hintKnown = m_nHintVersion == s.version;
    ++s.version;
    if (topKnown)
        MarkTopKnown();
    if (hintKnown)
        m_nHintVersion = s.version;
    SetModify(1);
}

static bool keeps_its_place(uint8_t b)
{
    return b == kCarriageReturn || b == kSoftBreak || b == kTab || b == kFillByte;
}

int CColorEditCore::OverwriteChar(int c)
{
    CTextState& s = *m_pState;
    uint8_t ch = static_cast<uint8_t>(c);
    int caret = s.selStart;
    if (s.selEnd > caret || caret >= s.length || !s.HasBuffers() || keeps_its_place(s.At(caret)) ||
        ch == kTab || ch == kCarriageReturn) {
        if (!InsertChar(c, 0, true))
            return 0;
        s.selEnd = s.selStart;
        return 1;
    }
    if (s.readOnly || (s.columnMode && !s.columnRect.IsEmpty()))
        return 0;
    if (s.At(caret) != ch)
        OverwriteByte(caret, ch);
    s.selStart = s.selEnd = NextPos(caret);
    return 1;
}

int CColorEditCore::OverwriteBackspace()
{
    CTextState& s = *m_pState;
    if (s.readOnly)
        return 0;
    int caret = s.selStart;
    if (caret < s.length && s.HasBuffers() && !keeps_its_place(s.At(caret)))
        OverwriteByte(caret, kBlank);
    s.selStart = s.selEnd = PrevPos(caret);
    return 1;
}
