// Function definitions of C and C++ texts: the browser's scan and the
// editor's parser over small sources (key | display | first-last line).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "editor/symbols/c_functions.h"

namespace {

using V = std::vector<std::string>;

V Listed(const CSymbolMap& map)
{
    V out;
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            std::string s = entry.first + "|";
            if (r->className)
                s += *r->className + "::";
            s += *r->name + "|" + std::to_string(r->firstLine) + "-" + std::to_string(r->lastLine);
            out.push_back(s);
        }
    return out;
}

struct Case {
    const char* name;
    const char* source;
    V browser; // ParseFunctionDefinitions
    V editor;  // ParseCFunctions
};

class CFunctions : public ::testing::TestWithParam<Case> {};

TEST_P(CFunctions, Found)
{
    const Case& c = GetParam();
    std::string text = c.source;
    CSymbolMap browser(kKindFunction);
    ParseFunctionDefinitions(text.c_str(), text.size(), browser, "f.c", nullptr, nullptr);
    EXPECT_EQ(Listed(browser), c.browser) << c.source;
    CSymbolMap editor;
    ParseCFunctions(text.c_str(), text.size(), editor, nullptr, "f.c", nullptr);
    EXPECT_EQ(Listed(editor), c.editor) << c.source;
}

const Case kCases[] = {
    {"ansi", "static int\r\nfoo(int a,\r\n    char c)\r\n{\r\n  if (a) { return 1; }\r\n  return 0;\r\n}\r\n",
     V{"foo|static int foo(int a, char c)|1-6"}, V{"foo|static int foo(int a, char c)|1-6"}},
    // The ";" of a K&R parameter declaration stands between ")" and "{".
    {"knr", "int\nadd(a, b)\nint a;\nint b;\n{\n  return a + b;\n}\n",
     V{}, V{}},
    {"two_and_prototype",
     "void g(int);\nint x = 3;\nint arr[] = { 1, 2 };\nvoid f(void) { g(1); }\n/* } { */\nchar *h(const char *s)\n{\n  "
     "return \"}{\";\n}\n",
     V{"f|void f(void)|3-3", "h|char *h(const char *s)|5-8"}, V{"f|void f(void)|3-3", "h|char *h(const char *s)|5-8"}},
    {"member_outside_class", "int A::get() const\n{\n  return n;\n}\n",
     V{"get|int A::get() const|0-3"}, V{"get|A::int A::get()|0-3"}},
    {"class_body",
     "class Box {\npublic:\n  Box() : w(0) {}\n  int width() const { return w; }\nprivate:\n  int w;\n};\n",
     // Inside a class body the header starts at the name.
     V{"Box|Box() : w(0)|2-2", "width|width() const|3-3"}, V{"Box|Box::Box() : w(0)|2-2", "width|Box::width()|3-3"}},
    {"ctor_init_list", "A::A(int x)\n  : m(x), n(0)\n{\n}\n",
     V{"A|A::A(int x) : m(x), n(0)|0-3"}, V{"A|A::A::A(int x) : m(x), n(0)|0-3"}},
    {"namespace", "namespace ns {\nnamespace {\nint helper() { return 1; }\n}\nvoid run()\n{\n}\n}\n",
     V{"helper|int helper()|2-2", "run|void run()|4-6"}, V{"helper|int helper()|2-2", "run|void run()|4-6"}},
    {"extern_c", "extern \"C\" {\nint c_api(void) { return 0; }\n}\n", V{"c_api|int c_api(void)|1-1"},
     V{"c_api|int c_api(void)|1-1"}},
    {"macro_body", "#define BODY(x) { return x; }\n#define F(n) int n(void) { return 0; }\n", V{}, V{}},
    {"control_at_top", "if (x) {\n}\nwhile (y) {\n}\n", V{}, V{}},
    {"function_pointer_param", "void on(void (*cb)(int), int n)\n{\n  cb(n);\n}\n",
     V{"on|void on(void (*cb)(int), int n)|0-3"}, V{"on|void on(void (*cb)(int), int n)|0-3"}},
    {"return_type_with_scope", "std::string name_of(int id)\n{\n  return \"\";\n}\n",
     V{"name_of|std::string name_of(int id)|0-3"}, V{"name_of|std::string name_of(int id)|0-3"}},
    {"comment_before", "/* helper; used: twice */\nstatic void z(void)\n{\n}\n// line: comment\nint y(void)\n{\n}\n",
     V{"y|int y(void)|5-7", "z|static void z(void)|1-3"}, V{"y|int y(void)|5-7", "z|static void z(void)|1-3"}},
    // Headers in preprocessor alternatives before one body: the first
    // alternative is the function, the others are no part of its header.
    {"alternative_headers",
     "static const char p[] = \":/bin\";\n#if defined (L_execvp)\nint execvp(const char *path, char *const argv[])\n"
     "#elif defined (L_execvpe)\nint execvpe(const char *path, char *const argv[], char *const envp[])\n#endif\n{\n"
     "\treturn 0;\n}\n",
     V{"execvp|int execvp(const char *path, char *const argv[])|2-8"},
     V{"execvp|int execvp(const char *path, char *const argv[])|2-8"}},
    {"ansi_or_knr_header",
     "#include \"fdlibm.h\"\n\n#ifdef __STDC__\n\tfloat gammaf_r(float x, int *signgamp)\n#else\n"
     "\tfloat gammaf_r(x,signgamp)\n\tfloat x; int *signgamp;\n#endif\n{\n\treturn expf(x);\n}\n",
     V{"gammaf_r|float gammaf_r(float x, int *signgamp)|3-10"},
     V{"gammaf_r|float gammaf_r(float x, int *signgamp)|3-10"}},
    // A body whose alternatives each open a block: the first branch counts.
    {"alternative_blocks_in_body",
     "int f(int a)\n{\n#ifdef A\n  if (a) {\n#else\n  if (!a) {\n#endif\n    a++;\n  }\n  return a;\n}\n"
     "int g(void) { return 0; }\n",
     V{"f|int f(int a)|0-10", "g|int g(void)|11-11"}, V{"f|int f(int a)|0-10", "g|int g(void)|11-11"}},
    // Alternatives that each open a block outside any function (an array's
    // initializer with a header per alternative): the first branch counts,
    // so the braces stay balanced for the definitions after it.
    {"initializer_in_alternatives",
     "#ifdef __STDC__\nstatic const double v[] = {\n#else\nstatic double v[] = {\n#endif\n  1.0, 2.0,\n};\n"
     "#ifdef __STDC__\n\tdouble atan(double x)\n#else\n\tdouble atan(x)\n\tdouble x;\n#endif\n{\n\treturn x;\n}\n"
     "int after(void) { return 0; }\n",
     V{"after|int after(void)|16-16", "atan|double atan(double x)|8-15"},
     V{"after|int after(void)|16-16", "atan|double atan(double x)|8-15"}},
    {"alternative_opens_in_nested_conditional",
     "#if A\n#ifdef B\nstruct s t = {\n#else\nstruct s t = { 0,\n#endif\n#endif\n  1 };\nint g(int a)\n{\n  return a;\n}\n",
     V{"g|int g(int a)|8-11"}, V{"g|int g(int a)|8-11"}},
    // Definitions in both alternatives of a conditional are both found when
    // each alternative is balanced.
    {"definitions_in_both_alternatives",
     "#ifdef A\nint one(void) { return 1; }\n#else\nint two(void) { return 2; }\n#endif\nint three(void) { return 3; }\n",
     V{"one|int one(void)|1-1", "three|int three(void)|5-5", "two|int two(void)|3-3"},
     V{"one|int one(void)|1-1", "three|int three(void)|5-5", "two|int two(void)|3-3"}},
    // A brace in a macro's value is no block of the file.
    {"brace_in_define",
     "#define BEGIN_LOCKED(m) { lock(m);\n#define OPEN_ARRAY \\\n  {\nint f(void)\n{\n  return 1;\n}\n",
     V{"f|int f(void)|3-6"}, V{"f|int f(void)|3-6"}},
    {"brace_in_define_crlf",
     "#define OPEN_ARRAY \\\r\n  {\r\n#define TWO \\\r\n  { {\r\nint f(void)\r\n{\r\n  return 1;\r\n}\r\n",
     V{"f|int f(void)|4-7"}, V{"f|int f(void)|4-7"}},
    // Definitions after directives continued with a backslash.
    {"after_continued_define",
     "#define ISDOT(dp) \\\n\t(dp->d_name[0] == '.' && \\\n\t dp->d_name[1] == 0)\nchar *getcwd(char *pt, int size)\n{\n"
     "  return pt;\n}\n",
     V{"getcwd|char *getcwd(char *pt, int size)|3-6"}, V{"getcwd|char *getcwd(char *pt, int size)|3-6"}},
    {"continued_condition_before_body",
     "int f(int a)\n#if defined(A) && \\\n    defined(B)\n#endif\n{\n  return a;\n}\n",
     V{"f|int f(int a)|0-6"}, V{"f|int f(int a)|0-6"}},
    // A ":" of a directive above is no initializer list before the name.
    {"after_define_with_colon",
     "#define abs(x) (((x) < 0) ? -(x) : \\\n  (x))\n\ndouble\nadjust (int a)\n{\n  return 0;\n}\n",
     V{"adjust|double adjust (int a)|4-7"}, V{"adjust|double adjust (int a)|4-7"}},
    {"continued_macro_body", "#define MAKE(n) \\\n  int n(void) \\\n  { return 0; }\nint real(void) { return 1; }\n",
     V{"real|int real(void)|3-3"}, V{"real|int real(void)|3-3"}},
    {"char_literal_brace", "int q(void)\n{\n  char c = '{';\n  return c;\n}\nint r(void) { return 2; }\n",
     V{"q|int q(void)|0-4", "r|int r(void)|5-5"}, V{"q|int q(void)|0-4", "r|int r(void)|5-5"}},
};

