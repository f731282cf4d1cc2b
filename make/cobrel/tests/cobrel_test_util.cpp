#include "cobrel_test_util.h"

#include "make/cobrel/report_reader.h"

#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

void recording_sink::show(wiz_level level, const std::string& title, const std::string& text)
{
    shown.push_back({level, title, text});
}

bool recording_sink::ask(const std::string& title, const std::string& text)
{
    questions.push_back(title + ": " + text);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << title << ": " << text;
        return false;
    }
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> recording_sink::texts(wiz_level level) const
{
    std::vector<std::string> out;
    for (const shown_message& m : shown)
        if (m.level == level)
            out.push_back(m.text);
    return out;
}

std::string test_dir(const std::string& suffix)
{
    namespace fs = std::filesystem;
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
    for (char& c : name)
        if (c == '/')
            c = '_';
    fs::path dir = fs::path(host_path(COBREL_TEST_TMP)) / fs::path(name);
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    return dir.string();
}

std::string join_path(const std::string& dir, const std::string& name)
{
#ifdef _WIN32
    return dir + "\\" + name;
#else
    return dir + "/" + name;
#endif
}

std::string golden_path(const std::string& name)
{
    return host_path(std::string(COBREL_GOLDEN_DIR) + "/" + name);
}

static void set_variable(const char* name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

void set_realistic_environment(void)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::string long_path;
    for (int i = 0; i < 120; ++i)
        long_path += "C:\\Programme\\Werkzeug " + std::to_string(i) + "\\bin;";
    set_variable("COBREL_TEST_LONG_PATH", long_path);
    set_variable("USERPROFILE", "C:\\Users\\J\xf6rg M\xfcller");
    set_variable("PROMPT", "$P$G");
    set_variable("COBREL_TEST_QUOTES", "it's 'quoted' \"twice\"");
    set_variable("COBREL_TEST_MACRO", "$(TESSELFLAGS) -r$9999");
    set_variable("COBREL_TEST_LINES", "first line\nsecond line'\nthird");
    set_variable("COBREL_TEST_REPORT_LOOKALIKE", "Target: 'other.bin'");
    if (!std::getenv("PATH"))
        set_variable("PATH", long_path);
}

std::string gravik_path(void)
{
    return host_path(GRAVIK_PATH);
}

int run_make_report(const std::string& makefile_path, const std::string& gravik)
{
    int code = -1;
    std::vector<std::string> argv = {gravik.empty() ? gravik_path() : gravik,
                                     "-f" + makefile_path, "-a", "-e"};
    if (os_run(argv, &code) != OS_RUN_OK)
        return -1;
    return code;
}

int run_make(const std::string& dir, const std::string& makefile_name)
{
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int code = -1;
    if (os_run({gravik_path(), "-e", "-f" + makefile_name}, &code) != OS_RUN_OK)
        code = -1;
    std::filesystem::current_path(old);
    return code;
}

int read_through_gravik(const std::string& dir, const std::string& makefile_text,
                        make_model& model, wiz_messages& messages, const std::string& name)
{
    set_realistic_environment();
    const std::string path = join_path(dir, name);
    write_file(path, makefile_text);
    EXPECT_EQ(run_make_report(path), 0) << read_file(join_path(dir, "error.out"));
    reset_model(model);
    return read_make_report(model, path, messages);
}
