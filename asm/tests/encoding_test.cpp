// Every instruction form against the standard 8051 opcode bytes.
#include "asm/tests/asm_fixture.h"

#include "asm/mnemonic.h"
#include "asm/segment.h"
#include "asm/symbol.h"

#include <set>

using namespace morrin;

namespace {

struct enc_case {
    const char* statement;
    const char* bytes;     // content bytes
    const char* relocs;    // "kind@offset" separated by blanks
};

// Fixed forms and one representative per operand pattern. Relative and
// absolute jumps always leave their fields to the linker.
const enc_case fixed_cases[] = {
    {"acall 123h", "00 00", "acall@0"},
    {"add a,#12h", "24 12", ""},
    {"add a,30h", "25 30", ""},
    {"addc a,#0ffh", "34 ff", ""},
    {"addc a,7fh", "35 7f", ""},
    {"ajmp 10h", "00 00", "ajmp@0"},
    {"anl a,#1", "54 01", ""},
    {"anl c,/20h.1", "b0 01", ""},
    {"anl a,40h", "55 40", ""},
    {"anl c,2fh.7", "82 7f", ""},
    {"anl 30h,a", "52 30", ""},
    {"anl 30h,#55h", "53 30 55", ""},
    {"cjne a,#1,5", "b4 01 00", "rbyte@2"},
    {"cjne a,30h,5", "b5 30 00", "rbyte@2"},
    {"clr a", "e4", ""},
    {"clr c", "c3", ""},
    {"clr 0e0h.7", "c2 e7", ""},
    {"cpl c", "b3", ""},
    {"cpl a", "f4", ""},
    {"cpl 20h.0", "b2 00", ""},
    {"da a", "d4", ""},
    {"dec a", "14", ""},
    {"dec 81h", "15 81", ""},
    {"div ab", "84", ""},
    {"djnz 30h,0", "d5 30 00", "rbyte@2"},
    {"illegal", "a5", ""},
    {"inc dptr", "a3", ""},
    {"inc a", "04", ""},
    {"inc 0f0h", "05 f0", ""},
    {"jb 20h.3,0", "20 03 00", "rbyte@2"},
    {"jbc 90h.0,0", "10 90 00", "rbyte@2"},
    {"jc 0", "40 00", "rbyte@1"},
    {"jmp @a+dptr", "73", ""},
    {"jnb 0a8h.7,0", "30 af 00", "rbyte@2"},
    {"jnc 0", "50 00", "rbyte@1"},
    {"jnz 0", "70 00", "rbyte@1"},
    {"jz 0", "60 00", "rbyte@1"},
    {"lcall 1234h", "12 12 34", ""},
    {"ljmp 0fedch", "02 fe dc", ""},
    {"mov dptr,#0abcdh", "90 ab cd", ""},
    {"mov a,#-1", "74 ff", ""},
    {"mov c,20h.5", "a2 05", ""},
    {"mov a,0e0h", "e5 e0", ""},
    {"mov 20h.6,c", "92 06", ""},
    {"mov 30h,a", "f5 30", ""},
    {"mov 30h,#10", "75 30 0a", ""},
    {"mov 30h,40h", "85 40 30", ""},
    {"movc a,@a+dptr", "93", ""},
    {"movc a,@a+pc", "83", ""},
    {"movx @dptr,a", "f0", ""},
    {"movx a,@dptr", "e0", ""},
    {"mul ab", "a4", ""},
    {"nop", "00", ""},
    {"orl c,/21h.0", "a0 08", ""},
    {"orl a,#80h", "44 80", ""},
    {"orl a,31h", "45 31", ""},
    {"orl c,22h.2", "72 12", ""},
    {"orl 30h,a", "42 30", ""},
    {"orl 30h,#1", "43 30 01", ""},
    {"pop 0d0h", "d0 d0", ""},
    {"push 0e0h", "c0 e0", ""},
    {"ret", "22", ""},
    {"reti", "32", ""},
    {"rl a", "23", ""},
    {"rlc a", "33", ""},
    {"rr a", "03", ""},
    {"rrc a", "13", ""},
    {"setb c", "d3", ""},
    {"setb 0b8h.4", "d2 bc", ""},
    {"sjmp 0", "80 00", "rbyte@1"},
    {"subb a,#3", "94 03", ""},
    {"subb a,33h", "95 33", ""},
    {"swap a", "c4", ""},
    {"xch a,34h", "c5 34", ""},
    {"xrl a,#0ch", "64 0c", ""},
    {"xrl a,35h", "65 35", ""},
    {"xrl 36h,a", "62 36", ""},
    {"xrl 37h,#0aah", "63 37 aa", ""},
    {"MOV A,R7", "ef", ""},
    {"MOVC A,@A+DPTR", "93", ""},
    {"mov a,rb", "e5 00", "byte@1"},  // 'rb' is an address, not a register
};

// Forms with a register: statement with {n} for the register number, the
// opcode of register 0, and the fields after it.
struct reg_case {
    const char* statement;
    int base;
    const char* rest;
    bool indirect;         // Ri (0..1) instead of Rn (0..7)
};

const reg_case reg_cases[] = {
    {"add a,@r{n}", 0x26, "", true},     {"add a,r{n}", 0x28, "", false},
    {"addc a,@r{n}", 0x36, "", true},    {"addc a,r{n}", 0x38, "", false},
    {"anl a,@r{n}", 0x56, "", true},     {"anl a,r{n}", 0x58, "", false},
    {"cjne @r{n},#7,0", 0xb6, " 07 00", true}, {"cjne r{n},#7,0", 0xb8, " 07 00", false},
    {"dec @r{n}", 0x16, "", true},       {"dec r{n}", 0x18, "", false},
    {"djnz r{n},0", 0xd8, " 00", false},
    {"inc @r{n}", 0x06, "", true},       {"inc r{n}", 0x08, "", false},
    {"mov a,@r{n}", 0xe6, "", true},     {"mov a,r{n}", 0xe8, "", false},
    {"mov @r{n},a", 0xf6, "", true},     {"mov @r{n},#99h", 0x76, " 99", true},
    {"mov @r{n},55h", 0xa6, " 55", true},
    {"mov r{n},#10", 0x78, " 0a", false}, {"mov r{n},a", 0xf8, "", false},
    {"mov r{n},44h", 0xa8, " 44", false},
    {"mov 45h,@r{n}", 0x86, " 45", true}, {"mov 46h,r{n}", 0x88, " 46", false},
    {"movx a,@r{n}", 0xe2, "", true},    {"movx @r{n},a", 0xf2, "", true},
    {"orl a,@r{n}", 0x46, "", true},     {"orl a,r{n}", 0x48, "", false},
    {"subb a,@r{n}", 0x96, "", true},    {"subb a,r{n}", 0x98, "", false},
    {"xch a,@r{n}", 0xc6, "", true},     {"xch a,r{n}", 0xc8, "", false},
    {"xchd a,@r{n}", 0xd6, "", true},
    {"xrl a,@r{n}", 0x66, "", true},     {"xrl a,r{n}", 0x68, "", false},
};

std::string relocs_of_run()
{
    std::string s;
    for (relocation* r = reloc_first; r; r = r->next) {
        if (!s.empty())
            s += ' ';
        s += reloc_kind_names[r->kind];
        s += '@' + std::to_string(r->offset);
    }
    return s;
}

class Encoding : public AsmTest {
protected:
    // Assembles one statement; returns the matched pattern row.
    int encode(const std::string& statement)
    {
        int row = -1;
        if (!current_segment) {
            symbol* s = find_symbol("code", false);
            current_segment = create_segment(s);
        }
        const char* after;
        symbol* m = scan_symbol(statement.c_str(), &after);
        if (m && m->kind == SYM_MNEMONIC)
            row = assemble_mnemonic(m, statement.c_str());
        return row;
    }
};

TEST_F(Encoding, EveryFormMatchesTheStandardOpcodes)
{
    std::set<int> rows;
    for (const enc_case& c : fixed_cases) {
        SetUp();
        rows.insert(encode(c.statement));
        EXPECT_EQ(hex_bytes(), c.bytes) << c.statement;
        EXPECT_EQ(relocs_of_run(), c.relocs) << c.statement;
        EXPECT_EQ(messages, "") << c.statement;
    }
    for (const reg_case& c : reg_cases) {
        for (int n = 0; n < (c.indirect ? 2 : 8); n++) {
            SetUp();
            std::string st = c.statement;
            st.replace(st.find("{n}"), 3, std::to_string(n));
            rows.insert(encode(st));
            char op[4];
            std::snprintf(op, sizeof op, "%02x", c.base + n);
            EXPECT_EQ(hex_bytes(), std::string(op) + c.rest) << st;
            EXPECT_EQ(messages, "") << st;
        }
    }
    // Every one of the 112 patterns was reached by some statement.
    rows.erase(-1);
    EXPECT_EQ(rows.size(), static_cast<size_t>(PATTERN_COUNT));
    for (int i = 0; i < PATTERN_COUNT; i++)
        EXPECT_TRUE(rows.count(i)) << "pattern " << i << " " << pattern_table[i].text;
}

TEST_F(Encoding, RegisterAndOperandErrors)
{
    struct err_case {
        const char* statement;
        const char* bytes;
        const char* message;
    } cases[] = {
        {"mov a,r8", "e8", "register number out of range (R0..R7)"},
        {"mov a,@r2", "e6", "register number out of range (R0,R1)"},
        {"mov a,r_x", "e8", "fixed register number needed (R0..R7)"},
        {"inc @r_y", "06", "fixed register number needed (R0,R1)"},
        {"mov a,#256", "74 00", "Warning: 8 bit constant out of range"},
        {"mov a,#-129", "74 00", "Warning: 8 bit constant out of range"},
        {"ljmp 10000h", "02 00 00", "Warning: 16 bit constant out of range"},
        {"ljmp -32768", "02 80 00", ""},
        {"jmp lab", "", "unknown mnemonic"},
        {"mov a,#1 2", "74 00", "expression syntax"},
        {"mov a,#1#", "74 00", "expression syntax"},
    };
    for (const err_case& c : cases) {
        SetUp();
        encode(c.statement);
        EXPECT_EQ(hex_bytes(), c.bytes) << c.statement;
        if (*c.message)
            EXPECT_NE(messages.find(c.message), std::string::npos) << c.statement << ": " << messages;
        else
            EXPECT_EQ(messages, "") << c.statement;
    }
}

TEST(PatternMatch, CapturesAndLetterRule)
{
    EXPECT_TRUE(match_pattern("mov r%0,a", "mov r7,a"));
    EXPECT_STREQ(captures[0], "7");
    EXPECT_FALSE(match_pattern("mov r%0,a", "mov rx,a"));
    EXPECT_TRUE(match_pattern("mov %0,a", "mov rx,a"));
    EXPECT_TRUE(match_pattern("mov %0,%1", "MOV 30h,40h"));
    EXPECT_STREQ(captures[0], "30h");
    EXPECT_STREQ(captures[1], "40h");
    EXPECT_TRUE(match_pattern("cjne a,#%0,%1", "cjne a,#1,lab"));
    EXPECT_STREQ(captures[0], "1");
    EXPECT_STREQ(captures[1], "lab");
    EXPECT_FALSE(match_pattern("mov %0,#%1", "mov 30h,40h"));
    EXPECT_FALSE(match_pattern("nop", "nop x"));
    EXPECT_FALSE(match_pattern("jmp @a+dptr", "jmp @a + dptr"));
}

TEST_F(AsmTest, MnemonicsOnlyInLowerOrUpperCase)
{
    EXPECT_EQ(assemble_in_code("  Mov a,#1"), 0);
    EXPECT_NE(messages.find("syntax error"), std::string::npos);
    messages.clear();
    SetUp();
    assemble_in_code("  call lab");
    EXPECT_NE(messages.find("syntax error"), std::string::npos);
}

} // namespace
