// Character insertion and deletion around tabs, fill bytes, soft breaks and
// CRs: text, attributes, line count and caret checked together.
#include <cstdlib>
#include <cstring>

#include "edit_fixture.h"

namespace {

struct InsertCase {
    const char* name;
    const char* text;
    int caret;
    int selEnd;
    int ch;
    bool expandTabs;
    const char* expected;
    int expectedCaret;
    int expectedLines;
};

const InsertCase kInsertCases[] = {
    {"into_empty", "", 0, 0, 'a', false, "a", 1, 1},
    {"tab_at_position_5", "abcde", 5, 5, '\t', false, "abcde>..", 8, 1},
    {"tab_expanded_to_blanks", "abcde", 5, 5, '\t', true, "abcde   ", 8, 1},
    {"tab_at_line_position_1", "a", 1, 1, '\t', false, "a>..", 4, 1},
    {"letter_shrinks_following_tab", "abcd>...", 0, 0, 'x', false, "xabcd>..", 1, 1},
    {"letter_turns_one_byte_tab_into_four", "abc>cd", 0, 0, 'x', false, "xabc>...cd", 1, 1},
    {"letter_before_two_byte_tab", "ab>.cd", 0, 0, 'x', false, "xab>cd", 1, 1},
    {"cr_relays_tabs_of_new_line", "ab>.cd", 1, 1, '\r', false, "a/b>..cd", 2, 2},
    {"cr_at_end", "ab", 2, 2, '\r', false, "ab/", 3, 2},
    {"replaces_selection_with_two_crs", "a/b/c", 1, 4, 'x', false, "axc", 2, 1},
    {"caret_on_fill_byte_inserts_before_tab", "a>..b", 2, 2, 'x', false, "ax>.b", 2, 1},
    {"selection_ending_in_fill_takes_whole_tab", "a>..b", 0, 2, 'x', false, "xb", 1, 1},
    {"tab_in_second_line", "abcdef/ab", 9, 9, '\t', false, "abcdef/ab>.", 11, 2},
    // Without word wrap a soft break is no line break: tab stops count on.
    {"soft_break_without_wrap_keeps_tab_columns", "ab~>x", 0, 0, 'y', false, "yab~>...x", 1, 1},
    {"soft_break_selection_without_wrap", "a~b/c", 0, 3, 'x', false, "x/c", 1, 2},
};

class InsertCharTable : public EditTest, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(InsertCharTable, KeepsTextModel)
{
    const InsertCase& c = GetParam();
    Put(c.text, c.caret, c.selEnd);
    core.m_bExpandTabs = c.expandTabs;
    int oldLines = static_cast<int>(state.lineCount);
    ASSERT_EQ(core.InsertChar(c.ch, 3, true), 1);
    EXPECT_EQ(Text(), c.expected);
    EXPECT_EQ(state.selStart, c.expectedCaret);
    EXPECT_EQ(static_cast<int>(state.lineCount), c.expectedLines);
    EXPECT_EQ(state.modified, 1);
    ExpectModelIntact();
    if (c.expectedLines != oldLines) {
        ASSERT_EQ(host.lineDiffs.size(), 1u);
        EXPECT_EQ(host.lineDiffs[0], c.expectedLines - oldLines);
    } else {
        EXPECT_TRUE(host.lineDiffs.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, InsertCharTable, ::testing::ValuesIn(kInsertCases),
                         [](const ::testing::TestParamInfo<InsertCase>& i) { return std::string(i.param.name); });

struct DeleteCase {
    const char* name;
    const char* text;
    int caret;
    int selEnd;
    bool forward;
    const char* expected;
    int result;
    int expectedLines;
};

const DeleteCase kDeleteCases[] = {
    {"delete_on_tab_takes_fill", "ab>.cd", 2, 2, true, "abcd", 2, 1},
    {"backspace_after_fill_takes_tab", "ab>.cd", 4, 4, false, "abcd", 2, 1},
    {"backspace_before_tab_relays_it", "abc>d", 1, 1, false, "bc>.d", 0, 1},
    {"delete_letter_widens_tab_to_full_stop", "x>...y", 0, 0, true, ">...y", 0, 1},
    {"delete_cr_joins_lines", "ab/cd", 2, 2, true, "abcd", 2, 1},
    {"backspace_cr_joins_and_relays", "ab/c>..d", 3, 3, false, "abc>d", 2, 1},
    {"selection_with_two_crs", "a/b/c", 1, 4, true, "ac", 1, 1},
    {"selection_ending_in_fill", "a>..b", 0, 2, true, "b", 0, 1},
    {"whole_text", "ab/cd", 0, 5, false, "", 0, 1},
    {"one_byte_selection_backward", "abc", 1, 2, false, "ac", 1, 1},
    {"backspace_soft_break_without_wrap", "a~b>c", 2, 2, false, "ab>.c", 1, 1},
    {"delete_soft_break_without_wrap", "a~b/c", 1, 1, true, "ab/c", 1, 2},
};

class DeleteTextTable : public EditTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTextTable, KeepsTextModel)
{
    const DeleteCase& c = GetParam();
    Put(c.text, c.caret, c.selEnd);
    int oldLines = static_cast<int>(state.lineCount);
    EXPECT_EQ(core.DeleteText(c.forward, true, 7), c.result);
    EXPECT_EQ(Text(), c.expected);
    EXPECT_EQ(state.selStart, c.result);
    EXPECT_EQ(static_cast<int>(state.lineCount), c.expectedLines);
    if (state.length)
        ExpectModelIntact();
    if (c.expectedLines != oldLines) {
        ASSERT_EQ(host.lineDiffs.size(), 1u);
        EXPECT_EQ(host.lineDiffs[0], c.expectedLines - oldLines);
    }
    ASSERT_EQ(host.recolours.size(), 1u);
    EXPECT_EQ(host.recolours[0], 7);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteTextTable, ::testing::ValuesIn(kDeleteCases),
                         [](const ::testing::TestParamInfo<DeleteCase>& i) { return std::string(i.param.name); });

TEST_F(EditTest, InsertCharKeepsAttributesOfNeighbours)
{
    Put("ab>.c", 1);
    for (int i = 0; i < state.length; ++i)
        state.Attr()[i] = 2;
    ASSERT_EQ(core.InsertChar('x', 5, false), 1);
    EXPECT_EQ(Text(), "axb>c");
    EXPECT_EQ(Attrs(), "25222");
}

TEST_F(EditTest, RefusalsChangeNothing)
{
    Put("ab", 2);
    EXPECT_EQ(core.DeleteText(true, true, 0), -1) << "forward at the end of the text";
    EXPECT_EQ(core.DeleteText(false, true, 0), 1);
    Put("ab", 0);
    EXPECT_EQ(core.DeleteText(false, true, 0), 0) << "backspace at offset 0";
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(state.modified, 0) << "nothing changed, so the text is not modified";
    EXPECT_FALSE(core.CanUndo());

    state.readOnly = 1;
    state.selStart = state.selEnd = 1;
    EXPECT_EQ(core.InsertChar('x', 0, true), 0);
    EXPECT_EQ(core.DeleteText(true, true, 3), -1);
    EXPECT_EQ(Text(), "ab");
    EXPECT_FALSE(core.CanUndo());
    EXPECT_TRUE(host.recolours.empty());

    state.readOnly = 0;
    state.columnMode = 1;
    state.columnRect = {0, 0, 10, 10};
    EXPECT_EQ(core.InsertChar('x', 0, true), 0);
    int len = 1;
    EXPECT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("x"), len, nullptr, 3), -1);
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditTest, LineCountAfterClearText)
{
    Put("abc");
    core.ClearText();
    EXPECT_EQ(core.GetLineCount(), 0);
    ASSERT_EQ(core.InsertChar('a', 0, true), 1);
    EXPECT_EQ(core.GetLineCount(), 1);
    core.ClearText();
    ASSERT_EQ(core.InsertChar('\r', 0, true), 1);
    EXPECT_EQ(state.length, 1);
    EXPECT_EQ(core.GetLineCount(), 2) << "Enter in an empty text makes two lines";
}

