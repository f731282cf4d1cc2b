// Typing in a C file: the lines from the change to the end of the page are
// coloured again before each paint, read back from the attribute bytes.
#include "syntax_host.h"

#include <gtest/gtest.h>

namespace {

struct ColouringOn {
    ColouringOn() { g_bSyntaxColoring = 1; }
    ~ColouringOn() { g_bSyntaxColoring = 0; }
};

} // namespace

TEST(SyntaxTyping, EveryKeyRecoloursFromItsLine)
{
    ColouringOn on;
    // Editors hold templates weakly: the list (here the test) owns them.
    SyntaxTemplatePtr tmpl = MakeCTemplate();
    CSyntaxHost host;
    host.edit->SetSyntaxTemplate(tmpl);
    host.SetText("");
    // After each key: the text so far and the attribute of every byte.
    struct Step {
        char key;
        const char* attrs;
    };
    const Step steps[] = {
        {'i', "0"},          {'n', "00"},          {'t', "222"},           {' ', "2220"},
        {'x', "22200"},      {' ', "222000"},      {'/', "2220000"},       {'*', "22200033"},
        {' ', "222000333"},  {'*', "2220003333"},  {'/', "22200033333"},   {' ', "222000333330"},
        {'i', "2220003333300"}, {'n', "22200033333000"}, {'t', "222000333330222"},
    };
    std::string typed;
    for (const Step& step : steps) {
        host.Char(step.key);
        typed += step.key;
        ASSERT_EQ(host.Text(), typed);
        EXPECT_EQ(host.Attributes(), step.attrs) << "after \"" << typed << "\"";
    }
}

TEST(SyntaxTyping, OpeningACommentColoursTheLinesBelowAndDeletingItClearsThem)
{
    ColouringOn on;
    // Editors hold templates weakly: the list (here the test) owns them.
    SyntaxTemplatePtr tmpl = MakeCTemplate();
    CSyntaxHost host;
    host.edit->SetSyntaxTemplate(tmpl);
    host.SetText("a\rint b\rc", 0);
    EXPECT_EQ(host.Attributes(), "002220000");
    host.Type("/*");
    EXPECT_EQ(host.Text(), "/*a\rint b\rc");
    EXPECT_EQ(host.Attributes(), "33333333333");
    host.Char('\b');
    EXPECT_EQ(host.Text(), "/a\rint b\rc");
    EXPECT_EQ(host.Attributes(), "0002220000");
}

TEST(SyntaxTyping, WithoutTemplateOrWithColouringOffNothingIsColoured)
{
    // Editors hold templates weakly: the list (here the test) owns them.
    SyntaxTemplatePtr tmpl = MakeCTemplate();
    CSyntaxHost host;
    host.edit->SetSyntaxTemplate(tmpl);
    host.SetText("");
    host.Type("int x;");
    EXPECT_EQ(host.Attributes(), "000000") << "colouring is off";
    ColouringOn on;
    host.edit->SetSyntaxTemplate(nullptr);
    host.Type(" int");
    EXPECT_EQ(host.Attributes(), "0000000000");
}

TEST(SyntaxTyping, TheDefaultTemplateFollowsTheFileMask)
{
    ColouringOn on;
    SyntaxTemplatePtr c = MakeCTemplate();
    auto perl = std::make_shared<CSyntaxTemplate>();
    perl->name = "Perl";
    perl->FileAssoc = "*.pl";
    AddSyntaxKeyword(*perl, "sub", 5 | static_cast<int32_t>(SYNTAX_WHOLE_WORD));
    g_SyntaxTemplates = {perl, c};
    CSyntaxHost host;
    host.SetText("sub int");
    host.edit->Core().SetPathName("C:\\src\\main.c");
    host.edit->ChooseDefaultTemplate();
    EXPECT_EQ(host.edit->GetSyntaxTemplate(), c);
    EXPECT_EQ(host.Attributes(), "0000222");
    host.edit->Core().SetPathName("C:\\src\\tool.pl");
    host.edit->ChooseDefaultTemplate();
    EXPECT_EQ(host.edit->GetSyntaxTemplate(), perl);
    EXPECT_EQ(host.Attributes(), "5550000");
    // A template the colour dialogs delete stops colouring its editors.
    DeleteSyntaxTemplate(perl);
    perl.reset();
    host.edit->InvalidateText(1);
    EXPECT_EQ(host.Attributes(), "0000000");
    FreeSyntaxTemplates();
}

TEST(SyntaxTyping, AutoIndentAfterEnterAndClosingBrace)
{
    ColouringOn on;
    GetSyntaxEditSettings().autoIndent = 1;
    CSyntaxHost host;
    host.edit->Core().SetTabWidth(4);
    host.SetText("  if (x) {", 10);
    host.Char('\r');
    EXPECT_EQ(host.Text(), "  if (x) {\r      ");
    EXPECT_EQ(host.SelStart(), 17);
    host.Type("y;\r");
    EXPECT_EQ(host.Text(), "  if (x) {\r      y;\r      ");
    host.Char('}');
    // The brace moves back under its "{" line's opening column.
    EXPECT_EQ(host.Text(), "  if (x) {\r      y;\r         }");
    GetSyntaxEditSettings().autoIndent = 0;
}
