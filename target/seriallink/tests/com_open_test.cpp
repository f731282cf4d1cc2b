// Port and baud rate checks of OpenCom: every failure ends the program with
// a fatal report, before any device is used.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/os.h"
#include "testing/kit/test_kit.h"

namespace {

std::string read_all(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        char buffer[512];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

struct OpenCase {
    const char* port;
    const char* baud;
    const char* report;
};

TEST(OpenCom, FailuresAreFatal)
{
    const OpenCase cases[] = {
        {"0", "9600", "Fatal Error (Code -1): Invalid Port: COM0:\n"},
        {"10", "9600", "Fatal Error (Code -1): Invalid Port: COM10:\n"},
        {"3", "1000", "Fatal Error (Code -1): Invalid Baudrate: 1000 Bd\n"},
        {"9", "9600", "Fatal Error (Code -1): Port not available: COM9\n"},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " " + c.baud);
        std::string report = std::string("com_open_") + c.port + "_" + c.baud + ".txt";
        std::remove(report.c_str());
        int code = 0;
        ASSERT_EQ(os_run({host_path(COM_OPEN_CHILD_PATH), c.port, c.baud, report}, &code), OS_RUN_OK);
        EXPECT_EQ(code, -1);
        EXPECT_EQ(read_all(report), c.report);
    }
}

} // namespace
