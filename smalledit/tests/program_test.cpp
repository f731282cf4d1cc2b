// Zavit as a whole program under Wine: the real zavit.exe, copied into a
// folder of its own (its settings file stands beside it), started with
// files on its command line, driven by its menu commands and by messages
// to its edit windows, answered through a script file.
#include "program_session.h"
#include "test_printer.h"
#include "testing/kit/test_kit.h"

#include "smalledit/resource.h"
#include "smalledit/zavit_settings.h"
#include "smalledit/zavit_text.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class ZavitProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(test_folder(info->name()));
        bin_ = dir_ + "\\bin";
        work_ = dir_ + "\\work";
        ASSERT_TRUE(make_dirs(bin_));
        ASSERT_TRUE(make_dirs(work_));
        exe_ = bin_ + "\\zavit.exe";
        ASSERT_TRUE(copy_file_to(host_path(ZAVIT_PATH), exe_));
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
        ASSERT_TRUE(write_file(script_, ""));
    }

    void Script(const std::string& lines) { ASSERT_TRUE(write_file(script_, lines)); }

    // Starts the program with a command line; waits for its main window.
    void Start(ProgramSession& session, const std::string& arguments,
               const std::string& folder = std::string())
    {
        session.SetScript(script_, log_);
        ASSERT_TRUE(session.Start(exe_, arguments, folder, SW_SHOWNORMAL));
        ASSERT_NE(session.WaitForMainWindow("ZavitFrame"), nullptr);
    }

    static HWND Client(const ProgramSession& s)
    {
        return FindWindowExA(s.MainWindow(), nullptr, "MDIClient", nullptr);
    }
    // The child windows, in the client's order (the active first).
    static std::vector<HWND> Children(const ProgramSession& s)
    {
        std::vector<HWND> out;
        for (HWND h = GetWindow(Client(s), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (GetWindow(h, GW_OWNER) == nullptr && GetParent(h) == Client(s))
                out.push_back(h);
        return out;
    }
    static HWND ChildOf(const ProgramSession& s, const std::string& caption)
    {
        for (HWND h : Children(s))
            if (WindowTextOf(h) == caption)
                return h;
        return nullptr;
    }
    static HWND Edit(HWND child) { return FindWindowExA(child, nullptr, RICHEDIT_CLASSA, nullptr); }
    static HWND Active(const ProgramSession& s)
    {
        return reinterpret_cast<HWND>(SendMessageA(Client(s), WM_MDIGETACTIVE, 0, 0));
    }
    // Types text into an edit window at its caret, as the keyboard would.
    static void Type(HWND edit, const std::string& text)
    {
        for (char c : text)
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    }
    // A dialog box the program shows, or null.
    static HWND DialogOf(const ProgramSession& s)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(s.MainWindow(), &pid);
        for (HWND h = FindWindowExA(nullptr, nullptr, "#32770", nullptr); h;
             h = FindWindowExA(nullptr, h, "#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == pid && IsWindowVisible(h))
                return h;
        }
        return nullptr;
    }
    static void Caret(HWND edit, LONG at) { SendMessageA(edit, EM_SETSEL, at, at); }

    std::string Log() const { return without_cr(read_file(log_)); }
    std::string Settings() const { return without_cr(read_file(bin_ + "\\zavit.INI")); }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string dir_, bin_, work_, exe_, script_, log_;
};

// The program's menu, accelerators, hints and dialogs, read from the .exe.
TEST_F(ZavitProgram, CarriesItsResources)
{
    HMODULE module = LoadLibraryExA(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDM_ZAVIT));
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> bar;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        bar.push_back(text);
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Edit", "&Search", "&Options", "&Window",
                                             "&Help"}));
    HMENU file = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(CM_FILENEW));
    EXPECT_NE(GetMenuState(file, CM_FILESAVE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(file, CM_FILENEW, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(menu);
    HACCEL accel = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDM_ZAVIT));
    ASSERT_NE(accel, nullptr);
    ACCEL keys[16];
    int count = CopyAcceleratorTableA(accel, keys, 16);
    EXPECT_EQ(count, 8);
    bool quick = false;
    for (int i = 0; i < count; ++i)
        quick = quick || (keys[i].key == 'Z' && keys[i].cmd == CM_QUICKEXIT && (keys[i].fVirt & FALT));
    EXPECT_TRUE(quick);
    char hint[128] = "";
    LoadStringA(module, CM_SAVEALL, hint, sizeof hint);
    EXPECT_STREQ(hint, "Save all active and modified documents");
    for (UINT id : {IDD_FILELIST, IDD_ABOUT})
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)), nullptr) << id;
    for (UINT id : {IDI_ZAVIT, IDI_SAVED, IDI_CHANGED})
        EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(id)), nullptr) << id;
    FreeLibrary(module);
}

