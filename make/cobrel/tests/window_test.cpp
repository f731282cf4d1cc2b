// The wizard as a user meets it: cobrel.exe is started, its form found and
// driven through control messages, its file dialogs and message boxes
// answered from a script file. The makefile it writes is built by the make
// tool, and an existing makefile is shown in the form's controls.
#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "make/cobrel/resource.h"
#include "testing/winprog/program_session.h"
#include "testing/winprog/system_input.h"

namespace {

const char form_caption[] = "Cobrel - Rysk's MAKE-File-Wizard";

// A fresh folder for one test, with a copy of the program beside its make
// tool, so that its settings file is the test's own.
std::string program_dir(const std::string& name)
{
    std::string dir = fresh_dir(host_path(COBREL_WINDOW_TMP) + "\\" + name);
    make_dirs(dir + "\\bin");
    const std::string bin = host_path(COBREL_BIN_DIR);
    for (const char* file : {"cobrel.exe", "gravik.exe", "builtins.mak", "ovanta_tmp.dat"})
        copy_file_to(bin + "\\" + file, dir + "\\bin\\" + file);
    return dir;
}

// One running wizard, answered from a script.
class wizard {
public:
    // scripted false: the program's dialogs are its real ones, shown.
    wizard(const std::string& dir, const std::vector<std::string>& script, bool scripted = true)
        : dir_(dir)
    {
        std::string text;
        for (const std::string& line : script)
            text += line + "\n";
        write_file(dir + "\\script.txt", text);
        log_ = dir + "\\script.log";
        DeleteFileA(log_.c_str());
        if (scripted)
            session_.SetScript(dir + "\\script.txt", log_);
        if (!session_.Start(dir + "\\bin\\cobrel.exe", "", dir, ProgramSession::kProgramsOwnShow))
            return;
        // The form is shown once it is set up.
        form_ = session_.WaitForMainWindowTitled(form_caption);
    }
    HWND form() const { return form_; }
    HANDLE process() const { return session_.ProcessHandle(); }
    DWORD pid() const { return session_.ProcessId(); }
    HWND item(int id) const { return GetDlgItem(form_, id); }
    std::string log() const { return read_file(log_); }

