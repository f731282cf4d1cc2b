// text: small text helpers the programs share. Case is folded for the
// ASCII letters only, whatever the locale, so that every build compares
// names alike.
#pragma once

#include <string>

// The ASCII letter in lower case; every other byte unchanged.
inline char text_lower_char(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A copy in lower case.
std::string text_lower(const std::string& s);

// Equal but for case.
bool text_equal_nocase(const char* a, const char* b);
// When text starts with prefix (but for case): the text after it, else null.
const char* text_prefix_nocase(const char* text, const char* prefix);

// The part of a path after its last '\' or '/'.
const char* text_base_name(const char* path);

// The time of this run in the 24-character calendar form with its "\n"
// ("Mon Dec  7 23:05:00 2026\n"): SOURCE_DATE_EPOCH when set (taken as UTC,
// for reproducible outputs), else the local time now.
std::string text_run_time(void);
