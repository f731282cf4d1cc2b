// The simulated board's monitor and flash writer.
#include "testing/boardsim/board_sim.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

const char sim_autostart_off[5] = "noAS";

// Monitor bytes (the board's view of the protocol).
enum {
    CMD_STEP_HLL = 0xED, CMD_STOP = 0xF0, CMD_GO = 0xF1, CMD_STEP = 0xF2, CMD_SET_PC = 0xF3,
    CMD_WRITE = 0xF4, CMD_READ_REGS = 0xF8, CMD_BOARD_ID = 0xFA, CMD_SET_BREAK = 0xFB,
    REPLY_DATA = 0xFB, REPLY_ACK = 0xFC, REPLY_PC = 0xFD, REPLY_RESET = 0xFE, REPLY_ERROR = 0xFF,
};

// A frame's bytes must follow within this time.
static const int frame_ms = 200;
// How long a pending autostart waits for the tool to skip it.
static const int autostart_window_ms = 300;
static const int flash_sector_size = 0x2000;

int sim_instruction_length(int op)
{
    int low = op & 0x0F;
    int high = op >> 4;
    if (low == 0x01)
        return 2; // AJMP, ACALL
    static const signed char by_high_low[16][6] = {
        // low nibble 0, 2, 3, 4, 5, 6..7 (indirect); 8..F handled below
        {1, 3, 1, 1, 2, 1}, // 0x: NOP LJMP RR INC-A INC-dir INC-@Ri
        {3, 3, 1, 1, 2, 1}, // 1x: JBC LCALL RRC DEC-A DEC-dir
        {3, 1, 1, 2, 2, 1}, // 2x: JB RET RL ADD-# ADD-dir
        {3, 1, 1, 2, 2, 1}, // 3x: JNB RETI RLC ADDC-# ADDC-dir
        {2, 2, 3, 2, 2, 1}, // 4x: JC ORL-dir,A ORL-dir,# ORL-A,# ORL-A,dir
        {2, 2, 3, 2, 2, 1}, // 5x: JNC ANL
        {2, 2, 3, 2, 2, 1}, // 6x: JZ XRL
        {2, 2, 1, 2, 3, 2}, // 7x: JNZ ORL-C JMP-@A MOV-A,# MOV-dir,# MOV-@Ri,#
        {2, 2, 1, 1, 3, 2}, // 8x: SJMP ANL-C MOVC DIV MOV-dir,dir MOV-dir,@Ri
        {3, 2, 1, 2, 2, 1}, // 9x: MOV-DPTR MOV-bit,C MOVC SUBB-# SUBB-dir
        {2, 2, 1, 1, 1, 2}, // Ax: ORL-C,/ MOV-C,bit INC-DPTR MUL - MOV-@Ri,dir
        {2, 2, 1, 3, 3, 3}, // Bx: ANL-C,/ CPL-bit CPL-C CJNE
        {2, 2, 1, 1, 2, 1}, // Cx: PUSH CLR-bit CLR-C SWAP XCH-dir
        {2, 2, 1, 1, 3, 1}, // Dx: POP SETB-bit SETB-C DA DJNZ-dir
        {1, 1, 1, 1, 2, 1}, // Ex: MOVX CLR-A MOV-A,dir
        {1, 1, 1, 1, 2, 1}, // Fx: MOVX CPL-A MOV-dir,A
    };
    static const signed char registers[16] = {1, 1, 1, 1, 1, 1, 1, 2, 2, 1, 2, 3, 1, 2, 1, 1};
    if (low >= 8)
        return registers[high];
    static const int column[8] = {0, -1, 1, 2, 3, 4, 5, 5};
    return by_high_low[high][column[low]];
}

void board_sim_init(BoardSim* sim)
{
    std::lock_guard<std::mutex> guard(sim->lock);
    std::memset(sim->ram, 0, sizeof sim->ram);
    std::memset(sim->flash, 0xFF, sizeof sim->flash);
    std::memset(sim->regs, 0, sizeof sim->regs);
    sim->regs[0] = 0x07; // SP after reset
    sim->pc = -1;
    sim->mode = SIM_MONITOR;
    sim->breaks.clear();
}

