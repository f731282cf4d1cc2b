// The buffers of the text: construction, growth, the one splice through
// which every edit passes, insertion, appending and whole-text replacement.
#include "edit_core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "color_table.h"
#include "break_count.h"
#include "text_range.h"

const char* const kOutOfMemoryText = "Out of memory !";

static TextAllocFn s_textAlloc = nullptr;

void SetTextAllocator(TextAllocFn fn)
{
    s_textAlloc = fn;
}

static uint8_t* alloc_buffer(uint32_t capacity)
{
    size_t size = static_cast<size_t>(capacity) + kSpareBytes;
    void* p = s_textAlloc ? s_textAlloc(size) : std::malloc(size);
    if (p)
        std::memset(p, 0, size);
    return static_cast<uint8_t*>(p);
}

// Both buffers of a capacity, zeroed, or neither.
static bool alloc_pair(uint32_t capacity, uint8_t*& text, uint8_t*& attr)
{
    text = alloc_buffer(capacity);
    attr = text ? alloc_buffer(capacity) : nullptr;
    if (!attr) {
        std::free(text);
        text = nullptr;
        return false;
    }
    return true;
}

void CTextState::FreeBuffers()
{
    std::free(text);
    std::free(attr);
    text = nullptr;
    attr = nullptr;
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

// Replaces both buffers by fresh ones of the given capacity, keeping the
// text. Either both are replaced or, when memory runs out, neither.
bool CColorEditCore::GrowTo(uint32_t capacity)
{
    CTextState& s = *m_pState;
    uint8_t *t, *a;
    if (!alloc_pair(capacity, t, a))
        return false;
    if (s.text && s.length > 0) {
        std::memcpy(t, s.text, static_cast<size_t>(s.length));
        std::memcpy(a, s.attr, static_cast<size_t>(s.length));
    }
    std::free(s.text);
    std::free(s.attr);
    s.text = t;
    s.attr = a;
    s.capacity = capacity;
    return true;
}

int CColorEditCore::EnsureCapacity(uint32_t additional)
{
    CTextState& s = *m_pState;
    uint64_t need = static_cast<uint64_t>(s.length) + additional;
    if (s.text && s.capacity >= need)
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
    uint8_t *t, *a;
    if (!alloc_pair(capacity, t, a)) {
        Host().ReportOutOfMemory();
        return 0;
    }
    s.FreeBuffers();
    s.text = t;
    s.attr = a;
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
    const uint8_t* t = m_pState->text;
    if (!t || to <= from)
        return 0;
    return break_count::count(t, from, to, m_pState->wrapWidth != 0);
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
    if (relayoutSuffix && s.text) {
        int lineEnd = end;
        bool hasTab = false;
        while (lineEnd < s.length && !IsLineBreak(s.text[lineEnd])) {
            hasTab |= s.text[lineEnd] == kTab;
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
            append_laid_out(s.text, s.attr, end, lineEnd, col, tw, e.text, e.attr);
            e.regionEnd = lineEnd;
        }
    }
    int64_t newLength = static_cast<int64_t>(s.length) - (e.regionEnd - start) + static_cast<int64_t>(e.text.size());
    if (newLength > 0x7FFE0000)
        return Host().ReportOutOfMemory(), false;
    e.newLength = static_cast<int>(newLength);
    if (!s.text || static_cast<int64_t>(s.capacity) <= newLength) {
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
    int newRegionEnd = e.start + static_cast<int>(e.text.size());
    int tail = s.length - e.regionEnd;
    if (tail > 0 && newRegionEnd != e.regionEnd) {
        std::memmove(s.text + newRegionEnd, s.text + e.regionEnd, static_cast<size_t>(tail));
        std::memmove(s.attr + newRegionEnd, s.attr + e.regionEnd, static_cast<size_t>(tail));
    }
    if (!e.text.empty()) {
        std::memcpy(s.text + e.start, e.text.data(), e.text.size());
        std::memcpy(s.attr + e.start, e.attr.data(), e.attr.size());
    }
    if (e.newLength < s.length) {
        // Keep the area behind the text zero in both buffers.
        std::memset(s.text + e.newLength, 0, static_cast<size_t>(s.length - e.newLength));
        std::memset(s.attr + e.newLength, 0, static_cast<size_t>(s.length - e.newLength));
    }
    s.text[e.newLength] = 0;
    s.attr[e.newLength] = 0;

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
        RecordUndo(kUndoDeletedRange, start, end, s.text + start, s.attr + start);

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
        std::memcpy(s.text + s.length, image.data(), image.size());
        std::memset(s.attr + s.length, attr, image.size());
    }
    bool wasEmpty = s.lineCount == 0;
    s.length += static_cast<int>(image.size());
    s.text[s.length] = 0;
    s.attr[s.length] = 0;
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
    if (capacity != s.capacity || !s.text) {
        uint8_t *t, *a;
        if (!alloc_pair(capacity, t, a)) {
            Host().ReportOutOfMemory();
            return 0;
        }
        s.FreeBuffers();
        s.text = t;
        s.attr = a;
        s.capacity = capacity;
    }
    std::memset(s.attr, 0, static_cast<size_t>(s.capacity) + kSpareBytes);
    std::memset(s.text, 0, static_cast<size_t>(s.capacity) + kSpareBytes);
    if (len)
        std::memcpy(s.text, text, len);
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
    if (s.text) {
        std::memset(s.text, 0, static_cast<size_t>(s.capacity) + kSpareBytes);
        std::memset(s.attr, 0, static_cast<size_t>(s.capacity) + kSpareBytes);
    }
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
    if (!s.text)
        return 0;
    int i = std::max(0, std::min(offset, s.length));
    int ls = i;
    while (ls > 0 && !IsLineBreak(s.text[ls - 1]))
        --ls;
    return i - ls;
}

int CColorEditCore::GetLineEnd(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.text)
        return 0;
    int i = std::max(0, std::min(offset, s.length));
    while (i < s.length && !IsLineBreak(s.text[i]))
        ++i;
    return i;
}

int CColorEditCore::GetLine(int line, char* buffer, int size, uint8_t* attrBuffer) const
{
    const CTextState& s = *m_pState;
    if (line < 0 || line >= static_cast<int>(s.lineCount) || !s.text)
        return -1;
    int start = GetLineOffset(line);
    if (start < 0)
        return -1;
    int end = GetLineEnd(start);
    int len = end - start;
    if (!buffer || len + 1 > size)
        return 0;
    std::memcpy(buffer, s.text + start, static_cast<size_t>(len));
    buffer[len] = 0;
    if (attrBuffer)
        std::memcpy(attrBuffer, s.attr + start, static_cast<size_t>(len));
    return len;
}

int CColorEditCore::GetLineAtOffset(int offset, char* buffer, int size) const
{
    const CTextState& s = *m_pState;
    if (!s.text)
        return 0;
    offset = std::max(0, std::min(offset, s.length));
    int start = offset;
    while (start > 0 && !IsLineBreak(s.text[start - 1]))
        --start;
    int end = GetLineEnd(offset);
    int len = end - start;
    if (!buffer || len + 1 > size)
        return 0;
    std::memcpy(buffer, s.text + start, static_cast<size_t>(len));
    buffer[len] = 0;
    return len;
}

int CColorEditCore::GetCharColor(int offset) const
{
    const CTextState& s = *m_pState;
    if (!s.attr || offset < 0 || offset >= s.length)
        return -1;
    return s.attr[offset];
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
