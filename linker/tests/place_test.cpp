// Placement by storage class: addresses, load addresses of initialised data,
// linker symbols and the limits of each memory.
#include "linker/tests/link_fixture.h"
#include "linker/model.h"
#include "linker/names.h"
#include "linker/place.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessel;

namespace {

link_segment* segment(const char* name)
{
    return static_cast<link_segment*>(name_find(name, true)->payload);
}

int32_t symbol(const char* name)
{
    return static_cast<public_symbol*>(name_find(name, true)->payload)->value;
}

std::vector<std::string> bytes(int count)
{
    std::string line;
    for (int i = 0; i < count; ++i)
        line += (i ? " " : "") + std::string("00");
    return {line};
}

// An object of the given segment lines; "+N" after a segment line adds N
// content bytes.
void write_segments(const std::string& name, const std::vector<std::string>& segments,
                    const std::vector<std::string>& extra = {})
{
    std::vector<std::string> body = extra;
    for (const std::string& s : segments) {
        if (s[0] == '+') {
            std::vector<std::string> b = bytes(std::stoi(s.substr(1)));
            body.insert(body.end(), b.begin(), b.end());
        } else {
            body.push_back(s);
        }
    }
    body.push_back("src:p.a51 #0");
    write_object(name, body);
}

TEST(Placement, AnEntryAboveZeroBecomesTheTextOffset)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:100 u:2", "+2"}, {"import:__text_org__"});
    link_result r = run_link({"a", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(options.text_offset, 0x100);
    EXPECT_EQ(symbol("__text_org__"), 0x100);
}

TEST(Placement, StartOffsetMovesFixedCode)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:2", "+2", "segment:more @1:m u:1", "+1"});
    link_result r = run_link({"a", "-o-", "-n", "-r$100"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(segment("code")->org, 0x100);
    EXPECT_EQ(segment("more")->org, 0x102);

    write_segments("a.obj", {"segment:code @0:10 u:2", "+2"});
    r = run_link({"a", "-o-", "-n", "-r$100"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages.rfind("Error: option '-r..' and entry point not $0 in sclass 'text' (segment 'code')\n", 0), 0u)
        << r.messages;
}

TEST(Placement, AMovableSegmentTakesAGapOnlyWhenItEndsBelowTheFixedOne)
{
    enter_scratch_folder();
    // Cursor 0x10 after the entry: 10 bytes end at 0x1A, below 0x20.
    write_segments("a.obj", {"segment:entry @0:0 u:10", "+16", "segment:fixed @1:20 u:2", "+2",
                             "segment:mov @2:m u:a", "+10"});
    ASSERT_EQ(run_link({"a", "-o-", "-n"}).code, 0);
    EXPECT_EQ(segment("mov")->org, 0x10);
    // Cursor 0x16: it would end exactly at 0x20, so the fixed one goes first.
    write_segments("a.obj", {"segment:entry @0:0 u:16", "+22", "segment:fixed @1:20 u:2", "+2",
                             "segment:mov @2:m u:a", "+10"});
    ASSERT_EQ(run_link({"a", "-o-", "-n"}).code, 0);
    EXPECT_EQ(segment("mov")->org, 0x22);
    std::vector<std::string> order;
    for (link_segment* s : placed)
        order.push_back(s->entry->name);
    EXPECT_EQ(order, (std::vector<std::string>{"entry", "fixed", "mov"}));
}

TEST(Placement, AlignAndPageRaiseAMovableStart)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:entry @0:0 u:1f0", "+496", "segment:paged @1:m u:20 p:100", "+32",
                             "segment:aligned @2:m u:1 a:8", "+1"});
    ASSERT_EQ(run_link({"a", "-o-", "-n"}).code, 0);
    // Sorted by align before page: the aligned byte goes to 0x1F0 first.
    EXPECT_EQ(segment("aligned")->org, 0x1F0);
    EXPECT_EQ(segment("paged")->org, 0x200);
}

struct placement_error {
    const char* what;
    std::vector<std::string> segments;
    const char* message;
};

class PlacementError : public testing::TestWithParam<placement_error> {};

TEST_P(PlacementError, IsReported)
{
    enter_scratch_folder();
    write_segments("a.obj", GetParam().segments);
    link_result r = run_link({"a", "-o-", "-n"});
    EXPECT_NE(r.messages.find(GetParam().message), std::string::npos) << r.messages;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementError,
    testing::Values(
        placement_error{"first_not_text", {"segment:d @0:m u:1 n c:dram"}, "Error: wrong sclass 'dram' for first segment\n"},
        placement_error{"no_entry", {"segment:code @0:m u:1", "+1"}, "Error: no entry point (org $0) in sclass 'text'\n"},
        placement_error{"fixed_misaligned", {"segment:code @0:0 u:1", "+1", "segment:b @1:3 u:1 a:4", "+1"},
                        "Error: can't align segment 'b', sclass 'text' to $4\n"},
        placement_error{"fixed_across_page", {"segment:code @0:0 u:1", "+1", "segment:b @1:fe u:4 p:100", "+4"},
                        "Error: segment 'b', sclass 'text', size $4 doesn't fit in page $100\n"},
        placement_error{"code_overlay", {"segment:code @0:0 u:4", "+4", "segment:b @1:2 u:1", "+1"},
                        "Error: segment 'b' overlay in sclass 'text' at address $2\n"},
        placement_error{"reserved_overlay_warns",
                        {"segment:code @0:0 u:1", "+1", "segment:x1 @1:0 u:4 n c:xram", "segment:x2 @2:2 u:4 n c:xram"},
                        "Warning: segment 'x2' overlay in sclass 'xram' at address $2\n"},
        placement_error{"fill_without_size", {"segment:code @0:0 u:1", "+1", "segment:f @1:m u:0 n f c:iram"},
                        "Error: f: segment classsified 'fill' but without size set\n"},
        placement_error{"segment_full", {"segment:code @0:0 s:2 u:3", "+3"}, "Error: segment 'code' full (maxsize: 2)\n"},
        placement_error{"dram_past_128", {"segment:code @0:0 u:1", "+1", "segment:d @1:70 u:11 n c:dram"},
                        "Error: d: out of memory (full), sclass 'dram' at address $70 (max. addr. $80)\n"},
        placement_error{"iram_past_256", {"segment:code @0:0 u:1", "+1", "segment:i @1:m u:101 n c:iram"},
                        "Error: i: out of memory (full), sclass 'iram' at address $0 (max. addr. $100)\n"}),
    [](const testing::TestParamInfo<placement_error>& info) { return std::string(info.param.what); });

// Addresses near the top of the 32-bit range: their sums must not wrap
// past the limit check (a wrapped end once passed it and the image writer
// went on to a 2 GB file). Each is refused like any address past the limit,
// and no output, finished or temporary, is left behind.
struct far_case {
    const char* what;
    std::vector<std::string> segments;
    std::vector<std::string> options;
    const char* message;
};

class FarAddress : public testing::TestWithParam<far_case> {};

TEST_P(FarAddress, IsOutOfMemoryAndWritesNothing)
{
    enter_scratch_folder();
    write_segments("a.obj", GetParam().segments);
    std::vector<std::string> args = {"a", "-oout.bin", "-n", "-s", "-m"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    link_result r = run_link(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.messages.find(GetParam().message), std::string::npos) << r.messages;
    for (const char* file : {"out.bin", "out.bin.tmp", "out.lst", "out.mem"})
        EXPECT_FALSE(file_exists(file)) << file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FarAddress,
    testing::Values(
        far_case{"above_the_limit", {"segment:code @0:0 u:1", "+1", "segment:b @1:300000 u:14", "+20"}, {},
                 "Error: b: out of memory (full), sclass 'text' at address $300000 (max. addr. $1fffe0)\n"},
        far_case{"end_past_32_bits", {"segment:code @0:0 u:1", "+1", "segment:b @1:7ffffff0 u:14", "+20"}, {},
                 "Error: b: out of memory (full), sclass 'text' at address $7ffffff0 (max. addr. $1fffe0)\n"},
        far_case{"entry_past_32_bits", {"segment:code @0:7ffffff0 u:14", "+20"}, {},
                 "Error: code: out of memory (full), sclass 'text' at address $7ffffff0 (max. addr. $1fffe0)\n"},
        far_case{"offset_past_32_bits", {"segment:code @0:0 u:1", "+1", "segment:b @1:20 u:1", "+1"},
                 {"-r$7ffffff0"},
                 "Error: code: out of memory (full), sclass 'text' at address $7ffffff0 (max. addr. $1fffe0)\n"},
        far_case{"movable_after_far_xram",
                 {"segment:code @0:0 u:1", "+1", "segment:x1 @1:7fffff00 u:100 n c:xram", "segment:x2 @2:m u:200 n c:xram"},
                 {},
                 "Error: x1: out of memory (full), sclass 'xram' at address $7fffff00 (max. addr. $1fffe0)\n"}),
    [](const testing::TestParamInfo<far_case>& info) { return std::string(info.param.what); });

TEST(Placement, DirectRamMayEndExactlyAt128)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:1", "+1", "segment:d @1:70 u:10 n c:dram"}, {"import:__stack_org__"});
    link_result r = run_link({"a", "-o-", "-n"});
    EXPECT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(symbol("__stack_org__"), 0x80);
}

TEST(Placement, InternalRamRowsFollowEachOther)
{
    enter_scratch_folder();
    // Bits 0..9, then direct RAM after the bit-addressable bytes in use, then
    // indirect RAM after direct RAM.
    write_segments("a.obj", {"segment:code @0:0 u:1", "+1", "segment:flags @1:m u:a n c:bit",
                             "segment:vars @2:m u:3 n c:dram", "segment:buf @3:m u:4 n c:iram"},
                   {"import:__stack_org__"});
    link_result r = run_link({"a", "-o-", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(segment("flags")->org, 0);
    EXPECT_EQ(segment("vars")->org, 34);
    EXPECT_EQ(segment("buf")->org, 37);
    EXPECT_EQ(symbol("__stack_org__"), 41);

    write_segments("a.obj", {"segment:code @0:0 u:1", "+1", "segment:flags @1:m u:a n c:bit"}, {"import:__stack_org__"});
    ASSERT_EQ(run_link({"a", "-o-", "-n"}).code, 0);
    EXPECT_EQ(symbol("__stack_org__"), 34);
}

TEST(Placement, IndirectRamFollowsDirectRamThatStartsFixed)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:1", "+1", "segment:bank @1:30 u:8 n c:dram",
                             "segment:buf @2:m u:4 n c:iram"});
    ASSERT_EQ(run_link({"a", "-o-", "-n"}).code, 0);
    EXPECT_EQ(segment("buf")->org, 0x38);
}

