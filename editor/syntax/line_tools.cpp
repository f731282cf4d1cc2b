// Line deletion, one-column block shifts, block case conversion, code lines.
#include "editor/syntax/line_tools.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "editor/syntax/lexical.h"
#include "editor/syntax/undo_step.h"

namespace {
int LineOf(CColorEditCore& core, int offset) { return core.LineFromOffset(offset); }
int ColumnOf(CColorEditCore& core, int offset) { return offset - core.GetLineStart(offset); }
} // namespace

int DeleteLine(CColorEditCore& core)
{
    CTextState& s = core.State();
    const int start = core.GetLineStart(s.selStart);
    int end = core.GetLineEnd(start);
    if (end < s.length)
        ++end; // the line break
    if (end <= start)
        return -1;
    core.SetSel(start, end, false, false);
    if (core.DeleteText(true, true, 0) < 0)
        return -1;
    const int caret = std::min(start, core.GetTextLength());
    core.SetSel(caret, caret, false, false);
    core.m_nCaretLine = LineOf(core, caret);
    return caret;
}

int DeleteToLineEnd(CColorEditCore& core)
{
    CTextState& s = core.State();
    const int caret = s.selStart;
    const int end = core.GetLineEnd(caret);
    if (end <= caret)
        return -1;
    core.SetSel(caret, end, false, false);
    if (core.DeleteText(true, true, 0) < 0)
        return -1;
    core.SetSel(caret, caret, false, false);
    return caret;
}

bool GetBlockLines(CColorEditCore& core, int& firstLine, int& lastLine)
{
    const CTextState& s = core.State();
    firstLine = LineOf(core, s.selStart);
    lastLine = LineOf(core, s.selEnd);
    if (lastLine > firstLine && core.GetLineStart(s.selEnd) == s.selEnd)
        --lastLine;
    return lastLine > firstLine;
}

int ColumnInsertBlank(CColorEditCore& core)
{
    int first, last;
    if (!GetBlockLines(core, first, last))
        return -1;
    CTextState& s = core.State();
    const int caretLine = first;
    const int column = ColumnOf(core, s.selStart);
    const int from = core.GetLineStart(s.selStart);
    CSingleUndoStep step(core);
    if (!core.ShiftColumn(column, first, last, 1, ' '))
        return -1;
    const int caret = core.GetLineOffset(caretLine) + column + 1;
    core.SetSel(caret, std::max(caret, s.selEnd), false, false);
    core.m_nCaretLine = caretLine;
    return from;
}

int ColumnDeleteBlank(CColorEditCore& core)
{
    int first, last;
    if (!GetBlockLines(core, first, last))
        return -1;
    CTextState& s = core.State();
    const int column = ColumnOf(core, s.selStart);
    if (column == 0)
        return -1;
    const int anchorLine = LineOf(core, s.selEnd);
    const int anchorColumn = ColumnOf(core, s.selEnd);
    const int from = core.GetLineStart(s.selStart);
    CSingleUndoStep step(core);
    if (!core.ShiftColumn(column - 1, first, last, -1, 0))
        return -1;
    const int caret = core.GetLineOffset(first) + column - 1;
    int anchor = core.GetLineOffset(anchorLine) + anchorColumn;
    if (anchorLine <= last && anchorColumn > column - 1)
        anchor -= 1;
    core.SetSel(caret, std::max(caret, std::min(anchor, core.GetTextLength())), false, false);
    core.m_nCaretLine = first;
    return from;
}

// Inserts one blank at an offset through the core, with undo.
static bool InsertBlankAt(CColorEditCore& core, int offset)
{
    core.SetSel(offset, offset, false, false);
    int length = 1;
    const uint8_t blank = ' ';
    return core.InsertText(&blank, length, nullptr, kInsertRecordUndo) > 0;
}

int IndentLinesByBlank(CColorEditCore& core)
{
    int first, last;
    if (!GetBlockLines(core, first, last))
        last = LineOf(core, core.State().selStart), first = last;
    CTextState& s = core.State();
    const int caret = s.selStart;
    const int anchor = s.selEnd;
    const int from = core.GetLineStart(caret);
    CSingleUndoStep step(core);
    if (s.readOnly || !InsertBlankAt(core, caret))
        return -1;
    int inserted = 1;
    for (int line = first + 1; line <= last; ++line) {
        const int start = core.GetLineOffset(line);
        if (start < 0 || !InsertBlankAt(core, start))
            break;
        if (start < anchor + inserted)
            ++inserted;
    }
    core.SetSel(caret + 1, std::min(anchor + inserted, core.GetTextLength()), false, false);
    core.m_nCaretLine = first;
    return from;
}

