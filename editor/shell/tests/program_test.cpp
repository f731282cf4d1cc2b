// Ovanta as a whole program under Wine: the real ovanta.exe, started from a
// folder of its own (its profile "ovanta.ini" beside it) with files on its
// command line, driven by messages as a user's keys and menu commands
// arrive, answered through a script file.
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "test_printer.h"
#include "testing/kit/test_kit.h"
#include "winui/picture.h"

#include "editor/shell/print_options_res.h"
#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char frame_class[] = "winui.Frame";
const UINT pane_id = 0xE900;
const UINT editor_id = 0x1113;

// One pixel an icon covers, with its colour.
struct IconPixel {
    int x, y;
    COLORREF colour;
};

// The pixels an icon covers when drawn at size x size: those that come out
// the same drawn on black and on white (the half-covered edges left out).
std::vector<IconPixel> covered_pixels(HICON icon, int size)
{
    std::vector<IconPixel> out;
    HDC screen = GetDC(nullptr);
    HDC dc[2] = {CreateCompatibleDC(screen), CreateCompatibleDC(screen)};
    HBITMAP bmp[2] = {CreateCompatibleBitmap(screen, size, size), CreateCompatibleBitmap(screen, size, size)};
    HGDIOBJ old[2];
    for (int k = 0; k < 2; ++k) {
        old[k] = SelectObject(dc[k], bmp[k]);
        RECT all{0, 0, size, size};
        FillRect(dc[k], &all, static_cast<HBRUSH>(GetStockObject(k ? WHITE_BRUSH : BLACK_BRUSH)));
        DrawIconEx(dc[k], 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF c = GetPixel(dc[0], x, y);
            if (c == GetPixel(dc[1], x, y))
                out.push_back(IconPixel{x, y, c});
        }
    for (int k = 0; k < 2; ++k) {
        SelectObject(dc[k], old[k]);
        DeleteObject(bmp[k]);
        DeleteDC(dc[k]);
    }
    ReleaseDC(nullptr, screen);
    return out;
}

// Whether the window, as the screen shows it, has the icon drawn at the left
// end of its caption (its frame's edge and the caption band; not the menu
// bar below, where a maximized document window's icon stands).
bool shows_icon(HWND window, const std::vector<IconPixel>& icon, int size)
{
    winui::CWindowPicture shown;
    if (icon.empty() || !shown.CaptureWindowFromScreen(window))
        return false;
    auto alike = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 16 && std::abs(GetGValue(a) - GetGValue(b)) <= 16 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 16;
    };
    const int band = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    for (int top = 0; top + size <= std::min(shown.Height(), band); ++top)
        for (int left = 0; left + size <= std::min(shown.Width(), 4 * size); ++left)
            if (std::all_of(icon.begin(), icon.end(), [&](const IconPixel& p) {
                    return alike(shown.Pixel(left + p.x, top + p.y), p.colour);
                }))
                return true;
    return false;
}

class OvantaProgram : public OvantaProgramTest {
protected:

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
        return WaitUntil([&] { return Children(frame).size() == count; }, static_cast<int>(timeoutMs));
    }

    // The pixels of a window of the program as they stand on the screen,
    // read from a picture of its main window (rows of the window's client
    // area from its top left corner, w x h).
    static std::vector<COLORREF> Pixels(HWND main, HWND wnd, int w, int h)
    {
        UpdateWindow(wnd);
        winui::CWindowPicture p;
        std::vector<COLORREF> out;
        if (!p.Capture(main))
            return out;
        POINT origin{0, 0};
        ClientToScreen(wnd, &origin);
        ScreenToClient(main, &origin);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                out.push_back(p.Pixel(origin.x + x, origin.y + y));
        return out;
    }

};

TEST_F(OvantaProgram, OpensTypesSavesAndWritesItsProfile)
{
    ASSERT_TRUE(write_file(Work("a.c"), "hello\r\nworld\r\n"));
    ProgramSession s;
    Start(s, "a.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    EXPECT_EQ(WindowTextOf(child), "a.c");
    HWND editor = EditorOf(child);
    ASSERT_NE(editor, nullptr);
    Type(editor, "// ");
    EXPECT_EQ(WindowTextOf(child), "a.c *");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("a.c")), "// hello\r\nworld\r\n");
    EXPECT_EQ(WindowTextOf(child), "a.c");
    // Backups: the original as opened, and the file before the save.
    EXPECT_EQ(read_file(Work("a.c.org")), "hello\r\nworld\r\n");
    EXPECT_EQ(read_file(Work("a.c.bak")), "hello\r\nworld\r\n");

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
    ASSERT_TRUE(write_file(Work("long.c"), text));
    ProgramSession s;
    Start(s, "long.c -120");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND editor = EditorOf(ActiveChild(s.MainWindow()));
    Type(editor, "X");
    s.Command(ID_FILE_SAVE_CMD);
    std::string saved = read_file(Work("long.c"));
    EXPECT_NE(saved.find("line 119\r\nXline 120\r\n"), std::string::npos);
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaProgram, RelativePathInASubfolderIsSavedWhereItWasRead)
{
    // Opening enters the document's folder; the name must not be resolved
    // again from there (it would point at sub\sub\r.c).
    fs::create_directories(Work("sub"));
    ASSERT_TRUE(write_file(Work("sub\\r.c"), "old\r\n"));
    ProgramSession s;
    Start(s, "sub\\r.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND editor = EditorOf(ActiveChild(s.MainWindow()));
    Type(editor, "X");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("sub\\r.c")), "Xold\r\n");
    EXPECT_FALSE(fs::exists(Work("sub\\sub\\r.c")));
    ASSERT_TRUE(s.Close());
}


