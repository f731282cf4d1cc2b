// Line deletion, one-column shifts of a block of lines, the case of a column
// block and the count of code lines, on a text core with undo.
#include <gtest/gtest.h>

#include <string>

#include "editor/editctl/undo_record.h"
#include "editor/syntax/line_tools.h"

namespace {

class LineToolsTest : public ::testing::Test {
protected:
    LineToolsTest()
    {
        state.undo = &undo;
        core.AttachState(&state);
    }
    // "|" marks the caret, "^" the anchor (the selection end).
    void Put(const std::string& notation)
    {
        std::string text;
        int caret = -1, anchor = -1;
        for (char c : notation) {
            if (c == '|')
                caret = static_cast<int>(text.size());
            else if (c == '^')
                anchor = static_cast<int>(text.size());
            else
                text += c;
        }
        ASSERT_EQ(core.SetText(text.c_str()), 1);
        if (caret < 0)
            caret = 0;
        core.SetSel(caret, anchor < 0 ? caret : anchor, false, false);
        core.EmptyUndoBuffer();
    }
    std::string Text() const
    {
        return std::string(reinterpret_cast<const char*>(core.GetTextBuffer()), core.GetTextLength());
    }
    // The text with the caret and anchor marks put back.
    std::string Marked() const
    {
        std::string t = Text();
        const int caret = state.selStart, anchor = state.selEnd;
        if (anchor > caret)
            t.insert(anchor, "^");
        t.insert(caret, "|");
        if (anchor < caret)
            t.insert(anchor, "^");
        return t;
    }

