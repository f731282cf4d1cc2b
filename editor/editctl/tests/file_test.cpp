// Loading and saving: line ends, long lines, tabs, soft breaks, failures
// that must leave the file on disk intact, and the changed-on-disk check.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/stat.h>

#include "common/os.h"
#include "edit_fixture.h"

namespace {

class FileTest : public EditTest {
protected:
    void SetUp() override
    {
        dir = TempDir();
        path = dir + "/text.asm";
        std::remove(path.c_str());
    }
    int Load(const std::string& bytes)
    {
        write_file(path, bytes);
        return core.LoadFile(path.c_str());
    }
    std::string dir, path;
};

struct RoundTrip {
    const char* name;
    const char* file;
    const char* text;
    int lines;
    int unixFormat;
    const char* savedCrLf;
    const char* savedLf;
};

const RoundTrip kRoundTrips[] = {
    {"lf_only", "a\nb\n", "a/b/", 3, 1, "a\r\nb\r\n", "a\nb\n"},
    {"cr_lf", "a\r\nb\r\n", "a/b/", 3, 0, "a\r\nb\r\n", "a\nb\n"},
    {"mixed", "a\r\nb\nc", "a/b/c", 3, 0, "a\r\nb\r\nc", "a\nb\nc"},
    {"no_final_line_end", "a\nb", "a/b", 2, 1, "a\r\nb", "a\nb"},
    {"empty_lines", "\n\nx\n", "//x/", 4, 1, "\r\n\r\nx\r\n", "\n\nx\n"},
    {"tab_kept", "a\tb\n", "a>..b/", 2, 1, "a\tb\r\n", "a\tb\n"},
    {"form_feed_stays", "a\x0c" "b", "a\x0c" "b", 1, 1, "a\x0c" "b", "a\x0c" "b"},
};

class FileRoundTrip : public FileTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(FileRoundTrip, LoadAndSave)
{
    const RoundTrip& c = GetParam();
    ASSERT_EQ(Load(c.file), 1);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(core.GetLineCount(), c.lines);
    EXPECT_EQ(HasLfOnlyLineEnds(reinterpret_cast<const uint8_t*>(c.file), std::strlen(c.file)), c.unixFormat != 0);
    EXPECT_EQ(state.unixFormat, 0) << "loading leaves the LF-only flag alone";
    EXPECT_EQ(state.selStart, 0);
    ExpectModelIntact();
    ASSERT_EQ(core.SaveFile(nullptr, false, false, false), 1);
    EXPECT_EQ(read_file(path), c.savedCrLf);
    ASSERT_EQ(core.SaveFile(nullptr, false, false, true), 1);
    EXPECT_EQ(read_file(path), c.savedLf);
    EXPECT_EQ(Text(), c.text) << "saving leaves the text as it was";
}

INSTANTIATE_TEST_SUITE_P(Cases, FileRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const ::testing::TestParamInfo<RoundTrip>& i) { return std::string(i.param.name); });

TEST_F(FileTest, LfOnlyIsDecidedByTheFirstBlock)
{
    std::string lines;
    while (lines.size() < 40000)
        lines += "0123456789\n";
    std::string late = lines + "tail\r\n", early = "x\r\n" + lines;
    EXPECT_EQ(HasLfOnlyLineEnds(reinterpret_cast<const uint8_t*>(late.data()), late.size()), true)
        << "a CR beyond the first 32777 bytes does not count";
    EXPECT_EQ(HasLfOnlyLineEnds(reinterpret_cast<const uint8_t*>(early.data()), early.size()), false);
    state.unixFormat = 1;
    ASSERT_EQ(Load(early), 1);
    EXPECT_EQ(state.unixFormat, 1) << "the document's flag is not the loader's business";
}

