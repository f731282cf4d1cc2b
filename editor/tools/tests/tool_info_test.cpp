// Tool descriptions: names and labels, the current tool, and the tool
// sections read and written through a store.
#include "editor/tools/tool_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// An INI file in memory; section names compare without case as the
// profile functions do.
class MemoryStore : public ToolStore {
public:
    using Section = std::map<std::string, std::string>;
    std::vector<std::pair<std::string, Section>> sections;

    Section* Find(const std::string& name)
    {
        for (auto& s : sections)
            if (SameName(s.first, name))
                return &s.second;
        return nullptr;
    }
    const Section* Find(const std::string& name) const
    {
        return const_cast<MemoryStore*>(this)->Find(name);
    }
    bool SectionExists(const std::string& section) const override { return Find(section); }
    std::vector<std::string> SectionNames() const override
    {
        std::vector<std::string> names;
        for (const auto& s : sections)
            names.push_back(s.first);
        return names;
    }
    std::string GetString(const std::string& section, const char* key,
                          const char* def) const override
    {
        const Section* s = Find(section);
        if (!s || !s->count(key))
            return def;
        return s->at(key);
    }
    int GetInt(const std::string& section, const char* key, int def) const override
    {
        const Section* s = Find(section);
        return s && s->count(key) ? std::atoi(s->at(key).c_str()) : def;
    }
    void WriteString(const std::string& section, const char* key,
                     const std::string& value) override
    {
        Section* s = Find(section);
        if (!s) {
            sections.push_back({section, {}});
            s = &sections.back().second;
        }
        (*s)[key] = value;
        order.push_back(section + "." + key);
    }
    void WriteInt(const std::string& section, const char* key, int value) override
    {
        WriteString(section, key, std::to_string(value));
    }
    void DeleteSection(const std::string& section) override
    {
        sections.erase(std::remove_if(sections.begin(), sections.end(),
                                      [&](const auto& s) {
                                          return SameName(s.first, section);
                                      }),
                       sections.end());
    }
    std::vector<std::string> order;
};

CToolInfo Tool(const std::string& name, const std::string& exe)
{
    CToolInfo t;
    t.Toolname = name;
    t.AppExe = exe;
    t.AppParms = "-f $FILE";
    t.Compiler = "Borland";
    t.CaptureOut = 1;
    t.SaveBeforeRun = 1;
    return t;
}

std::vector<CToolInfo> Tools(int n)
{
    std::vector<CToolInfo> tools;
    for (int i = 0; i < n; ++i)
        tools.push_back(Tool("tool" + std::to_string(i), "c:\\bin\\t" + std::to_string(i) + ".exe"));
    return tools;
}

} // namespace

TEST(ToolInfo, LabelsAndNames)
{
    EXPECT_EQ(ToolLabel("make"), " make");
    EXPECT_EQ(ToolLabel("fifteen chars!!"), " fifteen chars!!");
    EXPECT_EQ(ToolLabel("sixteen chars!!!"), " sixteen chars!...");
    EXPECT_EQ(DefaultToolName("c:\\bin\\make.exe", 1), "make.exe");
    EXPECT_EQ(DefaultToolName("make.exe", 1), "make.exe");
    EXPECT_EQ(DefaultToolName("", 3), "Tool3");
    EXPECT_EQ(NameFromProgram("c:/bin/gravik.exe"), "gravik.exe");
    EXPECT_EQ(NameFromProgram("c:\\a/b\\gravik.exe"), "gravik.exe");
    EXPECT_EQ(ToolSectionName(0), "ExecApplication");
    EXPECT_EQ(ToolSectionName(12), "ExecApplication12");
    EXPECT_TRUE(HasExtension("c:\\m\\x.MCR", "mcr"));
    EXPECT_FALSE(HasExtension("c:\\m.cr\\x", "mcr"));
}

TEST(ToolInfo, CurrentToolShortensCopiesOnly)
{
    CToolInfo tool = Tool("t", "c:\\Program Files\\tool.exe");
    tool.AppDir = "c:\\Long Folder";
    tool.ShortPathname = 1;
    CCurrentTool current;
    SetCurrentTool(tool, current, [](const std::string& p) { return "short:" + p; });
    EXPECT_EQ(current.AppExe, "short:c:\\Program Files\\tool.exe");
    EXPECT_EQ(current.AppDir, "short:c:\\Long Folder");
    EXPECT_EQ(current.ShortPath, 1);
    EXPECT_EQ(tool.AppExe, "c:\\Program Files\\tool.exe");
    EXPECT_EQ(current.Compiler, "Borland");
    tool.ShortPathname = 0;
    SetCurrentTool(tool, current, nullptr);
    EXPECT_EQ(current.AppExe, tool.AppExe);
    EXPECT_EQ(current.ShortPath, 0);
}

