// Starting the current tool: what is done for which tool, and the tool
// bar's list with its command ids.
#include "editor/tools/tool_start.h"

#include <gtest/gtest.h>

namespace {

CCurrentTool Current(const std::string& exe, int capture, int redirect)
{
    CCurrentTool t;
    t.AppExe = exe;
    t.AppParms = "-f $FILE";
    t.AppDir = "$PATH";
    t.CaptureOut = capture;
    t.RedirToFile = redirect;
    return t;
}

std::string Expand(const std::string& text)
{
    std::string out = text;
    size_t at = out.find("$FILE");
    if (at != std::string::npos)
        out.replace(at, 5, "C:\\prj\\main.a51");
    at = out.find("$PATH");
    if (at != std::string::npos)
        out.replace(at, 5, "C:\\prj");
    return out;
}

CToolInfo Named(const std::string& name)
{
    CToolInfo t;
    t.Toolname = name;
    return t;
}

} // namespace

TEST(ToolStart, Decisions)
{
    struct Case {
        CCurrentTool tool;
        bool document;
        ToolStartAction action;
    } cases[] = {
        {Current("", 1, 0), true, ToolStartAction::kEditSettings},
        {Current("", 1, 0), false, ToolStartAction::kEditSettings},
        {Current("gravik.exe", 1, 0), false, ToolStartAction::kNothing},
        {Current("C:\\m\\build.MCR", 1, 0), true, ToolStartAction::kPlayMacro},
        {Current("gravik.exe", 1, 1), true, ToolStartAction::kCapture},
        {Current("gravik.exe", 0, 1), true, ToolStartAction::kRedirect},
        {Current("notepad.exe", 0, 0), true, ToolStartAction::kShellOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool.AppExe);
        EXPECT_EQ(PrepareToolStart(c.tool, c.document, Expand).action, c.action);
    }
}

TEST(ToolStart, CommandLineAndStartFolder)
{
    ToolStart s = PrepareToolStart(Current("gravik.exe", 1, 0), true, Expand);
    EXPECT_EQ(s.commandLine, "gravik.exe -f C:\\prj\\main.a51");
    EXPECT_EQ(s.startDir, "C:\\prj");
    // Without a view the texts are taken as stored.
    s = PrepareToolStart(Current("gravik.exe", 1, 0), true, nullptr);
    EXPECT_EQ(s.commandLine, "gravik.exe -f $FILE");
    EXPECT_EQ(s.startDir, "$PATH");
    // Empty parameters: no blank behind the program.
    CCurrentTool plain = Current("gravik.exe", 1, 0);
    plain.AppParms.clear();
    EXPECT_EQ(PrepareToolStart(plain, true, Expand).commandLine, "gravik.exe");
}

TEST(ToolStart, CommandLineLimit)
{
    CCurrentTool t = Current(std::string(200, 'p'), 1, 0);
    t.AppParms = std::string(59, 'a'); // 200 + 59 + 1 = 260: still fits
    EXPECT_EQ(PrepareToolStart(t, true, nullptr).action, ToolStartAction::kCapture);
    t.AppParms += "a";
    EXPECT_EQ(PrepareToolStart(t, true, nullptr).action, ToolStartAction::kTooLong);
}

TEST(ToolList, IdsFollowThePositions)
{
    CToolList list;
    for (const char* n : {"a", "b", "c"})
        list.Add(Named(n));
    list.Remove(1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1].Toolname, "c");
    EXPECT_EQ(list[1].CommandId, 32871);
    EXPECT_EQ(list.IndexOfCommand(32871), 1);
    EXPECT_EQ(list.IndexOfCommand(32872), -1);

    list.Assign({Named("a"), Named("b"), Named("c")});
    list.Move(0, 2); // the first button dropped on the third
    EXPECT_EQ(list[0].Toolname, "b");
    EXPECT_EQ(list[2].Toolname, "a");
    EXPECT_EQ(list[2].CommandId, 32872);
}

TEST(ToolList, TwentyAtMost)
{
    CToolList list;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(list.Add(Named("t")), i + 1);
    EXPECT_EQ(list.Add(Named("t")), -1);
    EXPECT_EQ(list[19].CommandId, 32889);
}

TEST(ToolList, Tips)
{
    CToolInfo t;
    EXPECT_EQ(CToolList::TipText(t), "No Application configured");
    t.AppExe = std::string(100, 'x');
    EXPECT_EQ(CToolList::TipText(t).size(), 79u);
}
