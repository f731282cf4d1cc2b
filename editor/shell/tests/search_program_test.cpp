// Find, replace, find in files and the TCP link in the real ovanta.exe
// under Wine: the modeless search dialogs are driven through their
// controls as a user's clicks would arrive, their boxes and the TCP dialog
// answered through the script file; the documents are checked on disk, the
// "Search results" pane through its "Copy All", the settings in the
// profile, and the clipboard after a peer on the loopback sent text.
// Windows Sockets 2 before <windows.h>.
#include <winsock2.h>

#include "testing/winprog/ovanta_fixture.h"
#include "mouse_input.h"
#include "program_session.h"
#include "system_input.h"
#include "testing/kit/test_kit.h"

#include "editor/shell/resource.h"
#include "editor/tools/search_resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const UINT pane_id = 0xE900;
const UINT editor_id = 0x1113;
const UINT output_copy_all = 32931;

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A dialog box of the process with a control of id withControl and, where
// withoutControl is not 0, none of that id.
HWND find_dialog(DWORD pid, int withControl, int withoutControl)
{
    return TopWindowWhere([=](HWND w) {
        return ProcessOf(w) == pid && ClassOf(w) == "#32770" && GetDlgItem(w, withControl) &&
               !(withoutControl && GetDlgItem(w, withoutControl));
    });
}

class OvantaSearchProgram : public OvantaProgramTest {
protected:

