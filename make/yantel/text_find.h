// text_find: the search of the makefile view's Find, Replace and Next
// commands, over the text as the view holds it. Positions are character
// offsets into that text.
#pragma once

#include <string>

struct text_find_options {
    bool match_case = false;
    // The match stands alone: no letter, digit or '_' touches it.
    bool whole_word = false;
    // Forward from the position; backward finds the last match that ends at
    // or before it.
    bool down = true;
};

const size_t text_not_found = std::string::npos;

// The start of the next match of what, or text_not_found; an empty what
// never matches.
size_t text_find(const std::string& text, const std::string& what, size_t from,
                 const text_find_options& options);

// Whether the part of text from start of what's length is a match (the
// selection a Replace may change).
bool text_matches_at(const std::string& text, const std::string& what, size_t start,
                     const text_find_options& options);

// Every match from the start of the text replaced, left to right; a
// replacement is never searched again. count: the number of replacements.
std::string text_replace_all(const std::string& text, const std::string& what,
                             const std::string& with, const text_find_options& options,
                             int* count);
