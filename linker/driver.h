// driver: the command line of the linker ("@" argument files, options), the
// link phases in their fixed order and the output writers.
#pragma once

#include <string>
#include <vector>

// Rebuilds the argument vector with the words of "@" argument files.
std::vector<std::string> expand_arguments(int argc, char** argv);

// Runs one link; returns the exit code of a complete run (fatal messages end
// the run through link_exit).
int tessel_main(int argc, char** argv);
