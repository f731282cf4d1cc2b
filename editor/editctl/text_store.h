// The bytes of one text and their colour attributes, stored so that an edit
// costs in proportion to the edit and not to the text.
//
// The text lies in chunks of a kilobyte, in order (small, so that the
// first edit in a chunk copies little of it). A chunk is either a view into
// one flat buffer (the whole text, contiguous, as readers that take the text
// in place want it) or a small block of its own that an edit made (copy on
// write), from an arena of the store. Every chunk knows how many CRs and
// soft breaks it holds, so that counting lines between two offsets and
// finding the start of a line visit chunk totals instead of bytes. The
// totals are kept in a tree of running sums (one node per chunk), so an
// edit updates a few nodes and never every chunk behind it. The chunks of
// a loaded text know that their attributes are still zero, so the first
// edit in one does not read attribute pages that were never touched.
//
// Flat() makes the text contiguous on demand: the chunks are laid out in
// the flat buffer again, in place, and stay views into it, so the next edit
// costs no more than before. A pointer from Flat() is valid until the next
// edit or growth. Text bytes written through it must be announced with
// FlatWritten(), which makes the chunks be cut and counted anew; attribute
// bytes may be written freely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/editctl/chunk_arena.h"

typedef void* (*TextAllocFn)(size_t size);
void SetTextStoreAllocator(TextAllocFn fn);

class CTextStore {
public:
    CTextStore() = default;
    CTextStore(const CTextStore&) = delete;
    CTextStore& operator=(const CTextStore&) = delete;

    // A fresh, empty, zeroed flat buffer of capacity + spare bytes; false
    // (nothing changed) when memory ran out.
    bool Reset(uint32_t capacity);
    // The text kept in a flat buffer of a larger capacity; false (nothing
    // changed) when memory ran out.
    bool Grow(uint32_t capacity);
    void Free();
    bool HasBuffers() const { return flat_ != nullptr; }

    int Length() const { return length_; }

    // Chunks of a text that was cut whole are this long (the last shorter).
    static const int kChunkSize = 1024;

    // Loading: a text buffer of capacity plus spare bytes, zero throughout
    // (allocated zeroed, not cleared byte by byte); null when memory ran
    // out. The loader fills it and hands it over with Adopt, or frees it
    // with FreeBytes.
    static uint8_t* AllocZeroed(uint32_t capacity);
    static void FreeBytes(uint8_t* bytes);
    // The first size bytes of such a buffer are about to be written.
    static void Prefault(uint8_t* bytes, size_t size);
    // The filled buffer becomes the text (length bytes, zero behind them),
    // with fresh zero attributes. crs and softs hold the CRs and soft
    // breaks of every kChunkSize piece of it, so that nothing is counted
    // again. False (nothing changed, the buffer still the caller's) when
    // memory ran out.
    bool Adopt(uint8_t* text, uint32_t capacity, int length, const std::vector<int>& crs,
               const std::vector<int>& softs);
    // Empties the text: zero again wherever bytes were written.
    void Clear();

    // The text and attributes from offset i on, contiguous as far as the
    // chunk holding i goes: their number (0 at or beyond the length).
    int Span(int i, const uint8_t** text, const uint8_t** attr) const;

    // The contiguous text and attributes, zero from the length on.
    uint8_t* FlatText();
    uint8_t* FlatAttr();
    // The text was written in the flat buffer directly (its length is now
    // length): chunks are cut and counted anew when next needed.
    void FlatWritten(int length);

    // Reading and writing single bytes without making the text contiguous.
    uint8_t At(int i) const;
    uint8_t AttrAt(int i) const;
    void SetAt(int i, uint8_t b);
    void SetAttrAt(int i, uint8_t a);
    // Copies [from, to) of the text and attributes (either may be null).
    void CopyOut(int from, int to, uint8_t* text, uint8_t* attr) const;
    // The attributes of [from, to) become attr[0 ...), or all value.
    void SetAttrs(int from, int to, const uint8_t* attr);
    void FillAttrs(int from, int to, uint8_t value);
    // Whether the flat buffer holds the whole text (no edit since it was
    // last made contiguous): FlatText costs nothing then.
    bool FlatCurrent() const { return flatCurrent_ || !flat_; }

    // [start, end) becomes the n bytes of text with their attributes.
    // The caller keeps the capacity (length stays below it). Throws
    // std::bad_alloc when a chunk cannot get its own buffer.
    void Replace(int start, int end, const uint8_t* text, const uint8_t* attr, int n);

    // CRs, and soft breaks when wrap is set, in [from, to).
    int CountBreaks(int from, int to, bool wrap) const;
    // Offset behind the n-th break (n >= 1) counted from offset 0, or -1
    // when there are fewer; *found gets the number of breaks seen.
    int AfterNthBreak(int n, bool wrap, int* found) const;

private:
    struct Flat {
        uint8_t* text = nullptr;
        uint8_t* attr = nullptr;
        size_t size = 0;
        ~Flat();
    };
    // A view into the flat buffer at off, or, when own is set, bytes of
    // its own from the arena: cap text bytes, then cap attributes.
    struct Chunk {
        int off = 0;
        int len = 0;
        int cr = 0;
        int soft = 0;
        uint8_t* own = nullptr;
        int cap = 0;
        // A view whose attributes nobody wrote since the flat buffer was
        // made zero: they are zero, and need not be read. Reading them
        // would touch pages of a large text that were never touched.
        bool zeroAttr = false;
    };
    bool ZeroAttr(const Chunk& c) const { return c.zeroAttr && !c.own && !attrExposed_; }
    // The chunks in [from, to) may have attributes written from now on.
    void AttrsWritten(int from, int to);
    uint8_t* T(const Chunk& c) const { return c.own ? c.own : flat_->text + c.off; }
    uint8_t* A(const Chunk& c) const { return c.own ? c.own + c.cap : flat_->attr + c.off; }

    // A zeroed buffer pair of capacity plus spare bytes; null when memory runs out.
    static std::unique_ptr<Flat> NewFlat(uint32_t capacity);
    void Cut() const;            // chunks from the flat buffer when stale
    void Index() const;          // the tree of sums when stale
    int Find(int i) const;       // chunk holding offset i (i < length)
    // Copy on write: bytes of its own, with room for room more of them
    // (len + room at most 2 * kChunkSize).
    void Own(Chunk& c, int room);
    void Drop(Chunk& c);         // its own bytes back to the arena
    void Compact();              // lays the chunks out in the flat buffer
    void Recount(Chunk& c) const;
    // Chunk k changed by bytes, cr CRs and soft soft breaks.
    void Shift(size_t k, int bytes, int cr, int soft);

    // Running sums over the chunks (a binary indexed tree, 1-based).
    struct Sums {
        int len = 0, cr = 0, soft = 0;
    };
    Sums Before(int k) const;    // totals of the chunks before chunk k
    int Start(int k) const { return Before(k).len; }

    CChunkArena arena_;
    std::unique_ptr<Flat> flat_;
    uint32_t capacity_ = 0;
    int length_ = 0;
    int used_ = 0;               // flat bytes behind which all is zero
    bool flatCurrent_ = true;    // the flat buffer holds the whole text
    bool attrExposed_ = false;   // FlatAttr handed the attributes out for writing
    mutable bool cutStale_ = false;
    mutable std::vector<Chunk> chunks_;
    mutable bool indexStale_ = true;
    mutable std::vector<Sums> tree_;
    mutable int last_ = 0;              // the chunk found last
    mutable int lastStart_ = 0;         // and its start
    mutable bool lastValid_ = false;
};
