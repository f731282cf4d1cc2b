#include "editor/editctl/undo_record.h"

#include <cstdlib>
#include <cstring>

void CUndoRecord::Reset()
{
    std::free(copyText);
    std::free(copyAttr);
    copyText = nullptr;
    copyAttr = nullptr;
    type = kUndoEmpty;
    start = end = 0;
    byte = byteAttr = 0;
    withOlder = false;
}

bool CUndoRecord::SetText(const uint8_t* text, const uint8_t* attr, int32_t length)
{
    std::free(copyText);
    std::free(copyAttr);
    copyText = nullptr;
    copyAttr = nullptr;
    if (length < 0)
        length = 0;
    uint8_t* t = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length) + 1));
    uint8_t* a = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length) + 1));
    if (!t || !a) {
        std::free(t);
        std::free(a);
        return false;
    }
    if (length) {
        std::memcpy(t, text, static_cast<size_t>(length));
        if (attr)
            std::memcpy(a, attr, static_cast<size_t>(length));
        else
            std::memset(a, 0, static_cast<size_t>(length));
    }
    t[length] = 0;
    a[length] = 0;
    copyText = t;
    copyAttr = a;
    return true;
}

CUndoList::CUndoList(int size)
{
    if (size < 1)
        size = 1;
    for (int i = 0; i < size; ++i)
        records_.push_back(new CUndoRecord);
}

CUndoList::~CUndoList()
{
    for (CUndoRecord* r : records_)
        delete r;
}

CUndoRecord& CUndoList::TakeForRecording()
{
    records_.splice(records_.begin(), records_, std::prev(records_.end()));
    CUndoRecord& r = *records_.front();
    r.Reset();
    return r;
}

void CUndoList::DropHead()
{
    records_.front()->Reset();
    records_.splice(records_.end(), records_, records_.begin());
}

void CUndoList::EmptyAll()
{
    for (CUndoRecord* r : records_)
        r->Reset();
}
