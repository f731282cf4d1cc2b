// The main frame in the real ovanta.exe under Wine: its bars before the
// first document and after the last one, the tool bar's buttons and
// pictures, the icons, the scroll bars, the help keys, Alt+S and Ctrl+Tab
// by real keys, a tab width that leaves the text unchanged, the recent-file
// list, a format chosen in Tool settings, and a caption that is not
// rewritten while the program is at rest.
#include "mouse_input.h"
#include "system_input.h"
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"
#include "winui/picture.h"

#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/tools/tools_bar.h"
#include "editor/tools/tools_resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

const UINT top_dock = 0xE81B;
const UINT main_tool_bar = 0xE800;

class OvantaMainFrame : public OvantaProgramTest {
protected:
    static HWND WithId(HWND frame, UINT id)
    {
        return DescendantWhere(frame, [id](HWND w) { return static_cast<UINT>(GetDlgCtrlID(w)) == id; });
    }
    static HWND ToolBar(HWND frame) { return GetDlgItem(GetDlgItem(frame, top_dock), main_tool_bar); }
    // A top-level dialog of the program whose title starts with title.
    static HWND ProgramDialog(HWND frame, const std::string& title)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(frame, &pid);
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (owner == pid && std::string(cls) == "#32770" && WindowTextOf(w).rfind(title, 0) == 0)
                return w;
        }
        return nullptr;
    }
    // What is wrong with the pictures the tool bar shows for the commands:
    // each button's inside (its edges left out, which a pressed or hot
    // button draws) as the screen shows it, of fewer than three colours or
    // the same as another button's. Empty when every picture is its own.
    static std::vector<std::string> PictureFaults(HWND bar, const std::vector<UINT>& ids)
    {
        std::vector<std::string> faults;
        winui::CWindowPicture shown;
        if (!shown.CaptureFromScreen(bar))
            return {"the tool bar could not be read from the screen"};
        std::set<std::vector<COLORREF>> seen;
        for (UINT id : ids) {
            RECT r = ToolButtonRect(bar, id);
            MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
            InflateRect(&r, -2, -2);
            std::vector<COLORREF> picture;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    picture.push_back(shown.Pixel(x, y));
            const std::set<COLORREF> colours(picture.begin(), picture.end());
            if (picture.empty() || colours.count(CLR_INVALID))
                faults.push_back("button " + std::to_string(id) + " is not on the bar's face");
            else if (colours.size() < 3)
                faults.push_back("button " + std::to_string(id) + " shows no picture");
            else if (!seen.insert(picture).second)
                faults.push_back("button " + std::to_string(id) + " shows another button's picture");
        }
        return faults;
    }
    // Waits until check holds (the frame brings its bars up to date in its
    // idle pass); whether it did.
    static bool Eventually(const std::function<bool()>& check) { return WaitUntil(check, 5000); }
    // Real keys to the program, its frame in front.
    static void Keys(HWND frame, const std::vector<InputStep>& steps)
    {
        SetForegroundWindow(frame);
        Sleep(200);
        PlayInput(steps, nullptr, 300);
    }
    // One tool on the tools bar whose program is an (empty) keyboard macro.
    void OneTool(const char* format)
    {
        ASSERT_TRUE(write_file(Work("none.mcr"), ""));
        Setting("ExecApplication", "Toolname", "quiet");
        Setting("ExecApplication", "AppExe", Work("none.mcr"));
        Setting("ExecApplication", "Compiler", format);
        Setting("ExecApplication", "CaptureOut", "0");
        Setting("ExecApplication", "SaveBeforeRun", "0");
    }
};

