// The text matching rules of the search flag word on a byte buffer: case
// sensitive or ASCII case-blind, whole words, and hits inside C comments
// passed over. The file finder and find in files apply them to files' data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A search text prepared once for many buffers. Case-blind folds the ASCII
// letters only; every other byte, those above 127 included, matches itself
// alone. Candidates are found eight windows at a time, by the text's first
// and last bytes, and then compared whole.
class CSearchPattern {
public:
    CSearchPattern() = default;
    CSearchPattern(const char* text, size_t length, uint32_t flags);

    // The first hit in [from, end), or null; as FindSearchText below.
    const char* Find(const char* from, const char* begin, const char* end) const;

private:
    const char* FindCandidate(const char* p, const char* last) const;
    bool Matches(const char* p) const;

    std::string folded_;         // the text with the case folded as fold_ does
    uint32_t flags_ = 0;
    unsigned char fold_[256]{};  // byte -> the form it is compared in
    uint64_t first_ = 0, last_ = 0;         // the text's first and last bytes, in every byte of a word
    uint64_t firstFold_ = 0, lastFold_ = 0; // 0x20 in every byte when that byte is a letter to fold
};

// The first hit of text (length bytes, not empty) in [from, end), or null.
// begin is the start of the buffer: the whole-word test looks at the byte
// before a candidate only when it lies at or after begin, and the comment
// test (kSearchSkipComments) reads the buffer from begin. With the comment
// test the buffer must be NUL-terminated at end. A candidate that fails the
// whole-word test is passed over whole: the search goes on behind it.
const char* FindSearchText(const char* from, const char* begin, const char* end, const char* text,
                           size_t length, uint32_t flags);

// Line and column (both from 1) of a position in a buffer as the disk search
// reports them: 1 + the line feeds before pos; 1 + the bytes between the last
// CR or LF before pos (or the buffer start) and pos. The counter goes
// forward from the last position it was asked about, so that stepping
// through the hits of a file costs one pass over it.
class CLineCounter {
public:
    void Reset(const char* begin);
    void Locate(const char* pos, int* line, int* column);

private:
    const char* begin_ = nullptr;
    const char* counted_ = nullptr;   // line feeds before this are in line_
    const char* lineStart_ = nullptr; // byte after the last CR or LF before counted_
    int line_ = 1;
};
