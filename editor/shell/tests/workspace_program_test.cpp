// Settings and workspaces in the real ovanta.exe under Wine: every option
// key survives a restart exactly; a profile edited by hand with unusable
// values starts with the defaults and is written back clean; a workspace
// saved with "Save Workspace" reopens its documents at their places after
// a restart; a workspace in the makefile wizard's format opens its files
// (also one with a comma in its name) and its settings, keeps its closed
// files in order, and Cancel at "Close all open Documents?" leaves it open
// with nothing of it written into "ovanta.ini".
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_store.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char frame_class[] = "winui.Frame";

// The profile functions on one file, as the option table reads and writes.
class IniFile : public SettingsSource, public SettingsSink {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    bool Read(const char* section, const char* key, std::string& value) override
    {
        std::vector<char> buffer(8192);
        GetPrivateProfileStringA(section, key, "\x01", buffer.data(), static_cast<DWORD>(buffer.size()),
                                 path_.c_str());
        value = buffer.data();
        return value != "\x01";
    }
    void Write(const char* section, const char* key, const std::string& value) override
    {
        WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str());
    }

private:
    std::string path_;
};

class OvantaWorkspaceProgram : public OvantaProgramTest {
protected:
    void Start(ProgramSession& s, const std::string& args, const std::string& script)
    {
        ASSERT_TRUE(write_file(script_, script));
        DeleteFileA(log_.c_str());
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_));
        ASSERT_NE(s.WaitForMainWindow(frame_class), nullptr);
    }
    static std::string Get(const std::string& file, const char* section, const char* key)
    {
        char value[2048] = "";
        GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, file.c_str());
        return value;
    }

    static int ChildCount(HWND frame)
    {
        int n = 0;
        for (HWND w = GetWindow(Client(frame), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindow(w, GW_OWNER) == nullptr && IsWindowVisible(w))
                ++n;
        return n;
    }
    // The side of the frame's dock bar that holds the bar with control id
    // id: 1 top, 2 bottom, 3 right, 4 left; 0 when no dock bar holds it.
    static int DockSideOf(HWND frame, int id)
    {
        const struct {
            int dockId, side;
        } sides[] = {{0xE81B, 1}, {0xE81E, 2}, {0xE81D, 3}, {0xE81C, 4}};
        for (const auto& s : sides)
            if (HWND dock = GetDlgItem(frame, s.dockId))
                if (GetDlgItem(dock, id))
                    return s.side;
        return 0;
    }

};

// Option values that differ from every default and are usable here.
SettingsValues changed_values(const std::string& existingDir)
{
    SettingsValues v;
    for (const SettingKey& k : SettingKeys()) {
        if (k.intValue) {
            int d = v.*k.intValue;
            v.*k.intValue = d + 1 <= k.high ? d + 1 : d - 1;
        } else {
            v.*k.textValue = std::string("x, y ") + k.key;
        }
    }
    v.defaultDir = existingDir;
    v.lastDir = existingDir;
    v.autoSaveTime = 30;
    v.font.height = -13;
    v.font.weight = 700;
    v.font.charSet = 204;
    v.font.faceName = "Lucida Console";
    v.printFont.height = -20;
    v.printFont.italic = 1;
    v.printFont.faceName = "Arial";
    return v;
}

// Keys whose values the program itself sets from its windows when it
// closes (the functions bar's place and width, the recorder bar's
// visibility); the other bars' places are compared: each goes where its
// code says and is found there again.
bool set_by_the_frame(const std::string& key)
{
    for (const char* k : {"FunctionList", "MacroBar", "BrowseWndHeight"})
        if (key == k)
            return true;
    return false;
}

