// Private window messages of Quibex.
#pragma once

#include <windows.h>

// Serial reader thread to the source view: the program counter changed
// (posted by the serial library, at most three outstanding).
#define WM_SHOWPC (WM_USER + 1)
// Source view to the CPU view: draw the register values again.
#define WM_CPUREFRESH (WM_USER + 2)
// Serial reader thread to the main frame: a report to show in a message
// box (wParam the report_error code, lParam a heap copy of the text, which
// the frame frees). The reader never shows a box itself.
#define WM_QUIBEX_REPORT (WM_USER + 100)
