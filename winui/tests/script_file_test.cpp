#include "winui/script_file.h"

#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(ScriptFile, LinesSplitIntoWordsWithQuotedTexts)
{
    struct Case {
        const char* line;
        std::vector<std::string> words;
    } cases[] = {
        {"box yes", {"box", "yes"}},
        {"  dialog 1 set 1001 \"two words\"\r", {"dialog", "1", "set", "1001", "two words"}},
        {"set 5 \"\"", {"set", "5", ""}},
        {"open \"C:\\\\a b\\\\c.txt\"", {"open", "C:\\a b\\c.txt"}},
        {"x \"say \\\"hi\\\"\"", {"x", "say \"hi\""}},
        {"open \"C:\\dir\\a.c\"", {"open", "C:\\dir\\a.c"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(winui::SplitScriptLine(c.line), c.words) << c.line;
    EXPECT_EQ(winui::QuoteScriptText("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\"");
    EXPECT_EQ(winui::SplitScriptLine("w " + winui::QuoteScriptText("a \"b\" \\c")),
              (std::vector<std::string>{"w", "a \"b\" \\c"}));
}

// The child writes text lines, with CR LF on Windows.
std::string read_lines(const std::string& path)
{
    return without_cr(read_file(path));
}

TEST(ScriptFile, AWholeProgramTakesItsAnswersFromTheFileNamedInItsEnvironment)
{
    std::string dir = host_path(SCRIPT_TEST_DIR);
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string script = dir + "\\answers.txt";
    std::string log = dir + "\\answers.log";
    std::string out = dir + "\\child.out";
    DeleteFileA(log.c_str());
    DeleteFileA(out.c_str());
    {
        std::ofstream s(script);
        s << "# answers for the child\n"
             "box no\n"
             "dialog ok set 1001 500 set 1002 \"my name\" check 1004 1\n"
             "dialog ok set 1001 50\n"
             "open \"C:\\data\\image.hex\"\n"
             "colour 255 128 0\n";
    }
    SetEnvironmentVariableA("WINUI_SCRIPT", script.c_str());
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", log.c_str());
    int code = -1;
    os_run_status status = os_run({host_path(SCRIPT_CHILD_PATH), out}, &code);
    SetEnvironmentVariableA("WINUI_SCRIPT", nullptr);
    SetEnvironmentVariableA("WINUI_SCRIPT_LOG", nullptr);
    ASSERT_EQ(status, OS_RUN_OK);
    EXPECT_EQ(code, 0);
    // 500 is out of range: the first answer leaves the dialog open with
    // the range message, the second mends the width and keeps the rest.
    EXPECT_EQ(read_lines(out), "box 7\n"
                              "dialog 1 50 my name 1\n"
                              "open 1 C:\\data\\image.hex\n"
                              "colour 1 0080ff\n"
                              "box 1\n"
                              "dialog 2\n");
    EXPECT_EQ(read_lines(log),
              "box \"Child\" \"Save changes to \\\"a.c\\\"?\" 7\n"
              "dialog 100 \"Settings for Tests\" 1\n"
              "box \"winui_script_child\" \"Please enter an integer between 1 and 100.\" 1\n"
              "dialog 100 \"Settings for Tests\" 1\n"
              "open \"C:\\\\data\\\\image.hex\"\n"
              "colour 255 128 0\n"
              "box \"Child\" \"Done\" 1\n"
              "dialog 100 \"Settings for Tests\" 2\n");
}

} // namespace
