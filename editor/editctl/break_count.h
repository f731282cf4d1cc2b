// Counting and finding line breaks fast: eight bytes at a time, because the
// line of an offset is looked up after every keystroke in texts of many
// megabytes.
#pragma once

#include <cstdint>
#include <cstring>

#include "editor/editctl/text_state.h"

namespace break_count {

inline uint64_t load8(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Number of zero bytes in a word (exact, no carries between bytes).
inline int zero_bytes(uint64_t x)
{
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    uint64_t y = (x & low7) + low7;
    y = ~(y | x | low7);
    // One bit per zero byte at bit 7; the multiplication sums the bytes.
    return static_cast<int>(((y >> 7) * 0x0101010101010101ULL) >> 56);
}

inline int breaks_in_word(uint64_t w, bool wrap)
{
    int n = zero_bytes(w ^ 0x0D0D0D0D0D0D0D0DULL);
    if (wrap)
        n += zero_bytes(w ^ 0x0202020202020202ULL);
    return n;
}

inline bool is_break(uint8_t b, bool wrap)
{
    return b == kCarriageReturn || (wrap && b == kSoftBreak);
}

// Line breaks in t[from, to).
inline int count(const uint8_t* t, int from, int to, bool wrap)
{
    int n = 0, i = from;
    for (; i + 8 <= to; i += 8)
        n += breaks_in_word(load8(t + i), wrap);
    for (; i < to; ++i)
        n += is_break(t[i], wrap);
    return n;
}

// Offset behind the n-th line break in t[from, to) (n >= 1), or -1 when
// there are fewer; *found gets the number of breaks seen then.
inline int after_nth(const uint8_t* t, int from, int to, int n, bool wrap, int* found)
{
    int seen = 0, i = from;
    for (; i + 8 <= to; i += 8) {
        int k = breaks_in_word(load8(t + i), wrap);
        if (seen + k >= n)
            break;
        seen += k;
    }
    for (; i < to; ++i) {
        if (is_break(t[i], wrap) && ++seen == n) {
            *found = seen;
            return i + 1;
        }
    }
    *found = seen;
    return -1;
}

} // namespace break_count
