// A forward scanner that tells, byte by byte, whether C-like text is code,
// comment, string or character literal.
//
// The lexical helpers never tokenise a whole text: they scan a line, or the
// stretch between a bracket and its partner, with this scanner. It knows "//"
// and "/* */" comments, string and character literals with backslash escapes,
// and literals cut off by a line end. CR and LF end a line; a soft break
// (byte 2) and the tab fill (byte 1) are ordinary characters here.
#pragma once

#include <cstdint>

enum LexClass : uint8_t {
    kLexCode = 0,
    kLexLineComment,
    kLexBlockComment,
    kLexString, // from the opening quote up to, not including, the closing one
    kLexChar,   // the same for a character literal
};

inline bool IsLexComment(LexClass c) { return c == kLexLineComment || c == kLexBlockComment; }
inline bool IsLexLiteral(LexClass c) { return c == kLexString || c == kLexChar; }
inline bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// The look-ahead limit that lets a scan up to and including p see the byte
// after it, without passing the NUL that ends the text.
inline const char* AheadLimit(const char* p) { return p + (*p ? 2 : 1); }

// The state between two bytes: which class the next byte continues.
struct LexState {
    LexClass cls = kLexCode;
    bool escape = false;  // the previous byte was a backslash inside a literal
    bool opening = false; // the next byte is the "*" of an opening "/*"
    bool closing = false; // the next byte is the "/" of a closing "*/"
};

// Classifies the byte at p (end bounds the look-ahead for two-byte
// delimiters), advances the state past it and returns the byte's class. The
// second byte of "//", "/*" and "*/" is classified by the next call, which
// sees the state that the first byte left.
LexClass LexStep(LexState& state, const char* p, const char* end);

// Scans [from, to) starting in the given state and calls visit(position,
// class) for every byte; returns the state after the last byte. The bytes up
// to limit (at least to) may be looked at for two-byte delimiters.
template <class Visit>
LexState LexScan(const char* from, const char* to, const char* limit, LexState state, Visit&& visit)
{
    for (const char* p = from; p < to; ++p)
        visit(p, LexStep(state, p, limit));
    return state;
}

// Start of the line that holds pos: the byte after the last CR or LF before
// it, not below floor.
const char* LexLineStart(const char* pos, const char* floor);

// The scanner state just before pos, found by scanning pos's line from its
// start; the line starts in a block comment when one opened above it is
// still open (found with the backward comment searches).
LexState LexStateBefore(const char* pos, const char* floor);

// The class of the byte at pos, as LexStateBefore and one step give it.
LexClass LexClassAt(const char* pos, const char* floor, const char* end);

// The same with the line assumed to start in code: the cheap test that the
// backward comment searches use for each hit.
LexClass LexClassOnLine(const char* pos, const char* floor, const char* end);

// Answers "does a block comment opened above this line start stay open
// there?" for line starts visited in falling order, reusing the last
// backward searches, so that walking a text backwards line by line costs
// about one pass instead of one search back per line.
class BlockCommentTracker {
public:
    explicit BlockCommentTracker(const char* floor) : m_floor(floor) {}
    bool StartsInBlockComment(const char* lineStart);

private:
    const char* m_floor;
    bool m_haveOpen = false;
    int m_open = -1;
    bool m_haveClose = false;
    int m_close = -1;
};
