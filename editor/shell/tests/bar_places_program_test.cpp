// Where the bars of the real ovanta.exe stand across restarts under Wine:
// the document tab bar and the bookmark bar go where their placement codes
// say, and turning the File Bar off survives a restart; the output bar comes
// back shown or hidden, docked or floating, as it was left, also with a
// workspace; a docked bar sized with the mouse and a floating one moved and
// sized come back at their size and place; a workspace brings the functions
// bar with its closed files, the search history and the search dialog's
// place; the main window's stored place is kept on a screen.
#include "testing/winprog/ovanta_fixture.h"
#include "mouse_input.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/resource.h"
#include "editor/tools/output_bar.h"
#include "editor/tools/tools_bar.h"
#include "editor/tools/search_resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT bookmark_bar_id = 0xE80A;
const UINT main_tool_bar_id = 0xE800;
const UINT functions_bar_id = 203;

// A bar is a child of a dock bar of the frame, or of the small window it
// floats in.
bool is_bar_parent(HWND parent)
{
    const int id = GetDlgCtrlID(parent);
    return (id >= 0xE81B && id <= 0xE81E) || GetAncestor(parent, GA_PARENT) == GetDesktopWindow();
}

class OvantaBarPlaces : public OvantaProgramTest {
protected:
    // The program's bar with control id id, docked or floating; null when
    // it has no such bar.
    static HWND Bar(HWND frame, UINT id)
    {
        HWND found = nullptr;
        ThreadWindowWhere(GetWindowThreadProcessId(frame, nullptr), [&](HWND top) {
            found = DescendantWhere(top, [id](HWND w) {
                return static_cast<UINT>(GetDlgCtrlID(w)) == id && is_bar_parent(GetParent(w));
            });
            return found != nullptr;
        });
        return found;
    }
    // 1 top, 2 bottom, 3 right, 4 left; 0 floating; -1 no bar.
    static int SideOf(HWND bar)
    {
        if (!bar)
            return -1;
        switch (GetDlgCtrlID(GetParent(bar))) {
        case 0xE81B: return 1;
        case 0xE81E: return 2;
        case 0xE81D: return 3;
        case 0xE81C: return 4;
        default: return 0;
        }
    }
    // Starts the program on a.c: its main window once a.c's window is in
    // it, else null.
    HWND StartOnA(ProgramSession& s)
    {
        Start(s, "a.c", "");
        HWND frame = s.MainWindow();
        return Child(frame, "a.c") ? frame : nullptr;
    }
    static bool Shown(HWND bar) { return bar && IsWindowVisible(bar); }
    static RECT WindowRect(HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // The window a floating bar stands in.
    static HWND FloatingWindowOf(HWND bar) { return GetAncestor(bar, GA_ROOT); }
    // A rectangle as a user sees it come back: within a few pixels.
    static void ExpectNear(const RECT& got, const RECT& want, const char* what)
    {
        const int slack = 3;
        EXPECT_NEAR(got.left, want.left, slack) << what;
        EXPECT_NEAR(got.top, want.top, slack) << what;
        EXPECT_NEAR(got.right, want.right, slack) << what;
        EXPECT_NEAR(got.bottom, want.bottom, slack) << what;
    }
    // Waits until the bar with id is on side (or floating for 0).
    static int WaitForSide(HWND frame, UINT id, int side)
    {
        WaitUntil([&] { return SideOf(Bar(frame, id)) == side; }, 10000);
        return SideOf(Bar(frame, id));
    }
    static HWND SearchDialog(HWND frame)
    {
        HWND found = nullptr;
        WaitUntil([&] {
            found = TopWindowWhere([frame](HWND w) {
                return GetWindow(w, GW_OWNER) == frame && GetDlgItem(w, IDC_SEARCH_TEXT) && IsWindowVisible(w);
            });
            return found != nullptr;
        }, 5000);
        return found;
    }
    // The number of entries of a combo box and the one shown.
    static std::pair<int, std::string> ComboState(HWND combo)
    {
        return {static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)), WindowTextOf(combo)};
    }
};

