// The make tool as a program: builds in a fresh folder, with commands run
// by a small helper program, and what it reports on its streams and in
// "error.out".
#include "make/gravik/tests/gravik_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstddef>
#include <cstdlib>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// Runs gravik with the helper program known as $(TOOL).
gravik_run make(const std::string& dir, const std::string& args)
{
    return run_gravik(dir, "-dTOOL=" + tool_path() + " " + args);
}

std::string path_in(const std::string& dir, const std::string& name)
{
    return dir + (dir.find('\\') != std::string::npos ? "\\" : "/") + name;
}

// The lines of the build log the commands append to.
std::vector<std::string> log_of(const std::string& dir)
{
    return lines_of(read_file(path_in(dir, "build.log")));
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

const char* const chain_makefile =
    "# a program of two objects\n"
    "prog.bin: a.obj b.obj\n"
    "\t$(TOOL) log build.log $@ from $<\n"
    "\t$(TOOL) touch $@\n"
    "a.obj: a.src\n"
    "\t$(TOOL) log build.log $@\n"
    "\t$(TOOL) touch $@\n"
    "b.obj: b.src\n"
    "\t$(TOOL) log build.log $@\n"
    "\t$(TOOL) touch $@\n";

class Build : public testing::Test {
protected:
    void SetUp() override
    {
        dir = test_dir();
        write_file(path_in(dir, "makefile"), chain_makefile);
        write_file(path_in(dir, "a.src"), "a\n");
        write_file(path_in(dir, "b.src"), "b\n");
        set_age(path_in(dir, "a.src"), 0);
        set_age(path_in(dir, "b.src"), 0);
    }
    // Makes everything, then dates the products after the sources.
    void build_all()
    {
        ASSERT_EQ(make(dir, "-e").code, 0);
        set_age(path_in(dir, "a.obj"), 10);
        set_age(path_in(dir, "b.obj"), 10);
        set_age(path_in(dir, "prog.bin"), 20);
        std::remove(path_in(dir, "build.log").c_str());
    }
    std::string dir;
};

TEST_F(Build, FirstRunMakesEverythingInDependencyOrder)
{
    gravik_run r = make(dir, "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"a.obj", "b.obj", "prog.bin from a.obj b.obj"}));
    EXPECT_TRUE(contains(r.out, "log build.log prog.bin from a.obj b.obj\n"));
    EXPECT_TRUE(contains(r.error_out, "Gravik: '" + tool_path() + " touch a.obj'...\n"));
    EXPECT_EQ(r.error_out.substr(r.error_out.size() - 19), "\nGravik: *** OK ***");
}

TEST_F(Build, UpToDateTargetsAreNotRebuilt)
{
    build_all();
    gravik_run r = make(dir, "-e");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(log_of(dir).empty());
    EXPECT_TRUE(contains(r.error_out, "Target 'prog.bin' is up-to-date!\n"));
}

TEST_F(Build, TouchedSourceRebuildsExactlyItsDependants)
{
    build_all();
    set_age(path_in(dir, "b.src"), 15);
    gravik_run r = make(dir, "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"b.obj", "prog.bin from a.obj b.obj"}));
}

TEST_F(Build, ForceAllRebuildsEverything)
{
    build_all();
    EXPECT_EQ(make(dir, "-b").code, 0);
    EXPECT_EQ(log_of(dir).size(), 3u);
}

TEST_F(Build, NamedTargetMakesOnlyItsTree)
{
    gravik_run r = make(dir, "B.OBJ");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"b.obj"}));
}

