// Forward walks over C text that step over comments and string and
// character literals, for scans that look for the next bracket or statement
// end in code. The walk must start in code (after a keyword found in code).
//
// A bracket found by such a walk is known to be code, so the scanners match
// it with the bracket itself as the floor: the matching then never depends
// on the backward comment searches, which take a "*/" after an odd number of
// double quotes on its line (a quote inside a comment) for text in a string.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline bool IsIdentChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Steps over the comment or literal that starts at p, when one does: the
// result is the first byte behind it (at most end). Otherwise p itself.
const char* SkipNonCode(const char* p, const char* end);

// The first byte of [p, end) in code that is one of the given characters, or
// none.
const char* FindCodeChar(const char* p, const char* end, const char* chars);

// Offsets of the separator bytes in s that stand outside brackets, braces
// and literals: the "," between declarators or enumerators, the ";"
// between members.
std::vector<size_t> TopLevelSeparators(const std::string& s, char separator);

// True when the "{" at brace opens a namespace or an extern "C" block: the
// scanners look through such blocks as if they were not there.
bool OpensNamespaceBlock(const char* brace, const char* floor);
