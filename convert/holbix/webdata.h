// webdata: turns the bytes of a web file into ".dc.b" lines of assembler
// source. HTML text goes into quoted strings; '@NAME' in a page becomes a
// marker byte 255 and a pointer to the target variable _NAME.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum web_type {
    WEB_UNKNOWN = 0,
    WEB_HTML = 1,
    WEB_JPEG = 2,
    WEB_GIF = 3,
};

struct web_lines {
    std::string text;                  // the data lines, each ended by a line feed
    std::vector<int> single_at_lines;  // line-feed counts at each lone '@'
};

// Converts the whole file. The result ends with the line that closes the
// data (an empty line when none was open), not with the "; End" line.
web_lines web_convert(const unsigned char* data, size_t size, web_type type);
