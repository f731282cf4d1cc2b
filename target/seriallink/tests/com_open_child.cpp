// Opens a COM port with the arguments given and records what the port
// layer reports in a file:   com_open_child <port> <baud> <report file>
// Failures are fatal, so the process ends with the report's code.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "comport.h"
#include "winui/msgbox.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    std::string path = argv[3];
    winui::SetMessageBoxHook([path](const winui::MessageBoxCall& call) {
        if (FILE* f = std::fopen(path.c_str(), "a")) {
            std::fprintf(f, "%s: %s\n", call.caption.c_str(), call.text.c_str());
            std::fclose(f);
        }
        return IDOK;
    });
    OpenCom(std::atoi(argv[1]), std::atol(argv[2]), nullptr);
    return 0;
}
