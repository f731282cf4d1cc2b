#include "editor/shell/keymap_dlg.h"

#include "editor/shell/key_mapping.h"
#include "editor/shell/macros_res.h"

#include "winui/gdi.h"
#include "winui/msgbox.h"

#include <cstdio>
#include <cstring>

namespace {

const COLORREF kUnassignedColour = 0xC0C0C0;
const int kTextIndent = 15;

} // namespace

// --- CKeyListBox ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKeyListBox, winui::CListBox)
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_DRAWITEM, &CKeyListBox::OnReflectDrawItem)
END_MESSAGE_MAP()

LRESULT CKeyListBox::OnReflectDrawItem(WPARAM, LPARAM lParam)
{
    DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

void CKeyListBox::DrawItem(const DRAWITEMSTRUCT* dis)
{
    if (!dis || static_cast<int>(dis->itemID) < 0)
        return;
    const int item = static_cast<int>(dis->itemID);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    if (selected && item != m_nLastSel) {
        // The item selected before is drawn unselected at once.
        RECT old;
        if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(m_nLastSel), reinterpret_cast<LPARAM>(&old)) != LB_ERR)
            InvalidateRect(&old, TRUE);
    }
    if (selected)
        m_nLastSel = item;
    winui::FillSolidRect(dis->hDC, dis->rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const bool assigned = (static_cast<uint32_t>(dis->itemData) & 0x80000000u) != 0;
    const COLORREF colour = selected ? RGB(255, 255, 255) : assigned ? RGB(0, 0, 0) : kUnassignedColour;
    std::string text = GetText(item);
    const int oldMode = ::SetBkMode(dis->hDC, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dis->hDC, colour);
    RECT textRect = dis->rcItem;
    textRect.left += kTextIndent;
    ::DrawTextA(dis->hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(dis->hDC, oldColour);
    ::SetBkMode(dis->hDC, oldMode);
}

// --- CKeyboardMappingDlg ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKeyboardMappingDlg, winui::CDialog)
    ON_LBN_SELCHANGE(IDC_KEY_COMMANDS, &CKeyboardMappingDlg::OnCommandChanged)
    ON_CBN_SELCHANGE(IDC_KEY_LIST, &CKeyboardMappingDlg::OnKeyChanged)
    ON_BN_CLICKED(IDC_KEY_SET, &CKeyboardMappingDlg::OnSet)
END_MESSAGE_MAP()

CKeyboardMappingDlg::CKeyboardMappingDlg(HWND parent) : winui::CDialog(IDD_KEYBOARD_MAPPING, parent)
{
    std::memcpy(m_working, Shortcuts().table, sizeof m_working);
}

BOOL CKeyboardMappingDlg::OnInitDialog()
{
    m_wndCommands.SubclassDlgItem(IDC_KEY_COMMANDS, m_hWnd);
    std::memcpy(m_working, Shortcuts().table, sizeof m_working);
    for (const KeyMapCommand& c : kKeyMapCommands) {
        const int item = m_wndCommands.AddString(c.text);
        LPARAM data = c.command;
        if (!ShortcutKeyName(c.command, m_working, nullptr).empty())
            data |= CKeyListBox::kAssigned;
        m_wndCommands.SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(item), data);
    }
    for (const char* key : kKeyMapKeys)
        SendDlgItemMessage(IDC_KEY_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key));
    return winui::CDialog::OnInitDialog();
}

int CKeyboardMappingDlg::ItemOfCommand(uint16_t command) const
{
    const int count = m_wndCommands.GetCount();
    for (int i = 0; i < count; ++i)
        if ((m_wndCommands.GetItemData(i) & 0xFFFF) == command)
            return i;
    return -1;
}

void CKeyboardMappingDlg::SetMark(int item, bool assigned) const
{
    if (item < 0)
        return;
    LPARAM data = m_wndCommands.GetItemData(item) & 0xFFFF;
    if (assigned)
        data |= CKeyListBox::kAssigned;
    m_wndCommands.SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(item), data);
}

