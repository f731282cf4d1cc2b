// The editor control's commands that need the program around it, in the
// real ovanta.exe under Wine: the context menu's clipboard commands, the
// column commands with their input line, "Go to Definition Of" through the
// source browser, and the identifier tips' "Tags" pane. The commands go to
// the editor as the context menu sends them; input lines are answered
// through the script file; results are read from the files on disk, the
// window titles and the output panes.
#include "testing/winprog/ovanta_fixture.h"
#include "mouse_input.h"
#include "program_session.h"
#include "system_input.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const UINT output_copy_all = 32931;

class OvantaEditorProgram : public OvantaProgramTest {
protected:
    // The lines of an output pane by its caption ("Tags", "Suchergebnisse").
    static std::vector<std::string> PaneLines(HWND frame, const char* caption)
    {
        HWND pane = OutputPane(frame, caption);
        std::vector<std::string> lines;
        if (!pane)
            return lines;
        SendMessageA(pane, WM_COMMAND, output_copy_all, 0);
        std::istringstream in(ClipboardText());
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    static POINT Middle(HWND window)
    {
        RECT rc;
        GetWindowRect(window, &rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    static bool WaitForFocus(HWND frame, HWND window, DWORD timeoutMs = 5000)
    {
        return WaitUntil([&] { return Focus(frame) == window; }, static_cast<int>(timeoutMs));
    }
    static void EditorCommand(HWND editor, UINT id) { SendMessageA(editor, WM_COMMAND, id, 0); }
    // A right click on the editor's client point: the context menu opens
    // (its entries are made for the word there) and is closed again.
    static bool OpenAndCloseContextMenu(const ProgramSession& s, HWND editor, POINT at)
    {
        PostMessageA(editor, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        HWND menu = WaitForProcessWindow(s.ProcessId(), "#32768", 10000);
        if (!menu)
            return false;
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, 10000);
        // The menu loop has returned once the editor answers again.
        SendMessageA(editor, WM_NULL, 0, 0);
        return !IsWindowVisible(menu);
    }
};

// Cut, Copy and Paste from the context menu act once: the pasted text is in
// the file once, and the cut text is on the clipboard.
TEST_F(OvantaEditorProgram, ContextMenuClipboardCommandsActOnce)
{
    ASSERT_TRUE(write_file(Work("p.c"), "abc\r\n"));
    ProgramSession s;
    Start(s, "p.c", "");
    HWND editor = EditorOf(Child(s.MainWindow(), "p.c"));
    ASSERT_NE(editor, nullptr);
    PutClipboardText("CLIP");
    EditorCommand(editor, ID_EDIT_PASTE_CMD);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("p.c")), "CLIPabc\r\n");

    s.Command(ID_EDIT_SELECT_ALL);
    EditorCommand(editor, ID_EDIT_CUT_CMD);
    EXPECT_EQ(ClipboardText(), "CLIPabc\r\n");
    EditorCommand(editor, ID_EDIT_PASTE_CMD);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("p.c")), "CLIPabc\r\n");
    ASSERT_TRUE(s.Close());
}

// "Fill selected Column" and "Number selected Column" ask for their line of
// input (the dialog with its caption) and act on the selected lines.
TEST_F(OvantaEditorProgram, ColumnCommandsAskForTheirInputAndAct)
{
    ASSERT_TRUE(write_file(Work("f.c"), "ab\r\ncd\r\nef"));
    ProgramSession s;
    Start(s, "f.c", "dialog ok set 1040 X\ndialog ok set 1040 5\ndialog cancel\n");
    HWND editor = EditorOf(Child(s.MainWindow(), "f.c"));
    ASSERT_NE(editor, nullptr);
    s.Command(ID_EDIT_SELECT_ALL);
    EditorCommand(editor, ID_EDIT_FILLCOLUMN);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "Xab\r\nXcd\r\nXef");
    s.Command(ID_EDIT_SELECT_ALL);
    EditorCommand(editor, ID_EDIT_NUMBERCOLUMN);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "5Xab\r\n6Xcd\r\n7Xef");
    // The mappable command of the frame asks too; cancelled, nothing changes.
    s.Command(ID_EDIT_SELECT_ALL);
    s.Command(ID_EDIT_FILLCOLUMN);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "5Xab\r\n6Xcd\r\n7Xef");
    const std::string log = Log();
    EXPECT_NE(log.find("dialog 147 \"Fill selected Column..\" 1"), std::string::npos) << log;
    EXPECT_NE(log.find("dialog 147 \"Number block..\" 1"), std::string::npos) << log;
    EXPECT_NE(log.find("dialog 147 \"Fill selected Column..\" 2"), std::string::npos) << log;
    ASSERT_TRUE(s.Close());
}

