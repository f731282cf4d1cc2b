// The buffers of the text: construction, growth, the one splice through
// which every edit passes, insertion, appending and whole-text replacement.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/editctl/color_table.h"
#include "editor/editctl/break_count.h"
#include "editor/editctl/text_range.h"

const char* const kOutOfMemoryText = "Out of memory !";

void SetTextAllocator(TextAllocFn fn)
{
    SetTextStoreAllocator(fn);
}

void CTextState::FreeBuffers()
{
    store.Free();
    capacity = 0;
}

// ---------------------------------------------------------------------------

CColorEditCore::CColorEditCore()
    : m_pColorTable(g_ColorTable), m_pState(&m_ownState), m_pHost(&m_defaultHost)
{
}

CColorEditCore::~CColorEditCore() = default;

void CColorEditCore::AttachState(CTextState* state)
{
    m_pState = state ? state : &m_ownState;
    m_nTopLine = 0;
    m_nTopOffset = 0;
    m_nCaretLine = 0;
    MarkTopKnown();
}

void CColorEditCore::SetHost(CColorEditHost* host)
{
    m_pHost = host ? host : &m_defaultHost;
}

// Moves the text into buffers of the given capacity. Either the buffers are
// replaced or, when memory runs out, nothing changes.
bool CColorEditCore::GrowTo(uint32_t capacity)
{
    CTextState& s = *m_pState;
    if (!s.store.Grow(capacity))
        return false;
    s.capacity = capacity;
    return true;
}

int CColorEditCore::EnsureCapacity(uint32_t additional)
{
    CTextState& s = *m_pState;
    uint64_t need = static_cast<uint64_t>(s.length) + additional;
    if (s.HasBuffers() && s.capacity >= need)
        return 1;
    uint64_t capacity = ((static_cast<uint64_t>(s.capacity) + additional) / kCapacityStep + 1) * kCapacityStep;
    if (capacity > 0x7FFF0000u || !GrowTo(static_cast<uint32_t>(capacity))) {
        Host().ReportOutOfMemory();
        return 0;
    }
    return 1;
}

int CColorEditCore::AllocBuffers(uint32_t capacity)
{
    CTextState& s = *m_pState;
    capacity = (capacity + kCapacityStep - 1) / kCapacityStep * kCapacityStep;
    if (capacity == 0)
        capacity = kCapacityStep;
    if (!s.store.Reset(capacity)) {
        Host().ReportOutOfMemory();
        return 0;
    }
    s.capacity = capacity;
    s.length = 0;
    s.lineCount = 0;
    s.selStart = s.selEnd = 0;
    ++s.version;
    return 1;
}

// ---------------------------------------------------------------------------
// The splice. An edit replaces [start, end) by new bytes; the rest of the
// line behind it is laid out again when it holds a tab, because the columns
// of its tabs may have moved. The whole new region is built first and the
// buffers grown before anything changes, so a failed growth leaves text,
// attributes and undo history as they were.


int CColorEditCore::CountBreaks(int from, int to) const
{
    if (!m_pState->HasBuffers() || to <= from)
        return 0;
    return m_pState->store.CountBreaks(from, to, m_pState->wrapWidth != 0);
}

bool CColorEditCore::PlanEdit(Edit& e, int start, int end, const uint8_t* ins, int insLen,
                              const uint8_t* insAttr, int fillAttr, bool relayoutSuffix)
{
    try {
        return PlanEditRegion(e, start, end, ins, insLen, insAttr, fillAttr, relayoutSuffix);
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return false;
    }
}

