// HTML export: a small coloured page against a golden file, the page read
// back by an HTML parser, escaping, line numbers, a line of 40,000
// characters, and exports that cannot be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "editor/syntax/html_export.h"
#include "editor/syntax/syntax_colorizer.h"
#include "memory_profile.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

size_t CountOf(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size()))
        ++n;
    return n;
}

class HtmlTest : public ::testing::Test {
protected:
    HtmlTest()
    {
        FreeSyntaxTemplates();
        MemoryProfile profile;
        CreateDefaultSyntaxTemplate(profile); // switches colouring on
        tmpl = g_SyntaxTemplates[0];
        dir = SYNTAX_TMP_DIR;
        mkdir(dir.c_str()
#ifndef _WIN32
              , 0755
#endif
        );
        // A colour table with distinct entries: text colours i, backgrounds
        // 16 + i.
        for (int i = 0; i < 32; ++i)
            core.SetColor(i, static_cast<uint32_t>(i * 0x010203));
        core.m_crBackground = 0x00FFEEDD;
    }
    ~HtmlTest() override
    {
        FreeSyntaxTemplates();
        g_bSyntaxColoring = 0;
    }

    std::string Export(const std::string& text, bool numbers, const std::string& name)
    {
        EXPECT_EQ(core.SetText(text.c_str()), 1);
        const std::string path = dir + "/" + name;
        std::string why;
        EXPECT_TRUE(ExportHtml(core, tmpl.get(), path, numbers, "Courier New", &why)) << why;
        return path;
    }

    // Runs the parser check on a page natively, where python3 is at hand.
    void CheckWithParser(const std::string& page, const std::string& shownText, bool numbered)
    {
#ifdef _WIN32
        (void)page, (void)shownText, (void)numbered;
#else
        const std::string textFile = page + ".txt";
        WriteAll(textFile, shownText);
        const std::string cmd = std::string("python3 ") + SYNTAX_TEST_DATA + "/../check_html.py '" + page + "' '" +
                                textFile + "'" + (numbered ? " numbered" : "");
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
#endif
    }

    CColorEditCore core;
    SyntaxTemplatePtr tmpl;
    std::string dir;
};

const char kSmallC[] = "#include <stdio.h>\r"
                       "/* a < b && c > d */\r"
                       "int main(void)\r"
                       "{\r"
                       "\tif (x) return \"&lt;\"; // done\r"
                       "}";

TEST_F(HtmlTest, SmallColouredPageMatchesGoldenFile)
{
    const std::string page = ReadAll(Export(kSmallC, false, "small.htm"));
    const std::string golden = ReadAll(std::string(SYNTAX_TEST_DATA) + "/small.htm");
    EXPECT_EQ(page, golden);
    const std::string numbered = ReadAll(Export(kSmallC, true, "small_numbered.htm"));
    EXPECT_EQ(numbered, ReadAll(std::string(SYNTAX_TEST_DATA) + "/small_numbered.htm"));
}

TEST_F(HtmlTest, PagesParseAndShowTheText)
{
    // The text as a page shows it: tab and fill as blanks.
    std::string shown = kSmallC;
    shown.replace(shown.find('\t'), 1, "    ");
    CheckWithParser(Export(kSmallC, false, "parse.htm"), shown, false);
    CheckWithParser(Export(kSmallC, true, "parse_numbered.htm"), shown, true);
    g_bSyntaxColoring = 0;
    CheckWithParser(Export(kSmallC, false, "parse_plain.htm"), shown, false);
    CheckWithParser(Export(kSmallC, true, "parse_plain_numbered.htm"), shown, true);
}

TEST_F(HtmlTest, LongLineIsExportedWhole)
{
    std::string line(40000, 'x');
    line[20000] = '<';
    const std::string text = "int a;\r" + line + "\rint b;";
    for (bool numbers : {false, true}) {
        const std::string path = Export(text, numbers, numbers ? "long_numbered.htm" : "long.htm");
        const std::string page = ReadAll(path);
        EXPECT_EQ(CountOf(page, "x") - CountOf(page.substr(0, page.find("<pre>")), "x"), 39999u) << numbers;
        EXPECT_EQ(CountOf(page, std::string(19000, 'x') + "&lt;" + std::string(19000, 'x')), 1u) << numbers;
        CheckWithParser(path, text, numbers);
    }
}

TEST_F(HtmlTest, ColourTagsAndEscaping)
{
    uint32_t lastText = kHtmlPageStart, lastBack = kHtmlPageStart;
    // The page start writes both tags even for the default colours.
    EXPECT_EQ(HtmlColorTags(core, 0x00, lastText, lastBack),
              "<font color=\"#000000\"><span style=\"background-color: #302010\">");
    EXPECT_EQ(HtmlColorTags(core, 0x00, lastText, lastBack), "");
    // Only the background changes: only a span.
    EXPECT_EQ(HtmlColorTags(core, 0x10, lastText, lastBack), "<span style=\"background-color: #332211\">");
    EXPECT_EQ(HtmlColorTags(core, 0x11, lastText, lastBack), "<font color=\"#030201\">");

    std::string out;
    const std::string text = "a & b < c > d \"q\"";
    AppendHtmlText(out, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
    EXPECT_EQ(out, "a &amp; b &lt; c &gt; d \"q\"");
}

TEST_F(HtmlTest, NumberWidthFollowsLineCount)
{
    std::string text99, text100;
    for (int i = 0; i < 98; ++i)
        text99 += "a\r";
    text99 += "a";
    text100 = text99 + "\ra";
    const std::string p99 = ReadAll(Export(text99, true, "n99.htm"));
    const std::string p100 = ReadAll(Export(text100, true, "n100.htm"));
    EXPECT_NE(p99.find(">01<font"), std::string::npos);
    EXPECT_NE(p99.find(">99<font"), std::string::npos);
    EXPECT_NE(p100.find(">001<font"), std::string::npos);
    EXPECT_NE(p100.find(">100<font"), std::string::npos);
}

TEST_F(HtmlTest, EmptyTextGivesFrameOnly)
{
    const std::string page = ReadAll(Export("", false, "empty.htm"));
    const std::string tail = "size=\"2\"></font></pre></body>\n</html>\n";
    ASSERT_GE(page.size(), tail.size());
    EXPECT_EQ(page.substr(page.size() - tail.size()), tail);
    EXPECT_NE(page.find("<title>\rempty.htm</title>"), std::string::npos);
}

TEST_F(HtmlTest, FailedExportLeavesNothingBehind)
{
    ASSERT_EQ(core.SetText("int x;"), 1);
    std::string why;
    const std::string missing = dir + "/no/such/folder/page.htm";
    EXPECT_FALSE(ExportHtml(core, tmpl.get(), missing, false, "Courier New", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(Exists(missing));

    // A target that cannot be replaced keeps what it was, and no temporary
    // is left beside it.
    const std::string sub = dir + "/target_is_folder";
    mkdir(sub.c_str()
#ifndef _WIN32
          , 0755
#endif
    );
    WriteAll(sub + "/keep.txt", "kept");
    why.clear();
    EXPECT_FALSE(ExportHtml(core, tmpl.get(), sub, false, "Courier New", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(ReadAll(sub + "/keep.txt"), "kept");
}

} // namespace
