// Copies of browsed records and the identifier tip built from them.
#include "editor/symbols/symbol_hits.h"
#include "editor/symbols/tests/symbol_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SymbolHits, CopiesCarryTheOwnerByValueAndOutliveTheMaps)
{
    CSymbolHitLists hits;
    {
        CBrowserMaps maps;
        CSymbolInfo* f = AddTestSymbol(maps.functions, "main", kKindFunction, 10, 20, "int main(void)", "a.c");
        AddTestSymbol(maps.variables, "i", kKindVariable, 12, 0, "int", "a.c", f);
        EXPECT_EQ(AppendSymbolHits(maps.variables, "i", hits), 1);
        EXPECT_EQ(AppendSymbolHits(maps.functions, "nothing", hits), 0);
    }
    ASSERT_EQ(hits.size(), 1u);
    const CSymbolHit& i = hits[0][0];
    EXPECT_TRUE(i.hasOwner);
    EXPECT_EQ(i.ownerText, "main");
    EXPECT_EQ(i.ownerFirstLine, 10);
    EXPECT_EQ(i.ownerLastLine, 20);
    EXPECT_EQ(*i.ownerFile, "a.c");
}

TEST(IdentifierTip, OneRecordDescribesIt)
{
    CBrowserMaps maps;
    CSymbolInfo* f = AddTestSymbol(maps.functions, "main", kKindFunction, 10, 20, "int main(void)", "a.c");
    AddTestSymbol(maps.variables, "count", kKindVariable, 1, 0, "static int", "a.c");
    AddTestSymbol(maps.variables, "i", kKindVariable, 12, 0, "int", "a.c", f);
    AddTestSymbol(maps.variables, "j", kKindVariable, 12, 0, nullptr, "a.c", f);
    AddTestSymbol(maps.defines, "N", kKindDefine, 3, 3, nullptr, "a.c");
    struct Case {
        CSymbolMap* map;
        const char* word;
        const char* tip;
    } cases[] = {
        {&maps.functions, "main", "int main(void)"},
        {&maps.variables, "count", "global static int"},
        {&maps.variables, "i", "local int in main, "},
        {&maps.variables, "j", "local in main"},
        {&maps.defines, "N", "N"},
    };
    for (const Case& c : cases) {
        CSymbolHitLists hits;
        AppendSymbolHits(*c.map, c.word, hits);
        IdentifierTip tip = BuildIdentifierTip(c.word, 15, hits, true);
        EXPECT_EQ(tip.text, c.tip) << c.word;
        EXPECT_FALSE(tip.showTags);
    }
}

TEST(IdentifierTip, SeveralRecordsGoToTheTagsPane)
{
    CBrowserMaps maps;
    CSymbolInfo* f = AddTestSymbol(maps.functions, "f", kKindFunction, 10, 20, "void f(int)", "a.c");
    AddTestSymbol(maps.functions, "open", kKindFunction, 4, 9, "int open(void)", "a.c");
    AddTestSymbol(maps.functions, "open", kKindFunction, 30, 40, "bool open(const char*)", "b.cpp", nullptr, "CFile");
    AddTestSymbol(maps.functions, "open", kKindFunction, 50, 60, nullptr, "c.c");
    AddTestSymbol(maps.variables, "open", kKindVariable, 11, 0, "int", "a.c", f);
    CSymbolHitLists hits;
    AppendSymbolHits(maps.functions, "open", hits);
    AppendSymbolHits(maps.variables, "open", hits);

    // The output bar shows: the tags list every record but the variables;
    // the local variable whose function holds the line names the tip.
    IdentifierTip inside = BuildIdentifierTip("open", 15, hits, true);
    EXPECT_TRUE(inside.showTags);
    EXPECT_EQ(inside.text, "local int in f, ");
    const std::vector<std::string> tags = {"a.c(5): int open(void)", "b.cpp(31): CFile::bool open(const char*) ",
                                           "c.c(51): open"};
    EXPECT_EQ(inside.tags, tags);
    IdentifierTip outside = BuildIdentifierTip("open", 25, hits, true);
    EXPECT_EQ(outside.text, "multiple occurences found for \"open\" -> output window");
    EXPECT_EQ(outside.tags, tags);

    // Without the bar: no tags; with records of two maps the variables are
    // not visited.
    IdentifierTip hidden = BuildIdentifierTip("open", 15, hits, false);
    EXPECT_FALSE(hidden.showTags);
    EXPECT_TRUE(hidden.tags.empty());
    EXPECT_EQ(hidden.text, "multiple occurences found for \"open\" -> open output window!");
    CSymbolHitLists one;
    AppendSymbolHits(maps.variables, "open", one);
    one[0].push_back(one[0][0]);
    EXPECT_EQ(BuildIdentifierTip("open", 15, one, false).text, "local int in f, ");
}

TEST(IdentifierTip, DefinitionSkipsVariablesOfOtherFunctions)
{
    CBrowserMaps maps;
    CSymbolInfo* f = AddTestSymbol(maps.functions, "f", kKindFunction, 10, 20, "void f()", "a.c");
    CSymbolInfo* g = AddTestSymbol(maps.functions, "g", kKindFunction, 30, 40, "void g()", "a.c");
    AddTestSymbol(maps.variables, "x", kKindVariable, 11, 0, "int", "a.c", f);
    AddTestSymbol(maps.variables, "x", kKindVariable, 31, 0, "long", "a.c", g);
    CSymbolHitLists hits;
    AppendSymbolHits(maps.variables, "x", hits);
    ASSERT_NE(ChooseDefinition(hits, 35, "a.c"), nullptr);
    EXPECT_EQ(*ChooseDefinition(hits, 35, "a.c")->name, "long");
    EXPECT_EQ(ChooseDefinition(hits, 25, "a.c"), nullptr);
    EXPECT_EQ(*ChooseDefinition(hits, 25, "other.c")->name, "int");
}

TEST(IdentifierTip, ALongFunctionHeadIsCutCleanly)
{
    // A head of 8191 characters into a buffer with guard bytes behind it.
    std::string head = "int f(" + std::string(8191 - 7, 'a') + ")";
    ASSERT_EQ(head.size(), 8191u);
    char buffer[512 + 16];
    std::memset(buffer, '#', sizeof buffer);
    CopyTipText(head, buffer, 512);
    EXPECT_EQ(std::strlen(buffer), 511u);
    EXPECT_EQ(std::string(buffer, 6), "int f(");
    EXPECT_EQ(std::string(buffer + 508, 3), "...");
    for (size_t i = 512; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << i;
    CopyTipText("short", buffer, 512);
    EXPECT_STREQ(buffer, "short");
    CopyTipText("abcdef", buffer, 3);
    EXPECT_STREQ(buffer, "..");
}
