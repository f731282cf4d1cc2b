#include "testing/winprog/program_session.h"

#include <cstdio>
#include <cstring>
#include <vector>

ProgramSession::~ProgramSession()
{
    if (Running())
        Close();
    if (process_.hProcess)
        CloseHandle(process_.hProcess);
    if (process_.hThread)
        CloseHandle(process_.hThread);
}

void ProgramSession::SetScript(const std::string& scriptPath, const std::string& logPath)
{
    script_ = scriptPath;
    log_ = logPath;
}

bool ProgramSession::Start(const std::string& exe, int showCommand)
{
    return Start(exe, "", "", showCommand);
}

bool ProgramSession::Start(const std::string& exe, const std::string& arguments,
                           const std::string& folder, int showCommand)
{
    SetEnvironmentVariableA("WINUI_SCRIPT", script_.empty() ? nullptr : script_.c_str());
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", log_.empty() ? nullptr : log_.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
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

namespace {
struct FindWindowData {
    DWORD pid;
    const char* className;
    HWND found;
};
} // namespace

static BOOL CALLBACK find_window(HWND wnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindWindowData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char name[128] = "";
    GetClassNameA(wnd, name, sizeof name);
    if (pid == data->pid && IsWindowVisible(wnd) && lstrcmpiA(name, data->className) == 0) {
        data->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND ProgramSession::WaitForMainWindow(const char* className, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FindWindowData data{process_.dwProcessId, className, nullptr};
        EnumWindows(find_window, reinterpret_cast<LPARAM>(&data));
        if (data.found) {
            main_ = data.found;
            return main_;
        }
        if (!Running())
            return nullptr;
        Sleep(50);
    }
    return nullptr;
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

HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 100) {
        for (HWND found = FindWindowExA(nullptr, nullptr, "#32770", caption); found;
             found = FindWindowExA(nullptr, found, "#32770", caption)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(found, &pid);
            if (pid == processId)
                return found;
        }
        if (waited >= timeoutMs)
            return nullptr;
        Sleep(100);
    }
}

std::string WindowTextOf(HWND window)
{
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                               reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
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

void PutClipboardText(const std::string& text)
{
    OpenSharedClipboard();
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        SetClipboardData(CF_TEXT, mem);
    }
    CloseClipboard();
}

std::string ReadWholeFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::string();
    std::string text;
    char buffer[8192];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, got);
    std::fclose(f);
    return text;
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

bool CopyOneFile(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool MakeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash > 2)
        MakeFolders(path.substr(0, slash));
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    size_t slash = dir.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : dir.substr(0, slash + 1)) + name;
}
