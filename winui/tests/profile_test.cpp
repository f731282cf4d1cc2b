// Settings files, the recent-file list and worker threads as the programs
// use them.
#include "winui/app.h"
#include "winui/cmdui.h"
#include "winui/profile.h"
#include "winui/recentfiles.h"
#include "winui/worker.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct IniFile : ::testing::Test {
    std::string path;
    winui::CProfile profile;
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        path = std::string(dir) + "winui_profile_" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA(path.c_str());
        profile.SetPath(path);
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
};

TEST_F(IniFile, ValuesReadBackAsWritten)
{
    const std::string values[] = {
        "",
        "plain",
        std::string(5000, 'x') + "end",
        "  leading and trailing blanks  ",
        "\"quoted\"",
        "'single'",
        "\"",
        "key=value; not a comment",
        "tab\tinside",
        "[not a section]",
        "\xe4\xf6\xfc\xdf high bytes",
        "C:\\path with spaces\\file.c",
    };
    int n = 0;
    for (const std::string& v : values) {
        std::string key = "Key" + std::to_string(n++);
        ASSERT_TRUE(profile.WriteString("Odd", key.c_str(), v.c_str())) << v;
    }
    n = 0;
    for (const std::string& v : values) {
        std::string key = "Key" + std::to_string(n++);
        EXPECT_EQ(profile.GetString("Odd", key.c_str(), "default"), v) << key;
    }
    auto section = profile.GetSection("Odd");
    ASSERT_EQ(section.size(), std::size(values));
    for (size_t i = 0; i < section.size(); ++i) {
        EXPECT_EQ(section[i].first, "Key" + std::to_string(i));
        EXPECT_EQ(section[i].second, values[i]) << section[i].first;
    }
}

TEST_F(IniFile, MissingValuesGiveTheDefaultAndLineBreaksAreRefused)
{
    EXPECT_EQ(profile.GetString("None", "Key", "fallback"), "fallback");
    EXPECT_EQ(profile.GetInt("None", "Key", -7), -7);
    EXPECT_FALSE(profile.WriteString("S", "Key", "two\nlines"));
    EXPECT_EQ(profile.GetString("S", "Key", "none"), "none");
    ASSERT_TRUE(profile.WriteString("S", "Empty", ""));
    EXPECT_EQ(profile.GetString("S", "Empty", "not used"), ""); // present but empty
}

TEST_F(IniFile, NumbersKeysAndSections)
{
    ASSERT_TRUE(profile.WriteInt("Numbers", "Negative", -12));
    ASSERT_TRUE(profile.WriteInt("Numbers", "Big", 2147483647));
    ASSERT_TRUE(profile.WriteString("Numbers", "Text", "abc"));
    EXPECT_EQ(profile.GetInt("Numbers", "Negative", 0), -12);
    EXPECT_EQ(profile.GetInt("Numbers", "Big", 0), 2147483647);
    EXPECT_EQ(profile.GetInt("Numbers", "Text", 5), 0);
    ASSERT_TRUE(profile.WriteString("Other", "A", "1"));
    EXPECT_EQ(profile.GetKeys("Numbers"), (std::vector<std::string>{"Negative", "Big", "Text"}));
    EXPECT_EQ(profile.GetSectionNames(), (std::vector<std::string>{"Numbers", "Other"}));
    ASSERT_TRUE(profile.DeleteKey("Numbers", "Big"));
    EXPECT_EQ(profile.GetInt("Numbers", "Big", 3), 3);
    EXPECT_EQ(profile.GetKeys("Numbers"), (std::vector<std::string>{"Negative", "Text"}));
    ASSERT_TRUE(profile.DeleteSection("Numbers"));
    EXPECT_TRUE(profile.GetKeys("Numbers").empty());
    EXPECT_EQ(profile.GetSectionNames(), (std::vector<std::string>{"Other"}));
}

TEST(Profile, WithoutAPathNothingIsWrittenAnywhere)
{
    winui::CProfile none;
    EXPECT_FALSE(none.WriteString("winui.test", "Key", "value"));
    EXPECT_FALSE(none.WriteInt("winui.test", "Number", 1));
    EXPECT_EQ(none.GetString("winui.test", "Key", "default"), "default");
    EXPECT_EQ(none.GetInt("winui.test", "Number", 4), 4);
    EXPECT_TRUE(none.GetKeys("winui.test").empty());
    char text[16] = {};
    GetProfileStringA("winui.test", "Key", "", text, sizeof text); // WIN.INI
    EXPECT_STREQ(text, "");
}

