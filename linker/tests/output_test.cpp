// Listing, memory map, overview and definition file: their exact layouts.
#include "linker/tests/link_fixture.h"

#include <gtest/gtest.h>

namespace {

// The listing without its first line (path and time of writing).
std::string listing_body(const std::string& path, std::string* first = nullptr)
{
    std::string text = read_file(path);
    size_t end = text.find("\r\n");
    if (first)
        *first = text.substr(0, end);
    return without_cr(text.substr(end + 2));
}

TEST(Listing, ShowsFinalAddressesAndBytesWithTheSeparatorInColumn24)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:100 u:7", "01 02 03 04 05 06 07", "segment:far @1:10000 u:1", "22",
                           "segment:vars @2:m u:2 n c:dram", "segment:gone @3:m u:1", "00", "src:a.a51 #0",
                           "ref byte #0:1 @0:0 @2:0", "objectdebug", "dtx ; first", "dco @0:0 u:7 seven",
                           "dhl high", "dco @1:0 u:1 far", "dtx after far", "dco @2:0 u:2 reserve", "dtx ",
                           "dco @3:0 u:1 gone", "def:lab @0:5", "def:k @m:2a", "def:lost @3:0"});
    write_object("b.obj", {"segment:more @0:m u:0"});
    write_lines("rt.lib", object_lines("m.obj", {"export:m @0:0", "segment:mc @0:m u:0"}));
    write_object("c.obj", {"import:m", "segment:c2 @0:10001 u:0"});
    link_result r = run_link({"a", "b", "c", "-lrt", "-oout.bin", "-o-", "-s"});
    ASSERT_EQ(r.code, 0) << r.messages;
    std::string first;
    EXPECT_EQ(listing_body("out.lst", &first),
              "objectfile:a.obj:\n"
              "                        : ; first\n"
              "co:0100: 20 02 03 04 05 : seven\n"
              "co:0105: 06 07          :\n"
              "                        :>high\n"
              "co:10000: 22             : far\n"
              "                         : after far\n"
              "dr:0020: xx xx          : reserve\n"
              "                        : \n"
              "                        : gone\n"
              "=                   lab =   105 (hex),    261 (dez), text\n"
              "=                     k =    2a (hex),     42 (dez)\n"
              "\n"
              "objectfile:b.obj:\n"
              "\n"
              "objectfile:c.obj:\n"
              "\n"
              "objectfile:m.obj: (in rt.lib):\n"
              "\n");
    // "listing:out.lst, " and the 24-character calendar time.
    EXPECT_EQ(first.rfind("listing:out.lst, ", 0), 0u);
    EXPECT_EQ(first.size(), std::string("listing:out.lst, ").size() + 24);
}

