#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

class SplitCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLine, SplitsAsWindowsProgramsDo)
{
    EXPECT_EQ(os_split_command_line(GetParam().line), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLine,
    testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}},
                    SplitCase{"morrin -o a.obj a.a51", {"morrin", "-o", "a.obj", "a.a51"}},
                    SplitCase{"  a\t b  ", {"a", "b"}},
                    SplitCase{"\"C:\\Program Files\\x.exe\" y", {"C:\\Program Files\\x.exe", "y"}},
                    SplitCase{"a\\\\b c\\", {"a\\\\b", "c\\"}},
                    SplitCase{"\"a\\\"b\"", {"a\"b"}},
                    SplitCase{"\"a\\\\\" b", {"a\\", "b"}},
                    SplitCase{"x\"\"y", {"xy"}},
                    SplitCase{"\"\"", {""}},
                    SplitCase{"a\"b c\"d", {"ab cd"}}));

TEST(JoinCommandLine, RoundTripsThroughSplit)
{
    std::vector<std::vector<std::string>> cases = {
        {"prog"},
        {"prog", ""},
        {"prog", "two words", "tab\there"},
        {"prog", "quote\"inside", "trailing\\", "dir\\ with\\ spaces\\"},
        {"prog", "\\\\server\\share", "a\\\"b"},
    };
    for (const auto& words : cases)
        EXPECT_EQ(os_split_command_line(os_join_command_line(words)), words);
}

std::string tmp_dir()
{
    std::string dir = TEST_TMP_DIR;
    std::error_code ec;
    std::filesystem::create_directories(host_path(dir), ec);
    return dir;
}

// The child writes text lines, with CR LF on Windows.
std::string read_lines(const std::string& path)
{
    return without_cr(read_file(path));
}

TEST(OsRun, PassesArgumentsAndReturnsExitCode)
{
    std::string out = tmp_dir() + "/args.txt";
    std::remove(out.c_str());
    int code = -1;
    ASSERT_EQ(os_run({host_path(OS_CHILD_PATH), host_path(out), "7", "plain", "two words",
                      "q\"uote", ""},
                     &code),
              OS_RUN_OK);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(read_lines(out), "plain\ntwo words\nq\"uote\n\n");
}

TEST(OsRun, ZeroExitCode)
{
    int code = -1;
    std::string out = tmp_dir() + "/zero.txt";
    ASSERT_EQ(os_run_command_line(host_path(OS_CHILD_PATH) + " " + host_path(out) + " 0", &code),
              OS_RUN_OK);
    EXPECT_EQ(code, 0);
}

TEST(OsRun, MissingProgramIsNotStarted)
{
    int code = 12345;
    EXPECT_EQ(os_run({"no-such-program-x7q"}, &code), OS_RUN_NOT_STARTED);
    EXPECT_EQ(os_run_command_line("", &code), OS_RUN_NOT_STARTED);
    EXPECT_EQ(code, 12345);
}

TEST(OsSystem, RunsThroughTheCommandInterpreter)
{
    EXPECT_EQ(os_system("exit 3"), 3);
    EXPECT_EQ(os_system("exit 0"), 0);
}

TEST(OsFileTime, MissingExistingAndSetTimes)
{
    std::string path = tmp_dir() + "/time.txt";
    std::remove(path.c_str());
    int64_t t = 0;
    EXPECT_EQ(os_file_time(path, &t), OS_TIME_MISSING);
    { std::ofstream(path) << "x"; }
    ASSERT_EQ(os_file_time(path, &t), OS_TIME_OK);

    const int64_t older = 1000000000LL * 1600000000LL; // 2020-09-13
    ASSERT_TRUE(os_set_file_time(path, older));
    ASSERT_EQ(os_file_time(path, &t), OS_TIME_OK);
    EXPECT_EQ(t, older);
    ASSERT_TRUE(os_set_file_time(path, older + 2000000000LL));
    int64_t later = 0;
    ASSERT_EQ(os_file_time(path, &later), OS_TIME_OK);
    EXPECT_GT(later, t);
    EXPECT_FALSE(os_set_file_time(path + ".missing", older));
}

} // namespace
