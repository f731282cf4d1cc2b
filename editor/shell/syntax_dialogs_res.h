// Resource numbers of the syntax colour dialogs: the dialogs, the arrow
// bitmaps of the entry list and the controls (whose string-table entries
// carry the tool tips).
#pragma once

#define IDD_COLOR_SELECT 133
#define IDD_SYNTAX_COLORS 142
#define IDD_TEMPLATE_NAME 174
#define IDD_SYNTAX_TEMPLATE 214
#define IDB_ENTRY_UP 190
#define IDB_ENTRY_DOWN 191

// The frame's commands that open them.
#define ID_COLORS 32772
#define ID_SYNTAX_COLORS 32778

// "Syntax Colors"
#define IDC_ENTRY_LIST 1005
#define IDC_EDIT_ENTRY 1006
#define IDC_NEW_ENTRY 1007
#define IDC_DELETE_ENTRY 1008
#define IDC_TEMPLATE_TABS 1042
#define IDC_NEW_TEMPLATE 1043
#define IDC_DELETE_TEMPLATE 1044
#define IDC_ENTRY_UP 1088
#define IDC_ENTRY_DOWN 1089
#define IDC_ASSOC_LABEL 1135
#define IDC_ASSOCIATIONS 1144

// "COLOR Select"
#define IDC_TEXT_PALETTE 1007
#define IDC_TEXT_INDEX 1008
#define IDC_BACK_PALETTE 1009
#define IDC_CHANGE_TEXT 1010
#define IDC_COLOR_OK 1011
#define IDC_BACK_INDEX 1012
#define IDC_CHANGE_BACK 1013
#define IDC_DEFAULT_BACK 1014
#define IDC_KEYWORD 1015
#define IDC_BACK_SAMPLE 1017
#define IDC_WHOLE_WORD 1021
#define IDC_TO_LINE_END 1046
#define IDC_CASE_SENSITIVE 1048
#define IDC_TO_WORD_END 1086
#define IDC_BETWEEN_STRINGS 1087

// "Setup new syntaxcolor template anlegen..." and "Name for the new template"
#define IDC_TEMPLATE_NAME 1045
#define IDC_COPY_FROM 1132
#define IDC_NAME_PROMPT 1104