int UnindentLinesByBlank(CColorEditCore& core)
{
    int first, last;
    if (!GetBlockLines(core, first, last))
        last = LineOf(core, core.State().selStart), first = last;
    CTextState& s = core.State();
    const uint8_t* text = core.GetTextBuffer();
    const int caret = s.selStart;
    const int anchor = s.selEnd;
    if (s.readOnly || caret <= 0 || text[caret - 1] != ' ')
        return -1;
    for (int line = first + 1; line <= last; ++line)
        if (text[core.GetLineOffset(line)] != ' ')
            return -1;
    int removedBeforeAnchor = 0;
    CSingleUndoStep step(core);
    for (int line = last; line > first; --line) {
        const int start = core.GetLineOffset(line);
        core.SetSel(start, start + 1, false, false);
        core.DeleteText(true, true, 0);
        if (start < anchor)
            ++removedBeforeAnchor;
    }
    core.SetSel(caret - 1, caret, false, false);
    core.DeleteText(true, true, 0);
    ++removedBeforeAnchor;
    const int newAnchor = std::max(caret - 1, anchor - removedBeforeAnchor);
    core.SetSel(caret - 1, newAnchor, false, false);
    core.m_nCaretLine = first;
    return core.GetLineStart(caret - 1);
}

static bool IsWordChar(uint8_t c) { return std::isalnum(c) != 0; }

int ConvertColumnCase(CColorEditCore& core, int firstLine, int lastLine, int leftColumn, int rightColumn, int mode)
{
    if (firstLine > lastLine || leftColumn >= rightColumn || core.State().readOnly)
        return -1;
    if (mode != kCaseUpper && mode != kCaseLower && mode != kCaseCapitals)
        return -1;
    uint8_t* text = core.GetTextBuffer();
    CSingleUndoStep step(core);
    uint8_t* attr = core.GetAttrBuffer();
    int changedFrom = -1;
    for (int line = firstLine; line <= lastLine && line < core.GetLineCount(); ++line) {
        const int start = core.GetLineOffset(line);
        if (start < 0)
            break;
        const int end = core.GetLineEnd(start);
        int a = start + leftColumn;
        const int b = std::min(end, start + rightColumn);
        if (a >= b)
            continue;
        // A piece ends early at a soft break too.
        int stop = a;
        while (stop < b && text[stop] != kSoftBreak && text[stop] != kCarriageReturn)
            ++stop;
        if (stop <= a)
            continue;
        core.RecordUndo(kUndoReplaced, a, stop, text + a, attr + a);
        if (changedFrom < 0)
            changedFrom = a;
        if (mode == kCaseCapitals) {
            int i = a;
            // A word cut by the left edge keeps its case up to its end.
            if (i > start && text[i - 1] != ' ' && IsWordChar(text[i - 1]) && text[i] != ' ')
                while (i < stop && IsWordChar(text[i]))
                    ++i;
            bool inWord = false;
            for (; i < stop; ++i) {
                if (!IsWordChar(text[i])) {
                    inWord = false;
                    continue;
                }
                text[i] = static_cast<uint8_t>(inWord ? std::tolower(text[i]) : std::toupper(text[i]));
                inWord = true;
            }
        } else {
            for (int i = a; i < stop; ++i)
                text[i] = static_cast<uint8_t>(mode == kCaseUpper ? std::toupper(text[i]) : std::tolower(text[i]));
        }
    }
    if (changedFrom >= 0)
        core.SetModify(1);
    return changedFrom;
}

int ConvertRangeCase(CColorEditCore& core, int start, int end, int mode)
{
    CTextState& s = core.State();
    start = std::max(0, start);
    end = std::min(end, s.length);
    if (start >= end || s.readOnly || !s.HasBuffers())
        return -1;
    if (mode != kCaseUpper && mode != kCaseLower && mode != kCaseCapitals)
        return -1;
    core.RecordUndo(kUndoReplaced, start, end, core.GetTextBuffer() + start, core.GetAttrBuffer() + start);
    int i = start;
    if (mode == kCaseCapitals && start > 0 && s.At(start) != ' ' && s.At(start - 1) != ' ')
        while (i < end && IsWordChar(s.At(i)))
            ++i;
    bool inWord = false;
    for (; i < end; ++i) {
        const uint8_t b = s.At(i);
        uint8_t c = b;
        if (mode == kCaseUpper) {
            c = static_cast<uint8_t>(std::toupper(b));
        } else if (mode == kCaseLower) {
            c = static_cast<uint8_t>(std::tolower(b));
        } else if (IsWordChar(b)) {
            c = static_cast<uint8_t>(inWord ? std::tolower(b) : std::toupper(b));
            inWord = true;
        } else {
            inWord = false;
        }
        if (c != b)
            s.store.SetAt(i, c);
    }
    core.SetModify(1);
    return start;
}

