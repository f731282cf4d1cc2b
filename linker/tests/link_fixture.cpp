#include "link_fixture.h"

#include "driver.h"
#include "messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#define make_dir(p) _mkdir(p)
#define change_dir(p) _chdir(p)
#else
#include <unistd.h>
#define make_dir(p) mkdir(p, 0755)
#define change_dir(p) chdir(p)
#endif

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
    std::string root = host_path(LINKER_TEST_DIR);
    make_dir(root.c_str());
    std::string dir = root + "/" + name;
    make_dir(dir.c_str());
    EXPECT_EQ(change_dir(dir.c_str()), 0) << dir;
    std::remove("error.out");
    return dir;
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void write_lines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    write_text(path, text);
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool file_exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

void make_folder(const std::string& path)
{
    make_dir(path.c_str());
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
    result.console = lf(testing::internal::GetCapturedStderr());
    // Closes error.out; the link's tables stay for inspection.
    messages_reset();
    // Compared without the CR that a text-mode stream adds on Windows.
    result.messages = lf(read_file("error.out").substr(before.size()));
    return result;
}

std::string source_path(const std::string& relative)
{
    const char* dir = std::getenv("SUITE_SOURCE_DIR");
    return host_path(std::string(dir ? dir : ".") + "/" + relative);
}

std::string lf(const std::string& crlf)
{
    std::string out;
    for (char c : crlf)
        if (c != '\r')
            out += c;
    return out;
}

std::string b(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}
