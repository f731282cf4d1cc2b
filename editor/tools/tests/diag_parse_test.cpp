// The fifteen message formats and the search and tag lines, as tables of
// lines and the place each one names.
#include "editor/tools/diag_parse.h"

#include <gtest/gtest.h>

#include <string>

using diag::Action;
using diag::Format;
using diag::Lookup;

namespace {

struct Case {
    const char* format;
    const char* line;
    Action action;
    const char* file;
    int line_number;
    Lookup lookup;
};

const Action J = Action::kJump;
const Action F = Action::kFocusPane;
const Action N = Action::kNothing;
const Lookup byName = Lookup::kByName;
const Lookup noOpen = Lookup::kByNameNoOpen;
const Lookup active = Lookup::kActive;

// A pane whose first line is the command line the runner writes.
const char kCommand[] = "c:\\tools\\cc.exe main.c -x\r\r";

const Case kCases[] = {
    // Default: the file is the command line's second word.
    {"Default", "main.c line 17: undefined", J, "main.c", 17, noOpen},
    {"Default", "Error in LINE  42", J, "main.c", 42, noOpen},
    {"Default", "no number here", F, "", 0, noOpen},
    {"Default", "at the end: line", F, "", 0, noOpen},
    // Keil C
    {"Keil C", "*** ERROR C202 IN LINE 27 OF .\\SRC\\MAIN.C: 'x': undefined", J, "MAIN.C", 27, byName},
    {"Keil C", "*** WARNING IN line 9 OF c:\\src\\util.c: unused", J, "c:\\src\\util.c", 9, byName},
    {"Keil C", "*** ERROR OF main.c", F, "", 0, byName},
    {"Keil C", "*** ERROR LINE 5", N, "", 0, byName},
    // past the end: the name runs to the line end and no further
    {"Keil C", "LINE 3 OF tail.c", J, "tail.c", 3, byName},
    {"Keil C", "LINE 3 OF ", N, "", 0, byName},
    // Microtec PPC
    {"Microtec PPC", "\"main.c\", line 88: error", J, "main.c", 88, byName},
    {"Microtec PPC", "\".\\obj\\x.s\" 12 bad", J, "x.s", 12, byName},
    {"Microtec PPC", "\"main.c\", no line", F, "", 0, byName},
    {"Microtec PPC", "\"unclosed 12", N, "", 0, byName},
    // EMACS
    {"EMACS", "d:\\prj\\x.asm:33: bad operand", J, "d:\\prj\\x.asm", 33, byName},
    {"EMACS", "x.asm:7: text", J, "x.asm", 7, byName},
    {"EMACS", "x.asm:7 no second colon", N, "", 0, byName},
    // HPC (+5 past the end)
    {"HPC", "\"io.c\", line 19: bad", J, "io.c", 19, byName},
    {"HPC", "\"io.c\" LINE 4: bad", J, "io.c", 4, byName},
    {"HPC", "\"io.c\" line", N, "", 0, byName},
    {"HPC", "\"io.c\" lin", N, "", 0, byName},
    {"HPC", "\"io.c\" line 3 no colon", N, "", 0, byName},
    {"HPC", "\"io.c line 3:", N, "", 0, byName},
    // MS C/C++
    {"MS C/C++", "c:\\src\\main.c(120) : error C2065", J, "c:\\src\\main.c", 120, byName},
    {"MS C/C++", "main.c(120", N, "", 0, byName},
    {"MS C/C++", "no parenthesis", N, "", 0, byName},
    // GNU166
    {"GNU166", "C:\\work\\a.c:15: warning: unused", J, "C:\\work\\a.c", 15, byName},
    {"GNU166", "a.c:15:3: error: x", J, "a.c", 15, byName},
    {"GNU166", "a.c:12345678: too long", N, "", 0, byName},
    {"GNU166", "a.c:1234567: seven", J, "a.c", 1234567, byName},
    {"GNU166", "a.c no colon", N, "", 0, byName},
    {"GNU166", "C:\\a.c", N, "", 0, byName},
    // ViewLogic (+5 past the end)
    {"ViewLogic", "error at line 12 of the netlist", J, "", 12, active},
    {"ViewLogic", "ERROR LINE:  7", J, "", 7, active},
    {"ViewLogic", "no such word", N, "", 0, active},
    {"ViewLogic", "at LINE", F, "", 0, active},
    {"ViewLogic", "at LINE1", F, "", 0, active}, // the digit lies within the 5 skipped
    // Borland
    {"Borland", "Error E2451 test.c 12: Undefined symbol", J, "test.c", 12, byName},
    {"Borland", "Warning W8004 C:\\src\\a_b.c 7: x", J, "a_b.c", 7, byName},
    {"Borland", "Error test.c 12 : spaced", J, "test.c", 12, byName},
    {"Borland", "Error: ref.a51 3: unresolved", J, "ref.a51", 3, byName},
    {"Borland", "Warning: no line", N, "", 0, byName},
    {"Borland", "no colon", N, "", 0, byName},
    {"Borland", ": leading", N, "", 0, byName},
    // Motorola DSP
    {"Motorola DSP", "**** 14 [fir.asm 31]: bad", J, "fir.asm", 31, byName},
    {"Motorola DSP", "no bracket", N, "", 0, byName},
    // LCCWin32
    {"LCCWin32", "Error test.c: 23  undeclared identifier", J, "test.c", 23, byName},
    {"LCCWin32", "Warning x_1.c: 5 unused", J, "x_1.c", 5, byName},
    {"LCCWin32", "Error without colon", N, "", 0, byName},
    {"LCCWin32", "Note a.c: 3", N, "", 0, byName},
    // CADUL (past the end: no second colon)
    {"CADUL", "E 123: main.c: 45: syntax", J, "main.c", 45, byName},
    {"CADUL", "E 123: main.c", N, "", 0, byName},
    {"CADUL", "no colon at all", N, "", 0, byName},
    // Mitsubishi (past the end: no comma, no blank)
    {"Mitsubishi", "[Error(ccom):\tsrc.c, line 31] bad", J, "src.c", 31, byName},
    {"Mitsubishi", "[Warning(ccom):src.c,line 7] x", J, "src.c", 7, byName},
    {"Mitsubishi", "[Error(ccom): src.c, no number", N, "", 0, byName},
    {"Mitsubishi", "[Error(ccom): src.c line 31", N, "", 0, byName},
    {"Mitsubishi", "[Error(ccom): src.c,", N, "", 0, byName},
    {"Mitsubishi", "[Error(ccom): src.c,line", N, "", 0, byName},
    {"Mitsubishi", "no colon", N, "", 0, byName},
    // PC-Lint (past the end: no ")" after "file ", no digit)
    {"PC-Lint", "x.c  Warning 123: bad (line 40, file util.c)", J, "util.c", 40, byName},
    {"PC-Lint", "main.c(14) : Error 10: Expecting ';'", J, "main.c", 14, byName},
    {"PC-Lint", "--- Module: x *** LINT:   pcb.c( 9) Info", J, "pcb.c", 9, byName},
    {"PC-Lint", "Info (line 40, file util.c", N, "", 0, byName},
    {"PC-Lint", "Info (no digits here)", N, "", 0, byName},
    {"PC-Lint", "Info (line 40, util.c)", N, "", 0, byName},
    {"PC-Lint", "no parenthesis 12", N, "", 0, byName},
    // Unknown names parse nothing.
    {"None", "main.c(12): x", N, "", 0, byName},
    {"unbekannt", "main.c(12): x", N, "", 0, byName},
};

} // namespace

