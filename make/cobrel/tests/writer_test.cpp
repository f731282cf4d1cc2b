// The makefile and workspace writers against golden files, and how they
// write to disk: whole files through a temporary, the system's line ends,
// questions and messages.
#include "cobrel_test_util.h"

#include "make/cobrel/makefile_writer.h"
#include "make/cobrel/text_file.h"
#include "make/cobrel/workspace_writer.h"

#include "editor/tools/diag_parse.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

make_model example_model(void)
{
    make_model m;
    m.makefile_path = "C:\\p\\mk\\main.mak";
    m.comment_lines = new_makefile_comments(m.makefile_path);
    m.target_name = "main";
    m.sources = {{"main.c", SOURCE_C}, {"io.s51", SOURCE_S51}, {"board.h", SOURCE_H}};
    m.ram_start = 0x8000;
    m.gen_hex = 1;
    return m;
}

make_model options_model(void)
{
    make_model m;
    m.makefile_path = "C:\\p\\mk\\app.mak";
    m.comment_lines = {"plain note", "# hashed"};
    m.rom_start = 0x2000;
    m.ram_start = 0xE000;
    m.linker_args = "-c -iC:\\lib\\";  // ends in the make tool's line joiner
    m.libraries = "-lsio.lib extra.obj";
    m.sio_type = 'P';
    m.memory_model = 2;
    m.smart_printf = 0;
    m.gen_omf = 1;
    m.strip = 1;
    m.listing = 0;
    m.expand_debug = 1;
    m.assembler_args = "-t4";
    m.cpu_nsec = 620;
    m.debug_level = 0;
    m.optimise = 2;
    m.compiler_args = "-dAD_C515";
    m.target_name = "app";
    m.sources = {{"app.c", SOURCE_C},         {"app.h", SOURCE_H},
                 {"..\\src\\util.c", SOURCE_C}, {"..\\inc\\regs.def", SOURCE_DEF},
                 {"web\\page.htm", SOURCE_HTM}};
    return m;
}

TEST(MakefileText, MatchesGoldenFiles)
{
    EXPECT_EQ(make_file_text(example_model()), read_file(golden_path("example.mak")));
    EXPECT_EQ(make_file_text(options_model()), read_file(golden_path("options.mak")));
}

TEST(MakefileText, StripNeedsAConvertedImage)
{
    make_model m = example_model();
    m.gen_hex = 0;
    m.strip = 1;
    const std::string text = make_file_text(m);
    EXPECT_EQ(text.find("B2HFLAGS"), std::string::npos);
    EXPECT_EQ(text.find("main.hex"), std::string::npos);
    m.gen_hex = 1;
    m.gen_omf = 1; // hex wins when both are set
    EXPECT_NE(make_file_text(m).find("B2HFLAGS = -s\nMORRINFLAGS"), std::string::npos);
    EXPECT_EQ(make_file_text(m).find(".omf"), std::string::npos);
}

class Writing : public testing::Test {
protected:
    Writing() : messages(sink) {}
    recording_sink sink;
    wiz_messages messages;
};

TEST_F(Writing, MakefileReplacesTheOldOneWhole)
{
    const std::string dir = test_dir();
    make_model m = example_model();
    m.makefile_path = join_path(dir, "main.mak");
    write_file(m.makefile_path, std::string(5000, 'x'));
    EXPECT_EQ(write_make_file(m, messages), 0);
    const std::string written = read_file(m.makefile_path);
#ifdef _WIN32
    EXPECT_NE(written.find("C51FLAGS = -dCPU_NSEC=1000\r\n\r\nmain.obj"), std::string::npos);
#endif
    EXPECT_EQ(without_cr(written), make_file_text(m));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary left behind";
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Writing, MakefileFailures)
{
    const std::string dir = test_dir();
    make_model m = example_model();
    m.makefile_path.clear();
    EXPECT_EQ(write_make_file(m, messages), 1);
    m.makefile_path = join_path(join_path(dir, "missing"), "main.mak");
    EXPECT_EQ(write_make_file(m, messages), 2);
    // A folder in the makefile's place stays as it is.
    m.makefile_path = join_path(dir, "taken.mak");
    std::filesystem::create_directory(m.makefile_path);
    write_file(join_path(m.makefile_path, "inside"), "kept");
    EXPECT_EQ(write_make_file(m, messages), 3);
    EXPECT_EQ(read_file(join_path(m.makefile_path, "inside")), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary left behind";
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{
                  "No Filename for MAKE-File!",
                  "Can't open MAKE-File '" + join_path(join_path(dir, "missing"), "main.mak") +
                      "'!!!",
                  "Can't open MAKE-File '" + m.makefile_path + "'!!!"}));
}

make_model workspace_model(void)
{
    make_model m;
    m.makefile_path = "C:\\p\\mk\\a.mak";
    m.target_name = "main";
    m.sources = {{"main.c", SOURCE_C},
                 {"..\\src\\io.s51", SOURCE_S51},
                 {"inc\\board.h", SOURCE_H},
                 {"D:\\lib\\sio.h", SOURCE_H}};
    return m;
}

TEST_F(Writing, WorkspaceMarkersAndOpenFiles)
{
    std::vector<std::string> lines;
    ASSERT_TRUE(read_text_lines(golden_path("markers.dat"), &lines));
    EXPECT_EQ(workspace_text(workspace_model(), lines, "C:\\suite\\bin", messages),
              read_file(golden_path("markers.wsp")));
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"Illegal line: 'Mail=user@example.org' ignored",
                                        "Illegal line: 'Bad=@9' ignored"}));
}

