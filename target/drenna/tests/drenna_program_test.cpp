// Drenna as a user runs it: the real program under Wine, the simulated
// board on the other end of its COM port, answers from a script file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drenna_run.h"
#include "target/drenna/resource.h"

namespace {

std::vector<uint8_t> sample_image(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; i++)
        bytes[i] = static_cast<uint8_t>((i * 7 + 3) & 0x7F);
    return bytes;
}

TEST(DrennaProgram, CommandLineImageLandsInTheBoardsRamAndRuns)
{
    DrennaRun run("download");
    std::vector<uint8_t> image = sample_image(3000);
    write_image(run.Path("demo.bin"), image, 0x8000);
    run.Script("dialog wait\n");
    ASSERT_TRUE(run.Start(port_argument() + " -b19200 demo.bin"));
    ASSERT_TRUE(run.WaitForWindow());
    ASSERT_TRUE(run.WaitForTerminal("<Download...>"));
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x8000, 3000) == image; }));
    EXPECT_TRUE(run.WaitForLog("dialog 2 \"Download...\""));

    run.Command(CM_RUNINRAM);
    EXPECT_TRUE(run.WaitForTerminal("Hello from the board"));
    // Keys typed go to the running program, which echoes them.
    PostMessageA(run.Terminal(), WM_CHAR, 'k', 0);
    EXPECT_TRUE(run.WaitForTerminal("\r\nk ")) << run.TerminalText();
    PostMessageA(run.Terminal(), WM_CHAR, 'y', 0);
    EXPECT_TRUE(run.WaitForTerminal("\r\nky ")) << run.TerminalText();

    EXPECT_EQ(run.Close(), 0);
    std::string ini = read_file(run.Path("drenna.INI"));
    EXPECT_NE(ini.find("Com=" + std::to_string(tool_port())), std::string::npos) << ini;
    EXPECT_NE(ini.find("Baudrate=19200"), std::string::npos) << ini;
}

TEST(DrennaProgram, UnknownArgumentsShowTheParametersAndEnd)
{
    for (const char* args : {"-x", "test.txt"}) {
        DrennaRun run("usage");
        run.Script("box ok\n");
        ASSERT_TRUE(run.Start(args));
        EXPECT_EQ(run.WaitForExit(), 0) << args;
        EXPECT_NE(run.Log().find("box \"Drenna - Parameters\" \"Parameters:"), std::string::npos)
            << run.Log();
    }
}

TEST(DrennaProgram, AnImageInADeepFolderLoads)
{
    DrennaRun run("deep");
    std::string folder = run.Folder();
    while (folder.size() < 230) {
        folder += "\\a_rather_long_folder_name";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::vector<uint8_t> image = sample_image(300);
    write_image(folder + "\\deep.bin", image, 0x6000);
    run.Script("dialog wait\n");
    ASSERT_TRUE(run.Start(port_argument() + " \"" + folder + "\\deep.bin\""));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x6000, 300) == image; })) << run.Log();
    EXPECT_EQ(run.Close(), 0);
}

TEST(DrennaProgram, HandEditedSettingsWithBadValuesTakeTheirDefaults)
{
    DrennaRun run("settings");
    write_file(run.Path("drenna.INI"), "[FONT]\r\nFont=\r\nHeight=0\r\nBold=99999\r\n"
                                            "[COM]\r\nCom=7\r\nBaudrate=12345\r\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_EQ(run.Close(), 0);
    std::string ini = read_file(run.Path("drenna.INI"));
    for (const char* key : {"Font=Fixedsys", "Height=-12", "Bold=400", "Baudrate=9600"})
        EXPECT_NE(ini.find(key), std::string::npos) << key << "\n" << ini;
    EXPECT_EQ(GetFileAttributesA(run.Path("drenna.INI.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
