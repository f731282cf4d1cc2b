#include "editor/tools/app_start_dlg.h"

#include "editor/tools/tools_resource.h"
#include "winui/commdlg.h"
#include "winui/ddx.h"

BEGIN_MESSAGE_MAP(CAppStartDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_TOOL_CAPTURE, &CAppStartDlg::OnCaptureClicked)
    ON_BN_CLICKED(IDC_TOOL_CHANGEDIR, &CAppStartDlg::OnChangeDirClicked)
    ON_CBN_SELCHANGE(IDC_TOOL_MACROS, &CAppStartDlg::OnMacroChosen)
    ON_CBN_SELCHANGE(IDC_TOOL_FORMAT, &CAppStartDlg::OnFormatChosen)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_EXE, &CAppStartDlg::OnBrowseProgram)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_DIR, &CAppStartDlg::OnBrowseFolder)
    ON_BN_CLICKED(IDC_TOOL_DELETE, &CAppStartDlg::OnDelete)
END_MESSAGE_MAP()

std::string ProgramFolder(const std::string& appExe)
{
    size_t slash = appExe.rfind('\\');
    if (slash == std::string::npos)
        return std::string();
    if (slash > 0 && appExe[slash - 1] == ':')
        return appExe.substr(0, slash + 1);
    return appExe.substr(0, slash);
}

CAppStartDlg::CAppStartDlg(HWND parent) : winui::CDialog(IDD_APP_START, parent) {}

void CAppStartDlg::DoDataExchange(winui::CDataExchange* dx)
{
    winui::DDX_Text(dx, IDC_TOOL_EXE, m_tool.AppExe);
    winui::DDX_Text(dx, IDC_TOOL_PARMS, m_tool.AppParms);
    winui::DDX_Check(dx, IDC_TOOL_CAPTURE, m_tool.CaptureOut);
    winui::DDX_Check(dx, IDC_TOOL_SAVE, m_tool.SaveBeforeRun);
    winui::DDX_Check(dx, IDC_TOOL_CHANGEDIR, m_tool.ChangeDir);
    winui::DDX_Check(dx, IDC_TOOL_SHORTPATH, m_tool.ShortPathname);
    winui::DDX_Text(dx, IDC_TOOL_NAME, m_tool.Toolname);
    winui::DDV_MaxChars(dx, m_tool.Toolname, kMaxToolNameLength);
}

BOOL CAppStartDlg::OnInitDialog()
{
    for (const char* macro : kToolMacros)
        SendDlgItemMessage(IDC_TOOL_MACROS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(macro));
    for (const char* name : kToolFormatNames)
        SendDlgItemMessage(IDC_TOOL_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    // The entry that begins with the format name, case ignored, searched
    // from the second entry on and wrapping to the first; "None" otherwise
    // (also for an empty name, which would match any entry).
    LRESULT found = CB_ERR;
    if (!m_tool.Compiler.empty())
        found = SendDlgItemMessage(IDC_TOOL_FORMAT, CB_SELECTSTRING, 0,
                                   reinterpret_cast<LPARAM>(m_tool.Compiler.c_str()));
    if (found == CB_ERR)
        SendDlgItemMessage(IDC_TOOL_FORMAT, CB_SETCURSEL, 0);

    BOOL result = winui::CDialog::OnInitDialog();
    SetDlgItemText(IDC_TOOL_DIR, m_tool.AppDir.c_str());
    SetDlgItemText(IDC_TOOL_NAME, m_tool.Toolname.c_str());
    CheckDlgButton(IDC_TOOL_REDIRECT, m_tool.RedirToFile ? BST_CHECKED : BST_UNCHECKED);
    EnableDlgItem(IDC_TOOL_REDIRECT, !m_tool.CaptureOut);
    if (HasExtension(m_tool.AppExe, "mcr"))
        EnableRunControls(false);
    return result;
}

void CAppStartDlg::EnableRunControls(bool enable)
{
    const int ids[] = {IDC_TOOL_MACROS, IDC_TOOL_FORMAT, IDC_TOOL_CAPTURE,
                       IDC_TOOL_SHORTPATH, IDC_TOOL_REDIRECT, IDC_TOOL_PARMS};
    for (int id : ids)
        EnableDlgItem(id, enable);
}

void CAppStartDlg::OnCaptureClicked()
{
    // Capturing and redirecting exclude each other.
    EnableDlgItem(IDC_TOOL_REDIRECT, IsDlgButtonChecked(IDC_TOOL_CAPTURE) != BST_CHECKED);
}

void CAppStartDlg::OnChangeDirClicked()
{
    m_tool.ChangeDir = IsDlgButtonChecked(IDC_TOOL_CHANGEDIR) == BST_CHECKED;
}

void CAppStartDlg::OnMacroChosen()
{
    LRESULT sel = SendDlgItemMessage(IDC_TOOL_MACROS, CB_GETCURSEL);
    if (sel == CB_ERR || sel < 0 || sel >= 7)
        return;
    SendDlgItemMessage(IDC_TOOL_PARMS, EM_REPLACESEL, TRUE,
                       reinterpret_cast<LPARAM>(kToolMacros[sel]));
    m_tool.AppParms = GetDlgItemText(IDC_TOOL_PARMS);
}

void CAppStartDlg::OnFormatChosen()
{
    LRESULT sel = SendDlgItemMessage(IDC_TOOL_FORMAT, CB_GETCURSEL);
    if (sel >= 0 && sel < 16)
        m_tool.Compiler = kToolFormatNames[sel];
}

void CAppStartDlg::OnBrowseProgram()
{
    winui::CFileDialog dlg(true, nullptr, nullptr, OFN_HIDEREADONLY,
                           "Programs (*.exe)|*.exe|Batch Files (*.bat)|*.bat|Macro Files "
                           "(*.mcr)|*.mcr|All Files (*.*)|*.*||",
                           m_hWnd);
    if (!m_strDefaultDir.empty())
        dlg.SetInitialDir(m_strDefaultDir);
    if (dlg.DoModal() != IDOK)
        return;
    m_tool.AppExe = dlg.GetPathName();
    SetDlgItemText(IDC_TOOL_EXE, m_tool.AppExe.c_str());
    if (HasExtension(m_tool.AppExe, "mcr"))
        EnableRunControls(false);
    UpdateData(TRUE);
}

void CAppStartDlg::OnBrowseFolder()
{
    m_tool.AppExe = GetDlgItemText(IDC_TOOL_EXE);
    std::string start = ProgramFolder(m_tool.AppExe);
    if (start.empty()) {
        char dir[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof dir, dir);
        start = dir;
    }
    winui::CFolderDialog dlg(nullptr, m_hWnd);
    dlg.SetInitialFolder(start);
    if (dlg.DoModal() != IDOK)
        return;
    m_tool.AppDir = dlg.GetPath();
    SetDlgItemText(IDC_TOOL_DIR, m_tool.AppDir.c_str());
}

void CAppStartDlg::OnOK()
{
    m_tool.AppDir = GetDlgItemText(IDC_TOOL_DIR);
    m_tool.RedirToFile = IsDlgButtonChecked(IDC_TOOL_REDIRECT) == BST_CHECKED;
    std::string name = GetDlgItemText(IDC_TOOL_NAME);
    if (name.empty()) {
        m_tool.AppExe = GetDlgItemText(IDC_TOOL_EXE);
        SetDlgItemText(IDC_TOOL_NAME, NameFromProgram(m_tool.AppExe).c_str());
    }
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CAppStartDlg::OnDelete()
{
    EndDialog(kToolDialogDelete);
}
