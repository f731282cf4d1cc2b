// Drenna's menu commands, driven by messages, against the simulated board:
// board commands, the flash writer, the address dialog and the board's
// scripted faults, after each of which the program stays usable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drenna_run.h"
#include "target/drenna/resource.h"
#include "winui/script_file.h"

namespace {

// The flash writer beside the program: the simulated board starts its
// writer for a program that begins with "FLWR".
void write_flash_writer(const DrennaRun& run)
{
    std::vector<uint8_t> writer = {'F', 'L', 'W', 'R'};
    writer.resize(64, 0x00);
    write_image(run.Path("drenna.BIX"), writer, 0x9000);
}

// Gives the file a later write time than it had (2 s on).
void make_later(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME later{};
    GetSystemTimeAsFileTime(&later);
    ULARGE_INTEGER t{};
    t.LowPart = later.dwLowDateTime;
    t.HighPart = later.dwHighDateTime;
    t.QuadPart += 20000000ULL;
    later.dwLowDateTime = t.LowPart;
    later.dwHighDateTime = t.HighPart;
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
}

class DrennaCommands : public testing::Test {
protected:
    void SetUp() override { BoardControl("silent 0\nbad_sums 0\nerror_on_block 0\n"); }
    void TearDown() override { BoardControl("silent 0\nbad_sums 0\nerror_on_block 0\n"); }
};

TEST_F(DrennaCommands, ResetAndIdentificationShowTheBoardsAnswers)
{
    DrennaRun run("board");
    ASSERT_TRUE(run.Start(port_argument() + " -b115200"));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));
    run.Command(CM_BOARDID);
    EXPECT_TRUE(run.WaitForTerminal("<Board Id: 'SIM-51 Monitor V2.1'>"));
    EXPECT_EQ(run.Close(), 0);
    EXPECT_EQ(run.Log(), "");
}

