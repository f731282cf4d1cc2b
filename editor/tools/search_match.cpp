#include "editor/tools/search_match.h"

#include "editor/syntax/lexical.h"
#include "editor/tools/search_request.h"

#include <cstring>

namespace {

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsWordByte(unsigned char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

// The next byte at or after p (before last) that can start a hit.
const char* NextFirstByte(const char* p, const char* last, unsigned char first, bool matchCase)
{
    if (p >= last)
        return nullptr;
    if (matchCase || !IsAsciiLetter(first))
        return static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(last - p)));
    // Upper- and lower-case forms of an ASCII letter differ in bit 0x20 only.
    const unsigned char lower = static_cast<unsigned char>(first | 0x20);
    for (; p < last; ++p) {
        if ((static_cast<unsigned char>(*p) | 0x20) == lower)
            return p;
    }
    return nullptr;
}

bool RestMatches(const char* p, const char* text, size_t length, bool matchCase)
{
    for (size_t i = 1; i < length; ++i) {
        const unsigned char a = static_cast<unsigned char>(p[i]);
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (a == b)
            continue;
        if (matchCase || !IsAsciiLetter(b) || (a & ~0x20u) != (b & ~0x20u))
            return false;
    }
    return true;
}

} // namespace

const char* FindSearchText(const char* from, const char* begin, const char* end, const char* text,
                           size_t length, uint32_t flags)
{
    if (!from || !text || length == 0 || from < begin || end < from ||
        static_cast<size_t>(end - from) < length)
        return nullptr;
    const bool matchCase = (flags & kSearchMatchCase) != 0;
    const char* last = end - length + 1; // candidates start before this
    const unsigned char first = static_cast<unsigned char>(text[0]);
    const char* p = from;
    while ((p = NextFirstByte(p, last, first, matchCase)) != nullptr) {
        if (!RestMatches(p, text, length, matchCase)) {
            ++p;
            continue;
        }
        if (flags & kSearchWholeWords) {
            const bool before = p > begin && IsWordByte(static_cast<unsigned char>(p[-1]));
            const bool after = p + length < end && IsWordByte(static_cast<unsigned char>(p[length]));
            if (before || after) {
                p += length;
                continue;
            }
        }
        if ((flags & kSearchSkipComments) && IsInsideComment(p, begin)) {
            ++p;
            continue;
        }
        return p;
    }
    return nullptr;
}

void CLineCounter::Reset(const char* begin)
{
    begin_ = counted_ = lineStart_ = begin;
    line_ = 1;
}

void CLineCounter::Locate(const char* pos, int* line, int* column)
{
    if (pos < counted_)
        Reset(begin_); // asked about an earlier place: count again from the start
    for (const char* p = counted_; p < pos; ++p) {
        if (*p == '\n') {
            ++line_;
            lineStart_ = p + 1;
        } else if (*p == '\r') {
            lineStart_ = p + 1;
        }
    }
    counted_ = pos;
    *line = line_;
    *column = static_cast<int>(pos - lineStart_) + 1;
}
