// Resource ids of the makefile wizard. The form's controls are numbered by
// page (1000 + 100 * page index), so that a page shows and hides its own
// controls by their id range.
#pragma once

#define IDD_WIZFORM 100
#define IDI_COBREL 101

#define IDC_PAGE_FIRST 1000
#define IDC_PAGE_STEP 100
#define IDC_PAGE_COUNT 6

// General
#define IDC_LABEL1 1000
#define IDC_PROJECTNAMEBOX 1001
#define IDC_MAKNEWBUTTON 1002
#define IDC_MAKREADBUTTON 1003
#define IDC_LABEL14 1004
#define IDC_PROJECTMEMO 1005
// Components
#define IDC_LABEL3 1100
#define IDC_TARGETBOX 1101
#define IDC_LABEL13 1102
#define IDC_SOURCELIST 1103
#define IDC_ADDSRC 1104
#define IDC_DELSRC 1105
#define IDC_LABEL19 1106
#define IDC_LABEL17 1107
#define IDC_LABEL18 1108
// C-Compiler
#define IDC_LABEL4 1200
#define IDC_CPUSPEED 1201
#define IDC_LABEL6 1202
#define IDC_OPTIMISEBOX 1203
#define IDC_LABEL7 1204
#define IDC_MODELBOX 1205
#define IDC_LABEL15 1206
#define IDC_DEBUGLEVELBOX 1207
#define IDC_LABEL5 1208
#define IDC_ADDCOMPARGS 1209
// Assembler
#define IDC_CHECKDEBUG 1300
#define IDC_CHECKLIST 1301
#define IDC_LABEL8 1302
#define IDC_ADDASSARGS 1303
// Linker
#define IDC_LABEL9 1400
#define IDC_ROMSTART 1401
#define IDC_LABEL10 1402
#define IDC_RAMSTART 1403
#define IDC_LABEL11 1404
#define IDC_ADDLINKARGS 1405
#define IDC_LABEL12 1406
#define IDC_SIOBOX 1407
#define IDC_LABEL16 1408
#define IDC_ADDLIBS 1409
// Misc
#define IDC_GROUPBOX1 1500
#define IDC_CHECKGENHEX 1501
#define IDC_CHECKGENOMF 1502
#define IDC_CHECKBINSTRIP 1503
#define IDC_CHECKSMARTPRINTF 1504
#define IDC_GROUPBOX2 1505
#define IDC_VERSIONLABEL 1506
#define IDC_LINKLABEL 1507
#define IDC_LABEL20 1508
#define IDC_LABEL21 1509
#define IDC_LABEL22 1510
#define IDC_IMAGE1 1511
// The form itself; the cancel button is IDCANCEL.
#define IDC_PAGECONTROL 1600
#define IDC_SAVEBUTTON 1601
#define IDC_CHECKWRITEOVANTA 1602