TEST_F(ZavitProgram, StartsWithItsMenuOpensEditsAndSavesAFileWithItsBackup)
{
    std::string file = work_ + "\\notes.txt";
    ASSERT_TRUE(write_file(file, "first line\r\nsecond line\r\n"));
    ProgramSession session;
    Start(session, ScriptQuoted(file));
    HWND main = session.MainWindow();
    EXPECT_EQ(WindowTextOf(main).substr(0, 5), "Zavit");
    EXPECT_NE(GetMenu(main), nullptr);

    HWND child = ChildOf(session, "notes.txt");
    ASSERT_NE(child, nullptr);
    HWND edit = Edit(child);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(without_cr(WindowTextOf(edit)), "first line\nsecond line\n");

    Caret(edit, 0);
    Type(edit, "new ");
    EXPECT_NE(SendMessageA(edit, EM_GETMODIFY, 0, 0), 0);
    session.Command(CM_FILESAVE);
    EXPECT_EQ(read_file(file), "new first line\r\nsecond line\r\n");
    EXPECT_EQ(read_file(work_ + "\\notes.BAK"), "first line\r\nsecond line\r\n");
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), 0);

    int code = -1;
    ASSERT_TRUE(session.Close(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Log(), "");
    std::string settings = Settings();
    EXPECT_EQ(settings.substr(0, 8), "[Zavit]\n");
    EXPECT_NE(settings.find("Window= '" + file + "' "), std::string::npos) << settings;
}

} // namespace

namespace {

// A child's place in the client, as the program stores it.
RECT PlaceOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG SelEnd(HWND edit)
{
    return static_cast<LONG>(HIWORD(SendMessageA(edit, EM_GETSEL, 0, 0)));
}

// A double click with the left button near the start of the first line.
void DoubleClickFirstLine(HWND edit)
{
    // The line's start in view first (a long line scrolls the window).
    SendMessageA(edit, EM_SETSEL, 0, 0);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    LPARAM at = MAKELPARAM(3, 5);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(edit, WM_LBUTTONUP, 0, at);
    SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(edit, WM_LBUTTONUP, 0, at);
}

// Sets a file's last-write time a minute later than it is.
void TouchLater(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME t;
    GetFileTime(h, nullptr, nullptr, &t);
    ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
    v.QuadPart += 600000000ULL;
    t.dwLowDateTime = v.LowPart;
    t.dwHighDateTime = v.HighPart;
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

} // namespace

TEST_F(ZavitProgram, RemembersPlacesCaretsAndOpenFilesAcrossARestart)
{
    // A deep folder with a dot in its name, a file without extension in it.
    std::string deep = work_ + "\\v1.2";
    while (deep.size() < 180)
        deep += "\\a_folder_with_a_rather_long_name";
    ASSERT_TRUE(make_dirs(deep));
    std::string a = work_ + "\\a.txt", readme = deep + "\\README", c = work_ + "\\c.txt";
    ASSERT_TRUE(write_file(a, "alpha\r\n"));
    ASSERT_TRUE(write_file(readme, "read me\r\nline two\r\nline three\r\n"));
    ASSERT_TRUE(write_file(c, "gamma\r\n"));
    ASSERT_TRUE(write_file(work_ + "\\list.txt", readme + "\r\n\t" + c + "\r\n"));

    {
        ProgramSession session;
        Start(session, ScriptQuoted(a) + " @" + ScriptQuoted(work_ + "\\list.txt"));
        std::vector<HWND> children = Children(session);
        ASSERT_EQ(children.size(), 3u);
        HWND ha = ChildOf(session, "a.txt"), hr = ChildOf(session, "README"),
             hc = ChildOf(session, "c.txt");
        ASSERT_TRUE(ha && hr && hc);
        // Files without remembered places open cascaded, 640 by 480.
        RECT pa = PlaceOf(ha), pr = PlaceOf(hr), pc = PlaceOf(hc);
        EXPECT_EQ(pa.left, 0);
        EXPECT_EQ(pa.top, 0);
        EXPECT_EQ(pr.left, 22);
        EXPECT_EQ(pc.top, 44);
        EXPECT_EQ(pc.right - pc.left, 640);
        EXPECT_EQ(pc.bottom - pc.top, 480);

        // Edit and save the deep file: its backup stands beside it.
        SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hr), 0);
        HWND er = Edit(hr);
        Caret(er, 0);
        Type(er, "Please ");
        session.Command(CM_FILESAVE);
        EXPECT_EQ(read_file(readme), "Please read me\r\nline two\r\nline three\r\n");
        EXPECT_EQ(read_file(deep + "\\README.BAK"), "read me\r\nline two\r\nline three\r\n");
        EXPECT_FALSE(Exists(work_ + "\\v1.BAK"));
        // The caret at line 2, column 3.
        LONG line2 = static_cast<LONG>(SendMessageA(er, EM_LINEINDEX, 1, 0));
        Caret(er, line2 + 2);

