// dump: the lines of the hex and text dumps. Each line starts with the
// offset of its first byte and a ':'; the bytes go to fixed columns.
#pragma once

#include <cstdio>
#include <string>

enum dump_kind {
    DUMP_HEX,   // 16 bytes a line: hex columns and the bytes themselves
    DUMP_TEXT,  // 64 bytes a line as they are
};

// Bytes per line of a dump kind.
int dump_width(dump_kind kind);

// A line for up to dump_width bytes read from offset on; trailing blanks are
// part of the line.
std::string dump_line(dump_kind kind, unsigned long offset, const unsigned char* bytes, int count);

// Dumps the stream to out until its end; the last line is the one in which
// the end was met, so it may hold no byte at all.
void dump_stream(dump_kind kind, FILE* in, FILE* out);
