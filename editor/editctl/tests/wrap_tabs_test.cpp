// Word wrap, tab width and re-layout, the colour table and attribute ranges,
// selection access.
#include <map>

#include "color_table.h"
#include "edit_fixture.h"

namespace {

struct WrapCase {
    const char* name;
    const char* text;
    int column;
    bool onWords;
    const char* expected;
    int breaks;
};

const WrapCase kWrapCases[] = {
    {"plain_25_at_10", "abcdefghijklmnopqrstuvwxy", 10, false, "abcdefghij~klmnopqrst~uvwxy", 2},
    {"exactly_10_gets_no_break", "abcdefghij/x", 10, false, "abcdefghij/x", 0},
    {"short_lines_stay", "abc/def", 10, false, "abc/def", 0},
    {"on_words_breaks_before_blank", "aaaa bbbb cccc", 10, true, "aaaa bbbb~ cccc", 1},
    {"on_words_without_blank_breaks_at_column", "abcdefghijklmn", 10, true, "abcdefghij~klmn", 1},
    {"on_words_blank_run", "a    bbbbbbbbbbbbbb", 4, true, "a   ~ bbb~bbbb~bbbb~bbb", 4},
    {"blank_at_piece_start_makes_progress", " abcdefghijklmn", 5, true, " abcd~efghi~jklmn", 2},
    {"tab_never_split_from_fill", "abcdef>.x", 7, false, "abcdef~>...x", 1},
    {"tab_relaid_in_new_piece", "abcdef>.xy", 8, false, "abcdef>.~xy", 1},
    {"column_one", "abc", 1, false, "a~b~c", 2},
};

class WrapTable : public EditTest, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(WrapTable, Wraps)
{
    const WrapCase& c = GetParam();
    Put(c.text, 0);
    EXPECT_EQ(core.SetWordWrap(c.column, c.onWords), c.breaks);
    EXPECT_EQ(Text(), c.expected);
    ExpectModelIntact();
    // Turning wrap off gives the text back.
    core.SetWordWrap(0, false);
    EXPECT_EQ(Text(), c.text);
    ExpectModelIntact();
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapTable, ::testing::ValuesIn(kWrapCases),
                         [](const ::testing::TestParamInfo<WrapCase>& i) { return std::string(i.param.name); });

TEST_F(EditTest, WordWrapEdges)
{
    Put("abc", 1);
    EXPECT_EQ(core.SetWordWrap(0, false), 0);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(state.modified, 0);

    Put("abcdefghijklmnop", 12);
    EXPECT_EQ(core.SetWordWrap(5, false), 3);
    EXPECT_EQ(Text(), "abcde~fghij~klmno~p");
    EXPECT_EQ(state.selStart, 14) << "the caret stays on its character";
    EXPECT_EQ(core.GetLineCount(), 4);
    ASSERT_EQ(host.lineDiffs.size(), 1u);
    EXPECT_EQ(host.lineDiffs[0], 3);
    // Rewrapping at another column replaces the breaks.
    EXPECT_EQ(core.SetWordWrap(8, false), 1);
    EXPECT_EQ(Text(), "abcdefgh~ijklmnop");
    EXPECT_EQ(core.FindLineBreak(0, 20), 8);
    EXPECT_EQ(core.SetWordWrap(0, false), 0);
    EXPECT_EQ(core.GetLineCount(), 1);
    EXPECT_EQ(core.FindLineBreak(0, 20), -1);
}

// ---------------------------------------------------------------------------
// Tabs.

TEST_F(EditTest, TabWidthChangeRelaysTheText)
{
    Put("ab>.x/>...y", 4);
    EXPECT_EQ(core.SetTabWidth(8), 1);
    EXPECT_EQ(Text(), "ab>.....x/>.......y");
    EXPECT_EQ(state.selStart, 8) << "the caret stays on the x";
    EXPECT_EQ(state.modified, 0) << "the tabs are the same text at another width";
    ExpectModelIntact();

    state.modified = 0;
    EXPECT_EQ(core.SetTabWidth(0), 0) << "tab width 0 is refused";
    EXPECT_EQ(core.SetTabWidth(-3), 0);
    EXPECT_EQ(core.GetTabWidth(), 8);
    EXPECT_EQ(state.modified, 0);

    // Above 100 the text keeps its layout, typing uses the new width.
    EXPECT_EQ(core.SetTabWidth(101), 1);
    EXPECT_EQ(Text(), "ab>.....x/>.......y");
    Put("", 0);
    core.m_bExpandTabs = 0;
    core.InsertChar('\t', 0, false);
    EXPECT_EQ(state.length, 101);

    // In a wrapped text the soft breaks move with the tabs, and with them
    // what a save may write: that counts as a change.
    core.m_bExpandTabs = 0;
    ASSERT_EQ(core.SetTabWidth(4), 1);
    Put("abcdefgh>...ijklmnop", 0);
    ASSERT_GT(core.SetWordWrap(10, false), 0) << "soft breaks were placed";
    state.modified = 0;
    EXPECT_EQ(core.SetTabWidth(2), 1);
    EXPECT_EQ(state.modified, 1);
    ExpectModelIntact();
}

TEST_F(EditTest, RelayoutTabsOfOneLine)
{
    Put("a>..b/c>..d", 0);
    // Width 2 for the first line only.
    EXPECT_EQ(core.RelayoutTabs(1, 2), 9);
    EXPECT_EQ(Text(), "a>b/c>..d");
    EXPECT_EQ(core.RelayoutTabs(5, 8), 13);
    EXPECT_EQ(Text(), "a>b/c>......d");
}

TEST_F(EditTest, UntabifyAndTabsToSpaces)
{
    Put("ab>.c", 0);
    core.UntabifyText();
    EXPECT_EQ(Text(), "ab  c");
    EXPECT_EQ(state.modified, 1);
    Put("abc", 0);
    core.UntabifyText();
    EXPECT_EQ(state.modified, 0) << "a text without tabs is not marked modified";
    uint8_t buf[] = "x\t\x01y";
    EXPECT_EQ(TabsToSpaces(buf, 4), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(buf), "x  y");
    EXPECT_EQ(TabsToSpaces(buf, 4), 0);
}

TEST_F(EditTest, SetTextLaysOutTabs)
{
    core.SetText("a\tb\r\tc");
    EXPECT_EQ(Text(), "a>..b/>...c");
    EXPECT_EQ(core.GetLineCount(), 2);
    EXPECT_EQ(state.selStart, state.length);
    ExpectModelIntact();
    core.SetText(nullptr);
    EXPECT_EQ(state.length, 0);
    EXPECT_EQ(core.GetLineCount(), 1);
}

// ---------------------------------------------------------------------------
// Colour table.

class FakeProfile : public CProfileAccess {
public:
    int GetInt(const char* section, const char* key, int def) override
    {
        auto it = values.find(std::string(section) + "/" + key);
        return it == values.end() ? def : it->second;
    }
    void WriteInt(const char* section, const char* key, int value) override
    {
        values[std::string(section) + "/" + key] = value;
    }
    std::map<std::string, int> values;
};

TEST(ColorTable, DefaultsProfileAndSave)
{
    FakeProfile profile;
    profile.values["ColorTable/color5"] = 0x123456; // ignored without color0
    LoadColorTable(profile, 0xAAAAAA, 0xBBBBBB);
    EXPECT_EQ(g_ColorTable[0], 0x000000u);
    EXPECT_EQ(g_ColorTable[2], 0xC43ECDu);
    EXPECT_EQ(g_ColorTable[5], 0x928F00u);
    EXPECT_EQ(g_ColorTable[15], 0xAAAAAAu);
    EXPECT_EQ(g_ColorTable[16], 0xFFFFFFu);
    EXPECT_EQ(g_ColorTable[25], 0x000000u);
    EXPECT_EQ(g_ColorTable[30], 0xC0C0C0u);
    EXPECT_EQ(g_ColorTable[31], 0xBBBBBBu);

    profile.values.clear();
    profile.values["ColorTable/color0"] = 0x010203;
    profile.values["ColorTable/color5"] = 0x123456;
    LoadColorTable(profile, 0, 0);
    EXPECT_EQ(g_ColorTable[0], 0x010203u);
    EXPECT_EQ(g_ColorTable[5], 0x123456u);
    EXPECT_EQ(g_ColorTable[6], 0u) << "text colours default to 0";
    EXPECT_EQ(g_ColorTable[20], 0xFFFFFFu) << "backgrounds default to white";

    FakeProfile saved;
    SaveColorTable(saved);
    EXPECT_EQ(saved.values.size(), 32u);
    EXPECT_EQ(saved.values["ColorTable/color5"], 0x123456);
    EXPECT_EQ(saved.values["ColorTable/color31"], 0xFFFFFF);
}

TEST_F(EditTest, SetColorRefusesIndicesOutsideTheTable)
{
    uint32_t before = g_ColorTable[0];
    EXPECT_EQ(core.SetColor(3, 0x112233), 3);
    EXPECT_EQ(core.GetColor(3), 0x112233u);
    EXPECT_EQ(core.GetColor(19), 0x112233u) << "masked to 0-15";
    EXPECT_EQ(core.SetColor(32, 0x445566), -1);
    EXPECT_EQ(core.SetColor(-1, 0x445566), -1);
    EXPECT_EQ(g_ColorTable[0], before);
    EXPECT_EQ(core.SetColor(17, 0x778899), 17);
    EXPECT_EQ(core.GetBkColor(1), 0x778899u);
}

TEST_F(EditTest, ColorRanges)
{
    Put("0123456789abcdef", 0);
    core.SetColorRange(2, 10, 5, false);
    EXPECT_EQ(Attrs(), "0000022222000000") << "from and to swapped: offsets 5 to 9";
    core.SetColorRange(3, 14, -1, false);
    EXPECT_EQ(Attrs(), "0000022222000033");
    core.ClearColorRange(6, 8);
    EXPECT_EQ(Attrs(), "0000020022000033");
    core.ClearColorRange(-1, 0);
    EXPECT_EQ(Attrs(), "0000000000000000");
}

// ---------------------------------------------------------------------------
// Selection access.

TEST_F(EditTest, SelectionAccess)
{
    Put("abcdef", 0);
    core.SetSel(2, 99, false, false);
    EXPECT_EQ(state.selStart, 2);
    EXPECT_EQ(state.selEnd, 6) << "an end beyond the text is capped";
    int s = 0, e = 0;
    core.GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 6);
    char buf[8] = "zzzzzzz";
    EXPECT_EQ(core.CopySelText(buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "cdef");
    core.SetSel(-1, 5, false, false);
    EXPECT_EQ(state.selStart, 2);
    EXPECT_EQ(state.selEnd, 2) << "-1 collapses at the caret";
    EXPECT_EQ(core.CopySelText(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "cdef") << "an empty selection leaves the buffer untouched";
    state.columnMode = 1;
    core.GetSel(s, e);
    EXPECT_EQ(e, 3) << "column mode: caret and caret + 1";
    EXPECT_EQ(core.GetSelectionMode(), 2);
}

TEST_F(EditTest, ModifiedFlagNotifiesOnChangeOnly)
{
    Put("a", 0);
    core.SetModify(1);
    core.SetModify(1);
    core.SetModify(0);
    ASSERT_EQ(host.modified.size(), 2u);
    EXPECT_EQ(host.modified[0], 1);
    EXPECT_EQ(host.modified[1], 0);
}

} // namespace

namespace {

TEST_F(EditTest, ScrollingBringsTheLineToTheThirdRow)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "/";
    Put(text, 0);
    core.m_nVisibleLines = 10;
    core.SetTopLine(0);
    int at = core.GetLineOffset(50) + 3;
    core.ScrollToOffset(at);
    EXPECT_EQ(core.GetTopLine(), 48);
    EXPECT_EQ(core.m_nTopOffset, core.GetLineOffset(48));
    core.ScrollToOffset(core.GetLineOffset(52));
    EXPECT_EQ(core.GetTopLine(), 48) << "a visible line does not scroll";
    core.SetSel(core.GetLineOffset(80), core.GetLineOffset(80), true, true);
    EXPECT_EQ(core.GetTopLine(), 78);
    EXPECT_EQ(core.m_nCaretLine, 80);
    core.SetSel(core.GetLineOffset(88), core.GetLineOffset(88), true, true);
    EXPECT_EQ(core.GetTopLine(), 79) << "the line just below the window becomes its last";
    core.SetSel(core.GetLineOffset(90), -1, true, true);
    EXPECT_EQ(core.GetTopLine(), 81) << "two lines below the window scroll by two";
    EXPECT_EQ(state.selEnd, state.length);
    core.SetSel(5, 5, true, true);
    EXPECT_EQ(core.GetTopLine(), 0);
    EXPECT_EQ(core.LineFromOffset(core.GetLineOffset(99)), 99);
}

} // namespace

namespace {

// A line far longer than any work area of fixed size.
TEST_F(EditTest, RelayoutOfAVeryLongLine)
{
    std::string line;
    for (int i = 0; i < 20000; ++i)
        line += "a\t";
    core.SetText(line.c_str());
    ASSERT_EQ(state.length, 80000);
    EXPECT_EQ(core.RelayoutTabs(10, 8), 160000);
    EXPECT_EQ(Show(state.Text(), 16), "a>......a>......");
    EXPECT_EQ(core.SetTabWidth(8), 1);
    EXPECT_EQ(state.length, 160000);
    ExpectModelIntact();
}

} // namespace
