#include "editor/shell/template_name_dlg.h"

#include "winui/ddx.h"
#include "winui/msgbox.h"

// The copy source that means "start with an empty template".
static const char kEmptySource[] = "empty";

BOOL CSyntaxTemplateDlg::OnInitDialog()
{
    SetDlgItemText(IDC_TEMPLATE_NAME, m_strName.c_str());
    m_strCopyFrom.clear();
    HWND list = GetDlgItem(IDC_COPY_FROM);
    const int count = profile_.GetInt("SyntaxTemplates", "number", 0);
    for (int i = 0; i < count; ++i) {
        std::string name = profile_.GetString("SyntaxTemplates", ("template" + std::to_string(i)).c_str(), "");
        if (name == "SyntaxColors")
            name = "C/C++";
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // Offered last, so that a user can start from nothing without typing.
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kEmptySource));
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);
    return TRUE;
}

void CSyntaxTemplateDlg::OnOK()
{
    std::string name = GetDlgItemText(IDC_TEMPLATE_NAME);
    if (m_checkName) {
        std::string problem = m_checkName(name);
        if (!problem.empty()) {
            winui::ShowMessageBox(m_hWnd, problem.c_str(), "Syntax colors", MB_OK | MB_ICONEXCLAMATION);
            HWND edit = GetDlgItem(IDC_TEMPLATE_NAME);
            GotoDlgCtrl(edit);
            ::SendMessageA(edit, EM_SETSEL, 0, -1);
            return;
        }
    }
    m_strName = name;
    m_strCopyFrom = GetDlgItemText(IDC_COPY_FROM);
    EndDialog(IDOK);
}

void CTemplateNameDlg::DoDataExchange(winui::CDataExchange* dx)
{
    winui::DDX_Text(dx, IDC_TEMPLATE_NAME, m_strName);
}

BOOL CTemplateNameDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    HWND edit = GetDlgItem(IDC_TEMPLATE_NAME);
    if (m_nMaxLength >= 0)
        ::SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    if (!m_strTitle.empty())
        ::SetWindowTextA(m_hWnd, m_strTitle.c_str());
    RECT wnd;
    ::GetWindowRect(m_hWnd, &wnd);
    int width = wnd.right - wnd.left;
    int height = wnd.bottom - wnd.top;
    if (m_strPrompt.empty()) {
        // No prompt: the label goes and the window starts at the edit field.
        HWND label = GetDlgItem(IDC_NAME_PROMPT);
        RECT lr, er;
        ::GetWindowRect(label, &lr);
        ::GetWindowRect(edit, &er);
        const int cut = er.top - lr.top;
        ::ShowWindow(label, SW_HIDE);
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT cr;
            ::GetWindowRect(child, &cr);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&cr), 2);
            ::SetWindowPos(child, nullptr, cr.left, cr.top - cut, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        height -= cut;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    } else {
        SetDlgItemText(IDC_NAME_PROMPT, m_strPrompt.c_str());
    }
    if (m_x != -1 || m_y != -1) {
        int y = m_y;
        if (y < height)
            y += height;
        const int left = width < m_x ? m_x - width : m_x;
        ::SetWindowPos(m_hWnd, nullptr, left, y - height, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    GotoDlgCtrl(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;
}
