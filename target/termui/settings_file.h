// The settings file of the target tools: the program's path with "INI" in
// place of its extension, holding the terminal font ([FONT] Font, Height,
// Bold, Italic) and the port ([COM] Com, Baudrate); and the check that the
// chosen port can be opened, with the port dialog as the way out.
#pragma once

#include <functional>
#include <string>

// The INI path for a program path: the text after its last '.' replaced by
// "INI" (a path without '.' gets ".INI").
std::string ser_settings_path(const std::string& program_path);
// The running program's path (of any length).
std::string ser_program_path();

// Reads the six keys into ser_settings; values that make no sense (a port
// outside 1..9, a baud rate that is no divisor of 115200, an absurd font)
// take their defaults.
void ser_settings_read_file(const std::string& ini_path);

// Writes the six keys back to ser_settings.ini_path through a copy and a
// rename (other sections of the file stay); false when it failed. A
// program with more to keep in the file writes it into the copy (the path
// given) through `more`, before the copy replaces the file.
bool ser_settings_write(const std::function<bool(const std::string& copy)>& more = nullptr);

// Opens and closes the settings' port; when it cannot be opened the port
// dialog is shown, and its cancellation is fatal ("Aborted...").
void ser_settings_check_port();
