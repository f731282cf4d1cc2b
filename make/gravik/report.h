// report: the settings of one run, the error count and the one path for
// every message of the make tool (fatal, error, warning), written to the
// error stream: the console, or "error.out" with -e / -ex.
#pragma once

#include "common/diagnostics.h"

#include <cstdio>
#include <string>

namespace gravik {

struct gravik_settings {
    int verbose;          // count of -v
    int error_file_mode;  // 0 none, 1 for -e, 2 for -ex
    bool no_execute;      // -n
    bool force_all;       // -b
    bool list_targets;    // -t, -a
    bool list_sources;    // -a
    bool list_comments;   // -a
    bool list_macros;     // -a
    bool has_target;
    std::string target;
    bool has_makefile;
    std::string makefile;
};

extern gravik_settings settings;
extern int error_count;

// Clears the settings, the count and the error stream state (start of a run).
void report_reset(void);

// The stream messages and report lines go to: standard error, or "error.out".
FILE* err_stream(void);

// Writes a text to the error stream, after what standard output holds so
// far, so that both keep their order on one console.
void err_write(const std::string& text);

// Creates "error.out" anew in the current directory as the error stream.
bool err_file_open(void);
// Closes "error.out" so that a command can write to it itself.
void err_file_close(void);
// Reopens "error.out" in append mode after a command; false on failure.
bool err_file_reopen(void);
// True while "error.out" is the error stream (modes 1 and 2).
bool err_file_in_use(void);

// Fatal: counted, ends the run with exit code 1 after the exit handler.
[[noreturn]] void msg_fatal(const char* format, ...) DIAG_PRINTF(1, 2);
void msg_error(const char* format, ...) DIAG_PRINTF(1, 2);
void msg_warning(const char* format, ...) DIAG_PRINTF(1, 2);

// Handler run by msg_fatal before the process ends (the driver's exit
// handler once it is armed); it returns the exit code to end with.
typedef int (*fatal_end_fn)(void);
void report_set_fatal_end(fatal_end_fn fn);

} // namespace gravik
