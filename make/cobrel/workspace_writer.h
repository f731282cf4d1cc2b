// workspace_writer: the editor's workspace for a makefile, made from the
// template "ovanta_tmp.dat" beside the program. Template lines are copied;
// a line whose last '@' is followed by 1, 2 or 3 has that marker and the
// rest of the line replaced by the makefile's path, the make tool's path,
// or the makefile's folder with the target's name and " $PATH". The
// sources follow as the open-file entries of the template's last section.
#pragma once

#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_messages.h"

#include <string>
#include <vector>

// Name of the template file in the program's folder.
extern const char* const workspace_template_name;

// The workspace's text, lines ending in "\n". A template line with another
// marker is reported ("Illegal line: '%s' ignored") and left out.
std::string workspace_text(const make_model& model, const std::vector<std::string>& template_lines,
                           const std::string& program_dir, wiz_messages& messages);

// Writes the workspace beside the makefile, asking before it replaces an
// existing one, through a temporary and a rename; tells the user when it
// is written. Returns 0 when written, -1 when not (each reason shown).
int write_workspace(const make_model& model, const std::string& program_dir,
                    wiz_messages& messages);
