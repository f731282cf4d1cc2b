// From web files to the target image: holbix writes the sources, morrin
// assembles them, tessel links them with a small program that points at
// both responses, and the image must hold each HTTP response byte for byte.
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

namespace {

const std::string holbix = HOLBIX_PATH;
const std::string morrin = MORRIN_PATH;
const std::string tessel = TESSEL_PATH;

std::string word(unsigned value)
{
    return std::string(1, static_cast<char>(value >> 8)) + static_cast<char>(value & 0xFF);
}

unsigned word_at(const std::string& image, size_t pos)
{
    return static_cast<uint8_t>(image.at(pos)) << 8 | static_cast<uint8_t>(image.at(pos + 1));
}

#ifndef _WIN32
// On a file system that minds case the web file is found whatever the case
// of the name given; the source is written under the name given.
TEST(HolbixEndToEnd, FindsTheWebFileWhateverTheCaseOfItsName)
{
    std::string dir = test_folder("case");
    std::string report;
    write_file(dir + "/PAGE.HTM", "<html></html>\n");
    ASSERT_TRUE(run_succeeds(holbix, {"page.htm", "page.s51"}, dir, &report)) << report;
    EXPECT_NE(read_file(dir + "/page.s51").find("<html></html>"), std::string::npos);
}
#endif

TEST(HolbixEndToEnd, ImageHoldsHttpResponses)
{
    std::string dir = test_folder("e2e");
    std::string report;
    const std::string head = "<html><p>Temperature: <b>";
    const std::string tail = "</b> \"C\" a@b</p>\n</html>\n";
    write_file(dir + "/page.htm", head + "@TEMP</b> \"C\" a@@b</p>\n</html>\n");
    const std::string gif("GIF89a\x01\x00\x01\x00\x00\xff\x00;", 14);
    write_file(dir + "/logo.gif", gif);
    // The program: a table of the two responses at address 0 and the
    // variable the page shows, in external RAM.
    write_file(dir + "/main.s51",
               "  .segment reset,org 0\n"
               "  .import _page,_logo\n"
               "  .dc.w _page\n"
               "  .dc.w _logo\n"
               "  .segment vars,sclass xram,notext\n"
               "  .ds.b 16\n"
               "  .export _TEMP\n"
               "_TEMP: .ds.b 8\n");

    ASSERT_TRUE(run_succeeds(holbix, {"page.htm", "page.s51"}, dir, &report)) << report;
    ASSERT_TRUE(run_succeeds(holbix, {"logo.gif", "logo.s51"}, dir, &report)) << report;
    for (const char* source : {"main.s51", "page.s51", "logo.s51"})
        ASSERT_TRUE(run_succeeds(morrin, {source}, dir, &report)) << report;
    ASSERT_TRUE(run_succeeds(tessel, {"main.obj", "page.obj", "logo.obj", "-oweb.bin"}, dir, &report)) << report;

    std::string bin = read_file(dir + "/web.bin");
    ASSERT_GT(bin.size(), 8u);
    EXPECT_EQ(bin.substr(bin.size() - 4), std::string(4, '\0')) << "loaded at address 0";
    std::string image = bin.substr(0, bin.size() - 4);

    // The page: length word, type 1, header, text up to the variable, the
    // marker 255 with the variable's address (16 bytes into external RAM),
    // and the rest of the text.
    std::string page = std::string(1, '\x01') + "HTTP/1.0 200 OK\r\n" + "Content-type: text/html\r\n" +
                       "Connection: close\r\n\r\n" + head + '\xFF' + word(0x10) + tail;
    page = word(static_cast<unsigned>(page.size() - 1)) + page;
    unsigned page_at = word_at(image, 0);
    ASSERT_LE(page_at + page.size(), image.size());
    EXPECT_EQ(image.substr(page_at, page.size()), page);

    std::string logo = std::string(1, '\x00') + "HTTP/1.0 200 OK\r\n" + "Content-type: image/gif\r\n" +
                       "Content-length: 14\r\n" + "Connection: close\r\n\r\n" + gif;
    logo = word(static_cast<unsigned>(logo.size() - 1)) + logo;
    unsigned logo_at = word_at(image, 2);
    ASSERT_LE(logo_at + logo.size(), image.size());
    EXPECT_EQ(image.substr(logo_at, logo.size()), logo);
}

}  // namespace
