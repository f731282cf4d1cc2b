// listing: the assembler listing and the debug line records.
// When a source line is finished, its listing rows are written (-s) and its
// debug record is kept for the object file (-g, -ga).
#pragma once

#include <cstdint>
#include <cstdio>

namespace morrin {

enum { LINE_SOURCE = 1, LINE_EXPANSION = 2, LINE_HLL = 3 };

struct debug_line {
    debug_line* next;
    int32_t seg_number;   // -1 = no bytes
    int32_t offset;
    int32_t count;
    bool hll;
    char* text;
};

extern debug_line* debug_first;
extern int32_t show_level;

// The listing file (null = none), written in binary with CR LF line ends.
void listing_open(FILE* file);
void listing_close(void);

// Marks a line as pending with its raw text and kind.
void listing_set_pending(const char* text, int kind);
// Finishes the pending line (listing rows and debug record) and takes the
// snapshot for the next one.
void finish_line(void);
// Takes the snapshot without finishing (start of a run).
void listing_snapshot(void);

// The listing text of a raw line: up to the line end, tabs expanded, cut to
// the listing width.
void listing_text(const char* raw, char* out, int out_size);

void listing_reset(void);

} // namespace morrin