TEST(Placement, InitialisedDataFillsAGapInTheCodeImage)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:4", "+4", "segment:high @1:a u:2", "11 22",
                             "segment:init @2:m u:4 c:xram", "01 02 03 04"},
                   {"import:__init_load__", "import:__init_org__", "import:__bin_size__"});
    link_result r = run_link({"a", "-oout.bin", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(symbol("__init_load__"), 4);
    EXPECT_EQ(symbol("__init_org__"), 0);
    EXPECT_EQ(symbol("__bin_size__"), 12);
    EXPECT_EQ(read_file("out.bin"), std::string("\0\0\0\0\x01\x02\x03\x04\xff\xff\x11\x22\0\0\0\0", 16));
}

TEST(Placement, DataWithoutAGapFollowsTheCode)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:2", "+2", "segment:init @1:m u:2 c:dram", "05 06"},
                   {"import:__text_size__"});
    link_result r = run_link({"a", "-oout.bin", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(segment("init")->load, 2);
    EXPECT_EQ(segment("init")->org, 0x20);
    EXPECT_EQ(symbol("__text_size__"), 4);
    EXPECT_EQ(read_file("out.bin"), std::string("\0\0\x05\x06\0\0\0\0", 8));
}

TEST(LinkerSymbols, MayNotBeExportedByAnObject)
{
    enter_scratch_folder();
    write_segments("a.obj", {"segment:code @0:0 u:1", "+1"}, {"export:__code_org__ @0:0"});
    link_result r = run_link({"a", "-o-", "-n"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages.rfind("Error: identifier '__code_org__' already exported in 'a.obj'\n", 0), 0u) << r.messages;
}

TEST(SegmentOrder, IsAStrictWeakOrder)
{
    // Every combination of fixed or movable, page and align in two classes.
    std::vector<link_segment> all;
    for (int sclass : {0, 3})
        for (int32_t org : {-1, 0, 0x10})
            for (int32_t page : {0, 0x100})
                for (int32_t align : {0, 2, 4}) {
                    link_segment s{};
                    s.sclass = sclass;
                    s.org = org;
                    s.page = page;
                    s.align = align;
                    all.push_back(s);
                }
    for (const link_segment& a : all) {
        EXPECT_FALSE(segment_before(&a, &a));
        for (const link_segment& b : all) {
            if (segment_before(&a, &b)) {
                EXPECT_FALSE(segment_before(&b, &a));
            }
            for (const link_segment& c : all) {
                if (segment_before(&a, &b) && segment_before(&b, &c)) {
                    EXPECT_TRUE(segment_before(&a, &c));
                }
                bool ab = !segment_before(&a, &b) && !segment_before(&b, &a);
                bool bc = !segment_before(&b, &c) && !segment_before(&c, &b);
                bool ac = !segment_before(&a, &c) && !segment_before(&c, &a);
                if (ab && bc) {
                    EXPECT_TRUE(ac);
                }
            }
        }
    }
}

} // namespace
