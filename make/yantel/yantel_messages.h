// Messages of Yantel's own windows.
#pragma once

#include <windows.h>

// Registered message (RegisterWindowMessageA) that the recent-file menu
// sends to the application's main window when an entry is chosen; wParam is
// the entry's command id.
#define YANTEL_MRU_MESSAGE_NAME "MRUFILEMESSAGE"

// Sent to the main window after its view's state changed (file name, edit
// mode, modified flag): the tool bar's buttons and the combo box take their
// enabled states again.
#define WM_YANTEL_UPDATESTATE (WM_USER + 0x101)
