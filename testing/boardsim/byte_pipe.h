// An in-memory serial line: two directions of bytes between the tool's end
// and the board's end, with read time-outs like a COM port and a BREAK
// counter.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

struct ByteQueue {
    std::mutex lock;
    std::condition_variable ready;
    std::deque<int> bytes;

    void put(int b);
    // A byte, or -1 when none came within timeout_ms.
    int get(int timeout_ms);
    void clear();
};

struct BytePipe {
    ByteQueue to_board;
    ByteQueue to_tool;
};
