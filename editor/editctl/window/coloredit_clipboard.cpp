// CColorEdit: clipboard (CF_TEXT with CR LF line ends) for stream
// selections and column blocks, and the column block operations: tracking,
// drawing, pasting, shifting, numbering and filling.
#include "editor/editctl/window/coloredit.h"

#include "winui/clipboard.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Clipboard text for the text model: CR LF becomes CR, an LF alone (text
// from a program that ends lines with LF only) a CR, so that no lines run
// together; bytes that the model reserves (fill bytes, soft breaks) are not
// taken over.
std::string model_text(const std::string& clip)
{
    std::string out;
    out.reserve(clip.size());
    char prev = 0;
    for (char ch : clip) {
        if (ch == '\n') {
            if (prev != '\r')
                out.push_back('\r');
        } else if (ch != kFillByte && ch != kSoftBreak) {
            out.push_back(ch);
        }
        prev = ch;
    }
    return out;
}

// Text of the model for the clipboard: CR gets an LF, soft breaks and tab
// fill bytes go.
std::string clipboard_text(const unsigned char* text, int length)
{
    std::string out;
    out.reserve(static_cast<size_t>(length) + 16);
    for (int i = 0; i < length; ++i) {
        unsigned char b = text[i];
        if (b == kSoftBreak || b == kFillByte)
            continue;
        out.push_back(static_cast<char>(b));
        if (b == kCarriageReturn)
            out.push_back('\n');
    }
    return out;
}

// Puts text on the clipboard, after the text already there when appending.
int put_on_clipboard(HWND owner, const std::string& text, int append)
{
    winui::CClipboard clip(owner);
    if (!clip.IsOpen())
        return 0;
    std::string old;
    std::string all = text;
    if (append && clip.GetText(old) && !old.empty())
        all = old + "\r\n" + text;
    // The old contents go only when the new block exists.
    clip.Empty();
    if (!clip.SetText(all)) {
        clip.Close();
        return 0;
    }
    return clip.Close() ? 1 : 0;
}

} // namespace

int CColorEdit::Copy(int append)
{
    if (!Buf())
        return 0;
    if (ColumnMode()) {
        CTextRect& block = ColumnRect();
        if (block.right == block.left && block.bottom == block.top)
            return 0;
        if (block.right == block.left || block.top != block.bottom)
            return CopyColumn(0, 1, append);
        StreamFromBlock();
    }
    if (SelEnd() <= SelStart())
        return 0;
    int end = std::min(SelEnd(), Len());
    return put_on_clipboard(m_hWnd, clipboard_text(Buf() + SelStart(), end - SelStart()), append);
}

void CColorEdit::Cut()
{
    if (!Buf())
        return;
    if (ColumnMode()) {
        CTextRect& block = ColumnRect();
        if (block.right == block.left && block.bottom == block.top)
            return;
        if (State().readOnly) {
            CopyColumn(0, 1, 0);
            return;
        }
        if (block.right == block.left || block.top != block.bottom) {
            CopyColumn(1, 1, 0);
            SetModify(1);
            RelayoutTabs(GetLineStart(SelStart()), GetTabWidth());
            SetColumnMode(0);
            CaretFromOffset(SelStart());
            InvalidateText(1);
            NotifyParent();
            return;
        }
        StreamFromBlock();
    }
    if (SelEnd() <= SelStart())
        return;
    Copy(0);
    if (State().readOnly)
        return;
    int oldLines = Lines();
    if (DeleteText(true, true, 1) < 0)
        return;
    SelEnd() = SelStart();
    if (LineFromOffset(SelStart()) < m_nTopLine)
        ScrollLines(LineFromOffset(SelStart()) - m_nTopLine, FALSE);
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_nVisibleLines < Lines());
    SetModify(1);
    CaretFromOffset(SelStart());
    RecomputeLines();
    RepaintAfterEdit(oldLines);
    NotifyParent();
}

