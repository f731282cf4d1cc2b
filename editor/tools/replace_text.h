// Texts of a replacement: the escapes the Search & Replace dialog expands
// and the case a replacement takes over from the text it replaces.
#pragma once

#include <string>

// "\n" becomes a carriage return (the editor's line break), "\t" a tab and
// "\\" one backslash; any other backslash stays. Read from left to right: a
// character an expansion produced is not looked at again.
std::string ExpandReplacementEscapes(const std::string& text);

// The replacement with the found text's case kept: all upper case when the
// found text has letters and none of them is lower case, all lower case
// when none is upper case; for mixed case each letter takes the case of the
// found text's letter at its place, as far as both go (MatchLetterCase);
// unchanged when the found text has no letters.
std::string AdaptReplacementCase(const std::string& found, const std::string& replacement);
