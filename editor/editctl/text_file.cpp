// Loading and saving the text, and noticing a file changed behind its back.
// Files have CR LF or LF line ends; in the text every line ends with CR.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/editctl/break_count.h"
#include "editor/editctl/byte_scan.h"
#include "editor/editctl/file_store.h"

const char* const kChangedOnDiskText = "This file has been changed externaly!\n      Load again?";
const char* const kMovedOrDeletedText = "This file has been moved or deleted!\n     Save again under the known name?";
const char* const kControlBytesText =
    "This file holds bytes with the codes 0, 1 or 2, which the editor keeps for the end of its text, tab fill "
    "and soft line breaks and would not save again.\nThe file was not loaded.";

// Files whose first block holds no CR have LF-only line ends.
static const size_t kLineEndProbe = 32777;

bool HasLfOnlyLineEnds(const uint8_t* data, size_t size)
{
    if (!data || size == 0)
        return false;
    return !std::memchr(data, kCarriageReturn, std::min(size, kLineEndProbe));
}

namespace {

// The place of the first byte below 14 in a word (every byte the loader
// treats apart is one), 8 when there is none.
inline size_t first_low_byte(uint64_t w)
{
    const uint64_t low = byte_scan::word_low_marks(w);
    return low ? static_cast<size_t>(__builtin_ctzll(low)) / 8 : 8;
}

// Turns file lines into the text model in a buffer of the store's kind:
// CR line ends, CRs inside a line dropped, tabs with their fill bytes,
// long lines cut into pieces joined by soft breaks (as appending the lines
// one by one would put them). The breaks are counted per chunk of the
// store on the way.
class CTextLoader {
public:
    CTextLoader(int tabWidth) : tw_(tabWidth)
    {
        for (int b = 0; b < 256; ++b) {
            stop_[b] = b == 0 || b == kFillByte || b == kSoftBreak || b == kTab || b == kCarriageReturn;
            kind_[b] = b == kCarriageReturn ? kDropped
                       : b == kTab      ? kTabByte
                       : b == kLineFeed ? kLineEnd
                       : stop_[b]       ? kReserved
                                        : kKept;
        }
    }
    ~CTextLoader() { CTextStore::FreeBytes(text_); }

    // Reads the whole file; false when it could not be read, memory ran
    // out (noMemory_) or it holds a byte 0, 1 or 2 (refused_).
    bool Run(file_store_reader& file, CColorEditHost& host);

    uint8_t* text_ = nullptr;
    uint32_t capacity_ = 0;
    size_t out_ = 0;
    uint32_t lines_ = 0;
    bool tabs_ = false;
    bool wrapped_ = false; // a line was cut into soft-broken pieces
    bool refused_ = false;
    bool noMemory_ = false;
    std::vector<int> cr_, soft_;

private:
    bool Room(size_t more);
    bool Start(int64_t size, const uint8_t* first, size_t n);
    bool Piece(const uint8_t* p, size_t n, uint8_t prefix);
    bool Line(const uint8_t* p, size_t len);
    bool Feed(const uint8_t* p, size_t n, bool end, size_t& used);
    size_t ShortLines(const uint8_t* p, size_t pos, size_t n);
    bool longRun_ = false; // the pieces of a long line are being made
    void Break(uint8_t b)
    {
        size_t chunk = out_ / CTextStore::kChunkSize;
        std::vector<int>& count = b == kCarriageReturn ? cr_ : soft_;
        if (count.size() <= chunk)
            count.resize(chunk + 1, 0);
        ++count[chunk];
        text_[out_++] = b;
    }

