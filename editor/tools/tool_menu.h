// The "Start Tool" submenu of the "Se&ttings" menu: one item per tool in
// button order, greyed as a whole while a tool runs or when there is none.
#pragma once

#include "editor/tools/tool_start.h"

#include <windows.h>

// Empties the submenu and appends one item per tool (its command id and
// name); returns the number of items.
int FillStartToolMenu(HMENU submenu, const CToolList& tools);

// For a popup that is about to show: when its first submenu is "Start
// Tool", refills it (or, while a tool runs, leaves it) and enables or greys
// it. True when the popup held the submenu.
bool UpdateStartToolMenu(HMENU popup, const CToolList& tools, bool toolRunning);
