// Test support for the converters: runs a program as its own process in a
// chosen folder with its standard output and error captured, and small file
// helpers. Paths are build paths; under Wine they are passed on as Z: paths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// An empty folder (made anew).
std::string fresh_dir(const std::string& path);

void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);

// Line ends as the programs write text files and consoles on this system.
std::string native_text(const std::string& lf_text);

// The text with CR LF line ends: the form of every generated text file.
std::string crlf_text(const std::string& lf_text);
