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

void* speicher_alloc(int32_t size)
{
    requested_total += static_cast<uint32_t>(size);
    // A negative size can only come from an overflowed computation; treat it
    // as a request the heap cannot satisfy rather than a huge unsigned one.
    if (size < 0)
        out_of_memory();
    void* block = std::malloc(static_cast<size_t>(size));
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

void* speicher_calloc(int32_t size)
{
    void* block = speicher_alloc(size);
    std::memset(block, 0, static_cast<size_t>(size));
    return block;
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
