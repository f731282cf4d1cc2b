// Colouring of lines: comments over keywords, block comments nested and
// unterminated, strings with escapes, keywords next to punctuation, the
// whole-word and case options, checked byte by byte in the attribute buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/syntax/syntax_colorizer.h"
#include "editor/syntax/syntax_template.h"
#include "memory_profile.h"

namespace {

// One hex digit per attribute byte.
std::string Attrs(const CColorEditCore& core, int from = 0, int to = -1)
{
    if (to < 0)
        to = core.GetTextLength();
    std::string out;
    for (int i = from; i < to; ++i)
        out += "0123456789ABCDEF"[core.GetAttrBuffer()[i] & 0x0F];
    return out;
}

class ColourTest : public ::testing::Test {
protected:
    ColourTest()
    {
        FreeSyntaxTemplates();
        MemoryProfile profile;
        CreateDefaultSyntaxTemplate(profile);
        c = g_SyntaxTemplates[0];
    }
    ~ColourTest() override
    {
        FreeSyntaxTemplates();
        g_bSyntaxColoring = 0;
    }

    void Colour(const std::string& text, const CSyntaxTemplate* tmpl)
    {
        ASSERT_EQ(core.SetText(text.c_str()), 1);
        ColorizeRange(core, tmpl, 0, core.GetTextLength());
    }

