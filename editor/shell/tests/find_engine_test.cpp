// The frame's find and replace engine on a real editor control: the
// directions of find next, replace at the caret, replace all in each
// direction, the case kept by 0x80, hits in comments passed over, the
// messages at the ends of the text, and the user's colouring setting left
// as it was.
#include "editor/shell/find_engine.h"

#include "editor/editctl/undo_record.h"
#include "editor/editctl/window/tests/test_host.h"
#include "editor/syntax/syntax_template.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class FindEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTestColorTable();
        edit = std::make_unique<CNColorEditCtrl>();
        document.undo = &undo;
        edit->Core().AttachState(&document);
        edit->Core().AllocBuffers(kCapacityStep);
        RECT rc{0, 0, 400, 300};
        ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rc,
                                 CTestHost::Frame().m_hWnd, 100));
        context.owner = CTestHost::Frame().m_hWnd;
        context.caretMoved = [this](CNColorEditCtrl&) { ++caretMoved; };
        context.frameRedraw = [this](bool on) { redraw += on ? "+" : "-"; };
        savedSyntax = g_bSyntaxColoring;
    }
    void TearDown() override
    {
        edit->DestroyWindow();
        edit.reset();
        document.undo = nullptr;
        g_bSyntaxColoring = savedSyntax;
    }

    void SetText(const char* text, int start, int end = -2)
    {
        edit->Core().SetText(text);
        edit->SetSel(start, end == -2 ? start : end, true, true);
    }
    std::string Text() const
    {
        const CTextState& s = edit->Core().State();
        return std::string(reinterpret_cast<const char*>(s.Text()), static_cast<size_t>(s.length));
    }
    std::pair<int, int> Sel() const
    {
        int s = 0, e = 0;
        edit->GetSel(s, e);
        return {s, e};
    }
    SearchRequest Request(int scope, uint32_t flags, const char* text, const char* replacement = nullptr)
    {
        SearchRequest r;
        r.scope = scope;
        r.flags = flags | kSearchStandard;
        r.text = text;
        r.replacement = replacement;
        return r;
    }

    CTextState document;
    CUndoList undo;
    std::unique_ptr<CNColorEditCtrl> edit;
    FindContext context;
    int caretMoved = 0;
    std::string redraw;
    int savedSyntax = 0;
    winui::ScriptedMessageBoxes boxes;
};

TEST_F(FindEngine, FindNextByDirection)
{
    //                 0         1         2
    //                 0123456789012345678901234
    const char* text = "ab x ab y ab";
    const struct {
        uint32_t direction;
        int selStart, selEnd;
        int expected; // start of the selected hit, -1 none
    } cases[] = {
        {kSearchForward, 0, 0, 0},      // a caret on a hit finds it going down
        {kSearchForward, 0, 2, 5},      // a selected hit: from its end
        {kSearchForward, 6, 6, 10},
        {kSearchBackward, 6, 6, 5},     // up from just before the caret
        {kSearchBackward, 5, 7, 0},
        {kSearchBackward, 0, 0, -1},
        {kSearchBothWays, 5, 5, 5},     // both ways: the hit at the caret is found
        {kSearchBothWays, 5, 7, 10},    // a selected hit is passed over
        {kSearchBothWays, 10, 12, 0},   // and the search wraps to the start
    };
    for (const auto& c : cases) {
        SetText(text, c.selStart, c.selEnd);
        const size_t before = boxes.Calls().size();
        const int result = FindNextInEditor(*edit, Request(kScopeFindInDocument, c.direction, "ab"), context);
        SCOPED_TRACE(std::to_string(c.direction) + " from " + std::to_string(c.selStart));
        if (c.expected < 0) {
            EXPECT_EQ(result, -1);
            EXPECT_EQ(boxes.Calls().size(), before + 1);
        } else {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(Sel(), std::make_pair(c.expected, c.expected + 2));
            EXPECT_EQ(boxes.Calls().size(), before);
        }
    }
    EXPECT_GT(caretMoved, 0);
}

TEST_F(FindEngine, MessagesWhenNothingIsFound)
{
    // The last hit still selected: the end of the text in that direction.
    SetText("one two one", 8, 11);
    EXPECT_EQ(FindNextInEditor(*edit, Request(kScopeFindInDocument, kSearchForward, "one"), context), -1);
    SetText("one two one", 0, 3);
    EXPECT_EQ(FindNextInEditor(*edit, Request(kScopeFindInDocument, kSearchBackward, "one"), context), -1);
    SetText("one two one", 4, 4);
    EXPECT_EQ(FindNextInEditor(*edit, Request(kScopeFindInDocument, kSearchForward, "three"), context), -1);
    // An empty text does nothing.
    EXPECT_EQ(FindNextInEditor(*edit, Request(kScopeFindInDocument, kSearchForward, ""), context), 0);
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].text, "End of document reached");
    EXPECT_EQ(boxes.Calls()[1].text, "Begin of document reached");
    EXPECT_EQ(boxes.Calls()[2].text, "Text not found");
    for (const auto& call : boxes.Calls())
        EXPECT_EQ(call.caption, "Search");
}

