// mnemonic: the 8051 instruction set as a table of operand patterns
// A statement is matched against its mnemonic's patterns in
// table order; the first match emits the opcode and the operand fields.
#pragma once

namespace morrin {

struct symbol;

enum { MNEMONIC_COUNT = 45, PATTERN_COUNT = 112, MAX_CAPTURES = 5 };

struct mnemonic_row {
    const char* name;
    int pattern_count;
    int first_pattern;
};

enum field_kind { F_NONE, F_OP8, F_BIT, F_OP16, F_REL, F_AJMP, F_ACALL };
enum reg_kind { R_NONE, R_RN, R_RI };

struct pattern_row {
    const char* text;
    int opcode;          // -1: no opcode byte (ajmp/acall)
    int reg;             // reg_kind added to the opcode
    int reg_capture;
    int field1, capture1;
    int field2, capture2;
};

extern const mnemonic_row mnemonic_table[MNEMONIC_COUNT];
extern const pattern_row pattern_table[PATTERN_COUNT];

// Captured operand texts of the last match.
extern char captures[MAX_CAPTURES][256];

void register_mnemonics(void);
bool match_pattern(const char* pattern, const char* text);
// Returns the matched pattern row, or -1 after "unknown mnemonic".
int assemble_mnemonic(symbol* s, const char* text);

} // namespace morrin