// --- hand-over between two processes -------------------------------------------

TEST_F(OvantaProgram, SecondStartHandsItsFilesOver)
{
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(write_file(Work("long.c"), text));
    ASSERT_TRUE(write_file(Work("b.c"), "b\r\n"));
    // The workspace handed over below asks whether the open documents are
    // to be closed (No: long.c stays), and closing asks whether to save it.
    Script("box no\nbox no\n");
    ProgramSession first;
    Start(first, "");
    EXPECT_TRUE(Children(first.MainWindow()).empty());

    // With a line number: the running instance opens the file's full path
    // there; the second start shows no window and ends.
    ProgramSession second;
    int code = -1;
    StartSecond(second, "long.c -120", &code);
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(WaitForChildren(first.MainWindow(), 1));
    HWND editor = EditorOf(ActiveChild(first.MainWindow()));
    Type(editor, "X");
    first.Command(ID_FILE_SAVE_CMD);
    EXPECT_NE(read_file(Work("long.c")).find("line 119\r\nXline 120\r\n"), std::string::npos);

    // A workspace argument arrives as given (with its "-w"), so it is not
    // taken for a file of the working folder; the file after it opens.
    ProgramSession third;
    StartSecond(third, "-wproj.wsp b.c", &code);
    ASSERT_TRUE(WaitForChildren(first.MainWindow(), 2));
    EXPECT_EQ(WindowTextOf(ActiveChild(first.MainWindow())), "b.c");
    EXPECT_EQ(Log().find("Failed to open"), std::string::npos) << Log();
    ASSERT_TRUE(first.Close());
}

TEST_F(OvantaProgram, SecondStartsTogetherLoseNoFile)
{
    for (const char* name : {"one.c", "two.c", "three.c"})
        ASSERT_TRUE(write_file(Work(name), std::string(name) + "\r\n"));
    ProgramSession first;
    Start(first, "");
    ProgramSession a, b;
    a.SetScript(script_, log_);
    b.SetScript(script_, log_);
    ASSERT_TRUE(a.Start(exe_, "one.c two.c", work_));
    ASSERT_TRUE(b.Start(exe_, "three.c", work_));
    ASSERT_TRUE(a.WaitForExit(30000));
    ASSERT_TRUE(b.WaitForExit(30000));
    ASSERT_TRUE(WaitForChildren(first.MainWindow(), 3));
    std::vector<std::string> titles;
    for (HWND child : Children(first.MainWindow()))
        titles.push_back(WindowTextOf(child));
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"one.c", "three.c", "two.c"}));
    ASSERT_TRUE(first.Close());
}

TEST_F(OvantaProgram, TooLongArgumentIsRefusedNotCut)
{
    ProgramSession first;
    Start(first, "");
    Script("box ok\n");
    // The working folder and this name together exceed the shared block.
    std::string name = std::string(2100, 'n') + ".c";
    ProgramSession second;
    int code = -1;
    StartSecond(second, name, &code);
    std::string log = Log();
    EXPECT_NE(log.find("too long to be handed over"), std::string::npos) << log;
    Sleep(500);
    EXPECT_TRUE(Children(first.MainWindow()).empty());
    ASSERT_TRUE(first.Close());
}

// A first instance whose frame is gone or does not answer: the mutex and
// the block exist, the window in it cannot take the file.
TEST_F(OvantaProgram, SecondStartOpensTheFileWhenTheFirstDoesNotAnswer)
{
    ASSERT_TRUE(write_file(Work("lost.c"), "lost\r\n"));
    for (bool hung : {false, true}) {
        SCOPED_TRACE(hung ? "hung" : "gone");
        HANDLE mutex = CreateMutexA(nullptr, FALSE, "PreventSecondInstanceOfOvanta");
        ASSERT_NE(mutex, nullptr);
        HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2004,
                                            "OvantaSharedInstanceBlock");
        ASSERT_NE(mapping, nullptr);
        auto* block = static_cast<uint32_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 2004));
        ASSERT_NE(block, nullptr);
        // A window of this thread, which takes no messages while it waits.
        HWND receiver = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        nullptr, nullptr);
        if (!hung)
            DestroyWindow(receiver);
        *block = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(receiver));

        ProgramSession s;
        Start(s, "lost.c");
        EXPECT_TRUE(WaitForChildren(s.MainWindow(), 1));
        ASSERT_TRUE(s.Close());
        if (hung)
            DestroyWindow(receiver);
        UnmapViewOfFile(block);
        CloseHandle(mapping);
        CloseHandle(mutex);
    }
}

// --- document and view ------------------------------------------------------------