void CColorEdit::Paste(int mode)
{
    if (!m_hWnd || State().readOnly || !Buf())
        return;
    std::string text;
    {
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        winui::CClipboard clip(m_hWnd);
        bool got = clip.IsOpen() && clip.GetText(text);
        clip.Close();
        SetCursor(old);
        if (!got)
            return;
    }
    text = model_text(text);
    if (ColumnMode()) {
        // A block in the way would refuse every insertion: the paste goes to
        // the caret instead.
        SetColumnMode(0);
        ColumnRect().SetEmpty();
        SelEnd() = SelStart();
    }
    HideCaret();
    if (mode == 0) {
        int caret = SelStart();
        int length = static_cast<int>(text.size());
        if (!m_bInsertMode)
            SelEnd() = std::min(caret + length, Len());
        int r = InsertText(reinterpret_cast<const uint8_t*>(text.data()), length, nullptr,
                           kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret);
        if (r != -1 && !(r == 0 && length == 0 && !text.empty())) {
            if (GetColorEditSettings().selAfterPaste) {
                SelEnd() = std::min(caret + length, Len());
            } else {
                SelStart() = SelEnd() = std::min(caret + length, Len());
            }
        }
        int line = LineFromOffset(SelStart());
        if (line < m_nTopLine || line >= m_nTopLine + m_nVisibleLines)
            SetTopLine(std::max(0, line - m_nVisibleLines / 2));
    } else {
        POINT pt = GetCaretPos();
        int column = pt.x / m_nCharWidth + HPos();
        int line = LineFromOffset(SelStart());
        if (mode == 1)
            InsertColumnBlock(column, line, text);
        else
            InsertColumnText(column, text);
    }
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_nVisibleLines < Lines());
    SetVScrollFromTop();
    CaretFromOffset(SelStart());
    RecomputeLines();
    m_nGoalColumn = m_nCaretColumn + HPos();
    InvalidateText(1);
    ShowCaret();
    NotifyParent();
}

void CColorEdit::InsertColumnText(int column, const std::string& text)
{
    std::string work;
    work.reserve(text.size() + 100);
    for (char ch : text) {
        work.push_back(ch);
        if (ch == '\r')
            work.append(static_cast<size_t>(std::max(0, column)), ' ');
    }
    int length = static_cast<int>(work.size());
    int caret = SelStart();
    if (InsertText(reinterpret_cast<const uint8_t*>(work.data()), length, nullptr,
                   kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret) >= 0)
        SelStart() = SelEnd() = std::min(caret + length, Len());
}

// Inserts bytes at an offset (caret and selection end there first).
static int insert_at(CColorEdit& edit, int& selStart, int& selEnd, int offset,
                     const std::string& bytes, int flags)
{
    selStart = selEnd = offset;
    int length = static_cast<int>(bytes.size());
    if (length == 0)
        return 0;
    if (edit.InsertText(reinterpret_cast<const uint8_t*>(bytes.data()), length, nullptr, flags) <
        0)
        return -1;
    return length;
}

void CColorEdit::InsertColumnBlock(int column, int line, const std::string& text)
{
    int start = GetLineOffset(line);
    if (start < 0 || GetLineLength(start) < column)
        return;
    int& s = SelStart();
    int& e = SelEnd();
    size_t pos = 0;
    int current = line;
    int firstOffset = start + column;
    while (true) {
        size_t cr = text.find('\r', pos);
        std::string piece = text.substr(pos, cr == std::string::npos ? std::string::npos : cr - pos);
        int lineStart = GetLineOffset(current);
        if (insert_at(*this, s, e, lineStart + column, piece,
                      kInsertExpandTabs | kInsertRecordUndo) < 0)
            break;
        if (cr == std::string::npos)
            break;
        pos = cr + 1;
        // Prepare the next line: it must reach the column.
        ++current;
        if (current < Lines()) {
            int next = GetLineOffset(current);
            int length = GetLineLength(next);
            if (length < column)
                insert_at(*this, s, e, next + length,
                          std::string(static_cast<size_t>(column - length), ' '),
                          kInsertRecordUndo);
        } else {
            insert_at(*this, s, e, Len(),
                      "\r" + std::string(static_cast<size_t>(column), ' '), kInsertRecordUndo);
        }
    }
    s = e = std::min(firstOffset, Len());
}