        // A change on disk is read back into an unchanged window.
        ASSERT_TRUE(write_file(c, "gamma changed\r\n"));
        TouchLater(c);
        SendMessageA(Client(session), WM_USER + 1, 0, 0);
        EXPECT_EQ(without_cr(WindowTextOf(Edit(hc))), "gamma changed\n");

        session.Command(CM_PERSISTENCE);
        int code = -1;
        ASSERT_TRUE(session.Close(&code));
        EXPECT_EQ(code, 0);
    }
    std::string settings = Settings();
    EXPECT_NE(settings.find("Desktop= "), std::string::npos);
    EXPECT_NE(settings.find(" 0 0 1 1\nWindow= "), std::string::npos) << settings;
    EXPECT_NE(settings.find("Window= '" + readme + "' 22 22 640 480 0 0 1 3 2\n"), std::string::npos)
        << settings;
    EXPECT_EQ(Log(), "");

    {
        // Without arguments the files open at the last run's end come back.
        ProgramSession session;
        Start(session, "");
        ASSERT_EQ(Children(session).size(), 3u);
        HWND hr = ChildOf(session, "README");
        ASSERT_NE(hr, nullptr);
        RECT pr = PlaceOf(hr);
        EXPECT_EQ(pr.left, 22);
        EXPECT_EQ(pr.top, 22);
        EXPECT_EQ(without_cr(WindowTextOf(Edit(ChildOf(session, "c.txt")))), "gamma changed\n");
        // The caret goes to its remembered place once the window has the focus.
        SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hr), 0);
        HWND er = Edit(hr);
        LONG line2 = static_cast<LONG>(SendMessageA(er, EM_LINEINDEX, 1, 0));
        EXPECT_TRUE(WaitUntil([&] { return SelEnd(er) == line2 + 2; })) << SelEnd(er);
        ASSERT_TRUE(session.Close());
    }
}

TEST_F(ZavitProgram, OpensTheFileNamedUnderTheCaret)
{
    std::string src = work_ + "\\src", docs = work_ + "\\docs";
    ASSERT_TRUE(make_dirs(src));
    ASSERT_TRUE(make_dirs(docs));
    std::string main = src + "\\main.txt";
    ASSERT_TRUE(write_file(main, "..\\docs\\readme.txt 2: see there\r\n"));
    ASSERT_TRUE(write_file(docs + "\\readme.txt", "one\r\ntwo\r\nthree\r\n"));
    // A name longer than any of the old fixed buffers.
    std::string deep = work_;
    while (deep.size() < 170)
        deep += "\\deeper_and_deeper";
    ASSERT_TRUE(make_dirs(deep));
    std::string farFile = deep + "\\far.txt";
    ASSERT_TRUE(write_file(farFile, "far away\r\n"));
    ASSERT_TRUE(write_file(src + "\\side.txt", "beside\r\n"));

    ProgramSession session;
    Start(session, ScriptQuoted(main));
    HWND hm = ChildOf(session, "main.txt");
    ASSERT_NE(hm, nullptr);
    HWND em = Edit(hm);

    // A relative name with a line number: opened from the file's folder,
    // the caret on that line.
    DoubleClickFirstLine(em);
    HWND hr = ChildOf(session, "readme.txt");
    ASSERT_NE(hr, nullptr);
    EXPECT_EQ(Active(session), hr);
    HWND er = Edit(hr);
    LONG line2 = static_cast<LONG>(SendMessageA(er, EM_LINEINDEX, 1, 0));
    EXPECT_TRUE(WaitUntil([&] { return SelEnd(er) == line2; })) << SelEnd(er);

    // An absolute deep path, and a bare name beside the current file. A
    // name under the caret is made of letters, digits and "_\\/.:" only, so
    // the absolute path is tried where the test's folder is named so (the
    // build folder's own name may hold a "-" or a blank).
    size_t windows = 3;
    if (std::all_of(farFile.begin(), farFile.end(), zavit_name_char)) {
        SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hm), 0);
        SetWindowTextA(em, (farFile + " is far").c_str());
        DoubleClickFirstLine(em);
        EXPECT_NE(ChildOf(session, "far.txt"), nullptr);
        ++windows;
    } else {
        std::printf("the absolute path step is left out: %s holds other characters\n", farFile.c_str());
    }
    SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hm), 0);
    SetWindowTextA(em, "side.txt");
    DoubleClickFirstLine(em);
    EXPECT_NE(ChildOf(session, "side.txt"), nullptr);

    // Text that names no file opens nothing; a file already shown comes to
    // the front instead of a second window.
    SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hm), 0);
    SetWindowTextA(em, "nothing.txt here");
    DoubleClickFirstLine(em);
    EXPECT_EQ(Children(session).size(), windows);
    SetWindowTextA(em, "side.txt");
    DoubleClickFirstLine(em);
    EXPECT_EQ(Children(session).size(), windows);
    EXPECT_EQ(Active(session), ChildOf(session, "side.txt"));

    // main.txt was changed by the test: its question is answered No.
    Script("box no\n");
    ASSERT_TRUE(session.Close());
}

