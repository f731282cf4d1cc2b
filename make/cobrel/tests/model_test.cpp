// The model's own rules: trimming, options inside macro values, names and
// paths, the checks before saving, adding sources and the message count.
#include "cobrel_test_util.h"

#include "make/cobrel/macro_options.h"
#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, BlanksAreControlBytesAndSpaceOnly)
{
    struct row {
        std::string in, out;
    } rows[] = {
        {"  main.c \t\r\n", "main.c"},
        {"caf\xe9", "caf\xe9"},                     // a name ending in an accented letter
        {"\xe9t\xe9 ", "\xe9t\xe9"},                // and beginning with one
        {"C:\\Users\\J\xf6rg\\p.mak", "C:\\Users\\J\xf6rg\\p.mak"},
        {" \xa0x\xa0 ", "\xa0x\xa0"},               // 0xA0 is a letter byte, not a blank
        {"   ", ""},
        {"", ""},
    };
    for (const row& r : rows)
        EXPECT_EQ(copy_trimmed(r.in), r.out) << r.in;
}

TEST(ExtractOption, CutsTheRunAndReturnsTheArgument)
{
    struct row {
        std::string value, prefix;
        bool whole;
        bool found;
        std::string argument, rest;
    } rows[] = {
        {"-r$2000,$8000 -c", "-r", false, true, "$2000,$8000", "-c"},
        {"-c -R$10", "-r", false, true, "$10", "-c"},
        {"-s x-r5 -m", "-r", false, true, "5", "-s -m"},  // the whole run goes
        {"-g -d -t4", "-d", true, true, "", "-g -t4"},
        {"-dX -d", "-d", true, false, "", "-dX -d"},        // the first place decides
        {"-t4", "-g", true, false, "", "-t4"},
        {"-dCPU_NSEC=620 -g2", "-dCPU_NSEC=", false, true, "620", "-g2"},
        {"-large", "-large", true, true, "", ""},
        {"-I\xe9t\xe9 -g", "-g", true, true, "", "-I\xe9t\xe9"},
    };
    for (const row& r : rows) {
        std::string value = r.value;
        std::string arg = "unchanged";
        EXPECT_EQ(extract_option(value, r.prefix, r.whole, &arg), r.found) << r.value;
        EXPECT_EQ(value, r.rest) << r.value;
        if (r.found) {
            EXPECT_EQ(arg, r.argument) << r.value;
        }
    }
}

TEST(Names, TypesBaseNamesAndTargets)
{
    EXPECT_EQ(source_type_of("main.C"), SOURCE_C);
    EXPECT_EQ(source_type_of("io.S51"), SOURCE_S51);
    EXPECT_EQ(source_type_of("page.HTML"), SOURCE_HTML);
    EXPECT_EQ(source_type_of("board.h"), SOURCE_H);
    EXPECT_EQ(source_type_of("x.def"), SOURCE_DEF);
    EXPECT_EQ(source_type_of("start.a51"), SOURCE_UNKNOWN);
    EXPECT_EQ(source_type_of("..\\src.c\\readme"), SOURCE_UNKNOWN); // the dot is a folder's
    EXPECT_EQ(base_name_of("..\\src\\main.c"), "..\\src\\main");
    make_model m;
    m.sources = {{"main.c", SOURCE_C}, {"board.h", SOURCE_H}, {"web\\logo.gif", SOURCE_GIF},
                 {"io.s51", SOURCE_S51}};
    EXPECT_EQ(target_candidates(m), (std::vector<std::string>{"main", "web\\logo", "io"}));
}

