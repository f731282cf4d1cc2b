// The common ground of the tests that run the real ovanta.exe under Wine:
// each test gets its own folder with a copy of the program in "bin" (its
// profile "ovanta.ini" beside it), a working folder "work" it starts in,
// and the script file that answers its boxes and dialogs with the log of
// what they were asked.
#pragma once

#include "program_session.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>

class OvantaProgramTest : public ::testing::Test {
protected:
    static constexpr const char* kFrameClass = "winui.Frame";

    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = host_path(TEST_TMP_DIR) + "\\" + info->name();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        bin_ = dir_ + "\\bin";
        work_ = dir_ + "\\work";
        ASSERT_TRUE(MakeFolders(bin_));
        ASSERT_TRUE(MakeFolders(work_));
        exe_ = bin_ + "\\ovanta.exe";
        ASSERT_TRUE(CopyOneFile(host_path(OVANTA_EXE), exe_));
        ini_ = bin_ + "\\ovanta.ini";
        script_ = dir_ + "\\answers.txt";
        log_ = dir_ + "\\answers.log";
        ASSERT_TRUE(WriteWholeFile(script_, ""));
    }

    // Starts the program in the working folder with the answers of script.
    void Start(ProgramSession& s, const std::string& args, const std::string& script)
    {
        ASSERT_TRUE(WriteWholeFile(script_, script));
        s.SetScript(script_, log_);
        ASSERT_TRUE(s.Start(exe_, args, work_));
        ASSERT_NE(s.WaitForMainWindow(kFrameClass), nullptr);
    }
    void Script(const std::string& lines) { ASSERT_TRUE(WriteWholeFile(script_, lines)); }
    std::string Log() const { return ReadWholeFile(log_); }
    void Setting(const char* section, const char* key, const std::string& value)
    {
        WritePrivateProfileStringA(section, key, value.c_str(), ini_.c_str());
    }
    std::string Profile(const char* section, const char* key) const
    {
        char value[1024] = "";
        GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini_.c_str());
        return value;
    }
    std::string Work(const std::string& name) const { return work_ + "\\" + name; }

    // An output pane of the frame by its caption ("Tags", "Suchergebnisse"):
    // the child window of that text that is not a button.
    struct FindOutputPane {
        const char* caption;
        HWND found;
    };
    static BOOL CALLBACK FindOutputPaneStep(HWND w, LPARAM data)
    {
        auto* f = reinterpret_cast<FindOutputPane*>(data);
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof cls);
        if (WindowTextOf(w) == f->caption && std::string(cls) != "Button") {
            f->found = w;
            return FALSE;
        }
        return TRUE;
    }
    static HWND OutputPane(HWND frame, const char* caption)
    {
        FindOutputPane f{caption, nullptr};
        EnumChildWindows(frame, FindOutputPaneStep, reinterpret_cast<LPARAM>(&f));
        return f.found;
    }
    static HWND Client(HWND frame) { return FindWindowExA(frame, nullptr, "MDIClient", nullptr); }
    // The document window titled title, waited for.
    static HWND Child(HWND frame, const std::string& title)
    {
        for (int i = 0; i < 400; ++i) {
            for (HWND w = GetWindow(Client(frame), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
                if (GetWindow(w, GW_OWNER) == nullptr && WindowTextOf(w) == title)
                    return w;
            Sleep(50);
        }
        return nullptr;
    }

    // The editor of a document window (also in the first pane of a split one).
    static HWND EditorOf(HWND child)
    {
        const UINT paneId = 0xE900, editorId = 0x1113;
        HWND pane = GetDlgItem(child, paneId);
        HWND editor = GetDlgItem(pane, editorId);
        return editor ? editor : GetDlgItem(GetDlgItem(pane, paneId), editorId);
    }
    // Makes the document window the active one; its editor.
    static HWND Activate(HWND frame, HWND child)
    {
        SendMessageA(Client(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        return EditorOf(child);
    }

    std::string dir_, bin_, work_, exe_, ini_, script_, log_;
};