TEST_F(FileTest, LongLineBecomesSoftBrokenPieces)
{
    std::string line;
    for (int i = 0; i < 70000; ++i)
        line += static_cast<char>('a' + i % 26);
    ASSERT_EQ(Load(line), 1);
    EXPECT_EQ(state.wrapWidth, kLongLineWrap);
    EXPECT_EQ(core.GetLineCount(), 3);
    EXPECT_EQ(state.length, 70000 + 2);
    EXPECT_EQ(state.Text()[32766], kSoftBreak);
    EXPECT_EQ(state.Text()[32766 * 2 + 1], kSoftBreak);
    EXPECT_EQ(core.GetLineLength(state.length), 70000 - 2 * 32766);
    ExpectModelIntact();

    // Saved without turning soft breaks into line breaks: one line again.
    ASSERT_EQ(core.SaveFile(nullptr, false, false, false), 1);
    EXPECT_EQ(read_file(path), line);
    EXPECT_EQ(state.length, 70002) << "the text is wrapped again after saving";
    EXPECT_EQ(state.modified, 0);
}

TEST_F(FileTest, LineAtTheLimitStaysWhole)
{
    std::string line(32767, 'x');
    ASSERT_EQ(Load(line + "\n" + std::string(32768, 'y')), 1);
    EXPECT_EQ(state.wrapWidth, kLongLineWrap);
    // 32,767 characters are one line; 32,768 are cut into 32,766 + 2.
    EXPECT_EQ(core.GetLineCount(), 3);
    EXPECT_EQ(state.Text()[32767], kCarriageReturn);
    EXPECT_EQ(state.Text()[32768 + 32766], kSoftBreak);
}

TEST_F(FileTest, TabsTurnExpandTabsOffAndCanBeSavedAsBlanks)
{
    core.m_bExpandTabs = 1;
    ASSERT_EQ(Load("ab\tc\n\td\n"), 1);
    EXPECT_EQ(core.m_bExpandTabs, 0);
    EXPECT_EQ(Text(), "ab>.c/>...d/");
    ASSERT_EQ(core.SaveFile(nullptr, true, false, true), 1);
    EXPECT_EQ(read_file(path), "ab  c\n    d\n") << "each tab becomes the blanks up to its stop";

    core.m_bExpandTabs = 1;
    ASSERT_EQ(Load("abc\n"), 1);
    EXPECT_EQ(core.m_bExpandTabs, 1);

    // Widths that are no power of two, on both sides of a chunk's edge.
    const std::string before(static_cast<size_t>(CTextStore::kChunkSize) - 2, 'z');
    for (int width : {3, 5, 8}) {
        SCOPED_TRACE(width);
        core.SetTabWidth(width);
        ASSERT_EQ(Load("a\tbc\tx\r\n" + before + "\ty\r\n"), 1);
        ExpectModelIntact();
        ASSERT_EQ(core.SaveFile(nullptr, true, false, false), 1);
        auto blanks = [&](size_t col) { return std::string(static_cast<size_t>(width) - col % width, ' '); };
        EXPECT_EQ(read_file(path), "a" + blanks(1) + "bc" + blanks(1 + blanks(1).size() + 2) + "x\r\n" + before +
                                           blanks(before.size()) + "y\r\n");
    }
}

TEST_F(FileTest, WordWrappedTextSavedWithOrWithoutLineBreaks)
{
    ASSERT_EQ(Load("aaaa bbbb cccc dddd\n"), 1);
    core.m_bWrapOnWords = 1;
    core.SetWordWrap(10, true);
    EXPECT_EQ(Text(), "aaaa bbbb~ cccc~ dddd/");
    state.modified = 1;
    ASSERT_EQ(core.SaveFile(nullptr, false, false, true), 1);
    EXPECT_EQ(read_file(path), "aaaa bbbb cccc dddd\n");
    EXPECT_EQ(Text(), "aaaa bbbb~ cccc~ dddd/");
    EXPECT_EQ(state.modified, 0) << "re-wrapping after the save does not mark the text modified";

    ASSERT_EQ(core.SaveFile(nullptr, false, true, true), 1);
    EXPECT_EQ(read_file(path), "aaaa bbbb\n cccc\n dddd\n");
    EXPECT_EQ(Text(), "aaaa bbbb/ cccc/ dddd/") << "the wrapped pieces became lines in memory too";
    EXPECT_EQ(core.GetLineCount(), 4);
    ExpectModelIntact();
}

