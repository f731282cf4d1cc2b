// The settings of the target tools: terminal font, COM port and baud rate,
// the inverse flag and the file named on the command line. Both programs
// keep them in a file named after the program with the extension "INI"
// beside it.
#pragma once

#include <string>

struct SerSettings {
    std::string ini_path;
    std::string font_face = "Fixedsys";
    int font_height = -12;
    int font_weight = 400;
    int italic = 0;
    int port_index = 0; // COM port number - 1
    long baud_rate = 9600;
    int inverse = 0;
    std::string file; // named on the command line, or empty
};

extern SerSettings ser_settings;