TEST_F(Build, NoExecuteEchoesButRunsNothing)
{
    gravik_run r = make(dir, "-n -e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_TRUE(log_of(dir).empty());
    EXPECT_FALSE(file_exists(path_in(dir, "a.obj")));
    EXPECT_TRUE(contains(r.out, tool_path() + " touch prog.bin\n"));
}

TEST_F(Build, FailingCommandStopsTheBuildAndRemovesItsTarget)
{
    write_file(path_in(dir, "makefile"),
               std::string(chain_makefile) + "\t$(TOOL) fail 3\n"); // b.obj's last command
    gravik_run r = make(dir, "-e");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"a.obj", "b.obj"}));
    EXPECT_TRUE(file_exists(path_in(dir, "a.obj")));
    EXPECT_FALSE(file_exists(path_in(dir, "b.obj")));
    EXPECT_FALSE(file_exists(path_in(dir, "prog.bin")));
    EXPECT_TRUE(contains(r.error_out, "Gravik: Error: returncode: 3\n"));
    std::string tail = "Gravik: Error: Errors found: *** TARGET NOT GENERATED ***\n";
    ASSERT_GE(r.error_out.size(), tail.size());
    EXPECT_EQ(r.error_out.substr(r.error_out.size() - tail.size()), tail);
    // Verbose: the removal is shown.
    r = make(dir, "-e -v");
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(file_exists(path_in(dir, "b.obj")));
    EXPECT_TRUE(contains(r.out, "Removing file 'b.obj'\n")) << r.out;
}

TEST_F(Build, VerboseTraceShowsTheWalk)
{
    build_all();
    set_age(path_in(dir, "a.src"), 15);
    gravik_run r = make(dir, "-v");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.out, "Examining 'prog.bin':\n Examining 'a.obj':\n"
                                "  'a.obj' (depending from 'a.src') is dirty\n"))
        << r.out;
    EXPECT_TRUE(contains(r.out, "  'b.obj' (depending from 'b.src') up-to-date\n")) << r.out;
}

class Engine : public testing::Test {
protected:
    void SetUp() override
    {
        dir = test_dir();
    }
    gravik_run run(const std::string& makefile, const std::string& args = "-e")
    {
        write_file(path_in(dir, "makefile"), makefile);
        return make(dir, args);
    }
    std::string dir;
};

TEST_F(Engine, SymbolicTargetAlwaysRunsAndDiamondMakesOnce)
{
    write_file(path_in(dir, "c.src"), "c\n");
    gravik_run r = run("all: top.x\n"
                       "\t$(TOOL) log build.log all\n"
                       "top.x: c.x b.x\n"
                       "\t$(TOOL) touch $@\n"
                       "b.x: c.x\n"
                       "\t$(TOOL) touch $@\n"
                       "c.x: c.src\n"
                       "\t$(TOOL) log build.log c\n"
                       "\t$(TOOL) touch $@\n");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"c", "all"}));
    set_age(path_in(dir, "c.src"), 0);
    set_age(path_in(dir, "c.x"), 10);
    set_age(path_in(dir, "b.x"), 20);
    set_age(path_in(dir, "top.x"), 30);
    r = make(dir, "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"c", "all", "all"}));
    // The trace shows a rule once, indented by the depth of its first
    // visit: the diamond reaching it again one level deeper examines
    // nothing more.
    r = make(dir, "-v");
    EXPECT_TRUE(contains(r.out, "\n 'all' (depending from 'top.x') symbolic\n")) << r.out;
    const std::string c_trace = "\n  Examining 'c.x':\n   'c.x' (depending from 'c.src') up-to-date\n";
    size_t first = r.out.find(c_trace);
    ASSERT_NE(first, std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(c_trace, first + 1), std::string::npos) << r.out;
    EXPECT_FALSE(contains(r.out, "\n   Examining 'c.x'")) << r.out;
}

