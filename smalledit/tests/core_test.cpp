// The editor's rules that need no window: settings file, remembered files,
// backup names, names under the caret, printed lines and argument files.
#include "smalledit/zavit_settings.h"
#include "smalledit/zavit_text.h"

#include "testing/kit/test_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ReadResult {
    ZavitSettings settings;
    FileWindowList list;
    int errors = 0;
};

ReadResult read_text(const std::string& text)
{
    ReadResult r;
    zavit_read_settings(text, r.settings, r.list, [&r] { ++r.errors; });
    return r;
}

std::vector<std::string> names(const FileWindowList& list)
{
    std::vector<std::string> out;
    for (const FileWindowEntry& e : list.Entries())
        out.push_back(e.name);
    return out;
}

TEST(ZavitBackup, LastDotOfTheFileNameOnly)
{
    struct Case {
        const char* path;
        const char* backup;
    } cases[] = {
        {"C:\\A\\NOTES.TXT", "C:\\A\\NOTES.BAK"},
        // A dot in a folder name is not the file's extension.
        {"C:\\V1.2\\README", "C:\\V1.2\\README.BAK"},
        {"/home/v1.2/README", "/home/v1.2/README.BAK"},
        {"README", "README.BAK"},
        {"archive.tar.gz", "archive.tar.BAK"},
        {"C:\\V1.2\\notes.txt", "C:\\V1.2\\notes.BAK"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zavit_backup_name(c.path), c.backup) << c.path;
}

TEST(ZavitLineEnds, LfFilesAreWrittenWithLf)
{
    struct Case {
        const char* bytes;
        bool lfOnly;
    } cases[] = {
        {"a\nb\n", true},
        {"a\r\nb\r\n", false},
        // One CR anywhere: the file is not an LF file, nothing is changed.
        {"a\nb\r\n", false},
        {"a\rb\n", false},
        // No line end at all: the control's own CR LF.
        {"one line", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zavit_lf_only(c.bytes), c.lfOnly) << c.bytes;

    EXPECT_EQ(zavit_lf_line_ends("a\r\nb\r\n\r\n"), "a\nb\n\n");
    // Only whole pairs: a lone CR or LF and a CR before a pair stay.
    EXPECT_EQ(zavit_lf_line_ends("\ra\nb\r\r\nc"), "\ra\nb\r\nc");
    EXPECT_EQ(zavit_lf_line_ends("no ends"), "no ends");
}

// The first part of a text streamed in two: it ends on a line end, holds
// more lines than the window shows and the first line too wide for it.
TEST(ZavitFirstPart, CutAfterTheTallAndTheFirstWideLine)
{
    struct Case {
        const char* bytes;
        size_t lines, columns;
        size_t cut;
    } cases[] = {
        // Two lines overflow a window of two: the cut after the second.
        {"ab\r\ncd\r\nef\r\n", 2, 10, 8},
        {"ab\ncd\nef\n", 2, 10, 6},
        // A CR alone ends a line (here the first and an empty one); the CR
        // of a CR LF pair does not.
        {"ab\rcd\ref", 2, 10, 6},
        {"a\r\r\nb\r\nc", 2, 10, 4},
        // A wide line further on: the cut after it ...
        {"a\nb\nc\n0123456789\nd\n", 2, 10, 17},
        // ... also where it is the first line ...
        {"0123456789\na\nb\n", 2, 10, 13},
        // ... and a tab counts up to the next multiple of eight.
        {"a\nb\nc\n\t01\nd\n", 2, 10, 10},
        {"a\nb\nc\n\t0\nd\n", 2, 10, 4},
        {"a\nb\nc\n01\t01\nd\n", 2, 10, 12},
        // Only the first wide line counts.
        {"a\nb\n0123456789\nc\n0123456789\nd\n", 1, 10, 15},
        // No cut: too few lines, or the wide line is the last one ...
        {"ab\r\ncd", 2, 10, 6},
        {"ab\r\ncd\r\n", 3, 10, 8},
        {"a\nb\nc\n0123456789", 2, 10, 16},
        {"a\nb\nc\n0123456789\n", 2, 10, 17},
        {"", 2, 10, 0},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes;
        EXPECT_EQ(zavit_first_part(bytes, c.lines, c.columns), c.cut) << ::testing::PrintToString(bytes);
    }
}

TEST(ZavitSettingsFile, ReadsWhatItWrites)
{
    ZavitSettings s;
    s.face = "Courier New";
    s.height = -16;
    s.weight = 700;
    s.italic = true;
    s.x = 10;
    s.y = 20;
    s.w = 800;
    s.h = 600;
    s.maximized = true;
    s.persistent = true;
    s.classic = false;
    FileWindowList list;
    FileWindowEntry* a = list.Find("C:\\SRC\\MAIN.C");
    *a = FileWindowEntry{"C:\\SRC\\MAIN.C", true, false, true, 0, 22, 640, 480, 7, 120, nullptr};
    // A name with quotes, and one longer than any fixed line buffer.
    FileWindowEntry* b = list.Find("C:\\it's 'quoted'.txt");
    b->w = 300;
    b->h = 200;
    b->open = true;
    std::string deep = "C:";
    for (int i = 0; i < 30; ++i)
        deep += "\\folder_number_" + std::to_string(i);
    deep += "\\deep.txt";
    FileWindowEntry* c = list.Find(deep);
    c->w = 400;
    c->h = 300;
    c->line = 3;
    c->column = 4;

    std::string text = zavit_settings_text(s, list);
    EXPECT_EQ(text.substr(0, text.find("Window=")),
              "[Zavit]\nFont= 'Courier New' -16 700 1\nDesktop= 10 20 800 600 0 1 1 0\n");
    EXPECT_NE(text.find("Window= 'C:\\SRC\\MAIN.C' 0 22 640 480 0 1 1 7 120\n"), std::string::npos);

    ReadResult r = read_text(text);
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.settings.face, "Courier New");
    EXPECT_EQ(r.settings.height, -16);
    EXPECT_EQ(r.settings.weight, 700);
    EXPECT_TRUE(r.settings.italic);
    EXPECT_EQ(r.settings.w, 800);
    EXPECT_TRUE(r.settings.maximized);
    EXPECT_TRUE(r.settings.persistent);
    EXPECT_FALSE(r.settings.classic);
    // Each line puts its file in front: the order is reversed.
    EXPECT_EQ(names(r.list), (std::vector<std::string>{"C:\\SRC\\MAIN.C", "C:\\it's 'quoted'.txt", deep}));
    FileWindowEntry* q = r.list.Peek("C:\\IT'S 'QUOTED'.TXT");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->w, 300);
    EXPECT_TRUE(q->open);
    FileWindowEntry* d = r.list.Peek(deep);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->line, 3);
    EXPECT_EQ(d->column, 4);
    // A second run that used no file writes the opposite order.
    std::string again = zavit_window_lines(r.list);
    EXPECT_LT(again.find("MAIN.C"), again.find("quoted"));
}