// The tools bar shows only while documents are open, and a bar the user
// hid stays hidden for the next document; the functions bar goes with the
// last document (its place written) and comes back with the next; an open
// search dialog goes too, with its plain title.
TEST_F(OvantaMainFrame, BarsFollowTheFirstAndTheLastDocument)
{
    OneTool("None");
    ProgramSession s;
    Start(s, "", "");
    HWND frame = s.MainWindow();
    HWND tools = WithId(frame, kToolsBarId);
    ASSERT_NE(tools, nullptr);
    EXPECT_FALSE(IsWindowVisible(tools)) << "no document yet";

    s.Command(ID_FILE_NEW_CMD);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(tools) != FALSE; }));
    s.Command(ID_FUNCTION_LIST);
    HWND functions = DescendantWhere(frame, [](HWND w) { return WindowTextOf(w) == "C/C++ -Functions"; });
    ASSERT_NE(functions, nullptr);
    EXPECT_TRUE(IsWindowVisible(functions));
    s.Command(ID_EDIT_FIND);
    HWND search = nullptr;
    ASSERT_TRUE(Eventually([&] { return (search = ProgramDialog(frame, "Search")) != nullptr; }));
    EXPECT_TRUE(IsWindowVisible(search));

    s.Command(ID_FILE_CLOSE_CMD);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) == nullptr; }));
    EXPECT_FALSE(IsWindowVisible(tools));
    EXPECT_FALSE(IsWindowVisible(functions));
    EXPECT_EQ(Profile("DefaultSettings", "FunctionList"), "4") << "docked left, shown";
    EXPECT_NE(Profile("DefaultSettings", "BrowseWndHeight"), "<missing>");
    EXPECT_FALSE(IsWindowVisible(search));
    EXPECT_EQ(WindowTextOf(search), "Search");

    // The next document brings both bars back.
    s.Command(ID_FILE_NEW_CMD);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(tools) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(functions));
    // Hidden by the user, the tools bar stays hidden across the last
    // document and the next one.
    s.Command(ID_TOOLS_BAR);
    EXPECT_FALSE(IsWindowVisible(tools));
    s.Command(ID_FILE_CLOSE_CMD);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) == nullptr; }));
    s.Command(ID_FILE_NEW_CMD);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) != nullptr; }));
    EXPECT_FALSE(IsWindowVisible(tools));
    EXPECT_TRUE(s.Close());
}

// The main tool bar: a real picture per button, the find, bookmark and
// cancel-tool buttons, the bookmark picture that follows the caret line;
// the frame has no scroll bars of its own beside those of the window area.
TEST_F(OvantaMainFrame, ToolBarButtonsAndScrollBars)
{
    ASSERT_TRUE(write_file(Work("b.c"), "one\r\ntwo\r\n"));
    ProgramSession s;
    Start(s, "b.c", "");
    HWND frame = s.MainWindow();
    HWND child = Child(frame, "b.c");
    ASSERT_NE(child, nullptr);
    HWND bar = ToolBar(frame);
    ASSERT_NE(bar, nullptr);
    const std::vector<UINT> buttons{ID_FILE_NEW_CMD, ID_FILE_OPEN_CMD, ID_FILE_SAVE_CMD, ID_EDIT_CUT,
                                    ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_FILE_PRINT,
                                    ID_EDIT_FIND, ID_ADD_BOOKMARK, ID_TOOL_CANCEL};
    for (UINT id : buttons)
        EXPECT_GE(SendMessageA(bar, TB_COMMANDTOINDEX, id, 0), 0) << id;

    // What the screen shows on each button: a picture of several colours,
    // none the same as another's (a picture that did not load leaves the
    // bare face, a stand-in square the same on every button).
    std::vector<std::string> faults;
    EXPECT_TRUE(Eventually([&] {
        faults = PictureFaults(bar, buttons);
        return faults.empty();
    }));
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;

    EXPECT_TRUE(Eventually([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, ID_TOOL_CANCEL, 0) == 0; }))
        << "no tool runs";

    const LRESULT add = SendMessageA(bar, TB_GETBITMAP, ID_ADD_BOOKMARK, 0);
    s.Command(ID_ADD_BOOKMARK);
    EXPECT_TRUE(Eventually([&] { return SendMessageA(bar, TB_GETBITMAP, ID_ADD_BOOKMARK, 0) != add; }))
        << "the caret line holds a bookmark: the delete picture";
    s.Command(ID_ADD_BOOKMARK);
    EXPECT_TRUE(Eventually([&] { return SendMessageA(bar, TB_GETBITMAP, ID_ADD_BOOKMARK, 0) == add; }));

    // The window area shows scroll bars when windows stand outside it; the
    // frame has none of its own.
    EXPECT_EQ(GetWindowLongPtrA(frame, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_TRUE(s.Close());
}

// The menus of the program as its resources hold them: the receive command
// has its own label and nothing says a command is not there yet.
TEST_F(OvantaMainFrame, MenuTextsOfTheProgram)
{
    HMODULE exe = LoadLibraryExA(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    std::vector<std::string> texts;
    std::function<void(HMENU)> walk = [&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[256] = "";
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            texts.push_back(text);
            if (HMENU sub = GetSubMenu(menu, i))
                walk(sub);
        }
    };
    for (UINT id : {IDR_MAINFRAME, IDR_OVANTATYPE}) {
        HMENU menu = LoadMenuA(exe, MAKEINTRESOURCEA(id));
        ASSERT_NE(menu, nullptr) << id;
        walk(menu);
        DestroyMenu(menu);
    }
    FreeLibrary(exe);
    int receive = 0;
    for (const std::string& t : texts) {
        receive += t == "Receive from port";
        EXPECT_EQ(t.find("TCP settings"), std::string::npos) << t;
        EXPECT_EQ(t.find("not available"), std::string::npos) << t;
        EXPECT_EQ(t.find("Alt+S"), std::string::npos) << t;
    }
    EXPECT_EQ(receive, 1);
}

// F1 and Shift+F1 lead to the help document as "&Help Topics" does, and
// say so when none is set; Alt+S opens the Settings menu (its mnemonic),
// not Save As.
TEST_F(OvantaMainFrame, HelpKeysAndAltS)
{
    ASSERT_TRUE(write_file(Work("h.c"), "x\r\n"));
    ProgramSession s;
    Start(s, "h.c", "");
    HWND frame = s.MainWindow();
    ASSERT_NE(Child(frame, "h.c"), nullptr);
    const std::string none = "\"Help Topics\" \"No help document is set";
    Keys(frame, {KeyDown(VK_F1), KeyUp(VK_F1)});
    EXPECT_TRUE(Eventually([&] { return CountOf(Log(), none) == 1; })) << Log();
    Keys(frame, {KeyDown(VK_SHIFT), KeyDown(VK_F1), KeyUp(VK_F1), KeyUp(VK_SHIFT)});
    EXPECT_TRUE(Eventually([&] { return CountOf(Log(), none) == 2; })) << Log();

    Keys(frame, {KeyDown(VK_MENU), KeyDown('S'), KeyUp('S'), KeyUp(VK_MENU)});
    HWND popup = nullptr;
    EXPECT_TRUE(Eventually([&] {
        popup = FindWindowA("#32768", nullptr);
        return popup && IsWindowVisible(popup);
    })) << "a menu is open";
    Keys(frame, {KeyDown(VK_ESCAPE), KeyUp(VK_ESCAPE), KeyDown(VK_ESCAPE), KeyUp(VK_ESCAPE)});
    EXPECT_EQ(Log().find("save"), std::string::npos) << Log();
    EXPECT_TRUE(s.Close());
}

// Ctrl+Tab switches between maximised documents and leaves "open
// maximised" as it was: the next document opens maximised too.
TEST_F(OvantaMainFrame, CtrlTabKeepsOpenMaximised)
{
    Setting("DefaultSettings", "OpenMaximized", "1");
    ASSERT_TRUE(write_file(Work("m1.c"), "1\r\n"));
    ASSERT_TRUE(write_file(Work("m2.c"), "2\r\n"));
    ProgramSession s;
    Start(s, "m1.c m2.c", "");
    HWND frame = s.MainWindow();
    HWND first = Child(frame, "m1.c");
    HWND second = Child(frame, "m2.c");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) != nullptr && IsZoomed(ActiveChild(frame)); }));
    HWND before = ActiveChild(frame);
    Keys(frame, {KeyDown(VK_CONTROL), KeyDown(VK_TAB), KeyUp(VK_TAB), KeyUp(VK_CONTROL)});
    EXPECT_TRUE(Eventually([&] { return ActiveChild(frame) != before; })) << "Ctrl+Tab switched";
    EXPECT_NE(Profile("DefaultSettings", "OpenMaximized"), "0");
    s.Command(ID_FILE_NEW_CMD);
    EXPECT_TRUE(Eventually([&] {
        HWND now = ActiveChild(frame);
        return now && now != first && now != second && IsZoomed(now);
    })) << "the new document opens maximised";
    EXPECT_TRUE(s.Close());
}

