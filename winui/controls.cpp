#include "winui/controls.h"

namespace winui {

BOOL CControl::CreateControl(const char* className, const char* text, DWORD style,
                             const RECT& rect, HWND parent, UINT id, DWORD exStyle)
{
    HWND h = CreateWindowExA(exStyle, className, text, style | WS_CHILD, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    return h && SubclassWindow(h);
}

std::string CControl::GetWindowText() const
{
    int length = GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) const
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll)
        SendMessage(EM_SCROLLCARET);
}

std::string CEdit::GetLine(int line) const
{
    int index = LineIndex(line);
    if (index < 0)
        return "";
    int length = LineLength(index);
    // EM_GETLINE takes the buffer size in its first word and adds no NUL.
    std::string text(static_cast<size_t>(length < 2 ? 2 : length) + 1, '\0');
    *reinterpret_cast<WORD*>(&text[0]) = static_cast<WORD>(text.size() - 1);
    int copied = static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line),
                                              reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    return text;
}

std::string CListBox::GetText(int index) const
{
    LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR)
        return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(lstrlenA(text.c_str()));
    return text;
}

std::vector<int> CListBox::GetSelItems() const
{
    int count = GetSelCount();
    std::vector<int> items(count > 0 ? static_cast<size_t>(count) : 0);
    if (!items.empty())
        SendMessage(LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
    return items;
}

std::string CComboBox::GetLBText(int index) const
{
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(lstrlenA(text.c_str()));
    return text;
}

} // namespace winui
