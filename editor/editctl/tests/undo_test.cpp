// Undo: every record kind, the pool of 400 and what lies beyond it.
#include "edit_fixture.h"

namespace {

TEST_F(EditTest, UndoTypedCharacterAndTabs)
{
    Put("ab", 1);
    ASSERT_EQ(core.InsertChar('x', 0, true), 1);
    state.selEnd = state.selStart;
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(state.selStart, 1);

    // A typed tab with expand tabs on: one record per blank.
    Put("a", 1);
    core.m_bExpandTabs = 1;
    core.InsertChar('\t', 0, true);
    EXPECT_EQ(Text(), "a   ");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(core.Undo(), 0);

    // Without expand tabs: one record for the tab and its fill bytes.
    Put("a", 1);
    core.m_bExpandTabs = 0;
    core.InsertChar('\t', 0, true);
    EXPECT_EQ(Text(), "a>..");
    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "a");
    EXPECT_FALSE(core.CanUndo());
}

struct DeletionUndoCase {
    const char* name;
    const char* text;
    int caret;
    bool forward;
    const char* afterDelete;
    int caretAfterUndo;
};

const DeletionUndoCase kDeletionUndoCases[] = {
    {"delete_forward", "abc", 1, true, "ac", 1},
    {"backspace", "abc", 2, false, "ac", 2},
    {"delete_forward_tab", "a>..b", 1, true, "ab", 1},
    {"backspace_tab", "a>..b", 4, false, "ab", 4},
    {"backspace_cr", "ab/c", 3, false, "abc", 3},
};

class DeletionUndo : public EditTest, public ::testing::WithParamInterface<DeletionUndoCase> {};

TEST_P(DeletionUndo, RestoresByteAttributeAndCaret)
{
    const DeletionUndoCase& c = GetParam();
    Put(c.text, c.caret);
    for (int i = 0; i < state.length; ++i)
        state.Attr()[i] = static_cast<uint8_t>(1 + i % 5);
    std::string attrs = Attrs();
    int lines = core.GetLineCount();
    ASSERT_GE(core.DeleteText(c.forward, true, 0), 0);
    state.selEnd = state.selStart;
    EXPECT_EQ(Text(), c.afterDelete);
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(state.selStart, c.caretAfterUndo) << "forward: before the byte; backward: behind it";
    EXPECT_EQ(core.GetLineCount(), lines);
    // The restored byte gets its old attribute (a tab's fill takes the tab's).
    int at = c.forward ? c.caret : c.caretAfterUndo - 1;
    while (at > 0 && state.Text()[at] == 1)
        --at;
    EXPECT_EQ(Attrs()[at], attrs[at]);
    ExpectModelIntact();
    EXPECT_FALSE(core.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeletionUndo, ::testing::ValuesIn(kDeletionUndoCases),
                         [](const ::testing::TestParamInfo<DeletionUndoCase>& i) { return std::string(i.param.name); });

TEST_F(EditTest, UndoPasteOverSelectionTakesTwoSteps)
{
    Put("hello world", 6, 11);
    for (int i = 0; i < state.length; ++i)
        state.Attr()[i] = 3;
    int len = 4;
    core.InsertText(reinterpret_cast<const uint8_t*>("moon"), len, nullptr,
                    kInsertExpandTabs | kInsertRecordUndo);
    EXPECT_EQ(Text(), "hello moon");
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "hello ") << "first the inserted text goes";
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "hello world") << "then the replaced text comes back";
    EXPECT_EQ(Attrs(), "33333333333");
    EXPECT_EQ(state.selStart, 6);
    EXPECT_EQ(state.selEnd, 6);
    EXPECT_EQ(core.Undo(), 0);
}

TEST_F(EditTest, UndoReplacedRangeSelectsNothingAndRestores)
{
    Put("one two", 4);
    const uint8_t old[] = "two";
    const uint8_t oldAttr[] = {5, 5, 5};
    core.RecordUndo(kUndoReplaced, 4, 7, old, oldAttr);
    // What the replacing operation did: "two" became "TWO".
    state.selStart = 4;
    state.selEnd = 7;
    int len = 3;
    core.InsertText(reinterpret_cast<const uint8_t*>("TWO"), len, nullptr, 0);
    EXPECT_EQ(Text(), "one TWO");
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "one two");
    EXPECT_EQ(Attrs(), "0000555");
}

