#include "drenna_run.h"

void write_image(const std::string& path, const std::vector<uint8_t>& bytes, uint32_t address)
{
    std::string data(bytes.begin(), bytes.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        data += static_cast<char>((address >> shift) & 0xFF);
    write_file(path, data);
}

DrennaRun::DrennaRun(const std::string& name)
{
    folder_ = WorkingFolder() + "\\" + name;
    fresh_dir(folder_);
    copy_file_to(host_path(DRENNA_EXE), Path("drenna.exe"));
    session_.SetScript(Path("answers.txt"), Path("answers.log"));
    Script("");
}

bool DrennaRun::Start(const std::string& arguments)
{
    return session_.Start(Path("drenna.exe"), arguments, folder_, ProgramSession::kProgramsOwnShow);
}

int DrennaRun::WaitForExit(int timeout_ms)
{
    int code = 0;
    return session_.WaitForExit(static_cast<DWORD>(timeout_ms), &code) ? code : -1000;
}

int DrennaRun::Close()
{
    int code = 0;
    return session_.Close(&code) ? code : -1000;
}

HWND DrennaRun::Terminal() const
{
    return Frame() ? FindWindowExA(Frame(), nullptr, "TTermWindow", nullptr) : nullptr;
}

HWND DrennaRun::ToolBar() const
{
    return Frame() ? FindWindowExA(Frame(), nullptr, "ToolbarWindow32", nullptr) : nullptr;
}

HWND DrennaRun::StatusBar() const
{
    return Frame() ? FindWindowExA(Frame(), nullptr, "msctls_statusbar32", nullptr) : nullptr;
}

bool DrennaRun::WaitForStatus(const std::string& text, int timeout_ms) const
{
    return WaitUntil([&] { return StatusText() == text; }, timeout_ms);
}

bool DrennaRun::WaitForTerminal(const std::string& text, int timeout_ms) const
{
    return WaitUntil([&] { return TerminalText().find(text) != std::string::npos; }, timeout_ms);
}

int tool_port()
{
    return SerialToolPort(7);
}

std::string port_argument()
{
    return "-c" + std::to_string(tool_port());
}
