// The board operations of the monitor protocol. They run on the reader
// thread only, send frames through ComPut and wait for replies through
// ComGet (which gives -1 after a 50 ms read time-out).
#include "target/seriallink/serlink.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "target/seriallink/comport.h"
#include "target/seriallink/target_image.h"

const char MC_AUTOSTART_OFF[5] = "noAS";

CpuRegister cpu_registers[CPU_REGISTERS] = {
    {"SP=$", 9, 3, 2, 0, {-1}, {0}},   {":", 15, 6, 0, 0, {-1}, {0}},
    {"DPTR=$", 17, 3, 4, 0, {-1}, {0}}, {"R7=$", 0, 7, 2, 0, {-1}, {0}},
    {"R6=$", 0, 6, 2, 0, {-1}, {0}},   {"R5=$", 0, 5, 2, 0, {-1}, {0}},
    {"R4=$", 0, 4, 2, 0, {-1}, {0}},   {"R3=$", 0, 3, 2, 0, {-1}, {0}},
    {"R2=$", 0, 2, 2, 0, {-1}, {0}},   {"R1=$", 0, 1, 2, 0, {-1}, {0}},
    {"R0=$", 0, 0, 2, 0, {-1}, {0}},   {"ACC=$", 8, 0, 2, 0, {-1}, {0}},
    {"PSW=$", 8, 6, 2, 0, {-1}, {0}},  {"B=$", 10, 1, 2, 0, {-1}, {0}},
    {"PC=$", 19, 0, 4, 0, {-1}, {0}},  {"C=", 10, 7, 1, 0, {-1}, {0}},
    {"AC=", 14, 7, 1, 0, {-1}, {0}},   {"RS=", 19, 7, 1, 0, {-1}, {0}},
    {"OV=", 24, 7, 1, 0, {-1}, {0}},   {"P=", 29, 7, 1, 0, {-1}, {0}},
};

enum { REG_DPH = 1, REG_DPTR = 2, REG_PSW = 12, REG_PC = 14, REG_C = 15 };

static std::mutex id_lock;
static std::string board_id;

std::string ser_board_id_text()
{
    std::lock_guard<std::mutex> guard(id_lock);
    return board_id;
}

// Sends a command byte with a 16-bit address and its sum.
static void send_address_frame(int command, int32_t address)
{
    int hi = (address >> 8) & 0xFF;
    int lo = address & 0xFF;
    ComPut(command);
    ComPut(hi);
    ComPut(lo);
    ComPut((hi + lo) & 0xFF);
}

static void send_write_frame(int32_t address, const uint8_t* bytes, int32_t count)
{
    int head[4] = {(address >> 8) & 0xFF, address & 0xFF, (count >> 8) & 0xFF, count & 0xFF};
    int sum = 0;
    ComPut(MC_WRITE);
    for (int h : head) {
        ComPut(h);
        sum += h;
    }
    for (int32_t i = 0; i < count; i++) {
        ComPut(bytes[i]);
        sum += bytes[i];
    }
    ComPut(sum & 0xFF);
}

// The code of a reply that should have been MC_ACK.
static int reply_failure(int b)
{
    if (b < 0)
        return -3;
    return b == MC_ERROR ? -1 : -2;
}

// Whether the PC sits on a planted breakpoint.
static bool at_breakpoint()
{
    int32_t pc = ser_link.current_pc;
    std::lock_guard<std::mutex> guard(target_image_lock);
    int32_t offset = pc - target_image.load_address;
    return pc >= 0 && offset >= 0 && offset <= target_image.size - 3 &&
           (target_image.flags[offset] & IF_BREAK);
}

// A breakpoint under the PC holds the monitor's call in place of the
// program's instruction, so stepping or running from it would only enter the
// monitor again. As debuggers do, the program's own bytes go back, one
// instruction is stepped, and ser_read_pc plants the breakpoint again when
// the board reports the end of that step. Returns 1 when the PC has left a
// breakpoint, 0 when it stood on none, or the failure of writing the
// program's bytes back.
static int leave_breakpoint()
{
    if (!at_breakpoint())
        return 0;
    int32_t pc = ser_link.current_pc;
    int r = ser_clear_break(pc);
    if (r < 0)
        return r;
    ser_link.replant_break = pc;
    return 1;
}

