// memmap: the memory map, the short overview on the console and the
// definition file of constants and labels.
#pragma once

#include <cstdio>
#include <string>

namespace tessel {

void write_memory_map(const std::string& path, const std::string& binary_name);
void print_overview(const std::string& binary_name, FILE* stream);
// mode: 3 definitions and labels, 2 labels only, 1 definitions only.
void write_definition_file(const std::string& path, int mode);

} // namespace tessel
