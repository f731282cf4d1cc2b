// The report reader on reports the make tool writes: each fixture makefile
// goes through the built make tool with -a -e, in an environment like a
// user's (long search path, quotes, '$', accented letters, a value with
// line ends), and the model is read from its "error.out".
#include "cobrel_test_util.h"

#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/report_reader.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Report : public testing::Test {
protected:
    Report() : messages(sink) {}
    int read(const std::string& makefile_text, const std::string& subdir = std::string())
    {
        dir = test_dir(subdir);
        return read_through_gravik(dir, makefile_text, model, messages);
    }
    std::string dir;
    recording_sink sink;
    wiz_messages messages;
    make_model model;
};

TEST_F(Report, EnvironmentAndBuiltinMacrosLeaveDefaults)
{
    EXPECT_EQ(read("main.obj: main.c\n"
                   "main.bin: main.obj\n"),
              0);
    EXPECT_TRUE(sink.shown.empty());
    // The report held what the environment puts there: a macro line far
    // longer than a thousand bytes, and the pieces of a value with line ends.
    const std::string report = without_cr(read_file(join_path(dir, "error.out")));
    const size_t long_line = report.find("Macro: 'COBREL_TEST_LONG_PATH' = '");
    ASSERT_NE(long_line, std::string::npos);
    EXPECT_GT(report.find('\n', long_line) - long_line, 3000u);
    EXPECT_NE(report.find("\nsecond line'\nthird'\n"), std::string::npos);
    EXPECT_EQ(model.target_name, "main");
    ASSERT_EQ(model.sources.size(), 1u);
    EXPECT_EQ(model.sources[0].name, "main.c");
    EXPECT_EQ(model.sources[0].type, SOURCE_C);
    EXPECT_EQ(model.makefile_path, join_path(dir, "project.mak"));
    // The built-in rules' values.
    EXPECT_EQ(model.linker_args, "-s -m -d");
    EXPECT_EQ(model.listing, 1);
    EXPECT_EQ(model.memory_model, 1);
    EXPECT_EQ(model.sio_type, 'K');
    EXPECT_EQ(model.smart_printf, 1);
    EXPECT_EQ(model.cpu_nsec, 1000);
    EXPECT_EQ(model.gen_hex + model.gen_omf + model.strip, 0);
    EXPECT_TRUE(model.libraries.empty());
    EXPECT_TRUE(model.compiler_args.empty());
}

TEST_F(Report, HexTargetSourcesOfEveryTypeAndComments)
{
    EXPECT_EQ(read("# Projekt: M\xfcller's board\n"
                   "#   indented  text\n"
                   "main.obj: main.c board.h defs.inc\n"
                   "io.obj: io.s51 board.h\n"
                   "main.bin: main.obj io.obj web\\logo.gif regs.def\n"
                   "main.hex: main.bin\n"),
              0);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(model.target_name, "main");
    EXPECT_EQ(model.gen_hex, 1);
    EXPECT_EQ(model.gen_omf, 0);
    std::vector<std::string> names;
    std::vector<int> types;
    for (const source_entry& s : model.sources) {
        names.push_back(s.name);
        types.push_back(s.type);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"main.c", "board.h", "defs.inc", "io.s51",
                                               "web\\logo.gif", "regs.def"}));
    EXPECT_EQ(types, (std::vector<int>{SOURCE_C, SOURCE_H, SOURCE_INC, SOURCE_S51, SOURCE_GIF,
                                       SOURCE_DEF}));
    // A quote inside a comment does not cut it.
    EXPECT_EQ(model.comment_lines,
              (std::vector<std::string>{"# Projekt: M\xfcller's board", "#   indented  text"}));
}

TEST_F(Report, TargetRules)
{
    struct row {
        const char* makefile;
        const char* target;
        int gen_hex, gen_omf;
        std::vector<std::string> errors, warnings;
    } rows[] = {
        {"a.obj: a.c\na.bin: a.obj\nb.obj: b.c\nb.bin: b.obj\n", "a", 0, 0,
         {"Found more than one (qualified) Targets ('a', 'b.bin', ...).\nPlease use Yantel for "
          "this MAKE-File.",
          // Reading stopped before the sources; the check still runs.
          "No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) found in '%'\n"},
         {}},
        {"all:\nm.obj: m.c\nm.bin: m.obj\nm.omf: m.bin\n", "m", 0, 1, {},
         {"Rule for (explicit and unqualfied) Target 'all' ignored.\nCobrel is only able to mange "
          "qualified Targets (*.BIN and *.HEX).\nPlease use Yantel for Multi-Target MAKE-Files."}},
        {"m.obj: m.c\nm.lib: m.obj\n", "", 0, 0,
         {"Don't know how to make Target 'm.lib': Extension '.lib' unknown.\nPlease use Yantel "
          "for this MAKE-File.",
          "No Target found in '%'\n"},
         {}},
    };
    int n = 0;
    for (const row& r : rows) {
        sink.shown.clear();
        read(r.makefile, std::to_string(++n));
        EXPECT_EQ(model.target_name, r.target) << r.makefile;
        EXPECT_EQ(model.gen_hex, r.gen_hex) << r.makefile;
        EXPECT_EQ(model.gen_omf, r.gen_omf) << r.makefile;
        std::vector<std::string> errors = r.errors;
        for (std::string& e : errors)
            if (e.find('%') != std::string::npos)
                e.replace(e.find('%'), 1, model.makefile_path);
        EXPECT_EQ(sink.texts(WIZ_ERROR), errors) << r.makefile;
        EXPECT_EQ(sink.texts(WIZ_WARNING), r.warnings) << r.makefile;
    }
}

