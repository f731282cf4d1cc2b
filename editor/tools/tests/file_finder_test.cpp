#include "editor/tools/file_finder.h"
#include "editor/tools/search_request.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Paths as the finder reports them: host form, the platform's separator.
std::string Host(const std::string& path) { return host_path(path); }

std::vector<std::string> ListAll(CRecursiveFileFind& finder)
{
    std::vector<std::string> paths;
    std::string path;
    for (int r = finder.FindNextFile(&path, 0); r == 1; r = finder.FindNextFile(&path, 1))
        paths.push_back(path);
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

std::string Join(const std::string& a, const std::string& b) { return JoinPath(a, b); }

} // namespace

TEST(FileFinder, ListsMatchingFilesBelowTheStartWithFullPaths)
{
    const std::string root = test_folder("list");
    write_file(root + "/a.c", "one");
    write_file(root + "/b.h", "two");
    write_file(root + "/c.txt", "three");
    write_file(root + "/empty.c", "");
    fresh_dir(root + "/sub");
    write_file(root + "/sub/d.c", "four");
    fresh_dir(root + "/sub/deeper");
    write_file(root + "/sub/deeper/e.h", "five");
    const std::string host = Host(root);

    CRecursiveFileFind flat;
    flat.Init(nullptr, host.c_str(), "*.c *.h", 0);
    // The empty file comes with its own path.
    EXPECT_EQ(ListAll(flat), Sorted({Join(host, "a.c"), Join(host, "b.h"), Join(host, "empty.c")}));

    CRecursiveFileFind deep;
    deep.Init(nullptr, host.c_str(), "*.c *.h", kSearchSubdirectories);
    EXPECT_EQ(ListAll(deep),
              Sorted({Join(host, "a.c"), Join(host, "b.h"), Join(host, "empty.c"), Join(Join(host, "sub"), "d.c"),
                      Join(Join(Join(host, "sub"), "deeper"), "e.h")}));

    CRecursiveFileFind noMasks;
    noMasks.Init(nullptr, host.c_str(), nullptr, kSearchSubdirectories);
    EXPECT_TRUE(ListAll(noMasks).empty());
}

TEST(FileFinder, EmptyFileIsReportedWithItsOwnPath)
{
    const std::string root = test_folder("empty");
    write_file(root + "/full.c", "text");
    fresh_dir(root + "/z");
    write_file(root + "/z/empty.c", "");
    const std::string host = Host(root);
    CRecursiveFileFind finder;
    finder.Init(nullptr, host.c_str(), "*.c", kSearchSubdirectories);
    std::string path;
    for (int r = finder.FindNextFile(&path, 0); r == 1; r = finder.FindNextFile(&path, 1)) {
        EXPECT_EQ(path, finder.GetFilePath());
        const std::string content(finder.GetFileBuffer(), finder.GetDataEnd());
        EXPECT_EQ(content, path == Host(root + "/z/empty.c") ? "" : "text") << path;
    }
}

