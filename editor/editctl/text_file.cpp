// Loading and saving the text, and noticing a file changed behind its back.
// Files have CR LF or LF line ends; in the text every line ends with CR.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/editctl/break_count.h"
#include "editor/editctl/file_store.h"

const char* const kChangedOnDiskText = "This file has been changed externaly!\n      Load again?";
const char* const kMovedOrDeletedText = "This file has been moved or deleted!\n     Save again under the known name?";
const char* const kControlBytesText =
    "This file holds bytes with the codes 1 or 2, which the editor keeps for tab fill and soft line breaks "
    "and would not save again.\nThe file was not loaded.";

// Files whose first block holds no CR have LF-only line ends.
static const size_t kLineEndProbe = 32777;

bool HasLfOnlyLineEnds(const uint8_t* data, size_t size)
{
    if (!data || size == 0)
        return false;
    return !std::memchr(data, kCarriageReturn, std::min(size, kLineEndProbe));
}

namespace {

// Whether a word holds a byte below 14 (every byte the loader and the saver
// treat apart is one); exact, though it does not tell which.
inline bool has_low_byte(uint64_t w)
{
    return ((w - 0x0E0E0E0E0E0E0E0EULL) & ~w & 0x8080808080808080ULL) != 0;
}

// The first i in [i, n) with stop[p[i]], a word at a time where no byte is
// below 14.
inline size_t next_stop(const uint8_t* p, size_t i, size_t n, const bool* stop)
{
    for (;;) {
        while (i + 8 <= n && !has_low_byte(break_count::load8(p + i)))
            i += 8;
        size_t end = std::min(i + 8, n);
        while (i < end && !stop[p[i]])
            ++i;
        if (i < end || i == n)
            return i;
    }
}

const size_t kProgressStep = 1 << 20; // the host hears of every megabyte read

// Turns file lines into the text model in a buffer of the store's kind:
// CR line ends, CRs inside a line dropped, tabs with their fill bytes, a
// line stopping at a zero byte, long lines cut into pieces joined by soft
// breaks (as appending the lines one by one would put them). The breaks
// are counted per chunk of the store on the way.
class CTextLoader {
public:
    CTextLoader(int tabWidth) : tw_(tabWidth)
    {
        for (int b = 0; b < 256; ++b)
            stop_[b] = b == 0 || b == kFillByte || b == kSoftBreak || b == kTab || b == kCarriageReturn;
    }
    ~CTextLoader() { CTextStore::FreeBytes(text_); }

    // False when memory ran out or the input holds a byte 1 or 2 (refused).
    bool Run(const uint8_t* data, size_t n, CColorEditHost& host, bool& wrapped);

