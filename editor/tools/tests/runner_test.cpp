// The tool runner with real programs under Wine: long output captured whole,
// keys to a program that reads them, a program that does not exist, output
// redirected into "_stdout.txt", cancel of a running program, and the
// suite's own make tool and assembler.
#include "editor/tools/diag_parse.h"
#include "editor/tools/tool_runner.h"
#include "testing/kit/test_kit.h"
#include "winui/msgbox.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A window that hears what the runner sends: the pane's text and loads,
// the main window's end of run.
class CListener : public winui::CWnd {
public:
    CListener()
    {
        RegisterClass("ToolRunnerListener");
        CreateEx(0, "ToolRunnerListener", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }
    ~CListener() override { DestroyWindow(); }
    std::string text;
    int loads = 0;
    int finished = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_TOOL_OUTPUT: text += reinterpret_cast<const char*>(lParam); return 0;
        case WM_TOOL_LOADREDIRECT: ++loads; return 0;
        case WM_TOOL_FINISHED: ++finished; return 0;
        }
        return winui::CWnd::WindowProc(message, wParam, lParam);
    }
};

// Handles messages until the condition holds or the time is up.
template <class Condition>
bool PumpUntil(Condition done, DWORD timeout = 60000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeout)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

#ifdef TOOLS_TEST_CHILD_PATH
std::string Child() { return host_path(TOOLS_TEST_CHILD_PATH); }

std::string ExpectedLines(long n)
{
    std::string text;
    char line[128];
    for (long i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, "line %07ld of the long output, some text to fill it\r", i);
        text += line;
    }
    return text + "END\r";
}

TEST(ToolRunner, LongOutputArrivesWholeWithCRLineEnds)
{
    CListener pane;
    CToolRunner runner;
    const long lines = 200000; // about 11 MB
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, Child(),
                             Child() + " lines " + std::to_string(lines), "", pane, pane));
    EXPECT_TRUE(runner.IsRunning());
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0; }, 300000));
    EXPECT_FALSE(runner.IsRunning());
    std::string expected = ExpectedLines(lines);
    ASSERT_EQ(pane.text.size(), expected.size());
    EXPECT_TRUE(pane.text == expected);
    EXPECT_TRUE(runner.Wait(5000));
}

TEST(ToolRunner, KeysGoToTheProgramAndNowhereAfterItEnded)
{
    winui::ScriptedMessageBoxes boxes;
    CListener pane;
    CToolRunner runner;
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, Child(), Child() + " echo", "", pane,
                             pane))
        << (boxes.Calls().empty() ? "no message" : "message: " + boxes.Calls().front().text);
    ASSERT_TRUE(PumpUntil([&] { return pane.text.find("ready\r") != std::string::npos; }));
    for (char c : std::string("hello\r"))
        EXPECT_TRUE(runner.SendKey(static_cast<unsigned char>(c)));
    ASSERT_TRUE(PumpUntil([&] { return pane.text.find("got: hello\r") != std::string::npos; }));
    for (char c : std::string("quit\r"))
        runner.SendKey(static_cast<unsigned char>(c));
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0; }));
    EXPECT_FALSE(runner.SendKey('x'));
    EXPECT_FALSE(runner.SendKey('\r'));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(pane.text, "ready\rgot: hello\r");
}

TEST(ToolRunner, StandardErrorIsCapturedToo)
{
    CListener pane;
    CToolRunner runner;
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, Child(), Child() + " exit 3", "", pane,
                             pane));
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0; }));
    EXPECT_EQ(pane.text, "leaving with 3\r");
}

TEST(ToolRunner, CancelEndsTheProgram)
{
    CListener pane;
    CToolRunner runner;
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, Child(), Child() + " sleep", "", pane,
                             pane));
    ASSERT_TRUE(PumpUntil([&] { return pane.text.find("sleeping") != std::string::npos; }));
    // A second run is refused while one is under way.
    EXPECT_FALSE(runner.Start(CToolRunner::Mode::kCapture, Child(), Child() + " sleep", "", pane,
                              pane));
    DWORD start = GetTickCount();
    runner.Cancel();
    // The program sleeps a minute; the run ends long before.
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0; }, 20000));
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_EQ(pane.text, std::string("sleeping\r") + kCanceledCaptured);
    EXPECT_FALSE(runner.IsRunning());
}