// A right click on a call offers "Go to Definition Of" from the browser's
// symbols; choosing it shows the defining document with the caret on the
// definition's line, and "back" returns to the call.
TEST_F(OvantaEditorProgram, GoToDefinitionOpensTheDefiningDocumentAtItsLine)
{
    ASSERT_TRUE(write_file(Work("defs.c"), "int x;\r\n\r\nint helper(void)\r\n{\r\n    return 1;\r\n}\r\n"));
    ASSERT_TRUE(write_file(Work("use.c"), "helper();\r\n"));
    Setting("TagConfig", "flags", "32805"); // automatic: the open documents' defines and functions
    ProgramSession s;
    Start(s, "defs.c use.c", "");
    HWND frame = s.MainWindow();
    HWND use = Child(frame, "use.c");
    HWND defs = Child(frame, "defs.c");
    ASSERT_NE(use, nullptr);
    ASSERT_NE(defs, nullptr);
    HWND editor = Activate(frame, use);
    ASSERT_NE(editor, nullptr);
    PostMessageA(frame, WM_BROWSER_REQUEST, 0, 0);
    // The scan runs in the background: ask until the word has a definition.
    bool jumped = false;
    const DWORD start = GetTickCount();
    while (!jumped && GetTickCount() - start < 30000) {
        ASSERT_TRUE(OpenAndCloseContextMenu(s, editor, POINT{3, 3}));
        EditorCommand(editor, ID_EDIT_GOTODEFINITION);
        jumped = ActiveChild(frame) == defs;
        if (!jumped)
            Sleep(200);
    }
    ASSERT_TRUE(jumped);
    // The caret stands on the definition's line: typed text goes there.
    HWND target = EditorOf(defs);
    SendMessageA(target, WM_CHAR, '#', 1);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("defs.c")), "int x;\r\n\r\n#int helper(void)\r\n{\r\n    return 1;\r\n}\r\n");
    // The call's place is in the position history.
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), use);
    ASSERT_TRUE(s.Close());
}

