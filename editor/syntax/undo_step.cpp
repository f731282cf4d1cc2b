#include "editor/syntax/undo_step.h"

#include "editor/editctl/undo_record.h"

CSingleUndoStep::CSingleUndoStep(CColorEditCore& core) : core_(core)
{
    undo_ = core_.State().undo;
    const uint8_t* text = core_.GetTextBuffer();
    if (undo_ && text) {
        const int length = core_.GetTextLength();
        text_.assign(text, text + length);
        attr_.assign(core_.GetAttrBuffer(), core_.GetAttrBuffer() + length);
    }
    core_.State().undo = nullptr;
}

CSingleUndoStep::~CSingleUndoStep() { End(); }

void CSingleUndoStep::End()
{
    if (ended_)
        return;
    ended_ = true;
    core_.State().undo = undo_;
    const uint8_t* now = core_.GetTextBuffer();
    if (!undo_)
        return;
    const int oldLength = static_cast<int>(text_.size());
    const int newLength = now ? core_.GetTextLength() : 0;
    int head = 0;
    while (head < oldLength && head < newLength && text_[static_cast<size_t>(head)] == now[head])
        ++head;
    int tail = 0;
    while (tail < oldLength - head && tail < newLength - head &&
           text_[static_cast<size_t>(oldLength - 1 - tail)] == now[newLength - 1 - tail])
        ++tail;
    const int oldEnd = oldLength - tail, newEnd = newLength - tail;
    if (oldEnd == head && newEnd == head)
        return;
    core_.BeginUndoStep();
    if (oldEnd > head)
        core_.RecordUndo(kUndoDeletedRange, head, oldEnd, text_.data() + head, attr_.data() + head);
    if (newEnd > head)
        core_.RecordUndo(kUndoInserted, head, newEnd, 0, 0);
    core_.EndUndoStep();
}
