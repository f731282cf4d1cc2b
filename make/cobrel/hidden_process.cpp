#include "make/cobrel/hidden_process.h"

#include <windows.h>

#include <vector>

namespace {

bool running = false;

} // namespace

int run_hidden_process(const std::string& command_line, wiz_messages& messages)
{
    if (running) {
        messages.fatal_box("SYSTEM1");
        return -1;
    }
    running = true;
    HCURSOR old_cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    STARTUPINFOA si;
    GetStartupInfoA(&si);
    si.dwFlags |= STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi;
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        running = false;
        SetCursor(old_cursor);
        messages.error_box("Failed to create Process '%s'", command_line.c_str());
        return -1;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    running = false;
    return static_cast<int>(code);
}
