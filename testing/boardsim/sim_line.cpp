#include "testing/boardsim/sim_line.h"

#include <chrono>

static SimLine* current = nullptr;
static const int read_timeout_ms = 50;

namespace {

struct BoardEnd : SimStream {
    BytePipe* pipe;
    explicit BoardEnd(BytePipe* p) : pipe(p) {}
    int get(int timeout_ms) override { return pipe->to_board.get(timeout_ms); }
    void put(int b) override { pipe->to_tool.put(b); }
};

void tool_put(int b)
{
    current->pipe.to_board.put(b);
}

int tool_get(void)
{
    return current->pipe.to_tool.get(read_timeout_ms);
}

void tool_break(int ms)
{
    current->breaks_held++;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void tool_reset_pulse(void)
{
    current->reset_pulses++;
}

const ComDevice device = {tool_put, tool_get, tool_break, tool_reset_pulse};

} // namespace

void sim_line_open(SimLine* line, ComSink sink)
{
    current = line;
    line->sim.stop = 0;
    line->board = std::thread([line] {
        BoardEnd end(&line->pipe);
        board_sim_serve(&line->sim, &end);
    });
    com_attach(&device, sink);
    com_start_reader();
    line->reader = std::thread(com_reader_loop);
    line->open = true;
}

void sim_line_close(SimLine* line)
{
    if (!line->open)
        return;
    com_stop_reader();
    line->reader.join();
    com_attach(nullptr, nullptr);
    line->sim.stop = 1;
    line->board.join();
    line->open = false;
    current = nullptr;
}
