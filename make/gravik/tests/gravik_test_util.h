// Helpers of the make tool's tests: a fresh folder per test, files with set
// times, and runs of the real program with its outputs collected.
#pragma once

#include "testing/kit/test_kit.h"

#include <cstdint>
#include <string>
#include <vector>

// A new empty folder below the test's temporary folder, as the test sees it.
std::string scratch_dir(const std::string& name);
// A fresh folder named after the running test (and "sub" below it).
std::string test_dir(const std::string& sub = std::string());


// Sets a file's time to a fixed point plus "seconds".
void set_age(const std::string& path, int seconds);
int64_t file_time(const std::string& path);

struct gravik_run {
    int code;
    std::string out;       // standard output
    std::string err;       // standard error
    std::string error_out; // "error.out" in the folder, when one was written
};

// Runs the program (gravik, or another given by path) in "dir" with the
// arguments (already quoted as needed).
gravik_run run_gravik(const std::string& dir, const std::string& args,
                      const std::string& program = std::string());

// The test helper program's path, as makefiles name it.
std::string tool_path(void);
std::string gravik_path(void);

// Lines of a text, line ends (LF or CR LF) removed.
std::vector<std::string> lines_of(const std::string& text);
