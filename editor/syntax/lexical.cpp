// String, comment and preprocessor tests and the comment delimiter searches.
#include "editor/syntax/lexical.h"

#include <algorithm>
#include <cstring>

#include "editor/syntax/lexer.h"

bool IsInsideString(const char* pos, const char* floor)
{
    if (!pos || !floor || pos < floor)
        return false;
    // The string test looks at the position's own line only, as a string
    // literal cannot span a line end.
    return IsLexLiteral(LexClassOnLine(pos, floor, AheadLimit(pos)));
}

bool IsInsideComment(const char* pos, const char* floor)
{
    if (!pos || !floor || pos < floor)
        return false;
    return IsLexComment(LexClassAt(pos, floor, AheadLimit(pos)));
}

bool IsPreprocessorLine(const char* pos, const char* floor)
{
    if (!pos || !floor || pos < floor)
        return false;
    const char* p = pos;
    while (p > floor && !IsLineEndByte(p[-1]) && p[-1] != 2)
        --p;
    while (p < pos && (*p == ' ' || *p == '\t' || *p == 1))
        ++p;
    return *p == '#';
}

int FindLastCommentOpen(int offset, int lowerBound, const char* buffer)
{
    if (!buffer)
        return -1;
    const int lower = std::max(lowerBound, 0);
    int i = offset;
    while (i >= lower) {
        while (i >= lower && !(buffer[i] == '/' && buffer[i + 1] == '*'))
            --i;
        if (i < lower)
            return -1;
        const LexClass c = LexClassOnLine(buffer + i, buffer, buffer + i + 2);
        if (c == kLexLineComment) {
            // Behind "//": nothing more on this line opens a comment; go on
            // with the end of the line before.
            i = static_cast<int>(LexLineStart(buffer + i, buffer) - buffer) - 1;
            continue;
        }
        if (IsLexLiteral(c)) {
            --i;
            continue;
        }
        return i;
    }
    return -1;
}

// Whether a "*/" lies in a string is judged by double quotes alone: comment
// text continued from a line above often holds apostrophes, which must not
// hide the closer. Quotes next to a single quote ('"') and escaped quotes
// do not count.
static bool OddQuotesBefore(const char* pos, const char* floor)
{
    int count = 0;
    for (const char* p = LexLineStart(pos, floor); p < pos; ++p) {
        if (*p != '"')
            continue;
        if (p > floor && (p[-1] == '\'' || p[-1] == '\\'))
            continue;
        if (p[1] == '\'')
            continue;
        ++count;
    }
    return count & 1;
}

int FindLastCommentClose(int offset, int lowerBound, const char* buffer)
{
    if (!buffer)
        return -1;
    const int lower = std::max(lowerBound, 0);
    for (int i = offset - 2; i >= lower; --i) {
        if (!(buffer[i] == '*' && buffer[i + 1] == '/'))
            continue;
        if (OddQuotesBefore(buffer + i, buffer))
            continue;
        return i;
    }
    return -1;
}

int FindCommentOpen(int from, int to, const char* buffer)
{
    if (!buffer)
        return -1;
    for (int i = std::max(from, 0); i < to; ++i) {
        if (buffer[i] == '\0')
            return -1;
        if (!(buffer[i] == '/' && buffer[i + 1] == '*'))
            continue;
        const LexClass c = LexClassOnLine(buffer + i, buffer, buffer + i + 2);
        if (c == kLexLineComment) {
            while (i < to && buffer[i] && !IsLineEndByte(buffer[i]))
                ++i;
            continue;
        }
        if (IsLexLiteral(c))
            continue;
        return i;
    }
    return -1;
}

int FindCommentClose(int from, int to, const char* buffer)
{
    // The search starts inside a comment, where no literal exists: the first
    // "*/" closes it.
    if (!buffer)
        return -1;
    for (int i = std::max(from, 0); i < to; ++i) {
        if (buffer[i] == '\0')
            return -1;
        if (buffer[i] == '*' && buffer[i + 1] == '/')
            return i;
    }
    return -1;
}
