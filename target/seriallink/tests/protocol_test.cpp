// The monitor protocol against the simulated board: reset, identification,
// downloads, breakpoints, steps, animation, runs, keys and every fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>

#include "board_fixture.h"
#include "report_capture.h"
#include "ser_report.h"
#include "target_image.h"

namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TEST_F(Board, ResetPulsesTheLinesAndFindsTheMonitor)
{
    EXPECT_EQ(ser_command(SC_RESET), 0);
    EXPECT_EQ(ser_link.board_state, BS_RESET);
    EXPECT_EQ(ser_link.current_pc, -1);
    EXPECT_EQ(line->reset_pulses, 1);
    EXPECT_EQ(sim().resets, 1);
    EXPECT_EQ(ser_beeps, 1);
    EXPECT_TRUE(contains(terminal_text(), "\n<Internal Reset>\n"));
    EXPECT_EQ(std::string(board_state_name(ser_link.board_state)), "Reset");
}

TEST_F(Board, ResetAfterADownloadEntersTheMonitorAtTheLoadAddress)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    ser_link.current_pc = 0x8010;
    EXPECT_EQ(ser_command(SC_RESET), 0);
    EXPECT_EQ(ser_link.board_state, BS_MONITOR);
    EXPECT_EQ(ser_link.current_pc, 0x8000);
}

TEST_F(Board, IdentifiesTheBoard)
{
    EXPECT_EQ(ser_command(SC_BOARD_ID), 0);
    EXPECT_EQ(ser_board_id_text(), "SIM-51 Monitor V2.1");
    EXPECT_TRUE(contains(terminal_text(), "\n<Board Id: 'SIM-51 Monitor V2.1'>\n"));
}

TEST_F(Board, IdentificationTextTakesAtMost240BytesWithItsEnd)
{
    sim().id_text = std::string(239, 'a');
    EXPECT_EQ(ser_command(SC_BOARD_ID), 0);
    EXPECT_EQ(ser_board_id_text().size(), 239u);

    sim().id_text = std::string(240, 'b');
    ReportCapture reports;
    EXPECT_EQ(ser_command(SC_BOARD_ID), -1);
    EXPECT_EQ(ser_board_id_text(), "");
    EXPECT_TRUE(contains(reports.text(), "Error: Command error: incorrect or missing response (Code -4)"));
}

struct BlockCase {
    int size;
    int blocks;
};

class Download : public Board, public testing::WithParamInterface<BlockCase> {};

TEST_P(Download, GoesInBlocksOfATenthBetween250And1000Bytes)
{
    std::vector<uint8_t> image(GetParam().size);
    for (size_t i = 0; i < image.size(); i++)
        image[i] = static_cast<uint8_t>(i * 7 + i / 256);
    load(image, 0x1000);
    EXPECT_EQ(download(), 0);
    EXPECT_EQ(sim().write_blocks, GetParam().blocks);
    EXPECT_EQ(board_ram(0x1000, GetParam().size), image);
    EXPECT_EQ(ser_link.board_state, BS_MONITOR);
    EXPECT_EQ(ser_link.current_pc, 0x1000);
    EXPECT_EQ(image_downloaded(), 1);
    EXPECT_TRUE(contains(terminal_text(), "\n<Download...>\n"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Download,
                         testing::Values(BlockCase{100, 1}, BlockCase{2500, 10}, BlockCase{3000, 10},
                                         BlockCase{10000, 10}, BlockCase{25000, 25}));

TEST_F(Board, DownloadReportsItsProgress)
{
    load(std::vector<uint8_t>(3000, 0x55), 0x2000);
    sim().faults.late_block_ms = 20;
    ASSERT_EQ(ser_command(SC_DOWNLOAD), 0);
    std::vector<int> seen;
    while (ser_link.pending_command > 0) {
        int percent = ser_link.download_percent;
        if (seen.empty() || seen.back() != percent)
            seen.push_back(percent);
        pause(2);
    }
    EXPECT_EQ(ser_link.pending_command, 0);
    EXPECT_EQ(ser_link.download_percent, 90);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.size(), 5u);
    for (int p : seen)
        EXPECT_EQ(p % 10, 0) << p;
}

TEST_F(Board, BreakpointStopsTheRunAndClearingRestoresTheImage)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    ser_link.command_address = 0x8005;
    ASSERT_EQ(ser_command(SC_SET_BREAK), 0);
    EXPECT_EQ(board_ram(0x8005, 3), (std::vector<uint8_t>{0x12, 0x00, 0x03}));
    image_set_flags(5, IF_BREAK, 0);

    int beeps = ser_beeps;
    ASSERT_EQ(ser_command(SC_RUN), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR; }));
    EXPECT_EQ(ser_link.current_pc, 0x8005);
    EXPECT_EQ(ser_beeps, beeps + 1);

    EXPECT_EQ(sim().steps, 0);
    ASSERT_EQ(ser_command(SC_CLEAR_BREAK), 0);
    image_set_flags(5, 0, IF_BREAK);
    EXPECT_EQ(board_ram(0x8005, 3), (std::vector<uint8_t>{0x90, 0x12, 0x34}));
    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8008; }));
}

