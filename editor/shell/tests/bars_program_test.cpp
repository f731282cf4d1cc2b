// The bookmark bar, the document tab bar, the stay-on-top button and the
// back and forward commands in the real ovanta.exe under Wine: bookmarks
// are added, toggled, named, renamed, jumped to (also the 33rd and later,
// whose ids once ran the frame's own commands), moved by inserted lines,
// dropped with their document's window and kept in the profile across a
// restart; tabs follow opening, activation, save-as and closing, and a
// click on a tab activates its document, a right click shows its file's
// properties (as the editor's context menu does for its own document);
// back and forward walk the visited documents, also after one closed; the
// window commands restore, tile, cascade, open and close the document
// windows.
#include "mouse_input.h"
#include "testing/winprog/ovanta_fixture.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const UINT pane_id = 0xE900;

// Memory in the program's process for messages that pass pointers.
class Remote {
public:
    explicit Remote(HWND window, size_t size) : size_(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~Remote()
    {
        if (memory_)
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    char* At(size_t offset) const { return static_cast<char*>(memory_) + offset; }
    bool Write(size_t offset, const void* data, size_t n) const
    {
        SIZE_T done = 0;
        return memory_ && WriteProcessMemory(process_, At(offset), data, n, &done);
    }
    bool Read(size_t offset, void* data, size_t n) const
    {
        SIZE_T done = 0;
        return memory_ && ReadProcessMemory(process_, At(offset), data, n, &done);
    }
    bool Ok() const { return memory_ != nullptr; }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    size_t size_;
};

std::string TabText(HWND tabs, int index)
{
    Remote remote(tabs, 512);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote.At(sizeof item);
    item.cchTextMax = 256;
    if (!remote.Ok() || !remote.Write(0, &item, sizeof item))
        return "";
    if (!SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.At(0))))
        return "";
    char text[257] = "";
    remote.Read(sizeof item, text, 256);
    return text;
}

std::vector<std::string> TabTexts(HWND tabs)
{
    std::vector<std::string> texts;
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        texts.push_back(TabText(tabs, i));
    return texts;
}

// A tab's rectangle in the tab control's client area.
RECT TabClientRect(HWND tabs, int index)
{
    RECT rect{};
    Remote remote(tabs, sizeof rect);
    if (remote.Ok() &&
        SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.At(0))))
        remote.Read(0, &rect, sizeof rect);
    return rect;
}

