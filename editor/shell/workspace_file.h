// The text forms of a workspace file (*.wsp) that need no window: the
// [OpenFiles] entries with their positions, "ActFile", the [Project]
// "SaveTime" stamp, stored (relative) paths, the closed-files list, the
// document tab bar's code, and the rules of the recent lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One [OpenFiles] "File%d" value: "path,top,caret,TIMELOW,TIMEHIGH" with
// ",m" (minimised) or ",M" (maximised) appended, or a bare path.
struct OpenFileEntry {
    std::string path;
    long topLine = 0;
    long caret = 0;
    uint32_t timeLow = 0;
    uint32_t timeHigh = 0;
    char state = 0;    // 'm', 'M' or 0
    bool bare = true;  // a value without position fields
    int fields = 0;    // how many of the five fields after the path were read
};

std::string FormatOpenFileEntry(const OpenFileEntry& entry);
// The path is what stands before the position fields, so that a path with
// commas reads back whole: the fields are taken from the end of the value
// (top and caret in decimal, the times in hexadecimal, a one-letter state);
// a value whose end is no such fields is a bare path.
OpenFileEntry ParseOpenFileEntry(const std::string& value);

// "ActFile": the path with ",M" when its window was maximised, or with a
// "," when the path's own end would read as a state.
std::string FormatActFile(const std::string& path, bool maximized);
// Only a one-letter field after the last comma is the state; the path keeps
// every other comma.
void ParseActFile(const std::string& value, std::string& path, char& state);

// A FILETIME as "%lX,%lX" (low half, high half).
std::string FormatFileTime(uint32_t low, uint32_t high);
bool ParseFileTime(const std::string& value, uint32_t& low, uint32_t& high);

// The workspace directory: the path cut before its last "\", lower case.
std::string WorkspaceDirectoryOf(const std::string& path);
// A stored entry that begins with "." is the workspace directory followed
// by the entry without that first character; any other stays as it is.
std::string ExpandStoredPath(const std::string& workspaceDir, const std::string& entry);
// Whether a stored path is in a list (paths compare without regard to case).
bool ContainsPath(const std::vector<std::string>& list, const std::string& path);
// Drops every entry of a list that names the path (without regard to case).
void ErasePath(std::vector<std::string>& list, const std::string& path);

// The closed files that [ClosedFiles] gets: those of the closed list that
// are in the workspace file list, in list order.
std::vector<std::string> ClosedFilesToWrite(const std::vector<std::string>& closed,
                                            const std::vector<std::string>& fileList);

// The "FileBar" value that the settings and a workspace get: the side of
// the document tab bar now, hidden (0x10) only when the user hid it (the
// value held has 0x10, or the mark 0x20 of a bar the user had hidden when
// the last document closed) and not because the bar hides itself while no
// document is open; earlier codes do not pile up.
int StoredFileBarCode(int barCode, int held);

// Whether a document opened in a workspace gets its stored position back:
// only when the workspace has its "SaveTime", the file's time could be read
// and the file was not changed after that time.
bool RestoresPosition(bool haveSaveTime, uint64_t saveTime, bool haveFileTime, uint64_t fileTime);

// "Save Workspace": ".wsp" is appended to a name that has no "." at all.
std::string WithWorkspaceExtension(const std::string& path);

// The name an untitled document has ("unknown" and a number, no folder):
// such names stay out of the recent lists, paths that merely contain the
// word go in.
bool IsUntitledDocumentName(const std::string& path);
