// Yantel as a whole program under Wine: the real yantel.exe, started from a
// folder of its own beside the make tool (the real one with the assembler
// and linker, or a stand-in that records how it was started), driven by
// its menu commands, answered through a script file.
#include "program_session.h"
#include "testing/kit/test_kit.h"
#include "view_text.h"

#include "../resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const UINT view_id = 0xE900;

class YantelProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(YANTEL_TEST_DIR) + "\\" + info->name();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        ASSERT_TRUE(make_dirs(dir_ + "\\bin"));
        ASSERT_TRUE(make_dirs(dir_ + "\\project"));
        bin_ = dir_ + "\\bin";
        project_ = dir_ + "\\project";
        ASSERT_TRUE(copy_file_to(host_path(YANTEL_EXE), bin_ + "\\yantel.exe"));
        for (const fs::directory_entry& e : fs::directory_iterator(host_path(EXAMPLES_DIR)))
            ASSERT_TRUE(copy_file_to(e.path().string(), project_ + "\\" +
                                                           e.path().filename().string()));
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
    }

    void TearDown() override
    {
        for (const char* name : {"YANTEL_FAKE_LOG", "YANTEL_FAKE_REPORT", "YANTEL_FAKE_CODE"})
            SetEnvironmentVariableA(name, nullptr);
    }

    // The suite's make tool, assembler and linker beside Yantel.
    void InstallRealTools()
    {
        std::string from = host_path(SUITE_BIN_DIR);
        for (const char* name : {"gravik.exe", "morrin.exe", "tessel.exe", "builtins.mak"})
            ASSERT_TRUE(copy_file_to(from + "\\" + name, bin_ + "\\" + name)) << name;
    }

    // The recording stand-in as "gravik.exe"; it writes reportText as
    // "error.out" and ends with code.
    void InstallFakeTool(const std::string& reportText, int code)
    {
        ASSERT_TRUE(copy_file_to(host_path(FAKE_GRAVIK), bin_ + "\\gravik.exe"));
        std::string report = dir_ + "\\report.txt";
        ASSERT_TRUE(write_file(report, reportText));
        SetEnvironmentVariableA("YANTEL_FAKE_LOG", (dir_ + "\\runs.log").c_str());
        SetEnvironmentVariableA("YANTEL_FAKE_REPORT", report.c_str());
        SetEnvironmentVariableA("YANTEL_FAKE_CODE", std::to_string(code).c_str());
    }

    void Script(const std::string& lines) { ASSERT_TRUE(write_file(script_, lines)); }

    void Start(ProgramSession& session, int show = SW_SHOWNORMAL)
    {
        session.SetScript(script_, log_);
        ASSERT_TRUE(session.Start(bin_ + "\\yantel.exe", show));
        ASSERT_NE(session.WaitForMainWindow("YantelFrame"), nullptr);
    }

    static HWND View(const ProgramSession& s) { return GetDlgItem(s.MainWindow(), view_id); }
    static HWND Combo(const ProgramSession& s)
    {
        HWND bar = FindWindowExA(s.MainWindow(), nullptr, "ToolbarWindow32", nullptr);
        return GetDlgItem(bar, IDC_TARGETS);
    }
    static std::vector<std::string> ComboItems(const ProgramSession& s)
    {
        HWND combo = Combo(s);
        std::vector<std::string> items;
        LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            // Between processes the item text travels as UTF-16.
            LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&wide[0]));
            std::string text(static_cast<size_t>(length) * 2 + 1, '\0');
            int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(length),
                                        &text[0], static_cast<int>(text.size()), nullptr,
                                        nullptr);
            text.resize(static_cast<size_t>(n > 0 ? n : 0));
            items.push_back(text);
        }
        return items;
    }
    std::string Setting(const char* section, const char* key) const
    {
        char value[256] = "";
        GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value,
                                 (bin_ + "\\yantel.ini").c_str());
        return value;
    }
    // The log as written in text mode, with LF line ends.
    std::string FullLog() const
    {
        std::string text;
        for (char c : read_file(log_))
            if (c != '\r')
                text += c;
        return text;
    }
    // The log of message boxes and dialogs (common dialogs left out).
    std::string Log() const
    {
        std::string all = FullLog(), out;
        size_t pos = 0;
        while (pos < all.size()) {
            size_t end = all.find('\n', pos);
            end = end == std::string::npos ? all.size() : end + 1;
            std::string line = all.substr(pos, end - pos);
            pos = end;
            if (line.rfind("open ", 0) != 0 && line.rfind("save ", 0) != 0 &&
                line.rfind("font ", 0) != 0)
                out += line;
        }
        return out;
    }
    bool Exists(const std::string& path) const
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string dir_, bin_, project_, script_, log_;
};

