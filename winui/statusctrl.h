// CStatusBarCtrl: the common status bar control ("msctls_statusbar32") as a
// plain child control (CStatusBar is the frame's control bar) at
// the bottom of a frame.
//
//   Create     CreateWindowExA(STATUSCLASSNAMEA), SBARS_SIZEGRIP
//   SetParts   SB_SETPARTS (right edges; -1 reaches to the window's edge)
//   SetText    SB_SETTEXTA      GetText  SB_GETTEXTLENGTHA, SB_GETTEXTA
//   Reposition WM_SIZE, which makes the bar take its place in the parent
//   Height     GetWindowRect
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "winui/controls.h"

namespace winui {

class CStatusBarCtrl : public CControl {
public:
    BOOL Create(HWND parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP);
    BOOL SetParts(const std::vector<int>& rightEdges) const;
    BOOL SetText(int part, const char* text) const
    {
        return static_cast<BOOL>(SendMessage(SB_SETTEXTA, static_cast<WPARAM>(part),
                                              reinterpret_cast<LPARAM>(text)));
    }
    std::string GetText(int part) const;
    void Reposition() const { SendMessage(WM_SIZE); }
    int Height() const;
};

} // namespace winui
