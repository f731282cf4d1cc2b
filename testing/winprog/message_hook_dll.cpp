// A hook DLL for whole-program tests: loaded into the program under test
// by SetWindowsHookEx (WH_CALLWNDPROC), it appends every sent message with
// the number named by WINPROG_MESSAGE_LOG_ID to a window of the class named
// by WINPROG_MESSAGE_LOG_CLASS (private messages share their numbers across
// classes) to the file named by WINPROG_MESSAGE_LOG, one line "wParam
// lParam" each, so that a test can see
// what the program told its windows while it was too busy to be asked.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

UINT g_message = 0;
char g_path[MAX_PATH * 4] = "";
char g_class[256] = "";
bool g_read = false;

void ReadSettings()
{
    g_read = true;
    char id[32] = "";
    if (GetEnvironmentVariableA("WINPROG_MESSAGE_LOG_ID", id, sizeof id) > 0)
        g_message = static_cast<UINT>(std::strtoul(id, nullptr, 0));
    if (GetEnvironmentVariableA("WINPROG_MESSAGE_LOG", g_path, sizeof g_path) == 0)
        g_path[0] = 0;
    if (GetEnvironmentVariableA("WINPROG_MESSAGE_LOG_CLASS", g_class, sizeof g_class) == 0)
        g_class[0] = 0;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MessageLogHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        if (!g_read)
            ReadSettings();
        const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        char cls[256] = "";
        if (m && g_message != 0 && m->message == g_message && g_path[0] &&
            GetClassNameA(m->hwnd, cls, sizeof cls) > 0 && lstrcmpiA(cls, g_class) == 0) {
            HANDLE f = CreateFileA(g_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (f != INVALID_HANDLE_VALUE) {
                char line[64];
                int n = std::snprintf(line, sizeof line, "%llu %lld\n", static_cast<unsigned long long>(m->wParam),
                                      static_cast<long long>(m->lParam));
                DWORD written = 0;
                WriteFile(f, line, static_cast<DWORD>(n), &written, nullptr);
                CloseHandle(f);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