    static HWND Activate(HWND frame, const std::string& title)
    {
        HWND child = Child(frame, title);
        SendMessageA(Client(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        HWND pane = GetDlgItem(child, pane_id);
        HWND editor = GetDlgItem(pane, editor_id);
        return editor ? editor : GetDlgItem(GetDlgItem(pane, pane_id), editor_id);
    }
    // Starts the program on one file of the given bytes and activates it;
    // its editor, null when something failed.
    HWND StartOn(ProgramSession& s, const std::string& name, const std::string& bytes)
    {
        if (!write_file(Work(name), bytes))
            return nullptr;
        Start(s, name, "");
        return Activate(s.MainWindow(), name);
    }
    // The Search dialog (it has no Replace button) or the Search & Replace dialog.
    static HWND SearchDialog(const ProgramSession& s)
    {
        return find_dialog(s.ProcessId(), IDC_FIND_NEXT, IDC_REPLACE);
    }
    static HWND ReplaceDialog(const ProgramSession& s)
    {
        return find_dialog(s.ProcessId(), IDC_REPLACE, 0);
    }
    static void Set(HWND dlg, int id, const std::string& text) { SetDlgItemTextA(dlg, id, text.c_str()); }
    static void Check(HWND dlg, int id, bool on)
    {
        SendDlgItemMessageA(dlg, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    static void Click(HWND dlg, int id)
    {
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    }
    static bool Checked(HWND dlg, int id) { return SendDlgItemMessageA(dlg, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // The "Search results" pane's lines.
    static std::vector<std::string> SearchResults(HWND frame)
    {
        HWND pane = OutputPane(frame, "Suchergebnisse");
        if (!pane)
            return {};
        SendMessageA(pane, WM_COMMAND, output_copy_all, 0);
        return lines_of(ClipboardText());
    }

};

TEST_F(OvantaSearchProgram, SearchAndReplaceDialogsWorkInTheDocumentsAndKeepTheirSettings)
{
    ASSERT_TRUE(write_file(Work("a.c"), "alpha beta Alpha /* alpha */ alphabet alpha two\r\n"));
    ASSERT_TRUE(write_file(Work("b.c"), "alpha ALPHA Alpha\r\n"));
    ASSERT_TRUE(write_file(Work("c.c"), "one two one two\r\n"));

    ProgramSession s;
    Start(s, "a.c b.c c.c", "");
    HWND frame = s.MainWindow();
    HWND a = Activate(frame, "a.c");
    ASSERT_NE(a, nullptr);

    s.Command(ID_EDIT_FIND);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(IsWindowVisible(find));
    Set(find, IDC_SEARCH_TEXT, "alpha");
    Check(find, IDC_MATCH_CASE, true);
    Check(find, IDC_WHOLE_WORDS, true);
    Check(find, IDC_NO_COMMENT_HITS, true);
    Click(find, IDC_NO_COMMENT_HITS);
    // Down: the first "alpha", then past "Alpha" (case), the comment and
    // "alphabet" (whole word) to the last one.
    Click(find, IDC_FIND_NEXT);
    Click(find, IDC_FIND_NEXT);
    Type(a, "#");
    // Up, any case: "Alpha" before the caret.
    Check(find, IDC_FORWARD, false);
    Check(find, IDC_BACKWARD, true);
    Check(find, IDC_MATCH_CASE, false);
    Click(find, IDC_FIND_NEXT);
    Type(a, "!");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("a.c")), "alpha beta ! /* alpha */ alphabet # two\r\n");
    // Nothing more upwards but the first word, then the beginning is reached.
    Click(find, IDC_FIND_NEXT);
    Click(find, IDC_FIND_NEXT);
    EXPECT_NE(Log().find("box \"Search\" \"Begin of document reached\""), std::string::npos) << Log();
    Click(find, IDC_CLOSE);
    EXPECT_FALSE(IsWindowVisible(find));

    // Replace all in one document, keeping the case of each hit.
    HWND b = Activate(frame, "b.c");
    ASSERT_NE(b, nullptr);
    s.Command(ID_EDIT_REPLACE);
    HWND replace = ReplaceDialog(s);
    ASSERT_NE(replace, nullptr);
    Set(replace, IDC_SEARCH_TEXT, "alpha");
    Set(replace, IDC_REPLACE_TEXT, "omega");
    Check(replace, IDC_MATCH_CASE, false);
    Check(replace, IDC_KEEP_CASE, true);
    Click(replace, IDC_REPLACE_ALL);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("b.c")), "omega OMEGA Omega\r\n");
    EXPECT_NE(Log().find("box \"Replace all..\" \"3 replaces done\""), std::string::npos) << Log();

    // Replace one at a time: find, replace (the next is selected), replace.
    Activate(frame, "c.c");
    Check(replace, IDC_KEEP_CASE, false);
    Set(replace, IDC_SEARCH_TEXT, "one");
    Set(replace, IDC_REPLACE_TEXT, "1");
    Click(replace, IDC_FIND_NEXT);
    Click(replace, IDC_REPLACE);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("c.c")), "1 two one two\r\n");
    Click(replace, IDC_REPLACE);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("c.c")), "1 two 1 two\r\n");

    // In all open files.
    Check(replace, IDC_ALL_OPEN_FILES, true);
    Click(replace, IDC_ALL_OPEN_FILES);
    Check(replace, IDC_KEEP_CASE, true);
    Set(replace, IDC_SEARCH_TEXT, "two");
    Set(replace, IDC_REPLACE_TEXT, "2");
    Click(replace, IDC_REPLACE_ALL);
    s.Command(ID_FILE_SAVE_ALL);
    EXPECT_EQ(read_file(Work("a.c")), "alpha beta ! /* alpha */ alphabet # 2\r\n");
    EXPECT_EQ(read_file(Work("c.c")), "1 2 1 2\r\n");
    EXPECT_NE(Log().find("box \"Search & Replace in all open files..\" \"3 Replaces in 2 files processed\""),
              std::string::npos)
        << Log();

    ASSERT_TRUE(s.Close());
    // The find dialog's options with the replace dialog's 0x80.
    const int flags = std::atoi(Profile("FIND", "Searchflags").c_str());
    EXPECT_EQ(flags & 3, 1) << flags;
    EXPECT_TRUE(flags & 0x04) << flags;
    EXPECT_TRUE(flags & 0x80) << flags;
    EXPECT_EQ(flags & 0x08, 0) << flags;
    EXPECT_EQ(Profile("DefaultSettings", "SupressComments"), "1");
    EXPECT_NE(Profile("Ovanta", "FIND").find(','), std::string::npos);
    EXPECT_NE(Profile("Ovanta", "REPLACE").find(','), std::string::npos);

    // The next start's dialog comes with them.
    ProgramSession again;
    Start(again, "a.c", "");
    Activate(again.MainWindow(), "a.c");
    again.Command(ID_EDIT_FIND);
    HWND restored = SearchDialog(again);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(Checked(restored, IDC_BACKWARD));
    EXPECT_TRUE(Checked(restored, IDC_WHOLE_WORDS));
    EXPECT_TRUE(Checked(restored, IDC_NO_COMMENT_HITS));
    EXPECT_FALSE(Checked(restored, IDC_MATCH_CASE));
    ASSERT_TRUE(again.Close());
}

