#include "system_input.h"

#include <atomic>
#include <thread>

namespace {

void SendMouse(DWORD flags, POINT at)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void DispatchWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

InputStep MoveTo(POINT at, DWORD ms) { return InputStep{InputStep::Move, at, 0, ms}; }
InputStep LeftDown(POINT at, DWORD ms) { return InputStep{InputStep::LeftDown, at, 0, ms}; }
InputStep LeftUp(POINT at, DWORD ms) { return InputStep{InputStep::LeftUp, at, 0, ms}; }
InputStep KeyDown(WORD key, DWORD ms) { return InputStep{InputStep::KeyDown, POINT{0, 0}, key, ms}; }
InputStep KeyUp(WORD key, DWORD ms) { return InputStep{InputStep::KeyUp, POINT{0, 0}, key, ms}; }
InputStep WaitFor(DWORD ms) { return InputStep{InputStep::Wait, POINT{0, 0}, 0, ms}; }

void PumpMessages(DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    do {
        DispatchWaiting();
        Sleep(5);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        DispatchWaiting();
        Sleep(5);
    }
    return true;
}

void PlayInput(const std::vector<InputStep>& steps, const std::function<void()>& whileRunning, DWORD settleMs)
{
    std::atomic<bool> done{false};
    std::thread player([&steps, &done] {
        for (const InputStep& s : steps) {
            switch (s.kind) {
            case InputStep::Move: SendMouse(0, s.at); break;
            case InputStep::LeftDown: SendMouse(MOUSEEVENTF_LEFTDOWN, s.at); break;
            case InputStep::LeftUp: SendMouse(MOUSEEVENTF_LEFTUP, s.at); break;
            case InputStep::KeyDown: SendKey(s.key, false); break;
            case InputStep::KeyUp: SendKey(s.key, true); break;
            case InputStep::Wait: break;
            }
            Sleep(s.ms);
        }
        done = true;
    });
    while (!done) {
        DispatchWaiting();
        if (whileRunning)
            whileRunning();
        Sleep(5);
    }
    player.join();
    PumpMessages(settleMs);
}

std::vector<InputStep> DragSteps(POINT from, POINT to, WORD heldKey, int moves)
{
    std::vector<InputStep> steps;
    steps.push_back(MoveTo(from, 150));
    steps.push_back(LeftDown(from, 150));
    for (int k = 1; k <= moves; ++k)
        steps.push_back(MoveTo(POINT{from.x + (to.x - from.x) * k / moves, from.y + (to.y - from.y) * k / moves}, 60));
    if (heldKey)
        steps.push_back(KeyDown(heldKey, 100));
    steps.push_back(LeftUp(to, 100));
    if (heldKey)
        steps.push_back(KeyUp(heldKey));
    return steps;
}