bool CColorEditCore::PlanEditRegion(Edit& e, int start, int end, const uint8_t* ins, int insLen,
                                    const uint8_t* insAttr, int fillAttr, bool relayoutSuffix)
{
    CTextState& s = *m_pState;
    e.start = start;
    e.end = end;
    e.insLen = insLen;
    e.text.assign(ins, ins + insLen);
    if (insAttr)
        e.attr.assign(insAttr, insAttr + insLen);
    else
        e.attr.assign(static_cast<size_t>(insLen), static_cast<uint8_t>(fillAttr));
    e.regionEnd = end;
    if (relayoutSuffix && s.HasBuffers()) {
        int lineEnd = end;
        bool hasTab = false;
        while (lineEnd < s.length && !IsLineBreak(s.At(lineEnd))) {
            hasTab |= s.At(lineEnd) == kTab;
            ++lineEnd;
        }
        if (hasTab) {
            // Column where the suffix will start.
            int col = -1;
            for (int i = insLen - 1; i >= 0; --i) {
                if (IsLineBreak(ins[i])) {
                    col = insLen - 1 - i;
                    break;
                }
            }
            if (col < 0)
                col = LayoutColumn(start) + insLen;
            int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
            std::vector<uint8_t> suffix(static_cast<size_t>(lineEnd - end)), suffixAttr(suffix.size());
            s.store.CopyOut(end, lineEnd, suffix.data(), suffixAttr.data());
            append_laid_out(suffix.data(), suffixAttr.data(), 0, lineEnd - end, col, tw, e.text, e.attr);
            e.regionEnd = lineEnd;
        }
    }
    int64_t newLength = static_cast<int64_t>(s.length) - (e.regionEnd - start) + static_cast<int64_t>(e.text.size());
    if (newLength > 0x7FFE0000)
        return Host().ReportOutOfMemory(), false;
    e.newLength = static_cast<int>(newLength);
    if (!s.HasBuffers() || static_cast<int64_t>(s.capacity) <= newLength) {
        if (!EnsureCapacity(static_cast<uint32_t>(newLength - s.length + 1)))
            return false;
    }
    e.removedBreaks = CountBreaks(start, e.regionEnd);
    e.addedBreaks = 0;
    for (uint8_t b : e.text)
        e.addedBreaks += IsLineBreak(b);
    return true;
}

void CColorEditCore::CommitEdit(const Edit& e)
{
    CTextState& s = *m_pState;
    try {
        s.store.Replace(e.start, e.regionEnd, e.text.data(), e.attr.data(), static_cast<int>(e.text.size()));
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
    }

    int64_t lines = static_cast<int64_t>(s.lineCount) - e.removedBreaks;
    if (lines < 1 && (e.newLength > 0 || !e.text.empty() || s.lineCount > 0))
        lines = 1;
    lines += e.addedBreaks;
    if (lines < 0)
        lines = 0;
    s.lineCount = static_cast<uint32_t>(lines);
    int oldLength = s.length;
    s.length = e.newLength;

    // The cached offset of the first visible line stays valid when the edit
    // lies behind it.
    bool cacheValid = TopKnown() && e.start >= m_nTopOffset;
    bool hintValid = m_nHintVersion == s.version;
    ++s.version;
    if (cacheValid)
        MarkTopKnown();
    // The last looked-up line stays known in front of the edit and moves
    // with the text behind it.
    if (hintValid && m_nHintOffset <= e.start) {
        m_nHintVersion = s.version;
    } else if (hintValid && m_nHintOffset >= e.regionEnd) {
        m_nHintOffset += e.newLength - oldLength;
        m_nHintLine += e.addedBreaks - e.removedBreaks;
        m_nHintVersion = s.version;
    }
    if (s.selEnd > s.length)
        s.selEnd = s.length;
    if (s.selStart > s.length)
        s.selStart = s.length;
}

// ---------------------------------------------------------------------------

int CColorEditCore::ExpandTabs(uint8_t* text, int length) const
{
    int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
    int expanded = 0;
    for (int i = 0; i < length; ++i)
        expanded += text[i] == kTab ? tw - expanded % tw : 1;
    if (expanded == length)
        return length;
    // The text moves to the end of the room; the expansion then writes from
    // the front and never overtakes what it still has to read.
    int r = expanded - length;
    std::memmove(text + r, text, static_cast<size_t>(length));
    int w = 0;
    while (r < expanded) {
        uint8_t b = text[r++];
        text[w++] = b;
        if (b == kTab) {
            int n = tw - (w - 1) % tw;
            for (int k = 1; k < n; ++k)
                text[w++] = kFillByte;
        }
    }
    return expanded;
}