// A new tab width lays the tabs out again but leaves the file's text as it
// is: closing asks nothing. Opening a file again keeps one entry of it in
// the recent-file list of a fresh profile.
TEST_F(OvantaMainFrame, TabWidthLeavesTheTextAndTheRecentListHasNoDuplicates)
{
    const std::string path = Work("t.c");
    ASSERT_TRUE(write_file(path, "\tx\r\n"));
    ProgramSession s;
    Start(s, "",
          "dialog ok set " + std::to_string(IDC_TAB_WIDTH) + " 8\n"
          "open \"" + path + "\"\nopen \"" + path + "\"\nbox no\n");
    HWND frame = s.MainWindow();
    s.Command(ID_FILE_OPEN_CMD);
    ASSERT_NE(Child(frame, "t.c"), nullptr);
    s.Command(ID_TAB_SETTINGS);
    ASSERT_NE(Log().find("dialog 132"), std::string::npos) << Log();
    EXPECT_EQ(Profile("DefaultSettings", "TabWidth"), "8");
    s.Command(ID_FILE_CLOSE_CMD);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) == nullptr; }));
    EXPECT_EQ(Log().find("box "), std::string::npos) << "nothing to save: " << Log();
    EXPECT_EQ(read_file(path), "\tx\r\n");

    s.Command(ID_FILE_OPEN_CMD);
    ASSERT_NE(Child(frame, "t.c"), nullptr);
    s.Command(ID_FILE_CLOSE_CMD);
    EXPECT_TRUE(s.Close());
    const std::string first = Profile("Recent File List", "File1");
    EXPECT_NE(first.find("t.c"), std::string::npos) << first;
    EXPECT_EQ(Profile("Recent File List", "File2"), "<missing>");
}

