// CKeyboardMappingDlg: "Keyboard Mapping" (dialog 206). The user picks one
// of the commands, sees its key and gives it a new one made of Ctrl, Shift,
// Alt and a key of the list, or removes it. The dialog edits a working copy
// of the shortcut table; OK takes it over, rebuilds the accelerators and
// saves the table, Cancel leaves everything as it was.
#pragma once

#include "editor/shell/shortcut_table.h"

#include "winui/controls.h"
#include "winui/dialog.h"

#include <functional>

// The command list: owner-drawn; a command that has a key is drawn black,
// the others grey. Item data: the command id, 0x80000000 added while it
// has a key in the working copy.
class CKeyListBox : public winui::CListBox {
public:
    static const LPARAM kAssigned = static_cast<LPARAM>(0x80000000u);
    int m_nLastSel = 0;

    void DrawItem(const DRAWITEMSTRUCT* dis);

protected:
    LRESULT OnReflectDrawItem(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CKeyboardMappingDlg : public winui::CDialog {
public:
    explicit CKeyboardMappingDlg(HWND parent = nullptr);

    // Called after OK has taken the working copy over (the frame rebuilds
    // its accelerators and saves the table).
    std::function<void()> m_onApply;

    ShortcutEntry m_working[kShortcutCount];
    // The working entry of the selected command, -1 when there is none.
    int m_nEntry = -1;
    CKeyListBox m_wndCommands;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCommandChanged();
    void OnKeyChanged();
    void OnSet();
    // Shows the key of the selected command.
    void ShowSelected();
    int ItemOfCommand(uint16_t command) const;
    void SetMark(int item, bool assigned) const;

    DECLARE_MESSAGE_MAP()
};
