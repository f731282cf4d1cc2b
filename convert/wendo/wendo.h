// wendo: prints a file as a hex dump, or with -a as plain text lines, on
// standard output.
#pragma once

// The whole program: command line in, exit code out (0, or -1 when the file
// cannot be opened).
int wendo_main(int argc, char** argv);
