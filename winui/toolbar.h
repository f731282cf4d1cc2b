// CToolBar: the common tool bar control (TOOLBARCLASSNAMEA) as a control bar
// at a frame's edge, with buttons cut from one bitmap and tool tips.
//
//   Create           CreateWindowExA(TOOLBARCLASSNAMEA, TBSTYLE_FLAT |
//                    TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
//                    CCS_NODIVIDER), SubclassWindow, TB_BUTTONSTRUCTSIZE
//   LoadBitmap       TB_SETBITMAPSIZE, TB_ADDBITMAP (a bitmap resource of
//                    images 16 x 15 side by side)
//   AddBitmap        TB_ADDBITMAP of further images; the index of the first
//   SetButtonImage   TB_CHANGEBITMAP
//   SetButtons       TB_DELETEBUTTON, TB_ADDBUTTONSA; 0 in the list is a
//                    separator; a button's image is its position among the
//                    buttons; its tip is the text after "\n" in the string
//                    resource of its command id (TTM_UPDATETIPTEXTA)
//   SetButtonTip     TB_GETTOOLTIPS, TTM_UPDATETIPTEXTA
//   GetButtonTip     TTM_GETTEXTA
//   CommandToIndex   TB_COMMANDTOINDEX
//   IsButtonEnabled, IsButtonChecked, EnableButton, CheckButton
//                    TB_ISBUTTONENABLED, TB_ISBUTTONCHECKED, TB_ENABLEBUTTON,
//                    TB_CHECKBUTTON
//   GetItemRect      TB_GETITEMRECT
//
// A click sends WM_COMMAND with the button's id to the frame, which routes
// it as a command. OnUpdateCmdUI runs each button's update handler:
// Enable and SetCheck of its CCmdUI change the button.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "winui/controlbar.h"

namespace winui {

class CToolBar : public CControlBar {
public:
    BOOL Create(CFrameWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT id = AFX_IDW_TOOLBAR);
    BOOL LoadBitmap(UINT bitmapId, SIZE image = SIZE{16, 15});
    // The images of a bitmap resource added behind the others; the index
    // of its first image, -1 when it cannot be loaded.
    int AddBitmap(UINT bitmapId, SIZE image = SIZE{16, 15});
    BOOL SetButtonImage(UINT id, int image) const
    {
        return static_cast<BOOL>(SendMessage(TB_CHANGEBITMAP, id, MAKELPARAM(image, 0)));
    }
    BOOL SetButtons(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }
    void SetButtonTip(UINT id, const char* text) const;
    std::string GetButtonTip(UINT id) const;
    BOOL EnableButton(UINT id, BOOL enable = TRUE) const
    {
        return static_cast<BOOL>(SendMessage(TB_ENABLEBUTTON, id, MAKELPARAM(enable, 0)));
    }
    BOOL CheckButton(UINT id, BOOL check = TRUE) const
    {
        return static_cast<BOOL>(SendMessage(TB_CHECKBUTTON, id, MAKELPARAM(check, 0)));
    }
    bool IsButtonEnabled(UINT id) const { return SendMessage(TB_ISBUTTONENABLED, id) != 0; }
    bool IsButtonChecked(UINT id) const { return SendMessage(TB_ISBUTTONCHECKED, id) != 0; }
    BOOL GetItemRect(int index, RECT* rect) const
    {
        return static_cast<BOOL>(SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
};

// The tip of a command: the text after "\n" in its string resource, or
// empty (LoadStringA).
std::string CommandTip(UINT id);

// Answers a tool tip's TTN_GETDISPINFOA or TTN_GETDISPINFOW request with
// text, cut to the request's 80-character buffer; false for any other
// notification.
bool AnswerToolTipText(LPARAM lParam, const std::string& text);
// The tool id of a tool tip's text request, or -1 when lParam is none.
int ToolTipRequestId(LPARAM lParam);

} // namespace winui
