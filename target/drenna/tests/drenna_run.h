// Runs the real drenna.exe for a whole-program test: a fresh folder with a
// copy of the program (its settings file lands beside it), scripted
// answers for its boxes and dialogs, its main window found and driven by
// messages (through ProgramSession), and what it asked read back from the
// script log.
#pragma once

#include "testing/kit/test_kit.h"
#include "testing/winprog/board_files.h"
#include "testing/winprog/program_session.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A binary image: the bytes, then the load address as 4 bytes big-endian.
void write_image(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address);

class DrennaRun {
public:
    // Makes the folder <working folder>\<name> afresh with drenna.exe in it.
    explicit DrennaRun(const std::string& name);

    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& file) const { return folder_ + "\\" + file; }

    // The scripted answers (winui script lines).
    void Script(const std::string& lines) { session_.Script(lines); }
    // Starts the program with the arguments in its folder (again, after it
    // ended: its settings file stays); false when it did not start.
    bool Start(const std::string& arguments);
    // Waits for the main window; false when none came.
    bool WaitForWindow() { return session_.WaitForMainWindow("TSDIDecFrame") != nullptr; }
    // Waits for the end; the exit code, or -1000 after the time-out.
    int WaitForExit(int timeout_ms = 30000);
    // Asks the main window to close and waits for the end; the exit code,
    // or -1000 when the program had to be stopped.
    int Close();

    HWND Frame() const { return session_.MainWindow(); }
    HWND Terminal() const;
    HWND ToolBar() const;
    HWND StatusBar() const;
    void Command(int id) const { session_.PostCommand(static_cast<UINT>(id)); }
    std::string TerminalText() const { return WindowTextOf(Terminal()); }
    // The status bar's message area (a status bar's window text is the text
    // of its first part).
    std::string StatusText() const { return WindowTextOf(StatusBar()); }
    bool WaitForStatus(const std::string& text, int timeout_ms = 30000) const;
    // Waits until the terminal shows the text.
    bool WaitForTerminal(const std::string& text, int timeout_ms = 30000) const;
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
// The program's argument that names that port ("-c<port>").
std::string port_argument();