TEST_F(EditTest, SoftBreakCountsAsLineOnlyWithWordWrap)
{
    state.wrapWidth = 0;
    Put("ab", 1);
    ASSERT_EQ(core.InsertChar(2, 0, false), 1);
    EXPECT_EQ(core.GetLineCount(), 1);
    state.wrapWidth = 40;
    Put("ab", 1);
    ASSERT_EQ(core.InsertChar(2, 0, false), 1);
    EXPECT_EQ(Text(), "a~b");
    EXPECT_EQ(core.GetLineCount(), 2);
    state.selStart = state.selEnd = 2;
    EXPECT_EQ(core.DeleteText(false, false, 0), 1);
    EXPECT_EQ(core.GetLineCount(), 1);
}

// ---------------------------------------------------------------------------
// InsertText.

TEST_F(EditTest, InsertTextExpandsTabsFromTheCaretColumn)
{
    Put("x", 1);
    core.m_bExpandTabs = 0;
    int len = 3;
    EXPECT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("a\tb"), len, nullptr, kInsertExpandTabs), 4);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(Text(), "xa>.b");
    ExpectModelIntact();

    Put("x", 1);
    core.m_bExpandTabs = 1;
    len = 3;
    core.InsertText(reinterpret_cast<const uint8_t*>("a\tb"), len, nullptr, kInsertExpandTabs);
    EXPECT_EQ(Text(), "xa  b");

    // After a CR in the inserted text the column restarts at 0.
    Put("xyz", 3);
    core.m_bExpandTabs = 0;
    len = 4;
    core.InsertText(reinterpret_cast<const uint8_t*>("\r\tab"), len, nullptr, kInsertExpandTabs);
    EXPECT_EQ(Text(), "xyz/>...ab");
    EXPECT_EQ(core.GetLineCount(), 2);
}

