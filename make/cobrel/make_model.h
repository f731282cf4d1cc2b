// make_model: the one single-target makefile the wizard edits: its
// settings, source files and comment lines, the defaults of a new
// makefile, the source types, and the checks made before saving.
#pragma once

#include "make/cobrel/wiz_messages.h"

#include <string>
#include <vector>

// Source types by extension. Below 100: primary sources, each one object
// and a candidate for the target. From 100: included files, dependencies
// of every object.
enum source_type {
    SOURCE_UNKNOWN = 0,
    SOURCE_C = 1,
    SOURCE_S51 = 2,
    SOURCE_GIF = 3,
    SOURCE_JPEG = 4,
    SOURCE_JPG = 5,
    SOURCE_HTML = 6,
    SOURCE_HTM = 7,
    SOURCE_H = 101,
    SOURCE_INC = 102,
    SOURCE_DEF = 103,
};

struct source_entry {
    std::string name;  // relative to the makefile's directory
    int type;
};

// What one makefile may hold; more is refused with a message that points
// to the multi-target tool.
const size_t max_sources = 50;
const size_t max_comment_lines = 1000;

// An empty string stands for "none" in every text field.
struct make_model {
    std::string makefile_path;   // full path; empty: no makefile
    int cpu_nsec;                // 1..9999
    std::string compiler_args;
    int optimise;                // 1 size, 2 speed
    int memory_model;            // 1 small, 2 large
    int debug_level;             // 0..2
    int listing;                 // assembler -g
    int expand_debug;            // assembler -d
    std::string assembler_args;
    int rom_start;               // 0..0xFFFF
    int ram_start;               // 0..0xFFFF
    int sio_type;                // 'K', 'D' or 'P'
    std::string linker_args;
    std::string libraries;
    int smart_printf;
    int gen_hex;
    int gen_omf;
    int strip;
    std::vector<std::string> comment_lines;
    std::string target_name;     // base name of the image, without ".bin"
    std::vector<source_entry> sources;
    // Something changed since the last read, new or save (kept by the form;
    // reset_model leaves it alone).
    bool dirty;

    make_model() : dirty(false) { clear(); }
    void clear();
};

// Frees everything and sets the defaults of a new makefile.
void reset_model(make_model& model);

// A blank: a byte from 0 to 32. Bytes 128 to 255 are letters of names.
bool is_blank(char c);
// The text without leading and trailing blanks.
std::string copy_trimmed(const std::string& text);

// The text behind the last '.' of a name's last path element; empty when
// it has none. has_extension tells a bare name from a trailing '.'.
bool has_extension(const std::string& name);
std::string extension_of(const std::string& name);
// The name before its last '.' (the whole name when it has none).
std::string base_name_of(const std::string& name);

// A file name as the make tool keeps it: without regard to case, '/' read
// as '\\'. Two names are one file when their keys are the same.
std::string make_file_key(const std::string& name);
bool same_make_file(const std::string& a, const std::string& b);

// The type for a name's extension (without regard to case), or SOURCE_UNKNOWN.
int source_type_of(const std::string& name);
bool is_primary_source(int type);

// Case-insensitive comparisons of ASCII letters; other bytes compare as they are.
bool equal_ignoring_case(const std::string& a, const std::string& b);
bool begins_ignoring_case(const std::string& text, const std::string& prefix);

// The items of the target choice: base names of the primary sources that
// have an extension, in model order.
std::vector<std::string> target_candidates(const make_model& model);

// True when the make tool reads the name back as the same file name: only
// its path characters (ASCII letters, digits, '_', '.', ':', '\\', '/'),
// beginning as a dependency may (a letter, digit or '_', or ".\\", "..\\").
bool is_make_file_name(const std::string& name);

// Refuses, before saving, what the makefile could not hold as it is: a
// source name the make tool cannot read, an option text holding '#', which
// starts a comment in a makefile, or '$', which refers to a macro (the
// reader refuses that); returns the error count.
int check_make_syntax(const make_model& model, wiz_messages& messages);

// Validates target and sources before saving; returns the error count.
int check_model(const make_model& model, wiz_messages& messages);

// The five comment lines of a new makefile for the given path.
std::vector<std::string> new_makefile_comments(const std::string& makefile_path);

// Adds a source chosen by its full path: does nothing without a makefile or
// with max_sources sources; refuses a name of no allowed type; stores the
// name relative to the makefile's directory (warning when no such file is
// there); refuses a name the make tool cannot read (is_make_file_name);
// refuses a name already in the list in any letter case. Sets
// dirty and returns true when added.
bool add_source(make_model& model, const std::string& chosen_path, wiz_messages& messages);
// Removes the source at an index (later ones move up); false when out of range.
bool remove_source(make_model& model, size_t index);

// Puts values outside their ranges back to the defaults the form shows:
// cpu_nsec 1000, debug_level 1, addresses 0.
void repair_ranges(make_model& model);
