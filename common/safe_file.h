// safe_file: an output file written through a temporary beside its target
// and renamed over the target only when everything was written and flushed,
// so that a failed run never leaves a half-written file in place of the
// user's previous one. Every write is checked; a full disk shows as a failed
// write or commit. After a failure, safe_file_why tells what went wrong.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#ifdef __GNUC__
#define SAFE_FILE_PRINTF(a, b) __attribute__((format(printf, a, b)))
#else
#define SAFE_FILE_PRINTF(a, b)
#endif

struct safe_file {
    FILE* fp = nullptr;
    std::string path;  // the target as the caller named it
    std::string temp;  // the temporary beside it; empty when written directly
    bool failed = false;
    bool crlf = false; // a text file: each '\n' written goes out as CR LF
    std::string why;   // the first failure, e.g. "cannot write 'x.bin': No space left on device"
};

// Opens the output: a new temporary in the target's folder, or the target
// itself when it exists and is not a plain file (a device such as /dev/null).
// binary chooses binary or text: a text file ends its lines with CR LF on
// every system, as the suite's generated files do. False when nothing could
// be created.
bool safe_file_open(safe_file* f, const std::string& path, bool binary);

// Writes to standard output instead of a file (nothing to rename); line
// ends are the console's own.
void safe_file_use_stdout(safe_file* f);

// Appends bytes or text; false once any write has failed.
bool safe_file_write(safe_file* f, const void* data, size_t size);
bool safe_file_puts(safe_file* f, const std::string& text);
bool safe_file_printf(safe_file* f, const char* format, ...) SAFE_FILE_PRINTF(2, 3);

// Flushes and closes; renames the temporary over the target. False when a
// write, the close or the rename failed; the temporary is then removed and
// the target is left as it was.
bool safe_file_commit(safe_file* f);

// Closes and removes the temporary (after an error elsewhere).
void safe_file_discard(safe_file* f);

// Why the last open, write or commit failed; empty while nothing failed.
const std::string& safe_file_why(const safe_file* f);

// Writes a whole file at once through safe_file; on failure *why (when
// given) says what went wrong and the old file is untouched.
bool safe_file_write_all(const std::string& path, const void* data, size_t size, bool binary,
                         std::string* why = nullptr);
