// What the form shows for a model and what it gives back, the recent-file
// list, and the buttons' work from a new makefile to a saved and reloaded
// project through the real make tool.
#include "cobrel_test_util.h"

#include "make/cobrel/form_transfer.h"
#include "make/cobrel/project_actions.h"
#include "make/cobrel/wiz_paths.h"

#include "common/os.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

TEST(ModelToForm, ControlsShowTheModel)
{
    make_model m;
    m.cpu_nsec = 620;
    m.optimise = 2;
    m.memory_model = 2;
    m.debug_level = 0;
    m.listing = 0;
    m.expand_debug = 1;
    m.rom_start = 0x2000;
    m.ram_start = 0xab;
    m.sio_type = 'P';
    m.gen_omf = 1;
    m.target_name = "io";
    m.sources = {{"main.c", SOURCE_C}, {"board.h", SOURCE_H}, {"io.s51", SOURCE_S51}};
    wiz_form_values f = model_to_form(m);
    EXPECT_EQ(f.cpu_speed, "620");
    EXPECT_EQ(f.optimise_index, 1);
    EXPECT_EQ(f.model_index, 1);
    EXPECT_EQ(f.debug_index, 0);
    EXPECT_FALSE(f.listing);
    EXPECT_TRUE(f.expand_debug);
    EXPECT_EQ(f.rom_start, "2000");
    EXPECT_EQ(f.ram_start, "00AB");
    EXPECT_EQ(f.sio_index, 2);
    EXPECT_TRUE(f.strip_enabled);
    EXPECT_EQ(f.sources, (std::vector<std::string>{"main.c", "board.h", "io.s51"}));
    EXPECT_EQ(f.target_items, (std::vector<std::string>{"main", "io"}));
    EXPECT_EQ(f.target_index, 1);
    EXPECT_TRUE(f.target_enabled && f.add_source_enabled && f.delete_source_enabled);

    make_model empty;
    empty.cpu_nsec = 10000;
    empty.debug_level = -1;
    empty.rom_start = 0x10000;
    empty.sio_type = 'x';
    f = model_to_form(empty);
    EXPECT_EQ(f.cpu_speed, "1000");
    EXPECT_EQ(empty.cpu_nsec, 1000) << "the model is repaired too";
    EXPECT_EQ(f.debug_index, 1);
    EXPECT_EQ(f.rom_start, "0000");
    EXPECT_EQ(f.sio_index, 0);
    EXPECT_FALSE(f.strip_enabled || f.target_enabled || f.delete_source_enabled);
    EXPECT_EQ(f.target_index, -1);
}

