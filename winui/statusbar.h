// CStatusBar: the common status bar control (STATUSCLASSNAMEA) as a control
// bar at a frame's bottom, with panes named by ids.
//
//   Create          CreateWindowExA(STATUSCLASSNAMEA, SBARS_SIZEGRIP |
//                   CCS_NORESIZE | CCS_NOPARENTALIGN), SubclassWindow
//   SetIndicators   panes from a list of ids: the first stretches, each
//                   other is as wide as the text of its string resource
//                   (LoadStringA, GetTextExtentPoint32A), 0 an empty pane;
//                   SB_SETPARTS from the right edge
//   SetPaneInfo     a pane's id, style (SBT_ bits) and width in pixels
//   SetPaneText     SB_SETTEXTA (with the pane's SBT_ style)
//   GetPaneText     SB_GETTEXTLENGTHA, SB_GETTEXTA
//   GetItemRect     SB_GETRECT
//   CommandToIndex  the pane of an id, -1 for none
//
// OnUpdateCmdUI runs each pane's update handler: SetText sets the pane's
// text, Enable(FALSE) empties it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "winui/controlbar.h"

namespace winui {

class CStatusBar : public CControlBar {
public:
    BOOL Create(CFrameWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(panes_.size()); }
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    BOOL SetPaneText(int index, const char* text);
    std::string GetPaneText(int index) const;
    BOOL GetItemRect(int index, RECT* rect) const
    {
        return static_cast<BOOL>(SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT id;
        UINT style;
        int width;
    };
    void SetParts();
    int TextWidth(const char* text) const;
    std::vector<Pane> panes_;
};

} // namespace winui
