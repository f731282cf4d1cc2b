#include "winui/cmdui.h"

#include "winui/wnd.h"

namespace winui {

// The first id of the MDI client's window list (AFX_IDM_FIRST_MDICHILD).
static const UINT AFX_IDM_FIRST_MDICHILD_ID = 0xFF00;

// Without a menu the item is a child window of its own (a button on a
// dialog bar): EnableWindow, BM_SETCHECK, SetWindowTextA.
void CCmdUI::Enable(BOOL on)
{
    m_bEnableChanged = TRUE;
    if (m_hMenu)
        EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    else if (m_pOther && m_pOther->m_hWnd)
        EnableWindow(m_pOther->m_hWnd, on);
}

void CCmdUI::SetCheck(int check)
{
    if (m_hMenu)
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    else if (m_pOther && m_pOther->m_hWnd)
        SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void CCmdUI::SetRadio(BOOL on)
{
    if (!m_hMenu) {
        SetCheck(on ? 1 : 0);
        return;
    }
    if (on)
        CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
    else
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
}

void CCmdUI::SetText(const char* text)
{
    if (m_hMenu) {
        UINT state = GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) &
                     (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
    } else if (m_pOther && m_pOther->m_hWnd) {
        SetWindowTextA(m_pOther->m_hWnd, text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    if (!target)
        return FALSE;
    if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
        return TRUE;
    if (disableIfNoHandler && !m_bEnableChanged) {
        CmdHandlerInfo info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
    }
    return FALSE;
}

void UpdateMenuCmdUI(HMENU menu, CCmdTarget* target, BOOL disableIfNoHandler)
{
    CCmdUI ui;
    ui.m_hMenu = menu;
    // A handler may put several items in place of its own (the recent-file
    // list) and moves m_nIndex to the last of them.
    for (UINT i = 0; static_cast<int>(i) < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, static_cast<int>(i));
        if (id == 0 || id == static_cast<UINT>(-1) || id >= AFX_IDM_FIRST_MDICHILD_ID)
            continue; // separator, submenu or a window of the MDI window list
        ui.m_nIndex = i;
        ui.m_nID = id;
        ui.DoUpdate(target, disableIfNoHandler);
        i = ui.m_nIndex;
    }
}

} // namespace winui
