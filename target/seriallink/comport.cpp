// The device-independent part of the port layer: byte calls through the
// attached device and the reader loop.
#include "target/seriallink/comport.h"

#include <atomic>
#include <chrono>
#include <thread>

int com_reset_lines = 1;

static std::atomic<const ComDevice*> device{nullptr};
static std::atomic<ComSink> sink{nullptr};
static std::atomic<int> run_flag{0};
static std::atomic<int> stopped_flag{1};

void com_attach(const ComDevice* d, ComSink s)
{
    device = d;
    sink = s;
}

void ComPut(int b)
{
    const ComDevice* d = device;
    if (d)
        d->put(b & 0xFF);
}

int ComGet(void)
{
    const ComDevice* d = device;
    return d ? d->get() : -1;
}

void ComBreak(int ms)
{
    const ComDevice* d = device;
    if (d)
        d->hold_break(ms);
}

void ComResetPulse(void)
{
    const ComDevice* d = device;
    if (d)
        d->reset_pulse();
}

void com_start_reader(void)
{
    stopped_flag = 0;
    run_flag = 1;
}

void com_reader_loop(void)
{
    while (run_flag) {
        int b = ComGet();
        ComSink s = sink;
        if (s && run_flag)
            s(b);
    }
    stopped_flag = 1;
}

void com_stop_reader(void)
{
    if (stopped_flag)
        return;
    run_flag = 0;
    while (!stopped_flag)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

int com_valid_baud(long baud)
{
    return baud > 0 && 115200 % baud == 0;
}
