// Messages that windows below the program (the editor control's shell,
// the search dialogs, the tools, the TCP reader, the source browser) send
// or post to Ovanta's main frame (WM_USER numbers), each number once.
#pragma once

#include <windows.h>

// Editor control, find/replace dialog -> main frame: one find request
// (wParam 0, lParam the request), or the dialog closes (wParam 1).
const UINT WM_FIND_REQUEST = 0x419;
// Tool runner -> main frame: the run has ended.
const UINT WM_TOOL_FINISHED = 0x41C;
// Tools bar -> main frame: start the current tool.
const UINT WM_START_TOOL = 0x41E;
// Status bar, browser -> main frame (posted): start the browser; show a
// status text.
const UINT WM_BROWSER_REQUEST = 0x420;
const UINT WM_BROWSER_STATUS = 0x421;
// TCP reader -> main frame (posted): received text (wParam the buffer,
// which the frame frees; lParam its length).
const UINT WM_TCP_TEXT = 0x424;
