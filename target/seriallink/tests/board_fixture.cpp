#include "board_fixture.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "flash_dialogue.h"
#include "target_image.h"
#include "test_files.h"

static std::mutex terminal_lock;
static std::string terminal;

static void terminal_putc(int c)
{
    std::lock_guard<std::mutex> guard(terminal_lock);
    terminal += static_cast<char>(c);
}

std::string terminal_text()
{
    std::lock_guard<std::mutex> guard(terminal_lock);
    return terminal;
}

void Board::SetUp()
{
    ser_link_reset();
    ser_variant = SER_DOWNLOADER;
    com_reset_lines = 1;
    ser_beeps = 0;
    flash_job_prepare(FM_IDENTIFY, 0);
    free_image();
    {
        std::lock_guard<std::mutex> guard(terminal_lock);
        terminal.clear();
    }
    ser_link.text_callback = terminal_putc;
    line = new SimLine;
    board_sim_init(&line->sim);
    sim_line_open(line, ser_work);
}

void Board::TearDown()
{
    sim_line_close(line);
    delete line;
    line = nullptr;
    ser_link.text_callback = nullptr;
    free_image();
}

void Board::load(const std::vector<uint8_t>& bytes, int address, const char* name)
{
    write_binary(name, bytes, static_cast<uint32_t>(address));
    ASSERT_EQ(load_image(name), 0);
}

int Board::finish(int code)
{
    EXPECT_EQ(ser_command(code), 0);
    EXPECT_TRUE(wait_for([] { return ser_link.pending_command <= 0; }, 20000));
    return ser_link.pending_command;
}

int Board::download()
{
    return finish(SC_DOWNLOAD);
}

std::vector<uint8_t> Board::board_ram(int address, int count)
{
    std::vector<uint8_t> out(count);
    board_sim_read_ram(&line->sim, address, out.data(), count);
    return out;
}

std::vector<uint8_t> Board::board_flash(int address, int count)
{
    std::vector<uint8_t> out(count);
    board_sim_read_flash(&line->sim, address, out.data(), count);
    return out;
}

std::vector<uint8_t> sample_program()
{
    // mov a,#1 / inc a / mov r0,#5 / mov dptr,#1234h / nop ... / sjmp $
    std::vector<uint8_t> code = {0x74, 0x01, 0x04, 0x78, 0x05, 0x90, 0x12, 0x34};
    while (code.size() < 62)
        code.push_back(0x00);
    code.push_back(0x80);
    code.push_back(0xFE);
    return code;
}
