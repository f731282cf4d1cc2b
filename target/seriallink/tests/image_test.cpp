// The image loaders: binary images with their address trailer, Intel HEX
// with every return code, and the listing that marks code in the flags.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/speicher.h"
#include "listing.h"
#include "report_capture.h"
#include "target_image.h"
#include "test_files.h"

namespace {

std::vector<uint8_t> image_bytes()
{
    std::lock_guard<std::mutex> guard(target_image_lock);
    return std::vector<uint8_t>(target_image.bytes, target_image.bytes + target_image.size);
}

class Loader : public testing::Test {
protected:
    void SetUp() override
    {
        free_image();
        target_image.fixed_address_mode = 0;
    }
    void TearDown() override
    {
        free_image();
        target_image.fixed_address_mode = 0;
    }
};

TEST_F(Loader, BinaryImageTakesItsAddressFromTheTrailer)
{
    write_binary("bin_trailer.bin", {0x02, 0x80, 0x10, 0xFF, 0x00}, 0x8000);
    target_image.downloaded = 1;
    ASSERT_EQ(load_image("bin_trailer.bin"), 0);
    EXPECT_EQ(image_load_address(), 0x8000);
    EXPECT_EQ(image_size(), 5);
    EXPECT_EQ(image_bytes(), (std::vector<uint8_t>{0x02, 0x80, 0x10, 0xFF, 0x00}));
    EXPECT_EQ(image_downloaded(), 0);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(image_flags(i), 0);
}

TEST_F(Loader, FixedAddressModeReadsTheWholeFileAsData)
{
    write_file("bin_fixed.bin", std::string("\x74\x01\x80\xFE", 4));
    target_image.fixed_address_mode = 1;
    target_image.fixed_address = 0x4000;
    ASSERT_EQ(load_image("bin_fixed.bin"), 0);
    EXPECT_EQ(image_load_address(), 0x4000);
    EXPECT_EQ(image_size(), 4);
}

TEST_F(Loader, BinaryFailuresAreReportedAndLoadNothing)
{
    write_binary("bin_ok.bin", {1, 2, 3}, 0x100);
    write_file("bin_empty.bin", std::string(4, '\0'));
    write_binary("bin_far.bin", {1, 2, 3}, 1000001);
    ReportCapture reports;
    ASSERT_EQ(load_image("bin_ok.bin"), 0);
    // Too small: the previous image stays.
    EXPECT_EQ(load_image("bin_empty.bin"), -1);
    EXPECT_EQ(image_size(), 3);
    EXPECT_EQ(load_image("bin_missing.bin"), -1);
    EXPECT_EQ(load_image("bin_far.bin"), -1);
    EXPECT_EQ(image_size(), 0);
    EXPECT_EQ(image_load_address(), 0);
    std::string text = reports.text();
    EXPECT_NE(text.find("Error: File 'bin_empty.bin' size of data = 0"), std::string::npos) << text;
    EXPECT_NE(text.find("Error: Cann't open 'bin_missing.bin'"), std::string::npos) << text;
    EXPECT_NE(text.find("Error: Load address $f4241 out of range"), std::string::npos) << text;
}

struct BinaryLimitCase {
    int data_size;
    uint32_t address;
    int result;
    const char* message; // part of the report, or null
    int32_t size_after;    // a refused size keeps the previous image,
    int32_t address_after; // a refused address leaves none
};

TEST_F(Loader, BinaryLimitsOfSizeAndAddress)
{
    const BinaryLimitCase cases[] = {
        {1000000, 1000000, 0, nullptr, 1000000, 1000000},
        {1000001, 0, -1, "Error: File 'bin_limit.bin' size of data = 1000001", 1000000, 1000000},
        {16, 0x80000000u, -1, "Error: Load address $80000000 out of range", 0, 0},
        {16, 0xFFFFFFFFu, -1, "Error: Load address $ffffffff out of range", 0, 0},
    };
    for (const BinaryLimitCase& c : cases) {
        SCOPED_TRACE(c.data_size);
        SCOPED_TRACE(c.address);
        write_binary("bin_limit.bin", std::vector<uint8_t>(c.data_size, 0x5A), c.address);
        ReportCapture reports;
        EXPECT_EQ(load_image("bin_limit.bin"), c.result);
        std::string text = reports.text();
        if (c.message)
            EXPECT_NE(text.find(c.message), std::string::npos) << text;
        else
            EXPECT_EQ(text, "");
        EXPECT_EQ(image_size(), c.size_after);
        EXPECT_EQ(image_load_address(), c.address_after);
    }
}

struct HexCase {
    const char* name;
    std::string content;
    int code;
    const char* message; // part of the report, or null
};

std::string end_record()
{
    return ":00000001FF\n";
}

std::vector<HexCase> hex_cases()
{
    std::vector<uint8_t> two(2, 0xAA);
    std::string good = hex_record(0, 0x10, {1, 2});
    std::string bad_sum = good;
    bad_sum[bad_sum.size() - 2] = bad_sum[bad_sum.size() - 2] == '0' ? '1' : '0';
    std::string bad_sum_digit = good;
    bad_sum_digit[bad_sum_digit.size() - 2] = 'g';
    std::string bad_data = good;
    bad_data[10] = 'x';
    return {
        {"missing", "", -1, "Error (Code 1): Can't open file 'hex_missing.hex'!"},
        {"no_colon", "10000000\n", -2, "not a HEX file (':' expected)"},
        {"bad_type", hex_record(2, 0, {1}) + end_record(), -3, "not a HEX file"},
        {"bad_header_digit", ":0z00000000\n", -3, "not a HEX file"},
        {"bad_data_digit", bad_data + end_record(), -4, "not a HEX file"},
        {"only_end", end_record(), -5, "is empty"},
        {"bad_sum_digit", bad_sum_digit + end_record(), -6, "not a HEX file"},
        {"bad_sum", bad_sum + end_record(), -7, "checksum error"},
        {"up_to_ffff", hex_record(0, 0xFFFE, two) + end_record(), 0, nullptr},
        {"beyond_ffff", hex_record(0, 0xFFFF, two) + end_record(), -8, "exceeding $FFFF"},
        {"no_end_record", good, 0, nullptr},
        // Only a type 1 record without count and address ends the data.
        {"type_1_with_data", hex_record(1, 0x10, {1, 2}) + end_record(), 0, nullptr},
        {"type_1_elsewhere", hex_record(1, 0x10, {}) + good + end_record(), 0, nullptr},
        // An overlap over zero bytes passes silently.
        {"overlap_over_zero", hex_record(0, 0x10, {0, 0}) + good + end_record(), 0, nullptr},
    };
}

TEST(HexFile, ReturnCodes)
{
    for (const HexCase& c : hex_cases()) {
        SCOPED_TRACE(c.name);
        std::string path = std::string("hex_") + c.name + ".hex";
        if (c.code != -1)
            write_file(path, c.content);
        uint8_t* buffer = nullptr;
        int32_t lowest = -1, length = -1;
        ReportCapture reports;
        EXPECT_EQ(read_hex_file(path.c_str(), &buffer, &lowest, &length), c.code);
        std::string text = reports.text();
        if (c.message)
            EXPECT_NE(text.find(c.message), std::string::npos) << text;
        else
            EXPECT_EQ(text, "");
        if (c.code == 0) {
            EXPECT_GT(length, 0);
            speicher_free(buffer);
        }
    }
}

TEST(HexFile, SeparateRangesLeaveZeroBytesInTheGap)
{
    write_file("hex_ranges.hex", hex_record(0, 0x0110, {0x11, 0x22}) + hex_record(0, 0x0100, {0x33}) +
                                     end_record() + hex_record(0, 0x0200, {0x44}));
    uint8_t* buffer = nullptr;
    int32_t lowest = 0, length = 0;
    ASSERT_EQ(read_hex_file("hex_ranges.hex", &buffer, &lowest, &length), 0);
    EXPECT_EQ(lowest, 0x100);
    EXPECT_EQ(length, 0x12); // data after the end record is not read
    std::vector<uint8_t> expected(0x12, 0);
    expected[0] = 0x33;
    expected[0x10] = 0x11;
    expected[0x11] = 0x22;
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + length), expected);
    speicher_free(buffer);
}

