// Resource numbers of the "Print options" dialog (template 172) and its
// controls.
#pragma once

#define IDD_PRINT_OPTIONS 172
#define IDC_PRINT_PAGE_NO 1029
#define IDC_PRINT_FILE_NAME 1030
#define IDC_PRINT_TOP 1031
#define IDC_PRINT_BOTTOM 1032
#define IDC_PRINT_DATE 1033
#define IDC_PRINT_NOW 1034
#define IDC_PRINT_TO_LINE 1067
#define IDC_PRINT_FROM_LINE 1068
#define IDC_PRINT_COMPRESS 1069
#define IDC_PRINT_CHANGE_FONT 1092
#define IDC_PRINT_FONT_SAMPLE 1093
#define IDC_PRINT_LINE_NO 1102
#define IDC_PRINT_LINES_FROM 1157
#define IDC_PRINT_ALL 1158
#define IDC_PRINT_BW 1166

// The code with which "&Print" ends the dialog.
#define IDPRINT_OPTIONS_PRINT 10
