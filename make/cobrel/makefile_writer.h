// makefile_writer: the makefile the wizard writes for the make tool. It has
// no commands: the built-in rules complete every rule and read the macros
// written here.
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"

#include <string>

// The makefile's text, lines ending in "\n".
std::string make_file_text(const make_model& model);

// Writes the text to makefile_path through a temporary and a rename.
// Returns the error count ("No Filename for MAKE-File!", "Can't open
// MAKE-File '%s'!!!" when it cannot be written; the old file then stays).
int write_make_file(const make_model& model, wiz_messages& messages);
