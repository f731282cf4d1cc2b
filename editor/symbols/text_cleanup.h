// Clean-up of texts that the browser's scans copy out of a source, and line
// numbers of positions in a loaded source.
#pragma once

#include <cstddef>
#include <string>

// Every byte below 32 becomes a blank, then every run of blanks becomes one.
void BlankControlChars(std::string& text);

// Removes the comments of a C text: a "//" comment up to, not including,
// its line end; a "/*" comment up to and including its "*/", keeping every
// line end it spanned so that line counts stay. Comment marks inside string
// and character literals are text. A "/*" without "*/" stays in the text.
void StripComments(std::string& text);

// Removes every occurrence of one byte (the browser removes LFs so that the
// scanners see CR line ends only).
void StripChar(std::string& text, char c);

// Zero-based index of the line that holds a position. Lines end with CR, or
// with LF in a text that holds no CR.
int LineFromTextOffset(const char* text, size_t length, size_t offset);

// The same for many positions of one text: counts on from the last answer
// when asked about a later position, so that a scan that goes forward
// through a text counts every line end once.
class CTextLineCounter {
public:
    CTextLineCounter(const char* text, size_t length);
    int LineOf(size_t offset);

private:
    const char* m_text;
    size_t m_length;
    char m_lineEnd;
    size_t m_pos = 0;
    int m_line = 0;
};
