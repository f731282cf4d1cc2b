// The library on a real COM port under Wine: the simulated board serves the
// other end of a pseudo-terminal pair (with_board.sh sets it up), and the
// library's own reader thread downloads, debugs and programs the flash.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "board_fixture.h"
#include "comport.h"
#include "flash_dialogue.h"
#include "report_capture.h"
#include "serlink.h"
#include "target_image.h"
#include "test_files.h"

namespace {

// The board writes its RAM and flash here after every change.
const char* const board_dump = "com_board.bin";
int tool_port()
{
    const char* port = std::getenv("SERIAL_TOOL_PORT");
    return port ? std::atoi(port) : 5;
}

std::mutex terminal_lock;
std::string terminal;

void terminal_putc(int c)
{
    std::lock_guard<std::mutex> guard(terminal_lock);
    terminal += static_cast<char>(c);
}

std::string terminal_now()
{
    std::lock_guard<std::mutex> guard(terminal_lock);
    return terminal;
}

std::vector<uint8_t> dump_part(int offset, int count)
{
    std::vector<uint8_t> out;
    FILE* f = std::fopen(board_dump, "rb");
    if (!f)
        return out;
    out.resize(count);
    std::fseek(f, offset, SEEK_SET);
    size_t got = std::fread(out.data(), 1, count, f);
    std::fclose(f);
    out.resize(got);
    return out;
}

std::vector<uint8_t> board_ram(int address, int count)
{
    return dump_part(address, count);
}

std::vector<uint8_t> board_flash(int address, int count)
{
    return dump_part(0x10000 + address, count);
}

int finish(int code)
{
    EXPECT_EQ(ser_command(code), 0);
    EXPECT_TRUE(wait_for([] { return ser_link.pending_command <= 0; }, 30000));
    return ser_link.pending_command;
}

class ComPort : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        reports = new ReportCapture;
        ser_link_reset();
        ser_link.text_callback = terminal_putc;
        OpenCom(tool_port(), 115200, ser_work);
    }
    static void TearDownTestSuite()
    {
        ExitCom();
        ser_link.text_callback = nullptr;
        delete reports;
        reports = nullptr;
    }
    void TearDown() override
    {
        EXPECT_EQ(reports->text(), "");
    }
    static ReportCapture* reports;
};

ReportCapture* ComPort::reports = nullptr;

TEST_F(ComPort, DownloadsAnImageIntoTheBoardsRam)
{
    std::vector<uint8_t> image = sample_program();
    image.resize(3000, 0x00);
    image[2999] = 0xA5;
    write_binary("com_image.bin", image, 0x8000);
    ASSERT_EQ(load_image("com_image.bin"), 0);
    EXPECT_EQ(finish(SC_DOWNLOAD), 0);
    EXPECT_EQ(ser_link.board_state, BS_MONITOR);
    EXPECT_EQ(board_ram(0x8000, 3000), image);
    EXPECT_NE(terminal_now().find("\n<Internal Reset>\n"), std::string::npos);
}

TEST_F(ComPort, IdentifiesTheBoard)
{
    EXPECT_EQ(ser_command(SC_BOARD_ID), 0);
    EXPECT_EQ(ser_board_id_text(), "SIM-51 Monitor V2.1");
}

TEST_F(ComPort, DebugsWithABreakpointStepsAndRegisters)
{
    ASSERT_EQ(image_downloaded(), 1);
    ser_link.read_registers = 1;
    ser_link.command_address = 0x8005;
    ASSERT_EQ(ser_command(SC_SET_BREAK), 0);
    image_set_flags(5, IF_BREAK, 0);
    EXPECT_EQ(board_ram(0x8005, 3), (std::vector<uint8_t>{0x12, 0x00, 0x03}));

    ASSERT_EQ(ser_command(SC_RUN), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8005; }));
    EXPECT_EQ(cpu_registers[0].value, 7);      // SP
    EXPECT_EQ(cpu_registers[14].value, 0x8005); // PC

    ASSERT_EQ(ser_command(SC_CLEAR_BREAK), 0);
    image_set_flags(5, 0, IF_BREAK);
    EXPECT_EQ(board_ram(0x8005, 3), (std::vector<uint8_t>{0x90, 0x12, 0x34}));

    int r0 = cpu_registers[10].value;
    ASSERT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8008; }));
    ASSERT_TRUE(wait_for([] { return cpu_registers[14].value == 0x8008; }));
    EXPECT_EQ(cpu_registers[10].value, (r0 + 1) & 0xFF);
    EXPECT_EQ(cpu_registers[10].changed, 1);
    EXPECT_EQ(cpu_registers[11].value, 0x90); // the opcode stepped
    ser_link.read_registers = 0;
}

TEST_F(ComPort, RunningProgramEchoesKeysAndStops)
{
    ASSERT_EQ(ser_command(SC_RUN), 0);
    ASSERT_TRUE(wait_for([] { return terminal_now().find("Hello from the board\r\n") != std::string::npos; }));
    ser_link.queued_key = 'q';
    ASSERT_TRUE(wait_for([] { return terminal_now().find("board\r\nq") != std::string::npos; }));
    // A double ESC holds a BREAK, which a pseudo-terminal cannot: not fatal.
    ser_link.queued_key = 27;
    ASSERT_TRUE(wait_for([] { return ser_link.queued_key == 0; }));
    ser_link.queued_key = 27;
    ASSERT_TRUE(wait_for([] { return ser_link.queued_key == 0; }));
    ASSERT_EQ(ser_command(SC_STOP), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR; }));
}

TEST_F(ComPort, ProgramsTheFlashThroughTheWriter)
{
    std::vector<uint8_t> writer = {'F', 'L', 'W', 'R'};
    writer.resize(64, 0x00);
    write_binary("com_writer.bin", writer, 0x9000);
    ASSERT_EQ(load_image("com_writer.bin"), 0);
    ASSERT_EQ(finish(SC_DOWNLOAD), 0);

    std::vector<uint8_t> user(700);
    for (size_t i = 0; i < user.size(); i++)
        user[i] = static_cast<uint8_t>(i * 5);
    write_binary("com_user.bin", user, 0x0000);
    ASSERT_EQ(load_image("com_user.bin"), 0);
    flash_job_prepare(FM_CLEAR_PROGRAM, 0);
    ASSERT_EQ(ser_command(SC_RUN_TOOL), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_RESET; }, 20000));
    EXPECT_EQ(board_flash(0, 700), user);
    // The boot sector holds a program now; its autostart is skipped.
    EXPECT_TRUE(wait_for([] { return terminal_now().find("\n<Flash Autostart disabled>\n") != std::string::npos; }));
}

TEST_F(ComPort, ReopeningStopsTheOldReaderFirst)
{
    OpenCom(tool_port(), 57600, ser_work);
    OpenCom(tool_port(), 115200, ser_work);
    EXPECT_EQ(ser_command(SC_RESET), 0);
    EXPECT_EQ(ser_link.board_state, BS_RESET);
}

} // namespace
