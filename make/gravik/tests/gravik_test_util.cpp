#include "make/gravik/tests/gravik_test_util.h"

#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <filesystem>

std::string scratch_dir(const std::string& name)
{
    return host_path(fresh_dir(std::string(TEST_TMP_DIR) + "/" + name));
}

static const int64_t base_time = 1600000000LL * 1000000000LL;

void set_age(const std::string& path, int seconds)
{
    os_set_file_time(path, base_time + static_cast<int64_t>(seconds) * 1000000000LL);
}

int64_t file_time(const std::string& path)
{
    int64_t t = 0;
    os_file_time(path, &t);
    return t;
}

std::string tool_path(void)
{
    return host_path(GRAVIK_TOOL_PATH);
}

std::string gravik_path(void)
{
    return host_path(GRAVIK_PATH);
}

gravik_run run_gravik(const std::string& dir, const std::string& args, const std::string& program)
{
    const std::string gravik = program.empty() ? gravik_path() : program;
    const char sep = dir.find('\\') != std::string::npos ? '\\' : '/';
    std::string out = dir + sep + "stdout.txt";
    std::string err = dir + sep + "stderr.txt";
    std::string eout = dir + sep + "error.out";
    std::remove(out.c_str());
    std::remove(err.c_str());
#ifdef _WIN32
    std::string line = "cd /d " + dir + " && " + gravik + " " + args + " >" + out + " 2>" + err;
#else
    std::string line = "cd '" + dir + "' && " + gravik + " " + args + " >'" + out + "' 2>'" + err + "'";
#endif
    gravik_run r;
    r.code = os_system(line);
#ifdef _WIN32
    // 9009 is the command shell's own answer when it could not start the
    // program (gravik's exit code is at most 255); under a heavily loaded
    // Wine a start can fail so, and is tried again.
    for (int again = 0; again < 3 && r.code == 9009; ++again)
        r.code = os_system(line);
#endif
    // Text written on Windows ends its lines with CR LF.
    r.out = without_cr(read_file(out));
    r.err = without_cr(read_file(err));
    r.error_out = without_cr(read_file(eout));
    return r;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string test_dir(const std::string& sub)
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return scratch_dir(sub.empty() ? name : name + "/" + sub);
}
