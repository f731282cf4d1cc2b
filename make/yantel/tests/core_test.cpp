#include "make_command.h"
#include "text_find.h"
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

TEST(TextFind, FindsForwardAndBackwardWithCaseAndWholeWordRules)
{
    const std::string text = "all: main.bin\r\nMAIN.obj: main.a51\r\nmainly: x";
    struct Case {
        const char* what;
        size_t from;
        bool matchCase, wholeWord, down;
        size_t expected;
    } cases[] = {
        {"main", 0, false, false, true, 5},
        {"main", 6, false, false, true, 15},           // case does not count
        {"main", 6, true, false, true, 25},            // it does
        {"main", 26, false, true, true, text_not_found}, // "mainly" is no whole word
        {"main", 26, false, false, true, 35},
        {"main", text.size(), false, false, false, 35}, // backward: the last one
        {"main", 35, false, false, false, 25},          // ends at or before the position
        {"main", 4, false, false, false, text_not_found},
        {"a51", 0, false, true, true, 30},              // "." and the end of a line bound a word
        {"", 0, false, false, true, text_not_found},
        {"longer than the whole text of the view, far longer", 0, false, false, true,
         text_not_found},
    };
    for (const Case& c : cases) {
        text_find_options options;
        options.match_case = c.matchCase;
        options.whole_word = c.wholeWord;
        options.down = c.down;
        EXPECT_EQ(text_find(text, c.what, c.from, options), c.expected)
            << c.what << " from " << c.from;
    }
    text_find_options plain;
    EXPECT_TRUE(text_matches_at(text, "MAIN", 5, plain));
    plain.match_case = true;
    EXPECT_FALSE(text_matches_at(text, "MAIN", 5, plain));
    EXPECT_FALSE(text_matches_at(text, "bin", 40, plain));
}

TEST(TextFind, ReplaceAllReplacesEveryMatchOnceLeftToRight)
{
    text_find_options options;
    int count = -1;
    EXPECT_EQ(text_replace_all("a.obj b.OBJ c.obja", ".obj", ".o", options, &count),
              "a.o b.o c.oa");
    EXPECT_EQ(count, 3);
    options.whole_word = true;
    EXPECT_EQ(text_replace_all("a.obj b.OBJ c.obja", ".obj", ".o", options, &count),
              "a.o b.o c.obja");
    EXPECT_EQ(count, 2);
    // A replacement that holds the searched text is not searched again.
    options = text_find_options();
    EXPECT_EQ(text_replace_all("x x", "x", "xx", options, &count), "xx xx");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(text_replace_all("none here", "zz", "y", options, &count), "none here");
    EXPECT_EQ(count, 0);
}

} // namespace
