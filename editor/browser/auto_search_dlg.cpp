#include "editor/browser/auto_search_dlg.h"

#include <windows.h>
#include <commctrl.h>

#include "editor/browser/browser_resource.h"
#include "winui/folder_dialog.h"
#include "winui/commdlg.h"

namespace {

// The check boxes and the flag bits they show.
const struct {
    int id;
    unsigned bit;
} kChecks[] = {
    {IDC_INCLUDE_SUBDIRS, kBrowseSubdirectories}, {IDC_OPEN_DOCUMENTS_ONLY, kBrowseOpenDocuments},
    {IDC_SCAN_DEFINES, kBrowseDefines},           {IDC_SCAN_TYPEDEFS, kBrowseTypes},
    {IDC_SCAN_ENUMS, kBrowseEnums},               {IDC_SCAN_FUNCTIONS, kBrowseFunctions},
    {IDC_SCAN_VARIABLES, kBrowseVariables},       {IDC_SCAN_DECLARATIONS, kBrowseDeclarations},
};

void InsertColumn(HWND list, int index, const char* text, int width, int format)
{
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = format;
    c.cx = width;
    c.pszText = const_cast<char*>(text);
    ::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

void SetCell(HWND list, int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

} // namespace

BEGIN_MESSAGE_MAP(CAutoSearchConfigDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_ADD_PATH, &CAutoSearchConfigDlg::OnAddPath)
    ON_BN_CLICKED(IDC_ADD_FILE, &CAutoSearchConfigDlg::OnAddFile)
    ON_BN_CLICKED(IDC_DELETE_TAG_PATH, &CAutoSearchConfigDlg::OnDeleteEntry)
    ON_BN_CLICKED(IDC_EXPORT_TAGFILE, &CAutoSearchConfigDlg::OnExport)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_INCLUDE_SUBDIRS, IDC_OPEN_DOCUMENTS_ONLY, &CAutoSearchConfigDlg::OnCheck)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SCAN_DECLARATIONS, IDC_SCAN_DECLARATIONS, &CAutoSearchConfigDlg::OnCheck)
    ON_EN_CHANGE(IDC_TAG_FILTER, &CAutoSearchConfigDlg::OnFilterChanged)
    ON_NOTIFY(NM_CLICK, IDC_TAG_PATHS, &CAutoSearchConfigDlg::OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_TAG_PATHS, &CAutoSearchConfigDlg::OnListDoubleClick)
    ON_NOTIFY(LVN_ENDLABELEDITA, IDC_TAG_PATHS, &CAutoSearchConfigDlg::OnListEndEdit)
END_MESSAGE_MAP()

CAutoSearchConfigDlg::CAutoSearchConfigDlg(const CTagConfig& config, HWND parent)
    : winui::CDialog(IDD_AUTO_SEARCH, parent), m_editor(config), m_result(config)
{
}

BOOL CAutoSearchConfigDlg::OnInitDialog()
{
    HWND list = List();
    InsertColumn(list, 0, "Path", 180, LVCFMT_LEFT);
    InsertColumn(list, 1, "Filter", 60, LVCFMT_CENTER);
    InsertColumn(list, 2, "Subdir", 60, LVCFMT_CENTER);
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    ShowRows();
    ShowChecks();
    m_filling = true;
    SetDlgItemText(IDC_TAG_FILTER, m_editor.FilterText().c_str());
    m_filling = false;
    EnablePathControls();
    EnableDlgItem(IDC_EXPORT_TAGFILE, m_exportTagFile && m_bCanExport ? TRUE : FALSE);
    return winui::CDialog::OnInitDialog();
}

void CAutoSearchConfigDlg::ShowRows()
{
    HWND list = List();
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const auto& rows = m_editor.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(rows[i].path.c_str());
        int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        SetCell(list, row, 1, rows[i].filter);
        SetCell(list, row, 2, rows[i].subdir);
    }
    if (m_editor.Selected() >= 0) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(m_editor.Selected()),
                       reinterpret_cast<LPARAM>(&state));
    }
}

