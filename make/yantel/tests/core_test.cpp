#include "make_command.h"
#include "view_text.h"
#include "yantel_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(YantelPaths, SettingsToolAndStartFolderComeFromTheProgramPath)
{
    struct Case {
        const char* program;
        const char* settings;
        const char* tool;
        const char* start;
    } cases[] = {
        {"C:\\suite\\bin\\yantel.exe", "C:\\suite\\bin\\yantel.ini", "C:\\suite\\bin\\gravik.exe",
         "C:\\suite"},
        {"C:\\bin\\YANTEL.EXE", "C:\\bin\\YANTEL.ini", "C:\\bin\\gravik.exe", "C:\\"},
        // A dot in a folder name is not the extension.
        {"C:\\v1.2\\tools\\yantel", "C:\\v1.2\\tools\\yantel.ini", "C:\\v1.2\\tools\\gravik.exe",
         "C:\\v1.2"},
        {"C:\\yantel.exe", "C:\\yantel.ini", "C:\\gravik.exe", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(yantel_settings_path(c.program), c.settings) << c.program;
        EXPECT_EQ(yantel_tool_path(c.program), c.tool) << c.program;
        EXPECT_EQ(yantel_start_folder(c.program), c.start) << c.program;
    }
}

TEST(MakeCommand, LineHasToolErrorFileMakefileOptionAndTarget)
{
    struct Case {
        const char* option;
        const char* target;
        const char* line;
    } cases[] = {
        {"-b", "main.hex", "C:\\s\\gravik.exe -e -fC:\\p\\app.mak -b main.hex"},
        {"", "main.hex", "C:\\s\\gravik.exe -e -fC:\\p\\app.mak main.hex"},
        {"-t", "", "C:\\s\\gravik.exe -e -fC:\\p\\app.mak -t"},
        {"", "", "C:\\s\\gravik.exe -e -fC:\\p\\app.mak"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(make_command_line("C:\\s\\gravik.exe", "C:\\p\\app.mak", c.option, c.target),
                  c.line);
}

TEST(MakeCommand, PartsWithBlanksStayOneArgumentAndLongPartsStayWhole)
{
    EXPECT_EQ(make_command_line("C:\\my tools\\gravik.exe", "C:\\my project\\app.mak", "-b", "x"),
              "\"C:\\my tools\\gravik.exe\" -e -f\"C:\\my project\\app.mak\" -b x");
    std::string folder = "C:";
    for (int i = 0; i < 30; ++i)
        folder += "\\folder_number_" + std::to_string(i);
    std::string target(200, 't');
    std::string line = make_command_line("C:\\s\\gravik.exe", folder + "\\app.mak", "", target);
    EXPECT_EQ(line, "C:\\s\\gravik.exe -e -f" + folder + "\\app.mak " + target);
}

TEST(MakeReport, TargetLinesGiveNamesWhateverTheirLength)
{
    std::string longName(150, 'n');
    std::string text = "Target: 'demo.bin'\r\n"
                       "Source: 'start.a51'\r\n"
                       "Target: '" + longName + ".bin'\n"
                       "Target: 'clean' (default from 'builtins.mak')\r\n"
                       "Target: 'unclosed\r\n"
                       " Target: 'indented'\n"
                       "Gravik: *** OK ***";
    std::vector<std::string> expected{"demo.bin", longName + ".bin", "clean"};
    EXPECT_EQ(make_report_targets(text), expected);
    EXPECT_TRUE(make_report_targets("").empty());
    EXPECT_EQ(make_report_targets("Target: 'last'"), std::vector<std::string>{"last"});
}

TEST(ViewText, EveryLineEndBecomesCrLf)
{
    EXPECT_EQ(view_text_crlf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(view_text_crlf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(view_text_crlf("x\r\n"), "x\r\n");
    EXPECT_EQ(view_text_crlf(""), "");
}

} // namespace
