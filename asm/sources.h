// sources: the table of the files a run reads and the reader of their lines.
// Files are read whole and served line by line; tests may serve files from
// memory instead of the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morrin {

enum {
    MAX_SOURCE_FILES = 256,
    MAX_RAW_LINE = 253,
};

// Names in opening order; the index is 1-based.
const char* source_file_name(int32_t index);
int32_t source_file_count(void);
// Enters a name at the end of the table; returns its index, or 0 when the
// table already holds MAX_SOURCE_FILES names.
int32_t add_source_file(const char* name);

// Reads a whole file (or a file served from memory); false when it cannot
// be opened. Names written for Windows with '\' also open on other systems.
bool load_source_file(const char* name, std::string& data);

// The name to derive outputs from. load_source_file opens the file of that
// very name when there is one, else the one common's disk_path finds (on
// POSIX a '\' separates folders and names match whatever their case); the
// outputs go beside the file actually read, in the folder found on disk,
// but keep the case of the name as written.
std::string source_output_base(const std::string& name);

// A file's text read line by line.
struct line_reader {
    std::string data;
    size_t pos = 0;
    bool open = false;
};

// Loads a file into the reader; false when it cannot be opened.
bool open_line_reader(line_reader& r, const char* name);
void close_line_reader(line_reader& r);

// The next line, cut to at most MAX_RAW_LINE characters (*too_long tells);
// false at the end of the text.
bool next_raw_line(line_reader& r, std::string& out, bool* too_long);

// Tests: a file served from memory instead of the disk.
void sources_add_virtual_file(const char* name, const std::string& content);

void sources_reset(void);

} // namespace morrin