TEST_F(OvantaProgram, ClosingAsksAndDoesWhatTheAnswerSays)
{
    for (const char* name : {"yes.c", "no.c", "cancel.c"})
        ASSERT_TRUE(write_file(Work(name), "text\r\n"));
    Script("box yes\nbox no\nbox cancel\n");
    ProgramSession s;
    Start(s, "yes.c no.c cancel.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 3));
    struct Case {
        const char* name;
        const char* onDisk;
        bool stays;
    } cases[] = {
        {"yes.c", "+text\r\n", false},
        {"no.c", "text\r\n", false},
        {"cancel.c", "text\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND child = nullptr;
        for (HWND w : Children(s.MainWindow()))
            if (WindowTextOf(w) == c.name)
                child = w;
        ASSERT_NE(child, nullptr);
        SendMessageA(Client(s.MainWindow()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        Type(EditorOf(child), "+");
        s.Command(ID_FILE_CLOSE_CMD);
        EXPECT_EQ(read_file(Work(c.name)), c.onDisk);
        EXPECT_EQ(IsWindow(child) != FALSE, c.stays);
        if (c.stays) {
            EXPECT_EQ(WindowTextOf(child), std::string(c.name) + " *");
        }
    }
    std::string log = Log();
    EXPECT_NE(log.find("\"Save changes to "), std::string::npos) << log;
    EXPECT_NE(log.find("yes.c?\" 6"), std::string::npos) << log;
    EXPECT_NE(log.find("cancel.c?\" 2"), std::string::npos) << log;
    // The cancelled one is still modified: closing the program asks again.
    Script("box no\n");
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaProgram, SaveAsWritesTheNewFileAndKeepsTheOld)
{
    ASSERT_TRUE(write_file(Work("old.c"), "old\r\n"));
    Script("save \"" + Work("new.c") + "\"\n");
    ProgramSession s;
    Start(s, "old.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    Type(EditorOf(child), "n");
    s.Command(ID_FILE_SAVE_AS_CMD);
    EXPECT_EQ(read_file(Work("new.c")), "nold\r\n");
    EXPECT_EQ(read_file(Work("old.c")), "old\r\n");
    EXPECT_EQ(WindowTextOf(child), "new.c");
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaProgram, NewDocumentIsTypedAndSavedUnderAName)
{
    Script("save \"" + Work("fresh.c") + "\"\n");
    ProgramSession s;
    Start(s, "");
    s.Command(ID_FILE_NEW_CMD);
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    EXPECT_EQ(WindowTextOf(child).substr(0, 7), "unknown");
    Type(EditorOf(child), "abc\rdef");
    s.Command(ID_FILE_SAVE_CMD); // no name yet: asks for one
    EXPECT_EQ(read_file(Work("fresh.c")), "abc\r\ndef");
    EXPECT_EQ(WindowTextOf(child), "fresh.c");
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaProgram, SingleInstanceModeSwitchedOff)
{
    ASSERT_TRUE(write_file(Work("own.c"), "own\r\n"));
    ProgramSession first;
    Start(first, "");
    first.Command(ID_TOGGLE_SINGLE_INSTANCE);
    EXPECT_EQ(Profile("DefaultSettings", "MultipleInstances"), "0");
    // A later start runs as an instance of its own and opens its file.
    ProgramSession second;
    Start(second, "own.c");
    EXPECT_NE(second.MainWindow(), first.MainWindow());
    EXPECT_TRUE(WaitForChildren(second.MainWindow(), 1));
    EXPECT_TRUE(Children(first.MainWindow()).empty());
    ASSERT_TRUE(second.Close());
    ASSERT_TRUE(first.Close());
}

TEST_F(OvantaProgram, FailedSaveKeepsTheFileAndTheChanges)
{
    ASSERT_TRUE(write_file(Work("held.c"), "held\r\n"));
    ProgramSession s;
    Start(s, "held.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    Type(EditorOf(child), "new ");
    // Another program holds the file open without sharing: it cannot be
    // replaced now.
    HANDLE held = CreateFileA(Work("held.c").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Script("box ok\n");
    s.Command(ID_FILE_SAVE_CMD);
    CloseHandle(held);
    EXPECT_EQ(read_file(Work("held.c")), "held\r\n");
    EXPECT_EQ(WindowTextOf(child), "held.c *");
    EXPECT_NE(Log().find("could not be saved"), std::string::npos) << Log();
    // Once the file is free the same text saves.
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("held.c")), "new held\r\n");
    EXPECT_EQ(WindowTextOf(child), "held.c");
    ASSERT_TRUE(s.Close());
}

TEST_F(OvantaProgram, SplitPanesShowOneText)
{
    ASSERT_TRUE(write_file(Work("split.c"), "first\r\nsecond\r\n"));
    Setting("DefaultSettings", "Split", "1");
    ProgramSession s;
    Start(s, "split.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND child = ActiveChild(s.MainWindow());
    HWND splitter = GetDlgItem(child, pane_id);
    ASSERT_NE(splitter, nullptr);
    // The splitter has no border: its window is its client area.
    RECT rc;
    GetWindowRect(splitter, &rc);
    OffsetRect(&rc, -rc.left, -rc.top);
    // Drag the split box at the top of the scroll bar down to the middle.
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 3, 2));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(rc.right - 3, rc.bottom / 2));
    WaitUntil([&] { return GetDlgItem(splitter, 0xE910) != nullptr; }, 5000);
    ASSERT_NE(GetDlgItem(splitter, 0xE910), nullptr) << rc.right << "x" << rc.bottom;
    HWND top = GetDlgItem(GetDlgItem(splitter, 0xE900), editor_id);
    HWND bottom = GetDlgItem(GetDlgItem(splitter, 0xE910), editor_id);
    ASSERT_NE(top, nullptr);
    ASSERT_NE(bottom, nullptr);

    // What is typed in one pane shows in the other.
    auto firstCell = [&](HWND editor) { return Pixels(s.MainWindow(), editor, 24, 14); };
    std::vector<COLORREF> before = firstCell(bottom);
    SendMessageA(top, WM_SETFOCUS, 0, 0);
    Type(top, "##");
    Sleep(300);
    EXPECT_NE(firstCell(bottom), before);
    before = firstCell(top);
    Key(bottom, VK_HOME);
    Type(bottom, "@@@@");
    Sleep(300);
    EXPECT_NE(firstCell(top), before);
    // One text, one modified state: saving from either pane writes both edits.
    s.Command(ID_FILE_SAVE_CMD);
    std::string saved = read_file(Work("split.c"));
    EXPECT_NE(saved.find("##"), std::string::npos) << saved;
    EXPECT_NE(saved.find("@@@@"), std::string::npos) << saved;
    // Closing the document with two views frees nothing they still use.
    s.Command(ID_FILE_CLOSE_CMD);
    EXPECT_TRUE(WaitForChildren(s.MainWindow(), 0));
    ASSERT_TRUE(s.Close());
}

// --- the syntax-aware editor and go to line -------------------------------------

TEST_F(OvantaProgram, CSourceOpensColouredAndPlainTextDoesNot)
{
    const char text[] = "/* note */\r\nint main(void)\r\n{\r\n    return 0;\r\n}\r\n";
    ASSERT_TRUE(write_file(Work("a.c"), text));
    ASSERT_TRUE(write_file(Work("a.txt"), text));
    // The suite's own assembler sources have a template out of the box too.
    ASSERT_TRUE(write_file(Work("a.a51"), "; note on the start\r\n        mov     a,#1\r\n        ljmp    main\r\n"));
    Setting("DefaultSettings", "OpenMaximized", "0");
    ProgramSession s;
    Start(s, "a.c a.txt a.a51");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 3));
    s.Command(ID_WINDOW_TILE_HORZ_CMD);
    RedrawWindow(s.MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    // Coloured pixels (neither grey nor white) on the first lines: the
    // comment and the keywords of the C and the assembler file, none in the
    // text file.
    std::vector<HWND> children = Children(s.MainWindow());
    ASSERT_EQ(children.size(), 3u);
    for (HWND child : children) {
        HWND editor = EditorOf(child);
        RECT rc;
        GetClientRect(editor, &rc);
        std::vector<COLORREF> px = Pixels(s.MainWindow(), editor, std::min<int>(rc.right, 200),
                                          std::min<int>(rc.bottom, 60));
        long coloured = std::count_if(px.begin(), px.end(), [](COLORREF c) {
            return GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c);
        });
        if (WindowTextOf(child) != "a.txt")
            EXPECT_GT(coloured, 20) << WindowTextOf(child);
        else
            EXPECT_EQ(coloured, 0) << WindowTextOf(child);
    }
    ASSERT_TRUE(s.Close());
    // The first start made the built-in C and assembler templates and keeps
    // colouring on.
    EXPECT_EQ(Profile("SyntaxTemplates", "number"), "2");
    EXPECT_EQ(Profile("SyntaxTemplates", "template0"), "C/C++");
    EXPECT_EQ(Profile("SyntaxTemplates", "template1"), "8051 Assembler");
    EXPECT_EQ(Profile("DefaultSettings", "Syntax"), "1");
}

TEST_F(OvantaProgram, GotoLineTakesDecimalAndHexadecimalNumbers)
{
    std::string text;
    for (int i = 1; i <= 60; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(write_file(Work("long.c"), text));
    // A word that is no number (the first line), 12, then 0x1F (31).
    Script("dialog ok set 1022 word\n"
           "dialog ok set 1022 12\n"
           "dialog ok set 1022 0x1F\n");
    ProgramSession s;
    Start(s, "long.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    for (int k = 0; k < 3; ++k)
        s.Command(ID_GOTO_LINE);
    std::string log = Log();
    size_t at = 0;
    for (int k = 0; k < 3; ++k) {
        at = log.find("dialog 146 \"Goto line:\" 1", at);
        ASSERT_NE(at, std::string::npos) << log;
        ++at;
    }
    ASSERT_TRUE(s.Close());
    // The caret stands at the start of line 31 (lines 1-9 hold 7 bytes with
    // their line end, 10-30 hold 8): the recent list keeps that offset.
    std::string recent = Profile("Recent File List", "File1");
    EXPECT_NE(recent.find(",231,"), std::string::npos) << recent;
}

// --- the picture -------------------------------------------------------------------

TEST_F(OvantaProgram, MainWindowWithTwoDocumentsAndTheStatusBar)
{
    ASSERT_TRUE(write_file(Work("left.c"), "int left;\r\n"));
    ASSERT_TRUE(write_file(Work("locked.c"), "int locked;\r\n"));
    ASSERT_TRUE(SetFileAttributesA(Work("locked.c").c_str(), FILE_ATTRIBUTE_READONLY));
    Setting("DefaultSettings", "OpenMaximized", "0");
    ProgramSession s;
    Start(s, "left.c locked.c");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 2));
    s.Command(ID_WINDOW_TILE_HORZ_CMD);
    HWND status = FindWindowExA(s.MainWindow(), nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(status, nullptr);
    // The main tool bar stands docked at the top, above the documents.
    HWND topDock = GetDlgItem(s.MainWindow(), 0xE81B);
    ASSERT_NE(topDock, nullptr);
    HWND toolBar = GetDlgItem(topDock, 0xE800);
    ASSERT_NE(toolBar, nullptr);
    EXPECT_TRUE(IsWindowVisible(toolBar));
    // (The bar is a child of its dock bar, which clips its borders.)
    RECT dockRect, clientRect;
    GetWindowRect(topDock, &dockRect);
    GetWindowRect(Client(s.MainWindow()), &clientRect);
    EXPECT_GT(dockRect.bottom - dockRect.top, 16);
    EXPECT_LE(dockRect.bottom, clientRect.top);
    RedrawWindow(s.MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);

    winui::CWindowPicture frame;
    ASSERT_TRUE(frame.Capture(s.MainWindow()));
    frame.SaveBmp(dir_ + "\\ovanta.bmp");
    // Two document windows side by side, each with its editor's white text
    // area where the text ends.
    std::vector<HWND> children = Children(s.MainWindow());
    ASSERT_EQ(children.size(), 2u);
    RECT a, b;
    GetWindowRect(EditorOf(children[0]), &a);
    GetWindowRect(EditorOf(children[1]), &b);
    RECT overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &a, &b));
    for (HWND child : children) {
        RECT rc;
        GetWindowRect(EditorOf(child), &rc);
        POINT p{rc.right - 20, rc.bottom - 30};
        ScreenToClient(s.MainWindow(), &p);
        EXPECT_EQ(frame.Pixel(p.x, p.y), RGB(255, 255, 255)) << WindowTextOf(child);
    }

    // The active document is the read-only one: its pane is red.
    EXPECT_EQ(WindowTextOf(ActiveChild(s.MainWindow())), "locked.c");
    RECT barRect;
    GetClientRect(status, &barRect);
    std::vector<COLORREF> bar = Pixels(s.MainWindow(), status, barRect.right, barRect.bottom);
    EXPECT_GT(std::count(bar.begin(), bar.end(), RGB(255, 0, 0)), 100);
    // The writable one shows no red.
    for (HWND child : children) {
        if (WindowTextOf(child) == "left.c")
            SendMessageA(Client(s.MainWindow()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
    Sleep(300);
    bar = Pixels(s.MainWindow(), status, barRect.right, barRect.bottom);
    EXPECT_EQ(std::count(bar.begin(), bar.end(), RGB(255, 0, 0)), 0);
    ASSERT_TRUE(s.Close());
    SetFileAttributesA(Work("locked.c").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The text on the clipboard (empty when there is none).
std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A click (with keys) into the line-number margin of a view at height y.
void ClickMargin(HWND view, int y, WPARAM keys)
{
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(2, y));
    SendMessageA(view, WM_LBUTTONUP, keys, MAKELPARAM(2, y));
}

// The selected text as Copy puts it on the emptied clipboard.
std::string CopiedSelection(ProgramSession& s)
{
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    s.Command(ID_EDIT_COPY);
    return ClipboardText();
}

TEST_F(OvantaProgram, LineNumberMarginSelectsLinesAndGrowsWithTheText)
{
    std::string text;
    for (int i = 1; i <= 99; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    text.resize(text.size() - 2); // 99 lines, the last without a line end
    ASSERT_TRUE(write_file(Work("n.txt"), text));
    Setting("DefaultSettings", "ShowLineNo", "1");
    ProgramSession s;
    Start(s, "n.txt");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    HWND editor = EditorOf(ActiveChild(s.MainWindow()));
    ASSERT_NE(editor, nullptr);
    HWND view = GetParent(editor);
    auto marginWidth = [&] {
        RECT rc;
        GetWindowRect(editor, &rc);
        POINT p{rc.left, rc.top};
        ScreenToClient(view, &p);
        return static_cast<int>(p.x);
    };
    // The strip stands left of the control: two digits for 99 lines.
    int two = marginWidth();
    ASSERT_GT(two, 0);
    ASSERT_EQ(two % 2, 0);
    auto click = [&](int y, WPARAM keys) { ClickMargin(view, y, keys); };
    auto selected = [&] { return CopiedSelection(s); };
    // A click on a number selects that line; the row height is where a
    // click starts selecting the second line.
    click(0, 0);
    ASSERT_EQ(selected(), "line1");
    int row = 1;
    while (row < 64) {
        click(row, 0);
        if (selected() == "line2")
            break;
        ++row;
    }
    ASSERT_LT(row, 64);
    click(9 * row + 1, 0);
    EXPECT_EQ(selected(), "line10");
    // Shift+click extends from the anchor, in either direction.
    click(11 * row + 1, MK_SHIFT);
    EXPECT_EQ(selected(), "line10\r\nline11\r\nline12");
    click(7 * row + 1, MK_SHIFT);
    EXPECT_EQ(selected(), "line8\r\nline9\r\nline10");
    // A drag from line 3 to line 5.
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2 * row + 1));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 4 * row + 1));
    SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(2, 4 * row + 1));
    EXPECT_EQ(selected(), "line3\r\nline4\r\nline5");
    // The box in the bottom-left corner selects the whole text.
    RECT client;
    GetClientRect(view, &client);
    click(client.bottom - 2, 0);
    EXPECT_EQ(selected(), text);

    // Rows below the text show no number: the margin's own grey.
    RedrawWindow(s.MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    winui::CWindowPicture picture;
    ASSERT_TRUE(picture.Capture(s.MainWindow()));
    POINT below{two / 2, 0};
    ClientToScreen(view, &below);
    ScreenToClient(s.MainWindow(), &below);
    // Line 1 is at the top; its number is painted on grey with yellow digits.
    int yellow = 0, grey = 0;
    for (int y = 0; y < row; ++y)
        for (int x = 0; x < two; ++x) {
            COLORREF c = picture.Pixel(below.x - two / 2 + x, below.y + y);
            yellow += c == RGB(255, 255, 0);
            grey += c == RGB(192, 192, 192);
        }
    EXPECT_GT(yellow, 0);
    EXPECT_GT(grey, 0);

    // The hundredth line widens the strip to three digits.
    SendMessageA(view, 0x41A, 99, 0); // go to line 99
    Key(editor, VK_END);
    Type(editor, "\r");
    EXPECT_EQ(marginWidth() * 2, two * 3);
    Script("box no\n");
    ASSERT_TRUE(s.Close());
}

// Printing to the test printer (its port "FILE:" makes Ovanta ask for the
// output file): the print command shows the print options first, where
// Cancel prints nothing and "&Print" prints. A form feed ends its page, so
// five lines with two form feeds give three pages, each with the banner
// and the lines' numbers (the pages' text is read by ovanta_printed_pages),
// in the printer font of [PrintFont].
TEST_F(OvantaProgram, PrintsPagesThatFormFeedsEnd)
{
    std::string why;
    ASSERT_TRUE(AddTestPrinter("Ovanta Test Printer", why)) << why;
    ASSERT_TRUE(write_file(Work("pages.txt"), "one\r\n\ftwo\r\nthree\r\n\ffour\r\nfive\r\n"));
    std::string out = host_path(OVANTA_PRINT_DIR) + "\\pages.ps";
    ASSERT_TRUE(make_dirs(host_path(OVANTA_PRINT_DIR)));
    DeleteFileA(out.c_str());
    Setting("Print", "PageNo", "1");
    Setting("Print", "LineNo", "1");
    Setting("Print", "FileTitle", "1");
    Setting("PrintFont", "FaceName", "DejaVu Sans Mono");
    Setting("PrintFont", "Height", "-13");
    Setting("PrintFont", "PitchAndFamily", "49");
    // The print options: Cancel, then "&Print"; later "Print preview" with
    // the lines 3 to 6.
    const std::string printNow = std::to_string(IDC_PRINT_NOW);
    Script("dialog cancel\n"
           "dialog " + printNow + "\n"
           "print\nsave \"" + out + "\"\n"
           "dialog ok check " + std::to_string(IDC_PRINT_LINES_FROM) + " 1 check " +
           std::to_string(IDC_PRINT_ALL) + " 0 set " + std::to_string(IDC_PRINT_FROM_LINE) +
           " 3 set " + std::to_string(IDC_PRINT_TO_LINE) + " 6\n");
    ProgramSession s;
    Start(s, "pages.txt");
    ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
    // The log's lines without their carriage returns.
    auto lines = [this] {
        std::string text = Log();
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    };
    s.Command(ID_FILE_PRINT);
    std::string log = lines();
    EXPECT_EQ(log, "dialog 172 \"Print options\" 2\n");
    EXPECT_FALSE(fs::exists(out));
    s.Command(ID_FILE_PRINT);
    // The options, the print dialog, then the output file's.
    log = lines();
    size_t options = log.find("dialog 172 \"Print options\" " + printNow + "\n");
    size_t print = log.find("\nprint\n");
    size_t save = log.find("\nsave ");
    ASSERT_NE(options, std::string::npos) << log;
    EXPECT_LT(options, print) << log;
    EXPECT_NE(print, std::string::npos) << log;
    EXPECT_LT(print, save) << log;
    EXPECT_NE(save, std::string::npos) << log;
    std::string ps = read_file(out);
    size_t pages = 0;
    for (size_t at = ps.find("showpage"); at != std::string::npos; at = ps.find("showpage", at + 1))
        ++pages;
    EXPECT_EQ(pages, 3u);
    EXPECT_NE(ps.find("/FontName /DejaVuSansMono"), std::string::npos) << "the printer font";

    // The preview shows the same pages, one after the other, with the main
    // frame disabled while it runs; it asks for no options.
    auto openPreview = [&](UINT command) {
        PostMessageA(s.MainWindow(), WM_COMMAND, command, 0);
        // The preview is ready once it shows its first page's text.
        HWND preview = nullptr;
        WaitUntil([&] {
            return (preview = FindWindowA("OvantaPreview", nullptr)) != nullptr &&
                   WindowTextOf(GetDlgItem(preview, 0x7006)) == "Page 1";
        }, 10000);
        return preview;
    };
    auto closePreview = [&](HWND preview) {
        SendMessageA(preview, WM_COMMAND, 0x7005, 0);
        WaitUntil([&] { return IsWindowEnabled(s.MainWindow()) != FALSE; }, 5000);
        EXPECT_TRUE(IsWindowEnabled(s.MainWindow()));
    };
    HWND preview = openPreview(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(preview, nullptr);
    HWND pageText = GetDlgItem(preview, 0x7006), next = GetDlgItem(preview, 0x7002);
    EXPECT_EQ(WindowTextOf(pageText), "Page 1");
    EXPECT_FALSE(IsWindowEnabled(s.MainWindow()));
    SendMessageA(preview, WM_COMMAND, 0x7002, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 2");
    SendMessageA(preview, WM_COMMAND, 0x7002, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 3");
    // The third page is the last.
    EXPECT_FALSE(IsWindowEnabled(next));
    closePreview(preview);
    EXPECT_EQ(lines(), log);

    // The print command's "Print preview" shows the lines it was given:
    // lines 3 to 6 on two pages, the first ended by the form feed of line 4.
    preview = openPreview(ID_FILE_PRINT);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(lines(), log + "dialog 172 \"Print options\" 1\n");
    pageText = GetDlgItem(preview, 0x7006);
    next = GetDlgItem(preview, 0x7002);
    SendMessageA(preview, WM_COMMAND, 0x7002, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 2");
    EXPECT_FALSE(IsWindowEnabled(next));
    closePreview(preview);
    ASSERT_TRUE(s.Close());
}

// The "Print options" dialog the program shows, waited for; the test reads
// and sets its controls and presses its buttons.
HWND WaitForPrintOptions()
{
    HWND dlg = nullptr;
    WaitUntil([&] { return (dlg = FindWindowA("#32770", "Print options")) != nullptr && IsWindowVisible(dlg); }, 10000);
    return dlg && IsWindowVisible(dlg) ? dlg : nullptr;
}

bool Ticked(HWND dlg, int id)
{
    return SendMessageA(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Tick(HWND dlg, int id, bool on)
{
    SendMessageA(GetDlgItem(dlg, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Presses a button of the dialog and waits until the dialog is gone.
bool PressAndWait(HWND dlg, int id)
{
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    WaitUntil([&] { return !IsWindow(dlg); }, 10000);
    return !IsWindow(dlg);
}

// "Print Settings...": the dialog shows the held range for a selection
// inside one line and the selected lines for a selection over lines; Set
// writes the [Print] keys at once ("LineNo" with the rest at the end) and
// the printer setup follows, Cancel stops. The values come back after a
// restart; the printer font of [PrintFont], a copy of the editor font at
// first, is changed by "Change Font..." and saved.
TEST_F(OvantaProgram, PrintSettingsWriteTheirKeysAtOnceAndComeBackAfterARestart)
{
    std::string text;
    for (int i = 1; i <= 9; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(write_file(Work("p.txt"), text));
    Setting("DefaultSettings", "ShowLineNo", "1");
    Script("dialog wait\ndialog wait\nprintsetup ok\n");
    {
        ProgramSession s;
        Start(s, "p.txt");
        ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
        HWND editor = EditorOf(ActiveChild(s.MainWindow()));
        ASSERT_NE(editor, nullptr);
        HWND view = GetParent(editor);
        auto click = [&](int y, WPARAM keys) { ClickMargin(view, y, keys); };
        auto selected = [&] { return CopiedSelection(s); };
        // A click on the first line's number selects inside that line.
        click(0, 0);
        ASSERT_EQ(selected(), "line1");
        PostMessageA(s.MainWindow(), WM_COMMAND, ID_FILE_PRINT_SETUP, 0);
        HWND dlg = WaitForPrintOptions();
        ASSERT_NE(dlg, nullptr);
        EXPECT_TRUE(Ticked(dlg, IDC_PRINT_ALL));
        EXPECT_FALSE(Ticked(dlg, IDC_PRINT_LINES_FROM));
        EXPECT_EQ(WindowTextOf(GetDlgItem(dlg, IDC_PRINT_FROM_LINE)), "");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dlg, IDC_PRINT_TO_LINE)), "");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dlg, IDOK)), "Set");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_PRINT_NOW)));
        EXPECT_TRUE(Ticked(dlg, IDC_PRINT_BW));
        EXPECT_TRUE(Ticked(dlg, IDC_PRINT_TOP));
        EXPECT_FALSE(Ticked(dlg, IDC_PRINT_PAGE_NO));
        ASSERT_TRUE(PressAndWait(dlg, IDCANCEL));

        // The third to the seventh line, by their numbers.
        int row = 1;
        while (row < 64) {
            click(row, 0);
            if (selected() == "line2")
                break;
            ++row;
        }
        ASSERT_LT(row, 64);
        click(2 * row + 1, 0);
        click(6 * row + 1, MK_SHIFT);
        ASSERT_EQ(selected(), "line3\r\nline4\r\nline5\r\nline6\r\nline7");
        PostMessageA(s.MainWindow(), WM_COMMAND, ID_FILE_PRINT_SETUP, 0);
        dlg = WaitForPrintOptions();
        ASSERT_NE(dlg, nullptr);
        EXPECT_TRUE(Ticked(dlg, IDC_PRINT_LINES_FROM));
        EXPECT_FALSE(Ticked(dlg, IDC_PRINT_ALL));
        EXPECT_EQ(WindowTextOf(GetDlgItem(dlg, IDC_PRINT_FROM_LINE)), "3");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dlg, IDC_PRINT_TO_LINE)), "7");
        // Cancel stopped: no printer setup so far.
        EXPECT_EQ(Log().find("printsetup"), std::string::npos) << Log();
        for (int id : {IDC_PRINT_PAGE_NO, IDC_PRINT_FILE_NAME, IDC_PRINT_DATE, IDC_PRINT_LINE_NO,
                       IDC_PRINT_COMPRESS})
            Tick(dlg, id, true);
        Tick(dlg, IDC_PRINT_BW, false);
        Tick(dlg, IDC_PRINT_TOP, false);
        Tick(dlg, IDC_PRINT_BOTTOM, true);
        ASSERT_TRUE(PressAndWait(dlg, IDOK));
        WaitUntil([&] { return Log().find("printsetup ok") != std::string::npos; }, 5000);
        EXPECT_NE(Log().find("printsetup ok"), std::string::npos) << Log();
        // Written at once, all but "LineNo".
        EXPECT_EQ(Profile("Print", "PrintBW"), "0");
        EXPECT_EQ(Profile("Print", "CompressLines"), "1");
        EXPECT_EQ(Profile("Print", "PageNo"), "1");
        EXPECT_EQ(Profile("Print", "FileTitle"), "1");
        EXPECT_EQ(Profile("Print", "ActDate"), "1");
        EXPECT_EQ(Profile("Print", "BannerTop"), "0");
        EXPECT_EQ(Profile("Print", "LineNo"), "<missing>");
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("Print", "LineNo"), "1");
    // Without [PrintFont] the printer font was the editor font's copy.
    std::string face = Profile("PrintFont", "FaceName");
    EXPECT_NE(face, "");
    EXPECT_NE(face, "<missing>");
    if (Profile("Font", "FaceName") != "" && Profile("Font", "FaceName") != "<missing>") {
        EXPECT_EQ(face, Profile("Font", "FaceName"));
        EXPECT_EQ(Profile("PrintFont", "Height"), Profile("Font", "Height"));
    }

    // After a restart the dialog shows what was stored (the range is not
    // kept); "Change Font..." changes the printer font although the dialog
    // is cancelled.
    Script("dialog wait\nfont \"DejaVu Sans Mono\" 11\n");
    {
        ProgramSession s;
        Start(s, "p.txt");
        ASSERT_TRUE(WaitForChildren(s.MainWindow(), 1));
        PostMessageA(s.MainWindow(), WM_COMMAND, ID_FILE_PRINT_SETUP, 0);
        HWND dlg = WaitForPrintOptions();
        ASSERT_NE(dlg, nullptr);
        for (int id : {IDC_PRINT_PAGE_NO, IDC_PRINT_FILE_NAME, IDC_PRINT_DATE, IDC_PRINT_LINE_NO,
                       IDC_PRINT_COMPRESS, IDC_PRINT_BOTTOM, IDC_PRINT_ALL})
            EXPECT_TRUE(Ticked(dlg, id)) << id;
        for (int id : {IDC_PRINT_BW, IDC_PRINT_TOP, IDC_PRINT_LINES_FROM})
            EXPECT_FALSE(Ticked(dlg, id)) << id;
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_PRINT_CHANGE_FONT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_PRINT_CHANGE_FONT)));
        EXPECT_NE(Log().find("font \"DejaVu Sans Mono\" 11"), std::string::npos) << Log();
        ASSERT_TRUE(PressAndWait(dlg, IDCANCEL));
        // Without a document window the command does nothing.
        s.Command(ID_FILE_CLOSE_CMD);
        ASSERT_TRUE(WaitForChildren(s.MainWindow(), 0));
        const std::string before = Log();
        s.Command(ID_FILE_PRINT_SETUP);
        EXPECT_EQ(Log(), before);
        ASSERT_TRUE(s.Close());
    }
    EXPECT_EQ(Profile("PrintFont", "FaceName"), "DejaVu Sans Mono");
    EXPECT_EQ(Profile("Print", "PrintBW"), "0");
}

