// test_kit: what the suite's tests share: build paths as a test program sees
// them (under Wine the Linux file system is drive Z:), fresh folders, whole
// files read and written, and runs of a program of the build in a chosen
// folder with its output and exit code captured.
//
// Paths given to these helpers may be build paths or host paths alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A build path as the test program sees it: unchanged natively, "Z:\..."
// with '\' separators in a Windows test.
std::string host_path(const std::string& build_path);

// An empty folder (made anew); returns the path as given.
std::string fresh_dir(const std::string& path);

#ifdef TEST_TMP_DIR
// A fresh folder below the test's own temporary folder (TEST_TMP_DIR, set by
// suite_test for every test).
inline std::string test_folder(const std::string& name)
{
    return fresh_dir(std::string(TEST_TMP_DIR) + "/" + name);
}
#endif

// Writes the bytes as the whole file; false when it could not be written.
bool write_file(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
// Makes a folder and every folder above it that is missing, keeping what is
// there; true when the folder is there afterwards.
bool make_dirs(const std::string& path);
// Copies a file over any file of the name; false on failure.
bool copy_file_to(const std::string& from, const std::string& to);

// Every file below dir whose name ends in one of the suffixes, depth first
// with each folder's names in byte order, so that runs see the same order.
std::vector<std::string> files_below(const std::string& dir, const std::vector<std::string>& suffixes);

// Polls (every poll_ms) until the condition holds or timeout_ms have passed;
// the condition's value at the end. What a test waits for (a program's
// window, a board's answer, a worker's result) comes in its own time, more
// slowly while other tests run beside it: tests poll, never sleep alone.
bool wait_until(const std::function<bool()>& condition, int timeout_ms, int poll_ms = 10);

// Line ends as the programs write consoles on this system.
std::string native_text(const std::string& lf_text);
// The text with CR LF line ends: the form of every generated text file.
std::string crlf_text(const std::string& lf_text);
// The text without any CR.
std::string without_cr(const std::string& text);

struct run_result {
    bool started = false;
    int code = 0;     // exit code as the program returned it (-1 stays -1)
    std::string out;  // standard output, as bytes
    std::string err;  // standard error, as bytes
};

// Runs program with the arguments in folder cwd; argv[0] is the program's
// host path, as host_program_path returns it.
run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::string& cwd);

// Runs a program that must succeed: true when it started and returned 0;
// otherwise *report tells the command and what the program printed.
bool run_succeeds(const std::string& program, const std::vector<std::string>& args,
                  const std::string& cwd, std::string* report);

// The program path as the program itself sees it in argv[0].
std::string host_program_path(const std::string& program);
