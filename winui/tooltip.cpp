#include "winui/tooltip.h"

#include "winui/common_controls.h"

namespace winui {

BOOL CToolTipCtrl::Create(HWND owner, DWORD style)
{
    InitCommonControlClasses();
    if (m_hWnd)
        return FALSE;
    HWND h = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    return h && SubclassWindow(h);
}

TOOLINFOA CToolTipCtrl::ToolInfo(HWND tool, const char* text) const
{
    TOOLINFOA ti{};
    // The size without the reserved member that older control versions
    // refuse.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = ::GetParent(tool);
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = const_cast<char*>(text);
    return ti;
}

BOOL CToolTipCtrl::AddTool(HWND tool, const char* text)
{
    if (!m_hWnd || !tool)
        return FALSE;
    TOOLINFOA ti = ToolInfo(tool, text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(HWND tool, const char* text)
{
    TOOLINFOA ti = ToolInfo(tool, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string CToolTipCtrl::GetText(HWND tool) const
{
    // TTM_GETTEXTA hands back at most 79 characters; the wide message gives
    // the whole tip (up to the 1024 characters the control keeps).
    wchar_t text[1024] = L"";
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = ::GetParent(tool);
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text;
    ::SendMessageW(m_hWnd, TTM_GETTEXTW, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(&ti));
    if (!ti.lpszText || ti.lpszText == LPSTR_TEXTCALLBACKW || !text[0])
        return "";
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

} // namespace winui
