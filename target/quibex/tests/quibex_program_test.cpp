// Quibex as a user runs it: the real program under Wine, the simulated
// board on the other end of its COM port, answers from a script file, and
// images with listings built by the suite's own assembler and linker.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_fixture.h"
#include "quibex_run.h"
#include "target/quibex/resource.h"

namespace {

std::vector<uint8_t> image_data(const std::string& bin)
{
    std::string data = read_file(bin);
    return std::vector<uint8_t>(data.begin(), data.end() - (data.size() >= 4 ? 4 : 0));
}

std::vector<std::string> menu_captions(HWND frame)
{
    std::vector<std::string> out;
    HMENU menu = GetMenu(frame);
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char text[64] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        out.push_back(text);
    }
    return out;
}

TEST(QuibexProgram, StartsWithItsMenuAndLoadsTheExampleWithItsListing)
{
    QuibexRun run("demo");
    std::string report;
    ASSERT_TRUE(build_demo(run.Folder(), &report)) << report;
    run.Script("open \"" + run.Path("demo.bin") + "\"\ndialog wait\n");
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_EQ(run.TextOf(run.Frame()), "Quibex");
    EXPECT_EQ(menu_captions(run.Frame()),
              (std::vector<std::string>{"&File", "&Debug", "&View", "&Options", "&Window", "&Help"}));
    EXPECT_NE(run.Find("TCPUWindow"), nullptr);
    EXPECT_NE(run.Find("TTermWindow"), nullptr);
    EXPECT_EQ(run.SourceView(), nullptr);

    run.Command(CM_FILEOPEN);
    ASSERT_TRUE(wait_until([&] { return run.SourceView() != nullptr; })) << run.Log();
    EXPECT_EQ(run.TextOf(GetParent(run.SourceView())), run.Path("demo.lst"));
    std::vector<uint8_t> image = image_data(run.Path("demo.bin"));
    EXPECT_TRUE(wait_until([&] { return board_ram(0x8000, static_cast<int>(image.size())) == image; }))
        << run.Log();
    EXPECT_TRUE(run.WaitForLog("dialog 2 \"Download...\""));
    EXPECT_EQ(run.Close(), 0);
    // The recent-file list keeps the image.
    std::string ini = read_file(run.Path("bin\\quibex.INI"));
    EXPECT_NE(ini.find("demo.bin"), std::string::npos) << ini;
}

} // namespace
