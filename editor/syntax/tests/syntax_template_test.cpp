// Templates: the built-in template, keywords, the profile format and its
// round trip, the choice by file name, names and keywords that would not
// survive a save, and editors whose template is deleted.
#include <gtest/gtest.h>

#include "editor/syntax/file_mask.h"
#include "editor/syntax/syntax_template.h"
#include "memory_profile.h"

namespace {

class TemplateTest : public ::testing::Test {
protected:
    TemplateTest()
    {
        FreeSyntaxTemplates();
        g_bSyntaxColoring = 0;
    }
    ~TemplateTest() override { FreeSyntaxTemplates(); }

    static SyntaxTemplatePtr Make(const std::string& name, const std::string& masks)
    {
        auto t = std::make_shared<CSyntaxTemplate>();
        t->name = name;
        t->FileAssoc = masks;
        g_SyntaxTemplates.push_back(t);
        return t;
    }

    MemoryProfile profile;
};

TEST_F(TemplateTest, BuiltInTemplateWhenProfileHasNone)
{
    ASSERT_TRUE(CreateDefaultSyntaxTemplate(profile));
    ASSERT_EQ(g_SyntaxTemplates.size(), 2u);
    const CSyntaxTemplate& t = *g_SyntaxTemplates[0];
    EXPECT_EQ(t.name, "C/C++");
    EXPECT_EQ(t.FileAssoc, "*.c *.h *.cpp");
    EXPECT_EQ(t.keywords.size(), 41u); // 40 distinct words and the comment entry
    EXPECT_EQ(t.commentValue, 4);
    EXPECT_EQ(t.keywords[0].text, "");
    EXPECT_EQ(t.keywords[0].value, 0x1000004);
    EXPECT_EQ(g_bSyntaxColoring, 1);
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "number", ""), "2");
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "template0", ""), "C/C++");
    EXPECT_EQ(profile.GetString("SyntaxTemplates", "template1", ""), kAsmTemplateName);
    EXPECT_EQ(profile.GetString("C/C++", "number", ""), "41");
    EXPECT_EQ(profile.GetString("C/C++", "syntax41", ""), ",16777220");
    EXPECT_EQ(profile.GetString("C/C++", "syntax1", ""), "#include,16777219");
    // A repeated word kept its first place and value.
    auto it = std::find_if(t.keywords.begin(), t.keywords.end(), [](const SyntaxKeyword& k) { return k.text == "void"; });
    ASSERT_NE(it, t.keywords.end());
    EXPECT_EQ(it - t.keywords.begin(), 10);
    EXPECT_EQ(it->value, 0x1000001);
    // With templates in the profile nothing is built.
    FreeSyntaxTemplates();
    EXPECT_FALSE(CreateDefaultSyntaxTemplate(profile));
    EXPECT_TRUE(g_SyntaxTemplates.empty());
}

TEST_F(TemplateTest, BuiltInAssemblerTemplateForTheSuitesSources)
{
    ASSERT_TRUE(CreateDefaultSyntaxTemplate(profile));
    for (const char* name : {"main.a51", "START.A51", "delay.s51"}) {
        SyntaxTemplatePtr t = FindSyntaxTemplate(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->name, kAsmTemplateName) << name;
    }
    EXPECT_EQ(FindSyntaxTemplate("main.c")->name, "C/C++");
    // It comes back from the profile as it was made.
    const std::vector<SyntaxKeyword> made = g_SyntaxTemplates[1]->keywords;
    FreeSyntaxTemplates();
    LoadSyntaxTemplates(profile);
    ASSERT_EQ(g_SyntaxTemplates.size(), 2u);
    const CSyntaxTemplate& back = *g_SyntaxTemplates[1];
    EXPECT_EQ(back.FileAssoc, "*.a51 *.s51");
    EXPECT_EQ(back.commentValue, -1) << "no C comments in assembler sources";
    ASSERT_EQ(back.keywords.size(), made.size());
    for (size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(back.keywords[i].text, made[i].text) << i;
        EXPECT_EQ(back.keywords[i].value, made[i].value) << i;
    }
}

TEST_F(TemplateTest, SaveAndLoadKeepEveryKeyword)
{
    auto t = Make("Verilog", "*.v *.vh");
    AddSyntaxKeyword(*t, "", 5);
    AddSyntaxKeyword(*t, "/*;*/", 0x10000005);
    AddSyntaxKeyword(*t, "two\rline\rbreaks", 7);
    AddSyntaxKeyword(*t, "a,b", 0x1000002);   // a comma in the text
    AddSyntaxKeyword(*t, "neg", -3);
    AddSyntaxKeyword(*t, "ends\\", 1);
    ASSERT_TRUE(SaveSyntaxTemplateList(profile));
    ASSERT_TRUE(SaveSyntaxTemplates(profile));
    EXPECT_EQ(profile.GetString("Verilog", "syntax5", ""), "/*;*/,268435461");
    EXPECT_EQ(profile.GetString("Verilog", "syntax4", ""), "two\\nline\\nbreaks,7");

    const std::vector<SyntaxKeyword> before = t->keywords;
    FreeSyntaxTemplates();
    LoadSyntaxTemplates(profile);
    ASSERT_EQ(g_SyntaxTemplates.size(), 1u);
    const CSyntaxTemplate& u = *g_SyntaxTemplates[0];
    EXPECT_EQ(u.name, "Verilog");
    EXPECT_EQ(u.FileAssoc, "*.v *.vh");
    EXPECT_EQ(u.commentValue, 5);
    ASSERT_EQ(u.keywords.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(u.keywords[i].text, before[i].text) << i;
        EXPECT_EQ(u.keywords[i].value, before[i].value) << i;
    }
}

