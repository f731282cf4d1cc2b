#include "winui/menu.h"

namespace winui {

BOOL CMenu::LoadMenu(UINT id)
{
    DestroyMenu();
    m_hMenu = ::LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    owned_ = m_hMenu != nullptr;
    return owned_;
}

BOOL CMenu::CreateMenu()
{
    DestroyMenu();
    m_hMenu = ::CreateMenu();
    owned_ = m_hMenu != nullptr;
    return owned_;
}

BOOL CMenu::CreatePopupMenu()
{
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    owned_ = m_hMenu != nullptr;
    return owned_;
}

void CMenu::Attach(HMENU menu)
{
    DestroyMenu();
    m_hMenu = menu;
    owned_ = false;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    owned_ = false;
    return menu;
}

void CMenu::DestroyMenu()
{
    if (m_hMenu && owned_)
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    owned_ = false;
}

std::string CMenu::GetMenuString(UINT item, UINT flags) const
{
    char text[256] = "";
    ::GetMenuStringA(m_hMenu, item, text, sizeof text, flags);
    return text;
}

BOOL CMenu::SetWindowMenu(HWND wnd)
{
    if (!::SetMenu(wnd, m_hMenu))
        return FALSE;
    ::DrawMenuBar(wnd);
    owned_ = false;
    return TRUE;
}

BOOL CAccelerators::Load(UINT id)
{
    Destroy();
    m_hAccel = ::LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    return m_hAccel != nullptr;
}

BOOL CAccelerators::Create(const std::vector<ACCEL>& entries)
{
    Destroy();
    if (entries.empty())
        return FALSE;
    m_hAccel = ::CreateAcceleratorTableA(const_cast<ACCEL*>(entries.data()),
                                         static_cast<int>(entries.size()));
    created_ = m_hAccel != nullptr;
    return created_;
}

std::vector<ACCEL> CAccelerators::Entries() const
{
    if (!m_hAccel)
        return {};
    int count = ::CopyAcceleratorTableA(m_hAccel, nullptr, 0);
    std::vector<ACCEL> entries(count > 0 ? static_cast<size_t>(count) : 0);
    if (!entries.empty())
        ::CopyAcceleratorTableA(m_hAccel, entries.data(), count);
    return entries;
}

void CAccelerators::Destroy()
{
    if (m_hAccel && created_)
        ::DestroyAcceleratorTable(m_hAccel);
    m_hAccel = nullptr;
    created_ = false;
}

} // namespace winui
