// wiz_paths: the paths the wizard works with: the program's own folder and
// settings file, source names relative to the makefile and back, and the
// command that has the make tool report on a makefile. Both '\' and '/'
// separate folders; new text uses the separator the given path uses.
#pragma once

#include <string>

// Position of the last '\' or '/', or npos.
size_t last_separator(const std::string& path);
// '\' when the path holds one (or no separator at all), else '/'.
char separator_of(const std::string& path);
// The folder of a path, without its last separator; empty when none.
std::string directory_of(const std::string& path);

// Program folder and settings file ("ini" in place of the program's
// extension) from the program's path. A path without a folder gives ".".
void init_paths(const std::string& program_path, std::string* program_dir,
                std::string* settings_path);

// A chosen file's name relative to the makefile's folder: "..\" once for
// each folder of the makefile below the deepest common one, then the rest
// of the chosen path (case counts). Without any common leading folder (another
// drive) the chosen path is kept whole.
std::string relative_source_name(const std::string& makefile_path, const std::string& chosen_path);

// A source name as stored (relative to the makefile's folder, or absolute)
// resolved to a full path, with "." and ".." folded away.
std::string full_source_path(const std::string& makefile_path, const std::string& name);

// The command that lists the makefile's targets, sources, macros and
// comments into "error.out" beside it; parts with blanks are quoted.
std::string make_report_command(const std::string& program_dir, const std::string& makefile_path);

// The workspace beside a makefile: its name with ".wsp" in place of the
// extension; empty when the name has no extension.
std::string workspace_path_of(const std::string& makefile_path);
