// The simulated board on a COM port:
//   boardsim_com COM<n> [--dump file] [--seconds n]
// serves the monitor protocol on the port at 115200 Bd until the time is up
// (60 s by default). With --dump, the board's RAM and flash (64 KB each)
// are written to the file after every change.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "board_sim.h"

namespace {

struct ComStream : SimStream {
    HANDLE port;
    explicit ComStream(HANDLE h) : port(h) {}
    int get(int timeout_ms) override
    {
        // The port's read time-out is 10 ms; longer waits take several reads.
        for (int waited = 0; waited < timeout_ms || waited == 0; waited += 10) {
            unsigned char b;
            DWORD got = 0;
            if (ReadFile(port, &b, 1, &got, nullptr) && got == 1)
                return b;
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: boardsim_com COM<n> [--dump file] [--seconds n]\n");
        return 2;
    }
    int seconds = 60;
    board_sim_init(&sim);
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--dump") == 0)
            sim.dump_path = argv[i + 1];
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atoi(argv[i + 1]);
    }
    std::string name = std::string("\\\\.\\") + argv[1];
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
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
    std::printf("boardsim_com: serving %s\n", argv[1]);
    std::fflush(stdout);
    board_sim_serve(&sim, &stream);
    CloseHandle(port);
    return 0;
}
