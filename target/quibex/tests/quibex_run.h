// Runs the real quibex.exe for a whole-program test: a fresh folder with
// the program in its "bin" folder (the program works from the folder
// above, where the test's files go), settings naming the test's COM port,
// scripted answers for its boxes and dialogs, and its windows found and
// driven by messages (through ProgramSession).
#pragma once

#include "testing/kit/test_kit.h"
#include "testing/winprog/board_files.h"
#include "testing/winprog/program_session.h"

#include <windows.h>

#include <string>

class QuibexRun {
public:
    explicit QuibexRun(const std::string& name);

    // The folder the program works in (its files), as a Windows path.
    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& file) const { return folder_ + "\\" + file; }

    void Script(const std::string& lines) { session_.Script(lines); }
    bool Start(const std::string& arguments = "");
    bool WaitForWindow() { return session_.WaitForMainWindow("TQuibexFrame") != nullptr; }
    // Asks the main window to close and waits for the end; the exit code,
    // or -1000 when the program had to be stopped.
    int Close();

    HWND Frame() const { return session_.MainWindow(); }
    HWND Client() const { return Frame() ? FindWindowExA(Frame(), nullptr, "MDIClient", nullptr) : nullptr; }
    // A window of the program by its class (the first found), or null.
    HWND Find(const char* className) const { return session_.FindChild(className); }
    HWND SourceView() const { return Find("TQuibexWindow"); }
    // Posts a command as the menu gives it; Send waits until it was handled.
    void Command(int id) const { session_.PostCommand(static_cast<UINT>(id)); }
    void SendCommand(int id) const { session_.Command(static_cast<UINT>(id)); }
    std::string CpuText() const { return WindowTextOf(Find("TCPUWindow")); }
    std::string Log() const { return session_.Log(); }
    bool WaitForLog(const std::string& text, int timeout_ms = 30000) const
    {
        return session_.WaitForLog(text, timeout_ms);
    }

private:
    std::string folder_;
    ProgramSession session_;
};

// The serial port the program talks to (the tool's end of the line).
int tool_port();
// The cell size of the settings font (Fixedsys, -12) as the views use it.
SIZE default_cell();