TEST(ToolInfo, LoadReadsUpToTheFirstMissingSection)
{
    MemoryStore store;
    store.WriteString("ExecApplication", "AppExe", "c:\\bin\\make.exe\\");
    store.WriteString("ExecApplication1", "AppExe", "c:\\bin\\make.exe");
    store.WriteString("ExecApplication2", "Toolname", "");
    store.WriteString("ExecApplication4", "Toolname", "after a gap");
    std::vector<CToolInfo> tools = Tools(1);
    ASSERT_TRUE(LoadToolList(store, tools));
    ASSERT_EQ(tools.size(), 3u);
    EXPECT_EQ(tools[0].Toolname, "");  // the path ends in a backslash
    EXPECT_EQ(tools[1].Toolname, "make.exe");
    EXPECT_EQ(tools[2].Toolname, "Tool3");
    EXPECT_EQ(tools[2].Compiler, "unbekannt");
    EXPECT_EQ(tools[2].CaptureOut, 1);
    EXPECT_EQ(tools[2].SaveBeforeRun, 1);
    EXPECT_EQ(tools[2].RedirToFile, 0);
    EXPECT_EQ(tools[2].CommandId, kFirstToolCommand + 2);
}

TEST(ToolInfo, WithoutTheFirstSectionNothingIsRead)
{
    MemoryStore store;
    store.WriteString("ExecApplication1", "AppExe", "x.exe");
    std::vector<CToolInfo> tools = Tools(2);
    EXPECT_FALSE(LoadToolList(store, tools));
    EXPECT_EQ(tools.size(), 2u);
}

TEST(ToolInfo, ATwentyFirstToolIsDropped)
{
    MemoryStore store;
    SaveToolList(store, Tools(20));
    store.WriteString("ExecApplication20", "AppExe", "extra.exe");
    std::vector<CToolInfo> tools;
    ASSERT_TRUE(LoadToolList(store, tools));
    EXPECT_EQ(tools.size(), 20u);
    EXPECT_EQ(tools.back().CommandId, 32889);
}

TEST(ToolInfo, SaveWritesEveryFieldInOrderAndLoadGivesItBack)
{
    MemoryStore store;
    std::vector<CToolInfo> saved = Tools(2);
    saved[1].RedirToFile = 1;
    saved[1].CaptureOut = 0;
    saved[1].ChangeDir = 1;
    saved[1].ShortPathname = 1;
    saved[1].AppDir = "$PATH";
    SaveToolList(store, saved);
    std::vector<std::string> first(store.order.begin(), store.order.begin() + 10);
    EXPECT_EQ(first, (std::vector<std::string>{
                         "ExecApplication.CaptureOut", "ExecApplication.RedirToFile",
                         "ExecApplication.AppParms", "ExecApplication.AppDir",
                         "ExecApplication.Compiler", "ExecApplication.AppExe",
                         "ExecApplication.SaveBeforeRun", "ExecApplication.ShortPathname",
                         "ExecApplication.ChangeDir", "ExecApplication.Toolname"}));
    std::vector<CToolInfo> loaded;
    ASSERT_TRUE(LoadToolList(store, loaded));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1].AppDir, "$PATH");
    EXPECT_EQ(loaded[1].RedirToFile, 1);
    EXPECT_EQ(loaded[1].CaptureOut, 0);
    EXPECT_EQ(loaded[1].ChangeDir, 1);
    EXPECT_EQ(loaded[1].ShortPathname, 1);
    EXPECT_EQ(loaded[1].Toolname, "tool1");
}

TEST(ToolInfo, DeletedToolsDoNotComeBack)
{
    // Twenty tools saved, then the list shrinks to five: sections 5 to 19
    // must all go, or the next load reads the old tools again.
    MemoryStore store;
    store.WriteString("Other", "Keep", "1");
    SaveToolList(store, Tools(20));
    store.WriteString("execapplication25", "AppExe", "stale.exe"); // any number
    SaveToolList(store, Tools(5));
    EXPECT_TRUE(store.SectionExists("ExecApplication4"));
    for (int n = 5; n <= 25; ++n)
        EXPECT_FALSE(store.SectionExists(ToolSectionName(n))) << n;
    EXPECT_TRUE(store.SectionExists("Other"));
    std::vector<CToolInfo> loaded;
    ASSERT_TRUE(LoadToolList(store, loaded));
    EXPECT_EQ(loaded.size(), 5u);

    // An empty list leaves no tool section at all.
    SaveToolList(store, {});
    EXPECT_FALSE(LoadToolList(store, loaded));
    EXPECT_EQ(store.sections.size(), 1u);
}

TEST(ToolInfo, SingleToolCommandWritesTheCurrentTool)
{
    MemoryStore store;
    CCurrentTool current;
    current.AppExe = "gravik.exe";
    current.Compiler = "Borland";
    SaveCurrentTool(store, current);
    EXPECT_EQ(store.order.front(), "ExecApplication.ChangeDir");
    EXPECT_EQ(store.order.back(), "ExecApplication.Compiler");
    EXPECT_EQ(store.GetString("ExecApplication", "AppExe", ""), "gravik.exe");
}