TEST_F(Writing, WorkspaceFromTheProgramsTemplate)
{
    make_model m;
    m.makefile_path = "C:\\p\\mk\\demo.mak";
    m.target_name = "main";
    m.sources = {{"main.c", SOURCE_C}, {"..\\lib\\io.s51", SOURCE_S51}, {"inc\\board.h", SOURCE_H}};
    std::vector<std::string> lines;
    ASSERT_TRUE(read_text_lines(host_path(COBREL_TEMPLATE_PATH), &lines));
    EXPECT_EQ(workspace_text(m, lines, "C:\\suite\\bin", messages),
              read_file(golden_path("project.wsp")));
    EXPECT_TRUE(sink.shown.empty());
}

// Every tool of the workspace reads the output in a message format under
// which the suite's own diagnostics lead to their file and line: the
// assembler's and the linker's (with a library member).
TEST_F(Writing, TheWorkspacesToolsReadTheSuitesOwnDiagnostics)
{
    make_model m;
    m.makefile_path = "C:\\p\\mk\\demo.mak";
    m.target_name = "main";
    m.sources = {{"main.s51", SOURCE_S51}};
    std::vector<std::string> lines;
    ASSERT_TRUE(read_text_lines(host_path(COBREL_TEMPLATE_PATH), &lines));
    std::istringstream text(workspace_text(m, lines, "C:\\suite\\bin", messages));
    const struct {
        const char* line;
        int number;
    } diagnostics[] = {
        {"main.s51 10: Error: no segment set ('mov a,#')", 10},
        {"Error: main.s51 12: label 'delay' undefined", 12},
        {"Warning: main.s51 7: (in delay.lib): value out of range", 7},
    };
    int tools = 0;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, 9, "Compiler=") != 0)
            continue;
        ++tools;
        diag::Format format = diag::FormatFromName(line.substr(9));
        ASSERT_NE(format, diag::Format::kNone) << line;
        for (const auto& d : diagnostics) {
            // The pane: the command line the runner writes, then the message.
            const std::string pane = std::string("C:\\suite\\bin\\gravik.exe -ex -fdemo.mak\r") + d.line + "\r";
            diag::Target target = diag::ParseOutputLine(format, pane, pane.find('\r') + 3);
            EXPECT_EQ(target.action, diag::Action::kJump) << line << ": " << d.line;
            EXPECT_EQ(target.file, "main.s51") << line << ": " << d.line;
            EXPECT_EQ(target.line, d.number) << line << ": " << d.line;
        }
    }
    EXPECT_EQ(tools, 2);
}

TEST_F(Writing, WorkspaceOnDisk)
{
    const std::string dir = test_dir();
    const std::string program_dir = join_path(dir, "bin");
    std::filesystem::create_directory(program_dir);
    make_model m;
    m.makefile_path = join_path(dir, "demo.mak");
    m.target_name = "demo";
    m.sources = {{"demo.s51", SOURCE_S51}};
    const std::string wsp = join_path(dir, "demo.wsp");

    // No template: nothing written.
    EXPECT_EQ(write_workspace(m, program_dir, messages), -1);
    EXPECT_FALSE(file_exists(wsp));
    write_file(join_path(program_dir, "ovanta_tmp.dat"), "[A]\r\nExe=@2\r\n[OpenFiles]\r\n");

    EXPECT_EQ(write_workspace(m, program_dir, messages), 0);
    const std::string expected = "[A]\nExe=" + join_path(program_dir, "gravik.exe") +
                                 "\n[OpenFiles]\nFile1=" + join_path(dir, "demo.s51") +
                                 ",0,0,5BFE4860,1C41BAD\n";
    EXPECT_EQ(without_cr(read_file(wsp)), expected);
    // An existing workspace is replaced only when the user agrees.
    write_file(wsp, "old");
    sink.answers = {false};
    EXPECT_EQ(write_workspace(m, program_dir, messages), -1);
    EXPECT_EQ(read_file(wsp), "old");
    sink.answers = {true};
    EXPECT_EQ(write_workspace(m, program_dir, messages), 0);
    EXPECT_EQ(without_cr(read_file(wsp)), expected);
    EXPECT_EQ(sink.questions,
              (std::vector<std::string>(2, "Write Ovanta-Workspace?: Ovanta-Workspace '" + wsp +
                                               "' already exists!\nOk to overwrite?")));

    m.makefile_path = join_path(dir, "noextension");
    EXPECT_EQ(write_workspace(m, program_dir, messages), -1);
    EXPECT_EQ(sink.texts(WIZ_ERROR),
              (std::vector<std::string>{"Can't open Ovanta-Template '" +
                                            join_path(program_dir, "ovanta_tmp.dat") +
                                            "', no Workspace written.",
                                        "No MAKE-File: '" + m.makefile_path + "'"}));
    EXPECT_EQ(sink.texts(WIZ_INFO),
              (std::vector<std::string>(2, "Ovanta-Workspace '" + wsp +
                                               "' written.\nPlease Reload Workspace in Ovanta.")));
    EXPECT_EQ(sink.shown.back().level, WIZ_ERROR);
}

} // namespace
