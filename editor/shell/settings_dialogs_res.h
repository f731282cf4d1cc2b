// Resource numbers of the small settings dialogs (backup, line wrapping,
// tabs), the text operations dialog, the window list, and the frame's
// edit, view and settings commands that use them.
#pragma once

// "Backup Options".
#define IDD_BACKUP_OPTIONS 173
#define IDC_BACKUP_AUTOSAVE 1038
#define IDC_BACKUP_MINUTES 1039
#define IDC_BACKUP_ORIGINAL 1035
#define IDC_BACKUP_AT_SAVE 1037
#define IDC_BACKUP_REPLACE_EXT 1162
#define IDC_BACKUP_EXTENSION 1161

// "Automatic line wrapping".
#define IDD_LINE_WRAP 201
#define IDC_WRAP_COLUMN 1097
#define IDC_WRAP_DISABLE 1098
#define IDC_WRAP_SAVE 1099
#define IDC_WRAP_ON_WORDS 1151

// "Operations".
#define IDD_OPERATIONS 145
#define IDC_OP_TRAILING 1016
#define IDC_OP_LEADING 1018
#define IDC_OP_ALIGN_C 1028
#define IDC_OP_EMPTY_LINES 1041

// "Settings for Tabs".
#define IDD_TAB_SETTINGS 132
#define IDC_TAB_WIDTH 1001
#define IDC_TAB_SOFT 1004
#define IDC_TAB_REPLACE_ALL 1005
#define IDC_TAB_SHOW 1006

// "More Windows...".
#define IDD_MORE_WINDOWS 200
#define IDC_MORE_WINDOWS_LIST 1095

// Commands.
#define ID_FONT 32792
#define ID_EXT_MOV_TXT 32791
#define ID_LINE_NUMBERS 32800
#define ID_FOCUS_SECOND_CLICK 32811
#define ID_BACKUP_OPTIONS 32812
#define ID_MULTI_CLICK 32813
#define ID_ACTUALIZE_AT_SAVE 32841
#define ID_AUTO_INDENT 32842
#define ID_SUPPRESS_COMMENTS 32930
#define ID_LINE_WRAP 32932
#define ID_SAVE_UNIX 32937
#define ID_AUTO_COPY 32939
#define ID_OP_ALIGN_C_CMD 32957
#define ID_OP_TRAILING_CMD 32958
#define ID_OP_LEADING_CMD 32959
#define ID_OP_EMPTY_LINES_CMD 32960
#define ID_DELETE_TO_LINE_END 32963
#define ID_INSERT_IN_NEW_FILE 32982
#define ID_MORE_WINDOWS 0xFF09