TEST_F(OvantaSearchProgram, FindInFilesListsEveryHitInTheSearchResultsPane)
{
    const std::string tree = Work("tree");
    ASSERT_TRUE(make_dirs(tree + "\\sub\\deep"));
    ASSERT_TRUE(write_file(tree + "\\top.c", "int x;\r\nfind me\r\n"));
    ASSERT_TRUE(write_file(tree + "\\sub\\lf.c", "a\nfind\nfind find\n"));
    ASSERT_TRUE(write_file(tree + "\\sub\\cr.h", "find\rx find\r"));
    ASSERT_TRUE(write_file(tree + "\\sub\\empty.c", ""));
    ASSERT_TRUE(write_file(tree + "\\sub\\deep\\long.c", std::string(5000, 'x') + " find\r\n"));
    ASSERT_TRUE(write_file(tree + "\\sub\\deep\\skip.txt", "find\r\n"));
    ASSERT_TRUE(write_file(tree + "\\sub\\bin.c", std::string("\x01\x00\xff", 3) + "find\r\n"));

    ProgramSession s;
    Start(s, "\"" + tree + "\\top.c\"", "");
    HWND frame = s.MainWindow();
    HWND top = Activate(frame, "top.c");
    ASSERT_NE(top, nullptr);
    // The open document is searched as it is edited, not as saved.
    Type(top, "find ");

    s.Command(ID_FIND_IN_FILES);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    Click(find, IDC_ENHANCED);
    Set(find, IDC_SEARCH_TEXT, "find");
    Set(find, IDC_SEARCH_DIRECTORY, tree);
    Set(find, IDC_FILE_FILTER, "*.c *.h");
    Check(find, IDC_SUBDIRECTORIES, true);
    Click(find, IDC_FIND_NEXT);

    std::vector<std::string> lines = SearchResults(frame);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "Search for \"find\"...");
    EXPECT_EQ(lines.back(), "Found 9 matches in 5 files.");
    std::vector<std::string> hits(lines.begin() + 1, lines.end() - 1);
    std::sort(hits.begin(), hits.end());
    const std::vector<std::string> expected = {
        tree + "\\sub\\bin.c(1,4):\xff" "find", // the line's text from the NUL on
        tree + "\\sub\\cr.h(1,1):find",
        tree + "\\sub\\cr.h(1,3):x find",
        tree + "\\sub\\deep\\long.c(1,5002):",
        tree + "\\sub\\lf.c(2,1):find",
        tree + "\\sub\\lf.c(3,1):find find",
        tree + "\\sub\\lf.c(3,6):find find",
        tree + "\\top.c(1,1):find int x;",
        tree + "\\top.c(2,1):find me",
    };
    ASSERT_EQ(hits.size(), expected.size());
    for (size_t i = 0; i < hits.size(); ++i) {
        if (expected[i].find("long.c") != std::string::npos)
            EXPECT_EQ(hits[i].substr(0, expected[i].size() + 5), expected[i] + "xxxxx");
        else
            EXPECT_EQ(hits[i], expected[i]);
    }

    // The open documents only (the normal form), then the current file only.
    Click(find, IDC_ENHANCED);
    Click(find, IDC_FIND_NEXT);
    lines = SearchResults(frame);
    EXPECT_EQ(lines, (std::vector<std::string>{"Search for \"find\"...", tree + "\\top.c(1,1):find int x;",
                                               tree + "\\top.c(2,1):find me", "Found 2 matches."}));
    s.Command(ID_FILE_SAVE_CMD);
    ASSERT_TRUE(s.Close());
    // The directory and filter histories.
    EXPECT_EQ(Profile("FIND", "searchdir0"), tree);
    EXPECT_EQ(Profile("FIND", "searchfilter0"), "*.c *.h");
}