TEST(Paths, RelativeNamesFromTheMakefileFolder)
{
    struct row {
        std::string makefile, chosen, relative;
    } rows[] = {
        {"C:\\p\\mk\\a.mak", "C:\\p\\src\\x.c", "..\\src\\x.c"},
        {"C:\\p\\mk\\a.mak", "C:\\p\\mk\\x.c", "x.c"},
        {"C:\\p\\mk\\a.mak", "C:\\p\\mk\\inc\\x.h", "inc\\x.h"},
        {"C:\\p\\mk\\a.mak", "C:\\p\\mkx\\y.c", "..\\mkx\\y.c"},
        {"C:\\p\\mk\\deep\\a.mak", "C:\\q.c", "..\\..\\..\\q.c"},
        {"C:\\p\\a.mak", "D:\\p\\x.c", "D:\\p\\x.c"},  // another drive: kept whole
        {"/home/u/p/a.mak", "/home/u/src/x.c", "../src/x.c"},
    };
    for (const row& r : rows) {
        EXPECT_EQ(relative_source_name(r.makefile, r.chosen), r.relative) << r.chosen;
        // And back to the chosen file.
        EXPECT_EQ(full_source_path(r.makefile, r.relative), r.chosen) << r.chosen;
    }
    EXPECT_EQ(full_source_path("C:\\p\\mk\\a.mak", "..\\..\\..\\x.c"), "C:\\x.c");
    EXPECT_EQ(full_source_path("/p/mk/a.mak", ".\\src\\..\\x.c"), "/p/mk/x.c");
}

TEST(Paths, ProgramFilesAndCommands)
{
    std::string dir, ini;
    init_paths("C:\\suite.1\\bin\\cobrel.exe", &dir, &ini);
    EXPECT_EQ(dir, "C:\\suite.1\\bin");
    EXPECT_EQ(ini, "C:\\suite.1\\bin\\cobrel.ini");
    init_paths("C:\\suite.1\\cobrel", &dir, &ini);
    EXPECT_EQ(ini, "C:\\suite.1\\cobrel.ini");
    init_paths("cobrel.exe", &dir, &ini);
    EXPECT_EQ(dir, ".");
    EXPECT_EQ(make_report_command("C:\\suite\\bin", "C:\\p\\a.mak"),
              "C:\\suite\\bin\\gravik -fC:\\p\\a.mak -a -e");
    EXPECT_EQ(make_report_command("C:\\Program Files\\suite", "C:\\My Projects\\a.mak"),
              "\"C:\\Program Files\\suite\\gravik\" \"-fC:\\My Projects\\a.mak\" -a -e");
    EXPECT_EQ(workspace_path_of("C:\\p.x\\demo.mak"), "C:\\p.x\\demo.wsp");
    EXPECT_EQ(workspace_path_of("C:\\p.x\\demo"), "");
}

class Check : public testing::Test {
protected:
    Check() : messages(sink)
    {
        model.makefile_path = "C:\\p\\a.mak";
        model.target_name = "main";
    }
    recording_sink sink;
    wiz_messages messages;
    make_model model;
};

TEST_F(Check, GoodModelPasses)
{
    model.sources = {{"main.c", SOURCE_C}, {"io.s51", SOURCE_S51}, {"main.h", SOURCE_H}};
    EXPECT_EQ(check_model(model, messages), 0);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Check, MissingTargetAndSources)
{
    model.target_name.clear();
    EXPECT_EQ(check_model(model, messages), 1);
    model.target_name = "main";
    model.sources = {{"main.h", SOURCE_H}};
    EXPECT_EQ(check_model(model, messages), 2);
    model.sources.push_back({"other.c", SOURCE_C});
    EXPECT_EQ(check_model(model, messages), 3);
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{
                  "No Target found in 'C:\\p\\a.mak'\n",
                  "No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) found in 'C:\\p\\a.mak'\n",
                  "No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) corresponding to the Target "
                  "'main' in 'C:\\p\\a.mak'\n"}));
}

TEST_F(Check, NameConflictsAreReportedInBothOrders)
{
    model.sources = {{"main.c", SOURCE_C}, {"Main.s51", SOURCE_S51}, {"main.h", SOURCE_H}};
    EXPECT_EQ(check_model(model, messages), 2);
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"Name conflict for Sourcefile 'main.c' and 'Main.s51'",
                                        "Name conflict for Sourcefile 'Main.s51' and 'main.c'"}));
}