// Layers of targets, each depending on every target of the next layer:
// the paths through them grow as 4 to the 10th, the targets only to 40.
TEST_F(Engine, EachTargetIsExaminedOncePerRun)
{
    const int layers = 10, width = 4;
    std::string makefile = "all:";
    for (int j = 0; j < width; ++j)
        makefile += " l0_" + std::to_string(j) + ".x";
    makefile += "\n";
    for (int k = 0; k < layers; ++k) {
        for (int j = 0; j < width; ++j) {
            std::string name = "l" + std::to_string(k) + "_" + std::to_string(j) + ".x";
            makefile += name + ":";
            if (k + 1 < layers)
                for (int m = 0; m < width; ++m)
                    makefile += " l" + std::to_string(k + 1) + "_" + std::to_string(m) + ".x";
            else
                makefile += " s.src";
            makefile += "\n\t$(TOOL) touch $@\n";
            write_file(path_in(dir, name), "x\n");
            set_age(path_in(dir, name), 100 - 10 * k);
        }
    }
    write_file(path_in(dir, "s.src"), "s\n");
    set_age(path_in(dir, "s.src"), 0);
    gravik_run r = run(makefile, "-e -v");
    EXPECT_EQ(r.code, 0) << r.error_out;
    std::vector<std::string> out = lines_of(r.out);
    EXPECT_EQ(std::count_if(out.begin(), out.end(),
                            [](const std::string& l) { return contains(l, "Examining '"); }),
              1 + layers * width)
        << r.out;
    EXPECT_FALSE(contains(r.out, "touch")) << r.out;
}

// A symbolic target reached by two paths runs its commands once, and a run
// that ran commands does not call its target up to date.
TEST_F(Engine, SharedSymbolicTargetRunsOnceAndARunThatRanIsNotUpToDate)
{
    gravik_run r = run("all: a b\n"
                       "a: common\n\t$(TOOL) log build.log a\n"
                       "b: common\n\t$(TOOL) log build.log b\n"
                       "common:\n\t$(TOOL) log build.log common\n");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"common", "a", "b"}));
    EXPECT_FALSE(contains(r.error_out, "up-to-date!")) << r.error_out;
    // A symbolic rule without commands runs nothing: up to date.
    write_file(path_in(dir, "x.src"), "x\n");
    write_file(path_in(dir, "x.out"), "x\n");
    set_age(path_in(dir, "x.src"), 0);
    set_age(path_in(dir, "x.out"), 10);
    r = run("all: x.out\nx.out: x.src\n\t$(TOOL) touch $@\n");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_TRUE(contains(r.error_out, "Target 'all' is up-to-date!\n")) << r.error_out;
}

TEST_F(Engine, FailedTargetWithoutExtensionOrDependenciesIsKept)
{
    // Only a target with an extension and dependencies is marked as failed
    // and removed at the end.
    write_file(path_in(dir, "dep.src"), "d\n");
    gravik_run r = run("all: dep.src\n\t$(TOOL) touch all\n\t$(TOOL) fail 4\n", "-e -v");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Error: returncode: 4\n")) << r.error_out;
    EXPECT_TRUE(file_exists(path_in(dir, "all")));
    EXPECT_FALSE(contains(r.out, "Removing file")) << r.out;
    r = run("x.out:\n\t$(TOOL) touch x.out\n\t$(TOOL) fail 4\n", "-e -v");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(file_exists(path_in(dir, "x.out")));
    EXPECT_FALSE(contains(r.out, "Removing file")) << r.out;
}

TEST_F(Engine, QuietCommandIsNotEchoed)
{
    gravik_run r = run("all:\n\t@$(TOOL) log build.log quiet\n", "");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"quiet"}));
    EXPECT_FALSE(contains(r.out, "quiet"));
    r = make(dir, "-v");
    EXPECT_TRUE(contains(r.out, "Examining 'all':\n commands (depending from 'all')\n" + tool_path() +
                                    " log build.log quiet\n"))
        << r.out;
}

TEST_F(Engine, CommandsThatAreNoProgramGoToTheCommandInterpreter)
{
    // Not a program, so the interpreter runs the line.
#ifdef _WIN32
    gravik_run r = run("all:\n\techo hello>said.txt\n");
#else
    gravik_run r = run("all:\n\tno_such_program_q7 || echo hello>said.txt\n");
#endif
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_TRUE(contains(read_file(path_in(dir, "said.txt")), "hello"));
    r = run("all:\n\tno_such_program_q7\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: Can't process command 'no_such_program_q7'\n"));
}

