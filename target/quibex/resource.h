// Resource numbers of Quibex: menu and accelerators, icons, the About and
// symbol list dialogs, the tool bar bitmap, and the commands.
#pragma once

#define IDM_QUIBEX 100
#define IDA_QUIBEX 100
#define IDI_QUIBEX 1001
#define IDI_SOURCE 1002
#define IDB_TOOLBAR 1100
#define IDD_ABOUT 22000
#define IDD_SYMSEARCH 3
#define IDC_SYMBOL_LIST 101

#define CM_FILEOPEN 24332
#define CM_RELOAD 11842
#define CM_STEPCPU 11849
#define CM_STEPLINE 11848
#define CM_ANIMATECPU 11856
#define CM_ANIMATELINE 11857
#define CM_EXECUTE 11847
#define CM_STOP 11843
#define CM_BOARDID 11858
#define CM_RESET 11844
#define CM_COMSETTINGS 11855
#define CM_FONT 11853
#define CM_FIND 24351
#define CM_FINDNEXT 24353
#define CM_CONDBREAK 11860
#define CM_WATCHES 11859
#define CM_VIEWSOURCE 11851
#define CM_VIEWCPU 11852
#define CM_VIEWTERMINAL 11850
#define CM_EXIT 24310
#define CM_CASCADE 24361
#define CM_TILEVERT 24362
#define CM_TILEHORZ 24363
#define CM_ARRANGEICONS 24364
#define CM_HELPABOUT 2009
// The recent files (4 entries).
#define CM_MRU_FIRST 24400
