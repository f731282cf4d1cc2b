#include "linker/tests/link_fixture.h"

#include "linker/driver.h"
#include "linker/messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tessel;

namespace {

struct link_stopped {
    int code;
};

[[noreturn]] void throw_stop(int code)
{
    throw link_stopped{code};
}

} // namespace


std::string enter_scratch_folder(void)
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::string dir = host_path(TEST_TMP_DIR) + "/" + name;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::filesystem::current_path(dir, ec);
    EXPECT_FALSE(ec) << dir;
    std::remove("error.out");
    return dir;
}

void write_lines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    write_file(path, text);
}

void make_folder(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directory(path, ec);
}

std::vector<std::string> object_lines(const std::string& name, const std::vector<std::string>& body)
{
    std::vector<std::string> lines = {"objectfile:" + name, "time:Mon Dec  7 23:05:00 2026",
                                      "cpuname:i8051"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("objectend");
    return lines;
}

void write_object(const std::string& name, const std::vector<std::string>& body)
{
    write_lines(name, object_lines(name, body));
}

link_result run_link(const std::vector<std::string>& args)
{
    std::string before = read_file("error.out");
    std::vector<std::string> words = {"tessel", "-e"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    link_result result{0, "", ""};
    diag_set_exit_hook(throw_stop);
    testing::internal::CaptureStderr();
    try {
        result.code = tessel_main(static_cast<int>(argv.size()), argv.data());
    } catch (const link_stopped& stop) {
        result.code = stop.code;
    }
    diag_set_exit_hook(nullptr);
    result.console = without_cr(testing::internal::GetCapturedStderr());
    // Closes error.out; the link's tables stay for inspection.
    messages_reset();
    // Compared without the CR that a text-mode stream adds on Windows.
    result.messages = without_cr(read_file("error.out").substr(before.size()));
    return result;
}

std::string source_path(const std::string& relative)
{
    const char* dir = std::getenv("SUITE_SOURCE_DIR");
    return host_path(std::string(dir ? dir : ".") + "/" + relative);
}

std::string b(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}
