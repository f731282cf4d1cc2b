// CColorEdit: painting of the text cell by cell in the colours of its
// attribute bytes, the glyphs of line breaks, tabs and form feeds, and the
// stream selection drawn over it.
#include "editor/editctl/window/coloredit.h"

#include <algorithm>
#include <vector>

static const COLORREF break_background = RGB(255, 0, 0);
static const unsigned char soft_break_glyph = 0xBB;
static const unsigned char form_feed_glyph = 0xAC;

namespace {

// The drawing position of a walk over the text, in pixels.
struct Pen {
    HDC dc;
    int x, y;
    int cw, ch;
    void Cell(char glyph) const
    {
        if (x >= 0)
            TextOutA(dc, x, y, &glyph, 1);
    }
};

} // namespace

BOOL CColorEdit::OnEraseBkgnd(HDC dc)
{
    RECT rc;
    GetClientRect(&rc);
    if (m_nPaintStart == -1) {
        winui::FillSolidRect(dc, rc, m_core.m_crBackground);
        return 1;
    }
    if (m_core.GetPageEndOffset() != Len())
        return 1;
    RECT cell;
    if (!GetCharRect(Len(), cell))
        return 1;
    RECT rest{cell.left, cell.top, rc.right, cell.bottom};
    winui::FillSolidRect(dc, rest, m_core.m_crBackground);
    RECT below{0, cell.bottom, rc.right, rc.bottom};
    winui::FillSolidRect(dc, below, m_core.m_crBackground);
    return 1;
}

int CColorEdit::GetCharRect(int offset, RECT& rect) const
{
    // Read through the store: painting never makes the text contiguous.
    int row = 0, column = 0;
    const CTextState& t = State();
    if (offset >= m_core.m_nTopOffset) {
        for (int i = m_core.m_nTopOffset; i < offset && t.HasBuffers(); ++i) {
            if (t.At(i) == kCarriageReturn || t.At(i) == kSoftBreak) {
                ++row;
                column = 0;
            } else {
                ++column;
            }
        }
    } else {
        if (m_core.m_nTopLine == 0)
            return 0;
        int i = offset;
        while (i > 0 && t.At(i - 1) != kCarriageReturn && t.At(i - 1) != kSoftBreak) {
            --i;
            ++column;
        }
        for (int j = offset; j < m_core.m_nTopOffset; ++j)
            if (t.At(j) == kCarriageReturn || t.At(j) == kSoftBreak)
                --row;
    }
    rect.left = (column - HPos()) * m_nCharWidth;
    rect.right = rect.left + m_nCharWidth;
    rect.top = row * m_nCharHeight;
    rect.bottom = rect.top + m_nCharHeight;
    return 1;
}

