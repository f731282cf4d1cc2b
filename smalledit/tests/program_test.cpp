// Zavit as a whole program under Wine: the real zavit.exe, copied into a
// folder of its own (its settings file stands beside it), started with
// files on its command line, driven by its menu commands and by messages
// to its edit windows, answered through a script file.
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "smalledit/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

namespace {

std::string arg_quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

class ZavitProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(test_folder(info->name()));
        bin_ = dir_ + "\\bin";
        work_ = dir_ + "\\work";
        ASSERT_TRUE(MakeFolders(bin_));
        ASSERT_TRUE(MakeFolders(work_));
        exe_ = bin_ + "\\zavit.exe";
        ASSERT_TRUE(CopyOneFile(host_path(ZAVIT_PATH), exe_));
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
        ASSERT_TRUE(WriteWholeFile(script_, ""));
    }

    void Script(const std::string& lines) { ASSERT_TRUE(WriteWholeFile(script_, lines)); }

    // Starts the program with a command line; waits for its main window.
    void Start(ProgramSession& session, const std::string& arguments,
               const std::string& folder = std::string())
    {
        session.SetScript(script_, log_);
        ASSERT_TRUE(session.StartWith(exe_, arguments, SW_SHOWNORMAL, folder));
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
    static void Caret(HWND edit, LONG at) { SendMessageA(edit, EM_SETSEL, at, at); }

    std::string Log() const { return without_cr(ReadWholeFile(log_)); }
    std::string Settings() const { return without_cr(ReadWholeFile(bin_ + "\\zavit.INI")); }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Waits until a condition holds (the program works on its timer).
    template <class F>
    static bool WaitFor(F condition, int ms = 5000)
    {
        for (int waited = 0; waited < ms; waited += 50) {
            if (condition())
                return true;
            Sleep(50);
        }
        return condition();
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
    ASSERT_TRUE(WriteWholeFile(file, "first line\r\nsecond line\r\n"));
    ProgramSession session;
    Start(session, arg_quoted(file));
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
    EXPECT_EQ(ReadWholeFile(file), "new first line\r\nsecond line\r\n");
    EXPECT_EQ(ReadWholeFile(work_ + "\\notes.BAK"), "first line\r\nsecond line\r\n");
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