TEST_F(Engine, CycleIsFatal)
{
    gravik_run r = run("a.x: b.x\n\t$(TOOL) touch $@\nb.x: a.x\n\t$(TOOL) touch $@\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: cyclic or recursive dependency within 'a.x'\n"))
        << r.error_out;
    EXPECT_TRUE(contains(r.error_out, "Gravik: Error: Errors found: *** TARGET NOT GENERATED ***"));
}

TEST_F(Engine, DepthLimitIsFatal)
{
    std::string chain;
    for (int i = 0; i < 31; ++i)
        chain += "t" + std::to_string(i) + ".x: t" + std::to_string(i + 1) + ".x\n\t$(TOOL) touch $@\n";
    gravik_run r = run(chain + "t31.x:\n\t$(TOOL) touch $@\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: unresolveable dependency within 't30.x'\n"))
        << r.error_out;
    std::string ok;
    for (int i = 0; i < 29; ++i)
        ok += "t" + std::to_string(i) + ".x: t" + std::to_string(i + 1) + ".x\n\t$(TOOL) touch $@\n";
    r = run(ok + "t29.x:\n\t$(TOOL) touch $@\n");
    EXPECT_EQ(r.code, 0) << r.error_out;
}

struct ErrorCase {
    const char* makefile;
    const char* args;
    const char* message; // a line of error.out
    int code;
};

class MakefileError : public Engine, public testing::WithParamInterface<ErrorCase> {};

TEST_P(MakefileError, IsReportedAndCounted)
{
    gravik_run r = run(GetParam().makefile, std::string("-e ") + GetParam().args);
    EXPECT_EQ(r.code, GetParam().code);
    EXPECT_TRUE(contains(r.error_out, std::string(GetParam().message) + "\n")) << r.error_out;
    EXPECT_TRUE(log_of(dir).empty()) << "no command runs after an error";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakefileError,
    testing::Values(
        ErrorCase{"X.OBJ : X.C\nall:\n\t$(TOOL) log build.log all\n", "",
                  "Gravik: Error: syntax in 'X.OBJ : X.C'", 1},
        ErrorCase{"A = 1\n\t$(TOOL) log build.log x\n", "",
                  "Gravik: Error: not expecting command in '\t$(TOOL) log build.log x'", 2},
        ErrorCase{"a.obj: a.src\nall: a.obj\n\t$(TOOL) log build.log all\n", "all",
                  "Gravik: Error: don't know how to make 'a.obj'", 2},
        ErrorCase{"x.out: missing.c\n\t$(TOOL) log build.log all\n", "",
                  "Gravik: Error: file 'missing.c' does not exist", 1},
        ErrorCase{"all:\n\t$(TOOL) log build.log all\n", "nope",
                  "Gravik: Error: no rule for target 'nope'", 1},
        ErrorCase{"A = $(B)\nB = $(A)\nall:\n\t$(TOOL) log build.log $(A)\n", "",
                  "Gravik: Error: macro 'A' refers to itself in rule '$(TOOL) log build.log $(A)'", 1},
        ErrorCase{"all:\n\t$(TOOL) log build.log $(NOPE)\n", "",
                  "Gravik: Error: macro 'NOPE' not found in rule '$(TOOL) log build.log $(NOPE)'", 1},
        ErrorCase{"x.obj: x.src\n\t$(TOOL) log build.log x\n.src.obj:\n\tx\n.src.obj:\n", "",
                  "Gravik: Error: overwrite implicit rule '.src.obj:' in '.src.obj:'", 2},
        ErrorCase{"prog: prog.obj\nprog.obj:\n\t$(TOOL) log build.log x\n", "",
                  "Gravik: Error: missing source extension in implicit rule for '.obj'", 1},
        ErrorCase{"prog.obj: prog\n", "",
                  "Gravik: Error: missing target extension in implicit rule for '.obj'", 2},
        ErrorCase{"prog: prog\n", "-t",
                  "Gravik: Error: missing extensions in implicit rule", 1},
        ErrorCase{"A = 1\n", "", "Gravik: Error: no final target found", 1},
        ErrorCase{"A = 0123456789\n"
                  "B = $(A)$(A)$(A)$(A)$(A)$(A)$(A)$(A)$(A)$(A)\n"
                  "C = $(B)$(B)$(B)$(B)$(B)$(B)$(B)$(B)$(B)$(B)\n"
                  "D = $(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)\n"
                  "x.obj: $(D)\n",
                  "", "Gravik: Fatal Error: line too long in rule 'x.obj: $(D)'", 1},
        ErrorCase{"D = 0123456789012345678901234567890123456789\n"
                  "C = $(D)$(D)$(D)$(D)$(D)$(D)$(D)$(D)$(D)$(D)\n"
                  "B = $(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)$(C)\n"
                  "A = $(B)$(B)$(B)\n"
                  "all:\n\t$(TOOL) log build.log $(A)\n",
                  "", "Gravik: Fatal Error: line too long in rule '$(TOOL) log build.log $(A)'", 1}));