TEST_F(EditTest, InsertTextReplacingTwoCrsByOne)
{
    Put("a/b/c", 1, 4);
    int len = 3;
    EXPECT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("1\r2"), len, nullptr, kInsertExpandTabs | kInsertRecordUndo), 0);
    EXPECT_EQ(Text(), "a1/2c");
    EXPECT_EQ(core.GetLineCount(), 2);
    ASSERT_EQ(host.lineDiffs.size(), 1u);
    EXPECT_EQ(host.lineDiffs[0], -1);
    EXPECT_EQ(state.modified, 1);
    ASSERT_EQ(host.modified.size(), 1u);
}

TEST_F(EditTest, ReplaceSelPutsTheCaretBehindTheText)
{
    core.m_bExpandTabs = 0;
    Put("ab/cd", 1, 2);
    core.ReplaceSel("x\ty", true, true);
    EXPECT_EQ(Text(), "ax>.y/cd");
    EXPECT_EQ(state.selStart, 5);
    EXPECT_EQ(state.selEnd, 5);
    EXPECT_EQ(state.modified, 1);
    // One step for the replaced selection, one for the insertion.
    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "ab/cd");

    // Without moving the caret, and without undo.
    Put("ab", 1);
    core.ReplaceSel("z", false, false);
    EXPECT_EQ(Text(), "azb");
    EXPECT_EQ(state.selStart, 1);
    EXPECT_FALSE(core.CanUndo());

    // An empty text deletes the selection.
    Put("abcd", 1, 3);
    core.ReplaceSel("", true, true);
    EXPECT_EQ(Text(), "ad");
    EXPECT_EQ(state.selStart, 1);
    ExpectModelIntact();
}

TEST_F(EditTest, ReplaceSelBringsACaretBelowTheWindowToItsMiddle)
{
    Put("a/b/c", 5);
    core.m_nVisibleLines = 10;
    core.SetTopLine(0);
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += "line\r";
    core.ReplaceSel(lines.c_str(), true, true);
    EXPECT_EQ(core.m_nCaretLine, 22);
    EXPECT_EQ(core.GetTopLine(), 17);
    EXPECT_EQ(core.m_nTopOffset, core.GetLineOffset(17));
    // A caret that stays inside the window does not scroll.
    core.ReplaceSel("x", true, true);
    EXPECT_EQ(core.GetTopLine(), 17);
}

