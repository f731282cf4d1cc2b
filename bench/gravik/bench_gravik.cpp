// Generates a project of 2,000 assembler sources and their objects, all up
// to date, grouped under symbolic targets, with one makefile for gravik and
// an equivalent one for GNU make; then times no-op runs of both. Then full
// builds from scratch (every object made by morrin) of projects of 200 and
// 2,000 sources, by both in turns.
//   bench_gravik [targets] [runs] [build runs]
#include "common/os.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

static const int64_t second = 1000000000LL;
static const int64_t base_time = 1600000000LL * second;

static void write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Both makefiles: sources tN.a51 make tN.obj; groups of 50 objects under
// gN; all depends on the groups. Lines stay short for gravik's line limit.
// GNU make runs with -r: without its own built-in rules, as gravik's
// built-in rules have none for these names.
static void generate(const std::string& dir, int targets, bool objects = true)
{
    std::string gravik_mk, gnu_mk;
    const int group = 50;
    std::string all = "all:";
    for (int g = 0; g * group < targets; ++g)
        all += " g" + std::to_string(g);
    gravik_mk += all + "\n";
    gnu_mk += ".PHONY: all\n" + all + "\n";
    for (int g = 0; g * group < targets; ++g) {
        std::string line = "g" + std::to_string(g) + ":";
        for (int i = g * group; i < std::min(targets, (g + 1) * group); ++i)
            line += " t" + std::to_string(i) + ".obj";
        gravik_mk += line + "\n";
        gnu_mk += ".PHONY: g" + std::to_string(g) + "\n" + line + "\n";
    }
    for (int i = 0; i < targets; ++i) {
        std::string t = "t" + std::to_string(i);
        gravik_mk += t + ".obj: " + t + ".a51\n\tmorrin -g $*.a51\n";
        // (make -r knows no suffixes, so $* would be empty there.)
        gnu_mk += t + ".obj: " + t + ".a51\n\tmorrin -g " + t + ".a51\n";
        write(dir + "/" + t + ".a51", "\t.segment code,org 0\n\tnop\n");
        os_set_file_time(dir + "/" + t + ".a51", base_time);
        if (objects) {
            write(dir + "/" + t + ".obj", "objectfile:" + t + ".obj\n");
            os_set_file_time(dir + "/" + t + ".obj", base_time + 10 * second);
        }
    }
    write(dir + "/makefile", gravik_mk);
    write(dir + "/gnu.mk", gnu_mk);
}

// Seconds of one run of a command line.
static double time_run(const std::string& line)
{
    auto start = std::chrono::steady_clock::now();
    int code = os_system(line);
    auto end = std::chrono::steady_clock::now();
    if (code != 0) {
        std::fprintf(stderr, "bench_gravik: '%s' ended with %d\n", line.c_str(), code);
        std::exit(1);
    }
    return std::chrono::duration<double>(end - start).count();
}

static double median(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

static void report(const char* name, std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    std::printf("%-10s median %8.2f ms   best %8.2f ms   worst %8.2f ms\n", name,
                t[t.size() / 2] * 1000, t.front() * 1000, t.back() * 1000);
}

// Full builds of a project of "sources" sources from scratch: both make
// every object with morrin (GNU make finds it on the path, gravik beside
// itself), taking turns; the objects are removed before each build and
// counted after it.
static void full_builds(const std::string& dir, int sources, int runs)
{
    os_system("rm -rf '" + dir + "' && mkdir -p '" + dir + "'");
    generate(dir, sources, false);
    std::string bin = GRAVIK_PATH;
    bin = bin.substr(0, bin.find_last_of('/'));
    const std::string clean = "rm -f '" + dir + "'/*.obj";
    const std::string count = "test $(ls '" + dir + "' | grep -c '\\.obj$') -eq " + std::to_string(sources);
    const std::string gravik = "cd '" + dir + "' && '" + GRAVIK_PATH + "' >/dev/null 2>&1 && " + count;
    const std::string gnu = "cd '" + dir + "' && PATH='" + bin + "':\"$PATH\" make -r -f gnu.mk >/dev/null 2>&1 && " + count;
    std::vector<double> own, theirs;
    for (int r = 0; r < runs; ++r) {
        os_system(clean);
        own.push_back(time_run(gravik));
        os_system(clean);
        theirs.push_back(time_run(gnu));
    }
    std::printf("full build of %d sources from scratch, %d runs each\n", sources, runs);
    report("gravik", own);
    report("GNU make", theirs);
    double ratio = median(own) / median(theirs);
    std::printf("gravik / GNU make -r: %.2f%s\n", ratio,
                sources >= 2000 ? (ratio <= 1.0 ? " (goal: at most GNU make -r's time: met)"
                                                : " (goal: at most GNU make -r's time: not met)")
                                : "");
}

int main(int argc, char** argv)
{
    int targets = argc > 1 ? std::atoi(argv[1]) : 2000;
    int runs = argc > 2 ? std::atoi(argv[2]) : 9;
    int build_runs = argc > 3 ? std::atoi(argv[3]) : 3;
    if (targets < 1 || runs < 1 || build_runs < 1) {
        std::fprintf(stderr, "usage: bench_gravik [targets] [runs] [build runs]\n");
        return 2;
    }
    const std::string dir = BENCH_DIR;
    os_system("rm -rf '" + dir + "' && mkdir -p '" + dir + "'");
    generate(dir, targets);

    std::printf("no-op run of a makefile with %d up-to-date targets, %d runs each\n", targets, runs);
    const std::string gravik = "cd '" + dir + "' && '" + GRAVIK_PATH + "' >/dev/null 2>&1";
    const std::string gnu = "cd '" + dir + "' && make -r -f gnu.mk >/dev/null 2>&1";
    if (os_system("make --version >/dev/null 2>&1") != 0) {
        std::printf("GNU make not found: no comparison\n");
        time_run(gravik); // the first run only warms the caches
        std::vector<double> own;
        for (int r = 0; r < runs; ++r)
            own.push_back(time_run(gravik));
        report("gravik", own);
        return 0;
    }
    // The two take turns, so that a busy machine slows both alike.
    time_run(gravik); // the first runs only warm the caches
    time_run(gnu);
    std::vector<double> own, theirs;
    for (int r = 0; r < runs; ++r) {
        own.push_back(time_run(gravik));
        theirs.push_back(time_run(gnu));
    }
    report("gravik", own);
    report("GNU make", theirs);
    double ratio = median(own) / median(theirs);
    std::printf("gravik / GNU make -r: %.2f (goal: at most GNU make -r's time, in the same run: %s)\n",
                ratio, ratio <= 1.0 ? "met" : "not met");
    for (int sources : {200, 2000})
        full_builds(dir + "-build", sources, build_runs);
    return 0;
}