TEST_F(OvantaWorkspaceProgram, EveryOptionKeySurvivesARestartExactly)
{
    const SettingsValues written = changed_values(work_);
    IniFile ini(ini_);
    WriteSettings(ini, written, kProfileWrite | kProfileRead);
    {
        ProgramSession s;
        Start(s, "", "");
        // The bars stand where their codes put them, so that what is
        // written back is read from their places.
        HWND frame = s.MainWindow();
        EXPECT_EQ(DockSideOf(frame, 0xE80A), written.bookmarkBar); // the bookmark bar
        EXPECT_EQ(DockSideOf(frame, 202), written.fileBar);       // the document tab bar
        EXPECT_EQ(DockSideOf(frame, 0xE800), written.toolBar);    // the main tool bar
        // What comes back is what the program read and held: the file is
        // gone when it saves.
        ASSERT_TRUE(DeleteFileA(ini_.c_str()));
        ASSERT_TRUE(s.Close());
    }
    SettingsValues read;
    ReadSettings(ini, read, kProfileRead);
    int compared = 0;
    for (const SettingKey& k : SettingKeys()) {
        if (!(k.use & kProfileWrite) || set_by_the_frame(k.key))
            continue;
        ++compared;
        if (k.intValue)
            EXPECT_EQ(read.*k.intValue, written.*k.intValue) << k.key;
        else
            EXPECT_EQ(read.*k.textValue, written.*k.textValue) << k.key;
    }
    EXPECT_GT(compared, 40);
    // The option set does not write the default directory (its command does).
    EXPECT_EQ(Get(ini_, "DefaultSettings", "DefaultDir"), "<missing>");
    for (const char* section : {"Font", "PrintFont"}) {
        const FontValues& w = std::string(section) == "Font" ? written.font : written.printFont;
        const FontValues& r = std::string(section) == "Font" ? read.font : read.printFont;
        EXPECT_EQ(r.faceName, w.faceName) << section;
        EXPECT_EQ(r.height, w.height) << section;
        EXPECT_EQ(r.weight, w.weight) << section;
        EXPECT_EQ(r.italic, w.italic) << section;
        EXPECT_EQ(r.charSet, w.charSet) << section;
    }
}

TEST_F(OvantaWorkspaceProgram, AHandEditedProfileStartsWithDefaultsAndIsWrittenBackClean)
{
    const std::string longLine(5000, 'q');
    ASSERT_TRUE(write_file(ini_, "[DefaultSettings]\r\n"
                                 "TabWidth=0\r\n"
                                 "LineWrap=lots\r\n"
                                 "TcpPortNo=99999\r\n"
                                 "noClicks=7\r\n"
                                 "SoftTabs=0\r\n"
                                 "LastDir=" + longLine + "\r\n"
                                 "BackupFileExt=" + longLine + "\r\n"
                                 "just some words without an equals sign\r\n"
                                 "[Print]\r\nPrintBW=9\r\nPageNo=1\r\n"
                                 "[DefaultSettings]\r\nTabWidth=6\r\nShowTabs=1\r\n"
                                 "[Font]\r\nFaceName=" + std::string(60, 'F') + "\r\nWeight=-4\r\n"));
    {
        ProgramSession s;
        Start(s, "", "");
        ASSERT_TRUE(s.Close());
    }
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"DefaultSettings", "TabWidth", "4"},
        {"DefaultSettings", "LineWrap", "0"},
        {"DefaultSettings", "TcpPortNo", "9000"},
        {"DefaultSettings", "noClicks", "2"},
        {"DefaultSettings", "SoftTabs", "0"},
        {"DefaultSettings", "BackupFileExt", ".bak"},
        {"DefaultSettings", "SendToPort", "9000"},
        {"Print", "PrintBW", "1"},
        {"Print", "PageNo", "1"},
        {"Font", "FaceName", std::string(31, 'F')},
        {"Font", "Weight", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(ini_, c.section, c.key), c.expected) << c.section << " " << c.key;
    // The overlong directory is not taken: the one written is usable.
    EXPECT_LT(Get(ini_, "DefaultSettings", "LastDir").size(), 260u);
}

// Rows of the window's top part (as the screen shows it) that hold dark
// pixels: the height of the ink of a first line of text.
int ink_rows(HWND window, int height)
{
    RECT rc;
    GetWindowRect(window, &rc);
    HDC screen = GetDC(nullptr);
    int rows = 0;
    for (int y = rc.top; y < rc.top + height && y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right && x < rc.left + 200; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                ++rows;
                break;
            }
        }
    ReleaseDC(nullptr, screen);
    return rows;
}

