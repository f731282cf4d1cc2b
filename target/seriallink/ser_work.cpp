// The worker of the serial reader thread: interprets what the board sends,
// passes program output and typed keys, and carries out the pending command.
#include "target/seriallink/serlink.h"

#include <cstdio>
#include <mutex>
#include <vector>

#include "target/seriallink/comport.h"
#include "common/report_error.h"
#include "target/seriallink/flash_dialogue.h"
#include "target/seriallink/ser_report.h"
#include "target/seriallink/target_image.h"

SerLink ser_link;
std::atomic<int> ser_variant{SER_DOWNLOADER};
std::atomic<int> ser_beeps{0};

// The command being carried out (reader thread only).
static int current_command = 0;

int ser_current_command()
{
    return current_command;
}

static const char* const state_names[] = {
    "Undefined", "Reset", "Monitor", "Step Ass.", "Step HLL",
    "Anim. Ass.", "Anim. HLL", "Run", "Run Tool", "Error",
};

const char* board_state_name(int state)
{
    return state >= 0 && state <= 9 ? state_names[state] : "";
}

void ser_print(const char* text)
{
    SerTextCallback callback = ser_link.text_callback;
    if (!callback)
        return;
    for (const char* p = text; *p; p++)
        callback(static_cast<unsigned char>(*p));
}

void ser_notify_view()
{
    intptr_t window = ser_link.view_window;
    SerViewPoster poster = ser_view_poster;
    if (!window || !poster || ser_link.notifications >= 3)
        return;
    ser_link.notifications++;
    poster(window);
}

// Tells the monitor to skip the pending flash autostart.
static void send_autostart_off()
{
    for (const char* p = MC_AUTOSTART_OFF; *p; p++)
        ComPut(*p);
}

// MC_ACK right after a reset marker: a flash autostart is pending.
static void autostart_pending()
{
    if (ser_link.disable_autostart) {
        send_autostart_off();
        ser_print("\n<Flash Autostart disabled>\n");
    } else {
        ser_print("\n<Flash Autostart performed>\n");
    }
}

static void read_registers_and_go()
{
    ser_read_regs();
    ComPut(MC_GO);
}

static void external_reset()
{
    ser_link.current_pc = -1;
    ser_link.replant_break = -1;
    ser_link.run_after_step = 0;
    ser_link.board_state = BS_RESET;
    ser_print("\n<External reset>\n");
    if (ser_variant == SER_DEBUGGER && ComGet() == MC_ACK) {
        autostart_pending();
        if (ser_link.disable_autostart && ser_link.read_registers)
            read_registers_and_go();
    }
    if (ser_link.read_registers)
        read_registers_and_go();
    ser_notify_view();
    ser_beep();
}

// A typed key goes out on a quiet line while the board is not in the
// monitor; a second ESC in a row becomes a BREAK instead.
static void key_step()
{
    SerLink& s = ser_link;
    int key = s.queued_key;
    if (!key)
        return;
    if (s.key_idle) {
        if (key >= 237) {
            ser_beep();
        } else if (key == 27 && s.esc_count) {
            ComBreak(300);
            s.esc_count = 0;
        } else {
            ComPut(key);
            s.esc_count = key == 27 ? s.esc_count + 1 : 0;
        }
        int expected = key;
        s.queued_key.compare_exchange_strong(expected, 0);
    }
    s.key_idle = 1;
}

static int download_image()
{
    std::vector<uint8_t> bytes;
    int32_t address;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        address = target_image.load_address;
        bytes.assign(target_image.bytes, target_image.bytes + target_image.size);
    }
    int32_t size = static_cast<int32_t>(bytes.size());
    int32_t block = size / 10;
    if (block < 250)
        block = 250;
    if (block > 1000)
        block = 1000;
    int r = ser_download(bytes.data(), address, size, block);
    if (r == 0) {
        std::lock_guard<std::mutex> guard(target_image_lock);
        target_image.downloaded = 1;
    }
    return r;
}