TEST_F(ZavitProgram, PreviewsOneAndTwoPages)
{
    std::string why;
    ASSERT_TRUE(AddTestPrinter("Zavit Test Printer", why)) << why;
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "line " + std::to_string(i) + "\tafter a tab\r\n";
    std::string file = work_ + "\\pages.txt";
    ASSERT_TRUE(write_file(file, text));
    ProgramSession session;
    Start(session, ScriptQuoted(file), work_);
    // The preview: the main window hidden, one page, then two.
    PostMessageA(session.MainWindow(), WM_COMMAND, CM_FILEPRINTPREVIEW, 0);
    HWND preview = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (preview = FindWindowA("ZavitPreview", nullptr)) != nullptr &&
                                     IsWindowVisible(preview); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(session.MainWindow()); }));
    HWND bar = FindWindowExA(preview, nullptr, TOOLBARCLASSNAMEA, nullptr);
    HWND pageText = GetDlgItem(bar, IDC_PAGETEXT);
    EXPECT_EQ(WindowTextOf(pageText), "Page 1");
    HWND pages = FindWindowExA(preview, nullptr, "winui.PreviewWnd", nullptr);
    ASSERT_NE(pages, nullptr);
    HWND first = GetDlgItem(pages, 1), second = GetDlgItem(pages, 2);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(second));
    // The page stands by the margin and ratio rule in the preview's client.
    HDC printer = CreateDCA("WINSPOOL", "Zavit Test Printer", nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    const int pageW = GetDeviceCaps(printer, HORZRES), pageH = GetDeviceCaps(printer, VERTRES);
    DeleteDC(printer);
    auto placed = [&](HWND page) {
        RECT r;
        GetWindowRect(page, &r);
        MapWindowPoints(nullptr, pages, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto expect_at = [&](HWND page, int index) {
        RECT client;
        GetClientRect(pages, &client);
        ZavitPageBox box = zavit_preview_page(index, client.right, client.bottom, pageW, pageH);
        RECT r = placed(page);
        EXPECT_EQ(r.left, box.left) << index;
        EXPECT_EQ(r.top, box.top) << index;
        EXPECT_EQ(r.right, box.right) << index;
        EXPECT_EQ(r.bottom, box.bottom) << index;
        EXPECT_GT(box.right - box.left, 100) << index;
    };
    expect_at(first, 0);
    // The page shows lines of text: dark pixels on white near its top left.
    RECT r;
    GetWindowRect(first, &r);
    HDC screen = GetDC(nullptr);
    int dark = 0, white = 0;
    for (int y = r.top + 2; y < r.top + (r.bottom - r.top) / 8; ++y)
        for (int x = r.left + 2; x < r.left + (r.right - r.left) / 3; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128)
                ++dark;
            else if (c == RGB(255, 255, 255))
                ++white;
        }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(dark, 10);
    EXPECT_GT(white, dark);

    SendMessageA(preview, WM_COMMAND, CM_TWOPAGE, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 1 - 2");
    EXPECT_TRUE(IsWindowVisible(second));
    expect_at(first, 0);
    expect_at(second, 1);
    SendMessageA(preview, WM_COMMAND, CM_NEXTPAGE, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 1 - 2");
    SendMessageA(preview, WM_COMMAND, CM_ONEPAGE, 0);
    SendMessageA(preview, WM_COMMAND, CM_NEXTPAGE, 0);
    EXPECT_EQ(WindowTextOf(pageText), "Page 2");
    SendMessageA(preview, WM_COMMAND, CM_PREVIEWCLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(session.MainWindow()) != FALSE; }));
    EXPECT_EQ(Log(), "");
    ASSERT_TRUE(session.Close());
}

TEST_F(ZavitProgram, QuickExitSavesWithoutAskingAndEndsWithCodeOne)
{
    // A settings file of another form: one box, naming the file.
    ASSERT_TRUE(write_file(bin_ + "\\zavit.INI", "[zavit]\r\n"));
    std::string file = work_ + "\\q.txt";
    ASSERT_TRUE(write_file(file, "one\r\ntwo\r\nthree\r\n"));
    Script("box ok\ndialog ok set 302 \"0\"\n");
    ProgramSession session;
    Start(session, ScriptQuoted(file));
    // New windows are numbered from 0.
    session.Command(CM_FILENEW);
    session.Command(CM_FILENEW);
    EXPECT_NE(ChildOf(session, "0"), nullptr);
    EXPECT_NE(ChildOf(session, "1"), nullptr);
    HWND hq = ChildOf(session, "q.txt");
    ASSERT_NE(hq, nullptr);
    SendMessageA(Client(session), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hq), 0);
    HWND eq = Edit(hq);
    // Goto 0 goes to line 1.
    Caret(eq, static_cast<LONG>(SendMessageA(eq, EM_LINEINDEX, 2, 0)));
    session.Command(CM_GOTO);
    EXPECT_EQ(SelEnd(eq), 0);
    Type(eq, "zero ");
    // The unchanged new windows close without a question.
    PostMessageA(session.MainWindow(), WM_COMMAND, CM_QUICKEXIT, 0);
    int code = -1;
    ASSERT_TRUE(session.Close(&code));
    EXPECT_EQ(code, 1);
    EXPECT_EQ(read_file(file), "zero one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(Log(), "box \"Zavit: File Format Error\" " + ScriptQuoted(bin_ + "\\zavit.INI") +
                         " 1\ndialog 300 \"Goto\" 1\n");
}