TEST_F(OvantaProgram, IconAndAboutBoxWithItsPicture)
{
    // The box stays open for the test to look at and close.
    Script("dialog wait\n");
    ProgramSession s;
    Start(s, "");
    PostMessageA(s.MainWindow(), WM_COMMAND, ID_APP_ABOUT, 0);
    HWND about = nullptr;
    // The box is there once its build stamp ("date - time") is filled in.
    WaitUntil([&] {
        about = FindWindowA(nullptr, "Info about Ovanta");
        return about && WindowTextOf(GetDlgItem(about, IDC_BUILD_STAMP)).find(" - ") != std::string::npos;
    }, 10000);
    ASSERT_NE(about, nullptr);
    EXPECT_NE(WindowTextOf(GetDlgItem(about, IDC_BUILD_STAMP)).find(" - "), std::string::npos);
    EXPECT_NE(SendMessageA(GetDlgItem(about, IDC_ABOUT_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    SendMessageA(about, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(about); }, 5000);
    EXPECT_FALSE(IsWindow(about));

    // The main window and a document window show the program's own icon in
    // their captions, as it stands in ovanta.exe, not the system's. (What
    // the screen shows is read: under Wine, WM_GETICON gives no icon to
    // another process, and an icon handle of another process cannot be
    // drawn.)
    HMODULE module = LoadLibraryExA(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
    const int size = GetSystemMetrics(SM_CXSMICON);
    HICON own = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(own, nullptr);
    const std::vector<IconPixel> ownPixels = covered_pixels(own, size);
    DestroyIcon(own);
    FreeLibrary(module);
    std::vector<std::vector<IconPixel>> systemPixels;
    for (const char* name : {IDI_APPLICATION, IDI_WINLOGO}) {
        HICON icon = static_cast<HICON>(LoadImageA(nullptr, name, IMAGE_ICON, size, size, LR_SHARED));
        ASSERT_NE(icon, nullptr);
        systemPixels.push_back(covered_pixels(icon, size));
    }
    HWND frame = s.MainWindow();
    s.Command(ID_FILE_NEW_CMD);
    HWND child = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (child = ActiveChild(frame)) != nullptr; }, 10000));
    SendMessageA(Client(frame), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    for (HWND window : {frame, child}) {
        const std::string which = window == frame ? "main window" : "document window";
        EXPECT_TRUE(WaitUntil([&] { return shows_icon(window, ownPixels, size); }, 5000)) << which;
        for (const std::vector<IconPixel>& system : systemPixels)
            EXPECT_FALSE(shows_icon(window, system, size)) << which;
    }
    ASSERT_TRUE(s.Close());
}

} // namespace