TEST_F(Engine, OverwrittenMacroWarnsOnlyWhenVerbose)
{
    gravik_run r = run("A = 1\nA = 2\nall:\n\t$(TOOL) log build.log $(A)\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_FALSE(contains(r.error_out, "Warning"));
    r = make(dir, "-e -v -v");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Warning: overwrite macro 'A' (already set to '1')\n"));
    EXPECT_TRUE(contains(r.out, "Defining macro: 'A' = '2'\n"));
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"2", "2"}));
}

TEST_F(Engine, OverlongLineIsFatal)
{
    std::string line = "A = ";
    for (int i = 0; i < 600; ++i)
        line += "0123456789abc \\\n";
    gravik_run r = run(line + "\nall:\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: line too long (>8192)\n")) << r.error_out;
}

TEST_F(Engine, LineLimitsHoldToTheCharacter)
{
    // A line of 8188 characters is read; one more is fatal.
    gravik_run r = run("A = " + std::string(8184, 'a') + "\nall:\n", "-e -t");
    EXPECT_EQ(r.code, 0) << r.error_out;
    r = run("A = " + std::string(8185, 'a') + "\nall:\n", "-e -t");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: line too long (>8192)\n")) << r.error_out;
    // An expanded rule line of 8192 characters is kept; one more is fatal.
    const std::string rule = "x.obj: $(A)$(B)\n\t$(TOOL) log build.log x\n";
    r = run("A = " + std::string(4096, 'a') + "\nB = " + std::string(4096, 'b') + "\n" + rule,
            "-e -t");
    EXPECT_EQ(r.code, 0) << r.error_out;
    r = run("A = " + std::string(4096, 'a') + "\nB = " + std::string(4097, 'b') + "\n" + rule,
            "-e -t");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.error_out, "Gravik: Fatal Error: line too long in rule 'x.obj: $(A)$(B)'\n"))
        << r.error_out;
}

TEST_F(Engine, CyclicMakefileHasNoRootTarget)
{
    gravik_run r = run("a.x: b.x\n\tx\nb.x: a.x\n\tx\n", "-e -t");
    EXPECT_EQ(r.code, 0);
    EXPECT_FALSE(contains(r.error_out, "Target:"));
}

TEST_F(Engine, ExitCodeIsClampedSoManyErrorsNeverReadAsSuccess)
{
    std::string bad;
    for (int i = 0; i < 300; ++i)
        bad += "bad line\n";
    gravik_run r = run(bad + "all:\n");
    EXPECT_EQ(r.code, 255);
}

class Driver : public Engine {};

