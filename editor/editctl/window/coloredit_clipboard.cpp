// CColorEdit: clipboard (CF_TEXT with CR LF line ends) for stream
// selections and column blocks, and the column block operations: tracking,
// drawing, pasting, shifting, numbering and filling.
#include "editor/editctl/window/coloredit.h"

#include "winui/clipboard.h"

#include <algorithm>
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
            m_core.RelayoutTabs(m_core.GetLineStart(SelStart()), m_core.GetTabWidth());
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
    if (m_core.DeleteText(true, true, 1) < 0)
        return;
    SelEnd() = SelStart();
    if (m_core.LineFromOffset(SelStart()) < m_core.m_nTopLine)
        ScrollLines(m_core.LineFromOffset(SelStart()) - m_core.m_nTopLine, FALSE);
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
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
        InsertStatus status;
        m_core.InsertText(reinterpret_cast<const uint8_t*>(text.data()), length, nullptr,
                          kInsertExpandTabs | kInsertRecordUndo | kInsertKeepCaret, &status);
        if (status == kInsertDone) {
            if (GetColorEditSettings().selAfterPaste) {
                SelEnd() = std::min(caret + length, Len());
            } else {
                SelStart() = SelEnd() = std::min(caret + length, Len());
            }
        }
        int line = m_core.LineFromOffset(SelStart());
        if (line < m_core.m_nTopLine || line >= m_core.m_nTopLine + m_core.m_nVisibleLines)
            m_core.SetTopLine(std::max(0, line - m_core.m_nVisibleLines / 2));
    } else {
        POINT pt = GetCaretPos();
        int column = pt.x / m_nCharWidth + HPos();
        int line = m_core.LineFromOffset(SelStart());
        if (mode == 1)
            InsertColumnBlock(column, line, text);
        else
            InsertColumnText(column, text);
    }
    if (m_dwScrollStyle & WS_VSCROLL)
        UpdateVScrollBar(m_core.m_nVisibleLines < Lines());
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
    m_core.InsertColumnText(column, text);
}

void CColorEdit::InsertColumnBlock(int column, int line, const std::string& text)
{
    m_core.InsertColumnBlock(column, line, text);
}

int CColorEdit::ColumnOffsetFromPoint(int x, int y, int& offset, int* lineStart)
{
    int column = std::max(0, x) / m_nCharWidth;
    int start;
    if (lineStart && *lineStart != -1) {
        int p = *lineStart;
        while (p < Len() && !m_core.IsLineBreak(Buf()[p]))
            ++p;
        if (p >= Len())
            return 0;
        start = p + 1;
        *lineStart = start;
    } else {
        start = m_core.GetLineOffset(std::max(0, y) / m_nCharHeight);
        if (start < 0)
            return 0;
        if (lineStart)
            *lineStart = start;
    }
    if (m_core.GetLineLength(start) < column)
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
        a = m_core.GetLineStart(std::max(0, m_core.GetLineOffset(block.top / m_nCharHeight))) +
            m_core.GetLineLength(std::max(0, m_core.GetLineOffset(block.top / m_nCharHeight)));
    if (!ColumnOffsetFromPoint(block.right, block.top, b, nullptr)) {
        int start = std::max(0, m_core.GetLineOffset(block.top / m_nCharHeight));
        b = start + m_core.GetLineLength(start);
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
    int width = (block.right - block.left) / m_nCharWidth;
    int lines = (block.bottom - block.top) / m_nCharHeight;
    bool deleted = false;
    std::string rows = m_core.ColumnBlockText(block.top / m_nCharHeight, lines,
                                              block.left / m_nCharWidth, width, doDelete != 0,
                                              &deleted);
    if (doDelete) {
        m_nCaretOffset = SelStart();
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
        int pl = row + m_core.m_nTopLine;
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
        block.top = (row + m_core.m_nTopLine) * ch;
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
    int firstLine = std::max<int>(block.top / ch, m_core.m_nTopLine);
    int lastLine = std::max(block.top / ch + 1, block.bottom / ch); // exclusive, one line at least
    lastLine = std::min(lastLine, static_cast<int>(m_core.m_nTopLine) + m_core.m_nVisibleLines + 1);
    const uint32_t* table = m_core.m_pColorTable;
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, table[15]);
    for (int line = firstLine; line < lastLine; ++line) {
        int start = line < Lines() ? m_core.GetLineOffset(line) : -1;
        int length = start < 0 ? -1 : m_core.GetLineLength(start);
        int y = (line - m_core.m_nTopLine) * ch;
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
    if (!m_core.ShiftColumn(column, firstLine, lastLine, count, fill))
        return;
    RecomputeLines();
    SendMessage(EDN_RECOLOUR, 0, 0);
    CaretFromOffset(SelStart());
    InvalidateText(1);
}

// After numbering or filling: caret and window follow the selection the
// core left.
void CColorEdit::EndColumnInsert()
{
    RecomputeLines();
    CaretFromOffset(SelStart());
    InvalidateText(1);
}

void CColorEdit::NumberColumn(int column, int firstLine, int lastLine, int hex, int prefix,
                              int first)
{
    if (m_core.NumberColumn(column, firstLine, lastLine, hex, prefix, first,
                            GetColorEditSettings().selAfterPaste != 0))
        EndColumnInsert();
}

void CColorEdit::FillColumn(int column, int firstLine, int lastLine, const char* text,
                            int shorterToo, int atLineEnd, int pad)
{
    if (m_core.FillColumn(column, firstLine, lastLine, text, shorterToo, atLineEnd, pad,
                          GetColorEditSettings().selAfterPaste != 0))
        EndColumnInsert();
}
