#include "message_log.h"

#include <cstdio>
#include <fstream>

MessageLog::MessageLog(UINT message, const std::string& windowClass, const std::string& logPath) : path_(logPath)
{
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG_CLASS", windowClass.c_str());
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG", path_.c_str());
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG_ID", std::to_string(message).c_str());
}

MessageLog::~MessageLog()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (dll_)
        FreeLibrary(dll_);
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG", nullptr);
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG_ID", nullptr);
    SetEnvironmentVariableA("WINPROG_MESSAGE_LOG_CLASS", nullptr);
}

bool MessageLog::Install(const std::string& dllPath, HWND window)
{
    dll_ = LoadLibraryA(dllPath.c_str());
    if (!dll_)
        return false;
    HOOKPROC proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "MessageLogHook")));
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!proc || !thread)
        return false;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, proc, dll_, thread);
    return hook_ != nullptr;
}

std::vector<std::pair<unsigned long long, long long>> MessageLog::Values() const
{
    std::vector<std::pair<unsigned long long, long long>> values;
    std::ifstream in(path_);
    unsigned long long w = 0;
    long long l = 0;
    while (in >> w >> l)
        values.emplace_back(w, l);
    return values;
}