TEST(Profile, TheProgramsOwnFileLiesBesideItsExecutable)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string expected = exe;
    expected = expected.substr(0, expected.find_last_of('\\') + 1) + "own.ini";
    EXPECT_EQ(winui::CProfile::BesideExecutable("own.ini"), expected);
}

TEST_F(IniFile, RecentFilesKeepTheNewestFirstUpToTheirSize)
{
    winui::CRecentFileList list(0, "Recent File List", "File%d", 4);
    for (const char* p : {"C:\\a.c", "C:\\b.c", "C:\\c.c", "C:\\d.c", "C:\\e.c"})
        list.Add(p);
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list[0], "C:\\e.c");
    EXPECT_EQ(list[3], "C:\\b.c"); // a.c fell off
    list.Add("c:\\C.C");           // the same file in other letters moves up
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list[0], "c:\\C.C");
    EXPECT_EQ(list[1], "C:\\e.c");
    EXPECT_EQ(list[2], "C:\\d.c");
    EXPECT_EQ(list[3], "C:\\b.c");
    list.WriteList(profile);
    EXPECT_EQ(profile.GetString("Recent File List", "File1"), "c:\\C.C");
    EXPECT_EQ(profile.GetString("Recent File List", "File4"), "C:\\b.c");
    winui::CRecentFileList again(0, "Recent File List", "File%d", 4);
    again.ReadList(profile);
    ASSERT_EQ(again.GetCount(), 4);
    EXPECT_EQ(again[2], "C:\\d.c");
    // Fewer entries written later remove the keys of the places left empty.
    again.Remove(0);
    again.Remove(0);
    again.WriteList(profile);
    EXPECT_EQ(profile.GetKeys("Recent File List"), (std::vector<std::string>{"File1", "File2"}));
}