// A target of the built-in rules file (marked "(default from
// 'builtins.mak')") is not the makefile's: a copy of the make tool with a
// rules file that has one.
TEST_F(Report, TargetsOfTheBuiltinRulesArePassedOver)
{
    namespace fs = std::filesystem;
    dir = test_dir();
    const std::string tool_dir = join_path(dir, "tool");
    fs::create_directories(tool_dir);
    const fs::path gravik(gravik_path());
    const std::string copy = join_path(tool_dir, gravik.filename().string());
    fs::copy_file(gravik, copy);
    std::string rules = read_file((gravik.parent_path() / "builtins.mak").string());
    write_file(join_path(tool_dir, "builtins.mak"), rules + "\ntools.bin:\n\t@echo tools\n");
    const std::string makefile = join_path(dir, "p.mak");
    write_file(makefile, "p.obj: p.s51\np.bin: p.obj\n");
    ASSERT_EQ(run_make_report(makefile, copy), 0);
    EXPECT_NE(read_file(join_path(dir, "error.out"))
                  .find("Target: 'tools.bin' (default from 'builtins.mak')"),
              std::string::npos);
    EXPECT_EQ(read_make_report(model, makefile, messages), 0);
    EXPECT_EQ(model.target_name, "p");
    EXPECT_TRUE(sink.shown.empty());
}

// The example project is the wizard's own kind whole: assembler sources and
// an image named after the main one. Saved over the example's makefile, the
// wizard's makefile builds the same image again from the sources. It keeps
// the link's library but, being of one target, not the rule that made it.
TEST_F(Report, TheExampleProjectIsReadWholeAndWrittenBackBuildsTheSameImage)
{
    EXPECT_EQ(read(read_file(host_path(COBREL_EXAMPLE_MAKEFILE))), 0);
    EXPECT_TRUE(sink.shown.empty()) << sink.shown.at(0).text;
    std::vector<std::string> names;
    for (const source_entry& source : model.sources)
        names.push_back(source.name);
    EXPECT_EQ(names, (std::vector<std::string>{"start.s51", "main.s51", "delay.s51"}));
    EXPECT_EQ(model.target_name, "main");
    EXPECT_EQ(model.libraries, "-ldelay.lib");

    for (const char* name : {"start.s51", "main.s51", "delay.s51"})
        write_file(join_path(dir, name), read_file(join_path(host_path(COBREL_EXAMPLES_DIR), name)));
    ASSERT_EQ(run_make(dir, "project.mak"), 0) << read_file(join_path(dir, "error.out"));
    const std::string image = read_file(join_path(dir, "main.bin"));
    EXPECT_FALSE(image.empty());
    for (const char* built : {"main.bin", "start.obj", "main.obj", "delay.obj"})
        std::filesystem::remove(join_path(dir, built));

    ASSERT_EQ(write_make_file(model, messages), 0);
    ASSERT_EQ(run_make(dir, "project.mak"), 0) << read_file(join_path(dir, "error.out"));
    EXPECT_EQ(read_file(join_path(dir, "main.bin")), image);
}

TEST_F(Report, SourcesTheWizardCannotHoldStopTheReading)
{
    // Assembler sources of another extension.
    read("start.bin: start.obj\nstart.obj: start.a51\n");
    EXPECT_EQ(sink.texts(WIZ_ERROR).at(0),
              "Unknown Extension for Source File 'start.a51'.\nPlease use Yantel for this "
              "MAKE-File.");
    EXPECT_TRUE(model.sources.empty());
    EXPECT_EQ(model.target_name, "start");

    sink.shown.clear();
    std::string many = "s0.bin:";
    std::string rules;
    for (int i = 0; i <= 50; ++i) {
        many += " s" + std::to_string(i) + ".obj";
        rules += "s" + std::to_string(i) + ".obj: s" + std::to_string(i) + ".s51\n";
    }
    read(rules + many + "\n", "many");
    EXPECT_EQ(model.sources.size(), max_sources);
    EXPECT_EQ(sink.texts(WIZ_ERROR).at(0), "Too many Source Files, use Yantel for this MAKE-File.");
}

