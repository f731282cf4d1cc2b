// zavit_settings: the editor's settings file and its list of remembered
// files, without any window.
//
// The file is plain text beside the program:
//   [Zavit]
//   Font= 'Fixedsys' -12 400 0
//   Desktop= X Y W H minimized maximized persistent classic
//   Window= 'name' X Y W H minimized maximized open column line   (at most 32)
// Every "Window= '" line puts its file at the front of the list, so the list
// read back stands in the reverse order of the file.
#pragma once

#include <functional>
#include <list>
#include <string>

class TZavitEditFile;

// One file the editor has shown, in this run or a former one.
struct FileWindowEntry {
    std::string name; // full path as it was given
    bool open = false;
    bool minimized = false;
    bool maximized = false;
    int x = 0, y = 0, w = 0, h = 0;
    int column = 0; // 1-based caret column; 0: none
    int line = 0;   // 1-based caret line; 0: none
    TZavitEditFile* window = nullptr;
};

// The remembered files, most recently used first. Entries stay for the
// whole run (their addresses do not change).
class FileWindowList {
public:
    // The entry of a name (case does not count), moved to the front; a new
    // zeroed entry at the front when there is none. Never null.
    FileWindowEntry* Find(const std::string& name);
    // The entry of a name without moving it, or null.
    FileWindowEntry* Peek(const std::string& name);
    std::list<FileWindowEntry>& Entries() { return entries_; }
    const std::list<FileWindowEntry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    void Clear() { entries_.clear(); }

private:
    std::list<FileWindowEntry> entries_;
};

// The at most 32 remembered files written to the settings file.
const int ZAVIT_WINDOW_LINES = 32;

struct ZavitSettings {
    std::string face = "Fixedsys"; // at most 39 characters
    int height = -12;
    int weight = 400;
    bool italic = false;
    int x = 0, y = 0, w = 0, h = 0;
    bool minimized = false;
    bool maximized = false;
    bool persistent = false;
    bool classic = true;
};

// Reads the settings text into settings and list (the defaults stay for
// what the text does not give). formatError is called for a wrong first
// line (reading stops) and for every line of no known form.
void zavit_read_settings(const std::string& text, ZavitSettings& settings, FileWindowList& list,
                         const std::function<void()>& formatError);

// The settings text: first line, font, desktop, then WriteWindowLines.
std::string zavit_settings_text(const ZavitSettings& settings, const FileWindowList& list);
// The "Window= '" lines, one per entry from the front, at most 32.
std::string zavit_window_lines(const FileWindowList& list);

// The settings file of a program: its path with the text after the last
// '.' of its file name replaced by "INI" (".INI" appended without one).
std::string zavit_settings_path(const std::string& programPath);
// The folder a program started without files works in: the parent of the
// program's folder ("" when the path has a single backslash).
std::string zavit_start_folder(const std::string& settingsPath);
