// The shell's text work: tool macros, hand-over texts, the argument walk,
// recent entries and relative paths.
#include "editor/shell/shell_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

ToolMacroSource source(const std::string& path, const std::string& sel = "",
                       const std::string& workspace = "")
{
    ToolMacroSource s;
    s.path = path;
    s.selection = sel;
    s.workspacePath = workspace;
    return s;
}

TEST(ToolMacros, EachMacroTakesItsPartOfThePath)
{
    struct Case {
        const char* params;
        const char* expected;
    } cases[] = {
        {"$FILE", "main.c"},
        {"$EXT", "c"},
        {"$PATH", "C:\\src"},
        {"$DRIVE", "C"},
        {"$NAME", "main"},
        {"$CURSEL", "sel"},
        {"$PRJ", "board"},
        {"$PATH\\$NAME.hex", "C:\\src\\main.hex"},
        {"-o $NAME.obj $FILE", "-o main.obj main.c"},
        {"no macro here", "no macro here"},
        {"cost $5 and $FOO $FILE", "cost $5 and $FOO main.c"},
        {"$", "$"},
        {"$$FILE", "$main.c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandToolMacroText(c.params, source("C:\\src\\main.c", "sel", "D:\\w\\board.wsp")),
                  c.expected)
            << c.params;
}

TEST(ToolMacros, PathsWithoutPartsGiveTheDocumentedFallbacks)
{
    // No extension: $EXT is the whole path; no drive: $DRIVE is empty; no
    // directory: $PATH is empty and $FILE the whole name.
    ToolMacroSource s = source("makefile");
    EXPECT_EQ(ExpandToolMacroText("[$EXT][$DRIVE][$PATH][$FILE][$NAME][$PRJ]", s),
              "[makefile][][][makefile][makefile][]");
}

TEST(ToolMacros, MacrosDoNotSeeEachOthersResults)
{
    // A selection that looks like a macro stays as selected.
    EXPECT_EQ(ExpandToolMacroText("$CURSEL $NAME", source("C:\\a\\b.c", "$FILE")), "$FILE b");
}

TEST(ToolMacros, LongTextsExpandWhole)
{
    // Far beyond any fixed buffer: every piece survives, in order.
    std::string params, expected;
    for (int i = 0; i < 500; ++i) {
        params += "word" + std::to_string(i) + " $NAME ";
        expected += "word" + std::to_string(i) + " main ";
    }
    EXPECT_EQ(ExpandToolMacroText(params, source("C:\\src\\main.c")), expected);
    std::string longSelection(10000, 'x');
    EXPECT_EQ(ExpandToolMacroText("<$CURSEL>", source("C:\\a.c", longSelection)),
              "<" + longSelection + ">");
}

TEST(HandOver, ComposedTexts)
{
    struct Case {
        const char* text;
        int line;
        const char* expected;
    } cases[] = {
        {"file.c", 0, "C:\\work\\file.c"},
        {"file.c", 120, "C:\\work\\file.c -120"},
        // A relative path with folders is made absolute too: the running
        // program's working folder may be another one.
        {"sub\\file.c", 0, "C:\\work\\sub\\file.c"},
        {"a -b\\file.c", 3, "C:\\work\\a -b\\file.c -3"},
        {"\\\\server\\share\\file.c", 0, "\\\\server\\share\\file.c"},
        {"\\top\\file.c", 0, "\\top\\file.c"},
        {"D:/x/file.c", 7, "D:/x/file.c -7"},
        {"-wproject.wsp", 0, "-wproject.wsp"},
        {"/Wproject.wsp", 0, "/Wproject.wsp"},
        {"owner.c", 0, "C:\\work\\owner.c"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_TRUE(ComposeHandOverText(c.text, "C:\\work", c.line, out)) << c.text;
        EXPECT_EQ(out, c.expected) << c.text;
    }
}

TEST(HandOver, TextsThatDoNotFitAreRefusedWhole)
{
    std::string dir = "C:\\" + std::string(1000, 'd');
    std::string out = "stale";
    // Directory, backslash and name make exactly 1999 characters: it fits.
    std::string name(1999 - dir.size() - 1, 'n');
    EXPECT_TRUE(ComposeHandOverText(name, dir, 0, out));
    EXPECT_EQ(out.size(), 1999u);
    // One more character, or a line number behind it, no longer fits.
    EXPECT_FALSE(ComposeHandOverText(name + "x", dir, 0, out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ComposeHandOverText(name, dir, 5, out));
    EXPECT_FALSE(ComposeHandOverText("-w" + std::string(2000, 'w'), dir, 0, out));
}

TEST(HandOver, ParsedTexts)
{
    struct Case {
        const char* text;
        bool workspace;
        const char* path;
        int line;
    } cases[] = {
        {"C:\\work\\file.c -120", false, "C:\\work\\file.c", 120},
        {"C:\\work\\file.c", false, "C:\\work\\file.c", 0},
        {"C:\\my -dir\\file.c", false, "C:\\my -dir\\file.c", 0},
        {"-wC:\\p\\x.wsp", true, "C:\\p\\x.wsp", 0},
        {"-Wx.wsp", true, "x.wsp", 0},
        {"-i", false, "", 0},
        {"-x file.c -12", false, "", 0},
    };
    for (const Case& c : cases) {
        HandOverRequest r = ParseHandOverText(c.text);
        EXPECT_EQ(r.workspace, c.workspace) << c.text;
        EXPECT_EQ(r.path, c.path) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text;
    }
}

std::string calls_text(const std::vector<std::string>& args)
{
    std::string out;
    for (const ParamCall& c : WalkArguments(args)) {
        out += "[" + c.text + (c.flag ? " flag" : "") + (c.last ? " last" : "");
        if (c.line)
            out += " line " + std::to_string(c.line);
        out += "]";
    }
    return out;
}

TEST(CommandLine, WalkOverArguments)
{
    EXPECT_EQ(calls_text({}), "");
    EXPECT_EQ(calls_text({"a.c"}), "[a.c last]");
    EXPECT_EQ(calls_text({"a.c", "b.c"}), "[a.c][b.c last]");
    EXPECT_EQ(calls_text({"file.c", "-120"}), "[file.c last line 120]");
    EXPECT_EQ(calls_text({"file.c", "/7"}), "[file.c last line 7]");
    // A line number ends the walk: b is never opened.
    EXPECT_EQ(calls_text({"a", "-5", "b"}), "[a line 5]");
    // A workspace first, then a file.
    EXPECT_EQ(calls_text({"-wproj.wsp", "main.c"}), "[-wproj.wsp][main.c last]");
    // A workspace after a file reads as a line number 0 and ends the walk.
    EXPECT_EQ(calls_text({"main.c", "-wproj.wsp"}), "[main.c last]");
    // A name beginning with "w" is a file; other options lose their sign.
    EXPECT_EQ(calls_text({"owner.c"}), "[owner.c last]");
    EXPECT_EQ(calls_text({"-x"}), "[x flag last]");
}

TEST(RecentEntries, FormatAndParseRoundTrip)
{
    RecentPosition p;
    p.topLine = 12;
    p.selStart = 345;
    p.timeLow = 0x5BFE4860;
    p.timeHigh = 0x1C41BAD;
    std::string value = FormatRecentEntry("C:\\a\\b.c", p);
    EXPECT_EQ(value, "C:\\a\\b.c,12,345,5BFE4860,1C41BAD");
    RecentPosition q;
    EXPECT_EQ(ParseRecentEntry(value, q), "C:\\a\\b.c");
    EXPECT_EQ(q.topLine, 12);
    EXPECT_EQ(q.selStart, 345);
    EXPECT_EQ(q.timeLow, 0x5BFE4860u);
    EXPECT_EQ(q.timeHigh, 0x1C41BADu);
    // Without a caret position the entry is the bare path.
    EXPECT_EQ(FormatRecentEntry("C:\\a\\b.c", RecentPosition()), "C:\\a\\b.c");
    EXPECT_EQ(ParseRecentEntry("C:\\a\\b.c", q), "C:\\a\\b.c");
    EXPECT_EQ(q.selStart, 0);
}

TEST(Paths, RelativeToAWorkspace)
{
    EXPECT_EQ(MakeRelativePath("c:\\proj", "C:\\Proj\\src\\a.c"), ".\\src\\a.c");
    EXPECT_EQ(MakeRelativePath("c:\\proj", "D:\\other\\a.c"), "D:\\other\\a.c");
    EXPECT_EQ(MakeRelativePath("", "C:\\Proj\\a.c"), "C:\\Proj\\a.c");
    EXPECT_EQ(DirectoryOf("C:\\a\\b.c"), "C:\\a");
    EXPECT_EQ(FileNameOf("C:\\a\\b.c"), "b.c");
    EXPECT_EQ(FileNameOf("b.c"), "b.c");
}

} // namespace

TEST(GotoLine, TypedTexts)
{
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"12", 12},       {"0x1F", 31},   {"0X1f", 31},   {" 40", 40},
        {"word", 0},      {"", 0},        {"7abc", 7},    {"1F 0x", 31},
        {"99999999999999", 0x7FFFFFFF},   {"-3", -3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseGotoLineText(c.text), c.line) << c.text;
}

TEST(WindowTabs, LongPathsShowTheirEnd)
{
    std::string path80(80, 'a');
    EXPECT_EQ(WindowTabTipText(path80), path80);
    std::string path100 = std::string(24, 'x') + std::string(76, 'y');
    EXPECT_EQ(WindowTabTipText(path100), "..." + std::string(76, 'y'));
    EXPECT_EQ(WindowTabTipText(""), "");
}

TEST(LineNumberMargin, DigitsFollowTheLineCount)
{
    const std::pair<int, int> cases[] = {{0, 2},    {1, 2},    {99, 2},    {100, 3},    {999, 3},
                                         {1000, 4}, {9999, 4}, {10000, 5}, {123456, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(MarginDigits(c.first), c.second) << c.first;
}
