#include "editor/shell/settings_dialogs.h"

#include "editor/shell/ovanta_messages.h"
#include "editor/shell/settings_store.h"
#include "editor/shell/settings_dialogs_res.h"

#include "winui/ddx.h"

#include <cctype>
#include <cstdlib>

int ParseFieldNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    bool any = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        any = true;
        if (value < 0x7FFFFFFF)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (!any)
        return 0;
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    return static_cast<int>(negative ? -value : value);
}

bool ClampWrapColumnText(std::string& text)
{
    if (ParseFieldNumber(text.substr(0, 9)) < 32767)
        return false;
    text = "32766";
    return true;
}

// --- "Backup Options" ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CBackupOptionsDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_BACKUP_AUTOSAVE, &CBackupOptionsDlg::OnAutoSaveClicked)
END_MESSAGE_MAP()

CBackupOptionsDlg::CBackupOptionsDlg(HWND parent) : winui::CDialog(IDD_BACKUP_OPTIONS, parent) {}

BOOL CBackupOptionsDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    CheckDlgButton(IDC_BACKUP_AUTOSAVE, m_nAutoSaveMinutes != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BACKUP_ORIGINAL, m_bBackupFromOriginal ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BACKUP_AT_SAVE, m_bBackupAtSave ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BACKUP_REPLACE_EXT, m_bReplaceExt ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(IDC_BACKUP_EXTENSION, m_strExtension.c_str());
    SetDlgItemInt(IDC_BACKUP_MINUTES, static_cast<UINT>(m_nAutoSaveMinutes), TRUE);
    EnableDlgItem(IDC_BACKUP_MINUTES, m_nAutoSaveMinutes != 0);
    return TRUE;
}

void CBackupOptionsDlg::OnAutoSaveClicked()
{
    EnableDlgItem(IDC_BACKUP_MINUTES, IsDlgButtonChecked(IDC_BACKUP_AUTOSAVE) == BST_CHECKED);
}

void CBackupOptionsDlg::OnOK()
{
    m_bBackupFromOriginal = IsDlgButtonChecked(IDC_BACKUP_ORIGINAL) == BST_CHECKED;
    m_bBackupAtSave = IsDlgButtonChecked(IDC_BACKUP_AT_SAVE) == BST_CHECKED;
    m_bReplaceExt = IsDlgButtonChecked(IDC_BACKUP_REPLACE_EXT) == BST_CHECKED;
    m_nAutoSaveMinutes = 0;
    if (IsDlgButtonChecked(IDC_BACKUP_AUTOSAVE) == BST_CHECKED) {
        // A negative period would start a timer that never ends.
        int minutes = ParseFieldNumber(GetDlgItemText(IDC_BACKUP_MINUTES));
        m_nAutoSaveMinutes = minutes > 0 ? minutes : 0;
    }
    m_strExtension = GetDlgItemText(IDC_BACKUP_EXTENSION);
    EndDialog(IDOK);
}

// --- "Automatic line wrapping" -----------------------------------------------------------

BEGIN_MESSAGE_MAP(CLineWrapDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_WRAP_DISABLE, &CLineWrapDlg::OnDisableClicked)
    ON_BN_CLICKED(IDC_WRAP_SAVE, &CLineWrapDlg::OnSaveClicked)
    ON_BN_CLICKED(IDC_WRAP_ON_WORDS, &CLineWrapDlg::OnWordsClicked)
    ON_EN_CHANGE(IDC_WRAP_COLUMN, &CLineWrapDlg::OnColumnChanged)
END_MESSAGE_MAP()

CLineWrapDlg::CLineWrapDlg(SettingsValues& settings, HWND parent)
    : winui::CDialog(IDD_LINE_WRAP, parent), settings_(settings)
{
}

