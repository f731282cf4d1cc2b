// diagnostics: what every command-line program's reporter needs besides its
// own message forms: the printf-format check of its functions, one way to
// end a run that tests can intercept, and "error.out" as the message stream.
#pragma once

#include <cstdio>

#ifdef __GNUC__
#define DIAG_PRINTF(format_index, first_arg) __attribute__((format(printf, format_index, first_arg)))
#else
#define DIAG_PRINTF(format_index, first_arg)
#endif

// Ends the run with an exit code after flushing standard output, standard
// error and the message stream. A hook set by a test runs first; it is
// expected to leave by an exception. Without a hook the process exits.
typedef void (*diag_exit_hook)(int code);
void diag_set_exit_hook(diag_exit_hook hook);
[[noreturn]] void diag_exit(int code);

// The file "error.out" in the current folder, appended to or created anew.
// It becomes the message stream; null when it cannot be opened (the stream
// stays as it was).
FILE* diag_open_error_out(bool append);
// Closes "error.out" (when open); messages go to the default stream again.
void diag_close_error_out(void);
// True while "error.out" is open.
bool diag_error_out_open(void);

// Where messages go: "error.out" while it is open, else the program's
// default stream (standard error unless set otherwise).
FILE* diag_stream(void);
void diag_set_default_stream(FILE* stream);