TEST_F(OvantaBarPlaces, TabAndBookmarkBarsGoWhereTheirCodesSayAndTheFileBarStaysOff)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    {
        // A first start: the bookmark bar at the right, the tabs at the top.
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(SideOf(Bar(frame, bookmark_bar_id)), 3);
        EXPECT_EQ(SideOf(Bar(frame, kDocTabBarId)), 1);
        EXPECT_TRUE(Shown(Bar(frame, kDocTabBarId)));
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("DefaultSettings", "BookmarkBar"), "3");
    EXPECT_EQ(Profile("DefaultSettings", "FileBar"), "1");

    Setting("DefaultSettings", "FileBar", "2");
    Setting("DefaultSettings", "BookmarkBar", "4");
    {
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(SideOf(Bar(frame, bookmark_bar_id)), 4);
        EXPECT_EQ(SideOf(Bar(frame, kDocTabBarId)), 2);
        EXPECT_TRUE(Shown(Bar(frame, kDocTabBarId)));
        s.Command(ID_FILE_BAR);
        EXPECT_FALSE(Shown(Bar(frame, kDocTabBarId)));
        // Written at once, with the bar's side.
        EXPECT_EQ(Profile("DefaultSettings", "FileBar"), "18");
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("DefaultSettings", "FileBar"), "18");
    EXPECT_EQ(Profile("DefaultSettings", "BookmarkBar"), "4");
    {
        // Off after the restart with a document open; on again by the command.
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        EXPECT_FALSE(Shown(Bar(frame, kDocTabBarId)));
        s.Command(ID_FILE_BAR);
        EXPECT_TRUE(Shown(Bar(frame, kDocTabBarId)));
        EXPECT_EQ(SideOf(Bar(frame, kDocTabBarId)), 2);
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("DefaultSettings", "FileBar"), "2");
}

TEST_F(OvantaBarPlaces, TheOutputBarComesBackShownFloatingOrHiddenAsItWasLeft)
{
    {
        ProgramSession s;
        Start(s, "", "");
        HWND frame = s.MainWindow();
        EXPECT_EQ(Bar(frame, kOutputBarId), nullptr);
        s.Command(ID_VIEW_OUTPUT);
        HWND bar = Bar(frame, kOutputBarId);
        EXPECT_EQ(SideOf(bar), 2);
        // A double click on the bar floats it.
        PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
        EXPECT_EQ(WaitForSide(frame, kOutputBarId, 0), 0);
        ASSERT_TRUE(s.Close());
    }
    const std::string floating = Profile("Bars", "Output");
    EXPECT_EQ(floating.substr(0, 2), "0,") << floating;
    {
        ProgramSession s;
        Start(s, "", "");
        HWND frame = s.MainWindow();
        HWND bar = Bar(frame, kOutputBarId);
        EXPECT_EQ(SideOf(bar), 0);
        EXPECT_TRUE(Shown(bar));
        // Docked again where it was, then hidden.
        PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
        EXPECT_EQ(WaitForSide(frame, kOutputBarId, 2), 2);
        s.Command(ID_VIEW_OUTPUT);
        EXPECT_FALSE(Shown(Bar(frame, kOutputBarId)));
        ASSERT_TRUE(s.Close());
    }
    const std::string hidden = Profile("Bars", "Output");
    EXPECT_EQ(hidden.substr(0, 2), "2,") << hidden;
    EXPECT_EQ(hidden.substr(hidden.size() - 2), ",0") << hidden;
    {
        ProgramSession s;
        Start(s, "", "");
        HWND frame = s.MainWindow();
        EXPECT_FALSE(Shown(Bar(frame, kOutputBarId)));
        s.Command(ID_VIEW_OUTPUT);
        EXPECT_TRUE(Shown(Bar(frame, kOutputBarId)));
        EXPECT_EQ(SideOf(Bar(frame, kOutputBarId)), 2);
        ASSERT_TRUE(s.Close());
    }
}

TEST_F(OvantaBarPlaces, TheFunctionsBarComesBackShownWhereItWasLeft)
{
    {
        ProgramSession s;
        Start(s, "", "");
        HWND frame = s.MainWindow();
        EXPECT_FALSE(Shown(Bar(frame, functions_bar_id)));
        s.Command(ID_FUNCTION_LIST);
        HWND bar = Bar(frame, functions_bar_id);
        EXPECT_TRUE(Shown(bar));
        EXPECT_EQ(SideOf(bar), 4);
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("DefaultSettings", "FunctionList"), "4");
    EXPECT_EQ(Profile("Bars", "Functions").substr(0, 2), "4,");
    {
        ProgramSession s;
        Start(s, "", "");
        HWND frame = s.MainWindow();
        EXPECT_TRUE(Shown(Bar(frame, functions_bar_id)));
        EXPECT_EQ(SideOf(Bar(frame, functions_bar_id)), 4);
        // Turned off, it stays off.
        s.Command(ID_FUNCTION_LIST);
        EXPECT_FALSE(Shown(Bar(frame, functions_bar_id)));
        ASSERT_TRUE(s.Close());
    }
    ProgramSession s;
    Start(s, "", "");
    EXPECT_FALSE(Shown(Bar(s.MainWindow(), functions_bar_id)));
    ASSERT_TRUE(s.Close());
}

