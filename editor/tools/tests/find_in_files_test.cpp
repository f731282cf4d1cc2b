#include "editor/tools/find_in_files.h"
#include "editor/tools/file_finder.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct RecordingOutput : CNeutralFindInFilesOutput {
    std::vector<std::string> lines;
    int cancelAfter = -1; // CancelRequested calls before it answers true
    std::string openPath;
    int openHits = 0;
    bool finished = false;

    void AppendLine(const std::string& line, bool) override { lines.push_back(line); }
    bool CancelRequested() override { return cancelAfter >= 0 && cancelAfter-- == 0; }
    bool SearchOpenDocument(const std::string& path, int* hits) override
    {
        if (path != openPath)
            return false;
        for (int i = 0; i < openHits; ++i)
            lines.push_back(path + "(9,9):from the editor");
        *hits = openHits;
        return true;
    }
    void SearchFinished() override { finished = true; }

    // Header, sorted hit lines, last line: the walk's order is the file system's.
    std::vector<std::string> Normalised() const
    {
        std::vector<std::string> v = lines;
        if (v.size() > 2)
            std::sort(v.begin() + 1, v.end() - 1);
        return v;
    }
};

class FindInFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = test_folder("tree");
        write_file(root_ + "/a.c", "int main()\n{\n  int x; // int\n}\n");  // LF only
        write_file(root_ + "/cr.c", "int a;\rint b;\r");                       // CR only
        write_file(root_ + "/crlf.h", "x\r\nint\r\n");
        write_file(root_ + "/bin.c", std::string("\x01\x02\0int\0\xff", 9));
        write_file(root_ + "/empty.c", "");
        write_file(root_ + "/notes.txt", "int");                                // no mask matches
        fresh_dir(root_ + "/sub");
        write_file(root_ + "/sub/long.c", std::string(20000, 'a') + " int " + std::string(20000, 'b') + "\n");
        fresh_dir(root_ + "/sub/deep");
        write_file(root_ + "/sub/deep/d.h", "printf int\n");
        host_ = host_path(root_);
    }

    std::string P(const std::string& rel) const
    {
        std::string p = host_;
        size_t start = 0;
        for (size_t slash; (slash = rel.find('/', start)) != std::string::npos; start = slash + 1)
            p = JoinPath(p, rel.substr(start, slash - start));
        return JoinPath(p, rel.substr(start));
    }

    SearchRequest Request(uint32_t flags)
    {
        SearchRequest r;
        r.scope = kScopeDiskFiles;
        r.flags = flags | kSearchForward | kSearchStandard;
        r.text = "int";
        r.fileFilter = "*.c *.h";
        r.directory = host_.c_str();
        return r;
    }

    std::string root_, host_;
};

} // namespace

TEST_F(FindInFiles, EveryHitLineAndTheTotals)
{
    const std::string before = CurrentDirectory();
    RecordingOutput out;
    EXPECT_EQ(SearchDiskFiles(Request(kSearchSubdirectories), false, out), 10);
    std::vector<std::string> expected = {
        "Search for \"int\"...",
        P("a.c") + "(1,1):int main()",
        P("a.c") + "(3,3):  int x; // int",
        P("a.c") + "(3,13):  int x; // int",
        P("cr.c") + "(1,1):int a;", // a CR ends no line for the count, only for the column
        P("cr.c") + "(1,1):int b;",
        P("crlf.h") + "(2,1):int",
        P("bin.c") + "(1,4):int",
        P("sub/long.c") + "(1,20002):" + std::string(40, 'a'),
        P("sub/deep/d.h") + "(1,3):printf int",
        P("sub/deep/d.h") + "(1,8):printf int",
        "Found 10 matches in 6 files.",
    };
    std::sort(expected.begin() + 1, expected.end() - 1);
    EXPECT_EQ(out.Normalised(), expected);
    EXPECT_TRUE(out.finished);
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(FindInFiles, FlagsNarrowTheHits)
{
    struct {
        uint32_t flags;
        bool suppressComments;
        std::string summary;
    } cases[] = {
        {0, false, "Found 7 matches in 4 files."},                        // top folder only
        {kSearchSubdirectories | kSearchWholeWords, false, "Found 9 matches in 6 files."}, // not in printf
        {kSearchSubdirectories, true, "Found 9 matches in 6 files."},     // the comment's hit left out
        {kSearchSubdirectories | kSearchSkipComments, false, "Found 9 matches in 6 files."},
        {kSearchSubdirectories | kSearchMatchCase, false, "Found 10 matches in 6 files."},
    };
    for (const auto& c : cases) {
        RecordingOutput out;
        SearchDiskFiles(Request(c.flags), c.suppressComments, out);
        EXPECT_EQ(out.lines.back(), c.summary) << c.flags;
    }
    SearchRequest upper = Request(kSearchSubdirectories | kSearchMatchCase);
    upper.text = "INT";
    RecordingOutput none;
    EXPECT_EQ(SearchDiskFiles(upper, false, none), 0);
    EXPECT_EQ(none.lines, (std::vector<std::string>{"Search for \"INT\"...", "Not any matches found!"}));
}

TEST_F(FindInFiles, OpenDocumentIsSearchedInsteadOfItsDiskCopy)
{
    RecordingOutput out;
    out.openPath = P("a.c");
    out.openHits = 2;
    EXPECT_EQ(SearchDiskFiles(Request(kSearchSubdirectories), false, out), 9);
    EXPECT_EQ(std::count(out.lines.begin(), out.lines.end(), P("a.c") + "(9,9):from the editor"), 2);
    EXPECT_EQ(out.lines.back(), "Found 9 matches in 6 files.");
}

TEST_F(FindInFiles, CancelStopsWithoutSummaryAndMissingFolderFindsNothing)
{
    RecordingOutput out;
    out.cancelAfter = 3;
    const int hits = SearchDiskFiles(Request(kSearchSubdirectories), false, out);
    EXPECT_EQ(out.lines.back(), "Canceled by the operator");
    EXPECT_FALSE(out.finished);
    EXPECT_EQ(static_cast<int>(out.lines.size()), hits + 2);

    SearchRequest missing = Request(kSearchSubdirectories);
    const std::string nowhere = host_path(root_ + "/nowhere");
    missing.directory = nowhere.c_str();
    RecordingOutput empty;
    EXPECT_EQ(SearchDiskFiles(missing, false, empty), 0);
    EXPECT_EQ(empty.lines.back(), "Not any matches found!");
}
