// Ovanta's views and status bar in the real ovanta.exe under Wine: the C
// re-format of a view, the focus after Goto Line, the status bar's browser
// pane and its progress pane.
#include "testing/winprog/ovanta_fixture.h"
#include "message_log.h"
#include "program_session.h"
#include "system_input.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char frame_class[] = "winui.Frame";
const UINT pane_id = 0xE900;
const UINT editor_id = 0x1113;

// Dark pixels (glyphs of text on the light page) of a window's client area
// as the screen shows it, read in one copy of the desktop; the rows above
// skipTop left out.
int dark_pixels_on_screen(HWND window, int skipTop)
{
    RECT rc;
    GetClientRect(window, &rc);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    rc.top += skipTop;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return -1;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    int dark = 0;
    const auto* px = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < w * h; ++i, px += 4)
        if (px[0] < 100 && px[1] < 100 && px[2] < 100)
            ++dark;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return dark;
}

class OvantaViews : public OvantaProgramTest {
protected:

    void Start(ProgramSession& s, const std::string& args)
    {
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_, SW_SHOWNORMAL));
        ASSERT_NE(s.WaitForMainWindow(frame_class), nullptr);
    }

    static bool WaitForActiveChild(HWND frame, DWORD timeoutMs = 20000)
    {
        return WaitUntil([&] { return ActiveChild(frame) != nullptr; }, static_cast<int>(timeoutMs));
    }
    // A start that hands its arguments to the running instance.
    void StartSecond(const std::string& args)
    {
        ProgramSession s;
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_));
        int code = -1;
        ASSERT_TRUE(s.WaitForExit(30000, &code));
        EXPECT_EQ(code, 0);
    }
    // Waits until the active document window has the title.
    static HWND WaitForActiveTitle(HWND frame, const std::string& title, DWORD timeoutMs = 20000)
    {
        HWND child = nullptr;
        const bool came = WaitUntil([&] {
            child = ActiveChild(frame);
            return child && WindowTextOf(child).rfind(title, 0) == 0;
        }, static_cast<int>(timeoutMs));
        return came ? child : nullptr;
    }
    static HWND View(HWND child) { return GetDlgItem(child, pane_id); }
    static HWND Editor(HWND child) { return GetDlgItem(View(child), editor_id); }

};

// After Goto Line the editor has the focus again: what the user types goes
// into the text at the new line, by real keys through the system queue.
TEST_F(OvantaViews, TypingAfterGotoLineGoesIntoTheEditorAtThatLine)
{
    ASSERT_TRUE(write_file(Work("g.c"), "one\r\ntwo\r\nthree\r\nfour\r\n"));
    Script("dialog ok set 1022 3\n");
    ProgramSession s;
    Start(s, "g.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    HWND child = ActiveChild(s.MainWindow());
    HWND editor = Editor(child);
    ASSERT_NE(editor, nullptr);
    SetForegroundWindow(s.MainWindow());
    Sleep(300);
    s.Command(ID_GOTO_LINE);
    ASSERT_NE(Log().find("dialog 146"), std::string::npos) << Log();
    Sleep(300);
    EXPECT_EQ(Focus(s.MainWindow()), editor);
    PlayInput({KeyDown('X'), KeyUp('X')}, nullptr, 500);
    SendMessageA(editor, WM_CHAR, 'Y', 1);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("g.c")), "one\r\ntwo\r\nxYthree\r\nfour\r\n");
    ASSERT_TRUE(s.Close());
}

// Message 0x466 re-formats the text as C; unbalanced braces are refused
// with the formatter's message and leave text and modified flag alone.
TEST_F(OvantaViews, ReformatAsCLaysTheTextOutAndRefusesUnbalancedBraces)
{
    ASSERT_TRUE(write_file(Work("f.c"), "int f(void) { int a; a = 1; return a; }\r\n"));
    ASSERT_TRUE(write_file(Work("open.c"), "void g(void) {\r\nint b;\r\n"));
    Script("box ok\n");
    ProgramSession s;
    Start(s, "f.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    HWND child = ActiveChild(s.MainWindow());
    SendMessageA(View(child), WM_REFORMAT_C, 0, 0);
    EXPECT_EQ(WindowTextOf(child), "f.c *");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "int f(void)\r\n{\r\n    int a;\r\n    a = 1;\r\n    return a;\r\n}\r\n");
    // One Undo brings back the text before the run.
    s.Command(ID_EDIT_UNDO);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "int f(void) { int a; a = 1; return a; }\r\n");

    ASSERT_TRUE(s.Close());
    ProgramSession t;
    Start(t, "open.c");
    ASSERT_TRUE(WaitForActiveChild(t.MainWindow()));
    child = ActiveChild(t.MainWindow());
    SendMessageA(View(child), WM_REFORMAT_C, 0, 0);
    std::string log = Log();
    EXPECT_NE(log.find("There exist more opening {-braces then closing"), std::string::npos) << log;
    EXPECT_EQ(WindowTextOf(child), "open.c");
    t.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("open.c")), "void g(void) {\r\nint b;\r\n");
    ASSERT_TRUE(t.Close());
}