namespace {

// The common Find or Replace dialog as a user fills it in: the fields set,
// then one of its buttons pressed.
void PressInSearchDialog(HWND dialog, int button, const char* what, const char* with = nullptr,
                         bool matchCase = false)
{
    SetDlgItemTextA(dialog, 0x480, what); // edt1: find what
    if (with)
        SetDlgItemTextA(dialog, 0x481, with); // edt2: replace with
    CheckDlgButton(dialog, 0x411, matchCase ? BST_CHECKED : BST_UNCHECKED); // chx2
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

LONG SelStart(HWND edit)
{
    return static_cast<LONG>(LOWORD(SendMessageA(edit, EM_GETSEL, 0, 0)));
}

} // namespace

TEST_F(ZavitProgram, FindReplaceAndFindNextWorkOnTheText)
{
    std::string file = work_ + "\\find.txt";
    ASSERT_TRUE(write_file(file, "alpha beta Alpha gamma alpha\r\n"));
    Script("box ok\nbox ok\n");
    ProgramSession session;
    Start(session, ScriptQuoted(file));
    HWND edit = Edit(ChildOf(session, "find.txt"));
    ASSERT_NE(edit, nullptr);
    Caret(edit, 0);

    // Find: each Find Next press selects the next match, case and all.
    PostMessageA(session.MainWindow(), WM_COMMAND, CM_EDITFIND, 0);
    HWND find = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (find = DialogOf(session)) != nullptr; }));
    EXPECT_EQ(WindowTextOf(find), "Find");
    PressInSearchDialog(find, IDOK, "alpha", nullptr, true);
    EXPECT_EQ(SelStart(edit), 0);
    EXPECT_EQ(SelEnd(edit), 5);
    PressInSearchDialog(find, IDOK, "alpha", nullptr, true);
    EXPECT_EQ(SelStart(edit), 23);
    // Find Next from the menu (F3) goes on with the same text: no more
    // (a box says so).
    session.Command(CM_EDITFINDNEXT);
    EXPECT_EQ(SelStart(edit), 23);
    // Without regard to case from the start again.
    Caret(edit, 0);
    PressInSearchDialog(find, IDOK, "alpha");
    session.Command(CM_EDITFINDNEXT);
    EXPECT_EQ(SelStart(edit), 11);
    EXPECT_EQ(SelEnd(edit), 16);

    // Replace: the Find dialog gives way to the Replace dialog; Replace
    // changes the selected match and selects the next one.
    PostMessageA(session.MainWindow(), WM_COMMAND, CM_EDITREPLACE, 0);
    HWND replace = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (replace = DialogOf(session)) != nullptr && WindowTextOf(replace) == "Replace";
    }));
    EXPECT_FALSE(IsWindow(find));
    PressInSearchDialog(replace, 0x400, "alpha", "omega"); // psh1: Replace
    EXPECT_EQ(without_cr(WindowTextOf(edit)).substr(0, 28), "alpha beta omega gamma alpha");
    EXPECT_EQ(SelStart(edit), 23);
    // Replace All: every match from the start, one undo step each.
    PressInSearchDialog(replace, 0x401, "alpha", "delta"); // psh2: Replace All
    EXPECT_EQ(without_cr(WindowTextOf(edit)).substr(0, 28), "delta beta omega gamma delta");
    // Nothing left to replace: the box says so, as it did when Find Next
    // found no more.
    PressInSearchDialog(replace, 0x401, "alpha", "delta");
    std::string box = "box \"Zavit\" \"Cannot find \\\"alpha\\\".\" 1\n";
    EXPECT_EQ(Log(), box + box);
    SendMessageA(replace, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(replace, IDCANCEL)));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(replace); }));

    Script("box no\n");
    ASSERT_TRUE(session.Close());
}

