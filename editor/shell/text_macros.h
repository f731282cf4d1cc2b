// Text macros without windows: the records read from "macro.txt" and the
// plan of the actualize pass, which rewrites the value behind each "$" name
// in a text.
//
// "macro.txt": line ends CR LF, LF or CR. A macro is a line holding
// "$macro", one separating character, optional blanks and tabs and the name
// up to the line's end; the following lines up to the line break before
// the next "$endmacro" are its text (line breaks in it become single CR
// characters); the rest of the "$endmacro" line is ignored. Text outside
// such blocks is ignored.
#pragma once

#include <string>
#include <vector>

const int kMaxTextMacros = 20;
// Names are cut to this many characters.
const int kMaxTextMacroName = 49;

struct TextMacro {
    std::string name;
    std::string text;
};

// The records of a "macro.txt" in file order, at most 20. A block without
// "$endmacro" ends the reading; the blocks before it stay.
std::vector<TextMacro> ParseTextMacros(std::string content);

// One replacement of the actualize pass: length characters at position
// become value. Positions are those of the text as the replacements before
// have left it.
struct ActualizeEdit {
    int position = 0;
    int length = 0;
    std::string value;
};

// A key and its value (the macro's name without its "$", its expanded text).
struct ActualizeKey {
    std::string key;
    std::string value;
};

// The replacements of the actualize pass over text, in the order they are
// made: for each key with a non-empty value, at each hit the first
// min(rest of the line, length of the value) characters after the key
// become the value, and the search goes on behind it. A hit that takes in
// text put there by an earlier replacement is passed over. text ends as
// the result.
std::vector<ActualizeEdit> PlanActualize(std::string& text, const std::vector<ActualizeKey>& keys);