RECT TabRect(HWND tabs, int index)
{
    RECT rect = TabClientRect(tabs, index);
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class OvantaBarsProgram : public OvantaProgramTest {
protected:
    // The "Bookmarks" values of the profile, in key order.
    std::vector<std::string> StoredBookmarks() const
    {
        std::vector<std::string> values;
        for (int i = 0;; ++i) {
            char value[1024] = "";
            GetPrivateProfileStringA("Bookmarks", ("BMK" + std::to_string(i)).c_str(), "", value, sizeof value,
                                     ini_.c_str());
            if (!*value)
                return values;
            values.push_back(value);
        }
    }

    // The caret to the start of a 1-based line (the view's go-to-line).
    static void GotoLine(HWND child, int line)
    {
        SendMessageA(GetDlgItem(child, pane_id), WM_GOTO_LINE, static_cast<WPARAM>(line), 0);
    }

    // The bookmark bar: the tool bar that holds bookmark buttons.
    static HWND BookmarkBar(HWND frame)
    {
        return DescendantWhere(frame, [](HWND w) {
            return ClassOf(w) == TOOLBARCLASSNAMEA && SendMessageA(w, TB_COMMANDTOINDEX, kFirstBookmarkCommand, 0) >= 0;
        });
    }
    static int ButtonCount(HWND bar) { return bar ? static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0)) : 0; }
    static HWND DocTabs(HWND frame)
    {
        return DescendantWhere(frame, [](HWND w) {
            return ClassOf(w) == WC_TABCONTROLA && GetDlgCtrlID(w) == static_cast<int>(kDocTabCtrlId);
        });
    }
    // The stay-on-top button: a button window the frame owns.
    static HWND OnTopButton(HWND frame)
    {
        return ThreadWindowWhere(GetWindowThreadProcessId(frame, nullptr), [frame](HWND w) {
            return _stricmp(ClassOf(w).c_str(), "Button") == 0 && GetWindow(w, GW_OWNER) == frame;
        });
    }

};

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(OvantaBarsProgram, BookmarksAreSetJumpedToRenamedAndComeBackAfterARestart)
{
    ASSERT_TRUE(write_file(Work("a.c"), NumberedLines(60)));
    ASSERT_TRUE(write_file(Work("b.c"), NumberedLines(10)));
    // Fifty characters on one line: selected whole, they name a bookmark.
    const std::string fifty = "Fifty characters make this bookmark name: 01234567";
    ASSERT_EQ(fifty.size(), 50u);
    ASSERT_TRUE(write_file(Work("c.c"), fifty));

    ProgramSession s;
    Start(s, "a.c b.c c.c", "dialog ok set 1045 \"Entry point\"\n");
    HWND frame = s.MainWindow();
    HWND a = Child(frame, "a.c"), b = Child(frame, "b.c"), c = Child(frame, "c.c");
    ASSERT_TRUE(a && b && c);

    HWND ea = Activate(frame, a);
    GotoLine(a, 11);
    s.Command(ID_ADD_BOOKMARK);
    HWND bar = BookmarkBar(frame);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(ButtonCount(bar), 1);
    // The same line again takes the bookmark away, and the bar with it.
    s.Command(ID_ADD_BOOKMARK);
    EXPECT_EQ(ButtonCount(bar), 0);
    EXPECT_FALSE(IsWindowVisible(bar));
    s.Command(ID_ADD_BOOKMARK);
    EXPECT_EQ(ButtonCount(bar), 1);
    EXPECT_TRUE(IsWindowVisible(bar));

    // Forty more: the 33rd and later buttons jump like the first ones.
    for (int line = 21; line <= 60; ++line) {
        GotoLine(a, line);
        s.Command(ID_ADD_BOOKMARK);
    }
    EXPECT_EQ(ButtonCount(bar), 41);
    // F12 in another document, through the program's own key handling.
    HWND eb = Activate(frame, b);
    GotoLine(b, 3);
    PostMessageA(eb, WM_KEYDOWN, VK_F12, 1);
    PostMessageA(eb, WM_KEYUP, VK_F12, 0xC0000001);
    WaitUntil([&] { return ButtonCount(bar) >= 42; }, 5000);
    EXPECT_EQ(ButtonCount(bar), 42);
    // The whole 50-character text names the third document's bookmark.
    Activate(frame, c);
    s.Command(ID_EDIT_SELECT_ALL);
    s.Command(ID_ADD_BOOKMARK);
    EXPECT_EQ(ButtonCount(bar), 43);

    // Button 33 (index 32: line 52, 1-based) jumps into a.c.
    Activate(frame, b);
    s.Command(kFirstBookmarkCommand + 32);
    EXPECT_EQ(ActiveChild(frame), a);
    Type(ea, "#");
    // Three lines inserted above the first bookmark (line 11) move it to 14.
    GotoLine(a, 1);
    Type(ea, "\r\r\r");
    Activate(frame, c);
    s.Command(kFirstBookmarkCommand);
    EXPECT_EQ(ActiveChild(frame), a);
    Type(ea, "@");
    s.Command(ID_FILE_SAVE_CMD);
    std::vector<std::string> lines = Lines(read_file(Work("a.c")));
    ASSERT_EQ(lines.size(), 63u);
    EXPECT_EQ(lines[13], "@line 10");
    EXPECT_EQ(lines[54], "#line 51");

    // A right click on the first button renames it (answered by the script).
    RECT button = ToolButtonRect(bar, kFirstBookmarkCommand);
    POINT mid{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ScreenToClient(bar, &mid);
    SendMessageA(bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(mid.x, mid.y));
    SendMessageA(bar, WM_RBUTTONUP, 0, MAKELPARAM(mid.x, mid.y));
    EXPECT_NE(read_file(log_).find("dialog 174 \"Name for this Bookmark\" 1"), std::string::npos)
        << read_file(log_);

    // Closing b.c takes its button away; its bookmark stays in the profile.
    Activate(frame, b);
    s.Command(ID_FILE_CLOSE_CMD);
    EXPECT_EQ(ButtonCount(bar), 42);
    // The buttons after it were renumbered: the last one is c.c's.
    Activate(frame, a);
    s.Command(kFirstBookmarkCommand + 41);
    EXPECT_EQ(ActiveChild(frame), c);
    ASSERT_TRUE(s.Close());

    std::vector<std::string> stored = StoredBookmarks();
    ASSERT_EQ(stored.size(), 43u);
    auto has = [&](const std::string& value) {
        for (const std::string& v : stored)
            if (v == value)
                return true;
        return false;
    };
    EXPECT_TRUE(has(Work("a.c") + " Line:13Name:Entry point")) << stored[0];
    EXPECT_TRUE(has(Work("a.c") + " Line:54Name:a.c Line: 52"));
    EXPECT_TRUE(has(Work("b.c") + " Line:2Name:b.c Line: 3"));
    // The 50 characters are kept whole, with nothing after them.
    EXPECT_TRUE(has(Work("c.c") + " Line:0Name:" + fifty));

    // A stored value without a name loads with its title as the name.
    WritePrivateProfileStringA("Bookmarks", "BMK43", (Work("b.c") + " Line:7").c_str(), ini_.c_str());
    ProgramSession again;
    Start(again, "a.c b.c", "");
    frame = again.MainWindow();
    a = Child(frame, "a.c");
    b = Child(frame, "b.c");
    ASSERT_TRUE(a && b);
    bar = BookmarkBar(frame);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(ButtonCount(bar), 43);
    // b.c opened second: its two bookmarks follow a.c's 41.
    Activate(frame, a);
    again.Command(kFirstBookmarkCommand + 42);
    EXPECT_EQ(ActiveChild(frame), b);
    Type(EditorOf(b), "%");
    again.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(Lines(read_file(Work("b.c")))[7], "%line 7");
    ASSERT_TRUE(again.Close());
}

TEST_F(OvantaBarsProgram, TabsFollowTheDocumentsAndBackAndForwardWalkTheVisitedOnes)
{
    for (const char* name : {"a.c", "b.c", "c.c"})
        ASSERT_TRUE(write_file(Work(name), NumberedLines(30)));
    ProgramSession s;
    Start(s, "a.c b.c c.c", "save \"" + Work("renamed.c") + "\"\n");
    HWND frame = s.MainWindow();
    HWND a = Child(frame, "a.c"), b = Child(frame, "b.c"), c = Child(frame, "c.c");
    ASSERT_TRUE(a && b && c);

    HWND tabs = DocTabs(frame);
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(IsWindowVisible(tabs));
    // The newest document stands first.
    EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"c.c", "b.c", "a.c"}));

    // Visiting a, b and c; back goes to b and a, forward to b and c.
    Activate(frame, a);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    Activate(frame, b);
    Activate(frame, c);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), b);
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), a);
    s.Command(ID_NEXT_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), b);
    s.Command(ID_NEXT_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), c);

    // A click on a tab activates its document.
    RECT r = TabRect(tabs, 2);
    MouseClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    WaitUntil([&] { return ActiveChild(frame) == a; }, 2000);
    EXPECT_EQ(ActiveChild(frame), a);

    // Save as renames the tab.
    Activate(frame, b);
    s.Command(ID_FILE_SAVE_AS_CMD);
    EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"c.c", "renamed.c", "a.c"}));

    // Closing a document takes its tab away and empties the history: back
    // stays where it is, and works again after new visits.
    Activate(frame, c);
    s.Command(ID_FILE_CLOSE_CMD);
    EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"renamed.c", "a.c"}));
    HWND active = ActiveChild(frame);
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), active);
    Activate(frame, a);
    Activate(frame, b);
    s.Command(ID_PREVIOUS_DOCUMENT);
    EXPECT_EQ(ActiveChild(frame), a);

    // The stay-on-top button in the caption: checked, the frame is topmost;
    // a second click makes it normal again.
    HWND onTop = OnTopButton(frame);
    ASSERT_NE(onTop, nullptr);
    RECT button{}, outer{};
    GetWindowRect(onTop, &button);
    GetWindowRect(frame, &outer);
    EXPECT_GT(button.right - button.left, 0);
    EXPECT_GE(button.top, outer.top);
    EXPECT_LT(button.right, outer.right);
    std::vector<LRESULT> images{SendMessageA(onTop, BM_GETIMAGE, IMAGE_BITMAP, 0)};
    EXPECT_NE(images[0], 0);
    for (int click = 1; click <= 2; ++click) {
        SendMessageA(onTop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(onTop, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        // (The Wine here keeps no WS_EX_TOPMOST for windows without a
        // window manager, so the button's state and picture are checked.)
        images.push_back(SendMessageA(onTop, BM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_EQ(SendMessageA(onTop, BM_GETCHECK, 0, 0), click == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    EXPECT_NE(images[1], images[0]);
    EXPECT_EQ(images[2], images[0]);
    ASSERT_TRUE(s.Close());
}

std::string ItemText(HWND dlg, int id)
{
    return WindowTextOf(GetDlgItem(dlg, id));
}

FILETIME LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

uint64_t Ticks(const FILETIME& t)
{
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// "Properties" opens for the document whose tab gets the right click and
// for the editor whose context menu gives the command, whichever document
// is active: it shows that file and counts its code lines, and "Close"
// sets the typed last-change time on Yes and leaves it on No.
TEST_F(OvantaBarsProgram, PropertiesShowTheFileOfTheTabClickedAndOfTheEditorAsked)
{
    ASSERT_TRUE(write_file(Work("p1.c"), "int a;\r\n\r\n// note\r\nint b;\r\nint c;\r\n"));
    ASSERT_TRUE(write_file(Work("p2.c"), "x\n// c\ny\n"));
    ProgramSession s;
    // The dialogs stay open for the test to look at; the boxes answer "Close".
    Start(s, "p1.c p2.c", "dialog wait\nbox yes\ndialog wait\nbox no\n");
    HWND frame = s.MainWindow();
    HWND p1 = Child(frame, "p1.c"), p2 = Child(frame, "p2.c");
    ASSERT_TRUE(p1 && p2);
    const FILETIME p1Before = LastWrite(Work("p1.c"));
    // The time typed, as the file system holds it.
    SYSTEMTIME local{2020, 1, 0, 2, 3, 4, 5, 0}, utc{};
    FILETIME typed{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &typed));

    struct Round {
        const char* file;
        const char* size;
        const char* lines;
        const char* code;
        bool timeSet;
    } rounds[] = {{"p2.c", "size:  9 Bytes (UNIX)", "Lines:  4", "Lines of code:  2", true},
                  {"p1.c", "size:  35 Bytes (DOS)", "Lines:  6", "Lines of code:  3", false}};
    for (const Round& r : rounds) {
        SCOPED_TRACE(r.file);
        if (r.file == std::string("p2.c")) {
            // p1.c active; the newest document's tab, p2.c's, comes first.
            Activate(frame, p1);
            HWND tabs = DocTabs(frame);
            ASSERT_NE(tabs, nullptr);
            RECT tab = TabClientRect(tabs, 0);
            PostMessageA(tabs, WM_RBUTTONDOWN, MK_RBUTTON,
                         MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
        } else {
            // p2.c active; the command comes from p1.c's editor.
            Activate(frame, p2);
            PostMessageA(EditorOf(p1), WM_COMMAND, 32776, 0);
        }
        HWND dlg = WaitForProcessDialog(s.ProcessId(), "Properties", 10000);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(ItemText(dlg, 1134), r.file);
        EXPECT_EQ(ItemText(dlg, 1140), work_ + "\\");
        EXPECT_EQ(ItemText(dlg, 1135), r.size);
        EXPECT_EQ(ItemText(dlg, 1136), r.lines);
        EXPECT_EQ(ItemText(dlg, 1154), "Lines of code:  ");
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(1165, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, 1165)));
        EXPECT_EQ(ItemText(dlg, 1154), r.code);
        SendMessageA(GetDlgItem(dlg, 1141), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("01/02/2020 , 03:04:05"));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
        WaitUntil([&] { return !IsWindow(dlg); }, 10000);
        EXPECT_FALSE(IsWindow(dlg));
        const FILETIME after = LastWrite(Work(r.file));
        if (r.timeSet)
            EXPECT_EQ(Ticks(after), Ticks(typed));
        else
            EXPECT_EQ(Ticks(after), Ticks(p1Before));
    }
    const std::string log = Log();
    // The times set through the dialog are the program's own change: p2.c,
    // activated after it, is not reported as changed on disk.
    EXPECT_EQ(log.find("changed externaly"), std::string::npos) << log;
    EXPECT_NE(log.find("\"File time has been changed\" \"Set the changed file times?\" 6"), std::string::npos) << log;
    EXPECT_NE(log.find("\"File time has been changed\" \"Set the changed file times?\" 7"), std::string::npos) << log;
    ASSERT_TRUE(s.Close());
}

// The document windows, listed in the client's order.
std::vector<HWND> DocumentWindows(HWND frame)
{
    std::vector<HWND> windows;
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindow(w, GW_OWNER) == nullptr)
            windows.push_back(w);
    return windows;
}

RECT PlaceInClient(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(OvantaBarsProgram, WindowCommandsRestoreTileCascadeOpenAndCloseTheDocumentWindows)
{
    for (const char* name : {"a.c", "b.c"})
        ASSERT_TRUE(write_file(Work(name), NumberedLines(5)));
    ProgramSession s;
    Start(s, "a.c b.c", "");
    HWND frame = s.MainWindow();
    HWND a = Child(frame, "a.c"), b = Child(frame, "b.c");
    ASSERT_TRUE(a && b);

    for (HWND w : {a, b})
        SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(a) && IsIconic(b));
    s.Command(ID_RESTORE_ALL);
    EXPECT_FALSE(IsIconic(a));
    EXPECT_FALSE(IsIconic(b));

    // Tiled one above the other across the client's width.
    s.Command(ID_WINDOW_TILE_HORZ_CMD);
    RECT client, ra = PlaceInClient(a), rb = PlaceInClient(b);
    GetClientRect(GetParent(a), &client);
    EXPECT_EQ(ra.right - ra.left, client.right);
    EXPECT_EQ(rb.right - rb.left, client.right);
    EXPECT_EQ(std::min(ra.top, rb.top), 0);
    EXPECT_EQ(std::max(ra.top, rb.top), std::min(ra.bottom, rb.bottom));

    // Cascaded: the same size, one a step right and below the other.
    s.Command(ID_WINDOW_CASCADE_CMD);
    ra = PlaceInClient(a);
    rb = PlaceInClient(b);
    EXPECT_EQ(ra.right - ra.left, rb.right - rb.left);
    EXPECT_NE(ra.left, rb.left);
    EXPECT_EQ(ra.left - rb.left, ra.top - rb.top);

    // A new window of the active document, which the tabs list once.
    Activate(frame, a);
    s.Command(ID_WINDOW_NEW_CMD);
    EXPECT_EQ(DocumentWindows(frame).size(), 3u);
    EXPECT_EQ(TabTexts(DocTabs(frame)), (std::vector<std::string>{"b.c", "a.c"}));

    // Unchanged documents close without a question, every window of each.
    s.Command(ID_CLOSE_ALL);
    EXPECT_TRUE(DocumentWindows(frame).empty());
    EXPECT_EQ(Log(), "");
    ASSERT_TRUE(s.Close());
}

} // namespace