TEST_F(IniFile, RecentFilesShowInTheMenuInPlaceOfTheirFirstItem)
{
    winui::CRecentFileList list(0, "Recent File List", "File%d", 4, 20);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 100, "&Open");
    AppendMenuA(menu, MF_STRING, winui::ID_FILE_MRU_FILE1, "Recent File");
    AppendMenuA(menu, MF_STRING, 101, "E&xit");
    winui::CCmdUI ui;
    ui.m_hMenu = menu;
    ui.m_nIndex = 1;
    ui.m_nID = winui::ID_FILE_MRU_FILE1;
    list.UpdateMenu(&ui);
    ASSERT_EQ(GetMenuItemCount(menu), 3); // empty list: the item stays, greyed
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED);
    list.Add("C:\\one.c");
    list.Add("C:\\very long folder name\\another folder\\R&D.c");
    ui.m_nIndex = 1;
    list.UpdateMenu(&ui);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    char text[80];
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&1 C:\\...\\R&&D.c");
    GetMenuStringA(menu, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&2 C:\\one.c");
    EXPECT_EQ(GetMenuItemID(menu, 2), winui::ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(GetMenuItemID(menu, 3), 101u);
    EXPECT_EQ(ui.m_nIndex, 2u); // the menu walk goes on after the entries
    DestroyMenu(menu);
}

TEST(RecentFiles, LongPathsAreShortenedFromTheFront)
{
    struct {
        const char* path;
        int max;
        const char* shown;
    } cases[] = {
        {"C:\\src\\main.c", 30, "C:\\src\\main.c"},
        {"C:\\projects\\board\\firmware\\main.c", 30, "C:\\...\\board\\firmware\\main.c"},
        {"C:\\projects\\board\\firmware\\main.c", 25, "C:\\...\\firmware\\main.c"},
        {"C:\\projects\\board\\firmware\\main.c", 20, "C:\\...\\main.c"},
        {"C:\\projects\\board\\firmware\\main.c", 5, "C:\\...\\main.c"},
        {"\\\\server\\share\\deep\\deeper\\file.txt", 30, "\\\\server\\share\\...\\file.txt"},
        {"name_without_folder_that_is_long.c", 10, "name_without_folder_that_is_long.c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(winui::AbbreviatePath(c.path, c.max), c.shown) << c.path;
}

// Worker threads report to a window by posted messages.
const UINT WM_WORK_STEP = WM_APP + 1;

class CProgressWnd : public winui::CWnd {
public:
    std::vector<WPARAM> steps;
    DWORD senderThread = 0;
    LRESULT OnStep(WPARAM step, LPARAM thread)
    {
        steps.push_back(step);
        senderThread = static_cast<DWORD>(thread);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProgressWnd, winui::CWnd)
    ON_MESSAGE(WM_WORK_STEP, &CProgressWnd::OnStep)
END_MESSAGE_MAP()

struct Worker : ::testing::Test {
    CProgressWnd wnd;
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, winui::CWnd::RegisterClass("winui.test.progress"), "", WS_POPUP,
                                 0, 0, 10, 10, nullptr, nullptr));
    }
    void PumpUntil(size_t count)
    {
        for (int i = 0; i < 500 && wnd.steps.size() < count; ++i) {
            winui::PumpWaitingMessages();
            Sleep(5);
        }
    }
};

TEST_F(Worker, PostsItsStepsToTheWindowAndEnds)
{
    winui::CWorkerThread worker;
    HWND target = wnd.m_hWnd;
    ASSERT_TRUE(worker.Start([target](winui::CWorkerThread& self) {
        for (WPARAM i = 1; i <= 5; ++i)
            self.Post(target, WM_WORK_STEP, i, static_cast<LPARAM>(GetCurrentThreadId()));
    }));
    EXPECT_TRUE(worker.Join(10000));
    EXPECT_FALSE(worker.IsRunning());
    PumpUntil(5);
    EXPECT_EQ(wnd.steps, (std::vector<WPARAM>{1, 2, 3, 4, 5}));
    EXPECT_NE(wnd.senderThread, GetCurrentThreadId());
}

TEST_F(Worker, StopsWhenAskedAndIsJoined)
{
    winui::CWorkerThread worker;
    HWND target = wnd.m_hWnd;
    LONG volatile steps = 0;
    ASSERT_TRUE(worker.Start([target, &steps](winui::CWorkerThread& self) {
        while (!self.StopRequested()) {
            InterlockedIncrement(&steps);
            self.Post(target, WM_WORK_STEP, 0, 0);
            Sleep(2);
        }
    }));
    PumpUntil(3);
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start([](winui::CWorkerThread&) {})); // one thread at a time
    worker.RequestStop();
    EXPECT_TRUE(worker.Join(10000));
    LONG atStop = steps;
    Sleep(50);
    EXPECT_EQ(steps, atStop); // nothing runs after the join
    EXPECT_FALSE(worker.IsRunning());
    // The same object starts again after the join, with the flag cleared.
    ASSERT_TRUE(worker.Start([](winui::CWorkerThread& self) {
        if (self.StopRequested())
            Sleep(0);
    }));
    EXPECT_TRUE(worker.Join(10000));
}

TEST_F(Worker, TheDestructorStopsAndJoinsAndPostsToAGoneWindowFail)
{
    LONG volatile finished = 0;
    {
        winui::CWorkerThread worker;
        ASSERT_TRUE(worker.Start([&finished](winui::CWorkerThread& self) {
            while (!self.StopRequested())
                Sleep(2);
            InterlockedExchange(&finished, 1);
        }));
    }
    EXPECT_EQ(finished, 1);
    HWND gone = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_FALSE(winui::CWorkerThread::Post(gone, WM_WORK_STEP));
}

