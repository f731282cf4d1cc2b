// CGotoLineDlg: "Goto line:", the line to go to, preset with the caret's
// line. A text with "0x" is read as a hexadecimal number.
#pragma once

#include "winui/dialog.h"

class CGotoLineDlg : public winui::CDialog {
public:
    explicit CGotoLineDlg(HWND parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nLine = 0;
};