TEST_F(EditTest, UndoOverwriteRestoresOldCharacterAndColour)
{
    Put("abc", 1);
    state.Attr()[1] = 4;
    // Overwrite mode typed x over b: the record holds the old byte.
    core.RecordUndo(kUndoOverwritten, 2, 2, 'b', 4);
    state.Text()[1] = 'x';
    state.Attr()[1] = 0;
    state.selStart = state.selEnd = 2;
    ASSERT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(Attrs(), "040");
    EXPECT_EQ(state.selStart, 1) << "the caret stands before the restored character";
}

TEST_F(EditTest, UndoWithEmptyHistoryDropsTheSelection)
{
    Put("abcdef", 1, 4);
    EXPECT_EQ(core.Undo(), 0);
    EXPECT_EQ(state.selStart, 4);
    EXPECT_EQ(state.selEnd, 4);
    EXPECT_EQ(Text(), "abcdef");
}

TEST_F(EditTest, UndoNotifiesRecolourAndLineChange)
{
    Put("ab", 2);
    core.InsertChar('\r', 0, true);
    host = RecordingHost();
    ASSERT_EQ(core.Undo(), 1);
    ASSERT_EQ(host.recolours.size(), 1u);
    EXPECT_EQ(host.recolours[0], 0);
    ASSERT_EQ(host.lineDiffs.size(), 1u);
    EXPECT_EQ(host.lineDiffs[0], -1);
}

TEST_F(EditTest, PoolKeepsTheLast400Steps)
{
    Put("", 0);
    for (int i = 0; i < 401; ++i) {
        ASSERT_EQ(core.InsertChar('a' + i % 26, 0, true), 1);
        state.selEnd = state.selStart;
    }
    EXPECT_EQ(state.length, 401);
    int undone = 0;
    while (core.Undo() == 1)
        ++undone;
    EXPECT_EQ(undone, 400);
    EXPECT_EQ(Text(), "a") << "the oldest step was overwritten and stays";
    EXPECT_EQ(core.Undo(), 0);
}

TEST_F(EditTest, EmptyUndoBufferAndNoList)
{
    Put("ab", 1);
    core.InsertChar('x', 0, true);
    EXPECT_TRUE(core.CanUndo());
    core.EmptyUndoBuffer();
    EXPECT_FALSE(core.CanUndo());
    EXPECT_EQ(core.Undo(), 0);
    EXPECT_EQ(Text(), "axb");

    CColorEditCore alone;
    alone.SetText("abc");
    alone.SetSel(1, 1, false, false);
    alone.InsertChar('x', 0, true);
    EXPECT_FALSE(alone.CanUndo());
    EXPECT_EQ(alone.Undo(), 0);
    EXPECT_EQ(alone.GetModify(), 0) << "a stand-alone control keeps no modified flag";
}

TEST_F(EditTest, UndoRefusedWhileReadOnly)
{
    Put("ab", 1);
    core.InsertChar('x', 0, true);
    state.readOnly = 1;
    EXPECT_EQ(core.Undo(), 0);
    EXPECT_EQ(Text(), "axb");
    EXPECT_TRUE(core.CanUndo());
}

} // namespace

namespace {

// Edits recorded as one step go back with one Undo; the steps before and
// after it stay steps of their own.
TEST_F(EditTest, EditsRecordedAsOneStepGoBackTogether)
{
    Put("abc def", 7);
    ASSERT_EQ(core.InsertChar('!', 0, true), 1);
    state.selEnd = state.selStart;
    core.BeginUndoStep();
    state.selStart = 0;
    state.selEnd = 4;
    ASSERT_GE(core.DeleteText(true, true, 0), 0);
    state.selStart = state.selEnd = 4;
    int length = 4;
    ASSERT_EQ(core.InsertText(reinterpret_cast<const uint8_t*>("abc "), length, nullptr, kInsertRecordUndo), 4);
    core.EndUndoStep();
    ASSERT_EQ(Text(), "def!abc ");
    ASSERT_EQ(core.InsertChar('?', 0, true), 1);

    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "def!abc ");
    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "abc def!");
    EXPECT_EQ(core.Undo(), 1);
    EXPECT_EQ(Text(), "abc def");
    EXPECT_FALSE(core.CanUndo());
}

} // namespace