TEST_F(TemplateTest, LoadReadsOldNamesDefaultsAndOddEntries)
{
    profile.WriteString("SyntaxTemplates", "number", "3");
    profile.WriteString("SyntaxTemplates", "template0", "SyntaxColors");
    profile.WriteString("C/C++", "number", "3");
    profile.WriteString("C/C++", "syntax3", "int, 16777217x");
    profile.WriteString("C/C++", "syntax2", "");       // skipped
    profile.WriteString("C/C++", "syntax1", "-4");     // comment entry, no comma
    profile.WriteString("SyntaxTemplates", "template1", "Perl");
    profile.WriteString("Perl", "syntax1", "sub,1");  // no number: no keyword read
    LoadSyntaxTemplates(profile);
    ASSERT_EQ(g_SyntaxTemplates.size(), 3u);
    const CSyntaxTemplate& c = *g_SyntaxTemplates[0];
    EXPECT_EQ(c.name, "C/C++");
    EXPECT_EQ(c.FileAssoc, "*.*");
    ASSERT_EQ(c.keywords.size(), 2u);
    EXPECT_EQ(c.keywords[0].text, "int");
    EXPECT_EQ(c.keywords[0].value, 16777217);
    EXPECT_EQ(c.commentValue, -4);
    EXPECT_TRUE(g_SyntaxTemplates[1]->keywords.empty());
    EXPECT_EQ(g_SyntaxTemplates[2]->name, ""); // missing name
}

TEST_F(TemplateTest, CountsBeyondWhatTheFileHoldsReadOnlyItsEntries)
{
    // A damaged or hand-edited ovanta.ini may claim far more templates or
    // keywords than it holds; the reading costs what the file holds.
    struct Case {
        const char* templates;
        const char* keywords;
    };
    const Case cases[] = {{"100000", "2"}, {"1", "100000"}, {"2147483647", "2147483647"}, {"1", "-5"}};
    for (const Case& c : cases) {
        FreeSyntaxTemplates();
        MemoryProfile p;
        p.WriteString("SyntaxTemplates", "number", c.templates);
        p.WriteString("SyntaxTemplates", "template0", "Asm");
        p.WriteString("Asm", "number", c.keywords);
        p.WriteString("Asm", "syntax1", "mov,1");
        p.WriteString("Asm", "syntax2", "add,2");
        LoadSyntaxTemplates(p);
        ASSERT_GE(g_SyntaxTemplates.size(), 1u) << c.templates;
        EXPECT_LE(g_SyntaxTemplates.size(), 2u) << c.templates;
        EXPECT_EQ(g_SyntaxTemplates[0]->name, "Asm");
        const size_t expected = ParseProfileInt(c.keywords) >= 2 ? 2u : 0u;
        EXPECT_EQ(g_SyntaxTemplates[0]->keywords.size(), expected) << c.keywords;
    }
}

TEST_F(TemplateTest, ListWithAGapKeepsTheTemplatesAfterIt)
{
    profile.WriteString("SyntaxTemplates", "number", "6");
    profile.WriteString("SyntaxTemplates", "template0", "Asm");
    profile.WriteString("SyntaxTemplates", "Template5", "Perl");
    profile.WriteString("Perl", "number", "1000");
    profile.WriteString("Perl", "syntax1000", "sub,1");
    profile.WriteString("Perl", "syntax0999", "my,1"); // not a name the profile writes
    LoadSyntaxTemplates(profile);
    ASSERT_FALSE(g_SyntaxTemplates.empty());
    EXPECT_EQ(g_SyntaxTemplates.front()->name, "Asm");
    const CSyntaxTemplate& perl = *g_SyntaxTemplates.back();
    EXPECT_EQ(perl.name, "Perl");
    ASSERT_EQ(perl.keywords.size(), 1u);
    EXPECT_EQ(perl.keywords[0].text, "sub");
}