int CColorEditCore::InsertText(const uint8_t* text, int& length, const uint8_t* attr, int flags,
                               InsertStatus* status)
{
    InsertStatus ignored;
    InsertStatus& st = status ? *status : ignored;
    st = kInsertRefused;
    CTextState& s = *m_pState;
    if (s.columnMode && !s.columnRect.IsEmpty())
        return -1;
    if (s.readOnly)
        return -1;
    st = kInsertNoMemory;
    if (length < 0 || (!text && length))
        return 0;
    int start = s.selStart, end = s.selEnd < s.selStart ? s.selStart : s.selEnd;
    normalise_range(s, start, end);

    // Tab expansion counts columns in the target line.
    std::vector<uint8_t> ins, insAttr;
    const uint8_t* src = text;
    const uint8_t* srcAttr = attr;
    int srcLen = length;
    if ((flags & kInsertExpandTabs) && length > 0 && std::memchr(text, kTab, static_cast<size_t>(length))) try {
        int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
        int col = LayoutColumn(start);
        ins.reserve(static_cast<size_t>(length) + 64);
        bool afterTab = false;
        for (int i = 0; i < length; ++i) {
            uint8_t b = text[i];
            uint8_t a = attr ? attr[i] : 0;
            if (b == kFillByte && afterTab)
                continue; // fill from an earlier layout
            afterTab = false;
            if (b == kTab) {
                int n = tw - col % tw;
                if (m_bExpandTabs) {
                    ins.insert(ins.end(), static_cast<size_t>(n), kBlank);
                } else {
                    ins.push_back(kTab);
                    ins.insert(ins.end(), static_cast<size_t>(n - 1), kFillByte);
                }
                insAttr.insert(insAttr.end(), static_cast<size_t>(n), a);
                col += n;
                afterTab = true;
            } else {
                ins.push_back(b);
                insAttr.push_back(a);
                col = (b == kCarriageReturn || b == kSoftBreak) ? 0 : col + 1;
            }
        }
        src = ins.data();
        srcAttr = attr ? insAttr.data() : nullptr;
        srcLen = static_cast<int>(ins.size());
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return 0;
    }

    Edit e;
    if (!PlanEdit(e, start, end, src, srcLen, srcAttr, 0, true))
        return 0;

    bool record = (flags & kInsertRecordUndo) != 0;
    if (record && end > start)
        RecordRemovedRange(start, end);

    // A piece between two CRs longer than 32,767 bytes is a long line.
    bool longLine = false;
    int piece = 0;
    for (int i = 0; i < srcLen && !longLine; ++i) {
        if (src[i] == kCarriageReturn)
            piece = 0;
        else if (++piece > kLongLineLimit)
            longLine = true;
    }

    uint32_t oldLines = s.lineCount;
    CommitEdit(e);
    SetModify(1);
    if (record)
        RecordUndo(kUndoInserted, start, start + srcLen, 0, 0);
    if (s.lineCount != oldLines)
        Host().LineCountChanged(static_cast<int>(s.lineCount) - static_cast<int>(oldLines), m_nCaretLine);

    if (s.wrapWidth == 0 && longLine)
        SetWordWrap(kLongLineWrap, m_bWrapOnWords != 0);
    else if (s.wrapWidth != 0)
        SetWordWrap(s.wrapWidth, m_bWrapOnWords != 0);

    length = srcLen;
    st = kInsertDone;
    return srcLen - (end - start);
}

void CColorEditCore::ReplaceSel(const char* text, bool undoable, bool moveCaret)
{
    CTextState& s = *m_pState;
    int len = text ? static_cast<int>(std::strlen(text)) : 0;
    if (len == 0) {
        if (s.selEnd > s.selStart)
            DeleteText(true, undoable, 0);
        return;
    }
    int start = s.selStart;
    int oldEnd = s.selEnd;
    uint32_t version = s.version;
    InsertText(reinterpret_cast<const uint8_t*>(text), len, nullptr,
               undoable ? (kInsertExpandTabs | kInsertRecordUndo) : kInsertExpandTabs);
    if (s.version == version)
        return; // refused, or out of memory
    if (moveCaret) {
        s.selStart = s.selEnd = std::min(start + len, s.length);
        m_nCaretLine = LineFromOffset(s.selStart);
        // A caret pushed below the window brings its line to the middle.
        if (m_nVisibleLines > 0 && m_nCaretLine >= m_nTopLine + m_nVisibleLines) {
            SetTopLine(m_nCaretLine - m_nVisibleLines / 2);
            Host().ViewScrolled();
        }
        Host().SelectionSet(start, oldEnd, true, true);
    }
    Host().TextChanged(start);
}

