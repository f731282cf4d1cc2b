// The board operations byte by byte: each case scripts what the board
// answers, runs one operation and compares the bytes the tool sent, its
// result and the board state with the monitor protocol.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "comport.h"
#include "serlink.h"
#include "target_image.h"
#include "test_files.h"

namespace {

const int NONE = -1; // a read time-out in a script

std::deque<int> script;
std::vector<int> sent;
std::string printed;
int pulses = 0;
int breaks = 0;

void wire_put(int b)
{
    sent.push_back(b);
}
int wire_get(void)
{
    if (script.empty())
        return NONE;
    int b = script.front();
    script.pop_front();
    return b;
}
void wire_break(int)
{
    breaks++;
}
void wire_pulse(void)
{
    pulses++;
}
const ComDevice wire = {wire_put, wire_get, wire_break, wire_pulse};

void print(int c)
{
    printed += static_cast<char>(c);
}

std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<int> repeat(int n, int b)
{
    return std::vector<int>(n, b);
}

std::vector<int> text(const char* s)
{
    std::vector<int> out;
    for (; *s; s++)
        out.push_back(static_cast<unsigned char>(*s));
    return out;
}

const std::vector<int> stops = repeat(20, MC_STOP);
const std::vector<int> restart = {MC_SET_PC, 0x00, 0x00, 0x00, MC_GO};
const std::vector<int> registers = {0x07, 0x12, 0x34, 1, 2, 3, 4, 5, 6, 7, 8, 0xA5, 0xD5, 0x0B};

int sum_of(const std::vector<int>& bytes)
{
    int sum = 0;
    for (int b : bytes)
        sum += b;
    return sum & 0xFF;
}

struct WireCase {
    const char* name;
    int state_before;
    std::vector<int> replies;
    std::function<int()> operation;
    int result;
    std::vector<int> frame;
    int state_after;
};

class Wire : public testing::TestWithParam<WireCase> {
protected:
    void SetUp() override
    {
        ser_link_reset();
        ser_variant = SER_DOWNLOADER;
        script.clear();
        sent.clear();
        printed.clear();
        pulses = 0;
        breaks = 0;
        com_attach(&wire, nullptr);
        ser_link.text_callback = print;
        // Eight bytes at $0100 with a breakpoint flag on the last place one
        // can stand (offset 5) and one after it (offset 6).
        write_binary("wire_image.bin", {0x74, 0x01, 0x12, 0x00, 0x40, 0x04, 0x05, 0x06}, 0x100);
        ASSERT_EQ(load_image("wire_image.bin"), 0);
        image_set_flags(5, IF_BREAK, 0);
        image_set_flags(6, IF_BREAK, 0);
    }
    void TearDown() override
    {
        com_attach(nullptr, nullptr);
        ser_link.text_callback = nullptr;
        ser_link_reset();
        free_image();
    }
};

TEST_P(Wire, SendsTheFramesAndReadsTheReplies)
{
    const WireCase& c = GetParam();
    ser_link.board_state = c.state_before;
    script.assign(c.replies.begin(), c.replies.end());
    EXPECT_EQ(c.operation(), c.result);
    EXPECT_EQ(sent, c.frame);
    EXPECT_EQ(ser_link.board_state, c.state_after);
}

int at_pc(int32_t pc, int (*operation)())
{
    ser_link.current_pc = pc;
    return operation();
}

int download_five()
{
    static const uint8_t bytes[5] = {1, 2, 3, 4, 5};
    ser_link.pending_command = SC_DOWNLOAD;
    return ser_download(bytes, 0x1FFE, 5, 2);
}

const std::vector<int> block_1 = {MC_WRITE, 0x1F, 0xFE, 0x00, 0x02, 1, 2, (0x1F + 0xFE + 2 + 1 + 2) & 0xFF};
const std::vector<int> block_2 = {MC_WRITE, 0x20, 0x00, 0x00, 0x02, 3, 4, (0x20 + 2 + 3 + 4) & 0xFF};
const std::vector<int> block_3 = {MC_WRITE, 0x20, 0x02, 0x00, 0x01, 5, (0x20 + 2 + 1 + 5) & 0xFF};

// The image's bytes at $0105 written back over a breakpoint there.
const std::vector<int> unplant_105 = {MC_WRITE, 0x01, 0x05, 0x00, 0x03, 0x04, 0x05, 0x06,
                                      (1 + 5 + 3 + 4 + 5 + 6) & 0xFF};

std::vector<WireCase> wire_cases()
{
    const int U = BS_UNDEFINED, M = BS_MONITOR, E = BS_ERROR, R = BS_RESET;
    const int ACK = MC_ACK;
    std::vector<int> id = text("SIM");
    return {
        // The internal reset: 20 stops, a drain, PC 0 and go, then the
        // acknowledgement, the reset marker and one more byte.
        {"reset", U, {NONE, ACK, MC_RESET, NONE}, ser_reset, 0, stops + restart, R},
        {"reset_drains_output", U, {'a', MC_PC_REPORT, NONE, ACK, 'x', MC_RESET, 'y'}, ser_reset, 0,
         stops + restart, R},
        {"reset_drains_200_bytes", U, repeat(200, 'a') + std::vector<int>{ACK, MC_RESET}, ser_reset, 0,
         stops + restart, R},
        {"reset_drain_stops_at_200", U, repeat(201, 'a') + std::vector<int>{ACK, MC_RESET}, ser_reset, -1,
         stops + restart, E},
        {"reset_without_answer", U, {}, ser_reset, -1, stops + restart, E},
        {"reset_refused", U, {NONE, MC_ERROR}, ser_reset, -1, stops + restart, E},
        {"reset_marker_in_40_reads", U, std::vector<int>{NONE, ACK} + repeat(39, 'z') + std::vector<int>{MC_RESET},
         ser_reset, 0, stops + restart, R},
        {"reset_marker_too_late", U, std::vector<int>{NONE, ACK} + repeat(40, 'z') + std::vector<int>{MC_RESET},
         ser_reset, -2, stops + restart, E},
        {"reset_skips_autostart", U, {NONE, ACK, MC_RESET, ACK}, ser_reset, 0,
         stops + restart + text(MC_AUTOSTART_OFF), R},
        {"reset_autostart_performed", U, {NONE, ACK, MC_RESET, ACK},
         [] {
             ser_link.disable_autostart = 0;
             return ser_reset();
         },
         -3, stops + restart, R},

        {"set_address", E, {ACK}, [] { return ser_set_address(0x1234, 1); }, 0, {MC_SET_PC, 0x12, 0x34, 0x46}, M},
        {"set_address_keeps_state", E, {ACK}, [] { return ser_set_address(0x12F0, 0); }, 0,
         {MC_SET_PC, 0x12, 0xF0, 0x02}, E},
        {"set_address_refused", U, {MC_ERROR}, [] { return ser_set_address(0x1234, 1); }, -1,
         {MC_SET_PC, 0x12, 0x34, 0x46}, U},

        {"set_break", M, {ACK}, [] { return ser_set_break(0x89AB); }, 0, {MC_SET_BREAK, 0x89, 0xAB, 0x34}, M},
        {"set_break_refused", M, {MC_ERROR}, [] { return ser_set_break(0x89AB); }, -1,
         {MC_SET_BREAK, 0x89, 0xAB, 0x34}, E},
        {"set_break_other_byte", M, {0x55}, [] { return ser_set_break(0x89AB); }, -2,
         {MC_SET_BREAK, 0x89, 0xAB, 0x34}, E},
        {"set_break_unanswered", M, {}, [] { return ser_set_break(0x89AB); }, -3,
         {MC_SET_BREAK, 0x89, 0xAB, 0x34}, E},
        // The image's own three bytes go back over the breakpoint.
        {"clear_break", M, {ACK}, [] { return ser_clear_break(0x102); }, 0,
         {MC_WRITE, 0x01, 0x02, 0x00, 0x03, 0x12, 0x00, 0x40, (1 + 2 + 3 + 0x12 + 0x40) & 0xFF}, M},
        {"clear_break_refused", M, {MC_ERROR}, [] { return ser_clear_break(0x102); }, -1,
         {MC_WRITE, 0x01, 0x02, 0x00, 0x03, 0x12, 0x00, 0x40, (1 + 2 + 3 + 0x12 + 0x40) & 0xFF}, E},

        {"download", R, {ACK, ACK, ACK}, download_five, 0, block_1 + block_2 + block_3, M},
        {"download_refused", R, {ACK, MC_ERROR}, download_five, -1, block_1 + block_2, E},
        {"download_other_byte", R, {ACK, ACK, MC_RESET}, download_five, -2, block_1 + block_2 + block_3, E},
        {"download_unanswered", R, {}, download_five, -3, block_1, E},
        {"download_cancelled", R, {},
         [] {
             static const uint8_t bytes[1] = {0};
             ser_link.pending_command = 0;
             return ser_download(bytes, 0, 1, 250);
         },
         -4, {}, E},

        {"read_regs", M, std::vector<int>{MC_DATA} + registers + std::vector<int>{sum_of(registers)},
         ser_read_regs, 0, {MC_READ_REGS}, M},
        {"read_regs_no_data", M, {ACK}, ser_read_regs, -5, {MC_READ_REGS}, M},
        {"read_regs_short", M, std::vector<int>{MC_DATA} + std::vector<int>(registers.begin(), registers.end() - 1),
         ser_read_regs, -1, {MC_READ_REGS}, M},
        {"read_regs_no_sum", M, std::vector<int>{MC_DATA} + registers, ser_read_regs, -2, {MC_READ_REGS}, M},
        {"read_regs_bad_sum", M, std::vector<int>{MC_DATA} + registers + std::vector<int>{sum_of(registers) ^ 1},
         ser_read_regs, -3, {MC_READ_REGS}, M},

        {"board_id", M, std::vector<int>{MC_DATA} + id + std::vector<int>{0, sum_of(id)}, ser_board_id, 0,
         {MC_BOARD_ID}, M},
        {"board_id_no_data", M, {}, ser_board_id, -5, {MC_BOARD_ID}, M},
        {"board_id_unended", M, std::vector<int>{MC_DATA} + id, ser_board_id, -1, {MC_BOARD_ID}, M},
        {"board_id_no_sum", M, std::vector<int>{MC_DATA} + id + std::vector<int>{0}, ser_board_id, -2,
         {MC_BOARD_ID}, M},
        {"board_id_bad_sum", M, std::vector<int>{MC_DATA} + id + std::vector<int>{0, sum_of(id) + 1}, ser_board_id,
         -3, {MC_BOARD_ID}, M},

        // A PC report: high, low and their sum follow the report byte.
        {"read_pc", BS_STEP_ASM, {0x12, 0x34, 0x46}, ser_read_pc, 0, {}, M},
        {"read_pc_no_high", BS_RUN, {}, ser_read_pc, -1, {}, E},
        {"read_pc_no_low", BS_RUN, {0x12}, ser_read_pc, -2, {}, E},
        {"read_pc_no_sum", BS_RUN, {0x12, 0x34}, ser_read_pc, -3, {}, E},
        {"read_pc_bad_sum", BS_RUN, {0x12, 0x34, 0x47}, ser_read_pc, -4, {}, E},
        {"read_pc_continues_animation", BS_ANIM_HLL, {0x12, 0x34, 0x46}, ser_read_pc, 0, {MC_STEP_HLL},
         BS_ANIM_HLL},
        // Reaching a breakpoint ends the animation in the monitor.
        {"read_pc_ends_animation_at_break", BS_ANIM_ASM, {0x01, 0x05, 0x06}, ser_read_pc, 0, {}, M},

        {"step_asm", M, {}, ser_step_asm, 0, {MC_STEP}, BS_STEP_ASM},
        {"step_hll", M, {}, ser_step_hll, 0, {MC_STEP_HLL}, BS_STEP_HLL},
        {"step_outside_monitor", BS_RUN, {}, ser_step_asm, -1, {}, BS_RUN},
        {"anim_asm_again", BS_ANIM_ASM, {}, ser_anim_asm, 0, {MC_STEP}, BS_ANIM_ASM},
        {"anim_hll", M, {}, ser_anim_hll, 0, {MC_STEP_HLL}, BS_ANIM_HLL},
        {"anim_other_kind", BS_ANIM_HLL, {}, ser_anim_asm, -1, {}, BS_ANIM_HLL},
        {"run", M, {}, ser_run, 0, {MC_GO}, BS_RUN},
        {"run_outside_monitor", R, {}, ser_run, -1, {}, R},
        {"stop_run", BS_RUN, {}, ser_stop, 0, {MC_STOP}, E},
        {"stop_animation_sends_nothing", BS_ANIM_ASM, {}, ser_stop, 0, {}, E},

        // On a planted breakpoint the step, animation and run commands first
        // write the program's bytes back over it and step once (a run goes
        // on after that step); a flag where no breakpoint fits (two bytes
        // before the end) does not count.
        {"step_on_break", M, {ACK}, [] { return at_pc(0x105, ser_step_asm); }, 0,
         unplant_105 + std::vector<int>{MC_STEP}, BS_STEP_ASM},
        {"anim_on_break", M, {ACK}, [] { return at_pc(0x105, ser_anim_hll); }, 0,
         unplant_105 + std::vector<int>{MC_STEP_HLL}, BS_ANIM_HLL},
        {"run_on_break", M, {ACK}, [] { return at_pc(0x105, ser_run); }, 0,
         unplant_105 + std::vector<int>{MC_STEP}, BS_STEP_ASM},
        {"step_on_break_refused", M, {MC_ERROR}, [] { return at_pc(0x105, ser_step_asm); }, -1,
         unplant_105, E},
        {"step_on_break_outside_monitor", BS_RUN, {}, [] { return at_pc(0x105, ser_step_asm); }, -1, {},
         BS_RUN},
        // The end of that step plants the breakpoint again; a run then goes on.
        {"read_pc_plants_the_left_break", BS_STEP_ASM, {0x12, 0x34, 0x46, ACK},
         [] {
             ser_link.replant_break = 0x105;
             return ser_read_pc();
         },
         0, {MC_SET_BREAK, 0x01, 0x05, 0x06}, M},
        {"read_pc_goes_on_with_the_run", BS_STEP_ASM, {0x12, 0x34, 0x46, ACK},
         [] {
             ser_link.replant_break = 0x105;
             ser_link.run_after_step = BS_RUN;
             return ser_read_pc();
         },
         0, {MC_SET_BREAK, 0x01, 0x05, 0x06, MC_GO}, BS_RUN},
        {"read_pc_replant_refused", BS_STEP_ASM, {0x12, 0x34, 0x46, MC_ERROR},
         [] {
             ser_link.replant_break = 0x105;
             ser_link.run_after_step = BS_RUN;
             return ser_read_pc();
         },
         -1, {MC_SET_BREAK, 0x01, 0x05, 0x06}, E},
        {"step_past_the_last_break_place", M, {}, [] { return at_pc(0x106, ser_step_asm); }, 0, {MC_STEP},
         BS_STEP_ASM},
    };
}

INSTANTIATE_TEST_SUITE_P(Operations, Wire, testing::ValuesIn(wire_cases()),
                         [](const testing::TestParamInfo<WireCase>& info) { return std::string(info.param.name); });

TEST_F(Wire, RegisterReplyFillsTheTable)
{
    ser_link.current_pc = 0x0105;
    script.assign({MC_DATA});
    for (int b : registers)
        script.push_back(b);
    script.push_back(sum_of(registers));
    ASSERT_EQ(ser_read_regs(), 0);
    struct {
        const char* text;
        int value;
    } expected[] = {
        {"SP=$", 0x07}, {":", 0x12},  {"DPTR=$", 0x1234}, {"R7=$", 1}, {"R0=$", 8},  {"ACC=$", 0xA5},
        {"PSW=$", 0xD5}, {"B=$", 0x0B}, {"PC=$", 0x0105},  {"C=", 1},   {"AC=", 1},   {"RS=", 2},
        {"OV=", 1},     {"P=", 1},
    };
    for (const auto& e : expected) {
        bool found = false;
        for (const CpuRegister& r : cpu_registers)
            if (std::string(r.text) == e.text) {
                EXPECT_EQ(r.value, e.value) << e.text;
                found = true;
            }
        EXPECT_TRUE(found) << e.text;
    }
    EXPECT_EQ(cpu_registers[1].changed, 0);
    EXPECT_EQ(cpu_registers[2].changed, 1);
}

TEST_F(Wire, ResetMarkerAndPendingAutostart)
{
    ser_link.board_state = BS_MONITOR;
    ser_link.current_pc = 0x100;
    int beeps = ser_beeps;
    ser_work(MC_RESET);
    EXPECT_EQ(ser_link.board_state, BS_RESET);
    EXPECT_EQ(ser_link.current_pc, -1);
    EXPECT_EQ(ser_beeps, beeps + 1);
    EXPECT_TRUE(sent.empty());

    ser_work(MC_ACK);
    EXPECT_EQ(sent, text(MC_AUTOSTART_OFF));
    sent.clear();
    ser_link.disable_autostart = 0;
    ser_work(MC_ACK);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(printed, "\n<External reset>\n\n<Flash Autostart disabled>\n\n<Flash Autostart performed>\n");

    // Outside the reset state an acknowledgement is program output.
    printed.clear();
    ser_link.board_state = BS_RUN;
    ser_work(MC_ACK);
    EXPECT_EQ(printed, std::string(1, static_cast<char>(MC_ACK)));
    EXPECT_TRUE(sent.empty());
}

TEST_F(Wire, ResetMarkerReadsTheRegistersAndGoesOnWhenAsked)
{
    ser_link.read_registers = 1;
    script.assign({MC_DATA});
    for (int b : registers)
        script.push_back(b);
    script.push_back(sum_of(registers));
    ser_work(MC_RESET);
    EXPECT_EQ(sent, (std::vector<int>{MC_READ_REGS, MC_GO}));
    EXPECT_EQ(cpu_registers[0].value, 7);
}

TEST_F(Wire, KeyGoesOutOnTheSecondQuietReadAfterACommand)
{
    ser_link.board_state = BS_RUN;
    ser_link.queued_key = 'k';
    ser_work(-1); // the first quiet read only makes the line idle
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(ser_link.queued_key, 'k');
    ser_work('x'); // a received byte is output, not a quiet read
    EXPECT_TRUE(sent.empty());
    ser_work(-1);
    EXPECT_EQ(sent, std::vector<int>{'k'});
    EXPECT_EQ(ser_link.queued_key, 0);

    // Two ESC in a row: one goes out, the second holds a BREAK; a third
    // goes out again.
    sent.clear();
    for (int i = 0; i < 3; i++) {
        ser_link.queued_key = 27;
        ser_work(-1);
    }
    EXPECT_EQ(sent, (std::vector<int>{27, 27}));
    EXPECT_EQ(breaks, 1);

    // In the monitor a key waits, however quiet the line.
    sent.clear();
    ser_link.board_state = BS_MONITOR;
    ser_link.queued_key = 'm';
    ser_work(-1);
    ser_work(-1);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(ser_link.queued_key, 'm');
}

} // namespace
