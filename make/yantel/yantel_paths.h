// yantel_paths: the file names Yantel derives from its own program path:
// its settings file, its folder, the folder it starts working in and the
// make tool beside it. Paths use '\' as Windows gives them.
#pragma once

#include <string>

// The program path with the text from its last '.' replaced by ".ini"; a
// path whose file name has no '.' gets ".ini" appended.
std::string yantel_settings_path(const std::string& program_path);

// The folder of a path: the text before its last '\' (empty without one).
std::string yantel_folder_of(const std::string& path);

// The folder the program starts working in: the folder above its own one
// (a program in C:\suite\bin works in C:\suite); empty when its folder has
// no '\' of its own.
std::string yantel_start_folder(const std::string& program_path);

// The make tool: the program's folder followed by "\gravik.exe".
std::string yantel_tool_path(const std::string& program_path);
