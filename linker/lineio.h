// lineio: reading text lines of any length and writing the linker's files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/diagnostics.h"
#include "common/safe_file.h"

namespace tessel {

// Opens a file named as on the command line, found as common's disk_path
// finds it: on POSIX a '\' in the name is a path separator and each part
// matches a file or folder on disk whatever its case.
FILE* open_file(const std::string& name, const char* mode);

// Reads one line without its line end (a CR before the LF is dropped too).
// Returns false at the end of the file with nothing read.
bool read_line(FILE* f, std::string& line);

// Hexadecimal number at p (at least one digit); p moves past it.
bool scan_hex(const char*& p, uint32_t& value);

// Output files go through common's safe_file (a temporary beside the target,
// renamed into place when complete). Names are taken as on the command line
// (their folders matched on disk as open_file matches them);
// text goes out with CR LF line ends on every platform.
bool out_open(safe_file& out, const std::string& path);
void out_printf(safe_file& out, const char* format, ...) DIAG_PRINTF(2, 3);
void out_bytes(safe_file& out, const void* data, size_t count);
bool out_close(safe_file& out);
// Discards every output still open, temporaries included: a run that stops
// early leaves no partial file behind.
void out_discard_all(void);

} // namespace tessel