TEST(FileFinder, NeverChangesTheCurrentDirectory)
{
    const std::string root = test_folder("cwd");
    fresh_dir(root + "/one");
    fresh_dir(root + "/one/two");
    write_file(root + "/one/two/x.c", "needle");
    write_file(root + "/one/y.c", "needle");
    const std::string before = CurrentDirectory();
    CRecursiveFileFind finder;
    finder.Init("needle", Host(root).c_str(), "*.c", kSearchSubdirectories);
    std::string path;
    int files = 0;
    for (int r = finder.FindNextFile(&path, 0); r == 1; r = finder.FindNextFile(&path, 1)) {
        ++files;
        EXPECT_EQ(CurrentDirectory(), before);
    }
    EXPECT_EQ(files, 2);
    EXPECT_EQ(CurrentDirectory(), before);

    // A relative start directory is taken from the current directory.
    CRecursiveFileFind relative;
    relative.Init(nullptr, "no-such-folder-here", "*.*", 0);
    EXPECT_EQ(relative.FindNextFile(&path, 0), 0);
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST(FileFinder, BufferGrowsInSubdirectoriesWithoutLosingTheWalk)
{
    // Files larger than the first buffer in nested folders between small
    // ones: every file's data must arrive whole, wherever the buffer grew.
    const std::string root = test_folder("grow");
    std::vector<std::pair<std::string, std::string>> files;
    auto add = [&](const std::string& rel, size_t size, char fill) {
        std::string data(size, fill);
        data += "END";
        write_file(root + "/" + rel, data);
        files.emplace_back(rel, data);
    };
    add("a.txt", 10, 'a');
    fresh_dir(root + "/big1");
    add("big1/b.txt", 100000, 'b');
    fresh_dir(root + "/big1/big2");
    add("big1/big2/c.txt", 300000, 'c');
    add("big1/d.txt", 20, 'd');
    add("e.txt", 200000, 'e');
    add("f.txt", 5, 'f');

    CRecursiveFileFind finder;
    finder.Init(nullptr, Host(root).c_str(), "*.txt", kSearchSubdirectories);
    std::string path;
    size_t seen = 0;
    for (int r = finder.FindNextFile(&path, 0); r == 1; r = finder.FindNextFile(&path, 1)) {
        const std::string content(finder.GetFileBuffer(), finder.GetDataEnd());
        EXPECT_EQ(*finder.GetDataEnd(), '\0');
        bool matched = false;
        for (const auto& f : files)
            matched |= path == Host(root + "/" + f.first) && content == f.second;
        EXPECT_TRUE(matched) << path;
        ++seen;
    }
    EXPECT_EQ(seen, files.size());
    EXPECT_GE(finder.BufferCapacity(), 300004u);
}

TEST(FileFinder, SearchModeReturnsOnlyFilesWithHitsAndStepsThroughThem)
{
    const std::string root = test_folder("search");
    write_file(root + "/hit.c", "int a;\nprint(int)\r\n\tint_x int\n");
    write_file(root + "/miss.c", "nothing here");
    write_file(root + "/empty.c", "");
    CRecursiveFileFind finder;
    finder.Init("int", Host(root).c_str(), "*.c", kSearchWholeWords);
    std::string path;
    ASSERT_EQ(finder.FindNextFile(&path, 0), 1);
    EXPECT_EQ(path, Host(root + "/hit.c"));
    struct {
        int line, column;
    } expected[] = {{1, 1}, {2, 7}, {3, 8}};
    for (int round = 0; round < 2; ++round) { // at the end the read position is back at the start
        for (const auto& e : expected) {
            int line = 0, column = 0;
            const char* hit = finder.FindNextHit(&line, &column);
            ASSERT_NE(hit, nullptr);
            EXPECT_EQ(std::string(hit, 3), "int");
            EXPECT_EQ(line, e.line);
            EXPECT_EQ(column, e.column);
        }
        int line = 0, column = 0;
        EXPECT_EQ(finder.FindNextHit(&line, &column), nullptr);
        EXPECT_EQ(line, -1);
        EXPECT_EQ(column, -1);
    }
    EXPECT_EQ(finder.FindNextFile(&path, 1), 0);

    // With a hit asked for, the read position moves past the first one.
    CRecursiveFileFind second;
    second.Init("int", Host(root).c_str(), "*.c", kSearchWholeWords);
    const char* first = nullptr;
    ASSERT_EQ(second.FindNextFile(&path, 0, &first), 1);
    EXPECT_EQ(first, second.GetFileBuffer());
    int line = 0, column = 0;
    second.FindNextHit(&line, &column);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(second.Advance(-1000), second.GetFileBuffer() + 16); // out of the data: stays
    EXPECT_EQ(second.Advance(-16), second.GetFileBuffer() + 16);
    second.FindNextHit(&line, &column);
    EXPECT_EQ(line, 1);
}

TEST(FileFinder, LineCountingIsOnePassOverTheFile)
{
    // 200000 hits, one per line: counting each line from the file start
    // would take hours; one pass takes a moment.
    const int lines = 200000;
    std::string data;
    for (int i = 0; i < lines; ++i)
        data += "x hit\n";
    const std::string root = test_folder("lines");
    write_file(root + "/many.txt", data);
    CRecursiveFileFind finder;
    finder.Init("hit", Host(root).c_str(), "*.txt", kSearchMatchCase);
    std::string path;
    ASSERT_EQ(finder.FindNextFile(&path, 0), 1);
    int line = 0, column = 0;
    int n = 0;
    while (finder.FindNextHit(&line, &column)) {
        ++n;
        if (line != n || column != 3) {
            ADD_FAILURE() << "hit " << n << " at " << line << "," << column;
            break;
        }
    }
    EXPECT_EQ(n, lines);
}

TEST(FileFinder, TextModeGivesOneCarriageReturnPerLine)
{
    const std::string root = test_folder("textmode");
    write_file(root + "/t.c", "a\r\nb\nc\rd");
    CRecursiveFileFind finder;
    finder.Init(nullptr, Host(root).c_str(), "*.c", kSearchTextMode);
    std::string path;
    ASSERT_EQ(finder.FindNextFile(&path, 0), 1);
    EXPECT_EQ(std::string(finder.GetFileBuffer(), finder.GetDataEnd()), "a\rb\rc\rd");
}

TEST(FileFinder, CancelEndsTheWalkAndMissingFolderEndsItAtOnce)
{
    const std::string root = test_folder("cancel");
    for (int i = 0; i < 5; ++i)
        write_file(root + "/f" + std::to_string(i) + ".c", "x");
    CRecursiveFileFind finder;
    finder.Init(nullptr, Host(root).c_str(), "*.c", 0);
    int steps = 0;
    finder.SetCancelTest([&steps] { return ++steps >= 2; });
    std::string path;
    int r = finder.FindNextFile(&path, 0);
    int found = 0;
    while (r == 1) {
        ++found;
        r = finder.FindNextFile(&path, 1);
    }
    EXPECT_EQ(r, -1);
    EXPECT_LT(found, 5);

    CRecursiveFileFind missing;
    missing.Init(nullptr, Host(root + "/missing").c_str(), "*.c", kSearchSubdirectories);
    EXPECT_EQ(missing.FindNextFile(&path, 0), 0);
}

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

TEST(FileFinder, LinkedFilesAreReadLinkedFoldersAndOtherEntriesPassedOver)
{
    // The kinds of entries a folder lists: the finder reads regular files
    // and linked ones, enters real folders only (a linked folder could lead
    // back up the tree), and passes over dangling links and pipes.
    const std::string root = test_folder("kinds");
    write_file(root + "/plain.c", "int plain;");
    fresh_dir(root + "/sub");
    write_file(root + "/sub/inner.c", "int inner;");
    ASSERT_EQ(symlink("plain.c", (root + "/linked.c").c_str()), 0);
    ASSERT_EQ(symlink("sub", (root + "/linkedsub").c_str()), 0);
    ASSERT_EQ(symlink("gone.c", (root + "/dangling.c").c_str()), 0);
    ASSERT_EQ(mkfifo((root + "/pipe.c").c_str(), 0600), 0);
    const std::string host = Host(root);

    CRecursiveFileFind finder;
    finder.Init("int", host.c_str(), "*.c", kSearchSubdirectories);
    std::vector<std::string> paths;
    std::string path;
    for (int r = finder.FindNextFile(&path, 0); r == 1; r = finder.FindNextFile(&path, 1)) {
        int line = 0, column = 0;
        ASSERT_NE(finder.FindNextHit(&line, &column), nullptr) << path;
        EXPECT_EQ(line, 1);
        EXPECT_EQ(column, 1);
        paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, Sorted({Join(host, "linked.c"), Join(host, "plain.c"), Join(Join(host, "sub"), "inner.c")}));
}
#endif