// A format chosen in Tool settings belongs to the tool: the next click on
// its button keeps it, and it is saved with the tool.
TEST_F(OvantaMainFrame, ToolSettingsFormatSurvivesTheNextStart)
{
    OneTool("None");
    ASSERT_TRUE(write_file(Work("f.c"), "x\r\n"));
    ProgramSession s;
    Start(s, "f.c", "dialog ok select " + std::to_string(IDC_TOOL_FORMAT) + " \"Keil C\"\n");
    HWND frame = s.MainWindow();
    ASSERT_NE(Child(frame, "f.c"), nullptr);
    s.Command(ID_TOOL_FIRST);
    s.Command(ID_TOOL_SETTINGS);
    ASSERT_NE(Log().find("dialog"), std::string::npos) << Log();
    s.Command(ID_TOOL_FIRST);
    // The settings dialog shows the current tool: once more, unanswered
    // (OK by default), and the format is still the chosen one when saved.
    EXPECT_TRUE(s.Close());
    EXPECT_EQ(Profile("ExecApplication", "Compiler"), "Keil C");
}

// Counts the caption writes of one window of the program: the probe
// library, hooked into the program's thread, posts one WM_APP per write to
// a window of this test.
class CaptionCounter {
public:
    explicit CaptionCounter(HWND watched)
    {
        watched_window = watched;
        watched_writes = 0;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Count;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CaptionProbe";
        RegisterClassA(&wc);
        probe_ = CreateWindowA("CaptionProbe", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
        dll_ = LoadLibraryA(host_path(CAPTION_PROBE_DLL).c_str());
        auto proc = dll_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "CaptionProbeHook")))
                         : nullptr;
        if (proc && probe_)
            hook_ = SetWindowsHookExA(WH_CALLWNDPROC, proc, dll_, GetWindowThreadProcessId(watched, nullptr));
    }
    ~CaptionCounter()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        if (probe_)
            DestroyWindow(probe_);
        if (dll_)
            FreeLibrary(dll_);
    }
    bool Ready() const { return hook_ != nullptr; }
    // The writes reported since the last call, after ms of waiting.
    int Take(DWORD ms)
    {
        PumpMessages(ms);
        const int n = watched_writes;
        watched_writes = 0;
        return n;
    }

private:
    static LRESULT CALLBACK Count(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP && reinterpret_cast<HWND>(wParam) == watched_window)
            ++watched_writes;
        return DefWindowProcA(w, message, wParam, lParam);
    }
    static inline HWND watched_window = nullptr;
    static inline int watched_writes = 0;
    HWND probe_ = nullptr;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};

// At rest, with maximised documents, the program does not write its
// caption: the idle pass after each message finds nothing changed.
TEST_F(OvantaMainFrame, CaptionIsNotRewrittenAtRest)
{
    Setting("DefaultSettings", "OpenMaximized", "1");
    std::string args;
    for (int i = 1; i <= 4; ++i) {
        const std::string name = "r" + std::to_string(i) + ".c";
        ASSERT_TRUE(write_file(Work(name), "rest\r\n"));
        args += (args.empty() ? "" : " ") + name;
    }
    ProgramSession s;
    Start(s, args, "");
    HWND frame = s.MainWindow();
    ASSERT_NE(Child(frame, "r4.c"), nullptr);
    ASSERT_TRUE(Eventually([&] { return ActiveChild(frame) != nullptr && IsZoomed(ActiveChild(frame)); }));
    // Settled: the caption shows the maximised document.
    ASSERT_TRUE(Eventually([&] { return WindowTextOf(frame).find('[') != std::string::npos; }))
        << WindowTextOf(frame);

    CaptionCounter captions(frame);
    ASSERT_TRUE(captions.Ready());
    // The probe sees a real write (and the frame takes its caption back).
    SetWindowTextA(frame, "Ovanta");
    int seen = 0;
    for (int i = 0; i < 40 && seen == 0; ++i)
        seen = captions.Take(50);
    ASSERT_GE(seen, 1) << "the probe counts writes";
    captions.Take(300);
    // Messages reach the program's queue one by one; after each one its
    // idle pass runs.
    for (int i = 0; i < 20; ++i) {
        PostMessageA(frame, WM_NULL, 0, 0);
        PumpMessages(50);
    }
    SendMessageA(frame, WM_NULL, 0, 0);
    EXPECT_EQ(captions.Take(300), 0) << "caption writes at rest";
    EXPECT_TRUE(s.Close());
}

} // namespace