// The positions the progress bar was set to that lie between its ends.
static std::vector<unsigned long long> InnerPositions(const std::vector<std::pair<unsigned long long, long long>>& log,
                                                      size_t from)
{
    std::vector<unsigned long long> inner;
    for (size_t i = from; i < log.size(); ++i)
        if (log[i].first > 0 && log[i].first < 100)
            inner.push_back(log[i].first);
    return inner;
}

// While C is re-formatted, and while a large file loads, the status bar's
// progress pane moves on: the program sets the bar step by step, as a hook
// in the program sees (the program is too busy meanwhile to be asked).
TEST_F(OvantaViews, ProgressPaneAdvancesWhileCIsReformattedAndALargeFileLoads)
{
    std::string c;
    for (int i = 0; c.size() < 100000; ++i)
        c += "int f" + std::to_string(i) + "(void) { int a; a = " + std::to_string(i) + "; return a; }\r\n";
    ASSERT_TRUE(write_file(Work("f.c"), c));
    std::string big;
    for (int i = 0; big.size() < (5u << 20); ++i)
        big += "\tmov\ta, #" + std::to_string(i % 256) + "\t; line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(write_file(Work("big.asm"), big));

    MessageLog setPos(PBM_SETPOS, PROGRESS_CLASSA, dir_ + "\\setpos.log");
    ProgramSession s;
    Start(s, "f.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    HWND child = ActiveChild(s.MainWindow());
    ASSERT_TRUE(setPos.Install(host_path(MESSAGE_HOOK_DLL), s.MainWindow()));

    SendMessageA(View(child), WM_REFORMAT_C, 0, 0);
    EXPECT_EQ(WindowTextOf(child), "f.c *");
    std::vector<std::pair<unsigned long long, long long>> log = setPos.Values();
    std::vector<unsigned long long> inner = InnerPositions(log, 0);
    EXPECT_GE(inner.size(), 20u) << "the bar moves within each step of the formatter";
    EXPECT_FALSE(log.empty() || log.back().first != 0) << "and is back at 0 at the end";

    const size_t before = log.size();
    StartSecond("big.asm");
    ASSERT_NE(WaitForActiveTitle(s.MainWindow(), "big.asm"), nullptr);
    SendMessageA(s.MainWindow(), WM_NULL, 0, 0);
    log = setPos.Values();
    inner = InnerPositions(log, before);
    std::string seen;
    for (size_t i = before; i < log.size(); ++i)
        seen += std::to_string(log[i].first) + " ";
    ASSERT_GE(inner.size(), 3u) << "about every megabyte of the file: " << seen;
    for (size_t i = 1; i < inner.size(); ++i)
        EXPECT_GT(inner[i], inner[i - 1]) << "the load only moves forward: " << seen;
    EXPECT_EQ(log.back().first, 0u);
    ASSERT_TRUE(s.Close());
}

// The last maximise or restore of a document window decides how the next
// one opens (OpenMaximized), also after the window was closed.
TEST_F(OvantaViews, NewDocumentWindowsOpenAsTheUserLastSizedOne)
{
    for (const char* name : {"a.c", "b.c", "c.c"})
        ASSERT_TRUE(write_file(Work(name), "int x;\r\n"));
    Setting("DefaultSettings", "OpenMaximized", "0");
    ProgramSession s;
    Start(s, "a.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    HWND a = ActiveChild(s.MainWindow());
    EXPECT_FALSE(IsZoomed(a));
    SendMessageA(a, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(Profile("DefaultSettings", "OpenMaximized"), "1");
    s.Command(ID_FILE_CLOSE_CMD);
    StartSecond("b.c");
    HWND b = WaitForActiveTitle(s.MainWindow(), "b.c");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(IsZoomed(b));
    // Minimising leaves the setting; restoring clears it.
    SendMessageA(b, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(Profile("DefaultSettings", "OpenMaximized"), "1");
    SendMessageA(b, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(Profile("DefaultSettings", "OpenMaximized"), "0");
    StartSecond("c.c");
    HWND c = WaitForActiveTitle(s.MainWindow(), "c.c");
    ASSERT_NE(c, nullptr);
    EXPECT_FALSE(IsZoomed(c));
    ASSERT_TRUE(s.Close());
}

// The auto-save tick writes a changed text to its file; while the file
// cannot be replaced the tick leaves it whole and the changes stay to be
// saved.
TEST_F(OvantaViews, AutoSaveWritesChangesAndAFailedOneLeavesTheFileWhole)
{
    ASSERT_TRUE(write_file(Work("auto.c"), "int a;\r\n"));
    Script("box ok\nbox ok\nbox ok\n");
    ProgramSession s;
    Start(s, "auto.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    HWND child = ActiveChild(s.MainWindow());
    HWND editor = Editor(child);
    SendMessageA(editor, WM_CHAR, 'X', 1);
    SendMessageA(s.MainWindow(), WM_TIMER, 0x4321, 0);
    EXPECT_EQ(read_file(Work("auto.c")), "Xint a;\r\n");

    // The file held open without sharing: the tick cannot replace it.
    HANDLE held = CreateFileA(Work("auto.c").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SendMessageA(editor, WM_CHAR, 'Y', 1);
    SendMessageA(s.MainWindow(), WM_TIMER, 0x4321, 0);
    CloseHandle(held);
    EXPECT_EQ(read_file(Work("auto.c")), "Xint a;\r\n");
    // The next tick saves what the failed one could not.
    SendMessageA(s.MainWindow(), WM_TIMER, 0x4321, 0);
    EXPECT_EQ(read_file(Work("auto.c")), "XYint a;\r\n");
    ASSERT_TRUE(s.Close());
}

// Closing while the source browser scans the open documents: the scan is
// asked to stop and waited for, the program ends cleanly and in time, and
// the profile is written.
TEST_F(OvantaViews, ClosingWhileTheBrowserScansEndsCleanly)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "int f" + std::to_string(i) + "(int a) { return a + " + std::to_string(i) + "; }\r\n";
    ASSERT_TRUE(write_file(Work("big.c"), text));
    ASSERT_TRUE(write_file(Work("small.c"), "int g(void) { return 0; }\r\n"));
    Setting("TagConfig", "flags", "32769"); // automatic, the open documents
    ProgramSession s;
    Start(s, "big.c small.c");
    ASSERT_TRUE(WaitForActiveChild(s.MainWindow()));
    for (int round = 0; round < 3; ++round) {
        PostMessageA(s.MainWindow(), WM_BROWSER_REQUEST, 0, 0);
        Sleep(50);
    }
    // A document closes while the scan may still read its copy.
    s.Command(ID_FILE_CLOSE_CMD);
    PostMessageA(s.MainWindow(), WM_BROWSER_REQUEST, 0, 0);
    int code = -1;
    ASSERT_TRUE(s.Close(&code, 20000));
    EXPECT_EQ(code, 0);
    char value[64] = "";
    GetPrivateProfileStringA("TagConfig", "flags", "", value, sizeof value, ini_.c_str());
    EXPECT_EQ(std::string(value), "32769");
}

// Closing a maximised document by its key (Shift+F11) uncovers the next
// one, which grows from its covered place to the whole frame: none of the
// closed document's text stays on the screen over the nearly empty one.
TEST_F(OvantaViews, ClosingAMaximisedDocumentLeavesNoneOfItsTextOnTheNext)
{
    std::string hashes;
    for (int i = 0; i < 80; ++i)
        hashes += std::string(200, '#') + "\r\n";
    ASSERT_TRUE(write_file(Work("full.txt"), hashes));
    ASSERT_TRUE(write_file(Work("empty.txt"), "\r\n"));
    Setting("DefaultSettings", "OpenMaximized", "1");
    ProgramSession s;
    Start(s, "empty.txt full.txt");
    HWND frame = s.MainWindow();
    HWND full = WaitForActiveTitle(frame, "full.txt");
    ASSERT_NE(full, nullptr);
    HWND empty = Child(frame, "empty.txt");
    ASSERT_NE(empty, nullptr);
    ASSERT_TRUE(IsZoomed(full));
    SetForegroundWindow(frame);
    // The capture itself first: the full document shows as dark text.
    const int skip = 40;
    int before = 0;
    for (int i = 0; i < 100 && before < 10000; ++i) {
        PumpMessages(50);
        before = dark_pixels_on_screen(Editor(full), skip);
    }
    ASSERT_GE(before, 10000) << "the lines of # are seen on the screen";
    Sleep(200);
    PlayInput({KeyDown(VK_SHIFT), KeyDown(VK_F11), KeyUp(VK_F11), KeyUp(VK_SHIFT)}, nullptr, 300);
    ASSERT_EQ(WaitForActiveTitle(frame, "empty.txt"), empty);
    ASSERT_FALSE(IsWindow(full));
    ASSERT_TRUE(IsZoomed(empty));
    // Once the uncovered document has painted, its page stays light.
    int after = -1;
    for (int i = 0; i < 40; ++i) {
        PumpMessages(50);
        after = dark_pixels_on_screen(Editor(empty), skip);
        if (after == 0)
            break;
    }
    EXPECT_EQ(after, 0) << "of " << before << " dark pixels before the close";
    ASSERT_TRUE(s.Close());
}

} // namespace
