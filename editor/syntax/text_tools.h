// Small text services of the editor: case keeping for replace, number
// classification for the hex/dec conversion, matching preprocessor
// conditionals, reading a file for insertion, indenting inserted text.
#pragma once

#include <string>

// For every position where both hold a letter, the text's letter takes the
// model letter's case. Stops at the shorter; 0 when the model ended first
// (the text is longer), else 1.
int MatchLetterCase(std::string& text, const std::string& model);
// True when the text holds no lower-case letter (no upper-case letter).
bool IsAllUpper(const std::string& text);
bool IsAllLower(const std::string& text);

// 0 no number, 1 decimal digits, 2 "0x" hexadecimal, 3 hexadecimal digits
// with a letter and no prefix. Leading blanks, tabs, tab fill and "-" are
// skipped; the number must end at the text end or a blank with only blanks
// after it.
int ClassifyNumber(const std::string& text);

// The next (direction +1) or previous (-1) preprocessor conditional after or
// before pos: a "#" that starts its line after blanks, followed after blanks
// by a word starting with "i" or "e", outside comments and strings. Returns
// the offset of the word's first letter, or -1.
int FindNextDirective(const char* text, int length, int pos, int direction);

// From the directive on pos's line (its line must start with "#" after
// blanks, tabs, tab fill and CRs; else -1), walks to the directive that
// matches it: target "endif", "else" (next "#else" or "#elif" at the same
// level) or "if", nested conditionals counted. The offset of the found
// directive's first letter, or -1.
int FindMatchingDirective(int pos, const char* text, int length, const char* target, int direction);

// The identifier (letters, digits, "_") that holds offset: its start and
// text, and its length as the result; -1 when offset lies beyond the text or
// on another byte. The window turns the mouse point into the offset.
int WordAtOffset(const char* text, int length, int offset, int& start, std::string& word);

// The file's text with every line ended by a CR ("Insert File"). false when
// the file cannot be opened or is empty.
bool ReadTextFile(const std::string& path, std::string& text);

// Inserts count blanks after every line break (CR; a soft break too when
// softBreaks is set) of the text.
void IndentTextLines(std::string& text, int count, bool softBreaks = false);
