#include "editor/tools/tool_menu.h"

#include <cstring>

int FillStartToolMenu(HMENU submenu, const CToolList& tools)
{
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);
    for (int i = 0; i < tools.Count(); ++i)
        AppendMenuA(submenu, MF_STRING, static_cast<UINT_PTR>(tools[i].CommandId),
                    tools[i].Toolname.c_str());
    return GetMenuItemCount(submenu);
}

bool UpdateStartToolMenu(HMENU popup, const CToolList& tools, bool toolRunning)
{
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        HMENU submenu = GetSubMenu(popup, i);
        if (!submenu)
            continue;
        // The first submenu of the popup decides.
        char text[64] = "";
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        if (std::strcmp(text, "Start Tool") != 0)
            return false;
        bool enable = !toolRunning && FillStartToolMenu(submenu, tools) > 0;
        EnableMenuItem(popup, i, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
        return true;
    }
    return false;
}