TEST(DiagParse, EachFormatReadsItsLines)
{
    for (const Case& c : kCases) {
        std::string pane = std::string(kCommand) + c.line + "\rnext line\r";
        size_t offset = std::string(kCommand).size() + 2;
        diag::Target t = diag::ParseOutputLine(diag::FormatFromName(c.format), pane, offset);
        SCOPED_TRACE(std::string(c.format) + ": " + c.line);
        EXPECT_EQ(t.action, c.action);
        if (c.action != Action::kJump)
            continue;
        EXPECT_EQ(t.file, c.file);
        EXPECT_EQ(t.line, c.line_number);
        EXPECT_EQ(t.lookup, c.lookup);
        EXPECT_EQ(t.column, 0);
        EXPECT_EQ(t.length, -1); // the whole target line
    }
}

TEST(DiagParse, ScansStopAtTheLineEnd)
{
    // The line after the clicked one holds what the scans look for: none of
    // it may be taken.
    const char* const lines[][2] = {
        {"Keil C", "LINE 3 OF "},
        {"CADUL", "E: main.c"},
        {"Mitsubishi", "x: src.c"},
        {"PC-Lint", "Info (line 4, file "},
        {"HPC", "\"io.c\" line"},
        {"ViewLogic", "LINE"},
        {"EMACS", "x.asm:7"},
        {"MS C/C++", "main.c(1"},
    };
    for (const auto& l : lines) {
        std::string pane = std::string(kCommand) + l[1] + "\r2: 77, x.c: 5) 9 line 8: ]\r";
        diag::Target t =
            diag::ParseOutputLine(diag::FormatFromName(l[0]), pane, std::string(kCommand).size());
        SCOPED_TRACE(l[0]);
        EXPECT_NE(t.action, Action::kJump);
    }
}

TEST(DiagParse, LineAtFindsTheClickedLine)
{
    std::string pane = "one\rtwo\r\rthree";
    size_t start = 99;
    EXPECT_EQ(diag::LineAt(pane, 5, &start), "two");
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(diag::LineAt(pane, 8), "");
    EXPECT_EQ(diag::LineAt(pane, pane.size()), "three");
    EXPECT_EQ(diag::LineAt(pane, 1000), "three");
    EXPECT_EQ(diag::LineAt("a\r\nb", 3), "b");
    // An empty line does nothing.
    EXPECT_EQ(diag::ParseOutputLine(Format::kMSC, "a(1)\r\r", 5).action, Action::kNothing);
}

