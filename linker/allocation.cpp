// allocation: every allocation of the linker, the standard containers' included,
// goes through the allocation module, so that running out of memory ends the
// run with the linker's own message and the -x report counts every byte
// requested. Every form of the global operators is replaced together: a
// block from one form may be released by another (the standard library takes
// temporary buffers with the non-throwing form and gives them back with the
// plain one), so all of them must meet in the same allocator.
//
// The module lives in the linker's library, so the program and its tests take
// the same out-of-memory path.
#include "common/speicher.h"

#include <cstdint>
#include <new>

static void* allocate(std::size_t size)
{
    // A request beyond the module's 32-bit sizes is one the heap cannot meet.
    return speicher_alloc(size > INT32_MAX ? -1 : static_cast<int32_t>(size));
}

static void release(void* block) noexcept
{
    if (block)
        speicher_free(block);
}

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

// The module never returns a null block (its handler ends the run), so the
// non-throwing forms behave like the plain ones.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}

void operator delete(void* block) noexcept
{
    release(block);
}

void operator delete[](void* block) noexcept
{
    release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    release(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    release(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    release(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    release(block);
}
