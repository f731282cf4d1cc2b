// datei: the statement reader: assembles the source file, included files
// and the command-line statements line by line, normalises each line,
// records and expands macros, keeps the conditional stack, splits statements
// and carries out the directives.
#pragma once

#include <cstdint>

namespace morrin {

enum {
    MAX_CONDITIONALS = 10,
    MAX_MACRO_CALLS = 10,
    MAX_MACRO_PARAMS = 9,
    MAX_EXPANSION = 245,
    MAX_LINE_NUMBER = 32760,
};

// The command-line statements (-a), assembled as the pseudo file "<cmdarg>".
void add_cmdarg_statement(const char* text);
bool have_cmdarg_statements(void);

// Assembles one file, or the command-line statements for "<cmdarg>";
// returns -1 when .end was met, else 0.
int assemble_file(const char* name);
// One normalised statement; returns -1 for .end.
int do_statement(const char* text);
int do_directive(const char* text);

// Normalises a raw line into out (at least 2 * MAX_RAW_LINE + 8 bytes);
// returns the position of the last '.' outside constants, -1 if none.
int normalise_line(const char* raw, char* out);

// Reads the high-level file up to a line (or to its end with flush).
void read_hll_line(int32_t target, bool flush);

// Conditional stack depth and macro call level (for tests).
int conditional_depth(void);
int macro_call_level(void);

void datei_reset(void);

} // namespace morrin