TEST_F(Loader, HexOverlapIsReportedOnceAndLaterDataWins)
{
    write_file("hex_overlap.HEX", hex_record(0, 0x20, {1, 2, 3}) + hex_record(0, 0x21, {7, 8}) +
                                      hex_record(0, 0x20, {9}) + end_record());
    ReportCapture reports;
    ASSERT_EQ(load_image("hex_overlap.HEX"), 0);
    std::string text = reports.text();
    EXPECT_EQ(text, "Error: Overlapping data at address $0021 (continue)\n");
    EXPECT_EQ(image_load_address(), 0x20);
    EXPECT_EQ(image_bytes(), (std::vector<uint8_t>{9, 7, 8}));
}

TEST_F(Loader, FailedHexLoadLeavesNoImage)
{
    write_binary("bin_before.bin", {1, 2, 3}, 0x100);
    write_file("hex_broken.hex", "garbage\n");
    ASSERT_EQ(load_image("bin_before.bin"), 0);
    ReportCapture reports;
    EXPECT_EQ(load_image("hex_broken.hex"), -1);
    EXPECT_EQ(image_size(), 0);
}

TEST(HexBytes, ReadsBigEndianAndSubtractsEachByte)
{
    const char* text = "12AbzZ";
    const char* p = text;
    int sum = 0;
    EXPECT_EQ(hex_bytes(&p, 2, &sum), 0x12AB);
    EXPECT_EQ(p, text + 4);
    EXPECT_EQ(sum, -(0x12 + 0xAB));
    EXPECT_EQ(hex_bytes(&p, 1, &sum), -1);
    EXPECT_EQ(p, text + 4);
    EXPECT_EQ(hex_digit('f'), 15);
    EXPECT_EQ(hex_digit('G'), -1);
}

