// Resource numbers of Ovanta: menus, accelerators, dialogs, bitmaps,
// strings and command ids.
#pragma once

#include "editor/shell/syntax_dialogs_res.h"
#include "editor/syntax/window/command_ids.h"

// Frame without documents (menu, title, tool bar) and the document template
// (menu of the document windows, document string).
#define IDR_MAINFRAME 128
#define IDR_OVANTATYPE 130
#define IDB_TOOLBAR_DOC 130
#define IDB_SAVE_MODIFIED 143
#define IDB_BOOKMARK_DELETE 144
#define IDD_ABOUTBOX 100
#define IDC_BUILD_STAMP 1023
// The picture of the About dialog.
#define IDB_ABOUT 171
#define IDC_ABOUT_PICTURE 1024
#define IDD_GOTO_LINE 146
#define IDC_GOTO_LINE 1022
// The one-line input of the editor's column commands.
#define IDD_INPUT_LINE 147
#define IDC_INPUT_TEXT 1040
#define IDC_INPUT_LABEL 1041
// Cursor over the line-number margin.
#define IDC_MARGIN 196

// Status bar indicators (their widths are string resources of blanks).
#define ID_INDICATOR_RO 101
#define ID_INDICATOR_POS 102
#define ID_INDICATOR_PROGRESS 103
#define ID_INDICATOR_SIZE 104
#define ID_INDICATOR_UNIX 105
#define ID_INDICATOR_ANIM 106
// The status bar's browser animation, drawn in this order.
#define IDB_BROWSE_ANIM1 212
#define IDB_BROWSE_ANIM2 210
#define IDB_BROWSE_ANIM3 209
#define IDB_BROWSE_ANIM4 211

// Standard commands (the class library's numbers).
#define ID_FILE_NEW_CMD 57600
#define ID_FILE_OPEN_CMD 57601
#define ID_FILE_CLOSE_CMD 57602
#define ID_FILE_SAVE_CMD 57603
#define ID_FILE_SAVE_AS_CMD 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_DIRECT 57608
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_MRU_FIRST 57616
#define ID_EDIT_REPEAT 57632
#define ID_EDIT_REPLACE 57641
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT_CMD 57665
#define ID_CONTEXT_HELP 57669
#define ID_HELP_CMD 57670
#define ID_WINDOW_NEW_CMD 57648
#define ID_WINDOW_CASCADE_CMD 57650
#define ID_WINDOW_TILE_HORZ_CMD 57651
#define ID_WINDOW_TILE_VERT_CMD 57652

// Ovanta's own commands.
#define ID_SET_COMMENT ID_EDIT_SETCCOMMENT
#define ID_TAB_SETTINGS 32771
#define ID_SYNTAX_COLOR 32775
#define ID_FILE_SAVE_ALL 32779
#define ID_NEXT_DOCUMENT 32780
#define ID_OPERATIONS 32783
#define ID_GOTO_LINE 32787
#define ID_COPY_APPEND ID_EDIT_COPYAPPEND
#define ID_EMPTY_CLIPBOARD 32790
#define ID_TOGGLE_SINGLE_INSTANCE 32796
#define ID_ADD_BOOKMARK ID_EDIT_BOOKMARK
#define ID_FIND_IN_FILES 32815
#define ID_VIEW_OUTPUT 32814
#define ID_TOOL_SETTINGS 32819
#define ID_MINIMIZE_ALL 32821
#define ID_WORKSPACE_OPEN 32822
#define ID_WORKSPACE_SAVE 32823
// The entries of "Last opened Workspaces".
#define ID_RECENT_WORKSPACE_FIRST 32825
#define ID_RECENT_WORKSPACE_LAST 32832
#define ID_EXT_CONTEXT_MENU 32833
#define ID_HOLD_SELECTION 32834
#define ID_HELP_TOPICS 57667
#define ID_WORKSPACE_CLOSE 32835
#define ID_END_AND_SAVE 32844
#define ID_ADD_TOOL 32846
#define ID_TOOL_CANCEL 32847
#define ID_TOOLS_BAR 32849
#define ID_END_WITHOUT_SAVE 32851
#define ID_TOOL_FIRST 32870
#define ID_TOOL_LAST 32889
#define ID_RESTORE_ALL 32933
#define ID_FILE_BAR 32934
#define ID_FUNCTION_LIST 32936
// Source browser and project reference.
#define ID_AUTO_SEARCH 32941
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_AUTOSEARCH_CONFIG 32942
#define ID_HTML_PROJECT 32961
#define ID_VERILOG_FUNCTION_LIST 32988
#define ID_PERL_FUNCTION_LIST 32993
#define ID_PREVIOUS_DOCUMENT 32938
#define ID_DEFAULT_DIRECTORY 32943
#define ID_MACRO_RECORD 32944
#define ID_MACRO_STOP 32945
#define ID_MACRO_PLAY 32946
#define ID_MACRO_RECORDER 32947
#define ID_SEARCH_HOTKEY 32951
#define ID_DELETE_LINE ID_EDIT_DELETELINE
#define ID_INDENT_BLOCK 32953
#define ID_UNINDENT_BLOCK 32954
#define ID_INDENT_RANGE 32955
#define ID_UNINDENT_RANGE 32956
#define ID_PASTE_BLOCK 32962
#define ID_INSERT_FILE 32981
#define ID_PASTE_BLOCK_MOVE 32983
#define ID_EXPORT_HTML 32984
#define ID_TCP_SEND 32985
#define ID_TCP_SETTINGS 32986
#define ID_CLOSE_ALL 32990
#define ID_SPLIT_WINDOWS 32991
// Bookmarks: the View menu's bar command and the jump to the next bookmark.
#define ID_VIEW_BOOKMARKS 162
#define ID_GOTO_NEXT_BOOKMARK 32964

// The status text shown for menu commands whose windows this program does not have yet.
