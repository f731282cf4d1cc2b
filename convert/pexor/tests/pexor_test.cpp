#include "convert/pexor/omf.h"
#include "convert/pexor/tests/omf_reader.h"
#include "convert/pexor/pexor.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

namespace {

const std::string pexor = PEXOR_PATH;
const std::string data_dir = PEXOR_DATA_DIR;

// A binary image as the linker writes it: the bytes, then the load address
// in four bytes, high byte first.
std::string image(const std::vector<int>& bytes, unsigned long load)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    for (int shift = 24; shift >= 0; shift -= 8)
        s += static_cast<char>((load >> shift) & 0xFF);
    return s;
}

std::string banner()
{
    return "*** '" + host_program_path(pexor) + "': binary (and '*.LST') to OMF51 converter\n"
           "*** V1.00, 2005\n";
}

std::string usage()
{
    return "arguments: INFILE OUTFILE (options)\n"
           "i.e.:  '" + host_program_path(pexor) + " a.bin a.omf ('*.lst' file will be\n"
           "       searched automatically)'\n"
           "-wNR:  code block size in bytes (4..128, default:32)\n"
           "-s:    strip $FF values from hex file lines (fast FLASH)\n"
           "-e:    append output to 'error.out'\n";
}

std::vector<omf_rec> read_records(const std::string& path)
{
    std::vector<omf_rec> recs;
    std::string why;
    EXPECT_TRUE(omf_read(read_file(path), &recs, &why)) << why;
    for (size_t i = 0; i < recs.size(); i++)
        EXPECT_TRUE(recs[i].checksum_ok) << "record " << i << " type " << recs[i].type;
    return recs;
}

// Content record fields: segment id 0, offset, data.
struct content {
    unsigned offset;
    std::vector<uint8_t> data;
    bool operator==(const content& o) const { return offset == o.offset && data == o.data; }
};

std::vector<content> contents(const std::vector<omf_rec>& recs)
{
    std::vector<content> out;
    for (const omf_rec& r : recs) {
        if (r.type != 0x06)
            continue;
        EXPECT_EQ(r.length, static_cast<int>(r.content.size()) + 1);
        EXPECT_GE(r.content.size(), 3u);
        EXPECT_EQ(r.content[0], 0x00) << "segment id";
        size_t pos = 1;
        content c;
        c.offset = omf_read_word(r, &pos);
        c.data.assign(r.content.begin() + pos, r.content.end());
        out.push_back(c);
    }
    return out;
}

// The frame every output has: header and module scope first, scope end and
// module end last, all naming the module.
void expect_module_frame(const std::vector<omf_rec>& recs, const std::string& module)
{
    ASSERT_GE(recs.size(), 4u);
    size_t pos = 0;
    EXPECT_EQ(recs[0].type, 0x02);
    EXPECT_EQ(omf_read_name(recs[0], &pos), module);
    EXPECT_EQ(std::vector<uint8_t>(recs[0].content.begin() + pos, recs[0].content.end()),
              (std::vector<uint8_t>{0xFF, 0x00}));
    EXPECT_EQ(recs[1].type, 0x10);
    EXPECT_EQ(recs[1].content.at(0), 0x00) << "begin of module block";
    pos = 1;
    EXPECT_EQ(omf_read_name(recs[1], &pos), module);
    EXPECT_EQ(pos, recs[1].content.size());

    const omf_rec& scope_end = recs[recs.size() - 2];
    EXPECT_EQ(scope_end.type, 0x10);
    EXPECT_EQ(scope_end.content.at(0), 0x03) << "end of module block";
    pos = 1;
    EXPECT_EQ(omf_read_name(scope_end, &pos), module);
    const omf_rec& end = recs.back();
    EXPECT_EQ(end.type, 0x04);
    pos = 0;
    EXPECT_EQ(omf_read_name(end, &pos), module);
    EXPECT_EQ(std::vector<uint8_t>(end.content.begin() + pos, end.content.end()),
              (std::vector<uint8_t>{0x00, 0x01, 0x00}));
    for (const omf_rec& r : recs)
        EXPECT_EQ(r.length, static_cast<int>(r.content.size()) + 1);
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : bytes) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

