// The source reader: statements, directives, conditionals, macros,
// includes, limits, and the reporter's message form.
#include "asm/tests/asm_fixture.h"

#include "asm/datei.h"
#include "asm/driver.h"
#include "asm/listing.h"
#include "asm/messages.h"
#include "asm/segment.h"
#include "asm/settings.h"
#include "asm/sources.h"
#include "asm/symbol.h"

#include "common/speicher.h"

#include <new>

using namespace morrin;

namespace {

// Everything written to a temporary listing file, which is then closed.
std::string close_listing(FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    listing_open(nullptr);
    std::fclose(f);
    return text;
}

// Statements that must fail, with the one message they print.
struct fail_case {
    const char* source;    // lines after "  .segment code\n"
    const char* message;   // whole message for line 2
};

const fail_case fail_cases[] = {
    {"x: y: nop", "syntax error ('x: y: nop')"},
    {"x: nop\nx: nop", ""},
    {"  .LINE 5", "directive syntax error ('.LINE 5')"},
    {"  .foo", "directive syntax error ('.foo')"},
    {"  .export ?x", "invalid use of temporary label ('.export ?x')"},
    {"  .import a b", "syntax error ('.import a b')"},
    {"  .use 1", "invalid identifier ('.use 1')"},
    {"m = 1\n  .export m", ""},
    {"  .dc.b \"AB\"x", "string expression syntax ('.dc.b \"AB\"x')"},
    {"  .dc.q 1", "unknown size 'q' ('.dc.q 1')"},
    {"  .dc.", "unknown size '' ('.dc.')"},
    {"  .ds.", "unknown size '' ('.ds.')"},
    {"  .ds.b -1", "expression is negative ('.ds.b -1')"},
    {"  .ds.b lab", "expression must be constant ('.ds.b lab')"},
    {"  .ds.b 7fffffffh", "reservation too large ('.ds.b 7fffffffh')"},
    {"  .dc.f 1.0x", "expression syntax ('.dc.f 1.0x')"},
    {"  .segment 1x", "invalid segment name ('.segment 1x')"},
    {"  .segment s x", "segment parameter list ('.segment s x')"},
    {"  .segment s,size lab", "fixed size needed ('.segment s,size lab')"},
    {"  .segment s,size -1", "size must be >= 0 ('.segment s,size -1')"},
    {"  .segment s,org 1\n  .segment s,org 2", ""},
    {"  .segment s,org -1", "org must be >= 0 ('.segment s,org -1')"},
    {"  .segment s,align 0", "align must be >= 1 ('.segment s,align 0')"},
    {"  .segment s,page 0", "page must be >= 1 ('.segment s,page 0')"},
    {"  .segment s,sclass 1", "invalid sclass ('.segment s,sclass 1')"},
    {"  .segment s,speed 1", "unkown parameter ('.segment s,speed 1')"},
    {"  .sgraph 1", "invalid caller segment name ('.sgraph 1')"},
    {"  .sgraph a,1", "invalid callee segment name ('.sgraph a,1')"},
    {"  .sgraph a,b", "sgraph parameter list ('.sgraph a,b')"},
    {"  .sgraph a,b,", "invalid or missing owner segment name ('.sgraph a,b,')"},
    {"  .sgraph a,b,c,-1", "offset must be >= 0 ('.sgraph a,b,c,-1')"},
    {"  .sgraph a,b,c,lab", "expression must be constant ('.sgraph a,b,c,lab')"},
    {"  .include foo", "filename error ('.include foo')"},
    {"  .include \"foo\" x", "directive syntax error ('.include \"foo\" x')"},
    {"  .macro 1", "invalid macro name ('.macro 1')"},
    {"  .endmacro", ".endmacro without .macro ('.endmacro')"},
    {"  .else", ".else without .if ('.else')"},
    {"  .endif", ".endif without .if ('.endif')"},
    {"  .if lab\n  .endif", "expression must be constant ('.if lab')"},
    {"  .if 1 2\n  .endif", "expression syntax ('.if 1 2')"},
    {"  .ifdef 1\n  .endif", "invalid identifier ('.ifdef 1')"},
    {"  .ifdef a b\n  .endif", "syntax error ('.ifdef a b')"},
    {"code = 1", "symbol already in use ('code = 1')"},
    {"x = 1 2", "expression syntax ('x = 1 2')"},
    {"  .dc.b \"abc", "unterminated string or char constant ('.dc.b \"abc')"},
    {"  .error stop %s here", "stop %s here"},
    {"  .error", ""},
};

TEST_F(AsmTest, FailingStatements)
{
    for (const fail_case& c : fail_cases) {
        SetUp();
        assemble_in_code(c.source);
        std::string expect;
        if (std::string(c.source).find('\n') == std::string::npos || *c.message) {
            expect = std::string("prog.s51 2: Error: ") + c.message + "\n";
        }
        if (!*c.message)
            continue;  // checked below where the message is on another line
        EXPECT_EQ(messages, expect) << c.source;
        EXPECT_GE(asm_error_count, 1) << c.source;
    }
}

TEST_F(AsmTest, MessagesOnOtherLines)
{
    struct {
        const char* source;
        const char* messages;
    } cases[] = {
        {"x: nop\nx: nop", "prog.s51 3: Error: label already defined ('x: nop')\n"},
        {"m = 1\n  .export m", "prog.s51 3: Error: symbol already in use ('.export m')\n"},
        {"  .segment s,org 1\n  .segment s,org 2", "prog.s51 3: Error: org already set ('.segment s,org 2')\n"},
        {"  .segment s,align 2\n  .segment s,align 4", "prog.s51 3: Error: align already set to $2 ('.segment s,align 4')\n"},
        {"  .segment s,page 2\n  .segment s,page 2", ""},
        {"  .segment s,size 2\n  .segment s,size 4", "prog.s51 3: Warning: size already set ('.segment s,size 4')\n"},
        {"  .segment s,sclass A\n  .segment s,sclass B", "prog.s51 3: Error: sclass already set ('.segment s,sclass B')\n"},
        {"  .error", "prog.s51 2: Error: \n"},
        {"  .message hello world", "prog.s51 2: Message: hello world\n"},
        {"  .segment s,size 2\n  .dc.b 1,2,3", "prog.s51 3: Error: segment full ('.dc.b 1,2,3')\n"},
        {"  .segment n,notext\n  .dc.b 1", "prog.s51 3: Error: segment classified 'notext' ('.dc.b 1')\n"},
        {"  nop\n  .segment code,notext", "prog.s51 3: Error: segment contains already data ('.segment code,notext')\n"},
        {"  .import x\nx: nop", "prog.s51 3: Error: defining label 'x': classified as import ('x: nop')\n"},
    };
    for (const auto& c : cases) {
        SetUp();
        assemble_in_code(c.source);
        EXPECT_EQ(messages, c.messages) << c.source;
    }
}

TEST_F(AsmTest, OneMessagePerLineAndTheLimit)
{
    assemble_in_code("  mov r9,#300");
    EXPECT_EQ(messages, "prog.s51 2: Error: register number out of range (R0..R7) ('mov r9,#300')\n");
    EXPECT_EQ(asm_error_count, 1);
    EXPECT_EQ(asm_warning_count, 0);

    SetUp();
    std::string src;
    for (int i = 0; i < 16; i++)
        src += "  mov a,#300\n";
    EXPECT_EQ(assemble_in_code(src), 2);
    EXPECT_EQ(asm_warning_count, 16);
    EXPECT_NE(messages.find("prog.s51 17: Warning: 8 bit constant out of range ('mov a,#300')\n"
                            "Error: too many errors or warnings\n"),
              std::string::npos);
}

TEST_F(AsmTest, ExcerptIsCutAfterTwentyCharacters)
{
    assemble_in_code("\t  mov a,#0000000000001234567");
    EXPECT_EQ(messages, "prog.s51 2: Warning: 8 bit constant out of range ('mov a,#0000000000001... ')\n");
}

TEST_F(AsmTest, NoSegmentSet)
{
    assemble("  nop\nlab: nop\n");
    EXPECT_EQ(messages, "prog.s51 1: Error: no segment set ('nop')\n"
                        "prog.s51 2: Error: no segment set ('lab: nop')\n");
}

TEST_F(AsmTest, LabelsAssignmentsAndCase)
{
    assemble_in_code("x: nop\n"
                     "MOV A,#1\n"
                     "y = 2\n"
                     "y=3\n"
                     "  mov a,#y\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "00 74 01 74 03");
    symbol* x = find_symbol("x", true);
    EXPECT_EQ(x->kind, SYM_LABEL);
    EXPECT_EQ(x->flags, static_cast<uint32_t>(LABEL_DEFINED));

    SetUp();
    g_settings.ignore_case = true;
    assemble("  .SEGMENT Code\nLab: MOV A,#'A'\n  .DC.B \"Ab\"\n");
    EXPECT_EQ(messages, "");
    EXPECT_NE(find_symbol("lab", true), nullptr);
    EXPECT_NE(find_symbol("code", true), nullptr);
    EXPECT_EQ(hex_bytes(), "74 41 41 62");
}

// Old Mac files end their lines with a lone CR; a form feed (page break)
// at the start of a line is white space. Neither loses what follows.
TEST_F(AsmTest, LoneCarriageReturnsEndLinesAndFormFeedsAreBlanks)
{
    assemble_in_code("  nop\r  mov a,#1\r\f  nop\r\f\flab: mov a,#300\r\n  nop\n\r  nop");
    EXPECT_EQ(messages, "prog.s51 5: Warning: 8 bit constant out of range ('lab: mov a,#300')\n");
    EXPECT_EQ(hex_bytes(), "00 74 01 00 74 00 00 00");
    EXPECT_NE(find_symbol("lab", true), nullptr);
}

// 64 characters make a name; a longer one is refused as too long wherever
// it stands, and nothing is defined or left undefined under a cut name.
TEST_F(AsmTest, NamesLongerThan64CharactersAreTooLong)
{
    std::string name(64, 'a');
    assemble_in_code(name + ": nop\n" + name + "b: nop\n  ljmp " + name + "c\n  .export " + name + "d\n");
    std::string excerpt = "('" + std::string(20, 'a') + "... ')\n";
    EXPECT_EQ(messages, "prog.s51 3: Error: name too long (more than 64 characters) " + excerpt +
                            "prog.s51 4: Error: name too long (more than 64 characters) ('ljmp aaaaaaaaaaaaaaa... ')\n"
                            "prog.s51 5: Error: name too long (more than 64 characters) ('.export aaaaaaaaaaaa... ')\n");
    EXPECT_NE(find_symbol(name.c_str(), true), nullptr);
    EXPECT_EQ(find_symbol(name.c_str(), true)->kind, SYM_LABEL);
    object();
    EXPECT_EQ(messages.find("undefined"), std::string::npos) << messages;
}

TEST_F(AsmTest, DataDirectives)
{
    assemble_in_code("  .dc.b \"AB\",0\n"
                     "  .dc.w 1234h\n"
                     "  .dc.l 1\n"
                     "  .dc.f 1.0\n"
                     "  .dc.f -2.5,0.1\n"
                     "  .dc.b \"a,b\",'c'\n"
                     "  .ds.w 1\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "41 42 00 12 34 00 00 00 01 3f 80 00 00 c0 20 00 00 3d cc cc cd 61 2c 62 63 ff ff");
}

TEST_F(AsmTest, ConditionalsNestAndSkip)
{
    assemble_in_code("  .if 1\n"
                     "  .if 0\n"
                     "  .dc.b 1\n"
                     "  .if 1\n"            // counted while skipping
                     "  .dc.b 2\n"
                     "  .endif\n"
                     "  .include \"missing\"\n"
                     "  .else\n"
                     "  .dc.b 3\n"
                     "  .endif\n"
                     "  .ifdef later\n"
                     "  .dc.b 4\n"
                     "  .else\n"
                     "  .dc.b 5\n"
                     "  .endif\n"
                     "  ljmp later\n"
                     "  .ifdef later\n"     // a referenced label counts as defined
                     "  .dc.b 6\n"
                     "  .endif\n"
                     "  .ifndef code\n"
                     "  .dc.b 7\n"
                     "  .endif\n"
                     "  .IF 1\n"
                     "  .dc.b 8\n"
                     "  .ENDIF\n"
                     "  .endif\n"
                     "later:\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "03 05 02 00 00 06 08");
    EXPECT_EQ(conditional_depth(), 0);
}

TEST_F(AsmTest, EndOfFileErrorsAreNotHiddenByALineMessage)
{
    // The last line's warning must not swallow the error for the open
    // conditional or macro; either would otherwise pass unnoticed.
    assemble_in_code("  .if 1\n  mov a,#300");
    EXPECT_EQ(messages, "prog.s51 3: Warning: 8 bit constant out of range ('mov a,#300')\n"
                        "prog.s51 3: Error: End of file in .if/.else condition\n");
    EXPECT_EQ(asm_error_count, 1);
}

TEST_F(AsmTest, SkippedIfWithBitAddressIsCounted)
{
    // The .if inside the false branch is counted although its statement's
    // last '.' belongs to the bit address; its .endif does not end the
    // outer region.
    assemble_in_code("  .if 0\n"
                     "  .if 20h.1\n"
                     "  nop\n"
                     "  .endif\n"
                     "  nop\n"
                     "  .else\n"
                     "  .dc.b 1\n"
                     "  .endif\n"
                     "  .dc.b 2\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(conditional_depth(), 0);
    EXPECT_EQ(hex_bytes(), "01 02");
}

TEST_F(AsmTest, ConditionalLimit)
{
    std::string ten, eleven;
    for (int i = 0; i < 10; i++)
        ten += "  .if 1\n";
    for (int i = 0; i < 10; i++)
        ten += "  .endif\n";
    EXPECT_EQ(assemble_in_code(ten), 0);
    EXPECT_EQ(messages, "");

    for (const char* kind : {".if 1", ".ifdef code", ".ifndef x", ".if 0"}) {
        SetUp();
        eleven.clear();
        for (int i = 0; i < 10; i++)
            eleven += std::string("  ") + kind + "\n";
        eleven += "  .if 1\n";
        EXPECT_EQ(assemble_in_code(eleven), 2) << kind;
        std::string text = std::string(kind) == ".if 0" ? ".if/.ifdef/.ifndef/.else nested too deep"
                                                        : ".if/.else nested too deep";
        EXPECT_EQ(messages, "prog.s51 12: Error: " + text + " ('.if 1')\n") << kind;
    }
    SetUp();
    assemble_in_code("  .if 1\n  nop\n");
    EXPECT_EQ(messages, "prog.s51 4: Error: End of file in .if/.else condition\n");
}

TEST_F(AsmTest, MacrosExpandParametersAndTemporaries)
{
    assemble("  .segment code\n"
             ".macro twice\n"
             "?l: .dc.b @1,@1,@0\n"
             "  sjmp ?l\n"
             "  .endmacro\n"
             "  twice 7\n"
             "  twice \"a,b\"\n"
             ".macro none\n"
             "  .dc.b @0\n"
             ".endmacro\n"
             "  none\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "07 07 01 80 00 61 2c 62 61 2c 62 01 80 00 00");
    symbol* l1 = find_symbol("?1l", true);
    symbol* l2 = find_symbol("?2l", true);
    ASSERT_NE(l1, nullptr);
    ASSERT_NE(l2, nullptr);
    EXPECT_EQ(l1->value, 0);
    EXPECT_EQ(l2->value, 5);
    EXPECT_EQ(macro_call_level(), -1);
    EXPECT_EQ(show_level, 1);
}

// A call whose parameter list is wrong is still a call: it takes its number
// and expands with the parameters read before the fault, so the temporaries
// of later calls are numbered as without the error.
TEST_F(AsmTest, ACallWithABadParameterListStillTakesItsNumber)
{
    assemble_in_code(".macro m\n"
                     "?l: .dc.b @0\n"
                     ".endmacro\n"
                     "  m 1,\n"
                     "  m \"a\"b\n"
                     "  m 7\n");
    EXPECT_EQ(messages, "prog.s51 5: Error: macro parameter list ('m 1,')\n"
                        "prog.s51 6: Error: macro parameter list ('m \"a\"b')\n");
    for (const char* name : {"?1l", "?2l", "?3l"}) {
        symbol* s = find_symbol(name, true);
        ASSERT_NE(s, nullptr) << name;
        EXPECT_EQ(s->kind, SYM_LABEL) << name;
    }
    EXPECT_EQ(hex_bytes(), "01 01 01");
}

TEST_F(AsmTest, MacroErrors)
{
    struct {
        std::string source;
        const char* messages;
    } cases[] = {
        {".macro m\n  .dc.b @2\n.endmacro\n  m 1",
         "prog.s51 3: Error: macro parameter '@2' missing ('.dc.b @2')\n"},
        {".macro m\n.endmacro\n  m 1,,2", "prog.s51 4: Error: macro parameter list ('m 1,,2')\n"},
        {".macro m\n.endmacro\n  m 1,", "prog.s51 4: Error: macro parameter list ('m 1,')\n"},
        {".macro m\n.endmacro\n  m \"a\"b", "prog.s51 4: Error: macro parameter list ('m \"a\"b')\n"},
        {".macro m\n.endmacro\n  m 1,2,3,4,5,6,7,8,9,10",
         "prog.s51 4: Error: maximum is 9 macro parameters (@1..@9) ('m 1,2,3,4,5,6,7,8,9,... ')\n"},
        {".macro m\n.macro n\n.endmacro", "prog.s51 3: Error: nested macro definition ('.macro n')\n"},
        // The end-of-file message is shown although its line already had one.
        {".macro m x", "prog.s51 2: Error: syntax error ('.macro m x')\n"
                       "prog.s51 2: Error: End of file in macro definition\n"},
        {".macro m\n  nop", "prog.s51 3: Error: End of file in macro definition\n"},
        {"x: nop\n.macro x\n.endmacro", "prog.s51 3: Error: identifier 'x' already in use ('.macro x')\n"
                                        "prog.s51 4: Error: .endmacro without .macro ('.endmacro')\n"},
        {".macro m\n.dc.b @1,@1,@1,@1,@1\n.endmacro\n  m \"" + std::string(60, 'x') + "\"",
         nullptr},
    };
    for (const auto& c : cases) {
        SetUp();
        assemble_in_code(c.source);
        if (c.messages)
            EXPECT_EQ(messages, c.messages) << c.source;
        else
            EXPECT_EQ(messages, "prog.s51 3: Error: macro expansion longer than 245 characters ('.dc.b @1,@1,@1,@1,@1')\n")
                << c.source;
    }
}

TEST_F(AsmTest, MacroCallLimit)
{
    // m0 calls m1 ... m9: ten nested calls are fine; m10 makes eleven.
    std::string src = "  .segment code\n";
    for (int i = 10; i >= 0; i--) {
        src += ".macro m" + std::to_string(i) + "\n";
        if (i < 10)
            src += "  m" + std::to_string(i + 1) + "\n";
        else
            src += "  nop\n";
        src += ".endmacro\n";
    }
    EXPECT_EQ(assemble(src + "  m1\n"), 0);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "00");
    SetUp();
    EXPECT_EQ(assemble(src + "  m0\n"), 2);
    EXPECT_NE(messages.find("Error: macro calls nested too deep"), std::string::npos) << messages;
}

TEST_F(AsmTest, IncludeAndEnd)
{
    sources_add_virtual_file("inc.s51", "  .dc.b 1\n  .end\n  .dc.b 2\n");
    assemble("  .segment code\n  .include \"inc.s51\"\n  .dc.b 3\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(hex_bytes(), "01");
    EXPECT_EQ(source_file_count(), 2);

    SetUp();
    sources_add_virtual_file("lib/inc.s51", "  .dc.b 4\n");
    g_settings.include_path = "lib/";
    assemble("  .segment code\n  .include <inc.s51>\n  .dc.b 5\n");
    EXPECT_EQ(hex_bytes(), "04 05");

    SetUp();
    EXPECT_EQ(assemble("  .include \"no/such/file.s51\"\n"), 2);
    EXPECT_EQ(messages, "prog.s51 1: Error: unable to open 'no/such/file.s51' ('.include \"no/such/fi... ')\n");

    SetUp();
    sources_add_virtual_file("self.s51", "  .include \"self.s51\"\n");
    EXPECT_EQ(assemble("  .include \"self.s51\"\n"), 2);
    EXPECT_NE(messages.find("Error: too many files included"), std::string::npos);
}

TEST_F(AsmTest, LineNumberLimitWarnsOnce)
{
    std::string src = "  .segment code\n";
    for (int i = 2; i <= 32762; i++)
        src += i == 32762 ? "  mov a,#1000\n" : "\n";
    assemble(src);
    EXPECT_EQ(messages, "prog.s51 32761: Warning: maximum line no. (32760) exceeded ('')\n"
                        "prog.s51 32762: Warning: 8 bit constant out of range ('mov a,#1000')\n");
}

TEST_F(AsmTest, OverLongLinesAreRefused)
{
    // 253 characters are a line; a longer one is an error, its first 253
    // characters still count and the rest is dropped: the tail of a long
    // comment is never assembled, and the lines after it keep their numbers.
    std::string comment = "; " + std::string(251, 'c');
    assemble_in_code(comment + "\n" + comment + "nop\n  nop\n  mov a,#300\n");
    EXPECT_EQ(messages, "prog.s51 3: Error: line longer than 253 characters ('; cccccccccccccccccc... ')\n"
                        "prog.s51 5: Warning: 8 bit constant out of range ('mov a,#300')\n");
    EXPECT_EQ(hex_bytes(), "00 74 00");

    // CR LF line ends do not count; a long line in a skipped region or a
    // macro body is refused too, and a long comment after .endif keeps the
    // nesting intact.
    SetUp();
    std::string pad(260, 'x');
    assemble_in_code(comment + "\r\n  .if 0\n  nop ;" + pad + "\n  .endif ;" + pad + "\r\n  nop\r\n");
    EXPECT_EQ(messages, "prog.s51 4: Error: line longer than 253 characters ('nop ;xxxxxxxxxxxxxxx... ')\n"
                        "prog.s51 5: Error: line longer than 253 characters ('.endif ;xxxxxxxxxxxx... ')\n");
    EXPECT_EQ(conditional_depth(), 0);
    EXPECT_EQ(hex_bytes(), "00");

    // The command-line statements have the same limit.
    SetUp();
    add_cmdarg_statement(("x = 1 ;" + pad).c_str());
    assemble_file("<cmdarg>");
    EXPECT_EQ(messages, "<cmdarg> 1: Error: line longer than 253 characters ('x = 1 ;xxxxxxxxxxxxx... ')\n");

    // A long line of the high-level file is one line of it.
    SetUp();
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    g_settings.listing = true;
    g_settings.debug_lines = 3;
    listing_open(f);
    sources_add_virtual_file("p.c", "int a; /*" + pad + "*/\nint b;\nint c;\n");
    assemble("  .line \"p.c\" 2\n");
    std::string text = close_listing(f);
    EXPECT_EQ(messages, "");
    EXPECT_NE(text.find(":>int b;\r\n                        :>int c;\r\n"), std::string::npos) << text;
}

TEST_F(AsmTest, ListingRows)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    g_settings.listing = true;
    listing_open(f);
    assemble("  .segment code,org 8000h\n"
             "  .ds.b 10h\n"
             "\tmov a,#1\n"
             "  ljmp ext\n"
             "  .dc.b 1,2,3,4,5,6,7\n"
             "  .segment n,notext\n"
             "  .ds.b 4\n"
             "  .import ext\n");
    std::string text = close_listing(f);
    EXPECT_EQ(text,
              "                        :   .segment code,org 8000h\r\n"
              "00:8000: ff ff ff ff ff :   .ds.b 10h\r\n"
              "00:8005: ff ff ff ff ff :\r\n"
              "00:800a: ff ff ff ff ff :\r\n"
              "00:800f: ff             :\r\n"
              "00:8010: 74 01          :         mov a,#1\r\n"
              "00:8012: 02 rr rr       :   ljmp ext\r\n"
              "00:8015: 01 02 03 04 05 :   .dc.b 1,2,3,4,5,6,7\r\n"
              "00:801a: 06 07          :\r\n"
              "                        :   .segment n,notext\r\n"
              "01:0000: xx xx xx xx    :   .ds.b 4\r\n"
              "                        :   .import ext\r\n");
}

// Reserved space shows no bytes: however large, it is listed in at most
// three rows (first, size, last), written as they come.
TEST_F(AsmTest, ListingOfAReservationIsBounded)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    g_settings.listing = true;
    listing_open(f);
    assemble("  .segment n,notext\n"
             "  .ds.b 15\n"
             "  .ds.b 16\n"
             "  .ds.b 10000000h\n"
             "  .segment m,notext\n"
             "  .ds.b 7fffffffh\n");
    EXPECT_EQ(messages, "");
    std::string text = close_listing(f);
    EXPECT_EQ(text,
              "                        :   .segment n,notext\r\n"
              "00:0000: xx xx xx xx xx :   .ds.b 15\r\n"
              "00:0005: xx xx xx xx xx :\r\n"
              "00:000a: xx xx xx xx xx :\r\n"
              "00:000f: xx xx xx xx xx :   .ds.b 16\r\n"
              "                        : ... 16 bytes reserved\r\n"
              "00:001e: xx             :\r\n"
              "00:001f: xx xx xx xx xx :   .ds.b 10000000h\r\n"
              "                        : ... 268435456 bytes reserved\r\n"
              "00:1000001e: xx             :\r\n"
              "                        :   .segment m,notext\r\n"
              "01:0000: xx xx xx xx xx :   .ds.b 7fffffffh\r\n"
              "                        : ... 2147483647 bytes reserved\r\n"
              "01:7ffffffd: xx xx          :\r\n");
}

TEST_F(AsmTest, ListingWidthTabsAndHiddenLines)
{
    g_settings.list_width = 34;
    g_settings.tab_size = 4;
    char out[256];
    listing_text("a\tb\tc", out, sizeof out);
    EXPECT_STREQ(out, "a   b   c");
    listing_text(std::string(100, 'x').c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out).size(), 34u);
}

} // namespace

namespace {

TEST_F(AsmTest, OutOfMemoryGoesThroughTheReporter)
{
    asm_install_memory_reporter();
    asm_set_position(0, 0);
    int code = 0;
    try {
        speicher_alloc(-1);
    } catch (const asm_exit_exception& e) {
        code = e.code;
    }
    EXPECT_EQ(code, 2);
    EXPECT_EQ(messages, "Error: out of memory\n");
}

// An allocation of the standard library that the heap cannot meet (the
// source text read whole, a string) reaches the same reporter: the handler
// the library calls on a failed allocation is the assembler's.
TEST_F(AsmTest, AFailedAllocationOfTheLibraryGoesThroughTheReporter)
{
    asm_install_memory_reporter();
    asm_set_position(0, 0);
    std::new_handler handler = std::get_new_handler();
    ASSERT_NE(handler, nullptr);
    int code = 0;
    try {
        handler();
    } catch (const asm_exit_exception& e) {
        code = e.code;
    }
    std::set_new_handler(nullptr);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(messages, "Error: out of memory\n");
}

TEST_F(AsmTest, RecursiveTextSymbolIsAnErrorNotACrash)
{
    assemble_in_code("x = x+fwd\n  mov a,#x\nfwd: nop");
    EXPECT_EQ(messages, "prog.s51 3: Error: expression too nested or recursive ('mov a,#x')\n");
}

TEST_F(AsmTest, IbytesEmitsAFile)
{
    sources_add_virtual_file("blob.bin", std::string("\x00\x01\xff\r\n", 5));
    assemble_in_code("  .ibytes \"blob.bin\"\n  .ibytes \"none.bin\"");
    EXPECT_EQ(hex_bytes(), "00 01 ff 0d 0a");
    EXPECT_EQ(messages, "prog.s51 3: Error: unable to open file 'none.bin'\n");
}

TEST_F(AsmTest, LineDirectiveReadsHighLevelLinesAndCallsTheLineMacro)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    g_settings.listing = true;
    g_settings.debug_lines = 3;
    g_settings.expand_line = true;
    listing_open(f);
    sources_add_virtual_file("p.c", "int a;\nint b;\nint c;\nint d;\n");
    assemble("  .segment code\n"
             ".macro __line\n"
             "  .dc.b @1\n"
             ".endmacro\n"
             "  .line \"p.c\" 2\n"
             "  .line \"q.c\" 3\n");
    std::string text = close_listing(f);
    EXPECT_EQ(hex_bytes(), "02");
    EXPECT_EQ(messages, "prog.s51 6: Error: only one filename allowed ('p.c' already open) ('.line \"q.c\" 3')\n");
    EXPECT_NE(text.find("                        :   .line \"p.c\" 2\r\n"
                        "                        :>int a;\r\n"
                        "                        :>int b;\r\n"),
              std::string::npos)
        << text;
    // The rest of the high-level file follows the last source line.
    EXPECT_NE(text.find(":   .line \"q.c\" 3\r\n"
                        "                        :>int c;\r\n"
                        "                        :>int d;\r\n"),
              std::string::npos)
        << text;
}

TEST_F(AsmTest, LineDirectiveOpensALongPathWhole)
{
    g_settings.debug_lines = 3;
    std::string folder(120, 'd');
    sources_add_virtual_file((folder + "/p.c").c_str(), "int a;\n");
    sources_add_virtual_file((folder + "/q.c").c_str(), "int b;\n");
    assemble("  .line \"" + folder + "/p.c\" 1\n"
             "  .line \"" + folder + "/q.c\" 1\n");
    // The two names differ only after 120 characters: the second is refused.
    EXPECT_EQ(messages, "prog.s51 2: Error: only one filename allowed ('" + folder + "/p.c' already open) ('.line \"ddddddddddddd... ')\n");
}

TEST_F(AsmTest, UseAndImportDeclarations)
{
    assemble_in_code("  .use a,b\n  .import c\n  .export d\nd: nop\n  .autoimport");
    std::string obj = object();
    EXPECT_EQ(messages, "");
    EXPECT_NE(obj.find("import:a\r\n"), std::string::npos);
    EXPECT_NE(obj.find("import:b\r\n"), std::string::npos);
    EXPECT_EQ(obj.find("import:c"), std::string::npos);  // declared, never used
    EXPECT_NE(obj.find("export:d @0:0\r\n"), std::string::npos);
}

} // namespace

namespace {

int run_driver(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    try {
        return morrin_main(static_cast<int>(argv.size()), argv.data());
    } catch (const asm_exit_exception& e) {
        return e.code;
    }
}

TEST_F(AsmTest, OptionRanges)
{
    struct {
        const char* option;
        const char* error;   // "" when accepted
    } cases[] = {
        {"-t0", "tabsize 0 out of range"},     {"-t1", ""},
        {"-t16", ""},                          {"-t17", "tabsize 17 out of range"},
        {"-w52", "linewidth 52 out of range"}, {"-w53", ""},
        {"-w266", ""},                         {"-w267", "linewidth 267 out of range"},
        {"-T8", ""},                           {"-GA", ""},
        {"-gb", "invalid option '-gb'"},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(run_driver({"morrin", c.option}), 2) << c.option;
        std::string expect = std::string(*c.error ? std::string("Error: ") + c.error + "\n" : "") +
                             "Error: no sourcefile specified\n"
                             "Error: 'morrin' aborted... ('-?' for help)\n";
        EXPECT_EQ(messages, expect) << c.option;
    }
    SetUp();
    run_driver({"morrin", "-w60"});
    EXPECT_EQ(g_settings.list_width, 34);
}

TEST_F(AsmTest, OutputNamesIgnoreDotsInFolderNames)
{
    // Only a '.' of the file's own name starts its extension: "v.d/prog"
    // is the source "v.d/prog.s51" with the object "v.d/prog.obj".
    EXPECT_EQ(replace_extension("v.d/prog.s51", ".obj"), "v.d/prog.obj");
    EXPECT_EQ(replace_extension("v.d\\prog", ".lst"), "v.d\\prog.lst");
    EXPECT_EQ(replace_extension("../prog.x.s51", ".obj"), "../prog.x.obj");
    asm_reset();
    sources_add_virtual_file("no-such.d/prog.s51", "  .segment code\n  nop\n");
    EXPECT_EQ(run_driver({"morrin", "no-such.d/prog"}), 2);
    EXPECT_EQ(messages, "Error: unable to open 'no-such.d/prog.obj'\n");
}

TEST_F(AsmTest, MemoryStatisticsLine)
{
    // -x prints the allocation total after a successful run, on standard
    // output; the total is that of the whole process, never lowered.
    asm_reset();  // the driver registers the mnemonics itself
    sources_add_virtual_file("xmem.s51", "  .segment code\n  nop\n");
    testing::internal::CaptureStdout();
    int code = run_driver({"morrin", "-x", "xmem.s51"});
    std::string out = testing::internal::GetCapturedStdout();
    std::remove("xmem.obj");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(out, "memory used: " + std::to_string(speicher_total()) + " bytes\n");
}

} // namespace
