// The text object file: the worked example, segment lines, names, sgraph,
// relocation and debug lines.
#include "asm/tests/asm_fixture.h"

#include "asm/messages.h"
#include "asm/settings.h"
#include "asm/symbol.h"

using namespace morrin;

namespace {

std::string crlf(const std::string& lines)
{
    std::string out;
    for (char c : lines) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

TEST_F(AsmTest, WorkedExampleIsByteForByte)
{
    assemble("  .segment code\n"
             "start: mov a,#1\n"
             "  ljmp ext\n"
             "  .export start\n"
             "  .import ext\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(object(), crlf("objectfile:prog.obj\n"
                             "time:Mon Dec  7 23:05:00 2026\n"
                             "cpuname:i8051\n"
                             "import:ext\n"
                             "export:start @0:0\n"
                             "segment:code @0:m u:5\n"
                             "74 01 02 00 00\n"
                             "src:prog.s51 #0\n"
                             "ref w_hl #0:3 @0:3 ext\n"
                             "objectend\n"));
}

TEST_F(AsmTest, SegmentLines)
{
    assemble("  .segment f,size 16,fill\n"
             "  .segment n,notext\n"
             "  .ds.b 8\n"
             "  .segment all,org 8000h,size 40h,sclass CODE,page 100h,align 2,root\n"
             "  .dc.b 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\n"
             "  .segment seventeen\n"
             "  .ds.b 17\n"
             "  .segment d,notext,fill,size 8\n");
    EXPECT_EQ(messages, "");
    std::string obj = object();
    EXPECT_NE(obj.find(crlf("segment:f @0:m s:10 u:0 f\nsegment:n @1:m u:8 n\n"
                            "segment:all @2:8000 s:40 u:10 c:CODE p:100 a:2 r\n"
                            "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10\n"
                            "segment:seventeen @3:m u:11\n"
                            "ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff\nff\n"
                            "segment:d @4:m s:8 u:0 n f\n")),
              std::string::npos)
        << obj;
}

TEST_F(AsmTest, NotextSegmentStopsAtTheLastOffset)
{
    // Reserved up to the last 32-bit offset, a notext segment counts no
    // further byte: its size must not wrap round to a negative number.
    assemble("  .segment n,notext\n  .ds.b 7fffffffh\n  .dc.b 1\n  .ds.b 1\n");
    EXPECT_EQ(messages, "prog.s51 3: Error: segment classified 'notext' ('.dc.b 1')\n"
                        "prog.s51 4: Error: reservation too large ('.ds.b 1')\n");
    EXPECT_NE(object().find("segment:n @0:m u:7fffffff n\r\n"), std::string::npos);
}

TEST_F(AsmTest, ContentAcrossBlocksIsContiguous)
{
    assemble("  .segment code\n  .ds.b 256\n  .dc.b 1\n");
    EXPECT_EQ(bytes().size(), 257u);
    std::string obj = object();
    EXPECT_NE(obj.find("ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff\r\n01\r\n"), std::string::npos);
}

TEST_F(AsmTest, RelocationTokens)
{
    assemble("  .segment zero\n"
             "  .segment one\n"
             "  .ds.b 20h\n"
             "lab: .dc.b lab+1\n"
             "  .dc.w one,imp*2-1,exp\n"
             "  .dc.l !lab||~lab\n"
             "exp: nop\n"
             "  .import imp\n"
             "  .export exp\n");
    EXPECT_EQ(messages, "");
    std::string obj = object();
    EXPECT_NE(obj.find(crlf("ref byte #0:4 @1:20 @1:20 1 +\n"
                            "ref w_hl #0:5 @1:21 @1:0\n"
                            "ref w_hl #0:5 @1:23 imp 2 * 1 -\n"
                            "ref w_hl #0:5 @1:25 exp\n"
                            "ref l_hl #0:6 @1:27 @1:20 ! @1:20 ~ ||\n")),
              std::string::npos)
        << obj;
}

TEST_F(AsmTest, ImportsExportsAndDefinitions)
{
    assemble("  .segment code\n"
             "  .import unused,used\n"
             "  .export value,here\n"
             "value = 1234h\n"
             "here: ljmp used\n");
    EXPECT_EQ(messages, "");
    std::string obj = object();
    EXPECT_EQ(obj.find("import:unused"), std::string::npos);
    EXPECT_NE(obj.find("import:used\r\n"), std::string::npos);
    EXPECT_NE(obj.find("define:value 1234\r\n"), std::string::npos);
    EXPECT_NE(obj.find("export:here @0:0\r\n"), std::string::npos);
}

TEST_F(AsmTest, NamesAreWrittenInHashOrder)
{
    // Bucket of a name: h = h*2 ^ c; names of lower buckets come first, and
    // within a bucket the most recent name comes first.
    EXPECT_EQ(symbol_hash("a"), 97u);
    EXPECT_EQ(symbol_hash("ab"), (97u * 2 ^ 98u) % 517);
    assemble("  .segment code\n"
             "  .export b,a,ab\n"
             "a: nop\nb: nop\nab: nop\n");
    std::string obj = object();
    size_t pa = obj.find("export:a "), pb = obj.find("export:b "), pab = obj.find("export:ab ");
    ASSERT_NE(pa, std::string::npos);
    EXPECT_LT(pa, pb);     // bucket 97 before 98
    EXPECT_LT(pb, pab);    // bucket 292 last
}

TEST_F(AsmTest, SgraphLines)
{
    assemble("  .segment main,sclass IDATA\n"
             "  .segment ovl,sclass IDATA\n"
             "  .sgraph main,ovl,owner\n"
             "  .sgraph main,f2,main,10h\n");
    EXPECT_EQ(messages, "");
    std::string obj = object();
    EXPECT_NE(obj.find(crlf("sgraph:main f2 main 10\nsgraph:main ovl owner\n")), std::string::npos) << obj;

    SetUp();
    assemble("  .segment a,sclass DATA\n"
             "  .segment b,sclass IDATA\n"
             "  .sgraph a,b,a\n");
    obj = object();
    EXPECT_EQ(messages, "Error: Inconsistent segment sclass for 'a' and 'b'\n\n");
    EXPECT_NE(obj.find("sgraph:a b a\r\n"), std::string::npos);
}

TEST_F(AsmTest, WriterErrors)
{
    assemble("  .segment code\n"
             ".macro m\n.endmacro\n"
             "  ljmp m\n");
    object();
    EXPECT_EQ(messages, "prog.s51 2: Error: type of identifier 'm' is not label or segment\n");

    // A temporary that .autoimport turns into an import is refused by the
    // writer, and its line is written all the same.
    SetUp();
    assemble("  .segment code\n  ljmp ?x\n  .autoimport\n");
    std::string obj = object();
    EXPECT_EQ(messages, "Error: illegal '.import' on temporary '?x'\n");
    EXPECT_NE(obj.find("import:?x\r\n"), std::string::npos);
}

TEST_F(AsmTest, DebugLinesAndLabelDefinitions)
{
    g_settings.debug_lines = 1;
    assemble("  .segment code\n"
             "start:\tmov a,#1\n"
             "; note\n"
             "?tmp: nop\n"
             "  .export abs\n"
             "abs = 5\n");
    std::string obj = object();
    EXPECT_EQ(messages, "");
    EXPECT_NE(obj.find(crlf("objectdebug\n"
                            "dtx   .segment code\n"
                            "dco @0:0 u:2 start:  mov a,#1\n"
                            "dtx ; note\n"
                            "dco @0:2 u:1 ?tmp: nop\n"
                            "dtx   .export abs\n"
                            "dtx abs = 5\n")),
              std::string::npos)
        << obj;
    // Temporaries are not written; a label set to a constant is "@m:".
    EXPECT_NE(obj.find("def:start @0:0\r\n"), std::string::npos);
    EXPECT_NE(obj.find("def:abs @m:5\r\n"), std::string::npos);
    EXPECT_EQ(obj.find("def:?tmp"), std::string::npos);
}

TEST_F(AsmTest, UndefinedLabelsAndAutoimport)
{
    assemble("  .segment code\n  nop\n  ljmp nowhere\n");
    object();
    EXPECT_EQ(messages, "prog.s51 3: Error: label 'nowhere' undefined\n");
    SetUp();
    assemble("  .segment code\n  ljmp nowhere\n  .autoimport\n");
    std::string obj = object();
    EXPECT_EQ(messages, "");
    EXPECT_NE(obj.find("import:nowhere\r\n"), std::string::npos);

    // A warning on the line that first used the label does not hide the
    // error (which would let a reference to nothing into the object).
    SetUp();
    assemble("  .segment code\n  .dc.b 300,nowhere\n");
    object();
    EXPECT_EQ(messages, "prog.s51 2: Warning: 8 bit constant out of range ('.dc.b 300,nowhere')\n"
                        "prog.s51 2: Error: label 'nowhere' undefined\n");
    EXPECT_EQ(asm_error_count, 1);
}

TEST_F(AsmTest, EmptySourceWarns)
{
    assemble("; nothing\n");
    object();
    EXPECT_EQ(messages, "Warning: sourcefile is empty\n");
}

} // namespace
