// The byte classifier and the line-start state that the helpers build on.
#include "editor/syntax/lexer.h"

#include <cstring>

#include "editor/syntax/lexical.h"

LexClass LexStep(LexState& s, const char* p, const char* end)
{
    const char c = *p;
    const char next = p + 1 < end ? p[1] : '\0';
    switch (s.cls) {
    case kLexCode:
        if (c == '/' && next == '/') {
            s.cls = kLexLineComment;
            return kLexLineComment;
        }
        if (c == '/' && next == '*') {
            s.cls = kLexBlockComment;
            s.opening = true;
            return kLexBlockComment;
        }
        if (c == '"') {
            s.cls = kLexString;
            s.escape = false;
            return kLexString;
        }
        if (c == '\'') {
            s.cls = kLexChar;
            s.escape = false;
            return kLexChar;
        }
        return kLexCode;
    case kLexLineComment:
        if (IsLineEndByte(c)) {
            s.cls = kLexCode;
            return kLexCode;
        }
        return kLexLineComment;
    case kLexBlockComment:
        if (s.opening) {
            s.opening = false; // the "*" of "/*" never begins a "*/"
            return kLexBlockComment;
        }
        if (s.closing) {
            s.closing = false;
            s.cls = kLexCode;
            return kLexBlockComment;
        }
        if (c == '*' && next == '/')
            s.closing = true;
        return kLexBlockComment;
    case kLexString:
    case kLexChar: {
        const LexClass cls = s.cls;
        if (IsLineEndByte(c)) { // an unterminated literal ends with its line
            s.cls = kLexCode;
            s.escape = false;
            return kLexCode;
        }
        if (s.escape) {
            s.escape = false;
            return cls;
        }
        if (c == '\\') {
            s.escape = true;
            return cls;
        }
        if (c == (cls == kLexString ? '"' : '\'')) {
            s.cls = kLexCode;
            return kLexCode;
        }
        return cls;
    }
    }
    return kLexCode;
}

const char* LexLineStart(const char* pos, const char* floor)
{
    const char* p = pos;
    while (p > floor && !IsLineEndByte(p[-1]))
        --p;
    return p;
}

bool BlockCommentTracker::StartsInBlockComment(const char* lineStart)
{
    if (lineStart <= m_floor)
        return false;
    const int at = static_cast<int>(lineStart - m_floor);
    // A cached hit is still the last one below a lower query as long as it
    // lies below that query: nothing was found between it and the old one.
    if (!m_haveOpen || m_open > at - 1) {
        m_open = FindLastCommentOpen(at - 1, 0, m_floor);
        m_haveOpen = true;
    }
    if (m_open < 0)
        return false;
    if (!m_haveClose || m_close > at - 2) {
        m_close = FindLastCommentClose(at, 0, m_floor);
        m_haveClose = true;
    }
    return m_close < m_open + 2;
}

static bool StartsInBlockComment(const char* lineStart, const char* floor)
{
    return BlockCommentTracker(floor).StartsInBlockComment(lineStart);
}

LexState LexStateBefore(const char* pos, const char* floor)
{
    const char* line = LexLineStart(pos, floor);
    LexState s;
    if (StartsInBlockComment(line, floor))
        s.cls = kLexBlockComment;
    return LexScan(line, pos, pos + 1, s, [](const char*, LexClass) {});
}

LexClass LexClassAt(const char* pos, const char* floor, const char* end)
{
    LexState s = LexStateBefore(pos, floor);
    return LexStep(s, pos, end);
}

LexClass LexClassOnLine(const char* pos, const char* floor, const char* end)
{
    LexState s = LexScan(LexLineStart(pos, floor), pos, pos + 1, LexState(), [](const char*, LexClass) {});
    return LexStep(s, pos, end);
}
