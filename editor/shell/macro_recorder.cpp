#include "editor/shell/macro_recorder.h"

#include "editor/shell/keyboard_macro.h"
#include "editor/shell/macros_res.h"
#include "editor/shell/resource.h"

#include "editor/editctl/window/coloredit.h"

bool g_bMacroRecording = false;
std::vector<uint32_t>* g_pMacroEvents = nullptr;

void RecordMacroEvent(uintptr_t value, int modifiers, uint32_t flags)
{
    if (!g_bMacroRecording)
        return;
    if (!g_pMacroEvents)
        g_pMacroEvents = new std::vector<uint32_t>();
    // The editor's modifier bits are the macro's (0x1000, 0x2000, 0x4000).
    if (modifiers == -1)
        modifiers = GetKeyModifiers();
    AppendMacroEvent(*g_pMacroEvents, value, static_cast<uint32_t>(modifiers), flags);
}

void DiscardMacroEvents()
{
    g_bMacroRecording = false;
    delete g_pMacroEvents;
    g_pMacroEvents = nullptr;
}

BEGIN_MESSAGE_MAP(CMacroRecorderBar, winui::CToolBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMacroRecorderBar::Create(winui::CFrameWnd* frame)
{
    if (!winui::CToolBar::Create(frame, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, IDW_MACRO_RECORDER_BAR) ||
        !LoadBitmap(IDR_MACRO_RECORDER))
        return FALSE;
    static const UINT buttons[] = {ID_MACRO_RECORD, ID_MACRO_STOP, ID_MACRO_PLAY};
    SetButtons(buttons, 3);
    m_dwStyle |= winui::CBRS_TOOLTIPS | winui::CBRS_FLYBY | winui::CBRS_SIZE_DYNAMIC | winui::CBRS_GRIPPER;
    ::SetWindowTextA(m_hWnd, "MacroRec");
    return TRUE;
}

void CMacroRecorderBar::OnDestroy()
{
    DiscardMacroEvents();
    m_bPaused = false;
    Default();
}
