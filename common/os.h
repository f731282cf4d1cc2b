// os: the two operating-system services that portable code needs: starting a
// program and waiting for its exit code, and a file's modification time.
// One POSIX and one Win32 implementation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Result of starting a process.
enum os_run_status {
    OS_RUN_OK = 0,        // started and waited for; *exit_code holds its code
    OS_RUN_NOT_STARTED,   // the program could not be started (not found, ...)
};

// Starts argv[0] (searched on the path as the system does) with the given
// arguments, waits without a time limit and stores the exit code.
os_run_status os_run(const std::vector<std::string>& argv, int* exit_code);

// Starts a whole command line as one process: its first word names the
// program, words are split at blanks and double quotes group words as the
// Windows command line does. Waits and stores the exit code.
os_run_status os_run_command_line(const std::string& command_line, int* exit_code);

// Runs a command line through the system's command interpreter; returns its
// result (0 for success).
int os_system(const std::string& command_line);

// Splits a command line into words the way Windows programs split theirs:
// blanks separate, "..." groups, \" is a quote, backslashes before a quote
// halve. Used by the POSIX implementation and by tests.
std::vector<std::string> os_split_command_line(const std::string& command_line);

// Joins words into a command line that os_split_command_line (and a Windows
// program's start-up code) splits back into the same words.
std::string os_join_command_line(const std::vector<std::string>& argv);

enum os_time_status {
    OS_TIME_OK = 0,
    OS_TIME_MISSING,      // the file does not exist or cannot be opened
    OS_TIME_UNREADABLE,   // it exists but its time cannot be read
};

// Last-write time of a file in nanoseconds since 1970 (resolution is the file
// system's). Only comparisons between such values are meaningful.
os_time_status os_file_time(const std::string& path, int64_t* time);

// Sets a file's last-write time (used by tests and tools that touch files).
bool os_set_file_time(const std::string& path, int64_t time);