int CColorEdit::ColumnOffsetFromPoint(int x, int y, int& offset, int* lineStart)
{
    int column = std::max(0, x) / m_nCharWidth;
    int start;
    if (lineStart && *lineStart != -1) {
        int p = *lineStart;
        while (p < Len() && !IsLineBreak(Buf()[p]))
            ++p;
        if (p >= Len())
            return 0;
        start = p + 1;
        *lineStart = start;
    } else {
        start = GetLineOffset(std::max(0, y) / m_nCharHeight);
        if (start < 0)
            return 0;
        if (lineStart)
            *lineStart = start;
    }
    if (GetLineLength(start) < column)
        return 0;
    offset = start + column;
    return 1;
}

void CColorEdit::StreamFromBlock()
{
    CTextRect& block = ColumnRect();
    int a = 0, b = 0;
    int lineStart = -1;
    if (!ColumnOffsetFromPoint(block.left, block.top, a, &lineStart))
        a = GetLineStart(std::max(0, GetLineOffset(block.top / m_nCharHeight))) +
            GetLineLength(std::max(0, GetLineOffset(block.top / m_nCharHeight)));
    if (!ColumnOffsetFromPoint(block.right, block.top, b, nullptr)) {
        int start = std::max(0, GetLineOffset(block.top / m_nCharHeight));
        b = start + GetLineLength(start);
    }
    SetColumnMode(0);
    block.SetEmpty();
    SelStart() = std::min(a, b);
    SelEnd() = std::max(a, b);
    m_nCaretOffset = SelStart();
}

int CColorEdit::CopyColumn(int doDelete, int toClipboard, int append)
{
    CTextRect block = ColumnRect();
    int w = (block.right - block.left) / m_nCharWidth;
    int n = (block.bottom - block.top) / m_nCharHeight;
    int firstLine = block.top / m_nCharHeight;
    int leftColumn = block.left / m_nCharWidth;
    std::string rows;
    bool deleted = false;
    for (int r = 0; r < n; ++r) {
        int line = firstLine + r;
        std::string row(static_cast<size_t>(std::max(0, w)), ' ');
        if (line < Lines()) {
            int start = GetLineOffset(line);
            int length = start < 0 ? -1 : GetLineLength(start);
            if (length > leftColumn) {
                int from = start + leftColumn;
                int to = std::min(start + length, from + w);
                for (int i = from; i < to; ++i)
                    row[static_cast<size_t>(i - from)] = static_cast<char>(Buf()[i]);
                if (doDelete && !State().readOnly && to > from) {
                    // The block would refuse the deletion while it is active.
                    int mode = ColumnMode();
                    SetColumnMode(0);
                    SelStart() = from;
                    SelEnd() = to;
                    if (DeleteText(true, true, 0) >= 0)
                        deleted = true;
                    SelEnd() = SelStart();
                    SetColumnMode(mode);
                }
            }
        }
        // Fill bytes go, their cells with them.
        row.erase(std::remove(row.begin(), row.end(), static_cast<char>(kFillByte)), row.end());
        rows += row;
        if (r + 1 < n)
            rows += "\r\n";
    }
    if (doDelete) {
        int start = GetLineOffset(std::min(firstLine, std::max(0, Lines() - 1)));
        int offset = start < 0 ? 0 : start + std::min(leftColumn, GetLineLength(start));
        SelStart() = SelEnd() = offset;
        m_nCaretOffset = offset;
        RecomputeLines();
        ColumnRect().SetEmpty();
        m_rcDrawnBlock = RECT{0, 0, 0, 0};
        if (deleted)
            Recolour(0);
    }
    if (doDelete && !toClipboard)
        return 1;
    return put_on_clipboard(m_hWnd, rows, append);
}