int ser_reset()
{
    SerLink& s = ser_link;
    s.replant_break = -1;
    s.run_after_step = 0;
    if (ser_variant == SER_DOWNLOADER)
        ComResetPulse();
    s.board_state = BS_ERROR;
    for (int i = 0; i < 20; i++)
        ComPut(MC_STOP);
    for (int i = 0; i < 200; i++)
        if (ComGet() < 0)
            break;
    send_address_frame(MC_SET_PC, 0);
    ComPut(MC_GO);
    if (ComGet() != MC_ACK)
        return -1;
    bool reset_seen = false;
    for (int i = 0; i < 40 && !reset_seen; i++)
        reset_seen = ComGet() == MC_RESET;
    if (!reset_seen)
        return -2;
    s.board_state = BS_RESET;
    s.current_pc = -1;
    if (ComGet() == MC_ACK) {
        if (s.disable_autostart) {
            for (const char* p = MC_AUTOSTART_OFF; *p; p++)
                ComPut(*p);
            ser_print("\n<Internal Reset>\n");
            ser_print("\n<Flash Autostart disabled>\n");
            ser_beep();
            return 0;
        }
        ser_print("\n<Internal Reset>\n");
        ser_print("\n<Flash Autostart performed>\n");
        return -3;
    }
    ser_print("\n<Internal Reset>\n");
    ser_beep();
    return 0;
}

int ser_set_address(int32_t address, int enter_monitor)
{
    send_address_frame(MC_SET_PC, address);
    if (ComGet() != MC_ACK)
        return -1;
    ser_link.current_pc = address;
    if (enter_monitor) {
        ser_link.board_state = BS_MONITOR;
        if (ser_link.read_registers)
            ser_read_regs();
        ser_notify_view();
    }
    return 0;
}

int ser_download(const uint8_t* bytes, int32_t address, int32_t size, int32_t block)
{
    SerLink& s = ser_link;
    s.download_percent = 0;
    ser_print("\n<Download...>\n");
    int32_t sent = 0;
    while (sent < size) {
        if (s.pending_command <= 0) {
            s.board_state = BS_ERROR;
            return -4;
        }
        int32_t n = size - sent < block ? size - sent : block;
        s.download_percent = static_cast<int32_t>(static_cast<int64_t>(sent) * 100 / size);
        send_write_frame(address, bytes + sent, n);
        int reply = ComGet();
        if (reply != MC_ACK) {
            s.board_state = BS_ERROR;
            return reply_failure(reply);
        }
        address += n;
        sent += n;
    }
    s.board_state = BS_MONITOR;
    return 0;
}

int ser_set_break(int32_t address)
{
    send_address_frame(MC_SET_BREAK, address);
    int reply = ComGet();
    if (reply == MC_ACK)
        return 0;
    ser_link.board_state = BS_ERROR;
    return reply_failure(reply);
}

int ser_clear_break(int32_t address)
{
    // The breakpoint goes by writing the program's own three bytes back.
    uint8_t bytes[3] = {0, 0, 0};
    int32_t load;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        load = target_image.load_address;
    }
    image_copy(address - load, bytes, 3);
    send_write_frame(address, bytes, 3);
    int reply = ComGet();
    if (reply == MC_ACK)
        return 0;
    ser_link.board_state = BS_ERROR;
    return reply_failure(reply);
}

static int step(int command, int new_state)
{
    if (ser_link.board_state != BS_MONITOR)
        return -1;
    int left = leave_breakpoint();
    if (left < 0)
        return left;
    ComPut(command);
    ser_link.board_state = new_state;
    return 0;
}

int ser_step_asm()
{
    return step(MC_STEP, BS_STEP_ASM);
}

int ser_step_hll()
{
    return step(MC_STEP_HLL, BS_STEP_HLL);
}

static int animate(int command, int anim_state)
{
    int state = ser_link.board_state;
    if (state != BS_MONITOR && state != anim_state)
        return -1;
    int left = leave_breakpoint();
    if (left < 0)
        return left;
    ComPut(command);
    ser_link.board_state = anim_state;
    ser_link.anim_steps++;
    return 0;
}

int ser_anim_asm()
{
    return animate(MC_STEP, BS_ANIM_ASM);
}

int ser_anim_hll()
{
    return animate(MC_STEP_HLL, BS_ANIM_HLL);
}

int ser_run()
{
    ser_link.queued_key = 0;
    if (ser_link.board_state != BS_MONITOR)
        return -1;
    int run_state = ser_current_command() == SC_RUN_TOOL ? BS_RUN_TOOL : BS_RUN;
    int left = leave_breakpoint();
    if (left < 0)
        return left;
    if (left) {
        // Off the breakpoint by one step first; the run goes on when the
        // step ends.
        ComPut(MC_STEP);
        ser_link.board_state = BS_STEP_ASM;
        ser_link.run_after_step = run_state;
        return 0;
    }
    ComPut(MC_GO);
    ser_link.board_state = run_state;
    return 0;
}

int ser_stop()
{
    ser_link.run_after_step = 0;
    int previous = ser_link.board_state;
    ser_link.board_state = BS_ERROR;
    if (previous != BS_ANIM_ASM && previous != BS_ANIM_HLL)
        ComPut(MC_STOP);
    return 0;
}

