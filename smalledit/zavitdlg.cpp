#include "smalledit/zavitdlg.h"

#include "smalledit/resource.h"
#include "smalledit/zavit_settings.h"

#include "winui/msgbox.h"

#include <shellapi.h>

const char* const TZavitAboutDlg::LinkAddress = ZAVIT_WEB_ADDRESS;

BEGIN_MESSAGE_MAP(TZavitAboutDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_ABOUT_LINK, &TZavitAboutDlg::CmLink)
END_MESSAGE_MAP()

TZavitAboutDlg::TZavitAboutDlg(HWND parent) : winui::CDialog(IDD_ABOUT, parent) {}

void TZavitAboutDlg::CmLink()
{
    HINSTANCE result = ShellExecuteA(m_hWnd, "open", LinkAddress, "", "", SW_SHOW);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        std::string text = std::string("Failure to open\n:") + LinkAddress;
        winui::ShowMessageBox(m_hWnd, text.c_str(), "Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    }
}

BEGIN_MESSAGE_MAP(TFileList, winui::CDialog)
    ON_LBN_SELCHANGE(IDC_FILELIST, &TFileList::OnSelChange)
    ON_LBN_DBLCLK(IDC_FILELIST, &TFileList::OnDblClk)
END_MESSAGE_MAP()

TFileList::TFileList(HWND parent, const FileWindowList& files)
    : winui::CDialog(IDD_FILELIST, parent), files_(files)
{
}

BOOL TFileList::OnInitDialog()
{
    for (const FileWindowEntry& e : files_.Entries())
        SendDlgItemMessage(IDC_FILELIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
    return winui::CDialog::OnInitDialog();
}

void TFileList::OnSelChange()
{
    LRESULT index = SendDlgItemMessage(IDC_FILELIST, LB_GETCURSEL);
    if (index < 0)
        return;
    LRESULT length = SendDlgItemMessage(IDC_FILELIST, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    LRESULT got = SendDlgItemMessage(IDC_FILELIST, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    name_ = text;
}

void TFileList::OnDblClk()
{
    OnSelChange();
    EndDialog(IDOK);
}

TZavitGotoDlg::TZavitGotoDlg(HWND parent, std::string text)
    : winui::CDialog(IDD_GOTO, parent), text_(std::move(text))
{
}

BOOL TZavitGotoDlg::OnInitDialog()
{
    SendDlgItemMessage(IDC_GOTO_LINE, EM_LIMITTEXT, 79);
    SetDlgItemText(IDC_GOTO_LINE, text_.c_str());
    return winui::CDialog::OnInitDialog();
}

void TZavitGotoDlg::OnOK()
{
    text_ = GetDlgItemText(IDC_GOTO_LINE);
    EndDialog(IDOK);
}
