#include "common/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class SafeFile : public testing::Test {
protected:
    fs::path dir;

    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(TEST_TMP_DIR) / (std::string("safe_file_") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }

    std::string path(const char* name) const { return (dir / name).string(); }

    static void put(const std::string& p, const std::string& text)
    {
        std::ofstream(p, std::ios::binary) << text;
    }

    static std::string get(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The names in the folder, so that a temporary left behind shows.
    std::vector<std::string> names() const
    {
        std::vector<std::string> v;
        for (const auto& e : fs::directory_iterator(dir))
            v.push_back(e.path().filename().string());
        std::sort(v.begin(), v.end());
        return v;
    }
};

TEST_F(SafeFile, CommitReplacesTheTargetAndLeavesNoTemporary)
{
    put(path("out.bin"), "old contents that are longer");
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("out.bin"), true));
    EXPECT_TRUE(safe_file_puts(&f, "new\r\n"));
    EXPECT_TRUE(safe_file_printf(&f, "%s:%04x", "x", 0x1f));
    EXPECT_TRUE(safe_file_commit(&f));
    EXPECT_EQ(get(path("out.bin")), "new\r\nx:001f");
    EXPECT_EQ(names(), std::vector<std::string>{"out.bin"});
    EXPECT_TRUE(safe_file_why(&f).empty());
}

// Generated text files end their lines with CR LF on every system; binary
// files take the bytes as given.
TEST_F(SafeFile, TextFilesEndTheirLinesWithCrLf)
{
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("out.s51"), false));
    EXPECT_TRUE(safe_file_puts(&f, "a\n\nb"));
    EXPECT_TRUE(safe_file_printf(&f, "%s\n", "c"));
    EXPECT_TRUE(safe_file_commit(&f));
    EXPECT_EQ(get(path("out.s51")), "a\r\n\r\nbc\r\n");
    ASSERT_TRUE(safe_file_open(&f, path("out.bin"), true));
    EXPECT_TRUE(safe_file_puts(&f, "a\nb"));
    EXPECT_TRUE(safe_file_commit(&f));
    EXPECT_EQ(get(path("out.bin")), "a\nb");
}

TEST_F(SafeFile, LongPrintfTextIsWrittenWhole)
{
    std::string line(2000, 'a');
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("long.txt"), true));
    EXPECT_TRUE(safe_file_printf(&f, "<%s>", line.c_str()));
    EXPECT_TRUE(safe_file_commit(&f));
    EXPECT_EQ(get(path("long.txt")), "<" + line + ">");
}

TEST_F(SafeFile, NothingIsVisibleUnderTheTargetNameBeforeTheCommit)
{
    put(path("out.txt"), "old");
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("out.txt"), true));
    ASSERT_TRUE(safe_file_puts(&f, "new"));
    EXPECT_EQ(get(path("out.txt")), "old");
    safe_file_discard(&f);
    EXPECT_EQ(get(path("out.txt")), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"out.txt"});
}

// A write that fails (as on a full disk) fails the commit: the old file
// stays as it was, the temporary goes, and the reason is told.
TEST_F(SafeFile, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    put(path("out.obj"), "old");
    put(path("readonly"), "");
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("out.obj"), true));
    // The stream is swapped for one that refuses every write.
    std::fclose(f.fp);
    f.fp = std::fopen(path("readonly").c_str(), "rb");
    ASSERT_NE(f.fp, nullptr);
    EXPECT_FALSE(safe_file_puts(&f, "new contents"));
    EXPECT_FALSE(safe_file_puts(&f, "more"));
    EXPECT_FALSE(safe_file_commit(&f));
    EXPECT_EQ(get(path("out.obj")), "old");
    EXPECT_EQ(names(), (std::vector<std::string>{"out.obj", "readonly"}));
    EXPECT_NE(safe_file_why(&f).find("cannot write '" + path("out.obj") + "'"), std::string::npos)
        << safe_file_why(&f);
}

// The target turned into a folder holding a file while the output was
// written: the rename fails, nothing of the output stays behind.
TEST_F(SafeFile, FailedRenameRemovesTheTemporaryAndSaysWhy)
{
    safe_file f;
    ASSERT_TRUE(safe_file_open(&f, path("out.lst"), true));
    ASSERT_TRUE(safe_file_puts(&f, "text"));
    fs::create_directories(dir / "out.lst");
    put(path("out.lst/keep"), "kept");
    EXPECT_FALSE(safe_file_commit(&f));
    EXPECT_EQ(names(), std::vector<std::string>{"out.lst"});
    EXPECT_EQ(get(path("out.lst/keep")), "kept");
    EXPECT_EQ(safe_file_why(&f).rfind("cannot replace '" + path("out.lst") + "': ", 0), 0u)
        << safe_file_why(&f);
}

TEST_F(SafeFile, MissingFolderOrFolderTargetIsRefusedWithAReason)
{
    safe_file f;
    EXPECT_FALSE(safe_file_open(&f, path("no-such-folder/out.bin"), true));
    EXPECT_NE(safe_file_why(&f).find("cannot create a temporary file beside"), std::string::npos)
        << safe_file_why(&f);
    EXPECT_FALSE(safe_file_open(&f, dir.string(), true));
    EXPECT_FALSE(safe_file_why(&f).empty());
    std::string why;
    EXPECT_FALSE(safe_file_write_all(path("none/x"), "a", 1, true, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(names().empty());
}

TEST_F(SafeFile, WriteAllWritesANewFile)
{
    std::string why = "unchanged";
    EXPECT_TRUE(safe_file_write_all(path("new.txt"), "abc", 3, true, &why));
    EXPECT_EQ(get(path("new.txt")), "abc");
    EXPECT_EQ(why, "unchanged");
    EXPECT_EQ(names(), std::vector<std::string>{"new.txt"});
}

} // namespace
