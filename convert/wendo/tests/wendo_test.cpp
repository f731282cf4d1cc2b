#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

namespace {

const std::string wendo = WENDO_PATH;

std::string blanks(size_t n)
{
    return std::string(n, ' ');
}

// Every dump line is 73 characters with a six-digit offset.
const size_t line_length = 73;

struct dump_case {
    const char* what;
    std::string bytes;
    std::vector<std::string> options;
    std::string expected;  // after the "Hex dump of" line
};

class WendoDump : public testing::TestWithParam<dump_case> {};

TEST_P(WendoDump, PrintsLinesAtFixedColumns)
{
    const dump_case& c = GetParam();
    std::string dir = test_folder("dump");
    write_file(dir + "/file.bin", c.bytes);
    std::vector<std::string> args = {"file.bin"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    run_result r = run_program(wendo, args, dir);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.code, 0) << c.what;
    EXPECT_EQ(r.err, "") << c.what;
    EXPECT_EQ(r.out, native_text("Hex dump of 'file.bin':\n" + c.expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WendoDump,
    testing::Values(
        dump_case{"17 bytes: a full line and one byte; tab shown as '.', 0x80 as itself",
                  "Hello, World!\t\x80\x01Z",
                  {},
                  "000000: 48 65 6C 6C 6F 2C 20 57 6F 72 6C 64 21 09 80 01  Hello, World!.\x80.\n"
                  "000010: 5A" + blanks(47) + "Z" + blanks(15) + "\n"},
        dump_case{"exactly 16 bytes: the last line holds only the offset",
                  "0123456789abcdef",
                  {},
                  "000000: 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  0123456789abcdef\n"
                  "000010:" + blanks(66) + "\n"},
        dump_case{"empty file", "", {}, "000000:" + blanks(66) + "\n"},
        dump_case{"text dump, 70 bytes in lines of 64",
                  std::string(63, 'a') + "\n" + "bcdefg",
                  {"-a"},
                  "000000: " + std::string(63, 'a') + "." + blanks(1) + "\n" +
                  "000040: bcdefg" + blanks(59) + "\n"},
        dump_case{"text dump option in upper case, 64 bytes",
                  std::string(64, '\x1f'),
                  {"-A"},
                  "000000: " + std::string(64, '.') + blanks(1) + "\n" + "000040:" + blanks(66) + "\n"}));

TEST(WendoDump, EveryLineHasFullWidth)
{
    std::string dir = test_folder("width");
    std::string bytes;
    for (int i = 0; i < 256; i++)
        bytes += static_cast<char>(i);
    write_file(dir + "/all.bin", bytes);
    run_result r = run_program(wendo, {"all.bin"}, dir);
    ASSERT_EQ(r.code, 0);
    std::string out = r.out;
    std::string lf = native_text("\n");
    size_t start = out.find(lf) + lf.size();
    int lines = 0;
    for (size_t end; (end = out.find(lf, start)) != std::string::npos; start = end + lf.size()) {
        std::string line = out.substr(start, end - start);
        EXPECT_EQ(line.size(), line_length) << line;
        char offset[8];
        std::snprintf(offset, sizeof offset, "%06X:", lines * 16);
        EXPECT_EQ(line.substr(0, 7), offset);
        lines++;
    }
    EXPECT_EQ(lines, 17);
    EXPECT_EQ(start, out.size());
}

std::string usage_text()
{
    std::string prog = host_program_path(wendo);
    return "*** '" + prog + "': Hex dump tool\n*** V1.02, 2002\n"
           "arguments: '" + prog + " FILENAME.XYZ (options)' (for file output \n"
           "use pipes or I/O redirection)\n"
           "-a:    pure ASCII dump\n";
}

TEST(WendoCommandLine, PrintsUsageOnStandardErrorForOtherArguments)
{
    std::string dir = test_folder("usage");
    write_file(dir + "/file.bin", "x");
    const std::vector<std::vector<std::string>> cases = {
        {}, {"file.bin", "-b"}, {"file.bin", "a"}, {"file.bin", "-ab"}, {"file.bin", "-a", "-a"}};
    for (const auto& args : cases) {
        run_result r = run_program(wendo, args, dir);
        ASSERT_TRUE(r.started);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, native_text(usage_text()));
    }
}

TEST(WendoCommandLine, MissingFile)
{
    std::string dir = test_folder("missing");
    run_result r = run_program(wendo, {"none.bin"}, dir);
    EXPECT_EQ(r.code, -1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, native_text("WENDO.EXE: Can't open 'none.bin'\n"));
}

#ifndef _WIN32
// On a file system that minds case the file is found whatever the case of
// the name given; the dump names it as it was given.
TEST(WendoCommandLine, FindsTheFileWhateverTheCaseOfItsName)
{
    std::string dir = test_folder("case");
    write_file(dir + "/DATA.BIN", "x");
    run_result r = run_program(wendo, {"data.bin"}, dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Hex dump of 'data.bin':", 0), 0u) << r.out;
}
#endif

}  // namespace
