// disk_name: from a file name as a makefile or a command line writes it to
// the path the system opens. The suite's names are written for a system
// whose file names ignore case and separate folders with '\'; on Linux each
// part of the name is matched to the folder's entries without regard to case
// and '\' and '/' both separate folders, so that one makefile and one
// command line serve both systems. Every command-line tool opens its named
// inputs through disk_path; outputs are named from the name as written.
#pragma once

#include "common/os.h"

#include <string>

// The separator of the running system.
#ifdef _WIN32
const char path_separator = '\\';
#else
const char path_separator = '/';
#endif

// The path to open for a written name (any case, '\' or '/').
std::string disk_path(const std::string& name);

// The path to write an output to: its folders matched as by disk_path, its
// own name kept as written, so that an output's case is the one its writer
// was given (never that of an older file of another case).
std::string disk_output_path(const std::string& name);

// The path of a base name without its extension: the folders are matched
// as by disk_path, the last part keeps the case of a file on disk that has
// this base name and the extension "ext_hint" when one exists.
std::string disk_base(const std::string& base, const std::string& ext_hint);

// The time of the file a written name stands for, found as disk_path finds
// it, with one query of the file system for a name whose case matches the
// disk (the folder's listing is read once for one that does not).
os_time_status disk_file_time(const std::string& name, int64_t* time);

// The path of the file on disk that a written name stands for when one
// exists, matched as disk_path matches it; empty when none exists.
std::string disk_existing(const std::string& name);

// After a command ran: what it added to or removed from the folders read
// so far is taken into the listings kept (where the system reports such
// changes; elsewhere the listings are read again when next needed).
void disk_names_changed(void);

// Forgets every folder listing (after the current folder changed).
void disk_names_forget(void);

// Directory part of a path up to its last separator ('\' or '/'), empty
// when there is none; "rest" receives what follows it.
std::string split_directory(const std::string& path, std::string* rest);
