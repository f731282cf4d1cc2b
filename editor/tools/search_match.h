// The text matching rules of the search flag word on a byte buffer: case
// sensitive or ASCII case-blind, whole words, and hits inside C comments
// passed over. The file finder and find in files apply them to files' data.
#pragma once

#include <cstddef>
#include <cstdint>

// The first hit of text (length bytes, not empty) in [from, end), or null.
// begin is the start of the buffer: the whole-word test looks at the byte
// before a candidate only when it lies at or after begin, and the comment
// test (kSearchSkipComments) reads the buffer from begin. With the comment
// test the buffer must be NUL-terminated at end.
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
