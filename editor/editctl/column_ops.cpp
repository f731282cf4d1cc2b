// Operations on columns of consecutive lines: pasting a text as a column
// block or indented to a column, copying and deleting a block, shifting,
// numbering and filling a column. Columns count bytes of the text, so tab
// fill bytes are columns; every piece goes through InsertText or DeleteText
// and is an undo step of its own.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

int CColorEditCore::InsertAt(int offset, const std::string& bytes, int flags)
{
    CTextState& s = *m_pState;
    s.selStart = s.selEnd = std::max(0, std::min(offset, s.length));
    int length = static_cast<int>(bytes.size());
    if (length == 0)
        return 0;
    InsertStatus status;
    InsertText(reinterpret_cast<const uint8_t*>(bytes.data()), length, nullptr, flags, &status);
    return status == kInsertDone ? length : -1;
}

void CColorEditCore::InsertColumnText(int column, const std::string& text)
{
    CTextState& s = *m_pState;
    std::string work;
    work.reserve(text.size() + 100);
    for (char ch : text) {
        work.push_back(ch);
        if (ch == '\r')
            work.append(static_cast<size_t>(std::max(0, column)), ' ');
    }
    int length = static_cast<int>(work.size());
    int caret = s.selStart;
    InsertStatus status;
    InsertText(reinterpret_cast<const uint8_t*>(work.data()), length, nullptr,
               kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
    if (status == kInsertDone)
        s.selStart = s.selEnd = std::min(caret + length, s.length);
}

void CColorEditCore::InsertColumnBlock(int column, int line, const std::string& text)
{
    CTextState& s = *m_pState;
    int start = GetLineOffset(line);
    if (start < 0 || GetLineLength(start) < column)
        return;
    size_t pos = 0;
    int current = line;
    int firstOffset = start + column;
    while (true) {
        size_t cr = text.find('\r', pos);
        std::string piece = text.substr(pos, cr == std::string::npos ? std::string::npos : cr - pos);
        int lineStart = GetLineOffset(current);
        if (InsertAt(lineStart + column, piece, kInsertExpandTabs | kInsertRecordUndo) < 0)
            break;
        if (cr == std::string::npos)
            break;
        pos = cr + 1;
        // The next line must reach the column.
        ++current;
        if (current < GetLineCount()) {
            int next = GetLineOffset(current);
            int length = GetLineLength(next);
            if (length < column)
                InsertAt(next + length, std::string(static_cast<size_t>(column - length), ' '),
                         kInsertRecordUndo);
        } else {
            InsertAt(s.length, "\r" + std::string(static_cast<size_t>(column), ' '),
                     kInsertRecordUndo);
        }
    }
    s.selStart = s.selEnd = std::min(firstOffset, s.length);
    m_nCaretLine = LineFromOffset(s.selStart);
}

std::string CColorEditCore::ColumnBlockText(int firstLine, int lines, int leftColumn, int width,
                                            bool doDelete, bool* deleted)
{
    CTextState& s = *m_pState;
    std::string rows;
    bool any = false;
    doDelete = doDelete && !s.readOnly;
    for (int r = 0; r < lines; ++r) {
        int line = firstLine + r;
        std::string row(static_cast<size_t>(std::max(0, width)), ' ');
        if (line < GetLineCount() && s.HasBuffers()) {
            int start = GetLineOffset(line);
            int length = start < 0 ? -1 : GetLineLength(start);
            if (length > leftColumn) {
                int from = start + leftColumn;
                int to = std::min(start + length, from + width);
                for (int i = from; i < to; ++i)
                    row[static_cast<size_t>(i - from)] = static_cast<char>(s.At(i));
                if (doDelete && to > from) {
                    // The block would refuse the deletion while it is active.
                    int mode = s.columnMode;
                    s.columnMode = 0;
                    s.selStart = from;
                    s.selEnd = to;
                    if (DeleteText(true, true, 0) >= 0)
                        any = true;
                    s.selEnd = s.selStart;
                    s.columnMode = mode;
                }
            }
        }
        // Fill bytes go, their cells with them.
        row.erase(std::remove(row.begin(), row.end(), static_cast<char>(kFillByte)), row.end());
        rows += row;
        if (r + 1 < lines)
            rows += "\r\n";
    }
    if (doDelete) {
        int start = GetLineOffset(std::min(firstLine, std::max(0, GetLineCount() - 1)));
        int offset = start < 0 ? 0 : start + std::min(leftColumn, GetLineLength(start));
        s.selStart = s.selEnd = offset;
        m_nCaretLine = LineFromOffset(offset);
        s.columnRect.SetEmpty();
    }
    if (deleted)
        *deleted = any;
    return rows;
}

int CColorEditCore::ShiftColumn(int column, int firstLine, int lastLine, int count, int fill)
{
    CTextState& s = *m_pState;
    if (count > 32767 || firstLine >= lastLine || lastLine >= GetLineCount() || s.readOnly)
        return 0;
    // Caret and selection end move with the text inserted in front of them,
    // compared in the text as it is after each insertion.
    int caret = s.selStart, selEnd = s.selEnd;
    for (int line = firstLine; line <= lastLine; ++line) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        if (count <= 0) {
            if (length < column || count == 0)
                continue;
            s.selStart = start + column;
            s.selEnd = std::min(start + length, start + column - count);
            if (s.selEnd > s.selStart)
                DeleteText(true, true, 0);
        } else if (length >= column) {
            int at = start + column;
            int n = InsertAt(at, std::string(static_cast<size_t>(count), static_cast<char>(fill)),
                             kInsertExpandTabs | kInsertRecordUndo);
            if (n > 0 && at < selEnd)
                selEnd += n;
            if (n > 0 && at < caret)
                caret += n;
        }
    }
    s.selStart = std::min(caret, s.length);
    s.selEnd = std::min(selEnd, s.length);
    m_nCaretLine = LineFromOffset(s.selStart);
    return 1;
}

