// Ovanta as a whole program under Wine: the real ovanta.exe, started from a
// folder of its own (its profile "ovanta.ini" beside it) with files on its
// command line, driven by messages as a user's keys and menu commands
// arrive, answered through a script file.
#include "program_session.h"
#include "testing/kit/test_kit.h"
#include "winui/picture.h"

#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char frame_class[] = "winui.Frame";
const UINT pane_id = 0xE900;
const UINT editor_id = 0x1113;

class OvantaProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(TEST_TMP_DIR) + "\\" + info->name();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        bin_ = dir_ + "\\bin";
        work_ = dir_ + "\\work";
        ASSERT_TRUE(MakeFolders(bin_));
        ASSERT_TRUE(MakeFolders(work_));
        exe_ = bin_ + "\\ovanta.exe";
        ASSERT_TRUE(CopyOneFile(host_path(OVANTA_EXE), exe_));
        ini_ = bin_ + "\\ovanta.ini";
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
        ASSERT_TRUE(WriteWholeFile(script_, ""));
    }

    void Script(const std::string& lines) { ASSERT_TRUE(WriteWholeFile(script_, lines)); }
    std::string Log() const { return ReadWholeFile(log_); }
    void Setting(const char* section, const char* key, const char* value)
    {
        WritePrivateProfileStringA(section, key, value, ini_.c_str());
    }
    std::string Profile(const char* section, const char* key) const
    {
        char value[1024] = "";
        GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini_.c_str());
        return value;
    }
    std::string Work(const std::string& name) const { return work_ + "\\" + name; }

    // Starts Ovanta in the work folder and waits for its frame.
    void Start(ProgramSession& s, const std::string& args, int show = SW_SHOWNORMAL)
    {
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_, show));
        ASSERT_NE(s.WaitForMainWindow(frame_class), nullptr);
    }

    // A start that is to hand its arguments over and end without a window.
    void StartSecond(ProgramSession& s, const std::string& args, int* exitCode)
    {
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_));
        ASSERT_TRUE(s.WaitForExit(30000, exitCode));
    }

    static HWND Client(HWND frame) { return FindWindowExA(frame, nullptr, "MDIClient", nullptr); }
    static std::vector<HWND> Children(HWND frame)
    {
        std::vector<HWND> out;
        for (HWND w = GetWindow(Client(frame), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindow(w, GW_OWNER) == nullptr && GetDlgCtrlID(w) >= 0xFF00)
                out.push_back(w);
        return out;
    }
    // Waits until the frame shows count document windows.
    static bool WaitForChildren(HWND frame, size_t count, DWORD timeoutMs = 20000)
    {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            if (Children(frame).size() == count)
                return true;
            Sleep(50);
        }
        return Children(frame).size() == count;
    }
    static HWND ActiveChild(HWND frame)
    {
        return reinterpret_cast<HWND>(SendMessageA(Client(frame), WM_MDIGETACTIVE, 0, 0));
    }
    // The editor control of a document window (first pane of a splitter).
    static HWND Editor(HWND child)
    {
        HWND pane = GetDlgItem(child, pane_id);
        HWND editor = GetDlgItem(pane, editor_id);
        if (!editor) // a splitter: its first pane is a view
            editor = GetDlgItem(GetDlgItem(pane, pane_id), editor_id);
        return editor;
    }
    static void Type(HWND editor, const std::string& text)
    {
        for (char c : text)
            SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    static void Key(HWND editor, UINT vk)
    {
        SendMessageA(editor, WM_KEYDOWN, vk, 1);
        SendMessageA(editor, WM_KEYUP, vk, 0xC0000001);
    }

    std::string dir_, bin_, work_, exe_, ini_, script_, log_;
};

TEST_F(OvantaProgram, OpensTypesSavesAndWritesItsProfile)
{
    ASSERT_TRUE(WriteWholeFile(Work("a.c"), "hello\r\nworld\r\n"));
    ProgramSession s;
    Start(s, "a.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    EXPECT_EQ(WindowTextOf(child), "a.c");
    HWND editor = Editor(child);
    ASSERT_NE(editor, nullptr);
    Type(editor, "// ");
    EXPECT_EQ(WindowTextOf(child), "a.c *");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(ReadWholeFile(Work("a.c")), "// hello\r\nworld\r\n");
    EXPECT_EQ(WindowTextOf(child), "a.c");
    // Backups: the original as opened, and the file before the save.
    EXPECT_EQ(ReadWholeFile(Work("a.c.org")), "hello\r\nworld\r\n");
    EXPECT_EQ(ReadWholeFile(Work("a.c.bak")), "hello\r\nworld\r\n");

    int code = -1;
    ASSERT_TRUE(s.Close(&code));
    EXPECT_EQ(code, 0);
    // The recent list keeps the file with the caret behind the typed text.
    std::string recent = Profile("Recent File List", "File1");
    EXPECT_EQ(recent.substr(0, recent.find(',')), Work("a.c"));
    EXPECT_NE(recent.find(",0,3,"), std::string::npos) << recent;
    EXPECT_NE(Profile("Ovanta", "Main"), "<missing>");
}

TEST_F(OvantaProgram, LineNumberOnTheCommandLinePutsTheCaretThere)
{
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(WriteWholeFile(Work("long.c"), text));
    ProgramSession s;
    Start(s, "long.c -120");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND editor = Editor(ActiveChild(s.MainWindow()));
    Type(editor, "X");
    s.Command(ID_FILE_SAVE_CMD);
    std::string saved = ReadWholeFile(Work("long.c"));
    EXPECT_NE(saved.find("line 119\r\nXline 120\r\n"), std::string::npos);
    ASSERT_TRUE(s.Close());
}

} // namespace
