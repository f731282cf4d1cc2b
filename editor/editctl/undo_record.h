// The undo history: a fixed pool of records that the document owns and every
// control of the document borrows. The head is the newest step, the tail the
// oldest; empty records collect at the tail. Recording takes the tail record,
// so the pool never grows and the oldest step is overwritten silently.
#pragma once

#include <cstdint>
#include <list>

enum UndoType : int32_t {
    kUndoEmpty = 0,
    kUndoTyped = 1,            // start = end = offset behind the typed byte
    kUndoDeletedForward = 2,   // the deleted byte and its attribute
    kUndoInserted = 3,         // [start, end) was inserted
    kUndoDeletedRange = 4,     // copies of the removed text and attributes
    kUndoReplaced = 5,         // copies of the replaced text; end = end of the new text
    kUndoDeletedBackward = 6,  // the deleted byte and its attribute
    kUndoOverwritten = 7,      // start = offset behind the overwritten byte
};

const int kUndoPoolSize = 400;

class CUndoRecord {
public:
    CUndoRecord() = default;
    ~CUndoRecord() { Reset(); }
    CUndoRecord(const CUndoRecord&) = delete;
    CUndoRecord& operator=(const CUndoRecord&) = delete;

    // Frees the copies and sets every field to 0.
    void Reset();
    // Stores copies of length bytes of text and attributes; the text copy
    // gets a terminating zero. Returns false when memory ran out (the record
    // then holds no copies).
    bool SetText(const uint8_t* text, const uint8_t* attr, int32_t length);

    int32_t type = kUndoEmpty;
    int32_t start = 0;
    int32_t end = 0;
    // Types 1, 2, 6, 7: the affected byte and its attribute.
    uint8_t byte = 0;
    uint8_t byteAttr = 0;
    // Types 4, 5: owned copies of end - start bytes (text NUL-terminated).
    uint8_t* copyText = nullptr;
    uint8_t* copyAttr = nullptr;
    // Undone together with the older record below it: the later records of
    // one user action made of several edits (a text dragged to another
    // place is deleted there and inserted here).
    bool withOlder = false;
};

class CUndoList {
public:
    explicit CUndoList(int size = kUndoPoolSize);
    ~CUndoList();
    CUndoList(const CUndoList&) = delete;
    CUndoList& operator=(const CUndoList&) = delete;

    // Takes the oldest record off the tail, resets it and puts it at the head.
    CUndoRecord& TakeForRecording();
    CUndoRecord& Head() { return *records_.front(); }
    // Resets the head record and moves it to the tail.
    void DropHead();
    void EmptyAll();
    int Size() const { return static_cast<int>(records_.size()); }

private:
    std::list<CUndoRecord*> records_;
};