TEST_F(TemplateTest, KeywordsAddReplaceRemove)
{
    CSyntaxTemplate t;
    AddSyntaxKeyword(t, "if", 1);
    AddSyntaxKeyword(t, "If", 2);
    AddSyntaxKeyword(t, "if", 3);
    ASSERT_EQ(t.keywords.size(), 2u);
    EXPECT_EQ(t.keywords[0].value, 3);
    AddSyntaxKeyword(t, "", 7);
    EXPECT_EQ(t.commentValue, 7);
    EXPECT_EQ(RemoveSyntaxKeyword(t, "IF"), 0);
    EXPECT_EQ(RemoveSyntaxKeyword(t, "If"), 1);
    EXPECT_EQ(RemoveSyntaxKeyword(t, ""), 1);
    EXPECT_EQ(t.commentValue, -1);
    t.commentValue = 9;
    EXPECT_EQ(RemoveSyntaxKeyword(t, ""), 0);
    EXPECT_EQ(t.commentValue, -1);
}

TEST_F(TemplateTest, ChoiceByFileName)
{
    auto any = Make("Text", "*.*");
    auto c = Make("C", "*.c *.h");
    EXPECT_EQ(FindSyntaxTemplate("src\\main.c"), c);
    EXPECT_EQ(FindSyntaxTemplate("/home/u/MAIN.H"), c);
    EXPECT_EQ(FindSyntaxTemplate("notes.txt"), any);
    DeleteSyntaxTemplate(any);
    EXPECT_EQ(FindSyntaxTemplate("notes.txt"), nullptr);
    EXPECT_EQ(FindSyntaxTemplate("README"), nullptr);
}

TEST_F(TemplateTest, DeletedTemplateNoLongerReachesEditors)
{
    auto t = Make("C", "*.c");
    SyntaxTemplateRef editorsTemplate = FindSyntaxTemplate("a.c");
    ASSERT_FALSE(editorsTemplate.expired());
    DeleteSyntaxTemplate(t);
    t.reset();
    EXPECT_TRUE(editorsTemplate.expired());
    EXPECT_EQ(editorsTemplate.lock(), nullptr);
}

TEST_F(TemplateTest, NamesThatWouldEraseOtherSettingsAreRefused)
{
    profile.WriteString("DefaultSettings", "Syntax", "1");
    profile.WriteString("MyTools", "x", "1");
    auto c = Make("C/C++", "*.c");
    profile.WriteString("C/C++", "number", "0");
    EXPECT_NE(CheckSyntaxTemplateName("DefaultSettings", profile), "");
    EXPECT_NE(CheckSyntaxTemplateName("defaultsettings", profile), "");
    EXPECT_NE(CheckSyntaxTemplateName("SyntaxTemplates", profile), "");
    EXPECT_NE(CheckSyntaxTemplateName("ExecApplication3", profile), "");
    EXPECT_NE(CheckSyntaxTemplateName("MyTools", profile), "");      // any other section
    EXPECT_NE(CheckSyntaxTemplateName("c/c++", profile), "");        // another template
    EXPECT_NE(CheckSyntaxTemplateName("", profile), "");
    EXPECT_NE(CheckSyntaxTemplateName("a]b", profile), "");
    EXPECT_EQ(CheckSyntaxTemplateName("Perl", profile), "");
    EXPECT_EQ(CheckSyntaxTemplateName("C/C++", profile, c.get()), ""); // keeping its own name
}

TEST_F(TemplateTest, KeywordsThatWouldNotSurviveAreRefused)
{
    EXPECT_EQ(CheckSyntaxKeyword("a,b"), "");
    EXPECT_EQ(CheckSyntaxKeyword("two\rlines"), "");
    EXPECT_EQ(CheckSyntaxKeyword("/*;*/"), "");
    EXPECT_NE(CheckSyntaxKeyword("two\r\nlines"), "");
    EXPECT_NE(CheckSyntaxKeyword("a\\nb"), "");
    EXPECT_NE(CheckSyntaxKeyword(" lead"), "");
    EXPECT_NE(CheckSyntaxKeyword(std::string("x\x01y")), "");
}

TEST_F(TemplateTest, SaveReportsFailedWrites)
{
    Make("C", "*.c");
    profile.failWrites = true;
    EXPECT_FALSE(SaveSyntaxTemplates(profile));
}

struct MaskCase {
    const char* name;
    const char* masks;
    bool expected;
};

const MaskCase kMaskCases[] = {
    {"main.c", "*.c *.h *.cpp", true},
    {"main.cpp", "*.c", false},
    {"MAIN.C", "*.c", true},
    {"dir\\sub\\x.h", "*.c *.h", true},
    {"a.b.cpp", "*.cpp", true},
    {"notes.txt", "*.*", true},
    {"README", "*.*", false},
    {"README", "*", true},
    {"a.txt", "*", false},
    {"makefile", "  makefile  ", true},
    {"test_a.c", "test*.c", true},
    {"tesx.c", "test*.c", false},
    {"a1.asm", "a?.asm", true},
    {"a12.asm", "a?.asm", false},
    {"axb.c", "a*b.c", true},
    {"x.c", "", false},
};

class MaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, Matches)
{
    EXPECT_EQ(MatchFileMask(GetParam().name, GetParam().masks), GetParam().expected)
        << GetParam().name << " / " << GetParam().masks;
}

INSTANTIATE_TEST_SUITE_P(Cases, MaskTest, ::testing::ValuesIn(kMaskCases));

} // namespace
