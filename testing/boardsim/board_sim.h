// A simulated 8051 target board with its monitor program, for the tests of
// the serial library. It answers the monitor protocol on any byte stream:
// reset, identification, memory writes, registers, breakpoints (a planted
// long call to the monitor), single steps, runs with PC reports and
// terminal echo, and a flash writer that starts when a program beginning
// with "FLWR" is run. Faults can be scripted while it serves.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

struct SimStream {
    virtual ~SimStream() = default;
    // A byte, or -1 when none came within timeout_ms.
    virtual int get(int timeout_ms) = 0;
    virtual void put(int b) = 0;
};

struct SimFaults {
    std::atomic<int> silent{0};          // answer nothing at all
    std::atomic<int> bad_sums{0};        // register, identification and PC-report sums off by one
    std::atomic<int> error_on_block{0};  // the n-th write block (from 1) gets MC_ERROR
    std::atomic<int> junk_on_block{0};   // the n-th write block gets a stray byte
    std::atomic<int> reset_on_block{0};  // the n-th write block gets an unexpected reset
    std::atomic<int> error_on_break{0};  // breakpoints are refused
    std::atomic<int> late_ms{0};         // every reply comes this late
    std::atomic<int> late_block_ms{0};   // write blocks are acknowledged this late
    std::atomic<int> late_on_block{0};   // the n-th write block is acknowledged 100 ms late
    std::atomic<int> no_reset_marker{0}; // a reset is acknowledged but never announced
    std::atomic<int> flash_bad_sum{0};   // the flash writer finds every block's sum wrong
};

enum SimMode { SIM_MONITOR, SIM_RUNNING, SIM_WRITER };

struct BoardSim {
    std::mutex lock; // guards everything below that is not atomic
    uint8_t ram[0x10000];
    uint8_t flash[0x10000];
    uint8_t regs[14]; // SP, DPH, DPL, R7..R0, ACC, PSW, B
    int pc = -1;      // -1 while the monitor itself runs
    int mode = SIM_MONITOR;
    std::set<int> breaks;
    std::string id_text = "SIM-51 Monitor V2.1";
    std::string run_output = "Hello from the board\r\n";
    std::string dump_path; // RAM and flash written here after each change

    std::atomic<int> stop{0};
    std::atomic<int> reset_request{0}; // an unexpected reset, announced at once
    SimFaults faults;

    // What the board saw.
    std::atomic<int> write_blocks{0};
    std::atomic<int> resets{0};
    std::atomic<int> autostarts{0};
    std::atomic<int> autostarts_skipped{0};
    std::atomic<int> steps{0};
    std::atomic<int> flash_blocks{0};
    std::string flash_commands; // the writer's commands in order
    std::string terminal_in;    // bytes the running program received
};

// Power-on state: RAM zero, flash erased (0xFF), registers at reset values.
void board_sim_init(BoardSim* sim);
// Serves the stream until sim->stop is set.
void board_sim_serve(BoardSim* sim, SimStream* stream);
// Copies memory under the lock.
void board_sim_read_ram(BoardSim* sim, int address, uint8_t* out, int count);
void board_sim_read_flash(BoardSim* sim, int address, uint8_t* out, int count);
// Length of an 8051 instruction by its opcode.
int sim_instruction_length(int opcode);
// The four characters that make the monitor skip a pending autostart.
extern const char sim_autostart_off[5];