    int tw_;
    bool stop_[256];
    // What the bytes are to ShortLines.
    enum Kind : uint8_t { kKept, kDropped, kTabByte, kLineEnd, kReserved };
    uint8_t kind_[256];
};

// Room for more bytes (and the zero behind them): a buffer grown by half,
// zero again behind the text.
bool CTextLoader::Room(size_t more)
{
    if (out_ + more < capacity_)
        return true;
    uint64_t want = (static_cast<uint64_t>(out_ + more) * 3 / 2 / kCapacityStep + 1) * kCapacityStep;
    if (want >= 0x7FFE0000u)
        return false;
    uint8_t* bigger = CTextStore::AllocZeroed(static_cast<uint32_t>(want));
    if (!bigger)
        return false;
    std::memcpy(bigger, text_, out_);
    CTextStore::FreeBytes(text_);
    text_ = bigger;
    capacity_ = static_cast<uint32_t>(want);
    return true;
}

bool CTextLoader::Piece(const uint8_t* p, size_t n, uint8_t prefix)
{
    // At most every byte a whole tab, the prefix, and a word written ahead.
    // Without that much room, each tab makes sure of its own.
    const bool tight = !Room(n * static_cast<size_t>(tw_) + 1 + 8);
    if (tight && !Room(n + 1 + 8)) {
        noMemory_ = true;
        return false;
    }
    if (lines_ != 0)
        Break(prefix);
    ++lines_;
    const size_t lineStart = out_;
    const bool pow2 = (tw_ & (tw_ - 1)) == 0;
    // In locals: the bytes written cannot be taken for the members.
    uint8_t* t = text_;
    size_t out = out_;
    size_t i = 0;
    while (i < n) {
        uint8_t b;
        if (i + 8 <= n) {
            // A word goes over whole; it counts up to its first low byte.
            uint64_t w = break_count::load8(p + i);
            std::memcpy(t + out, &w, 8);
            const size_t k = first_low_byte(w);
            if (k == 8) {
                i += 8;
                out += 8;
                continue;
            }
            i += k;
            out += k;
            b = p[i];
            if (!stop_[b]) {
                ++i;
                ++out; // a low byte kept as it is (form feed and the like)
                continue;
            }
        } else {
            b = p[i];
            if (!stop_[b]) {
                t[out++] = b;
                ++i;
                continue;
            }
        }
        ++i;
        if (b == kCarriageReturn)
            continue;
        if (b != kTab) {
            refused_ = true;
            out_ = out;
            return false;
        }
        tabs_ = true;
        const size_t col = out - lineStart;
        const size_t fill = static_cast<size_t>(tw_) - (pow2 ? col & static_cast<size_t>(tw_ - 1)
                                                              : col % static_cast<size_t>(tw_));
        if (tight) {
            out_ = out;
            if (!Room(fill + (n - i) + 1 + 8)) {
                noMemory_ = true;
                return false;
            }
            t = text_;
        }
        t[out++] = kTab;
        for (size_t f = 1; f < fill; ++f)
            t[out++] = kFillByte;
    }
    // Nothing written ahead stays behind the text.
    const uint64_t zero = 0;
    std::memcpy(t + out, &zero, 8);
    out_ = out;
    return true;
}

// A first guess of the room from the tabs of the first block.
bool CTextLoader::Start(int64_t size, const uint8_t* first, size_t n)
{
    size_t tabs = 0;
    for (size_t i = 0; i < n; ++i)
        tabs += first[i] == kTab;
    uint64_t total = static_cast<uint64_t>(std::max<int64_t>(size, static_cast<int64_t>(n)));
    uint64_t guess = total + (n ? total * tabs / n * static_cast<uint64_t>(tw_) : 0) + total / 16 + 2;
    guess = std::min<uint64_t>(guess, 0x7FF00000u);
    capacity_ = static_cast<uint32_t>((guess / kCapacityStep + 1) * kCapacityStep);
    text_ = CTextStore::AllocZeroed(capacity_);
    noMemory_ = !text_;
    // About as many bytes as the file holds will be written.
    CTextStore::Prefault(text_, static_cast<size_t>(std::min<uint64_t>(total, capacity_)));
    return text_ != nullptr;
}

// A whole line of the file (its line end removed): one piece, or the
// pieces of a long line, of which some may have been made already.
bool CTextLoader::Line(const uint8_t* p, size_t len)
{
    if (!longRun_ && len < static_cast<size_t>(kAppendLineLimit))
        return Piece(p, len, kCarriageReturn);
    for (size_t k = 0; k < len; k += kLongLineWrap) {
        if (!Piece(p + k, std::min(static_cast<size_t>(kLongLineWrap), len - k),
                   longRun_ ? kSoftBreak : kCarriageReturn))
            return false;
        longRun_ = true;
    }
    wrapped_ = true;
    longRun_ = false;
    return true;
}

// Takes the whole lines of p[pos, n) that are short (one piece each), in
// one pass over the bytes, a step of them at a time, as Piece would make
// them; returns where it stopped: at the start of the first line it leaves
// to the line by line way (unfinished in p, long, holding a byte 0, 1 or
// 2, or reaching too near the end of the buffer). p has a step of bytes
// readable behind n.
size_t CTextLoader::ShortLines(const uint8_t* p, size_t pos, size_t n)
{
    using byte_scan::kStep;
    const size_t limit = static_cast<size_t>(kAppendLineLimit);
    const size_t tw = static_cast<size_t>(tw_);
    const bool pow2 = (tw & (tw - 1)) == 0;
    // The most a step writes behind the place of its first byte: every
    // byte a whole tab, a line's break, and the bytes written ahead (in 64
    // bits: a tab may be wide).
    const uint64_t stepRoom = (kStep + 1) * static_cast<uint64_t>(tw) + 4 * kStep;
    if (cr_.size() <= capacity_ / CTextStore::kChunkSize)
        cr_.resize(capacity_ / CTextStore::kChunkSize + 1, 0);
    static const uint8_t kTabFill[8] = {kTab, kFillByte, kFillByte, kFillByte,
                                        kFillByte, kFillByte, kFillByte, kFillByte};
    static const uint8_t kFill[8] = {kFillByte, kFillByte, kFillByte, kFillByte,
                                     kFillByte, kFillByte, kFillByte, kFillByte};
    uint8_t* t = text_;
    int* crs = cr_.data();

    // The line being made: where it starts in p, where its break and its
    // first byte went in the text, and whether it has a break.
    size_t lineIn = pos, lineOut = out_, lineStart = out_;
    bool broke = false;
    // The byte of p at q goes to the text at q + delta, a delta that moves
    // at every tab and CR; deltaMax is the largest it was in the line.
    ptrdiff_t delta = 0, deltaMax = 0;
    auto begin_line = [&](size_t o) {
        lineOut = o;
        broke = lines_ != 0;
        if (broke) {
            ++crs[o / CTextStore::kChunkSize];
            t[o++] = kCarriageReturn;
        }
        ++lines_;
        lineStart = o;
        delta = static_cast<ptrdiff_t>(o) - static_cast<ptrdiff_t>(lineIn);
        deltaMax = delta;
    };
    auto to = [&](size_t q) { return static_cast<size_t>(static_cast<ptrdiff_t>(q) + delta); };
    begin_line(out_);
    size_t i = pos;
    for (;;) {
        if (i + kStep > n || i - lineIn > limit + 1 || to(i) + stepRoom >= capacity_)
            goto leave; // unfinished here, a long line, or too near the end of the buffer
        byte_scan::copy_step(t + to(i), p + i);
        for (byte_scan::Marks m = byte_scan::low_marks(p + i); m; m &= m - 1) {
            const size_t q = i + byte_scan::first_mark(m);
            switch (kind_[p[q]]) {
            case kKept:
                continue;
            case kDropped:
                --delta;
                break;
            case kTabByte: {
                const size_t o = to(q);
                const size_t col = o - lineStart;
                const size_t fill = tw - (pow2 ? col & (tw - 1) : col % tw);
                std::memcpy(t + o, kTabFill, 8);
                for (size_t f = 8; f < fill; f += 8)
                    std::memcpy(t + o + f, kFill, 8);
                tabs_ = true;
                delta += static_cast<ptrdiff_t>(fill) - 1;
                deltaMax = std::max(deltaMax, delta);
                break;
            }
            case kLineEnd: {
                size_t len = q - lineIn;
                if (len > 0 && p[q - 1] == kCarriageReturn)
                    --len;
                if (len >= limit)
                    goto leave;
                // The line is taken; its line end becomes the next one's break.
                lineIn = q + 1;
                begin_line(to(q));
                continue;
            }
            default:
                goto leave; // a byte 0, 1 or 2: refused line by line
            }
            // The rest of the step to its new place.
            byte_scan::copy_step(t + to(q + 1), p + q + 1);
        }
        i += kStep;
    }
leave:
    // The line is made again line by line: nothing of it stays.
    {
        --lines_;
        if (broke)
            --crs[lineOut / CTextStore::kChunkSize];
        // No step wrote at capacity_ or beyond.
        const size_t reach = std::min<size_t>(
            static_cast<size_t>(static_cast<ptrdiff_t>(i + kStep) + deltaMax) + 2 * kStep, capacity_);
        std::memset(t + lineOut, 0, reach - lineOut);
        out_ = lineOut;
        return lineIn;
    }
}

// Takes the whole lines of p[0, n), and the last one too at the end of the
// file; used tells how many bytes were taken (the rest comes again with
// the next block). Of a line longer than a display line, the pieces that
// are sure (more of the line follows) are taken at once.
bool CTextLoader::Feed(const uint8_t* p, size_t n, bool end, size_t& used)
{
    size_t pos = 0;
    for (;;) {
        if (!longRun_) {
            pos = ShortLines(p, pos, n);
            if (pos == n)
                break;
        }
        const uint8_t* lf = static_cast<const uint8_t*>(std::memchr(p + pos, kLineFeed, n - pos));
        if (!lf && !end)
            break;
        size_t stop = lf ? static_cast<size_t>(lf - p) : n;
        size_t len = stop - pos;
        if (len > 0 && p[stop - 1] == kCarriageReturn)
            --len;
        if ((lf || len > 0 || longRun_) && !Line(p + pos, len))
            return false;
        pos = lf ? stop + 1 : n;
        if (pos == n)
            break;
    }
    // Within a line: with more than a display line and one byte more (no
    // line end among them, so the pieces stand), the line is a long one.
    if (longRun_ || n - pos > static_cast<size_t>(kAppendLineLimit)) {
        while (n - pos > static_cast<size_t>(kLongLineWrap) + 1) {
            if (!Piece(p + pos, kLongLineWrap, longRun_ ? kSoftBreak : kCarriageReturn))
                return false;
            longRun_ = true;
            wrapped_ = true;
            pos += kLongLineWrap;
        }
    }
    used = pos;
    return true;
}

bool CTextLoader::Run(file_store_reader& file, CColorEditHost& host)
{
    // Blocks of a megabyte into one buffer; the unfinished line of a block
    // moves to the buffer's start and the next block is read behind it.
    // The host hears of every block.
    const size_t kRead = 1 << 20;
    const size_t kCarry = 2 * static_cast<size_t>(kAppendLineLimit) + 16;
    // A step more, which ShortLines may read behind the bytes.
    uint8_t* block = static_cast<uint8_t*>(std::malloc(kRead + kCarry + byte_scan::kStep));
    if (!block) {
        noMemory_ = true;
        return false;
    }
    size_t carry = 0;
    int64_t done = 0;
    uint8_t last = 0;
    bool ok = true;
    for (;;) {
        size_t n = file_store_get(file, block + carry, kRead);
        if (file.failed) {
            ok = false;
            break;
        }
        if (n > 0)
            last = block[carry + n - 1];
        if (!text_ && (n > 0 || carry > 0) && !Start(file.size, block, carry + n)) {
            ok = false;
            break;
        }
        const bool end = n == 0;
        size_t used = 0;
        if (carry + n > 0 && !Feed(block, carry + n, end, used)) {
            ok = false;
            break;
        }
        done += static_cast<int64_t>(used);
        carry = carry + n - used;
        if (end)
            break;
        std::memmove(block, block + used, carry);
        // After every whole block: more of the file follows.
        if (n == kRead)
            host.LoadProgress(done, file.size, static_cast<int>(lines_));
    }
    std::free(block);
    if (!ok || !text_)
        return false;
    if (last == kLineFeed && !Piece(nullptr, 0, kCarriageReturn))
        return false;
    cr_.resize(out_ / CTextStore::kChunkSize + 1, 0);
    soft_.resize(out_ / CTextStore::kChunkSize + 1, 0);
    return true;
}

// Turns the text model into the bytes of the file, span by span of the
// store, into a block that goes to the file whenever a megabyte is full:
// a CR becomes the file's line end (a soft break too when asked, else
// nothing), a tab with its fill one tab or blanks up to the next tab stop,
// a fill byte without its tab nothing; all other bytes go out as they are,
// a step of them at a time.
class CTextSaver {
public:
    CTextSaver(file_store_writer& writer, int tabWidth, bool blanks, bool softToCR, bool lfOnly)
        : writer_(writer), tw_(static_cast<size_t>(tabWidth)), wide_(tw_ > kWideTab), blanks_(blanks),
          softToCR_(softToCR), lfOnly_(lfOnly)
    {
        for (int b = 0; b < 256; ++b)
            apart_[b] = b == kCarriageReturn || b == kSoftBreak || b == kFillByte || b == kTab;
        // Behind a full block: one more step, every byte of it a tab as
        // blanks or a line end, or with wide tabs one more byte, and the
        // bytes written ahead.
        out_ = static_cast<uint8_t*>(
            std::malloc(kBlock + (wide_ ? tw_ : (byte_scan::kStep + 1) * (tw_ + 2)) + 64));
    }
    ~CTextSaver() { std::free(out_); }
    CTextSaver(const CTextSaver&) = delete;
    CTextSaver& operator=(const CTextSaver&) = delete;