BOOL CLineWrapDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    SetDlgItemInt(IDC_WRAP_COLUMN, static_cast<UINT>(settings_.lineWrap), FALSE);
    EnableColumn(settings_.lineWrap != 0);
    CheckDlgButton(IDC_WRAP_DISABLE, settings_.lineWrap == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WRAP_SAVE, settings_.saveLineWrap ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_WRAP_ON_WORDS, settings_.wrapOnWords ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CLineWrapDlg::EnableColumn(bool enable)
{
    EnableDlgItem(IDC_WRAP_COLUMN, enable);
    EnableDlgItem(IDC_WRAP_SAVE, enable);
    EnableDlgItem(IDC_WRAP_ON_WORDS, enable);
}

void CLineWrapDlg::OnDisableClicked()
{
    EnableColumn(IsDlgButtonChecked(IDC_WRAP_DISABLE) != BST_CHECKED);
    SetDlgItemInt(IDC_WRAP_COLUMN, static_cast<UINT>(settings_.lineWrap), FALSE);
}

void CLineWrapDlg::OnSaveClicked()
{
    settings_.saveLineWrap = IsDlgButtonChecked(IDC_WRAP_SAVE) == BST_CHECKED;
}

void CLineWrapDlg::OnWordsClicked()
{
    settings_.wrapOnWords = IsDlgButtonChecked(IDC_WRAP_ON_WORDS) == BST_CHECKED;
}

void CLineWrapDlg::OnColumnChanged()
{
    if (clamping_)
        return;
    std::string text = GetDlgItemText(IDC_WRAP_COLUMN);
    if (ClampWrapColumnText(text)) {
        clamping_ = true;
        SetDlgItemText(IDC_WRAP_COLUMN, text.c_str());
        clamping_ = false;
    }
}

void CLineWrapDlg::OnOK()
{
    if (IsDlgButtonChecked(IDC_WRAP_DISABLE) == BST_CHECKED) {
        settings_.lineWrap = 0;
    } else {
        int column = ParseFieldNumber(GetDlgItemText(IDC_WRAP_COLUMN));
        settings_.lineWrap = column > 0 ? (column < 32767 ? column : 32766) : 0;
    }
    EndDialog(IDOK);
}

// --- "Operations" --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COperationsDlg, winui::CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_OP_TRAILING, IDC_OP_EMPTY_LINES, &COperationsDlg::OnAction)
END_MESSAGE_MAP()

COperationsDlg::COperationsDlg(HWND parent) : winui::CDialog(IDD_OPERATIONS, parent) {}

void COperationsDlg::OnAction(UINT id)
{
    UINT message = 0;
    switch (id) {
    case IDC_OP_TRAILING: message = WM_OP_DELETE_TRAILING; break;
    case IDC_OP_LEADING: message = WM_OP_DELETE_LEADING; break;
    case IDC_OP_ALIGN_C: message = WM_OP_ALIGN_C; break;
    case IDC_OP_EMPTY_LINES: message = WM_OP_DELETE_EMPTY_LINES; break;
    default: return;
    }
    EndDialog(IDOK);
    if (m_hWndParent)
        ::PostMessageA(m_hWndParent, message, 0, 0);
}

// --- "Settings for Tabs" --------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTabSettingsDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_TAB_SOFT, &CTabSettingsDlg::OnSoftTabsClicked)
END_MESSAGE_MAP()

CTabSettingsDlg::CTabSettingsDlg(HWND parent) : winui::CDialog(IDD_TAB_SETTINGS, parent) {}

BOOL CTabSettingsDlg::OnInitDialog()
{
    BOOL result = winui::CDialog::OnInitDialog();
    EnableDlgItem(IDC_TAB_REPLACE_ALL, m_bSoftTabs != 0);
    return result;
}

void CTabSettingsDlg::DoDataExchange(winui::CDataExchange* dx)
{
    winui::DDX_Text(dx, IDC_TAB_WIDTH, m_nSpaces);
    winui::DDV_MinMaxInt(dx, m_nSpaces, 1, 100);
    winui::DDX_Check(dx, IDC_TAB_SOFT, m_bSoftTabs);
    winui::DDX_Check(dx, IDC_TAB_SHOW, m_bShowTabs);
    winui::DDX_Check(dx, IDC_TAB_REPLACE_ALL, m_bReplaceAll);
}

void CTabSettingsDlg::OnSoftTabsClicked()
{
    EnableDlgItem(IDC_TAB_REPLACE_ALL, IsDlgButtonChecked(IDC_TAB_SOFT) == BST_CHECKED);
    // Read back without the range check, so that a half-typed width does
    // not raise its message on a click.
    m_bSoftTabs = IsDlgButtonChecked(IDC_TAB_SOFT) == BST_CHECKED;
    m_bShowTabs = IsDlgButtonChecked(IDC_TAB_SHOW) == BST_CHECKED;
    m_bReplaceAll = IsDlgButtonChecked(IDC_TAB_REPLACE_ALL) == BST_CHECKED;
}

// --- "More Windows..." ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMoreWindowsDlg, winui::CDialog)
    ON_LBN_DBLCLK(IDC_MORE_WINDOWS_LIST, &CMoreWindowsDlg::OnListDoubleClick)
END_MESSAGE_MAP()

CMoreWindowsDlg::CMoreWindowsDlg(std::vector<Entry> entries, HWND parent)
    : winui::CDialog(IDD_MORE_WINDOWS, parent), entries_(std::move(entries))
{
}

BOOL CMoreWindowsDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    for (const Entry& e : entries_)
        SendDlgItemMessage(IDC_MORE_WINDOWS_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
    return TRUE;
}

void CMoreWindowsDlg::OnOK()
{
    LRESULT sel = SendDlgItemMessage(IDC_MORE_WINDOWS_LIST, LB_GETCURSEL);
    if (sel != LB_ERR) {
        LRESULT length = SendDlgItemMessage(IDC_MORE_WINDOWS_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(sel));
        if (length >= 0) {
            std::string text(static_cast<size_t>(length) + 1, '\0');
            SendDlgItemMessage(IDC_MORE_WINDOWS_LIST, LB_GETTEXT, static_cast<WPARAM>(sel),
                               reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(length));
            for (const Entry& e : entries_)
                if (e.text == text) {
                    m_hChosen = e.window;
                    break;
                }
        }
    }
    EndDialog(IDOK);
}

void CMoreWindowsDlg::OnListDoubleClick()
{
    OnOK();
}
