// Tools in the whole program: the real ovanta.exe under Wine with a tool in
// its profile that runs the suite's make tool on the example project. The
// tool starts from its menu command, its output arrives in the output bar's
// "Output" pane, and a double click on the assembler's error line opens the
// source at that line. A tool whose program cannot be started is reported
// in a box with the system's reason.
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char frame_class[] = "winui.Frame";
const UINT start_first_tool = 32870;
const UINT file_save = 57603;
const UINT output_copy_all = 32931;
const UINT pane_id = 0xE900;
const UINT editor_id = 0x1113;

struct FindPane {
    const char* text;
    HWND found;
};

BOOL CALLBACK find_pane(HWND w, LPARAM data)
{
    auto* f = reinterpret_cast<FindPane*>(data);
    char text[64] = "";
    GetWindowTextA(w, text, sizeof text);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(text) == f->text && std::string(cls) != "Button") {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND output_pane(HWND frame)
{
    FindPane f{"Ausgabe", nullptr};
    EnumChildWindows(frame, find_pane, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// The pane's whole text, through its "Copy All" command.
std::string pane_text(HWND pane)
{
    SendMessageA(pane, WM_COMMAND, output_copy_all, 0);
    return ClipboardText();
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line += text[i];
        }
    }
    lines.push_back(line);
    return lines;
}

class ToolsProgram : public ::testing::Test {
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
        ASSERT_TRUE(CopyOneFile(host_path(OVANTA_PATH), exe_));
        ini_ = bin_ + "\\ovanta.ini";
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
        ASSERT_TRUE(WriteWholeFile(script_, ""));
        // A known place and a tall output bar, a known pane font.
        Setting("Ovanta", "Main", "0,0,1000,740");
        Setting("DefaultSettings", "OutWndHeight", "420");
        Setting("OutWndFont", "FaceName", "Courier New");
        Setting("OutWndFont", "Height", "-13");
        Setting("OutWndFont", "Weight", "400");
    }

    void Setting(const char* section, const char* key, const std::string& value)
    {
        WritePrivateProfileStringA(section, key, value.c_str(), ini_.c_str());
    }
    void Tool(const std::string& name, const std::string& exe, const std::string& dir)
    {
        Setting("ExecApplication", "Toolname", name);
        Setting("ExecApplication", "AppExe", exe);
        Setting("ExecApplication", "AppParms", "");
        Setting("ExecApplication", "AppDir", dir);
        Setting("ExecApplication", "Compiler", "Borland");
        Setting("ExecApplication", "CaptureOut", "1");
        Setting("ExecApplication", "SaveBeforeRun", "0");
    }
    std::string Work(const std::string& name) const { return work_ + "\\" + name; }

    void Start(ProgramSession& s, const std::string& args)
    {
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_));
        ASSERT_NE(s.WaitForMainWindow(frame_class), nullptr);
    }

    static HWND ActiveChild(HWND frame)
    {
        HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
        return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    }
    static HWND Editor(HWND child)
    {
        HWND pane = GetDlgItem(child, pane_id);
        HWND editor = GetDlgItem(pane, editor_id);
        if (!editor)
            editor = GetDlgItem(GetDlgItem(pane, pane_id), editor_id);
        return editor;
    }

    std::string dir_, bin_, work_, exe_, ini_, script_, log_;
};

TEST_F(ToolsProgram, MakeToolRunsFromTheMenuAndItsErrorLeadsToTheSourceLine)
{
    const std::string root = SUITE_SOURCE_ROOT;
    for (const char* s : {"start.s51", "delay.s51"})
        ASSERT_TRUE(CopyOneFile(host_path(root + "/examples/" + s), Work(s)));
    // Messages on the console rather than in "error.out"; one error in
    // main.s51, on its tenth line.
    ASSERT_TRUE(WriteWholeFile(Work("makefile"),
                               "ERRFILE =\n" + ReadWholeFile(host_path(root + "/examples/makefile"))));
    std::vector<std::string> source = lines_of(ReadWholeFile(host_path(root + "/examples/main.s51")));
    source.insert(source.begin() + 9, "        movx @dptr");
    std::string text;
    for (const std::string& line : source)
        text += line + "\r\n";
    ASSERT_TRUE(WriteWholeFile(Work("main.s51"), text));

    // The make tool finds the assembler and linker on the path Ovanta hands on.
    std::string gravik = host_path(GRAVIK_PATH);
    std::string tools = gravik.substr(0, gravik.find_last_of('\\'));
    char path[32768] = "";
    GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (tools + ";" + path).c_str());
    Tool("make", gravik, work_);

    ProgramSession s;
    Start(s, "\"" + Work("start.s51") + "\"");
    SetEnvironmentVariableA("PATH", path);
    HWND frame = s.MainWindow();
    s.Command(start_first_tool);
    HWND pane = output_pane(frame);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(IsWindowVisible(pane));

    std::string output;
    for (int i = 0; i < 240; ++i) {
        output = pane_text(pane);
        if (output.find("TARGET NOT GENERATED") != std::string::npos)
            break;
        Sleep(250);
    }
    // The command line, the make tool's lines and the assembler's.
    std::vector<std::string> lines = lines_of(output);
    ASSERT_GE(lines.size(), 3u) << output;
    EXPECT_EQ(lines[0], gravik);
    EXPECT_EQ(lines[1], "");
    EXPECT_NE(output.find("morrin"), std::string::npos) << output;
    EXPECT_NE(output.find("Gravik: Error"), std::string::npos) << output;
    int errorLine = -1;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind("main.s51 10: Error", 0) == 0)
            errorLine = static_cast<int>(i);
    ASSERT_GE(errorLine, 0) << output;

    // A double click on that line of the pane (its rows are of the font set
    // in the profile; the text starts at the top).
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    int y = errorLine * tm.tmHeight + tm.tmHeight / 2;
    SendMessageA(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, y));

    // main.s51 is open and active with its tenth line selected: typing
    // replaces that line.
    HWND child = ActiveChild(frame);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(WindowTextOf(child), "main.s51");
    HWND editor = Editor(child);
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    s.Command(file_save);
    std::vector<std::string> saved = lines_of(ReadWholeFile(Work("main.s51")));
    ASSERT_GE(saved.size(), 11u);
    EXPECT_EQ(saved[8], source[8]);
    EXPECT_EQ(saved[9], "X");
    EXPECT_EQ(saved[10], source[10]);
    EXPECT_TRUE(s.Close());
}

TEST_F(ToolsProgram, AProgramThatCannotStartIsReportedWithTheSystemsReason)
{
    ASSERT_TRUE(WriteWholeFile(Work("a.c"), "int a;\r\n"));
    std::string missing = Work("nothere.exe");
    Tool("missing", missing, work_);
    ASSERT_TRUE(WriteWholeFile(script_, "box ok\n"));
    ProgramSession s;
    Start(s, "\"" + Work("a.c") + "\"");
    s.Command(start_first_tool);
    std::string log = ReadWholeFile(log_);
    // The program is the box's caption (the log doubles backslashes).
    std::string caption;
    for (char c : missing)
        caption += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_NE(log.find("box \"" + caption + "\""), std::string::npos) << log;
    size_t at = log.find("Error at application start");
    ASSERT_NE(at, std::string::npos) << log;
    // The system's reason follows the text.
    std::string reason = log.substr(at + std::strlen("Error at application start"));
    reason = reason.substr(0, reason.find('"'));
    EXPECT_NE(reason.find("not found"), std::string::npos) << log;
    EXPECT_TRUE(s.Close());
}

} // namespace