TEST_F(EditTest, InsertTextCopiesOrZeroesAttributes)
{
    Put("ab", 1);
    int len = 2;
    const uint8_t attrs[] = {4, 5};
    core.InsertText(reinterpret_cast<const uint8_t*>("xy"), len, attrs, 0);
    EXPECT_EQ(Text(), "axyb");
    EXPECT_EQ(Attrs(), "0450");
}

TEST_F(EditTest, InsertingALongLineWrapsTheText)
{
    Put("", 0);
    std::string line(40000, 'x');
    int len = static_cast<int>(line.size());
    core.InsertText(reinterpret_cast<const uint8_t*>(line.data()), len, nullptr, kInsertExpandTabs);
    EXPECT_EQ(state.wrapWidth, kLongLineWrap);
    EXPECT_EQ(core.GetLineCount(), 2);
    EXPECT_EQ(state.Text()[kLongLineWrap], kSoftBreak);
    ExpectModelIntact();
}

// ---------------------------------------------------------------------------
// Capacity.

TEST_F(EditTest, EnsureCapacityGrowsInWholeSteps)
{
    ASSERT_EQ(core.AllocBuffers(0x10000), 1);
    state.length = 0xFFFA;
    std::memset(state.Text(), 'a', 0xFFFA);
    EXPECT_EQ(core.EnsureCapacity(10), 1);
    EXPECT_EQ(state.capacity, 0x20000u);
    EXPECT_EQ(state.Text()[0xFFF9], 'a');
    EXPECT_EQ(state.Text()[0x1FFFF], 0);
    EXPECT_EQ(core.EnsureCapacity(5), 1);
    EXPECT_EQ(state.capacity, 0x20000u);
}

int g_allocations_left = -1;
void* failing_alloc(size_t size)
{
    if (g_allocations_left == 0)
        return nullptr;
    if (g_allocations_left > 0)
        --g_allocations_left;
    return std::malloc(size);
}

class GrowthFailure : public EditTest {
protected:
    void SetUp() override
    {
        // A text that fills its buffers to the last byte.
        Put(std::string(0xFFFF, 'a'));
        ASSERT_EQ(state.capacity, 0x10000u);
        state.selStart = 10;
        state.selEnd = 11;
        core.InsertChar('q', 0, true); // one undoable step before the failure
        state.selStart = state.selEnd = 4;
        before = std::string(reinterpret_cast<char*>(state.Text()), static_cast<size_t>(state.length));
        beforeAttr = Attrs();
        host = RecordingHost();
        SetTextAllocator(failing_alloc);
    }
    void TearDown() override
    {
        SetTextAllocator(nullptr);
        g_allocations_left = -1;
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(std::string(reinterpret_cast<char*>(state.Text()), static_cast<size_t>(state.length)), before);
        EXPECT_EQ(Attrs(), beforeAttr);
        EXPECT_EQ(state.capacity, 0x10000u);
        EXPECT_EQ(host.outOfMemory, 1);
        EXPECT_TRUE(host.lineDiffs.empty());
        // The newest step is still the one before the failure.
        EXPECT_EQ(undo.Head().type, kUndoTyped);
        EXPECT_EQ(undo.Head().start, 11);
    }
    std::string before, beforeAttr;
};

TEST_F(GrowthFailure, SecondBufferFailingLeavesEverythingAsItWas)
{
    g_allocations_left = 1; // the text buffer is granted, the attributes are not
    state.selEnd = 6;       // a selection that would be recorded as deleted
    core.m_bExpandTabs = 0;
    EXPECT_EQ(core.InsertChar('\t', 0, true), 0);
    ExpectUnchanged();
}

