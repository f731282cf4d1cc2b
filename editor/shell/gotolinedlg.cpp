#include "editor/shell/gotolinedlg.h"

#include "editor/shell/resource.h"
#include "editor/shell/shell_text.h"

CGotoLineDlg::CGotoLineDlg(HWND parent) : winui::CDialog(IDD_GOTO_LINE, parent) {}

BOOL CGotoLineDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    SetDlgItemInt(IDC_GOTO_LINE, static_cast<UINT>(m_nLine), FALSE);
    HWND edit = GetDlgItem(IDC_GOTO_LINE);
    GotoDlgCtrl(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;
}

void CGotoLineDlg::OnOK()
{
    m_nLine = ParseGotoLineText(GetDlgItemText(IDC_GOTO_LINE));
    EndDialog(IDOK);
}
