// project_actions: what the wizard's buttons do to the model beyond moving
// values: starting a new makefile, loading one through the make tool's
// report, choosing the target, and saving makefile and workspace. Questions
// about unsaved changes, file dialogs and the current folder stay with the
// form.
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"

#include <functional>
#include <string>

// Runs a command line and waits for it; returns its exit code, or -1 when
// it could not be started (after telling the user "Failed to create
// Process '%s'"). The window program runs it hidden.
typedef std::function<int(const std::string& command_line)> wiz_runner;

// True when the name ends in ".mak" (without regard to case).
bool is_makefile_name(const std::string& path);

// A new makefile at the path: the model reset, the path set, the comment
// block of a new makefile, nothing changed yet and nothing written.
void start_new_makefile(make_model& model, const std::string& path);

// Loads a makefile: checks its name ("Invalid MAKE-Filename '%s'"), has the
// make tool report on it ("Error returned from '%s'\n" with the command
// when that fails; the model then stays as it was), resets the model and
// reads the report ("Can't process '%s'\n" when that gives errors). Returns
// true when the model holds the makefile without errors.
bool load_makefile(make_model& model, const std::string& path, const std::string& program_dir,
                   const wiz_runner& run, wiz_messages& messages);

// Takes a target box item as the target; false (nothing changed) for an
// empty text or the current target in any letter case.
bool select_target(make_model& model, const std::string& text);

// Saves what the form shows (after form_to_model): the error count starts
// anew, the model is checked (check_make_syntax, then check_model), the
// sources are dated now so that everything is made again, the makefile is
// written ("MAKE-File '%s' not written" when it is not) and, when asked, the
// workspace. True when the makefile was
// written; dirty is then cleared.
bool save_project(make_model& model, const std::string& program_dir, bool with_workspace,
                  wiz_messages& messages);