// Reserved space shows no bytes: however large its count, it is listed in
// at most three rows, and a count near the top of the 32-bit range ends.
TEST(Listing, AReservationIsListedInAtMostThreeRows)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "00", "segment:buf @1:m u:1000 n c:xram", "src:a.a51 #0",
                           "objectdebug", "dco @1:0 u:f small", "dco @1:0 u:10 sixteen", "dco @1:0 u:1000 buffer",
                           "dco @1:0 u:ffffffff corrupt count"});
    link_result r = run_link({"a", "-oout.bin", "-o-", "-s", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(listing_body("out.lst"),
              "objectfile:a.obj:\n"
              "xr:0000: xx xx xx xx xx : small\n"
              "xr:0005: xx xx xx xx xx :\n"
              "xr:000a: xx xx xx xx xx :\n"
              "xr:0000: xx xx xx xx xx : sixteen\n"
              "                        : ... 16 bytes reserved\n"
              "xr:000f: xx             :\n"
              "xr:0000: xx xx xx xx xx : buffer\n"
              "                        : ... 4096 bytes reserved\n"
              "xr:0fff: xx             :\n"
              "xr:0000: xx xx xx xx xx : corrupt count\n"
              "                        : ... 4294967295 bytes reserved\n"
              "xr:fffffffa: xx xx xx xx xx :\n"
              "\n");
}

TEST(Listing, ABadDebugLineIsCorrupt)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "00", "src:a.a51 #0", "objectdebug", "dco @0:0 code"});
    link_result r = run_link({"a", "-oout.bin", "-s"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: a.obj: corrupt line: 'dco @0:0 code'\n");
    // The listing stopped half written: neither it nor its temporary stays.
    EXPECT_FALSE(file_exists("out.lst"));
    EXPECT_FALSE(file_exists("out.lst.tmp"));
}

TEST(MemoryMap, ListsClassesSegmentsAndOverlays)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:2", "01 02", "segment:init @1:m u:2 c:dram", "05 06",
                           "segment:pool @2:m s:10 u:0 n f c:xram", "segment:dA @3:m s:4 u:0 n f c:iram r",
                           "segment:dB @4:m s:2 u:0 n f c:iram", "sgraph:dA dB code", "src:a.a51 #0"});
    link_result r = run_link({"a", "-n", "-oout.bin", "-m"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(without_cr(read_file("out.mem")),
              "binary:out.bin start:0 end:3 size:4\n"
              "sclass:text start:0 end:3 size:4\n"
              "sclass:xram start:0 end:f size:10\n"
              "sclass:dram start:20 end:21 size:2\n"
              "sclass:iram start:22 end:27 size:6\n"
              "segment:code sclass:text start:0 end:1 size:2\n"
              "segment:pool sclass:xram start:0 maxsize:10 notext fill\n"
              "segment:init sclass:dram start:20 end:21 size:2 load:2\n"
              "segment:dA sclass:iram start:22 maxsize:6 notext fill\n"
              "segment:dB sclass:iram start:26 maxsize:2 notext fill\n"
              "sgraphmaxlevel:1 roots:1\n"
              "sgraph:0 segment:dA level:0 explicitroot\n"
              "sgraph:0 segment:dB level:1\n");
    // With -e the overview goes to the error file.
    EXPECT_EQ(r.messages,
              "Binary 'out.bin': start: $0, end: $3, total size: $4/(dec.)4 bytes, used (dec.)4 bytes\n"
              "Sclass 'text': start: $0, end: $3 size: $4/(dec.)4 Bytes\n"
              "Sclass 'xram': start: $0, end: $f size: $10/(dec.)16 Bytes\n"
              "Sclass 'dram': start: $20, end: $21 size: $2/(dec.)2 Bytes\n"
              "Sclass 'iram': start: $22, end: $27 size: $6/(dec.)6 Bytes\n");
}

TEST(MemoryMap, ADroppedSegmentIsNotListed)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "22", "segment:unused @1:m u:1", "00", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin", "-m"}).code, 0);
    EXPECT_EQ(without_cr(read_file("out.mem")),
              "binary:out.bin start:0 end:0 size:1\n"
              "sclass:text start:0 end:0 size:1\n"
              "segment:code sclass:text start:0 end:0 size:1\n");
}

TEST(DefinitionFile, GivesDefinitionsAndLabelsInNameTableOrder)
{
    enter_scratch_folder();
    write_object("a.obj", {"import:__code_org__", "import:never", "define:k1 a", "define:k2 fffffffe",
                           "export:lab @0:1", "segment:code @0:0 u:2", "00 00", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin", "-d"}).code, 0);
    // k1 hashes to bucket 231, k2 to 228, lab to 272.
    const std::string header = "// Definitions and labels file 'out.den' (generated)\n\n";
    const std::string definitions = "// Definitions:\n#define k2 -2\n#define k1 10\n\n";
    std::string full = without_cr(read_file("out.den"));
    EXPECT_EQ(full.rfind(header + definitions + "// Labels:\n", 0), 0u) << full;
    EXPECT_NE(full.find("#define lab 0x1\n"), std::string::npos);
    EXPECT_NE(full.find("#define __code_org__ 0x0\n"), std::string::npos);
    EXPECT_EQ(full.find("never"), std::string::npos);
    EXPECT_EQ(full.substr(full.size() - 8), "\n// End\n");

    ASSERT_EQ(run_link({"a", "-oout.bin", "-dd"}).code, 0);
    EXPECT_EQ(without_cr(read_file("out.den")), header + definitions);
    ASSERT_EQ(run_link({"a", "-oout.bin", "-dl"}).code, 0);
    EXPECT_EQ(without_cr(read_file("out.den")).rfind(header + "// Labels:\n", 0), 0u);
}

TEST(OutputFiles, EndTheirLinesWithCrLf)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "22", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin", "-m", "-s", "-d"}).code, 0);
    for (const char* path : {"out.lst", "out.mem", "out.den"}) {
        std::string text = read_file(path);
        size_t lfs = 0, crlfs = 0;
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                ++lfs;
                crlfs += i > 0 && text[i - 1] == '\r';
            }
        EXPECT_GT(lfs, 0u) << path;
        EXPECT_EQ(lfs, crlfs) << path;
    }
}

} // namespace
