// The serial library's port layer on an in-memory line to a simulated
// board: the tool's reader thread and the board run on their own threads,
// as they do with a real port.
#pragma once

#include <atomic>
#include <thread>

#include "testing/boardsim/board_sim.h"
#include "testing/boardsim/byte_pipe.h"
#include "target/seriallink/comport.h"

struct SimLine {
    BytePipe pipe;
    BoardSim sim;
    std::thread board;
    std::thread reader;
    std::atomic<int> breaks_held{0};  // BREAK conditions the tool held
    std::atomic<int> reset_pulses{0}; // reset pulses on the modem lines
    bool open = false;
};

// Starts the board and the tool's reader (which feeds sink). One line at a
// time.
void sim_line_open(SimLine* line, ComSink sink);
// Stops the reader first (no byte reaches the sink afterwards), then the
// board.
void sim_line_close(SimLine* line);
