// The dialogue with the flash-writer program that runs from the board's
// RAM: while the board state is "Run Tool" the reader thread hands every
// byte and read time-out to remote_state_machine, which shows the writer's
// text and answers its prompts ('?' at the start of a line, answered once
// the line has been quiet for one read time-out).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

enum FlashMode {
    FM_IDENTIFY = 1,
    FM_CLEAR = 2,
    FM_PROGRAM = 3,
    FM_CLEAR_PROGRAM = 4,
    FM_CLEAR_SECTOR = 5,
};

enum FlashLinePhase {
    FP_TEXT = 0,     // text since the last reply
    FP_LINE_END = 1, // a line end was received
    FP_ASKED = 2,    // the board asked
    FP_HIDDEN = 3,   // a line is being suppressed
};

struct FlashJob {
    // Set by the user-interface thread before the writer is started.
    std::atomic<int> mode{FM_IDENTIFY};
    std::atomic<int> sector{0};
    // 0 start, 10..50 the mode's states, 11 answer 'q', -1 dead.
    std::atomic<int> state{0};
    // Reader thread only.
    int line_phase = FP_TEXT;
    int32_t bytes_left = 0;
    uint8_t block[3 + 256];
};

extern FlashJob flash_job;

// Sets the mode (and sector) and puts the dialogue back to its start.
void flash_job_prepare(int mode, int sector);
void remote_state_machine(int b);

// What the flash commands of the download tool need around the dialogue:
// the flash writer's image beside the program (its name with ".BIX" in
// place of the extension), the sector number typed by the user (its leading
// decimal digits; none gives 0), and whether the commands may start (board
// state "Undefined", "Reset" or "Monitor").
std::string flash_tool_path(const std::string& program_path);
int flash_sector_value(const char* text);
bool flash_commands_enabled(int board_state);