TEST_F(GrowthFailure, InsertTextAndCharLeaveEverythingAsItWas)
{
    g_allocations_left = 0;
    int len = 3;
    state.selEnd = 6;
    EXPECT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("xyz"), len, nullptr, 3), 0);
    ExpectUnchanged();
    host.outOfMemory = 0;
    state.selEnd = 4;
    EXPECT_EQ(core.InsertChar('x', 0, true), 0);
    ExpectUnchanged();
}

// ---------------------------------------------------------------------------
// Appending and line access.

TEST_F(EditTest, AppendLineBuildsLines)
{
    core.AllocBuffers(0x10000);
    EXPECT_EQ(core.AppendLine("ab\tc", 0, false, false, true), 1);
    EXPECT_EQ(Text(), "ab>.c") << "the first line gets no CR";
    EXPECT_EQ(core.GetLineCount(), 1);
    EXPECT_EQ(core.AppendLine("d\r\ne", 6, false, false, true), 1);
    EXPECT_EQ(Text(), "ab>.c/de");
    EXPECT_EQ(Attrs(), "00000666");
    EXPECT_EQ(core.GetLineCount(), 2);
    EXPECT_EQ(core.AppendLine("f", 0, false, false, false), 1);
    EXPECT_EQ(Text(), "ab>.c/def");
    EXPECT_EQ(core.GetLineCount(), 2) << "continuing the last line adds no line";
    ExpectModelIntact();
}

TEST_F(EditTest, AppendEmptyLineToEmptyText)
{
    // The first, empty line has no bytes at all: nothing is copied, yet the
    // text has a line, and the next line follows it with a CR.
    core.AllocBuffers(0x10000);
    EXPECT_EQ(core.AppendLine("", 3, false, false, true), 1);
    EXPECT_EQ(state.length, 0);
    EXPECT_EQ(core.GetLineCount(), 1);
    EXPECT_EQ(core.AppendLine("", 3, false, false, false), 1);
    EXPECT_EQ(core.GetLineCount(), 1);
    EXPECT_EQ(core.AppendLine("a", 3, false, false, true), 1);
    EXPECT_EQ(Text(), "/a");
    EXPECT_EQ(core.GetLineCount(), 2);
    ExpectModelIntact();
}

TEST_F(EditTest, AppendLineLimit)
{
    core.AllocBuffers(0x10000);
    std::string ok(kAppendLineLimit, 'x'), tooLong(kAppendLineLimit + 1, 'x');
    EXPECT_EQ(core.AppendLine(ok.c_str(), 0, false, false, true), 1);
    EXPECT_EQ(core.AppendLine(tooLong.c_str(), 0, false, false, true), 0);
    EXPECT_EQ(state.length, kAppendLineLimit);
    // A line of tabs grows far beyond its length: the buffers follow.
    std::string tabs(kAppendLineLimit, '\t');
    ASSERT_EQ(core.SetTabWidth(8), 1);
    EXPECT_EQ(core.AppendLine(tabs.c_str(), 0, false, false, true), 1);
    EXPECT_EQ(state.length, kAppendLineLimit + 1 + kAppendLineLimit * 8);
    ExpectModelIntact();
}

TEST_F(EditTest, GetLineAndFriends)
{
    Put("ab/cde/");
    char buf[8];
    uint8_t attrs[8];
    EXPECT_EQ(core.GetLine(1, buf, sizeof buf, attrs), 3);
    EXPECT_STREQ(buf, "cde");
    EXPECT_EQ(core.GetLine(2, buf, sizeof buf), 0) << "the empty last line";
    EXPECT_EQ(core.GetLine(3, buf, sizeof buf), -1) << "a line index equal to the line count";
    EXPECT_EQ(core.GetLine(1, buf, 3), 0) << "a buffer one byte short";
    EXPECT_EQ(core.GetLineAtOffset(2, buf, sizeof buf), 2);
    EXPECT_STREQ(buf, "ab") << "the CR at the offset belongs to the line it ends";
    EXPECT_EQ(core.GetLineEnd(3), 6);
    EXPECT_EQ(core.GetCharColor(7), -1);
    EXPECT_EQ(core.GetLineOffset(2), 7);
    EXPECT_EQ(core.GetLineOffset(3), 7) << "line count names the last line";
    EXPECT_EQ(core.GetLineOffset(4), -1);
    EXPECT_EQ(core.LineFromOffset(5), 1);
    EXPECT_EQ(core.GetLineStart(5), 3);
    EXPECT_EQ(core.GetLineLength(4), 3);
}