    bool Ready() const { return out_ != nullptr; }
    // The next n bytes of the text; false when the file could not take them.
    bool Span(const uint8_t* t, size_t n);
    // The rest of the block to the file.
    bool Finish() { return file_store_put(writer_, out_, used_); }

private:
    static const size_t kBlock = 1 << 20;
    // Tabs wider than this go out byte by byte: a step of them as blanks
    // would want too much room behind the block.
    static const size_t kWideTab = 256;

    file_store_writer& writer_;
    const size_t tw_;
    const bool wide_;
    const bool blanks_, softToCR_, lfOnly_;
    bool apart_[256];
    uint8_t* out_ = nullptr;
    size_t used_ = 0;
    // Where the line being written starts in the block (before it after the
    // block went out), less the fill of the tabs written as one byte: the
    // column of a place is its distance from here.
    ptrdiff_t lineStart_ = 0;
};

bool CTextSaver::Span(const uint8_t* t, size_t n)
{
    using byte_scan::kStep;
    // In locals: the bytes written cannot be taken for them.
    uint8_t* const out = out_;
    const size_t tw = tw_;
    const bool pow2 = (tw & (tw - 1)) == 0;
    ptrdiff_t lineStart = lineStart_;
    // The byte at t[q] goes out at q + delta (till the next byte treated apart).
    ptrdiff_t delta = static_cast<ptrdiff_t>(used_);
    auto to = [&](size_t q) { return static_cast<size_t>(static_cast<ptrdiff_t>(q) + delta); };
    // Writes the byte at t[q] that is treated apart and what belongs to it,
    // moves delta for the bytes behind and returns the place of the next.
    // Inlined at both places, delta and the rest stay in registers.
    auto apart = [&](size_t q) __attribute__((always_inline)) -> size_t {
        const size_t o = to(q);
        switch (t[q]) {
        case kSoftBreak:
            if (!softToCR_) {
                --delta; // layout only
                return q + 1;
            }
            [[fallthrough]];
        case kCarriageReturn:
            if (lfOnly_) {
                out[o] = kLineFeed;
            } else {
                out[o] = kCarriageReturn;
                out[o + 1] = kLineFeed;
                ++delta;
            }
            lineStart = static_cast<ptrdiff_t>(to(q + 1));
            return q + 1;
        case kTab: {
            static const uint8_t kBlanks[8] = {kBlank, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank, kBlank};
            const size_t col = static_cast<size_t>(static_cast<ptrdiff_t>(o) - lineStart);
            const size_t fill = tw - (pow2 ? col & (tw - 1) : col % tw);
            if (blanks_) {
                for (size_t f = 0; f < fill; f += 8)
                    std::memcpy(out + o + f, kBlanks, 8);
                delta += static_cast<ptrdiff_t>(fill) - 1;
            } else {
                out[o] = kTab;
                lineStart -= static_cast<ptrdiff_t>(fill) - 1;
            }
            // The tab's fill, written as the tab.
            const size_t fillBytes = byte_scan::run_of(t + q + 1, n - q - 1, kFillByte);
            delta -= static_cast<ptrdiff_t>(fillBytes);
            return q + 1 + fillBytes;
        }
        default: // a fill byte without its tab
            --delta;
            return q + 1;
        }
    };
    size_t i = 0;
    while (i < n) {
        const size_t used = to(i);
        if (used >= kBlock) {
            if (!file_store_put(writer_, out, used))
                return false;
            delta -= static_cast<ptrdiff_t>(used);
            lineStart -= static_cast<ptrdiff_t>(used);
        }
        if (i + 2 * kStep > n || wide_) {
            // The last bytes of the span one by one: a step read from a
            // place in the last step would reach beyond it.
            if (apart_[t[i]]) {
                i = apart(i);
            } else {
                out[to(i)] = t[i];
                ++i;
            }
            continue;
        }
        // A step goes out whole; behind every byte treated apart in it, the
        // rest of the step is put to its new place.
        byte_scan::copy_step(out + to(i), t + i);
        size_t next = i + kStep;
        for (byte_scan::Marks m = byte_scan::low_marks(t + i); m;) {
            const size_t q = i + byte_scan::first_mark(m);
            if (!apart_[t[q]]) {
                m &= m - 1;
                continue;
            }
            const size_t taken = apart(q);
            if (taken >= next) {
                next = taken; // a tab's fill may reach into the next step
                break;
            }
            byte_scan::copy_step(out + to(taken), t + taken);
            m = byte_scan::marks_from(m, taken - i);
        }
        i = next;
    }
    used_ = to(n);
    lineStart_ = lineStart;
    return true;
}

} // namespace

