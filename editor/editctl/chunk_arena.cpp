#include "editor/editctl/chunk_arena.h"

#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// Regions start small, for the many small texts, and double up to the size
// of a huge page.
const size_t kFirstRegion = 64 * 1024;
const size_t kHuge = 2u << 20;

// A region of kHuge bytes on a kHuge boundary, which the kernel may back
// with one huge page; null when that cannot be had.
void* map_huge()
{
#ifdef __linux__
    size_t span = 2 * kHuge;
    void* p = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    uintptr_t aligned = (at + kHuge - 1) & ~(kHuge - 1);
    if (aligned > at)
        munmap(p, aligned - at);
    if (at + span > aligned + kHuge)
        munmap(reinterpret_cast<void*>(aligned + kHuge), at + span - (aligned + kHuge));
    madvise(reinterpret_cast<void*>(aligned), kHuge, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
#else
    return nullptr;
#endif
}

} // namespace

int CChunkArena::CapacityFor(int bytes)
{
    if (bytes < 1)
        bytes = 1;
    return (bytes + kStep - 1) / kStep * kStep;
}

uint8_t* CChunkArena::Take(int capacity)
{
    int cls = capacity / kStep - 1;
    if (void* head = free_[cls]) {
        void* after;
        std::memcpy(&after, head, sizeof after);
        free_[cls] = after;
        return static_cast<uint8_t*>(head);
    }
    size_t size = 2 * static_cast<size_t>(capacity);
    if (static_cast<size_t>(end_ - next_) < size) {
        // What is left of the region is too small for this block; it stays
        // unused until the regions are released.
        size_t want = taken_ < kFirstRegion ? kFirstRegion : taken_ < kHuge ? taken_ : kHuge;
        regions_.reserve(regions_.size() + 1);
        Region r{nullptr, want, false};
        if (want == kHuge && (r.memory = map_huge()) != nullptr)
            r.mapped = true;
        else if ((r.memory = std::malloc(want)) == nullptr)
            throw std::bad_alloc();
        regions_.push_back(r);
        taken_ += want;
        next_ = static_cast<uint8_t*>(r.memory);
        end_ = next_ + want;
    }
    uint8_t* block = next_;
    next_ += size;
    return block;
}

void CChunkArena::Give(uint8_t* block, int capacity)
{
    int cls = capacity / kStep - 1;
    std::memcpy(block, &free_[cls], sizeof(void*));
    free_[cls] = block;
}

void CChunkArena::Clear()
{
    for (const Region& r : regions_) {
#ifdef __linux__
        if (r.mapped) {
            munmap(r.memory, r.size);
            continue;
        }
#endif
        std::free(r.memory);
    }
    regions_.clear();
    next_ = end_ = nullptr;
    taken_ = 0;
    for (void*& f : free_)
        f = nullptr;
}