// Listing rows as the linker writes them: the ':' after the byte columns
// stands at column 24.
std::string code_row(unsigned address, const std::vector<int>& bytes, const std::string& text)
{
    char head[16];
    std::snprintf(head, sizeof head, "co:%04x: ", address);
    std::string row = head;
    for (int i = 0; i < 5; i++) {
        if (i < static_cast<int>(bytes.size())) {
            char b[8];
            std::snprintf(b, sizeof b, "%02x ", bytes[i]);
            row += b;
        } else {
            row += "   ";
        }
    }
    return row + ": " + text + "\n";
}

std::string text_row(const std::string& text)
{
    return std::string(24, ' ') + ": " + text + "\n";
}

std::string echo_row(const std::string& text)
{
    return std::string(24, ' ') + ":>" + text + "\n";
}

class Listing : public Loader {
protected:
    void SetUp() override
    {
        Loader::SetUp();
        free_listing();
        write_binary("lst_image.bin",
                     {0x74, 0x01, 0x12, 0x00, 0x40, 0xa5, 0xb6, 0xc7, 0xd8, 0xe9, 0x0f, 0x00}, 0x100);
        ASSERT_EQ(load_image("lst_image.bin"), 0);
    }
    void TearDown() override
    {
        free_listing();
        Loader::TearDown();
    }
    std::string listing_text(const std::string& third_row)
    {
        return "listing:lst_image.lst, Wed Dec  9 21:00:00 2026\n"
               "objectfile:main.obj:\n" +
               text_row("; comment") + echo_row("int main(void)") + text_row("start:") +
               code_row(0x100, {0x74, 0x01}, "    mov a,#1") +
               code_row(0x102, {0x12, 0x00, 0x40}, "?loop: lcall 40h") + third_row +
               code_row(0x10a, {0x0f}, "") + "xr:0000: xx xx          : buf: ds 2\n" +
               "=                 start =   100 (hex),    256 (dez), CODE\n\n";
    }
};

