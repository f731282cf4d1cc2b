// Diagnostic line parsing: where a line of an output pane points to.
//
// Lines of the "Search results" and "Tags" panes have one fixed form,
// file(line,column): text. Lines of the "Output" pane are read in the
// message format the current tool names; fifteen formats are known. The
// parser only reads text: it says which file (or the active document), which
// line and column, and what the pane should do; finding or opening the
// document and moving its caret is the caller's work (diag_target.h).
//
// The pane text is the output control's text: lines ended by CR (an LF is
// taken as a line end too), tabs followed by fill bytes 0x01. No scan ever
// reads beyond the end of the clicked line, except where a format reads
// other lines of the pane on purpose ("Default" its first line, "TASKING"
// the lines above and its header).
#pragma once

#include <string>
#include <string_view>

namespace diag {

enum class Format {
    kNone = -1, // "None", "unbekannt" and every other name: no parsing
    kDefault,
    kKeilC,
    kMicrotecPPC,
    kEmacs,
    kHPC,
    kMSC,
    kGNU166,
    kViewLogic,
    kBorland,
    kMotorolaDSP,
    kLCCWin32,
    kCADUL,
    kTasking,
    kPCLint,
    kMitsubishi,
};

// The format of a name, compared exactly ("Keil C", "MS C/C++", ...).
Format FormatFromName(std::string_view name);
// The name of a known format ("" for kNone).
const char* FormatName(Format format);

// What a double click on the line does.
enum class Action {
    kNothing,   // a piece is missing: nothing happens
    kFocusPane, // the line names no usable line number: the pane takes the focus
    kJump,      // go to the target
};

// How the document of a target is found.
enum class Lookup {
    kByName,       // an open document by file name; when none, open the name
                   // and look it up again by full path
    kByNameNoOpen, // an open document by file name; never opened
    kByFullPath,   // an open document by full path; when none, open it
    kActive,       // the active document (file stays empty)
};

struct Target {
    Action action = Action::kNothing;
    Lookup lookup = Lookup::kByName;
    std::string file;
    int line = 0;       // 1-based; 0 when the line names none
    int column = 0;     // 0-based; -1 when the line names column 0
    int length = -1;    // selection length; -1: the whole target line
};

// The line of the pane text that holds offset (without its line end), and
// the offset of its start.
std::string_view LineAt(std::string_view pane, size_t offset, size_t* lineStart = nullptr);

// A line of the "Output" pane, clicked at offset, read in the format.
Target ParseOutputLine(Format format, std::string_view pane, size_t offset);

// A line of the "Search results" pane (searchResults true) or the "Tags"
// pane; searchLength is the length of the pane's search text.
Target ParseResultLine(std::string_view line, bool searchResults, int searchLength);

// Reads a decimal number from the start of text (leading digits count;
// none gives 0); a number beyond the int range stays at its largest value.
int ReadNumber(std::string_view text);

} // namespace diag