    CColorEditCore core;
    SyntaxTemplatePtr c;
};

struct ColourCase {
    const char* name;
    const char* text;
    const char* attrs;
};

// Built-in template: comments 4, types and directives 1, flow 2,
// "#include" 3, strings 6.
const ColourCase kBuiltInCases[] = {
    {"line_comment_over_keyword", "int x; // if", "111000044444"},
    {"block_comment_then_keyword", "/* int */ int", "4444444440111"},
    {"block_comments_do_not_nest", "/* a /* b */ c */", "44444444444400000"},
    {"unterminated_block", "x /* if", "0044444"},
    {"keyword_in_string", "s = \"if\";", "000066660"},
    {"keywords_touch_punctuation", "if(x){return;}", "22000022222200"},
    {"if_inside_elif_not_marked", "#elif", "11111"},
    {"if_of_hash_if_marked", "#if x", "12200"},
    {"prefix_is_no_keyword", "integer", "0000000"},
    {"opener_behind_line_comment", "// a /* b\rint", "4444444440111"},
    {"line_comment_inside_block", "/* a\r// b */ int", "4444444444440111"},
    {"opener_in_string", "s = \"/*\"; int", "0000666600111"},
    {"escaped_quote_in_string", "s = \"a\\\"b\"; int", "000066666600111"},
    {"quote_char_literal", "c = '\"'; int", "000000000111"},
    {"string_in_comment", "// \"x\"\rint", "444444" "0" "111"},
    {"string_after_line_comment_in_string", "s = \"//\"; if", "000066660022"},
    {"unterminated_string_ends_with_line", "s = \"ab\rint", "00006660111"},
    {"include_to_its_colour", "#include <a.h>", "33333333000000"},
    {"pragma_without_whole_word", "#pragmas", "33333330"},
    {"tab_fill_counts_as_blank", "x\tint", "0000111"},
    {"case_of_keywords_matters", "Int INT int", "00000000111"},
};

class BuiltInColourTest : public ColourTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(BuiltInColourTest, Attributes)
{
    Colour(GetParam().text, c.get());
    EXPECT_EQ(Attrs(core), GetParam().attrs);
}

INSTANTIATE_TEST_SUITE_P(Cases, BuiltInColourTest, ::testing::ValuesIn(kBuiltInCases),
                         [](const ::testing::TestParamInfo<ColourCase>& i) { return std::string(i.param.name); });

TEST_F(ColourTest, BuiltInAssemblerTemplate)
{
    const CSyntaxTemplate* a = FindSyntaxTemplate("start.a51").get();
    ASSERT_NE(a, nullptr);
    // Mnemonics 2, registers 1, directives 3, comments 4, texts 6; any case.
    Colour("init: MOV @r0,#10 ; mov a\r.segment code\r .include \"x.inc\"\rmovx a,@dptr", a);
    EXPECT_EQ(Attrs(core), "000000222" "0" "011" "00000" "4444444" "0"
                           "33333333" "00000" "0"
                           "0" "33333333" "0" "6666666" "0"
                           "2222" "0" "1" "00" "1111");
}

TEST_F(ColourTest, OptionsOfKeywords)
{
    CSyntaxTemplate t; // no comment entry: keywords only
    AddSyntaxKeyword(t, "rem", SYNTAX_TO_LINE_END | 5);
    AddSyntaxKeyword(t, "mov", SYNTAX_IGNORE_CASE | 3);
    AddSyntaxKeyword(t, "$", SYNTAX_TO_WORD_END | 7);
    AddSyntaxKeyword(t, "int", SYNTAX_WHOLE_WORD | 1);
    Colour("MOV a rem x\r$abc d /* int */", &t);
    EXPECT_EQ(Attrs(core), "3330005555507777000000111000");
}

TEST_F(ColourTest, RangeStartingInsideBlockComment)
{
    ASSERT_EQ(core.SetText("/* a\rint b */ int\rx"), 1);
    const int line1 = 5;
    EXPECT_EQ(ColorizeRange(core, c.get(), line1, core.GetTextLength()), 0);
    EXPECT_EQ(Attrs(core, line1), "444444440111" "0" "0");
}

TEST_F(ColourTest, KeywordPassStaysInsideItsRange)
{
    // The range ends before "int": the keyword behind it keeps its colour,
    // and a keyword ending at the range's last byte is still whole.
    ASSERT_EQ(core.SetText("x int"), 1);
    ColorizeKeywords(core, c.get(), 0, 2);
    EXPECT_EQ(Attrs(core), "00000");
    ASSERT_EQ(core.SetText("intx"), 1);
    ColorizeKeywords(core, c.get(), 0, 3);
    EXPECT_EQ(Attrs(core), "1110");
}

TEST_F(ColourTest, StartNotBelowEndAndMissingTemplate)
{
    ASSERT_EQ(core.SetText("int x"), 1);
    EXPECT_EQ(ColorizeRange(core, c.get(), 3, 3), -1);
    EXPECT_EQ(Attrs(core), "00000");
    ColorizeRange(core, c.get(), 0, 5);
    EXPECT_EQ(ColorizeRange(core, nullptr, 0, 5), 0);
    EXPECT_EQ(Attrs(core), "00000");
    // Open-ended: to the end of the visible page.
    ASSERT_EQ(core.SetText("x int y"), 1);
    core.m_nVisibleLines = 10;
    EXPECT_EQ(ColorizeRange(core, c.get(), 2, -1), 0);
    EXPECT_EQ(Attrs(core), "0011100");
}

TEST_F(ColourTest, RecolourForPaintFollowsTheSwitch)
{
    ASSERT_EQ(core.SetText("x\rint y"), 1);
    core.m_nVisibleLines = 5;
    g_bSyntaxColoring = 0;
    EXPECT_EQ(RecolourForPaint(core, c.get(), 4), 2);
    EXPECT_EQ(Attrs(core), "0000000");
    g_bSyntaxColoring = 1;
    EXPECT_EQ(RecolourForPaint(core, c.get(), 4), 2);
    EXPECT_EQ(Attrs(core), "0011100");
    EXPECT_EQ(RecolourForPaint(core, c.get(), -1), -1);
}

TEST_F(ColourTest, DeletedTemplateColoursNothing)
{
    SyntaxTemplateRef ref = c;
    ASSERT_EQ(core.SetText("int x"), 1);
    ColorizeRange(core, ref.lock().get(), 0, 5);
    EXPECT_EQ(Attrs(core), "11100");
    DeleteSyntaxTemplate(c);
    c.reset();
    ColorizeRange(core, ref.lock().get(), 0, 5);
    EXPECT_EQ(Attrs(core), "00000");
}

TEST_F(ColourTest, CommentValueWithOptionBitsStillProtectsComments)
{
    CSyntaxTemplate t;
    AddSyntaxKeyword(t, "", 0x1000005);
    AddSyntaxKeyword(t, "int", SYNTAX_WHOLE_WORD | 1);
    Colour("// int\rint", &t);
    EXPECT_EQ(Attrs(core), "555555" "0" "111");
}

} // namespace

