// pexor: converts a binary image written by the linker (image bytes, then
// the 32-bit big-endian load address) into an OMF-51 object file, with a
// debug text file and line-number records when the listing lies beside it.
#pragma once

#include <string>

// The whole program: command line in, exit code out (0, 1, or -1 after an
// internal error).
int pexor_main(int argc, char** argv);

// Module name of an input path: the file name without folders, up to its
// first '.' or control character, upper-cased, at most 32 characters.
std::string pexor_module_name(const std::string& input);
