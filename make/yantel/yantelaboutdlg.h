// TYantelAboutDlg: the About dialog; it shows its resource's texts.
#pragma once

#include "winui/dialog.h"

class TYantelAboutDlg : public winui::CDialog {
public:
    explicit TYantelAboutDlg(HWND parent);
};
