// The linker's listing as the debugger reads it: one record per line, an
// address index (517 buckets keyed by address and memory kind), the labels
// in file order, and the image flags IF_CODE, IF_LISTED and IF_LABEL that
// mark code lines in the loaded target image.
//
// Lines and names may be of any length. Overlaid data segments share
// addresses, so two lines may carry the same address and kind: the first
// stays in the index, the later ones are kept in file order only.
#pragma once

#include <cstdint>
#include <string>

enum MemKind {
    MK_NONE = -1,
    MK_CODE = 0,  // "co"
    MK_XDATA = 1, // "xr"
    MK_BIT = 2,   // "bi"
    MK_DATA = 3,  // "dr"
    MK_IDATA = 4, // "ir"
};

enum ListingLineKind {
    LK_NEW = 0,
    LK_LISTING = 1,
    LK_ECHO = 2, // a high-level source line echoed into the listing
};

struct ListingLine {
    ListingLine* hash_next;
    ListingLine* file_next;
    uint8_t kind;
    int32_t address;     // -1 for lines without a memory-kind field
    int32_t mem_kind;    // MemKind
    int32_t line_number; // position in the file from 0
    char* text;          // owned
};

struct ListingLabel {
    ListingLabel* next;
    char* name; // owned
    int32_t line_number;
};

enum { LISTING_BUCKETS = 517 };

struct ListingIndex {
    ListingLine* buckets[LISTING_BUCKETS];
    ListingLine* first;
    ListingLine* last;
    ListingLabel* labels;
    ListingLabel* last_label;
    int32_t line_count;
    int32_t echo_count;
    int32_t code_line_count;
    ListingLine** lines; // line_count entries in file order, after reading
};

extern ListingIndex listing;

// Reads the listing that belongs to the loaded target image into the
// global index; every failure is fatal.
void read_listing(const char* path);

// Reads a listing for an image given by its bytes into an empty index and
// the image's flag table (size bytes, zero on entry), touching nothing
// else: 0, or -1 with the message in *error (the index is then empty).
int listing_read(const char* path, const uint8_t* bytes, int32_t load_address, int32_t size,
                 uint8_t* flags, ListingIndex* index, std::string* error);
// Looks a line up by address and kind in an index; null when none.
ListingLine* listing_find(const ListingIndex* index, int32_t address, int32_t mem_kind);
// Frees an index's lines, labels and array and empties it.
void listing_release(ListingIndex* index);
int listing_hash(int32_t address, int32_t mem_kind);
// Finds the line with this address and kind; creates it unless find_only.
// Address -1 always makes a new line outside the index (none if find_only).
ListingLine* listing_node(int32_t address, int32_t mem_kind, int find_only);
void free_listing();
