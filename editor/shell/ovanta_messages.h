// Private window messages between Ovanta's windows (WM_USER numbers).
#pragma once

#include <windows.h>

// Editor control: take the focus and refresh the bookmark buttons.
const UINT WM_EDITOR_TAKEFOCUS = 0x414;
// Find/replace dialog or editor control -> main frame: one find request.
const UINT WM_FIND_REQUEST = 0x419;
// Second instance -> main frame: a hand-over text waits in the instance block.
const UINT WM_HANDOVER = 0x41A;
// Main frame, status bar, output window -> view: go to a 1-based line.
const UINT WM_GOTO_LINE = 0x41A;
// Main frame -> view: delete trailing blanks, leading blanks, reformat as C,
// delete empty lines.
const UINT WM_DELETE_TRAILING = 0x41B;
const UINT WM_DELETE_LEADING = 0x41C;
const UINT WM_REFORMAT_C = 0x466;
const UINT WM_DELETE_EMPTY_LINES = 0x467;
// Bookmark bar -> main frame: jump to a bookmark.
const UINT WM_BOOKMARK_JUMP = 0x41B;
// Edit control -> its grandparent splitter: keep the shared scroll bar in step.
const UINT WM_SYNC_SCROLL = 0x41E;
// Status bar, browser -> main frame (posted): start the browser; show a status text.
const UINT WM_BROWSER_REQUEST = 0x420;
const UINT WM_BROWSER_STATUS = 0x421;
// The functions bar is due to take a new document (posted to the frame).
const UINT WM_FUNCTION_UPDATE_DOCUMENT = WM_USER + 0xE0;
// Main frame creation -> main frame (posted): show the frame maximised.
const UINT WM_SHOW_MAXIMIZED = 0x47B;
// Main frame -> itself (posted): open the hand-over texts taken in.
const UINT WM_OPEN_HANDED_OVER = WM_APP + 0x41A;
// Clipboard link's reader -> main frame (posted): received text (wParam the
// buffer, which the frame frees; lParam its length).
const UINT WM_TCP_TEXT = 0x424;
// Editor control -> main frame (sent): a mouse selection ended (lParam the control).
const UINT WM_EDITOR_MOUSE_SELECTION = 0x4C9;
