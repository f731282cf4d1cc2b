#include "asm/segment.h"

#include "asm/messages.h"
#include "asm/symbol.h"
#include "common/speicher.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace morrin {

const char* const reloc_kind_names[8] = {"byte", "w_hl", "w_lh", "l_hl", "l_lh", "ajmp", "acall", "rbyte"};

int reloc_width(int kind)
{
    switch (kind) {
    case RELOC_BYTE: case RELOC_RBYTE: return 1;
    case RELOC_L_HL: case RELOC_L_LH: return 4;
    default: return 2;
    }
}

segment* current_segment;
relocation* reloc_first;
relocation* reloc_last;
int32_t line_byte_count;

static segment** seg_table;
static int32_t seg_count, seg_capacity;

// Cursor for segment_byte_at.
static segment* cursor_seg;
static seg_block* cursor_block;
static int32_t cursor_base;

// Largest content a text segment may hold; a .ds beyond it is an error,
// not an attempt to fill memory.
static const int64_t TEXT_SEGMENT_LIMIT = 0x1000000;

segment* create_segment(symbol* s)
{
    segment* seg = static_cast<segment*>(speicher_calloc(sizeof(segment)));
    seg->number = seg_count;
    seg->size = -1;
    seg->org = -1;
    seg->sym = s;
    s->kind = SYM_SEGMENT;
    s->seg = seg;
    if (seg_count == seg_capacity) {
        int32_t cap = seg_capacity ? seg_capacity * 2 : 16;
        segment** t = static_cast<segment**>(speicher_alloc(cap * static_cast<int32_t>(sizeof(segment*))));
        if (seg_count)
            std::memcpy(t, seg_table, seg_count * sizeof(segment*));
        if (seg_table)
            speicher_free(seg_table);
        seg_table = t;
        seg_capacity = cap;
    }
    seg_table[seg_count++] = seg;
    return seg;
}

int32_t segment_count(void) { return seg_count; }

segment* segment_by_number(int32_t number)
{
    return number >= 0 && number < seg_count ? seg_table[number] : nullptr;
}

uint8_t segment_byte_at(segment* seg, int32_t offset)
{
    if (cursor_seg != seg || !cursor_block || offset < cursor_base) {
        cursor_seg = seg;
        cursor_block = seg->first;
        cursor_base = 0;
    }
    while (cursor_block && offset >= cursor_base + SEG_BLOCK_SIZE) {
        cursor_block = cursor_block->next;
        cursor_base += SEG_BLOCK_SIZE;
    }
    if (!cursor_block)
        return 0;
    return cursor_block->data[offset - cursor_base];
}

static void store_byte(segment* seg, uint8_t b)
{
    if (!seg->last || seg->free_in_last == 0) {
        seg_block* blk = static_cast<seg_block*>(speicher_alloc(sizeof(seg_block)));
        blk->next = nullptr;
        if (seg->last)
            seg->last->next = blk;
        else
            seg->first = blk;
        seg->last = blk;
        seg->free_in_last = SEG_BLOCK_SIZE;
    }
    seg->last->data[SEG_BLOCK_SIZE - seg->free_in_last] = b;
    seg->free_in_last--;
}

void emit_byte(int value)
{
    segment* seg = current_segment;
    if (!seg) {
        asm_message(MSG_ERROR, "no segment set");
        return;
    }
    if (seg->flags & SEG_NOTEXT) {
        if (value != -1)
            asm_message(MSG_ERROR, "segment classified 'notext'");
        // A notext segment can be reserved up to the last offset; nothing
        // may be counted past it.
        if (seg->used == INT32_MAX) {
            asm_message(MSG_ERROR, "segment full");
            return;
        }
    } else {
        store_byte(seg, static_cast<uint8_t>(value & 0xFF));
    }
    seg->used++;
    line_byte_count++;
    if (seg->size >= 0 && seg->used > seg->size)
        asm_message(MSG_ERROR, "segment full");
}

void emit_opcode(int value) { emit_byte(value); }

void reserve_bytes(int64_t count)
{
    segment* seg = current_segment;
    if (!seg) {
        asm_message(MSG_ERROR, "no segment set");
        return;
    }
    if (count <= 0)
        return;
    int64_t limit = (seg->flags & SEG_NOTEXT) ? INT32_MAX : TEXT_SEGMENT_LIMIT;
    if (static_cast<int64_t>(seg->used) + count > limit) {
        asm_message(MSG_ERROR, "reservation too large");
        return;
    }
    if (seg->flags & SEG_NOTEXT) {
        seg->used += static_cast<int32_t>(count);
        line_byte_count += static_cast<int32_t>(count);
        if (seg->size >= 0 && seg->used > seg->size)
            asm_message(MSG_ERROR, "segment full");
        return;
    }
    for (int64_t i = 0; i < count; i++)
        emit_byte(-1);
}

void add_relocation(int kind)
{
    segment* seg = current_segment;
    if (!seg) {
        asm_message(MSG_ERROR, "no segment set");
        return;
    }
    if (seg->flags & SEG_NOTEXT) {
        asm_message(MSG_ERROR, "segment classified 'notext'");
        return;
    }
    relocation* r = static_cast<relocation*>(speicher_alloc(sizeof(relocation)));
    r->next = nullptr;
    r->seg_number = seg->number;
    r->offset = seg->used;
    r->file_index = asm_position_file() - 1;
    r->line = asm_position_line();
    r->kind = kind;
    r->token_count = expr_token_count;
    r->tokens = static_cast<expr_token*>(speicher_alloc(expr_token_count * static_cast<int32_t>(sizeof(expr_token))));
    std::memcpy(r->tokens, expr_tokens, expr_token_count * sizeof(expr_token));
    if (reloc_last)
        reloc_last->next = r;
    else
        reloc_first = r;
    reloc_last = r;
}

