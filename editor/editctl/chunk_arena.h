// Memory for the chunks of a text that edits gave bytes of their own.
//
// An edit at a new place copies one chunk; spread over a large text, each
// such copy would land on memory the process never touched, and the first
// touch of a page costs more than the copy. The arena carves the blocks out
// of large regions instead (on Linux, regions the kernel may back with huge
// pages, one fault for two megabytes) and hands freed blocks out again. A
// block holds a chunk's text and, behind it, as many attribute bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CChunkArena {
public:
    // Text capacities come in steps of kStep up to kLargest.
    static constexpr int kStep = 128;
    static constexpr int kLargest = 4096;

    CChunkArena() = default;
    CChunkArena(const CChunkArena&) = delete;
    CChunkArena& operator=(const CChunkArena&) = delete;
    ~CChunkArena() { Clear(); }

    // The capacity that holds bytes (1 .. kLargest).
    static int CapacityFor(int bytes);
    // A block of capacity text bytes and capacity attribute bytes, its
    // contents undefined; throws std::bad_alloc when memory ran out.
    uint8_t* Take(int capacity);
    // The block goes back; it must have come from Take with capacity.
    void Give(uint8_t* block, int capacity);
    // Every block back at once and the regions released: the caller holds
    // no block any more.
    void Clear();

private:
    struct Region {
        void* memory;
        size_t size;
        bool mapped;
    };
    static constexpr int kClasses = kLargest / kStep;

    std::vector<Region> regions_;
    uint8_t* next_ = nullptr; // unused bytes of the newest region
    uint8_t* end_ = nullptr;
    size_t taken_ = 0;        // bytes of all regions, for the next one's size
    void* free_[kClasses] = {};
};
