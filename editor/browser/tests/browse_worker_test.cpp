// The browser's worker and its choice of sources: what a scan over open
// documents and over search paths files, stops (between files, inside a
// long file, before later kinds), start/stop/restart races, and readers
// that use the maps while new scans hand over theirs.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "editor/browser/browse_sources.h"
#include "editor/browser/browse_worker.h"
#include "editor/browser/keyword_scan.h"
#include "testing/kit/test_kit.h"

namespace {

const char kSource[] =
    "#define MAX(a,b) ((a)>(b)?(a):(b))\r"
    "enum Color { RED, GREEN = 2 };\r"
    "typedef struct tagP { int x; } P;\r"
    "int helper(int a);\r"
    "int total;\r"
    "int helper(int a)\r"
    "{\r"
    "    return a + 1;\r"
    "}\r";

std::vector<std::string> Keys(const CSymbolMap& map)
{
    std::vector<std::string> keys;
    for (const auto& entry : map)
        keys.push_back(entry.first);
    return keys;
}

const unsigned kAllKinds = kBrowseDefines | kBrowseTypes | kBrowseEnums | kBrowseFunctions | kBrowseVariables |
                           kBrowseDeclarations;

using Strings = std::vector<std::string>;

TEST(SearchPath, EntriesTakenApart)
{
    struct Case {
        const char* entry;
        const char* directory;
        const char* masks;
        bool sub;
    } cases[] = {
        {"C:\\src;*.c *.h;X", "C:\\src", "*.c *.h", true},
        {"C:\\src;*.c;", "C:\\src", "*.c", false},
        {"/home/u/src;*.c", "/home/u/src", "*.c", false},
        // Empty masks: the path names one file.
        {"C:\\src\\main.c;;", "C:\\src", "main.c", false},
        {"/home/u/a.c;;X", "/home/u", "a.c", true},
        {"main.c;;", ".", "main.c", false},
    };
    for (const Case& c : cases) {
        SearchPathEntry e = ParseSearchPath(c.entry);
        EXPECT_EQ(e.directory, c.directory) << c.entry;
        EXPECT_EQ(e.masks, c.masks) << c.entry;
        EXPECT_EQ(e.subdirectories, c.sub) << c.entry;
    }
    EXPECT_EQ(FormatSearchPath("C:\\src", "*.c *.h", true), "C:\\src;*.c *.h;X");
    EXPECT_EQ(FormatSearchPath("C:\\src\\a.c", "", false), "C:\\src\\a.c;;");
}

class DiskTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = test_folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fresh_dir(root + "/sub");
        write_file(root + "/a.c", "#define A_ONE 1\nint fa(void)\n{\n    return 0;\n}\n");
        write_file(root + "/b.h", "#define B_TWO 2\nint fa(void);\n");
        write_file(root + "/notes.txt", "#define NOT_SOURCE 3\n");
        write_file(root + "/sub/c.c", "#define C_THREE 3\nenum E { E1 };\nint fc(int x) { return x; }\n");
    }
    std::string root;
};

TEST_F(DiskTree, FilesOfAnEntry)
{
    auto names = [&](const char* masks, bool sub) {
        Strings out;
        for (const std::string& f : ListSearchFiles(SearchPathEntry{root, masks, sub}))
            out.push_back(f.substr(root.size() + 1));
        for (std::string& s : out)
            for (char& ch : s)
                if (ch == '\\')
                    ch = '/';
        return out;
    };
    EXPECT_EQ(names("*.c *.h", false), (Strings{"a.c", "b.h"}));
    EXPECT_EQ(names("*.c *.h", true), (Strings{"a.c", "b.h", "sub/c.c"}));
    EXPECT_EQ(names("*.c", true), (Strings{"a.c", "sub/c.c"}));
    EXPECT_TRUE(ListSearchFiles(SearchPathEntry{root + "/missing", "*.c", true}).empty());
}

TEST_F(DiskTree, ScanOverSearchPaths)
{
    BrowseRequest req;
    req.flags = kAllKinds;
    req.searchPaths = {FormatSearchPath(root, "*.c *.h", true), FormatSearchPath(root + "/missing", "*.c", true),
                       FormatSearchPath(root + "/notes.txt", "", false)};
    CBrowserMaps maps;
    std::atomic<bool> stop{false};
    Strings said;
    RunBrowseScan(req, maps, stop, [&](const char* s) { said.push_back(s); });
    EXPECT_EQ(Keys(maps.defines), (Strings{"A_ONE", "B_TWO", "C_THREE", "NOT_SOURCE"}));
    EXPECT_EQ(Keys(maps.enums), (Strings{"E1"}));
    EXPECT_EQ(Keys(maps.functions), (Strings{"fa", "fc"}));
    EXPECT_EQ(Keys(maps.declarations), (Strings{"fa"}));
    EXPECT_EQ(Keys(maps.variables), (Strings{"x"}));
    EXPECT_EQ(said, (Strings{kStatusDefines, kStatusEnums, kStatusTypes, kStatusFunctions, kStatusDeclarations, ""}));
    ASSERT_NE(maps.defines.Lookup("A_ONE"), nullptr);
    EXPECT_EQ((*maps.defines.Lookup("A_ONE"))[0].firstLine, 0);
    EXPECT_EQ(*(*maps.defines.Lookup("A_ONE"))[0].file, ListSearchFiles(SearchPathEntry{root, "a.c", false})[0]);

    // With the open-documents bit the paths are not read.
    req.flags |= kBrowseOpenDocuments;
    req.documents = {{nullptr, "doc.c", "#define FROM_DOC 1\r"}};
    RunBrowseScan(req, maps, stop, {});
    EXPECT_EQ(Keys(maps.defines), (Strings{"FROM_DOC"}));
}

