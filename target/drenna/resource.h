// Resource numbers of Drenna: menu and accelerators, icon, About box, the
// flash sector prompt, and the commands.
#pragma once

#define IDM_DRENNA 100
#define IDA_DRENNA 100
#define IDI_DRENNA 1001
#define IDD_ABOUT 22000
#define IDD_SECTOR 22001

#define CM_FILEOPEN 24332
#define CM_RUNINRAM 11848
#define CM_RESETBOARD 11847
#define CM_EXIT 24310
#define CM_FLASHCLEAR 11850
#define CM_FLASHCLEARSECTOR 11857
#define CM_FLASHIDENTIFY 11843
#define CM_FLASHDOWNLOAD 11853
#define CM_AUTOSTART 11854
#define CM_RESETAUTOSTART 11855
#define CM_FIXEDADDRESS 11856
#define CM_BOARDID 11852
#define CM_COMSETTINGS 11846
#define CM_FONT 11851
#define CM_HELPABOUT 2009

// The first recent-file entry of the File menu (winui's first recent-file
// command); the list has four.
#define CM_RECENTFILE1 0xE110

#define IDC_SECTOR_PROMPT 101
#define IDC_SECTOR_TEXT 102
