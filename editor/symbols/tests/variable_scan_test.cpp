// Global variables and prototypes over small sources, and the parameters
// and locals of one function.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/symbols/c_functions.h"
#include "editor/symbols/variable_scan.h"

namespace {

using V = std::vector<std::string>;

// key | name field | line, in map order.
V Listed(const CSymbolMap& map)
{
    V out;
    for (const auto& entry : map)
        for (const auto& r : entry.second)
            out.push_back(entry.first + "|" + r->name.value_or("") + "|" + std::to_string(r->firstLine));
    return out;
}

struct Case {
    const char* source;
    V filed;
};

class GlobalVariables : public ::testing::TestWithParam<Case> {};

TEST_P(GlobalVariables, Filed)
{
    std::string text = GetParam().source;
    std::string path = "g.c";
    CSymbolMap map;
    ScanGlobalVariables(ScanText{text.c_str(), text.size(), path}, 0, text.size(), map);
    EXPECT_EQ(Listed(map), GetParam().filed) << text;
    for (const auto& entry : map)
        for (const auto& r : entry.second) {
            EXPECT_EQ(r->owner, nullptr);
            EXPECT_EQ(r->kind, kKindVariable);
        }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, GlobalVariables,
    ::testing::Values(
        Case{"int counter;\nstatic char *name, table[10] = \"x\";\n",
             V{"counter|int|0", "name|static char*|1", "table|static char|1"}},
        Case{"unsigned long total = 0, *ptr;\r\n", V{"ptr|unsigned long*|0", "total|unsigned long|0"}},
        Case{"static const int primes[] =\n{ 2, 3, 5 };\n", V{"primes|static const int|0"}},
        // Prototypes, typedefs, function bodies and plain statements declare nothing here.
        Case{"void f(int a);\ntypedef int T;\nint g(void)\n{\n  int local;\n}\nx = 3;\n", V{}},
        Case{"/* int hidden; */\nint seen; // int also_hidden;\n", V{"seen|int|1"}}));

class Prototypes : public ::testing::TestWithParam<Case> {};

TEST_P(Prototypes, Filed)
{
    std::string text = GetParam().source;
    std::string path = "p.h";
    CSymbolMap map;
    ScanFunctionDeclarations(ScanText{text.c_str(), text.size(), path}, 0, text.size(), map);
    EXPECT_EQ(Listed(map), GetParam().filed) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Prototypes,
    ::testing::Values(
        Case{"int open_file(const char *name,\n              int mode);\nvoid close_file(int);\n",
             V{"close_file|void close_file(int)|2", "open_file|int open_file(const char *name, int mode)|0"}},
        // Calls inside bodies, initialisers and macro lines are no
        // prototypes; a macro call at file level looks like one.
        Case{"int x = compute(3);\n#define CALL(a) run(a);\nvoid f(void) { g(1); }\nDECLARE(thing);\n",
             V{"DECLARE|DECLARE(thing)|3"}},
        Case{"class Shape {\npublic:\n  virtual double area() const = 0;\n  void move(int dx);\n};\n",
             V{"area|virtual double area()|2", "move|void move(int dx)|3"}},
        Case{"namespace geo {\n// returns; the sum\nint sum(int a, int b);\n}\n", V{"sum|int sum(int a, int b)|2"}},
        Case{"void handler(int sig), other(void);\n", V{"handler|void handler(int sig)|0"}}));

TEST(LocalVariables, ParametersAndLocalsWithTheirLines)
{
    std::string text =
        "\n"
        "static int parse(const char *src, int len, struct opts *o)\n"
        "{\n"
        "  int i, n = 0; // count\n"
        "  char buf[64], *p = buf;\n"
        "  for (i = 0; i < len; i++)\n"
        "    n += src[i];\n"
        "  return n;\n"
        "}\n";
    CSymbolMap functions, vars;
    ParseFunctionDefinitions(text.c_str(), text.size(), functions, "l.c", nullptr, &vars);
    const CSymbolInfo* fn = &(*functions.Lookup("parse"))[0];
    EXPECT_EQ(fn->firstLine, 1);
    EXPECT_EQ(fn->lastLine, 8);
    V listed = Listed(vars);
    EXPECT_EQ(listed, (V{"buf|char|4", "i|int|3", "len|int|1", "n|int|3", "o|struct opts*|1", "p|char*|4",
                         "src|const char*|1"}));
    for (const auto& entry : vars)
        for (const auto& r : entry.second)
            EXPECT_EQ(r->owner, fn) << entry.first;
}

} // namespace