void board_sim_read_ram(BoardSim* sim, int address, uint8_t* out, int count)
{
    std::lock_guard<std::mutex> guard(sim->lock);
    for (int i = 0; i < count; i++)
        out[i] = sim->ram[(address + i) & 0xFFFF];
}

void board_sim_read_flash(BoardSim* sim, int address, uint8_t* out, int count)
{
    std::lock_guard<std::mutex> guard(sim->lock);
    for (int i = 0; i < count; i++)
        out[i] = sim->flash[(address + i) & 0xFFFF];
}

namespace {

struct Session {
    BoardSim* sim;
    SimStream* line;

    int get() { return line->get(frame_ms); }

    void sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    void late()
    {
        int ms = sim->faults.late_ms;
        if (ms > 0)
            sleep(ms);
    }

    void say(const char* text)
    {
        for (const char* p = text; *p; p++)
            line->put(static_cast<unsigned char>(*p));
    }

    void dump()
    {
        if (sim->dump_path.empty())
            return;
        FILE* f = std::fopen(sim->dump_path.c_str(), "wb");
        if (!f)
            return;
        std::fwrite(sim->ram, 1, sizeof sim->ram, f);
        std::fwrite(sim->flash, 1, sizeof sim->flash, f);
        std::fclose(f);
    }

    // Reads a 16-bit address and its sum; -1 for a missing byte, -2 for a
    // wrong sum.
    int read_address()
    {
        int hi = get(), lo = get(), sum = get();
        if (hi < 0 || lo < 0 || sum < 0)
            return -1;
        if (sum != ((hi + lo) & 0xFF))
            return -2;
        return hi * 256 + lo;
    }

    int bad() { return sim->faults.bad_sums ? 1 : 0; }

    void report_pc(int pc)
    {
        late();
        int hi = (pc >> 8) & 0xFF, lo = pc & 0xFF;
        line->put(REPLY_PC);
        line->put(hi);
        line->put(lo);
        line->put((hi + lo + bad()) & 0xFF);
    }