INSTANTIATE_TEST_SUITE_P(Sources, CFunctions, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(CFunctionsRules, SecondParseAddsNothing)
{
    std::string text = "int a(void) { return 1; }\nint b(void) { return 2; }\n";
    CSymbolMap map;
    EXPECT_EQ(ParseCFunctions(text.c_str(), text.size(), map, nullptr, "x.c", nullptr), 2);
    EXPECT_EQ(ParseCFunctions(text.c_str(), text.size(), map, nullptr, "x.c", nullptr), 0);
    EXPECT_EQ(map.GetSymbolCount(), 2u);
}

TEST(CFunctionsRules, UnclosedBodyStopsTheEditorParse)
{
    std::string text = "int a(void) { return 1; }\nint b(void) {\n  return 2;\n";
    CSymbolMap map;
    EXPECT_EQ(ParseCFunctions(text.c_str(), text.size(), map, nullptr, "x.c", nullptr), 0);
    EXPECT_EQ(map.GetSymbolCount(), 1u); // what was filed stays
}

TEST(CFunctionsRules, SoftBreaksAreNoLines)
{
    // Word wrap puts byte 2 into the text: the lines filed are the file's.
    std::string text = "int a(int x,\x02 int y)\r\n{\x02\r\n}\r\n";
    CSymbolMap map;
    ParseCFunctions(text.c_str(), text.size(), map, nullptr, "x.c", nullptr);
    ASSERT_NE(map.Lookup("a"), nullptr);
    EXPECT_EQ((*map.Lookup("a"))[0].firstLine, 0);
    EXPECT_EQ((*map.Lookup("a"))[0].lastLine, 2);
}

TEST(CFunctionsRules, ClassRecordsMembersAndLocals)
{
    std::string text =
        "class Counter {\n"
        "  int count;\n"
        "  char *name, buf[8];\n"
        "public:\n"
        "  void add(int step, const char *why) {\n"
        "    int old = count;\n"
        "    count = old + step;\n"
        "  }\n"
        "};\n";
    CSymbolMap functions, vars;
    ParseCFunctions(text.c_str(), text.size(), functions, nullptr, "c.cpp", &vars);
    const CSymbolList* cls = vars.Lookup("Counter:");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(*(*cls)[0].name, "class: Counter");
    EXPECT_EQ((*cls)[0].firstLine, 0);
    EXPECT_EQ((*cls)[0].lastLine, 8);
    const CSymbolInfo* add = &(*functions.Lookup("add"))[0];
    EXPECT_EQ(*add->className, "Counter");
    EXPECT_EQ(add->owner, &(*cls)[0]);
    struct Want {
        const char* key;
        const char* type;
        int line;
        const CSymbolInfo* owner;
    };
    const Want wants[] = {
        {"count", "int", 1, &(*cls)[0]},  {"name", "char*", 2, &(*cls)[0]}, {"buf", "char", 2, &(*cls)[0]},
        {"step", "int", 4, add},          {"why", "const char*", 4, add},   {"old", "int", 5, add},
    };
    for (const Want& w : wants) {
        const CSymbolList* l = vars.Lookup(w.key);
        ASSERT_NE(l, nullptr) << w.key;
        ASSERT_EQ(l->size(), 1u) << w.key;
        EXPECT_EQ(*(*l)[0].name, w.type) << w.key;
        EXPECT_EQ((*l)[0].firstLine, w.line) << w.key;
        EXPECT_EQ((*l)[0].owner, w.owner) << w.key;
        EXPECT_EQ((*l)[0].kind, kKindVariable) << w.key;
    }
}

TEST(CollectCalls, NamesOnceOrMarked)
{
    std::string text = "a(1); b (2); if (x) a(3); /* c(4) */ while(1) d(a(5));";
    std::vector<std::string> names;
    CollectCalls(text.c_str(), 0, text.size(), false, names);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "d"}));
    names.clear();
    CollectCalls(text.c_str(), 0, text.size(), true, names);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "+a", "d", "+a"}));
}

} // namespace

