// CCmdUI: one menu item or bar item whose state an update handler sets
// (ON_UPDATE_COMMAND_UI). For a menu item the calls are EnableMenuItem,
// CheckMenuItem, CheckMenuRadioItem and ModifyMenuA, by position; bars
// (tool bar, status bar) derive their own CCmdUI with the same members.
#pragma once

#include "winui/cmdtarget.h"

#include <windows.h>

namespace winui {

class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;         // the item's position in its menu or bar
    HMENU m_hMenu = nullptr;   // the menu holding the item, or null
    CWnd* m_pOther = nullptr;  // the bar holding the item, or null
    BOOL m_bEnableChanged = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked in a menu).
    virtual void SetCheck(int check = 1);
    // A check drawn as a radio dot.
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const char* text);

    // Offers the item to target's update handlers (OnCmdMsg with
    // CN_UPDATE_COMMAND_UI). With no update handler and disableIfNoHandler
    // set, the item is disabled unless a command handler exists along the
    // route. Returns TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

// Runs the update handlers for every command item of menu (separators and
// submenus skipped): GetMenuItemCount, GetMenuItemID.
void UpdateMenuCmdUI(HMENU menu, CCmdTarget* target, BOOL disableIfNoHandler);

} // namespace winui