TEST(DiagParse, NumbersAreReadFromTheStart)
{
    EXPECT_EQ(diag::ReadNumber("12abc"), 12);
    EXPECT_EQ(diag::ReadNumber(" 12"), 0);
    EXPECT_EQ(diag::ReadNumber(""), 0);
    // A run far longer than any number stays at the largest value.
    EXPECT_EQ(diag::ReadNumber(std::string(200, '9')), 2147483647);
    std::string pane = std::string(kCommand) + "a.c(" + std::string(100, '7') + "): x\r";
    diag::Target t = diag::ParseOutputLine(Format::kMSC, pane, std::string(kCommand).size());
    EXPECT_EQ(t.line, 2147483647);
}

TEST(DiagParse, LongNamesAreKeptWhole)
{
    std::string name(40000, 'n');
    std::string pane = std::string(kCommand) + name + "(3): x\r";
    diag::Target t = diag::ParseOutputLine(Format::kMSC, pane, std::string(kCommand).size());
    EXPECT_EQ(t.file, name);
    EXPECT_EQ(t.line, 3);
}

TEST(DiagParse, TaskingTakesTheSourceLineAboveAndTheFileFromTheHeader)
{
    const std::string pane =
        "cc51 main.c\r\r"
        "TASKING 8051 C compiler\r"
        "listing of\r"
        "main.c:\r"
        " header end\r"
        "  17  x = y;\r"
        "E 200: undeclared 'y'\r"
        "W 530: unused\r";
    size_t click = pane.find("W 530");
    diag::Target t = diag::ParseOutputLine(Format::kTasking, pane, click);
    EXPECT_EQ(t.action, Action::kJump);
    EXPECT_EQ(t.file, "main.c");
    EXPECT_EQ(t.line, 17);
    EXPECT_EQ(t.lookup, Lookup::kByName);

    // Without the header the active document is meant.
    const std::string plain = "cc51 main.c\r\t\x01\x01" "23 a = 1;\rE 1: bad\r";
    t = diag::ParseOutputLine(Format::kTasking, plain, plain.find("E 1"));
    EXPECT_EQ(t.action, Action::kJump);
    EXPECT_EQ(t.lookup, Lookup::kActive);
    EXPECT_EQ(t.line, 23);

    // Message lines up to the pane's first line: nothing.
    const std::string top = "E first\rE 1: bad\r";
    EXPECT_EQ(diag::ParseOutputLine(Format::kTasking, top, 9).action, Action::kNothing);
    // The header at the very end of the pane: nothing, no read past it.
    const std::string tail = "cc\r 5 x\rE 1\rTASKING";
    EXPECT_EQ(diag::ParseOutputLine(Format::kTasking, tail, 8).action, Action::kNothing);
    const std::string tail2 = "cc\r 5 x\rE 1\rTASKING 8051\rname:\rnext";
    EXPECT_EQ(diag::ParseOutputLine(Format::kTasking, tail2, 8).action, Action::kNothing);
}

TEST(DiagParse, SearchAndTagLines)
{
    struct ResultCase {
        const char* line;
        bool search;
        Action action;
        const char* file;
        int line_number;
        int column;
        int length;
    };
    const ResultCase cases[] = {
        {"C:\\a\\b.c(10,5): text", true, J, "C:\\a\\b.c", 10, 4, 1},
        {"C:\\a\\b.c(10,0): text", true, J, "C:\\a\\b.c", 10, -1, 1},
        {"C:\\a\\b.c(10): text", true, J, "C:\\a\\b.c", 10, 0, 0},
        {"C:\\a\\b.c(10,5): text", false, J, "C:\\a\\b.c", 10, 0, 0},
        {"x.c(999999,1): t", false, J, "x.c", 999999, 0, 0},
        {"x.c(1234567,1): t", false, N, "", 0, 0, 0}, // a 7-digit number
        {"x.c(0,1): t", true, F, "", 0, 0, 0},
        {"x.c 10,1: t", true, N, "", 0, 0, 0},
        {"x.c(10,1: t", true, N, "", 0, 0, 0},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.line);
        diag::Target t = diag::ParseResultLine(c.line, c.search, 1);
        EXPECT_EQ(t.action, c.action);
        if (c.action != Action::kJump)
            continue;
        EXPECT_EQ(t.file, c.file);
        EXPECT_EQ(t.line, c.line_number);
        EXPECT_EQ(t.column, c.column);
        EXPECT_EQ(t.length, c.length);
        EXPECT_EQ(t.lookup, Lookup::kByFullPath);
    }
}

TEST(DiagParse, FormatNames)
{
    EXPECT_EQ(diag::FormatFromName("MS C/C++"), Format::kMSC);
    EXPECT_EQ(diag::FormatFromName("ms c/c++"), Format::kNone); // exact comparison
    EXPECT_EQ(diag::FormatFromName("None"), Format::kNone);
    EXPECT_STREQ(diag::FormatName(Format::kPCLint), "PC-Lint");
}
