// Checkpoints every 64 KB, extended forwards on demand.
#include "editor/syntax/comment_index.h"

#include <algorithm>

#include "editor/editctl/text_store.h"

bool CCommentIndex::InsideBlockComment(const char* text, int length, uint32_t version, int pos)
{
    return StateBefore(text, length, version, pos).cls == kLexBlockComment;
}

LexState CCommentIndex::StateBefore(const char* text, int length, uint32_t version, int pos)
{
    if (!text)
        pos = 0;
    return Walk(length, version, pos, [&](int from, int to, LexState state) {
        return LexScan(text + from, text + to, text + length, state, [](const char*, LexClass) {});
    });
}

LexState CCommentIndex::StateBefore(const CTextStore& store, uint32_t version, int pos)
{
    const int length = store.Length();
    // Pieces of 8 KB with the byte behind each, as far as two-byte
    // delimiters look.
    const int kPiece = 8192;
    char piece[kPiece + 1];
    return Walk(length, version, pos, [&](int from, int to, LexState state) {
        for (int at = from; at < to; at += kPiece) {
            const int n = std::min(kPiece, to - at);
            const int have = std::min(n + 1, length - at);
            store.CopyOut(at, at + have, reinterpret_cast<uint8_t*>(piece), nullptr);
            state = LexScan(piece, piece + n, piece + have, state, [](const char*, LexClass) {});
        }
        return state;
    });
}

LexState CCommentIndex::Walk(int length, uint32_t version, int pos, const Scan& scan)
{
    if (!m_haveVersion || version != m_version) {
        if (!m_changeReported)
            m_states.clear();
        m_version = version;
        m_haveVersion = true;
    }
    m_changeReported = false;
    if (pos <= 0)
        return LexState();
    pos = std::min(pos, length);
    if (m_states.empty())
        m_states.push_back(LexState());
    const size_t need = static_cast<size_t>(pos / kStep);
    while (m_states.size() <= need) {
        const int from = static_cast<int>(m_states.size() - 1) * kStep;
        const int to = std::min(from + kStep, length);
        m_states.push_back(scan(from, to, m_states.back()));
    }
    const int from = static_cast<int>(need) * kStep;
    return scan(from, pos, m_states[need]);
}

void CCommentIndex::TextChanged(int fromOffset)
{
    if (fromOffset < 0)
        fromOffset = 0;
    // Checkpoint k depends on the text before k * kStep only.
    const size_t keep = static_cast<size_t>(fromOffset / kStep) + 1;
    if (m_states.size() > keep)
        m_states.resize(keep);
    m_changeReported = true;
}
