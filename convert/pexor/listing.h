// listing: what the converter takes from the linker's listing. The listing is
// read by columns: a code row starts "co:" and the address of its first byte
// in hexadecimal; a text row has its ':' at column 24.
#pragma once

#include <cstdio>
#include <string>

// Longest part of a listing line that goes into the debug text.
const size_t LISTING_KEEP = 99;

// Reads the next line without its line end (LF or CR LF), whole however long
// it is, and cuts it to LISTING_KEEP characters. False at the end.
bool listing_read_line(FILE* fp, std::string* line);

// False for the lines the debug text leaves out: definition lines ('=' first)
// and the text rows of export directives and of labels starting with '_'.
bool listing_keeps_line(const std::string& line);

// True for a code row; *address is its hexadecimal address. A "co:" line
// without a hexadecimal number there is not a code row.
bool listing_code_address(const std::string& line, unsigned long* address);
