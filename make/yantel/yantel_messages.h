// Messages of Yantel's own windows.
#pragma once

#include <windows.h>

// Sent to the main window after its view's state changed (file name, edit
// mode, modified flag): the tool bar's buttons and the combo box take their
// enabled states again.
#define WM_YANTEL_UPDATESTATE (WM_USER + 0x101)