// A peer on the loopback: listens on a port of its own and, for the one
// connection it takes, sends a text, reads what comes, closes at once or
// waits silently until it is told to stop.
class LoopbackPeer {
public:
    enum class Act { kSendText, kReceive, kCloseAtOnce, kStaySilent };

    explicit LoopbackPeer(Act act, std::string text = std::string()) : act_(act), text_(std::move(text))
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        int len = sizeof a;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        listen(listener_, 1);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackPeer()
    {
        stop_ = true;
        closesocket(listener_);
        if (thread_.joinable())
            thread_.join();
    }
    int Port() const { return port_; }
    bool Connected() const { return connected_; }
    std::string Received() const
    {
        std::lock_guard<std::mutex> hold(lock_);
        return received_;
    }
    bool WaitForBytes(size_t n) const
    {
        WaitUntil([&] { return Received().size() >= n; }, 10000);
        return Received().size() >= n;
    }

private:
    void Serve()
    {
        // Short waits, so that a peer nobody connects to ends when told.
        for (;;) {
            if (stop_)
                return;
            fd_set set;
            FD_ZERO(&set);
            FD_SET(listener_, &set);
            timeval wait{0, 100000};
            const int ready = select(0, &set, nullptr, nullptr, &wait);
            if (ready < 0)
                return;
            if (ready == 1)
                break;
        }
        SOCKET peer = accept(listener_, nullptr, nullptr);
        if (peer == INVALID_SOCKET)
            return;
        connected_ = true;
        if (act_ == Act::kSendText) {
            send(peer, text_.data(), static_cast<int>(text_.size()), 0);
            WaitUntil([&] { return stop_.load(); }, 5000);
        } else if (act_ == Act::kReceive) {
            char buf[64];
            int n;
            while ((n = recv(peer, buf, sizeof buf, 0)) > 0) {
                std::lock_guard<std::mutex> hold(lock_);
                received_.append(buf, static_cast<size_t>(n));
                if (received_.size() >= 4)
                    break;
            }
        } else if (act_ == Act::kStaySilent) {
            while (!stop_)
                Sleep(50);
        }
        closesocket(peer);
    }

    Act act_;
    std::string text_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> connected_{false};
    mutable std::mutex lock_;
    std::string received_;
    std::thread thread_;
};

std::string tcp_dialog(const char* server, int port)
{
    return std::string("dialog ok set ") + std::to_string(IDC_TCP_SERVER) + " " + server + " set " +
           std::to_string(IDC_TCP_PORT) + " " + std::to_string(port) + "\n";
}

