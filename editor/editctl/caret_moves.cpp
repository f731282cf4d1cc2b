// Where the caret goes: one position, one word, a column of a line, the
// first non-blank of a line. Fill bytes behind a tab are never a position
// of their own.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cctype>

namespace {

enum CharClass { cls_blank, cls_word, cls_other, cls_break, cls_end };

CharClass classify(uint8_t b, bool wrap)
{
    if (b == 0)
        return cls_end;
    if (b == kCarriageReturn || (b == kSoftBreak && wrap))
        return cls_break;
    if (b == kBlank || b == kTab || b == kFillByte)
        return cls_blank;
    if (std::isalnum(b) || b == '_')
        return cls_word;
    return cls_other;
}

} // namespace

int CColorEditCore::NextPos(int offset) const
{
    const CTextState& s = *m_pState;
    if (offset >= s.length || !s.HasBuffers())
        return s.length;
    int next = std::max(0, offset) + 1;
    while (next < s.length && s.At(next) == kFillByte)
        ++next;
    return next;
}

int CColorEditCore::PrevPos(int offset) const
{
    const CTextState& s = *m_pState;
    if (offset <= 0 || !s.HasBuffers())
        return 0;
    int prev = std::min(offset, s.length) - 1;
    while (prev > 0 && s.At(prev) == kFillByte)
        --prev;
    return prev;
}

int CColorEditCore::WordLeft(int offset) const
{
    const CTextState& s = *m_pState;
    if (offset <= 0 || !s.HasBuffers())
        return 0;
    offset = std::min(offset, s.length);
    bool wrap = s.wrapWidth != 0;
    CharClass c = classify(s.At(offset - 1), wrap);
    if (c == cls_break)
        return offset - 1;
    int p = offset;
    while (p > 0 && classify(s.At(p - 1), wrap) == c)
        --p;
    return p;
}

int CColorEditCore::WordRight(int offset) const
{
    const CTextState& s = *m_pState;
    if (offset >= s.length || !s.HasBuffers())
        return s.length;
    offset = std::max(0, offset);
    bool wrap = s.wrapWidth != 0;
    CharClass c = classify(s.At(offset), wrap);
    if (c == cls_break)
        return offset + 1;
    int p = offset;
    while (p < s.length && classify(s.At(p), wrap) == c)
        ++p;
    return p;
}

int CColorEditCore::OffsetAtLineColumn(int line, int column)
{
    const CTextState& s = *m_pState;
    int start = GetLineOffset(line);
    if (start < 0 || !s.HasBuffers())
        return s.length;
    int length = GetLineLength(start);
    int offset = start + std::max(0, std::min(column, length));
    while (offset > start && offset < s.length && s.At(offset) == kFillByte)
        --offset;
    return offset;
}

int CColorEditCore::FirstNonBlank(int lineStart) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    int p = std::max(0, lineStart);
    while (p < s.length && (s.At(p) == kBlank || s.At(p) == kTab || s.At(p) == kFillByte))
        ++p;
    if (p < s.length && !IsLineBreak(s.At(p)))
        return p;
    return lineStart;
}