int CColorEditCore::AppendLine(const char* text, int attr, bool redraw, bool continuation, bool newLine)
{
    CTextState& s = *m_pState;
    size_t textLen = text ? std::strlen(text) : 0;
    if (textLen > static_cast<size_t>(kAppendLineLimit)) {
        if (redraw)
            Host().TextChanged(-1);
        return 0;
    }
    // The line image: a CR (new line) or a soft break (continuation) unless
    // the text is empty, then the text without line feeds and CRs, its tabs
    // with their fill bytes.
    std::vector<uint8_t>& image = m_lineImage;
    bool breakPrefix = false;
    try {
        image.clear();
        if (s.lineCount != 0) {
            if (continuation) {
                image.push_back(kSoftBreak);
                breakPrefix = s.wrapWidth != 0;
            } else if (newLine) {
                image.push_back(kCarriageReturn);
                breakPrefix = true;
            }
        }
        size_t prefix = image.size();
        int tabs = 0;
        for (size_t i = 0; i < textLen; ++i) {
            uint8_t b = static_cast<uint8_t>(text[i]);
            if (b != kLineFeed && b != kCarriageReturn)
                image.push_back(b);
            tabs += b == kTab;
        }
        if (tabs) {
            int textPart = static_cast<int>(image.size() - prefix);
            int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
            image.resize(image.size() + static_cast<size_t>(tabs) * static_cast<size_t>(tw));
            image.resize(prefix + static_cast<size_t>(ExpandTabs(image.data() + prefix, textPart)));
        }
    } catch (const std::bad_alloc&) {
        Host().ReportOutOfMemory();
        return 0;
    }
    if (!EnsureCapacity(static_cast<uint32_t>(image.size()) + 1))
        return 0;
    if (!image.empty()) {
        // Appending at the end of the contiguous text: a whole load appends
        // line by line without moving anything.
        uint8_t* t = s.Text();
        uint8_t* a = s.Attr();
        std::memcpy(t + s.length, image.data(), image.size());
        std::memset(a + s.length, attr, image.size());
        t[s.length + static_cast<int>(image.size())] = 0;
        a[s.length + static_cast<int>(image.size())] = 0;
        s.store.FlatWritten(s.length + static_cast<int>(image.size()));
    }
    bool wasEmpty = s.lineCount == 0;
    s.length += static_cast<int>(image.size());
    if (wasEmpty || breakPrefix)
        ++s.lineCount;
    ++s.version;
    if (redraw)
        Host().TextChanged(-1);
    return 1;
}

int CColorEditCore::AppendLineString(const std::string& text, int attr, bool redraw, bool continuation)
{
    return AppendLine(text.c_str(), attr, redraw, continuation, true);
}

int CColorEditCore::SetText(const char* text)
{
    CTextState& s = *m_pState;
    size_t len = text ? std::strlen(text) : 0;
    if (len >= 0x7FFE0000u) {
        Host().ReportOutOfMemory();
        return 0;
    }
    uint32_t capacity = static_cast<uint32_t>((len / kCapacityStep + 1) * kCapacityStep);
    if (capacity != s.capacity || !s.HasBuffers()) {
        if (!s.store.Reset(capacity)) {
            Host().ReportOutOfMemory();
            return 0;
        }
        s.capacity = capacity;
    } else {
        std::memset(s.Attr(), 0, static_cast<size_t>(s.capacity) + kSpareBytes);
        std::memset(s.Text(), 0, static_cast<size_t>(s.capacity) + kSpareBytes);
    }
    if (len)
        std::memcpy(s.Text(), text, len);
    s.store.FlatWritten(static_cast<int>(len));
    s.length = static_cast<int>(len);
    s.selStart = s.selEnd = s.length;
    s.lineCount = 1;
    ++s.version;
    // Tabs get their fill bytes (and long lines their soft breaks) as the
    // text model wants them.
    RebuildText(m_nTabWidth, s.wrapWidth, m_bWrapOnWords != 0, s.wrapWidth != 0);
    s.selStart = s.selEnd = s.length;
    s.lineCount = 1 + static_cast<uint32_t>(CountBreaks(0, s.length));
    if (static_cast<int>(s.lineCount) > m_nVisibleLines)
        m_nTopLine = static_cast<int>(s.lineCount) - m_nVisibleLines / 3;
    else
        m_nTopLine = 0;
    if (m_nTopLine >= static_cast<int>(s.lineCount))
        m_nTopLine = static_cast<int>(s.lineCount) - 1;
    m_nTopOffset = std::max(0, GetLineOffset(m_nTopLine));
    MarkTopKnown();
    m_nCaretLine = static_cast<int>(s.lineCount) - 1;
    Host().ViewScrolled();
    Host().TextChanged(-1);
    return 1;
}