// Printing to the test printer: its port "FILE:" makes the program ask for
// the output file; the PostScript written there holds one page for each
// page of the text (the pages' contents are looked at with ghostscript by
// zavit_printed_pages).
TEST_F(ZavitProgram, PrintsEveryPageIntoTheFileItIsGiven)
{
    std::string why;
    ASSERT_TRUE(AddTestPrinter("Zavit Test Printer", why)) << why;
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "line " + std::to_string(i) + "\tafter a tab\r\n";
    std::string file = work_ + "\\pages.txt";
    ASSERT_TRUE(write_file(file, text));
    std::string out = host_path(ZAVIT_PRINT_DIR) + "\\pages.ps";
    ASSERT_TRUE(make_dirs(host_path(ZAVIT_PRINT_DIR)));
    DeleteFileA(out.c_str());
    Script("print\nsave \"" + out + "\"\n");
    ProgramSession session;
    Start(session, ScriptQuoted(file), work_);
    session.Command(CM_FILEPRINT);
    EXPECT_EQ(Log().substr(0, 11), "print\nsave ") << Log();
    std::string ps = read_file(out);
    size_t pages = 0;
    for (size_t at = ps.find("showpage"); at != std::string::npos; at = ps.find("showpage", at + 1))
        ++pages;
    EXPECT_EQ(pages, 2u);
    ASSERT_TRUE(session.Close());
}

namespace {

// Text of lines of varied length in which a line end falls on the last byte
// of the control's 4,096-byte stream pieces: on every multiple of 4,096, and
// where the pieces end once the byte before a split pair moved to the next
// piece (4,096 × k − k).
std::string PieceEdgeText(size_t bytes, const std::string& eol)
{
    const size_t piece = 4096;
    std::vector<size_t> edges;
    for (size_t k = 1; piece * k <= bytes + piece; ++k) {
        edges.push_back(piece * k - k);
        if (k > 1)
            edges.push_back(piece * k - 1);
    }
    std::string text;
    size_t next = 0;
    for (unsigned line = 0; text.size() < bytes; ++line) {
        while (next < edges.size() && edges[next] < text.size())
            ++next;
        size_t length = 8 + (line * 7) % 53;
        // The line ends on the edge: its first line-end byte lands there.
        if (next < edges.size() && text.size() + length >= edges[next])
            length = edges[next] - text.size();
        std::string words = "line " + std::to_string(line) + " mov a, #12h ; some words";
        while (words.size() < length)
            words += words;
        text += words.substr(0, length);
        text += eol;
    }
    return text;
}

} // namespace

// Files of several sizes open, take an edit at both ends, and save with
// every other byte as it was, whether their lines end in CR LF or LF alone.
TEST_F(ZavitProgram, SavesCrLfAndLfFilesByteForByte)
{
    for (const char* eol : {"\r\n", "\n"}) {
        for (size_t size : {size_t(4097), size_t(3 * 4096 + 100), size_t(64 * 1024), size_t(1 << 20)}) {
            SCOPED_TRACE(std::string(eol[0] == '\r' ? "CR LF, " : "LF, ") + std::to_string(size));
            std::string text = PieceEdgeText(size, eol);
            // A name of its own for each file: the program remembers carets.
            std::string name = std::string(eol[0] == '\r' ? "crlf" : "lf") + std::to_string(size);
            std::string file = work_ + "\\" + name + ".txt";
            ASSERT_TRUE(write_file(file, text));
            ProgramSession session;
            Start(session, ScriptQuoted(file));
            HWND edit = Edit(ChildOf(session, name + ".txt"));
            ASSERT_NE(edit, nullptr);
            // Every line end reads as one: the control counts the lines the file has.
            size_t lines = 0;
            for (char c : text)
                lines += c == '\n';
            EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(lines + 1));
            Caret(edit, 0);
            Type(edit, "first ");
            Caret(edit, -1);
            Type(edit, "last");
            session.Command(CM_FILESAVE);
            std::string saved = read_file(file);
            std::string expected = "first " + text + "last";
            EXPECT_EQ(saved.size(), expected.size());
            size_t at = static_cast<size_t>(
                std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end()).first -
                saved.begin());
            EXPECT_TRUE(saved == expected)
                << "first difference at " << at << ": "
                << ScriptQuoted(saved.substr(at < 20 ? 0 : at - 20, 40)) << " instead of "
                << ScriptQuoted(expected.substr(at < 20 ? 0 : at - 20, 40));
            EXPECT_TRUE(read_file(work_ + "\\" + name + ".BAK") == text);
            ASSERT_TRUE(session.Close());
        }
    }
    EXPECT_EQ(Log(), "");
}

// A text streams in as a first part that needs every scroll bar the whole
// text needs and the rest behind it: the file comes whole whether a line
// too wide for the window stands after the first screen or ends the file,
// and both bars show.
TEST_F(ZavitProgram, OpensFilesWithAWideLineWholeAndShowsBothBars)
{
    std::string wide(700, 'w');
    std::string lines;
    for (int i = 0; i < 400; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"middle.txt", lines + wide + "\r\n" + lines},
        {"first.txt", wide + "\r\n" + lines},
        {"end.txt", zavit_lf_line_ends(lines) + wide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = work_ + "\\" + c.name;
        ASSERT_TRUE(write_file(file, c.text));
        ProgramSession session;
        Start(session, ScriptQuoted(file));
        HWND edit = Edit(ChildOf(session, c.name));
        ASSERT_NE(edit, nullptr);
        // A window shows a scroll bar while its style holds the bar's bit.
        LONG style = GetWindowLongA(edit, GWL_STYLE);
        EXPECT_NE(style & WS_VSCROLL, 0);
        EXPECT_NE(style & WS_HSCROLL, 0);
        session.Command(CM_FILESAVE);
        EXPECT_TRUE(read_file(file) == c.text);
        ASSERT_TRUE(session.Close());
    }
    EXPECT_EQ(Log(), "");
}