namespace {

// The comment index gives the same colours as the search back through the
// text, also after edits above the screen, reported or not.
TEST_F(ColourTest, CommentIndexAgreesWithSearch)
{
    std::string text;
    for (int i = 0; i < 6000; ++i)
        text += i % 97 == 0 ? "/* a comment\r over lines */ int x;\r" : "int y = 1; // note\rchar* s = \"/*\";\r";
    ASSERT_EQ(core.SetText(text.c_str()), 1);
    ASSERT_GT(core.GetTextLength(), 3 * 65536);
    CCommentIndex index;
    CColorEditCore plain;
    auto compare = [&](int line) {
        ASSERT_EQ(plain.SetText(reinterpret_cast<const char*>(core.GetTextBuffer())), 1);
        const int from = core.GetLineOffset(line);
        const int to = core.GetLineOffset(line + 40);
        ColorizeRange(core, c.get(), from, to, &index);
        ColorizeRange(plain, c.get(), from, to);
        EXPECT_EQ(Attrs(core, from, to), Attrs(plain, from, to)) << line;
    };
    for (int line : {0, 5000, 100, 9000, 11000})
        compare(line);
    // Open a comment far above the screen: reported...
    const int at = core.GetLineOffset(3);
    core.SetSel(at, at, false, false);
    int n = 2;
    core.InsertText(reinterpret_cast<const uint8_t*>("/*"), n, nullptr, 0);
    index.TextChanged(at);
    compare(100);
    EXPECT_EQ(core.GetAttrBuffer()[core.GetLineOffset(100)], 4);
    compare(9000);
    // ...and unreported (another view changed the text).
    core.SetSel(at, at + 2, false, false);
    core.DeleteText(true, false, 0);
    compare(100);
    EXPECT_NE(core.GetAttrBuffer()[core.GetLineOffset(100)], 4);
    compare(9000);
}

} // namespace

namespace {

// Templates of other languages, as users define them.
TEST_F(ColourTest, PerlTemplate)
{
    CSyntaxTemplate perl; // no comment entry: "#" comments are a keyword
    AddSyntaxKeyword(perl, "my", SYNTAX_WHOLE_WORD | 1);
    AddSyntaxKeyword(perl, "sub", SYNTAX_WHOLE_WORD | 2);
    AddSyntaxKeyword(perl, "\";\"", SYNTAX_BETWEEN_STRINGS | 6);
    AddSyntaxKeyword(perl, "#", SYNTAX_TO_LINE_END | 5);
    Colour("my $x = \"a\"; # my note\rsub f { }", &perl);
    EXPECT_EQ(Attrs(core), "11" "000000" "666" "00" "555555555" "0" "222" "000000");
}

TEST_F(ColourTest, VerilogTemplate)
{
    CSyntaxTemplate v;
    AddSyntaxKeyword(v, "", 4);
    AddSyntaxKeyword(v, "module", SYNTAX_WHOLE_WORD | 1);
    AddSyntaxKeyword(v, "endmodule", SYNTAX_WHOLE_WORD | 1);
    AddSyntaxKeyword(v, "begin", SYNTAX_WHOLE_WORD | 2);
    AddSyntaxKeyword(v, "end", SYNTAX_WHOLE_WORD | 2);
    AddSyntaxKeyword(v, "`define", SYNTAX_TO_WORD_END | 3);
    AddSyntaxKeyword(v, "\";\"", SYNTAX_BETWEEN_STRINGS | 6);
    Colour("module m; // end\r/* begin */ begin x = \"end\"; end\rendmodule `defineX y", &v);
    EXPECT_EQ(Attrs(core), "111111" "0000" "444444" "0" "44444444444" "0" "22222" "00000" "66666" "00" "222" "0"
                           "111111111" "0" "33333333" "00");
}

} // namespace

