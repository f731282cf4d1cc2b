// End to end: gravik builds the example project with the suite's own
// assembler and linker, in a copy of examples/ so that the source tree
// stays clean; the image equals the one the tools make when run by hand.
#include "make/gravik/tests/gravik_test_util.h"

#include "common/os.h"
#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string in(const std::string& dir, const std::string& name)
{
    return (fs::path(dir) / name).string();
}

// Copies the example's files (not the folder's notes) into "dir".
void copy_example(const std::string& dir)
{
    for (const fs::directory_entry& e : fs::directory_iterator(host_path(EXAMPLES_DIR))) {
        if (!e.is_regular_file() || e.path().extension() == ".md")
            continue;
        fs::copy_file(e.path(), fs::path(dir) / e.path().filename(),
                      fs::copy_options::overwrite_existing);
    }
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

int run_tool(const std::string& dir, const std::vector<std::string>& argv)
{
    fs::path old = fs::current_path();
    fs::current_path(dir);
    int code = -1;
    if (os_run(argv, &code) != OS_RUN_OK)
        code = -1;
    fs::current_path(old);
    return code;
}

const char* const products[] = {"main.bin", "main.lst", "main.mem", "main.den"};

TEST(Example, BuildsWithTheSuitesToolsAndRebuildsOnlyWhatChanged)
{
    std::string dir = test_dir();
    copy_example(dir);
    gravik_run r = run_gravik(dir, "-e");
    ASSERT_EQ(r.code, 0) << r.out << r.error_out;
    for (const char* p : products)
        EXPECT_TRUE(file_exists(in(dir, p))) << p;
    EXPECT_TRUE(contains(r.error_out, "Gravik: *** OK ***"));

    r = run_gravik(dir, "-e");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.error_out, "Target 'main.bin' is up-to-date!")) << r.error_out;

    // Only the library member's source changes.
    for (const char* f : {"start.s51", "main.s51", "delay.s51"})
        set_age(in(dir, f), 0);
    for (const char* f : {"start.obj", "main.obj", "delay.obj"})
        set_age(in(dir, f), 10);
    set_age(in(dir, "delay.lib"), 20);
    set_age(in(dir, "main.bin"), 30);
    set_age(in(dir, "delay.s51"), 40);
    r = run_gravik(dir, "-e");
    EXPECT_EQ(r.code, 0) << r.error_out;
    EXPECT_TRUE(contains(r.out, "delay.s51\n")) << r.out;
    EXPECT_FALSE(contains(r.out, "start.s51")) << r.out;
    EXPECT_FALSE(contains(r.out, "main.s51")) << r.out;
    EXPECT_TRUE(contains(r.out, "-omain.bin start.obj main.obj -ldelay.lib")) << r.out;
}

TEST(Example, ImageEqualsTheOneTheToolsMakeByHand)
{
    std::string made = test_dir("made");
    std::string hand = test_dir("hand");
    copy_example(made);
    copy_example(hand);
    gravik_run r = run_gravik(made, "-e");
    ASSERT_EQ(r.code, 0) << r.out << r.error_out;

    const std::string morrin = host_path(MORRIN_PATH);
    const std::string tessel = host_path(TESSEL_PATH);
    for (const char* src : {"start.s51", "main.s51", "delay.s51"})
        ASSERT_EQ(run_tool(hand, {morrin, "-g", src}), 0) << src;
    // A library is the concatenation of its objects.
    write_file(in(hand, "delay.lib"), read_file(in(hand, "delay.obj")));
    ASSERT_EQ(run_tool(hand, {tessel, "-s", "-m", "-d", "-omain.bin", "start.obj", "main.obj",
                              "-ldelay.lib"}),
              0);
    std::string image = read_file(in(made, "main.bin"));
    EXPECT_FALSE(image.empty());
    EXPECT_EQ(image, read_file(in(hand, "main.bin")));
}

#ifndef _WIN32
// On a file system that minds case, a project whose sources are named in
// upper case (as on the systems the makefiles come from) builds as it is:
// each tool finds its inputs whatever their case, and its outputs are named
// from the names it is given.
TEST(Example, BuildsWithUpperCaseSourceNamesOnACaseSensitiveFileSystem)
{
    std::string lower = test_dir("lower");
    std::string upper = test_dir("upper");
    copy_example(lower);
    copy_example(upper);
    for (const fs::directory_entry& e : fs::directory_iterator(upper)) {
        std::string name = e.path().filename().string();
        if (name == "makefile")
            continue;
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        fs::rename(e.path(), fs::path(upper) / name);
    }
    ASSERT_FALSE(fs::exists(fs::path(upper) / "start.s51"));

    gravik_run r = run_gravik(upper, "-e");
    ASSERT_EQ(r.code, 0) << r.out << r.error_out;
    EXPECT_TRUE(contains(r.error_out, "Gravik: *** OK ***")) << r.error_out;
    r = run_gravik(lower, "-e");
    ASSERT_EQ(r.code, 0) << r.out << r.error_out;
    const std::string image = read_file(in(upper, "main.bin"));
    EXPECT_FALSE(image.empty());
    EXPECT_EQ(image, read_file(in(lower, "main.bin")));

    // Every name of the makefile now stands for a file on disk: nothing is
    // made again.
    r = run_gravik(upper, "-e");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(contains(r.error_out, "Target 'main.bin' is up-to-date!")) << r.out << r.error_out;

    // By hand as well: each tool finds its input in another case than the
    // one given, and names its outputs after the name it was given.
    const std::string morrin = host_path(MORRIN_PATH);
    const std::string tessel = host_path(TESSEL_PATH);
    std::string hand = test_dir("hand");
    copy_example(hand);
    for (const char* src : {"start", "main", "delay"}) {
        std::string name = std::string(src) + ".s51";
        std::string shouted = name;
        for (char& c : shouted)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!fs::exists(fs::path(hand) / name))
            continue;
        fs::rename(fs::path(hand) / name, fs::path(hand) / shouted);
        ASSERT_EQ(run_tool(hand, {morrin, "-g", name}), 0) << name;
        EXPECT_TRUE(fs::exists(fs::path(hand) / (std::string(src) + ".obj"))) << src;
    }
    fs::rename(fs::path(hand) / "main.obj", fs::path(hand) / "MAIN.OBJ");
    write_file(in(hand, "DELAY.LIB"), read_file(in(hand, "delay.obj")));
    ASSERT_EQ(run_tool(hand, {tessel, "-s", "-m", "-d", "-omain.bin", "start.obj", "main.obj", "-ldelay.lib"}), 0);
    EXPECT_EQ(read_file(in(hand, "main.bin")), image);
}
#endif

} // namespace
