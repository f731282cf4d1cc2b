// driver: the driver of Morrin: command line, listing file,
// assembly of the command-line statements and the source file, end-of-pass
// checks, object file, exit code.
#pragma once

#include <string>

namespace morrin {

// Runs the assembler; returns the exit code (fatal messages end the process
// through diag_exit).
int morrin_main(int argc, char** argv);

// Clears every module's state (for tests that assemble several times).
void asm_reset(void);

// Checks at the end of the pass: an empty source, undefined labels.
void end_of_pass_checks(void);

// File names derived from the source name: everything from the last '.' of
// the base name replaced by the extension (appended when there is none).
std::string replace_extension(const std::string& name, const char* ext);

} // namespace morrin
