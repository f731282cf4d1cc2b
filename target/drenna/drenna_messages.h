// Private window messages of Drenna.
#pragma once

#include <windows.h>

// Serial reader thread to the main frame: a report to show in a message
// box (wParam the report_error code, lParam a heap copy of the text, which
// the frame frees). The reader never shows a box itself.
#define WM_DRENNA_REPORT (WM_USER + 100)