void CColorEditCore::ClearText()
{
    CTextState& s = *m_pState;
    if (s.HasBuffers())
        s.store.Clear();
    Emptied();
}

void CColorEditCore::Emptied()
{
    CTextState& s = *m_pState;
    m_nTopLine = 0;
    m_nTopOffset = 0;
    s.lineCount = 0;
    s.length = 0;
    s.readOnly = 0;
    s.columnMode = 0;
    s.columnRect.SetEmpty();
    s.selStart = s.selEnd = 0;
    m_nCaretLine = 0;
    ++s.version;
    MarkTopKnown();
    Host().TextCleared();
    Host().TextChanged(-1);
}

// ---------------------------------------------------------------------------
// Line access.

int CColorEditCore::LayoutColumn(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    int i = std::max(0, std::min(offset, s.length));
    int ls = i;
    while (ls > 0 && !IsLineBreak(s.At(ls - 1)))
        --ls;
    return i - ls;
}

int CColorEditCore::GetLineEnd(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    int i = std::max(0, std::min(offset, s.length));
    while (i < s.length && !IsLineBreak(s.At(i)))
        ++i;
    return i;
}

int CColorEditCore::GetLine(int line, char* buffer, int size, uint8_t* attrBuffer) const
{
    const CTextState& s = *m_pState;
    if (line < 0 || line >= static_cast<int>(s.lineCount) || !s.HasBuffers())
        return -1;
    int start = GetLineOffset(line);
    if (start < 0)
        return -1;
    int end = GetLineEnd(start);
    int len = end - start;
    if (!buffer || len + 1 > size)
        return 0;
    s.store.CopyOut(start, end, reinterpret_cast<uint8_t*>(buffer), attrBuffer);
    buffer[len] = 0;
    return len;
}

int CColorEditCore::GetLineAtOffset(int offset, char* buffer, int size) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers())
        return 0;
    offset = std::max(0, std::min(offset, s.length));
    int start = offset;
    while (start > 0 && !IsLineBreak(s.At(start - 1)))
        --start;
    int end = GetLineEnd(offset);
    int len = end - start;
    if (!buffer || len + 1 > size)
        return 0;
    s.store.CopyOut(start, end, reinterpret_cast<uint8_t*>(buffer), nullptr);
    buffer[len] = 0;
    return len;
}

int CColorEditCore::GetCharColor(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.HasBuffers() || offset < 0 || offset >= s.length)
        return -1;
    return s.AttrAt(offset);
}

// ---------------------------------------------------------------------------
// Free helpers.

int StripChar(uint8_t* buffer, uint8_t byte, int length)
{
    if (!buffer)
        return 0;
    if (length < 0)
        length = static_cast<int>(std::strlen(reinterpret_cast<char*>(buffer)));
    int out = 0;
    for (int i = 0; i < length; ++i) {
        if (buffer[i] != byte)
            buffer[out++] = buffer[i];
    }
    buffer[out] = 0;
    return length - out;
}

int RemoveTabFill(uint8_t* text)
{
    if (!text)
        return 0;
    int tabs = 0;
    uint8_t* out = text;
    for (const uint8_t* in = text; *in;) {
        uint8_t b = *in++;
        *out++ = b;
        if (b == kTab) {
            ++tabs;
            while (*in == kFillByte)
                ++in;
        }
    }
    *out = 0;
    return tabs;
}

int FindLineEnd(int start, const uint8_t* text)
{
    int i = start;
    while (text[i] && text[i] != kCarriageReturn && text[i] != kLineFeed)
        ++i;
    return i - start;
}
