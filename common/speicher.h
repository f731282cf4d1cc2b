// speicher: checked allocation for the command-line tools and target tools.
//
// No caller ever checks for a null result: when the heap is exhausted the
// out-of-memory handler runs (each program installs its own reporter) and the
// program ends. A running total of the bytes requested is kept for the
// statistics line; freeing never lowers it.
#pragma once

#include <cstdint>

// Handler called when a block cannot be supplied. It must not return; if it
// does, the default handler runs after it.
typedef void (*speicher_fatal_fn)(void);

void* speicher_alloc(int32_t size);
void* speicher_calloc(int32_t size);
void speicher_free(void* block);

// Total of all sizes requested so far (signed 32-bit, wraps like the counter
// it replaces rather than overflowing undefinedly).
int32_t speicher_total(void);

// Installs the out-of-memory handler; null restores the default, which prints
// "Error: out of memory" on standard error and exits with code 2.
void speicher_set_fatal(speicher_fatal_fn fn);