// On a planted breakpoint the board holds the monitor's call in place of the
// program's instruction: a step, an animation or a run leaves it by one step
// over the program's own bytes, and the breakpoint is planted again.
TEST_F(Board, StepsAndRunsLeaveABreakpointAndPlantItAgain)
{
    struct Case {
        int command;
        int steps;      // instructions the board stepped
        int32_t stop;   // where the board is in the monitor again
    } cases[] = {
        {SC_STEP_ASM, 1, 0x8008}, {SC_STEP_HLL, 1, 0x8008}, {SC_ANIM_ASM, 9, 0x8010},
        {SC_ANIM_HLL, 9, 0x8010}, {SC_RUN, 1, 0x8010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        load(sample_program(), 0x8000);
        ASSERT_EQ(download(), 0);
        for (int32_t address : {0x8005, 0x8010}) {
            ser_link.command_address = address;
            ASSERT_EQ(ser_command(SC_SET_BREAK), 0);
            image_set_flags(address - 0x8000, IF_BREAK, 0);
        }
        ASSERT_EQ(ser_command(SC_RUN), 0);
        ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR; }));
        ASSERT_EQ(ser_link.current_pc, 0x8005);

        int steps = sim().steps;
        int code = c.command == SC_ANIM_ASM || c.command == SC_ANIM_HLL ? finish(c.command)
                                                                          : ser_command(c.command);
        EXPECT_EQ(code, 0);
        ASSERT_TRUE(wait_for([&] {
            return ser_link.board_state == BS_MONITOR && ser_link.current_pc == c.stop;
        })) << std::hex << ser_link.current_pc;
        EXPECT_EQ(sim().steps - steps, c.steps);
        EXPECT_EQ(board_ram(0x8005, 3), (std::vector<uint8_t>{0x12, 0x00, 0x03}));
        EXPECT_EQ(board_ram(0x8010, 3), (std::vector<uint8_t>{0x12, 0x00, 0x03}));
    }
}

TEST_F(Board, StepReadsTheRegistersWhenAsked)
{
    load(sample_program(), 0x8000);
    ser_link.read_registers = 1;
    ASSERT_EQ(download(), 0);
    EXPECT_EQ(cpu_registers[0].value, 7); // SP, read when the monitor was entered
    EXPECT_EQ(cpu_registers[10].value, 0);

    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8002; }));
    ASSERT_TRUE(wait_for([] { return cpu_registers[14].value == 0x8002; }));
    struct Expect {
        int index;
        int value;
        int changed;
    } expected[] = {
        {0, 7, 0},     // SP
        {10, 1, 1},    // R0
        {11, 0x74, 1}, // ACC: the opcode stepped
        {12, 0x80, 1}, // PSW
        {14, 0x8002, 1}, // PC
        {15, 1, 1},    // C
        {16, 0, 0},    // AC
        {2, 0, 0},     // DPTR
        {1, 0, 0},     // the DPTR high byte is never shown as changed
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(cpu_registers[e.index].text);
        EXPECT_EQ(cpu_registers[e.index].value, e.value);
        EXPECT_EQ(cpu_registers[e.index].changed, e.changed);
    }
}