namespace {

// No length limit a real source can hit: a header of 40,000 bytes (a long
// parameter list) is filed whole by the browser and the scan goes on after
// it; the editor's display text is cut at 8191 bytes.
TEST(CFunctionsLimits, LongHeadersAreFiledAndTheScanGoesOn)
{
    std::string params;
    for (int i = 0; i < 2500; ++i)
        params += (i ? ", int parameter_" : "int parameter_") + std::to_string(i);
    std::string text = "static int wide(" + params + ")\n{\n  return 0;\n}\nint after(void)\n{\n}\n";
    ASSERT_GT(text.size(), 40000u);
    CSymbolMap browser(kKindFunction), vars;
    EXPECT_EQ(ParseFunctionDefinitions(text.c_str(), text.size(), browser, "w.c", nullptr, &vars), 2);
    ASSERT_NE(browser.Lookup("wide"), nullptr);
    EXPECT_EQ(*(*browser.Lookup("wide"))[0].name, "static int wide(" + params + ")");
    EXPECT_EQ((*browser.Lookup("after"))[0].firstLine, 4);
    ASSERT_NE(vars.Lookup("parameter_2499"), nullptr);
    CSymbolMap editor;
    EXPECT_EQ(ParseCFunctions(text.c_str(), text.size(), editor, nullptr, "w.c", nullptr), 2);
    EXPECT_EQ((*editor.Lookup("wide"))[0].name->size(), 8191u);
}

// Scans keep no state between calls: threads parsing different texts at the
// same time file what each parse files alone.
TEST(CFunctionsLimits, ParallelParsesAgree)
{
    std::vector<std::string> texts;
    for (int t = 0; t < 4; ++t) {
        std::string s;
        for (int i = 0; i < 200; ++i)
            s += "class C" + std::to_string(t) + "_" + std::to_string(i) + " {\n  int m;\n  void f" + std::to_string(i) +
                "(int a) { int b = a; }\n};\nint g" + std::to_string(i) + "(char *p)\n{\n  long q;\n}\n";
        texts.push_back(s);
    }
    auto run = [](const std::string& s) {
        CSymbolMap functions, vars;
        ParseCFunctions(s.c_str(), s.size(), functions, nullptr, "p.cpp", &vars);
        V out = Listed(functions);
        for (const auto& entry : vars)
            for (const auto& r : entry.second)
                out.push_back(entry.first + "|" + std::to_string(r->firstLine));
        return out;
    };
    std::vector<V> alone;
    for (const std::string& s : texts)
        alone.push_back(run(s));
    // 400 functions; per class its record, m, a and b; per g its p and q.
    EXPECT_EQ(alone[0].size(), 400u + 200u * 6u);
    std::vector<V> together(texts.size());
    std::vector<std::thread> threads;
    for (size_t t = 0; t < texts.size(); ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                together[t] = run(texts[t]);
        });
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(together, alone);
}

TEST(FindNextBlock, BraceAndPartner)
{
    std::string text = "int a; { x { y } } z {";
    size_t pos = 2, end = 0;
    ASSERT_TRUE(FindNextBlock(text.c_str(), text.size(), pos, end));
    EXPECT_EQ(pos, 7u);
    EXPECT_EQ(end, 17u);
    pos = 19;
    EXPECT_FALSE(FindNextBlock(text.c_str(), text.size(), pos, end)); // no partner
    pos = 99;
    EXPECT_FALSE(FindNextBlock(text.c_str(), text.size(), pos, end));
}

} // namespace