TEST(ToolRunner, RedirectedOutputGoesToTheFile)
{
    CListener pane;
    CToolRunner runner;
    std::string path = CToolRunner::RedirectFilePath();
    ASSERT_NE(path.find("_stdout.txt"), std::string::npos);
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kRedirect, Child(), Child() + " lines 1000", "",
                             pane, pane));
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0 && pane.loads > 0; }));
    EXPECT_TRUE(pane.text.empty());
    std::string file = read_file(path);
    // The program's own bytes, line ends as it wrote them.
    std::string expected = ExpectedLines(1000);
    for (char& c : expected)
        if (c == '\r')
            c = '\n';
    EXPECT_TRUE(without_cr(file) == expected);
    EXPECT_NE(file.find("it\r\nline 0000001"), std::string::npos);
    EXPECT_NE(file.find("it\nline 0000002"), std::string::npos);
}

TEST(ToolRunner, CancelOfARedirectedRun)
{
    CListener pane;
    CToolRunner runner;
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kRedirect, Child(), Child() + " sleep", "", pane,
                             pane));
    Sleep(500);
    runner.Cancel();
    // The end of the run is told first, then the pane loads the file.
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0 && pane.loads > 0; }, 20000));
    EXPECT_EQ(pane.text, kCanceledRedirected);
    EXPECT_EQ(pane.loads, 1);
}
#endif

TEST(ToolRunner, AMissingProgramIsReportedWithTheSystemsReason)
{
    winui::ScriptedMessageBoxes boxes;
    CListener pane;
    CToolRunner runner;
    std::string program = "C:\\no\\such\\program.exe";
    EXPECT_FALSE(runner.Start(CToolRunner::Mode::kCapture, program, program + " -x", "", pane,
                              pane));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const winui::MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.caption, program);
    EXPECT_EQ(box.text.rfind("Error at application start\n\n", 0), 0u);
    EXPECT_GT(box.text.size(), std::string("Error at application start\n\n").size());
    EXPECT_EQ(box.type & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_FALSE(runner.SendKey('a'));
    // Redirected likewise.
    EXPECT_FALSE(runner.Start(CToolRunner::Mode::kRedirect, program, program, "", pane, pane));
    EXPECT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(pane.finished, 0);
}

#if defined(GRAVIK_PATH) && defined(MORRIN_PATH)
// The example project built by the make tool, run as a tool: its command
// lines and the assembler's diagnostics arrive in the pane, and a diagnostic
// line names the source and line.
TEST(ToolRunner, MakeToolOnTheExampleProject)
{
    std::string dir = test_folder("example");
    const char* sources[] = {"start.s51", "main.s51", "delay.s51"};
    for (const char* s : sources)
        write_file(dir + "/" + s, read_file(std::string(SUITE_SOURCE_ROOT) + "/examples/" + s));
    // Messages on the console instead of "error.out", and one error in main.s51.
    write_file(dir + "/makefile",
               "ERRFILE =\n" + read_file(std::string(SUITE_SOURCE_ROOT) + "/examples/makefile"));
    write_file(dir + "/main.s51", read_file(dir + "/main.s51") + "        movx @dptr\n");
    int errorLine = 0;
    {
        std::string text = read_file(dir + "/main.s51");
        for (char c : text)
            errorLine += c == '\n';
    }

    // The make tool finds the assembler and linker on the path.
    std::string bin = host_path(GRAVIK_PATH);
    bin = bin.substr(0, bin.find_last_of('\\'));
    char path[32768] = "";
    GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (bin + ";" + path).c_str());

    CListener pane;
    CToolRunner runner;
    std::string gravik = host_path(GRAVIK_PATH);
    ASSERT_TRUE(runner.Start(CToolRunner::Mode::kCapture, gravik, gravik, host_path(dir), pane,
                             pane));
    ASSERT_TRUE(PumpUntil([&] { return pane.finished > 0; }, 120000));
    SetEnvironmentVariableA("PATH", path);
    EXPECT_NE(pane.text.find("morrin"), std::string::npos) << pane.text;
    EXPECT_NE(pane.text.find("Gravik: Error"), std::string::npos) << pane.text;
    std::string wanted = "main.s51 " + std::to_string(errorLine) + ": Error";
    size_t at = pane.text.find(wanted);
    ASSERT_NE(at, std::string::npos) << pane.text;
    diag::Target t = diag::ParseOutputLine(diag::Format::kBorland, pane.text, at);
    EXPECT_EQ(t.action, diag::Action::kJump);
    EXPECT_EQ(t.file, "main.s51");
    EXPECT_EQ(t.line, errorLine);
}
#endif

} // namespace
