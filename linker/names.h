// names: the linker's one name table. Every name met in a link (files,
// members, labels, segments, storage classes, source files) has exactly one
// meaning, its state; the payload points to the record of that meaning.
#pragma once

#include <cstdint>
#include <string>

namespace tessel {

enum name_state : uint8_t {
    NAME_NEW = 0,       // entered, no meaning yet
    NAME_LIBRARY = 1,   // library file (payload: library_file)
    NAME_OBJECT = 2,    // object file or library member (object_module)
    NAME_PUBLIC = 4,    // import, export or definition (public_symbol)
    NAME_SEGMENT = 5,   // segment (link_segment)
    NAME_SCLASS = 6,    // storage class (sclass_entry)
    NAME_SOURCE = 7,    // source file (source_file)
};

struct name_entry {
    name_entry* next;   // next entry of the same bucket
    std::string name;
    uint8_t state;
    void* payload;
};

enum { NAME_BUCKETS = 517 };

// Bucket of a name: h = 2h ^ c over the characters up to the first one below
// 0x20 (bytes 0x80 and above count as negative and end it too).
unsigned name_hash(const char* name);

// Exact, case-sensitive search; unless lookup_only, a missing name is entered
// in state NAME_NEW at the front of its bucket.
name_entry* name_find(const char* name, bool lookup_only);

// Calls fn for every entry, bucket 0 to 516, each from its newest entry;
// stops as soon as fn returns non-zero.
void name_walk(int (*fn)(name_entry* entry, void* context), void* context);

int name_count(void);
void name_reset(void);

} // namespace tessel
