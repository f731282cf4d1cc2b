// Cheap lexical judgements about a position of a C-like text held as one
// buffer: inside a string, inside a comment, on a preprocessor line; the last
// comment opener or closer; bracket partners and brace balance; the class
// that encloses a position; small clean-ups of declaration texts.
//
// Texts are byte buffers as the editor keeps them: CR (or LF) ends a line,
// byte 2 is a soft break, byte 1 the fill behind a tab. A "floor" is the
// lowest byte a test may look at, normally the text start; the tests assume
// that the text at the floor is code, not inside a comment or literal.
// Buffers handed to the pointer forms must be NUL-terminated (the editor's
// text buffer is), unless an explicit end is given.
#pragma once

#include <string>

// --- strings and comments ----------------------------------------------------

// True inside a string literal (the opening quote included, the closing one
// not) or a character literal such as '{'.
bool IsInsideString(const char* pos, const char* floor);

// True inside a "//" line comment or a block comment, delimiters included
// (the "/" of a closing "*/" is still inside, the byte after it is not).
bool IsInsideComment(const char* pos, const char* floor);

// True when the line that holds pos starts, after spaces and tabs (and the
// tab fill), with "#". A soft break starts a line here.
bool IsPreprocessorLine(const char* pos, const char* floor);

// Offset of the "/" of the last "/*" at or before offset (the position counts
// when it holds the "/") that is neither in a string nor behind "//" on its
// line; not below lowerBound; -1 when none.
int FindLastCommentOpen(int offset, int lowerBound, const char* buffer);

// Offset of the "*" of the last "*/" that ends before offset and starts at or
// above lowerBound, not inside a string; -1 when none.
int FindLastCommentClose(int offset, int lowerBound, const char* buffer);

// Offset of the next "/*" in [from, to) that opens a comment (not in a string,
// not behind "//"), or -1.
int FindCommentOpen(int from, int to, const char* buffer);

// Offset of the "*" of the next "*/" in [from, to) that is not inside a
// string, or -1. The search is meant to start inside a comment.
int FindCommentClose(int from, int to, const char* buffer);

// --- brackets ----------------------------------------------------------------

// The partner of the bracket at pos: "(" for ")", "[" for "]", "{" for "}"
// searched backwards down to floor, and the reverse searched forwards up to
// end (null: the NUL that ends the text). Brackets in string and character
// literals never count; with skipComments those in comments do not either.
// Null when there is no partner or pos holds no bracket.
const char* FindOpeningBracket(const char* pos, bool skipComments, const char* floor);
const char* FindClosingBracket(const char* pos, bool skipComments, const char* floor,
                               const char* end = nullptr);

// "{" minus "}" among the length bytes that end at pos (pos included),
// counting only braces in code: not in comments, strings or character
// literals. The first of those bytes is the floor.
int CountBraceBalance(const char* pos, int length);

// The given bracket ("(", "[" or "{") minus its partner in [from, to) (to
// null: the end of the text), counting only brackets in code. Any other
// bracket character gives 0.
int CountBracketBalance(const char* from, const char* to, char bracket, const char* floor);

// --- names and clean-ups -----------------------------------------------------

// The last whole word "class" in [from, limit) that is in code; the name
// behind it (after bytes below "!") is stored in name. Null and an empty name
// when there is none.
const char* FindLastClassName(const char* limit, std::string& name, const char* from);

// The name behind the keyword "class" at keyword: after the bytes below
// "!", its letters, digits and "_".
std::string ClassNameAfter(const char* keyword);

// Turns bytes 1, 2 and tabs into blanks and LF into CR, then reduces every
// run of blanks to one. The char form works on a NUL-terminated text and
// returns its new length.
void NormalizeBlanks(std::string& text);
int NormalizeBlanks(char* text);

// Removes every "//" comment up to (not including) its line end; "//" inside
// a string or a block comment is left alone. The char form works on
// [text, text + length), moves the rest down, writes a NUL behind the new end
// when the text shrank and returns the new length.
void StripLineComments(std::string& text);
int StripLineComments(char* text, int length);