class Animation : public Board, public testing::WithParamInterface<int> {};

TEST_P(Animation, GoesOnUntilStoppedThenEndsInTheMonitor)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    EXPECT_EQ(ser_command(GetParam()), 0);
    ASSERT_TRUE(wait_for([this] { return sim().steps >= 5; }));
    EXPECT_EQ(ser_link.board_state, GetParam() == SC_ANIM_ASM ? BS_ANIM_ASM : BS_ANIM_HLL);
    EXPECT_EQ(ser_command(SC_STOP), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR; }));
    int steps = sim().steps;
    pause(150);
    EXPECT_EQ(sim().steps, steps);
}

TEST_P(Animation, EndsAtABreakpoint)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    image_set_flags(8, IF_BREAK, 0);
    EXPECT_EQ(ser_command(GetParam()), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8008; }));
    pause(150);
    EXPECT_EQ(sim().steps, 4);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Animation, testing::Values(SC_ANIM_ASM, SC_ANIM_HLL));

TEST_F(Board, RunningProgramTalksThroughTheTerminal)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    ser_link.queued_key = 'z'; // dropped when the run starts
    ASSERT_EQ(ser_command(SC_RUN), 0);
    EXPECT_EQ(ser_link.board_state, BS_RUN);
    ASSERT_TRUE(wait_for([] { return contains(terminal_text(), "Hello from the board\r\n"); }));

    ser_link.queued_key = 'x';
    ASSERT_TRUE(wait_for([] { return contains(terminal_text(), "board\r\nx"); }));
    // Keys from 237 up only beep.
    int beeps = ser_beeps;
    ser_link.queued_key = 240;
    ASSERT_TRUE(wait_for([] { return ser_link.queued_key == 0; }));
    EXPECT_EQ(ser_beeps, beeps + 1);
    // A second ESC in a row becomes a BREAK.
    ser_link.queued_key = 27;
    ASSERT_TRUE(wait_for([] { return ser_link.queued_key == 0; }));
    ser_link.queued_key = 27;
    ASSERT_TRUE(wait_for([] { return ser_link.queued_key == 0; }));
    EXPECT_EQ(line->breaks_held, 1);
    pause(100);
    {
        std::lock_guard<std::mutex> guard(sim().lock);
        EXPECT_EQ(sim().terminal_in, "x\x1b");
    }

    EXPECT_EQ(ser_command(SC_STOP), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR; }));
    // In the monitor a typed key waits.
    ser_link.queued_key = 'k';
    pause(150);
    EXPECT_EQ(ser_link.queued_key, 'k');
}

TEST_F(Board, ExternalResetIsAnnouncedAndReadsTheRegisters)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    ser_link.read_registers = 1;
    int beeps = ser_beeps;
    sim().reset_request = 1;
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_RESET; }));
    ASSERT_TRUE(wait_for([] { return contains(terminal_text(), "\n<External reset>\n"); }));
    ASSERT_TRUE(wait_for([&] { return ser_beeps == beeps + 1; }));
    EXPECT_EQ(ser_link.current_pc, -1);
    EXPECT_EQ(cpu_registers[0].value, 7);
}

void program_boot_sector(BoardSim& sim)
{
    std::lock_guard<std::mutex> guard(sim.lock);
    sim.flash[0] = 0x02;
    sim.flash[1] = 0x01;
    sim.flash[2] = 0x00;
}