TEST_F(OvantaSearchProgram, TcpLinkSendsToAPeerAndPutsItsTextOnTheClipboard)
{
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    {
        LoopbackPeer texter(LoopbackPeer::Act::kSendText, "text from the peer");
        LoopbackPeer receiver(LoopbackPeer::Act::kReceive);
        // A port nobody listens on.
        int refusedPort = 0;
        {
            LoopbackPeer gone(LoopbackPeer::Act::kCloseAtOnce);
            refusedPort = gone.Port();
        }
        LoopbackPeer closer(LoopbackPeer::Act::kCloseAtOnce);
        LoopbackPeer second(LoopbackPeer::Act::kSendText, "second text");
        LoopbackPeer silent(LoopbackPeer::Act::kStaySilent);

        ProgramSession s;
        Start(s, "",
              tcp_dialog("127.0.0.1", texter.Port()) + tcp_dialog("127.0.0.1", receiver.Port()) +
                  tcp_dialog("127.0.0.1", refusedPort) + tcp_dialog("127.0.0.1", closer.Port()) +
                  tcp_dialog("127.0.0.1", second.Port()) + tcp_dialog("127.0.0.1", silent.Port()));

        // Receive: the peer's text arrives as 0x424 and goes to the clipboard.
        s.Command(ID_TCP_SETTINGS);
        std::string clip;
        WaitUntil([&] { return (clip = ClipboardText()) == "text from the peer"; }, 10000);
        EXPECT_EQ(clip, "text from the peer");
        EXPECT_EQ(Profile("DefaultSettings", "TcpPortNo"), std::to_string(texter.Port()));

        // Send: "sim\n" reaches the peer; server and port are kept.
        s.Command(ID_TCP_SEND);
        EXPECT_TRUE(receiver.WaitForBytes(4));
        EXPECT_EQ(receiver.Received(), "sim\n");
        EXPECT_EQ(Profile("DefaultSettings", "SendToServer"), "127.0.0.1");
        EXPECT_EQ(Profile("DefaultSettings", "SendToPort"), std::to_string(receiver.Port()));

        // A refused connection is told.
        s.Command(ID_TCP_SETTINGS);
        EXPECT_NE(Log().find("box \"Socket Receive\" \"Cannot connect to server socket\""), std::string::npos)
            << Log();

        // The peer closes without a word: the reader ends, and the next
        // receive is not refused as "already waiting".
        s.Command(ID_TCP_SETTINGS);
        WaitUntil([&] { return closer.Connected(); }, 5000);
        EXPECT_TRUE(closer.Connected());
        Sleep(500);
        s.Command(ID_TCP_SETTINGS);
        WaitUntil([&] { return (clip = ClipboardText()) == "second text"; }, 10000);
        EXPECT_EQ(clip, "second text");
        EXPECT_EQ(Log().find("Socket is already waiting for data"), std::string::npos) << Log();

        // A reader waiting on a silent peer is stopped when the program closes.
        s.Command(ID_TCP_SETTINGS);
        WaitUntil([&] { return silent.Connected(); }, 5000);
        EXPECT_TRUE(silent.Connected());
        int exitCode = -1;
        EXPECT_TRUE(s.Close(&exitCode, 15000));
        EXPECT_EQ(exitCode, 0);
    }
    WSACleanup();
}

// Keys typed in the Search dialog act in it, not on the document: Ctrl+V
// pastes into the search box, Escape closes the dialog (real keys).
TEST_F(OvantaSearchProgram, KeysTypedInTheSearchDialogStayInIt)
{
    ProgramSession s;
    HWND editor = StartOn(s, "k.c", "text\r\n");
    ASSERT_NE(editor, nullptr);
    PutClipboardText("word");
    s.Command(ID_EDIT_FIND);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    SetForegroundWindow(find);
    RECT box;
    GetWindowRect(GetDlgItem(find, IDC_SEARCH_TEXT), &box);
    MouseClick(POINT{box.left + 10, (box.top + box.bottom) / 2});
    PlayInput({KeyDown(VK_CONTROL), KeyDown('V'), KeyUp('V'), KeyUp(VK_CONTROL)}, nullptr, 300);
    EXPECT_EQ(WindowTextOf(GetDlgItem(find, IDC_SEARCH_TEXT)), "word");
    PlayInput({KeyDown(VK_ESCAPE), KeyUp(VK_ESCAPE)}, nullptr, 300);
    WaitUntil([&] { return !IsWindowVisible(find); }, 5000);
    EXPECT_FALSE(IsWindowVisible(find));
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("k.c")), "text\r\n");
    ASSERT_TRUE(s.Close());
}

// F3 in the open Search dialog finds the next hit, not the one after it.
TEST_F(OvantaSearchProgram, F3InTheSearchDialogFindsTheNextHit)
{
    ProgramSession s;
    HWND editor = StartOn(s, "f.c", "a a a a\r\n");
    ASSERT_NE(editor, nullptr);
    s.Command(ID_EDIT_FIND);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    Set(find, IDC_SEARCH_TEXT, "a");
    Click(find, IDC_FIND_NEXT);
    SetForegroundWindow(find);
    RECT box;
    GetWindowRect(GetDlgItem(find, IDC_SEARCH_TEXT), &box);
    MouseClick(POINT{box.left + 10, (box.top + box.bottom) / 2});
    PlayInput({KeyDown(VK_F3), KeyUp(VK_F3)}, nullptr, 300);
    SendMessageA(find, WM_NULL, 0, 0);
    Type(editor, "X");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("f.c")), "a X a a\r\n");
    ASSERT_TRUE(s.Close());
}

