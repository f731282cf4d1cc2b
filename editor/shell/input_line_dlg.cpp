#include "editor/shell/input_line_dlg.h"

#include "editor/editctl/window/coloredit.h"
#include "editor/shell/resource.h"

#include <utility>

CInputLineDlg::CInputLineDlg(HWND parent, std::string caption, std::string label, std::string text)
    : winui::CDialog(IDD_INPUT_LINE, parent), m_strText(std::move(text)), caption_(std::move(caption)),
      label_(std::move(label))
{
}

BOOL CInputLineDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    ::SetWindowTextA(m_hWnd, caption_.c_str());
    SetDlgItemText(IDC_INPUT_LABEL, label_.c_str());
    SetDlgItemText(IDC_INPUT_TEXT, m_strText.c_str());
    HWND edit = GetDlgItem(IDC_INPUT_TEXT);
    GotoDlgCtrl(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;
}

void CInputLineDlg::OnOK()
{
    m_strText = GetDlgItemText(IDC_INPUT_TEXT);
    m_nKeys = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        m_nKeys |= KEYMOD_SHIFT;
    if (GetKeyState(VK_MENU) < 0)
        m_nKeys |= KEYMOD_ALT;
    if (GetKeyState(VK_CONTROL) < 0)
        m_nKeys |= KEYMOD_CTRL;
    EndDialog(IDOK);
}
