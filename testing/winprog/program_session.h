// ProgramSession: a test's handle on a real window program started under
// Wine. It starts the .exe (with a show command, and with the scripted
// answers of winui/script_file.h named in its environment), finds the
// program's main window, and ends the program by closing that window; it
// can start the program again after it ended. The test drives the program
// in between with messages to its windows: SendMessage waits until the
// program has handled a command, so the files and windows it changed can be
// checked right after, while a posted command lets the test watch what the
// program does meanwhile.
#pragma once

#include "testing/kit/test_kit.h"
#include "testing/winprog/wait.h"

#include <windows.h>

#include <functional>
#include <string>

class ProgramSession {
public:
    ProgramSession() = default;
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    // Scripted answers for the program's boxes and dialogs, and the log of
    // what it asked (WINUI_SCRIPT, WINUI_SCRIPT_LOG); empty names none.
    void SetScript(const std::string& scriptPath, const std::string& logPath);
    // Writes the answers (winui script lines) into the script file.
    bool Script(const std::string& lines) const;
    // The log of what the program asked, its CR LF line ends as LF.
    std::string Log() const;
    // Waits until the log holds the text.
    bool WaitForLog(const std::string& text, int timeoutMs = 30000) const;

    // The show command that leaves the program's first ShowWindow as the
    // program asks (no STARTF_USESHOWWINDOW).
    static constexpr int kProgramsOwnShow = -1;
    // CreateProcessA of the program with STARTF_USESHOWWINDOW; false when
    // it could not be started. A program started before is closed first.
    bool Start(const std::string& exe, int showCommand = SW_SHOWNORMAL);
    // The same with arguments after the program's quoted path (written as
    // they stand) and a working folder (empty: the test's own).
    bool Start(const std::string& exe, const std::string& arguments, const std::string& folder,
               int showCommand = SW_SHOWNORMAL);
    // Waits for the program's end without closing anything; true when it
    // ended in time, with its exit code in *exitCode.
    bool WaitForExit(DWORD timeoutMs, int* exitCode = nullptr);
    DWORD ProcessId() const { return process_.dwProcessId; }
    // Waits (up to timeoutMs) for a visible top-level window of the program
    // with the given window class; null when none came.
    HWND WaitForMainWindow(const char* className, DWORD timeoutMs = 30000);
    // The same for a window with the caption, of any window class.
    HWND WaitForMainWindowTitled(const std::string& caption, DWORD timeoutMs = 30000);
    HWND MainWindow() const { return main_; }
    HANDLE ProcessHandle() const { return process_.hProcess; }

    // WM_CLOSE to the main window, then waits for the program's end; true
    // when it ended in time with its exit code in *exitCode. A program that
    // does not end is stopped so that no test hangs, and false is returned.
    bool Close(int* exitCode = nullptr, DWORD timeoutMs = 30000);
    bool Running() const;

    // A command as a menu item gives it; returns when it has been handled.
    LRESULT Command(UINT id) const;
    // The same, posted: returns at once.
    void PostCommand(UINT id) const;
    // The first window below the main window with the window class, or null.
    HWND FindChild(const char* className) const;

private:
    void Release();
    HWND WaitForMain(const std::function<HWND()>& find, DWORD timeoutMs);

    std::string script_, log_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The clipboard's text, which the program under test shares (opening it is
// tried again while the program holds it); empty when it holds none.
std::string ClipboardText();
// Puts text on the clipboard; false when the clipboard did not take it.
bool PutClipboardText(const std::string& text);
// The text in double quotes, each '"' and '\' in it after a '\': the form of
// a text in script lines and in the log (and of a program argument).
// Written out here, so that a test checks the program's quoting.
std::string ScriptQuoted(const std::string& text);
// A file beside the running program (its folder and the name).
std::string BesideThisProgram(const char* name);
// The test's working folder, as a Windows path.
std::string WorkingFolder();