int ser_read_pc()
{
    SerLink& s = ser_link;
    int hi = ComGet();
    if (hi < 0) {
        s.board_state = BS_ERROR;
        return -1;
    }
    int lo = ComGet();
    if (lo < 0) {
        s.board_state = BS_ERROR;
        return -2;
    }
    int sum = ComGet();
    if (sum < 0) {
        s.board_state = BS_ERROR;
        return -3;
    }
    if (sum != ((hi + lo) & 0xFF)) {
        s.board_state = BS_ERROR;
        return -4;
    }
    int32_t pc = hi * 256 + lo;
    s.current_pc = pc;

    // The step off a breakpoint has ended: the breakpoint goes back.
    int32_t replant = s.replant_break.exchange(-1);
    int run_state = s.run_after_step.exchange(0);
    if (replant >= 0) {
        int r = ser_set_break(replant);
        if (r < 0)
            return r;
    }

    int remembered = s.board_state;
    for (;;) {
        int flags;
        uint8_t bytes[2] = {0, 0};
        bool inside;
        bool break_here;
        {
            std::lock_guard<std::mutex> guard(target_image_lock);
            int32_t offset = pc - target_image.load_address;
            // A breakpoint takes three bytes, so one in the last three bytes
            // of the image ends an animation too.
            break_here = offset >= 0 && offset <= target_image.size - 3 &&
                         (target_image.flags[offset] & IF_BREAK);
            inside = offset >= 0 && offset <= target_image.size - 4;
            flags = inside ? target_image.flags[offset] : 0;
            if (inside) {
                bytes[0] = target_image.bytes[offset];
                bytes[1] = target_image.bytes[offset + 1];
            }
        }
        if (break_here) {
            ser_beep();
            remembered = BS_MONITOR;
        }
        if (!inside || (flags & (IF_CODE | IF_LISTED)))
            break;
        // An unlisted long call into the monitor's first 256 bytes is
        // stepped over.
        if (bytes[0] != 0x12 || bytes[1] != 0x00)
            break;
        int r = ser_set_address(pc + 3, 0);
        if (r < 0)
            return r;
        pc += 3;
    }

    if (run_state && remembered != BS_MONITOR) {
        // The run asked for goes on from the instruction after the breakpoint.
        ComPut(MC_GO);
        s.board_state = run_state;
        ser_notify_view();
        return 0;
    }
    if (s.read_registers)
        ser_read_regs();
    if (remembered == BS_ANIM_HLL)
        ser_anim_hll();
    else if (remembered == BS_ANIM_ASM)
        ser_anim_asm();
    else
        s.board_state = BS_MONITOR;
    ser_notify_view();
    return 0;
}

static void set_register(int index, int32_t value)
{
    CpuRegister& r = cpu_registers[index];
    r.changed = value != r.value;
    r.value = value;
}

int ser_read_regs()
{
    ComPut(MC_READ_REGS);
    if (ComGet() != MC_DATA)
        return -5;
    int32_t old_dptr = cpu_registers[REG_DPTR].value;
    int sum = 0;
    for (int i = 0; i < CPU_REPLY_BYTES; i++) {
        int b = ComGet();
        if (b < 0)
            return -1;
        set_register(i, b);
        sum += b;
    }
    int check = ComGet();
    if (check < 0)
        return -2;
    if (check != (sum & 0xFF))
        return -3;
    CpuRegister& dptr = cpu_registers[REG_DPTR];
    int32_t value = cpu_registers[REG_DPH].value * 256 + dptr.value;
    dptr.value = value;
    dptr.changed = value != old_dptr;
    cpu_registers[REG_DPH].changed = 0;
    set_register(REG_PC, ser_link.current_pc);
    int32_t psw = cpu_registers[REG_PSW].value;
    set_register(REG_C, (psw >> 7) & 1);
    set_register(REG_C + 1, (psw >> 6) & 1);
    set_register(REG_C + 2, (psw >> 3) & 3);
    set_register(REG_C + 3, (psw >> 2) & 1);
    set_register(REG_C + 4, psw & 1);
    return 0;
}

int ser_board_id()
{
    {
        std::lock_guard<std::mutex> guard(id_lock);
        board_id.clear();
    }
    ComPut(MC_BOARD_ID);
    if (ComGet() != MC_DATA)
        return -5;
    std::string text;
    int sum = 0;
    for (;;) {
        int b = ComGet();
        if (b < 0)
            return -1;
        if (b == 0)
            break;
        // With its 0x00 the text may take at most 240 bytes.
        if (text.size() + 2 > 240)
            return -4;
        text += static_cast<char>(b);
        sum += b;
    }
    int check = ComGet();
    if (check < 0)
        return -2;
    if (check != (sum & 0xFF))
        return -3;
    {
        std::lock_guard<std::mutex> guard(id_lock);
        board_id = text;
    }
    char line[300];
    std::snprintf(line, sizeof line, "\n<Board Id: '%s'>\n", text.c_str());
    ser_print(line);
    return 0;
}
