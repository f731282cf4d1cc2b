// Where the source browser looks: the search path entries of the tag
// configuration ("directory;masks;X") and the files each one names on disk.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// One search path entry taken apart. An entry with empty masks names one
// file: its directory and file name are split at the last backslash (or,
// without one, the last "/") and the file name serves as the mask.
struct SearchPathEntry {
    std::string directory;
    std::string masks;
    bool subdirectories = false;
};

SearchPathEntry ParseSearchPath(const std::string& entry);

// The stored form: "path;masks;X" with subdirectories, "path;masks;"
// without.
std::string FormatSearchPath(const std::string& path, const std::string& masks, bool subdirectories);

// The files of one entry whose names match its masks, in name order, those
// of a directory before those of its subdirectories (with subdirectories).
// A directory that does not exist or cannot be read yields nothing. A set
// stop flag ends the walk early.
std::vector<std::string> ListSearchFiles(const SearchPathEntry& entry, const std::atomic<bool>* stop = nullptr);

// A file's whole content; false when it cannot be read.
bool LoadSourceFile(const std::string& path, std::string& text);
