// Lines per second of morrin on a generated 100,000-line source, and of
// as31 on the same program written in its syntax (macros expanded,
// conditionals decided, constants as .equ); then the start time of each on
// a 3-line source, where a build of many small sources spends its time.
// Prints figures; asserts nothing.
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
#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
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

#ifndef _WIN32
const int START_RUNS = 200; // per program, taking turns

// Wall time of one run of argv with its output sent to /dev/null, -1 when
// it could not start or failed; *cpu gets its user and system time. Started
// directly (no shell between), so the figure is the program's own start.
// On a loaded machine the wall time is mostly waiting for a processor: the
// processor time is the steadier figure.
double run_quietly(const std::vector<std::string>& argv, double* cpu)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto t0 = std::chrono::steady_clock::now();
    pid_t pid;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    *cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return wall;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// morrin and as31 on a 3-line source each, in turns, medians beside each other.
void start_times()
{
    std::ofstream("start.s51", std::ios::binary) << "\t.segment code,org 0\n\tmov a,#1\n\tnop\n";
    std::ofstream("start.asm", std::ios::binary) << "\t.org 0\n\tmov a,#1\n\tnop\n";
    const std::vector<std::string> ours = {MORRIN_PATH, "start.s51"};
    const std::vector<std::string> theirs = {"/usr/bin/as31", "-Fbyte", "-Ostart.out", "start.asm"};
    const bool peer = fs::exists(theirs[0]);
    std::vector<double> wall_ours, wall_theirs, cpu_ours, cpu_theirs;
    for (int r = 0; r < START_RUNS; r++) {
        double ca = 0, cb = 0;
        const double a = run_quietly(ours, &ca);
        const double b = peer ? run_quietly(theirs, &cb) : 0;
        if (a < 0 || b < 0) {
            std::printf("start time: %s failed\n", a < 0 ? "morrin" : "as31");
            return;
        }
        wall_ours.push_back(a);
        wall_theirs.push_back(b);
        cpu_ours.push_back(ca);
        cpu_theirs.push_back(cb);
    }
    std::printf("start, 3-line source (medians of %d runs, taking turns):\n", START_RUNS);
    std::printf("  %-11s %.3f ms wall, %.3f ms processor\n", "morrin", median(wall_ours) * 1e3,
                median(cpu_ours) * 1e3);
    if (!peer) {
        std::printf("  %-11s not installed\n", "as31");
        return;
    }
    std::printf("  %-11s %.3f ms wall, %.3f ms processor\n", "as31", median(wall_theirs) * 1e3,
                median(cpu_theirs) * 1e3);
    std::printf("  morrin/as31 %.2f wall, %.2f processor (goal at most 1.20)\n",
                median(wall_ours) / median(wall_theirs), median(cpu_ours) / median(cpu_theirs));
}
#endif

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
    start_times();
#else
    std::printf("%-13s not available in the Windows build\n", "as31");
#endif
    return 0;
}
