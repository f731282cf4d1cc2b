// Drenna's command line, and its settings file (the target tools' settings
// file, with Drenna's recent files in it too).
#pragma once

namespace winui {
class CRecentFileList;
}

// Reads the settings and the arguments into ser_settings; 1 when the usage
// box was shown (the program then ends), else 0. A port that cannot be
// opened brings up the port dialog; its cancellation is fatal.
int read_settings(int argc, char** argv);

// Writes the six keys back, and the recent files when given, through a
// temporary file and a rename; false when the file could not be written.
bool write_settings(const winui::CRecentFileList* recent = nullptr);