TEST_F(Board, PendingAutostartIsSkippedWhenDisabled)
{
    program_boot_sector(sim());
    EXPECT_EQ(ser_command(SC_RESET), 0);
    EXPECT_EQ(sim().autostarts_skipped, 1);
    EXPECT_EQ(sim().autostarts, 0);
    EXPECT_TRUE(contains(terminal_text(), "\n<Internal Reset>\n\n<Flash Autostart disabled>\n"));
}

TEST_F(Board, PerformedAutostartCountsAsResetButStopsADownload)
{
    program_boot_sector(sim());
    ser_link.disable_autostart = 0;
    EXPECT_EQ(ser_command(SC_RESET), 0);
    // The board waits a moment for the skip before it starts the program.
    ASSERT_TRUE(wait_for([this] { return sim().autostarts == 1; }));
    EXPECT_TRUE(contains(terminal_text(), "\n<Internal Reset>\n\n<Flash Autostart performed>\n"));

    load(sample_program(), 0x8000);
    EXPECT_EQ(download(), -3);
    EXPECT_EQ(sim().write_blocks, 0);
    EXPECT_EQ(image_downloaded(), 0);
}

TEST_F(Board, DebuggerHandlesAnAutostartAfterAnExternalReset)
{
    ser_variant = SER_DEBUGGER;
    program_boot_sector(sim());
    sim().reset_request = 1;
    ASSERT_TRUE(wait_for([this] { return sim().autostarts_skipped == 1; }));
    EXPECT_EQ(ser_link.board_state, BS_RESET);
    EXPECT_TRUE(contains(terminal_text(), "\n<External reset>\n\n<Flash Autostart disabled>\n"));
    // Its reset leaves the modem lines alone.
    EXPECT_EQ(ser_command(SC_RESET), 0);
    EXPECT_EQ(line->reset_pulses, 0);
}

TEST_F(Board, SilentBoardFailsTheReset)
{
    sim().faults.silent = 1;
    ReportCapture reports;
    EXPECT_EQ(ser_command(SC_RESET), -1);
    EXPECT_EQ(ser_link.board_state, BS_ERROR);
    EXPECT_EQ(ser_link.pending_command, 0);
    EXPECT_EQ(reports.text(), "Error: Command error: incorrect or missing response (Code -1)\n");
}

TEST_F(Board, ResetWithoutResetMarker)
{
    // Forty reads for the marker take about as long as the two seconds that
    // the user-interface thread waits: the reset ends with -2, reported
    // either at once or, after a handshake time-out, later in the slot.
    sim().faults.no_reset_marker = 1;
    ReportCapture reports;
    EXPECT_EQ(ser_command(SC_RESET), -1);
    EXPECT_TRUE(wait_for([] { return ser_link.pending_command == -2 || ser_link.pending_command == 0; }));
    EXPECT_EQ(ser_link.board_state, BS_ERROR);
    std::string text = reports.text();
    EXPECT_TRUE(text == "Error: Handshake timeout: command not processed (Code 1)\n" ||
                text == "Error: Command error: incorrect or missing response (Code -2)\n")
        << text;
}

struct BlockFault {
    const char* name;
    std::atomic<int> SimFaults::*fault;
    int value;
    int result;
};

class DownloadFault : public Board, public testing::WithParamInterface<BlockFault> {};