// An image with its listing: records in order, line records pointing into
// the debug text, the debug text itself and the console report.
TEST(PexorListing, WritesDebugTextAndLineRecords)
{
    std::string dir = test_folder("listing");
    write_file(dir + "/prog.bin",
               image({0x75, 0x81, 0x30, 0x04, 0x80, 0xFD, 1, 2, 3, 4, 5, 6, 7}, 0x100));
    write_file(dir + "/prog.lst", read_file(data_dir + "/prog.lst"));
    run_result r = run_program(pexor, {"prog.bin", "prog.omf"}, dir);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, native_text(banner() +
                                 "   Loadaddress:  $0100 (hex.)\n"
                                 "   BIN-Filesize: 13 bytes (dez.)\n"
                                 "   LST-File found ('prog.lst)\n"
                                 "Ok\n"));
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(read_file(dir + "/prog.dbg"), crlf_text(read_file(data_dir + "/prog.dbg")));

    std::vector<omf_rec> recs = read_records(dir + "/prog.omf");
    ASSERT_EQ(recs.size(), 11u);
    expect_module_frame(recs, "PROG");
    EXPECT_EQ(recs[2].type, 0x24);
    size_t pos = 3;
    EXPECT_EQ(std::vector<uint8_t>(recs[2].content.begin(), recs[2].content.begin() + 3),
              (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(omf_read_name(recs[2], &pos), "prog.dbg");
    EXPECT_EQ(contents(recs), (std::vector<content>{
                                  {0x100, {0x75, 0x81, 0x30, 0x04, 0x80, 0xFD, 1, 2, 3, 4, 5, 6, 7}}}));

    // One line record per code row of the listing: address and the row's
    // line in the debug text.
    struct line_item {
        unsigned address, line;
    };
    const line_item expected[] = {{0x100, 4}, {0x103, 6}, {0x104, 7}, {0x106, 8}, {0x10B, 9}};
    for (size_t i = 0; i < 5; i++) {
        const omf_rec& d = recs[4 + i];
        ASSERT_EQ(d.type, 0x22);
        ASSERT_EQ(d.content.size(), 6u);
        EXPECT_EQ(d.content[0], 0x03) << "line numbers";
        EXPECT_EQ(d.content[1], 0x00) << "segment id";
        pos = 2;
        EXPECT_EQ(omf_read_word(d, &pos), expected[i].address);
        EXPECT_EQ(omf_read_word(d, &pos), expected[i].line);
    }

    // The same bytes as the reference output of this fixture.
    EXPECT_EQ(hex(read_file(dir + "/prog.omf")),
              "0208000450524F47FF00BB"
              "100700000450524F47AD"
              "240D000000000870726F672E646267B4"
              "0611000000017581300480FD0102030405060725"
              "220700030000010400CF"
              "220700030003010600CA"
              "220700030004010700C8"
              "220700030006010800C5"
              "22070003000B010900BF"
              "100700030450524F47AA"
              "0409000450524F47000100B6");
}

// Blocks of content records: sizes, offsets and stripping of 0xFF bytes.
struct block_case {
    const char* what;
    std::vector<int> data;
    unsigned long load;
    std::vector<std::string> options;
    std::vector<content> expected;
};

std::vector<int> counting(int n)
{
    std::vector<int> v;
    for (int i = 0; i < n; i++)
        v.push_back(i);
    return v;
}

std::vector<uint8_t> counting_bytes(int from, int n)
{
    std::vector<uint8_t> v;
    for (int i = from; i < from + n; i++)
        v.push_back(static_cast<uint8_t>(i));
    return v;
}

class PexorBlocks : public testing::TestWithParam<block_case> {};

TEST_P(PexorBlocks, SplitsImageIntoContentRecords)
{
    const block_case& c = GetParam();
    std::string dir = test_folder("blocks");
    write_file(dir + "/prog.bin", image(c.data, c.load));
    std::vector<std::string> args = {"prog.bin", "prog.omf"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    run_result r = run_program(pexor, args, dir);
    ASSERT_EQ(r.code, 0) << c.what << "\n" << r.out;
    EXPECT_FALSE(file_exists(dir + "/prog.dbg")) << "no listing, no debug text";
    EXPECT_FALSE(file_exists(dir + "/error.out")) << "only a lower-case -e selects the message file";
    std::vector<omf_rec> recs = read_records(dir + "/prog.omf");
    expect_module_frame(recs, "PROG");
    EXPECT_EQ(recs.size(), 4 + c.expected.size()) << "no source name record without a listing";
    EXPECT_EQ(contents(recs), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PexorBlocks,
    testing::Values(
        block_case{"trailer only", {}, 0, {}, {}},
        block_case{"100 bytes, default block size",
                   counting(100),
                   0x2000,
                   {},
                   {{0x2000, counting_bytes(0, 32)},
                    {0x2020, counting_bytes(32, 32)},
                    {0x2040, counting_bytes(64, 32)},
                    {0x2060, counting_bytes(96, 4)}}},
        block_case{"-W16 is the block size in either case",
                   counting(40),
                   0,
                   {"-W16", "-S"},
                   {{0x0, counting_bytes(0, 16)}, {0x10, counting_bytes(16, 16)}, {0x20, counting_bytes(32, 8)}}},
        block_case{"largest block",
                   counting(130),
                   0x10,
                   {"-w128"},
                   {{0x10, counting_bytes(0, 128)}, {0x90, counting_bytes(128, 2)}}},
        block_case{"0xFF kept without -s",
                   {0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0x56},
                   0x8000,
                   {"-w4"},
                   {{0x8000, {0x12, 0x34, 0xFF, 0xFF}}, {0x8004, {0xFF, 0xFF, 0x56}}}},
        block_case{"0xFF stripped with -s",
                   {0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0x56},
                   0x8000,
                   {"-w4", "-s"},
                   {{0x8000, {0x12, 0x34}}, {0x8006, {0x56}}}},
        block_case{"only 0xFF with -s", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0, {"-s"}, {}},
        block_case{"-S, -E and other letters are ignored",
                   {0xFF, 0x12, 0xFF},
                   0x40,
                   {"-S", "-E", "-x", "-"},
                   {{0x40, {0xFF, 0x12, 0xFF}}}},
        block_case{"0xFF only at the end of the last block with -s",
                   {0x01, 0x02, 0x03, 0x04, 0x05, 0xFF, 0xFF},
                   0x1000,
                   {"-s", "-w4"},
                   {{0x1000, {0x01, 0x02, 0x03, 0x04}}, {0x1004, {0x05}}}},
        block_case{"image ending at the top of the address space",
                   {1, 2, 3},
                   0xFFFD,
                   {},
                   {{0xFFFD, {1, 2, 3}}}}));

TEST(PexorModuleName, TakesFileNameUpToFirstDotUpperCased)
{
    struct {
        const char* input;
        const char* module;
    } cases[] = {
        {"C:\\work\\prog.bin", "PROG"},
        {"build/out/demo.v2.bin", "DEMO"},
        {"plain", "PLAIN"},
        {"mixed_Case9.bin", "MIXED_CASE9"},
        {"a\tb.bin", "A"},
        {"abcdefghijklmnopqrstuvwxyz0123456789.bin", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pexor_module_name(c.input), c.module) << c.input;
}

// Command-line errors: message, abort line and exit code 1, nothing written.
struct cli_case {
    std::vector<std::string> args;
    std::string message;  // after the banner
};

class PexorCommandLine : public testing::TestWithParam<cli_case> {};

TEST_P(PexorCommandLine, ReportsAndStops)
{
    const cli_case& c = GetParam();
    std::string dir = test_folder("cli");
    write_file(dir + "/prog.bin", image({1, 2, 3}, 0));
    run_result r = run_program(pexor, c.args, dir);
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.code, 1);
    std::string message = c.message;
    std::string::size_type at = message.find("%usage%");
    if (at != std::string::npos)
        message.replace(at, 7, usage());
    at = message.find("%prog%");
    if (at != std::string::npos)
        message.replace(at, 6, host_program_path(pexor));
    EXPECT_EQ(r.out, native_text(banner() + message));
    EXPECT_FALSE(file_exists(dir + "/prog.omf"));
    EXPECT_FALSE(file_exists(dir + "/error.out"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PexorCommandLine,
    testing::Values(
        cli_case{{}, "%usage%"},
        cli_case{{"prog.bin"}, "%usage%"},
        cli_case{{"prog.bin", "prog.omf", "-?"}, "%usage%"},
        cli_case{{"prog.bin", "prog.omf", "-e", "-?"}, "%usage%"},
        cli_case{{"prog.bin", "prog.omf", "w16"},
                 "Error: unknown option 'w16'\nError: '%prog%' aborted... ('-?' for help)\n"},
        cli_case{{"prog.bin", "prog.omf", "-w3"},
                 "Error: value out of range\nError: '%prog%' aborted... ('-?' for help)\n"},
        cli_case{{"prog.bin", "prog.omf", "-w129"},
                 "Error: value out of range\nError: '%prog%' aborted... ('-?' for help)\n"},
        cli_case{{"prog.bin", "prog.omf", "-w"},
                 "Error: value out of range\nError: '%prog%' aborted... ('-?' for help)\n"},
        cli_case{{"prog.bin", "prog.omf", "-w1x"},
                 "Error: value out of range\nError: '%prog%' aborted... ('-?' for help)\n"},
        cli_case{{"prog.bin", "prog.omf", "-w99999999999999999999"},
                 "Error: value out of range\nError: '%prog%' aborted... ('-?' for help)\n"}));

// Errors with the files: message on the message stream, exit code 1, and an
// output that existed before is left as it was.
struct file_case {
    const char* what;
    std::string input;  // bytes of prog.bin; empty = no such file
    std::string out_name;
    std::string message;
};

class PexorFileErrors : public testing::TestWithParam<file_case> {};

TEST_P(PexorFileErrors, ReportsAndKeepsPreviousOutput)
{
    const file_case& c = GetParam();
    for (bool to_error_file : {false, true}) {
        std::string dir = test_folder("files");
        if (!c.input.empty())
            write_file(dir + "/prog.bin", c.input);
        write_file(dir + "/prog.omf", "previous");
        std::vector<std::string> args = {"prog.bin", c.out_name};
        if (to_error_file) {
            args.push_back("-e");
            write_file(dir + "/error.out", "earlier\n");
        }
        run_result r = run_program(pexor, args, dir);
        EXPECT_EQ(r.code, 1) << c.what;
        if (to_error_file) {
            EXPECT_EQ(r.out, native_text(banner())) << c.what;
            EXPECT_EQ(read_file(dir + "/error.out"), "earlier\n" + native_text(c.message)) << c.what;
        } else {
            EXPECT_EQ(r.out, native_text(banner() + c.message)) << c.what;
        }
        EXPECT_EQ(read_file(dir + "/prog.omf"), "previous") << c.what;
        EXPECT_EQ(r.err, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PexorFileErrors,
    testing::Values(
        file_case{"no input", "", "prog.omf", "Error: unable to open 'prog.bin'\n"},
        file_case{"output folder missing", image({1}, 0), "no/such/dir/prog.omf",
                  "Error: unable to open 'no/such/dir/prog.omf'\n"},
        file_case{"too short", "\x01\x02\x03", "prog.omf", "Error: input file size <4 or >65524 bytes\n"},
        file_case{"too long", std::string(65525, '\0'), "prog.omf",
                  "Error: input file size <4 or >65524 bytes\n"},
        file_case{"address above 16 bits", image({1, 2}, 0x10000), "prog.omf",
                  "Error: load address $10000 above $ffff does not fit OMF51\n"},
        file_case{"address in the high bytes only", image({1, 2}, 0x01000000), "prog.omf",
                  "Error: load address $1000000 above $ffff does not fit OMF51\n"},
        file_case{"image past 0xffff", image({1, 2, 3, 4}, 0xFFFD), "prog.omf",
                  "Error: image from $fffd to $10000 runs past $ffff\n"}));

TEST(PexorMessageFile, CannotBeOpened)
{
    std::string dir = test_folder("noerrout");
    write_file(dir + "/prog.bin", image({1, 2, 3}, 0));
    fresh_dir(dir + "/error.out");  // a folder in the way
    run_result r = run_program(pexor, {"prog.bin", "prog.omf", "-e"}, dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, native_text(banner() + "Error: '" + host_program_path(pexor) +
                                 "' aborted: Can't open 'error.out'\n"));
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(file_exists(dir + "/prog.omf"));
}

// The record writer by itself: names are cut to 250 characters, and a record
// that outgrows the buffer is refused rather than written short.
TEST(PexorRecords, NameCutAndRecordLimit)
{
    omf_record rec;
    omf_begin(&rec, OMF_SOURCE_NAME);
    omf_name(&rec, std::string(300, 'n'));
    ASSERT_TRUE(omf_finish(&rec));
    std::vector<omf_rec> recs;
    std::string why;
    ASSERT_TRUE(omf_read(std::string(rec.buf, rec.buf + rec.len), &recs, &why)) << why;
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_TRUE(recs[0].checksum_ok);
    EXPECT_EQ(recs[0].length, 252);
    size_t pos = 0;
    EXPECT_EQ(omf_read_name(recs[0], &pos), std::string(250, 'n'));

    // Type, length and checksum take four of the 990 bytes.
    std::vector<uint8_t> data(986, 0xA5);
    omf_begin(&rec, OMF_CONTENT);
    omf_bytes(&rec, data.data(), 986);
    ASSERT_TRUE(omf_finish(&rec));
    EXPECT_EQ(rec.len, OMF_RECORD_MAX);
    ASSERT_TRUE(omf_read(std::string(rec.buf, rec.buf + rec.len), &recs, &why)) << why;
    EXPECT_TRUE(recs[0].checksum_ok);

    omf_begin(&rec, OMF_CONTENT);
    omf_bytes(&rec, data.data(), 986);
    omf_byte(&rec, 0);
    EXPECT_FALSE(omf_finish(&rec));
}

TEST(PexorLimits, LargestImageIsAccepted)
{
    std::string dir = test_folder("largest");
    write_file(dir + "/prog.bin", std::string(65520, '\x5A') + std::string("\0\0\0\x10", 4));
    run_result r = run_program(pexor, {"prog.bin", "prog.omf", "-w128"}, dir);
    EXPECT_EQ(r.code, 0) << r.out;
    std::vector<omf_rec> recs = read_records(dir + "/prog.omf");
    std::vector<content> blocks = contents(recs);
    ASSERT_EQ(blocks.size(), 512u);
    EXPECT_EQ(blocks.back().offset, 0x10u + 511 * 128);
    EXPECT_EQ(blocks.back().data.size(), 65520u - 511 * 128);
}

TEST(PexorMessageFile, SilentOnConsoleAndAppendsNothingOnSuccess)
{
    std::string dir = test_folder("silent");
    write_file(dir + "/prog.bin", image({0x75, 0x81, 0x30, 0x04, 0x80, 0xFD, 1, 2, 3, 4, 5, 6, 7}, 0x100));
    write_file(dir + "/prog.lst", read_file(data_dir + "/prog.lst"));
    write_file(dir + "/error.out", "earlier\n");
    run_result r = run_program(pexor, {"prog.bin", "prog.omf", "-e"}, dir);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, native_text(banner()));
    EXPECT_EQ(read_file(dir + "/error.out"), "earlier\n");
    EXPECT_EQ(read_records(dir + "/prog.omf").size(), 11u);
}

TEST(PexorListingLookup, ListingNameFollowsBinExtension)
{
    // Only an input ending in ".bin" (any case) looks for its listing.
    std::string dir = test_folder("lookup");
    write_file(dir + "/prog.img", image({1}, 0));
    write_file(dir + "/prog.lst", read_file(data_dir + "/prog.lst"));
    write_file(dir + "/CAPS.BIN", image({1}, 0));
    write_file(dir + "/CAPS.lst", read_file(data_dir + "/prog.lst"));

    run_result r = run_program(pexor, {"prog.img", "a.omf"}, dir);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.find("LST-File"), std::string::npos);
    EXPECT_FALSE(file_exists(dir + "/prog.dbg"));

    r = run_program(pexor, {"CAPS.BIN", "b.omf"}, dir);
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find(native_text("   LST-File found ('CAPS.lst)\n")), std::string::npos) << r.out;
    EXPECT_TRUE(file_exists(dir + "/CAPS.dbg"));
    std::vector<omf_rec> recs = read_records(dir + "/b.omf");
    ASSERT_GE(recs.size(), 3u);
    size_t pos = 3;
    EXPECT_EQ(omf_read_name(recs[2], &pos), "CAPS.dbg");
}

// Listing lines that a debug record cannot carry are refused, and nothing is
// put in place of the earlier outputs.
TEST(PexorListing, RefusesCodeRowAbove16Bits)
{
    std::string dir = test_folder("wide");
    write_file(dir + "/prog.bin", image({1, 2}, 0));
    write_file(dir + "/prog.lst", "listing:prog.lst, Wed Dec  9 21:00:00 2026\n"
                                  "co:10000: 01 02          :   .dc.b 1,2\n");
    write_file(dir + "/prog.dbg", "previous");
    run_result r = run_program(pexor, {"prog.bin", "prog.omf"}, dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, native_text(banner() +
                                 "   Loadaddress:  $0000 (hex.)\n"
                                 "   BIN-Filesize: 2 bytes (dez.)\n"
                                 "   LST-File found ('prog.lst)\n"
                                 "Error: address $10000 in 'prog.lst' above $ffff does not fit OMF51\n"));
    EXPECT_FALSE(file_exists(dir + "/prog.omf"));
    EXPECT_EQ(read_file(dir + "/prog.dbg"), "previous");
}

TEST(PexorListing, DebugTextThatCannotBeCreated)
{
    std::string dir = test_folder("nodbg");
    write_file(dir + "/prog.bin", image({1, 2}, 0));
    write_file(dir + "/prog.lst", read_file(data_dir + "/prog.lst"));
    fresh_dir(dir + "/prog.dbg");  // a folder where the file should go
    run_result r = run_program(pexor, {"prog.bin", "prog.omf"}, dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find(native_text("   LST-File found ('prog.lst)\nError: Can't open 'prog.dbg' for writing!\n")),
              std::string::npos)
        << r.out;
    EXPECT_FALSE(file_exists(dir + "/prog.omf"));
}

TEST(PexorListing, LineEndsAndOverlongLines)
{
    // CR LF line ends (a listing from a Windows machine read elsewhere), a
    // line far longer than any buffer, and a last line without line end.
    std::string dir = test_folder("ends");
    write_file(dir + "/prog.bin", image({1, 2}, 0x40));
    std::string lst = "listing:prog.lst\r\n" + std::string(2000, 'x') + "\r\n" +
                      "co:0040: 01 02          :   .dc.b 1,2";
    write_file(dir + "/prog.lst", lst);
    run_result r = run_program(pexor, {"prog.bin", "prog.omf"}, dir);
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(read_file(dir + "/prog.dbg"),
              crlf_text("listing:prog.lst\n" + std::string(99, 'x') + "\n" +
                        "co:0040: 01 02          :   .dc.b 1,2\n"));
    std::vector<omf_rec> recs = read_records(dir + "/prog.omf");
    ASSERT_EQ(recs.size(), 7u);
    ASSERT_EQ(recs[4].type, 0x22);
    size_t pos = 2;
    EXPECT_EQ(omf_read_word(recs[4], &pos), 0x40u);
    EXPECT_EQ(omf_read_word(recs[4], &pos), 3u);
}

#ifndef _WIN32
TEST(PexorWriteErrors, FullDiskIsAWriteError)
{
    std::string dir = test_folder("full");
    write_file(dir + "/prog.bin", image({1, 2, 3}, 0));
    run_result r = run_program(pexor, {"prog.bin", "/dev/full"}, dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, banner() +
                         "   Loadaddress:  $0000 (hex.)\n"
                         "   BIN-Filesize: 3 bytes (dez.)\n"
                         "Error: unable to write '/dev/full'\n");
}
#endif

}  // namespace
