// Laying out the whole text: tab fill bytes for a tab width, and the soft
// breaks of word wrap. Both are done in one pass that builds the new text
// beside the old one, so a failed growth changes nothing.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "editor/editctl/text_range.h"

namespace {

// One character of a logical line: a tab stands for itself without fill.
// [oldStart, oldEnd) is the range of old offsets that map onto it, so that a
// caret on a dropped soft break or fill byte lands on a real character.
struct Item {
    int oldStart;
    int oldEnd;
    uint8_t b;
    uint8_t a;
};

struct Builder {
    std::vector<uint8_t> text;
    std::vector<uint8_t> attr;
    int oldSel[2];
    int newSel[2] = {-1, -1};
    int tabWidth;
    int softBreaks = 0;

    int ItemSize(const Item& it, int col) const { return it.b == kTab ? tabWidth - col % tabWidth : 1; }

    void Map(int oldStart, int oldEnd)
    {
        for (int k = 0; k < 2; ++k) {
            if (newSel[k] < 0 && oldSel[k] >= oldStart && oldSel[k] < oldEnd)
                newSel[k] = static_cast<int>(text.size());
        }
    }

    // Emits items [from, to) laid out from column 0.
    void Emit(const std::vector<Item>& items, size_t from, size_t to)
    {
        int col = 0;
        for (size_t k = from; k < to; ++k) {
            const Item& it = items[k];
            Map(it.oldStart, it.oldEnd);
            int n = ItemSize(it, col);
            text.push_back(it.b);
            attr.push_back(it.a);
            for (int f = 1; f < n; ++f) {
                text.push_back(kFillByte);
                attr.push_back(it.a);
            }
            col += n;
        }
    }

    void SoftBreak()
    {
        text.push_back(kSoftBreak);
        attr.push_back(0);
        ++softBreaks;
    }

    // Cuts one logical line into display lines of at most w bytes.
    void Wrap(const std::vector<Item>& items, int w, bool onWords)
    {
        size_t p = 0, q = items.size();
        for (;;) {
            int col = 0;
            size_t j = p;
            while (j < q) {
                int n = ItemSize(items[j], col);
                if (col + n > w)
                    break;
                col += n;
                ++j;
            }
            if (j == q && col < w) {
                Emit(items, p, q);
                return;
            }
            // The plain break lies at w; a tab that would straddle it moves
            // to the next display line whole. A single item wider than the
            // column still makes progress.
            size_t brk = j > p ? j : p + 1;
            if (onWords) {
                // Walk back from the byte at w to a blank or tab, which then
                // begins the next display line; never to the piece's start,
                // where a break would make no progress.
                size_t k = std::min(j, q - 1);
                for (; k > p; --k) {
                    if (items[k].b == kBlank || items[k].b == kTab)
                        break;
                }
                if (k > p && k <= j)
                    brk = k;
            }
            // No break behind the last character of a line: nothing would
            // follow it, and a save that turns soft breaks into line breaks
            // would add an empty line at every save.
            if (brk >= q) {
                Emit(items, p, q);
                return;
            }
            Emit(items, p, brk);
            SoftBreak();
            p = brk;
        }
    }
};

} // namespace

int CColorEditCore::RebuildText(int tabWidth, int wrapWidth, bool onWords, bool removeSoftBreaks)
{
    CTextState& s = *m_pState;
    if (!s.Text() || s.length == 0)
        return 0;
    const uint8_t* t = s.Text();
    const uint8_t* at = s.Attr();
    int n = s.length;
    Builder bd;
    bd.tabWidth = tabWidth > 0 ? tabWidth : 1;
    bd.oldSel[0] = s.selStart;
    bd.oldSel[1] = s.selEnd;
    bool wrapBreaks = !removeSoftBreaks && s.wrapWidth != 0;
    try {
        bd.text.reserve(static_cast<size_t>(n) + (wrapWidth ? static_cast<size_t>(n / wrapWidth) : 0) + 16);
        bd.attr.reserve(bd.text.capacity());
        std::vector<Item> items;
        int i = 0;
        for (;;) {
            items.clear();
            int cursor = i;
            bool inTab = false;
            while (i < n) {
                uint8_t b = t[i];
                if (b == kCarriageReturn || (wrapBreaks && b == kSoftBreak))
                    break;
                if (removeSoftBreaks && b == kSoftBreak) {
                    ++i;
                    continue;
                }
                if (b == kFillByte && inTab) {
                    items.back().oldEnd = ++i;
                    cursor = i;
                    continue;
                }
                inTab = b == kTab;
                items.push_back({cursor, i + 1, b, at[i]});
                cursor = ++i;
            }
            if (wrapWidth > 0 && removeSoftBreaks)
                bd.Wrap(items, wrapWidth, onWords);
            else
                bd.Emit(items, 0, items.size());
            if (i >= n) {
                bd.Map(cursor, n + 1);
                break;
            }
            bd.Map(cursor, i + 1);
            bd.text.push_back(t[i]);
            bd.attr.push_back(at[i]);
            ++i;
        }
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return -1;
    }

    int newLength = static_cast<int>(bd.text.size());
    bool changed = newLength != n || std::memcmp(bd.text.data(), t, static_cast<size_t>(n)) != 0;
    m_nRebuildChanged = changed;
    if (!changed) {
        s.selStart = bd.newSel[0] >= 0 ? bd.newSel[0] : newLength;
        s.selEnd = bd.newSel[1] >= 0 ? bd.newSel[1] : newLength;
        return bd.softBreaks;
    }
    if (static_cast<int64_t>(s.capacity) <= newLength &&
        !EnsureCapacity(static_cast<uint32_t>(newLength - s.length + 1)))
        return -1;
    std::memcpy(s.Text(), bd.text.data(), bd.text.size());
    std::memcpy(s.Attr(), bd.attr.data(), bd.attr.size());
    if (newLength < s.length) {
        std::memset(s.Text() + newLength, 0, static_cast<size_t>(s.length - newLength));
        std::memset(s.Attr() + newLength, 0, static_cast<size_t>(s.length - newLength));
    }
    s.Text()[newLength] = 0;
    s.Attr()[newLength] = 0;
    s.store.FlatWritten(newLength);
    s.length = newLength;
    s.selStart = bd.newSel[0] >= 0 ? bd.newSel[0] : newLength;
    s.selEnd = bd.newSel[1] >= 0 ? bd.newSel[1] : newLength;
    ++s.version;
    return bd.softBreaks;
}

