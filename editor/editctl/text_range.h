// Small helpers on positions of the text model, shared by the edit modules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/editctl/text_state.h"

// A fill byte belongs to the tab before its run; returns that tab's offset,
// or -1 when the position holds no such fill byte.
inline int fill_owner(const CTextState& s, int pos)
{
    if (pos <= 0 || pos >= s.length || s.At(pos) != kFillByte)
        return -1;
    int i = pos;
    while (i > 0 && s.At(i) == kFillByte)
        --i;
    return s.At(i) == kTab ? i : -1;
}

inline int skip_fill(const CTextState& s, int pos)
{
    if (fill_owner(s, pos) < 0)
        return pos;
    while (pos < s.length && s.At(pos) == kFillByte)
        ++pos;
    return pos;
}

// Normalised replaced range: a start on a fill byte moves to its tab, an end
// on a fill byte moves behind the run, so no edit splits a tab from its fill;
// an empty range stays empty.
inline void normalise_range(const CTextState& s, int& start, int& end)
{
    start = std::max(0, std::min(start, s.length));
    end = std::max(start, std::min(end, s.length));
    bool empty = start == end;
    int owner = fill_owner(s, start);
    if (owner >= 0)
        start = owner;
    end = empty ? start : skip_fill(s, end);
}

// Appends text[from, to) with every tab followed by fill bytes up to its next
// stop, columns counted from col; old fill bytes are dropped, fill bytes take
// their tab's attribute. Returns the column after the run.
inline int append_laid_out(const uint8_t* text, const uint8_t* attr, int from, int to, int col, int tabWidth,
                           std::vector<uint8_t>& outText, std::vector<uint8_t>& outAttr)
{
    int i = from;
    while (i < to) {
        uint8_t b = text[i];
        uint8_t a = attr[i];
        ++i;
        if (b == kTab) {
            while (i < to && text[i] == kFillByte)
                ++i;
            int n = tabWidth - col % tabWidth;
            outText.push_back(kTab);
            outText.insert(outText.end(), static_cast<size_t>(n - 1), kFillByte);
            outAttr.insert(outAttr.end(), static_cast<size_t>(n), a);
            col += n;
        } else {
            outText.push_back(b);
            outAttr.push_back(a);
            ++col;
        }
    }
    return col;
}
