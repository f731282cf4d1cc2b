// Tool sections in a real INI file through the system's profile functions.
#include "editor/tools/tool_profile.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

namespace {

std::vector<CToolInfo> Tools(int n)
{
    std::vector<CToolInfo> tools;
    for (int i = 0; i < n; ++i) {
        CToolInfo t;
        t.Toolname = "tool " + std::to_string(i);
        t.AppExe = "C:\\bin\\gravik.exe";
        t.AppParms = " -f $FILE "; // blanks at both ends survive
        t.Compiler = "Borland";
        t.CaptureOut = 1;
        tools.push_back(t);
    }
    return tools;
}

} // namespace

TEST(ToolProfile, DeletedToolsStayDeletedAfterARestart)
{
    std::string ini = host_path(test_folder("profile") + "/ovanta.ini");
    winui::CProfile profile(ini);
    profile.WriteString("DefaultSettings", "ExecBar", "1");
    {
        CProfileToolStore store(profile);
        SaveToolList(store, Tools(20));
    }
    {
        // A later session deletes all but three tools and saves.
        CProfileToolStore store(profile);
        std::vector<CToolInfo> tools;
        ASSERT_TRUE(LoadToolList(store, tools));
        ASSERT_EQ(tools.size(), 20u);
        tools.resize(3);
        SaveToolList(store, tools);
    }
    // The next start reads three tools, exactly as saved.
    CProfileToolStore store(winui::CProfile{ini});
    std::vector<CToolInfo> tools;
    ASSERT_TRUE(LoadToolList(store, tools));
    ASSERT_EQ(tools.size(), 3u);
    EXPECT_EQ(tools[2].Toolname, "tool 2");
    EXPECT_EQ(tools[2].AppParms, " -f $FILE ");
    EXPECT_EQ(tools[2].Compiler, "Borland");
    for (int n = 3; n < 20; ++n)
        EXPECT_FALSE(store.SectionExists(ToolSectionName(n))) << n;
    EXPECT_EQ(profile.GetString("DefaultSettings", "ExecBar"), "1");
    std::string text = read_file(ini);
    EXPECT_EQ(text.find("ExecApplication3]"), std::string::npos);
}

TEST(ToolProfile, MissingFirstSectionKeepsTheTools)
{
    std::string ini = host_path(test_folder("missing") + "/ws.wsp");
    winui::CProfile profile(ini);
    profile.WriteString("ExecApplication1", "AppExe", "x.exe");
    CProfileToolStore store(profile);
    std::vector<CToolInfo> tools = Tools(2);
    EXPECT_FALSE(LoadToolList(store, tools));
    EXPECT_EQ(tools.size(), 2u);
}

TEST(ToolProfile, ShortPathNames)
{
    std::string dir = test_folder("a long folder name");
    write_file(dir + "/a long program name.exe", "x");
    std::string path = host_path(dir + "/a long program name.exe");
    std::string shortPath = ShortenPathName(path);
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_EQ(ShortenPathName("C:\\no such\\file here.exe"), "C:\\no such\\file here.exe");
    EXPECT_EQ(ShortenPathName(""), "");
}
