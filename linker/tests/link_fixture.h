// Helpers of the linker tests: a scratch folder per test, object texts
// written with CR LF line ends, and one link run in the test process with
// its messages read back from "error.out".
#pragma once

#include "testing/kit/test_kit.h"

#include <initializer_list>
#include <string>
#include <vector>

struct link_result {
    int code;               // exit code: 0 complete, 2 stopped
    std::string messages;   // what the run appended to error.out
    std::string console;    // what it wrote to standard error (before -e)
};

// Makes an empty scratch folder for the running test and changes into it.
std::string enter_scratch_folder(void);

// Writes lines, each ended by CR LF.
void write_lines(const std::string& path, const std::vector<std::string>& lines);
void make_folder(const std::string& path);

// Lines of a minimal object named name (header lines, then body, then
// "objectend").
std::vector<std::string> object_lines(const std::string& name, const std::vector<std::string>& body);
void write_object(const std::string& name, const std::vector<std::string>& body);

// Runs the linker with "-e" first and then args, in the current folder.
link_result run_link(const std::vector<std::string>& args);

// Bytes from a list of values.
std::string b(std::initializer_list<int> values);

// Path of a file under the source tree (for golden files and examples).
std::string source_path(const std::string& relative);
