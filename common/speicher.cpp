#include "common/speicher.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static uint32_t requested_total;
static speicher_fatal_fn fatal_handler;

static void default_fatal(void)
{
    std::fputs("Error: out of memory\n", stderr);
    std::exit(2);
}

static void out_of_memory(void)
{
    if (fatal_handler)
        fatal_handler();
    default_fatal();
}

// A block of size bytes, zeroed when asked: calloc leaves a large block's
// fresh pages untouched (the system hands them out zeroed), where malloc and
// memset would fault in every page at once. That is most of a short run's
// time when a program sets up a large table it then barely uses.
static void* obtain(int32_t size, bool zeroed)
{
    requested_total += static_cast<uint32_t>(size);
    // A negative size can only come from an overflowed computation; treat it
    // as a request the heap cannot satisfy rather than a huge unsigned one.
    if (size < 0)
        out_of_memory();
    const size_t n = static_cast<size_t>(size);
    void* block = zeroed ? std::calloc(n, 1) : std::malloc(n);
    if (block == nullptr && size != 0)
        out_of_memory();
    if (block == nullptr) {
        // malloc(0) may legally return null; callers must still get a block
        // they can free.
        block = std::malloc(1);
        if (block == nullptr)
            out_of_memory();
    }
    return block;
}

void* speicher_alloc(int32_t size)
{
    return obtain(size, false);
}

void* speicher_calloc(int32_t size)
{
    return obtain(size, true);
}

void speicher_free(void* block)
{
    if (block == nullptr) {
        // Freeing nothing means a record was lost or freed twice: an internal
        // error, stopped the way a failed assertion stops.
        std::fputs("Assertion failed: block != NULL, file speicher, line 45\n", stderr);
        std::fflush(stderr);
        std::abort();
    }
    std::free(block);
}

int32_t speicher_total(void)
{
    return static_cast<int32_t>(requested_total);
}

void speicher_set_fatal(speicher_fatal_fn fn)
{
    fatal_handler = fn;
}