int CColorEditCore::LoadFile(const char* name)
{
    CTextState& s = *m_pState;
    if (name)
        m_strPathName = name;
    if (m_strPathName.empty())
        return 0;
    file_store_reader file;
    if (file_store_open(file, m_strPathName) != FILE_STORE_OK)
        return 0;

    // The new text is made beside the old one: a load that is refused or
    // runs out of memory leaves the old text in place.
    CTextLoader loader(m_nTabWidth > 0 ? m_nTabWidth : 1);
    if (!loader.Run(file, Host())) {
        if (loader.refused_)
            Host().ReportFileRefused(kControlBytesText, m_strPathName.c_str());
        else if (loader.noMemory_)
            Host().ReportOutOfMemory();
        if (loader.refused_ || loader.noMemory_ || file.failed)
            return 0;
    }
    if (loader.text_) {
        if (!s.store.Adopt(loader.text_, loader.capacity_, static_cast<int>(loader.out_), loader.cr_,
                           loader.soft_)) {
            Host().ReportOutOfMemory();
            return 0;
        }
        s.capacity = loader.capacity_;
        loader.text_ = nullptr; // the store's now
        Emptied();
        if (loader.wrapped_)
            s.wrapWidth = kLongLineWrap;
        s.length = static_cast<int32_t>(loader.out_);
        s.lineCount = loader.lines_;
        ++s.version;
    } else {
        // An empty file.
        if (!s.HasBuffers() && !GrowTo(kCapacityStep)) {
            Host().ReportOutOfMemory();
            return 0;
        }
        ClearText();
    }
    s.selStart = s.selEnd = 0;
    m_nCaretLine = 0;
    file_store_status(m_strPathName, m_FileStatus);
    if (m_FileStatus.attribute & kAttrReadOnly)
        s.readOnly = 1;
    if (loader.tabs_)
        m_bExpandTabs = 0; // tabs typed into this file stay tabs
    Host().ViewScrolled();
    Host().TextChanged(-1);
    return 1;
}