TEST(BrowseScan, OpenDocumentsAndTheFileFilter)
{
    COvantaDoc* const doc1 = reinterpret_cast<COvantaDoc*>(0x1000);
    COvantaDoc* const doc2 = reinterpret_cast<COvantaDoc*>(0x2000);
    BrowseRequest req;
    req.flags = kAllKinds;
    req.fileFilter = "*.c";
    req.documents = {{doc1, "C:\\p\\main.c", kSource}, {doc2, "C:\\p\\notes.txt", "#define TXT 1\rint g(void) { }\r"}};
    CBrowserMaps maps;
    std::atomic<bool> stop{false};
    RunBrowseScan(req, maps, stop, {});
    // Keyword scans read every document; function and declaration scans only
    // those the filter matches.
    EXPECT_EQ(Keys(maps.defines), (Strings{"MAX(a,b)", "TXT"}));
    EXPECT_EQ(Keys(maps.enums), (Strings{"GREEN", "RED"}));
    EXPECT_EQ(Keys(maps.types), (Strings{"P", "tagP", "x"}));
    EXPECT_EQ(Keys(maps.functions), (Strings{"helper"}));
    EXPECT_EQ(Keys(maps.declarations), (Strings{"helper"}));
    const CSymbolList* h = maps.functions.Lookup("helper");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ((*h)[0].document, doc1);
    EXPECT_EQ((*h)[0].firstLine, 5);
    EXPECT_EQ((*h)[0].lastLine, 8);
    EXPECT_NE(maps.variables.Lookup("total"), nullptr);

    // Only the kinds of the flag word; the others are emptied.
    req.flags = kBrowseDefines;
    RunBrowseScan(req, maps, stop, {});
    EXPECT_EQ(Keys(maps.defines), (Strings{"MAX(a,b)", "TXT"}));
    EXPECT_TRUE(maps.enums.IsEmpty());
    EXPECT_TRUE(maps.functions.IsEmpty());
    EXPECT_TRUE(maps.variables.IsEmpty());
}

// A parser that asks for a stop at its third hit: the scan must not hand it
// a fourth, so the flag is checked inside one text, not only between files.
std::atomic<bool> g_stop{false};
std::atomic<int> g_hits{0};
void StoppingParser(const char* hit, const char* text, const char* end, KeywordSymbols& out)
{
    ParseDefine(hit, text, end, out);
    if (++g_hits == 3)
        g_stop = true;
}

TEST(BrowseScan, StopChecksInsideALongText)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "#define D" + std::to_string(i) + " " + std::to_string(i) + "\r";
    for (bool document : {false, true}) {
        g_stop = false;
        g_hits = 0;
        CSymbolMap map(kKindDefine);
        if (document)
            ScanKeywordHits("#define", StoppingParser, text.c_str(), text.size(), map, nullptr, "x.c", &g_stop);
        else
            ScanTextForKeyword("#define", StoppingParser, text.c_str(), text.size(), map, "x.c", &g_stop);
        EXPECT_EQ(g_hits.load(), 3);
        EXPECT_EQ(map.GetSymbolCount(), 3u);
    }
}

BrowseRequest Request(unsigned flags, std::vector<BrowseDocument> docs)
{
    BrowseRequest req;
    req.flags = flags | kBrowseAutomatic;
    req.documents = std::move(docs);
    return req;
}

TEST(BrowseWorker, ScansAndHandsOver)
{
    std::atomic<int> finished{0};
    CBrowseWorker worker({}, [&] { ++finished; });
    EXPECT_TRUE(worker.IsIdle());
    EXPECT_TRUE(worker.Maps()->IsEmpty());
    // Without automatic browsing nothing starts.
    BrowseRequest off = Request(kAllKinds, {{nullptr, "a.c", kSource}});
    off.flags &= ~kBrowseAutomatic;
    EXPECT_FALSE(worker.Start(off));
    EXPECT_TRUE(worker.IsIdle());

    std::shared_ptr<CBrowserMaps> before = worker.Maps();
    ASSERT_TRUE(worker.Start(Request(kAllKinds, {{nullptr, "a.c", kSource}})));
    worker.Stop(); // joins, whether or not the scan got far
    worker.Stop(); // twice is harmless
    EXPECT_TRUE(worker.IsIdle());
    ASSERT_TRUE(worker.Start(Request(kAllKinds, {{nullptr, "a.c", kSource}})));
    while (!worker.IsIdle())
        std::this_thread::yield();
    while (finished.load() < 2)
        std::this_thread::yield();
    EXPECT_EQ(worker.Generation(), 2u);
    std::shared_ptr<CBrowserMaps> maps = worker.Maps();
    EXPECT_NE(maps, before);
    EXPECT_TRUE(before->IsEmpty()); // maps handed over are never changed again
    EXPECT_EQ(Keys(maps->functions), (Strings{"helper"}));
    EXPECT_EQ(Keys(maps->defines), (Strings{"MAX(a,b)"}));
    // Emptied maps take their place; the reader's maps stay as they were.
    worker.ClearSymbols();
    EXPECT_TRUE(worker.Maps()->IsEmpty());
    EXPECT_EQ(worker.Generation(), 3u);
    EXPECT_EQ(Keys(maps->functions), (Strings{"helper"}));
}

