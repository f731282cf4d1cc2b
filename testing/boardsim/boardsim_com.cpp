// The simulated board on a COM port:
//   boardsim_com COM<n> [--dump file] [--seconds n] [--control file]
// serves the monitor protocol on the port at 115200 Bd until the time is up
// (60 s by default). With --dump, the board's RAM and flash (64 KB each)
// are written to the file after every change. With --control, the file is
// looked for every 50 ms; its lines script faults ("<fault> <value>", the
// names of SimFaults), "reset" (an unexpected reset) or "unplug" (the board
// closes its end of the line, as a pulled cable), and it is deleted once
// read. Tests write it through a temporary and a rename. The write blocks
// the block faults name ("error_on_block 2") are counted from the last
// control file on, so that a fault does not depend on what earlier tests
// downloaded.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "testing/boardsim/board_sim.h"

namespace {

struct ComStream : SimStream {
    HANDLE port;
    // Bytes already taken from the port. Reading one byte per call costs a
    // Wine server round trip each: a 1,000-byte block then took long enough
    // on a loaded machine that the tool's 50 ms wait for the answer ran out.
    unsigned char buffer[4096];
    DWORD have = 0, next = 0;
    explicit ComStream(HANDLE h) : port(h) {}
    int get(int timeout_ms) override
    {
        if (next < have)
            return buffer[next++];
        // The port's read time-out is 10 ms; longer waits take several reads.
        for (int waited = 0; waited < timeout_ms || waited == 0; waited += 10) {
            DWORD errors = 0;
            COMSTAT stat = {};
            DWORD want = 1;
            if (ClearCommError(port, &errors, &stat) && stat.cbInQue > 1)
                want = stat.cbInQue < sizeof buffer ? stat.cbInQue : sizeof buffer;
            DWORD got = 0;
            if (ReadFile(port, buffer, want, &got, nullptr) && got > 0) {
                have = got;
                next = 1;
                return buffer[0];
            }
        }
        return -1;
    }
    void put(int b) override
    {
        unsigned char byte = static_cast<unsigned char>(b);
        DWORD written = 0;
        WriteFile(port, &byte, 1, &written, nullptr);
    }
};

BoardSim sim;
HANDLE port = INVALID_HANDLE_VALUE;
std::atomic<bool> unplugged{false};

struct FaultName {
    const char* name;
    std::atomic<int> SimFaults::*field;
};
const FaultName fault_names[] = {
    {"silent", &SimFaults::silent},
    {"bad_sums", &SimFaults::bad_sums},
    {"error_on_block", &SimFaults::error_on_block},
    {"junk_on_block", &SimFaults::junk_on_block},
    {"reset_on_block", &SimFaults::reset_on_block},
    {"error_on_break", &SimFaults::error_on_break},
    {"late_ms", &SimFaults::late_ms},
    {"late_block_ms", &SimFaults::late_block_ms},
    {"late_on_block", &SimFaults::late_on_block},
    {"no_reset_marker", &SimFaults::no_reset_marker},
    {"flash_bad_sum", &SimFaults::flash_bad_sum},
};

// Applies the control file's lines; true when the board is to be unplugged.
bool apply_control(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return false;
    bool unplug = false;
    char line[128];
    while (std::fgets(line, sizeof line, f)) {
        char name[64] = "";
        int value = 1;
        if (std::sscanf(line, "%63s %d", name, &value) < 1)
            continue;
        if (std::strcmp(name, "unplug") == 0)
            unplug = true;
        else if (std::strcmp(name, "reset") == 0)
            sim.reset_request = 1;
        for (const FaultName& f : fault_names)
            if (std::strcmp(name, f.name) == 0)
                (sim.faults.*f.field) = value;
    }
    std::fclose(f);
    DeleteFileA(path.c_str());
    sim.write_blocks = 0;
    return unplug;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: boardsim_com COM<n> [--dump file] [--seconds n]\n");
        return 2;
    }
    int seconds = 60;
    std::string control;
    board_sim_init(&sim);
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--dump") == 0)
            sim.dump_path = argv[i + 1];
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--control") == 0)
            control = argv[i + 1];
    }
    std::string name = std::string("\\\\.\\") + argv[1];
    port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "boardsim_com: cannot open %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (BuildCommDCBA("baud=115200 parity=N data=8 stop=1", &dcb))
        SetCommState(port, &dcb);
    COMMTIMEOUTS t = {};
    t.ReadTotalTimeoutConstant = 10;
    SetCommTimeouts(port, &t);

    ComStream stream(port);
    std::thread timer([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        sim.stop = 1;
    });
    timer.detach();

    if (!control.empty()) {
        std::thread watcher([control] {
            while (!sim.stop) {
                if (apply_control(control)) {
                    unplugged = true;
                    sim.stop = 1;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        watcher.detach();
    }
    std::printf("boardsim_com: serving %s\n", argv[1]);
    std::fflush(stdout);
    board_sim_serve(&sim, &stream);
    CloseHandle(port);
    if (unplugged)
        std::printf("boardsim_com: unplugged\n");
    return 0;
}
