// Resources of the syntax-aware control: the bitmaps beside its context-menu
// entries and the cursors of drag-and-drop and indent move. They are
// compiled into every program that links the control (ncoloredit.rc), so
// the control loads them from the program's own module.
#pragma once

// Bitmaps of the context menu.
#define IDB_INDENTMOVE_CHECKED 131
#define IDB_INDENTMOVE 132
#define IDB_BRACE_CLOSE 135
#define IDB_BRACE_OPEN 136
#define IDB_BRACE_NONE 137
#define IDB_BOOKMARK_ADD 168
#define IDB_BOOKMARK_REMOVE 169
#define IDB_GOTO_PAREN_CLOSE 183
#define IDB_GOTO_BRACE_CLOSE 184
#define IDB_GOTO_PAREN_OPEN 185
#define IDB_GOTO_SQUARE_OPEN 187
#define IDB_GOTO_SQUARE_CLOSE 188
#define IDB_GOTO_BRACE_OPEN 189

// Cursors, by name so that they meet no number of the program's own.
#define kCursorNameDragCandidate "NCOLOREDIT_DRAGCANDIDATE"
#define kCursorNameDragMove "NCOLOREDIT_DRAGMOVE"
#define kCursorNameDragCopy "NCOLOREDIT_DRAGCOPY"
#define kCursorNameIndentMove "NCOLOREDIT_INDENTMOVE"
