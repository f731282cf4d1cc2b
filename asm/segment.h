// segment: segments with their content blocks, code emission and
// relocation records.
#pragma once

#include "asm/formel.h"

#include <cstdint>

namespace morrin {

struct symbol;

enum { SEG_NOTEXT = 1, SEG_FILL = 2, SEG_ROOT = 4 };
enum { SEG_BLOCK_SIZE = 256 };

enum reloc_kind {
    RELOC_BYTE = 0,
    RELOC_W_HL = 1,
    RELOC_W_LH = 2,
    RELOC_L_HL = 3,
    RELOC_L_LH = 4,
    RELOC_AJMP = 5,
    RELOC_ACALL = 6,
    RELOC_RBYTE = 7,
};

extern const char* const reloc_kind_names[8];
// Number of bytes a relocation of the kind covers.
int reloc_width(int kind);

struct seg_block {
    seg_block* next;
    uint8_t data[SEG_BLOCK_SIZE];
};

struct sgraph_edge {
    sgraph_edge* next;
    symbol* callee;
    char* owner;
    int32_t offset;      // -1 = none
};

struct segment {
    int32_t number;
    int32_t size;        // -1 = none
    int32_t org;         // -1 = movable
    int32_t used;
    char* sclass;        // null = none
    uint32_t flags;
    seg_block* first;
    seg_block* last;
    int32_t free_in_last;
    int32_t align;
    int32_t page;
    sgraph_edge* edges;
    symbol* sym;
};

struct relocation {
    relocation* next;
    int32_t seg_number;
    int32_t offset;
    int32_t file_index;  // 0-based
    int32_t line;
    int kind;
    int token_count;
    expr_token* tokens;
};

extern segment* current_segment;
extern relocation* reloc_first;
extern relocation* reloc_last;

// Makes a symbol of kind 0 a new segment with the next number.
segment* create_segment(symbol* s);
int32_t segment_count(void);
segment* segment_by_number(int32_t number);

// Byte at an offset of a text segment (sequential reads are fast).
uint8_t segment_byte_at(segment* seg, int32_t offset);

// One byte into the current segment; -1 is a reservation byte of .ds.
void emit_byte(int value);
void emit_opcode(int value);
// Reserves count bytes (.ds); count >= 0.
void reserve_bytes(int64_t count);

void add_relocation(int kind);
void emit_operand8(const char* text);
void emit_bit_operand(const char* text);
void emit_operand16(const char* text);
void emit_operand32(const char* text);
void emit_float(const char* text);
void emit_rel8(const char* text);
void emit_abs11(const char* text, bool is_call);
// size code: 1 .dc.b, 2 .dc.w, 3 .dc.l, 4 .dc.f
void emit_data_list(int size_code, const char* text);

// Bytes counted on the current source line.
extern int32_t line_byte_count;

void segment_reset(void);

} // namespace morrin