TEST_F(Driver, ListModeReportsTargetsSourcesMacrosAndComments)
{
    gravik_run r = run("# the program\n"
                       "FLAGS = -x\n"
                       "EMPTY =\n"
                       "prog.bin: prog.obj\n"
                       "prog.obj: prog.a51 defs.inc\n",
                       "-a -e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    std::vector<std::string> file = lines_of(r.error_out);
    auto has = [&](const std::string& line) {
        return std::find(file.begin(), file.end(), line) != file.end();
    };
    EXPECT_TRUE(has("Target: 'prog.bin'"));
    EXPECT_FALSE(has("Target: 'prog.obj'"));
    EXPECT_TRUE(has("Source: 'prog.a51'"));
    EXPECT_TRUE(has("Source: 'defs.inc'"));
    EXPECT_TRUE(has("Macro: 'FLAGS' = '-x'"));
    EXPECT_FALSE(has("Macro: 'EMPTY' = ''"));
    EXPECT_TRUE(has("Comment: '# the program'"));
    EXPECT_TRUE(has("Gravik: *** OK ***"));
    EXPECT_TRUE(contains(r.out, "Target 'prog.bin'\n"));
    EXPECT_FALSE(contains(r.out, "Target: "));
    // -d macros and the program's root come first, the makefile's last.
    size_t root = r.error_out.find("Macro: '__GRAVIK_ROOT' = '");
    size_t tool = r.error_out.find("Macro: 'TOOL' = '");
    size_t flags = r.error_out.find("Macro: 'FLAGS'");
    EXPECT_LT(tool, root);
    EXPECT_LT(root, flags);
    EXPECT_NE(flags, std::string::npos);
}

TEST_F(Driver, OptionsIgnoreCaseAndMakefileWinsOverMinusD)
{
    write_file(path_in(dir, "MAKE.MAK"), "WHO = makefile\nall:\n\t$(TOOL) log build.log $(WHO) $(ONLY)\n");
    gravik_run r = make(dir, "-FMAKE.MAK -E -dWHO=option -dONLY=given");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"makefile given"}));
    EXPECT_TRUE(contains(r.error_out, "Gravik: *** OK ***"));
}

TEST_F(Driver, MakefileInAnotherFolderRunsItsCommandsThere)
{
    std::string sub = path_in(dir, "sub");
    test_dir("sub");
    write_file(path_in(sub, "makefile"), "all:\n\t$(TOOL) log build.log in sub\n");
    gravik_run r = make(dir, "-fsub/makefile -e");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(log_of(sub), (std::vector<std::string>{"in sub"}));
    EXPECT_TRUE(contains(read_file(path_in(sub, "error.out")), "Gravik: *** OK ***"));
}

TEST_F(Driver, OptionErrorsAreAllReportedBeforeTheAbort)
{
    gravik_run r = run("all:\n", "-q a b -fx -fy");
    EXPECT_EQ(r.code, 1);
    std::vector<std::string> err = lines_of(r.err);
    ASSERT_EQ(err.size(), 4u) << r.err;
    EXPECT_EQ(err[0], "Gravik: Error: invalid option '-q'");
    EXPECT_EQ(err[1], "Gravik: Error: only one target allowed");
    EXPECT_EQ(err[2], "Gravik: Error: only one makefile allowed");
    EXPECT_EQ(err[3], "Gravik: Fatal Error: '" + gravik_path() + "' aborted... ('-?' for help)");
}

TEST_F(Driver, HelpPrintsUsageAndEndsWithZero)
{
    gravik_run r = run("all:\n", "-x -?");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "Gravik: Error: invalid option '-x'\n"
                     "*** '" + gravik_path() + "': small 'make'\n"
                     "arguments (one targetname and options):\n"
                     "(for no targetname, first targetname will be used)\n"
                     "-e:          redirect errors and warnings to 'error.out'\n"
                     "-ex:         same as -e, but dump 'error.out'\n"
                     "-b:          force remake of each node\n"
                     "-t:          only list final (root) targets\n"
                     "-a:          list all (targets, sources, comments, macros\n"
                     "-n:          just show, but don't execute commands\n"
                     "-v:          verbose make\n"
                     "-v -v:       more verbose make\n"
                     "-fNAME:      use file NAME (default is 'makefile')\n"
                     "-dMACRO=xxx: define macro MACRO\n");
    EXPECT_EQ(r.out.rfind("*** '" + gravik_path() + "' V1.08 2005", 0), 0u) << r.out;
    EXPECT_TRUE(log_of(dir).empty());
}

