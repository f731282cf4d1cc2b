#include "winui/app.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT WM_PING = WM_USER + 7;
const UINT ID_FIRST = 100;
const UINT ID_LAST = 109;
const UINT ID_OPEN = 200;

class CBaseWnd : public winui::CWnd {
public:
    std::vector<std::string> log;
    LRESULT OnPing(WPARAM wp, LPARAM lp)
    {
        log.push_back("base ping " + std::to_string(wp) + " " + std::to_string(lp));
        return 41;
    }
    void OnOpen() { log.push_back("base open"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    int OnCreate(LPCREATESTRUCTA cs)
    {
        log.push_back(std::string("create ") + cs->lpszName);
        return 0;
    }
    void OnDestroy() { log.push_back("destroy"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, winui::CWnd)
    ON_MESSAGE(WM_PING, &CBaseWnd::OnPing)
    ON_COMMAND(ID_OPEN, &CBaseWnd::OnOpen)
    ON_COMMAND_RANGE(ID_FIRST, ID_LAST, &CBaseWnd::OnRange)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A derived window overrides one command and inherits the rest.
class CDerivedWnd : public CBaseWnd {
public:
    void OnOpen2() { log.push_back("derived open"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(ID_OPEN, &CDerivedWnd::OnOpen2)
END_MESSAGE_MAP()

const char* test_class()
{
    return winui::CWnd::RegisterClass("winui.test", CS_DBLCLKS, nullptr,
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

TEST(CWnd, CreateDispatchesCreateAndSentMessages)
{
    CBaseWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "first", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           nullptr, nullptr));
    ASSERT_NE(w.m_hWnd, nullptr);
    EXPECT_EQ(winui::CWnd::FromHandle(w.m_hWnd), &w);
    EXPECT_EQ(w.SendMessage(WM_PING, 3, 4), 41);
    ASSERT_EQ(w.log.size(), 2u);
    EXPECT_EQ(w.log[0], "create first");
    EXPECT_EQ(w.log[1], "base ping 3 4");
}

TEST(CWnd, PostedMessagesRunWhenTheLoopDispatches)
{
    CBaseWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "posted", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           nullptr, nullptr));
    w.log.clear();
    ASSERT_TRUE(w.PostMessage(WM_PING, 5, 6));
    EXPECT_TRUE(w.log.empty());
    EXPECT_TRUE(winui::PumpWaitingMessages());
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], "base ping 5 6");
}

TEST(CWnd, CommandsGoToTheirEntriesAndRanges)
{
    CBaseWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "cmd", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr));
    w.log.clear();
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_OPEN, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FIRST, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LAST, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_LAST + 1, 0), 0); // no entry: ignored
    EXPECT_EQ(w.log, (std::vector<std::string>{"base open", "range 100", "range 109"}));
}

TEST(CWnd, DerivedMapOverridesAndInherits)
{
    CDerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "derived", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           nullptr, nullptr));
    w.log.clear();
    w.SendMessage(WM_COMMAND, MAKEWPARAM(ID_OPEN, 0), 0);
    EXPECT_EQ(w.SendMessage(WM_PING, 1, 2), 41);
    EXPECT_EQ(w.log, (std::vector<std::string>{"derived open", "base ping 1 2"}));
}

TEST(CWnd, UnhandledMessagesReachTheDefaultProcedure)
{
    CBaseWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "title", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           nullptr, nullptr));
    ASSERT_TRUE(SetWindowTextA(w.m_hWnd, "changed"));
    char text[32] = {};
    GetWindowTextA(w.m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "changed");
}

TEST(CWnd, DestroyDetachesTheObject)
{
    CBaseWnd w;
    ASSERT_TRUE(w.CreateEx(0, test_class(), "gone", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr));
    HWND h = w.m_hWnd;
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(w.log.back(), "destroy");
}

// A subclassed standard control: the map sees its messages first and the
// control's own procedure handles the rest.
class CPingEdit : public winui::CWnd {
public:
    int pings = 0;
    LRESULT OnPing(WPARAM, LPARAM)
    {
        ++pings;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPingEdit, winui::CWnd)
    ON_MESSAGE(WM_PING, &CPingEdit::OnPing)
END_MESSAGE_MAP()

TEST(CWnd, SubclassedControlKeepsItsOwnBehaviour)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    CPingEdit e;
    ASSERT_TRUE(e.SubclassWindow(edit));
    e.SendMessage(WM_PING);
    SetWindowTextA(edit, "typed");
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "typed");
    EXPECT_EQ(e.pings, 1);
    EXPECT_EQ(e.UnsubclassWindow(), edit);
    SendMessageA(edit, WM_PING, 0, 0);
    EXPECT_EQ(e.pings, 1);
    DestroyWindow(edit);
}

} // namespace
