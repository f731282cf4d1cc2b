// driver: the command line of the linker ("@" argument files, options), the
// link phases in their fixed order and the output writers.
#pragma once

#include <string>
#include <vector>

namespace tessel {

// Rebuilds the argument vector with the words of "@" argument files.
std::vector<std::string> expand_arguments(int argc, char** argv);

// Called after each link phase with its name (benchmarks time the phases).
extern void (*link_phase_hook)(const char* phase);

// The pieces of a run, for callers that build the list of objects
// themselves (benchmarks): a fresh start, the files to link (as on the
// command line), then the link phases and outputs with the options set.
void link_start(void);
void add_object_file(const std::string& arg);
void add_library(const std::string& text);
int link_run(void);

// Runs one link; returns the exit code of a complete run (fatal messages end
// the run through diag_exit).
int tessel_main(int argc, char** argv);

} // namespace tessel