TEST_F(Listing, MarksCodeLabelsAndListedBytes)
{
    write_file("lst_ok.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0xc7, 0xd8, 0xe9}, "junk: db 0")));
    read_listing("lst_ok.lst");
    const int expected[12] = {0xE0, 0x40, 0xE0, 0x40, 0x40, 0xE0, 0x40, 0x40, 0x40, 0x40, 0xC0, 0};
    for (int i = 0; i < 12; i++)
        EXPECT_EQ(image_flags(i), expected[i]) << "offset " << i;

    EXPECT_EQ(listing.line_count, 12);
    EXPECT_EQ(listing.code_line_count, 4);
    EXPECT_EQ(listing.echo_count, 1);
    // The label list leaves out names beginning with '?'.
    std::vector<std::string> names;
    std::vector<int> lines;
    for (ListingLabel* l = listing.labels; l; l = l->next) {
        names.push_back(l->name);
        lines.push_back(l->line_number);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"start", "junk", "buf"}));
    EXPECT_EQ(lines, (std::vector<int>{4, 7, 9}));

    // The echo takes the address of the next line with an address but stays
    // out of the index.
    ListingLine* echo = listing.lines[3];
    EXPECT_EQ(echo->kind, LK_ECHO);
    EXPECT_STREQ(echo->text, "int main(void)");
    EXPECT_EQ(echo->address, 0x100);
    EXPECT_EQ(echo->mem_kind, MK_CODE);
    ListingLine* code = listing_node(0x100, MK_CODE, 1);
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->kind, LK_LISTING);
    EXPECT_EQ(code->line_number, 5);
    std::string row = code_row(0x100, {0x74, 0x01}, "    mov a,#1");
    EXPECT_EQ(std::string(code->text), row.substr(0, row.size() - 1));
    EXPECT_EQ(listing_node(0x0000, MK_XDATA, 1)->line_number, 9);
    EXPECT_EQ(listing_node(0x0000, MK_CODE, 1), nullptr);
    EXPECT_EQ(listing.lines[0]->address, -1);
    EXPECT_EQ(listing_hash(-1, 1), 0);
    EXPECT_EQ(listing_hash(516, 2), 1);
}

#ifndef _WIN32
using ListingDeathTest = Listing;

TEST_F(ListingDeathTest, ListingOfAnotherImageIsFatal)
{
    write_file("lst_other.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0x00, 0xd8, 0xe9}, "")));
    EXPECT_EXIT(read_listing("lst_other.lst"), testing::ExitedWithCode(255),
                "Files 'lst_other.lst' and '\\*.bin' different at Adr. \\$105\\+2: \\$00 and \\$c7!");
}

TEST_F(ListingDeathTest, UnknownKindAndMissingFileAreFatal)
{
    write_file("lst_kind.lst", listing_text("zz:0000: 00\n"));
    EXPECT_EXIT(read_listing("lst_kind.lst"), testing::ExitedWithCode(255),
                "corrupt line in 'lst_kind.lst': 'zz:0000: 00'");
    EXPECT_EXIT(read_listing("lst_none.lst"), testing::ExitedWithCode(255),
                "unable to open 'lst_none.lst'");
}
#endif

} // namespace

