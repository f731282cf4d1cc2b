// The project reference page: two small documents that call each other,
// written with the built-in template and with a template that uses every
// marker, compared with golden pages; and the failures that write nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/browser/project_reference.h"
#include "testing/kit/test_kit.h"

namespace {

// Editor texts: CR line ends.
std::string Cr(const std::string& lf)
{
    std::string s = lf;
    for (char& c : s)
        if (c == '\n')
            c = '\r';
    return s;
}

std::vector<ReferenceDocument> Documents()
{
    return {
        {"a.c *", "C:\\proj\\a.c",
         Cr("// $Version 1.2 of a\n"
            "int twice(int a);\n"
            "/** adds one to a <value> */\n"
            "int add(int a)\n"
            "{\n"
            "    //! first step\n"
            "    if (a) {\n"
            "        //! nested step\n"
            "    }\n"
            "    return twice(a) - a + twice(a);\n"
            "}\n")},
        {"b.c", "C:\\proj\\b.c",
         Cr("int add(int a);\n"
            "int twice(int a)\n"
            "{\n"
            "    return add(0) * 0 + a + a;\n"
            "}\n"
            "int main(void)\n"
            "{\n"
            "    return add(twice(1)) + lonely();\n"
            "}\n"
            "int lonely(void)\n"
            "{\n"
            "    return lonely();\n"
            "}\n")},
    };
}

const char kOwnTemplate[] =
    "<html><head><title>$prj</title></head><body>\n"
    "<!--prjinfo--><p>$f - $Version</p><!--prjinfo-->\n"
    "<hr><p>$f</p><p>$s / $h</p><ul><li>$c</li></ul><ul><li>$r</li></ul>\n"
    "<pre>$p</pre><pre>$d!</pre><pre>$d*</pre><pre>$d </pre>\n"
    "</body></html>\n";

std::string Golden(const char* name)
{
    return std::string(std::getenv("SUITE_SOURCE_DIR")) + "/editor/browser/tests/fixtures/" + name;
}

void ExpectGolden(const std::string& page, const char* name)
{
    std::string expected = read_file(Golden(name));
    if (page != expected)
        write_file(std::string(TEST_TMP_DIR) + "/" + name, page); // to compare by hand
    EXPECT_EQ(page, expected) << name;
}

TEST(ProjectReference, BuiltInTemplate)
{
    std::string dir = test_folder("builtin");
    std::string out = ProjectHtmlPath("", dir);
    std::string why;
    ASSERT_EQ(WriteProjectHtml("", kReferenceIndex | kReferenceMultipleCalls | kReferenceLineNumbers, Documents(), "",
                               out, &why),
              PROJECT_HTML_OK)
        << why;
    ExpectGolden(read_file(out), "project_builtin.htm");
}

TEST(ProjectReference, OwnTemplateWithEveryMarker)
{
    std::string dir = test_folder("own");
    write_file(dir + "/t.htm", kOwnTemplate);
    std::string out = dir + "/project.htm";
    ASSERT_EQ(WriteProjectHtml(dir + "/t.htm", kReferenceIndentComments, Documents(), "C:\\ws\\demo.wsp", out),
              PROJECT_HTML_OK);
    ExpectGolden(read_file(out), "project_own.htm");
}

TEST(ProjectReference, NoDocumentsGiveTheHeadAndAnEmptyIndex)
{
    std::string page;
    ASSERT_TRUE(BuildProjectHtml("", kReferenceIndex, {}, "", page));
    EXPECT_NE(page.find("-Functionsreference</font></p><hr><blockquote></blockquote>\n</body>\r\n</html>\r\n"),
              std::string::npos)
        << page;
}

TEST(ProjectReference, FailuresWriteNothing)
{
    std::string dir = test_folder("fail");
    std::string out = dir + "/project.htm";
    write_file(out, "old");
    write_file(dir + "/norule.htm", "<html><body>$f</body></html>");
    EXPECT_EQ(WriteProjectHtml(dir + "/missing.htm", 0, Documents(), "", out), PROJECT_HTML_NO_TEMPLATE);
    EXPECT_EQ(WriteProjectHtml(dir + "/norule.htm", 0, Documents(), "", out), PROJECT_HTML_NO_RULE);
    EXPECT_EQ(WriteProjectHtml("", 0, Documents(), "", dir + "/no/such/dir/project.htm"),
              PROJECT_HTML_WRITE_FAILED);
    EXPECT_EQ(read_file(out), "old");
}

// More documents than the old fixed array of 199 held: every one counts.
TEST(ProjectReference, ManyDocuments)
{
    std::vector<ReferenceDocument> docs;
    for (int i = 0; i < 250; ++i) {
        std::string n = std::to_string(i);
        std::string body = i == 0 ? "return 0;" : "return f" + std::to_string(i - 1) + "();";
        docs.push_back({"d" + n + ".c", "C:\\p\\d" + n + ".c", "int f" + n + "(void)\r{\r    " + body + "\r}\r"});
    }
    std::string page;
    ASSERT_TRUE(BuildProjectHtml("", kReferenceIndex, docs, "", page));
    for (int i = 0; i < 250; ++i)
        EXPECT_NE(page.find("<a name=\"f" + std::to_string(i) + "\">"), std::string::npos) << i;
    EXPECT_NE(page.find("d249.c</a>"), std::string::npos);
}

TEST(ProjectReference, WhereThePageGoes)
{
    EXPECT_EQ(ProjectHtmlPath("C:\\ws\\demo.wsp", "C:\\src"), "C:\\ws\\project.htm");
    EXPECT_EQ(ProjectHtmlPath("", "C:\\src"), "C:\\src\\project.htm");
    EXPECT_EQ(ProjectHtmlPath("", "/tmp/src/"), "/tmp/src/project.htm");
}

} // namespace