// The editor font comes from [Font] when the program starts; a profile
// without a face name gives the small "Courier" fallback, which is then
// stored.
TEST_F(OvantaWorkspaceProgram, TheEditorFontComesFromTheProfileOrFallsBackToCourier)
{
    ASSERT_TRUE(write_file(Work("w.txt"), "WWWW\r\n"));
    struct Case {
        const char* profile;
        int lowRows, highRows;
        const char* faceAfter;
        const char* heightAfter;
    } cases[] = {
        {"[Font]\r\nHeight=-40\r\nWeight=700\r\nFaceName=Courier New\r\n", 22, 60, "Courier New", "-40"},
        {"[Font]\r\nHeight=-40\r\n", 1, 14, "Courier", "-10"},
        {"", 1, 14, "Courier", "-10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        ASSERT_TRUE(write_file(ini_, c.profile));
        ProgramSession s;
        Start(s, "w.txt", "");
        HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), "w.txt"));
        ASSERT_NE(editor, nullptr);
        SetForegroundWindow(s.MainWindow());
        RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sleep(300);
        const int rows = ink_rows(editor, 80);
        EXPECT_GE(rows, c.lowRows);
        EXPECT_LE(rows, c.highRows);
        ASSERT_TRUE(s.Close());
        EXPECT_EQ(Get(ini_, "Font", "FaceName"), c.faceAfter);
        EXPECT_EQ(Get(ini_, "Font", "Height"), c.heightAfter);
    }
    EXPECT_EQ(Get(ini_, "Font", "Weight"), "400");
    EXPECT_EQ(Get(ini_, "Font", "PitchAndFamily"), "48");
}

TEST_F(OvantaWorkspaceProgram, ASavedWorkspaceReopensItsDocumentAtItsPlaceAfterARestart)
{
    ASSERT_TRUE(write_file(Work("a.c"), "first line\r\nsecond line\r\n"));
    const std::string wsp = Work("proj.wsp");
    {
        ProgramSession s;
        // The save dialog gets a name without extension; closing saves the workspace.
        Start(s, "a.c", "save " + Work("proj") + "\nbox yes\n");
        HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), "a.c"));
        ASSERT_NE(editor, nullptr);
        for (int i = 0; i < 7; ++i)
            Key(editor, VK_RIGHT);
        s.Command(ID_WORKSPACE_SAVE);
        ASSERT_TRUE(fs::exists(wsp));
        std::string entry = Get(wsp, "OpenFiles", "File1");
        EXPECT_EQ(entry.substr(0, 10), ".\\a.c,0,7,") << entry;
        EXPECT_EQ(Get(wsp, "OpenFiles", "ActFile").substr(0, 5), ".\\a.c");
        EXPECT_EQ(Get(ini_, "RecentProjectList", "Project1"), wsp);
        ASSERT_TRUE(s.Close());
        EXPECT_NE(Log().find("\"Save the current Workspace?\""), std::string::npos) << Log();
    }
    EXPECT_NE(Get(wsp, "Project", "SaveTime"), "<missing>");
    {
        ProgramSession s;
        Start(s, "-w" + wsp, "box yes\n");
        HWND editor = Activate(s.MainWindow(), Child(s.MainWindow(), "a.c"));
        ASSERT_NE(editor, nullptr);
        SendMessageA(editor, WM_CHAR, 'X', 1);
        s.Command(ID_FILE_SAVE_CMD);
        EXPECT_EQ(read_file(Work("a.c")), "first lXine\r\nsecond line\r\n");
        ASSERT_TRUE(s.Close());
    }
}

