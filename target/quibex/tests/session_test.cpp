// The image and its listing as one pair: listings made by the suite's own
// tools, overlaid data, and pairs that must not replace the loaded one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_fixture.h"
#include "target/quibex/session.h"
#include "target/seriallink/listing.h"
#include "target/seriallink/target_image.h"
#include "target/seriallink/tests/report_capture.h"
#include "testing/kit/test_kit.h"

namespace {

class Session : public testing::Test {
protected:
    void SetUp() override
    {
        free_listing();
        free_image();
    }
    void TearDown() override
    {
        free_listing();
        free_image();
    }
    // Stages and commits a pair; false when staging failed.
    bool Load(const std::string& image)
    {
        StagedSession staged;
        if (stage_session(image, &staged) != 0)
            return false;
        commit_session(&staged);
        return true;
    }
};

TEST(SessionPaths, ListingBesideTheImage)
{
    const char* cases[][2] = {
        {"demo.bin", "demo.lst"},
        {"a/b.c/demo.BIN", "a/b.c/demo.lst"},
        {"a.b/demo", "a.b/demo.lst"},
        {"x.bin.bak", "x.bin.lst"},
    };
    for (auto& c : cases)
        EXPECT_EQ(listing_path_for(c[0]), c[1]) << c[0];
    EXPECT_TRUE(has_bin_extension("x.BIN"));
    EXPECT_TRUE(has_bin_extension("x.binary"));
    EXPECT_FALSE(has_bin_extension("x.hex"));
    EXPECT_FALSE(has_bin_extension("bin"));
}

TEST_F(Session, TheExampleProjectLoadsWithItsListing)
{
    std::string folder = test_folder("demo");
    std::string report;
    ASSERT_TRUE(build_demo(folder, &report)) << report;
    ASSERT_TRUE(Load(folder + "/main.bin"));
    EXPECT_EQ(image_load_address(), 0x8000);
    EXPECT_GT(listing.code_line_count, 5);
    // The reset vector's jump is the first listed code byte.
    EXPECT_EQ(image_flags(0) & IF_CODE, IF_CODE);
    ListingLine* first = listing_find(&listing, 0x8000, MK_CODE);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(std::string(first->text).find("ljmp"), std::string::npos) << first->text;
    bool delay = false;
    for (ListingLabel* l = listing.labels; l; l = l->next)
        delay = delay || std::string(l->name) == "delay";
    EXPECT_TRUE(delay);
}

// Overlaid data segments share addresses: the listing of such a link
// loads, the first line of the address keeps the index entry.
TEST_F(Session, AListingOfAnOverlaidLinkLoads)
{
    std::string folder = test_folder("overlaid");
    std::string report;
    ASSERT_TRUE(build_overlaid(folder, &report)) << report;
    ASSERT_TRUE(Load(folder + "/ovl.bin"));
    int shared = 0;
    for (int i = 0; i < listing.line_count; i++) {
        ListingLine* l = listing.lines[i];
        if (l->address == 0x20 && l->mem_kind == MK_DATA)
            shared++;
    }
    EXPECT_EQ(shared, 2);
    ListingLine* indexed = listing_find(&listing, 0x20, MK_DATA);
    ASSERT_NE(indexed, nullptr);
    EXPECT_NE(std::string(indexed->text).find("f_local"), std::string::npos) << indexed->text;
    EXPECT_NE(listing_find(&listing, 0x800a, MK_CODE), nullptr);
}

// A pair that cannot be loaded whole leaves the loaded pair as it was.
TEST_F(Session, ABrokenPairLeavesTheLoadedOne)
{
    std::string folder = test_folder("pairs");
    std::string report;
    ASSERT_TRUE(build_demo(folder, &report)) << report;
    ASSERT_TRUE(build_overlaid(folder, &report)) << report;
    ASSERT_TRUE(Load(folder + "/main.bin"));
    int32_t lines = listing.line_count;
    int32_t size = image_size();

    // The image of one link with the listing of another.
    write_file(folder + "/mixed.bin", read_file(folder + "/ovl.bin"));
    write_file(folder + "/mixed.lst", read_file(folder + "/main.lst"));
    // A file of another type.
    write_file(folder + "/image.hex", ":00000001FF\n");
    write_file(folder + "/image.lst", read_file(folder + "/main.lst"));
    struct Case {
        const char* file;
        std::string message;
    } cases[] = {
        {"mixed.bin", "and '*.bin' different at Adr. $8000+"},
        {"image.hex", "File type must be '*.bin'"},
        {"none.bin", "File '" + folder + "/none.bin' does not exist!"},
    };
    for (const Case& c : cases) {
        ReportCapture capture;
        EXPECT_FALSE(Load(folder + "/" + c.file)) << c.file;
        EXPECT_NE(capture.text().find(c.message), std::string::npos) << c.file << "\n" << capture.text();
        EXPECT_EQ(listing.line_count, lines) << c.file;
        EXPECT_EQ(image_size(), size) << c.file;
        EXPECT_EQ(image_load_address(), 0x8000) << c.file;
    }
}

// An image without its listing beside it loads alone, after the message
// that names the listing: no source lines, the image whole.
TEST_F(Session, AnImageWithoutItsListingLoadsAlone)
{
    std::string folder = test_folder("alone");
    std::string report;
    ASSERT_TRUE(build_demo(folder, &report)) << report;
    ASSERT_TRUE(Load(folder + "/main.bin"));
    ASSERT_GT(listing.line_count, 0);
    std::string bytes = read_file(folder + "/main.bin");
    write_file(folder + "/alone.bin", bytes);

    ReportCapture capture;
    StagedSession staged;
    ASSERT_EQ(stage_session(folder + "/alone.bin", &staged), 0);
    EXPECT_FALSE(staged.has_listing);
    EXPECT_NE(capture.text().find("File '" + folder + "/alone.lst' does not exist!"), std::string::npos)
        << capture.text();
    commit_session(&staged);
    EXPECT_EQ(listing.line_count, 0);
    EXPECT_EQ(listing.code_line_count, 0);
    EXPECT_EQ(image_size(), static_cast<int32_t>(bytes.size()) - 4);
    EXPECT_EQ(image_load_address(), 0x8000);
}

} // namespace