void CColorEdit::DrawTextRange(int from, int to, HDC dcIn)
{
    if (!m_hWnd || !State().HasBuffers())
        return;
    winui::CClientDC ownDc(dcIn ? nullptr : m_hWnd);
    HDC dc = dcIn ? dcIn : static_cast<HDC>(ownDc);
    winui::CSelectObject font(dc, dcIn ? nullptr : static_cast<HFONT>(m_font));
    int len = Len();
    if (to < 0 || to > len)
        to = std::min(m_core.GetPageEndOffset(), len);
    from = std::max(from, m_core.m_nTopOffset);
    if (from > to)
        return;

    RECT rc;
    GetClientRect(&rc);
    RECT cell;
    GetCharRect(from, cell);
    int rowRight = (m_nVisibleColumns + 2) * m_nCharWidth;
    RECT first{cell.left, cell.top, std::max<LONG>(rowRight, rc.right), cell.bottom};
    winui::FillSolidRect(dc, first, m_core.m_crBackground);
    SetBkMode(dc, OPAQUE);
    const uint32_t* table = m_core.m_pColorTable;
    SetTextColor(dc, table[0]);
    SetBkColor(dc, table[16]);

    const int h = HPos();
    Pen pen{dc, cell.left, cell.top, m_nCharWidth, m_nCharHeight};
    int budget = m_core.m_nVisibleLines - cell.top / m_nCharHeight + 2;
    int lastAttr = -1;
    // The range with the zero behind the text, copied out of the store's
    // chunks (the text stays in pieces while it is edited).
    std::vector<unsigned char> text(static_cast<size_t>(to - from + 1)), attrs(text.size());
    State().store.CopyOut(from, to + 1, text.data(), attrs.data());
    for (int i = from; i <= to; ++i) {
        const unsigned char attr = attrs[static_cast<size_t>(i - from)];
        if (attr != lastAttr) {
            lastAttr = attr;
            SetTextColor(dc, table[lastAttr & 15]);
            SetBkColor(dc, table[16 + (lastAttr >> 4)]);
        }
        unsigned char b = text[static_cast<size_t>(i - from)];
        if (b >= 14) {
            pen.Cell(static_cast<char>(b));
            pen.x += m_nCharWidth;
        } else if (b == kCarriageReturn || b == kSoftBreak) {
            RECT rest{std::max(pen.x, 0), pen.y, std::max<LONG>(rowRight, rc.right),
                      pen.y + m_nCharHeight};
            winui::FillSolidRect(dc, rest, m_core.m_crBackground);
            if (b == kSoftBreak) {
                COLORREF old = SetBkColor(dc, break_background);
                pen.Cell(static_cast<char>(soft_break_glyph));
                SetBkColor(dc, old);
            }
            pen.x = -h * m_nCharWidth;
            pen.y += m_nCharHeight;
            if (--budget <= 0)
                break;
        } else if (b == kFormFeed) {
            COLORREF old = SetBkColor(dc, break_background);
            pen.Cell(static_cast<char>(form_feed_glyph));
            SetBkColor(dc, old);
            pen.x += m_nCharWidth;
        } else if (b == kTab || b == kFillByte) {
            char glyph = ' ';
            if (m_core.m_bShowTabs)
                glyph = b == kTab ? '\t' : '_';
            if (glyph == '\t') {
                // The font's own glyph of byte 9, not a tab expansion.
                if (pen.x >= 0)
                    ExtTextOutA(dc, pen.x, pen.y, ETO_OPAQUE, nullptr, "\t", 1, nullptr);
            } else {
                pen.Cell(glyph);
            }
            pen.x += m_nCharWidth;
        } else if (b == 0) {
            if (pen.x >= 0) {
                RECT end{pen.x, pen.y, pen.x + m_nCharWidth, pen.y + m_nCharHeight};
                winui::FillSolidRect(dc, end, m_core.m_crBackground);
            }
            pen.x += m_nCharWidth;
        }
    }
    // The text ends inside the window: nothing of older text stays below it.
    if (to >= len) {
        RECT rest{std::max(pen.x, 0), pen.y, rc.right, pen.y + m_nCharHeight};
        winui::FillSolidRect(dc, rest, m_core.m_crBackground);
        RECT below{0, pen.y + m_nCharHeight, rc.right, rc.bottom};
        winui::FillSolidRect(dc, below, m_core.m_crBackground);
    }
}