void CColorEditCore::EndColumnInsert(int caret, int selEnd, int inserted, bool keepSelected)
{
    CTextState& s = *m_pState;
    if (keepSelected) {
        s.selStart = std::min(caret, s.length);
        s.selEnd = std::min(selEnd + inserted, s.length);
    } else {
        s.selStart = s.selEnd = std::min(caret, s.length);
    }
    m_nCaretLine = LineFromOffset(s.selStart);
}

int CColorEditCore::NumberColumn(int column, int firstLine, int lastLine, int hex, int prefix,
                                 int first, bool keepSelected)
{
    static const int dec_limits[] = {9, 99, 999, 9999, 99999};
    static const int hex_limits[] = {0xFF, 0xFFF, 0xFFFF, 0xFFFFF, 0xFFFFFF};
    static const char* const dec_formats[] = {"%1.1d", "%2.2d", "%3.3d", "%4.4d", "%5.5d"};
    static const char* const hex_formats[] = {"%2.2X", "%3.3X", "%4.4X", "%5.5X", "%6.6X"};
    static const char* const prefix_formats[] = {"0x%2.2X", "0x%3.3X", "0x%4.4X", "0x%5.5X",
                                                  "0x%6.6X"};
    CTextState& s = *m_pState;
    if (s.readOnly || lastLine < firstLine)
        return 0;
    long long largest = static_cast<long long>(first) + lastLine - firstLine;
    const int* limits = hex ? hex_limits : dec_limits;
    const char* const* formats = hex ? (prefix ? prefix_formats : hex_formats) : dec_formats;
    int kind = -1;
    for (int i = 0; i < 5 && kind < 0; ++i)
        if (largest <= limits[i])
            kind = i;
    if (kind < 0 || first < 0)
        return 0;
    int caret = s.selStart, selEnd = s.selEnd;
    int inserted = 0;
    int value = first;
    for (int line = firstLine; line <= lastLine && line < GetLineCount(); ++line, ++value) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        bool lastWithoutBreak = start + length >= s.length;
        if (length < column && lastWithoutBreak)
            continue;
        char number[16];
        std::snprintf(number, sizeof number, formats[kind], value);
        int n = InsertAt(start + std::min(column, length), number, kInsertExpandTabs | kInsertRecordUndo);
        if (n > 0)
            inserted += n;
    }
    EndColumnInsert(caret, selEnd, inserted, keepSelected);
    return 1;
}

int CColorEditCore::FillColumn(int column, int firstLine, int lastLine, const char* text,
                               int shorterToo, int atLineEnd, int pad, bool keepSelected)
{
    CTextState& s = *m_pState;
    if (!text || std::strpbrk(text, "\r\n\002") || s.readOnly)
        return 0;
    std::string fill(text);
    const int flags = kInsertExpandTabs | kInsertRecordUndo;
    int caret = s.selStart, selEnd = s.selEnd;
    int inserted = 0;
    for (int line = firstLine; line <= lastLine && line < GetLineCount(); ++line) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        bool lastWithoutBreak = start + length >= s.length;
        int n = 0;
        if (atLineEnd) {
            if (length > 0)
                n = InsertAt(start + length, fill, flags);
        } else if (length >= column) {
            n = InsertAt(start + column, fill, flags);
        } else if (pad) {
            n = InsertAt(start + length, std::string(static_cast<size_t>(column - length), ' ') + fill,
                         flags);
        } else if (shorterToo && !lastWithoutBreak) {
            n = InsertAt(start + length, fill, flags);
        }
        if (n > 0)
            inserted += n;
    }
    EndColumnInsert(caret, selEnd, inserted, keepSelected);
    return 1;
}
