// model: the records of a link and the global tables that hold them.
#pragma once

#include "linker/names.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tessel {

struct object_module;
struct link_segment;

// A storage class: one row of the table below.
struct sclass_entry {
    const char* name;
    const char* short_name;
    int index;
    int32_t start;      // -1 until placement starts the row
    int32_t cursor;
};

enum { SCLASS_TEXT, SCLASS_XRAM, SCLASS_BIT, SCLASS_DRAM, SCLASS_IRAM, SCLASS_COUNT };
extern sclass_entry sclass_table[SCLASS_COUNT + 1];   // ended by an empty row

struct library_file {
    name_entry* entry;
    std::vector<object_module*> members;   // members made by this library, pass 1 order
};

struct source_file {
    name_entry* entry;
    int count;          // objects that name the file
};

struct subsegment {
    object_module* object;
    link_segment* segment;
    int number;         // its segment number within the object
    int global;         // global subsegment number
    int32_t used;
    std::vector<uint8_t> content;   // text segments only
    int32_t references; // in use when not 0
    int32_t address;
    int32_t load;
};

enum segment_kind { KIND_UNKNOWN, KIND_TEXT, KIND_NOTEXT };

struct link_segment {
    name_entry* entry;
    int sclass;         // index into sclass_table, -1 none (text)
    int32_t org;        // -1 movable
    int32_t size;       // declared size, -1 none
    int32_t used;
    int kind;
    bool fill;
    int32_t align;
    int32_t page;
    bool root;          // explicit root of a call graph
    bool in_use;
    int32_t load;       // -1 none
    int32_t offset;     // running offset while subsegments get addresses
    int32_t dropped;    // dropped subsegments of a fill segment
    link_segment* parent;
    int32_t level;
    int32_t base;
    int32_t graph;      // 0 none, -1 callee not reached, 1.. root number
    std::vector<subsegment*> subs;
};

struct sgraph_edge {
    link_segment* caller;
    link_segment* callee;
    link_segment* owner;
    int32_t offset;     // -1 none
    bool inactive;
};

struct public_symbol {
    object_module* owner;   // exporting object; none for imports and definitions
    object_module* definer; // the first library member whose index defines it
    name_entry* entry;
    int segment;
    int32_t offset;
    int32_t value;
    bool defined;
    bool absolute;
};

struct object_module {
    name_entry* entry;
    library_file* library;  // none for a command-line object
    int in_use;             // 0 no, 1 command line, 2 library member chosen
    bool read_full;
    int first_sub;
    std::vector<subsegment*> subs;
    std::vector<source_file*> sources;   // its "src:" records in order
    std::vector<std::string> refs;       // text after "ref "
    std::vector<std::string> debug;      // lines after "objectdebug"
    std::vector<public_symbol*> imports; // one per "import:" line
};

// Settings of the command line.
struct link_options {
    bool error_file;
    bool binary;
    std::string output;
    int32_t text_offset;
    uint32_t xram_offset;
    bool listing;
    bool map;
    int definitions;    // 3 -d, 2 -dl, 1 -dd
    bool no_strip;
    int crc;            // 1 -c, 2 -c2
    bool memory_report;
};
extern link_options options;

extern std::vector<object_module*> objects;        // command line first, then members
extern std::vector<library_file*> libraries;
extern std::vector<link_segment*> segments;        // in order of first appearance
extern std::vector<subsegment*> subsegments;       // global numbering
extern std::vector<public_symbol*> publics;
extern std::vector<source_file*> source_files;
extern std::deque<sgraph_edge*> edges;             // newest first

// Call graph results.
extern int32_t graph_roots;
extern int32_t graph_max_level;

// Placement results.
extern std::vector<link_segment*> placed;          // sorted, then placement order
extern int32_t total_used;
extern int32_t binary_size;
extern int crc_mode;                               // 0 none, 1 or 2

// Addresses and sizes are kept in 32 bits; sums of them are formed in 64
// bits and stored through this, which holds a result beyond the range at
// its nearest end, far above (or below) every memory limit, so that the
// limit check reports it instead of a wrapped value slipping through.
int32_t clamp_int32(int64_t value);

const char* sclass_name(const link_segment* seg);
int sclass_index(const link_segment* seg);         // none counts as text
subsegment* subsegment_of(const object_module* obj, uint32_t number);  // none if out of range

// Forgets everything of a previous link (the program runs one link; tests
// run many).
void link_reset(void);

} // namespace tessel