TEST_P(DownloadFault, StopsTheDownloadInTheErrorState)
{
    load(std::vector<uint8_t>(3000, 0x11), 0x1000);
    (sim().faults.*GetParam().fault) = GetParam().value;
    EXPECT_EQ(download(), GetParam().result);
    EXPECT_EQ(ser_link.board_state, BS_ERROR);
    EXPECT_EQ(sim().write_blocks, 2);
    EXPECT_EQ(image_downloaded(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DownloadFault,
    testing::Values(BlockFault{"error", &SimFaults::error_on_block, 2, -1},
                    BlockFault{"stray", &SimFaults::junk_on_block, 2, -2},
                    BlockFault{"reset", &SimFaults::reset_on_block, 2, -2},
                    BlockFault{"late", &SimFaults::late_on_block, 2, -3}),
    [](const testing::TestParamInfo<BlockFault>& info) { return std::string(info.param.name); });

TEST_F(Board, CancelledDownloadStopsBeforeTheNextBlock)
{
    load(std::vector<uint8_t>(10000, 0x22), 0x1000);
    sim().faults.late_block_ms = 20;
    ASSERT_EQ(ser_command(SC_DOWNLOAD), 0);
    ASSERT_TRUE(wait_for([this] { return sim().write_blocks >= 2; }));
    ser_link.pending_command = 0;
    ASSERT_TRUE(wait_for([] { return ser_link.pending_command == -4; }));
    EXPECT_EQ(ser_link.board_state, BS_ERROR);
    EXPECT_LT(sim().write_blocks, 10);
}

TEST_F(Board, RefusedOrLateBreakpoint)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    ser_link.command_address = 0x8005;
    sim().faults.error_on_break = 1;
    {
        ReportCapture reports;
        EXPECT_EQ(ser_command(SC_SET_BREAK), -1);
        EXPECT_EQ(ser_link.board_state, BS_ERROR);
        EXPECT_TRUE(contains(reports.text(), "(Code -1)"));
    }
    sim().faults.error_on_break = 0;
    sim().faults.late_ms = 150;
    {
        ReportCapture reports;
        EXPECT_EQ(ser_command(SC_SET_BREAK), -1);
        EXPECT_TRUE(contains(reports.text(), "(Code -3)"));
    }
}

TEST_F(Board, PcReportWithAWrongSum)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    sim().faults.bad_sums = 1;
    ReportCapture reports;
    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_ERROR; }));
    EXPECT_EQ(ser_link.current_pc, 0x8000);
    pause(50);
    EXPECT_EQ(reports.text(), "Error (Code 4): Read Program Counter (PC)\nLast valid Address: $8000\n");
}

std::mutex reported_lock;
std::string reported_text;

void post_report(int code, const char* text)
{
    std::lock_guard<std::mutex> guard(reported_lock);
    reported_text += std::to_string(code) + ": " + text + "\n";
}

TEST_F(Board, AReportOfTheReaderGoesToTheProgramsPosterAndTheReaderGoesOn)
{
    load(sample_program(), 0x8000);
    ASSERT_EQ(download(), 0);
    sim().faults.bad_sums = 1;
    ReportCapture reports;
    ser_report_poster = post_report;
    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    EXPECT_TRUE(wait_for([] {
        std::lock_guard<std::mutex> guard(reported_lock);
        return !reported_text.empty();
    }));
    ser_report_poster = nullptr;
    sim().faults.bad_sums = 0;
    // No box was shown on the reader thread, and it still serves commands.
    EXPECT_EQ(ser_command(SC_BOARD_ID), 0);
    EXPECT_EQ(reports.text(), "");
    std::lock_guard<std::mutex> guard(reported_lock);
    EXPECT_EQ(reported_text, "4: Read Program Counter (PC)\nLast valid Address: $8000\n");
}

TEST_F(Board, IdentificationFaults)
{
    sim().faults.bad_sums = 1;
    {
        ReportCapture reports;
        EXPECT_EQ(ser_command(SC_BOARD_ID), -1);
        EXPECT_TRUE(contains(reports.text(), "(Code -3)"));
    }
    sim().faults.bad_sums = 0;
    sim().faults.late_ms = 150;
    {
        ReportCapture reports;
        EXPECT_EQ(ser_command(SC_BOARD_ID), -1);
        EXPECT_TRUE(contains(reports.text(), "(Code -5)"));
    }
}

std::atomic<int> terminal_busy{0};

// A terminal that keeps the reader thread waiting while it is busy.
void slow_terminal(int)
{
    while (terminal_busy)
        pause(5);
}

