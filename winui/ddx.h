// Dialog data exchange: moves values between a dialog's controls and the
// members of its class in one direction, and checks them on the way in.
// A CDialog's DoDataExchange calls these; UpdateData(FALSE) fills the
// controls, UpdateData(TRUE) reads them back.
//
//   DDX_Text      SetWindowTextA / GetWindowTextA of an edit field; numbers
//                 in decimal (a text that is no number fails with "Please
//                 enter an integer.")
//   DDV_MaxChars  EM_LIMITTEXT when filling; when reading, a longer text
//                 fails with "Please enter no more than %1 characters."
//   DDV_MinMaxInt when reading, a number outside min..max fails with
//                 "Please enter an integer between %1 and %2."
//   DDX_Check     BM_SETCHECK / BM_GETCHECK (0, 1, 2)
//   DDX_Radio     the first button of a radio group (WS_GROUP up to the next
//                 group): index of the checked button, -1 for none
//   DDX_CBIndex   CB_SETCURSEL / CB_GETCURSEL
//   DDX_CBString  CB_SELECTSTRING (by the text's start) and the edit text
//                 of the combo box / its window text when reading
//   DDX_LBIndex   LB_SETCURSEL / LB_GETCURSEL
//   DDX_LBString  LB_SELECTSTRING / LB_GETTEXT of the selection
//
// A failed check shows its message in a message box (winui/msgbox.h, an
// exclamation icon, the program's name as caption), puts the focus on the
// control (an edit field's text selected) and stops the exchange: later
// calls do nothing and UpdateData returns FALSE.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate)
        : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate)
    {
    }
    HWND m_hDialog;
    bool m_bSaveAndValidate;

    // The control of the exchange in progress; remembered for Fail.
    HWND PrepareCtrl(int id);
    HWND LastCtrl() const { return last_; }
    // Shows the message, focuses the last control and stops the exchange.
    void Fail(const std::string& message);
    bool Failed() const { return failed_; }
    // True when the exchange goes on (not failed).
    bool Active() const { return !failed_; }

private:
    HWND last_ = nullptr;
    bool failed_ = false;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, unsigned& value);
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int count);
void DDV_MinMaxInt(CDataExchange* dx, long value, long minValue, long maxValue);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, bool& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, std::string& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& value);
void DDX_LBString(CDataExchange* dx, int id, std::string& value);

// The caption of the framework's own message boxes: the program's file
// name without folder and extension (GetModuleFileNameA).
std::string ProgramName();

} // namespace winui