int CColorEditCore::SaveFile(const char* name, bool tabsToBlanks, bool softBreaksToCR, bool lfOnly)
{
    CTextState& s = *m_pState;
    std::string path = (name && *name) ? std::string(name) : m_strPathName;
    if (path.empty())
        return 0;
    const bool wrap = s.wrapWidth != 0;
    const int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
    // Written in blocks of a megabyte through a temporary and a rename: on
    // failure the file on disk and the text in memory stay as they were.
    file_store_writer writer;
    file_store_result r = file_store_begin(writer, path);
    if (r != FILE_STORE_OK)
        return 0;
    CTextSaver saver(writer, tw, tabsToBlanks, wrap && softBreaksToCR, lfOnly);
    if (!saver.Ready()) {
        file_store_discard(writer);
        Host().ReportOutOfMemory();
        return 0;
    }
    bool ok = true;
    for (int at = 0; at < s.length && ok;) {
        const uint8_t* t = nullptr;
        const int n = s.store.Span(at, &t, nullptr);
        ok = saver.Span(t, static_cast<size_t>(n));
        at += n;
    }
    ok = ok && saver.Finish();
    if (!ok) {
        file_store_discard(writer);
        return 0;
    }
    if (file_store_commit(writer) != FILE_STORE_OK)
        return 0;
    m_strPathName = path;

    if (wrap && softBreaksToCR)
        SoftBreaksToCR(); // the wrapped lines became real lines in the file
    file_store_status(path, m_FileStatus);
    // Wrap again before clearing the modified flag: the soft breaks are
    // layout, and the text just saved is not modified.
    if (s.wrapWidth)
        SetWordWrap(s.wrapWidth, m_bWrapOnWords != 0);
    SetModify(0);
    m_bChangedOnDisk = 0;
    return 1;
}

