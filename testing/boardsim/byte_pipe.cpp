#include "testing/boardsim/byte_pipe.h"

#include <chrono>

void ByteQueue::put(int b)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        bytes.push_back(b & 0xFF);
    }
    ready.notify_all();
}

int ByteQueue::get(int timeout_ms)
{
    std::unique_lock<std::mutex> guard(lock);
    if (!ready.wait_for(guard, std::chrono::milliseconds(timeout_ms), [this] { return !bytes.empty(); }))
        return -1;
    int b = bytes.front();
    bytes.pop_front();
    return b;
}

void ByteQueue::clear()
{
    std::lock_guard<std::mutex> guard(lock);
    bytes.clear();
}
