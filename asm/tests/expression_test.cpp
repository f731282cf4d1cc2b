// Expressions: precedence, radixes, character constants, bit addresses,
// relocatable results and errors.
#include "asm/tests/asm_fixture.h"

#include "asm/formel.h"
#include "asm/segment.h"
#include "asm/symbol.h"

using namespace morrin;

namespace {

struct expr_case {
    const char* text;
    int result;            // 1 constant, 0 relocatable, -1 error
    int32_t value;
    const char* message;   // expected error text, "" for none
    const char* rest;      // text left after the expression
};

const expr_case cases[] = {
    // precedence and associativity
    {"2+3*4", 1, 14, "", ""},
    {"1<<4|1", 1, 17, "", ""},
    {"10-4-3", 1, 3, "", ""},
    {"(2+3)*4", 1, 20, "", ""},
    {"-2*3", 1, -6, "", ""},
    {"100/7%3", 1, 2, "", ""},
    {"1||0&&0", 1, 1, "", ""},
    {"3&5^1", 1, 0, "", ""},         // & binds tighter than ^: 3 & 5 = 1, 1 ^ 1 = 0
    {"1|2^3", 1, 1, "", ""},         // ^ before |: 2 ^ 3 = 1, 1 | 1 = 1
    {"1+2==3", 1, 1, "", ""},
    {"5>3==1", 1, 1, "", ""},
    {"2<=2", 1, 1, "", ""},
    {"2>=3", 1, 0, "", ""},
    {"2!=3", 1, 1, "", ""},
    {"!0", 1, 1, "", ""},
    {"!7", 1, 0, "", ""},
    {"~0", 1, -1, "", ""},
    {"- -5", 1, 5, "", ""},
    {" 1 + 2 ", 1, 3, "", ""},
    // radixes
    {"$2F", 1, 0x2f, "", ""},
    {"0x1f", 1, 31, "", ""},
    {"0XfF", 1, 255, "", ""},
    {"%1010", 1, 10, "", ""},
    {"0FFh", 1, 255, "", ""},
    {"0ffH", 1, 255, "", ""},
    {"101b", 1, 5, "", ""},
    {"17q", 1, 15, "", ""},
    {"17o", 1, 15, "", ""},
    {"99", 1, 99, "", ""},
    {"99d", 1, 99, "", ""},
    {"0", 1, 0, "", ""},
    {"007", 1, 7, "", ""},
    {"0b", 1, 0, "", ""},
    {"5%3", 1, 2, "", ""},
    {"0FFFFFFFFh", 1, -1, "", ""},
    // character constants
    {"'A'", 1, 0x41, "", ""},
    {"'AB'", 1, 0x4142, "", ""},
    {"'ABCD'", 1, 0x41424344, "", ""},
    {"'ABCDE'", -1, 0, "missing operand", ""},
    // bit addresses
    {"$2F.3", 1, 0x7b, "", ""},
    {"20h.0", 1, 0, "", ""},
    {"0E0h.7", 1, 0xe7, "", ""},
    {"80h.1", 1, 0x81, "", ""},
    {"30h.1", -1, 0, "location not bit addressable", ""},
    {"81h.1", -1, 0, "location not bit addressable", ""},
    {"20h.8", -1, 0, "bit number out of range (0..7)", ""},
    // defined overflow: computed on 32 bits
    {"7FFFFFFFh+1", 1, INT32_MIN, "", ""},
    {"80000000h/-1", 1, INT32_MIN, "", ""},
    {"80000000h%-1", 1, 0, "", ""},
    {"-8>>1", 1, -4, "", ""},
    {"-1<<31", 1, INT32_MIN, "", ""},
    // shifts by 32 places or more move every bit out
    {"1<<32", 1, 0, "", ""},
    {"1<<33", 1, 0, "", ""},
    {"1<<-1", 1, 0, "", ""},
    {"8>>32", 1, 0, "", ""},
    {"-8>>40", 1, -1, "", ""},
    // numbers that do not fit 32 bits
    {"4294967296", -1, 0, "number too large", ""},
    {"12345678901", -1, 0, "number too large", ""},
    {"1FFFFFFFFh", -1, 0, "number too large", ""},
    {"$123456789", -1, 0, "number too large", ""},
    {"%111111111111111111111111111111111", -1, 0, "number too large", ""},
    {"4294967295", 1, -1, "", ""},
    {"65536*65536", 1, 0, "", ""},
    // where expressions end
    {"1,2", 1, 1, "", ",2"},
    {"5#", 1, 5, "", "#"},
    // errors
    {"1 2", -1, 0, "expression syntax", ""},
    {"(1+2", -1, 0, "expected ')'", ""},
    {"1+", -1, 0, "missing operand", ""},
    {"", -1, 0, "missing operand", ""},
    {"*3", -1, 0, "missing operand", ""},
    {"4/0", -1, 0, "division by 0 in expression", ""},
    {"4%0", -1, 0, "division by 0 in expression", ""},
    {"1=1", 1, 1, "", "=1"},   // a single '=' is no token: the caller sees it
    {"12ab", -1, 0, "missing operand", ""},
    {"((((((((((((((((((((1))))))))))))))))))))", -1, 0, "expression too nested or recursive", ""},
    {"(((((((((((((((((((1)))))))))))))))))))", 1, 1, "", ""},
};

class Expressions : public AsmTest {};

TEST_F(Expressions, CaseTable)
{
    for (const expr_case& c : cases) {
        SetUp();
        const char* p = c.text;
        int32_t v = 12345;
        int r = evaluate_expression(&p, &v);
        EXPECT_EQ(r, c.result) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        if (*c.message) {
            EXPECT_EQ(messages, std::string("Error: ") + c.message + "\n") << c.text;
        } else {
            EXPECT_EQ(messages, "") << c.text;
            EXPECT_STREQ(p, c.rest) << c.text;
        }
    }
}

TEST_F(Expressions, LabelsAndRelocatableResults)
{
    assemble("  .segment one\n"
             "  .ds.b 4\n"
             "l1: nop\n"
             "  .ds.b 10h\n"
             "l2: nop\n"
             "  .segment two\n"
             "l3: nop\n");
    ASSERT_EQ(messages, "");
    struct {
        const char* text;
        int result;
        int32_t value;
        int tokens;
    } label_cases[] = {
        {"l2-l1", 1, 0x11, 1},
        {"(l2-l1)*2", 1, 0x22, 1},
        {"l3-l1", 0, 0, 3},
        {"l1+1", 0, 0, 3},
        {"fwd-fwd", 0, 0, 3},
        {"one", 0, 0, 1},
        {"-l1", 0, 0, 2},
        {"l1.3", 0, 0, 3},
    };
    for (const auto& c : label_cases) {
        const char* p = c.text;
        int32_t v = 99;
        EXPECT_EQ(evaluate_expression(&p, &v), c.result) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(expr_token_count, c.tokens) << c.text;
    }
    // A name first seen in an expression becomes a referenced label.
    symbol* fwd = find_symbol("fwd", true);
    ASSERT_NE(fwd, nullptr);
    EXPECT_EQ(fwd->kind, SYM_LABEL);
    EXPECT_EQ(fwd->flags, static_cast<uint32_t>(LABEL_REFERENCED));
    EXPECT_EQ(messages, "");
}

TEST_F(Expressions, ConstantsAndTextSymbols)
{
    assemble("  .segment code\n"
             "k = 3\n"
             "k = k+1\n"
             "t = lab+k\n"
             "  mov a,#t\n"
             "lab: nop\n");
    EXPECT_EQ(messages, "");
    symbol* t = find_symbol("t", true);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, SYM_TEXT);
    EXPECT_STREQ(t->text, "lab+k");
    EXPECT_EQ(find_symbol("k", true)->value, 4);
    std::string obj = object();
    EXPECT_NE(obj.find("ref byte #0:5 @0:1 @0:2 4 +\r\n"), std::string::npos) << obj;
}