// The About box shows its line with the '&' as it stands, not as the mark
// of a mnemonic.
TEST_F(DrennaCommands, TheAboutBoxShowsItsAmpersand)
{
    DrennaRun run("about");
    run.Script("dialog wait\n");
    ASSERT_TRUE(run.Start(port_argument() + " -b115200"));
    ASSERT_TRUE(run.WaitForWindow());
    PostMessageA(run.Frame(), WM_COMMAND, CM_HELPABOUT, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindWindowA("#32770", "About Drenna")) != nullptr; }));
    HWND line = FindWindowExA(about, nullptr, "Static", "Terminal, Download & Flash-Toolbox");
    ASSERT_NE(line, nullptr);
    EXPECT_NE(GetWindowLongA(line, GWL_STYLE) & SS_NOPREFIX, 0);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, ABoardThatDoesNotAnswerGivesTheMessageAndTheProgramGoesOn)
{
    DrennaRun run("silent");
    run.Script("box ok\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    BoardControl("silent 1\n");
    run.Command(CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForLog("box \"Error\" \"Command error: incorrect or missing response (Code -1)\""))
        << run.Log();
    BoardControl("silent 0\n");
    run.Command(CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, ARefusedDownloadBlockGivesTheTransmissionMessage)
{
    DrennaRun run("refused");
    std::vector<uint8_t> image(1200, 0x00);
    write_image(run.Path("refused.bin"), image, 0x4000);
    run.Script("dialog wait\nbox ok\n");
    BoardControl("error_on_block 2\n");
    ASSERT_TRUE(run.Start(port_argument() + " refused.bin"));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(run.WaitForLog("box \"Error\" \"Transmition Error (Code -1). Check Port (COMx:),\n"
                               "Cable, Reset Board and try again...\""))
        << run.Log();
    BoardControl("error_on_block 0\n");
    // Usable again.
    run.Command(CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, AnImageOutsideTheRamIsRefused)
{
    DrennaRun run("range");
    write_image(run.Path("low.bin"), std::vector<uint8_t>(16, 1), 0x1000);
    std::vector<uint8_t> top(0x100);
    for (size_t i = 0; i < top.size(); i++)
        top[i] = static_cast<uint8_t>(i ^ 0x5A);
    // The last 256 bytes of the RAM fit; one byte further on does not.
    write_image(run.Path("top.bin"), top, 0xFF00);
    write_image(run.Path("over.bin"), top, 0xFF01);
    run.Script("box ok\nbox ok\nopen \"" + run.Path("top.bin") + "\"\ndialog wait\nopen \"" +
               run.Path("over.bin") + "\"\n");
    ASSERT_TRUE(run.Start(port_argument() + " low.bin"));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(run.WaitForLog("box \"Error\" \"Cann't download starting at $1000 (16 Bytes)\" 1"))
        << run.Log();
    run.Command(CM_FILEOPEN);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0xFF00, 0x100) == top; }))
        << run.Log() << run.TerminalText();
    EXPECT_TRUE(run.WaitForStatus("Downloaded 256 Bytes at $ff00")) << run.StatusText();
    run.Command(CM_FILEOPEN);
    EXPECT_TRUE(run.WaitForLog("box \"Error\" \"Cann't download starting at $ff01 (256 Bytes)\" 1"))
        << run.Log();
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, AFileChangedOnDiskIsDownloadedAgainWhenTheUserAgrees)
{
    DrennaRun run("reload");
    std::string path = run.Path("prog.bin");
    write_image(path, std::vector<uint8_t>(200, 0x11), 0x3000);
    // Download; the About box takes the focus away; the reload question
    // comes when the terminal has it again.
    run.Script("dialog wait\ndialog ok\ndialog wait\nbox ok\n");
    ASSERT_TRUE(run.Start(port_argument() + " prog.bin"));
    ASSERT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(run.WaitForStatus("Downloaded 200 Bytes at $3000")) << run.StatusText();
    write_image(path, std::vector<uint8_t>(200, 0x22), 0x3000);
    make_later(path);
    run.Command(CM_HELPABOUT);
    EXPECT_TRUE(run.WaitForLog("dialog 22000 \"About Drenna\" 1\n")) << run.Log();
    // The file as it was named.
    EXPECT_TRUE(run.WaitForLog("box \"Reload Binary\" \"File 'prog.bin' on Disk is newer!\n"
                               "Ok to reload to Ram?\" 1"))
        << run.Log();
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x3000, 200) == std::vector<uint8_t>(200, 0x22); }));
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, FlashIdentifyRunsTheWriterFromRam)
{
    DrennaRun run("identify");
    write_flash_writer(run);
    run.Script("dialog wait\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_FLASHIDENTIFY);
    EXPECT_TRUE(run.WaitForTerminal("Flash: 64 KB in 7 sectors")) << run.TerminalText();
    EXPECT_TRUE(run.WaitForTerminal("Bye"));
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, FlashDownloadWritesTheChosenImage)
{
    DrennaRun run("flash");
    write_flash_writer(run);
    std::vector<uint8_t> user(600);
    for (size_t i = 0; i < user.size(); i++)
        user[i] = static_cast<uint8_t>(i * 3);
    write_image(run.Path("user.bin"), user, 0x0000);
    // Open the file, let the writer's download run, clear before writing.
    run.Script("open \"" + run.Path("user.bin") + "\"\ndialog wait\nbox yes\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_FLASHDOWNLOAD);
    EXPECT_TRUE(WaitUntil([&] { return BoardFlash(0, 600) == user; }))
        << run.TerminalText();
    EXPECT_TRUE(run.WaitForLog("Clear Flash E2prom before writing?\" 6"));
    // The boot sector holds a program now; the next reset skips it.
    EXPECT_TRUE(run.WaitForTerminal("<Flash Autostart disabled>"));
    EXPECT_EQ(run.Close(), 0);
}

// An image written to flash that changes on disk is not written again by
// itself: the program says so once, and the flash keeps what it had.
TEST_F(DrennaCommands, AFlashedFileChangedOnDiskIsReportedNotReloaded)
{
    DrennaRun run("flash_newer");
    write_flash_writer(run);
    std::vector<uint8_t> user(300, 0x5a);
    write_image(run.Path("user.bin"), user, 0x0000);
    run.Script("open \"" + run.Path("user.bin") + "\"\ndialog wait\nbox yes\ndialog ok\n"
               "dialog ok\nbox ok\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_FLASHDOWNLOAD);
    ASSERT_TRUE(WaitUntil([&] { return BoardFlash(0, 300) == user; })) << run.TerminalText();
    ASSERT_TRUE(run.WaitForTerminal("<Flash Autostart disabled>"));

    write_image(run.Path("user.bin"), std::vector<uint8_t>(300, 0xa5), 0x0000);
    make_later(run.Path("user.bin"));
    // The About box takes the focus away; the terminal gets it back.
    run.Command(CM_HELPABOUT);
    EXPECT_TRUE(run.WaitForLog("box \"Binary is newer\" " +
                               winui::QuoteScriptText("File '" + run.Path("user.bin") +
                                                      "' on Disk is newer!\n"
                                                      "Clear Flash and reload manually.") +
                               " 1\n"))
        << run.Log();
    // Once per change: the next focus gain asks nothing.
    run.Command(CM_HELPABOUT);
    auto abouts = [&] {
        std::string log = run.Log();
        size_t n = 0;
        for (size_t at = log.find("About Drenna"); at != std::string::npos;
             at = log.find("About Drenna", at + 1))
            n++;
        return n;
    };
    EXPECT_TRUE(WaitUntil([&] { return abouts() == 2; })) << run.Log();
    Sleep(1000);
    std::string log = run.Log();
    EXPECT_EQ(log.find("Binary is newer"), log.rfind("Binary is newer")) << log;
    EXPECT_EQ(log.find("Reload Binary"), std::string::npos) << log;
    EXPECT_EQ(BoardFlash(0, 300), user);
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, TheAddressDialogRefusesBadAddressesAndFixesAGoodOne)
{
    DrennaRun run("address");
    // 8000h and 100000 keep the dialog open; 8000 is taken.
    std::vector<uint8_t> raw(256);
    for (size_t i = 0; i < raw.size(); i++)
        raw[i] = static_cast<uint8_t>(0xFF - i);
    write_file(run.Path("raw.bin"), std::string(raw.begin(), raw.end()));
    run.Script("dialog ok set 101 8000h\ndialog ok set 101 100000\ndialog ok set 101 8000\n"
               "dialog wait\nopen \"" + run.Path("raw.bin") + "\"\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    run.Command(CM_FIXEDADDRESS);
    EXPECT_TRUE(run.WaitForLog("dialog 3 \"Enter Address for Download\" 1\n"
                               "dialog 3 \"Enter Address for Download\" 1\n"
                               "dialog 3 \"Enter Address for Download\" 1\n"))
        << run.Log();
    // A file without address trailer goes to the fixed address, whole.
    run.Command(CM_FILEOPEN);
    EXPECT_TRUE(WaitUntil([&] { return BoardRam(0x8000, 256) == raw; })) << run.Log();
    EXPECT_EQ(run.Close(), 0);
}

TEST_F(DrennaCommands, ThePortDialogReopensThePortAtTheChosenRate)
{
    DrennaRun run("port");
    // 38400 divides 115200 but is no entry of the list: OK keeps it.
    write_file(run.Path("drenna.INI"), "[COM]\r\nBaudrate=38400\r\n");
    run.Script("dialog ok\ndialog ok select 102 57600\n");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    std::string port = std::to_string(tool_port());
    run.Command(CM_COMSETTINGS);
    EXPECT_TRUE(run.WaitForTerminal("<Reconfigured: COM" + port + ": 38400 Bd>")) << run.Log();
    run.Command(CM_COMSETTINGS);
    EXPECT_TRUE(run.WaitForTerminal("<Reconfigured: COM" + port + ": 57600 Bd>")) << run.Log();
    EXPECT_EQ(run.Log(), "dialog 1 \"Communication Settings\" 1\ndialog 1 \"Communication Settings\" 1\n");
    run.Command(CM_RESETBOARD);
    EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));
    EXPECT_EQ(run.Close(), 0);
    EXPECT_NE(read_file(run.Path("drenna.INI")).find("Baudrate=57600"), std::string::npos);
}

// A pseudo-terminal takes 14400 and 28800 Bd but runs at 38400 Bd: the
// program says so instead of going on at a rate nobody chose.
TEST_F(DrennaCommands, ARateThePortCannotRunAtIsReported)
{
    struct Case {
        const char* rate;
        bool reported;
    };
    const Case cases[] = {{"14400", true}, {"28800", true}, {"19200", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        DrennaRun run("rate");
        run.Script("box ok\n");
        ASSERT_TRUE(run.Start(port_argument() + " -b" + c.rate));
        ASSERT_TRUE(run.WaitForWindow());
        std::string report = "box \"Error\" \"COM" + std::to_string(tool_port()) +
                             ": cannot run at " + c.rate + " Bd, runs at ";
        run.Command(CM_RESETBOARD);
        EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));
        if (c.reported)
            EXPECT_EQ(run.Log().rfind(report, 0), 0u) << run.Log();
        else
            EXPECT_EQ(run.Log(), "");
        EXPECT_EQ(run.Close(), 0);
        // The rate chosen stays the setting.
        EXPECT_NE(read_file(run.Path("drenna.INI")).find(std::string("Baudrate=") + c.rate),
                  std::string::npos);
    }
}

} // namespace
