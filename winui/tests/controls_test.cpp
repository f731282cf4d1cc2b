#include "winui/app.h"
#include "winui/common_controls.h"
#include "winui/controls.h"
#include "winui/menu.h"
#include "winui/statusctrl.h"
#include "winui/tooltip.h"

#include "test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A parent that records the notifications its controls send.
class CParentWnd : public winui::CWnd {
public:
    std::vector<std::string> log;
    void Create()
    {
        RegisterClass("winui.controls.parent", 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        CreateEx(0, "winui.controls.parent", "controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                 500, 400, nullptr, nullptr);
    }
    void OnListSel() { log.push_back("list selchange"); }
    void OnClick() { log.push_back("button click"); }
    void OnTabChange(NMHDR*, LRESULT* result)
    {
        log.push_back("tab selchange");
        *result = 0;
    }
    void OnTreeSel(NMHDR* nm, LRESULT*)
    {
        auto* tv = reinterpret_cast<NMTREEVIEWA*>(nm);
        log.push_back("tree selchanged " + std::to_string(tv->itemNew.lParam));
    }
    void OnCommandCopy() { log.push_back("copy"); }
    void OnCommandOpen() { log.push_back("open"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, winui::CWnd)
    ON_CONTROL(LBN_SELCHANGE, 11, &CParentWnd::OnListSel)
    ON_COMMAND(12, &CParentWnd::OnClick)
    ON_NOTIFY(TCN_SELCHANGE, 13, &CParentWnd::OnTabChange)
    ON_NOTIFY(TVN_SELCHANGEDA, 14, &CParentWnd::OnTreeSel)
    ON_COMMAND(ID_EDIT_COPY, &CParentWnd::OnCommandCopy)
    ON_COMMAND(ID_FILE_OPEN, &CParentWnd::OnCommandOpen)
END_MESSAGE_MAP()

const RECT kRect{10, 10, 210, 150};

TEST(StandardControls, ButtonEditListAndComboAnswerTheirMessages)
{
    CParentWnd parent;
    parent.Create();
    winui::CButton check, push;
    ASSERT_TRUE(check.Create("Check", BS_AUTOCHECKBOX | WS_VISIBLE, kRect, parent, 10));
    ASSERT_TRUE(push.Create("Push", BS_PUSHBUTTON | WS_VISIBLE, RECT{220, 10, 300, 40}, parent, 12));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetWindowText(), "Check");
    EXPECT_EQ(check.GetDlgCtrlID(), 10);
    push.Click();
    EXPECT_EQ(parent.log, std::vector<std::string>{"button click"});

    winui::CEdit edit;
    ASSERT_TRUE(edit.Create(ES_MULTILINE | ES_AUTOVSCROLL | WS_VISIBLE, kRect, parent, 15));
    edit.SetWindowText("first line\r\nsecond");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.GetLine(1), "second");
    EXPECT_EQ(edit.LineIndex(1), 12);
    EXPECT_EQ(edit.LineLength(12), 6);
    edit.SetSel(6, 10);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 10);
    edit.ReplaceSel("row");
    EXPECT_EQ(edit.GetLine(0), "first row");
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.LimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);