TEST_F(Board, CommandNotTakenUpInTwoSecondsIsStillCarriedOut)
{
    terminal_busy = 1;
    ser_link.text_callback = slow_terminal;
    sim().reset_request = 1; // the reader prints the reset and waits
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_RESET; }));
    ReportCapture reports;
    EXPECT_EQ(ser_command(SC_BOARD_ID), -1);
    EXPECT_EQ(ser_link.pending_command, SC_BOARD_ID);
    terminal_busy = 0;
    EXPECT_TRUE(wait_for([] { return ser_board_id_text() == "SIM-51 Monitor V2.1"; }));
    EXPECT_TRUE(wait_for([] { return ser_link.pending_command == 0; }));
    EXPECT_EQ(reports.text(), "Error: Handshake timeout: command not processed (Code 2)\n");
}

TEST_F(Board, PcReportStepsOverUnlistedCallsIntoTheMonitor)
{
    // mov a,#1 / lcall 0040h / lcall 0050h / inc a: the calls are not
    // listed, the line after them is.
    std::vector<uint8_t> code = {0x74, 0x01, 0x12, 0x00, 0x40, 0x12, 0x00, 0x50, 0x04, 0x00, 0x00, 0x00};
    load(code, 0x8000);
    image_set_flags(0, IF_CODE, 0);
    image_set_flags(8, IF_CODE, 0);
    ASSERT_EQ(download(), 0);
    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8008; }));
    // The board's PC was moved along with it.
    EXPECT_EQ(ser_command(SC_STEP_ASM), 0);
    ASSERT_TRUE(wait_for([] { return ser_link.board_state == BS_MONITOR && ser_link.current_pc == 0x8009; }));
}

std::atomic<int> posted{0};

TEST(ViewNotification, AtMostThreeAreOutstanding)
{
    ser_link_reset();
    posted = 0;
    SerViewPoster platform_poster = ser_view_poster;
    ser_view_poster = [](intptr_t window) {
        if (window == 42)
            posted++;
    };
    ser_notify_view(); // no view registered
    ser_link.view_window = 42;
    for (int i = 0; i < 5; i++)
        ser_notify_view();
    EXPECT_EQ(posted, 3);
    ser_link.notifications--; // the view took one
    ser_notify_view();
    EXPECT_EQ(posted, 4);
    ser_link.view_window = 0;
    ser_view_poster = platform_poster;
}

std::atomic<int> delivered{0};

TEST(Reader, NoByteReachesTheSinkAfterItStopped)
{
    // A line that always has a byte ready.
    static const ComDevice busy = {
        [](int) {}, [] { return 0x55; }, [](int) {}, [] {}};
    delivered = 0;
    com_attach(&busy, [](int) { delivered++; });
    com_start_reader();
    std::thread reader(com_reader_loop);
    ASSERT_TRUE(wait_for([] { return delivered > 100; }));
    com_stop_reader();
    int seen = delivered;
    pause(20);
    EXPECT_EQ(delivered, seen);
    reader.join();
    com_attach(nullptr, nullptr);
    com_stop_reader(); // nothing runs: returns at once
}

TEST(BaudRate, MustDivide115200)
{
    for (long baud : {9600L, 19200L, 57600L, 115200L, 14400L, 28800L, 1200L})
        EXPECT_TRUE(com_valid_baud(baud)) << baud;
    for (long baud : {1000L, 0L, -9600L, 230400L, 56000L})
        EXPECT_FALSE(com_valid_baud(baud)) << baud;
}

#ifndef _WIN32
TEST(BoardDeathTest, UnknownCommandIsFatal)
{
    EXPECT_EXIT(
        {
            ser_link.pending_command = 13;
            ser_work(-1);
        },
        testing::ExitedWithCode(255), "Fatal Error \\(Code -1\\): Intern: ser_work");
}

TEST(BoardDeathTest, DebuggerRefusesTheFlashDialogue)
{
    EXPECT_EXIT(
        {
            ser_link_reset();
            ser_variant = SER_DEBUGGER;
            ser_link.board_state = BS_RUN_TOOL;
            ser_work('?');
        },
        testing::ExitedWithCode(255), "Fatal Error \\(Code -1\\): Remote in QUIBEX\\?");
}
#endif

} // namespace
