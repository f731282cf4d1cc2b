// The text work of the editor shell that needs no window: expanding the "$"
// macros of a tool's parameters, the single-instance hand-over text, the
// walk over the program's arguments, the recent-file entries with their
// caret positions, and paths made relative to a workspace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// --- tool parameter macros -------------------------------------------------
// The values the macros of a tool's parameters stand for.
struct ToolMacroSource {
    std::string path;          // the active document's path (short form when asked)
    std::string selection;     // the editor's selected text
    std::string workspacePath; // the open workspace file, empty when none
};

// The parameter text with "$FILE", "$EXT", "$PATH", "$DRIVE", "$NAME",
// "$CURSEL" and "$PRJ" replaced; any other "$" word is kept as it is. Every
// macro takes its value from the source alone, so macros do not see each
// other's results; texts of any length are expanded.
std::string ExpandToolMacroText(const std::string& params, const ToolMacroSource& source);

// --- single-instance hand-over ----------------------------------------------
// Room for the hand-over text in the shared instance block, terminator
// included.
const size_t kHandOverTextSize = 2000;

// True when the argument names a workspace: "-w" or "/w" in either case.
bool IsWorkspaceArgument(const std::string& text);

// The hand-over text of one argument for the running instance: a workspace
// argument as given; a name with "\" or "/" as given; any other name after
// the current directory and "\"; " -line" appended for a line number. False
// (out left empty) when the text would not fit the shared block, so that it
// is refused instead of being cut into another path.
bool ComposeHandOverText(const std::string& text, const std::string& currentDir, int line,
                         std::string& out);

// What the receiving instance reads from a hand-over text.
struct HandOverRequest {
    bool workspace = false;
    std::string path; // the file, or the workspace after its "-w"; empty for other options
    int line = 0;     // 1-based, 0 for none
};
HandOverRequest ParseHandOverText(const std::string& text);

// --- program arguments -----------------------------------------------------
// One call of the command-line info's ParseParam.
struct ParamCall {
    std::string text;
    bool flag = false; // the argument began with "-" or "/" and is no workspace
    bool last = false;
    int line = 0;      // line number given after the argument, 0 for none
};
// The calls for the arguments after the program name: a "-n" or "/n" after a
// name is its line number and ends the walk.
std::vector<ParamCall> WalkArguments(const std::vector<std::string>& args);

// --- recent files with positions ---------------------------------------------
struct RecentPosition {
    int32_t topLine = 0;
    int32_t selStart = 0;
    uint32_t timeLow = 0;
    uint32_t timeHigh = 0;
};
// "path,top,sel,TIMELOW,TIMEHIGH", or the bare path when selStart is 0.
std::string FormatRecentEntry(const std::string& path, const RecentPosition& pos);
// Splits a profile value into its path and position (zeros when it has none).
std::string ParseRecentEntry(const std::string& value, RecentPosition& pos);

// --- paths -----------------------------------------------------------------
// "." plus the rest of path when the lower-cased path begins with base
// (given in lower case); otherwise path unchanged.
std::string MakeRelativePath(const std::string& base, const std::string& path);
// The directory part (before the last "\" or "/"), empty when none.
std::string DirectoryOf(const std::string& path);
// The name after the last "\" or "/".
std::string FileNameOf(const std::string& path);

// --- dialog texts -------------------------------------------------------------
// The line number typed into the goto-line dialog: hexadecimal when the text
// holds "0x" or "0X" anywhere (a leading prefix is allowed), else decimal;
// leading blanks are skipped and a text that starts with no number gives 0.
int ParseGotoLineText(const std::string& text);

// Digits of the line-number margin for a text of so many lines: 2 up to
// 99 lines, 3 up to 999, 4 up to 9999, else 5.
int MarginDigits(int lineCount);

// The tool tip of a window tab: the path, or "..." and its last 76
// characters when it is longer than 80.
std::string WindowTabTipText(const std::string& path);
