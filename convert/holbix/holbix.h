// holbix: turns one web file (HTML page, GIF or JPEG picture) into an
// assembler source whose segment holds a complete HTTP response for the
// target's web server, found through the exported label _NAME.
#pragma once

#include "convert/holbix/webdata.h"

#include <string>

// The whole program: command line in, exit code out (0, or -1 for help and
// every error).
int holbix_main(int argc, char** argv);

// File type by the extension after the last '.', without regard to case.
web_type holbix_file_type(const std::string& extension);

// The symbol of an input name: the file name without folders and without
// the part from its last '.', at most 32 characters.
std::string holbix_symbol(const std::string& input);

// True when "_" + symbol and the segment and size names made from it are
// valid assembler identifiers.
bool holbix_symbol_valid(const std::string& symbol);

// The source lines before the data.
std::string holbix_header(const std::string& output_name, const std::string& input_name,
                          const std::string& symbol, web_type type, long size);
