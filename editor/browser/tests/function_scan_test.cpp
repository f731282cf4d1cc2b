// The per-file scans keep the lines of files with any kind of line end.
#include <gtest/gtest.h>

#include <string>

#include "editor/browser/function_scan.h"

namespace {

TEST(NormalizeLineEnds, EveryKindBecomesCr)
{
    std::string s = "a\r\nb\nc\rd\n\ne\r\n";
    NormalizeLineEnds(s);
    EXPECT_EQ(s, "a\rb\rc\rd\r\re\r");
}

TEST(ScanFileFunctions, LinesOfLfCrLfAndCrFiles)
{
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        std::string text = std::string("int total;") + eol + eol + "static int add(int a, int b)" + eol + "{" + eol +
            "  int sum = a + b;" + eol + "  return sum;" + eol + "}" + eol + "void later(void);" + eol;
        CSymbolMap functions(kKindFunction), variables, declarations;
        std::string copy = text;
        EXPECT_EQ(ScanFileFunctions(copy, "a.c", functions, &variables), 1);
        const CSymbolInfo& add = (*functions.Lookup("add"))[0];
        EXPECT_EQ(add.firstLine, 2);
        EXPECT_EQ(add.lastLine, 6);
        EXPECT_EQ(*add.name, "static int add(int a, int b)");
        EXPECT_EQ(add.kind, kKindFunction);
        EXPECT_EQ((*variables.Lookup("total"))[0].firstLine, 0);
        EXPECT_EQ((*variables.Lookup("total"))[0].owner, nullptr);
        EXPECT_EQ((*variables.Lookup("sum"))[0].firstLine, 4);
        EXPECT_EQ((*variables.Lookup("sum"))[0].owner, &add);
        copy = text;
        EXPECT_EQ(ScanFileDeclarations(copy, "a.c", declarations), 1);
        EXPECT_EQ((*declarations.Lookup("later"))[0].firstLine, 7);
    }
}

} // namespace
