// Message maps as a program with controls sees them: commands only for menu,
// accelerator and click commands; control notifications through their own
// entries.
#include "winui/wnd.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT ID_FIELD = 300; // an edit control and a menu command share it

class CCommandHost : public winui::CWnd {
public:
    std::vector<std::string> log;
    void OnField() { log.push_back("command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandHost, winui::CWnd)
    ON_COMMAND(ID_FIELD, &CCommandHost::OnField)
END_MESSAGE_MAP()

const char* host_class()
{
    return winui::CWnd::RegisterClass("winui.msgmap.host");
}

struct Host {
    CCommandHost wnd;
    Host()
    {
        wnd.CreateEx(0, host_class(), "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                     nullptr);
    }
    HWND Child(const char* cls, DWORD style)
    {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 24,
                               wnd.m_hWnd, reinterpret_cast<HMENU>(ID_FIELD),
                               GetModuleHandleA(nullptr), nullptr);
    }
};

TEST(MessageMapCommands, EditNotificationsWithTheCommandIdDoNotFireTheCommand)
{
    Host h;
    HWND edit = h.Child("EDIT", ES_AUTOHSCROLL);
    ASSERT_NE(edit, nullptr);
    // The edit control tells its parent EN_UPDATE and EN_CHANGE with its id.
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("typed"));
    SendMessageA(edit, WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(h.wnd.log.empty()) << h.wnd.log.size() << " command(s) from notifications";
}

// Commands arrive as (code, control) pairs: which of them are commands.
struct CommandCase {
    const char* what;
    WORD code;
    bool fromControl;
    bool fires;
};

TEST(MessageMapCommands, OnlyMenuAcceleratorAndClickCommandsFire)
{
    const CommandCase cases[] = {
        {"menu item", 0, false, true},
        {"accelerator", 1, false, true},
        {"button click", BN_CLICKED, true, true},
        {"list box selection change (code 1 from a control)", LBN_SELCHANGE, true, false},
        {"edit change", EN_CHANGE, true, false},
        {"edit focus", EN_SETFOCUS, true, false},
        {"combo box drop-down", CBN_DROPDOWN, true, false},
    };
    Host h;
    HWND button = h.Child("BUTTON", BS_PUSHBUTTON);
    for (const CommandCase& c : cases) {
        h.wnd.log.clear();
        h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIELD, c.code),
                          c.fromControl ? reinterpret_cast<LPARAM>(button) : 0);
        EXPECT_EQ(h.wnd.log.size(), c.fires ? 1u : 0u) << c.what;
    }
}

TEST(MessageMapCommands, ARealButtonClickFiresTheCommand)
{
    Host h;
    HWND button = h.Child("BUTTON", BS_PUSHBUTTON);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(h.wnd.log, (std::vector<std::string>{"command"}));
}

// A dialog-like window with the notifications a program takes from its
// controls, and a helper object whose map is chained in.
const UINT ID_LIST = 310;
const UINT ID_TREE = 311;
const UINT ID_OPTION_FIRST = 320;
const UINT ID_OPTION_LAST = 329;
const UINT ID_HELPER = 400;

class CHelper : public winui::CCmdTarget {
public:
    std::vector<std::string>* log = nullptr;
    void OnHelper() { log->push_back("helper command"); }
    LRESULT OnPing(WPARAM, LPARAM)
    {
        log->push_back("helper ping");
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelper, winui::CCmdTarget)
    ON_COMMAND(ID_HELPER, &CHelper::OnHelper)
    ON_MESSAGE(WM_USER + 50, &CHelper::OnPing)
END_MESSAGE_MAP()

class CNotifyHost : public winui::CWnd {
public:
    std::vector<std::string> log;
    CHelper helper;
    CNotifyHost() { helper.log = &log; }
    void OnFieldChange() { log.push_back("field change"); }
    void OnListPick() { log.push_back("list pick"); }
    void OnOption(UINT id) { log.push_back("option " + std::to_string(id)); }
    void OnTreeSelect(NMHDR* nm, LRESULT* result)
    {
        log.push_back("tree select " + std::to_string(nm->idFrom));
        *result = 5;
    }
    void OnAnyClick(UINT id, NMHDR*, LRESULT*) { log.push_back("click " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyHost, winui::CWnd)
    ON_EN_CHANGE(ID_FIELD, &CNotifyHost::OnFieldChange)
    ON_CONTROL(LBN_SELCHANGE, ID_LIST, &CNotifyHost::OnListPick)
    ON_CONTROL_RANGE(BN_CLICKED, ID_OPTION_FIRST, ID_OPTION_LAST, &CNotifyHost::OnOption)
    ON_NOTIFY(TVN_SELCHANGEDA, ID_TREE, &CNotifyHost::OnTreeSelect)
    ON_NOTIFY_RANGE(NM_CLICK, ID_LIST, ID_TREE, &CNotifyHost::OnAnyClick)
    CHAIN_MSG_MAP_MEMBER(helper)
END_MESSAGE_MAP()

struct NotifyHost {
    CNotifyHost wnd;
    NotifyHost()
    {
        wnd.CreateEx(0, host_class(), "notify", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                     nullptr);
    }
    HWND Child(const char* cls, DWORD style, UINT id)
    {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 24,
                               wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    }
    LRESULT Notify(HWND from, UINT id, UINT code)
    {
        NMHDR nm{from, id, code};
        return wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
    }
};

TEST(MessageMapControls, ControlEntriesTakeTheirNotificationsOnly)
{
    NotifyHost h;
    HWND edit = h.Child("EDIT", ES_AUTOHSCROLL, ID_FIELD);
    HWND list = h.Child("LISTBOX", LBS_NOTIFY, ID_LIST);
    HWND option = h.Child("BUTTON", BS_AUTORADIOBUTTON, ID_OPTION_FIRST + 3);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("x"));
    h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LIST, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list));
    SendMessageA(option, BM_CLICK, 0, 0);
    // A menu command with a control entry's id is no notification.
    h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LIST, 1), 0);
    EXPECT_EQ(h.wnd.log, (std::vector<std::string>{"field change", "list pick", "option 323"}));
}

