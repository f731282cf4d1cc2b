#include "yantelaboutdlg.h"

#include "resource.h"

TYantelAboutDlg::TYantelAboutDlg(HWND parent) : CDialog(IDD_ABOUT, parent) {}