TEST_F(OvantaWorkspaceProgram, AWizardWorkspaceOpensAndCancelAtClosingKeepsItOpen)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    ASSERT_TRUE(write_file(Work("c,d.c"), "int cd;\r\n"));
    ASSERT_TRUE(write_file(ini_, "[DefaultSettings]\r\nTabWidth=8\r\nShowLineNo=0\r\n"
                                 "[RecentProjectList]\r\nProject1=" + Work("gone.wsp") + "\r\n"));
    // What the makefile wizard writes from its template, with a hand-edited
    // tab width and two closed files added.
    const std::string wsp = Work("board.wsp");
    ASSERT_TRUE(write_file(wsp, "; Workspace of a project made by the makefile wizard.\r\n"
                                "[DefaultSettings]\r\nActiveSyntax=C/C++\r\nShowLineNo=1\r\nTabWidth=0\r\n"
                                "[ExecApplication]\r\nToolname=Make\r\nAppExe=" + bin_ +
                                "\\gravik.exe\r\nAppParms=-ex \"-f" + Work("board.mak") +
                                "\r\nAppDir=\r\nCompiler=Default\r\nCaptureOut=1\r\n"
                                "[ClosedFiles]\r\nFile1=.\\z.c\r\nFile2=.\\b.c\r\n"
                                "[OpenFiles]\r\n"
                                "File1=" + Work("a.c") + ",0,0,5BFE4860,1C41BAD\r\n"
                                "File2=" + Work("c,d.c") + ",0,0,5BFE4860,1C41BAD\r\n"));
    ProgramSession s;
    Start(s, "-w" + wsp,
          "box yes\nbox cancel\n"  // first close: save, then Cancel
          "box yes\nbox yes\n"     // second close: save, close the documents
          "box ok\n"               // "Can't open this workspace!"
          "box yes\n");            // closing the program saves the workspace
    HWND frame = s.MainWindow();
    HWND a = Child(frame, "a.c");
    HWND cd = Child(frame, "c,d.c");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(cd, nullptr);
    // Toggles write at once into the open workspace, not into the profile.
    s.Command(ID_HOLD_SELECTION);
    EXPECT_EQ(Get(wsp, "DefaultSettings", "SelAfterPaste"), "1");
    EXPECT_EQ(Get(ini_, "DefaultSettings", "SelAfterPaste"), "<missing>");
    s.Command(ID_MINIMIZE_ALL);
    EXPECT_TRUE(IsIconic(a));
    EXPECT_TRUE(IsIconic(cd));

    s.Command(ID_WORKSPACE_CLOSE);
    // Cancel: the documents stay and the workspace is still the open one;
    // the profile got none of its settings.
    EXPECT_EQ(ChildCount(frame), 2);
    EXPECT_EQ(Get(ini_, "DefaultSettings", "ShowLineNo"), "0");
    EXPECT_EQ(Get(ini_, "DefaultSettings", "TabWidth"), "8");
    EXPECT_EQ(Get(wsp, "DefaultSettings", "ShowLineNo"), "1");
    // The unusable tab width went back to its default, not into the file.
    EXPECT_EQ(Get(wsp, "DefaultSettings", "TabWidth"), "4");
    const std::string first = Get(wsp, "OpenFiles", "File1");
    const std::string second = Get(wsp, "OpenFiles", "File2");
    EXPECT_EQ(first.substr(0, 10), ".\\a.c,0,0,") << first;
    EXPECT_EQ(second.substr(0, 12), ".\\c,d.c,0,0,") << second;
    // Minimised windows are marked so.
    EXPECT_EQ(first.substr(first.size() - 2), ",m") << first;
    EXPECT_EQ(Get(wsp, "ClosedFiles", "File1"), ".\\z.c");
    EXPECT_EQ(Get(wsp, "ClosedFiles", "File2"), ".\\b.c");
    EXPECT_EQ(Get(wsp, "ExecApplication", "Toolname"), "Make");
    // The single-instance mode belongs to the program, also while a
    // workspace is open.
    s.Command(ID_TOGGLE_SINGLE_INSTANCE);
    EXPECT_EQ(Get(ini_, "DefaultSettings", "MultipleInstances"), "0");
    EXPECT_EQ(Get(wsp, "DefaultSettings", "MultipleInstances"), "<missing>");

    s.Command(ID_WORKSPACE_CLOSE);
    WaitUntil([&] { return ChildCount(frame) == 0; }, 5000);
    EXPECT_EQ(ChildCount(frame), 0);
    EXPECT_NE(Get(wsp, "Project", "SaveTime"), "<missing>");
    // Saved twice, read once: the closed files keep their order.
    EXPECT_EQ(Get(wsp, "ClosedFiles", "File1"), ".\\z.c");
    EXPECT_EQ(Get(wsp, "ClosedFiles", "File2"), ".\\b.c");
    // The recent list: a workspace that is gone is reported and removed;
    // the other one opens again with its files (no question without open
    // documents).
    s.Command(ID_RECENT_WORKSPACE_FIRST + 1);
    EXPECT_EQ(Get(ini_, "RecentProjectList", "Project1"), wsp);
    EXPECT_EQ(Get(ini_, "RecentProjectList", "Project2"), "<missing>");
    s.Command(ID_RECENT_WORKSPACE_FIRST);
    EXPECT_NE(Child(frame, "a.c"), nullptr);
    EXPECT_NE(Child(frame, "c,d.c"), nullptr);
    ASSERT_TRUE(s.Close());
    // Closing with a workspace open leaves the profile's option keys alone.
    EXPECT_EQ(Get(ini_, "DefaultSettings", "TabWidth"), "8");
    EXPECT_EQ(Get(ini_, "DefaultSettings", "ShowLineNo"), "0");
    EXPECT_EQ(Get(ini_, "DefaultSettings", "SelAfterPaste"), "<missing>");
    EXPECT_EQ(Get(ini_, "RecentProjectList", "Project1"), wsp);
    const std::string log = Log();
    EXPECT_NE(log.find("\"Close all open Documents?\" 2"), std::string::npos) << log;
    EXPECT_NE(log.find("\"Can't open this workspace!\""), std::string::npos) << log;
}