// Once a pane of the output bar has the keyboard, a click into the
// document gives it back, also after the mouse moved over the document
// meanwhile: real clicks and keys through the system queue.
TEST_F(OvantaEditorProgram, ClickIntoTheDocumentTakesTheKeyboardBackFromAnOutputPane)
{
    ASSERT_TRUE(write_file(Work("k.c"), "one\r\ntwo\r\n"));
    ProgramSession s;
    Start(s, "k.c", "");
    HWND frame = s.MainWindow();
    HWND editor = EditorOf(Child(frame, "k.c"));
    ASSERT_NE(editor, nullptr);
    SetForegroundWindow(frame);
    // The output bar shown, with whichever of its panes is in front.
    if (!OutputPane(frame, "Ausgabe"))
        s.Command(ID_VIEW_OUTPUT);
    HWND bar = GetParent(OutputPane(frame, "Ausgabe"));
    ASSERT_NE(bar, nullptr);
    if (!IsWindowVisible(bar))
        s.Command(ID_VIEW_OUTPUT);
    HWND pane = nullptr;
    WaitUntil([&] {
        for (HWND w = GetWindow(bar, GW_CHILD); w && !pane; w = GetWindow(w, GW_HWNDNEXT))
            if (ClassOf(w) == "CEDIT" && IsWindowVisible(w))
                pane = w;
        return pane != nullptr;
    }, 5000);
    ASSERT_NE(pane, nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        MouseClick(Middle(pane));
        ASSERT_TRUE(WaitForFocus(frame, pane));
        // Moves over the document before the click.
        RECT rc;
        GetWindowRect(editor, &rc);
        POINT at{rc.left + 2, rc.top + 2};
        PlayInput({MoveTo(POINT{at.x + 30, at.y + 30}), MoveTo(POINT{at.x + 20, at.y + 20}),
                   MoveTo(POINT{at.x + 10, at.y + 10}), MoveTo(at)});
        MouseClick(at);
        EXPECT_TRUE(WaitForFocus(frame, editor));
        PlayInput({KeyDown('X'), KeyUp('X')}, nullptr, 300);
        SendMessageA(editor, WM_NULL, 0, 0);
    }
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("k.c")), "xxone\r\ntwo\r\n");
    ASSERT_TRUE(s.Close());
}

// With several symbols of the name under the resting mouse and the output
// bar open, the identifier tip fills the "Tags" pane with one line per
// symbol and brings it to the front (a real mouse through the system queue).
TEST_F(OvantaEditorProgram, TipOfANameWithSeveralSymbolsFillsTheTagsPane)
{
    ASSERT_TRUE(write_file(Work("one.c"), "int twin(void)\r\n{\r\n    return 1;\r\n}\r\n"));
    ASSERT_TRUE(write_file(Work("two.c"), "twin;\r\n\r\nint twin(void)\r\n{\r\n    return 2;\r\n}\r\n"));
    Setting("TagConfig", "flags", "32805"); // automatic: the open documents' defines and functions
    ProgramSession s;
    Start(s, "one.c two.c", "");
    HWND frame = s.MainWindow();
    HWND editor = Activate(frame, Child(frame, "two.c"));
    ASSERT_NE(editor, nullptr);
    if (!OutputPane(frame, "Tags") || !IsWindowVisible(GetParent(OutputPane(frame, "Tags"))))
        s.Command(ID_VIEW_OUTPUT);
    PostMessageA(frame, WM_BROWSER_REQUEST, 0, 0);
    SetForegroundWindow(frame);
    RECT rc;
    GetWindowRect(editor, &rc);
    std::vector<std::string> tags;
    const DWORD start = GetTickCount();
    for (int round = 0; tags.size() < 2 && GetTickCount() - start < 40000; ++round) {
        // A new point each time asks for a new tip.
        POINT at{rc.left + 4 + round % 3, rc.top + 5};
        PlayInput({MoveTo(POINT{rc.left + 200, rc.top + 150}), MoveTo(at), WaitFor(1500)}, nullptr, 200);
        tags = PaneLines(frame, "Tags");
    }
    ASSERT_EQ(tags.size(), 2u);
    std::sort(tags.begin(), tags.end());
    EXPECT_EQ(tags[0], Work("one.c") + "(1): int twin(void)");
    EXPECT_EQ(tags[1], Work("two.c") + "(3): int twin(void)");
    EXPECT_TRUE(IsWindowVisible(OutputPane(frame, "Tags")));
    ASSERT_TRUE(s.Close());
}

