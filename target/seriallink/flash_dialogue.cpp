// The tool's side of the flash-writer dialogue.
#include "target/seriallink/flash_dialogue.h"

#include "target/seriallink/comport.h"
#include "common/report_error.h"
#include "target/seriallink/serlink.h"
#include "target/seriallink/target_image.h"

FlashJob flash_job;

void flash_job_prepare(int mode, int sector)
{
    flash_job.mode = mode;
    flash_job.sector = sector;
    flash_job.state = 0;
}

static void show(int b)
{
    SerTextCallback callback = ser_link.text_callback;
    if (callback)
        callback(b);
}

// Sends the next image block: 'b', count (256 as 0), address (3 bytes,
// big-endian), the bytes, and the 8-bit sum of address and data bytes.
static void send_block()
{
    FlashJob& job = flash_job;
    int32_t n = job.bytes_left < 256 ? job.bytes_left : 256;
    int32_t offset;
    int32_t address;
    int copied;
    {
        std::lock_guard<std::mutex> guard(target_image_lock);
        offset = target_image.size - job.bytes_left;
        address = target_image.load_address + offset;
    }
    job.block[0] = static_cast<uint8_t>(address >> 16);
    job.block[1] = static_cast<uint8_t>(address >> 8);
    job.block[2] = static_cast<uint8_t>(address);
    copied = image_copy(offset, job.block + 3, n);
    for (int i = copied; i < n; i++)
        job.block[3 + i] = 0xFF; // the image changed under the dialogue
    ComPut('b');
    ComPut(n & 0xFF);
    int sum = 0;
    for (int i = 0; i < 3 + n; i++) {
        ComPut(job.block[i]);
        sum += job.block[i];
    }
    ComPut(sum & 0xFF);
    job.bytes_left -= n;
    if (job.bytes_left <= 0)
        job.state = 11;
}

void remote_state_machine(int b)
{
    FlashJob& job = flash_job;
    int state = job.state;
    if (state == 0) {
        job.line_phase = FP_TEXT;
        job.bytes_left = image_size();
        job.state = state = job.mode * 10;
    }
    switch (state) {
    case 10: case 11: case 20: case 30: case 40: case 50: case -1:
        break;
    default:
        job.state = -1;
        report_error(-1, "Remote state machine 1");
        return;
    }

    if (b >= 0) {
        if (b == '!' && job.line_phase == FP_LINE_END)
            job.state = 11;
        else if (b == '>' && job.line_phase == FP_LINE_END)
            job.line_phase = FP_HIDDEN;
        else if (b == '?' && job.line_phase == FP_LINE_END)
            job.line_phase = FP_ASKED;
        else if (job.line_phase == FP_TEXT || job.line_phase == FP_LINE_END)
            show(b);
        if (b == '\n')
            job.line_phase = FP_LINE_END;
        return;
    }

    if (job.line_phase != FP_ASKED)
        return;
    switch (job.state) {
    case 10:
        ComPut('i');
        job.state = 11;
        break;
    case 11:
        ComPut('q');
        break;
    case 20:
        ComPut('c');
        job.state = 11;
        break;
    case 30:
        send_block();
        break;
    case 40:
        ComPut('c');
        job.state = 30;
        break;
    case 50:
        ComPut('x');
        ComPut('0' + job.sector);
        job.state = 11;
        break;
    default:
        job.state = -1;
        report_error(-1, "Remote state machine 2");
        return;
    }
    job.line_phase = FP_TEXT;
}

std::string flash_tool_path(const std::string& program_path)
{
    // Only a '.' in the file name itself starts the extension; a dot in a
    // folder name must not cut the path short.
    size_t name = program_path.find_last_of("/\\:");
    size_t dot = program_path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return program_path + ".BIX";
    return program_path.substr(0, dot) + ".BIX";
}

int flash_sector_value(const char* text)
{
    int value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; p++) {
        value = value * 10 + (*p - '0');
        if (value > 99999)
            return 99999; // out of range either way
    }
    return value;
}

bool flash_commands_enabled(int board_state)
{
    return board_state == BS_UNDEFINED || board_state == BS_RESET || board_state == BS_MONITOR;
}
