// Runs the real drenna.exe for a whole-program test: a fresh folder with a
// copy of the program (its settings file lands beside it), scripted
// answers for its boxes and dialogs, its main window found and driven by
// messages, and what it asked read back from the script log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "testing/kit/test_kit.h"

// Polls until the condition holds or the time is up.
bool wait_until(const std::function<bool()>& condition, int timeout_ms = 30000);

// A binary image: the bytes, then the load address as 4 bytes big-endian.
void write_image(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address);

class DrennaRun {
public:
    // Makes the folder <working folder>\<name> afresh with drenna.exe in it.
    explicit DrennaRun(const std::string& name);
    ~DrennaRun();
    DrennaRun(const DrennaRun&) = delete;
    DrennaRun& operator=(const DrennaRun&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& file) const { return folder_ + "\\" + file; }

    // The scripted answers (winui script lines).
    void Script(const std::string& lines);
    // Starts the program with the arguments in its folder (again, after it
    // ended: its settings file stays); false when it did not start.
    bool Start(const std::string& arguments);
    // Waits for the main window; false when none came.
    bool WaitForWindow();
    // Waits for the end; the exit code, or -1000 after the time-out.
    int WaitForExit(int timeout_ms = 30000);
    // Asks the main window to close and waits for the end.
    int Close();

    HWND Frame() const { return frame_; }
    HWND Terminal() const;
    HWND ToolBar() const;
    HWND StatusBar() const;
    void Command(int id) const;
    std::string TerminalText() const;
    // The status bar's message area.
    std::string StatusText() const;
    bool WaitForStatus(const std::string& text, int timeout_ms = 30000) const;
    // Waits until the terminal shows the text.
    bool WaitForTerminal(const std::string& text, int timeout_ms = 30000) const;
    std::string Log() const;
    bool WaitForLog(const std::string& text, int timeout_ms = 30000) const;

private:
    std::string folder_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND frame_ = nullptr;
};

// The serial port the program talks to (the tool's end of the line).
int tool_port();
// The program's argument that names that port ("-c<port>").
std::string port_argument();
// The simulated board's RAM and flash, as it last wrote them.
std::vector<uint8_t> board_ram(int address, int count);
std::vector<uint8_t> board_flash(int address, int count);
// Scripts a fault of the simulated board (lines "<fault> <value>").
void board_control(const std::string& lines);