// Saving with soft breaks turned into line breaks makes the wrapped pieces
// real lines once; saving again, or loading the file and saving it again,
// gives the same file. Pieces that fit the column exactly are the edge.
struct StableSave {
    const char* name;
    const char* file;
    int column;
    bool onWords;
    const char* saved;
};

const StableSave kStableSaves[] = {
    {"plain_exact_width", "abcdefghij\nabcdefghijklmnopqrst\n", 10, false,
     "abcdefghij\nabcdefghij\nklmnopqrst\n"},
    {"plain_no_final_line_end", "abcdefghijklmnopqrst", 10, false, "abcdefghij\nklmnopqrst"},
    {"words_blank_begins_next_piece", "word1 word2\n", 6, true, "word1\n word2\n"},
    {"words_exact_pieces", "aaaa bbbb cccc\n", 5, true, "aaaa\n bbbb\n cccc\n"},
};

class StableSaveTable : public FileTest, public ::testing::WithParamInterface<StableSave> {};

TEST_P(StableSaveTable, SavingAgainChangesNothing)
{
    const StableSave& c = GetParam();
    ASSERT_EQ(Load(c.file), 1);
    core.m_bWrapOnWords = c.onWords;
    core.SetWordWrap(c.column, c.onWords);
    ASSERT_EQ(core.SaveFile(nullptr, false, true, true), 1);
    EXPECT_EQ(read_file(path), c.saved);
    ASSERT_EQ(core.SaveFile(nullptr, false, true, true), 1);
    EXPECT_EQ(read_file(path), c.saved) << "second save";

    ASSERT_EQ(core.LoadFile(path.c_str()), 1);
    core.SetWordWrap(c.column, c.onWords);
    ASSERT_EQ(core.SaveFile(nullptr, false, true, true), 1);
    EXPECT_EQ(read_file(path), c.saved) << "loaded and saved again";
    ExpectModelIntact();
}

INSTANTIATE_TEST_SUITE_P(Cases, StableSaveTable, ::testing::ValuesIn(kStableSaves),
                         [](const ::testing::TestParamInfo<StableSave>& i) { return std::string(i.param.name); });

TEST_F(FileTest, ReadOnlyFileSetsReadOnlyAndIsNotOverwritten)
{
    write_file(path, "keep\n");
    ASSERT_EQ(chmod(path.c_str(), S_IREAD), 0);
    ASSERT_EQ(core.LoadFile(path.c_str()), 1);
    EXPECT_EQ(state.readOnly, 1);
    state.readOnly = 0;
    state.selStart = state.selEnd = 0;
    core.InsertChar('x', 0, true);
    EXPECT_EQ(core.SaveFile(nullptr, false, false, true), 0);
    EXPECT_EQ(read_file(path), "keep\n");
    EXPECT_EQ(state.modified, 1);
    chmod(path.c_str(), S_IREAD | S_IWRITE);
}

TEST_F(FileTest, FailedSaveLeavesFileTextAndFlagsIntact)
{
    ASSERT_EQ(Load("original\n"), 1);
    state.selStart = state.selEnd = 0;
    core.InsertChar('x', 0, true);
    // A folder stands where the file should go: the rename over it fails.
    std::string folder = dir + "/folder.asm";
    make_dirs(folder);
    EXPECT_EQ(core.SaveFile(folder.c_str(), false, false, false), 0);
    EXPECT_EQ(core.GetPathName(), path) << "a failed save keeps the known name";
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(Text(), "xoriginal/");
    struct stat st;
    EXPECT_EQ(stat((folder + ".~sav0").c_str(), &st), -1) << "no temporary is left behind";
    EXPECT_EQ(read_file(path), "original\n");

    // A folder that does not exist.
    EXPECT_EQ(core.SaveFile((dir + "/missing/x.asm").c_str(), false, false, false), 0);
    EXPECT_EQ(core.SaveFile(nullptr, false, false, false), 1);
    EXPECT_EQ(read_file(path), "xoriginal\r\n");
    EXPECT_EQ(state.modified, 0);
}

