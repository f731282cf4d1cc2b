// Lines per second of morrin on a generated 100,000-line source, and of
// as31 on the same program written in its syntax (macros expanded,
// conditionals decided, constants as .equ). Prints figures; asserts nothing.
#include "common/os.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const int BLOCKS = 10000;   // ten lines each
const int RUNS = 5;

// Ten lines per block in each syntax; about 5.5 code bytes per block keeps
// the program within 64K, as as31 requires.
void generate(const fs::path& dir, int* lines_ours, int* lines_theirs)
{
    std::string ours = "\t.segment code,org 0\n.macro bump\n\tinc @1\n\t.endmacro\n";
    std::string theirs = "\t.org 0\n; bump\n; inc\n; end\n";
    char buf[512];
    for (int i = 0; i < BLOCKS; i++) {
        int c = i * 3 + 1;
        std::snprintf(buf, sizeof buf,
                      "; block %d\n"
                      "c%d = %d*3+1\n"
                      "l%d:\tmov a,#(c%d+2)&0FFh\t; load\n"
                      "\tbump r%d\n"
                      "\tsjmp l%d\n"
                      "d%d = c%d<<2|1\n"
                      "\t.if c%d&1\n"
                      "\tnop\n"
                      "\t.endif\n"
                      "\n",
                      i, i, i, i, i, i % 8, i, i, i, i);
        ours += buf;
        std::snprintf(buf, sizeof buf,
                      "; block %d\n"
                      ".equ c%d, %d*3+1\n"
                      "l%d:\tmov a,#(c%d+2)&0FFh\t; load\n"
                      "\tinc r%d\n"
                      "\tsjmp l%d\n"
                      ".equ d%d, c%d<<2|1\n"
                      "; if\n"
                      "%s\n"
                      "; endif\n"
                      "\n",
                      i, i, i, i, i, i % 8, i, i, i, (c & 1) ? "\tnop" : ";");
        theirs += buf;
    }
    std::ofstream(dir / "bench.s51", std::ios::binary) << ours;
    std::ofstream(dir / "bench.asm", std::ios::binary) << theirs;
    *lines_ours = 4 + BLOCKS * 10;
    *lines_theirs = 4 + BLOCKS * 10;
}

// Best wall time of several runs, -1 when the program failed. A command
// line runs through the shell (to silence a chatty program).
double best_time(const std::vector<std::string>& argv, const std::string& shell_line = std::string())
{
    double best = -1;
    for (int r = 0; r < RUNS; r++) {
        auto t0 = std::chrono::steady_clock::now();
        int code = -1;
        if (!shell_line.empty())
            code = os_system(shell_line);
        else if (os_run(argv, &code) != OS_RUN_OK)
            return -1;
        if (code != 0)
            return -1;
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (best < 0 || s < best)
            best = s;
    }
    return best;
}

void report(const char* name, int lines, double seconds)
{
    if (seconds < 0) {
        std::printf("%-13s failed\n", name);
        return;
    }
    std::printf("%-13s %d lines, best of %d runs: %.3f s, %.0f lines/s\n", name, lines, RUNS, seconds,
                lines / seconds);
}

} // namespace

int main()
{
    fs::path dir = BENCH_DIR;
    fs::create_directories(dir);
    int lines_ours = 0, lines_theirs = 0;
    generate(dir, &lines_ours, &lines_theirs);
    if (chdir(dir.string().c_str()) != 0) {
        std::printf("cannot enter %s\n", dir.string().c_str());
        return 1;
    }
    report("morrin", lines_ours, best_time({MORRIN_PATH, "-e", "bench.s51"}));
    report("morrin -s -g", lines_ours, best_time({MORRIN_PATH, "-e", "-s", "-g", "bench.s51"}));
#ifndef _WIN32
    if (fs::exists("/usr/bin/as31"))
        report("as31", lines_theirs,
               best_time({}, "/usr/bin/as31 -Fbyte -Obench.out bench.asm >/dev/null 2>&1"));
    else
        std::printf("%-13s not installed\n", "as31");
#else
    std::printf("%-13s not available in the Windows build\n", "as31");
#endif
    return 0;
}