TEST_F(Driver, DumpModeCopiesErrorOutToTheConsole)
{
    gravik_run r = run("all:\n\t$(TOOL) log build.log x\n", "-ex");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.out, "Gravik: *** OK ***")) << r.out;
    r = run("all:\n\t$(TOOL) fail 2\n", "-ex");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.out, "Gravik: Error: returncode: 2\n")) << r.out;
}

TEST_F(Driver, MissingMakefileIsFatal)
{
    gravik_run r = make(dir, "-fnone.mak");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "Gravik: Fatal Error: can't open makefile 'none.mak'\n")) << r.err;
    // In another folder the message names the makefile as it was given.
    test_dir("sub");
    r = make(dir, "-fsub/none.mak");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(contains(r.err, "Gravik: Fatal Error: can't open makefile 'sub/none.mak'\n")) << r.err;
}

TEST_F(Driver, ErrorFileThatCannotBeMadeAbortsTheRun)
{
    test_dir("error.out"); // a folder where the file should go
    gravik_run r = run("all:\n\t$(TOOL) log build.log x\n", "-e");
    EXPECT_EQ(r.code, 1);
    std::vector<std::string> err = lines_of(r.err);
    ASSERT_EQ(err.size(), 2u) << r.err;
    EXPECT_EQ(err[0], "Gravik: Error: unable to open 'error.out'");
    EXPECT_EQ(err[1], "Gravik: Fatal Error: '" + gravik_path() + "' aborted... ('-?' for help)");
    EXPECT_TRUE(log_of(dir).empty());
}

TEST_F(Driver, EnvironmentVariablesBecomeMacrosBeforeTheMakefile)
{
#ifdef _WIN32
    _putenv("GRAVIK_TEST_VAR=from env");
#else
    setenv("GRAVIK_TEST_VAR", "from env", 1);
#endif
    gravik_run r = run("all:\n\t$(TOOL) log build.log $(GRAVIK_TEST_VAR)\n");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"from env"}));
    // The environment wins over -d, and is read before the built-in rules,
    // which set MORRIN themselves.
#ifdef _WIN32
    _putenv("MORRIN=from_env");
#else
    setenv("MORRIN", "from_env", 1);
#endif
    write_file(path_in(dir, "makefile"), "all:\n\t$(TOOL) log build.log $(GRAVIK_TEST_VAR) $(MORRIN)\n");
    r = make(dir, "-e -v -v -dGRAVIK_TEST_VAR=option");
#ifdef _WIN32
    _putenv("MORRIN=");
#else
    unsetenv("MORRIN");
#endif
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"from env", "from env morrin"}));
    EXPECT_TRUE(contains(r.out, "Defining macro: 'GRAVIK_TEST_VAR' = 'option'\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "Defining macro from environment variable: 'GRAVIK_TEST_VAR' = "
                                "'from env'\n"))
        << r.out;
    EXPECT_TRUE(contains(r.error_out,
                         "Gravik: Warning: overwrite macro 'MORRIN' (already set to 'from_env')\n"));
}

