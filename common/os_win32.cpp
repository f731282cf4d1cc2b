#include "common/os.h"

#include <cstdlib>
#include <windows.h>

// 100-ns intervals between 1601-01-01 and 1970-01-01.
static const int64_t epoch_offset = 116444736000000000LL;

os_run_status os_run_command_line(const std::string& command_line, int* exit_code)
{
    STARTUPINFOA si;
    GetStartupInfoA(&si);
    PROCESS_INFORMATION pi;
    std::string line = command_line;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return OS_RUN_NOT_STARTED;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    *exit_code = static_cast<int>(code);
    return OS_RUN_OK;
}

int os_system(const std::string& command_line)
{
    return std::system(command_line.c_str());
}

os_time_status os_file_time(const std::string& path, int64_t* time)
{
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return OS_TIME_MISSING;
    FILETIME ft;
    BOOL ok = GetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    if (!ok)
        return OS_TIME_UNREADABLE;
    int64_t t = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    *time = (t - epoch_offset) * 100;
    return OS_TIME_OK;
}

bool os_set_file_time(const std::string& path, int64_t time)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    int64_t t = time / 100 + epoch_offset;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    return ok != FALSE;
}