TEST_F(FileTest, LoadFailures)
{
    Put("kept", 2);
    EXPECT_EQ(core.LoadFile((dir + "/none.asm").c_str()), 0);
    EXPECT_EQ(Text(), "kept");
    CColorEditCore unnamed;
    EXPECT_EQ(unnamed.LoadFile(nullptr), 0);
    EXPECT_EQ(unnamed.SaveFile(nullptr, false, false, false), 0);
    EXPECT_EQ(unnamed.CheckFileChanged(), 0);
}

TEST_F(FileTest, ChangedOnDiskAsksToReload)
{
    ASSERT_EQ(Load("a\n"), 1);
    EXPECT_EQ(core.CheckFileChanged(), 0) << "unchanged";
    int64_t t = 0;
    ASSERT_EQ(os_file_time(path, &t), OS_TIME_OK);
    ASSERT_TRUE(os_set_file_time(path, t + 10000000000LL));
    host.answers.push_back(kAnswerYes);
    EXPECT_EQ(core.CheckFileChanged(), kAnswerYes);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], kChangedOnDiskText);
    EXPECT_EQ(host.captions[0], path);
    EXPECT_EQ(core.m_bChangedOnDisk, 1);
    EXPECT_EQ(core.CheckFileChanged(), 0) << "the new time was stored";
    ASSERT_EQ(core.SaveFile(nullptr, false, false, false), 1);
    EXPECT_EQ(core.m_bChangedOnDisk, 0);
}

// The program's own change of the file's times (the properties dialog) is
// taken as known and asks nothing; one from outside before it still shows.
TEST_F(FileTest, AStatusRefreshedAfterTheProgramsOwnChangeAsksNothing)
{
    ASSERT_EQ(Load("a\n"), 1);
    EXPECT_TRUE(core.FileStatusCurrent());
    int64_t t = 0;
    ASSERT_EQ(os_file_time(path, &t), OS_TIME_OK);
    ASSERT_TRUE(os_set_file_time(path, t + 10000000000LL));
    EXPECT_FALSE(core.FileStatusCurrent());
    core.RefreshFileStatus();
    EXPECT_TRUE(core.FileStatusCurrent());
    EXPECT_EQ(core.CheckFileChanged(), 0);
    EXPECT_TRUE(host.questions.empty());
    CColorEditCore unnamed;
    EXPECT_FALSE(unnamed.FileStatusCurrent());
}

TEST_F(FileTest, DeletedFileIsReportedOnceAndCanBeSavedAgain)
{
    ASSERT_EQ(Load("a\n"), 1);
    std::remove(path.c_str());
    host.answers.push_back(kAnswerNo);
    EXPECT_EQ(core.CheckFileChanged(), 0);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], kMovedOrDeletedText);
    EXPECT_EQ(state.modified, 1) << "No marks the text modified so that closing asks";
    EXPECT_EQ(core.CheckFileChanged(), 0);
    EXPECT_EQ(host.questions.size(), 1u) << "asked once, not at every activation";

    // Yes saves the text again under the known name.
    ASSERT_EQ(core.SaveFile(nullptr, false, false, true), 1);
    std::remove(path.c_str());
    host.answers.push_back(kAnswerYes);
    state.unixFormat = 1;
    EXPECT_EQ(core.CheckFileChanged(), 0);
    EXPECT_EQ(read_file(path), "a\n");
    EXPECT_EQ(state.modified, 0);
}

} // namespace