TEST(FormToModel, EachChangedControlMarksTheModelChanged)
{
    const std::vector<std::function<void(wiz_form_values&)>> edits = {
        [](wiz_form_values& f) { f.cpu_speed = "620"; },
        [](wiz_form_values& f) { f.compiler_args = "-dX"; },
        [](wiz_form_values& f) { f.optimise_index = 1; },
        [](wiz_form_values& f) { f.model_index = 1; },
        [](wiz_form_values& f) { f.debug_index = 2; },
        [](wiz_form_values& f) { f.expand_debug = true; },
        [](wiz_form_values& f) { f.listing = false; },
        [](wiz_form_values& f) { f.assembler_args = "-t4"; },
        [](wiz_form_values& f) { f.rom_start = "2000"; },
        [](wiz_form_values& f) { f.ram_start = "8000"; },
        [](wiz_form_values& f) { f.linker_args = "-c"; },
        [](wiz_form_values& f) { f.libraries = "x.obj"; },
        [](wiz_form_values& f) { f.sio_index = 1; },
        [](wiz_form_values& f) { f.smart_printf = false; },
        [](wiz_form_values& f) { f.gen_hex = true; },
        [](wiz_form_values& f) { f.gen_omf = true; },
        [](wiz_form_values& f) { f.strip = true; },
    };
    recording_sink sink;
    wiz_messages messages(sink);
    make_model m;
    form_to_model(model_to_form(m), m, messages);
    EXPECT_FALSE(m.dirty) << "an unchanged form changes nothing";
    // Blanks around a text are no change either.
    wiz_form_values f = model_to_form(m);
    f.compiler_args = "  ";
    f.cpu_speed = " 1000 ";
    form_to_model(f, m, messages);
    EXPECT_FALSE(m.dirty);
    for (size_t i = 0; i < edits.size(); ++i) {
        make_model fresh;
        wiz_form_values changed = model_to_form(fresh);
        edits[i](changed);
        form_to_model(changed, fresh, messages);
        EXPECT_TRUE(fresh.dirty) << "edit " << i;
        EXPECT_EQ(model_to_form(fresh).cpu_speed, changed.cpu_speed) << "edit " << i;
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST(FormToModel, CpuSpeedRangeTextsAndComments)
{
    recording_sink sink;
    wiz_messages messages(sink);
    make_model m;
    wiz_form_values f = model_to_form(m);
    for (const char* speed : {"0", "10000", "fast"}) {
        f.cpu_speed = speed;
        form_to_model(f, m, messages);
        EXPECT_EQ(m.cpu_nsec, 1000);
    }
    EXPECT_EQ(sink.texts(WIZ_WARNING),
              (std::vector<std::string>{
                  "CPU-Speed '0' not allowed, fixed to 1000 (nsec/Instr.)",
                  "CPU-Speed '10000' not allowed, fixed to 1000 (nsec/Instr.)",
                  "CPU-Speed '0' not allowed, fixed to 1000 (nsec/Instr.)"}));
    f.linker_args = "  -c \xe9 ";
    f.comment_lines = {"# one", std::string(2000, 'x')};
    for (int i = 0; i < 1100; ++i)
        f.comment_lines.push_back("# more");
    m.dirty = false;
    form_to_model(f, m, messages);
    EXPECT_EQ(m.linker_args, "-c \xe9");
    EXPECT_EQ(m.comment_lines.size(), max_comment_lines);
    EXPECT_EQ(m.comment_lines[1].size(), max_comment_length);
    f.linker_args = m.linker_args;
    m.dirty = false;
    f.comment_lines = {"# only"};
    form_to_model(f, m, messages);
    EXPECT_EQ(m.comment_lines, (std::vector<std::string>{"# only"}));
    EXPECT_FALSE(m.dirty) << "the memo marks its own changes";
}

TEST(History, CurrentMakefileOnTopWithoutDuplicates)
{
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i)
        items.push_back("C:\\p\\m" + std::to_string(i) + ".mak");
    EXPECT_EQ(update_history(items, "C:\\P\\M3.MAK"), 0);
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items[0], "C:\\P\\M3.MAK");
    EXPECT_EQ(items[1], "C:\\p\\m0.mak");
    EXPECT_EQ(items[3], "C:\\p\\m2.mak");
    EXPECT_EQ(items[4], "C:\\p\\m4.mak");
    EXPECT_EQ(update_history(items, "C:\\new.mak"), 0);
    EXPECT_EQ(items.size(), 16u);
    EXPECT_EQ(update_history(items, ""), -1);
    EXPECT_EQ(items.size(), 15u);
}

// The make tool run as the window program runs it, from the build's
// program folder (where the workspace template lies too).
class Project : public testing::Test {
protected:
    Project() : messages(sink)
    {
        program_dir = directory_of(gravik_path());
        run = [](const std::string& command) {
            int code = -1;
            return os_run_command_line(command, &code) == OS_RUN_OK ? code : -1;
        };
        set_realistic_environment();
    }
    recording_sink sink;
    wiz_messages messages;
    std::string program_dir;
    wiz_runner run;
};