TEST(BrowseWorker, StopBeforeLaterKindsLeavesThemEmpty)
{
    std::mutex m;
    std::condition_variable cv;
    bool inDefines = false, stopAsked = false;
    CBrowseWorker worker([&](const char* status) {
        if (std::string(status) != kStatusDefines)
            return;
        std::unique_lock<std::mutex> lock(m);
        inDefines = true;
        cv.notify_all();
        cv.wait(lock, [&] { return stopAsked; });
    });
    std::string big;
    for (int i = 0; i < 2000; ++i)
        big += "#define D" + std::to_string(i) + " 1\renum E" + std::to_string(i) + " { V" + std::to_string(i) +
               " };\rint f" + std::to_string(i) + "(void) { return 0; }\r";
    ASSERT_TRUE(worker.Start(Request(kAllKinds, {{nullptr, "a.c", big}, {nullptr, "b.c", big}})));
    {
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [&] { return inDefines; });
        worker.RequestStop();
        stopAsked = true;
        cv.notify_all();
    }
    worker.Stop();
    EXPECT_TRUE(worker.IsIdle());
    std::shared_ptr<CBrowserMaps> maps = worker.Maps();
    EXPECT_EQ(worker.Generation(), 1u);
    EXPECT_TRUE(maps->IsEmpty());
}

TEST(BrowseWorker, StartStopRestartRaces)
{
    std::string doc(kSource);
    for (int i = 0; i < 200; ++i)
        doc += "int f" + std::to_string(i) + "(int a) { return helper(a); }\r";
    CBrowseWorker worker;
    std::atomic<bool> done{false};
    // A second thread keeps asking for stops while the first starts, stops
    // and restarts; every stop must be a join and nothing may be lost.
    std::thread stopper([&] {
        while (!done) {
            worker.RequestStop();
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 200; ++i) {
        switch (i % 4) {
        case 0: worker.Start(Request(kAllKinds, {{nullptr, "a.c", doc}})); break;
        case 1: worker.Restart(Request(kAllKinds, {{nullptr, "a.c", doc}})); break;
        case 2: worker.Stop(); EXPECT_TRUE(worker.IsIdle()); break;
        default: worker.Start(Request(kBrowseDefines, {{nullptr, "a.c", doc}})); break;
        }
    }
    done = true;
    stopper.join();
    worker.Stop();
    EXPECT_TRUE(worker.IsIdle());
    // After a full, undisturbed scan the maps hold everything.
    ASSERT_TRUE(worker.Start(Request(kAllKinds, {{nullptr, "a.c", doc}})));
    while (!worker.IsIdle())
        std::this_thread::yield();
    EXPECT_EQ(worker.Maps()->functions.GetKeyCount(), 201u);
}

TEST(BrowseWorker, ReadersAndEditsDuringScans)
{
    CBrowseWorker worker;
    std::atomic<bool> done{false};
    std::atomic<size_t> seen{0};
    // Readers as the functions bar and the tips use the maps: take the
    // current maps and walk every record while scans hand over new ones.
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r)
        readers.emplace_back([&] {
            while (!done) {
                std::shared_ptr<CBrowserMaps> maps = worker.Maps();
                size_t n = 0;
                for (const CSymbolMap* map : {&maps->defines, &maps->functions, &maps->variables, &maps->types})
                    for (const auto& entry : *map)
                        for (const auto& rec : entry.second)
                            n += rec->name ? rec->name->size() : 0;
                seen += n;
            }
        });
    // The user keeps typing: the live buffer grows and moves while scans of
    // its earlier copies run.
    std::string live(kSource);
    for (int i = 0; i < 300; ++i) {
        live += "int g" + std::to_string(i) + "(void) { return " + std::to_string(i) + "; }\r";
        live.shrink_to_fit();
        worker.Restart(Request(kAllKinds, {{nullptr, "live.c", live}}));
    }
    worker.Stop();
    ASSERT_TRUE(worker.Start(Request(kAllKinds, {{nullptr, "live.c", live}})));
    while (!worker.IsIdle())
        std::this_thread::yield();
    done = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_EQ(worker.Maps()->functions.GetKeyCount(), 301u);
}

} // namespace
