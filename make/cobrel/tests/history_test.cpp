// The recent-makefile list in the settings file: read with its skip rules,
// written back without losing the file's other contents.
#include "cobrel_test_util.h"

#include "make/cobrel/wiz_history.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> lines;

TEST(History, ReadSkipsEmptyAndRepeatedEntriesAndStopsAtItsCount)
{
    struct row {
        const char* label;
        lines file;
        lines expected;
    } rows[] = {
        {"no file", {}, {}},
        {"plain",
         {"[Settings]", "HIST_CNT=2", "FILE0=C:\\p\\a.mak", "FILE1=C:\\p\\b.mak", "FILE2=C:\\x.mak"},
         {"C:\\p\\a.mak", "C:\\p\\b.mak"}},
        {"skips",
         {"[other]", "FILE0=elsewhere", "[settings]", "HIST_CNT=4", "FILE0=C:\\a.mak", "FILE1=",
          "FILE2=c:\\A.MAK", "FILE3=C:\\Projekt M\xfcller\\m.mak"},
         {"C:\\a.mak", "C:\\Projekt M\xfcller\\m.mak"}},
        {"sixteen at most", {"[Settings]", "HIST_CNT=20"}, {}},
    };
    for (int i = 0; i < 20; ++i)
        rows[3].file.push_back("FILE" + std::to_string(i) + "=f" + std::to_string(i) + ".mak");
    for (int i = 0; i < 16; ++i)
        rows[3].expected.push_back("f" + std::to_string(i) + ".mak");
    for (const row& r : rows)
        EXPECT_EQ(history_from_lines(r.file), r.expected) << r.label;
}

TEST(History, WritingKeepsOtherKeysAndTheRestOfALongerList)
{
    lines before = {"; settings", "[Window]", "X=5", "[Settings]", "HIST_CNT=3", "FILE0=old0",
                    "FILE1=old1", "FILE2=old2", "Other=1", "[Tail]", "Y=2"};
    lines after = history_into_lines(before, {"new0"});
    EXPECT_EQ(after, (lines{"; settings", "[Window]", "X=5", "[Settings]", "HIST_CNT=1",
                            "FILE0=new0", "FILE1=old1", "FILE2=old2", "Other=1", "[Tail]",
                            "Y=2"}));
    EXPECT_EQ(history_from_lines(after), lines{"new0"});
    EXPECT_EQ(history_into_lines({"[Window]", "X=5"}, {"a", "b"}),
              (lines{"[Window]", "X=5", "[Settings]", "HIST_CNT=2", "FILE0=a", "FILE1=b"}));
    EXPECT_EQ(history_into_lines({"[Settings]", "HIST_CNT=0", "[Tail]"}, {"a"}),
              (lines{"[Settings]", "HIST_CNT=1", "FILE0=a", "[Tail]"}));
}

TEST(History, SavedThroughTheFileAndReadBack)
{
    const std::string path = join_path(test_dir(), "cobrel.ini");
    write_file(path, "[Window]\nX=5\n");
    ASSERT_TRUE(save_history(path, {"C:\\p\\a.mak", "C:\\q\\b.mak"}));
    EXPECT_EQ(load_history(path), (lines{"C:\\p\\a.mak", "C:\\q\\b.mak"}));
    EXPECT_NE(read_file(path).find("X=5"), std::string::npos);
    EXPECT_FALSE(save_history(join_path(test_dir(), "missing/dir/cobrel.ini"), {"a"}));
}

} // namespace
