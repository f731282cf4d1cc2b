// Settings file and command line of Quibex.
#include "target/quibex/quibex_settings.h"

#include <cstring>

#include "target/termui/ser_settings.h"
#include "target/termui/settings_file.h"

void read_settings(int argc, char** argv)
{
    SerSettings& s = ser_settings;
    s.ini_path = ser_settings_path(ser_program_path());
    ser_settings_read_file(s.ini_path);
    s.file.clear();
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "-i") == 0)
            s.inverse = 1;
    ser_settings_check_port();
}

bool write_settings()
{
    return ser_settings_write();
}