    winui::CListBox list;
    ASSERT_TRUE(list.Create(LBS_NOTIFY | LBS_EXTENDEDSEL | WS_VISIBLE | WS_VSCROLL, kRect, parent, 11));
    for (const char* s : {"beta", "alpha", "gamma"})
        list.AddString(s);
    list.InsertString(0, "first");
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetText(0), "first");
    EXPECT_EQ(list.GetText(9), "");
    EXPECT_EQ(list.FindStringExact(-1, "gamma"), 3);
    EXPECT_EQ(list.FindString(-1, "al"), 2);
    list.SetItemData(2, 77);
    EXPECT_EQ(list.GetItemData(2), 77);
    list.SetSel(1);
    list.SetSel(3);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1, 3}));
    list.DeleteString(0);
    EXPECT_EQ(list.GetText(0), "beta");
    // A click notification reaches the parent's ON_CONTROL entry.
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(11, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.m_hWnd));
    EXPECT_EQ(parent.log.back(), "list selchange");

    winui::CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE, RECT{10, 10, 200, 200}, parent, 16));
    for (const char* s : {"COM1:", "COM2:", "COM3:"})
        combo.AddString(s);
    EXPECT_EQ(combo.SelectString(-1, "COM2"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetLBText(2), "COM3:");
    EXPECT_EQ(combo.GetWindowText(), "COM2:");
    EXPECT_EQ(combo.FindStringExact(-1, "COM9:"), CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST(CommonControls, TabTreeListProgressAndImageList)
{
    CParentWnd parent;
    parent.Create();

    winui::CImageList images;
    ASSERT_TRUE(images.Load(IDB_TOOLS, 16, 4, RGB(255, 0, 255)));
    EXPECT_EQ(images.GetImageCount(), 4);
    winui::CImageList empty;
    ASSERT_TRUE(empty.Create(16, 16));
    EXPECT_EQ(empty.GetImageCount(), 0);

    winui::CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{0, 0, 300, 100}, parent, 13));
    tabs.SetImageList(images);
    EXPECT_EQ(tabs.InsertItem(0, "main.c", 0, 100), 0);
    EXPECT_EQ(tabs.InsertItem(1, "util.c", 1, 101), 1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetItemText(1), "util.c");
    EXPECT_EQ(tabs.GetItemData(1), 101);
    tabs.SetItemText(1, "util.h");
    EXPECT_EQ(tabs.GetItemText(1), "util.h");
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    RECT item{};
    ASSERT_TRUE(tabs.GetItemRect(0, &item));
    EXPECT_EQ(tabs.HitTest(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}), 0);
    RECT display{0, 0, 300, 100};
    tabs.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, 0);
    // A click on a tab: the control notifies the parent's ON_NOTIFY entry.
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    SendMessageA(tabs, WM_LBUTTONUP, 0, MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    EXPECT_EQ(tabs.GetCurSel(), 0);
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(parent.log.back(), "tab selchange");

    winui::CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | WS_VISIBLE,
                            RECT{0, 0, 300, 200}, parent, 14));
    HTREEITEM root = tree.InsertItem("project", TVI_ROOT, TVI_LAST, -1, -1, 1);
    HTREEITEM a = tree.InsertItem("a.c", root, TVI_LAST, -1, -1, 2);
    HTREEITEM b = tree.InsertItem("b.c", root, TVI_LAST, -1, -1, 3);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), a);
    EXPECT_EQ(tree.GetNextSiblingItem(a), b);
    EXPECT_EQ(tree.GetParentItem(b), root);
    EXPECT_EQ(tree.GetItemText(b), "b.c");
    EXPECT_EQ(tree.GetItemData(b), 3);
    tree.SetItemText(b, "b.h");
    EXPECT_EQ(tree.GetItemText(b), "b.h");
    tree.Expand(root);
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    tree.SelectItem(b);
    EXPECT_EQ(tree.GetSelectedItem(), b);
    EXPECT_EQ(parent.log.back(), "tree selchanged 3");
    tree.DeleteItem(a);
    EXPECT_EQ(tree.GetCount(), 2u);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);

    winui::CListCtrl listView;
    ASSERT_TRUE(listView.Create(LVS_REPORT | LVS_SHOWSELALWAYS | WS_VISIBLE, RECT{0, 0, 300, 200}, parent, 17));
    listView.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(listView.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(listView.InsertColumn(1, "Line", LVCFMT_RIGHT, 50), 1);
    listView.SetImageList(images);
    EXPECT_EQ(listView.InsertItem(0, "main", 0), 0);
    EXPECT_EQ(listView.InsertItem(1, "init", 1), 1);
    listView.SetItemText(1, 1, "42");
    listView.SetItemData(1, 9);
    EXPECT_EQ(listView.GetItemCount(), 2);
    EXPECT_EQ(listView.GetItemText(1, 0), "init");
    EXPECT_EQ(listView.GetItemText(1, 1), "42");
    EXPECT_EQ(listView.GetItemData(1), 9);
    listView.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(listView.GetNextItem(-1, LVNI_SELECTED), 1);
    listView.DeleteItem(0);
    EXPECT_EQ(listView.GetItemText(0, 0), "init");
    listView.SetImageList(nullptr);
    tabs.SetImageList(nullptr);

    winui::CProgressCtrl gauge;
    ASSERT_TRUE(gauge.Create(WS_VISIBLE, RECT{0, 0, 200, 20}, parent, 18));
    gauge.SetRange(0, 100);
    int low = -1, high = -1;
    gauge.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    gauge.SetPos(40);
    EXPECT_EQ(gauge.GetPos(), 40);
    gauge.SetStep(25);
    gauge.StepIt();
    EXPECT_EQ(gauge.GetPos(), 65);
    gauge.SetPos(500); // clamped to the range
    EXPECT_EQ(gauge.GetPos(), 100);
}

TEST(CommonControls, StatusBarPartsAndTexts)
{
    CParentWnd parent;
    parent.Create();
    winui::CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(parent, 15));
    status.Reposition();
    EXPECT_TRUE(status.SetParts({300, -1}));
    EXPECT_TRUE(status.SetText(0, "Downloaded 64 Bytes"));
    EXPECT_TRUE(status.SetText(1, "Monitor"));
    EXPECT_EQ(status.GetText(0), "Downloaded 64 Bytes");
    EXPECT_EQ(status.GetText(1), "Monitor");
    RECT client, bar;
    GetClientRect(parent, &client);
    GetWindowRect(status, &bar);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_GT(status.Height(), 0);
    EXPECT_EQ(bar.bottom, client.bottom); // at the bottom of its parent
}