// The message loop's filters and idle handlers.
TEST(MessageLoop, FiltersSeeMessagesFirstAndIdleHandlersRunUntilSatisfied)
{
    winui::CWinApp app;
    CProgressWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, winui::CWnd::RegisterClass("winui.test.progress"), "", WS_POPUP, 0,
                             0, 10, 10, nullptr, nullptr));
    std::vector<std::string> seen;
    int eat = app.AddMessageFilter([&](MSG* msg) -> BOOL {
        if (msg->message != WM_WORK_STEP)
            return FALSE;
        seen.push_back("filter " + std::to_string(msg->wParam));
        return msg->wParam == 1; // the first step is used up here
    });
    std::vector<LONG> idleCounts;
    bool quitting = false;
    app.AddIdleHandler([&](LONG count) -> BOOL {
        if (quitting)
            return FALSE;
        idleCounts.push_back(count);
        if (count < 2)
            return TRUE;
        quitting = true;
        PostQuitMessage(0);
        return FALSE;
    });
    wnd.PostMessage(WM_WORK_STEP, 1);
    wnd.PostMessage(WM_WORK_STEP, 2);
    winui::PumpWaitingMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"filter 1", "filter 2"}));
    EXPECT_EQ(wnd.steps, (std::vector<WPARAM>{2}));
    app.RemoveMessageFilter(eat);
    wnd.PostMessage(WM_WORK_STEP, 1);
    winui::PumpWaitingMessages();
    EXPECT_EQ(wnd.steps, (std::vector<WPARAM>{2, 1}));
    // The loop calls OnIdle with rising counts while a handler asks for
    // more; a message starts the count again.
    idleCounts.clear();
    wnd.PostMessage(WM_WORK_STEP, 9);
    EXPECT_EQ(winui::RunMessageLoop(&app), 0);
    EXPECT_EQ(wnd.steps.back(), 9u);
    ASSERT_GE(idleCounts.size(), 3u);
    EXPECT_EQ(std::vector<LONG>(idleCounts.end() - 3, idleCounts.end()), (std::vector<LONG>{0, 1, 2}));
}

const UINT ID_REFRESH = 41;

class CCommandWnd : public winui::CWnd {
public:
    int refreshes = 0;
    void OnRefresh() { ++refreshes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, winui::CWnd)
    ON_COMMAND(ID_REFRESH, &CCommandWnd::OnRefresh)
END_MESSAGE_MAP()

TEST(MessageLoop, AnAcceleratorFilterTurnsKeysIntoCommands)
{
    winui::CWinApp app;
    CCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, winui::CWnd::RegisterClass("winui.test.keys"), "", WS_POPUP, 0, 0,
                             10, 10, nullptr, nullptr));
    ACCEL accel{FVIRTKEY, VK_F5, static_cast<WORD>(ID_REFRESH)};
    HACCEL table = CreateAcceleratorTableA(&accel, 1);
    int filter = app.AddMessageFilter(winui::AcceleratorFilter(wnd.m_hWnd, table));
    PostMessageA(wnd.m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    PostMessageA(wnd.m_hWnd, WM_KEYDOWN, VK_F6, 0x00400001);
    winui::PumpWaitingMessages();
    EXPECT_EQ(wnd.refreshes, 1); // F5 only, as an accelerator command
    app.RemoveMessageFilter(filter);
    PostMessageA(wnd.m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    winui::PumpWaitingMessages();
    EXPECT_EQ(wnd.refreshes, 1);
    DestroyAcceleratorTable(table);
}

TEST(MessageLoop, AModelessDialogFilterMovesTheFocusWithTab)
{
    winui::CWinApp app;
    HWND dlg = CreateWindowExA(WS_EX_CONTROLPARENT, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dlg, nullptr);
    HWND edits[2];
    for (int i = 0; i < 2; ++i)
        edits[i] = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30 * i,
                                   100, 20, dlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(i + 1)),
                                   GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(dlg);
    SetFocus(edits[0]);
    ASSERT_EQ(GetFocus(), edits[0]);
    // Without the filter Tab is only a key for the edit control.
    PostMessageA(edits[0], WM_KEYDOWN, VK_TAB, 0x000F0001);
    winui::PumpWaitingMessages();
    EXPECT_EQ(GetFocus(), edits[0]);
    app.AddMessageFilter(winui::DialogMessageFilter(dlg));
    PostMessageA(edits[0], WM_KEYDOWN, VK_TAB, 0x000F0001);
    winui::PumpWaitingMessages();
    EXPECT_EQ(GetFocus(), edits[1]);
    DestroyWindow(dlg);
    // The filter of a gone dialog uses nothing.
    MSG msg{};
    msg.hwnd = edits[1];
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    EXPECT_FALSE(app.PreTranslateMessage(&msg));
}

} // namespace
