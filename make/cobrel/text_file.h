// text_file: reading a text file as whole lines, and writing one through
// the safe file writer, so that a failed write leaves the old file as it was.
#pragma once

#include <string>
#include <vector>

// The file's lines without their line ends (LF or CR LF), however long;
// false when it cannot be read.
bool read_text_lines(const std::string& path, std::vector<std::string>* lines);

// Writes text whose lines end in "\n", with the system's line ends (CR LF on
// Windows). False, with the old file untouched, when anything fails.
bool save_text_file(const std::string& path, const std::string& text);
