#include "editor/shell/position_history.h"

CPositionHistory::CPositionHistory(int entries) : m_entries(static_cast<size_t>(entries < 3 ? 3 : entries)) {}

void CPositionHistory::Reset()
{
    for (PositionEntry& e : m_entries)
        e = PositionEntry{};
    m_nWrite = 0;
    m_nWalk = 0;
    m_last = PositionEntry{nullptr, -1, -1, 0};
}

int CPositionHistory::RecordPosition(const PositionEntry& entry)
{
    if (!m_bEnabled || !entry.hWnd || !::IsWindow(entry.hWnd))
        return -1;
    const bool merges = m_pMergesRepeats ? m_pMergesRepeats(entry.hWnd) : true;
    if (merges && entry.hWnd == m_last.hWnd && entry.nTopLine == m_last.nTopLine)
        return m_nWrite;
    m_last = entry;
    m_entries[static_cast<size_t>(m_nWrite)] = entry;
    ++m_nWrite;
    m_nWalk = m_nWrite;
    if (m_nWrite >= static_cast<int>(m_entries.size()) - 1)
        m_nWrite = 1;
    return m_nWrite;
}

int CPositionHistory::GoBack(PositionEntry& entry)
{
    if (m_nWalk > 0)
        --m_nWalk;
    entry = m_entries[static_cast<size_t>(m_nWalk)];
    return entry.Empty() ? 0 : 1;
}

int CPositionHistory::GoForward(PositionEntry& entry)
{
    m_nWalk = static_cast<int>(Next(m_nWalk));
    entry = m_entries[static_cast<size_t>(m_nWalk)];
    return entry.Empty() ? 0 : 1;
}
