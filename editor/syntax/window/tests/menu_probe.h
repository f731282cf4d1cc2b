// A control whose context menu is read instead of shown: the probe lists
// its entries (opening the "Syntaxcolors" pop-up as the system would) and
// chooses one, which arrives as WM_COMMAND like a click on it.
#pragma once

#include "editor/syntax/window/ncoloreditctrl.h"

#include <string>
#include <vector>

struct MenuEntry {
    UINT id;          // -1 for a pop-up
    std::string text;
    bool enabled;
    bool checked;
    int depth;        // 0 the menu, 1 a pop-up's entry
    HBITMAP unchecked = nullptr; // the bitmaps beside the entry
    HBITMAP checkedBitmap = nullptr;
};

class CMenuProbe : public CNColorEditCtrl {
public:
    std::vector<MenuEntry> entries; // the last menu shown
    int shown = 0;
    UINT choose = 0;                // chosen when present and enabled
    bool chosen = false;

    void TrackContextMenu(HMENU menu, POINT screen) override;
    const MenuEntry* Find(UINT id) const;
    const MenuEntry* FindText(const std::string& text) const;
};
