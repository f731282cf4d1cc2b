// Helpers of the linker tests: a scratch folder per test, object texts
// written with CR LF line ends, and one link run in the test process with
// its messages read back from "error.out".
#pragma once

#include "test_paths.h"

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
void write_text(const std::string& path, const std::string& text);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
void make_folder(const std::string& path);

// Lines of a minimal object named name (header lines, then body, then
// "objectend").
std::vector<std::string> object_lines(const std::string& name, const std::vector<std::string>& body);
void write_object(const std::string& name, const std::vector<std::string>& body);

// Runs the linker with "-e" first and then args, in the current folder.
link_result run_link(const std::vector<std::string>& args);

// Text with the CR of each CR LF removed.
std::string lf(const std::string& crlf);
// Bytes from a list of values.
std::string b(std::initializer_list<int> values);

// Path of a file under the source tree (for golden files and examples).
std::string source_path(const std::string& relative);