// Saving parses the document into the functions bar again: a function
// typed since appears in its tree.
TEST_F(OvantaEditorProgram, SavingShowsNewFunctionsInTheFunctionsBar)
{
    ASSERT_TRUE(write_file(Work("fb.c"), "int first(void)\r\n{\r\n}\r\n"));
    Setting("TagConfig", "flags", "32805"); // automatic: the open documents' defines and functions
    ProgramSession s;
    Start(s, "fb.c", "");
    HWND frame = s.MainWindow();
    HWND editor = EditorOf(Child(frame, "fb.c"));
    ASSERT_NE(editor, nullptr);
    PostMessageA(frame, WM_BROWSER_REQUEST, 0, 0);
    auto tree = [&] { return s.FindChild("SysTreeView32"); };
    auto items = [&] {
        HWND t = tree();
        return t ? static_cast<int>(SendMessageA(t, 0x1105 /* TVM_GETCOUNT */, 0, 0)) : 0;
    };
    int before = 0;
    WaitUntil([&] { return (before = items()) >= 2; }, 10000);
    ASSERT_GE(before, 2) << "the document and its function";
    for (char c : std::string("int second(void)\r{\r}\r"))
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    s.Command(ID_FILE_SAVE_CMD);
    int after = 0;
    WaitUntil([&] { return (after = items()) > before; }, 10000);
    EXPECT_GT(after, before);
    ASSERT_TRUE(s.Close());
}

// Pixels of the screen in the first text rows of a window that are
// coloured (neither grey nor black nor white): syntax colouring.
int coloured_pixels(HWND window)
{
    RECT rc;
    GetWindowRect(window, &rc);
    HDC screen = GetDC(nullptr);
    int coloured = 0;
    for (int y = rc.top; y < rc.top + 20; ++y)
        for (int x = rc.left; x < rc.left + 200; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            if (c == CLR_INVALID)
                continue;
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 60)
                ++coloured;
        }
    ReleaseDC(nullptr, screen);
    return coloured;
}

// Save As under another extension takes that extension's syntax template:
// a C file saved as a plain text loses its colours.
TEST_F(OvantaEditorProgram, SaveAsAnotherExtensionTakesItsTemplate)
{
    ASSERT_TRUE(write_file(Work("code.c"), "int x; int y; int z; int w;\r\n"));
    ProgramSession s;
    Start(s, "code.c", "save \"" + Work("code.txt") + "\"\n");
    HWND frame = s.MainWindow();
    HWND child = Child(frame, "code.c");
    ASSERT_NE(child, nullptr);
    HWND editor = EditorOf(child);
    SetForegroundWindow(frame);
    SendMessageA(Client(frame), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    int coloured = 0;
    for (int i = 0; i < 50 && coloured == 0; ++i) {
        PumpMessages(100);
        coloured = coloured_pixels(editor);
    }
    ASSERT_GT(coloured, 0) << "the C keywords are coloured";
    s.Command(ID_FILE_SAVE_AS_CMD);
    EXPECT_EQ(read_file(Work("code.txt")), "int x; int y; int z; int w;\r\n");
    for (int i = 0; i < 50 && coloured != 0; ++i) {
        PumpMessages(100);
        coloured = coloured_pixels(editor);
    }
    EXPECT_EQ(coloured, 0);
    ASSERT_TRUE(s.Close());
}

// With SaveLineWrap on, a new wrap column marks the text changed (saving
// will write the new breaks); saving writes them.
TEST_F(OvantaEditorProgram, ANewWrapColumnWithSaveLineWrapMarksTheTextChanged)
{
    ASSERT_TRUE(write_file(Work("w.txt"), "aaaa bbbb cccc dddd eeee ffff\r\n"));
    Setting("DefaultSettings", "SaveLineWrap", "1");
    ProgramSession s;
    Start(s, "w.txt", "dialog ok check 1098 0 set 1097 12\n");
    HWND frame = s.MainWindow();
    HWND child = Child(frame, "w.txt");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(WindowTextOf(child).find('*'), std::string::npos);
    s.Command(ID_LINE_WRAP);
    EXPECT_NE(Log().find("dialog 201"), std::string::npos) << Log();
    EXPECT_NE(WindowTextOf(child).find('*'), std::string::npos) << WindowTextOf(child);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_NE(read_file(Work("w.txt")), "aaaa bbbb cccc dddd eeee ffff\r\n");
    ASSERT_TRUE(s.Close());
}

} // namespace