TEST(MessageMapControls, NotifyEntriesMatchCodeAndIdAndReturnTheResult)
{
    NotifyHost h;
    HWND tree = h.Child(WC_TREEVIEWA, 0, ID_TREE);
    HWND list = h.Child("LISTBOX", 0, ID_LIST);
    EXPECT_EQ(h.Notify(tree, ID_TREE, TVN_SELCHANGEDA), 5);
    EXPECT_EQ(h.Notify(tree, ID_TREE, TVN_SELCHANGINGA), 0); // no entry
    EXPECT_EQ(h.Notify(list, ID_LIST, TVN_SELCHANGEDA), 0);  // other id
    h.Notify(list, ID_LIST, NM_CLICK);
    h.Notify(tree, ID_TREE, NM_CLICK);
    h.Notify(tree, ID_TREE + 1, NM_CLICK); // outside the range
    EXPECT_EQ(h.wnd.log, (std::vector<std::string>{"tree select 311", "click 310", "click 311"}));
}

TEST(MessageMapControls, AChainedMemberMapTakesWhatTheClassMapLeaves)
{
    NotifyHost h;
    h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELPER, 0), 0);
    EXPECT_EQ(h.wnd.SendMessage(WM_USER + 50), 7);
    // The member's map is searched where the chain entry stands: the class's
    // own earlier entries and the base maps still work.
    h.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIELD, EN_CHANGE), 1);
    EXPECT_EQ(h.wnd.log,
              (std::vector<std::string>{"helper command", "helper ping", "field change"}));
}

// A control class that handles its own notifications: the parent never sees
// the reflected ones.
class CSelfEdit : public winui::CWnd {
public:
    std::vector<std::string> log;
    void OnReflectedChange() { log.push_back("own change"); }
    void OnReflectedClick(NMHDR*, LRESULT* result)
    {
        log.push_back("own click");
        *result = 9;
    }
    LRESULT OnReflectedColor(WPARAM, LPARAM)
    {
        log.push_back("own colour");
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfEdit, winui::CWnd)
    ON_CONTROL_REFLECT(EN_CHANGE, &CSelfEdit::OnReflectedChange)
    ON_NOTIFY_REFLECT(NM_CLICK, &CSelfEdit::OnReflectedClick)
    ON_MESSAGE(winui::WM_REFLECT_BASE + WM_CTLCOLOREDIT, &CSelfEdit::OnReflectedColor)
END_MESSAGE_MAP()

TEST(MessageMapControls, NotificationsAreReflectedToTheControlsOwnClass)
{
    NotifyHost h;
    CSelfEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(h.Child("EDIT", ES_AUTOHSCROLL, ID_FIELD)));
    SendMessageA(edit.m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(h.Notify(edit.m_hWnd, ID_FIELD, NM_CLICK), 9);
    HDC dc = GetDC(edit.m_hWnd);
    LRESULT brush = h.wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(edit.m_hWnd));
    ReleaseDC(edit.m_hWnd, dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(edit.log, (std::vector<std::string>{"own change", "own click", "own colour"}));
    EXPECT_TRUE(h.wnd.log.empty()); // the parent's EN_CHANGE entry was not reached
}

} // namespace
