// Drenna's settings file (the program's path with "INI" in place of its
// extension) and command line.
#pragma once

#include <string>

// The INI path for a program path: the text after its last '.' replaced by
// "INI" (a path without '.' gets ".INI").
std::string settings_path_for(const std::string& program_path);

// Reads the settings and the arguments into ser_settings; 1 when the usage
// box was shown (the program then ends), else 0. A port that cannot be
// opened brings up the port dialog; its cancellation is fatal.
int read_settings(int argc, char** argv);

namespace winui {
class CRecentFileList;
}

// Writes the six keys back, and the recent files when given, through a
// temporary file and a rename; false when the file could not be written.
bool write_settings(const winui::CRecentFileList* recent = nullptr);

// Reads the six keys of a settings file; values that make no sense (a port
// outside 1..9, a baud rate that is no divisor of 115200, an absurd font)
// take their defaults.
void read_settings_file(const std::string& ini_path);
