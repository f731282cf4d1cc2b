// Sources and links for the debugger's tests, made by the suite's own
// assembler and linker: the example project linked for the board's RAM,
// and a small program whose local data segments are overlaid.
#pragma once

#include <string>
#include <vector>

// Assembles the sources and links them at $8000 into <folder>/<name>.bin
// with its listing; false (with the tools' output in *report) on failure.
bool link_program(const std::string& folder, const std::string& name,
                  const std::vector<std::string>& sources, std::string* report);

// Copies the example project's sources into the folder and links main.bin
// and main.lst; false on failure.
bool build_demo(const std::string& folder, std::string* report);

// Writes hll.s51 (with its C source hll.c echoed into the listing through
// ".line") into the folder and links hll.bin and hll.lst. Its labels
// "first_target" and "second_target" stand far down the listing; in the
// listing they are renamed to long_label("first") and long_label("second"),
// names longer than the assembler takes, as other tools write them.
bool build_hll(const std::string& folder, std::string* report);
// A name of more than a hundred characters ending in "_<end>".
std::string long_label(const std::string& end);

// Writes ovl.s51 (two routines whose data share memory) into the folder and
// links ovl.bin and ovl.lst; false on failure.
bool build_overlaid(const std::string& folder, std::string* report);
