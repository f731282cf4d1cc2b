// messages: the one reporter of the linker. Levels: below 0 fatal (the run
// ends with exit code 2), 0 warning, above 0 error. The 8th error or the
// 128th warning ends the run as well.
#pragma once

#include <cstdio>

#if defined(__GNUC__)
#define LINK_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define LINK_PRINTF(f, a)
#endif

struct object_module;

void report(int level, const char* format, ...) LINK_PRINTF(2, 3);

// Level -1: prints "Error: " and the text, then ends the run (exit code 2).
[[noreturn]] void fatal(const char* format, ...) LINK_PRINTF(1, 2);

// Fatal "%s: corrupt line: '%s'" with the current object's name.
[[noreturn]] void corrupt_line(const char* text);

// A message about the reference line being patched: prefixed with its source
// file and line ("%s %d: ") and, for a library member, "(in %s): ".
void ref_report(int level, const char* format, ...) LINK_PRINTF(2, 3);

// Stop for conditions that well-formed input never produces.
[[noreturn]] void internal_stop(void);

// Ends the run; tests may replace the exit through link_exit_hook.
[[noreturn]] void link_exit(int code);
extern void (*link_exit_hook)(int code);

// Where messages go: standard error, or "error.out" after -e.
extern FILE* error_stream;
bool messages_open_error_file(void);

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