namespace {

// No work area limits the ranges: a keyword compared without case at the
// end of a line longer than 32,768 bytes is marked.
TEST_F(ColourTest, IgnoreCaseKeywordBeyondLongRun)
{
    CSyntaxTemplate t;
    AddSyntaxKeyword(t, "mov", SYNTAX_IGNORE_CASE | SYNTAX_WHOLE_WORD | 3);
    Colour(std::string(40000, 'x') + " MoV a", &t);
    EXPECT_EQ(Attrs(core, 40000), "033300");
}

} // namespace

namespace {

// The attributes of [from, to) as hex digits, read from the store's chunks
// (the attribute buffer itself would make the text contiguous).
std::string StoredAttrs(const CColorEditCore& core, int from, int to)
{
    std::vector<uint8_t> a(static_cast<size_t>(to - from));
    core.State().store.CopyOut(from, to, nullptr, a.data());
    std::string out;
    for (uint8_t b : a)
        out += "0123456789ABCDEF"[b & 0x0F];
    return out;
}

// After an edit the text lies in chunks; colouring a screen then works on
// the chunks (the text stays in pieces) and gives the colours of the same
// text coloured contiguous: ranges that cross chunk edges, that start in a
// block comment opened chunks and checkpoints earlier, and line comments,
// strings and keywords on the edges.
TEST_F(ColourTest, ColouringFromChunksAgreesWithContiguousText)
{
    std::string text;
    for (int i = 0; text.size() < 400000; ++i) {
        if (i % 50 == 7) {
            text += "/* a long comment";
            for (int k = 0; k < 400; ++k)
                text += " int if while \"/*\" // x\r";
            text += "*/ int z;\r";
        } else {
            text += i % 3 ? "int y = 1; // note if\r" : "char* s = \"/* no */\"; while (y) { return; }\r";
        }
    }
    ASSERT_EQ(core.SetText(text.c_str()), 1);
    // Edits near the top and in the middle: the text is in chunks now.
    for (int at : {10, 5000, 200000}) {
        core.SetSel(at, at, false, false);
        int n = 1;
        core.InsertText(reinterpret_cast<const uint8_t*>("x"), n, nullptr, 0);
    }
    ASSERT_FALSE(core.State().store.FlatCurrent());
    std::vector<uint8_t> now(static_cast<size_t>(core.GetTextLength()));
    core.State().store.CopyOut(0, core.GetTextLength(), now.data(), nullptr);
    CColorEditCore plain;
    ASSERT_EQ(plain.SetText(std::string(now.begin(), now.end()).c_str()), 1);

    const int edge = CTextStore::kChunkSize;
    std::vector<int> starts;
    for (int k : {1, 2, 7, 30, 100, 150})
        for (int d : {-1, 0, 1})
            starts.push_back(k * edge + d);
    for (int inComment = static_cast<int>(text.find("/* a long", 3 * 65536)); starts.size() < 24; inComment += 3000)
        starts.push_back(inComment + 2500); // deep in a comment opened far above
    CCommentIndex index;
    for (int from : starts) {
        const int to = std::min(from + 2600, core.GetTextLength());
        ColorizeRange(core, c.get(), from, to, &index);
        ColorizeRange(plain, c.get(), from, to);
        ASSERT_EQ(StoredAttrs(core, from, to), Attrs(plain, from, to)) << from;
        ASSERT_FALSE(core.State().store.FlatCurrent()) << "coloured without making the text contiguous";
    }
    EXPECT_NE(StoredAttrs(core, starts.back(), starts.back() + 10).find('4'), std::string::npos);

    // A template without comments needs no state: keywords from the line
    // start, also with no index.
    CSyntaxTemplate keywordsOnly;
    AddSyntaxKeyword(keywordsOnly, "note", SYNTAX_TO_LINE_END | 5);
    AddSyntaxKeyword(keywordsOnly, "int", SYNTAX_WHOLE_WORD | 1);
    for (int from : starts) {
        const int to = std::min(from + 2600, core.GetTextLength());
        ColorizeRange(core, &keywordsOnly, from, to);
        ColorizeRange(plain, &keywordsOnly, from, to);
        ASSERT_EQ(StoredAttrs(core, from - 40, to), Attrs(plain, from - 40, to)) << from;
        ASSERT_FALSE(core.State().store.FlatCurrent());
    }
}

} // namespace
