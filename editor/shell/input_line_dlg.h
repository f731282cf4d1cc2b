// CInputLineDlg: the one-line input of the editor's column commands: a
// caption, a label (or a hint of several lines) and the text to start
// with. It keeps the modifier keys held as OK was pressed, which some
// commands read as options.
#pragma once

#include "winui/dialog.h"

#include <string>

class CInputLineDlg : public winui::CDialog {
public:
    CInputLineDlg(HWND parent, std::string caption, std::string label, std::string text);

    BOOL OnInitDialog() override;
    void OnOK() override;

    std::string m_strText;
    // KEYMOD_SHIFT, KEYMOD_ALT, KEYMOD_CTRL as held when OK was pressed.
    int m_nKeys = 0;

private:
    std::string caption_;
    std::string label_;
};
