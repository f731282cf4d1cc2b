// Round trips: a model written as a makefile, read back through the make
// tool's report, gives the same model. The makefile lies in a folder whose
// name has a blank and an accented letter. The make tool keeps names in
// lower case, so the models use lower-case names.
#include "cobrel_test_util.h"

#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/project_actions.h"
#include "make/cobrel/report_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<source_entry> of_kind(const make_model& m, bool primary)
{
    std::vector<source_entry> out;
    for (const source_entry& s : m.sources)
        if (is_primary_source(s.type) == primary)
            out.push_back(s);
    return out;
}

void expect_same(const make_model& a, const make_model& b, const std::string& label)
{
    EXPECT_EQ(a.makefile_path, b.makefile_path) << label;
    EXPECT_EQ(a.cpu_nsec, b.cpu_nsec) << label;
    EXPECT_EQ(a.compiler_args, b.compiler_args) << label;
    EXPECT_EQ(a.optimise, b.optimise) << label;
    EXPECT_EQ(a.memory_model, b.memory_model) << label;
    EXPECT_EQ(a.debug_level, b.debug_level) << label;
    EXPECT_EQ(a.listing, b.listing) << label;
    EXPECT_EQ(a.expand_debug, b.expand_debug) << label;
    EXPECT_EQ(a.assembler_args, b.assembler_args) << label;
    EXPECT_EQ(a.rom_start, b.rom_start) << label;
    EXPECT_EQ(a.ram_start, b.ram_start) << label;
    EXPECT_EQ(a.sio_type, b.sio_type) << label;
    EXPECT_EQ(a.linker_args, b.linker_args) << label;
    EXPECT_EQ(a.libraries, b.libraries) << label;
    EXPECT_EQ(a.smart_printf, b.smart_printf) << label;
    EXPECT_EQ(a.gen_hex, b.gen_hex) << label;
    EXPECT_EQ(a.gen_omf, b.gen_omf) << label;
    EXPECT_EQ(a.strip, b.strip) << label;
    EXPECT_EQ(a.comment_lines, b.comment_lines) << label;
    EXPECT_EQ(a.target_name, b.target_name) << label;
    // The report lists each file once, in the order the rules name them:
    // primary sources keep their order, included files theirs.
    for (bool primary : {true, false}) {
        std::vector<source_entry> x = of_kind(a, primary), y = of_kind(b, primary);
        ASSERT_EQ(x.size(), y.size()) << label;
        for (size_t i = 0; i < x.size(); ++i) {
            EXPECT_EQ(x[i].name, y[i].name) << label;
            EXPECT_EQ(x[i].type, y[i].type) << label;
        }
    }
}

make_model full_model(void)
{
    make_model m;
    m.comment_lines = {"##########", "# Projekt f\xfcr J\xf6rg's Platine", "# folder C:\\p\\",
                       "#", "#   blanks  kept"};
    m.rom_start = 0x2000;
    m.ram_start = 0xFFFF;
    m.linker_args = "-c -x";
    m.libraries = "-lC:\\biblioth\xe8que\\sio.lib extra.obj";
    m.sio_type = 'D';
    m.memory_model = 2;
    m.smart_printf = 0;
    m.gen_hex = 1;
    m.strip = 1;
    m.listing = 1;
    m.expand_debug = 1;
    m.assembler_args = "-t4 -iC:\\inc\\";
    m.cpu_nsec = 9999;
    m.debug_level = 2;
    m.optimise = 2;
    m.compiler_args = "-dAD_C515 -dBAUDRATE=9600";
    m.target_name = "main";
    m.sources = {{"main.c", SOURCE_C},       {"board.h", SOURCE_H},
                 {"..\\lib\\io.s51", SOURCE_S51}, {"..\\inc\\regs.def", SOURCE_DEF},
                 {"sub\\util.c", SOURCE_C},   {"sub\\util.inc", SOURCE_INC}};
    return m;
}

