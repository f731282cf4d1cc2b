// Menus, popup menus and accelerator tables from resources.
//
//   CMenu          LoadMenuA, CreateMenu, CreatePopupMenu, DestroyMenu,
//                  GetSubMenu, GetMenuItemCount, GetMenuItemID, GetMenuState,
//                  GetMenuStringA, EnableMenuItem, CheckMenuItem,
//                  CheckMenuRadioItem, AppendMenuA, InsertMenuA, ModifyMenuA,
//                  DeleteMenu, RemoveMenu, TrackPopupMenu, SetMenu, DrawMenuBar
//   CAccelerators  LoadAcceleratorsA, CreateAcceleratorTableA,
//                  CopyAcceleratorTableA, TranslateAcceleratorA,
//                  DestroyAcceleratorTable
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winui {

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    // The menu is destroyed with the object unless it was attached or
    // detached (a menu set into a window belongs to the window).
    BOOL LoadMenu(UINT id);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    void Attach(HMENU menu);
    HMENU Detach();
    void DestroyMenu();

    HMENU GetSubMenu(int pos) const { return ::GetSubMenu(m_hMenu, pos); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    UINT GetMenuState(UINT item, UINT flags = MF_BYCOMMAND) const
    {
        return ::GetMenuState(m_hMenu, item, flags);
    }
    std::string GetMenuString(UINT item, UINT flags = MF_BYCOMMAND) const;
    // Return the previous state, or -1 (0xFFFFFFFF) when the item is missing.
    UINT EnableMenuItem(UINT item, UINT enable) const { return ::EnableMenuItem(m_hMenu, item, enable); }
    DWORD CheckMenuItem(UINT item, UINT check) const { return ::CheckMenuItem(m_hMenu, item, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags = MF_BYCOMMAND) const
    {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr) const
    {
        return ::AppendMenuA(m_hMenu, flags, idOrPopup, text);
    }
    BOOL InsertMenu(UINT pos, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr) const
    {
        return ::InsertMenuA(m_hMenu, pos, flags, idOrPopup, text);
    }
    BOOL ModifyMenu(UINT pos, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr) const
    {
        return ::ModifyMenuA(m_hMenu, pos, flags, idOrPopup, text);
    }
    BOOL DeleteMenu(UINT pos, UINT flags = MF_BYCOMMAND) const { return ::DeleteMenu(m_hMenu, pos, flags); }
    BOOL RemoveMenu(UINT pos, UINT flags = MF_BYCOMMAND) const { return ::RemoveMenu(m_hMenu, pos, flags); }

    // Shows a popup menu at a screen point: with TPM_RETURNCMD the chosen
    // command is returned (0 for none), otherwise it is sent to the owner as
    // WM_COMMAND.
    static UINT TrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner)
    {
        return static_cast<UINT>(::TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr));
    }
    // SetMenu + DrawMenuBar: the menu then belongs to the window.
    BOOL SetWindowMenu(HWND wnd);

private:
    bool owned_ = false;
};

class CAccelerators {
public:
    CAccelerators() = default;
    ~CAccelerators() { Destroy(); }
    CAccelerators(const CAccelerators&) = delete;
    CAccelerators& operator=(const CAccelerators&) = delete;

    HACCEL m_hAccel = nullptr;
    operator HACCEL() const { return m_hAccel; }

    // A table resource: loaded tables are freed by the system.
    BOOL Load(UINT id);
    // A table built at run time (keyboard mapping): freed with the object.
    BOOL Create(const std::vector<ACCEL>& entries);
    std::vector<ACCEL> Entries() const;
    // True when the message was a key of the table and became WM_COMMAND
    // (or WM_SYSCOMMAND) to the window.
    bool Translate(HWND wnd, MSG* msg) const
    {
        return m_hAccel && ::TranslateAcceleratorA(wnd, m_hAccel, msg) != 0;
    }
    void Destroy();

private:
    bool created_ = false;
};

} // namespace winui
