#include "editor/tools/search_match.h"

#include "editor/editctl/break_count.h"
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

} // namespace

CSearchPattern::CSearchPattern(const char* text, size_t length, uint32_t flags) : flags_(flags)
{
    const bool matchCase = (flags & kSearchMatchCase) != 0;
    for (int c = 0; c < 256; ++c) {
        const unsigned char b = static_cast<unsigned char>(c);
        // Upper- and lower-case forms of an ASCII letter differ in bit 0x20 only.
        fold_[c] = !matchCase && IsAsciiLetter(b) ? static_cast<unsigned char>(b | 0x20) : b;
    }
    if (!text || length == 0)
        return;
    folded_.resize(length);
    for (size_t i = 0; i < length; ++i)
        folded_[i] = static_cast<char>(fold_[static_cast<unsigned char>(text[i])]);

    const uint64_t ones = 0x0101010101010101ULL;
    const unsigned char first = static_cast<unsigned char>(folded_[0]);
    const unsigned char last = static_cast<unsigned char>(folded_[length - 1]);
    first_ = first * ones;
    last_ = last * ones;
    // A folded letter is the lower-case one: setting bit 0x20 of a byte
    // gives it when the byte is that letter in either case (and turns a few
    // other bytes into it too; the whole comparison sorts those out).
    firstFold_ = !matchCase && IsAsciiLetter(first) ? 0x20 * ones : 0;
    lastFold_ = !matchCase && IsAsciiLetter(last) ? 0x20 * ones : 0;
}

bool CSearchPattern::Matches(const char* p) const
{
    const size_t length = folded_.size();
    for (size_t i = 0; i < length; ++i) {
        if (fold_[static_cast<unsigned char>(p[i])] != static_cast<unsigned char>(folded_[i]))
            return false;
    }
    return true;
}

// The first window at or after p (starting before last) that holds the text.
const char* CSearchPattern::FindCandidate(const char* p, const char* last) const
{
    const size_t back = folded_.size() - 1;
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    // Eight windows at a time: a byte of z is zero where a window starts with
    // the text's first byte and ends with its last byte (folded as asked).
    for (; last - p >= 8; p += 8) {
        const uint8_t* u = reinterpret_cast<const uint8_t*>(p);
        const uint64_t z = ((break_count::load8(u) | firstFold_) ^ first_) |
                           ((break_count::load8(u + back) | lastFold_) ^ last_);
        // Bit 7 of each byte that is zero (exact: no carries between bytes).
        if (~(((z & low7) + low7) | z | low7) == 0)
            continue;
        for (int i = 0; i < 8; ++i) {
            if (Matches(p + i))
                return p + i;
        }
    }
    for (; p < last; ++p) {
        if (Matches(p))
            return p;
    }
    return nullptr;
}

const char* CSearchPattern::Find(const char* from, const char* begin, const char* end) const
{
    const size_t length = folded_.size();
    if (!from || length == 0 || from < begin || end < from || static_cast<size_t>(end - from) < length)
        return nullptr;
    const char* last = end - length + 1; // candidates start before this
    const char* p = from;
    while ((p = FindCandidate(p, last)) != nullptr) {
        if (flags_ & kSearchWholeWords) {
            const bool before = p > begin && IsWordByte(static_cast<unsigned char>(p[-1]));
            const bool after = p + length < end && IsWordByte(static_cast<unsigned char>(p[length]));
            if (before || after) {
                p += length;
                continue;
            }
        }
        if ((flags_ & kSearchSkipComments) && IsInsideComment(p, begin)) {
            ++p;
            continue;
        }
        return p;
    }
    return nullptr;
}

const char* FindSearchText(const char* from, const char* begin, const char* end, const char* text,
                           size_t length, uint32_t flags)
{
    if (!text || length == 0)
        return nullptr;
    return CSearchPattern(text, length, flags).Find(from, begin, end);
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
    // Line feeds eight bytes at a time.
    const uint8_t* p = reinterpret_cast<const uint8_t*>(counted_);
    const uint8_t* stop = reinterpret_cast<const uint8_t*>(pos);
    int lines = 0;
    for (; stop - p >= 8; p += 8)
        lines += break_count::zero_bytes(break_count::load8(p) ^ 0x0A0A0A0A0A0A0A0AULL);
    for (; p < stop; ++p)
        lines += *p == '\n';
    line_ += lines;
    // The line starts behind the last line end before pos, when there is
    // one since the last position asked about.
    for (const char* q = pos; q > counted_; --q) {
        if (q[-1] == '\n' || q[-1] == '\r') {
            lineStart_ = q;
            break;
        }
    }
    counted_ = pos;
    *line = line_;
    *column = static_cast<int>(pos - lineStart_) + 1;
}
