// The binary image: 0xFF in gaps, the optional CRC and the address trailer.
#include "linker/image.h"
#include "linker/tests/link_fixture.h"
#include "linker/model.h"
#include "linker/names.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tessel;

namespace {

uint16_t crc_of(int mode, const char* text)
{
    crc_reset();
    return crc_update(mode, reinterpret_cast<const uint8_t*>(text), std::strlen(text));
}

TEST(Crc16, MatchesTheCatalogueCheckValues)
{
    EXPECT_EQ(crc_of(1, "123456789"), 0x4B37);  // CRC-16/MODBUS
    EXPECT_EQ(crc_of(1, "abc"), 0x5749);
    EXPECT_EQ(crc_of(2, "123456789"), 0xAEE7);  // CRC-16/CMS
    EXPECT_EQ(crc_of(2, "abc"), 0x44D8);
    // Called with no bytes it only returns the register.
    EXPECT_EQ(crc_update(2, nullptr, 0), 0x44D8);
    // Fed in pieces it gives the same value.
    crc_reset();
    crc_update(1, reinterpret_cast<const uint8_t*>("1234"), 4);
    EXPECT_EQ(crc_update(1, reinterpret_cast<const uint8_t*>("56789"), 5), 0x4B37);
}

const std::string two_segments_image = std::string("\x01\x02\x03", 3) + std::string(13, '\xff') + "\x04\x05";

void write_two_segments(void)
{
    write_object("a.obj", {"import:__bin_size__", "segment:lo @0:0 u:3", "01 02 03", "segment:hi @1:10 u:2", "04 05",
                           "src:a.a51 #0"});
}

TEST(BinaryImage, FillsGapsAndEndsWithTheLoadAddress)
{
    enter_scratch_folder();
    write_two_segments();
    ASSERT_EQ(run_link({"a", "-oout.bin"}).code, 0);
    EXPECT_EQ(read_file("out.bin"), two_segments_image + std::string(4, '\0'));
}

TEST(BinaryImage, CarriesTheCrcOfItsBytesInEitherMode)
{
    enter_scratch_folder();
    write_two_segments();
    for (int mode : {1, 2}) {
        ASSERT_EQ(run_link({"a", "-oout.bin", mode == 1 ? "-c" : "-c2"}).code, 0);
        crc_reset();
        uint16_t crc = crc_update(mode, reinterpret_cast<const uint8_t*>(two_segments_image.data()), 18);
        std::string expected = two_segments_image;
        expected += static_cast<char>(crc >> 8);
        expected += static_cast<char>(crc & 0xff);
        expected += std::string(4, '\0');
        EXPECT_EQ(read_file("out.bin"), expected) << mode;
        EXPECT_EQ(static_cast<public_symbol*>(name_find("__bin_size__", true)->payload)->value, 20);
    }
}

TEST(BinaryImage, AnExportedSafeMarkTurnsTheCrcOn)
{
    enter_scratch_folder();
    write_object("a.obj", {"export:__bin_safe @0:0", "segment:lo @0:0 u:1", "31", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin"}).code, 0);
    EXPECT_EQ(crc_mode, 1);
    crc_reset();
    uint16_t crc = crc_update(1, reinterpret_cast<const uint8_t*>("1"), 1);
    EXPECT_EQ(read_file("out.bin"), std::string("1") + static_cast<char>(crc >> 8) +
                                        static_cast<char>(crc & 0xff) + std::string(4, '\0'));
}

TEST(BinaryImage, TrailerGivesTheStartAddressBigEndian)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:8000 u:1", "22", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin"}).code, 0);
    EXPECT_EQ(read_file("out.bin"), std::string("\x22\x00\x00\x80\x00", 5));
    write_object("a.obj", {"segment:code @0:10000 u:1", "22", "src:a.a51 #0"});
    ASSERT_EQ(run_link({"a", "-oout.bin"}).code, 0);
    EXPECT_EQ(read_file("out.bin"), std::string("\x22\x00\x01\x00\x00", 5));
}

// Space reserved in code memory by a notext segment is part of the image
// wherever it lies, filled like a gap, so that the image, "__bin_size__"
// and the memory map agree.
struct reserved_case {
    const char* what;
    std::vector<std::string> segments;
    std::string image;   // without the trailer
};

class ReservedCode : public testing::TestWithParam<reserved_case> {};

TEST_P(ReservedCode, IsFilledInTheImage)
{
    enter_scratch_folder();
    std::vector<std::string> body = {"import:__bin_size__"};
    body.insert(body.end(), GetParam().segments.begin(), GetParam().segments.end());
    write_object("a.obj", body);
    link_result r = run_link({"a", "-oout.bin", "-n"});
    ASSERT_EQ(r.code, 0) << r.messages;
    EXPECT_EQ(read_file("out.bin"), GetParam().image + std::string(4, '\0'));
    EXPECT_EQ(static_cast<public_symbol*>(name_find("__bin_size__", true)->payload)->value,
              static_cast<int32_t>(GetParam().image.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReservedCode,
    testing::Values(
        reserved_case{"at_the_start", {"segment:res @0:0 u:4 n", "segment:code @1:m u:2", "01 02"},
                      std::string(4, '\xff') + "\x01\x02"},
        reserved_case{"at_the_end", {"segment:code @0:0 u:2", "01 02", "segment:res @1:m u:4 n"},
                      "\x01\x02" + std::string(4, '\xff')},
        reserved_case{"between", {"segment:code @0:0 u:2", "01 02", "segment:res @1:m u:3 n", "segment:more @2:m u:1", "03"},
                      "\x01\x02" + std::string(3, '\xff') + "\x03"}),
    [](const testing::TestParamInfo<reserved_case>& info) { return std::string(info.param.what); });

TEST(BinaryImage, OfNothingButReservedSpaceIsRefused)
{
    enter_scratch_folder();
    write_object("a.obj", {"segment:code @0:0 u:4 n"});
    link_result r = run_link({"a", "-oout.bin"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.messages, "Error: objectfile ist empty\n");
}

} // namespace