void CColorEdit::TrackColumnBlock(int x, int y, int extend)
{
    int column = std::max(0, x) / m_nCharWidth;
    int row = std::max(0, y) / m_nCharHeight;
    m_nCaretColumn = column;
    m_nCaretRow = row;
    CTextRect block;
    int cw = m_nCharWidth, ch = m_nCharHeight;
    if (extend) {
        int pc = column + HPos();
        int pl = row + m_nTopLine;
        int ac = std::max(0, static_cast<int>(m_ptAnchor.x)) / cw;
        int al = std::max(0, static_cast<int>(m_ptAnchor.y)) / ch;
        block.left = std::min(ac, pc) * cw;
        block.right = std::max(ac, pc) * cw;
        if (al < pl) {
            block.top = al * ch;
            block.bottom = (pl + 1) * ch;
        } else if (al == pl) {
            block.top = block.bottom = al * ch;
        } else {
            // Dragged upwards: the anchor's line stays inside the block, as
            // it does when dragging downwards.
            block.top = pl * ch;
            block.bottom = (al + 1) * ch;
        }
    } else {
        block.left = block.right = (column + HPos()) * cw;
        block.top = (row + m_nTopLine) * ch;
        block.bottom = block.top + ch;
    }
    block.left = std::max(0, block.left);
    block.top = std::max(0, block.top);
    CTextRect& current = ColumnRect();
    if (current.left == block.left && current.right == block.right && current.top == block.top &&
        current.bottom == block.bottom)
        return;
    current = block;
    m_rcDrawnBlock = RECT{block.left, block.top, block.right, block.bottom};
    InvalidateText(0);
}

void CColorEdit::DrawColumnSelection(HDC dc)
{
    m_nPaintStart = m_nPaintEnd = -1;
    CTextRect block = ColumnRect();
    if (!Buf() || block.right <= block.left)
        return;
    int cw = m_nCharWidth, ch = m_nCharHeight;
    int h = HPos();
    int firstLine = std::max<int>(block.top / ch, m_nTopLine);
    int lastLine = std::max(block.top / ch + 1, block.bottom / ch); // exclusive, one line at least
    lastLine = std::min(lastLine, static_cast<int>(m_nTopLine) + m_nVisibleLines + 1);
    const uint32_t* table = m_pColorTable;
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, table[15]);
    for (int line = firstLine; line < lastLine; ++line) {
        int start = line < Lines() ? GetLineOffset(line) : -1;
        int length = start < 0 ? -1 : GetLineLength(start);
        int y = (line - m_nTopLine) * ch;
        for (int col = block.left / cw; col < block.right / cw; ++col) {
            int x = (col - h) * cw;
            if (x < 0)
                continue;
            RECT cell{x, y, x + cw, y + ch};
            if (col < length) {
                unsigned char b = Buf()[start + col];
                char glyph = (b >= 14) ? static_cast<char>(b) : ' ';
                SetBkColor(dc, table[31]);
                ExtTextOutA(dc, x, y, ETO_OPAQUE, &cell, &glyph, 1, nullptr);
            } else if (col == length) {
                SetBkColor(dc, table[31]);
                ExtTextOutA(dc, x, y, ETO_OPAQUE, &cell, " ", 1, nullptr);
            } else {
                winui::FillSolidRect(dc, cell, table[30]);
            }
        }
    }
}

void CColorEdit::ShiftColumn(int column, int firstLine, int lastLine, int count, int fill)
{
    if (count > 32767 || firstLine >= lastLine || lastLine >= Lines() || State().readOnly)
        return;
    int caret = SelStart(), selEnd = SelEnd();
    int insertedBefore = 0, insertedBeforeCaret = 0;
    for (int line = firstLine; line <= lastLine; ++line) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        if (count <= 0) {
            if (length < column || count == 0)
                continue;
            SelStart() = start + column;
            SelEnd() = std::min(start + length, start + column - count);
            if (SelEnd() > SelStart())
                DeleteText(true, true, 0);
        } else if (length >= column) {
            int at = start + column;
            int n = insert_at(*this, SelStart(), SelEnd(), at,
                              std::string(static_cast<size_t>(count), static_cast<char>(fill)),
                              kInsertExpandTabs | kInsertRecordUndo);
            if (n > 0 && at < selEnd)
                insertedBefore += n;
            if (n > 0 && at < caret)
                insertedBeforeCaret += n;
        }
    }
    SelStart() = std::min(caret + insertedBeforeCaret, Len());
    SelEnd() = std::min(selEnd + insertedBefore, Len());
    RecomputeLines();
    SendMessage(EDN_RECOLOUR, 0, 0);
    CaretFromOffset(SelStart());
    InvalidateText(1);
}