TEST(Menus, ResourceMenuStatesAndChanges)
{
    winui::CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_MAIN));
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    winui::CMenu file;
    file.Attach(menu.GetSubMenu(0));
    EXPECT_EQ(file.GetMenuItemID(0), static_cast<UINT>(ID_FILE_OPEN));
    EXPECT_EQ(menu.GetMenuString(ID_FILE_OPEN), "&Open...\tCtrl+O");
    EXPECT_TRUE(menu.GetMenuState(ID_FILE_SAVE) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_VIEW_BAR) & MF_CHECKED);
    menu.EnableMenuItem(ID_FILE_SAVE, MF_ENABLED);
    menu.CheckMenuItem(ID_VIEW_BAR, MF_UNCHECKED);
    EXPECT_FALSE(menu.GetMenuState(ID_FILE_SAVE) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(ID_VIEW_BAR) & MF_CHECKED);
    EXPECT_EQ(menu.EnableMenuItem(4711, MF_GRAYED), 0xFFFFFFFFu);
    file.AppendMenu(MF_SEPARATOR);
    file.AppendMenu(MF_STRING, 0xE110, "1 main.c");
    file.InsertMenu(0, MF_BYPOSITION | MF_STRING, 0xE100, "&New");
    EXPECT_EQ(file.GetMenuItemCount(), 5);
    EXPECT_EQ(file.GetMenuItemID(0), 0xE100u);
    file.ModifyMenu(0xE110, MF_BYCOMMAND | MF_STRING, 0xE110, "1 util.c");
    EXPECT_EQ(file.GetMenuString(0xE110), "1 util.c");
    file.DeleteMenu(0xE110);
    EXPECT_EQ(file.GetMenuItemCount(), 4);
    // A menu set into a window belongs to it.
    CParentWnd frame;
    frame.Create();
    ASSERT_TRUE(menu.SetWindowMenu(frame));
    EXPECT_EQ(GetMenu(frame), menu.m_hMenu);
}

TEST(Menus, PopupMenuReturnsTheChosenCommandOrSendsIt)
{
    CParentWnd owner;
    owner.Create();
    SetForegroundWindow(owner);
    winui::CMenu context;
    ASSERT_TRUE(context.LoadMenu(IDM_CONTEXT));
    HMENU popup = context.GetSubMenu(0);
    // The menu's own loop takes these keys: down to the second item, Enter.
    PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(winui::CMenu::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 50, 50, owner),
              static_cast<UINT>(ID_FILE_OPEN));
    // Without TPM_RETURNCMD the choice arrives as a command; Escape chooses none.
    PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
    winui::CMenu::TrackPopupMenu(popup, TPM_LEFTALIGN, 50, 50, owner);
    winui::PumpWaitingMessages();
    EXPECT_EQ(owner.log, std::vector<std::string>{"copy"});
    PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(winui::CMenu::TrackPopupMenu(popup, TPM_RETURNCMD, 50, 50, owner), 0u);
}

TEST(Accelerators, ResourceTableTranslatesKeysIntoCommands)
{
    CParentWnd frame;
    frame.Create();
    winui::CAccelerators accel;
    ASSERT_TRUE(accel.Load(IDA_MAIN));
    std::vector<ACCEL> entries = accel.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, 'O');
    EXPECT_EQ(entries[0].cmd, ID_FILE_OPEN);
    EXPECT_EQ(entries[0].fVirt & (FVIRTKEY | FCONTROL), FVIRTKEY | FCONTROL);

    // Ctrl+Insert as the keyboard delivers it.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{frame, WM_KEYDOWN, VK_INSERT, 0, 0, {0, 0}};
    EXPECT_TRUE(accel.Translate(frame, &msg));
    msg.wParam = 'Q';
    EXPECT_FALSE(accel.Translate(frame, &msg));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    msg.wParam = VK_INSERT;
    EXPECT_FALSE(accel.Translate(frame, &msg));
    EXPECT_EQ(frame.log, std::vector<std::string>{"copy"});

    // A table built at run time, as the keyboard mapping makes one.
    winui::CAccelerators own;
    ASSERT_TRUE(own.Create({{FVIRTKEY, VK_F5, ID_FILE_OPEN}}));
    EXPECT_EQ(own.Entries().size(), 1u);
    msg.wParam = VK_F5;
    EXPECT_TRUE(own.Translate(frame, &msg));
    EXPECT_EQ(frame.log.back(), "open");
}

TEST(ToolTips, EachToolWindowKeepsItsOwnTip)
{
    CParentWnd parent;
    parent.Create();
    winui::CButton push, other;
    ASSERT_TRUE(push.Create("Push", BS_PUSHBUTTON | WS_VISIBLE, kRect, parent, 12));
    ASSERT_TRUE(other.Create("Other", BS_PUSHBUTTON | WS_VISIBLE, RECT{220, 10, 300, 40}, parent, 15));
    winui::CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(parent));
    EXPECT_EQ(GetWindow(tips, GW_OWNER), parent.m_hWnd);
    // A tip longer than the old fixed buffers of the control's messages.
    std::string longTip(300, 'x');
    ASSERT_TRUE(tips.AddTool(push, "Pushes"));
    ASSERT_TRUE(tips.AddTool(other, longTip.c_str()));
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(tips.GetText(push), "Pushes");
    EXPECT_EQ(tips.GetText(other), longTip);
    tips.UpdateTipText(push, "Pushes now");
    EXPECT_EQ(tips.GetText(push), "Pushes now");
    EXPECT_EQ(tips.GetText(parent), ""); // no tool
    parent.DestroyWindow();
}

} // namespace
