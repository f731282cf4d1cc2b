// lineio: reading text lines of any length and writing the linker's files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Opens a file named as on the command line; on POSIX a '\' in the name is
// taken as a path separator.
FILE* open_file(const std::string& name, const char* mode);

// Reads one line without its line end (a CR before the LF is dropped too).
// Returns false at the end of the file with nothing read.
bool read_line(FILE* f, std::string& line);

// The part of a path after its last '\' or '/'.
const char* base_name(const char* path);

bool same_text_nocase(const char* a, const char* b);

// Hexadecimal number at p (at least one digit); p moves past it.
bool scan_hex(const char*& p, uint32_t& value);

// Output files are written to a temporary beside the target and renamed into
// place when complete, so that a failed run never leaves a half file under
// the real name. Text goes out with CR LF line ends on every platform.
struct out_file {
    FILE* f;
    std::string path;
    std::string temp;
};
bool out_open(out_file& out, const std::string& path);
void out_printf(out_file& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void out_bytes(out_file& out, const void* data, size_t count);
bool out_close(out_file& out);

// The current local time in the 24-character calendar form with its '\n'.
const char* time_text(void);
