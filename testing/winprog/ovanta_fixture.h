// OvantaProgramTest: the common ground of the tests that run the real
// ovanta.exe under Wine (the shell's, the browser's and the tools' program
// tests). Each test gets its own folder with a copy of the program in "bin"
// (its profile "ovanta.ini" beside it), a working folder "work" it starts
// in, and the script file that answers its boxes and dialogs with the log
// of what they were asked; and the ways to Ovanta's windows that the tests
// share: the document windows, their editors, the output panes.
//
// A test program that uses it defines OVANTA_EXE (the build's ovanta.exe)
// and links winprog_ovanta; TEST_TMP_DIR comes with every suite_test. One
// that misses OVANTA_EXE does not link: its fixture has no SetUp.
#pragma once

#include "testing/kit/test_kit.h"
#include "testing/winprog/program_session.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

class OvantaProgramTest : public ::testing::Test {
protected:
    static constexpr const char* kFrameClass = "winui.Frame";

    // Prepare with the test's own folder and the build's program (defined
    // below, in the test program, which knows them).
    void SetUp() override;
    // The test's folders below tmpDir (named after the test) with a copy of
    // the program and an empty script.
    void Prepare(const std::string& tmpDir, const std::string& programExe);

    // Starts the program in the working folder with the answers of script.
    void Start(ProgramSession& s, const std::string& args, const std::string& script);
    void Script(const std::string& lines) { ASSERT_TRUE(write_file(script_, lines)); }
    // The log of what the program asked, as it wrote it.
    std::string Log() const { return read_file(log_); }
    // A value of the profile: written, and read ("<missing>" when absent).
    void Setting(const char* section, const char* key, const std::string& value);
    std::string Profile(const char* section, const char* key) const;
    std::string Work(const std::string& name) const { return work_ + "\\" + name; }

    // An output pane of the frame by its caption ("Tags", "Suchergebnisse"):
    // the child window of that text that is not a button.
    static HWND OutputPane(HWND frame, const char* caption);
    static HWND Client(HWND frame) { return FindWindowExA(frame, nullptr, "MDIClient", nullptr); }
    // The document window titled title, waited for (null when it does not
    // come).
    static HWND Child(HWND frame, const std::string& title, int timeoutMs = 20000);
    // The active document window, or null.
    static HWND ActiveChild(HWND frame);
    // The editor of a document window (also in the first pane of a split one).
    static HWND EditorOf(HWND child);
    // Makes the document window the active one; its editor.
    static HWND Activate(HWND frame, HWND child);
    // The window that has the keyboard focus in the window's thread.
    static HWND Focus(HWND window);
    // Characters typed into an editor, and a key pressed and released there
    // (both handled when the call returns).
    static void Type(HWND editor, const std::string& text);
    static void Key(HWND editor, UINT vk);
    // Saves the active document (File Save) until its file in the working
    // folder reads expected (a posted operation may still be on its way);
    // the file as it stands at the end.
    std::string SaveUntil(ProgramSession& s, const std::string& name, const std::string& expected) const;
    // How often part stands in text.
    static int CountOf(const std::string& text, const std::string& part);

    std::string dir_, bin_, work_, exe_, ini_, script_, log_;
};

#if defined(TEST_TMP_DIR) && defined(OVANTA_EXE)
inline void OvantaProgramTest::SetUp()
{
    Prepare(host_path(TEST_TMP_DIR), host_path(OVANTA_EXE));
}
#endif
