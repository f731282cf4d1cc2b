// settings: what the command line sets for one run of the assembler.
#pragma once

#include <string>

namespace morrin {

struct asm_settings {
    bool ignore_case = false;   // -c
    int debug_lines = 0;        // bit set: 1 assembler lines (-ga, -g), 2 high-level lines (-g)
    bool listing = false;       // -s
    bool expand_line = false;   // -d
    int tab_size = 8;           // -tN, 1..16
    int list_width = 102;       // -wN stores N-26, 27..240
    bool mem_stats = false;     // -x
    std::string include_path;   // -iPATH with a trailing separator, empty = none
};
extern asm_settings g_settings;

} // namespace morrin