namespace {

using ListingRead = Listing;

// Overlaid data segments share addresses: the first line keeps the index
// entry, the later one is listed in file order and reading goes on.
TEST_F(ListingRead, ASharedAddressKeepsTheFirstLineAndGoesOn)
{
    write_file("lst_shared.lst",
               listing_text(code_row(0x105, {0xa5, 0xb6, 0xc7, 0xd8, 0xe9}, "")) +
                   "dr:0020: xx xx          : f_local: ds 2\n"
                   "dr:0020: xx             : s_local: ds 1\n");
    read_listing("lst_shared.lst");
    EXPECT_EQ(listing.line_count, 14);
    ListingLine* first = listing_node(0x20, MK_DATA, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->line_number, 12);
    EXPECT_EQ(listing.lines[13]->address, 0x20);
    EXPECT_EQ(listing.lines[13]->mem_kind, MK_DATA);
    EXPECT_NE(std::string(listing.lines[13]->text).find("s_local"), std::string::npos);
}

// Lines and names of any length stay whole: nothing is cut into pieces.
TEST_F(ListingRead, LongLinesAndNamesStayWhole)
{
    std::string name(300, 'n');
    std::string comment(600, 'c');
    write_file("lst_long.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0xc7, 0xd8, 0xe9},
                                                     name + ": db 0 ; " + comment)));
    read_listing("lst_long.lst");
    EXPECT_EQ(listing.line_count, 12);
    bool found = false;
    for (ListingLabel* l = listing.labels; l; l = l->next)
        found = found || std::string(l->name) == name;
    EXPECT_TRUE(found);
    EXPECT_NE(std::string(listing.lines[7]->text).find(comment), std::string::npos);
}

// The reader that touches no globals reports instead of ending the program.
TEST_F(ListingRead, AMismatchIsReportedAndLeavesNothingBehind)
{
    write_file("lst_other.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0x00, 0xd8, 0xe9}, "")));
    std::vector<uint8_t> bytes = image_bytes();
    std::vector<uint8_t> flags(bytes.size());
    ListingIndex index;
    std::string error;
    EXPECT_EQ(listing_read("lst_other.lst", bytes.data(), 0x100, static_cast<int32_t>(bytes.size()),
                           flags.data(), &index, &error),
              -1);
    EXPECT_EQ(error, "Files 'lst_other.lst' and '*.bin' different at Adr. $105+2: $00 and $c7!");
    EXPECT_EQ(index.line_count, 0);
    EXPECT_EQ(index.first, nullptr);
}

// Code bytes that the image cannot hold belong to another link, whatever
// the address: the row is refused, and an address with its top bit set is
// worked out without wrapping around.
TEST_F(ListingRead, CodeBytesOutsideTheImageAreRefused)
{
    struct Case {
        unsigned address;
        std::vector<int> bytes;
        const char* error;
    };
    const Case cases[] = {
        {0x80000000u, {0x74}, "at Adr. $80000000+0: outside the image!"},
        {0xffffff00u, {0x74, 0x01}, "at Adr. $ffffff00+0: outside the image!"},
        {0x10b, {0x00, 0x11}, "at Adr. $10b+1: outside the image!"},
        {0xff, {0x74}, "at Adr. $ff+0: outside the image!"},
    };
    for (const Case& c : cases) {
        write_file("lst_far.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0xc7, 0xd8, 0xe9}, "")) +
                                      code_row(c.address, c.bytes, ""));
        std::vector<uint8_t> bytes = image_bytes();
        std::vector<uint8_t> flags(bytes.size());
        ListingIndex index;
        std::string error;
        EXPECT_EQ(listing_read("lst_far.lst", bytes.data(), 0x100, static_cast<int32_t>(bytes.size()),
                               flags.data(), &index, &error),
                  -1)
            << std::hex << c.address;
        EXPECT_EQ(error, std::string("Files 'lst_far.lst' and '*.bin' different ") + c.error);
    }
    // A row without bytes may name any address; it marks nothing.
    write_file("lst_far.lst", listing_text(code_row(0x105, {0xa5, 0xb6, 0xc7, 0xd8, 0xe9}, "")) +
                                  code_row(0x80000000u, {}, "end:"));
    read_listing("lst_far.lst");
    EXPECT_EQ(listing.code_line_count, 5);
}

} // namespace
