// Dialog templates and control ids of the search dialogs and the TCP/IP
// settings dialog (search.rc, which the editor's resource script includes).
#pragma once

#define IDD_SEARCH 138
#define IDD_SEARCH_REPLACE 141
#define IDD_TCPIP_SETTINGS 190

#define IDC_SEARCH_ALL_DIRECTIONS 1000
#define IDC_SEARCH_TEXT 1019
#define IDC_REPLACE_TEXT 1020
#define IDC_WHOLE_WORDS 1021
#define IDC_MATCH_CASE 1023
#define IDC_BACKWARD 1024
#define IDC_FORWARD 1025
#define IDC_FIND_NEXT 1026
#define IDC_TAKE_SELECTION 1027
#define IDC_REPLACE_ALL 1028
#define IDC_REPLACE 1029
#define IDC_ENHANCED 1070
#define IDC_SUBDIRECTORIES 1072
#define IDC_FILE_FILTER 1073
#define IDC_BROWSE_FOLDER 1075
#define IDC_SEARCH_DIRECTORY 1076
#define IDC_NO_COMMENT_HITS 1084
#define IDC_ACTUAL_FILE 1117
#define IDC_ALL_OPEN_FILES 1118
#define IDC_CLOSE 1164
#define IDC_KEEP_CASE 1167

#define IDC_TCP_SERVER 1152
#define IDC_TCP_PORT 1153