void CColorEdit::DrawStreamSelection(HDC dc)
{
    if (!m_core.m_bShowSelection)
        return;
    if (SelEnd() <= SelStart() || !State().HasBuffers()) {
        m_nPaintStart = m_nPaintEnd = -1;
        return;
    }
    int pageEnd = m_core.GetPageEndOffset();
    int paintEnd = m_nPaintEnd == -1 ? pageEnd : m_nPaintEnd;
    int first;
    if (m_nPaintStart == -1) {
        first = std::max(SelStart(), m_core.m_nTopOffset);
    } else if (SelEnd() < m_nPaintStart || SelStart() >= paintEnd) {
        m_nPaintStart = m_nPaintEnd = -1;
        return;
    } else {
        first = std::max(SelStart(), std::max(m_nPaintStart, m_core.m_nTopOffset));
    }
    // A selection never ends inside a tab.
    while (SelEnd() < Len() && State().At(SelEnd()) == kFillByte)
        ++SelEnd();
    int last = std::min(SelEnd(), std::max(paintEnd, pageEnd));

    RECT rc;
    GetClientRect(&rc);
    RECT cell;
    GetCharRect(first, cell);
    const uint32_t* table = m_core.m_pColorTable;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, table[31]);
    SetTextColor(dc, table[15]);
    HBRUSH frame = GetColorEditSettings().autoCopy ? CreateSolidBrush(table[29]) : nullptr;
    const int h = HPos();
    Pen pen{dc, cell.left, cell.top, m_nCharWidth, m_nCharHeight};
    int budget = m_core.m_nVisibleLines - cell.top / m_nCharHeight + 2;
    const CTextState& t = State();
    auto frameCell = [&]() {
        if (frame && pen.x >= 0) {
            RECT r{pen.x, pen.y, pen.x + m_nCharWidth, pen.y + m_nCharHeight};
            FrameRect(dc, &r, frame);
        }
    };
    for (int i = first; i < last; ++i) {
        unsigned char b = t.At(i);
        if (b >= 14 || b == kFormFeed) {
            if (pen.y >= 0)
                pen.Cell(static_cast<char>(b == kFormFeed ? form_feed_glyph : b));
            frameCell();
            pen.x += m_nCharWidth;
        } else if (b == kTab || b == kFillByte) {
            pen.Cell(' ');
            frameCell();
            pen.x += m_nCharWidth;
        } else if (b == kCarriageReturn || b == kSoftBreak) {
            pen.Cell(' ');
            frameCell();
            RECT rest{std::max(pen.x + m_nCharWidth, 0), pen.y, rc.right, pen.y + m_nCharHeight};
            winui::FillSolidRect(dc, rest, m_core.m_crBackground);
            pen.x = -h * m_nCharWidth;
            pen.y += m_nCharHeight;
            if (--budget <= 0)
                break;
        }
    }
    if (frame)
        DeleteObject(frame);
    m_nPaintStart = m_nPaintEnd = -1;
}

void CColorEdit::DrawSelection()
{
    if (!m_core.m_bShowSelection || !m_hWnd)
        return;
    winui::CClientDC dc(m_hWnd);
    winui::CSelectObject font(dc, m_font);
    if (ColumnMode())
        DrawColumnSelection(dc);
    else
        DrawStreamSelection(dc);
}

void CColorEdit::OnPaint()
{
    winui::CPaintDC dc(m_hWnd);
    SendMessage(EDN_RECOLOUR, 0, 0);
    if (m_nPaintEnd == -1)
        m_nPaintEnd = m_core.GetPageEndOffset();
    winui::CSelectObject font(dc, m_font);
    if (!State().HasBuffers()) {
        RECT rc;
        GetClientRect(&rc);
        winui::FillSolidRect(dc, rc, m_core.m_crBackground);
        m_nPaintStart = m_nPaintEnd = -1;
        return;
    }
    // A partial paint draws only from the changed offset; when the system
    // asks for more (the window was uncovered), everything is drawn.
    bool partial = m_nPaintStart != -1 && m_nPaintStart > m_core.m_nTopOffset;
    if (partial) {
        RECT cell;
        GetCharRect(m_nPaintStart, cell);
        partial = dc.Info().rcPaint.top >= cell.top;
    }
    if (partial) {
        DrawTextRange(m_nPaintStart, m_nPaintEnd, dc);
    } else {
        m_nPaintStart = -1;
        DrawTextRange(m_core.m_nTopOffset, m_nPaintEnd, dc);
    }
    if (ColumnMode())
        DrawColumnSelection(dc);
    else
        DrawStreamSelection(dc);
    m_nPaintStart = m_nPaintEnd = -1;
}