TEST_F(Check, TenthErrorEndsWithTooManyErrors)
{
    for (int i = 0; i < 5; ++i)
        model.sources.push_back({"m" + std::string(1, char('a' + i)) + ".c", SOURCE_C});
    for (int i = 0; i < 5; ++i)
        model.sources.push_back({"M" + std::string(1, char('a' + i)) + ".s51", SOURCE_S51});
    check_model(model, messages);
    ASSERT_EQ(sink.texts(WIZ_FATAL), (std::vector<std::string>{"Too many errors"}));
    EXPECT_EQ(sink.shown.back().level, WIZ_FATAL) << "nothing is shown after the fatal message";
    EXPECT_EQ(sink.shown.back().title, "Fatal Error");
}

TEST_F(Check, AddingSources)
{
    const std::string dir = test_dir();
    model.makefile_path = join_path(dir, "a.mak");
    write_file(join_path(dir, "main.c"), "");
    EXPECT_TRUE(add_source(model, join_path(dir, "main.c"), messages));
    EXPECT_TRUE(model.dirty);
    EXPECT_FALSE(add_source(model, join_path(dir, "MAIN.C"), messages));
    EXPECT_FALSE(add_source(model, join_path(dir, "notes.txt"), messages));
    EXPECT_TRUE(add_source(model, join_path(dir, "absent.s51"), messages)); // warned, kept
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"File 'MAIN.C' already added to the list",
                                        "File '" + join_path(dir, "notes.txt") +
                                            "' is not an allowed type"}));
    // (A file system that tells letter cases apart also warns about MAIN.C.)
    EXPECT_EQ(sink.texts(WIZ_WARNING).back(),
              "File 'absent.s51' does not exist in Directory '" + dir + "'");
    EXPECT_EQ(model.sources.size(), 2u);
    EXPECT_EQ(model.sources[0].name, "main.c");
    while (model.sources.size() < max_sources)
        model.sources.push_back({"s" + std::to_string(model.sources.size()) + ".c", SOURCE_C});
    EXPECT_FALSE(add_source(model, join_path(dir, "one_more.c"), messages));
    EXPECT_EQ(model.sources.size(), max_sources);
    EXPECT_TRUE(remove_source(model, 0));
    EXPECT_EQ(model.sources[0].name, "absent.s51");
    EXPECT_FALSE(remove_source(model, max_sources));
}

TEST(NewMakefile, CommentBlockAndDefaults)
{
    std::vector<std::string> lines = new_makefile_comments("C:\\p\\demo.mak");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::string(46, '#'));
    EXPECT_EQ(lines[1], "# Project: C:\\p\\demo.mak");
    EXPECT_EQ(lines[2], "# (generated with Cobrel)");
    EXPECT_EQ(lines[3].rfind("# Rysk ANSI C Compiler - ", 0), 0u);
    EXPECT_EQ(lines[4], lines[0]);
    make_model m;
    m.cpu_nsec = 0;
    m.debug_level = 3;
    m.rom_start = 0x10000;
    m.ram_start = -1;
    repair_ranges(m);
    EXPECT_EQ(m.cpu_nsec, 1000);
    EXPECT_EQ(m.debug_level, 1);
    EXPECT_EQ(m.rom_start, 0);
    EXPECT_EQ(m.ram_start, 0);
}

} // namespace

namespace {

TEST(Messages, LongTextsArriveWholeWithTheirTitles)
{
    recording_sink sink;
    wiz_messages messages(sink);
    const std::string path = "C:\\" + std::string(3000, 'd') + "\\a.mak";
    messages.error_box("Can't open MAKE-File '%s'!!!", path.c_str());
    messages.warning_box("%s", "w");
    messages.info_box("Title", "i");
    ASSERT_EQ(sink.shown.size(), 3u);
    EXPECT_EQ(sink.shown[0].text, "Can't open MAKE-File '" + path + "'!!!");
    EXPECT_EQ(sink.shown[0].title, "Error");
    EXPECT_EQ(sink.shown[1].title, "Warning");
    EXPECT_EQ(sink.shown[2].title, "Title");
    EXPECT_EQ(messages.error_count(), 1);
    messages.reset_errors();
    EXPECT_EQ(messages.error_count(), 0);
}

} // namespace
