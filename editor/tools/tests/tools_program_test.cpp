// Tools in the whole program: the real ovanta.exe under Wine with a tool in
// its profile that runs the suite's make tool on the example project. The
// tool starts from its menu command, its output arrives in the output bar's
// "Output" pane, and a double click on the assembler's error line opens the
// source at that line. A tool whose program cannot be started is reported
// in a box with the system's reason.
#include "testing/winprog/ovanta_fixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>


namespace {

const UINT start_first_tool = 32870;
const UINT file_save = 57603;
const UINT output_copy_all = 32931;

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

class ToolsProgram : public OvantaProgramTest {
protected:
    void SetUp() override
    {
        OvantaProgramTest::SetUp();
        // A known place and a tall output bar, a known pane font.
        Setting("Ovanta", "Main", "0,0,1000,740");
        Setting("DefaultSettings", "OutWndHeight", "420");
        Setting("OutWndFont", "FaceName", "Courier New");
        Setting("OutWndFont", "Height", "-13");
        Setting("OutWndFont", "Weight", "400");
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
};

TEST_F(ToolsProgram, MakeToolRunsFromTheMenuAndItsErrorLeadsToTheSourceLine)
{
    const std::string root = SUITE_SOURCE_ROOT;
    for (const char* s : {"start.s51", "delay.s51"})
        ASSERT_TRUE(copy_file_to(host_path(root + "/examples/" + s), Work(s)));
    // Messages on the console rather than in "error.out"; one error in
    // main.s51, on its tenth line.
    ASSERT_TRUE(write_file(Work("makefile"),
                           "ERRFILE =\n" + read_file(host_path(root + "/examples/makefile"))));
    std::vector<std::string> source = lines_of(read_file(host_path(root + "/examples/main.s51")));
    source.insert(source.begin() + 9, "        movx @dptr");
    std::string text;
    for (const std::string& line : source)
        text += line + "\r\n";
    ASSERT_TRUE(write_file(Work("main.s51"), text));

    // The make tool finds the assembler and linker on the path Ovanta hands on.
    std::string gravik = host_path(GRAVIK_PATH);
    std::string tools = gravik.substr(0, gravik.find_last_of('\\'));
    char path[32768] = "";
    GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (tools + ";" + path).c_str());
    Tool("make", gravik, work_);

    ProgramSession s;
    Start(s, "\"" + Work("start.s51") + "\"", "");
    SetEnvironmentVariableA("PATH", path);
    HWND frame = s.MainWindow();
    s.Command(start_first_tool);
    HWND pane = OutputPane(frame, "Ausgabe");
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
    HWND editor = EditorOf(child);
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    s.Command(file_save);
    std::vector<std::string> saved = lines_of(read_file(Work("main.s51")));
    ASSERT_GE(saved.size(), 11u);
    EXPECT_EQ(saved[8], source[8]);
    EXPECT_EQ(saved[9], "X");
    EXPECT_EQ(saved[10], source[10]);
    EXPECT_TRUE(s.Close());
}

TEST_F(ToolsProgram, AProgramThatCannotStartIsReportedWithTheSystemsReason)
{
    ASSERT_TRUE(write_file(Work("a.c"), "int a;\r\n"));
    std::string missing = Work("nothere.exe");
    Tool("missing", missing, work_);
    ProgramSession s;
    Start(s, "\"" + Work("a.c") + "\"", "box ok\n");
    s.Command(start_first_tool);
    std::string log = read_file(log_);
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
