// CDialog: a dialog box from a .rc template, modal or modeless, whose
// messages go through the message map like any CWnd.
//
//   DoModal      DialogBoxParamA; returns the EndDialog result, -1 on failure
//   Create       CreateDialogParamA (modeless; the caller's loop must pass
//                its messages through IsDialogMessageA, or FilterDialogKeys
//                set before Create has the dialog do it itself)
//   EndDialog    EndDialog (modal) or DestroyWindow (modeless)
//   UpdateData   runs DoDataExchange in one direction (see winui/ddx.h)
//   GetDlgItem, SetDlgItemText, GetDlgItemText, SetDlgItemInt,
//   GetDlgItemInt, CheckDlgButton, IsDlgButtonChecked, CheckRadioButton,
//   GetCheckedRadioButton, SendDlgItemMessage, GotoDlgCtrl (WM_NEXTDLGCTL)
//
// OK and Cancel buttons (BN_CLICKED of IDOK and IDCANCEL, also Enter, Escape
// and the close box) call OnOK and OnCancel unless the message map has a
// command entry for them. A modal dialog shown while a dialog hook is set
// (winui/dialog_script.h) is filled and answered by that hook.
#pragma once

#include <windows.h>

#include <string>

#include "winui/wnd.h"

namespace winui {

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : m_nIDTemplate(templateId), m_hWndParent(parent)
    {
    }

    UINT m_nIDTemplate;
    HWND m_hWndParent;

    INT_PTR DoModal();
    BOOL Create(HWND parent = nullptr);
    bool IsModal() const { return modal_; }
    void EndDialog(INT_PTR result);

    // Called once the controls exist: exchanges data into them (UpdateData
    // FALSE). Returns TRUE to let the system set the focus.
    virtual BOOL OnInitDialog();
    // Reads and checks the controls (UpdateData TRUE); ends with IDOK only
    // when every check passed, otherwise the dialog stays open.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange* dx) {}

    // FALSE when a check failed (its message shown, the control focused).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }
    void SetDlgItemText(int id, const char* text) const { ::SetDlgItemTextA(m_hWnd, id, text); }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) const
    {
        ::SetDlgItemInt(m_hWnd, id, value, isSigned);
    }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const
    {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) const { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) const
    {
        ::CheckRadioButton(m_hWnd, first, last, check);
    }
    // The id of the checked button among first..last, 0 when none is.
    int GetCheckedRadioButton(int first, int last) const;
    // WM_NEXTDLGCTL: moves the focus to a control as the dialog manager does.
    void GotoDlgCtrl(HWND ctrl) const
    {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ctrl), TRUE);
    }
    void EnableDlgItem(int id, BOOL enable) const { ::EnableWindow(GetDlgItem(id), enable); }

    // A modeless dialog that keeps its keys: the messages of the dialog and
    // its controls go through IsDialogMessageA when the loop offers them
    // (PreTranslateMessage), so Tab, Enter, Escape, Alt+letter and the edit
    // keys of its controls act in it and never reach the owner's
    // accelerators.
    void FilterDialogKeys(bool on) { filterKeys_ = on; }
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND, UINT, WPARAM, LPARAM);
    bool modal_ = false;
    bool ended_ = false;
    bool filterKeys_ = false;
    int scriptRound_ = 0;
};

} // namespace winui