make_model plain_model(void)
{
    make_model m;
    m.listing = 0; // "MORRINFLAGS =" alone
    m.target_name = "prog";
    m.sources = {{"prog.s51", SOURCE_S51}};
    m.gen_omf = 1;
    return m;
}

// Fifty sources with long names, one of them deeper than the old 260-byte
// paths; the rule lines stay within the make tool's line length.
make_model large_model(void)
{
    make_model m;
    m.target_name = "module_with_a_long_name_00";
    std::string deep;
    for (int i = 0; i < 20; ++i)
        deep += "folder_level_" + std::to_string(i) + "\\";
    for (size_t i = 0; i < max_sources; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%02u", static_cast<unsigned>(i));
        std::string name = "module_with_a_long_name_" + std::string(number) + ".s51";
        m.sources.push_back({i == 49 ? deep + name : name, SOURCE_S51});
    }
    EXPECT_GT(m.sources.back().name.size(), 260u);
    for (int i = 0; i < 1000; ++i)
        m.comment_lines.push_back("# line " + std::to_string(i));
    return m;
}

TEST(RoundTrip, WrittenModelsReadBackThroughTheMakeTool)
{
    struct row {
        const char* label;
        make_model model;
    } rows[] = {{"full", full_model()}, {"plain", plain_model()}, {"large", large_model()}};
    const std::string base = test_dir();
    for (row& r : rows) {
        const std::string dir = join_path(base, std::string("Projekt M\xfcller ") + r.label);
        std::filesystem::create_directories(dir);
        r.model.makefile_path = join_path(dir, "project.mak");
        recording_sink sink;
        wiz_messages messages(sink);
        ASSERT_EQ(write_make_file(r.model, messages), 0) << r.label;
        set_realistic_environment();
        ASSERT_EQ(run_make_report(r.model.makefile_path), 0)
            << r.label << "\n"
            << read_file(join_path(dir, "error.out"));
        make_model back;
        EXPECT_EQ(read_make_report(back, r.model.makefile_path, messages), 0) << r.label;
        EXPECT_TRUE(sink.shown.empty()) << r.label << ": " << sink.shown.front().text;
        expect_same(r.model, back, r.label);
        // Written again, the makefile is the same.
        EXPECT_EQ(make_file_text(back), make_file_text(r.model)) << r.label;
    }
}

// Reports that name a file twice or give a compiler option twice (a report
// holds whatever the environment's values hold): the model read keeps each
// file once and takes every place of an option out of the compiler's own
// options, the last counting, so that the makefile written from it reads
// back the same.
TEST(RoundTrip, RepeatedSourcesAndOptionsOfAReportReadBackTheSame)
{
    struct row {
        const char* label;
        std::vector<std::string> report;
        std::vector<std::string> sources;
        int debug_level, memory_model, optimise, cpu_nsec;
        const char* compiler_args;
    } rows[] = {
        {"file named twice",
         {"Target: 'main.hex'", "Source: 'main.c'", "Source: 'inc\\board.h'",
          "Source: 'INC/Board.h'", "Source: 'main.c'"},
         {"main.c", "inc\\board.h"}, 1, 1, 1, 1000, ""},
        {"options given twice",
         {"Target: 'main.bin'", "Source: 'main.c'",
          "Macro: 'C51FLAGS' = '-g1 -dCPU_NSEC=100 -large -size -dX -g2 -large -size "
          "-dCPU_NSEC=200'"},
         {"main.c"}, 2, 2, 1, 200, "-dX"},
    };
    set_realistic_environment();
    for (const row& r : rows) {
        recording_sink sink;
        wiz_messages messages(sink);
        make_model m;
        m.makefile_path = join_path(test_dir(r.label), "project.mak");
        ASSERT_EQ(read_make_report_lines(m, r.report, messages), 0) << r.label;
        std::vector<std::string> names;
        for (const source_entry& s : m.sources)
            names.push_back(s.name);
        EXPECT_EQ(names, r.sources) << r.label;
        EXPECT_EQ(m.debug_level, r.debug_level) << r.label;
        EXPECT_EQ(m.memory_model, r.memory_model) << r.label;
        EXPECT_EQ(m.optimise, r.optimise) << r.label;
        EXPECT_EQ(m.cpu_nsec, r.cpu_nsec) << r.label;
        EXPECT_EQ(m.compiler_args, r.compiler_args) << r.label;

        ASSERT_EQ(write_make_file(m, messages), 0) << r.label;
        ASSERT_EQ(run_make_report(m.makefile_path), 0) << r.label;
        make_model back;
        EXPECT_EQ(read_make_report(back, m.makefile_path, messages), 0) << r.label;
        EXPECT_TRUE(sink.shown.empty()) << r.label << ": " << sink.shown.front().text;
        expect_same(m, back, r.label);
    }
}