// A large file opens in a frame remembered maximized: the window answers
// with the whole text once it is laid out for the maximized frame, and the
// user's edits can be undone as ever (reading the file is none of them).
TEST_F(ZavitProgram, OpensALargeFileInAMaximizedFrameAndUndoesEdits)
{
    ASSERT_TRUE(write_file(bin_ + "\\zavit.INI",
                               "[Zavit]\nFont= 'Fixedsys' -12 400 0\nDesktop= 20 20 700 500 0 1 0 1\n"));
    std::string text = PieceEdgeText(size_t(1) << 20, "\r\n");
    std::string file = work_ + "\\maximized.txt";
    ASSERT_TRUE(write_file(file, text));
    ProgramSession session;
    Start(session, ScriptQuoted(file));
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(session.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer), 0);
    EXPECT_TRUE(IsZoomed(session.MainWindow()));
    HWND edit = Edit(ChildOf(session, "maximized.txt"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
    EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), 0);
    Caret(edit, 0);
    Type(edit, "xy");
    EXPECT_NE(SendMessageA(edit, EM_CANUNDO, 0, 0), 0);
    SendMessageA(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    ASSERT_TRUE(session.Close());
    EXPECT_EQ(Log(), "");
}

// The main window's remembered place, beyond every screen or larger than
// it, comes up inside the work area; a place on the screen stays as it is.
TEST_F(ZavitProgram, RestoresItsPlaceInsideTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const LONG W = work.right - work.left, H = work.bottom - work.top;
    struct Case {
        RECT place;    // x, y, right, bottom as written
        RECT expected; // where the window comes up
        bool exact;    // false: anywhere inside the expected rectangle
    } cases[] = {
        {{30, 40, 730, 540}, {30, 40, 730, 540}, true},
        // On a monitor that is gone, far right and below.
        {{5000, 4000, 5700, 4500}, {work.right - 700, work.bottom - 500, work.right, work.bottom},
         true},
        // Far to the left and above.
        {{-3000, -2000, -2400, -1600}, {work.left, work.top, work.left + 600, work.top + 400}, true},
        // Half beyond the right edge: moved in whole.
        {{work.right - 100, 50, work.right + 500, 450}, {work.right - 600, 50, work.right, 450},
         true},
        // Larger than the screen: within it (a window of the screen's size
        // may be given another size by the system).
        {{-10, -10, 3 * W, 3 * H}, work, false},
    };
    for (const Case& c : cases) {
        const RECT& p = c.place;
        SCOPED_TRACE(std::to_string(p.left) + " " + std::to_string(p.top));
        ASSERT_TRUE(write_file(bin_ + "\\zavit.INI",
                               "[Zavit]\nFont= 'Fixedsys' -12 400 0\nDesktop= " +
                                   std::to_string(p.left) + " " + std::to_string(p.top) + " " +
                                   std::to_string(p.right - p.left) + " " +
                                   std::to_string(p.bottom - p.top) + " 0 0 0 1\n"));
        ProgramSession session;
        Start(session, "");
        RECT r{};
        GetWindowRect(session.MainWindow(), &r);
        if (c.exact) {
            EXPECT_EQ(r.left, c.expected.left);
            EXPECT_EQ(r.top, c.expected.top);
            EXPECT_EQ(r.right, c.expected.right);
            EXPECT_EQ(r.bottom, c.expected.bottom);
        } else {
            EXPECT_GE(r.left, c.expected.left);
            EXPECT_GE(r.top, c.expected.top);
            EXPECT_LE(r.right, c.expected.right);
            EXPECT_LE(r.bottom, c.expected.bottom);
            EXPECT_GT(r.right - r.left, W / 2);
        }
        ASSERT_TRUE(session.Close());
    }
    EXPECT_EQ(Log(), "");
}