// "Administrate project..": each OK writes the workspace's lists without
// asking; a file added twice is listed once, a removed file that is open
// keeps its window, "Add all open files" brings in what is open, and what
// Cancel leaves in memory is written when the workspace is saved later.
TEST_F(OvantaWorkspaceProgram, ProjectFilesEditTheListsAndOkWritesThem)
{
    for (const char* name : {"a.c", "b.c", "c.c"})
        ASSERT_TRUE(write_file(Work(name), "int x;\r\n"));
    ASSERT_TRUE(make_dirs(Work("sub")));
    ASSERT_TRUE(write_file(Work("sub\\o.c"), "int o;\r\n"));
    const std::string wsp = Work("proj.wsp");
    ASSERT_TRUE(write_file(wsp, "[ClosedFiles]\r\nFile1=.\\z.c\r\n"
                                "[OpenFiles]\r\nFile1=.\\a.c,0,0,0,0\r\nFile2=.\\b.c,0,0,0,0\r\n"));
    const std::string ok = "dialog ok ";
    const std::string list = std::to_string(IDC_PROJECT_FILE_LIST);
    {
        // Without a workspace the command opens nothing.
        ProgramSession s;
        Start(s, "a.c", "");
        s.Command(ID_PROJECT_FILES);
        EXPECT_EQ(Log().find("dialog 219"), std::string::npos) << Log();
        ASSERT_TRUE(s.Close());
    }
    ProgramSession s;
    Start(s, "-w" + wsp,
          ok + "click " + std::to_string(IDC_PROJECT_ADD_FILE) + " click " + std::to_string(IDC_PROJECT_ADD_FILE) + "\n" +
          "open \"" + Work("c.c") + "\"\nopen \"" + Work("C.C") + "\"\n" +
          ok + "select " + list + " .\\b.c click " + std::to_string(IDC_PROJECT_REMOVE_FILE) + "\n" +
          "open \"" + Work("sub\\o.c") + "\"\n" +
          ok + "click " + std::to_string(IDC_PROJECT_ADD_OPEN) + "\n" +
          "dialog cancel select " + list + " .\\z.c click " + std::to_string(IDC_PROJECT_REMOVE_FILE) + "\n" +
          "box yes\n");
    HWND frame = s.MainWindow();
    ASSERT_NE(Child(frame, "a.c"), nullptr);
    ASSERT_NE(Child(frame, "b.c"), nullptr);
    auto section = [&wsp](const char* name) {
        std::vector<std::string> values;
        for (int i = 1;; ++i) {
            std::string v = Get(wsp, name, ("File" + std::to_string(i)).c_str());
            if (v == "<missing>")
                return values;
            values.push_back(v.substr(0, v.find(',')));
        }
    };

    // c.c chosen twice (the second time in other letters): one entry.
    s.Command(ID_PROJECT_FILES);
    EXPECT_EQ(section("ClosedFiles"), (std::vector<std::string>{".\\z.c", ".\\c.c"}));
    EXPECT_EQ(section("OpenFiles"), (std::vector<std::string>{".\\a.c", ".\\b.c"}));

    // b.c leaves the project; its window stays.
    s.Command(ID_PROJECT_FILES);
    EXPECT_NE(Child(frame, "b.c", 0), nullptr);
    EXPECT_EQ(section("OpenFiles"), (std::vector<std::string>{".\\a.c"}));
    EXPECT_EQ(section("ClosedFiles"), (std::vector<std::string>{".\\z.c", ".\\c.c"}));

    // Every open document joins again, o.c in its folder's relative form.
    s.Command(ID_FILE_OPEN_CMD);
    ASSERT_NE(Child(frame, "o.c"), nullptr);
    s.Command(ID_PROJECT_FILES);
    EXPECT_EQ(section("OpenFiles"), (std::vector<std::string>{".\\a.c", ".\\b.c", ".\\sub\\o.c"}));

    // Cancel writes nothing; the removal it kept is written at closing.
    s.Command(ID_PROJECT_FILES);
    EXPECT_EQ(section("ClosedFiles"), (std::vector<std::string>{".\\z.c", ".\\c.c"}));
    ASSERT_TRUE(s.Close());
    EXPECT_EQ(section("ClosedFiles"), (std::vector<std::string>{".\\c.c"}));
    const std::string log = Log();
    EXPECT_EQ(CountOf(log, "dialog 219 \"Project files\""), 4) << log;
    EXPECT_EQ(CountOf(log, "\"Save the current Workspace?\""), 1) << log;
}