    CUndoList undo;
    CTextState state;
    CColorEditCore core;
};

TEST_F(LineToolsTest, DeleteLine)
{
    Put("one\rtw|o\rthree");
    DeleteLine(core);
    EXPECT_EQ(Marked(), "one\r|three");
    core.Undo();
    EXPECT_EQ(Text(), "one\rtwo\rthree");
    // The last line without a final line break goes to the text end.
    Put("one\rtw|o");
    DeleteLine(core);
    EXPECT_EQ(Marked(), "one\r|");
    Put("on|ly");
    DeleteLine(core);
    EXPECT_EQ(Marked(), "|");
}

TEST_F(LineToolsTest, DeleteToLineEnd)
{
    Put("ab|cd\rxy");
    DeleteToLineEnd(core);
    EXPECT_EQ(Marked(), "ab|\rxy");
}

struct BlockCase {
    const char* name;
    int (*op)(CColorEditCore&);
    const char* before;
    const char* after;
};

const BlockCase kBlockCases[] = {
    {"insert_blank", ColumnInsertBlank, "ab|cd\rabcd\rab^cd", "ab |cd\rab cd\rab^ cd"},
    {"insert_blank_short_line_untouched", ColumnInsertBlank, "ab|cd\ra\rab^cd", "ab |cd\ra\rab^ cd"},
    {"insert_blank_anchor_at_line_start", ColumnInsertBlank, "ab|cd\rabcd\r^abcd", "ab |cd\rab cd\r^abcd"},
    {"insert_blank_one_line", ColumnInsertBlank, "ab|c^d\rabcd", "ab|c^d\rabcd"},
    {"insert_blank_upwards", ColumnInsertBlank, "ab^cd\rab|cd", "ab^cd\rab|cd"},
    {"delete_blank", ColumnDeleteBlank, "ab |cd\rab cd\rab ^cd", "ab|cd\rabcd\rab^cd"},
    {"delete_left_of_caret", ColumnDeleteBlank, "ab|cd\rabcd\rab^cd", "a|cd\racd\ra^cd"},
    {"delete_blank_column_zero", ColumnDeleteBlank, "|abcd\r^abcd\rab", "|abcd\r^abcd\rab"},
    {"indent_by_blank", IndentLinesByBlank, "ab|cd\rxy\rz^w", "ab |cd\r xy\r z^w"},
    {"indent_by_blank_caret_mid_line", IndentLinesByBlank, "a|b\rc^d", "a |b\r c^d"},
    {"unindent_by_blank", UnindentLinesByBlank, " |ab\r cd\r e^f", "|ab\rcd\re^f"},
    {"unindent_refused_without_blank", UnindentLinesByBlank, " |ab\rcd\r e^f", " |ab\rcd\r e^f"},
};

class BlockTest : public LineToolsTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockTest, ShiftsTheBlock)
{
    Put(GetParam().before);
    GetParam().op(core);
    EXPECT_EQ(Marked(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockTest, ::testing::ValuesIn(kBlockCases),
                         [](const ::testing::TestParamInfo<BlockCase>& i) { return std::string(i.param.name); });

TEST_F(LineToolsTest, ColumnBlockCase)
{
    Put("hello world\rfoo bar baz\rab");
    EXPECT_GE(ConvertColumnCase(core, 0, 2, 2, 8, kCaseUpper), 0);
    EXPECT_EQ(Text(), "heLLO WOrld\rfoO BAR baz\rab");
    Put("HELLO WORLD\rFOO BAR BAZ");
    ConvertColumnCase(core, 0, 1, 0, 7, kCaseLower);
    EXPECT_EQ(Text(), "hello wORLD\rfoo bar BAZ");
    // Capitals: a word cut by the left edge keeps its case inside the block.
    Put("helLO woRLD one\rxy abc");
    ConvertColumnCase(core, 0, 1, 3, 20, kCaseCapitals);
    EXPECT_EQ(Text(), "helLO World One\rxy Abc");
    // All pieces go back with one Undo.
    core.Undo();
    EXPECT_EQ(Text(), "helLO woRLD one\rxy abc");
}

TEST_F(LineToolsTest, LinesOfCode)
{
    Put("int a; // x\r"
        "\r"
        "// only a comment\r"
        "/* block\r"
        "   still */ int b;\r"
        "int c; /* opens\r"
        "*/\r"
        "  \t \r"
        "/* unterminated\r"
        "int d;");
    EXPECT_EQ(CountLinesOfCode(core), 3);
    Put("");
    EXPECT_EQ(CountLinesOfCode(core), 0);
}

} // namespace

namespace {

TEST_F(LineToolsTest, BlankRunsAndEmptyLines)
{
    Put("a  \rb \r  c |x \r d\t"); // the tab takes one fill byte
    EXPECT_EQ(DeleteTrailingSpaces(core, 0, -1), 2 + 1 + 1 + 2);
    EXPECT_EQ(Marked(), "a\rb\r  c |x\r d");
    EXPECT_EQ(DeleteLeadingSpaces(core, 2, 2, false), 2);
    EXPECT_EQ(Marked(), "a\rb\rc |x\r d");
    // Blanks inside a comment stay with the flag.
    Put("/* a\r   b */\r  c");
    EXPECT_EQ(DeleteLeadingSpaces(core, 0, -1, true), 2);
    EXPECT_EQ(Text(), "/* a\r   b */\rc");
    Put("a\r\r\rb\r\rc\r\rd");
    EXPECT_EQ(DeleteEmptyLines(core, 0, 4), 3);
    EXPECT_EQ(Text(), "a\rb\rc\r\rd");
    // One Undo brings all the lines back.
    core.Undo();
    EXPECT_EQ(Text(), "a\r\r\rb\r\rc\r\rd");
}

// Many lines: more edits than the undo pool holds records.
std::string ManyLines(const std::string& line)
{
    std::string text;
    for (int i = 0; i < kUndoPoolSize + 100; ++i)
        text += line + "\r";
    return text + "end";
}

// A command that changes many places goes back whole with one Undo, and
// leaves the steps before it as they were.
TEST_F(LineToolsTest, MultiPlaceCommandsAreOneUndoStep)
{
    struct Case {
        const char* name;
        std::string before;
        int (*run)(CColorEditCore&);
    };
    const Case cases[] = {
        {"column blank in", "ab|c\rdef\rghi^\rx", [](CColorEditCore& c) { return ColumnInsertBlank(c); }},
        {"column blank out", "ab|c\rdef\rghi^\rx", [](CColorEditCore& c) { return ColumnDeleteBlank(c); }},
        {"indent by blank", "|abc\rdef\rghi^\rx", [](CColorEditCore& c) { return IndentLinesByBlank(c); }},
        {"unindent by blank", " |abc\r def\r ghi^\rx", [](CColorEditCore& c) { return UnindentLinesByBlank(c); }},
        {"column case", "abc def\rghi jkl\rmn",
         [](CColorEditCore& c) { return ConvertColumnCase(c, 0, 2, 1, 6, kCaseCapitals); }},
        {"trailing blanks", "a  \rb\t\rc \rd", [](CColorEditCore& c) { return DeleteTrailingSpaces(c, 0, -1); }},
        {"leading blanks", "  a\r\tb\r c\rd", [](CColorEditCore& c) { return DeleteLeadingSpaces(c, 0, -1, false); }},
        {"empty lines", "a\r\r\rb\r\rc\r\r", [](CColorEditCore& c) { return DeleteEmptyLines(c, 0, -1); }},
        {"trailing blanks, many lines", ManyLines("x  "),
         [](CColorEditCore& c) { return DeleteTrailingSpaces(c, 0, -1); }},
        {"empty lines, many lines", ManyLines("\r"), [](CColorEditCore& c) { return DeleteEmptyLines(c, 0, -1); }},
        {"indent, many lines", "|" + ManyLines("y") + "^",
         [](CColorEditCore& c) { return IndentLinesByBlank(c); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.before);
        const std::string original = Text();
        // An earlier edit of its own at the text end shows where the step starts.
        const int caret = state.selStart, anchor = state.selEnd;
        core.SetSel(core.GetTextLength(), core.GetTextLength(), false, false);
        ASSERT_EQ(core.InsertChar('#', 0, true), 1);
        core.SetSel(caret, anchor, false, false);
        const std::string before = Text();
        c.run(core);
        ASSERT_NE(Text(), before);
        EXPECT_EQ(core.Undo(), 1);
        EXPECT_EQ(Text(), before);
        EXPECT_EQ(core.Undo(), 1);
        EXPECT_EQ(Text(), original);
        EXPECT_FALSE(core.CanUndo());
    }
}

} // namespace