// The tab stops (every eight characters) hold for every line of a file that
// streams in over many pieces, the last line as the first.
TEST_F(ZavitProgram, TabStopsHoldForEveryLineOfALargeFile)
{
    std::string text = "a\tb\r\nabcdefghij\r\n";
    while (text.size() < 200 * 1024)
        text += "filler line with some words in it\r\n";
    size_t last = text.size();
    text += "a\tb\r\nabcdefghij\r\n";
    std::string file = work_ + "\\tabs.txt";
    ASSERT_TRUE(write_file(file, text));
    ProgramSession session;
    Start(session, ScriptQuoted(file));
    HWND edit = Edit(ChildOf(session, "tabs.txt"));
    ASSERT_NE(edit, nullptr);
    // Character positions (a line end counts as one character).
    auto x_of = [&](LONG index) {
        return static_cast<int>(static_cast<short>(LOWORD(SendMessageA(edit, EM_POSFROMCHAR, index, 0))));
    };
    LONG lastAt = static_cast<LONG>(last - std::count(text.begin(), text.begin() + last, '\n'));
    int eight = x_of(6 + 8) - x_of(6);              // "abcdefghij": eight characters
    int firstTab = x_of(2) - x_of(0);               // "a\tb": b at the first stop
    int lastTab = x_of(lastAt + 2) - x_of(lastAt);  // the same in the last lines
    EXPECT_GT(eight, 0);
    EXPECT_EQ(firstTab, eight);
    EXPECT_EQ(lastTab, eight);
    // Reading the file left nothing to undo.
    EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), 0);
    ASSERT_TRUE(session.Close());
}

namespace {

// Which file dialog box dialog is: "explorer" when it shows the shell's
// folder view, "classic" when it lists the folders in a list box of its own
// (lst2) with no shell view, "" when it is neither (yet).
std::string FileDialogStyle(HWND dialog)
{
    const bool shellView = DescendantWhere(dialog, [](HWND w) { return ClassOf(w) == "SHELLDLL_DefView"; });
    HWND folders = GetDlgItem(dialog, 0x461); // lst2
    const bool folderList = folders && IsWindowVisible(folders) && ClassOf(folders) == "ListBox";
    if (shellView && !folderList)
        return "explorer";
    if (folderList && !shellView)
        return "classic";
    return "";
}

} // namespace

// The file dialogs the system shows for real (no answers are scripted):
// classic while "Classic File Selector" is on, explorer style while it is
// off, for Open and for Save As alike; the choice is kept across a restart,
// and the classic dialog opens the file a user names in it.
TEST_F(ZavitProgram, ClassicFileSelectorChoosesTheFileDialog)
{
    // The option off in the settings file.
    ASSERT_TRUE(write_file(bin_ + "\\zavit.INI", "[Zavit]\nFont= 'Fixedsys' -12 400 0\nDesktop= 0 0 0 0 0 0 0 0\n"));
    auto start = [&](ProgramSession& session) {
        session.SetScript("", "");
        ASSERT_TRUE(session.Start(exe_, "", work_, SW_SHOWNORMAL));
        ASSERT_NE(session.WaitForMainWindow("ZavitFrame"), nullptr);
    };
    // The dialog the command brings up, then cancelled, or given a file
    // name as a user types it; its style.
    auto dialog_of = [](ProgramSession& session, UINT command, const std::string& file = std::string()) {
        session.PostCommand(command);
        HWND dialog = nullptr;
        std::string style;
        WaitUntil([&] {
            dialog = ProcessDialog(session.ProcessId(), nullptr);
            return dialog && !(style = FileDialogStyle(dialog)).empty();
        }, 30000);
        if (!dialog)
            return std::string("no dialog");
        if (!file.empty())
            SetDlgItemTextA(dialog, style == "classic" ? 0x480 : 0x47C, file.c_str()); // edt1, cmb13
        PostMessageA(dialog, WM_COMMAND, file.empty() ? IDCANCEL : IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
        return style;
    };

    ProgramSession session;
    start(session);
    session.Command(CM_FILENEW);
    ASSERT_NE(Active(session), nullptr);
    const struct Step {
        bool toggle; // the menu command first
        UINT command;
        const char* style;
    } steps[] = {
        {false, CM_FILEOPEN, "explorer"}, {false, CM_FILESAVEAS, "explorer"},
        {true, CM_FILEOPEN, "classic"},   {false, CM_FILESAVEAS, "classic"},
        {true, CM_FILEOPEN, "explorer"},  {true, CM_FILEOPEN, "classic"},
    };
    for (const Step& step : steps) {
        if (step.toggle)
            session.Command(CM_CLASSICFILESEL);
        EXPECT_EQ(dialog_of(session, step.command), step.style) << step.command;
    }
    ASSERT_TRUE(session.Close());
    ZavitSettings settings;
    FileWindowList list;
    zavit_read_settings(Settings(), settings, list, [] {});
    EXPECT_TRUE(settings.classic);

    // The classic dialog opens the file named in it.
    ASSERT_TRUE(write_file(work_ + "\\x.txt", "x\r\n"));
    ProgramSession again;
    start(again);
    EXPECT_EQ(dialog_of(again, CM_FILEOPEN, work_ + "\\x.txt"), "classic");
    EXPECT_TRUE(WaitUntil([&] { return ChildOf(again, "x.txt") != nullptr; }, 10000));
    ASSERT_TRUE(again.Close());
}