    // The monitor starts again: it announces itself, and a program in the
    // flash's boot sector starts unless the tool skips it in time.
    void reset_board()
    {
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->pc = -1;
            sim->mode = SIM_MONITOR;
        }
        sim->resets++;
        line->put(REPLY_RESET);
        bool autostart;
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            autostart = sim->flash[0] != 0xFF;
        }
        if (!autostart)
            return;
        line->put(REPLY_ACK);
        size_t matched = 0;
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(autostart_window_ms);
        while (matched < 4 && std::chrono::steady_clock::now() < until) {
            int b = line->get(10);
            if (b < 0)
                continue;
            matched = b == sim_autostart_off[matched] ? matched + 1 : (b == sim_autostart_off[0] ? 1 : 0);
        }
        if (matched == 4) {
            sim->autostarts_skipped++;
            return;
        }
        sim->autostarts++;
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->pc = 0;
            sim->mode = SIM_RUNNING;
        }
        say("Flash program started\r\n");
    }

    // One instruction; the registers show that something happened.
    void step()
    {
        int pc;
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            if (sim->pc < 0)
                return;
            int op = sim->ram[sim->pc];
            sim->regs[11] = static_cast<uint8_t>(op); // ACC
            sim->regs[10]++;                           // R0
            sim->regs[12] ^= 0x80;                     // carry
            sim->pc = (sim->pc + sim_instruction_length(op)) & 0xFFFF;
            pc = sim->pc;
        }
        sim->steps++;
        sleep(2);
        report_pc(pc);
    }

    // Runs the program from the PC: it stops at the first planted
    // breakpoint on its way, or keeps running (printing its greeting and
    // echoing what it receives) until it is stopped.
    void go()
    {
        int hit = -1;
        bool writer = false;
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            int a = sim->pc;
            writer = a >= 0 && a + 4 <= 0x10000 && std::memcmp(sim->ram + a, "FLWR", 4) == 0;
            for (int i = 0; i < 4096 && !writer; i++) {
                if (i > 0 && sim->breaks.count(a)) {
                    hit = a;
                    break;
                }
                a = (a + sim_instruction_length(sim->ram[a])) & 0xFFFF;
            }
            sim->pc = hit >= 0 ? hit : a;
            sim->mode = writer ? SIM_WRITER : hit >= 0 ? SIM_MONITOR : SIM_RUNNING;
        }
        if (writer) {
            say("Flash writer V1.0\r\n?");
        } else if (hit >= 0) {
            sleep(5);
            report_pc(hit);
        } else {
            say(sim->run_output.c_str());
        }
    }

    void write_block()
    {
        int head[4];
        for (int& h : head)
            if ((h = get()) < 0)
                return;
        int address = head[0] * 256 + head[1];
        int count = head[2] * 256 + head[3];
        int sum = head[0] + head[1] + head[2] + head[3];
        static uint8_t data[0x10000];
        for (int i = 0; i < count; i++) {
            int b = get();
            if (b < 0)
                return;
            data[i] = static_cast<uint8_t>(b);
            sum += b;
        }
        int check = get();
        if (check < 0)
            return;
        int block = ++sim->write_blocks;
        late();
        if (sim->faults.late_block_ms > 0)
            sleep(sim->faults.late_block_ms);
        if (sim->faults.late_on_block == block)
            sleep(100);
        if (sim->faults.reset_on_block == block) {
            reset_board();
            return;
        }
        if (sim->faults.error_on_block == block) {
            line->put(REPLY_ERROR);
            return;
        }
        if (sim->faults.junk_on_block == block) {
            line->put(0x55);
            return;
        }
        // The monitor takes blocks of at most 1000 bytes.
        if (check != (sum & 0xFF) || count > 1000 || address + count > 0x10000) {
            line->put(REPLY_ERROR);
            return;
        }
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            std::memcpy(sim->ram + address, data, count);
            // Writing over a planted breakpoint removes it.
            for (auto it = sim->breaks.begin(); it != sim->breaks.end();)
                it = *it + 3 > address && *it < address + count ? sim->breaks.erase(it) : std::next(it);
            dump();
        }
        line->put(REPLY_ACK);
    }

    void set_break()
    {
        int address = read_address();
        if (address == -1)
            return;
        late();
        if (address < 0 || sim->faults.error_on_break || address > 0xFFFD) {
            line->put(REPLY_ERROR);
            return;
        }
        {
            // A long call into the monitor's break handler at $0003.
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->breaks.insert(address);
            sim->ram[address] = 0x12;
            sim->ram[address + 1] = 0x00;
            sim->ram[address + 2] = 0x03;
            dump();
        }
        line->put(REPLY_ACK);
    }

    void read_registers()
    {
        uint8_t regs[14];
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            std::memcpy(regs, sim->regs, sizeof regs);
        }
        late();
        line->put(REPLY_DATA);
        int sum = 0;
        for (uint8_t r : regs) {
            line->put(r);
            sum += r;
        }
        line->put((sum + bad()) & 0xFF);
    }

    void identify()
    {
        late();
        line->put(REPLY_DATA);
        int sum = 0;
        for (unsigned char c : sim->id_text) {
            line->put(c);
            sum += c;
        }
        line->put(0);
        line->put((sum + bad()) & 0xFF);
    }

    void monitor_byte(int b)
    {
        switch (b) {
        case CMD_SET_PC: {
            int address = read_address();
            if (address == -1)
                return;
            late();
            if (address < 0) {
                line->put(REPLY_ERROR);
                return;
            }
            {
                std::lock_guard<std::mutex> guard(sim->lock);
                sim->pc = address;
            }
            line->put(REPLY_ACK);
            break;
        }
        case CMD_GO: {
            int pc;
            {
                std::lock_guard<std::mutex> guard(sim->lock);
                pc = sim->pc;
            }
            if (pc == 0) {
                // Address 0 is the monitor's own start.
                if (!sim->faults.no_reset_marker)
                    reset_board();
            } else if (pc > 0) {
                go();
            }
            break;
        }
        case CMD_STEP:
        case CMD_STEP_HLL:
            step();
            break;
        case CMD_WRITE:
            write_block();
            break;
        case CMD_READ_REGS:
            read_registers();
            break;
        case CMD_BOARD_ID:
            identify();
            break;
        case CMD_SET_BREAK:
            set_break();
            break;
        default:
            break; // MC_STOP and anything else: the monitor is idle anyway
        }
    }

    void running_byte(int b)
    {
        if (b == CMD_STOP) {
            int pc;
            {
                std::lock_guard<std::mutex> guard(sim->lock);
                sim->mode = SIM_MONITOR;
                pc = sim->pc;
            }
            report_pc(pc);
            return;
        }
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->terminal_in += static_cast<char>(b);
        }
        if (b < 0x80)
            line->put(b); // the program echoes what it gets
    }

    void flash_block()
    {
        int n = get();
        int a[3];
        for (int& x : a)
            x = get();
        if (n < 0 || a[0] < 0 || a[1] < 0 || a[2] < 0) {
            say("!Timeout\r\n?");
            return;
        }
        if (n == 0)
            n = 256;
        int address = (a[0] << 16) | (a[1] << 8) | a[2];
        int sum = a[0] + a[1] + a[2];
        uint8_t data[256];
        for (int i = 0; i < n; i++) {
            int b = get();
            if (b < 0) {
                say("!Timeout\r\n?");
                return;
            }
            data[i] = static_cast<uint8_t>(b);
            sum += b;
        }
        int check = get();
        if (check < 0 || check != (sum & 0xFF) || sim->faults.flash_bad_sum) {
            say("!Checksum error\r\n?");
            return;
        }
        if (address + n > 0x10000) {
            say("!Address out of range\r\n?");
            return;
        }
        {
            // Flash bits can only be cleared by writing.
            std::lock_guard<std::mutex> guard(sim->lock);
            for (int i = 0; i < n; i++)
                sim->flash[address + i] &= data[i];
            dump();
        }
        sim->flash_blocks++;
        char text[40];
        std::snprintf(text, sizeof text, ">%06X %d\r\n?", address, n);
        say(text);
    }

    void writer_byte(int b)
    {
        // Every answer starts on a new line, so that the tool sees its
        // markers ('!', '>', '?') at the start of a line.
        if (b != CMD_STOP)
            say("\r\n");
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->flash_commands += static_cast<char>(b);
        }
        switch (b) {
        case 'i':
            say("Flash: 64 KB in 7 sectors\r\n?");
            break;
        case 'c': {
            std::lock_guard<std::mutex> guard(sim->lock);
            std::memset(sim->flash, 0xFF, sizeof sim->flash);
            dump();
        }
            say(">erasing\r\nFlash cleared\r\n?");
            break;
        case 'x': {
            int d = get();
            if (d < '0' || d > '6') {
                say("!Bad sector\r\n?");
                break;
            }
            {
                std::lock_guard<std::mutex> guard(sim->lock);
                std::memset(sim->flash + (d - '0') * flash_sector_size, 0xFF, flash_sector_size);
                sim->flash_commands += static_cast<char>(d);
                dump();
            }
            char text[40];
            std::snprintf(text, sizeof text, "Sector %c cleared\r\n?", d);
            say(text);
            break;
        }
        case 'b':
            flash_block();
            break;
        case 'q':
            say("Bye\r\n");
            reset_board();
            break;
        case CMD_STOP: {
            std::lock_guard<std::mutex> guard(sim->lock);
            sim->mode = SIM_MONITOR;
            break;
        }
        default:
            say("!Unknown command\r\n?");
            break;
        }
    }
};

} // namespace

void board_sim_serve(BoardSim* sim, SimStream* stream)
{
    Session s{sim, stream};
    while (!sim->stop) {
        if (sim->reset_request.exchange(0))
            s.reset_board();
        int b = stream->get(20);
        if (b < 0 || sim->faults.silent)
            continue;
        int mode;
        {
            std::lock_guard<std::mutex> guard(sim->lock);
            mode = sim->mode;
        }
        if (mode == SIM_RUNNING)
            s.running_byte(b);
        else if (mode == SIM_WRITER)
            s.writer_byte(b);
        else
            s.monitor_byte(b);
    }
}
