// Quibex's settings and command line: the settings file of the target
// tools beside the program; the only option is "-i" (inverse terminal).
#pragma once

// Reads the settings and the arguments into ser_settings and checks the
// port (the port dialog when it cannot be opened; its cancellation is
// fatal). Other arguments are ignored.
void read_settings(int argc, char** argv);
// Writes the settings back; false when the file could not be written.
bool write_settings();