    uint8_t* text_ = nullptr;
    uint32_t capacity_ = 0;
    size_t out_ = 0;
    uint32_t lines_ = 0;
    bool tabs_ = false;
    bool refused_ = false;
    std::vector<int> cr_, soft_;

private:
    bool Room(size_t more);
    bool Piece(const uint8_t* p, size_t n, uint8_t prefix);
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
    // At most every byte a whole tab, and the prefix.
    if (!Room(n * static_cast<size_t>(tw_) + 1) && !Room(n + 1 + 64))
        return false;
    if (lines_ != 0)
        Break(prefix);
    ++lines_;
    const size_t lineStart = out_;
    size_t i = 0;
    while (i < n) {
        size_t j = next_stop(p, i, n, stop_);
        std::memcpy(text_ + out_, p + i, j - i);
        out_ += j - i;
        if (j == n)
            break;
        uint8_t b = p[j];
        i = j + 1;
        if (b == kCarriageReturn)
            continue;
        if (b == 0)
            break;
        if (b != kTab) {
            refused_ = true;
            return false;
        }
        tabs_ = true;
        size_t fill = static_cast<size_t>(tw_ - static_cast<int>((out_ - lineStart) % static_cast<size_t>(tw_)));
        if (!Room(fill + (n - i) + 1))
            return false;
        text_[out_] = kTab;
        std::memset(text_ + out_ + 1, kFillByte, fill - 1);
        out_ += fill;
    }
    return true;
}

bool CTextLoader::Run(const uint8_t* data, size_t n, CColorEditHost& host, bool& wrapped)
{
    // A first guess of the room from the tabs of the first block.
    size_t probe = std::min(n, static_cast<size_t>(1 << 16));
    size_t tabs = 0;
    for (size_t i = 0; i < probe; ++i)
        tabs += data[i] == kTab;
    uint64_t guess = n + (probe ? static_cast<uint64_t>(n) * tabs / probe * static_cast<uint64_t>(tw_) : 0) +
                     n / 16 + 2;
    guess = std::min<uint64_t>(guess, 0x7FF00000u);
    capacity_ = static_cast<uint32_t>((guess / kCapacityStep + 1) * kCapacityStep);
    text_ = CTextStore::AllocZeroed(capacity_);
    if (!text_)
        return false;
    size_t pos = 0, report = kProgressStep;
    while (pos < n) {
        const uint8_t* lf = static_cast<const uint8_t*>(std::memchr(data + pos, kLineFeed, n - pos));
        size_t end = lf ? static_cast<size_t>(lf - data) : n;
        size_t len = end - pos;
        if (len > 0 && data[end - 1] == kCarriageReturn)
            --len;
        const uint8_t* line = data + pos;
        if (len < static_cast<size_t>(kAppendLineLimit)) {
            if (!Piece(line, len, kCarriageReturn))
                return false;
        } else {
            // A long line becomes display lines joined by soft breaks.
            wrapped = true;
            for (size_t k = 0; k < len; k += kLongLineWrap)
                if (!Piece(line + k, std::min(static_cast<size_t>(kLongLineWrap), len - k),
                           k > 0 ? kSoftBreak : kCarriageReturn))
                    return false;
        }
        pos = end + 1;
        if (pos >= report && pos < n) {
            host.LoadProgress(static_cast<int64_t>(pos), static_cast<int64_t>(n), static_cast<int>(lines_));
            report = pos - pos % kProgressStep + kProgressStep;
        }
    }
    if (data[n - 1] == kLineFeed && !Piece(nullptr, 0, kCarriageReturn))
        return false;
    cr_.resize(out_ / CTextStore::kChunkSize + 1, 0);
    soft_.resize(out_ / CTextStore::kChunkSize + 1, 0);
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
    file_store_bytes data;
    file_store_result r = file_store_read(m_strPathName, data);
    if (r == FILE_STORE_NO_MEMORY)
        Host().ReportOutOfMemory();
    if (r != FILE_STORE_OK)
        return 0;

    // The new text is made beside the old one: a load that is refused or
    // runs out of memory leaves the old text in place.
    CTextLoader loader(m_nTabWidth > 0 ? m_nTabWidth : 1);
    bool wrapped = false;
    if (data.size > 0) {
        if (!loader.Run(data.data, data.size, Host(), wrapped)) {
            if (loader.refused_)
                Host().ReportFileRefused(kControlBytesText, m_strPathName.c_str());
            else
                Host().ReportOutOfMemory();
            return 0;
        }
        if (!s.store.Adopt(loader.text_, loader.capacity_, static_cast<int>(loader.out_), loader.cr_,
                           loader.soft_)) {
            Host().ReportOutOfMemory();
            return 0;
        }
        s.capacity = loader.capacity_;
        loader.text_ = nullptr; // the store's now
        Emptied();
        if (wrapped)
            s.wrapWidth = kLongLineWrap;
        s.length = static_cast<int32_t>(loader.out_);
        s.lineCount = loader.lines_;
        ++s.version;
    } else {
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
    bool wrap = s.wrapWidth != 0;
    int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
    // Written in blocks of a megabyte through a temporary and a rename: on
    // failure the file on disk and the text in memory stay as they were.
    file_store_writer writer;
    file_store_result r = file_store_begin(writer, path);
    if (r != FILE_STORE_OK)
        return 0;
    // Bytes that are written as they are: everything but line breaks, fill
    // bytes and tabs. The runs between them are copied whole, chunk by
    // chunk of the store, into a block that goes to the file when full.
    bool stop[256];
    for (int b = 0; b < 256; ++b)
        stop[b] = b == kCarriageReturn || b == kSoftBreak || b == kFillByte || b == kTab;
    const size_t kBlock = 1 << 20;
    // A run is cut at the block's end; a tab as blanks needs tw bytes.
    const size_t room = kBlock + static_cast<size_t>(tw) + 8;
    uint8_t* out = static_cast<uint8_t*>(std::malloc(room));
    if (!out) {
        file_store_discard(writer);
        Host().ReportOutOfMemory();
        return 0;
    }
    size_t used = 0;
    bool ok = true;
    int col = 0;
    for (int at = 0; at < s.length && ok;) {
        const uint8_t* t = nullptr;
        const size_t n = static_cast<size_t>(s.store.Span(at, &t, nullptr));
        for (size_t i = 0; i < n && ok;) {
            size_t j = next_stop(t, i, std::min(n, i + (kBlock - used)), stop);
            std::memcpy(out + used, t + i, j - i);
            used += j - i;
            col += static_cast<int>(j - i);
            i = j;
            if (i < n && stop[t[i]]) {
                uint8_t b = t[i++];
                if (b == kCarriageReturn || (b == kSoftBreak && wrap && softBreaksToCR)) {
                    if (!lfOnly)
                        out[used++] = kCarriageReturn;
                    out[used++] = kLineFeed;
                    col = 0;
                } else if (b == kTab) {
                    int w = tw - col % tw;
                    if (tabsToBlanks) {
                        std::memset(out + used, kBlank, static_cast<size_t>(w));
                        used += static_cast<size_t>(w);
                    } else {
                        out[used++] = kTab;
                    }
                    col += w;
                }
            }
            if (used >= kBlock) {
                ok = file_store_put(writer, out, used);
                used = 0;
            }
        }
        at += static_cast<int>(n);
    }
    ok = ok && file_store_put(writer, out, used);
    std::free(out);
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
