// Line ends of captured tool output: every line end becomes one CR, the
// form of the output pane's text. A CR LF pair split between two chunks
// still gives one CR: the converter remembers whether the last chunk ended
// with a CR.
#pragma once

#include <cstddef>

class CLineEndConverter {
public:
    // Converts size bytes in place; returns the new size.
    size_t Convert(char* text, size_t size);
    void Reset() { lastWasCR_ = false; }

private:
    bool lastWasCR_ = false;
};
