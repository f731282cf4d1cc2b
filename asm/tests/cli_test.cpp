// Command-line golden tests: each folder under cli/ holds a source set, the
// arguments (file "args", one per line) and the expected files in expect/
// ("exitcode" and every output compared whole; "absent" names files that
// must not be written). Each folder under malformed/ is run the same way.
// The time stamp is fixed through SOURCE_DATE_EPOCH.
#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {


void change_dir(const fs::path& p)
{
#ifdef _WIN32
    ASSERT_EQ(_chdir(p.string().c_str()), 0);
#else
    ASSERT_EQ(chdir(p.string().c_str()), 0);
#endif
}

void set_epoch()
{
#ifdef _WIN32
    _putenv("SOURCE_DATE_EPOCH=1796684700");
#else
    setenv("SOURCE_DATE_EPOCH", "1796684700", 1);
#endif
}

fs::path source_dir()
{
    const char* s = std::getenv("SUITE_SOURCE_DIR");
    return fs::path(s ? s : ".") / "asm" / "tests";
}

// Runs morrin in a fresh copy of a case folder; returns the exit code.
int run_case(const fs::path& case_dir, const fs::path& work, std::vector<std::string> args)
{
    fs::remove_all(work);
    fs::create_directories(work);
    for (const auto& e : fs::directory_iterator(case_dir)) {
        std::string name = e.path().filename().string();
        if (name != "args" && name != "expect")
            fs::copy(e.path(), work / name, fs::copy_options::recursive);
    }
    fs::path old = fs::current_path();
    change_dir(work);
    set_epoch();
    std::vector<std::string> argv = {host_path(MORRIN_PATH)};
    argv.insert(argv.end(), args.begin(), args.end());
    int code = -1;
    os_run_status st = os_run(argv, &code);
    change_dir(old);
    EXPECT_EQ(st, OS_RUN_OK);
    return code;
}

std::vector<std::string> read_args(const fs::path& file)
{
    std::vector<std::string> args;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            args.push_back(line);
    }
    return args;
}

std::string program_placeholder(std::string text)
{
    std::string prog = host_path(MORRIN_PATH);
    size_t p;
    while ((p = text.find(prog)) != std::string::npos)
        text.replace(p, prog.size(), "{MORRIN}");
    return text;
}

void check_case(const std::string& group, const fs::path& case_dir)
{
    std::string name = case_dir.filename().string();
    SCOPED_TRACE(group + "/" + name);
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / group / name;
    int code = run_case(case_dir, work, read_args(case_dir / "args"));
    fs::path expect = case_dir / "expect";
    int want = std::atoi(read_file((expect / "exitcode").string()).c_str());
    EXPECT_EQ(code, want);
    for (const auto& e : fs::directory_iterator(expect)) {
        std::string file = e.path().filename().string();
        if (file == "exitcode")
            continue;
        if (file == "absent") {
            for (const std::string& a : read_args(e.path()))
                EXPECT_FALSE(fs::exists(work / a)) << a << " must not be written";
            continue;
        }
        ASSERT_TRUE(fs::exists(work / file)) << file << " not written";
        std::string got = read_file((work / file).string()), exp = read_file(e.path().string());
        if (file == "error.out") {
            // The error stream is a text stream: CR LF on Windows.
            got = program_placeholder(without_cr(got));
            exp = without_cr(exp);
        }
        EXPECT_EQ(got, exp) << file;
    }
}

void check_group(const std::string& group)
{
    fs::path dir = source_dir() / group;
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    std::vector<fs::path> cases;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_directory())
            cases.push_back(e.path());
    ASSERT_FALSE(cases.empty());
    for (const fs::path& c : cases)
        check_case(group, c);
}

TEST(MorrinCommandLine, GoldenCases)
{
    check_group("cli");
}

TEST(MorrinCommandLine, MalformedSources)
{
    check_group("malformed");
}

#ifdef TESSEL_PATH
// A long folder path, a name of 64 characters and the widest listing give
// lines far longer than any small fixed buffer; the linker reads the object
// (debug lines included) back and links it.
TEST(MorrinCommandLine, LongNamesAndWidthsLinkBack)
{
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / "link";
    fs::remove_all(work);
    std::string folder;
    for (int i = 1; i <= 5; i++)
        folder += "folder_with_a_rather_long_name_" + std::to_string(i) + "/";
    fs::create_directories(work / folder);
    std::string name(64, 'n');
    write_file((work / folder / "m.s51").string(), "  .segment code,org 0\n"
                                        "  .export " + name + "\n" +
                                        name + ": mov a,#1\t\t; " + std::string(160, 'c') + "\n"
                                        "  ljmp " + name + "\n");
    fs::path old = fs::current_path();
    change_dir(work);
    set_epoch();
    int code = -1;
    ASSERT_EQ(os_run({host_path(MORRIN_PATH), "-e", "-s", "-g", "-w266", folder + "m.s51"}, &code), OS_RUN_OK);
    EXPECT_EQ(code, 0);
    int link_code = -1;
    ASSERT_EQ(os_run({host_path(TESSEL_PATH), "-e", "-s", "-oout.bin", folder + "m.obj"}, &link_code), OS_RUN_OK);
    change_dir(old);
    EXPECT_EQ(link_code, 0) << read_file((work / "error.out").string());
    std::string obj = read_file((work / folder / "m.obj").string());
    EXPECT_NE(obj.find("\r\nsrc:" + folder + "m.s51 #0\r\n"), std::string::npos) << obj;
    EXPECT_NE(obj.find("\r\ndef:" + name + " @0:0\r\n"), std::string::npos) << obj;
    // Listing and debug line show the text with its tabs expanded, cut at
    // 240 characters.
    std::string text = name + ": mov a,#1              ; " + std::string(150, 'c');
    EXPECT_NE(obj.find("\r\ndco @0:0 u:2 " + text + "\r\n"), std::string::npos) << obj;
    EXPECT_NE(read_file((work / folder / "m.lst").string()).find(" :" + std::string(" ") + text + "\r\n"), std::string::npos);
    std::string image = read_file((work / "out.bin").string());
    EXPECT_EQ(image.substr(0, 5), std::string("\x74\x01\x02\x00\x00", 5));
}
#endif