TEST_F(Expressions, EverySymbolIsFoundAgainWhileTheIndexGrows)
{
    // Enough names for the name index to grow several times: each one keeps
    // its value, and after a reset none of them is left.
    const int count = 20000;
    std::string source = "  .segment code\n";
    for (int i = 0; i < count; ++i)
        source += "c" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    source += "  mov a,#c19999&0FFh\n";
    assemble(source);
    EXPECT_EQ(messages, "");
    for (int i = 0; i < count; ++i) {
        symbol* s = find_symbol(("c" + std::to_string(i)).c_str(), true);
        ASSERT_NE(s, nullptr) << i;
        ASSERT_EQ(s->value, i) << i;
    }
    symbol_reset();
    EXPECT_EQ(find_symbol("c0", true), nullptr);
    EXPECT_EQ(find_symbol("c19999", true), nullptr);
}

TEST_F(Expressions, TooManyTokensEndsTheRun)
{
    assemble("  .segment code\n  .dc.l a+b+c+d+e+f+g+h\n");
    EXPECT_EQ(messages, "");
    SetUp();
    int code = assemble("  .segment code\n  .dc.l a+b+c+d+e+f+g+h+i\n");
    EXPECT_EQ(code, -1);
    EXPECT_EQ(messages, "prog.s51 2: Error: expression too complicated ('.dc.l a+b+c+d+e+f+g+... ')\n");
}

} // namespace
