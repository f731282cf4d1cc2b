// Resource numbers of the source browser's windows: the functions bar, its
// image list and context menu, the tag search configuration and the project
// reference dialog. The program's .rc includes browser.rc.
#pragma once

#define IDD_PROJECT_HTML 181
#define IDD_FUNCTION_BAR 203
#define IDB_FUNCTION_IMAGES 204
#define IDD_AUTO_SEARCH 208
#define IDR_FUNCTION_MENU 220

// Functions bar.
#define IDC_FUNCTION_TREE 203
#define IDC_FUNCTION_UPDATE 1103
#define IDC_SHOW_FILES 1163

// Project reference dialog.
#define IDC_DEFAULT_TEMPLATE 1079
#define IDC_OWN_TEMPLATE 1080
#define IDC_TEMPLATE_PATH 1081
#define IDC_TEMPLATE_BROWSE 1082
#define IDC_ALPHABETICAL_LIST 1083
#define IDC_MULTIPLE_CALLS 1085
#define IDC_LINE_NUMBERS 1105
#define IDC_INDENT_COMMENTS 1114
#define IDC_INCLUDED_FILES 1115
#define IDC_TAKE_ALL 1116

// Tag search configuration dialog.
#define IDC_TAG_FILTER 1120
#define IDC_ADD_PATH 1121
#define IDC_TAG_PATHS 1122
#define IDC_DELETE_TAG_PATH 1123
#define IDC_INCLUDE_SUBDIRS 1124
#define IDC_ADD_FILE 1125
#define IDC_SCAN_DEFINES 1126
#define IDC_SCAN_TYPEDEFS 1127
#define IDC_SCAN_ENUMS 1128
#define IDC_SCAN_FUNCTIONS 1129
#define IDC_SCAN_VARIABLES 1130
#define IDC_OPEN_DOCUMENTS_ONLY 1131
#define IDC_EXPORT_TAGFILE 1143
#define IDC_SCAN_DECLARATIONS 1146

// Commands of the functions bar's menus.
#define ID_ADD_TO_PROJECT 32953
#define ID_REMOVE_FROM_PROJECT 32954
#define ID_CLOSE_FILE 32992
#define ID_SET_WRITABLE 32993
#define ID_SET_READONLY 32994
#define ID_COPY_NAME 61559
