// Runs the real quibex.exe for a whole-program test: a fresh folder with
// the program in its "bin" folder (the program works from the folder
// above, where the test's files go), settings naming the test's COM port,
// scripted answers for its boxes and dialogs, and its windows found and
// driven by messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "testing/kit/test_kit.h"

// Polls until the condition holds or the time is up.
bool wait_until(const std::function<bool()>& condition, int timeout_ms = 30000);

class QuibexRun {
public:
    explicit QuibexRun(const std::string& name);
    ~QuibexRun();
    QuibexRun(const QuibexRun&) = delete;
    QuibexRun& operator=(const QuibexRun&) = delete;

    // The folder the program works in (its files), as a Windows path.
    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& file) const { return folder_ + "\\" + file; }

    void Script(const std::string& lines);
    bool Start(const std::string& arguments = "");
    bool WaitForWindow();
    int WaitForExit(int timeout_ms = 30000);
    int Close();

    HWND Frame() const { return frame_; }
    HWND Client() const;
    // A window of the program by its class (the first found), or null.
    HWND Find(const char* className) const;
    HWND SourceView() const { return Find("TQuibexWindow"); }
    // Posts a command as the menu gives it; Send waits until it was handled.
    void Command(int id) const;
    void SendCommand(int id) const;
    std::string TextOf(HWND window) const;
    std::string CpuText() const { return TextOf(Find("TCPUWindow")); }
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
// The simulated board's RAM as it last wrote it.
std::vector<uint8_t> board_ram(int address, int count);
// The cell size of the settings font (Fixedsys, -12) as the views use it.
SIZE default_cell();
