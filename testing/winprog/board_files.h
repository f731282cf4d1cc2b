// The simulated board on a COM port as a whole-program test sees it
// (testing/boardsim/with_board.sh): the port the program under test talks
// to, and the board's files in the test's working folder, com_board.bin
// with its memory after every change and com_board.ctl for its faults.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The COM port numbers of the program's end of the line (SERIAL_TOOL_PORT)
// and of the board's (SERIAL_BOARD_PORT), or fallback where the test runs
// without them.
int SerialToolPort(int fallback);
int SerialBoardPort(int fallback);
// The board's RAM and flash (flash follows 64 KB of RAM) as it last wrote
// them; shorter where the board wrote less.
std::vector<uint8_t> BoardRam(int address, int count);
std::vector<uint8_t> BoardFlash(int address, int count);
// Scripts a fault of the board (lines "<fault> <value>") and waits until
// the board has taken the script.
void BoardControl(const std::string& lines);
