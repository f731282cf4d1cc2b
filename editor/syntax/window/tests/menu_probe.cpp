#include "menu_probe.h"

namespace {

void ReadMenu(HWND owner, HMENU menu, int depth, std::vector<MenuEntry>& out)
{
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            continue;
        HMENU sub = GetSubMenu(menu, i);
        if (sub) {
            // The system tells the owner before a pop-up opens.
            ::SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(i, 0));
            out.push_back(MenuEntry{static_cast<UINT>(-1), text, true, false, depth});
            ReadMenu(owner, sub, depth + 1, out);
            continue;
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        out.push_back(MenuEntry{GetMenuItemID(menu, i), text, !(state & (MF_GRAYED | MF_DISABLED)),
                                (state & MF_CHECKED) != 0, depth, info.hbmpUnchecked, info.hbmpChecked});
    }
}

} // namespace

void CMenuProbe::TrackContextMenu(HMENU menu, POINT)
{
    ++shown;
    entries.clear();
    ReadMenu(m_hWnd, menu, 0, entries);
    chosen = false;
    if (const MenuEntry* e = Find(choose)) {
        if (e->enabled) {
            chosen = true;
            SendMessage(WM_COMMAND, choose, 0);
        }
    }
}

const MenuEntry* CMenuProbe::Find(UINT id) const
{
    for (const MenuEntry& e : entries)
        if (e.id == id)
            return &e;
    return nullptr;
}

const MenuEntry* CMenuProbe::FindText(const std::string& text) const
{
    for (const MenuEntry& e : entries)
        if (e.text == text)
            return &e;
    return nullptr;
}
