// Scripted answers from a file, for tests that run a whole program: when the
// environment variable WINUI_SCRIPT names a file, its lines answer the
// program's message boxes, modal dialogs and common dialogs in order (one
// queue per kind), through the same hooks the unit tests set. When
// WINUI_SCRIPT_LOG names a file, every answered box or dialog appends a line
// to it, so that a test can read what the program asked.
//
// One answer a line; blank lines and lines starting with # are skipped.
// Texts with blanks are written in double quotes; inside them \" is a quote
// and \\ a backslash, any other backslash stands for itself.
//   box <answer>                ok cancel yes no abort retry ignore, or a number
//   dialog <button> <step>...   button: ok, cancel, a control id, or wait (press
//                               nothing: the dialog closes by itself); steps:
//       set <id> <text>  check <id> <0|1|2>  select <id> <text>  click <id>
//   open <path> | open cancel   save <path> | save cancel
//   folder <path> | folder cancel
//   colour <red> <green> <blue> | colour cancel
//   font <face> <height> [bold] [italic] | font cancel
//   print [<from> <to>] | print cancel      printsetup ok | printsetup cancel
//
// A box with no answer left takes its default (first) button; a dialog with
// no answer left is cancelled. Log lines:
//   box "<caption>" "<text>" <answer>
//   dialog <template id> "<caption>" <button>
//   <kind> <answer as in the script>           (common dialogs)
#pragma once

#include <string>
#include <vector>

namespace winui {

// Reads the file named by WINUI_SCRIPT once per process and sets the hooks;
// later calls do nothing. Called by the framework before each box or dialog.
void LoadScriptFromEnvironment();

// Splits a script line into words; a quoted text is one word.
std::vector<std::string> SplitScriptLine(const std::string& line);

// Appends a line to the WINUI_SCRIPT_LOG file, if any.
void LogScriptAnswer(const std::string& line);

// A text in double quotes with \" and \\ escaped, as the log writes it.
std::string QuoteScriptText(const std::string& text);

} // namespace winui
