// Resource numbers of Yantel: menu, accelerators, icon, dialogs, bitmaps
// and the status-bar hints (string resources with the command's id).
#pragma once

#define IDM_YANTEL 100            // menu, menu descriptor and accelerator table
#define IDI_YANTEL 1001

// File
#define CM_FILENEW 24331
#define CM_FILEOPEN 24332
#define CM_FILESAVE 24333
#define CM_FILESAVEAS 24334
#define CM_EXIT 24310
// Edit
#define CM_EDITMODE 11844
#define CM_EDITUNDO 24321
#define CM_EDITCUT 24322
#define CM_EDITCOPY 24323
#define CM_EDITPASTE 24324
#define CM_EDITDELETE 24325
#define CM_EDITCLEAR 24326
// Search
#define CM_EDITFIND 24351
#define CM_EDITREPLACE 24352
#define CM_EDITFINDNEXT 24353
// Make
#define CM_UPDATETARGET 11842
#define CM_REMAKEALL 11843
// Options, Help
#define CM_FONT 11845
#define CM_HELPABOUT 2009

// The print command's bitmap: in the resources, not placed on the bar.
#define IDB_PRINT 24337

// The target combo box on the tool bar.
#define IDC_TARGETS 500

// About dialog.
#define IDD_ABOUT 22000
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_WEB 102
#define IDC_ABOUT_TEXT 103

// Recent files: the menu item that stands for the first entry; the entries
// take the ids from here on (the class library's first recent-file id).
#define CM_MRU_FIRST 0xE110
#define YANTEL_MRU_SIZE 10