TEST_F(YantelProgram, StartsNormalWithItsMenuShowsAboutAndWritesTheFontSettingsOnExit)
{
    InstallRealTools();
    Script("dialog ok\n");
    ProgramSession session;
    // A shortcut's "maximised" still opens a normal window.
    Start(session, SW_SHOWMAXIMIZED);
    HWND main = session.MainWindow();
    EXPECT_FALSE(IsZoomed(main));
    EXPECT_EQ(WindowTextOf(main), "Yantel - <no makefile>");
    EXPECT_NE(GetMenu(main), nullptr);
    EXPECT_NE(GetWindowLongA(View(session), GWL_STYLE) & ES_READONLY, 0);
    // Without a makefile the make commands do nothing: no run, no box.
    session.Command(CM_UPDATETARGET);
    EXPECT_FALSE(Exists(dir_ + "\\error.out"));
    session.Command(CM_HELPABOUT);
    int code = -1;
    ASSERT_TRUE(session.Close(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Log(), "dialog 22000 \"About Yantel\" 1\n");
    EXPECT_EQ(Setting("FONT", "Font"), "Fixedsys");
    EXPECT_EQ(Setting("FONT", "Height"), "-12");
    EXPECT_EQ(Setting("FONT", "Bold"), "400");
    EXPECT_EQ(Setting("FONT", "Italic"), "0");
}

TEST_F(YantelProgram, BuildsTheExampleProjectAndShowsTheDiagnosticsOfAFailingMake)
{
    InstallRealTools();
    ASSERT_TRUE(write_file(project_ + "\\bad.a51", "\tmov a,#1\r\n\tnosuchop a\r\n\tend\r\n"));
    ASSERT_TRUE(write_file(project_ + "\\bad.mak", "bad.obj: bad.a51\r\n"));
    Script("open " + ScriptQuoted(project_ + "\\makefile") + "\nopen " + ScriptQuoted(project_ + "\\bad.mak") +
           "\n");
    ProgramSession session;
    Start(session);
    session.Command(CM_FILEOPEN);
    EXPECT_EQ(WindowTextOf(session.MainWindow()), "Yantel - " + project_ + "\\makefile");
    // The target listing succeeded: the makefile stays in the view.
    EXPECT_EQ(WindowTextOf(View(session)), view_text_crlf(read_file(project_ + "\\makefile")));
    std::vector<std::string> targets = ComboItems(session);
    ASSERT_FALSE(targets.empty());
    EXPECT_EQ(targets[0], "main.bin");
    EXPECT_EQ(SendMessageA(Combo(session), CB_GETCURSEL, 0, 0), 0);

    session.Command(CM_UPDATETARGET);
    EXPECT_TRUE(Exists(project_ + "\\main.bin"));
    EXPECT_TRUE(Exists(project_ + "\\main.lst"));
    std::string shown = WindowTextOf(View(session));
    EXPECT_EQ(shown, view_text_crlf(read_file(project_ + "\\error.out")));
    EXPECT_NE(shown.find("*** OK ***"), std::string::npos) << shown;
    EXPECT_EQ(Log().find("box"), std::string::npos) << Log();

    session.Command(CM_FILEOPEN);
    EXPECT_EQ(ComboItems(session), std::vector<std::string>{"bad.obj"});
    session.Command(CM_UPDATETARGET);
    shown = WindowTextOf(View(session));
    EXPECT_NE(shown.find("bad.a51"), std::string::npos) << shown;
    EXPECT_NE(shown.find("TARGET NOT GENERATED"), std::string::npos) << shown;
    std::string command = bin_ + "\\gravik.exe -e -f" + project_ + "\\bad.mak bad.obj";
    EXPECT_EQ(Log(), "box \"Yantel - Error\" " + ScriptQuoted(command + "\nError: Returncode 1") + " 1\n");
    ASSERT_TRUE(session.Close());
}

TEST_F(YantelProgram, StartsTheToolHiddenWithWholeLinesForDeepFoldersAndLongTargets)
{
    // Report lines far longer than the old reading pieces.
    std::string longTarget = "firmware_image_for_the_board_with_a_very_long_descriptive_name_"
                             "built_from_all_sources_of_the_project.bin";
    InstallFakeTool("Target: '" + longTarget + "'\r\nSource: 'x'\r\n"
                    "Target: 'clean' (default from 'builtins.mak')\r\nGravik: *** OK ***",
                    0);
    std::string deep = project_;
    for (int i = 0; deep.size() < 200; ++i)
        deep += "\\a_folder_with_a_long_name_" + std::to_string(i);
    ASSERT_TRUE(make_dirs(deep));
    std::string makefile = deep + "\\app.mak";
    ASSERT_TRUE(write_file(makefile, "all: x\r\n"));
    Script("open " + ScriptQuoted(makefile) + "\n");
    ProgramSession session;
    Start(session);
    session.Command(CM_FILEOPEN);
    EXPECT_EQ(ComboItems(session), (std::vector<std::string>{longTarget, "clean"}));
    // F8, as a key reaches the program: the remake through the accelerator.
    PostMessageA(View(session), WM_KEYDOWN, VK_F8, 1);
    WaitUntil([&] { return read_file(dir_ + "\\runs.log").find(" -b ") != std::string::npos; }, 10000);
    // A sent message is handled only after the run the key started.
    WindowTextOf(View(session));
    std::string tool = bin_ + "\\gravik.exe";
    EXPECT_EQ(read_file(dir_ + "\\runs.log"),
              tool + " -e -f" + makefile + " -t|hidden\n" +
              tool + " -e -f" + makefile + " -b " + longTarget + "|hidden\n");
    // The make's report replaced the makefile in the view; it ran in the
    // makefile's folder.
    EXPECT_NE(WindowTextOf(View(session)).find("Gravik: *** OK ***"), std::string::npos);
    EXPECT_TRUE(Exists(deep + "\\error.out"));
    EXPECT_EQ(Log(), "");

    // A tool that cannot be started: code -1 in the box, the view unchanged.
    std::string before = WindowTextOf(View(session));
    ASSERT_TRUE(DeleteFileA(tool.c_str()));
    session.Command(CM_UPDATETARGET);
    EXPECT_EQ(Log(), "box \"Yantel - Error\" " +
                         ScriptQuoted(tool + " -e -f" + makefile + " " + longTarget +
                                "\nError: Returncode -1") +
                         " 1\n");
    EXPECT_EQ(WindowTextOf(View(session)), before);
    ASSERT_TRUE(session.Close());
}

TEST_F(YantelProgram, EditModeSavesThroughATemporaryKeepsTheTextWhenASaveFailsAndRefusesTypingOtherwise)
{
    InstallRealTools();
    std::string makefile = project_ + "\\makefile";
    std::string original = read_file(makefile);
    Script("open " + ScriptQuoted(makefile) + "\n"
           "save " + ScriptQuoted(project_ + "\\no such folder\\copy.mak") + "\n"
           "box ok\n"
           "box no\n");
    ProgramSession session;
    Start(session);
    session.Command(CM_FILEOPEN);
    HWND view = View(session);
    std::string shown = WindowTextOf(view);

    // Read-only: typing changes nothing.
    SendMessageA(view, WM_CHAR, 'x', 1);
    EXPECT_EQ(WindowTextOf(view), shown);

    session.Command(CM_EDITMODE);
    EXPECT_EQ(GetWindowLongA(view, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_FALSE(IsWindowEnabled(Combo(session)));
    auto type = [&](const std::string& text) {
        LRESULT end = SendMessageA(view, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(view, EM_SETSEL, static_cast<WPARAM>(end), end);
        for (char c : text)
            SendMessageA(view, WM_CHAR, static_cast<WPARAM>(c), 1);
    };
    type("\r# checked\r");
    session.Command(CM_FILESAVE);
    std::string saved = view_text_crlf(original) + "\r\n# checked\r\n";
    EXPECT_EQ(read_file(makefile), saved);
    EXPECT_EQ(WindowTextOf(view), saved);
    EXPECT_EQ(Log(), "");

    // A save that cannot be done says why and keeps both texts.
    type("# lost?\r\n");
    std::string edited = WindowTextOf(view);
    session.Command(CM_FILESAVEAS);
    std::string log = FullLog();
    EXPECT_NE(log.find("save "), std::string::npos) << log;
    EXPECT_NE(log.find("box \"Yantel\" \"The makefile was not saved."), std::string::npos) << log;
    EXPECT_EQ(WindowTextOf(view), edited);
    EXPECT_EQ(read_file(makefile), saved);
    EXPECT_EQ(WindowTextOf(session.MainWindow()), "Yantel - " + makefile);

    // Leaving edit mode asks about the change (no), shows the file again.
    session.Command(CM_EDITMODE);
    EXPECT_NE(GetWindowLongA(view, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(WindowTextOf(view), saved);
    EXPECT_TRUE(IsWindowEnabled(Combo(session)));
    std::vector<std::string> lines;
    log = Log();
    EXPECT_NE(log.find("Save the changes?\" 7"), std::string::npos) << log;

    // The saved makefile still builds.
    session.Command(CM_UPDATETARGET);
    EXPECT_TRUE(Exists(project_ + "\\main.bin"));
    EXPECT_NE(WindowTextOf(view).find("*** OK ***"), std::string::npos);
    ASSERT_TRUE(session.Close());
}

// A target added in edit mode and saved with File > Save is in the list
// once edit mode is left.
TEST_F(YantelProgram, LeavingEditModeAfterASaveReadsTheTargetsAgain)
{
    InstallRealTools();
    std::string makefile = project_ + "\\makefile";
    Script("open " + ScriptQuoted(makefile) + "\n");
    ProgramSession session;
    Start(session);
    session.Command(CM_FILEOPEN);
    std::vector<std::string> before = ComboItems(session);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(std::find(before.begin(), before.end(), "other.bin"), before.end());

    session.Command(CM_EDITMODE);
    HWND view = View(session);
    LRESULT end = SendMessageA(view, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(view, EM_SETSEL, static_cast<WPARAM>(end), end);
    for (char c : std::string("\rother.bin: main.obj\r $(TESSEL) $(ERRFILE) -o$@ main.obj\r"))
        SendMessageA(view, WM_CHAR, static_cast<WPARAM>(c), 1);
    session.Command(CM_FILESAVE);
    EXPECT_NE(read_file(makefile).find("other.bin: main.obj"), std::string::npos);
    session.Command(CM_EDITMODE);
    std::vector<std::string> after = ComboItems(session);
    EXPECT_NE(std::find(after.begin(), after.end(), "other.bin"), after.end());
    EXPECT_EQ(Log(), "");
    ASSERT_TRUE(session.Close());
}

// The Open dialog offers all files too, for a makefile named "makefile".
TEST_F(YantelProgram, TheOpenDialogAlsoListsAllFiles)
{
    ProgramSession session;
    ASSERT_TRUE(session.Start(bin_ + "\\yantel.exe"));
    ASSERT_NE(session.WaitForMainWindow("YantelFrame"), nullptr);
    PostMessageA(session.MainWindow(), WM_COMMAND, CM_FILEOPEN, 0);
    HWND dialog = WaitForProcessDialog(session.ProcessId(), nullptr);
    ASSERT_NE(dialog, nullptr);
    // The file type box of the common dialog.
    HWND types = nullptr;
    WaitUntil([&] {
        for (types = FindWindowExA(dialog, nullptr, "ComboBox", nullptr); types;
             types = FindWindowExA(dialog, types, "ComboBox", nullptr))
            if (GetDlgCtrlID(types) == 0x470)
                return true;
        return false;
    }, 5000);
    ASSERT_NE(types, nullptr);
    std::vector<std::wstring> items;
    LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Makefiles (*.mak)", L"All files (*.*)"}));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(dialog); }, 10000);
    ASSERT_TRUE(session.Close());
}

TEST_F(YantelProgram, FontAndRecentFilesSurviveARestart)
{
    InstallFakeTool("Target: 'demo.bin'\r\n", 0);
    std::string makefile = project_ + "\\makefile";
    Script("open " + ScriptQuoted(makefile) + "\nfont \"Courier New\" 10 bold\n");
    {
        ProgramSession session;
        Start(session);
        session.Command(CM_FILEOPEN);
        session.Command(CM_FONT);
        ASSERT_TRUE(session.Close());
    }
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(Setting("FONT", "Font"), "Courier New");
    EXPECT_EQ(Setting("FONT", "Height"), std::to_string(height));
    EXPECT_EQ(Setting("FONT", "Bold"), "700");
    EXPECT_EQ(Setting("FONT", "Italic"), "0");

    Script("");
    ProgramSession again;
    Start(again);
    EXPECT_EQ(WindowTextOf(again.MainWindow()), "Yantel - <no makefile>");
    again.Command(CM_MRU_FIRST);
    EXPECT_EQ(WindowTextOf(again.MainWindow()), "Yantel - " + makefile);
    EXPECT_EQ(ComboItems(again), std::vector<std::string>{"demo.bin"});
    ASSERT_TRUE(again.Close());
    EXPECT_EQ(Setting("FONT", "Font"), "Courier New");
    EXPECT_EQ(Setting("FONT", "Bold"), "700");
}

} // namespace
