#include "drenna_run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

bool wait_until(const std::function<bool()>& condition, int timeout_ms)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void write_image(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address)
{
    std::string data(bytes.begin(), bytes.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        data += static_cast<char>((address >> shift) & 0xFF);
    write_file(path, data);
}

static std::string working_folder()
{
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

DrennaRun::DrennaRun(const std::string& name)
{
    folder_ = working_folder() + "\\" + name;
    fresh_dir(folder_);
    CopyFileA(host_path(DRENNA_EXE).c_str(), Path("drenna.exe").c_str(), FALSE);
    Script("");
}

DrennaRun::~DrennaRun()
{
    if (started_) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            Close();
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void DrennaRun::Script(const std::string& lines)
{
    write_file(Path("answers.txt"), lines);
}

bool DrennaRun::Start(const std::string& arguments)
{
    if (started_) {
        Close();
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        started_ = false;
        frame_ = nullptr;
    }
    SetEnvironmentVariableA("WINUI_SCRIPT", Path("answers.txt").c_str());
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", Path("answers.log").c_str());
    std::string command = "\"" + Path("drenna.exe") + "\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder_.c_str(), &si, &process_) != 0;
    SetEnvironmentVariableA("WINUI_SCRIPT", nullptr);
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", nullptr);
    return started_;
}

struct FindFrame {
    DWORD process;
    HWND found;
};

static BOOL CALLBACK find_frame(HWND wnd, LPARAM data)
{
    auto* f = reinterpret_cast<FindFrame*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[64] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    if (pid == f->process && std::string(cls) == "TSDIDecFrame") {
        f->found = wnd;
        return FALSE;
    }
    return TRUE;
}

bool DrennaRun::WaitForWindow()
{
    if (!started_)
        return false;
    return wait_until([this] {
        FindFrame f{process_.dwProcessId, nullptr};
        EnumWindows(find_frame, reinterpret_cast<LPARAM>(&f));
        frame_ = f.found;
        return frame_ != nullptr && IsWindowVisible(frame_);
    });
}

int DrennaRun::WaitForExit(int timeout_ms)
{
    if (!started_)
        return -1000;
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0)
        return -1000;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

int DrennaRun::Close()
{
    if (frame_)
        PostMessageA(frame_, WM_CLOSE, 0, 0);
    int code = WaitForExit();
    if (code == -1000) {
        // A program that does not end fails the test; it must not stay.
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    return code;
}

HWND DrennaRun::Terminal() const
{
    return frame_ ? FindWindowExA(frame_, nullptr, "TTermWindow", nullptr) : nullptr;
}

HWND DrennaRun::ToolBar() const
{
    return frame_ ? FindWindowExA(frame_, nullptr, "ToolbarWindow32", nullptr) : nullptr;
}

HWND DrennaRun::StatusBar() const
{
    return frame_ ? FindWindowExA(frame_, nullptr, "msctls_statusbar32", nullptr) : nullptr;
}

std::string DrennaRun::StatusText() const
{
    // A status bar's window text is the text of its first part.
    char text[512] = "";
    DWORD_PTR got = 0;
    SendMessageTimeoutA(StatusBar(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &got);
    return text;
}

bool DrennaRun::WaitForStatus(const std::string& text, int timeout_ms) const
{
    return wait_until([&] { return StatusText() == text; }, timeout_ms);
}

void DrennaRun::Command(int id) const
{
    PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::string DrennaRun::TerminalText() const
{
    HWND term = Terminal();
    if (!term)
        return "";
    char text[25 * 82 + 1] = "";
    DWORD_PTR got = 0;
    SendMessageTimeoutA(term, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &got);
    return text;
}

bool DrennaRun::WaitForTerminal(const std::string& text, int timeout_ms) const
{
    return wait_until([&] { return TerminalText().find(text) != std::string::npos; }, timeout_ms);
}

std::string DrennaRun::Log() const
{
    // The log is a text file: lines end with CR LF.
    std::string log = read_file(Path("answers.log"));
    std::string out;
    for (size_t i = 0; i < log.size(); i++)
        if (!(log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n'))
            out += log[i];
    return out;
}

bool DrennaRun::WaitForLog(const std::string& text, int timeout_ms) const
{
    return wait_until([&] { return Log().find(text) != std::string::npos; }, timeout_ms);
}

int tool_port()
{
    const char* port = std::getenv("SERIAL_TOOL_PORT");
    return port ? std::atoi(port) : 7;
}

std::string port_argument()
{
    return "-c" + std::to_string(tool_port());
}

static std::vector<uint8_t> dump_part(int offset, int count)
{
    std::string dump = read_file(working_folder() + "\\com_board.bin");
    std::vector<uint8_t> out;
    for (int i = 0; i < count && offset + i < static_cast<int>(dump.size()); i++)
        out.push_back(static_cast<uint8_t>(dump[offset + i]));
    return out;
}

std::vector<uint8_t> board_ram(int address, int count)
{
    return dump_part(address, count);
}

std::vector<uint8_t> board_flash(int address, int count)
{
    return dump_part(0x10000 + address, count);
}

void board_control(const std::string& lines)
{
    std::string folder = working_folder();
    std::string temp = folder + "\\com_board.ctl.tmp";
    write_file(temp, lines);
    MoveFileExA(temp.c_str(), (folder + "\\com_board.ctl").c_str(), MOVEFILE_REPLACE_EXISTING);
    // The board reads the file within 50 ms.
    wait_until([&] { return GetFileAttributesA((folder + "\\com_board.ctl").c_str()) == INVALID_FILE_ATTRIBUTES; },
               5000);
}