// Evaluates an operand text; text left after the expression is an error.
static int evaluate_field(const char* text, int32_t* value)
{
    const char* p = text;
    int r = evaluate_expression(&p, value);
    if (r >= 0 && *p != '\0') {
        asm_message(MSG_ERROR, "expression syntax");
        *value = 0;
        return -1;
    }
    return r;
}

void emit_operand8(const char* text)
{
    int32_t v;
    int r = evaluate_field(text, &v);
    if (r == 0) {
        add_relocation(RELOC_BYTE);
        emit_byte(0);
    } else if (r == 1) {
        if (v < -128 || v > 255) {
            asm_message(MSG_WARNING, "8 bit constant out of range");
            emit_byte(0);
        } else {
            emit_byte(v & 0xFF);
        }
    } else {
        emit_byte(0);
    }
}

void emit_bit_operand(const char* text) { emit_operand8(text); }

void emit_operand16(const char* text)
{
    int32_t v;
    int r = evaluate_field(text, &v);
    if (r == 0) {
        add_relocation(RELOC_W_HL);
        v = 0;
    } else if (r == 1 && (v < -32768 || v > 65535)) {
        asm_message(MSG_WARNING, "16 bit constant out of range");
        v = 0;
    }
    emit_byte((v >> 8) & 0xFF);
    emit_byte(v & 0xFF);
}

void emit_operand32(const char* text)
{
    int32_t v;
    int r = evaluate_field(text, &v);
    if (r == 0) {
        add_relocation(RELOC_L_HL);
        v = 0;
    }
    uint32_t u = static_cast<uint32_t>(v);
    emit_byte((u >> 24) & 0xFF);
    emit_byte((u >> 16) & 0xFF);
    emit_byte((u >> 8) & 0xFF);
    emit_byte(u & 0xFF);
}

void emit_float(const char* text)
{
    const char* p = text;
    // A decimal floating-point number: sign, digits, point, exponent.
    const char* q = p;
    if (*q == '+' || *q == '-')
        q++;
    bool ok = (*q >= '0' && *q <= '9') || (*q == '.' && q[1] >= '0' && q[1] <= '9');
    double d = 0.0;
    char* end = nullptr;
    if (ok) {
        d = std::strtod(p, &end);
        // strtod also knows hexadecimal and "inf"/"nan"; only decimal counts.
        for (const char* c = p; c < end; c++)
            if (*c == 'x' || *c == 'X' || (*c >= 'a' && *c <= 'd') || (*c >= 'f' && *c <= 'z') ||
                (*c >= 'A' && *c <= 'D') || (*c >= 'F' && *c <= 'Z'))
                ok = false;
    }
    if (!ok || end == p || *end != '\0') {
        asm_message(MSG_ERROR, "expression syntax");
        d = 0.0;
    }
    float f = static_cast<float>(d);
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    emit_byte((u >> 24) & 0xFF);
    emit_byte((u >> 16) & 0xFF);
    emit_byte((u >> 8) & 0xFF);
    emit_byte(u & 0xFF);
}

void emit_rel8(const char* text)
{
    int32_t v;
    int r = evaluate_field(text, &v);
    if (r >= 0)
        add_relocation(RELOC_RBYTE);
    emit_byte(0);
}

void emit_abs11(const char* text, bool is_call)
{
    int32_t v;
    int r = evaluate_field(text, &v);
    if (r >= 0)
        add_relocation(is_call ? RELOC_ACALL : RELOC_AJMP);
    emit_byte(0);
    emit_byte(0);
}

void emit_data_list(int size_code, const char* text)
{
    std::string item;
    const char* p = text;
    for (;;) {
        if (size_code == 1 && *p == '"') {
            p++;
            while (*p && *p != '"')
                emit_byte(static_cast<unsigned char>(*p++));
            if (*p == '"')
                p++;
            if (*p == '\0')
                return;
            if (*p != ',') {
                asm_message(MSG_ERROR, "string expression syntax");
                return;
            }
            p++;
            continue;
        }
        const char* comma = std::strchr(p, ',');
        if (comma)
            item.assign(p, comma);
        else
            item.assign(p);
        switch (size_code) {
        case 1: emit_operand8(item.c_str()); break;
        case 2: emit_operand16(item.c_str()); break;
        case 3: emit_operand32(item.c_str()); break;
        default: emit_float(item.c_str()); break;
        }
        if (!comma)
            return;
        p = comma + 1;
    }
}

void segment_reset(void)
{
    for (int32_t i = 0; i < seg_count; i++) {
        segment* seg = seg_table[i];
        seg_block* b = seg->first;
        while (b) {
            seg_block* n = b->next;
            speicher_free(b);
            b = n;
        }
        sgraph_edge* e = seg->edges;
        while (e) {
            sgraph_edge* n = e->next;
            speicher_free(e->owner);
            speicher_free(e);
            e = n;
        }
        if (seg->sclass)
            speicher_free(seg->sclass);
        speicher_free(seg);
    }
    seg_count = 0;
    current_segment = nullptr;
    relocation* r = reloc_first;
    while (r) {
        relocation* n = r->next;
        speicher_free(r->tokens);
        speicher_free(r);
        r = n;
    }
    reloc_first = reloc_last = nullptr;
    line_byte_count = 0;
    cursor_seg = nullptr;
    cursor_block = nullptr;
    cursor_base = 0;
}

} // namespace morrin