int CColorEditCore::SoftBreaksToCR()
{
    CTextState& s = *m_pState;
    uint8_t* t = s.Text();
    if (!t)
        return 0;
    int count = 0;
    for (int i = 0; i < s.length; ++i) {
        if (t[i] == kSoftBreak) {
            t[i] = kCarriageReturn;
            ++count;
        }
    }
    if (count) {
        s.store.FlatWritten(s.length);
        if (!s.wrapWidth)
            s.lineCount += static_cast<uint32_t>(count);
        ++s.version;
    }
    return count;
}

bool CColorEditCore::FileStatusCurrent() const
{
    CFileStatus now;
    return !m_strPathName.empty() && file_store_status(m_strPathName, now) &&
           now.lastWrite == m_FileStatus.lastWrite;
}

void CColorEditCore::RefreshFileStatus()
{
    if (!m_strPathName.empty())
        file_store_status(m_strPathName, m_FileStatus);
}

int CColorEditCore::CheckFileChanged()
{
    // One check at a time in the whole process: while one shows its
    // question, the activation of another control must not ask again.
    static bool s_checkRunning = false;
    if (s_checkRunning || m_strPathName.empty())
        return 0;
    s_checkRunning = true;
    int result = 0;
    CFileStatus now;
    bool exists = file_store_status(m_strPathName, now);
    if (exists && now.lastWrite != m_FileStatus.lastWrite) {
        m_FileStatus = now;
        m_bChangedOnDisk = 1;
        result = Host().AskYesNo(kChangedOnDiskText, m_strPathName.c_str());
    } else if (!exists && m_FileStatus.attribute != 0) {
        m_FileStatus = now;
        m_FileStatus.attribute = 0; // asked once, not at every activation
        if (Host().AskYesNo(kMovedOrDeletedText, m_strPathName.c_str()) == kAnswerYes) {
            SaveFile(m_strPathName.c_str(), m_bExpandTabs != 0, Host().SaveLineWrapSetting() != 0,
                     m_pState->unixFormat != 0);
            m_bChangedOnDisk = 0;
        } else {
            SetModify(1);
        }
    }
    s_checkRunning = false;
    return result;
}