TEST(ZavitSettingsFile, ValuesAsTheyAreRead)
{
    ReadResult r = read_text("[Zavit]\n"
                             "Font= '" + std::string(50, 'F') + "' -12 400 0\n"
                             "Desktop= 1 2 3\n"
                             "Window= 'A.TXT' -5 -5 10 10 0 0 1 0 0\n");
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.settings.face, std::string(39, 'F'));
    EXPECT_EQ(r.settings.x, 1);
    EXPECT_EQ(r.settings.y, 2);
    EXPECT_EQ(r.settings.w, 3);
    EXPECT_EQ(r.settings.h, 0);
    EXPECT_FALSE(r.settings.minimized || r.settings.maximized || r.settings.persistent ||
                 r.settings.classic);
    FileWindowEntry* a = r.list.Peek("a.txt");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->x, 0);
    EXPECT_EQ(a->y, 0);
    EXPECT_EQ(a->w, 160);
    EXPECT_EQ(a->h, 40);
    EXPECT_TRUE(a->open);
    EXPECT_EQ(a->column, 0);
    EXPECT_EQ(a->line, 0);
}

TEST(ZavitSettingsFile, FormatErrors)
{
    struct Case {
        const char* text;
        int errors;
        size_t files;
    } cases[] = {
        {"", 1, 0},
        {"[ZAVIT]\nWindow= 'A.TXT' 0 0 200 100 0 0 1 0 0\n", 1, 0},
        // A strange line is reported, the lines around it still count.
        {"[Zavit]\nWindow= 'A' 0 0 200 100 0 0 1 0 0\nbogus\n\nWindow= 'B' 0 0 0 0 0 0 0 0 0\n", 2, 2},
        // A missing closing quote ends the reading without a message.
        {"[Zavit]\nWindow= 'A' 0 0 200 100 0 0 1 0 0\nWindow= 'B 0 0\nWindow= 'C' 1 1 1 1\n", 0, 1},
        // CR LF line ends are the file's own.
        {"[Zavit]\r\nWindow= 'A' 0 0 200 100 0 0 1 0 0\r\n", 0, 1},
    };
    for (const Case& c : cases) {
        ReadResult r = read_text(c.text);
        EXPECT_EQ(r.errors, c.errors) << c.text;
        EXPECT_EQ(r.list.Count(), c.files) << c.text;
    }
}

