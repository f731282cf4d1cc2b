// The tag search configuration: the [TagConfig] section read and written
// whole, and the dialog's rules over rows, check boxes and the filter edit.
#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <string>
#include <vector>

#include "editor/browser/tag_config.h"
#include "testing/kit/test_kit.h"

namespace {

class MemorySettings : public CTagSettings {
public:
    std::map<std::string, std::string> keys;
    std::string Get(const std::string& key, const std::string& def) const override
    {
        auto it = keys.find(key);
        return it == keys.end() ? def : it->second;
    }
    bool Write(const std::string& key, const std::string& value) override
    {
        keys[key] = value;
        return true;
    }
    bool DeleteSection() override
    {
        keys.clear();
        return true;
    }
};

using Strings = std::vector<std::string>;

TEST(TagConfig, LoadDefaultsAndStopsAtTheFirstGap)
{
    MemorySettings s;
    CTagConfig none = LoadTagConfig(s);
    EXPECT_TRUE(none.searchPaths.empty());
    EXPECT_EQ(none.flags, 5u);
    EXPECT_EQ(none.fileFilter, "*.*");

    s.keys = {{"tagpath0", "C:\\a;*.c;X"}, {"tagpath1", "C:\\b\\x.c;;"}, {"tagpath3", "C:\\lost;*.c;"},
              {"flags", "32999"}, {"FileFilter", "*.c *.h"}};
    CTagConfig c = LoadTagConfig(s);
    EXPECT_EQ(c.searchPaths, (Strings{"C:\\a;*.c;X", "C:\\b\\x.c;;"}));
    EXPECT_EQ(c.flags, 32999u);
    EXPECT_EQ(c.fileFilter, "*.c *.h");
}

TEST(TagConfig, SaveReplacesTheSection)
{
    MemorySettings s;
    s.keys = {{"tagpath0", "old;*.c;"}, {"tagpath1", "old2;*.c;"}, {"stale", "1"}};
    CTagConfig c;
    c.searchPaths = {"C:\\src;*.c *.h;X"};
    c.flags = 0x8025;
    c.fileFilter = "*.c";
    ASSERT_TRUE(SaveTagConfig(c, s));
    EXPECT_EQ(s.keys, (std::map<std::string, std::string>{
                          {"tagpath0", "C:\\src;*.c *.h;X"}, {"flags", "32805"}, {"FileFilter", "*.c"}}));
    CTagConfig back = LoadTagConfig(s);
    EXPECT_EQ(back.searchPaths, c.searchPaths);
    EXPECT_EQ(back.flags, c.flags);

    // An empty list leaves no "tagpath%d" key: the browser then scans the
    // open documents.
    ASSERT_TRUE(SaveTagConfig(CTagConfig{}, s));
    EXPECT_EQ(s.keys.count("tagpath0"), 0u);
}

TEST(TagConfigEditor, RowsFromEntriesAndBack)
{
    CTagConfig c;
    c.searchPaths = {"C:\\src;*.c *.h;X", "C:\\one\\main.c;;", "C:\\lib;*.h;"};
    c.flags = 0x8000 | 0x24;
    CTagConfigEditor ed(c);
    ASSERT_EQ(ed.Rows().size(), 3u);
    EXPECT_EQ(ed.Rows()[0].path, "C:\\src");
    EXPECT_EQ(ed.Rows()[0].filter, "*.c *.h");
    EXPECT_EQ(ed.Rows()[0].subdir, "X");
    EXPECT_EQ(ed.Rows()[1].path, "C:\\one\\main.c");
    EXPECT_EQ(ed.Rows()[1].filter, "");
    EXPECT_TRUE(ed.Checked(kBrowseDefines));
    EXPECT_TRUE(ed.Checked(kBrowseFunctions));
    EXPECT_FALSE(ed.Checked(kBrowseVariables));
    EXPECT_TRUE(ed.PathControlsEnabled());
    CTagConfig back = ed.Apply();
    EXPECT_EQ(back.searchPaths, c.searchPaths);
    EXPECT_EQ(back.flags, c.flags); // automatic browsing kept
}

TEST(TagConfigEditor, DialogRules)
{
    CTagConfig c;
    c.flags = kBrowseDefines; // the paths are scanned
    CTagConfigEditor ed(c);
    EXPECT_TRUE(ed.PathControlsEnabled());
    // Add Path with an empty filter edit takes "*.c *.h"; the subdirectory
    // check goes with it.
    ed.SetChecked(kBrowseSubdirectories, true);
    ed.AddPath("C:\\src");
    ed.SetChecked(kBrowseSubdirectories, false); // the new row is selected
    ed.SetFilterText("*.a51");
    ed.AddPath("C:\\asm");
    ed.AddFile("C:\\one\\x.c");
    Strings entries = ed.Apply().searchPaths;
    EXPECT_EQ(entries, (Strings{"C:\\one\\x.c;;", "C:\\asm;*.a51;", "C:\\src;*.a51;"}));

    // Clicking a row shows its filter and subdir; edits go to that row.
    ed.Select(2);
    EXPECT_EQ(ed.FilterText(), "*.a51");
    EXPECT_FALSE(ed.IncludeSubdirectories());
    ed.SetChecked(kBrowseSubdirectories, true);
    ed.SetFilterText("*.c");
    ed.RenameRow(2, "D:\\src");
    ed.Select(0);
    ed.DeleteSelected();
    EXPECT_EQ(ed.Apply().searchPaths, (Strings{"C:\\asm;*.a51;", "D:\\src;*.c;X"}));

    // Variables needs Functions.
    ed.SetChecked(kBrowseVariables, true);
    EXPECT_TRUE(ed.Checked(kBrowseFunctions));
    ed.SetChecked(kBrowseFunctions, false);
    EXPECT_FALSE(ed.Checked(kBrowseVariables));
}

TEST(TagConfigEditor, OpenDocumentsFilter)
{
    CTagConfig c;
    c.fileFilter = "*.c";
    c.searchPaths = {"C:\\src;*.h;"};
    CTagConfigEditor ed(c);
    ed.Select(0);
    ed.SetChecked(kBrowseOpenDocuments, true);
    EXPECT_FALSE(ed.PathControlsEnabled());
    EXPECT_EQ(ed.FilterText(), "*.c");
    ed.SetFilterText("*.c *.h");
    CTagConfig out = ed.Apply();
    EXPECT_EQ(out.fileFilter, "*.c *.h");
    EXPECT_EQ(out.searchPaths, (Strings{"C:\\src;*.h;"})); // the row is untouched
    EXPECT_TRUE(out.flags & kBrowseOpenDocuments);

    // Unchecked, the documents' filter is kept rather than dropped.
    ed.SetChecked(kBrowseOpenDocuments, false);
    EXPECT_EQ(ed.Apply().fileFilter, "*.c *.h");
}

TEST(TagConfig, ExportStopsTheScanAndWritesTheMaps)
{
    CBrowseWorker worker;
    EXPECT_FALSE(CanExportTagFile(worker.Maps().get()));
    BrowseRequest req;
    req.flags = kBrowseAutomatic | kBrowseDefines | kBrowseFunctions;
    req.documents = {{nullptr, "a.c", "#define ONE 1\rint f(void)\r{\r}\r"}};
    ASSERT_TRUE(worker.Start(req));
    while (!worker.IsIdle())
        std::this_thread::yield();
    EXPECT_TRUE(CanExportTagFile(worker.Maps().get()));
    std::string dir = test_folder("export");
    ASSERT_EQ(ExportTagFile(worker, dir + "/x.tag"), TAG_FILE_OK);
    EXPECT_EQ(read_file(dir + "/x.tag"), FormatTagFile(*worker.Maps()));
    EXPECT_NE(read_file(dir + "/x.tag").find("ONE"), std::string::npos);
}

} // namespace
