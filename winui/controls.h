// Standard controls: thin CWnd wrappers whose members send the control's
// own messages. Create makes the control with CreateWindowExA and attaches
// it (SubclassWindow), so that its notifications can be reflected to the
// wrapper's own message map; Attach takes an existing control (SubclassDlgItem
// for a dialog's control).
//
//   CStatic    "Static"    SetWindowTextA
//   CButton    "Button"    BM_GETCHECK, BM_SETCHECK, BM_CLICK, BM_SETSTYLE
//   CEdit      "Edit"      EM_LIMITTEXT, EM_GETSEL, EM_SETSEL, EM_REPLACESEL,
//                          EM_GETLINECOUNT, EM_LINEINDEX, EM_LINELENGTH,
//                          EM_GETLINE, EM_SETREADONLY, EM_GETMODIFY,
//                          EM_SETMODIFY, EM_SCROLLCARET, WM_GETTEXT
//   CListBox   "ListBox"   LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
//                          LB_RESETCONTENT, LB_GETCOUNT, LB_GETCURSEL,
//                          LB_SETCURSEL, LB_GETTEXT, LB_FINDSTRING,
//                          LB_FINDSTRINGEXACT, LB_SELECTSTRING,
//                          LB_GETITEMDATA, LB_SETITEMDATA, LB_GETSEL,
//                          LB_SETSEL, LB_GETSELCOUNT, LB_GETSELITEMS,
//                          LB_SETTOPINDEX, LB_GETTOPINDEX
//   CComboBox  "ComboBox"  CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
//                          CB_RESETCONTENT, CB_GETCOUNT, CB_GETCURSEL,
//                          CB_SETCURSEL, CB_GETLBTEXT, CB_FINDSTRING,
//                          CB_FINDSTRINGEXACT, CB_SELECTSTRING,
//                          CB_GETITEMDATA, CB_SETITEMDATA, CB_LIMITTEXT,
//                          CB_SHOWDROPDOWN, CB_GETDROPPEDSTATE
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "winui/wnd.h"

namespace winui {

// The part every control wrapper shares.
class CControl : public CWnd {
public:
    // CreateWindowExA of the wrapper's class as a child with the given id,
    // then SubclassWindow. False when the window could not be made.
    BOOL CreateControl(const char* className, const char* text, DWORD style, const RECT& rect,
                       HWND parent, UINT id, DWORD exStyle = 0);
    // Attaches the control with this id in a dialog or other parent.
    BOOL SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }
    // GetWindowTextA / SetWindowTextA, GetDlgCtrlID, EnableWindow,
    // IsWindowEnabled, ShowWindow, MoveWindow, SendMessageA WM_SETFONT.
    std::string GetWindowText() const;
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int show) const { return ::ShowWindow(m_hWnd, show); }
    void MoveWindow(const RECT& r, BOOL repaint = TRUE) const
    {
        ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    void SetFont(HFONT font, BOOL redraw = TRUE) const
    {
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
};

class CStatic : public CControl {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id = 0xFFFF)
    {
        return CreateControl("Static", text, style, rect, parent, id);
    }
};

class CButton : public CControl {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateControl("Button", text, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    void Click() const { SendMessage(BM_CLICK); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) const { SendMessage(BM_SETSTYLE, style, redraw); }
};

class CEdit : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateControl("Edit", "", style, rect, parent, id, WS_EX_CLIENTEDGE);
    }
    void LimitText(int chars) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE) const;
    void ReplaceSel(const char* text, BOOL canUndo = FALSE) const
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
    int LineLength(int charIndex = -1) const
    {
        return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(charIndex)));
    }
    // EM_GETLINE: the text of a line without its line end.
    std::string GetLine(int line) const;
    void SetReadOnly(BOOL readOnly = TRUE) const { SendMessage(EM_SETREADONLY, readOnly); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) const { SendMessage(EM_SETMODIFY, modified); }
    void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
};

class CListBox : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateControl("ListBox", "", style, rect, parent, id, WS_EX_CLIENTEDGE);
    }
    int AddString(const char* text) const { return Int(LB_ADDSTRING, 0, Str(text)); }
    int InsertString(int index, const char* text) const
    {
        return Int(LB_INSERTSTRING, static_cast<WPARAM>(index), Str(text));
    }
    int DeleteString(int index) const { return Int(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return Int(LB_GETCOUNT); }
    int GetCurSel() const { return Int(LB_GETCURSEL); }
    int SetCurSel(int index) const { return Int(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    // LB_GETTEXTLEN + LB_GETTEXT; empty for an index out of range.
    std::string GetText(int index) const;
    int FindString(int after, const char* text) const
    {
        return Int(LB_FINDSTRING, static_cast<WPARAM>(after), Str(text));
    }
    int FindStringExact(int after, const char* text) const
    {
        return Int(LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Str(text));
    }
    int SelectString(int after, const char* text) const
    {
        return Int(LB_SELECTSTRING, static_cast<WPARAM>(after), Str(text));
    }
    LPARAM GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    int SetItemData(int index, LPARAM data) const
    {
        return Int(LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
    int GetSel(int index) const { return Int(LB_GETSEL, static_cast<WPARAM>(index)); }
    int SetSel(int index, BOOL select = TRUE) const
    {
        return Int(LB_SETSEL, select, static_cast<LPARAM>(index));
    }
    int GetSelCount() const { return Int(LB_GETSELCOUNT); }
    std::vector<int> GetSelItems() const;
    int SetTopIndex(int index) const { return Int(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int GetTopIndex() const { return Int(LB_GETTOPINDEX); }

private:
    int Int(UINT m, WPARAM w = 0, LPARAM l = 0) const { return static_cast<int>(SendMessage(m, w, l)); }
    static LPARAM Str(const char* s) { return reinterpret_cast<LPARAM>(s); }
};

class CComboBox : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id)
    {
        return CreateControl("ComboBox", "", style, rect, parent, id);
    }
    int AddString(const char* text) const { return Int(CB_ADDSTRING, 0, Str(text)); }
    int InsertString(int index, const char* text) const
    {
        return Int(CB_INSERTSTRING, static_cast<WPARAM>(index), Str(text));
    }
    int DeleteString(int index) const { return Int(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return Int(CB_GETCOUNT); }
    int GetCurSel() const { return Int(CB_GETCURSEL); }
    int SetCurSel(int index) const { return Int(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // CB_GETLBTEXTLEN + CB_GETLBTEXT; empty for an index out of range.
    std::string GetLBText(int index) const;
    int FindString(int after, const char* text) const
    {
        return Int(CB_FINDSTRING, static_cast<WPARAM>(after), Str(text));
    }
    int FindStringExact(int after, const char* text) const
    {
        return Int(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Str(text));
    }
    int SelectString(int after, const char* text) const
    {
        return Int(CB_SELECTSTRING, static_cast<WPARAM>(after), Str(text));
    }
    LPARAM GetItemData(int index) const { return SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    int SetItemData(int index, LPARAM data) const
    {
        return Int(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
    void LimitText(int chars) const { SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(chars)); }
    void ShowDropDown(BOOL show = TRUE) const { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }

private:
    int Int(UINT m, WPARAM w = 0, LPARAM l = 0) const { return static_cast<int>(SendMessage(m, w, l)); }
    static LPARAM Str(const char* s) { return reinterpret_cast<LPARAM>(s); }
};

} // namespace winui
