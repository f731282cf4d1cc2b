#include "winui/dialog.h"

#include "winui/ddx.h"
#include "winui/dialog_script.h"

namespace winui {

// Posted to a modal dialog to let the dialog hook answer it once the dialog
// runs its own loop.
static UINT script_message()
{
    static const UINT message = RegisterWindowMessageA("winui.dialog.script");
    return message;
}

static const int max_script_rounds = 16;

INT_PTR CDialog::DoModal()
{
    modal_ = true;
    ended_ = false;
    scriptRound_ = 0;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     m_hWndParent, StaticDlgProc,
                                     reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

BOOL CDialog::Create(HWND parent)
{
    if (parent)
        m_hWndParent = parent;
    modal_ = false;
    HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                m_hWndParent, StaticDlgProc, reinterpret_cast<LPARAM>(this));
    return h != nullptr;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!filterKeys_ || modal_ || !m_hWnd || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)))
        return FALSE;
    return IsDialogMessageA(m_hWnd, msg);
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!m_hWnd)
        return;
    ended_ = true;
    if (modal_)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(m_hWnd, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

std::string CDialog::GetDlgItemText(int id) const
{
    HWND ctrl = GetDlgItem(id);
    int length = ctrl ? GetWindowTextLengthA(ctrl) : 0;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (ctrl)
        GetWindowTextA(ctrl, &text[0], length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

int CDialog::GetCheckedRadioButton(int first, int last) const
{
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    return 0;
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return true;
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == script_message() && modal_) {
        // One round of scripted answers; a dialog still open afterwards (a
        // check failed) asks for the next answer.
        int round = scriptRound_++;
        // The dialog manager shows a modal dialog once its queue is empty;
        // show it now so that focus and painting work as for a user.
        if (!IsWindowVisible(m_hWnd)) {
            ShowWindow(m_hWnd, SW_SHOWNORMAL);
            SetForegroundWindow(m_hWnd);
        }
        bool wait = false;
        if (round >= max_script_rounds || !RunDialogHook(m_hWnd, m_nIDTemplate, round, &wait))
            EndDialog(IDCANCEL);
        else if (!ended_ && !wait)
            PostMessage(script_message());
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // From here on every message reaches the message map first and falls
    // through to the dialog manager's own procedure.
    auto* dlg = reinterpret_cast<CDialog*>(lParam);
    dlg->SubclassWindow(hwnd);
    BOOL focus = dlg->OnInitDialog();
    if (dlg->modal_ && HasDialogHook())
        ::PostMessageA(hwnd, script_message(), 0, 0);
    return focus;
}

} // namespace winui
