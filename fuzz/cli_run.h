// Running a command-line tool's entry point from a fuzz target, with the
// end of a run (diag_exit) turned into an exception, so that one process
// runs the tool again and again. Its messages go nowhere. The current
// folder stays (libFuzzer reads its corpus by relative paths): arguments
// name files of the scratch folder by their full paths.
#pragma once

#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "fuzz/fuzz_support.h"

namespace fuzz {

struct RunEnded {
    int code;
};

[[noreturn]] inline void ThrowRunEnded(int code) { throw RunEnded{code}; }

// Calls main with the words as its arguments; its exit code.
template <typename Main>
int RunTool(Main main, std::vector<std::string> words)
{
    static std::FILE* const quiet = std::fopen("/dev/null", "w");
    if (quiet)
        diag_set_default_stream(quiet);
    diag_set_exit_hook(ThrowRunEnded);
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    int code = 0;
    try {
        code = main(static_cast<int>(words.size()), argv.data());
    } catch (const RunEnded& e) {
        code = e.code;
    }
    diag_close_error_out();
    return code;
}

} // namespace fuzz
