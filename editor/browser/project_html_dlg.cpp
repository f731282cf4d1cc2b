#include "editor/browser/project_html_dlg.h"

#include "editor/browser/browser_resource.h"
#include "editor/browser/project_reference.h"
#include "winui/commdlg.h"
#include "winui/ddx.h"

std::string ListTitle(const std::string& title)
{
    std::string t = title;
    size_t star = t.rfind('*');
    if (star != std::string::npos)
        t.erase(star == 0 ? 0 : star - 1);
    size_t cr = t.find('\r');
    if (cr != std::string::npos)
        t.erase(cr);
    return t;
}

BEGIN_MESSAGE_MAP(CProjectHtmlDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_DEFAULT_TEMPLATE, &CProjectHtmlDlg::OnTemplateChoice)
    ON_BN_CLICKED(IDC_OWN_TEMPLATE, &CProjectHtmlDlg::OnTemplateChoice)
    ON_BN_CLICKED(IDC_TEMPLATE_BROWSE, &CProjectHtmlDlg::OnBrowseTemplate)
    ON_BN_CLICKED(IDC_TAKE_ALL, &CProjectHtmlDlg::OnTakeAll)
END_MESSAGE_MAP()

CProjectHtmlDlg::CProjectHtmlDlg(std::vector<Entry> documents, HWND parent)
    : winui::CDialog(IDD_PROJECT_HTML, parent), m_entries(std::move(documents))
{
}

unsigned CProjectHtmlDlg::OptionWord() const
{
    return (m_bAlphabetical ? kReferenceIndex : 0u) | (m_bMultipleCalls ? kReferenceMultipleCalls : 0u) |
           (m_bLineNumbers ? kReferenceLineNumbers : 0u) | (m_bIndentComments ? kReferenceIndentComments : 0u) |
           (m_bOwnTemplate ? kReferenceOwnTemplate : 0u);
}

void CProjectHtmlDlg::SetOptionWord(unsigned word)
{
    m_bAlphabetical = (word & kReferenceIndex) != 0;
    m_bMultipleCalls = (word & kReferenceMultipleCalls) != 0;
    m_bLineNumbers = (word & kReferenceLineNumbers) != 0;
    m_bIndentComments = (word & kReferenceIndentComments) != 0;
    m_bOwnTemplate = (word & kReferenceOwnTemplate) != 0;
}

void CProjectHtmlDlg::DoDataExchange(winui::CDataExchange* dx)
{
    winui::DDX_Text(dx, IDC_TEMPLATE_PATH, m_strTemplate);
    winui::DDX_Check(dx, IDC_ALPHABETICAL_LIST, m_bAlphabetical);
    winui::DDX_Check(dx, IDC_MULTIPLE_CALLS, m_bMultipleCalls);
    winui::DDX_Check(dx, IDC_LINE_NUMBERS, m_bLineNumbers);
    winui::DDX_Check(dx, IDC_TAKE_ALL, m_bTakeAll);
    winui::DDX_Check(dx, IDC_INDENT_COMMENTS, m_bIndentComments);
}

BOOL CProjectHtmlDlg::OnInitDialog()
{
    CheckRadioButton(IDC_DEFAULT_TEMPLATE, IDC_OWN_TEMPLATE,
                     m_bOwnTemplate ? IDC_OWN_TEMPLATE : IDC_DEFAULT_TEMPLATE);
    EnableDlgItem(IDC_TEMPLATE_PATH, m_bOwnTemplate ? TRUE : FALSE);
    for (const Entry& e : m_entries) {
        LRESULT i = SendDlgItemMessage(IDC_INCLUDED_FILES, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(ListTitle(e.title).c_str()));
        if (i >= 0)
            SendDlgItemMessage(IDC_INCLUDED_FILES, LB_SETITEMDATA, static_cast<WPARAM>(i),
                               reinterpret_cast<LPARAM>(&e));
    }
    return winui::CDialog::OnInitDialog();
}

void CProjectHtmlDlg::OnTemplateChoice()
{
    m_bOwnTemplate = IsDlgButtonChecked(IDC_DEFAULT_TEMPLATE) ? 0 : 1;
    EnableDlgItem(IDC_TEMPLATE_PATH, m_bOwnTemplate ? TRUE : FALSE);
}

bool CProjectHtmlDlg::ChooseTemplate()
{
    winui::CFileDialog dlg(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "HTML-Files(*.htm)|*.htm|All Files (*.*)|*.*||", m_hWnd);
    if (!m_strDialogFolder.empty())
        dlg.SetInitialDir(m_strDialogFolder);
    if (dlg.DoModal() != IDOK)
        return false;
    m_strTemplate = dlg.GetPathName();
    return true;
}

void CProjectHtmlDlg::OnBrowseTemplate()
{
    UpdateData(TRUE);
    if (ChooseTemplate())
        UpdateData(FALSE);
}

void CProjectHtmlDlg::OnTakeAll()
{
    BOOL all = IsDlgButtonChecked(IDC_TAKE_ALL) ? TRUE : FALSE;
    // -1: every entry of the list.
    SendDlgItemMessage(IDC_INCLUDED_FILES, LB_SETSEL, static_cast<WPARAM>(all), -1);
}

void CProjectHtmlDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_bOwnTemplate = IsDlgButtonChecked(IDC_DEFAULT_TEMPLATE) ? 0 : 1;
    if (!m_bOwnTemplate)
        m_strTemplate.clear();
    else if (m_strTemplate.empty())
        ChooseTemplate(); // cancelled: the built-in template serves
    m_documents.clear();
    int count = static_cast<int>(SendDlgItemMessage(IDC_INCLUDED_FILES, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (SendDlgItemMessage(IDC_INCLUDED_FILES, LB_GETSEL, static_cast<WPARAM>(i)) <= 0)
            continue;
        auto* e = reinterpret_cast<const Entry*>(
            SendDlgItemMessage(IDC_INCLUDED_FILES, LB_GETITEMDATA, static_cast<WPARAM>(i)));
        if (e && e != reinterpret_cast<const Entry*>(LB_ERR))
            m_documents.push_back(e->document);
    }
    UpdateData(FALSE);
    EndDialog(IDOK);
}
