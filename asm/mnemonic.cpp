#include "asm/mnemonic.h"

#include "asm/messages.h"
#include "asm/segment.h"
#include "asm/symbol.h"
#include "common/text.h"

#include <cstring>

namespace morrin {

const mnemonic_row mnemonic_table[MNEMONIC_COUNT] = {
    {"acall", 1, 0},   {"add", 4, 1},    {"addc", 4, 5},    {"ajmp", 1, 9},
    {"anl", 8, 10},    {"cjne", 4, 18},  {"clr", 3, 22},    {"cpl", 3, 25},
    {"da", 1, 28},     {"dec", 4, 29},   {"div", 1, 33},    {"djnz", 2, 34},
    {"illegal", 1, 36}, {"inc", 5, 37},  {"jb", 1, 42},     {"jbc", 1, 43},
    {"jc", 1, 44},     {"jmp", 1, 45},   {"jnb", 1, 46},    {"jnc", 1, 47},
    {"jnz", 1, 48},    {"jz", 1, 49},    {"lcall", 1, 50},  {"ljmp", 1, 51},
    {"mov", 18, 52},   {"movc", 2, 70},  {"movx", 4, 72},   {"mul", 1, 76},
    {"nop", 1, 77},    {"orl", 8, 78},   {"pop", 1, 86},    {"push", 1, 87},
    {"ret", 1, 88},    {"reti", 1, 89},  {"rl", 1, 90},     {"rlc", 1, 91},
    {"rr", 1, 92},     {"rrc", 1, 93},   {"setb", 2, 94},   {"sjmp", 1, 96},
    {"subb", 4, 97},   {"swap", 1, 101}, {"xch", 3, 102},   {"xchd", 1, 105},
    {"xrl", 6, 106},
};

#define P0(t, op) {t, op, R_NONE, 0, F_NONE, 0, F_NONE, 0}
#define PR(t, op, r, rc) {t, op, r, rc, F_NONE, 0, F_NONE, 0}
#define PF(t, op, f1, c1) {t, op, R_NONE, 0, f1, c1, F_NONE, 0}
#define PFF(t, op, f1, c1, f2, c2) {t, op, R_NONE, 0, f1, c1, f2, c2}
#define PRF(t, op, r, rc, f1, c1) {t, op, r, rc, f1, c1, F_NONE, 0}
#define PRFF(t, op, r, rc, f1, c1, f2, c2) {t, op, r, rc, f1, c1, f2, c2}

const pattern_row pattern_table[PATTERN_COUNT] = {
    /* 0 */ PF("acall %0", -1, F_ACALL, 0),
    /* 1 */ PR("add a,@r%0", 0x26, R_RI, 0),
    /* 2 */ PR("add a,r%0", 0x28, R_RN, 0),
    /* 3 */ PF("add a,#%0", 0x24, F_OP8, 0),
    /* 4 */ PF("add a,%0", 0x25, F_OP8, 0),
    /* 5 */ PR("addc a,@r%0", 0x36, R_RI, 0),
    /* 6 */ PF("addc a,#%0", 0x34, F_OP8, 0),
    /* 7 */ PR("addc a,r%0", 0x38, R_RN, 0),
    /* 8 */ PF("addc a,%0", 0x35, F_OP8, 0),
    /* 9 */ PF("ajmp %0", -1, F_AJMP, 0),
    /* 10 */ PR("anl a,@r%0", 0x56, R_RI, 0),
    /* 11 */ PF("anl a,#%0", 0x54, F_OP8, 0),
    /* 12 */ PR("anl a,r%0", 0x58, R_RN, 0),
    /* 13 */ PF("anl c,/%0", 0xB0, F_BIT, 0),
    /* 14 */ PF("anl a,%0", 0x55, F_OP8, 0),
    /* 15 */ PF("anl c,%0", 0x82, F_BIT, 0),
    /* 16 */ PF("anl %0,a", 0x52, F_OP8, 0),
    /* 17 */ PFF("anl %0,#%1", 0x53, F_OP8, 0, F_OP8, 1),
    /* 18 */ PFF("cjne a,#%0,%1", 0xB4, F_OP8, 0, F_REL, 1),
    /* 19 */ PRFF("cjne @r%0,#%1,%2", 0xB6, R_RI, 0, F_OP8, 1, F_REL, 2),
    /* 20 */ PFF("cjne a,%0,%1", 0xB5, F_OP8, 0, F_REL, 1),
    /* 21 */ PRFF("cjne r%0,#%1,%2", 0xB8, R_RN, 0, F_OP8, 1, F_REL, 2),
    /* 22 */ P0("clr a", 0xE4),
    /* 23 */ P0("clr c", 0xC3),
    /* 24 */ PF("clr %0", 0xC2, F_BIT, 0),
    /* 25 */ P0("cpl c", 0xB3),
    /* 26 */ P0("cpl a", 0xF4),
    /* 27 */ PF("cpl %0", 0xB2, F_BIT, 0),
    /* 28 */ P0("da a", 0xD4),
    /* 29 */ PR("dec @r%0", 0x16, R_RI, 0),
    /* 30 */ PR("dec r%0", 0x18, R_RN, 0),
    /* 31 */ P0("dec a", 0x14),
    /* 32 */ PF("dec %0", 0x15, F_OP8, 0),
    /* 33 */ P0("div ab", 0x84),
    /* 34 */ PRF("djnz r%0,%1", 0xD8, R_RN, 0, F_REL, 1),
    /* 35 */ PFF("djnz %0,%1", 0xD5, F_OP8, 0, F_REL, 1),
    /* 36 */ P0("illegal", 0xA5),
    /* 37 */ P0("inc dptr", 0xA3),
    /* 38 */ PR("inc @r%0", 0x06, R_RI, 0),
    /* 39 */ PR("inc r%0", 0x08, R_RN, 0),
    /* 40 */ P0("inc a", 0x04),
    /* 41 */ PF("inc %0", 0x05, F_OP8, 0),
    /* 42 */ PFF("jb %0,%1", 0x20, F_BIT, 0, F_REL, 1),
    /* 43 */ PFF("jbc %0,%1", 0x10, F_BIT, 0, F_REL, 1),
    /* 44 */ PF("jc %0", 0x40, F_REL, 0),
    /* 45 */ P0("jmp @a+dptr", 0x73),
    /* 46 */ PFF("jnb %0,%1", 0x30, F_BIT, 0, F_REL, 1),
    /* 47 */ PF("jnc %0", 0x50, F_REL, 0),
    /* 48 */ PF("jnz %0", 0x70, F_REL, 0),
    /* 49 */ PF("jz %0", 0x60, F_REL, 0),
    /* 50 */ PF("lcall %0", 0x12, F_OP16, 0),
    /* 51 */ PF("ljmp %0", 0x02, F_OP16, 0),
    /* 52 */ PF("mov dptr,#%0", 0x90, F_OP16, 0),
    /* 53 */ PR("mov a,@r%0", 0xE6, R_RI, 0),
    /* 54 */ PR("mov a,r%0", 0xE8, R_RN, 0),
    /* 55 */ PF("mov a,#%0", 0x74, F_OP8, 0),
    /* 56 */ PR("mov @r%0,a", 0xF6, R_RI, 0),
    /* 57 */ PRF("mov @r%0,#%1", 0x76, R_RI, 0, F_OP8, 1),
    /* 58 */ PRF("mov @r%0,%1", 0xA6, R_RI, 0, F_OP8, 1),
    /* 59 */ PF("mov c,%0", 0xA2, F_BIT, 0),
    /* 60 */ PF("mov a,%0", 0xE5, F_OP8, 0),
    /* 61 */ PRF("mov r%0,#%1", 0x78, R_RN, 0, F_OP8, 1),
    /* 62 */ PR("mov r%0,a", 0xF8, R_RN, 0),
    /* 63 */ PRF("mov r%0,%1", 0xA8, R_RN, 0, F_OP8, 1),
    /* 64 */ PRF("mov %0,@r%1", 0x86, R_RI, 1, F_OP8, 0),
    /* 65 */ PF("mov %0,c", 0x92, F_BIT, 0),
    /* 66 */ PF("mov %0,a", 0xF5, F_OP8, 0),
    /* 67 */ PRF("mov %0,r%1", 0x88, R_RN, 1, F_OP8, 0),
    /* 68 */ PFF("mov %0,#%1", 0x75, F_OP8, 0, F_OP8, 1),
    /* 69 */ PFF("mov %0,%1", 0x85, F_OP8, 1, F_OP8, 0),
    /* 70 */ P0("movc a,@a+dptr", 0x93),
    /* 71 */ P0("movc a,@a+pc", 0x83),
    /* 72 */ P0("movx @dptr,a", 0xF0),
    /* 73 */ P0("movx a,@dptr", 0xE0),
    /* 74 */ PR("movx a,@r%0", 0xE2, R_RI, 0),
    /* 75 */ PR("movx @r%0,a", 0xF2, R_RI, 0),
    /* 76 */ P0("mul ab", 0xA4),
    /* 77 */ P0("nop", 0x00),
    /* 78 */ PR("orl a,@r%0", 0x46, R_RI, 0),
    /* 79 */ PF("orl c,/%0", 0xA0, F_BIT, 0),
    /* 80 */ PF("orl a,#%0", 0x44, F_OP8, 0),
    /* 81 */ PR("orl a,r%0", 0x48, R_RN, 0),
    /* 82 */ PF("orl a,%0", 0x45, F_OP8, 0),
    /* 83 */ PF("orl c,%0", 0x72, F_BIT, 0),
    /* 84 */ PF("orl %0,a", 0x42, F_OP8, 0),
    /* 85 */ PFF("orl %0,#%1", 0x43, F_OP8, 0, F_OP8, 1),
    /* 86 */ PF("pop %0", 0xD0, F_OP8, 0),
    /* 87 */ PF("push %0", 0xC0, F_OP8, 0),
    /* 88 */ P0("ret", 0x22),
    /* 89 */ P0("reti", 0x32),
    /* 90 */ P0("rl a", 0x23),
    /* 91 */ P0("rlc a", 0x33),
    /* 92 */ P0("rr a", 0x03),
    /* 93 */ P0("rrc a", 0x13),
    /* 94 */ P0("setb c", 0xD3),
    /* 95 */ PF("setb %0", 0xD2, F_BIT, 0),
    /* 96 */ PF("sjmp %0", 0x80, F_REL, 0),
    /* 97 */ PR("subb a,@r%0", 0x96, R_RI, 0),
    /* 98 */ PF("subb a,#%0", 0x94, F_OP8, 0),
    /* 99 */ PR("subb a,r%0", 0x98, R_RN, 0),
    /* 100 */ PF("subb a,%0", 0x95, F_OP8, 0),
    /* 101 */ P0("swap a", 0xC4),
    /* 102 */ PR("xch a,@r%0", 0xC6, R_RI, 0),
    /* 103 */ PR("xch a,r%0", 0xC8, R_RN, 0),
    /* 104 */ PF("xch a,%0", 0xC5, F_OP8, 0),
    /* 105 */ PR("xchd a,@r%0", 0xD6, R_RI, 0),
    /* 106 */ PR("xrl a,@r%0", 0x66, R_RI, 0),
    /* 107 */ PR("xrl a,r%0", 0x68, R_RN, 0),
    /* 108 */ PF("xrl a,#%0", 0x64, F_OP8, 0),
    /* 109 */ PF("xrl a,%0", 0x65, F_OP8, 0),
    /* 110 */ PF("xrl %0,a", 0x62, F_OP8, 0),
    /* 111 */ PFF("xrl %0,#%1", 0x63, F_OP8, 0, F_OP8, 1),
};

char captures[MAX_CAPTURES][256];

static bool is_letter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void register_mnemonics(void)
{
    for (int i = 0; i < MNEMONIC_COUNT; i++) {
        char upper[16];
        const char* n = mnemonic_table[i].name;
        size_t len = std::strlen(n);
        for (size_t k = 0; k <= len; k++)
            upper[k] = (n[k] >= 'a' && n[k] <= 'z') ? static_cast<char>(n[k] - 'a' + 'A') : n[k];
        const char* names[2] = {n, upper};
        for (const char* name : names) {
            symbol* s = find_symbol(name, false);
            if (s->kind != SYM_NEW) {
                asm_message(MSG_FATAL, "internal error: mnemonic '%s' registered twice", name);
            }
            s->kind = SYM_MNEMONIC;
            s->value = i;
            s->def_file = 0;
            s->def_line = 0;
        }
    }
}

bool match_pattern(const char* pattern, const char* text)
{
    const char* p = pattern;
    const char* t = text;
    while (*p) {
        if (p[0] == '%' && p[1] >= '0' && p[1] <= '4') {
            int n = p[1] - '0';
            if (*t == '\0')
                return false;
            if (p > pattern && is_letter(static_cast<unsigned char>(p[-1])) && is_letter(static_cast<unsigned char>(*t)))
                return false;
            const char* end;
            char stop = p[2];
            if (stop == '\0') {
                end = t + std::strlen(t);
            } else {
                end = t + 1;
                while (*end && text_lower_char(*end) != stop)
                    end++;
                if (*end == '\0')
                    return false;
            }
            size_t len = static_cast<size_t>(end - t);
            if (len >= sizeof captures[n])
                len = sizeof captures[n] - 1;
            std::memcpy(captures[n], t, len);
            captures[n][len] = '\0';
            t = end;
            p += 2;
            continue;
        }
        if (text_lower_char(*t) != *p)
            return false;
        p++;
        t++;
    }
    return *t == '\0';
}

// Register number of an operand text: Rn (0..7) or Ri (0..1).
static int register_number(const char* text, bool indirect)
{
    const char* p = text;
    int32_t v;
    int r = evaluate_expression(&p, &v);
    if (r < 0)
        return 0;
    if (*p != '\0') {
        asm_message(MSG_ERROR, "expression syntax");
        return 0;
    }
    if (r == 0) {
        asm_message(MSG_ERROR, indirect ? "fixed register number needed (R0,R1)"
                                        : "fixed register number needed (R0..R7)");
        return 0;
    }
    if (v < 0 || v > (indirect ? 1 : 7)) {
        asm_message(MSG_ERROR, indirect ? "register number out of range (R0,R1)"
                                        : "register number out of range (R0..R7)");
        return 0;
    }
    return v;
}

static void emit_field(int kind, const char* text)
{
    switch (kind) {
    case F_OP8: emit_operand8(text); break;
    case F_BIT: emit_bit_operand(text); break;
    case F_OP16: emit_operand16(text); break;
    case F_REL: emit_rel8(text); break;
    case F_AJMP: emit_abs11(text, false); break;
    case F_ACALL: emit_abs11(text, true); break;
    default: break;
    }
}

int assemble_mnemonic(symbol* s, const char* text)
{
    const mnemonic_row& row = mnemonic_table[s->value];
    for (int i = 0; i < MAX_CAPTURES; i++)
        captures[i][0] = '\0';
    for (int k = 0; k < row.pattern_count; k++) {
        int index = row.first_pattern + k;
        const pattern_row& pr = pattern_table[index];
        if (!match_pattern(pr.text, text))
            continue;
        if (pr.opcode >= 0) {
            int op = pr.opcode;
            if (pr.reg != R_NONE)
                op += register_number(captures[pr.reg_capture], pr.reg == R_RI);
            emit_opcode(op);
        }
        if (pr.field1 != F_NONE)
            emit_field(pr.field1, captures[pr.capture1]);
        if (pr.field2 != F_NONE)
            emit_field(pr.field2, captures[pr.capture2]);
        return index;
    }
    asm_message(MSG_ERROR, "unknown mnemonic");
    return -1;
}

} // namespace morrin
