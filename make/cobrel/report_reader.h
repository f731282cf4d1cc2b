// report_reader: fills the make model from the make report that the make
// tool writes into "error.out" when it runs with -f, -a and -e on a
// makefile: its root targets, sources, macros and comments.
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"

#include <string>
#include <vector>

// Resets the error count, sets makefile_path (trimmed) and reads "error.out"
// in the makefile's folder into the model, which the caller has reset.
// Lines are taken whole; macros the model does not use (the environment,
// the tools' names), lines that are no report lines and a source the model
// holds already (same_make_file) are passed over. A compiler option given
// twice counts with its last place.
// Reading stops at the first line the wizard cannot represent, keeping
// what was read; check_model runs at the end. Returns the error count (-1
// after the fatal "Can't read '%s'").
int read_make_report(make_model& model, const std::string& makefile_path, wiz_messages& messages);

// The same on report lines already read.
int read_make_report_lines(make_model& model, const std::vector<std::string>& lines,
                           wiz_messages& messages);