namespace {

// After every megabyte of a file the host hears how far the load is, not
// after a number of lines: a file of a million short lines is told a few
// times, not ten thousand.
TEST_F(FileTest, LoadTellsItsProgressEveryMegabyte)
{
    std::string file;
    while (file.size() < 4500000)
        file += "line " + std::to_string(100000 + file.size() % 900000) + "\n"; // 12 bytes
    ASSERT_EQ(Load(file), 1);
    ASSERT_EQ(host.progress.size(), 4u);
    int64_t before = 0;
    for (const RecordingHost::Progress& p : host.progress) {
        EXPECT_GT(p.bytesRead, before);
        EXPECT_EQ(p.bytesRead % 12, 0) << "told between lines";
        EXPECT_EQ(p.lines, p.bytesRead / 12);
        EXPECT_EQ(p.total, static_cast<int64_t>(file.size()));
        before = p.bytesRead;
    }
    EXPECT_LT(before, static_cast<int64_t>(file.size()));

    host.progress.clear();
    ASSERT_EQ(Load("a\nb\n"), 1);
    EXPECT_TRUE(host.progress.empty());
}

// Bytes 1 and 2 are the model's tab fill and soft break, and a zero byte
// ends its text: a text holding them from a file would lose them (or the
// rest of the line behind a zero byte) at the next save, and byte 2 would
// end lines. Such a file is refused with a message and the text stays.
TEST_F(FileTest, FileWithControlBytesIsRefusedAndTheTextStays)
{
    const std::string longLine = std::string(40000, 'x') + "\x02" + std::string(40000, 'y');
    const std::string cases[] = {
        "a\x01" "b\n",
        "a\tb\x01\n",
        "x\x02y",
        std::string(20000, 'z') + "\n" + std::string(1 << 20, 'q') + "\x01",
        longLine,
        std::string("ab\0cd\nnext\n", 12),
        std::string("\0", 1),
        std::string("a\tb\r\n\0\r\n", 9),
        std::string(50000, 'w') + std::string("\0tail", 5) + std::string(50000, 'v'),
        std::string(3 << 20, 'r') + std::string("\n\0", 2),
    };
    for (const std::string& file : cases) {
        SCOPED_TRACE(file.size());
        Put("kept/text", 2);
        state.modified = 1;
        ASSERT_EQ(Load(file), 0);
        EXPECT_EQ(Text(), "kept/text");
        EXPECT_EQ(core.GetLineCount(), 2);
        EXPECT_EQ(state.modified, 1);
        ASSERT_EQ(host.refusals.size(), 1u);
        EXPECT_EQ(host.refusals[0], path + ": " + kControlBytesText);
        EXPECT_EQ(read_file(path), file) << "the file is not touched";
        ExpectModelIntact();
    }
}

// Every other byte a file may hold comes back unchanged from a save.
TEST_F(FileTest, LoadThenSaveGivesTheFileBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != 0 && b != 1 && b != 2 && b != 9 && b != 10 && b != 13)
            all += static_cast<char>(b);
    std::string tabs;
    for (int i = 0; i < 3000; ++i)
        tabs += std::string(static_cast<size_t>(i % 7), 'c') + "\t" + (i % 5 ? "" : "\r\n");
    std::string longTabs;
    for (int i = 0; i < 30000; ++i)
        longTabs += i % 3 ? "ab" : "\t";
    const std::string cases[] = {
        all + "\r\n" + all,
        tabs + "\r\nend",
        longTabs + "\r\n" + longTabs,
        std::string(100000, 'w') + "\r\n\r\n",
    };
    for (const std::string& file : cases) {
        SCOPED_TRACE(file.size());
        ASSERT_EQ(Load(file), 1);
        ExpectModelIntact();
        ASSERT_EQ(core.SaveFile(nullptr, false, false, false), 1);
        ASSERT_EQ(read_file(path), file);
    }
}

// The text model of a file, made the plain way, line by line and byte by
// byte: CR breaks, CRs dropped, tabs with their fill to the next tab stop,
// lines from kAppendLineLimit bytes on cut into pieces of kLongLineWrap
// joined by soft breaks; a final line end makes an empty last line.
struct ModelText {
    std::string text;
    int lines = 0;
    bool wrapped = false;
    std::vector<int> starts; // of every line
};

