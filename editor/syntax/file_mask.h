// Wildcard test of a file name against a list of masks ("*.c *.h").
#pragma once

// True when the name (its directory part cut off after the last "\" or "/")
// matches one of the blank-separated masks. "?" matches one character,
// letters compare without regard to case, and "*" follows the file-name
// rules: "*.*" matches names with a dot only, "*.c" does not match "x.cpp",
// and "*" alone matches names without a dot only. An empty list matches
// nothing.
bool MatchFileMask(const char* fileName, const char* masks);
