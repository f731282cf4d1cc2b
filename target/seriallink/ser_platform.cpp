// Clock, sleep, bell and view notification of the protocol worker.
#include "target/seriallink/serlink.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>

static void post_to_view(intptr_t window)
{
    PostMessageA(reinterpret_cast<HWND>(window), WM_USER + 1, 0, 0);
}
std::atomic<SerViewPoster> ser_view_poster{post_to_view};
#else
// Without windows a program (or test) installs its own poster.
std::atomic<SerViewPoster> ser_view_poster{nullptr};
#endif

void ser_beep()
{
    ser_beeps++;
#ifdef _WIN32
    MessageBeep(0xFFFFFFFF);
#endif
}

uint32_t ser_tick()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void ser_sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
