#include "winui/statusctrl.h"

#include <commctrl.h>

#include "winui/common_controls.h"

namespace winui {


BOOL CStatusBarCtrl::Create(HWND parent, UINT id, DWORD style)
{
    InitCommonControlClasses();
    RECT none{0, 0, 0, 0};
    return CreateControl(STATUSCLASSNAMEA, "", style, none, parent, id);
}

BOOL CStatusBarCtrl::SetParts(const std::vector<int>& rightEdges) const
{
    std::vector<int> edges(rightEdges);
    return static_cast<BOOL>(SendMessage(SB_SETPARTS, static_cast<WPARAM>(edges.size()),
                                         reinterpret_cast<LPARAM>(edges.data())));
}

std::string CStatusBarCtrl::GetText(int part) const
{
    LRESULT info = SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(part));
    std::string text(static_cast<size_t>(LOWORD(info)) + 1, '\0');
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(LOWORD(info));
    return text;
}

int CStatusBarCtrl::Height() const
{
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r.bottom - r.top;
}

} // namespace winui