TEST(ZavitSettingsFile, LongLinesDoNotEndTheReading)
{
    std::string longName = "C:\\" + std::string(400, 'x') + ".txt";
    ReadResult r = read_text("[Zavit]\nWindow= '" + longName + "' 1 2 300 200 0 0 1 0 0\n"
                             "Window= 'AFTER.TXT' 1 2 300 200 0 0 1 5 6\n");
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(names(r.list), (std::vector<std::string>{"AFTER.TXT", longName}));
}

TEST(ZavitSettingsFile, AtMost32WindowLines)
{
    FileWindowList list;
    for (int i = 0; i < 40; ++i)
        list.Find("FILE" + std::to_string(i) + ".TXT");
    std::string lines = zavit_window_lines(list);
    size_t count = 0;
    for (size_t p = lines.find("Window= "); p != std::string::npos; p = lines.find("Window= ", p + 1))
        ++count;
    EXPECT_EQ(count, 32u);
    // The most recently used are kept.
    EXPECT_NE(lines.find("'FILE39.TXT'"), std::string::npos);
    EXPECT_EQ(lines.find("'FILE7.TXT'"), std::string::npos);
}

// Reading many window lines gives the list that finding each name in turn
// gives: repeated names (in any case) move to the front and take the later
// line's values; names already in the list are found as well.
TEST(ZavitSettingsFile, ManyWindowLinesReadAsFindingEachInTurn)
{
    std::string text = "[Zavit]\n";
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        int n = (i * 7919) % 1000;
        std::string name = std::string(i % 2 ? "c:\\src\\file" : "C:\\SRC\\FILE") +
                           std::to_string(n) + ".txt";
        lines.push_back(name);
        text += "Window= '" + name + "' " + std::to_string(i) + " 5 300 200 0 0 1 " +
                std::to_string(i % 80) + " " + std::to_string(i) + "\n";
    }
    FileWindowList expected;
    expected.Find("C:\\EARLIER.TXT");
    expected.Find("C:\\SRC\\FILE7.TXT");
    for (size_t i = 0; i < lines.size(); ++i) {
        FileWindowEntry* e = expected.Find(lines[i]);
        e->x = static_cast<int>(i);
        e->y = 5;
        e->w = 300;
        e->h = 200;
        e->open = true;
        e->column = static_cast<int>(i % 80);
        e->line = static_cast<int>(i);
    }
    ReadResult r;
    r.list.Find("C:\\EARLIER.TXT");
    r.list.Find("C:\\SRC\\FILE7.TXT");
    zavit_read_settings(text, r.settings, r.list, [&r] { ++r.errors; });
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(names(r.list), names(expected));
    auto got = r.list.Entries().begin();
    for (const FileWindowEntry& e : expected.Entries()) {
        EXPECT_EQ(got->x, e.x) << e.name;
        EXPECT_EQ(got->column, e.column) << e.name;
        EXPECT_EQ(got->line, e.line) << e.name;
        EXPECT_EQ(got->open, e.open) << e.name;
        ++got;
    }
    // The index sees what reading adds: a later Find meets the same entry.
    EXPECT_EQ(r.list.Find("c:\\src\\FILE7.TXT")->line, expected.Find("C:\\SRC\\FILE7.TXT")->line);
    EXPECT_EQ(r.list.Count(), expected.Count());
}