static int run_command(int code)
{
    int r;
    switch (code) {
    case SC_RESET:
        r = ser_reset();
        if (r == 0 && image_downloaded())
            r = ser_set_address(image_load_address(), 1);
        return r == -3 ? 0 : r;
    case SC_BOARD_ID:
        return ser_board_id();
    case SC_DOWNLOAD:
        r = ser_reset();
        if (r == 0)
            r = ser_set_address(image_load_address(), 1);
        if (r == 0)
            r = download_image();
        return r;
    case SC_SET_BREAK:
        return ser_set_break(ser_link.command_address);
    case SC_CLEAR_BREAK:
        return ser_clear_break(ser_link.command_address);
    case SC_STEP_ASM:
        return ser_step_asm();
    case SC_STEP_HLL:
        return ser_step_hll();
    case SC_ANIM_ASM:
        return ser_anim_asm();
    case SC_ANIM_HLL:
        return ser_anim_hll();
    case SC_RUN:
    case SC_RUN_TOOL:
        return ser_run();
    case SC_STOP:
        return ser_stop();
    default:
        report_error(-1, "Intern: ser_work");
        return -1;
    }
}

// Stores a command's result unless the user-interface thread has meanwhile
// posted another command (a cancel, setting 0, still takes the result).
static void store_result(int code, int result)
{
    int slot = ser_link.pending_command;
    for (;;) {
        if (slot > 0 && slot != code)
            return;
        if (ser_link.pending_command.compare_exchange_weak(slot, result))
            return;
    }
}

void ser_work(int b)
{
    SerLink& s = ser_link;
    if (b == MC_RESET) {
        external_reset();
        return;
    }
    if (b == MC_ACK && s.board_state == BS_RESET) {
        autostart_pending();
    } else if (b == MC_PC_REPORT) {
        int r = ser_read_pc();
        if (r < 0)
            ser_report(-r, "Read Program Counter (PC)\nLast valid Address: $%04x",
                         static_cast<unsigned>(s.current_pc.load()));
    } else if (s.board_state == BS_RUN_TOOL) {
        if (ser_variant == SER_DEBUGGER)
            report_error(-1, "Remote in QUIBEX?");
        remote_state_machine(b);
    } else if (s.board_state != BS_MONITOR) {
        if (b < 0) {
            key_step();
        } else {
            SerTextCallback callback = s.text_callback;
            if (callback)
                callback(b);
        }
    }

    int code = s.pending_command;
    if (code > 0) {
        s.key_idle = 0;
        s.anim_steps = 0;
        s.command_tick = ser_tick();
        current_command = code;
        int result = run_command(code);
        current_command = 0;
        store_result(code, result);
    }
}

int ser_command(int code)
{
    SerLink& s = ser_link;
    s.pending_command = code;
    if (code == SC_DOWNLOAD || code == SC_ANIM_ASM || code == SC_ANIM_HLL)
        return 0;
    for (int i = 0; i < 40 && s.pending_command == code; i++)
        ser_sleep(50);
    int slot = s.pending_command;
    if (slot == code) {
        report_error(0, "Handshake timeout: command not processed (Code %d)", slot);
        return -1;
    }
    if (slot > 0) {
        ser_beep();
        return -1;
    }
    if (slot < 0) {
        s.pending_command.compare_exchange_strong(slot, 0);
        report_error(0, "Command error: incorrect or missing response (Code %d)", slot);
        // A failed command is not reported as success: callers that mark a
        // breakpoint or go on only on 0 must not do so now.
        return -1;
    }
    return 0;
}

void ser_link_reset()
{
    SerLink& s = ser_link;
    s.board_state = BS_UNDEFINED;
    s.current_pc = -1;
    s.pending_command = 0;
    s.command_address = 0;
    s.queued_key = 0;
    s.key_idle = 0;
    s.esc_count = 0;
    s.anim_steps = 0;
    s.download_percent = 0;
    s.read_registers = 0;
    s.disable_autostart = 1;
    s.notifications = 0;
    s.replant_break = -1;
    s.run_after_step = 0;
    for (CpuRegister& r : cpu_registers) {
        r.value = -1;
        r.changed = 0;
    }
}