ModelText ModelOf(const std::string& file, int tabWidth)
{
    ModelText m;
    const size_t tw = static_cast<size_t>(tabWidth);
    auto piece = [&](const std::string& bytes, char prefix) {
        if (m.lines)
            m.text += prefix;
        ++m.lines;
        m.starts.push_back(static_cast<int>(m.text.size()));
        const size_t start = m.text.size();
        for (char c : bytes) {
            if (c == '\r')
                continue;
            if (c != '\t') {
                m.text += c;
                continue;
            }
            const size_t fill = tw - (m.text.size() - start) % tw;
            m.text += '\t';
            m.text.append(fill - 1, '\x01');
        }
    };
    auto line = [&](const std::string& l) {
        if (l.size() < static_cast<size_t>(kAppendLineLimit)) {
            piece(l, '\r');
            return;
        }
        for (size_t k = 0; k < l.size(); k += kLongLineWrap)
            piece(l.substr(k, kLongLineWrap), k ? '\x02' : '\r');
        m.wrapped = true;
    };
    size_t pos = 0;
    for (size_t lf; (lf = file.find('\n', pos)) != std::string::npos; pos = lf + 1) {
        std::string l = file.substr(pos, lf - pos);
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        line(l);
    }
    std::string rest = file.substr(pos);
    if (!rest.empty() && rest.back() == '\r')
        rest.pop_back();
    if (!rest.empty())
        line(rest);
    if (!file.empty() && file.back() == '\n')
        piece("", '\r');
    return m;
}

// The file a text model saves as, made the plain way: line breaks (soft
// ones when asked, else nothing) as line ends, a tab with the fill behind
// it as one tab or blanks to the next tab stop, other fill bytes nothing.
std::string ModelSaved(const std::string& text, int tabWidth, bool blanks, bool softToCR, bool lfOnly)
{
    const size_t tw = static_cast<size_t>(tabWidth);
    std::string out;
    size_t col = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char b = text[i];
        if (b == '\r' || (b == '\x02' && softToCR)) {
            out += lfOnly ? "\n" : "\r\n";
            col = 0;
        } else if (b == '\t') {
            const size_t fill = tw - col % tw;
            out += blanks ? std::string(fill, ' ') : std::string("\t");
            col += fill;
            while (i + 1 < text.size() && text[i + 1] == '\x01')
                ++i;
        } else if (b != '\x01' && b != '\x02') {
            out += b;
            ++col;
        }
    }
    return out;
}

// Many short lines of letters, tabs, lone CRs, kept control bytes and high
// bytes with every kind of line end, past a read block, and when asked
// lines around the lengths where a line is cut into pieces.
std::string MixedFile(unsigned seed, size_t size, bool longLines)
{
    std::mt19937 random(seed);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    static const char kBytes[] = "abcdefgh ;,#01\t\t\t\r\x03\x0b\x0c\x0e\x7f\x80\xff";
    static const char* const kEnds[] = {"\n", "\r\n", "\r\n", "\n", "\r", ""};
    static const size_t kLongLengths[] = {32765, 32766, 32767, 32768, 32769, 32770, 65531,
                                          65532, 65533, 65534, 65535, 65536, 98298};
    std::string file;
    while (file.size() < size) {
        if (longLines && pick(40) == 0) {
            std::string l(kLongLengths[pick(sizeof kLongLengths / sizeof kLongLengths[0])], 'x');
            for (size_t k = pick(100); k < l.size(); k += 1 + pick(3000))
                l[k] = pick(2) ? '\t' : '\r';
            file += l + kEnds[pick(4)];
            continue;
        }
        for (size_t k = pick(70); k > 0; --k)
            file += kBytes[pick(sizeof kBytes - 1)];
        file += kEnds[pick(6)];
    }
    return file;
}

std::string StoreText(const CTextState& state)
{
    // Read without making the text contiguous: a save after edits reads
    // the chunks the edits left.
    std::string text(static_cast<size_t>(state.length), '\0');
    state.store.CopyOut(0, state.length, reinterpret_cast<uint8_t*>(&text[0]), nullptr);
    return text;
}

struct ModelCase {
    const char* name;
    unsigned seed;
    int tabWidth;
    bool longLines;
    const char* tail; // after the lines
    size_t size = (1 << 20) + 300000; // past a read block
};

const ModelCase kModelCases[] = {
    {"tab_8", 1, 8, false, "\n"},
    {"tab_4_long_lines", 2, 4, true, ""},
    {"tab_3", 3, 3, false, "last"},
    {"tab_1_long_lines", 4, 1, true, "\r"},
    {"tab_16", 5, 16, false, "\r\n"},
    {"tab_12_long_lines", 6, 12, true, "\n\r"},
    {"tab_300", 7, 300, false, "\n", 60000}, // saved byte by byte
};