TEST_F(Project, NewMakefileSavedWithWorkspaceLoadsBack)
{
    const std::string dir = join_path(test_dir(), "Projekt \xc9t\xe9");
    std::filesystem::create_directories(join_path(dir, "src"));
    const std::string path = join_path(dir, "demo.mak");
    make_model m;
    start_new_makefile(m, path);
    EXPECT_FALSE(m.dirty);
    write_file(join_path(dir, "demo.s51"), "");
    write_file(join_path(join_path(dir, "src"), "io.s51"), "");
    write_file(join_path(dir, "demo.h"), "");
    for (const char* name : {"demo.s51", "src", "demo.h"}) {
        std::string chosen = join_path(dir, name);
        if (std::string(name) == "src")
            chosen = join_path(chosen, "io.s51");
        EXPECT_TRUE(add_source(m, chosen, messages)) << name;
    }
    wiz_form_values f = model_to_form(m);
    EXPECT_EQ(f.target_items, (std::vector<std::string>{"demo", std::string("src") +
                                                                    separator_of(path) + "io"}));
    EXPECT_TRUE(select_target(m, f.target_items[0]));
    EXPECT_FALSE(select_target(m, "DEMO"));
    f = model_to_form(m);
    f.gen_hex = true;
    f.strip = true;
    f.ram_start = "8000";
    f.assembler_args = "-t4";
    form_to_model(f, m, messages);
    ASSERT_TRUE(save_project(m, program_dir, true, messages));
    EXPECT_FALSE(m.dirty);
    EXPECT_TRUE(sink.texts(WIZ_ERROR).empty());
    EXPECT_EQ(sink.texts(WIZ_INFO).size(), 1u);
    const std::string workspace = read_file(join_path(dir, "demo.wsp"));
    EXPECT_NE(workspace.find("File2=" + join_path(join_path(dir, "src"), "io.s51") +
                             ",0,0,5BFE4860,1C41BAD"),
              std::string::npos);
    EXPECT_NE(workspace.find(join_path(program_dir, "gravik.exe")), std::string::npos);

    make_model back;
    back.dirty = true;
    ASSERT_TRUE(load_makefile(back, path, program_dir, run, messages));
    EXPECT_FALSE(back.dirty);
    wiz_form_values shown = model_to_form(back);
    EXPECT_EQ(shown.comment_lines, m.comment_lines);
    EXPECT_EQ(shown.sources, (std::vector<std::string>{"demo.s51", "demo.h", "src\\io.s51"}));
    EXPECT_EQ(shown.target_index, 0);
    EXPECT_TRUE(shown.gen_hex && shown.strip && shown.listing);
    EXPECT_EQ(shown.ram_start, "8000");
    EXPECT_EQ(shown.assembler_args, "-t4");
    EXPECT_EQ(sink.texts(WIZ_ERROR), std::vector<std::string>());

    // A pick from the name box loads the path the model already holds: the
    // model keeps it.
    make_model picked;
    picked.makefile_path = path;
    ASSERT_TRUE(load_makefile(picked, picked.makefile_path, program_dir, run, messages));
    EXPECT_EQ(picked.makefile_path, path);
    EXPECT_EQ(model_to_form(picked).sources, shown.sources);
}

TEST_F(Project, LoadFailuresKeepTheModel)
{
    const std::string dir = test_dir();
    make_model m;
    m.target_name = "kept";
    EXPECT_FALSE(load_makefile(m, join_path(dir, "project.txt"), program_dir, run, messages));
    // The make tool finds an error in the makefile.
    const std::string broken = join_path(dir, "broken.MAK");
    write_file(broken, "x.obj: x.c\n\tcommand\nX.OBJ : X.C\n");
    EXPECT_FALSE(load_makefile(m, broken, program_dir, run, messages));
    EXPECT_EQ(m.target_name, "kept");
    // The makefile is read, but it is nothing the wizard can hold.
    const std::string other = join_path(dir, "other.mak");
    write_file(other, "a.obj: a.a51\na.bin: a.obj\n");
    EXPECT_FALSE(load_makefile(m, other, program_dir, run, messages));
    EXPECT_EQ(m.makefile_path, other);
    EXPECT_EQ(m.target_name, "a");
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{
                  "Invalid MAKE-Filename '" + join_path(dir, "project.txt") + "'",
                  "Error returned from '" + make_report_command(program_dir, broken) + "'\n",
                  "Unknown Extension for Source File 'a.a51'.\nPlease use Yantel for this "
                  "MAKE-File.",
                  "No Source Files (*.C/S51/GIF/JPEG/JPG/HTM/HTML) found in '" + other + "'\n",
                  "Can't process '" + other + "'\n"}));
}

TEST_F(Project, SaveRefusesAModelThatFailsItsCheck)
{
    const std::string dir = test_dir();
    make_model m;
    start_new_makefile(m, join_path(dir, "p.mak"));
    m.dirty = true;
    EXPECT_FALSE(save_project(m, program_dir, true, messages));
    EXPECT_TRUE(m.dirty);
    EXPECT_FALSE(file_exists(join_path(dir, "p.mak")));
    EXPECT_FALSE(file_exists(join_path(dir, "p.wsp")));
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"No Target found in '" + m.makefile_path + "'\n"}));
}

} // namespace
