// driver: the make tool's entry point: options, error file, macro sources
// in their order, the make report of list mode, and the exit handler.
#pragma once

namespace gravik {

// Runs the make tool; returns the process exit code (fatal messages end
// the process themselves).
int gravik_main(int argc, char** argv);

} // namespace gravik
