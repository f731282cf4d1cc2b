// CPositionHistory: the places the user visited in the editor windows
// (window, first visible line, caret line, caret offset) in a fixed ring,
// for the frame's back and forward commands.
//
// Recording writes at the write position and leaves the walk position on
// the slot after it. After the first pass the first slot keeps its first
// entry and the last slot stays empty; the history then cycles through
// the slots in between. Windows are kept by handle: an entry whose window
// has gone is never followed.
#pragma once

#include <windows.h>

#include <vector>

struct PositionEntry {
    HWND hWnd = nullptr;
    int nTopLine = 0;
    int nCaretLine = 0;
    int nCaretOffset = 0;
    bool Empty() const { return hWnd == nullptr; }
};

class CPositionHistory {
public:
    explicit CPositionHistory(int entries);

    // The new write position, or -1 when nothing was recorded (recording
    // off, or the window is gone).
    int RecordPosition(const PositionEntry& entry);
    // 1 with the previous entry, 0 when the history is empty at its start.
    int GoBack(PositionEntry& entry);
    // 1 with the next entry, 0 when that slot is empty.
    int GoForward(PositionEntry& entry);
    void Reset();
    void SetEnabled(bool on) { m_bEnabled = on ? 1 : 0; }
    bool IsEnabled() const { return m_bEnabled != 0; }

    bool IsAtStart() const { return m_nWalk == 0 && m_entries.back().Empty(); }
    bool IsAtEnd() const { return m_nWalk == static_cast<int>(m_entries.size()) - 1; }
    bool IsNextEmpty() const { return m_entries[Next(m_nWalk)].Empty(); }
    // The walk position stands right after the newest entry.
    bool IsAtNewest() const { return m_nWalk == m_nWrite; }
    bool IsEmpty() const { return m_entries.front().Empty(); }

    int WritePosition() const { return m_nWrite; }
    int WalkPosition() const { return m_nWalk; }
    const PositionEntry& Slot(int index) const { return m_entries[static_cast<size_t>(index)]; }
    int Size() const { return static_cast<int>(m_entries.size()); }

    // Whether entries of this window are kept once per window and top line
    // (editor windows); others are recorded every time. Tests replace it.
    void SetMergesRepeats(bool (*merges)(HWND)) { m_pMergesRepeats = merges; }

private:
    bool (*m_pMergesRepeats)(HWND) = nullptr;

    size_t Next(int index) const { return static_cast<size_t>(index + 1) % m_entries.size(); }

    int m_nWrite = 0;
    PositionEntry m_last{nullptr, -1, -1, 0};
    int m_bEnabled = 0;
    int m_nWalk = 0;
    std::vector<PositionEntry> m_entries;
};
