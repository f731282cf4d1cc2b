// Diagnostics of real programs: lines that the suite's assembler, linker
// and make tool and the MinGW-w64 C compiler printed, and the same programs
// run now on sources with errors, read in the format that fits them
// ("Borland" for the suite's "file line: text" lines, "GNU166" for the C
// compiler's "file:line:column:" lines).
#include "editor/tools/diag_parse.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using diag::Action;
using diag::Format;

namespace {

struct RealLine {
    Format format;
    const char* line;
    const char* file; // null: the line names no place
    int line_number;
};

// As printed by morrin, tessel, gravik and x86_64-w64-mingw32-gcc.
const RealLine kRealLines[] = {
    {Format::kBorland, "bad.a51 1: Error: no segment set ('mov a,#1')", "bad.a51", 1},
    {Format::kBorland, "bad.a51 2: Error: unknown mnemonic ('movx @dptr')", "bad.a51", 2},
    {Format::kBorland, "bad.a51 3: Error: label 'nowhere_label' undefined", "bad.a51", 3},
    {Format::kBorland, "ref.a51 4: Warning: 8 bit constant out of range ('mov a,#300')", "ref.a51", 4},
    {Format::kBorland, "Warning: sourcefile is empty", nullptr, 0},
    {Format::kBorland, "Error: 6 errors found - no object file written", nullptr, 0},
    {Format::kBorland, "Error: ref.a51 3: unresolved reference to 'missing'", "ref.a51", 3},
    {Format::kBorland, "Error: unable to open 'nothere.obj'", nullptr, 0},
    {Format::kBorland, "Error: no entry point (org $0) in sclass 'text'", nullptr, 0},
    {Format::kBorland, "Gravik: Error: returncode: 2", nullptr, 0},
    {Format::kBorland, "Gravik: Error: file 'main.obj' does not exist", nullptr, 0},
    {Format::kBorland, "Gravik: Error: Errors found: *** TARGET NOT GENERATED ***", nullptr, 0},
    {Format::kBorland, "morrin -e -g start.a51", nullptr, 0},
    {Format::kGNU166, "bad.c:3:12: error: 'undefined_name' undeclared (first use in this function)",
     "bad.c", 3},
    {Format::kGNU166, "/tmp/tmp.SE9R5DBQUi/bad.c:3:12: error: 'undefined_name' undeclared",
     "/tmp/tmp.SE9R5DBQUi/bad.c", 3},
    {Format::kGNU166, "    3 |     return undefined_name;", nullptr, 0},
};

diag::Target ParseOne(Format format, const std::string& line)
{
    std::string pane = "tool.exe args\r\r" + line + "\r";
    return diag::ParseOutputLine(format, pane, 15);
}

void ExpectPlace(Format format, const std::string& line, const char* file, int number)
{
    SCOPED_TRACE(line);
    diag::Target t = ParseOne(format, line);
    if (!file) {
        EXPECT_NE(t.action, Action::kJump);
        return;
    }
    ASSERT_EQ(t.action, Action::kJump);
    EXPECT_EQ(t.file, file);
    EXPECT_EQ(t.line, number);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(RealDiagnostics, CapturedLines)
{
    for (const RealLine& r : kRealLines)
        ExpectPlace(r.format, r.line, r.file, r.line_number);
}

#if defined(MORRIN_PATH) && defined(TESSEL_PATH)
TEST(RealDiagnostics, AssemblerAndLinkerRunNow)
{
    std::string dir = test_folder("asm");
    write_file(dir + "/bad.a51",
               "        .segment reset,org 0\n"
               "        mov a,#300\n"
               "        movx @dptr\n"
               "        ljmp nowhere_label\n");
    run_result r = run_program(MORRIN_PATH, {"bad.a51"}, dir);
    ASSERT_TRUE(r.started);
    std::vector<std::string> lines = Lines(r.err + r.out);
    // Every message about a source line names the file and the line.
    int placed = 0;
    for (const std::string& line : lines) {
        if (line.rfind("bad.a51 ", 0) != 0)
            continue;
        int number = std::stoi(line.substr(8));
        ExpectPlace(Format::kBorland, line, "bad.a51", number);
        ++placed;
    }
    EXPECT_GE(placed, 3) << r.err;

    write_file(dir + "/ref.a51",
               "        .segment reset,org 0\n"
               "        .import missing\n"
               "        ljmp    missing\n");
    ASSERT_EQ(run_program(MORRIN_PATH, {"ref.a51"}, dir).code, 0);
    r = run_program(TESSEL_PATH, {"ref.obj", "-oref.bin"}, dir);
    lines = Lines(r.err + r.out);
    bool found = false;
    for (const std::string& line : lines) {
        if (line.find("ref.a51 3:") != std::string::npos) {
            ExpectPlace(Format::kBorland, line, "ref.a51", 3);
            found = true;
        } else {
            ExpectPlace(Format::kBorland, line, nullptr, 0);
        }
    }
    EXPECT_TRUE(found) << r.err;
}
#endif

#ifdef GRAVIK_PATH
TEST(RealDiagnostics, MakeToolLinesNameNoPlace)
{
    std::string dir = test_folder("make");
    write_file(dir + "/makefile", "all: missing.obj\n\tnothing\n");
    run_result r = run_program(GRAVIK_PATH, {}, dir);
    ASSERT_TRUE(r.started);
    std::vector<std::string> lines = Lines(r.err + r.out);
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines)
        ExpectPlace(Format::kBorland, line, nullptr, 0);
}
#endif
