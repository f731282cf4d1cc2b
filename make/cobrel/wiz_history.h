// wiz_history: the recent-makefile list kept in the wizard's settings file,
// section "Settings": "HIST_CNT" entries named "FILE0", "FILE1", ... Other
// sections and keys of the file are kept as they are when it is written.
#pragma once

#include <string>
#include <vector>

// At most this many entries are read back.
const int max_history_read = 16;

// The list held by the settings file's lines: empty entries and entries
// already listed (in any letter case) are skipped.
std::vector<std::string> history_from_lines(const std::vector<std::string>& lines);

// The file's lines with HIST_CNT and FILE0.. set for the items; keys of a
// longer earlier list stay; a missing section is added at the end.
std::vector<std::string> history_into_lines(const std::vector<std::string>& lines,
                                            const std::vector<std::string>& items);

// The list from the settings file; empty when it cannot be read.
std::vector<std::string> load_history(const std::string& settings_path);
// Writes the list into the settings file through a temporary and a rename;
// false (the old file untouched) when that fails.
bool save_history(const std::string& settings_path, const std::vector<std::string>& items);