// The user sizes the docked output and functions bars by dragging the
// splitters at their inner edges, then floats the output bar and moves and
// sizes its window: after each restart the bars stand where they were left.
TEST_F(OvantaBarPlaces, ASizedDockedBarAndAMovedFloatingBarComeBackAsTheyWereLeft)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    RECT output{}, functions{};
    {
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        s.Command(ID_VIEW_OUTPUT);
        s.Command(ID_FUNCTION_LIST);
        HWND out = Bar(frame, kOutputBarId);
        HWND fun = Bar(frame, functions_bar_id);
        ASSERT_EQ(SideOf(out), 2);
        ASSERT_EQ(SideOf(fun), 4);
        // The bottom row's splitter is above the bar, the left column's right
        // of it, both inside the dock bar that holds the bar.
        const RECT o = WindowRect(out), od = WindowRect(GetParent(out));
        POINT at{(o.left + o.right) / 2, (od.top + o.top) / 2};
        MouseDrag(at, POINT{at.x, at.y - 60});
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(out).top <= o.top - 50; }, 5000))
            << "the output bar is 60 pixels taller";
        const RECT f = WindowRect(fun), fd = WindowRect(GetParent(fun));
        at = POINT{(f.right + fd.right) / 2, (f.top + f.bottom) / 2};
        MouseDrag(at, POINT{at.x + 80, at.y});
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(fun).right >= f.right + 70; }, 5000))
            << "the functions bar is 80 pixels wider";
        output = WindowRect(out);
        functions = WindowRect(fun);
        ASSERT_TRUE(s.Close());
    }
    RECT floating{};
    {
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        HWND out = Bar(frame, kOutputBarId);
        HWND fun = Bar(frame, functions_bar_id);
        ASSERT_TRUE(Shown(out) && Shown(fun));
        ExpectNear(WindowRect(out), output, "the docked output bar");
        ExpectNear(WindowRect(fun), functions, "the docked functions bar");

        // Floated by a double click, then moved by its caption over the
        // middle of the window area (away from every side it could dock
        // on) and made larger by its lower right corner.
        PostMessageA(out, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
        ASSERT_EQ(WaitForSide(frame, kOutputBarId, 0), 0);
        HWND window = FloatingWindowOf(out);
        const RECT client = WindowRect(Client(frame));
        const RECT w = WindowRect(window);
        const POINT caption = CaptionPointOf(window);
        const POINT to{client.left + (client.right - client.left) / 2 + (caption.x - w.left) - (w.right - w.left) / 2,
                       client.top + 40 + (caption.y - w.top)};
        MouseDrag(caption, to);
        EXPECT_TRUE(WaitUntil([&] { return std::abs(WindowRect(window).top - (client.top + 40)) <= 10; }, 5000))
            << "the floating window moved";
        EXPECT_EQ(SideOf(out), 0);
        const RECT moved = WindowRect(window);
        MouseDrag(POINT{moved.right - 2, moved.bottom - 2}, POINT{moved.right + 58, moved.bottom + 38});
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).right >= moved.right + 50; }, 5000))
            << "the floating window is larger";
        floating = WindowRect(FloatingWindowOf(out));
        // The left column now reaches down to the frame's bottom.
        functions = WindowRect(fun);
        ASSERT_TRUE(s.Close());
    }
    ProgramSession s;
    HWND frame = StartOnA(s);
    ASSERT_NE(frame, nullptr);
    HWND out = Bar(frame, kOutputBarId);
    ASSERT_TRUE(Shown(out));
    ASSERT_EQ(SideOf(out), 0);
    ExpectNear(WindowRect(FloatingWindowOf(out)), floating, "the floating output bar's window");
    ExpectNear(WindowRect(Bar(frame, functions_bar_id)), functions, "the docked functions bar");
    ASSERT_TRUE(s.Close());
}