// After numbering or filling: with SelAfterPaste the old selection with
// everything inserted stays selected, else the caret returns to its offset.
void CColorEdit::EndColumnInsert(int caret, int selEnd, int inserted)
{
    if (GetColorEditSettings().selAfterPaste) {
        SelStart() = std::min(caret, Len());
        SelEnd() = std::min(selEnd + inserted, Len());
    } else {
        SelStart() = SelEnd() = std::min(caret, Len());
    }
    RecomputeLines();
    CaretFromOffset(SelStart());
    InvalidateText(1);
}

void CColorEdit::NumberColumn(int column, int firstLine, int lastLine, int hex, int prefix,
                              int first)
{
    static const int dec_limits[] = {9, 99, 999, 9999, 99999};
    static const int hex_limits[] = {0xFF, 0xFFF, 0xFFFF, 0xFFFFF, 0xFFFFFF};
    static const char* const dec_formats[] = {"%1.1d", "%2.2d", "%3.3d", "%4.4d", "%5.5d"};
    static const char* const hex_formats[] = {"%2.2X", "%3.3X", "%4.4X", "%5.5X", "%6.6X"};
    static const char* const prefix_formats[] = {"0x%2.2X", "0x%3.3X", "0x%4.4X", "0x%5.5X",
                                                  "0x%6.6X"};
    if (State().readOnly || lastLine < firstLine)
        return;
    long long largest = static_cast<long long>(first) + lastLine - firstLine;
    const int* limits = hex ? hex_limits : dec_limits;
    const char* const* formats = hex ? (prefix ? prefix_formats : hex_formats) : dec_formats;
    int kind = -1;
    for (int i = 0; i < 5 && kind < 0; ++i)
        if (largest <= limits[i])
            kind = i;
    if (kind < 0 || first < 0)
        return;
    int caret = SelStart(), selEnd = SelEnd();
    int inserted = 0;
    int value = first;
    for (int line = firstLine; line <= lastLine && line < Lines(); ++line, ++value) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        bool lastWithoutBreak = start + length >= Len();
        if (length < column && lastWithoutBreak)
            continue;
        char number[16];
        std::snprintf(number, sizeof number, formats[kind], value);
        int n = insert_at(*this, SelStart(), SelEnd(), start + std::min(column, length), number,
                          kInsertExpandTabs | kInsertRecordUndo);
        if (n > 0)
            inserted += n;
    }
    EndColumnInsert(caret, selEnd, inserted);
}

void CColorEdit::FillColumn(int column, int firstLine, int lastLine, const char* text,
                            int shorterToo, int atLineEnd, int pad)
{
    if (!text || std::strpbrk(text, "\r\n\002") || State().readOnly)
        return;
    std::string fill(text);
    int caret = SelStart(), selEnd = SelEnd();
    int inserted = 0;
    for (int line = firstLine; line <= lastLine && line < Lines(); ++line) {
        int start = GetLineOffset(line);
        int length = GetLineLength(start);
        bool lastWithoutBreak = start + length >= Len();
        int n = 0;
        if (atLineEnd) {
            if (length > 0)
                n = insert_at(*this, SelStart(), SelEnd(), start + length, fill,
                              kInsertExpandTabs | kInsertRecordUndo);
        } else if (length >= column) {
            n = insert_at(*this, SelStart(), SelEnd(), start + column, fill,
                          kInsertExpandTabs | kInsertRecordUndo);
        } else if (pad) {
            n = insert_at(*this, SelStart(), SelEnd(), start + length,
                          std::string(static_cast<size_t>(column - length), ' ') + fill,
                          kInsertExpandTabs | kInsertRecordUndo);
        } else if (shorterToo && !lastWithoutBreak) {
            n = insert_at(*this, SelStart(), SelEnd(), start + length, fill,
                          kInsertExpandTabs | kInsertRecordUndo);
        }
        if (n > 0)
            inserted += n;
    }
    EndColumnInsert(caret, selEnd, inserted);
}
