// Resource numbers of the file dialogs: "Project files" (the workspace's
// file list) and "Properties" (one document's file), and the command that
// opens the project's list.
#pragma once

// "Project files".
#define IDD_PROJECT_FILES 219
#define IDC_PROJECT_FILE_LIST 1147
#define IDC_PROJECT_ADD_FILE 1148
#define IDC_PROJECT_REMOVE_FILE 1149
#define IDC_PROJECT_ADD_OPEN 1150

// "Properties".
#define IDD_FILE_PROPERTIES 218
#define IDC_PROPERTIES_NAME 1134
#define IDC_PROPERTIES_SIZE 1135
#define IDC_PROPERTIES_LINES 1136
#define IDC_PROPERTIES_ATTRIBUTES 1139
#define IDC_PROPERTIES_PATH 1140
#define IDC_PROPERTIES_CHANGED 1141
#define IDC_PROPERTIES_CREATED 1142
#define IDC_PROPERTIES_CODE_LINES 1154
#define IDC_PROPERTIES_COUNT 1165

// Commands.
#define ID_PROJECT_FILES 32980
