// COutputBar: the output window, a sizeable docking dialog bar (template
// 175) at the bottom of the main frame. It holds three read-only panes on
// top of each other, "Output" (tool runs), "Search results" and "Tags", and
// a row of three push-like buttons below them that bring a pane to the
// front; each pane's own horizontal scroll bar stands right of the buttons.
//
// Colours come from [Specials] "OutWndFontColor" and "OutWndBkgndColor"
// (hexadecimal COLORREF texts), the font from the section "OutWndFont"
// (LOGFONT fields and "FaceName"; an empty face takes the editor's font).
// The panes' "Font..." command chooses a new font for all three and writes
// the section again.
#pragma once

#include "editor/docking/sizebar.h"
#include "editor/tools/output_edit.h"

#include <string>

class CToolRunner;
class CToolShell;

// The output bar's child id in the frame.
const UINT kOutputBarId = 0xE820;

class COutputBar : public CVelloSizeDialogBar {
public:
    COutputBar(CToolShell* shell, CToolRunner* runner);
    ~COutputBar() override;

    // Makes the bar and its panes in the frame (child id 0xE820), docked
    // nowhere yet; the caller docks it at the bottom. editorFont (may be
    // null) serves when "FaceName" is empty.
    BOOL Create(winui::CFrameWnd* frame, BOOL visible, HFONT editorFont);

    // Kind 2 "Output", 1 "Search results", 3 "Tags": that pane comes to the
    // front with its button checked and takes the kind; others do nothing.
    void ShowPane(int kind);
    // Shows or hides the "Tags" button (hiding brings "Search results" to
    // the front).
    void EnableTagsTab(bool on);
    // The pane of a kind (1, 2 or 3).
    COutputEdit& Pane(int kind);
    // The button of a pane kind.
    HWND PaneButton(int kind) const;
    // The kind of the visible pane, 0 when none is.
    int VisiblePane() const;

    // "Font...": the font dialog (fixed-pitch screen fonts) from the panes'
    // font; on OK all panes take it and "OutWndFont" is written.
    void ChooseFont();
    // The font the panes draw with (a copy of it).
    LOGFONTA PaneFont() const;

    void OnSizeOrStateChanged(int cx, int cy, BOOL bFloating, int nFlags) override;
    // Places panes, buttons and scroll bars in the bar's client area.
    void Layout();

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnParentNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnHScrollMsg(WPARAM wParam, LPARAM lParam);

private:
    static int Slot(int kind);
    void ApplyFont(HFONT font);
    void ShowOnly(int slot);

    CToolShell* shell_;
    CToolRunner* runner_;
    // Output, Search results, Tags.
    COutputEdit panes_[3];
    HWND buttons_[3] = {nullptr, nullptr, nullptr};
    int buttonWidth_ = 80;
    int buttonCount_ = 3;

    DECLARE_MESSAGE_MAP()
};

// A COLORREF from its hexadecimal text ("C0C0C0"); def when the text is
// no number.
COLORREF ColorFromHexText(const std::string& text, COLORREF def);