int CountLinesOfCode(const CColorEditCore& core)
{
    const char* text = reinterpret_cast<const char*>(core.GetTextBuffer());
    const int length = core.GetTextLength();
    if (!text || length == 0)
        return 0;
    int count = 0;
    bool counted = false; // the current line counts already
    int pos = 0;
    while (pos < length) {
        const int open = FindCommentOpen(pos, length, text);
        const int codeEnd = open < 0 ? length : open;
        // Code from pos up to the next block comment, line by line.
        for (int i = pos; i < codeEnd; ++i) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                counted = false;
                continue;
            }
            if (c == ' ' || c == '\t' || c == 1 || c == 2)
                continue;
            if (c == '/' && i + 1 < length && text[i + 1] == '/') {
                while (i + 1 < codeEnd && text[i + 1] != '\r' && text[i + 1] != '\n')
                    ++i;
                continue;
            }
            if (!counted) {
                ++count;
                counted = true;
            }
        }
        if (open < 0)
            break;
        const int close = FindCommentClose(open + 2, length, text);
        if (close < 0)
            break;
        // Line breaks inside the comment start new lines that hold no code.
        for (int i = open; i < close; ++i)
            if (text[i] == '\r' || text[i] == '\n')
                counted = false;
        pos = close + 2;
    }
    return count;
}

static bool IsBlank(uint8_t c) { return c == ' ' || c == kTab || c == kFillByte; }

namespace {
// Deletes [from, to) with undo and keeps the caret on the same text.
struct Deleter {
    CColorEditCore& core;
    int caret;
    int deleted = 0;
    explicit Deleter(CColorEditCore& c) : core(c), caret(c.State().selStart) {}
    void Delete(int from, int to)
    {
        if (to <= from)
            return;
        core.SetSel(from, to, false, false);
        if (core.DeleteText(true, true, 0) < 0)
            return;
        deleted += to - from;
        if (caret >= to)
            caret -= to - from;
        else if (caret > from)
            caret = from;
    }
    ~Deleter()
    {
        const int at = std::min(caret, core.GetTextLength());
        core.SetSel(at, at, false, false);
        core.m_nCaretLine = core.LineFromOffset(at);
    }
};

int LastLine(CColorEditCore& core, int lastLine)
{
    const int count = core.GetLineCount();
    return lastLine < 0 || lastLine >= count ? count - 1 : lastLine;
}
} // namespace

int DeleteTrailingSpaces(CColorEditCore& core, int firstLine, int lastLine)
{
    if (core.State().readOnly || !core.GetTextBuffer())
        return 0;
    CSingleUndoStep step(core);
    Deleter d(core);
    lastLine = LastLine(core, lastLine);
    for (int line = std::max(firstLine, 0); line <= lastLine; ++line) {
        const int start = core.GetLineOffset(line);
        if (start < 0)
            break;
        const int end = core.GetLineEnd(start);
        const uint8_t* t = core.GetTextBuffer();
        int from = end;
        while (from > start && IsBlank(t[from - 1]))
            --from;
        // A tab's fill stays with the tab: delete from the tab itself.
        d.Delete(from, end);
    }
    return d.deleted;
}

int DeleteLeadingSpaces(CColorEditCore& core, int firstLine, int lastLine, bool keepCommentBlanks)
{
    if (core.State().readOnly || !core.GetTextBuffer())
        return 0;
    CSingleUndoStep step(core);
    Deleter d(core);
    lastLine = LastLine(core, lastLine);
    for (int line = std::max(firstLine, 0); line <= lastLine; ++line) {
        const int start = core.GetLineOffset(line);
        if (start < 0)
            break;
        const int end = core.GetLineEnd(start);
        const char* t = reinterpret_cast<const char*>(core.GetTextBuffer());
        int to = start;
        while (to < end && IsBlank(static_cast<uint8_t>(t[to]))) {
            if (keepCommentBlanks && IsInsideComment(t + to, t))
                break;
            ++to;
        }
        d.Delete(start, to);
    }
    return d.deleted;
}

int DeleteEmptyLines(CColorEditCore& core, int firstLine, int lastLine)
{
    if (core.State().readOnly || !core.GetTextBuffer())
        return 0;
    CSingleUndoStep step(core);
    Deleter d(core);
    lastLine = LastLine(core, lastLine);
    const int from = core.GetLineOffset(std::max(firstLine, 0));
    if (from < 0)
        return 0;
    int to = lastLine + 1 < core.GetLineCount() ? core.GetLineOffset(lastLine + 1) : core.GetTextLength();
    // Backwards, so that the offsets still to visit do not move.
    for (int i = std::min(to, core.GetTextLength()) - 1; i >= from; --i) {
        const uint8_t* t = core.GetTextBuffer();
        if (t[i] == kCarriageReturn && i + 1 < core.GetTextLength() &&
            (t[i + 1] == kCarriageReturn || t[i + 1] == kSoftBreak))
            d.Delete(i, i + 1);
    }
    return d.deleted;
}
