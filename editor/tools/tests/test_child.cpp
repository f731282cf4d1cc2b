// A small program the runner tests start: it writes long output, echoes its
// standard input, or waits until it is ended.
//   test_child lines <n>   n numbered lines, ends alternating CR LF and LF, then "END"
//   test_child echo        "ready", then "got: <line>" for each line read, until "quit"
//   test_child sleep       "sleeping", then waits a minute
//   test_child exit <code> a line on standard error, then the exit code
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "lines" && argc > 2) {
        long n = std::atol(argv[2]);
        std::string block;
        char line[128];
        for (long i = 0; i < n; ++i) {
            std::snprintf(line, sizeof line, "line %07ld of the long output, some text to fill it%s",
                          i, i % 2 ? "\n" : "\r\n");
            block += line;
            if (block.size() > 60000) {
                std::fwrite(block.data(), 1, block.size(), stdout);
                block.clear();
            }
        }
        block += "END\n";
        std::fwrite(block.data(), 1, block.size(), stdout);
        return 0;
    }
    if (mode == "echo") {
        std::printf("ready\n");
        std::fflush(stdout);
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, stdin)) {
            buffer[std::strcspn(buffer, "\r\n")] = 0;
            if (std::strcmp(buffer, "quit") == 0)
                break;
            std::printf("got: %s\n", buffer);
            std::fflush(stdout);
        }
        return 0;
    }
    if (mode == "sleep") {
        std::printf("sleeping\n");
        std::fflush(stdout);
        Sleep(60000);
        return 0;
    }
    if (mode == "exit" && argc > 2) {
        std::fprintf(stderr, "leaving with %s\n", argv[2]);
        return std::atoi(argv[2]);
    }
    return 1;
}