TEST(FreeHelpers, StripRemoveFillAndLineEnd)
{
    uint8_t buf[] = "a\nb\nc";
    EXPECT_EQ(StripChar(buf, '\n', -1), 2);
    EXPECT_STREQ(reinterpret_cast<char*>(buf), "abc");
    uint8_t tabs[] = "a\t\x01\x01" "b\t\x01";
    EXPECT_EQ(RemoveTabFill(tabs), 2);
    EXPECT_STREQ(reinterpret_cast<char*>(tabs), "a\tb\t");
    const uint8_t lines[] = "ab\r\ncd";
    EXPECT_EQ(FindLineEnd(0, lines), 2);
    EXPECT_EQ(FindLineEnd(4, lines), 2);
    EXPECT_EQ(FindLineStart(5, lines), 4);
    EXPECT_EQ(LineFromTextOffset(5, lines, 6), 1);
}

// Two controls on one storage see each other's edits.
TEST_F(EditTest, TwoViewsShareOneText)
{
    CColorEditCore other;
    other.AttachState(&state);
    Put("ab/cd/ef/gh");
    other.SetTopLine(2);
    EXPECT_EQ(other.m_nTopOffset, 6);
    state.selStart = state.selEnd = 0;
    ASSERT_EQ(core.InsertChar('\r', 0, true), 1);
    EXPECT_EQ(other.GetLineCount(), 5);
    EXPECT_EQ(other.LineFromOffset(state.length), 4) << "the other view's cached top line is refreshed";
    EXPECT_EQ(other.GetSelText(), "");
    state.selEnd = 3;
    EXPECT_EQ(other.GetSelText(), "ab");
}

} // namespace

namespace {

// Line lookups on a text with bytes that differ from CR and the soft break
// only in their high bit, against a plain count.
TEST_F(EditTest, LineLookupMatchesAPlainCount)
{
    const uint8_t alphabet[] = {'a', 0x8D, 0x82, 0xFF, 0x0C, 13, 2, 0x0E, 0x03};
    std::string text;
    unsigned seed = 12345;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += static_cast<char>(alphabet[(seed >> 16) % sizeof alphabet]);
    }
    for (int wrap = 0; wrap < 2; ++wrap) {
        state.wrapWidth = wrap ? 1000 : 0;
        core.SetText(text.c_str());
        std::vector<int> starts(1, 0);
        int line = 0;
        for (int i = 0; i <= state.length; ++i) {
            ASSERT_EQ(core.LineFromOffset(i), line) << "offset " << i << " wrap " << wrap;
            if (i < state.length && (state.Text()[i] == 13 || (wrap && state.Text()[i] == 2))) {
                ++line;
                starts.push_back(i + 1);
            }
        }
        ASSERT_EQ(core.GetLineCount(), line + 1);
        for (size_t k = 0; k < starts.size(); ++k)
            ASSERT_EQ(core.GetLineOffset(static_cast<int>(k)), starts[k]) << "line " << k;
        core.SetTopLine(static_cast<int>(starts.size() / 2));
        for (size_t k = 0; k < starts.size(); ++k)
            ASSERT_EQ(core.GetLineOffsetClamped(static_cast<int>(k)), starts[k]) << "line " << k;
    }
}

} // namespace

namespace {

TEST_F(EditTest, ExpandTabsInPlace)
{
    uint8_t buf[32] = "a\tbc\td";
    EXPECT_EQ(core.ExpandTabs(buf, 6), 9);
    EXPECT_EQ(Show(buf, 9), "a>..bc>.d");
    uint8_t plain[8] = "abc";
    EXPECT_EQ(core.ExpandTabs(plain, 3), 3);
    EXPECT_STREQ(reinterpret_cast<char*>(plain), "abc");
}

} // namespace
