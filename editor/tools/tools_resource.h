// Resource numbers of the tool and output windows. The templates live in
// tools.rc, which the program's own .rc includes.
#pragma once

// The output bar's dialog template.
#define IDD_OUTPUT_BAR 175
// The tool settings dialog "Application Start Settings...".
#define IDD_APP_START 177

// Controls of the tool settings dialog.
#define IDC_TOOL_EXE 1049
#define IDC_TOOL_BROWSE_EXE 1050
#define IDC_TOOL_MACROS 1051
#define IDC_TOOL_CAPTURE 1052
#define IDC_TOOL_PARMS 1058
#define IDC_TOOL_SAVE 1060
#define IDC_TOOL_FORMAT 1061
#define IDC_TOOL_BROWSE_DIR 1062
#define IDC_TOOL_DIR 1063
#define IDC_TOOL_REDIRECT 1065
#define IDC_TOOL_CHANGEDIR 1077
#define IDC_TOOL_NAME 1090
#define IDC_TOOL_SHORTPATH 1101
// The Delete button ends the dialog with 3.
#define IDC_TOOL_DELETE 3
