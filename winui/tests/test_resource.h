// Resource numbers of the winui tests' resource script.
#pragma once

#define IDD_SETTINGS 100
#define IDD_MODELESS 101

#define IDC_WIDTH 1001
#define IDC_NAME 1002
#define IDC_SOFT 1004
#define IDC_RADIO_A 1010
#define IDC_RADIO_B 1011
#define IDC_RADIO_C 1012
#define IDC_PORT 1020
#define IDC_BAUD 1021
#define IDC_LIST 1030
#define IDC_APPLY 1040
#define IDC_COUNT 1050

#define IDM_MAIN 200
#define IDA_MAIN 200
#define IDM_CONTEXT 201
#define ID_FILE_OPEN 0xE101
#define ID_FILE_SAVE 0xE103
#define ID_EDIT_COPY 0xE122
#define ID_VIEW_BAR 0xE800

#define IDB_TOOLS 300
#define IDS_TOOL_OPEN 0xE101

#define ID_INDICATOR_LINE 0xE702
#define ID_INDICATOR_MODE 0xE703
