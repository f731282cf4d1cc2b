// messages: the assembler's one reporter.
//
// Every diagnostic of Morrin goes through asm_message: level below 0 is
// fatal (ends the run with exit code 2), 0 a warning, above 0 an error.
// The reporter prints "%s %d: " with the current source position (only the
// first message of a source line is shown), "Error: " or "Warning: ", the
// text, and an excerpt of the current line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/diagnostics.h"

namespace morrin {


enum { MSG_FATAL = -1, MSG_WARNING = 0, MSG_ERROR = 1 };

// Counters of the reporter.
extern int32_t asm_error_count;
extern int32_t asm_warning_count;

// The current source position: file index (1-based) and line; 0 = none.
void asm_set_position(int32_t file_index, int32_t line);
// Messages about a whole file or run (found after its lines were read) must
// not be dropped because their line already had a message.
void asm_forget_last_position(void);
int32_t asm_position_file(void);
int32_t asm_position_line(void);
// The text of the line being processed, for the excerpt; null = none.
void asm_set_line_text(const char* text);
const char* asm_line_text(void);

void asm_message(int level, const char* format, ...) DIAG_PRINTF(2, 3);
// Like asm_message, without the line excerpt.
void asm_message_plain(int level, const char* format, ...) DIAG_PRINTF(2, 3);
// Reports a text as it stands (not a format), without the excerpt (.error).
void asm_message_text(int level, const char* text);

// The error stream is diagnostics' stream: standard error unless
// redirected to "error.out" (-e), or captured.
// Tests: collect everything the reporter prints in a string instead.
void asm_set_capture(std::string* capture);
// Writes text on the error stream (or into the capture).
void asm_write_error_stream(const char* text);

// A run ends through diag_exit, which tests intercept with their hook.

// Installs the reporter as speicher's out-of-memory handler and as the
// handler of the standard library's allocations.
void asm_install_memory_reporter(void);

// Resets counters, position and the last printed position.
void messages_reset(void);

} // namespace morrin
