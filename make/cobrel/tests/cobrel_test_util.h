// Helpers of the wizard's tests: a message sink that records what it is
// shown and answers questions from a script, fresh folders, files, and runs
// of the real make tool that leave its report in "error.out".
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"
#include "testing/kit/test_kit.h"

#include <deque>
#include <string>
#include <vector>

struct shown_message {
    wiz_level level;
    std::string title;
    std::string text;
};

class recording_sink : public wiz_sink {
public:
    void show(wiz_level level, const std::string& title, const std::string& text) override;
    bool ask(const std::string& title, const std::string& text) override;

    std::vector<shown_message> shown;
    std::vector<std::string> questions;  // "title: text"
    std::deque<bool> answers;            // a question without an answer is a test failure
    // The texts shown at one level, in order.
    std::vector<std::string> texts(wiz_level level) const;
};

// A fresh empty folder named after the running test (plus a suffix).
std::string test_dir(const std::string& suffix = std::string());
std::string join_path(const std::string& dir, const std::string& name);
std::string golden_path(const std::string& name);

// Sets the variables a user's environment typically holds, and some that
// stretch the report: a long search path, quotes, '$', bytes above 127,
// a value with a line end. Once per test program.
void set_realistic_environment(void);

// Runs the make tool (or a copy of it, by path) with -f, -a and -e on a
// makefile; returns its exit code (-1 when it did not start).
int run_make_report(const std::string& makefile_path, const std::string& gravik = std::string());
std::string gravik_path(void);

// Builds with the make tool in the folder, from the makefile of that name,
// with the suite's own assembler and linker; returns its exit code.
int run_make(const std::string& dir, const std::string& makefile_name);

// Writes the makefile text into the folder, has the make tool report on it,
// and reads the report into a fresh model.
int read_through_gravik(const std::string& dir, const std::string& makefile_text,
                        make_model& model, wiz_messages& messages,
                        const std::string& name = "project.mak");