int CColorEditCore::SetTabWidth(int width)
{
    CTextState& s = *m_pState;
    if (width <= 0)
        return 0; // a tab of no width has no tab stop
    if (width == m_nTabWidth)
        return 1;
    m_nTabWidth = width;
    if (width > 100 || !s.HasBuffers() || s.length == 0)
        return 1;
    uint32_t oldLines = s.lineCount;
    int oldStart = s.selStart, oldEnd = s.selEnd;
    bool wrap = s.wrapWidth != 0;
    if (RebuildText(width, s.wrapWidth, m_bWrapOnWords != 0, wrap) < 0)
        return 1;
    s.selEnd = s.selStart;
    s.lineCount = 1 + static_cast<uint32_t>(CountBreaks(0, s.length));
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);
    Host().SelectionSet(oldStart, oldEnd, false, true);
    Host().TextChanged(-1);
    // The tabs stay tabs, so the file's text is the same; only soft breaks
    // that moved may change what a save writes.
    if (wrap)
        SetModify(1);
    return 1;
}

int CColorEditCore::RelayoutTabs(int offset, int width)
{
    CTextState& s = *m_pState;
    if (!s.HasBuffers() || width <= 0)
        return s.length;
    offset = std::max(0, std::min(offset, s.length));
    int a = offset;
    while (a > 0 && !IsLineBreak(s.At(a - 1)))
        --a;
    int b = GetLineEnd(offset);
    bool hasTab = false;
    for (int i = a; i < b && !hasTab; ++i)
        hasTab = s.At(i) == kTab;
    if (!hasTab)
        return s.length;
    std::vector<uint8_t> text, attr;
    try {
        std::vector<uint8_t> line(static_cast<size_t>(b - a)), lineAttr(line.size());
        s.store.CopyOut(a, b, line.data(), lineAttr.data());
        append_laid_out(line.data(), lineAttr.data(), 0, b - a, 0, width, text, attr);
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return s.length;
    }
    Edit e;
    if (!PlanEdit(e, a, b, text.data(), static_cast<int>(text.size()), attr.data(), 0, false))
        return s.length;
    int delta = static_cast<int>(text.size()) - (b - a);
    CommitEdit(e);
    if (s.selStart >= b)
        s.selStart += delta;
    if (s.selEnd >= b)
        s.selEnd += delta;
    s.selStart = std::min(s.selStart, s.length);
    s.selEnd = std::min(s.selEnd, s.length);
    return s.length;
}

int TabsToSpaces(uint8_t* buffer, int length)
{
    if (!buffer || length <= 0 || !std::memchr(buffer, kTab, static_cast<size_t>(length)))
        return 0;
    for (int i = 0; i < length; ++i) {
        if (buffer[i] == kTab || buffer[i] == kFillByte)
            buffer[i] = kBlank;
    }
    return 1;
}

void CColorEditCore::UntabifyText()
{
    CTextState& s = *m_pState;
    if (s.readOnly || !TabsToSpaces(s.Text(), s.length))
        return;
    s.store.FlatWritten(s.length);
    ++s.version;
    SetModify(1);
    Host().TextChanged(m_nTopOffset);
}

void CColorEditCore::SetTabDisplay(int mode)
{
    if (mode == m_bShowTabs)
        return;
    m_bShowTabs = mode;
    Host().TextChanged(-1);
}

int CColorEditCore::SetWordWrap(int column, bool onWords)
{
    CTextState& s = *m_pState;
    if (column < 0)
        column = 0;
    if (column == 0 && s.wrapWidth == 0)
        return 0;
    uint32_t oldLines = s.lineCount;
    int oldStart = s.selStart, oldEnd = s.selEnd;
    int oldWidth = s.wrapWidth;
    s.wrapWidth = column;
    int breaks = RebuildText(m_nTabWidth, column, onWords, true);
    if (breaks < 0) {
        s.wrapWidth = oldWidth;
        return 0;
    }
    if (s.length > 0 || oldLines > 0)
        s.lineCount = 1 + static_cast<uint32_t>(CountBreaks(0, s.length));
    if (breaks > 0 && m_nRebuildChanged)
        SetModify(1);
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);
    m_nCaretLine = LineFromOffset(s.selStart);
    Host().SelectionSet(oldStart, oldEnd, true, true);
    Host().TextChanged(-1);
    return breaks;
}
