#include "testing/winprog/ovanta_fixture.h"

#include "editor/shell/resource.h"

#include <filesystem>

void OvantaProgramTest::Prepare(const std::string& tmpDir, const std::string& programExe)
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = tmpDir + "\\" + info->name();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    bin_ = dir_ + "\\bin";
    work_ = dir_ + "\\work";
    ASSERT_TRUE(make_dirs(bin_));
    ASSERT_TRUE(make_dirs(work_));
    exe_ = bin_ + "\\ovanta.exe";
    ASSERT_TRUE(copy_file_to(programExe, exe_));
    ini_ = bin_ + "\\ovanta.ini";
    script_ = dir_ + "\\answers.txt";
    log_ = dir_ + "\\answers.log";
    ASSERT_TRUE(write_file(script_, ""));
}

void OvantaProgramTest::Start(ProgramSession& s, const std::string& args, const std::string& script)
{
    ASSERT_TRUE(write_file(script_, script));
    s.SetScript(script_, log_);
    ASSERT_TRUE(s.Start(exe_, args, work_));
    ASSERT_NE(s.WaitForMainWindow(kFrameClass), nullptr);
}

void OvantaProgramTest::Setting(const char* section, const char* key, const std::string& value)
{
    WritePrivateProfileStringA(section, key, value.c_str(), ini_.c_str());
}

std::string OvantaProgramTest::Profile(const char* section, const char* key) const
{
    char value[1024] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini_.c_str());
    return value;
}

HWND OvantaProgramTest::OutputPane(HWND frame, const char* caption)
{
    return DescendantWhere(frame, [caption](HWND w) { return WindowTextOf(w) == caption && ClassOf(w) != "Button"; });
}

HWND OvantaProgramTest::Child(HWND frame, const std::string& title, int timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w = GetWindow(Client(frame), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindow(w, GW_OWNER) == nullptr && WindowTextOf(w) == title)
                return (found = w) != nullptr;
        return false;
    }, timeoutMs);
    return found;
}

HWND OvantaProgramTest::ActiveChild(HWND frame)
{
    return reinterpret_cast<HWND>(SendMessageA(Client(frame), WM_MDIGETACTIVE, 0, 0));
}

HWND OvantaProgramTest::EditorOf(HWND child)
{
    const UINT paneId = 0xE900, editorId = 0x1113;
    HWND pane = GetDlgItem(child, paneId);
    HWND editor = GetDlgItem(pane, editorId);
    return editor ? editor : GetDlgItem(GetDlgItem(pane, paneId), editorId);
}

HWND OvantaProgramTest::Activate(HWND frame, HWND child)
{
    SendMessageA(Client(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    return EditorOf(child);
}

HWND OvantaProgramTest::Focus(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void OvantaProgramTest::Type(HWND editor, const std::string& text)
{
    for (char c : text)
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void OvantaProgramTest::Key(HWND editor, UINT vk)
{
    SendMessageA(editor, WM_KEYDOWN, vk, 1);
    SendMessageA(editor, WM_KEYUP, vk, 0xC0000001);
}

int OvantaProgramTest::CountOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string OvantaProgramTest::SaveUntil(ProgramSession& s, const std::string& name, const std::string& expected) const
{
    std::string text;
    for (int i = 0; i < 40; ++i) {
        s.Command(ID_FILE_SAVE_CMD);
        text = read_file(Work(name));
        if (text == expected)
            break;
        Sleep(50);
    }
    return text;
}
