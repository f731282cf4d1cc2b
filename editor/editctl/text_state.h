// The storage of one text, shared by every control that shows it.
//
// A document owns one CTextState and every view's control points at it, so
// that split panes show one text with one selection and one undo list. A
// stand-alone control (the output window) owns one of its own. The record
// holds data only; all text logic lives in CColorEditCore.
//
// Text model (as Text() shows it):
// - text[0 .. length) followed by a 0 byte; attr[] holds one colour byte for
//   every text byte at the same index; everything from length up to the
//   capacity is zero in both buffers.
// - Line break CR (13) only; LF never stands in the text. Byte 2 is a soft
//   break made by word wrap; it ends a line only while word wrap is on.
// - A tab is byte 9 followed by fill bytes 1 up to the next tab stop, so that
//   a tab occupies as many bytes as display columns.
// - Capacity is a multiple of 0x10000 and the length stays below it; both
//   buffers carry 128 spare bytes beyond the capacity.
#pragma once

#include <cstdint>

#include "editor/editctl/text_store.h"

class CUndoList;

// Byte values of the text model.
enum : uint8_t {
    kFillByte = 1,
    kSoftBreak = 2,
    kTab = 9,
    kLineFeed = 10,
    kFormFeed = 12,
    kCarriageReturn = 13,
    kBlank = 32,
};

const uint32_t kCapacityStep = 0x10000;
const uint32_t kSpareBytes = 128;

// Rectangle with the layout of a Win32 RECT; empty as IsRectEmpty says.
struct CTextRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    void SetEmpty() { left = top = right = bottom = 0; }
};

struct CTextState {
    // The bytes and their attributes; see text_store.h.
    CTextStore store;
    // The contiguous text and attributes (null before buffers exist),
    // valid until the next edit or growth. Text bytes written through the
    // pointer are announced with store.FlatWritten.
    uint8_t* Text() const { return const_cast<CTextStore&>(store).FlatText(); }
    uint8_t* Attr() const { return const_cast<CTextStore&>(store).FlatAttr(); }
    // The same pointers under the names readers of the text have always
    // used: s.text and s.attr read as the contiguous buffers.
    struct FlatBytes {
        CTextStore* bytes;
        bool attributes;
        operator uint8_t*() const { return attributes ? bytes->FlatAttr() : bytes->FlatText(); }
    };
    const FlatBytes text{&store, false};
    const FlatBytes attr{&store, true};
    bool HasBuffers() const { return store.HasBuffers(); }
    uint8_t At(int i) const { return store.At(i); }
    uint8_t AttrAt(int i) const { return store.AttrAt(i); }

    uint32_t capacity = 0;
    uint32_t lineCount = 0;
    int32_t length = 0;
    int32_t selStart = 0;   // the caret
    int32_t selEnd = 0;
    int32_t columnMode = 0;
    CTextRect columnRect;
    int32_t readOnly = 0;
    int32_t wrapWidth = 0;  // 0 = no word wrap
    int32_t modified = 0;
    // A document keeps a modified flag; a stand-alone control does not, and
    // then nothing is recorded or sent about it.
    bool hasModified = false;
    int32_t unixFormat = 0; // save with LF line ends only
    CUndoList* undo = nullptr; // null = no undo

    // Raised by every change of the text, so that each control can tell
    // whether the line positions it has cached are still valid.
    uint32_t version = 0;

    CTextState() = default;
    ~CTextState() { FreeBuffers(); }
    CTextState(const CTextState&) = delete;
    CTextState& operator=(const CTextState&) = delete;

    void FreeBuffers();
};
