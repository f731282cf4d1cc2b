// The keyboard macro recorder: one per program. The editor's key,
// character and command paths and the search dialog report events with
// RecordMacroEvent; they are kept only while a recording runs. The
// recorder bar holds the Start, Pause and Finish buttons.
#pragma once

#include "winui/toolbar.h"

#include <cstdint>
#include <vector>

// Events are appended only while this is set.
extern bool g_bMacroRecording;
// The words of the recording (keyboard_macro.h), null when there is none.
extern std::vector<uint32_t>* g_pMacroEvents;

// Appends an event to the recording; nothing unless recording. modifiers
// -1: the keys held now (Shift 0x1000, Alt 0x2000, Ctrl 0x4000).
void RecordMacroEvent(uintptr_t value, int modifiers, uint32_t flags);
// The same with the search dialogs' signature (CSearchDlg::SetMacroRecorder):
// extra is the find action's options, already shifted.
inline void RecordSearchMacroEvent(uintptr_t value, uint32_t extra, uint32_t kind)
{
    RecordMacroEvent(value, static_cast<int>(extra), kind);
}
// Ends the recording and drops its events.
void DiscardMacroEvents();

class CMacroRecorderBar : public winui::CToolBar {
public:
    // Created in the frame with its three buttons, captioned "MacroRec".
    BOOL Create(winui::CFrameWnd* frame);

    // The recording is paused: Start resumes it.
    bool Paused() const { return m_bPaused; }
    void SetPaused(bool paused) { m_bPaused = paused; }

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bPaused = false;
};
