// Resource and command numbers of Zavit.
#pragma once

// Menu and accelerator table of the main window; icons; dialogs.
#define IDM_ZAVIT 100
#define IDA_PREVIEW 200
#define IDI_ZAVIT 1001
#define IDI_SAVED 1002
#define IDI_CHANGED 1500
#define IDD_FILELIST 1
#define IDC_FILELIST 101
#define IDD_ABOUT 22000
#define IDC_ABOUT_VERSION 22001
#define IDC_ABOUT_COPYRIGHT 22002
#define IDC_ABOUT_HINT 101
#define IDC_ABOUT_TEXT 102
#define IDC_ABOUT_LINK 103
// The maker's web page: the About box's link button shows and opens it.
#define ZAVIT_WEB_ADDRESS "https://suite51.example.org/"
#define IDD_GOTO 300
#define IDC_GOTO_PROMPT 301
#define IDC_GOTO_LINE 302

// Commands (menu, tool bar, hint strings).
#define CM_ACCESSABOUT 2008
#define CM_HELPABOUT 2009
#define CM_QUICKEXIT 11841
#define CM_SAVEALL 11842
#define CM_OPTIONS 11843
#define CM_GOTO 11844
#define CM_PERSISTENCE 11845
#define CM_FONT 11846
#define CM_FILELIST 11847
#define CM_CLASSICFILESEL 11848
#define CM_EXIT 24310
#define CM_EDITMENU 24320
#define CM_EDITUNDO 24321
#define CM_EDITCUT 24322
#define CM_EDITCOPY 24323
#define CM_EDITPASTE 24324
#define CM_EDITDELETE 24325
#define CM_EDITCLEAR 24326
#define CM_EDITADD 24327
#define CM_EDITEDIT 24328
#define CM_FILENEW 24331
#define CM_FILEOPEN 24332
#define CM_FILESAVE 24333
#define CM_FILESAVEAS 24334
#define CM_FILEPRINT 24337
#define CM_FILEPRINTERSETUP 24338
#define CM_FILECLOSE 24339
#define CM_FILEPRINTPREVIEW 24340
#define CM_SEARCHMENU 24350
#define CM_EDITFIND 24351
#define CM_EDITREPLACE 24352
#define CM_EDITFINDNEXT 24353
#define CM_WINDOWMENU 24360
#define CM_CASCADECHILDREN 24361
#define CM_TILECHILDREN 24362
#define CM_TILECHILDRENHORIZ 24363
#define CM_ARRANGEICONS 24364
#define CM_CLOSECHILDREN 24365
#define CM_FILEMENU 65535

// The preview window's bar.
#define CM_PREVPAGE 24500
#define CM_NEXTPAGE 24501
#define CM_ONEPAGE 24502
#define CM_TWOPAGE 24503
#define IDC_PAGETEXT 24504
#define CM_PREVIEWCLOSE 24505

// Status bar panes (their string resources give their widths).
#define IDS_PANE_CAPS 0xE701
#define IDS_PANE_NUM 0xE702
#define IDS_PANE_CARET 0xE710
