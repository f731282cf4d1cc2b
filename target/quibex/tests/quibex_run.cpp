#include "quibex_run.h"

#include <chrono>
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

static std::string working_folder()
{
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

int tool_port()
{
    const char* port = std::getenv("SERIAL_TOOL_PORT");
    return port ? std::atoi(port) : 9;
}

QuibexRun::QuibexRun(const std::string& name)
{
    folder_ = working_folder() + "\\" + name;
    fresh_dir(folder_);
    CreateDirectoryA(Path("bin").c_str(), nullptr);
    CopyFileA(host_path(QUIBEX_EXE).c_str(), Path("bin\\quibex.exe").c_str(), FALSE);
    write_file(Path("bin\\quibex.INI"),
               "[COM]\r\nCom=" + std::to_string(tool_port()) + "\r\nBaudrate=9600\r\n");
    Script("");
}

QuibexRun::~QuibexRun()
{
    if (started_) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            Close();
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void QuibexRun::Script(const std::string& lines)
{
    write_file(Path("answers.txt"), lines);
}

bool QuibexRun::Start(const std::string& arguments)
{
    SetEnvironmentVariableA("WINUI_SCRIPT", Path("answers.txt").c_str());
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", Path("answers.log").c_str());
    std::string command = "\"" + Path("bin\\quibex.exe") + "\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string bin = Path("bin");
    started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, bin.c_str(),
                              &si, &process_) != 0;
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
    if (pid == f->process && std::string(cls) == "TQuibexFrame") {
        f->found = wnd;
        return FALSE;
    }
    return TRUE;
}

bool QuibexRun::WaitForWindow()
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

int QuibexRun::WaitForExit(int timeout_ms)
{
    if (!started_)
        return -1000;
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0)
        return -1000;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

int QuibexRun::Close()
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

HWND QuibexRun::Client() const
{
    return frame_ ? FindWindowExA(frame_, nullptr, "MDIClient", nullptr) : nullptr;
}

struct FindChild {
    const char* className;
    HWND found;
};

static BOOL CALLBACK find_child(HWND wnd, LPARAM data)
{
    auto* f = reinterpret_cast<FindChild*>(data);
    char cls[64] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    if (lstrcmpiA(cls, f->className) == 0) {
        f->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND QuibexRun::Find(const char* className) const
{
    if (!frame_)
        return nullptr;
    FindChild f{className, nullptr};
    EnumChildWindows(frame_, find_child, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

void QuibexRun::Command(int id) const
{
    PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void QuibexRun::SendCommand(int id) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG, 30000, &result);
}

std::string QuibexRun::TextOf(HWND window) const
{
    if (!window)
        return "";
    char text[16384] = "";
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &got);
    return text;
}

std::string QuibexRun::Log() const
{
    std::string log = read_file(Path("answers.log"));
    std::string out;
    for (size_t i = 0; i < log.size(); i++)
        if (!(log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n'))
            out += log[i];
    return out;
}

bool QuibexRun::WaitForLog(const std::string& text, int timeout_ms) const
{
    return wait_until([&] { return Log().find(text) != std::string::npos; }, timeout_ms);
}

std::vector<uint8_t> board_ram(int address, int count)
{
    std::string dump = read_file(working_folder() + "\\com_board.bin");
    std::vector<uint8_t> out;
    for (int i = 0; i < count && address + i < static_cast<int>(dump.size()); i++)
        out.push_back(static_cast<uint8_t>(dump[address + i]));
    return out;
}

SIZE default_cell()
{
    HFONT font = CreateFontA(-12, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, "Fixedsys");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return SIZE{tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}