TEST_F(OvantaWorkspaceProgram, AWorkspaceWithoutOpenFilesStillBringsItsTagConfiguration)
{
    const std::string wsp = Work("tags.wsp");
    // Automatic browsing (0x8000) with the usual flags 7, and one closed file.
    ASSERT_TRUE(write_file(wsp, "[DefaultSettings]\r\nTabWidth=7\r\n"
                                "[TagConfig]\r\nflags=32775\r\ntagpath0=" + work_ + "\r\n"
                                "[ClosedFiles]\r\nFile1=.\\x.c\r\n"));
    {
        ProgramSession s;
        Start(s, "-w" + wsp, "box yes\n");
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Get(wsp, "TagConfig", "flags"), "32775");
    EXPECT_EQ(Get(wsp, "ClosedFiles", "File1"), ".\\x.c");
    EXPECT_EQ(Get(wsp, "DefaultSettings", "TabWidth"), "7");
    EXPECT_EQ(Get(ini_, "TagConfig", "flags"), "<missing>");
}

// An active document whose name ends in a comma and one letter (a file
// kept by a revision tool) is written so that it is read back whole, and
// is the active one again.
TEST_F(OvantaWorkspaceProgram, AnActiveDocumentNamedLikeAWindowStateIsActiveAgain)
{
    ASSERT_TRUE(write_file(Work("main.c,v"), "head 1.1;\r\n"));
    ASSERT_TRUE(write_file(Work("b.c"), "int b;\r\n"));
    const std::string wsp = Work("rcs.wsp");
    ASSERT_TRUE(write_file(wsp, "[DefaultSettings]\r\nOpenMaximized=0\r\n"
                                "[OpenFiles]\r\nFile1=.\\main.c,v,0,0,0,0\r\nFile2=.\\b.c,0,0,0,0\r\n"
                                "ActFile=.\\b.c\r\n"));
    {
        ProgramSession s;
        Start(s, "-w" + wsp, "box yes\n");
        HWND frame = s.MainWindow();
        ASSERT_NE(Child(frame, "b.c"), nullptr);
        HWND rcs = Child(frame, "main.c,v");
        ASSERT_NE(rcs, nullptr);
        Activate(frame, rcs);
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Get(wsp, "OpenFiles", "ActFile"), ".\\main.c,v,");
    ProgramSession s;
    Start(s, "-w" + wsp, "box yes\n");
    HWND frame = s.MainWindow();
    ASSERT_NE(Child(frame, "b.c"), nullptr);
    HWND rcs = Child(frame, "main.c,v");
    ASSERT_NE(rcs, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Client(frame), WM_MDIGETACTIVE, 0, 0)), rcs);
    ASSERT_TRUE(s.Close());
}

