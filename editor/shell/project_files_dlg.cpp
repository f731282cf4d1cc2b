#include "editor/shell/project_files_dlg.h"

#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/shell_text.h"
#include "editor/shell/workspace_file.h"

#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <vector>

BEGIN_MESSAGE_MAP(CProjectFilesDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_PROJECT_ADD_FILE, &CProjectFilesDlg::OnAddFile)
    ON_BN_CLICKED(IDC_PROJECT_REMOVE_FILE, &CProjectFilesDlg::OnRemoveFile)
    ON_BN_CLICKED(IDC_PROJECT_ADD_OPEN, &CProjectFilesDlg::OnAddOpenFiles)
END_MESSAGE_MAP()

CProjectFilesDlg::CProjectFilesDlg(std::vector<std::string>& workspaceFiles, std::vector<std::string>& closedFiles,
                                   const std::string& workspacePath, HWND parent)
    : winui::CDialog(IDD_PROJECT_FILES, parent), workspaceFiles_(workspaceFiles), closedFiles_(closedFiles),
      // The same base as the workspace's reader and writer use, so that
      // what is added here is found again when the workspace is saved.
      base_(WorkspaceDirectoryOf(workspacePath))
{
}

BOOL CProjectFilesDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    for (const std::string& f : workspaceFiles_)
        SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    return TRUE;
}

bool CProjectFilesDlg::IsOpen(const std::string& stored) const
{
    for (const std::string& path : m_openPaths)
        if (!path.empty() && ContainsPath({MakeRelativePath(base_, path)}, stored))
            return true;
    return false;
}

void CProjectFilesDlg::AddEntry(const std::string& stored)
{
    SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(stored.c_str()));
    if (!ContainsPath(workspaceFiles_, stored))
        workspaceFiles_.push_back(stored);
}

void CProjectFilesDlg::OnAddFile()
{
    winui::CFileDialog dlg(true, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                           "All Files (*.*)|*.*||", m_hWnd);
    dlg.SetInitialDir(m_strInitialDir);
    if (dlg.DoModal() != IDOK) {
        // Names that did not fit would otherwise be lost without a word.
        if (dlg.BufferTooSmall())
            winui::ShowMessageBox(m_hWnd, "Too many files were chosen at once; no file was added.",
                                  "Project files", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (const std::string& path : dlg.GetPathNames()) {
        const std::string stored = MakeRelativePath(base_, path);
        if (SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(stored.c_str())) != LB_ERR)
            continue;
        AddEntry(stored);
        // An open file is not among the closed ones: it joins them when its
        // window closes.
        if (IsOpen(stored))
            continue;
        if (m_onClosedFileAdded)
            m_onClosedFileAdded(stored);
        if (!ContainsPath(closedFiles_, stored))
            closedFiles_.push_back(stored);
    }
}

void CProjectFilesDlg::OnRemoveFile()
{
    const LRESULT count = SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_GETSELCOUNT);
    if (count <= 0)
        return;
    std::vector<int> selected(static_cast<size_t>(count));
    const LRESULT got = SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                           reinterpret_cast<LPARAM>(selected.data()));
    if (got <= 0)
        return;
    selected.resize(static_cast<size_t>(got));
    // From the last to the first, so that the indexes still to come stay valid.
    for (size_t i = selected.size(); i-- > 0;) {
        const WPARAM index = static_cast<WPARAM>(selected[i]);
        const LRESULT length = SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_GETTEXTLEN, index);
        if (length < 0)
            continue;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        ErasePath(workspaceFiles_, text);
        // A removed file that is not open would stay in the functions bar's
        // tree through the closed-files list.
        ErasePath(closedFiles_, text);
        SendDlgItemMessage(IDC_PROJECT_FILE_LIST, LB_DELETESTRING, index);
    }
}

void CProjectFilesDlg::OnAddOpenFiles()
{
    for (const std::string& path : m_openPaths) {
        // A new document has no file to list yet.
        if (path.empty())
            continue;
        const std::string stored = MakeRelativePath(base_, path);
        if (!ContainsPath(workspaceFiles_, stored))
            AddEntry(stored);
    }
}
