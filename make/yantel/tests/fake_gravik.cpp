// Stands in for the make tool in Yantel's tests: appends its command line
// and whether its window was started hidden to the file named by
// YANTEL_FAKE_LOG, writes the file named by YANTEL_FAKE_REPORT as
// "error.out" in its current folder, and ends with the code in
// YANTEL_FAKE_CODE.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static std::string env(const char* name)
{
    char value[4096];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

int main()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) && startup.wShowWindow == SW_HIDE;
    std::string log = env("YANTEL_FAKE_LOG");
    if (!log.empty()) {
        if (FILE* f = std::fopen(log.c_str(), "ab")) {
            std::fprintf(f, "%s|%s\n", GetCommandLineA(), hidden ? "hidden" : "shown");
            std::fclose(f);
        }
    }
    std::string report = env("YANTEL_FAKE_REPORT");
    if (!report.empty())
        CopyFileA(report.c_str(), "error.out", FALSE);
    return std::atoi(env("YANTEL_FAKE_CODE").c_str());
}
