// The keyword scans: #define, enum, struct, union and typedef parsers over
// small sources, each case listing what is filed (key | text | line).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "editor/browser/keyword_scan.h"

namespace {

std::vector<std::string> Filed(const CSymbolMap& map)
{
    std::vector<std::string> out;
    for (const auto& entry : map)
        for (const auto& r : entry.second)
            out.push_back(entry.first + "|" + *r->name + "|" + std::to_string(r->firstLine));
    return out;
}

struct Case {
    const char* keyword;
    KeywordParser parser;
    const char* source;
    std::vector<std::string> filed; // sorted by key, as the map walks them
};

class KeywordScan : public ::testing::TestWithParam<Case> {};

TEST_P(KeywordScan, Files)
{
    const Case& c = GetParam();
    std::string text = c.source;
    CSymbolMap map(kKindEnum);
    int n = ScanTextForKeyword(c.keyword, c.parser, text.c_str(), text.size(), map, "src.c");
    EXPECT_EQ(Filed(map), c.filed) << c.source;
    EXPECT_EQ(n, static_cast<int>(c.filed.size()));
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            EXPECT_EQ(r->kind, kKindEnum);
            EXPECT_EQ(*r->file, "src.c");
            EXPECT_EQ(r->owner, nullptr);
        }
}

using V = std::vector<std::string>;

const Case kDefines[] = {
    {"#define", ParseDefine, "#define MAX(a,b) ((a)>(b)?(a):(b))\r\n",
     V{"MAX(a,b)|#define MAX(a,b) ((a)>(b)?(a):(b))|0"}},
    {"#define", ParseDefine, "int x;\r\n#define X 1 + 2\r\n", V{"X|#define X 1+2|1"}},
    {"#define", ParseDefine, "#define   \r\nint y;", V{}},
    {"#define", ParseDefine, "#define\tLIMIT\t10 /* bytes */ + 2 // more\n", V{"LIMIT|#define LIMIT 10+2|0"}},
    {"#define", ParseDefine, "#define EMPTY\n", V{"EMPTY|#define EMPTY |0"}},
    // A continued macro keeps the value of all its lines.
    {"#define", ParseDefine, "#define SUM(a, b) \\\r\n  ((a) + \\\r\n   (b))\r\nint z;",
     V{"SUM(a,|#define SUM(a, b)((a)+(b))|0"}},
    {"#define", ParseDefine, "#define URL \"http://x y\"\n", V{"URL|#define URL \"http://x y\"|0"}},
    // Not definitions: in a comment, in a string, part of a longer word.
    {"#define", ParseDefine, "/* #define A 1 */\n// #define B 2\nchar* s = \"#define C 3\";\n#defined D\n", V{}},
};

const Case kEnums[] = {
    {"enum", ParseEnum, "\r\nenum Color { RED, GREEN = 2, BLUE };\r\nenum Color c;\r\n",
     V{"BLUE|enum: Color.BLUE |1", "GREEN|enum: Color.GREEN = 2|1", "RED|enum: Color.RED|1"}},
    {"enum", ParseEnum, "typedef enum {\n  ON, // on\n  OFF /* off, */\n} Switch;",
     V{"OFF|enum: Switch.OFF |0", "ON|enum: Switch.ON|0"}},
    {"enum", ParseEnum, "enum { A = F(1, 2), B, };", V{"A|enum: A = F(1, 2)|0", "B|enum: B|0"}},
    {"enum", ParseEnum, "enum class Mode : int { Fast };", V{"Fast|enum: Mode.Fast |0"}},
    {"enum", ParseEnum, "void f(enum Color c) { return; }", V{}},
    {"enum", ParseEnum, "enum Open { X, Y", V{}},
};

const Case kStructs[] = {
    {"struct", ParseStruct, "int a;\r\ntypedef struct tagP {\r\n  int x;\r\n  int y[4];\r\n} P;\r\n",
     V{"P|struct type : P|1", "tagP|struct type : tagP|1", "x|struct: int tagP.x|1", "y|struct: int tagP.y|1"}},
    {"struct", ParseStruct, "struct S *make(void) { return 0; }", V{}},
    {"struct", ParseStruct, "struct S s1;\nstruct S s2 = { 1, 2 };\n", V{}},
    // A variable declared with the body is no type name.
    {"struct", ParseStruct, "struct S { char c; } s1;",
     V{"S|struct type : S|0", "c|struct: char S.c|0"}},
    {"struct", ParseStruct,
     "struct ops {\n  int (*open)(const char *name, int mode);\n  unsigned ready : 1, busy:2;\n"
     "  char *p, **pp, buf[8][2];\n  struct { int a; } inner; /* x; y */\n};",
     // The nested struct is a hit of its own, named after its variable.
     V{"a|struct: int inner.a|4", "buf|struct: char ops.buf|0", "busy|struct: unsigned ops.busy|0",
       "inner|struct: struct ops.inner|0", "inner|struct type : inner|4", "open|struct: function pointer ops.open|0", "ops|struct type : ops|0", "p|struct: char * ops.p|0",
       "pp|struct: char ** ops.pp|0", "ready|struct: unsigned ops.ready|0"}},
    {"struct", ParseStruct, "struct { long n; } anon;", V{"anon|struct type : anon|0", "n|struct: long anon.n|0"}},
    {"union", ParseStruct, "union U { int i; float f; };",
     V{"U|struct type : U|0", "f|struct: float U.f|0", "i|struct: int U.i|0"}},
};

