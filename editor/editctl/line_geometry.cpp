// Offsets and lines: where a line starts and ends, which line holds an
// offset. Line counting uses the first visible line as a starting point when
// the offset lies behind it, because most lookups are near the window.
#include "editor/editctl/edit_core.h"

#include "editor/editctl/break_count.h"

#include <algorithm>
#include <cstring>

int CColorEditCore::GetLineStart(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    int i = std::max(0, std::min(offset, s.length));
    while (i > 0 && s.At(i - 1) != kCarriageReturn && s.At(i - 1) != kSoftBreak)
        --i;
    return i;
}

// The offset of the first visible line is cached per control; an edit by
// another view of the same text, or a window that moved the first line,
// makes it stale, so it is recomputed from the line index, which rules.
bool CColorEditCore::TopKnown() const
{
    return m_nTopVersion == m_pState->version && m_nKnownTopLine == m_nTopLine &&
           m_nKnownTopOffset == m_nTopOffset;
}

void CColorEditCore::MarkTopKnown()
{
    m_nTopVersion = m_pState->version;
    m_nKnownTopLine = m_nTopLine;
    m_nKnownTopOffset = m_nTopOffset;
}

void CColorEditCore::RefreshTopOffset()
{
    const CTextState& s = *m_pState;
    if (TopKnown())
        return;
    int lines = static_cast<int>(s.lineCount);
    if (m_nTopLine >= lines)
        m_nTopLine = lines > 0 ? lines - 1 : 0;
    if (m_nTopLine < 0)
        m_nTopLine = 0;
    m_nTopOffset = std::max(0, GetLineOffset(m_nTopLine));
    MarkTopKnown();
}

void CColorEditCore::SetTopLine(int line)
{
    const CTextState& s = *m_pState;
    int lines = static_cast<int>(s.lineCount);
    if (line >= lines)
        line = lines - 1;
    if (line < 0)
        line = 0;
    m_nTopLine = line;
    m_nTopOffset = std::max(0, GetLineOffset(line));
    MarkTopKnown();
}

// Counts from the nearest point whose line is known: the text start, the
// first visible line, the last offset looked up, or the text end (the line
// count is known there).
int CColorEditCore::LineFromOffset(int offset)
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    offset = std::max(0, std::min(offset, s.length));
    RefreshTopOffset();
    int bestFrom = 0, bestLine = 0, bestDistance = offset;
    auto consider = [&](int from, int line) {
        int d = from <= offset ? offset - from : from - offset;
        if (d < bestDistance) {
            bestDistance = d;
            bestFrom = from;
            bestLine = line;
        }
    };
    consider(m_nTopOffset, m_nTopLine);
    if (m_nHintVersion == s.version)
        consider(m_nHintOffset, m_nHintLine);
    if (s.lineCount > 0)
        consider(s.length, static_cast<int>(s.lineCount) - 1);
    int line = bestFrom <= offset ? bestLine + CountBreaks(bestFrom, offset)
                                  : bestLine - CountBreaks(offset, bestFrom);
    m_nHintOffset = offset;
    m_nHintLine = line;
    m_nHintVersion = s.version;
    return line;
}

int CColorEditCore::GetLineOffset(int line) const
{
    const CTextState& s = *m_pState;
    if (line < 0 || !s.HasBuffers())
        return line == 0 ? 0 : -1;
    if (line == 0)
        return 0;
    int found = 0;
    int at = s.store.AfterNthBreak(line, s.wrapWidth != 0, &found);
    if (at >= 0)
        return at;
    // line = line count names the last line.
    if (line <= static_cast<int>(s.lineCount))
        return found == 0 ? 0 : s.length - LayoutColumn(s.length);
    return -1;
}

int CColorEditCore::GetLineOffsetClamped(int line)
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    if (line >= static_cast<int>(s.lineCount))
        line = static_cast<int>(s.lineCount) - 1;
    if (line <= m_nTopLine)
        return std::max(0, GetLineOffset(line));
    int found = 0;
    int at = s.store.AfterNthBreak(line, s.wrapWidth != 0, &found);
    if (at >= 0)
        return at;
    return found == 0 ? 0 : s.length - LayoutColumn(s.length);
}

int CColorEditCore::GetLineLength(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    offset = std::max(0, std::min(offset, s.length));
    int a = offset;
    while (a > 0 && !IsLineBreak(s.At(a - 1)))
        --a;
    return GetLineEnd(offset) - a;
}

int CColorEditCore::GetPageEndOffset()
{
    int line = m_nTopLine + m_nVisibleLines + 2;
    if (line >= GetLineCount())
        return m_pState->length;
    return GetLineOffsetClamped(line);
}

int CColorEditCore::FindLineBreak(int start, int length) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers() || start < 0)
        return -1;
    int end = std::min(s.length, start + std::max(0, length));
    for (int i = start; i < end; ++i) {
        if (IsLineBreak(s.At(i)))
            return i;
    }
    return -1;
}

int CColorEditCore::FindLineBreakSz(const uint8_t* text) const
{
    if (!text)
        return -1;
    for (int i = 0; text[i]; ++i) {
        if (IsLineBreak(text[i]))
            return i;
    }
    return -1;
}

int FindLineStart(int position, const uint8_t* text)
{
    for (int i = position; i >= 0; --i) {
        if (text[i] == kCarriageReturn || text[i] == kLineFeed)
            return i + 1;
    }
    return 0;
}

int LineFromTextOffset(int position, const uint8_t* text, int end)
{
    if (!text || position > end || position < 0)
        return 0;
    bool hasCR = std::memchr(text, kCarriageReturn, static_cast<size_t>(end)) != nullptr;
    uint8_t sep = hasCR ? kCarriageReturn : kLineFeed;
    int line = 0;
    for (int i = 0; i < position; ++i)
        line += text[i] == sep;
    return line;
}
