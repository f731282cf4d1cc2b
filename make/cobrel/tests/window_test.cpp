// The wizard as a user meets it: cobrel.exe is started, its form found and
// driven through control messages, its file dialogs and message boxes
// answered from a script file. The makefile it writes is built by the make
// tool, and an existing makefile is shown in the form's controls.
#include "common/os.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "make/cobrel/resource.h"

namespace {

const char form_caption[] = "Cobrel - Rysk's MAKE-File-Wizard";

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A fresh folder for one test, with a copy of the program beside its make
// tool, so that its settings file is the test's own.
std::string fresh_dir(const std::string& name)
{
    std::string dir = host_path(COBREL_WINDOW_TMP) + "\\" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "\\bin");
    const std::string bin = host_path(COBREL_BIN_DIR);
    for (const char* file : {"cobrel.exe", "gravik.exe", "builtins.mak", "ovanta_tmp.dat"})
        std::filesystem::copy_file(bin + "\\" + file, dir + "\\bin\\" + file);
    return dir;
}

struct found_window {
    DWORD pid;
    HWND wnd;
};

BOOL CALLBACK find_form(HWND wnd, LPARAM data)
{
    found_window* f = reinterpret_cast<found_window*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char caption[128] = "";
    GetWindowTextA(wnd, caption, sizeof caption);
    if (pid == f->pid && std::string(caption) == form_caption) {
        f->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

// One running wizard, answered from a script.
class wizard {
public:
    wizard(const std::string& dir, const std::vector<std::string>& script) : dir_(dir)
    {
        std::string text;
        for (const std::string& line : script)
            text += line + "\n";
        write_file(dir + "\\script.txt", text);
        log_ = dir + "\\script.log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("WINUI_SCRIPT", (dir + "\\script.txt").c_str());
        SetEnvironmentVariableA("WINUI_SCRIPT_LOG", log_.c_str());
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string line = "\"" + dir + "\\bin\\cobrel.exe\"";
        started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  dir.c_str(), &si, &pi_) != 0;
        SetEnvironmentVariableA("WINUI_SCRIPT", nullptr);
        SetEnvironmentVariableA("WINUI_SCRIPT_LOG", nullptr);
        if (!started_)
            return;
        WaitForInputIdle(pi_.hProcess, 20000);
        found_window f{pi_.dwProcessId, nullptr};
        for (int i = 0; i < 300 && !f.wnd; ++i) {
            EnumWindows(find_form, reinterpret_cast<LPARAM>(&f));
            if (!f.wnd)
                Sleep(100);
        }
        form_ = f.wnd;
    }
    ~wizard()
    {
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(pi_.hProcess, 99);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
    }
    HWND form() const { return form_; }
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
            char buffer[1024] = "";
            SendMessageA(item(id), LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buffer));
            items.push_back(buffer);
        }
        return items;
    }
    // Closes the form as the close box does; the program's exit code.
    int close() const
    {
        PostMessageA(form_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 30000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    std::string dir_;
    std::string log_;
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
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
    const std::string dir = fresh_dir("start");
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

} // namespace