// A Search dialog that covers the line of the hit moves off that line.
TEST_F(OvantaSearchProgram, TheSearchDialogMovesOffTheFoundLine)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += (i == 5 ? "target" : "line") + std::to_string(i) + "\r\n";
    ProgramSession s;
    HWND editor = StartOn(s, "t.c", text);
    ASSERT_NE(editor, nullptr);
    HWND frame = s.MainWindow();
    s.Command(ID_EDIT_FIND);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    RECT ed;
    GetWindowRect(editor, &ed);
    SetWindowPos(find, nullptr, ed.left + 20, ed.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before;
    GetWindowRect(find, &before);
    ASSERT_GE(before.bottom, ed.top + 140) << "the dialog covers the first lines";
    Set(find, IDC_SEARCH_TEXT, "target");
    Click(find, IDC_FIND_NEXT);
    RECT after;
    GetWindowRect(find, &after);
    // Closing gives the editor the focus: its caret marks the found line.
    Click(find, IDC_CLOSE);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    for (int i = 0; i < 100; ++i) {
        GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info);
        if (info.hwndCaret == editor)
            break;
        Sleep(50);
    }
    ASSERT_EQ(info.hwndCaret, editor);
    POINT line[2] = {{0, info.rcCaret.top}, {0, info.rcCaret.bottom}};
    MapWindowPoints(editor, nullptr, line, 2);
    EXPECT_TRUE(after.bottom <= line[0].y || after.top >= line[1].y)
        << "dialog " << after.top << ".." << after.bottom << ", line " << line[0].y << ".." << line[1].y;
    ASSERT_TRUE(s.Close());
}

// Replace all with more hits than the undo pool has records is undone by
// one Undo, back to the text before it.
TEST_F(OvantaSearchProgram, ReplaceAllIsUndoneInOneStep)
{
    std::string text;
    for (int i = 0; i < 591; ++i)
        text += (i % 10 == 9) ? "ab\r\n" : "ab ";
    ProgramSession s;
    HWND editor = StartOn(s, "u.c", text);
    ASSERT_NE(editor, nullptr);
    s.Command(ID_EDIT_REPLACE);
    HWND replace = ReplaceDialog(s);
    ASSERT_NE(replace, nullptr);
    Set(replace, IDC_SEARCH_TEXT, "ab");
    Set(replace, IDC_REPLACE_TEXT, "xyz");
    Click(replace, IDC_REPLACE_ALL);
    s.Command(ID_FILE_SAVE_CMD);
    ASSERT_EQ(read_file(Work("u.c")).find("ab"), std::string::npos);
    s.Command(ID_EDIT_UNDO);
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(Work("u.c")), text);
    ASSERT_TRUE(s.Close());
}

// A double click on a "Search results" line selects the hit in its
// document and leaves the maximised windows maximised.
TEST_F(OvantaSearchProgram, DoubleClickOnASearchResultSelectsTheHit)
{
    const std::string tree = Work("hits");
    ASSERT_TRUE(make_dirs(tree));
    ASSERT_TRUE(write_file(tree + "\\m.c", "x\r\n\tint a;\r\n"));
    ASSERT_TRUE(write_file(tree + "\\o.txt", "other\r\n"));
    ProgramSession s;
    Start(s, "\"" + tree + "\\m.c\" \"" + tree + "\\o.txt\"", "");
    HWND frame = s.MainWindow();
    HWND other = Child(frame, "o.txt");
    ASSERT_NE(other, nullptr);
    Activate(frame, "o.txt");
    SendMessageA(Client(frame), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(other), 0);
    ASSERT_TRUE(IsZoomed(other));

    s.Command(ID_FIND_IN_FILES);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    Click(find, IDC_ENHANCED);
    Set(find, IDC_SEARCH_TEXT, "int");
    Set(find, IDC_SEARCH_DIRECTORY, tree);
    Set(find, IDC_FILE_FILTER, "*.c");
    Click(find, IDC_FIND_NEXT);
    const std::vector<std::string> lines = SearchResults(frame);
    ASSERT_EQ(lines.size(), 3u);
    // The open document's line, with the column as the editor counts it.
    EXPECT_EQ(lines[1].substr(0, tree.size() + 9), tree + "\\m.c(2,5)");
    Click(find, IDC_CLOSE);

    HWND pane = OutputPane(frame, "Suchergebnisse");
    ASSERT_NE(pane, nullptr);
    // Down the pane until the double click reaches the hit's line.
    HWND target = nullptr;
    for (int y = 1; y < 80 && !target; y += 2) {
        SendMessageA(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, y));
        HWND active = reinterpret_cast<HWND>(SendMessageA(Client(frame), WM_MDIGETACTIVE, 0, 0));
        if (active && WindowTextOf(active).rfind("m.c", 0) == 0)
            target = active;
    }
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(IsZoomed(target));
    Type(EditorOf(target), "X");
    s.Command(ID_FILE_SAVE_CMD);
    EXPECT_EQ(read_file(tree + "\\m.c"), "x\r\n\tX a;\r\n");
    ASSERT_TRUE(s.Close());
}

