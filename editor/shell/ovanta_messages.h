// Private window messages between Ovanta's windows (WM_USER numbers).
#pragma once

#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/frame_messages.h"

#include <windows.h>

// Besides the messages of the windows below the program (frame_messages.h):

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
// Operations dialog -> main frame (posted): the text operations, handed
// on to the active view, and the project reference.
const UINT WM_OP_DELETE_TRAILING = 0x464;
const UINT WM_OP_DELETE_LEADING = 0x465;
const UINT WM_OP_ALIGN_C = 0x466;
const UINT WM_OP_DELETE_EMPTY_LINES = 0x467;
const UINT WM_OP_HTML_REFERENCE = 0x468;
// Bookmark bar -> main frame: jump to a bookmark.
const UINT WM_BOOKMARK_JUMP = 0x41B;
// Edit control -> its grandparent splitter: keep the shared scroll bar in step
// (the control's own notification, under the name the splitter knows it by).
const UINT WM_SYNC_SCROLL = EDN_SHAREDSCROLL;
// The functions bar is due to take a new document (posted to the frame).
const UINT WM_FUNCTION_UPDATE_DOCUMENT = WM_USER + 0xE0;
// Main frame creation -> main frame (posted): show the frame maximised.
const UINT WM_SHOW_MAXIMIZED = 0x47B;
// Main frame -> itself (posted): open the hand-over texts taken in.
const UINT WM_OPEN_HANDED_OVER = WM_APP + 0x41A;
// Editor control -> main frame (sent): a mouse selection ended (lParam the control).
const UINT WM_EDITOR_MOUSE_SELECTION = EDN_MOUSESELECT;