    void click(int id) const
    {
        SendMessageA(form_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(item(id)));
    }
    void tick(int id, bool on) const
    {
        SendMessageA(item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        click(id);
    }
    void select(int id, const std::string& text) const
    {
        SendMessageA(item(id), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(form_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(item(id)));
    }
    void set_text(int id, const std::string& text) const
    {
        SendMessageA(item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string text(int id) const
    {
        char buffer[4096] = "";
        SendMessageA(item(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    int selected(int id) const
    {
        return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0));
    }
    bool checked(int id) const
    {
        return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != 0; }
    std::vector<std::string> list_items(int id) const
    {
        std::vector<std::string> items;
        int count = static_cast<int>(SendMessageA(item(id), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            // Asked in UTF-16: Wine hands list items of another process
            // to an ANSI caller in UTF-16 too.
            wchar_t buffer[1024] = L"";
            SendMessageW(item(id), LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buffer));
            std::string text;
            for (const wchar_t* c = buffer; *c; ++c)
                text += static_cast<char>(*c);
            items.push_back(text);
        }
        return items;
    }
    // Closes the form as the close box does; the program's exit code.
    int close()
    {
        int code = 0;
        return session_.Close(&code) ? code : -1;
    }

private:
    std::string dir_;
    std::string log_;
    ProgramSession session_;
    HWND form_ = nullptr;
};

// Runs the make tool on a makefile in its folder; its exit code.
int make(const std::string& dir, const std::string& makefile)
{
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(dir.c_str());
    int code = -1;
    os_run_status status = os_run({host_path(GRAVIK_PATH), "-f" + makefile}, &code);
    SetCurrentDirectoryA(old);
    return status == OS_RUN_OK ? code : -1;
}

TEST(CobrelWindow, StartsWithItsFormAndClosesUnchanged)
{
    const std::string dir = program_dir("start");
    wizard w(dir, {});
    ASSERT_NE(w.form(), nullptr);
    EXPECT_EQ(w.text(IDC_CPUSPEED), "1000");
    EXPECT_EQ(w.text(IDC_ROMSTART), "0000");
    EXPECT_EQ(w.selected(IDC_DEBUGLEVELBOX), 1);
    EXPECT_TRUE(w.checked(IDC_CHECKLIST));
    EXPECT_FALSE(w.enabled(IDC_SAVEBUTTON));
    EXPECT_FALSE(w.enabled(IDC_ADDSRC));
    EXPECT_FALSE(w.enabled(IDC_TARGETBOX));
    EXPECT_EQ(SendMessageA(w.item(IDC_PAGECONTROL), TCM_GETITEMCOUNT, 0, 0), 6);
    EXPECT_EQ(w.close(), 0);
    EXPECT_EQ(w.log(), "");
    // The empty history is written beside the program.
    EXPECT_NE(read_file(dir + "\\bin\\cobrel.ini").find("HIST_CNT=0"), std::string::npos);
}

// A project of assembler sources in the names the wizard takes (.s51): the
// example project's sources, whose own makefile builds the same image.
void copy_example(const std::string& dir, const char* extension)
{
    const std::string examples = host_path(COBREL_EXAMPLES_DIR);
    for (const char* name : {"start", "main", "delay"})
        std::filesystem::copy_file(examples + "\\" + name + ".s51",
                                   dir + "\\" + name + extension);
}

TEST(CobrelWindow, NewMakefileForASourceProjectIsSavedWithAWorkspaceAndBuilds)
{
    const std::string dir = program_dir("new");
    const std::string project = dir + "\\project";
    std::filesystem::create_directories(project);
    copy_example(project, ".s51");
    write_file(project + "\\notes.txt", "not a source\n");
    const std::string makefile = project + "\\demo.mak";
    {
        wizard w(dir, {"save \"" + makefile + "\"",
                       "open \"" + project + "\\start.s51\"",
                       "open \"" + project + "\\main.s51\"",
                       "open \"" + project + "\\delay.s51\"",
                       "open \"" + project + "\\notes.txt\"",
                       "open \"" + project + "\\MAIN.S51\"",
                       "box ok", "box ok", "box ok"});
        ASSERT_NE(w.form(), nullptr);
        w.click(IDC_MAKNEWBUTTON);
        EXPECT_EQ(w.text(IDC_PROJECTNAMEBOX), makefile);
        EXPECT_NE(w.text(IDC_PROJECTMEMO).find("# Project: " + makefile), std::string::npos);
        EXPECT_TRUE(w.enabled(IDC_ADDSRC));
        for (int i = 0; i < 5; ++i)
            w.click(IDC_ADDSRC);
        EXPECT_EQ(w.list_items(IDC_SOURCELIST),
                  (std::vector<std::string>{"start.s51", "main.s51", "delay.s51"}));
        EXPECT_TRUE(w.enabled(IDC_TARGETBOX));
        w.select(IDC_TARGETBOX, "main");
        EXPECT_TRUE(w.enabled(IDC_SAVEBUTTON));
        // HEX and OMF files exclude each other; stripping needs one of them.
        w.tick(IDC_CHECKGENOMF, true);
        EXPECT_TRUE(w.enabled(IDC_CHECKBINSTRIP));
        w.tick(IDC_CHECKGENHEX, true);
        EXPECT_FALSE(w.checked(IDC_CHECKGENOMF));
        w.tick(IDC_CHECKGENHEX, false);
        EXPECT_FALSE(w.enabled(IDC_CHECKBINSTRIP));
        w.tick(IDC_CHECKWRITEOVANTA, true);
        w.click(IDC_SAVEBUTTON);
        EXPECT_FALSE(w.enabled(IDC_SAVEBUTTON));
        EXPECT_FALSE(w.checked(IDC_CHECKWRITEOVANTA));
        EXPECT_EQ(w.close(), 0);
        const std::string log = w.log();
        EXPECT_NE(log.find("notes.txt' is not an allowed type"),
                  std::string::npos) << log;
        EXPECT_NE(log.find("already added to the list"), std::string::npos) << log;
        EXPECT_NE(log.find("\"Ovanta-Workspace written\""), std::string::npos) << log;
    }
    const std::string text = read_file(makefile);
    EXPECT_NE(text.find("main.bin: start.obj main.obj delay.obj"), std::string::npos) << text;
    const std::string workspace = read_file(project + "\\demo.wsp");
    EXPECT_NE(workspace.find("start.s51"), std::string::npos) << workspace;
    EXPECT_NE(read_file(dir + "\\bin\\cobrel.ini").find("FILE0=" + makefile), std::string::npos);

    // The make tool builds the project from the wizard's makefile, and the
    // image is the one the example's own makefile makes of the same code.
    ASSERT_EQ(make(project, "demo.mak"), 0) << read_file(project + "\\error.out");
    const std::string example = dir + "\\example";
    std::filesystem::create_directories(example);
    copy_example(example, ".s51");
    std::filesystem::copy_file(host_path(COBREL_EXAMPLES_DIR) + "\\makefile",
                               example + "\\makefile");
    ASSERT_EQ(make(example, "makefile"), 0) << read_file(example + "\\error.out");
    const std::string image = read_file(project + "\\main.bin");
    EXPECT_FALSE(image.empty());
    EXPECT_EQ(image, read_file(example + "\\main.bin"));
}

TEST(CobrelWindow, AnExistingMakefileShowsItsSettingsInTheForm)
{
    const std::string dir = program_dir("open");
    const std::string project = dir + "\\mk";
    std::filesystem::create_directories(project);
    std::filesystem::create_directories(dir + "\\src");
    for (const char* source : {"mk\\app.c", "mk\\app.h", "src\\util.s51"})
        write_file(dir + "\\" + source, "\n");
    write_file(project + "\\options.mak",
               "#plain note\r\n# hashed\r\n\r\n"
               "TESSELFLAGS = -r$2000,$e000 -c\r\n"
               "TESSELLIBS = -lsio.lib extra.obj\r\n"
               "SIOTYPE = P\r\nMODEL = large\r\nPFLAGS = FULL_PRINTF\r\nB2HFLAGS = -s\r\n"
               "MORRINFLAGS = -d -t4\r\n"
               "C51FLAGS = -dCPU_NSEC=620 -g0 -speed -dAD_C515\r\n\r\n"
               "app.obj: app.c app.h\r\n"
               "..\\src\\util.obj: ..\\src\\util.s51 app.h\r\n"
               "app.bin: app.obj ..\\src\\util.obj\r\n"
               "app.omf: app.bin\r\n");
    write_file(dir + "\\bin\\cobrel.ini",
               "[Settings]\nHIST_CNT=2\nFILE0=C:\\old\\first.mak\nFILE1=c:\\OLD\\FIRST.MAK\n");
    const std::string makefile = project + "\\options.mak";
    wizard w(dir, {"open \"" + makefile + "\""});
    ASSERT_NE(w.form(), nullptr);
    w.click(IDC_MAKREADBUTTON);
    EXPECT_EQ(w.text(IDC_PROJECTNAMEBOX), makefile) << w.log();
    EXPECT_EQ(SendMessageA(w.item(IDC_PROJECTNAMEBOX), CB_GETCOUNT, 0, 0), 2);
    EXPECT_NE(w.text(IDC_PROJECTMEMO).find("plain note"), std::string::npos);
    EXPECT_EQ(w.list_items(IDC_SOURCELIST),
              (std::vector<std::string>{"app.c", "app.h", "..\\src\\util.s51"}));
    EXPECT_EQ(w.text(IDC_TARGETBOX), "app");
    EXPECT_EQ(w.text(IDC_CPUSPEED), "620");
    EXPECT_EQ(w.selected(IDC_OPTIMISEBOX), 1);
    EXPECT_EQ(w.selected(IDC_MODELBOX), 1);
    EXPECT_EQ(w.selected(IDC_DEBUGLEVELBOX), 0);
    EXPECT_EQ(w.text(IDC_ADDCOMPARGS), "-dAD_C515");
    EXPECT_TRUE(w.checked(IDC_CHECKDEBUG));
    EXPECT_FALSE(w.checked(IDC_CHECKLIST));
    EXPECT_EQ(w.text(IDC_ADDASSARGS), "-t4");
    EXPECT_EQ(w.text(IDC_ROMSTART), "2000");
    EXPECT_EQ(w.text(IDC_RAMSTART), "E000");
    EXPECT_EQ(w.selected(IDC_SIOBOX), 2);
    EXPECT_FALSE(w.checked(IDC_CHECKSMARTPRINTF));
    EXPECT_TRUE(w.checked(IDC_CHECKGENOMF));
    EXPECT_TRUE(w.checked(IDC_CHECKBINSTRIP));
    EXPECT_TRUE(w.enabled(IDC_CHECKBINSTRIP));
    EXPECT_FALSE(w.enabled(IDC_SAVEBUTTON));
    // A change asks before the form closes.
    w.set_text(IDC_CPUSPEED, "700");
    EXPECT_TRUE(w.enabled(IDC_SAVEBUTTON));
    EXPECT_EQ(w.close(), 0);
    EXPECT_NE(w.log().find("\"Exit\" \"Exit without saving?\""), std::string::npos) << w.log();
}

// The tool-tip window of the wizard's process that belongs to its form.
// The tip the tool-tip control keeps for a tool window: the question and its
// answer live in the wizard's memory, where the control reads and writes.
// Asked in UTF-16, which the control hands back whole.
std::string tip_text(const wizard& w, HWND tips, HWND tool)
{
    struct remote_block {
        TTTOOLINFOW info;
        wchar_t text[1024];
    };
    void* remote = VirtualAllocEx(w.process(), nullptr, sizeof(remote_block),
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return "<no memory>";
    remote_block block{};
    block.info.cbSize = TTTOOLINFOW_V2_SIZE;
    block.info.uFlags = TTF_IDISHWND;
    block.info.hwnd = GetParent(tool);
    block.info.uId = reinterpret_cast<UINT_PTR>(tool);
    block.info.lpszText = static_cast<remote_block*>(remote)->text;
    SIZE_T done = 0;
    WriteProcessMemory(w.process(), remote, &block, sizeof block, &done);
    SendMessageW(tips, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(w.process(), remote, &block, sizeof block, &done);
    VirtualFreeEx(w.process(), remote, 0, MEM_RELEASE);
    block.text[1023] = L'\0';
    std::string text;
    for (const wchar_t* c = block.text; *c; ++c)
        text += static_cast<char>(*c);
    return text;
}

TEST(CobrelWindow, ControlsShowTheirHintsAsToolTipsAndTheApplicationCarriesItsTitle)
{
    const std::string dir = program_dir("hints");
    wizard w(dir, {});
    ASSERT_NE(w.form(), nullptr);
    HWND tips = TopWindowWhere([&](HWND wnd) {
        return ProcessOf(wnd) == w.pid() && ClassOf(wnd) == TOOLTIPS_CLASSA && GetWindow(wnd, GW_OWNER) == w.form();
    });
    ASSERT_NE(tips, nullptr);
    // Every control with a hint is a tool; a few of each kind by their text.
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 24);
    const struct {
        int id;
        const char* hint;
    } cases[] = {
        {IDC_PROJECTNAMEBOX, "File Name of MAKE-File (*.MAK), List of previous MAKE-Files"},
        {IDC_MAKNEWBUTTON, "Start a new MAKE-File"},
        {IDC_PROJECTMEMO, "Room for Notes about this Project"},
        {IDC_TARGETBOX,
         "Name of generated BINARY-File (must match one of the C- or S51-Source files)"},
        {IDC_CHECKDEBUG, "Will include a '__line' macro after each C Statement (see Manual), "
                         "required for Debugging"},
        {IDC_SIOBOX, "Select Serial I/O Library (see Manual). "},
        {IDC_LABEL16,
         "Add additional Libraries with '-lLIBNAME' or additional objects 'OBJNAME'"},
        {IDC_CHECKSMARTPRINTF,
         "If checked, Linker will reduce printf()'s formater to the Minimum."},
        {IDCANCEL, "Exit Cobrel, unsaved changes will be lost"},
        {IDC_CHECKWRITEOVANTA,
         "If enabled, a Ovanta-Workspace File (*.WSP) will be written on 'Save Changes'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tip_text(w, tips, w.item(c.id)), c.hint) << c.id;
    // Controls without a hint are no tools.
    EXPECT_EQ(tip_text(w, tips, w.item(IDC_OPTIMISEBOX)), "");

    // The application's window, which owns the form, carries the title.
    HWND owner = GetWindow(w.form(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    char title[64] = "";
    GetWindowTextA(owner, title, sizeof title);
    EXPECT_STREQ(title, "Cobrelan Rysk");
    EXPECT_EQ(w.close(), 0);
}

// A makefile picked from the name box's list with the keys, as a user
// picks it, is loaded and shown in the box at the top of the list.
TEST(CobrelWindow, AMakefilePickedFromTheHistoryIsLoadedAndShownInTheBox)
{
    const std::string dir = program_dir("history");
    const std::string project = dir + "\\mk";
    std::filesystem::create_directories(project);
    for (const char* name : {"one", "two"}) {
        write_file(project + "\\" + name + ".s51", "\n");
        write_file(project + "\\" + name + ".mak", std::string("TESSELFLAGS = -r$0,$0\r\n") + name +
                                                        ".obj: " + name + ".s51\r\n" + name +
                                                        ".bin: " + name + ".obj\r\n");
    }
    const std::string one = project + "\\one.mak", two = project + "\\two.mak";
    write_file(dir + "\\bin\\cobrel.ini",
               "[Settings]\r\nHIST_CNT=2\r\nFILE0=" + one + "\r\nFILE1=" + two + "\r\n");
    wizard w(dir, {});
    ASSERT_NE(w.form(), nullptr);
    HWND box = w.item(IDC_PROJECTNAMEBOX);
    ASSERT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 2);

    // The box has the keys when the form starts; each Down picks the next
    // makefile.
    SetForegroundWindow(w.form());
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(w.form(), nullptr), &gui));
    ASSERT_EQ(gui.hwndFocus, box);
    auto shows = [&](const std::string& path, const char* target) {
        return WaitUntil([&] {
            return w.text(IDC_PROJECTNAMEBOX) == path && w.selected(IDC_PROJECTNAMEBOX) == 0 &&
                   w.text(IDC_TARGETBOX) == target;
        }, 10000);
    };
    PlayInput({KeyDown(VK_DOWN), KeyUp(VK_DOWN, 300)});
    EXPECT_TRUE(shows(one, "one")) << "'" << w.text(IDC_PROJECTNAMEBOX) << "' " << w.text(IDC_TARGETBOX);
    PlayInput({KeyDown(VK_DOWN), KeyUp(VK_DOWN, 300)});
    EXPECT_TRUE(shows(two, "two")) << "'" << w.text(IDC_PROJECTNAMEBOX) << "' " << w.text(IDC_TARGETBOX);
    EXPECT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(w.close(), 0);
}

// "New *.MAK file..." asks for the name in a dialog of its own title.
TEST(CobrelWindow, TheNewMakefileDialogSaysWhatItIsFor)
{
    const std::string dir = program_dir("new_title");
    wizard w(dir, {}, false);
    ASSERT_NE(w.form(), nullptr);
    PostMessageA(w.form(), WM_COMMAND, MAKEWPARAM(IDC_MAKNEWBUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(w.item(IDC_MAKNEWBUTTON)));
    HWND dialog = WaitForProcessDialog(w.pid(), "New MAKE-File");
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_EQ(w.close(), 0);
}

// The link label as the user sees it: on the "Misc" page, blue text with a
// line under it, and the hand cursor over it; the title line in white on
// a dark ground.
TEST(CobrelWindow, TheLinkLabelIsBlueUnderlinedTextWithTheHandCursor)
{
    const std::string dir = program_dir("link");
    wizard w(dir, {});
    ASSERT_NE(w.form(), nullptr);
    // To the last page as the arrow keys go there.
    HWND tabs = w.item(IDC_PAGECONTROL);
    for (int i = 0; i < 5; ++i)
        SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 1);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 5);
    HWND link = w.item(IDC_LINKLABEL);
    ASSERT_TRUE(IsWindowVisible(link));
    SetForegroundWindow(w.form());
    RedrawWindow(w.form(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);

    RECT r;
    GetWindowRect(link, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ASSERT_GT(width, 0);
    HDC screen = GetDC(nullptr);
    auto blue = [&](int x, int y) {
        COLORREF c = GetPixel(screen, r.left + x, r.top + y);
        return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) > 192;
    };
    int blueCount = 0, left = width, right = -1, widestRow = 0;
    for (int y = 0; y < height; ++y) {
        int row = 0;
        for (int x = 0; x < width; ++x) {
            if (!blue(x, y))
                continue;
            ++blueCount;
            ++row;
            left = x < left ? x : left;
            right = x > right ? x : right;
        }
        widestRow = row > widestRow ? row : widestRow;
    }
    // The title line beside it is white text on a dark ground, which can
    // be read.
    RECT title;
    GetWindowRect(w.item(IDC_LABEL20), &title);
    int whiteCount = 0, ground = 0, faceGround = 0;
    for (int y = title.top; y < title.bottom; ++y)
        for (int x = title.left; x < title.right; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            if (c == RGB(255, 255, 255)) {
                ++whiteCount;
                continue;
            }
            ++ground;
            faceGround += c == GetSysColor(COLOR_BTNFACE);
        }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(whiteCount, 0) << "no white text";
    EXPECT_LE(faceGround, ground / 50) << faceGround << " of " << ground << " pixels in the button face";
    ASSERT_GT(blueCount, 0) << "no blue text";
    // The underline: one row blue along (nearly) the whole text.
    EXPECT_GE(widestRow, (right - left + 1) * 9 / 10) << widestRow << " of " << right - left + 1;

    // The cursor over the link and over the plain label below it: each
    // process has its own copies of the system cursors, so the two are
    // told apart rather than compared with this process's hand.
    auto cursor_at = [](int x, int y) {
        SetCursorPos(x - 2, y);
        Sleep(200);
        SetCursorPos(x, y);
        Sleep(300);
        CURSORINFO cursor{};
        cursor.cbSize = sizeof cursor;
        GetCursorInfo(&cursor);
        return cursor.hCursor;
    };
    RECT plain;
    GetWindowRect(w.item(IDC_LABEL21), &plain);
    HCURSOR overLink = cursor_at(r.left + 6, (r.top + r.bottom) / 2);
    HCURSOR overLabel = cursor_at(plain.left + 6, (plain.top + plain.bottom) / 2);
    EXPECT_NE(overLink, nullptr);
    EXPECT_NE(overLink, overLabel);
    EXPECT_EQ(cursor_at(r.left + 6, (r.top + r.bottom) / 2), overLink);
    EXPECT_EQ(w.close(), 0);
}

} // namespace
