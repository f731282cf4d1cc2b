// make_command: the command line with which Yantel starts the make tool,
// and the target names it reads back from the tool's report.
#pragma once

#include <string>
#include <vector>

// tool " -e -f"makefile, then " "option when one is given, then " "target
// when one is given. A part holding a blank is put in double quotes so that
// the tool receives it as one argument (for the makefile inside the option:
// -f"C:\my dir\app.mak"); other parts stand as they are:
//   C:\suite\bin\gravik.exe -e -fC:\p\app.mak -b main.hex
std::string make_command_line(const std::string& tool, const std::string& makefile,
                              const std::string& option, const std::string& target);

// The target names of the report lines in a text (the contents of
// "error.out"): every line that begins with "Target: '" names a target up
// to the next "'"; a line without that closing quote names none. Lines of
// any length are taken whole; CR LF and LF line ends both work.
std::vector<std::string> make_report_targets(const std::string& text);