TEST_F(Report, LinkerFlags)
{
    struct row {
        const char* value;
        int rom, ram;
        const char* args;
        std::vector<std::string> warnings;
    } rows[] = {
        {"-r$2000,$8000 -c", 0x2000, 0x8000, "-c", {}},
        {"-s -r0x100,4096", 0x100, 0x1000, "-s", {}},
        {"-r$10000", 0, 0, "",
         {"Ilegal Addresses in Macro 'TESSELFLAGS': '-r$10000' ('') ignored"}},
        {"-r$20,$30x -m", 0x20, 0x30, "-m",
         {"Ilegal options: In Macro 'TESSELFLAGS': 'x' ('-r$20,$30x') ignored"}},
    };
    int n = 0;
    for (const row& r : rows) {
        sink.shown.clear();
        read(std::string("TESSELFLAGS = ") + r.value + "\nm.obj: m.s51\nm.bin: m.obj\n",
             std::to_string(++n));
        EXPECT_EQ(model.rom_start, r.rom) << r.value;
        EXPECT_EQ(model.ram_start, r.ram) << r.value;
        EXPECT_EQ(model.linker_args, r.args) << r.value;
        EXPECT_EQ(sink.texts(WIZ_WARNING), r.warnings) << r.value;
        EXPECT_TRUE(sink.texts(WIZ_ERROR).empty()) << r.value;
    }
}

TEST_F(Report, CompilerAndAssemblerFlags)
{
    EXPECT_EQ(read("C51FLAGS = -dCPU_NSEC=620 -g2 -large -speed -dAD_C515\n"
                   "MORRINFLAGS = -d -t4\n"
                   "m.obj: m.c\nm.bin: m.obj\n"),
              0);
    EXPECT_EQ(model.cpu_nsec, 620);
    EXPECT_EQ(model.debug_level, 2);
    EXPECT_EQ(model.optimise, 2);
    EXPECT_EQ(model.compiler_args, "-dAD_C515");
    // The built-in MODEL = small is listed after C51FLAGS and wins, as it
    // does on the compiler's command line.
    EXPECT_EQ(model.memory_model, 1);
    EXPECT_EQ(model.expand_debug, 1);
    EXPECT_EQ(model.listing, 0) << "no -g: no listing";
    EXPECT_EQ(model.assembler_args, "-t4");

    sink.shown.clear();
    read("C51FLAGS = -dCPU_NSEC=0 -g7 -size\nMODEL = LARGE\nm.obj: m.c\nm.bin: m.obj\n", "bad");
    EXPECT_EQ(model.cpu_nsec, 1000);
    EXPECT_EQ(model.debug_level, 1);
    EXPECT_EQ(model.memory_model, 2);
    EXPECT_EQ(model.optimise, 1);
    EXPECT_EQ(sink.texts(WIZ_WARNING),
              (std::vector<std::string>{
                  "Ilegal CPU-Speed in Macro 'C51FLAGS' ignored ('-dCPU_NSEC=0').",
                  "Ilegal Debug Level in Macro 'C51FLAGS' ignored ('-g7')."}));
}

TEST_F(Report, EmptiedAssemblerFlagsMeanNoListing)
{
    read("MORRINFLAGS =\nm.obj: m.s51\nm.bin: m.obj\n");
    EXPECT_EQ(model.listing, 0);
    EXPECT_EQ(model.expand_debug, 0);
    EXPECT_TRUE(model.assembler_args.empty());
}

TEST_F(Report, ChoiceMacros)
{
    read("MODEL = large\nPFLAGS = FULL_PRINTF\nSIOTYPE = d\nB2HFLAGS = -s\n"
         "m.obj: m.c\nm.bin: m.obj\nm.hex: m.bin\n");
    EXPECT_EQ(model.memory_model, 2);
    EXPECT_EQ(model.smart_printf, 0);
    EXPECT_EQ(model.sio_type, 'D');
    EXPECT_EQ(model.strip, 1);
    EXPECT_TRUE(sink.shown.empty());

    read("MODEL = huge\nPFLAGS = TINY\nSIOTYPE = x\nB2HFLAGS = -q\nm.obj: m.c\nm.bin: m.obj\n",
         "unknown");
    EXPECT_EQ(sink.texts(WIZ_WARNING),
              (std::vector<std::string>{"Unknown options: Macro 'MODEL': 'huge' ignored",
                                        "Unknown options: Macro 'SIOTYPE': 'x' ignored",
                                        "Unknown options: Macro 'PFLAGS': 'TINY' ignored",
                                        "Unknown options: Macro 'B2HFLAGS': '-q' ignored"}));
    EXPECT_EQ(model.memory_model, 1);
    EXPECT_EQ(model.sio_type, 'K');
}

TEST_F(Report, MacroThatNamesAnotherMacro)
{
    EXPECT_EQ(read("LIBDIR = C:\\lib\nTESSELLIBS = -l$(LIBDIR)\\sio.lib\n"
                   "m.obj: m.c\nm.bin: m.obj\n"),
              1);
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"Illegal option: Macro 'TESSELLIBS' contains other Macro "
                                        "('-l$(LIBDIR)\\sio.lib'),\nuse Yantel for this MAKE-File"}));
    EXPECT_EQ(model.target_name, "m") << "reading goes on";
}

TEST_F(Report, MissingReportIsFatal)
{
    dir = test_dir();
    EXPECT_EQ(read_make_report(model, join_path(dir, "none.mak"), messages), -1);
    EXPECT_EQ(sink.texts(WIZ_FATAL),
              (std::vector<std::string>{"Can't read '" + join_path(dir, "error.out") + "'"}));
}

} // namespace
