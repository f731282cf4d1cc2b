// messages: the one reporter of the linker. Levels: below 0 fatal (the run
// ends with exit code 2), 0 warning, above 0 error. The 8th error or the
// 128th warning ends the run as well.
#pragma once

#include "common/diagnostics.h"

#include <cstdio>

namespace tessel {

struct object_module;

void report(int level, const char* format, ...) DIAG_PRINTF(2, 3);

// Level -1: prints "Error: " and the text, then ends the run (exit code 2).
[[noreturn]] void fatal(const char* format, ...) DIAG_PRINTF(1, 2);

// Fatal "%s: corrupt line: '%s'" with the current object's name.
[[noreturn]] void corrupt_line(const char* text);

// Stop for conditions that well-formed input never produces.
[[noreturn]] void internal_stop(void);

// A run ends through diag_exit (tests set its hook); messages go to
// diag_stream(): standard error, or "error.out" after -e.

extern int error_count;
extern int warning_count;

// Context of the wrappers: the object being read or patched and the position
// text ("#index:line") of the reference line being applied.
extern object_module* current_object;
extern const char* current_object_name;
extern const char* current_position;

// Installs the out-of-memory reporter of the allocation module.
void messages_install_allocator(void);
void messages_reset(void);

} // namespace tessel