// Every source name and option text the checks let through reads back the
// same through the make tool; what it would read otherwise (another name, a
// cut value, a line it refuses) is refused with a message before anything
// is written.
TEST(RoundTrip, NamesAndOptionsTheMakeToolCannotReadAreRefused)
{
    struct row {
        const char* name;    // a second source beside main.c
        const char* option;  // the compiler's options
        bool accepted;
    } rows[] = {
        {"io.s51", "-dport=1 -dx", true},
        {"sub\\io_2.s51", "-dmask=0ffh -i..\\inc\\", true},
        {"../lib/io.s51", "-dx=a:b", true},
        {".\\io.s51", "", true},
        {"c:\\lib\\io.s51", "", true},
        {"my io.s51", "", false},
        {"io#2.s51", "", false},
        {"io$(x).s51", "", false},
        {"io=2.s51", "", false},
        {"io;2.s51", "", false},
        {"m\xfcller.s51", "", false},
        {".io.s51", "", false},
        {"\\lib\\io.s51", "", false},
        {"io.s51", "-dport=#1 -dx", false},
        {"io.s51", "-dmask=$ff", false},
    };
    set_realistic_environment();
    int number = 0;
    for (const row& r : rows) {
        const std::string label = std::string(r.name) + " / " + r.option;
        const std::string dir = test_dir(std::to_string(++number));
        make_model m = plain_model();
        m.makefile_path = join_path(dir, "project.mak");
        m.target_name = "main";
        m.sources = {{"main.c", SOURCE_C}, {r.name, SOURCE_S51}};
        m.compiler_args = r.option;
        recording_sink sink;
        wiz_messages messages(sink);
        if (!r.accepted) {
            EXPECT_FALSE(save_project(m, std::string(), false, messages)) << label;
            EXPECT_FALSE(std::filesystem::exists(m.makefile_path)) << label;
            ASSERT_EQ(sink.texts(WIZ_ERROR).size(), 1u) << label;
            const std::string text = sink.texts(WIZ_ERROR)[0];
            EXPECT_NE(text.find(*r.option ? r.option : r.name), std::string::npos) << text;
            // Added through the form, such a name is refused at once.
            if (!*r.option) {
                make_model added = plain_model();
                added.makefile_path = m.makefile_path;
                EXPECT_FALSE(add_source(added, join_path(dir, r.name), messages)) << label;
                EXPECT_EQ(added.sources.size(), 1u) << label;
            }
            continue;
        }
        ASSERT_TRUE(save_project(m, std::string(), false, messages)) << label;
        ASSERT_EQ(run_make_report(m.makefile_path), 0)
            << label << "\n"
            << read_file(join_path(dir, "error.out"));
        make_model back;
        EXPECT_EQ(read_make_report(back, m.makefile_path, messages), 0) << label;
        EXPECT_TRUE(sink.shown.empty()) << label << ": " << sink.shown.front().text;
        ASSERT_EQ(back.sources.size(), 2u) << label;
        std::string name = r.name;
        for (char& c : name)
            if (c == '/')
                c = '\\';
        EXPECT_EQ(back.sources[1].name, name) << label;
        EXPECT_EQ(back.compiler_args, m.compiler_args) << label;
    }
}

} // namespace