// Opening a workspace: its output bar, its functions bar listing its
// closed file, its search history and the search dialog's place; the
// position history holds nothing of the loading. Closing it brings the
// profile's history and place back.
TEST_F(OvantaBarPlaces, AWorkspaceBringsItsBarsSearchHistoryAndDialogPlace)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    ASSERT_TRUE(write_file(Work("b.c"), "int b;\r\n"));
    ASSERT_TRUE(write_file(Work("c.c"), "int c;\r\n"));
    ASSERT_TRUE(write_file(ini_, "[Ovanta]\r\nFIND=300,320\r\n"
                                 "[FIND]\r\nsearchdir0=" + work_ + "\r\n"));
    const std::string wsp = Work("proj.wsp");
    ASSERT_TRUE(write_file(wsp, "[Ovanta]\r\nFIND=40,60\r\n"
                                "[FIND]\r\nsearchdir0=" + bin_ + "\r\nsearchdir1=c:\\\r\n"
                                "[Bars]\r\nOutput=2,0,0,400,90,200,200,300,100,50,50,1\r\n"
                                "[ClosedFiles]\r\nFile1=.\\c.c\r\n"
                                "[OpenFiles]\r\nFile1=.\\a.c,0,0,0,0\r\nFile2=.\\b.c,0,0,0,0\r\n"
                                "ActFile=.\\b.c\r\n"));
    ProgramSession s;
    Start(s, "", "open \"" + wsp + "\"\nbox yes\nbox yes\nbox yes\n");
    HWND frame = s.MainWindow();
    EXPECT_EQ(Bar(frame, kOutputBarId), nullptr);
    EXPECT_FALSE(Shown(Bar(frame, functions_bar_id)));

    s.Command(ID_EDIT_FIND);
    HWND find = SearchDialog(frame);
    ASSERT_NE(find, nullptr);
    RECT r;
    GetWindowRect(find, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 320);
    EXPECT_EQ(ComboState(GetDlgItem(find, IDC_SEARCH_DIRECTORY)), std::make_pair(1, work_));

    s.Command(ID_WORKSPACE_OPEN);
    ASSERT_NE(Child(frame, "a.c"), nullptr);
    ASSERT_NE(Child(frame, "b.c"), nullptr);
    EXPECT_TRUE(Shown(Bar(frame, kOutputBarId)));
    EXPECT_EQ(SideOf(Bar(frame, kOutputBarId)), 2);
    HWND functions = Bar(frame, functions_bar_id);
    EXPECT_TRUE(Shown(functions));
    // The workspace's root with its three files, the closed one among them.
    HWND tree = functions ? FindWindowExA(functions, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
    ASSERT_NE(tree, nullptr);
    EXPECT_GE(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 4);
    GetWindowRect(find, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(ComboState(GetDlgItem(find, IDC_SEARCH_DIRECTORY)), std::make_pair(2, bin_));
    // Nothing of the loading is a place to go back to.
    EXPECT_EQ(ActiveChild(frame), Child(frame, "b.c"));
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), Child(frame, "b.c"));

    s.Command(ID_WORKSPACE_CLOSE);
    GetWindowRect(find, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 320);
    EXPECT_EQ(ComboState(GetDlgItem(find, IDC_SEARCH_DIRECTORY)), std::make_pair(1, work_));
    ASSERT_TRUE(s.Close());
    // The workspace got the history and the place of its dialog.
    EXPECT_NE(read_file(wsp).find("searchdir0=" + bin_), std::string::npos);
    const std::string log = Log();
    EXPECT_NE(log.find("\"Save the current Workspace?\""), std::string::npos) << log;
}

// The tools bar stands in the main tool bar's row, left of it, and stays
// in that row when it is shown again and after a restart.
TEST_F(OvantaBarPlaces, TheToolsBarKeepsItsRowAcrossARestart)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    ASSERT_TRUE(write_file(ini_, "[ExecApplication]\r\nToolname=Make\r\nAppExe=gravik.exe\r\n"));
    for (int run = 0; run < 2; ++run) {
        ProgramSession s;
        HWND frame = StartOnA(s);
        ASSERT_NE(frame, nullptr);
        HWND tools = Bar(frame, kToolsBarId);
        HWND main = Bar(frame, main_tool_bar_id);
        ASSERT_TRUE(Shown(tools)) << run;
        RECT t, m;
        GetWindowRect(tools, &t);
        GetWindowRect(main, &m);
        EXPECT_EQ(SideOf(tools), 1) << run;
        EXPECT_EQ(t.top, m.top) << run;
        // Hidden and shown again with the View menu's command.
        s.Command(ID_TOOLS_BAR);
        s.Command(ID_TOOLS_BAR);
        GetWindowRect(tools, &t);
        EXPECT_EQ(t.top, m.top) << run;
        ASSERT_TRUE(s.Close());
    }
}

TEST_F(OvantaBarPlaces, AMainWindowPlaceBeyondEveryScreenIsBroughtOntoOne)
{
    Setting("Ovanta", "Main", "5000,4000,5600,4500");
    ProgramSession s;
    Start(s, "", "");
    HWND frame = s.MainWindow();
    RECT r{}, work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    WaitUntil([&] {
        GetWindowRect(frame, &r);
        return r.right <= work.right && r.bottom <= work.bottom;
    }, 5000);
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);
    // The size stays when it fits.
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 500);
    ASSERT_TRUE(s.Close());
}

} // namespace
