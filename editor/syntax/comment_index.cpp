// Checkpoints every 64 KB, extended forwards on demand.
#include "editor/syntax/comment_index.h"

#include <algorithm>

bool CCommentIndex::InsideBlockComment(const char* text, int length, uint32_t version, int pos)
{
    return StateBefore(text, length, version, pos).cls == kLexBlockComment;
}

LexState CCommentIndex::StateBefore(const char* text, int length, uint32_t version, int pos)
{
    if (!m_haveVersion || version != m_version) {
        if (!m_changeReported)
            m_states.clear();
        m_version = version;
        m_haveVersion = true;
    }
    m_changeReported = false;
    if (!text || pos <= 0)
        return LexState();
    pos = std::min(pos, length);
    if (m_states.empty())
        m_states.push_back(LexState());
    const size_t need = static_cast<size_t>(pos / kStep);
    while (m_states.size() <= need) {
        const int from = static_cast<int>(m_states.size() - 1) * kStep;
        const int to = std::min(from + kStep, length);
        m_states.push_back(LexScan(text + from, text + to, text + length, m_states.back(), [](const char*, LexClass) {}));
    }
    const int from = static_cast<int>(need) * kStep;
    return LexScan(text + from, text + pos, text + length, m_states[need], [](const char*, LexClass) {});
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