// Loading takes most lines many bytes at a step and leaves the rest (a
// line unfinished at a block's end, long lines, the end of the buffer) to
// the line by line way; saving works in steps too. Both give exactly what
// the plain way gives, for tab widths from 1 to 16 on files past a read
// block and for wide tabs, and saving also after edits, from the chunks
// they left.
class FileModel : public FileTest, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(FileModel, LoadAndSaveAsThePlainWayMakesThem)
{
    const ModelCase& c = GetParam();
    const std::string file = MixedFile(c.seed, c.size, c.longLines) + c.tail;
    const ModelText model = ModelOf(file, c.tabWidth);
    ASSERT_EQ(core.SetTabWidth(c.tabWidth), 1);
    ASSERT_EQ(Load(file), 1);
    const std::string text(reinterpret_cast<const char*>(state.Text()), static_cast<size_t>(state.length));
    ASSERT_EQ(text.size(), model.text.size());
    const auto differs = std::mismatch(text.begin(), text.end(), model.text.begin()).first - text.begin();
    ASSERT_EQ(differs, static_cast<ptrdiff_t>(text.size())) << "first difference in the text";
    EXPECT_EQ(core.GetLineCount(), model.lines);
    EXPECT_EQ(state.wrapWidth, model.wrapped ? kLongLineWrap : 0);
    ExpectModelIntact();
    for (size_t line = 0; line < model.starts.size(); line += 97)
        ASSERT_EQ(core.GetLineOffset(static_cast<int>(line)), model.starts[line]) << line;

    for (int flags = 0; flags < 4; ++flags) {
        const bool blanks = flags & 1, lfOnly = flags & 2;
        SCOPED_TRACE(flags);
        ASSERT_EQ(core.SaveFile(nullptr, blanks, false, lfOnly), 1);
        EXPECT_TRUE(read_file(path) == ModelSaved(text, c.tabWidth, blanks, false, lfOnly));
    }

    // After edits the text lies in chunks of its own, read chunk by chunk.
    std::mt19937 random(c.seed);
    for (int k = 0; k < 300; ++k) {
        const int at = static_cast<int>(random() % static_cast<unsigned>(state.length + 1));
        core.SetSel(at, at, false, false);
        ASSERT_EQ(core.InsertChar(k % 7 == 0 ? '\t' : k % 11 == 0 ? '\r' : 'a' + k % 26, 0, true), 1);
    }
    ASSERT_FALSE(state.store.FlatCurrent());
    const std::string edited = StoreText(state);
    const bool softToCR = state.wrapWidth != 0;
    ASSERT_EQ(core.SaveFile(nullptr, true, softToCR, false), 1);
    EXPECT_TRUE(read_file(path) == ModelSaved(edited, c.tabWidth, true, softToCR, false));
}

INSTANTIATE_TEST_SUITE_P(Cases, FileModel, ::testing::ValuesIn(kModelCases),
                         [](const ::testing::TestParamInfo<ModelCase>& i) { return std::string(i.param.name); });

// A tab width above 100 leaves the text as it was laid out: its tabs keep
// the fill of the old width, and saved as blanks each reaches the new tab
// stop, megabytes of blanks out of a few kilobytes of text.
TEST_F(FileTest, TabsWiderThanTheirFillSavedAsBlanks)
{
    std::string file;
    for (int i = 0; i < 1500; ++i)
        file += "a\tb\t\tc" + std::string(i % 5, '\t') + "\n";
    ASSERT_EQ(Load(file), 1);
    ASSERT_EQ(core.SetTabWidth(1000), 1);
    const std::string text(reinterpret_cast<const char*>(state.Text()), static_cast<size_t>(state.length));
    for (bool blanks : {true, false}) {
        SCOPED_TRACE(blanks);
        ASSERT_EQ(core.SaveFile(nullptr, blanks, false, true), 1);
        const std::string saved = read_file(path);
        EXPECT_TRUE(saved == ModelSaved(text, 1000, blanks, false, true));
        EXPECT_EQ(saved.size() > 3000000, blanks);
    }
}

