// A serial link to the simulated board over an in-memory line, with the
// terminal output collected and helpers to load and download images.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "serlink.h"
#include "sim_line.h"
#include "testing/kit/test_kit.h"

// The text the worker printed so far.
std::string terminal_text();

// The kit's wait at the pace of a serial line: the board answers within
// milliseconds.
inline bool wait_for(const std::function<bool()>& condition, int timeout_ms = 5000)
{
    return wait_until(condition, timeout_ms, 5);
}

class Board : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a binary image written from the bytes.
    void load(const std::vector<uint8_t>& bytes, int address, const char* name = "board_image.bin");
    // Posts SC_DOWNLOAD and waits for its end; returns the stored result.
    int download();
    // Posts a command that returns at once and waits for its result.
    int finish(int code);
    std::vector<uint8_t> board_ram(int address, int count);
    std::vector<uint8_t> board_flash(int address, int count);

    SimLine* line = nullptr;
    BoardSim& sim() { return line->sim; }
};

// A small program: straight-line code of one-, two- and three-byte
// instructions, 64 bytes long.
std::vector<uint8_t> sample_program();
