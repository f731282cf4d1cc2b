// Resource numbers of the target tools' dialogs (port, download progress,
// fixed load address); the programs include termui.rc in their own script.
#pragma once

#define IDD_COM_DIALOG 1
#define IDD_DOWNLOAD 2
#define IDD_ADDRESS 3

#define IDC_PORT_LIST 101
#define IDC_BAUD_LIST 102
#define IDC_GAUGE 101
#define IDC_DOWNLOAD_TEXT 102
#define IDC_ADDRESS 101
