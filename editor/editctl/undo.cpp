// Recording and undoing edits. There is no redo: undoing writes no records.
#include "editor/editctl/edit_core.h"

#include <vector>

#include <algorithm>

void CColorEditCore::RecordUndo(int type, int start, int end, int byte, int attr)
{
    CUndoList* list = m_pState->undo;
    if (!list)
        return;
    CUndoRecord& r = list->TakeForRecording();
    JoinUndoStep(r);
    r.type = type;
    r.start = start;
    r.end = end;
    if (type != kUndoInserted) {
        r.byte = static_cast<uint8_t>(byte);
        r.byteAttr = static_cast<uint8_t>(attr);
    }
}

void CColorEditCore::RecordRemovedRange(int start, int end)
{
    const CTextState& s = *m_pState;
    if (!s.undo || end <= start)
        return;
    std::vector<uint8_t> text(static_cast<size_t>(end - start)), attr(text.size());
    s.store.CopyOut(start, end, text.data(), attr.data());
    RecordUndo(kUndoDeletedRange, start, end, text.data(), attr.data());
}

void CColorEditCore::RecordUndo(int type, int start, int end, const uint8_t* text, const uint8_t* attr)
{
    CUndoList* list = m_pState->undo;
    if (!list)
        return;
    if (type != kUndoDeletedRange && type != kUndoReplaced) {
        RecordUndo(type, start, end, text ? text[0] : 0, attr ? attr[0] : 0);
        return;
    }
    CUndoRecord& r = list->TakeForRecording();
    JoinUndoStep(r);
    r.type = type;
    r.start = start;
    r.end = end;
    if (!r.SetText(text, attr, end - start)) {
        // A step that cannot be kept is dropped rather than kept half.
        if (!r.withOlder)
            m_bUndoStepStarted = false;
        list->DropHead();
        Host().ReportOutOfMemory();
    }
}

void CColorEditCore::JoinUndoStep(CUndoRecord& r)
{
    if (m_nUndoStepDepth <= 0)
        return;
    r.withOlder = m_bUndoStepStarted;
    m_bUndoStepStarted = true;
}

void CColorEditCore::BeginUndoStep()
{
    if (m_nUndoStepDepth++ == 0)
        m_bUndoStepStarted = false;
}

void CColorEditCore::EndUndoStep()
{
    if (m_nUndoStepDepth > 0)
        --m_nUndoStepDepth;
}

bool CColorEditCore::CanUndo() const
{
    CUndoList* list = m_pState->undo;
    return list && list->Head().type != kUndoEmpty;
}

void CColorEditCore::EmptyUndoBuffer()
{
    if (m_pState->undo)
        m_pState->undo->EmptyAll();
}

int CColorEditCore::Undo()
{
    CTextState& s = *m_pState;
    CUndoList* list = s.undo;
    if (!list)
        return 0;
    CUndoRecord& r = list->Head();
    if (r.type == kUndoEmpty) {
        if (s.selStart != s.selEnd) {
            int oldStart = s.selStart, oldEnd = s.selEnd;
            s.selStart = s.selEnd;
            Host().SelectionSet(oldStart, oldEnd, false, true);
            Host().SelectionChanged();
        }
        return 0;
    }
    if (s.readOnly)
        return 0;

    int start = std::max(0, std::min(r.start, s.length));
    int end = std::max(start, std::min(r.end, s.length));
    switch (r.type) {
    case kUndoTyped:
        s.selStart = s.selEnd = start;
        ScrollToOffset(start);
        DeleteText(false, false, 0);
        s.selEnd = s.selStart;
        break;
    case kUndoOverwritten:
        s.selStart = s.selEnd = start;
        ScrollToOffset(start);
        InsertRestoredByte(r.byte, r.byteAttr);
        s.selStart = s.selEnd = start;
        DeleteText(false, false, 0);
        s.selEnd = s.selStart;
        break;
    case kUndoDeletedForward:
    case kUndoDeletedBackward:
        s.selStart = s.selEnd = start;
        ScrollToOffset(start);
        InsertRestoredByte(r.byte, r.byteAttr);
        if (r.type == kUndoDeletedForward)
            s.selStart = s.selEnd = start;
        break;
    case kUndoInserted:
        s.selStart = start;
        s.selEnd = end;
        if (end > start)
            DeleteText(true, false, 0);
        s.selEnd = s.selStart;
        break;
    case kUndoDeletedRange:
    case kUndoReplaced: {
        s.selStart = start;
        s.selEnd = r.type == kUndoReplaced ? end : start;
        s.columnRect.SetEmpty();
        s.columnMode = 0;
        int len = r.end - r.start;
        InsertText(r.copyText, len, r.copyAttr, 0);
        s.selStart = s.selEnd = start;
        break;
    }
    default:
        break;
    }
    m_nCaretLine = LineFromOffset(s.selStart);
    Host().TextChanged(m_nTopOffset);
    Host().Recolour(0);
    Host().SelectionChanged();
    const bool withOlder = r.withOlder;
    list->DropHead();
    // The older records of the same step go back too.
    if (withOlder && list->Head().type != kUndoEmpty)
        Undo();
    return 1;
}
