// Tool descriptions: how the editor runs one external program, the list of
// up to 20 configured tools, the current tool, and how the list is kept in
// profile sections "ExecApplication", "ExecApplication1", ...
//
// The sections are read and written through ToolStore, so that the same
// code serves the program's profile and a workspace file (tool_profile.h
// gives the store over an INI file).
#pragma once

#include <string>
#include <vector>

const int kMaxTools = 20;
const int kFirstToolCommand = 32870; // 32870 + position, up to 32889
const int kMaxToolNameLength = 15;

// The parameter macros offered in the tool dialog.
extern const char* const kToolMacros[7];
// The message format names offered in the tool dialog, "None" first.
extern const char* const kToolFormatNames[16];

struct CToolInfo {
    std::string Toolname;
    std::string AppParms;
    std::string Compiler;
    std::string AppExe;
    std::string AppDir;
    int RedirToFile = 0;
    int ChangeDir = 0;
    int SaveBeforeRun = 0;
    int CaptureOut = 0;
    int ShortPathname = 0;
    int CommandId = 0;
};

// The tool the runner and the diagnostic parser read: the one last started.
struct CCurrentTool {
    std::string AppParms;
    std::string AppExe;
    std::string AppDir;
    std::string Compiler;
    int RedirToFile = 0;
    int CaptureOut = 0;
    int SaveBeforeRun = 0;
    int ChangeDir = 0;
    int ShortPath = 0; // the view's macro expansion uses short path names
};

// Copies the tool into the current tool; with ShortPathname on, the
// program and start directory are shortened by shorten (the record keeps
// its long form).
using PathShortener = std::string (*)(const std::string& path);
void SetCurrentTool(const CToolInfo& tool, CCurrentTool& current, PathShortener shorten);

// The label of a tool's button and menu item: a blank and the name; a name
// longer than 15 characters shows its first 14 and "...".
std::string ToolLabel(const std::string& name);

// The name a tool without "Toolname" gets: the part of the program path
// after its last "\\", the path itself without one, "Tool<n>" (n 1-based)
// when the path is empty.
std::string DefaultToolName(const std::string& appExe, int number);

// The name a tool gets in the dialog when the user left it empty: the part
// after the last "\\" (or "/" when there is none).
std::string NameFromProgram(const std::string& appExe);

// "ExecApplication" for index 0, else "ExecApplication<index>".
std::string ToolSectionName(int index);

// The extension of a path (after its last "."), compared without case.
bool HasExtension(const std::string& path, const char* extension);

// Where the tool sections live.
class ToolStore {
public:
    virtual ~ToolStore() = default;
    virtual bool SectionExists(const std::string& section) const = 0;
    virtual std::vector<std::string> SectionNames() const = 0;
    virtual std::string GetString(const std::string& section, const char* key,
                                  const char* def) const = 0;
    virtual int GetInt(const std::string& section, const char* key, int def) const = 0;
    virtual void WriteString(const std::string& section, const char* key,
                             const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const char* key, int value) = 0;
    virtual void DeleteSection(const std::string& section) = 0;
};

// Reads the tool list. False when the section "ExecApplication" is missing:
// then nothing is read and the tools present stay. Otherwise tools holds the
// tools of the sections from 0 up to the first missing one, at most 20
// (command ids 32870 + position).
bool LoadToolList(const ToolStore& store, std::vector<CToolInfo>& tools);

// Writes the tool list: every tool section present is erased first (all
// numbers, so that a deleted tool does not come back), then one section per
// tool in order.
void SaveToolList(ToolStore& store, const std::vector<CToolInfo>& tools);

// Writes the current tool into "ExecApplication" (the single-tool settings
// command), keys in the order the command writes them.
void SaveCurrentTool(ToolStore& store, const CCurrentTool& current);