// "Find in Files.." with no document open offers the disk search alone:
// the enhanced form, no directions, no way back to the normal form.
TEST_F(OvantaSearchProgram, FindInFilesWithoutDocumentsIsTheDiskSearch)
{
    const std::string tree = Work("disk");
    ASSERT_TRUE(make_dirs(tree));
    ASSERT_TRUE(write_file(tree + "\\d.c", "one needle\r\n"));
    ProgramSession s;
    Start(s, "", "");
    HWND frame = s.MainWindow();
    s.Command(ID_FIND_IN_FILES);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(IsWindowVisible(find));
    for (int id : {IDC_FORWARD, IDC_BACKWARD, IDC_SEARCH_ALL_DIRECTIONS, IDC_ENHANCED}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(find, id)));
    }
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(find, IDC_ENHANCED)));
    EXPECT_EQ(WindowTextOf(find), "Search in files..");
    Set(find, IDC_SEARCH_TEXT, "needle");
    Set(find, IDC_SEARCH_DIRECTORY, tree);
    Set(find, IDC_FILE_FILTER, "*.c");
    Click(find, IDC_FIND_NEXT);
    const std::vector<std::string> lines = SearchResults(frame);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Found 1 matches in 1 files.");
    ASSERT_TRUE(s.Close());
}

// Escape held during a long disk search stops it with "Canceled by the
// operator" and the Search dialog stays open (a real key through the
// system queue).
TEST_F(OvantaSearchProgram, EscapeStopsALongDiskSearchAndKeepsTheDialog)
{
    const std::string tree = Work("many");
    ASSERT_TRUE(make_dirs(tree));
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "hit hit hit\r\n";
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(write_file(tree + "\\f" + std::to_string(i) + ".c", text));
    ProgramSession s;
    Start(s, "", "");
    HWND frame = s.MainWindow();
    s.Command(ID_FIND_IN_FILES);
    HWND find = SearchDialog(s);
    ASSERT_NE(find, nullptr);
    Set(find, IDC_SEARCH_TEXT, "hit");
    Set(find, IDC_SEARCH_DIRECTORY, tree);
    Set(find, IDC_FILE_FILTER, "*.c");
    SetForegroundWindow(find);
    PostMessageA(find, WM_COMMAND, MAKEWPARAM(IDC_FIND_NEXT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(find, IDC_FIND_NEXT)));
    // Held until the program answers again: the search has ended.
    PlayInput({WaitFor(300), KeyDown(VK_ESCAPE)}, nullptr, 0);
    DWORD_PTR ignored = 0;
    WaitUntil([&] { return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_BLOCK, 100, &ignored) != 0; }, 90000);
    PlayInput({KeyUp(VK_ESCAPE)}, nullptr, 500);
    const std::vector<std::string> lines = SearchResults(frame);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Canceled by the operator");
    EXPECT_TRUE(IsWindowVisible(find));
    ASSERT_TRUE(s.Close());
}

} // namespace