const Case kTypedefs[] = {
    {"typedef", ParseTypedef, "typedef unsigned char BYTE;", V{"BYTE|unsigned char|0"}},
    {"typedef", ParseTypedef, "\ntypedef struct node *NodePtr;", V{"NodePtr|struct node *|1"}},
    {"typedef", ParseTypedef, "typedef int (*handler_t)(int sig);", V{"handler_t|int|0"}},
    {"typedef", ParseTypedef, "typedef char name_t[32];", V{"name_t|char|0"}},
    {"typedef", ParseTypedef, "typedef struct P { int x; } P;", V{}},
    {"typedef", ParseTypedef, "typedef enum { A } E;", V{}},
    {"typedef", ParseTypedef, "/* typedef int X; */ int typedefs;", V{}},
};

INSTANTIATE_TEST_SUITE_P(Define, KeywordScan, ::testing::ValuesIn(kDefines));
INSTANTIATE_TEST_SUITE_P(Enum, KeywordScan, ::testing::ValuesIn(kEnums));
INSTANTIATE_TEST_SUITE_P(Struct, KeywordScan, ::testing::ValuesIn(kStructs));
INSTANTIATE_TEST_SUITE_P(Typedef, KeywordScan, ::testing::ValuesIn(kTypedefs));

// No length limit a real source can hit: bodies and values far beyond 32 KB
// are filed whole.
TEST(KeywordScanState, LongBodiesAndValues)
{
    std::string text = "struct big {\n";
    for (int i = 0; i < 3000; ++i)
        text += "  unsigned long member_number_" + std::to_string(i) + ";\n";
    text += "};\nenum many {\n";
    for (int i = 0; i < 3000; ++i)
        text += "  ENUMERATOR_NUMBER_" + std::to_string(i) + " = " + std::to_string(i) + ",\n";
    text += "};\n#define LONG_VALUE " + std::string(60000, 'v') + "\n";
    CSymbolMap types(kKindType), enums(kKindEnum), defines(kKindDefine);
    EXPECT_EQ(ScanTextForKeyword("struct", ParseStruct, text.c_str(), text.size(), types, "b.h"), 3001);
    EXPECT_EQ(ScanTextForKeyword("enum", ParseEnum, text.c_str(), text.size(), enums, "b.h"), 3000);
    EXPECT_EQ(ScanTextForKeyword("#define", ParseDefine, text.c_str(), text.size(), defines, "b.h"), 1);
    ASSERT_NE(types.Lookup("member_number_2999"), nullptr);
    EXPECT_EQ(*(*types.Lookup("member_number_2999"))[0].name, "struct: unsigned long big.member_number_2999");
    EXPECT_EQ(*(*enums.Lookup("ENUMERATOR_NUMBER_2999"))[0].name, "enum: many.ENUMERATOR_NUMBER_2999 = 2999");
    EXPECT_EQ((*enums.Lookup("ENUMERATOR_NUMBER_2999"))[0].firstLine, 3002);
    EXPECT_EQ((*defines.Lookup("LONG_VALUE"))[0].name->size(), 8 + 10 + 1 + 60000u);
}

// The open-document form: kind 32, the document, and the search goes on
// behind a struct's body, so a struct nested in it is no hit of its own.
TEST(KeywordScanState, DocumentHitsResumeBehindTheMatch)
{
    std::string text = "struct outer {\n  struct { int a; } inner;\n  int b;\n};\nstruct S s;\nstruct T { char c; };\n";
    CSymbolMap map(kKindType);
    COvantaDoc* doc = reinterpret_cast<COvantaDoc*>(&map); // any address names the document
    EXPECT_EQ(ScanKeywordHits("struct", ParseStruct, text.c_str(), text.size(), map, doc, "open.c"), 5);
    EXPECT_EQ(Filed(map), (V{"T|struct type : T|5", "b|struct: int outer.b|0", "c|struct: char T.c|5",
                             "inner|struct: struct outer.inner|0", "outer|struct type : outer|0"}));
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            EXPECT_EQ(r->kind, kImageKeywordHit);
            EXPECT_EQ(r->document, doc);
            EXPECT_EQ(r->lastLine, 0);
        }
}

TEST(KeywordScanState, StructDeclarationReportsWhereItEnds)
{
    std::string text = "struct S s; int x;";
    KeywordSymbols out;
    ParseStruct(text.c_str(), text.c_str(), text.c_str() + text.size(), out);
    EXPECT_TRUE(out.items.empty());
    ASSERT_NE(out.resume, nullptr);
    EXPECT_EQ(out.resume - text.c_str(), 11);
}

// Scans share no state: several threads scanning different texts at once
// file exactly what each scan files alone.
TEST(KeywordScanState, ParallelScansAgree)
{
    std::vector<std::string> texts;
    for (int t = 0; t < 4; ++t) {
        std::string s;
        for (int i = 0; i < 300; ++i)
            s += "struct S" + std::to_string(t * 1000 + i) + " { int a" + std::to_string(i) +
                 "; char *b, c[4]; };\r\n";
        texts.push_back(s);
    }
    std::vector<V> alone;
    for (const std::string& s : texts) {
        CSymbolMap map(kKindType);
        ScanTextForKeyword("struct", ParseStruct, s.c_str(), s.size(), map, "t.c");
        alone.push_back(Filed(map));
        EXPECT_EQ(map.GetSymbolCount(), 1200u);
    }
    std::vector<V> together(texts.size());
    std::vector<std::thread> threads;
    for (size_t t = 0; t < texts.size(); ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 5; ++round) {
                CSymbolMap map(kKindType);
                ScanTextForKeyword("struct", ParseStruct, texts[t].c_str(), texts[t].size(), map, "t.c");
                together[t] = Filed(map);
            }
        });
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(together, alone);
}

} // namespace
