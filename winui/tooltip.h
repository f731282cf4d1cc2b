// CToolTipCtrl: the common tool-tip control (TOOLTIPS_CLASSA) that shows a
// tip while the mouse rests over a tool, here a child window of the owner.
//
//   Create          CreateWindowExA(TOOLTIPS_CLASSA, WS_POPUP | TTS_ALWAYSTIP
//                   | TTS_NOPREFIX, owner), SubclassWindow
//   AddTool         TTM_ADDTOOLA with TTF_IDISHWND | TTF_SUBCLASS: the tool
//                   is the window itself; the control watches its mouse
//                   messages. A static control needs SS_NOTIFY to get them.
//   UpdateTipText   TTM_UPDATETIPTEXTA
//   GetText         TTM_GETTEXTW (the A message cuts tips at 79 characters),
//                   WideCharToMultiByte; empty when the window is no tool
//   GetToolCount    TTM_GETTOOLCOUNT
//   SetMaxTipWidth  TTM_SETMAXTIPWIDTH (long tips wrap at that width)
//   Activate        TTM_ACTIVATE
#pragma once

#include "winui/wnd.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace winui {

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(HWND owner, DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX);
    BOOL AddTool(HWND tool, const char* text);
    void UpdateTipText(HWND tool, const char* text);
    std::string GetText(HWND tool) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    int SetMaxTipWidth(int width)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
    }
    void Activate(BOOL on) { SendMessage(TTM_ACTIVATE, on); }

private:
    TOOLINFOA ToolInfo(HWND tool, const char* text) const;
};

} // namespace winui
