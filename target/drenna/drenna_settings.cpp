// Settings file and command line of Drenna.
#include "target/drenna/drenna_settings.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "target/termui/ser_settings.h"
#include "target/termui/settings_file.h"
#include "winui/msgbox.h"
#include "winui/profile.h"
#include "winui/recentfiles.h"

static bool has_image_extension(const char* arg)
{
    const char* dot = std::strrchr(arg, '.');
    return dot && (strcasecmp(dot, ".hex") == 0 || strcasecmp(dot, ".bin") == 0);
}

static void show_usage()
{
    winui::ShowMessageBox(nullptr,
                          "Parameters:\n-i:        Inverse\n-cNR:      COM NR\n-bBAUD:    Baudrate "
                          "BAUD\nFNAME.BIN  Binary file to download\nFNAME.HEX  Hex file to "
                          "download\n",
                          "Drenna - Parameters", MB_OK);
}

int read_settings(int argc, char** argv)
{
    SerSettings& s = ser_settings;
    s.ini_path = ser_settings_path(ser_program_path());
    ser_settings_read_file(s.ini_path);
    s.file.clear();
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (strcasecmp(arg, "-i") == 0) {
            s.inverse = 1;
        } else if (std::strcmp(arg, "-?") == 0) {
            show_usage();
            return 1;
        } else if (strncasecmp(arg, "-c", 2) == 0) {
            s.port_index = std::atoi(arg + 2) - 1;
        } else if (strncasecmp(arg, "-b", 2) == 0) {
            s.baud_rate = std::atol(arg + 2);
        } else if (arg[0] != '-' && has_image_extension(arg)) {
            s.file = arg;
        } else {
            show_usage();
            return 1;
        }
    }

    ser_settings_check_port();
    return 0;
}

bool write_settings(const winui::CRecentFileList* recent)
{
    return ser_settings_write([recent](const std::string& copy) {
        if (recent)
            recent->WriteList(winui::CProfile(copy));
        return true;
    });
}