// A source named with '\' as on Windows: the object and the listing are
// written beside it, in its folder, on every system.
TEST(MorrinCommandLine, OutputsGoBesideASourceNamedWithBackslashes)
{
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / "backslash";
    fs::remove_all(work);
    fs::create_directories(work / "sub");
    write_file((work / "sub" / "start.a51").string(), "  .segment code\n  nop\n");
    fs::path old = fs::current_path();
    change_dir(work);
    set_epoch();
    int code = -1;
    ASSERT_EQ(os_run({host_path(MORRIN_PATH), "-e", "-s", "sub\\start.a51"}, &code), OS_RUN_OK);
    change_dir(old);
    EXPECT_EQ(code, 0) << read_file((work / "error.out").string());
    EXPECT_TRUE(fs::exists(work / "sub" / "start.obj"));
    EXPECT_TRUE(fs::exists(work / "sub" / "start.lst"));
    std::vector<std::string> top;
    for (const auto& e : fs::directory_iterator(work))
        top.push_back(e.path().filename().string());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"error.out", "sub"}));
}

#ifndef _WIN32
// An object that cannot be written whole (here: onto a full device) is an
// error, not a success with a cut-off file.
TEST(MorrinCommandLine, FullDiskIsAnError)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / "full";
    fs::remove_all(work);
    fs::create_directories(work);
    write_file((work / "f.s51").string(), "  .segment code\n  .ds.b 10000\n");
    fs::create_symlink("/dev/full", work / "f.obj");
    fs::path old = fs::current_path();
    change_dir(work);
    int code = -1;
    ASSERT_EQ(os_run({MORRIN_PATH, "-e", "f.s51"}, &code), OS_RUN_OK);
    change_dir(old);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(read_file((work / "error.out").string()), "Error: unable to write 'f.obj'\n");
}
#endif

// Generated inputs: a line of 100,000 characters and binary garbage end
// with messages and exit code 2, never a crash. The long line is one error
// (its tail is not read as further lines); garbage reaches the message limit.
TEST(MorrinCommandLine, HugeLineAndGarbage)
{
    fs::path work = fs::path(host_path(TEST_TMP_DIR)) / "generated";
    fs::remove_all(work);
    fs::create_directories(work);
    std::string line = "  .segment code\n  .dc.b 1";
    while (line.size() < 100000)
        line += ",1";
    write_file((work / "long.s51").string(), line + "\n");
    std::string garbage;
    uint32_t x = 12345;
    for (int i = 0; i < 20000; i++) {
        x = x * 1103515245u + 12345u;
        garbage += static_cast<char>(x >> 24);
    }
    write_file((work / "garbage.s51").string(), garbage);
    const struct {
        const char* src;
        const char* first;   // the first message
        const char* last;    // the last line of error.out
    } runs[] = {
        {"long.s51", "long.s51 2: Error: line longer than 253 characters ('.dc.b 1,1,1,1,1,1,1,... ')\n",
         "Error: 1 errors found - no object file written\n"},
        {"garbage.s51", "", "Error: too many errors or warnings\n"},
    };
    for (const auto& run : runs) {
        const char* src = run.src;
        fs::path old = fs::current_path();
        change_dir(work);
        set_epoch();
        std::remove("error.out");
        int code = -1;
        ASSERT_EQ(os_run({host_path(MORRIN_PATH), "-e", src}, &code), OS_RUN_OK);
        change_dir(old);
        EXPECT_EQ(code, 2) << src;
        std::string err = without_cr(read_file((work / "error.out").string()));
        EXPECT_NE(err.find("Error: "), std::string::npos) << src;
        const std::string first = run.first;
        if (!first.empty()) {
            EXPECT_EQ(err.substr(0, first.size()), first) << src;
        }
        const std::string last = run.last;
        ASSERT_GE(err.size(), last.size()) << src;
        EXPECT_EQ(err.substr(err.size() - last.size()), last) << src;
    }
    EXPECT_FALSE(fs::exists(work / "long.obj"));
}

} // namespace