// The recent list finds a file whatever the case of its name, both when
// it is opened and when its place is kept; a file that is gone leaves the
// list when it is written.
TEST_F(OvantaWorkspaceProgram, TheRecentListKeepsThePlaceOfAFileNamedInAnotherCase)
{
    ASSERT_TRUE(write_file(Work("a.c"), "abcdef\r\n"));
    ASSERT_TRUE(write_file(Work("gone.c"), "x\r\n"));
    {
        ProgramSession s;
        Start(s, "gone.c a.c", "");
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Get(ini_, "Recent File List", "File2").substr(0, Work("gone.c").size()), Work("gone.c"));
    ASSERT_TRUE(DeleteFileA(Work("gone.c").c_str()));
    {
        ProgramSession s;
        Start(s, "A.C", "");
        HWND child = Child(s.MainWindow(), "A.C", 2000);
        HWND editor = Activate(s.MainWindow(), child ? child : Child(s.MainWindow(), "a.c"));
        ASSERT_NE(editor, nullptr);
        for (int i = 0; i < 3; ++i)
            Key(editor, VK_RIGHT);
        ASSERT_TRUE(s.Close());
    }
    std::string first = Get(ini_, "Recent File List", "File1");
    EXPECT_EQ(lstrcmpiA(first.substr(0, first.find(',')).c_str(), Work("a.c").c_str()), 0) << first;
    EXPECT_NE(first.find(",0,3,"), std::string::npos) << first;
    EXPECT_EQ(Get(ini_, "Recent File List", "File2"), "<missing>");
}

// A later start that hands over a workspace closes the open one first
// (with its questions, and stamped as closed); the open workspace's
// settings never reach "ovanta.ini".
TEST_F(OvantaWorkspaceProgram, AHandedOverWorkspaceClosesTheOpenOneFirst)
{
    const std::string a = Work("a.wsp");
    const std::string b = Work("b.wsp");
    ASSERT_TRUE(write_file(a, "[DefaultSettings]\r\nTabWidth=7\r\n"));
    ASSERT_TRUE(write_file(b, "[DefaultSettings]\r\nTabWidth=5\r\n"));
    ProgramSession first;
    Start(first, "-w" + a, "box yes\nbox yes\n");
    ProgramSession second;
    second.SetScript(script_, log_);
    ASSERT_TRUE(second.Start(exe_, "-w" + b, work_));
    int code = -1;
    ASSERT_TRUE(second.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0);
    WaitUntil([&] { return Get(a, "Project", "Savetime") != "<missing>"; }, 5000);
    EXPECT_NE(Get(a, "Project", "Savetime"), "<missing>");
    ASSERT_TRUE(first.Close());
    const std::string log = Log();
    size_t asked = 0;
    for (size_t at = log.find("\"Save the current Workspace?\""); at != std::string::npos;
         at = log.find("\"Save the current Workspace?\"", at + 1))
        ++asked;
    // Once when a.wsp was closed, once for b.wsp at the end.
    EXPECT_EQ(asked, 2u) << log;
    EXPECT_EQ(Get(a, "DefaultSettings", "TabWidth"), "7");
    EXPECT_EQ(Get(b, "DefaultSettings", "TabWidth"), "5");
    EXPECT_NE(Get(ini_, "DefaultSettings", "TabWidth"), "7");
    EXPECT_NE(Get(ini_, "DefaultSettings", "TabWidth"), "5");
}

} // namespace
