// engine: completes rules from the implicit rules, walks the dependency
// tree of a target depth first, compares file times and runs the commands
// of every rule whose target is out of date, one process at a time.
#pragma once

#include "make/gravik/makefile.h"

#include <string>

namespace gravik {

// Longest dependency chain walked.
const int depth_limit = 30;

// Gives rules without commands those of the implicit rule for their
// extensions; run once after reading.
void bind_implicit_rules(void);

// Makes one rule; returns the number of dirty dependencies found.
int make_target(explicit_rule* rule);

// Makes the named target, or without a name the first rule of the
// makefile; reports when it was up to date.
void make_final_target(const std::string* name);

// Expands and runs one command of a rule; returns its exit code (0 with -n).
int run_command(explicit_rule* rule, const std::string& command);

// Runs a rule's commands in order; 0, or -1 after the first failure.
int execute_rule(explicit_rule* rule);

// The directory gravik itself lives in: programs found there are started
// before those on the search path, as Windows does for a program's own
// directory.
void engine_set_program_dir(const std::string& dir);

// Resets the walk state (start of a run).
void engine_reset(void);

} // namespace gravik
