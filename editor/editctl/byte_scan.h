// Finding the bytes below 14 in a run of text many bytes at a time: every
// byte that loading and saving treat apart (line ends, tabs, fill bytes,
// soft breaks, the end mark) is one, and most text holds none of them for
// several bytes in a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// EDITCTL_WORD_SCAN takes the word steps where SSE2 is at hand too (the
// 32-bit build has no SSE2; its steps are tested on this way).
#if defined(__SSE2__) && !defined(EDITCTL_WORD_SCAN)
#define EDITCTL_SSE2_SCAN 1
#include <emmintrin.h>
#endif

namespace byte_scan {

// The top bit of every byte below 14 of a word; the lowest is exact, a
// byte of 14 or less above a marked one may be marked as well (a borrow
// runs upwards), so a caller looks at a marked byte before it acts.
inline uint64_t word_low_marks(uint64_t w)
{
    return (w - 0x0E0E0E0E0E0E0E0EULL) & ~w & 0x8080808080808080ULL;
}

#if defined(EDITCTL_SSE2_SCAN)

// Bytes looked at in one step.
const size_t kStep = 16;
typedef uint32_t Marks;

// A mark for every byte below 14 of p[0, kStep); exact.
inline Marks low_marks(const uint8_t* p)
{
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(13)), x);
    return static_cast<Marks>(_mm_movemask_epi8(low));
}

// Copies a step of bytes (the caller has room behind both places).
inline void copy_step(uint8_t* to, const uint8_t* from)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
}

// The place of the lowest mark.
inline size_t first_mark(Marks m)
{
    return static_cast<size_t>(__builtin_ctz(m));
}

// The marks at places k and above (k < kStep).
inline Marks marks_from(Marks m, size_t k)
{
    return m & (~Marks(0) << k);
}

#else

const size_t kStep = 8;
typedef uint64_t Marks;

// A mark for every byte below 14 of p[0, kStep), and perhaps for bytes of
// 14 or less above one (see word_low_marks).
inline Marks low_marks(const uint8_t* p)
{
    uint64_t w;
    std::memcpy(&w, p, 8);
    return word_low_marks(w);
}

inline void copy_step(uint8_t* to, const uint8_t* from)
{
    std::memcpy(to, from, 8);
}

inline size_t first_mark(Marks m)
{
    return static_cast<size_t>(__builtin_ctzll(m)) / 8;
}

inline Marks marks_from(Marks m, size_t k)
{
    return m & (~Marks(0) << (8 * k));
}

#endif

// The number of bytes b from p on, up to n of them.
inline size_t run_of(const uint8_t* p, size_t n, uint8_t b)
{
    const uint64_t all = 0x0101010101010101ULL * b;
    size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        uint64_t w;
        std::memcpy(&w, p + k, 8);
        if (w != all)
            return k + static_cast<size_t>(__builtin_ctzll(w ^ all)) / 8;
    }
    while (k < n && p[k] == b)
        ++k;
    return k;
}

} // namespace byte_scan