void CKeyboardMappingDlg::ShowSelected()
{
    const int item = m_wndCommands.GetCurSel();
    m_nEntry = -1;
    if (item < 0)
        return;
    const uint16_t command = static_cast<uint16_t>(m_wndCommands.GetItemData(item) & 0xFFFF);
    int entry = -1;
    std::string name = ShortcutKeyName(command, m_working, &entry);
    if (entry >= 0) {
        const ShortcutEntry& e = m_working[entry];
        SetDlgItemText(IDC_KEY_ASSIGNED, name.c_str());
        CheckDlgButton(IDC_KEY_ALT, (e.flags & 0x10) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_KEY_SHIFT, (e.flags & 0x04) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_KEY_CTRL, (e.flags & 0x08) ? BST_CHECKED : BST_UNCHECKED);
        std::string key = ShortcutKeyText(e);
        SendDlgItemMessage(IDC_KEY_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(key.c_str()));
        m_nEntry = entry;
        return;
    }
    SetDlgItemText(IDC_KEY_ASSIGNED, "not assigned");
    CheckDlgButton(IDC_KEY_ALT, BST_UNCHECKED);
    CheckDlgButton(IDC_KEY_SHIFT, BST_UNCHECKED);
    CheckDlgButton(IDC_KEY_CTRL, BST_UNCHECKED);
    SendDlgItemMessage(IDC_KEY_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1));
    m_nEntry = WorkingEntryFor(m_working, command);
}

void CKeyboardMappingDlg::OnCommandChanged()
{
    ShowSelected();
}

void CKeyboardMappingDlg::OnKeyChanged()
{
    if (SendDlgItemMessage(IDC_KEY_LIST, CB_GETCURSEL) == 0) {
        CheckDlgButton(IDC_KEY_ALT, BST_UNCHECKED);
        CheckDlgButton(IDC_KEY_SHIFT, BST_UNCHECKED);
        CheckDlgButton(IDC_KEY_CTRL, BST_UNCHECKED);
    }
}

void CKeyboardMappingDlg::OnSet()
{
    const int item = m_wndCommands.GetCurSel();
    if (m_nEntry < 0 || item < 0)
        return;
    const uint16_t command = static_cast<uint16_t>(m_wndCommands.GetItemData(item) & 0xFFFF);
    std::string text;
    const int keyItem = static_cast<int>(SendDlgItemMessage(IDC_KEY_LIST, CB_GETCURSEL));
    if (keyItem >= 0) {
        winui::CComboBox keys;
        keys.m_hWnd = GetDlgItem(IDC_KEY_LIST);
        text = keys.GetLBText(keyItem);
        keys.m_hWnd = nullptr;
    }
    uint16_t key = 0;
    if (!ShortcutKeyFromText(text, key)) {
        // Remove the key: only an entry that carries the command goes.
        if (m_working[m_nEntry].command == command)
            RemoveShortcutEntry(m_working, m_nEntry);
        SetMark(item, false);
        m_wndCommands.SetCurSel(-1);
        m_nEntry = -1;
        m_wndCommands.Invalidate();
        return;
    }
    const uint8_t flags = ShortcutFlags(IsDlgButtonChecked(IDC_KEY_CTRL) == BST_CHECKED,
                                        IsDlgButtonChecked(IDC_KEY_SHIFT) == BST_CHECKED,
                                        IsDlgButtonChecked(IDC_KEY_ALT) == BST_CHECKED);
    const int conflict = FindKeyConflict(m_working, key, flags);
    const int other = conflict >= 0 ? ItemOfCommand(m_working[conflict].command) : -1;
    if (other >= 0 && other != item) {
        char question[256];
        std::snprintf(question, sizeof question,
                      "This Key is already assigned to\n   \"%s\"\nAssign new and delete the old one?",
                      m_wndCommands.GetText(other).c_str());
        if (winui::ShowMessageBox(m_hWnd, question, "Assign key", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        SetMark(other, false);
        const int old = FirstEntryOf(m_working, m_working[conflict].command);
        if (old >= 0)
            m_working[old] = ShortcutEntry();
    }
    ShortcutEntry& e = m_working[m_nEntry];
    e.flags = flags;
    e.key = key;
    e.command = command;
    SetMark(item, true);
    SetDlgItemText(IDC_KEY_ASSIGNED, ShortcutKeyName(command, m_working, nullptr).c_str());
    m_wndCommands.Invalidate();
}

void CKeyboardMappingDlg::OnOK()
{
    TakeOverShortcuts(m_working);
    if (m_onApply)
        m_onApply();
    EndDialog(IDOK);
}
