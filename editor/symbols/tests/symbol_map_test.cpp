// Filing records by name: the duplicate rule, list order, stable record
// addresses and the clearing of the browser's maps.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/symbols/symbol_info.h"

namespace {

std::unique_ptr<CSymbolInfo> Rec(int line, const char* file, const char* name = nullptr)
{
    auto r = std::make_unique<CSymbolInfo>();
    r->firstLine = line;
    if (file)
        r->file = file;
    if (name)
        r->name = name;
    return r;
}

TEST(SymbolMap, FilesOnceForSameLineAndFile)
{
    CSymbolMap map(kKindFunction);
    EXPECT_NE(map.AddSymbol("f", Rec(3, "a.c", "int f()")), nullptr);
    EXPECT_EQ(map.AddSymbol("f", Rec(3, "a.c", "int f(void)")), nullptr);
    EXPECT_NE(map.AddSymbol("f", Rec(3, "b.c")), nullptr);  // other file
    EXPECT_NE(map.AddSymbol("f", Rec(9, "a.c")), nullptr);  // other line
    EXPECT_NE(map.AddSymbol("f", Rec(3, "A.c")), nullptr);  // paths compare exactly
    EXPECT_NE(map.AddSymbol("f", Rec(3, nullptr)), nullptr); // no file is a file of its own
    EXPECT_EQ(map.AddSymbol("f", Rec(3, nullptr)), nullptr);
    EXPECT_NE(map.AddSymbol("F", Rec(3, "a.c")), nullptr);  // keys are case-sensitive

    const CSymbolList* list = map.Lookup("f");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->size(), 5u);
    EXPECT_EQ(*(*list)[0].name, "int f()"); // the first one found stays
    EXPECT_EQ(*(*list)[1].file, "b.c");     // order found
    EXPECT_EQ((*list)[2].firstLine, 9);
    EXPECT_EQ(map.GetSymbolCount(), 6u);
    EXPECT_EQ(map.GetKeyCount(), 2u);
    EXPECT_EQ(map.Lookup("g"), nullptr);
}

// A name such as a local "i" occurs in thousands of functions: the list is
// indexed once it grows, and the rule must hold the same way.
TEST(SymbolMap, LongListsKeepRuleAndAddresses)
{
    CSymbolMap map;
    CSymbolInfo* first = map.AddSymbol("i", Rec(0, "x.c", "int"));
    ASSERT_NE(first, nullptr);
    for (int line = 1; line < 5000; ++line)
        ASSERT_NE(map.AddSymbol("i", Rec(line, line % 2 ? "x.c" : "y.c")), nullptr) << line;
    for (int line = 0; line < 5000; line += 7)
        EXPECT_EQ(map.AddSymbol("i", Rec(line, line % 2 || line == 0 ? "x.c" : "y.c")), nullptr) << line;
    EXPECT_NE(map.AddSymbol("i", Rec(2, "x.c")), nullptr);
    EXPECT_EQ(map.AddSymbol("i", Rec(2, "x.c")), nullptr);
    // Owners point at records: growing the list must not move them.
    EXPECT_EQ(first, &(*map.Lookup("i"))[0]);
    EXPECT_EQ(*first->name, "int");
    EXPECT_EQ(map.Lookup("i")->size(), 5001u);
}

TEST(SymbolMap, CopiedRecordOwnsItsStrings)
{
    CSymbolMap map;
    CSymbolInfo templ;
    templ.firstLine = 4;
    templ.lastLine = 8;
    templ.file = "m.c";
    CSymbolInfo* copy = map.AddSymbol("m", templ);
    ASSERT_NE(copy, nullptr);
    templ.file->assign("changed");
    EXPECT_EQ(*copy->file, "m.c");
    EXPECT_FALSE(copy->className.has_value());
    EXPECT_EQ(map.AddSymbol("m", *copy), nullptr);
}

struct ClearCase {
    unsigned mask;
    const char* leftFilled; // d t f e v c: maps that keep their records
};

class ClearSymbols : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearSymbols, EmptiesTheNamedMaps)
{
    CBrowserMaps maps;
    CSymbolMap* all[] = {&maps.defines, &maps.types, &maps.functions, &maps.enums, &maps.variables,
                         &maps.declarations};
    for (CSymbolMap* m : all)
        m->AddSymbol("x", Rec(1, "a.c"));
    maps.ClearSymbols(GetParam().mask);
    std::string left;
    const char letters[] = "dtfevc";
    for (int i = 0; i < 6; ++i)
        if (!all[i]->IsEmpty())
            left += letters[i];
    EXPECT_EQ(left, GetParam().leftFilled);
    EXPECT_EQ(maps.IsEmpty(), left.empty());
}

INSTANTIATE_TEST_SUITE_P(Masks, ClearSymbols,
                         ::testing::Values(ClearCase{kClearDefines, "tfevc"}, ClearCase{kClearTypes, "dfevc"},
                                           // functions take the variables with them
                                           ClearCase{kClearFunctions, "dtec"}, ClearCase{kClearEnums, "dtfvc"},
                                           ClearCase{kClearVariables, "dtfec"},
                                           ClearCase{kClearDeclarations, "dtfev"}, ClearCase{0, "dtfevc"},
                                           ClearCase{kClearAll, ""}));

} // namespace