TEST(ZavitFileWindowList, FindMovesToTheFrontIgnoringCase)
{
    FileWindowList list;
    FileWindowEntry* a = list.Find("C:\\A.TXT");
    a->line = 5;
    list.Find("C:\\B.TXT");
    EXPECT_EQ(list.Find("c:\\a.txt"), a);
    EXPECT_EQ(names(list), (std::vector<std::string>{"C:\\A.TXT", "C:\\B.TXT"}));
    EXPECT_EQ(list.Count(), 2u);
}

TEST(ZavitPaths, SettingsFileAndStartFolder)
{
    EXPECT_EQ(zavit_settings_path("C:\\SUITE\\BIN\\ZAVIT.EXE"), "C:\\SUITE\\BIN\\ZAVIT.INI");
    EXPECT_EQ(zavit_settings_path("C:\\V1.2\\zavit"), "C:\\V1.2\\zavit.INI");
    EXPECT_EQ(zavit_start_folder("C:\\SUITE\\BIN\\ZAVIT.INI"), "C:\\SUITE");
    EXPECT_EQ(zavit_start_folder("C:\\BIN\\ZAVIT.INI"), "C:\\");
    EXPECT_EQ(zavit_start_folder("C:\\ZAVIT.INI"), "");
}

TEST(ZavitNameUnderCaret, NamesAndLineNumbers)
{
    struct Case {
        const char* text;
        bool found;
        const char* name;
        int line;
    } cases[] = {
        {"..\\readme.txt 27: more", true, "..\\readme.txt", 27},
        {"..\\readme.txt 27 more", true, "..\\readme.txt", 0},
        {"main.c", true, "main.c", 0},
        {"c:\\test.dat ", true, "c:\\test.dat", 0},
        {"main.c\t12:", true, "main.c", 12},
        {"main.c 60000:", true, "main.c", 0},
        {"main.c 50000:", true, "main.c", 50000},
        {"README", false, "", 0},
        {".profile", false, "", 0},
        {"name.verylongext", false, "", 0},
        {"name.", false, "", 0},
    };
    for (const Case& c : cases) {
        ZavitNameAt at;
        EXPECT_EQ(zavit_parse_name_at(c.text, at), c.found) << c.text;
        if (c.found) {
            EXPECT_EQ(at.name, c.name) << c.text;
            EXPECT_EQ(at.line, c.line) << c.text;
        }
    }
    // A deep path is one name, however long.
    std::string deep = "C:\\" + std::string(180, 'd') + "\\file.txt";
    ZavitNameAt at;
    ASSERT_TRUE(zavit_parse_name_at(deep + " 3:", at));
    EXPECT_EQ(at.name, deep);
    EXPECT_EQ(at.line, 3);
}

TEST(ZavitPrintedLines, TabsCutsAndPages)
{
    std::string tab = "abc\tx";
    EXPECT_EQ(zavit_print_line(tab.data(), tab.size()), "abc     x");
    std::string two = "\t\tx\r\nnext";
    EXPECT_EQ(zavit_print_line(two.data(), two.size()), std::string(16, ' ') + "x");
    std::string wide(300, 'w');
    EXPECT_EQ(zavit_print_line(wide.data(), wide.size()), std::string(199, 'w'));

    EXPECT_EQ(zavit_lines_per_page(1000, 20), 49);
    EXPECT_EQ(zavit_lines_per_page(1010, 20), 50); // 50.5 rounds up
    EXPECT_EQ(zavit_lines_per_page(30, 20), 1);
    EXPECT_EQ(zavit_lines_per_page(20, 20), 0);
    EXPECT_EQ(zavit_page_count(0, 49), 1);
    EXPECT_EQ(zavit_page_count(98, 49), 3);
    EXPECT_EQ(zavit_page_count(97, 49), 2);
}

