// Loading and saving the text, and noticing a file changed behind its back.
// Files have CR LF or LF line ends; in the text every line ends with CR.
#include "editor/editctl/edit_core.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "editor/editctl/file_store.h"

const char* const kChangedOnDiskText = "This file has been changed externaly!\n      Load again?";
const char* const kMovedOrDeletedText = "This file has been moved or deleted!\n     Save again under the known name?";

// Files whose first block holds no CR have LF-only line ends.
static const size_t kLineEndProbe = 32777;

bool HasLfOnlyLineEnds(const uint8_t* data, size_t size)
{
    if (!data || size == 0)
        return false;
    return !std::memchr(data, kCarriageReturn, std::min(size, kLineEndProbe));
}

int CColorEditCore::LoadFile(const char* name)
{
    CTextState& s = *m_pState;
    if (name)
        m_strPathName = name;
    if (m_strPathName.empty())
        return 0;
    std::vector<uint8_t> data;
    file_store_result r = file_store_read(m_strPathName, data);
    if (r == FILE_STORE_NO_MEMORY)
        Host().ReportOutOfMemory();
    if (r != FILE_STORE_OK)
        return 0;

    // Room for the whole text before anything is cleared: a load that runs
    // out of memory leaves the old text in place.
    size_t tabs = 0, lines = 1;
    for (uint8_t b : data) {
        tabs += b == kTab;
        lines += b == kLineFeed;
    }
    int tw = m_nTabWidth > 0 ? m_nTabWidth : 1;
    uint64_t bound = data.size() + tabs * static_cast<uint64_t>(tw) + lines + data.size() / kLongLineWrap + 2;
    if (bound >= 0x7FFE0000u) {
        Host().ReportOutOfMemory();
        return 0;
    }
    if (!s.Text() || s.capacity <= bound) {
        uint32_t capacity = static_cast<uint32_t>((bound / kCapacityStep + 1) * kCapacityStep);
        if (!GrowTo(capacity)) {
            Host().ReportOutOfMemory();
            return 0;
        }
    }

    ClearText();
    if (!data.empty()) {
        // The lines go straight into the contiguous buffer, as appending
        // them one by one would put them: CR line ends, CRs inside a line
        // dropped, tabs with their fill bytes, a line stopping at a zero
        // byte, long lines cut into pieces joined by soft breaks.
        uint8_t* t = s.Text();
        int out = 0;
        uint32_t lineCount = 0;
        auto piece = [&](const uint8_t* p, size_t n, uint8_t prefix) {
            if (lineCount != 0)
                t[out++] = prefix;
            ++lineCount;
            int col = 0;
            for (size_t i = 0; i < n; ++i) {
                uint8_t b = p[i];
                if (b == kCarriageReturn)
                    continue;
                if (b == 0)
                    break;
                t[out++] = b;
                if (b == kTab) {
                    int fill = tw - col % tw;
                    for (int f = 1; f < fill; ++f)
                        t[out++] = kFillByte;
                    col += fill;
                } else {
                    ++col;
                }
            }
        };
        size_t pos = 0, n = data.size();
        int fileLines = 0;
        while (pos < n) {
            const uint8_t* lf = static_cast<const uint8_t*>(std::memchr(data.data() + pos, kLineFeed, n - pos));
            size_t end = lf ? static_cast<size_t>(lf - data.data()) : n;
            size_t len = end - pos;
            if (len > 0 && data[end - 1] == kCarriageReturn)
                --len;
            const uint8_t* line = data.data() + pos;
            if (len < static_cast<size_t>(kAppendLineLimit)) {
                piece(line, len, kCarriageReturn);
            } else {
                // A long line becomes display lines joined by soft breaks.
                s.wrapWidth = kLongLineWrap;
                for (size_t k = 0; k < len; k += kLongLineWrap)
                    piece(line + k, std::min(static_cast<size_t>(kLongLineWrap), len - k),
                          k > 0 ? kSoftBreak : kCarriageReturn);
            }
            pos = end + 1;
            if (++fileLines % 100 == 0)
                Host().LoadProgress(static_cast<int64_t>(std::min(pos, n)), static_cast<int64_t>(n),
                                    static_cast<int>(lineCount));
        }
        if (data.back() == kLineFeed)
            piece(nullptr, 0, kCarriageReturn);
        t[out] = 0;
        s.store.FlatWritten(out);
        s.length = out;
        s.lineCount = lineCount;
        ++s.version;
    }
    s.selStart = s.selEnd = 0;
    m_nCaretLine = 0;
    file_store_status(m_strPathName, m_FileStatus);
    if (m_FileStatus.attribute & kAttrReadOnly)
        s.readOnly = 1;
    if (s.Text() && std::memchr(s.Text(), kTab, static_cast<size_t>(s.length)))
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
    const size_t kBlock = 1 << 20;
    std::vector<uint8_t> out;
    bool ok = true;
    try {
        out.reserve(kBlock + 4096);
        // Bytes that are written as they are: everything but line breaks,
        // fill bytes and tabs.
        bool plain[256];
        for (int b = 0; b < 256; ++b)
            plain[b] = b != kCarriageReturn && b != kSoftBreak && b != kFillByte && b != kTab;
        const uint8_t* t = s.Text();
        int col = 0;
        int i = 0;
        while (i < s.length && ok) {
            int run = i;
            while (run < s.length && plain[t[run]])
                ++run;
            if (run > i) {
                out.insert(out.end(), t + i, t + run);
                col += run - i;
                i = run;
            }
            if (i < s.length) {
                uint8_t b = t[i++];
                bool lineEnd = b == kCarriageReturn || (b == kSoftBreak && wrap && softBreaksToCR);
                if (lineEnd) {
                    if (!lfOnly)
                        out.push_back(kCarriageReturn);
                    out.push_back(kLineFeed);
                    col = 0;
                } else if (b == kTab) {
                    int n = tw - col % tw;
                    if (tabsToBlanks)
                        out.insert(out.end(), static_cast<size_t>(n), kBlank);
                    else
                        out.push_back(kTab);
                    col += n;
                }
            }
            if (out.size() >= kBlock) {
                ok = file_store_put(writer, out.data(), out.size());
                out.clear();
            }
        }
    } catch (const std::bad_alloc&) {
        file_store_discard(writer);
        Host().ReportOutOfMemory();
        return 0;
    }
    if (!ok || !file_store_put(writer, out.data(), out.size())) {
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
