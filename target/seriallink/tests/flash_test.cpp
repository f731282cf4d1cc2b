// The flash-writer dialogue: its replies byte by byte against a recorded
// line, and whole flash jobs against the simulated board's flash writer.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "comport.h"
#include "flash_dialogue.h"
#include "target_image.h"
#include "test_files.h"

namespace {

std::vector<int> sent;
std::string shown;

void record_put(int b)
{
    sent.push_back(b);
}
int no_byte(void)
{
    return -1;
}
void no_break(int)
{
}
void no_pulse(void)
{
}
const ComDevice recorder = {record_put, no_byte, no_break, no_pulse};

void show(int c)
{
    shown += static_cast<char>(c);
}

class Dialogue : public testing::Test {
protected:
    void SetUp() override
    {
        sent.clear();
        shown.clear();
        com_attach(&recorder, nullptr);
        ser_link.text_callback = show;
    }
    void TearDown() override
    {
        com_attach(nullptr, nullptr);
        ser_link.text_callback = nullptr;
        free_image();
    }
    void image(int size, int address)
    {
        std::vector<uint8_t> bytes(size);
        for (int i = 0; i < size; i++)
            bytes[i] = static_cast<uint8_t>(i * 3 + i / 256);
        write_binary("flash_image.bin", bytes, address);
        ASSERT_EQ(load_image("flash_image.bin"), 0);
    }
    void feed(const std::string& text)
    {
        for (unsigned char c : text)
            remote_state_machine(c);
    }
    // The board asks, the line stays quiet for one read time-out: returns
    // what the tool answered.
    std::vector<int> ask(const std::string& text = "\r\n?")
    {
        sent.clear();
        feed(text);
        remote_state_machine(-1);
        return sent;
    }
};

std::vector<int> block(int address, const std::vector<uint8_t>& all, int offset, int n)
{
    std::vector<int> b = {'b', n & 0xFF, (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF};
    int sum = b[2] + b[3] + b[4];
    for (int i = 0; i < n; i++) {
        b.push_back(all[offset + i]);
        sum += all[offset + i];
    }
    b.push_back(sum & 0xFF);
    return b;
}

TEST_F(Dialogue, ProgramSendsBlocksOf256BytesThenQuits)
{
    image(600, 0x1000);
    std::vector<uint8_t> all(600);
    image_copy(0, all.data(), 600);
    flash_job_prepare(FM_PROGRAM, 0);
    EXPECT_EQ(ask("Flash writer\r\n?"), block(0x1000, all, 0, 256));
    EXPECT_EQ(ask("\r\n>done\r\n?"), block(0x1100, all, 256, 256));
    EXPECT_EQ(ask(), block(0x1200, all, 512, 88));
    EXPECT_EQ(ask(), (std::vector<int>{'q'}));
    EXPECT_EQ(ask(), (std::vector<int>{'q'}));
    // Prompts and '>' lines are not shown.
    EXPECT_EQ(shown, "Flash writer\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(Dialogue, ErrorLineEndsTheJobAtTheNextPrompt)
{
    image(600, 0);
    flash_job_prepare(FM_PROGRAM, 0);
    EXPECT_EQ(ask("\n?").size(), 262u);
    EXPECT_EQ(ask("\n!Checksum error\r\n?"), (std::vector<int>{'q'}));
    EXPECT_EQ(shown, "\n\nChecksum error\r\n");
}

TEST_F(Dialogue, QuestionBeforeTheFirstLineEndIsText)
{
    image(16, 0);
    flash_job_prepare(FM_IDENTIFY, 0);
    EXPECT_EQ(ask("?"), std::vector<int>{});
    EXPECT_EQ(shown, "?");
    // Nor is a line answered before the board asks.
    EXPECT_EQ(ask("hello\r\n"), std::vector<int>{});
    EXPECT_EQ(ask("?"), (std::vector<int>{'i'}));
}

struct ModeCase {
    int mode;
    int sector;
    std::vector<std::vector<int>> replies;
};

class DialogueMode : public Dialogue, public testing::WithParamInterface<ModeCase> {};

TEST_P(DialogueMode, AnswersInTheModesOrder)
{
    image(10, 0x20);
    flash_job_prepare(GetParam().mode, GetParam().sector);
    for (const std::vector<int>& reply : GetParam().replies) {
        std::vector<int> got = ask();
        if (reply.size() == 1 && reply[0] == 'b')
            EXPECT_EQ(got.size(), 3u + 10u + 3u);
        else
            EXPECT_EQ(got, reply);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DialogueMode,
    testing::Values(ModeCase{FM_IDENTIFY, 0, {{'i'}, {'q'}}}, ModeCase{FM_CLEAR, 0, {{'c'}, {'q'}, {'q'}}},
                    ModeCase{FM_CLEAR_SECTOR, 3, {{'x', '3'}, {'q'}}},
                    ModeCase{FM_CLEAR_PROGRAM, 0, {{'c'}, {'b'}, {'q'}}},
                    ModeCase{FM_PROGRAM, 0, {{'b'}, {'q'}}}));

#ifndef _WIN32
using DialogueDeathTest = Dialogue;

TEST_F(DialogueDeathTest, InconsistentStateIsFatal)
{
    flash_job.state = 7;
    EXPECT_EXIT(remote_state_machine(-1), testing::ExitedWithCode(255), "Remote state machine 1");
}

TEST_F(DialogueDeathTest, PromptInADeadDialogueIsFatal)
{
    image(16, 0);
    flash_job_prepare(FM_IDENTIFY, 0);
    feed("\n");
    flash_job.state = -1;
    feed("?");
    EXPECT_EXIT(remote_state_machine(-1), testing::ExitedWithCode(255), "Remote state machine 2");
}
#endif

// Whole jobs: the flash writer ("FLWR" at its start) is downloaded to RAM,
// the user's image loaded, and the writer started with SC_RUN_TOOL. The
// writer resets the board when it quits.
struct FlashJobCase {
    const char* name;
    int mode;
    int sector;
    int bad_sums;
    const char* commands; // what the board's writer received
    const char* shown;    // part of the terminal text
};

class FlashJobs : public Board, public testing::WithParamInterface<FlashJobCase> {
protected:
    std::vector<uint8_t> user;

    void start(int mode, int sector)
    {
        std::vector<uint8_t> writer = {'F', 'L', 'W', 'R'};
        writer.resize(40, 0x00);
        load(writer, 0x8000, "flash_writer.bin");
        ASSERT_EQ(download(), 0);
        user.resize(600);
        for (size_t i = 0; i < user.size(); i++)
            user[i] = static_cast<uint8_t>(0xA0 ^ i);
        load(user, 0x0000, "flash_user.bin");
        flash_job_prepare(mode, sector);
        ASSERT_EQ(ser_command(SC_RUN_TOOL), 0);
        ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_RESET; }, 10000));
    }
};

TEST_P(FlashJobs, RunsTheWritersDialogue)
{
    {
        std::lock_guard<std::mutex> guard(sim().lock);
        std::fill(sim().flash + 0x4000, sim().flash + 0x4010, 0x5A); // sector 2
        std::fill(sim().flash + 0x2000, sim().flash + 0x2010, 0x5A); // sector 1
    }
    sim().faults.flash_bad_sum = GetParam().bad_sums;
    start(GetParam().mode, GetParam().sector);
    {
        std::lock_guard<std::mutex> guard(sim().lock);
        EXPECT_EQ(sim().flash_commands, GetParam().commands);
    }
    EXPECT_NE(terminal_text().find(GetParam().shown), std::string::npos) << terminal_text();
    bool programmed = GetParam().commands[1] == 'b' || GetParam().commands[0] == 'b';
    if (programmed && !GetParam().bad_sums) {
        EXPECT_EQ(board_flash(0, 600), user);
        // The boot sector now holds a program: its autostart was skipped.
        ASSERT_TRUE(wait_for([this] { return sim().autostarts_skipped == 1; }));
    }
    bool sector_2_cleared = GetParam().mode == FM_CLEAR || GetParam().mode == FM_CLEAR_PROGRAM ||
                            (GetParam().mode == FM_CLEAR_SECTOR && GetParam().sector == 2);
    EXPECT_EQ(board_flash(0x4000, 1)[0], sector_2_cleared ? 0xFF : 0x5A);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, FlashJobs,
    testing::Values(FlashJobCase{"identify", FM_IDENTIFY, 0, 0, "iq", "Flash: 64 KB in 7 sectors\r\n"},
                    FlashJobCase{"clear", FM_CLEAR, 0, 0, "cq", "Flash cleared\r\n"},
                    FlashJobCase{"sector", FM_CLEAR_SECTOR, 2, 0, "x2q", "Sector 2 cleared\r\n"},
                    FlashJobCase{"clear_program", FM_CLEAR_PROGRAM, 0, 0, "cbbbq", "Bye\r\n"},
                    FlashJobCase{"bad_sum", FM_PROGRAM, 0, 1, "bq", "Checksum error\r\n"}),
    [](const testing::TestParamInfo<FlashJobCase>& info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(FlashCommands, WriterImageSitsBesideTheProgram)
{
    const char* const cases[][2] = {
        {"C:\\suite\\bin\\drenna.exe", "C:\\suite\\bin\\drenna.BIX"},
        {"C:\\suite.v2\\drenna.EXE", "C:\\suite.v2\\drenna.BIX"},
        {"C:\\suite.v2\\drenna", "C:\\suite.v2\\drenna.BIX"},
        {"/opt/suite/drenna", "/opt/suite/drenna.BIX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(flash_tool_path(c[0]), c[1]);
}

TEST(FlashCommands, SectorTakesTheLeadingDigits)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"3", 3}, {"6 ", 6}, {"", 0}, {"x5", 0}, {"12", 12}, {"7", 7}, {"99999999999", 99999}};
    for (const auto& c : cases)
        EXPECT_EQ(flash_sector_value(c.text), c.value) << c.text;
}

TEST(FlashCommands, EnabledOnlyWhileTheMonitorIsIdleOrUnknown)
{
    for (int state = BS_UNDEFINED; state <= BS_ERROR; state++)
        EXPECT_EQ(flash_commands_enabled(state), state <= BS_MONITOR) << board_state_name(state);
}

} // namespace
