// Fixups: the postfix evaluator, the eight encodings and their range checks.
#include "linker/tests/link_fixture.h"

#include <gtest/gtest.h>

namespace {

struct fixup_case {
    const char* what;
    const char* org;        // of the code segment (hexadecimal)
    const char* ref;        // kind, then location offset and expression
    std::string bytes;      // the first four bytes of the image
    const char* message;    // "" for none
};

class Fixup : public testing::TestWithParam<fixup_case> {};

// One code segment of four zero bytes at the given org; source file f.a51.
TEST_P(Fixup, PatchesAndChecks)
{
    enter_scratch_folder();
    const fixup_case& c = GetParam();
    std::string ref = c.ref;
    size_t blank = ref.find(' ');
    std::string line = "ref " + ref.substr(0, blank) + " #0:1a @0:" + ref.substr(blank + 1);
    write_object("a.obj", {"import:ext", "segment:code @0:" + std::string(c.org) + " u:4", "00 00 00 00", "src:f.a51 #0", line});
    link_result r = run_link({"a", "-n", "-oout.bin"});
    std::string expected = c.message;
    if (expected.empty()) {
        EXPECT_EQ(r.messages, "");
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(read_file("out.bin").substr(0, 4), c.bytes);
        return;
    }
    EXPECT_EQ(r.messages.rfind(expected, 0), 0u) << r.messages;
    if (expected.rfind("Warning", 0) == 0) {
        EXPECT_EQ(read_file("out.bin").substr(0, 4), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, Fixup,
    testing::Values(
        fixup_case{"byte", "0", "byte 0 255", b({0xff, 0, 0, 0}), ""},
        fixup_case{"byte_minus_one", "0", "byte 0 -1", b({0xff, 0, 0, 0}), ""},
        fixup_case{"byte_256_warns", "0", "byte 0 256", b({0, 0, 0, 0}), "Warning: f.a51 26: value out of range\n"},
        fixup_case{"byte_minus_129_warns", "0", "byte 0 -129", b({0x7f, 0, 0, 0}), "Warning: f.a51 26: value out of range\n"},
        fixup_case{"w_hl", "0", "w_hl 0 4660", b({0x12, 0x34, 0, 0}), ""},
        fixup_case{"w_lh", "0", "w_lh 0 4660", b({0x34, 0x12, 0, 0}), ""},
        fixup_case{"w_hl_negative", "0", "w_hl 0 -32768", b({0x80, 0, 0, 0}), ""},
        fixup_case{"w_hl_too_big", "0", "w_hl 0 65536", b({0, 0, 0, 0}), "Warning: f.a51 26: value out of range\n"},
        fixup_case{"l_hl", "0", "l_hl 0 305419896", b({0x12, 0x34, 0x56, 0x78}), ""},
        fixup_case{"shift_out_all_bits", "0", "l_hl 0 1 32 <<", b({0, 0, 0, 0}), ""},
        fixup_case{"shift_right_keeps_the_sign", "0", "l_hl 0 -8 40 >>", b({0xff, 0xff, 0xff, 0xff}), ""},
        fixup_case{"l_lh", "0", "l_lh 0 305419896", b({0x78, 0x56, 0x34, 0x12}), ""},
        fixup_case{"location", "10", "w_hl 0 @0:3", b({0, 0x13, 0, 0}), ""},
        fixup_case{"absolute_location", "10", "w_hl 0 @m:3", b({0, 3, 0, 0}), ""},
        fixup_case{"ajmp_same_block", "7f0", "ajmp 0 2047", b({0xe1, 0xff, 0, 0}), ""},
        fixup_case{"acall_same_block", "7f0", "acall 0 1792", b({0xf1, 0x00, 0, 0}), ""},
        // After the instruction at 0x7FE the next block begins.
        fixup_case{"ajmp_next_block", "7fe", "ajmp 0 2048", b({0x01, 0x00, 0, 0}), ""},
        fixup_case{"ajmp_beyond_block", "7f0", "ajmp 0 2048", "", "Error: f.a51 26: value out of range\n"},
        fixup_case{"rbyte_forward", "100", "rbyte 0 384", b({0x7f, 0, 0, 0}), ""},
        fixup_case{"rbyte_backward", "100", "rbyte 0 129", b({0x80, 0, 0, 0}), ""},
        fixup_case{"rbyte_too_far", "100", "rbyte 0 385", "", "Error: f.a51 26: value out of range\n"},
        fixup_case{"rbyte_too_far_back", "100", "rbyte 0 128", "", "Error: f.a51 26: value out of range\n"}),
    [](const testing::TestParamInfo<fixup_case>& info) { return std::string(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Operators, Fixup,
    testing::Values(
        fixup_case{"or", "0", "l_hl 0 6 3 |", b({0, 0, 0, 7}), ""},
        fixup_case{"logical_or", "0", "l_hl 0 0 3 ||", b({0, 0, 0, 1}), ""},
        fixup_case{"and", "0", "l_hl 0 6 3 &", b({0, 0, 0, 2}), ""},
        fixup_case{"logical_and", "0", "l_hl 0 6 0 &&", b({0, 0, 0, 0}), ""},
        fixup_case{"shift_left", "0", "l_hl 0 1 3 <<", b({0, 0, 0, 8}), ""},
        fixup_case{"shift_right_keeps_sign", "0", "l_hl 0 -16 2 >>", b({0xff, 0xff, 0xff, 0xfc}), ""},
        fixup_case{"compare_signed", "0", "l_hl 0 -1 1 <", b({0, 0, 0, 1}), ""},
        fixup_case{"compare_chain", "0", "l_hl 0 2 3 <= 2 3 >= + 2 2 == + 2 3 != + 3 2 > +", b({0, 0, 0, 4}), ""},
        fixup_case{"arithmetic", "0", "l_hl 0 7 3 * 2 - 5 +", b({0, 0, 0, 24}), ""},
        fixup_case{"wraps", "0", "l_hl 0 2147483647 1 +", b({0x80, 0, 0, 0}), ""},
        fixup_case{"quotient_truncates", "0", "l_hl 0 -7 2 /", b({0xff, 0xff, 0xff, 0xfd}), ""},
        fixup_case{"remainder", "0", "l_hl 0 -7 2 %", b({0xff, 0xff, 0xff, 0xff}), ""},
        fixup_case{"xor", "0", "l_hl 0 6 3 ^", b({0, 0, 0, 5}), ""},
        fixup_case{"unary", "0", "l_hl 0 0 ! 5 -U + 0 ~ +", b({0xff, 0xff, 0xff, 0xfb}), ""},
        fixup_case{"bit_in_bit_area", "0", "byte 0 33 3 .", b({11, 0, 0, 0}), ""},
        fixup_case{"bit_of_register", "0", "byte 0 136 2 .", b({138, 0, 0, 0}), ""},
        fixup_case{"bit_not_addressable", "0", "byte 0 48 1 .", "", "Error: f.a51 26: operand not bit addressable\n"},
        fixup_case{"bit_number", "0", "byte 0 33 8 .", "", "Error: f.a51 26: bit number out of range (0..7)\n"},
        fixup_case{"division_by_zero", "0", "byte 0 5 0 /", "", "Error: f.a51 26: division by 0 in expression\n"},
        fixup_case{"remainder_by_zero", "0", "byte 0 5 0 %", "", "Error: f.a51 26: division by 0 in expression\n"},
        fixup_case{"two_values_left", "0", "byte 0 1 2", "", "Error: f.a51 26: expression error\n"},
        fixup_case{"operator_alone", "0", "byte 0 +", "", "Error: f.a51 26: expression error\n"},
        fixup_case{"undefined_name", "0", "byte 0 nosuch", "", "Error: f.a51 26: identifier 'nosuch' undefined\n"},
        fixup_case{"unresolved_import", "0", "byte 0 ext", "", "Error: f.a51 26: unresolved reference to 'ext'\n"},
        fixup_case{"every_undefined_name_is_reported", "0", "byte 0 nosuch ext + 1", "",
                   "Error: f.a51 26: identifier 'nosuch' undefined\n"
                   "Error: f.a51 26: unresolved reference to 'ext'\nError: 2 errors found\n"},
        fixup_case{"unknown_kind", "0", "word 0 1", "", "Error: a.obj: corrupt line: 'word #0:1a @0:0 1'\n"},
        fixup_case{"unknown_operator", "0", "byte 0 1 2 ?", "", "Error: a.obj: corrupt line: '?'\n"},
        fixup_case{"name_of_a_segment", "0", "byte 0 code", "", "Error: a.obj: corrupt line: 'code'\n"}),
    [](const testing::TestParamInfo<fixup_case>& info) { return std::string(info.param.what); });

TEST(Fixups, MessagesOfALibraryMemberNameTheLibrary)
{
    enter_scratch_folder();
    write_object("a.obj", {"import:mul", "segment:code @0:0 u:3", "12 00 00", "src:a.a51 #0", "ref w_hl #0:1 @0:1 mul"});
    write_lines("rt.lib", object_lines("mul.obj", {"export:mul @0:0", "segment:mulc @0:m u:1", "00", "src:x.s51 #0",
                                                   "src:mul.s51 #1", "ref byte #1:1a @0:0 256"}));
    link_result r = run_link({"a", "-lrt", "-o-"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages, "Warning: mul.s51 26: (in rt.lib): value out of range\n");
}

TEST(Fixups, IntoAStrippedSubsegmentChangeNothing)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "22", "segment:unused @1:m u:1", "00", "src:a.a51 #0",
                           "ref byte #0:1 @1:0 5 0 /"});
    link_result r = run_link({"a", "-oout.bin"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.messages, "");
    EXPECT_EQ(read_file("out.bin"), std::string("\x22\0\0\0\0", 5));
}

TEST(Fixups, ABadPositionIsACorruptLine)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:1", "00", "src:a.a51 #0", "ref byte 0:1 @0:0 256"});
    link_result r = run_link({"a", "-o-"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: a.obj: corrupt line: '0:1 @0:0 256'\n");
}

} // namespace