// The file is read in blocks of a megabyte: a CR LF split by a block's end
// is one line end, and a long line across blocks is cut where a line read
// whole would be.
TEST_F(FileTest, LinesAcrossReadBlocks)
{
    const size_t block = 1 << 20;
    std::string file(block - 1, 'a');
    for (size_t i = 100; i < file.size(); i += 100)
        file[i] = '\n';
    file += "\r\nnext\r\n";
    const std::string longLine(3 * block + 5, 'x');
    for (const std::string& f : {file, file + longLine, longLine + "\r\n" + file, std::string(block - 1, 'y') + "\r"}) {
        SCOPED_TRACE(f.size());
        ASSERT_EQ(Load(f), 1);
        ExpectModelIntact();
        ASSERT_EQ(core.SaveFile(nullptr, false, false, false), 1);
        std::string crlf;
        for (size_t i = 0; i < f.size(); ++i) {
            if (f[i] == '\n' && (i == 0 || f[i - 1] != '\r'))
                crlf += '\r';
            if (f[i] == '\r' && (i + 1 == f.size() || f[i + 1] != '\n'))
                continue; // a CR alone is no line end and is dropped
            crlf += f[i];
        }
        EXPECT_EQ(read_file(path) == crlf, true);
    }
    ASSERT_EQ(Load(file), 1);
    EXPECT_EQ(state.Text()[block - 1], kCarriageReturn);
    EXPECT_EQ(state.Text()[block], 'n');
    ASSERT_EQ(Load(longLine), 1);
    EXPECT_EQ(core.GetLineCount(), static_cast<int>(longLine.size() / kLongLineWrap + 1));
    EXPECT_EQ(state.Text()[kLongLineWrap], kSoftBreak);
}

// The text is cut into chunks of the store as it is loaded: line ends on
// and around a chunk's edges, a CR LF split by it, and a long line that
// spans many chunks are counted right, and the first edit behind them and
// its undo keep the text and the line count.
TEST_F(FileTest, LinesAcrossChunkEdgesCountAndEditAfterLoad)
{
    const int edge = CTextStore::kChunkSize;
    std::string file;
    // Lines of 1 to 40 bytes with CR LF, so that every kind of line end
    // falls on every place around the edges of the first chunks.
    for (int i = 0; file.size() < static_cast<size_t>(5 * edge); ++i)
        file += std::string(static_cast<size_t>(1 + i % 40), static_cast<char>('a' + i % 26)) + (i % 3 ? "\r\n" : "\n");
    file += std::string(3 * edge + 17, 'L') + "\r\n"; // cut into soft-broken pieces
    file += "last";
    ASSERT_EQ(Load(file), 1);
    ExpectModelIntact();
    const std::string loaded = Text();
    const int lines = core.GetLineCount();
    std::vector<int> starts{0};
    for (int i = 0; i < state.length; ++i)
        if (loaded[static_cast<size_t>(i)] == '/' || loaded[static_cast<size_t>(i)] == '~')
            starts.push_back(i + 1);
    ASSERT_EQ(static_cast<int>(starts.size()), lines);
    for (int line = 0; line < lines; line += 7)
        ASSERT_EQ(core.GetLineOffset(line), starts[static_cast<size_t>(line)]) << line;
    EXPECT_EQ(core.GetLineOffset(lines - 1), starts.back());

    for (int at : {edge - 1, edge, edge + 1, 2 * edge, state.length - 2}) {
        SCOPED_TRACE(at);
        core.SetSel(at, at, false, false);
        int one = 1;
        InsertStatus status = kInsertNoMemory;
        core.InsertText(reinterpret_cast<const uint8_t*>("\r"), one, nullptr, kInsertRecordUndo, &status);
        ASSERT_EQ(status, kInsertDone);
        EXPECT_EQ(core.GetLineCount(), lines + 1);
        ExpectModelIntact();
        ASSERT_NE(core.Undo(), 0);
        EXPECT_EQ(Text(), loaded);
        EXPECT_EQ(core.GetLineCount(), lines);
    }
}

} // namespace
