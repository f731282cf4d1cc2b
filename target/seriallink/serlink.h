// The monitor protocol of the target tools: the board's state as the tools
// see it, the one pending command that the user-interface thread hands to
// the serial reader thread, and the worker ser_work that the reader calls
// with every received byte and every read time-out (-1).
//
// The two threads share SerLink and the register table. Every shared field
// is atomic; the hand-over works through single-value slots that one side
// sets and the other clears.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Bytes on the wire.
enum MonitorCode {
    MC_STEP_HLL = 0xED,
    MC_STOP = 0xF0,
    MC_GO = 0xF1,
    MC_STEP = 0xF2,
    MC_SET_PC = 0xF3,
    MC_WRITE = 0xF4,
    MC_READ_REGS = 0xF8,
    MC_BOARD_ID = 0xFA,
    MC_SET_BREAK = 0xFB,
    // Replies and unsolicited bytes, board to tool.
    MC_DATA = 0xFB,
    MC_ACK = 0xFC,
    MC_PC_REPORT = 0xFD,
    MC_RESET = 0xFE,
    MC_ERROR = 0xFF,
};

// Tells the monitor to skip a pending flash autostart.
extern const char MC_AUTOSTART_OFF[5];

enum BoardState {
    BS_UNDEFINED = 0,
    BS_RESET = 1,
    BS_MONITOR = 2,
    BS_STEP_ASM = 3,
    BS_STEP_HLL = 4,
    BS_ANIM_ASM = 5,
    BS_ANIM_HLL = 6,
    BS_RUN = 7,
    BS_RUN_TOOL = 8,
    BS_ERROR = 9,
};

// Display name of a state ("Undefined" .. "Error"); "" outside 0..9.
const char* board_state_name(int state);

enum SerCommand {
    SC_RESET = 1,
    SC_BOARD_ID = 2,
    SC_DOWNLOAD = 3,
    SC_SET_BREAK = 4,
    SC_CLEAR_BREAK = 5,
    SC_STEP_ASM = 6,
    SC_STEP_HLL = 7,
    SC_ANIM_ASM = 8,
    SC_ANIM_HLL = 9,
    SC_RUN = 10,
    SC_RUN_TOOL = 11,
    SC_STOP = 12,
};

typedef void (*SerTextCallback)(int c);
// Delivers a view notification (WM_USER+1 to the view window on Windows).
typedef void (*SerViewPoster)(intptr_t window);

struct SerLink {
    std::atomic<int32_t> board_state{BS_UNDEFINED};
    std::atomic<int32_t> current_pc{-1};
    std::atomic<int32_t> pending_command{0};
    std::atomic<int32_t> command_address{0};
    std::atomic<int32_t> queued_key{0};
    std::atomic<int32_t> key_idle{0};
    std::atomic<int32_t> esc_count{0};
    std::atomic<int32_t> anim_steps{0};
    std::atomic<uint32_t> command_tick{0};
    std::atomic<int32_t> download_percent{0};
    std::atomic<int32_t> read_registers{0};
    std::atomic<int32_t> disable_autostart{1};
    std::atomic<intptr_t> view_window{0};
    std::atomic<int32_t> notifications{0};
    std::atomic<SerTextCallback> text_callback{nullptr};
    // Leaving a planted breakpoint (reader thread only): the address whose
    // breakpoint is planted again when the step off it ends (-1 none), and
    // the run state to go on in after that step (0 none).
    std::atomic<int32_t> replant_break{-1};
    std::atomic<int32_t> run_after_step{0};
};

extern SerLink ser_link;

// The debugger's variant of the worker handles a pending autostart after a
// reset marker itself, has no reset pulse and refuses the flash dialogue.
// The debugger sets it, and com_reset_lines = 0, before it opens the port.
enum SerVariant { SER_DOWNLOADER = 0, SER_DEBUGGER = 1 };
extern std::atomic<int> ser_variant;

struct CpuRegister {
    const char* text;
    int column;
    int row;
    int digits; // hex digits shown; 0 = not drawn
    int value_column; // set by the view when it draws the text
    std::atomic<int32_t> value;
    std::atomic<int32_t> changed;
};

enum { CPU_REGISTERS = 20, CPU_REPLY_BYTES = 14 };
extern CpuRegister cpu_registers[CPU_REGISTERS];

// Reader thread entry: one received byte (0..255) or -1 after a time-out.
void ser_work(int b);
// User-interface thread: hands a command to the reader; 0 or -1.
int ser_command(int code);
void ser_print(const char* text);
void ser_notify_view();
// The last identification text the board gave ("" before the first).
std::string ser_board_id_text();

// The command being carried out (reader thread only; 0 between commands).
int ser_current_command();

// Board operations; reader thread only. 0 or a negative code.
int ser_reset();
int ser_board_id();
int ser_download(const uint8_t* bytes, int32_t address, int32_t size, int32_t block);
int ser_set_address(int32_t address, int enter_monitor);
int ser_set_break(int32_t address);
int ser_clear_break(int32_t address);
int ser_step_asm();
int ser_step_hll();
int ser_anim_asm();
int ser_anim_hll();
int ser_run();
int ser_stop();
int ser_read_pc();
int ser_read_regs();

// Platform services of the worker.
void ser_beep();
uint32_t ser_tick();
void ser_sleep(int ms);
extern std::atomic<SerViewPoster> ser_view_poster;
// Number of beeps so far (the bell of the board tools).
extern std::atomic<int> ser_beeps;

// Back to the start state (no command, state Undefined, registers unknown).
void ser_link_reset();
