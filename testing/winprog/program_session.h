// ProgramSession: a test's handle on a real window program started under
// Wine. It starts the .exe (with a show command, and with the scripted
// answers of winui/script_file.h named in its environment), finds the
// program's main window, and ends the program by closing that window.
// The test drives the program in between with messages to its windows:
// SendMessage waits until the program has handled a command, so the files
// and windows it changed can be checked right after.
#pragma once

#include <windows.h>

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

    // CreateProcessA of the program with STARTF_USESHOWWINDOW; false when
    // it could not be started.
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
    HWND MainWindow() const { return main_; }

    // WM_CLOSE to the main window, then waits for the program's end; true
    // when it ended in time with its exit code in *exitCode. A program that
    // does not end is stopped so that no test hangs, and false is returned.
    bool Close(int* exitCode = nullptr, DWORD timeoutMs = 30000);
    bool Running() const;

    // A command as a menu item gives it; returns when it has been handled.
    LRESULT Command(UINT id) const;

private:
    std::string script_, log_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// Waits (up to timeoutMs) for a dialog box (class "#32770") of the process
// with the caption (null: any caption); null when none came.
HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD timeoutMs = 20000);
// The text of a window of another process (WM_GETTEXT, of any length).
std::string WindowTextOf(HWND window);
// The clipboard's text, which the program under test shares (opening it is
// tried again while the program holds it); empty when it holds none.
std::string ClipboardText();
// Puts text on the clipboard.
void PutClipboardText(const std::string& text);
// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes a whole file (binary); false on failure.
bool WriteWholeFile(const std::string& path, const std::string& text);
// Copies a file; false on failure.
bool CopyOneFile(const std::string& from, const std::string& to);
// A file beside the running program (its folder and the name).
std::string BesideThisProgram(const char* name);
// Makes a folder and every folder above it that is missing.
bool MakeFolders(const std::string& path);
