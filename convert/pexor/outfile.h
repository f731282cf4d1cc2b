// outfile: an output file written through a temporary beside it and renamed
// over the target only when everything was written, so that a failed run
// never leaves a half-written file in place of the user's previous one.
// Every write is checked; a full disk shows as a failed write or commit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

struct out_file {
    FILE* fp = nullptr;
    std::string path;  // the target as the user named it
    std::string temp;  // the temporary beside it; empty when written directly
    bool failed = false;
};

// Opens the output: a new temporary in the target's folder, or the target
// itself when it exists and is not a plain file (a device such as /dev/null).
// binary chooses binary or text mode. False when nothing could be created.
bool out_open(out_file* f, const std::string& path, bool binary);

// Writes to standard output instead of a file (nothing to rename).
void out_use_stdout(out_file* f);

// Appends bytes or text; false once any write has failed.
bool out_write(out_file* f, const void* data, size_t size);
bool out_puts(out_file* f, const std::string& text);

// Flushes and closes; renames the temporary over the target. False when a
// write, the close or the rename failed; the temporary is then removed and
// the target is left as it was.
bool out_commit(out_file* f);

// Closes and removes the temporary (after an error elsewhere).
void out_discard(out_file* f);
