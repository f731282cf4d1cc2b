// hidden_process: runs a console tool with its window hidden and waits for
// its end, with the wait cursor shown meanwhile.
#pragma once

#include "make/cobrel/wiz_messages.h"

#include <string>

// The tool's exit code, or -1 when it could not be started (after the
// error "Failed to create Process '%s'"). A run started while another one
// is waiting is an internal fault: fatal "SYSTEM1".
int run_hidden_process(const std::string& command_line, wiz_messages& messages);
