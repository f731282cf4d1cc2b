#include "make/yantel/yantelaboutdlg.h"

#include "make/yantel/resource.h"

TYantelAboutDlg::TYantelAboutDlg(HWND parent) : CDialog(IDD_ABOUT, parent) {}
