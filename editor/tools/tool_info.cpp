#include "editor/tools/tool_info.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const char* const kToolMacros[7] = {"$FILE", "$NAME", "$EXT", "$PATH", "$CURSEL", "$PRJ", "$DRIVE"};

const char* const kToolFormatNames[16] = {
    "None",    "Default",      "Keil C",   "Microtec PPC", "EMACS", "HPC",     "MS C/C++", "GNU166",
    "ViewLogic", "Borland",    "Motorola DSP", "LCCWin32", "CADUL", "TASKING", "PC-Lint",  "Mitsubishi"};

namespace {

const char kSectionBase[] = "ExecApplication";

// The number of a tool section name ("ExecApplication12" -> 12); -1 for any
// other name; 0 for "ExecApplication" itself. Profile names ignore case.
int SectionNumber(const std::string& name)
{
    size_t base = sizeof kSectionBase - 1;
    if (name.size() < base)
        return -1;
    for (size_t i = 0; i < base; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) !=
            std::tolower(static_cast<unsigned char>(kSectionBase[i])))
            return -1;
    if (name.size() == base)
        return 0;
    int number = 0;
    for (size_t i = base; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 100000)
            return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

} // namespace

void SetCurrentTool(const CToolInfo& tool, CCurrentTool& current, PathShortener shorten)
{
    current.AppParms = tool.AppParms;
    current.AppExe = tool.AppExe;
    current.AppDir = tool.AppDir;
    if (tool.ShortPathname) {
        current.ShortPath = 1;
        if (shorten) {
            current.AppExe = shorten(current.AppExe);
            current.AppDir = shorten(current.AppDir);
        }
    } else {
        current.ShortPath = 0;
    }
    current.Compiler = tool.Compiler;
    current.RedirToFile = tool.RedirToFile;
    current.CaptureOut = tool.CaptureOut;
    current.SaveBeforeRun = tool.SaveBeforeRun;
    current.ChangeDir = tool.ChangeDir;
}

std::string ToolLabel(const std::string& name)
{
    if (static_cast<int>(name.size()) > kMaxToolNameLength)
        return " " + name.substr(0, kMaxToolNameLength - 1) + "...";
    return " " + name;
}

std::string DefaultToolName(const std::string& appExe, int number)
{
    size_t slash = appExe.rfind('\\');
    if (slash != std::string::npos)
        return appExe.substr(slash + 1);
    if (!appExe.empty())
        return appExe;
    return "Tool" + std::to_string(number);
}

std::string NameFromProgram(const std::string& appExe)
{
    size_t slash = appExe.rfind('\\');
    if (slash == std::string::npos)
        slash = appExe.rfind('/');
    return slash == std::string::npos ? appExe : appExe.substr(slash + 1);
}

std::string ToolSectionName(int index)
{
    return index == 0 ? std::string(kSectionBase) : kSectionBase + std::to_string(index);
}

bool HasExtension(const std::string& path, const char* extension)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = path.substr(dot + 1);
    if (ext.size() != std::strlen(extension))
        return false;
    for (size_t i = 0; i < ext.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ext[i])) !=
            std::tolower(static_cast<unsigned char>(extension[i])))
            return false;
    return true;
}

bool LoadToolList(const ToolStore& store, std::vector<CToolInfo>& tools)
{
    if (!store.SectionExists(ToolSectionName(0)))
        return false;
    tools.clear();
    for (int n = 0;; ++n) {
        std::string section = ToolSectionName(n);
        if (!store.SectionExists(section))
            break;
        if (static_cast<int>(tools.size()) >= kMaxTools)
            continue; // refused, as the tool bar refuses a 21st button
        CToolInfo tool;
        tool.Toolname = store.GetString(section, "Toolname", "");
        tool.AppExe = store.GetString(section, "AppExe", "");
        tool.AppParms = store.GetString(section, "AppParms", "");
        tool.AppDir = store.GetString(section, "AppDir", "");
        tool.Compiler = store.GetString(section, "Compiler", "unbekannt");
        tool.CaptureOut = store.GetInt(section, "CaptureOut", 1);
        tool.RedirToFile = store.GetInt(section, "RedirToFile", 0);
        tool.SaveBeforeRun = store.GetInt(section, "SaveBeforeRun", 1);
        tool.ShortPathname = store.GetInt(section, "ShortPathname", 0);
        tool.ChangeDir = store.GetInt(section, "ChangeDir", 0);
        if (tool.Toolname.empty())
            tool.Toolname = DefaultToolName(tool.AppExe, n + 1);
        tool.CommandId = kFirstToolCommand + static_cast<int>(tools.size());
        tools.push_back(tool);
    }
    return true;
}

void SaveToolList(ToolStore& store, const std::vector<CToolInfo>& tools)
{
    // Every tool section goes, whatever its number: a list that shrank
    // leaves no older section behind for the next load to read.
    for (const std::string& name : store.SectionNames())
        if (SectionNumber(name) >= 0)
            store.DeleteSection(name);
    int index = 0;
    for (const CToolInfo& tool : tools) {
        std::string section = ToolSectionName(index++);
        store.WriteInt(section, "CaptureOut", tool.CaptureOut);
        store.WriteInt(section, "RedirToFile", tool.RedirToFile);
        store.WriteString(section, "AppParms", tool.AppParms);
        store.WriteString(section, "AppDir", tool.AppDir);
        store.WriteString(section, "Compiler", tool.Compiler);
        store.WriteString(section, "AppExe", tool.AppExe);
        store.WriteInt(section, "SaveBeforeRun", tool.SaveBeforeRun);
        store.WriteInt(section, "ShortPathname", tool.ShortPathname);
        store.WriteInt(section, "ChangeDir", tool.ChangeDir);
        store.WriteString(section, "Toolname", tool.Toolname);
    }
}

void SaveCurrentTool(ToolStore& store, const CCurrentTool& current)
{
    const std::string section = ToolSectionName(0);
    store.WriteInt(section, "ChangeDir", current.ChangeDir);
    store.WriteString(section, "AppExe", current.AppExe);
    store.WriteString(section, "AppDir", current.AppDir);
    store.WriteString(section, "AppParms", current.AppParms);
    store.WriteInt(section, "CaptureOut", current.CaptureOut);
    store.WriteInt(section, "RedirToFile", current.RedirToFile);
    store.WriteInt(section, "SaveBeforeRun", current.SaveBeforeRun);
    store.WriteString(section, "Compiler", current.Compiler);
}
