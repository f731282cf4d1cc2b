// symbol: the one name table of a run: mnemonics, segments,
// labels, constants, text symbols and macros share one name space.
// 517 buckets, new records at the front of their chain; the walk over the
// buckets fixes the order of names in the object file. A larger side index
// speeds up look-ups without touching that order.
#pragma once

#include <cstdint>

namespace morrin {

enum {
    SYM_NEW = 0,
    SYM_CONSTANT = 1,
    SYM_MNEMONIC = 2,
    SYM_SEGMENT = 3,
    SYM_LABEL = 4,
    SYM_MACRO = 5,
    SYM_TEXT = 6,
};

enum {
    LABEL_DEFINED = 1,
    LABEL_IMPORT = 2,
    LABEL_EXPORT = 4,
    LABEL_REFERENCED = 8,
};

enum { SYMBOL_BUCKETS = 517, IDENT_MAX = 64 };

struct segment;

// One recorded line of a macro body.
struct macro_line {
    macro_line* next;
    char* text;          // normalised statement
    int32_t file;
    int32_t line;
};

struct symbol {
    symbol* next;        // chain within the bucket
    symbol* index_next;  // chain within the side index
    char* name;
    int32_t def_line;
    int32_t def_file;
    uint8_t kind;
    // value, by kind
    int32_t value;       // constant: value; mnemonic: row; label: offset (absolute: value)
    int32_t seg_number;  // label: segment number, -1 = absolute
    segment* seg;        // segment descriptor
    macro_line* body;    // macro: first body line
    macro_line* body_tail;
    char* text;          // text symbol: expression text
    uint32_t flags;      // labels
};

// The identifier last scanned (at most 64 characters).
extern char ident_buffer[IDENT_MAX + 1];

bool ident_start_char(int c);
bool ident_char(int c);
// Scans an identifier at text into ident_buffer; returns its length (0 =
// none) and the position after it. A run of name characters longer than
// IDENT_MAX is reported as "name too long" and gives none.
int scan_identifier(const char* text, const char** after);

uint32_t symbol_hash(const char* name);
symbol* find_symbol(const char* name, bool lookup_only);
// Scans an identifier and enters it; null when there is none.
symbol* scan_symbol(const char* text, const char** after);

// Buckets 0 to 516, each chain from its front; stops when fn returns non-zero.
typedef int (*symbol_fn)(symbol* s, void* context);
void for_each_symbol(symbol_fn fn, void* context);

// .import / .export / .use: a comma list of names.
void declare_names(const char* list, uint32_t flag);

// .autoimport given anywhere in the run.
extern bool autoimport_given;

// End-of-pass check: every label used is defined or imported.
void check_all_symbols(void);

// Use of a name in an expression: kind 0 becomes a referenced label, a label
// gets the referenced flag.
void reference_symbol(symbol* s);

void symbol_reset(void);

} // namespace morrin
