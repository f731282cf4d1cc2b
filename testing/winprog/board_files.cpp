#include "testing/winprog/board_files.h"

#include "testing/winprog/program_session.h"

#include <windows.h>

#include <cstdlib>

static int port_of(const char* variable, int fallback)
{
    const char* port = std::getenv(variable);
    return port ? std::atoi(port) : fallback;
}

int SerialToolPort(int fallback)
{
    return port_of("SERIAL_TOOL_PORT", fallback);
}

int SerialBoardPort(int fallback)
{
    return port_of("SERIAL_BOARD_PORT", fallback);
}

static std::vector<uint8_t> dump_part(int offset, int count)
{
    const std::string dump = read_file(WorkingFolder() + "\\com_board.bin");
    std::vector<uint8_t> out;
    for (int i = 0; i < count && offset + i < static_cast<int>(dump.size()); i++)
        out.push_back(static_cast<uint8_t>(dump[offset + i]));
    return out;
}

std::vector<uint8_t> BoardRam(int address, int count)
{
    return dump_part(address, count);
}

std::vector<uint8_t> BoardFlash(int address, int count)
{
    return dump_part(0x10000 + address, count);
}

void BoardControl(const std::string& lines)
{
    const std::string folder = WorkingFolder();
    const std::string temp = folder + "\\com_board.ctl.tmp";
    const std::string control = folder + "\\com_board.ctl";
    write_file(temp, lines);
    MoveFileExA(temp.c_str(), control.c_str(), MOVEFILE_REPLACE_EXISTING);
    // The board reads the file within 50 ms and removes it.
    WaitUntil([&] { return GetFileAttributesA(control.c_str()) == INVALID_FILE_ATTRIBUTES; }, 5000);
}
