// From an assembler source to an OMF-51 object: morrin assembles with debug
// lines, tessel links and writes the listing, pexor converts; every line
// record must point at the listing row of its address.
#include "convert/pexor/tests/omf_reader.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string pexor = PEXOR_PATH;
const std::string morrin = MORRIN_PATH;
const std::string tessel = TESSEL_PATH;

#ifndef _WIN32
// On a file system that minds case, the image and the listing beside it
// are found whatever the case of the name given; the outputs are named
// from the names given.
TEST(PexorEndToEnd, FindsImageAndListingWhateverTheirCase)
{
    std::string dir = test_folder("case");
    std::string report;
    write_file(dir + "/prog.s51", "  .segment code,org 2000h\nloop:\n  sjmp loop\n");
    ASSERT_TRUE(run_succeeds(morrin, {"-g", "prog.s51"}, dir, &report)) << report;
    ASSERT_TRUE(run_succeeds(tessel, {"prog.obj", "-oPROG.BIN", "-s"}, dir, &report)) << report;
    ASSERT_TRUE(file_exists(dir + "/PROG.lst"));
    ASSERT_TRUE(run_succeeds(pexor, {"prog.bin", "prog.omf"}, dir, &report)) << report;
    EXPECT_FALSE(read_file(dir + "/prog.omf").empty());
    // The debug file is written only when the listing was found.
    ASSERT_TRUE(file_exists(dir + "/prog.dbg"));
    EXPECT_FALSE(read_file(dir + "/prog.dbg").empty());
}
#endif

TEST(PexorEndToEnd, LineRecordsPointAtListingRows)
{
    std::string dir = test_folder("e2e");
    std::string report;
    write_file(dir + "/prog.s51",
               "; a small program\n"
               "  .segment code,org 2000h\n"
               "start:\n"
               "  mov 81h,#30h\n"
               "loop:\n"
               "  inc a\n"
               "  sjmp loop\n"
               "table: .dc.b 1,2,3,4,5,6,7\n");
    ASSERT_TRUE(run_succeeds(morrin, {"-g", "prog.s51"}, dir, &report)) << report;
    ASSERT_TRUE(run_succeeds(tessel, {"prog.obj", "-oprog.bin", "-s"}, dir, &report)) << report;
    ASSERT_TRUE(run_succeeds(pexor, {"prog.bin", "prog.omf"}, dir, &report)) << report;

    std::vector<std::string> lines;
    std::istringstream dbg(read_file(dir + "/prog.dbg"));
    for (std::string line; std::getline(dbg, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }

    std::vector<omf_rec> recs;
    std::string why;
    ASSERT_TRUE(omf_read(read_file(dir + "/prog.omf"), &recs, &why)) << why;
    std::string code;
    std::vector<unsigned> addresses;
    for (const omf_rec& r : recs) {
        EXPECT_TRUE(r.checksum_ok);
        size_t pos = 1;
        if (r.type == 0x06) {
            EXPECT_EQ(omf_read_word(r, &pos), 0x2000u + code.size());
            code.append(r.content.begin() + pos, r.content.end());
        } else if (r.type == 0x22) {
            pos = 2;
            unsigned address = omf_read_word(r, &pos);
            unsigned line = omf_read_word(r, &pos);
            ASSERT_GE(line, 1u);
            ASSERT_LE(line, lines.size());
            char row[16];
            std::snprintf(row, sizeof row, "co:%04x: ", address);
            EXPECT_EQ(lines[line - 1].substr(0, 9), row) << "line " << line;
            addresses.push_back(address);
        }
    }
    EXPECT_EQ(code, std::string("\x75\x81\x30\x04\x80\xFD\x01\x02\x03\x04\x05\x06\x07", 13));
    EXPECT_EQ(addresses, (std::vector<unsigned>{0x2000, 0x2003, 0x2004, 0x2006, 0x200B}));
}

}  // namespace