void CAutoSearchConfigDlg::ShowChecks()
{
    for (const auto& c : kChecks)
        CheckDlgButton(c.id, m_editor.Checked(c.bit) ? BST_CHECKED : BST_UNCHECKED);
}

void CAutoSearchConfigDlg::EnablePathControls()
{
    BOOL on = m_editor.PathControlsEnabled() ? TRUE : FALSE;
    for (int id : {IDC_TAG_PATHS, IDC_INCLUDE_SUBDIRS, IDC_ADD_PATH, IDC_ADD_FILE, IDC_DELETE_TAG_PATH})
        EnableDlgItem(id, on);
}

void CAutoSearchConfigDlg::OnAddPath()
{
    CFolderDialog dlg(m_strDialogFolder.empty() ? nullptr : m_strDialogFolder.c_str(), 0, m_hWnd);
    if (dlg.DoModal() != 1)
        return;
    m_editor.AddPath(dlg.GetFolderPath());
    ShowRows();
}

void CAutoSearchConfigDlg::OnAddFile()
{
    winui::CFileDialog dlg(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                           m_strFileFilter.empty() ? "All Files (*.*)|*.*||" : m_strFileFilter.c_str(), m_hWnd);
    if (!m_strDialogFolder.empty())
        dlg.SetInitialDir(m_strDialogFolder);
    if (dlg.DoModal() != IDOK)
        return;
    m_editor.AddFile(dlg.GetPathName());
    ShowRows();
}

void CAutoSearchConfigDlg::OnDeleteEntry()
{
    int selected = static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected < 0)
        return;
    m_editor.Select(selected);
    m_editor.DeleteSelected();
    ShowRows();
}

void CAutoSearchConfigDlg::OnCheck(UINT id)
{
    for (const auto& c : kChecks)
        if (c.id == static_cast<int>(id))
            m_editor.SetChecked(c.bit, IsDlgButtonChecked(c.id) == BST_CHECKED);
    ShowChecks();
    if (id == IDC_INCLUDE_SUBDIRS)
        ShowRows();
    if (id == IDC_OPEN_DOCUMENTS_ONLY) {
        if (m_editor.Checked(kBrowseOpenDocuments)) {
            m_filling = true;
            SetDlgItemText(IDC_TAG_FILTER, m_editor.FilterText().c_str());
            m_filling = false;
        }
        EnablePathControls();
    }
}

void CAutoSearchConfigDlg::OnFilterChanged()
{
    if (m_filling)
        return;
    m_editor.SetFilterText(GetDlgItemText(IDC_TAG_FILTER));
    int row = m_editor.Selected();
    if (row >= 0 && m_editor.PathControlsEnabled())
        SetCell(List(), row, 1, m_editor.Rows()[static_cast<size_t>(row)].filter);
}

void CAutoSearchConfigDlg::OnListClick(NMHDR*, LRESULT*)
{
    int selected = static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    m_editor.Select(selected);
    if (selected < 0)
        return;
    m_filling = true;
    SetDlgItemText(IDC_TAG_FILTER, m_editor.FilterText().c_str());
    m_filling = false;
    CheckDlgButton(IDC_INCLUDE_SUBDIRS, m_editor.IncludeSubdirectories() ? BST_CHECKED : BST_UNCHECKED);
}

void CAutoSearchConfigDlg::OnListDoubleClick(NMHDR*, LRESULT*)
{
    int selected = static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected >= 0)
        ::SendMessageA(List(), LVM_EDITLABELA, static_cast<WPARAM>(selected), 0);
}

void CAutoSearchConfigDlg::OnListEndEdit(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (info->item.pszText) {
        m_editor.RenameRow(info->item.iItem, info->item.pszText);
        *result = TRUE;
    }
}

void CAutoSearchConfigDlg::OnExport()
{
    if (!m_exportTagFile)
        return;
    m_exportTagFile();
    EndDialog(kExported);
}

void CAutoSearchConfigDlg::OnOK()
{
    m_result = m_editor.Apply();
    EndDialog(IDOK);
}