TEST_F(FindEngine, CaseWholeWordsAndComments)
{
    SetText("Int x; /* int */ int integer; int", 0);
    auto r = Request(kScopeFindInDocument, kSearchForward | kSearchMatchCase, "int");
    context.skipComments = true;
    ASSERT_EQ(FindNextInEditor(*edit, r, context), 1);
    EXPECT_EQ(Sel().first, 17); // not "Int", not the comment's
    r.flags |= kSearchWholeWords;
    ASSERT_EQ(FindNextInEditor(*edit, r, context), 1);
    EXPECT_EQ(Sel().first, 30); // not "integer"
    context.skipComments = false;
    SetText("Int x; /* int */", 1);
    ASSERT_EQ(FindNextInEditor(*edit, Request(kScopeFindInDocument, kSearchForward, "int"), context), 1);
    EXPECT_EQ(Sel().first, 10);
}

TEST_F(FindEngine, ReplaceOnlyAtTheCaretThenFindTheNext)
{
    SetText("cat dog cat dog", 4, 4);
    auto r = Request(kScopeReplaceNext, kSearchForward, "cat", "bird");
    // No hit at the caret: nothing replaced.
    EXPECT_EQ(ReplaceNextInEditor(*edit, r, context), 0);
    EXPECT_EQ(Text(), "cat dog cat dog");
    // The selected hit (its start is the caret) is replaced, the next is selected.
    SetText("cat dog cat dog", 0, 3);
    EXPECT_EQ(ReplaceNextInEditor(*edit, r, context), 1);
    EXPECT_EQ(Text(), "bird dog cat dog");
    EXPECT_EQ(Sel(), std::make_pair(9, 12));
    EXPECT_EQ(ReplaceNextInEditor(*edit, r, context), 1);
    EXPECT_EQ(Text(), "bird dog bird dog");
    // The replacement can be undone (the removal and the insertion).
    edit->Undo();
    edit->Undo();
    EXPECT_EQ(Text(), "bird dog cat dog");
}

TEST_F(FindEngine, ReplaceAllByDirection)
{
    // Hits at 0, 3, 6 and 9.
    const struct {
        uint32_t direction;
        int caret;
        const char* replacement;
        const char* expected;
        int count;
    } cases[] = {
        {kSearchForward, 4, "XX", "ab ab XX XX", 2},  // from the caret to the end
        {kSearchForward, 3, "XX", "ab XX XX XX", 3},
        {kSearchBackward, 4, "XX", "XX ab ab ab", 1}, // hits ending at or before the caret
        {kSearchBackward, 11, "XX", "XX XX XX XX", 4},
        {kSearchBothWays, 4, "XX", "XX XX XX XX", 4}, // after the caret, then from the start up to it
        {kSearchBothWays, 9, "x", "x x x x", 4},
        // A replacement that holds the text is never searched again.
        {kSearchBothWays, 3, "abab", "abab abab abab abab", 4},
        {kSearchForward, 0, "abab", "abab abab abab abab", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.direction) + " at " + std::to_string(c.caret) + " by " + c.replacement);
        SetText("ab ab ab ab", c.caret);
        EXPECT_EQ(ReplaceAllInEditor(*edit, Request(kScopeReplaceAll, c.direction, "ab", c.replacement), context),
                  c.count);
        EXPECT_EQ(Text(), c.expected);
    }
}

TEST_F(FindEngine, ReplaceAllKeepsTheUsersColouringAndTheCase)
{
    for (int syntax : {0, 1}) {
        g_bSyntaxColoring = syntax;
        redraw.clear();
        SetText("Value value VALUE", 0);
        auto r = Request(kScopeReplaceAll, kSearchForward | kSearchKeepCase, "value", "Count");
        EXPECT_EQ(ReplaceAllInEditor(*edit, r, context), 3);
        EXPECT_EQ(Text(), "Count count COUNT"); // mixed case: letter by letter
        EXPECT_EQ(g_bSyntaxColoring, syntax);
        EXPECT_EQ(redraw, "-+");
    }
    // A replacement that holds the text is not searched again.
    SetText("a-a", 0);
    EXPECT_EQ(ReplaceAllFromStart(*edit, Request(kScopeReplaceAllDocuments, kSearchBothWays, "a", "aa"), context), 2);
    EXPECT_EQ(Text(), "aa-aa");
    EXPECT_EQ(Sel(), std::make_pair(0, 0));
}

// A replace-all is one undo step, also with more hits than the document's
// pool of 400 records holds; the edit before it stays a step of its own.
TEST_F(FindEngine, ReplaceAllIsUndoneAsOneStep)
{
    std::string text;
    for (int i = 0; i < 591; ++i)
        text += (i % 7 == 0) ? "ab\r" : "ab ";
    SetText(text.c_str(), 0);
    edit->SendMessage(WM_CHAR, 'Q', 1);
    const std::string before = Text();
    ASSERT_EQ(before, "Q" + text);
    for (uint32_t direction : {kSearchForward, kSearchBothWays}) {
        SCOPED_TRACE(direction);
        edit->SetSel(0, 0, true, true);
        EXPECT_EQ(ReplaceAllInEditor(*edit, Request(kScopeReplaceAll, direction, "ab", "xyz"), context), 591);
        EXPECT_EQ(Text().find("ab"), std::string::npos);
        edit->Undo();
        EXPECT_EQ(Text(), before);
    }
    edit->Undo();
    EXPECT_EQ(Text(), text);
    // A pass that finds nothing leaves no step behind.
    SetText("none", 0);
    edit->SendMessage(WM_CHAR, 'Q', 1);
    EXPECT_EQ(ReplaceAllInEditor(*edit, Request(kScopeReplaceAll, kSearchForward, "ab", "x"), context), 0);
    edit->Undo();
    EXPECT_EQ(Text(), "none");
}

} // namespace