TEST_F(Driver, BuiltinRulesComeFromTheProgramsFolder)
{
    // A copy of the program with its own built-in rules, two folders down.
    std::string bin = test_dir("suite/bin");
    std::string program = path_in(bin, "gravik");
#ifdef _WIN32
    program += ".exe";
#endif
    write_file(program, read_file(gravik_path()));
#ifndef _WIN32
    chmod(program.c_str(), 0755);
#endif
    write_file(path_in(bin, "builtins.mak"), "# not kept\n"
                                             "WHO = builtins\n"
                                             "ONLY = builtins\n"
                                             "clean:\n"
                                             "\t$(TOOL) log build.log clean\n");
    write_file(path_in(dir, "makefile"), "# kept\nWHO = makefile\nall:\n\t$(TOOL) log build.log $(WHO) $(ONLY)\n");
    gravik_run r = run_gravik(dir, "-dTOOL=" + tool_path() + " -a -e", program);
    EXPECT_EQ(r.code, 0) << r.err << r.error_out;
    std::vector<std::string> file = lines_of(r.error_out);
    auto at = [&](const std::string& line) {
        return std::find(file.begin(), file.end(), line) - file.begin();
    };
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(file.size());
    EXPECT_LT(at("Target: 'all'"), at("Target: 'clean' (default from 'builtins.mak')"));
    EXPECT_LT(at("Target: 'clean' (default from 'builtins.mak')"), n);
    EXPECT_TRUE(contains(r.out, "Target 'all'\nTarget 'clean' (default from 'builtins.mak')\n")) << r.out;
    EXPECT_LT(at("Comment: '# kept'"), n);
    EXPECT_EQ(at("Comment: '# not kept'"), n);
    // The program's folder and the one above it.
    std::string root = "Macro: '__GRAVIK_ROOT' = '";
    size_t p = r.error_out.find(root);
    ASSERT_NE(p, std::string::npos);
    std::string value = r.error_out.substr(p + root.size(), r.error_out.find('\n', p) - p - root.size());
    EXPECT_EQ(value.substr(value.size() > 6 ? value.size() - 6 : 0), "suite'") << value;
    // The makefile wins over the built-in rules; the first makefile target
    // is made, not the built-in one.
    r = run_gravik(dir, "-dTOOL=" + tool_path() + " -e", program);
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"makefile builtins"}));
    r = run_gravik(dir, "-dTOOL=" + tool_path() + " -e CLEAN", program);
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"makefile builtins", "clean"}));
}

#ifndef _WIN32
TEST_F(Driver, NamesMatchFilesOnDiskWhateverTheirCaseAndSlash)
{
    test_dir("Src");
    write_file(path_in(dir, "Src/Main.A51"), "x\n");
    gravik_run r = run("Src\\MAIN.obj: SRC/main.a51\n"
                       "\t$(TOOL) log build.log $* $@ $<\n"
                       "\t$(TOOL) touch $@\n",
                       "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"Src/Main Src/main.obj Src/Main.A51"}));
    EXPECT_TRUE(file_exists(path_in(dir, "Src/main.obj")));
}

// The built-in rules build a source name from "$*" and an extension in
// lower case: the name given to the command is the file on disk.
TEST_F(Driver, NamesThatBuiltInRulesMakeMatchFilesOnDisk)
{
    test_dir("Src");
    write_file(path_in(dir, "START.A51"), "x\n");
    write_file(path_in(dir, "Src/Util.A51"), "x\n");
    gravik_run r = run("MORRIN = $(TOOL) log build.log\n"
                       "all: start.obj src\\util.obj\n"
                       "START.OBJ: START.A51\n"
                       "src\\util.obj: src\\util.a51\n",
                       "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"-e -g START.A51", "-e -g Src/Util.A51"}));
}

// The folder's listing is read before the first command (to name its
// target); a file that a command then makes in another case than the
// makefile's is found by the targets after it, in the folder and below.
TEST_F(Driver, FilesThatCommandsMakeInAnotherCaseAreSeenByLaterTargets)
{
    test_dir("Sub");
    gravik_run r = run("all: use.out\n"
                       "use.out: gen.dat sub\\part.dat\n"
                       "\t$(TOOL) log build.log $<\n"
                       "\t$(TOOL) touch $@\n"
                       "gen.dat:\n"
                       "\t$(TOOL) touch GEN.DAT\n"
                       "sub\\part.dat:\n"
                       "\t$(TOOL) touch Sub/PART.Dat\n",
                       "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_EQ(log_of(dir), (std::vector<std::string>{"GEN.DAT Sub/PART.Dat"}));
    EXPECT_TRUE(file_exists(path_in(dir, "use.out")));
}
#endif

} // namespace
