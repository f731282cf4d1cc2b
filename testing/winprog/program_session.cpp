#include "testing/winprog/program_session.h"

#include <cstdio>
#include <cstring>
#include <vector>

ProgramSession::~ProgramSession()
{
    Release();
}

void ProgramSession::Release()
{
    if (Running())
        Close();
    if (process_.hProcess)
        CloseHandle(process_.hProcess);
    if (process_.hThread)
        CloseHandle(process_.hThread);
    process_ = PROCESS_INFORMATION{};
    main_ = nullptr;
}

void ProgramSession::SetScript(const std::string& scriptPath, const std::string& logPath)
{
    script_ = scriptPath;
    log_ = logPath;
}

bool ProgramSession::Script(const std::string& lines) const
{
    return !script_.empty() && write_file(script_, lines);
}

std::string ProgramSession::Log() const
{
    // The log is a text file: its lines end with CR LF.
    const std::string log = read_file(log_);
    std::string out;
    for (size_t i = 0; i < log.size(); i++)
        if (!(log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n'))
            out += log[i];
    return out;
}

bool ProgramSession::WaitForLog(const std::string& text, int timeoutMs) const
{
    return WaitUntil([&] { return Log().find(text) != std::string::npos; }, timeoutMs);
}

bool ProgramSession::Start(const std::string& exe, int showCommand)
{
    return Start(exe, "", "", showCommand);
}

bool ProgramSession::Start(const std::string& exe, const std::string& arguments,
                           const std::string& folder, int showCommand)
{
    Release();
    SetEnvironmentVariableA("WINUI_SCRIPT", script_.empty() ? nullptr : script_.c_str());
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", log_.empty() ? nullptr : log_.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showCommand != kProgramsOwnShow) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::string line = "\"" + exe + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    // Under a heavily loaded Wine a start can fail now and then for no reason
    // of the program's own: it is tried again a few times.
    BOOL ok = FALSE;
    for (int attempt = 0; attempt < 3 && !ok; ++attempt) {
        if (attempt)
            Sleep(500);
        ok = CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &process_);
    }
    SetEnvironmentVariableA("WINUI_SCRIPT", nullptr);
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", nullptr);
    if (ok)
        WaitForInputIdle(process_.hProcess, 30000);
    return ok != FALSE;
}

HWND ProgramSession::WaitForMainWindow(const char* className, DWORD timeoutMs)
{
    return WaitForMain([&] { return ProcessWindow(process_.dwProcessId, className); }, timeoutMs);
}

HWND ProgramSession::WaitForMainWindowTitled(const std::string& caption, DWORD timeoutMs)
{
    return WaitForMain([&] { return ProcessWindowTitled(process_.dwProcessId, caption); }, timeoutMs);
}

HWND ProgramSession::WaitForMain(const std::function<HWND()>& find, DWORD timeoutMs)
{
    HWND found = nullptr;
    // A program that ended shows no window any more: no need to wait.
    WaitUntil([&] { return (found = find()) != nullptr || !Running(); }, static_cast<int>(timeoutMs));
    if (found)
        main_ = found;
    return found;
}

bool ProgramSession::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramSession::WaitForExit(DWORD timeoutMs, int* exitCode)
{
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    if (exitCode)
        *exitCode = static_cast<int>(code);
    return true;
}

bool ProgramSession::Close(int* exitCode, DWORD timeoutMs)
{
    if (!process_.hProcess)
        return false;
    if (main_ && IsWindow(main_))
        PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        // A test must not hang on a program that does not close.
        TerminateProcess(process_.hProcess, 255);
        WaitForSingleObject(process_.hProcess, 5000);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    if (exitCode)
        *exitCode = static_cast<int>(code);
    main_ = nullptr;
    return true;
}

LRESULT ProgramSession::Command(UINT id) const
{
    return SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void ProgramSession::PostCommand(UINT id) const
{
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HWND ProgramSession::FindChild(const char* className) const
{
    if (!main_)
        return nullptr;
    return DescendantWhere(main_, [&](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), className) == 0; });
}

static void OpenSharedClipboard()
{
    for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt)
        Sleep(50);
}

std::string ClipboardText()
{
    std::string text;
    OpenSharedClipboard();
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool PutClipboardText(const std::string& text)
{
    OpenSharedClipboard();
    EmptyClipboard();
    bool ok = false;
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    }
    CloseClipboard();
    return ok;
}

std::string ScriptQuoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    size_t slash = dir.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : dir.substr(0, slash + 1)) + name;
}

std::string WorkingFolder()
{
    char dir[MAX_PATH * 4] = "";
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    return std::string(dir, n < sizeof dir ? n : 0);
}
