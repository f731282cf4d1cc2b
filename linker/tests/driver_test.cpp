// The command line, argument files, the reporter's limits and exit codes.
#include "common/os.h"
#include "linker/tests/link_fixture.h"
#include "linker/messages.h"
#include "linker/model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>

using namespace tessel;

namespace {

const std::vector<std::string> code = {"segment:code @0:0 u:2", "74 01", "src:x.a51 #0"};

TEST(Options, AreMatchedWithoutRegardToCase)
{
    enter_scratch_folder();
    write_object("X.OBJ", code);
    link_result r = run_link({"X.OBJ", "-OOUT.BIN", "-C2", "-M", "-N", "-S", "-DL"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(crc_mode, 2);
    EXPECT_TRUE(options.no_strip);
    EXPECT_EQ(read_file("OUT.BIN").size(), 2u + 2u + 4u);
    EXPECT_TRUE(file_exists("OUT.mem"));
    EXPECT_TRUE(file_exists("OUT.lst"));
    EXPECT_TRUE(file_exists("OUT.den"));
}

struct message_case {
    const char* what;
    std::vector<std::string> args;
    int code;
    const char* messages;
};

class CommandLine : public testing::TestWithParam<message_case> {};

TEST_P(CommandLine, ReportsAsSpecifiedForTheLinker)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    link_result r = run_link(GetParam().args);
    EXPECT_EQ(r.code, GetParam().code);
    EXPECT_EQ(r.messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    testing::Values(
        message_case{"no_objects", {"-m"}, 2, "Error: no objectfiles\nError: 'tessel' aborted... ('-?' for help)\n"},
        message_case{"invalid_options",
                     {"x", "-q", "-r$10,zz", "-r", "-r$0x10"},
                     2,
                     "Error: invalid option '-q'\nError: format error option '-r$10,zz'\n"
                     "Error: format error option '-r'\nError: format error option '-r$0x10'\n"
                     "Error: 'tessel' aborted... ('-?' for help)\n"},
        message_case{"binary_off_then_name",
                     {"x", "-o-", "-oa.bin"},
                     2,
                     "Error: mutually exclusive options\nError: 'tessel' aborted... ('-?' for help)\n"},
        message_case{"two_names",
                     {"x", "-oa.bin", "-ob.bin"},
                     2,
                     "Error: only one output file allowed\nError: 'tessel' aborted... ('-?' for help)\n"},
        message_case{"empty_name", {"x", "-o"}, 2, "Error: illegal output filename\n"},
        message_case{"object_extension", {"x.o"}, 2, "Error: extension must be '*.obj'\n"},
        message_case{"library_extension", {"x", "-lrt.a"}, 2, "Error: extension must be '*.lib'\n"},
        message_case{"object_twice", {"x", "x.obj"}, 2, "Error: 'x.obj' already in use\n"},
        message_case{"missing_object", {"none"}, 2, "Error: unable to open 'none.obj'\n"},
        message_case{"nothing_to_link", {"x", "-o-"}, 0, ""}),
    [](const testing::TestParamInfo<message_case>& info) { return std::string(info.param.what); });

TEST(Options, HelpEndsTheRunWithCodeZeroWhateverCameBefore)
{
    enter_scratch_folder();
    link_result r = run_link({"-q", "-?"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages.find("Error: invalid option '-q'\n*** 'tessel': linker for 'i8051'\n*** V2.26"), 0u)
        << r.messages;
    EXPECT_NE(r.messages.find("\narguments (objectfiles and options):\n"
                              "-lLIBFILE:     scan library for unresolved externals (multiple allowed)\n"),
              std::string::npos);
    EXPECT_NE(r.messages.find("-c2:           force added CRC16-$8005 (XMODEM/USB-CRC)\n"
                              "@ARGFILE:      additional arguments file\n"),
              std::string::npos);
    EXPECT_EQ(run_link({"-H"}).code, 0);
}

TEST(Options, OutputNameGivesTheSideFileNames)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    std::remove("prog.bin");
    link_result r = run_link({"x", "-oprog.bin", "-o-", "-m"});
    EXPECT_EQ(r.code, 0) << r.messages;
    EXPECT_FALSE(file_exists("prog.bin"));
    EXPECT_TRUE(file_exists("prog.mem"));

    r = run_link({"x", "-ofoo", "-s"});
    EXPECT_EQ(r.messages, "Warning: output filename without extension\n");
    EXPECT_TRUE(file_exists("foo"));
    EXPECT_TRUE(file_exists("foo.lst"));

    // A '.' only in the folder part: the side files are named from the
    // image's own name, in its folder, with either separator.
    make_folder("out.d");
    for (const char* stray : {"out.lst", "out.mem", "out.den"})
        std::remove(stray);
    r = run_link({"x", "-oout.d/prog", "-s", "-m", "-d"});
    EXPECT_TRUE(file_exists("out.d/prog"));
    for (const char* side : {"out.d/prog.lst", "out.d/prog.mem", "out.d/prog.den"})
        EXPECT_TRUE(file_exists(side)) << side;
    for (const char* stray : {"out.lst", "out.mem", "out.den"})
        EXPECT_FALSE(file_exists(stray)) << stray;
    r = run_link({"x", "-oout.d\\demo.bin", "-m"});
    EXPECT_TRUE(file_exists("out.d/demo.bin"));
    EXPECT_TRUE(file_exists("out.d/demo.mem"));
}

TEST(Options, StartOffsetsAcceptHexDollarAndCNotation)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    for (auto c : {std::make_pair("-r$100", 0x100), std::make_pair("-r0x200,$10", 0x200),
                   std::make_pair("-r010", 8), std::make_pair("-r300,0", 300)}) {
        link_result r = run_link({"x", c.first, "-o-"});
        EXPECT_EQ(r.code, 0) << c.first << r.messages;
        EXPECT_EQ(options.text_offset, c.second) << c.first;
    }
}

TEST(ArgumentFiles, AreSplitIntoWordsWithinTheirLimits)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    std::string name99 = std::string(95, 'n') + ".obj";
    write_object(name99, {"segment:more @0:m u:0"});
    write_file("args.txt", "x\t-o-\r\n  " + name99 + "\x01@nested");
    link_result r = run_link({"@args.txt"});
    // "@nested" from a file is an ordinary argument: an object file name.
    EXPECT_EQ(r.messages, "Error: unable to open '@nested.obj'\n");

    write_file("args.txt", "x -o- " + name99);
    EXPECT_EQ(run_link({"@args.txt"}).code, 0);
    // Argument files are read before any option: their messages go to the console.
    write_file("args.txt", "x -o- n" + name99);
    r = run_link({"@args.txt"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.console, "Error: argument too long\n");
    r = run_link({"@none.txt"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.console, "Error: unable to open argument file 'none.txt'\n");
}

TEST(ArgumentFiles, MayBringTheVectorTo199EntriesButNot200)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    // tessel, -e, x, -o- and the file's words.
    std::string words;
    for (int i = 0; i < 195; ++i)
        words += "-n ";
    write_file("args.txt", words);
    EXPECT_EQ(run_link({"x", "-o-", "@args.txt"}).code, 0);
    write_file("args.txt", words + "-n");
    link_result r = run_link({"x", "-o-", "@args.txt"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.console, "Error: too many arguments\n");
}

std::vector<std::string> definitions(int count)
{
    std::vector<std::string> body = code;
    for (int i = 0; i < count; ++i) {
        body.push_back("define:k" + std::to_string(i) + " 1");
        body.push_back("define:k" + std::to_string(i) + " 2");
    }
    return body;
}

TEST(Messages, SevenErrorsReachTheGateAndTheEighthStopsTheRun)
{
    enter_scratch_folder();
    write_object("x.obj", definitions(7));
    link_result r = run_link({"x", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages.find("Error: x.obj: different definitions for 'k0' ($1 and $2)\n"), 0u);
    EXPECT_NE(r.messages.find("for 'k6' ($1 and $2)\nError: 7 errors found\n"), std::string::npos) << r.messages;

    write_object("x.obj", definitions(9));
    r = run_link({"x", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.messages.find("for 'k7' ($1 and $2)\nError: too many errors or warnings\n"), std::string::npos);
    EXPECT_EQ(r.messages.find("k8"), std::string::npos);
}

std::vector<std::string> xram_segments(int count)
{
    std::vector<std::string> body = code;
    for (int i = 0; i < count; ++i)
        body.push_back("segment:x" + std::to_string(i) + " @" + std::to_string(i + 1) + ":" +
                       std::to_string(i) + " u:0 n c:xram");
    return body;
}

TEST(Messages, The128thWarningStopsTheRun)
{
    enter_scratch_folder();
    write_object("x.obj", xram_segments(127));
    link_result r = run_link({"x", "-o-", "-n", "-r0,$1000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages.find("Warning: external XRAM org and segment org set in sclass 'xram' (segment 'x0')\n"), 0u);
    write_object("x.obj", xram_segments(128));
    r = run_link({"x", "-o-", "-n", "-r0,$1000"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.messages.find("(segment 'x127')\nError: too many errors or warnings\n"), std::string::npos);
}

TEST(Messages, MemoryReportIsAWarningWithItsOwnLineEnd)
{
    enter_scratch_folder();
    write_object("x.obj", code);
    link_result r = run_link({"x", "-o-", "-x"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages.rfind("Warning: memory used: ", 0), 0u);
    EXPECT_EQ(r.messages.substr(r.messages.size() - 8), " bytes\n\n");
}

// Every form of the global allocation operators reaches the linker's
// out-of-memory message, the non-throwing ones (taken by the standard library
// for temporary buffers) included.
TEST(AllocationDeathTest, ARequestTheHeapCannotMeetEndsWithTheLinkersMessage)
{
    link_reset();
    messages_install_allocator();
    // Read through a volatile so that the compiler does not judge the size.
    volatile std::size_t request = std::size_t(INT32_MAX) + 1;
    const std::size_t huge = request;
    EXPECT_EXIT(::operator delete(::operator new(huge)), testing::ExitedWithCode(2), "^Error: out of memory\n$");
    EXPECT_EXIT(::operator delete(::operator new(huge, std::nothrow)), testing::ExitedWithCode(2),
                "^Error: out of memory\n$");
    EXPECT_EXIT(::operator delete[](::operator new[](huge)), testing::ExitedWithCode(2), "^Error: out of memory\n$");
}

// The program itself: exit codes as a caller (the make tool) sees them.
TEST(Program, ExitCodesAndErrorFile)
{
    std::string dir = enter_scratch_folder();
    write_object("x.obj", code);
    int exit_code = -1;
    ASSERT_EQ(os_run({host_path(TESSEL_PATH), "-e", "x", "-oprog.bin"}, &exit_code), OS_RUN_OK);
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(read_file("prog.bin"), std::string("\x74\x01\0\0\0\0", 6));
    ASSERT_EQ(os_run({host_path(TESSEL_PATH), "-e", "-m"}, &exit_code), OS_RUN_OK);
    EXPECT_EQ(exit_code, 2);
    ASSERT_EQ(os_run({host_path(TESSEL_PATH), "-e", "-?"}, &exit_code), OS_RUN_OK);
    EXPECT_EQ(exit_code, 0);
    std::string messages = read_file("error.out");
    EXPECT_NE(messages.find("Error: no objectfiles"), std::string::npos);
    EXPECT_NE(messages.find("@ARGFILE:      additional arguments file"), std::string::npos);
}

} // namespace