TEST(ZavitPreviewPages, MarginsAndRatio)
{
    struct Case {
        int index, clientW, clientH, pageW, pageH;
        ZavitPageBox box;
    } cases[] = {
        // A4 portrait in a wide client: as high as the client allows less
        // the margins, 67 percent of that wide (4960 × 95 ÷ 7016 = 67).
        {0, 1000, 600, 4960, 7016, {15, 15, 15 + 570 * 67 / 100, 585}},
        // The second page 30 to the right, of the same size.
        {1, 1000, 600, 4960, 7016, {15 + 381 + 30, 15, 15 + 381 + 30 + 381, 585}},
        // Landscape in a tall client: as wide as the client, 67 percent of
        // that high (7016 × 95 ÷ 4960 = 134 for the other way round).
        {0, 600, 1000, 7016, 4960, {15, 15, 585, 15 + 570 * 67 / 100}},
        // Landscape in a wide client: R × W ÷ 100 = 70 × 1000 ÷ 100 > 600.
        {0, 1000, 600, 7016, 4960, {15, 15, 15 + 570 * 134 / 100, 585}},
        // Portrait in a tall client: the width rules while the page fits
        // (70 × 600 ÷ 100 = 420 is not above 1000; 570 × 134 ÷ 100 = 763).
        {0, 600, 1000, 4960, 7016, {15, 15, 585, 15 + 763}},
        // Portrait where the width-limited page would run off the bottom
        // (70 × 1000 ÷ 100 = 700 is not above 800, yet 970 × 134 ÷ 100 =
        // 1299 is): the height rules.
        {0, 1000, 800, 4960, 7016, {15, 15, 15 + 770 * 67 / 100, 785}},
        // No page size: nothing shown.
        {0, 1000, 800, 0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ZavitPageBox b = zavit_preview_page(c.index, c.clientW, c.clientH, c.pageW, c.pageH);
        std::string at = std::to_string(c.index) + " " + std::to_string(c.clientW) + "x" +
                         std::to_string(c.clientH) + " " + std::to_string(c.pageW) + "x" +
                         std::to_string(c.pageH);
        EXPECT_EQ(b.left, c.box.left) << at;
        EXPECT_EQ(b.top, c.box.top) << at;
        EXPECT_EQ(b.right, c.box.right) << at;
        EXPECT_EQ(b.bottom, c.box.bottom) << at;
    }
}

TEST(ZavitArguments, ArgumentFiles)
{
    std::string dir = test_folder("args");
    write_file(dir + "/list.txt", "one.txt\ttwo.txt\n  three.txt\n@nested.txt");
    std::vector<std::string> out;
    std::string error;
    ASSERT_TRUE(zavit_expand_arguments({"zavit", "first.c", "@" + dir + "/list.txt", "last.c"}, out,
                                       &error)) << error;
    EXPECT_EQ(out, (std::vector<std::string>{"zavit", "first.c", "one.txt", "two.txt", "three.txt",
                                             "@nested.txt", "last.c"}));

    EXPECT_FALSE(zavit_expand_arguments({"zavit", "@" + dir + "/none.txt"}, out, &error));
    EXPECT_EQ(error, "unable to open argument file '" + dir + "/none.txt'");

    // Deep paths in an argument file are whole words.
    std::string deep = "C:\\" + std::string(250, 'p') + "\\x.txt";
    write_file(dir + "/deep.txt", deep + "\n");
    ASSERT_TRUE(zavit_expand_arguments({"zavit", "@" + dir + "/deep.txt"}, out, &error)) << error;
    EXPECT_EQ(out.back(), deep);
}

TEST(ZavitArguments, AtMost511Entries)
{
    std::vector<std::string> args(511, "a");
    std::vector<std::string> out;
    std::string error;
    EXPECT_TRUE(zavit_expand_arguments(args, out, &error));
    EXPECT_EQ(out.size(), 511u);
    args.push_back("b");
    EXPECT_FALSE(zavit_expand_arguments(args, out, &error));
    EXPECT_EQ(error, "too many arguments");

    std::string dir = test_folder("many");
    std::string words;
    for (int i = 0; i < 600; ++i)
        words += "w" + std::to_string(i) + " ";
    write_file(dir + "/many.txt", words);
    EXPECT_FALSE(zavit_expand_arguments({"zavit", "@" + dir + "/many.txt"}, out, &error));
    EXPECT_EQ(error, "too many arguments");
}

} // namespace
