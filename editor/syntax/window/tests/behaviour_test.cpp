// Brace matching, multi-click, indent move, Tab on lines, macro recording,
// focus bookkeeping and the services on the control's own text.
#include "syntax_host.h"

#include "editor/editctl/window/tests/test_host.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

void Click(CSyntaxHost& host, UINT message, int column, int row)
{
    POINT pt = host.Cell(column, row);
    host.edit->SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

} // namespace

TEST(BraceMatching, GotoFindsThePartnerOrSaysThereIsNone)
{
    CSyntaxHost host;
    host.SetText("if (a[i] == b) {\r  x;\r}", 16);
    host.edit->PrepareBraceGoto();
    EXPECT_EQ(host.edit->BraceState().bracket.direction, 1);
    EXPECT_EQ(host.edit->GoToMatchingBrace(1), 22);
    EXPECT_EQ(host.SelStart(), 22);
    EXPECT_EQ(host.SelEnd(), 22);
    host.edit->PrepareBraceGoto();
    EXPECT_EQ(host.edit->GoToMatchingBrace(-1), 15);

    winui::ScriptedMessageBoxes boxes;
    host.SetText("(abc", 1);
    host.edit->PrepareBraceGoto();
    EXPECT_EQ(host.edit->GoToMatchingBrace(1), -1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "No closing brace found");
    EXPECT_EQ(boxes.Calls()[0].caption, "Goto closing brace");
    EXPECT_EQ(host.SelStart(), 1) << "the caret stays";
}

TEST(BraceMatching, HighlightSkipsCommentsWhenAsked)
{
    CSyntaxHost host;
    // The caret inside the outer pair, behind an inner one; a "}" in a
    // comment and one in a string.
    host.SetText("{ f(); /* } */ \"}\" x; }", 14);
    GetSyntaxEditSettings().supressComments = 1;
    HMENU menu = host.edit->BuildContextMenu(host.Cell(0, 0));
    DestroyMenu(menu);
    EXPECT_EQ(host.edit->HighlightBracePair('{'), 0);
    EXPECT_EQ(host.SelStart(), 0);
    EXPECT_EQ(host.SelEnd(), 23);
    GetSyntaxEditSettings().supressComments = 0;
    // Without skipping, the "}" in the comment closes the pair.
    host.SetText("{ a /* } */ b }", 2);
    menu = host.edit->BuildContextMenu(host.Cell(0, 0));
    DestroyMenu(menu);
    host.edit->HighlightBracePair('{');
    EXPECT_EQ(host.SelEnd(), 8);
}

TEST(MultiClick, FurtherClicksSelectTheLineThenEverything)
{
    GetSyntaxEditSettings().multiClick = 1;
    CSyntaxHost host;
    host.SetText("one\rtwo\rthree");
    Click(host, WM_LBUTTONDOWN, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    Click(host, WM_LBUTTONDBLCLK, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    EXPECT_EQ(host.SelStart(), 4);
    EXPECT_EQ(host.SelEnd(), 7) << "the double click selects the word";
    Click(host, WM_LBUTTONDOWN, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    EXPECT_EQ(host.SelStart(), 4);
    EXPECT_EQ(host.SelEnd(), 8) << "the whole line";
    Click(host, WM_LBUTTONDOWN, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    EXPECT_EQ(host.SelStart(), 0);
    EXPECT_EQ(host.SelEnd(), 13) << "the whole text";
    Click(host, WM_LBUTTONDOWN, 2, 0);
    Click(host, WM_LBUTTONUP, 2, 0);
    EXPECT_EQ(host.SelStart(), 2);
    EXPECT_EQ(host.SelEnd(), 2) << "an ordinary click again";

    GetSyntaxEditSettings().multiClick = 0;
    Click(host, WM_LBUTTONDOWN, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    Click(host, WM_LBUTTONDBLCLK, 1, 1);
    Click(host, WM_LBUTTONUP, 1, 1);
    Click(host, WM_LBUTTONDOWN, 0, 2);
    Click(host, WM_LBUTTONUP, 0, 2);
    EXPECT_EQ(host.SelStart(), 8);
    EXPECT_EQ(host.SelEnd(), 8);
}

TEST(IndentMove, DraggingShiftsTheSelectedLines)
{
    CSyntaxHost host;
    host.SetText("ab\rcd\ref", 0, 7);
    host.edit->ExecuteCommand(ID_EDIT_INDENTMOVE, 0);
    EXPECT_EQ(host.edit->m_bIndentMove, 1);
    Click(host, WM_LBUTTONDOWN, 0, 0);
    Click(host, WM_MOUSEMOVE, 2, 0);
    Click(host, WM_LBUTTONUP, 2, 0);
    EXPECT_EQ(host.edit->m_bIndentMove, 0);
    EXPECT_EQ(host.Text(), "  ab\r  cd\r  ef");
    EXPECT_EQ(host.SelStart(), 2);
    EXPECT_EQ(host.SelEnd(), 14);

    // Esc ends the mode and leaves the text.
    host.edit->ExecuteCommand(ID_EDIT_INDENTMOVE, 0);
    host.Char(27);
    EXPECT_EQ(host.edit->m_bIndentMove, 0);
    EXPECT_EQ(host.Text(), "  ab\r  cd\r  ef");
}

TEST(Keys, TabShiftsSelectedLinesAndEveryKeyIsRecorded)
{
    CSyntaxHost host;
    host.edit->Core().SetTabWidth(4);
    host.SetText("a\rb\rc", 0, 3);
    host.Char('\t');
    EXPECT_EQ(host.Text(), "    a\r    b\rc");
    {
        CHeldModifiers shift(KEYMOD_SHIFT);
        host.edit->SendMessage(WM_CHAR, '\t', 1);
    }
    EXPECT_EQ(host.Text(), "a\rb\rc");
    host.shell.macro.clear();
    host.Char('x');
    host.Key(VK_F5, KEYMOD_CTRL);
    ASSERT_EQ(host.shell.macro.size(), 2u);
    EXPECT_EQ(host.shell.macro[0].value, 'x');
    EXPECT_EQ(host.shell.macro[0].kind, kMacroKey);
    EXPECT_EQ(host.shell.macro[1].value, VK_F5);
    EXPECT_EQ(host.shell.macro[1].extra, KEYMOD_CTRL);
    EXPECT_EQ(host.shell.macro[1].kind, kMacroKeyDown);
    // A Ctrl character goes no further than the recorder.
    host.SetText("ab", 1);
    {
        CHeldModifiers ctrl(KEYMOD_CTRL);
        host.edit->SendMessage(WM_CHAR, 'q', 1);
    }
    EXPECT_EQ(host.Text(), "ab");
}

TEST(Focus, PositionHistoryBookkeeping)
{
    CSyntaxHost host;
    host.SetText("a\rb\rc", 2);
    host.edit->SetFocus();
    const int activated = host.shell.activated;
    host.view->SetFocus();
    EXPECT_EQ(host.shell.pending, 1) << "leaving for another window stores the position";
    host.edit->SendMessage(EDM_TAKEFOCUS);
    EXPECT_TRUE(host.edit->HasFocus());
    EXPECT_EQ(host.shell.activated, activated + 1);
}

TEST(Services, SearchReadInsertFileAndLoad)
{
    CSyntaxHost host;
    host.SetText("a /* b */ b // b\rb");
    EXPECT_EQ(host.edit->FindTextSkipComments("b", kFindForward, 0, -1, false, false), 5);
    EXPECT_EQ(host.edit->FindTextSkipComments("b", kFindForward, 0, -1, true, true), 10);
    EXPECT_EQ(host.SelStart(), 10);
    EXPECT_EQ(host.SelEnd(), 11);
    EXPECT_EQ(host.edit->FindTextSkipComments("b", kFindForward, 11, -1, false, true), 17);
    EXPECT_TRUE(host.edit->IsInComment(reinterpret_cast<const char*>(host.edit->GetTextBuffer()) + 5));

    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string path = (dir / "syntaxctl_insert.c").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "int x;\r\n/* c */\n";
    }
    std::string text;
    EXPECT_TRUE(CNColorEditCtrl::ReadTextFile(path.c_str(), text));
    EXPECT_EQ(text, "int x;\r/* c */\r");
    EXPECT_FALSE(CNColorEditCtrl::ReadTextFile((path + ".none").c_str(), text));

    g_bSyntaxColoring = 1;
    SyntaxTemplatePtr tmpl = MakeCTemplate();
    host.edit->SetSyntaxTemplate(tmpl);
    host.edit->SetModify(1);
    EXPECT_EQ(host.edit->LoadFile(path.c_str()), 1);
    EXPECT_EQ(host.edit->GetModify(), 0);
    EXPECT_EQ(host.Text().substr(0, 15), "int x;\r/* c */\r");
    EXPECT_EQ(host.Attributes().substr(0, 15), "222000033333330");
    EXPECT_EQ(host.edit->LoadFile((path + ".none").c_str()), 0);
    g_bSyntaxColoring = 0;
    std::remove(path.c_str());
}

namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes)
{
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

} // namespace

TEST(LoadFile, ShowsProgressAndTheLineCountAndTellsTheLineEnds)
{
    CSyntaxHost host;
    // Progress after every megabyte read, not after a number of lines.
    std::string lf, crlf;
    int lines = 0;
    while (lf.size() < 3500000) {
        lf += "line " + std::to_string(100000 + lines) + "\n"; // 12 bytes
        ++lines;
    }
    for (int i = 0; i < 1000; ++i)
        crlf += "line " + std::to_string(i) + "\r\n";
    const std::string lfPath = WriteTemp("syntaxctl_lf.c", lf);
    const std::string crlfPath = WriteTemp("syntaxctl_crlf.c", crlf);

    host.shell.status.clear();
    host.shell.panes.clear();
    ASSERT_EQ(host.edit->LoadFile(lfPath.c_str()), 1);
    const std::vector<int>& progress = host.shell.progress;
    ASSERT_EQ(progress.size(), 5u) << "0 at the start, after each of three whole megabytes, 0 at the end";
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end() - 1));
    EXPECT_GT(progress[1], 25);
    EXPECT_LT(progress[3], 95);
    std::vector<std::string> lineCounts, messages;
    for (size_t i = 0; i < host.shell.status.size(); ++i) {
        if (host.shell.panes[i] == 2)
            lineCounts.push_back(host.shell.status[i]);
        if (host.shell.panes[i] == 0)
            messages.push_back(host.shell.status[i]);
    }
    ASSERT_EQ(lineCounts.size(), 3u);
    EXPECT_GT(std::stoi(lineCounts.front()), 80000);
    EXPECT_LT(std::stoi(lineCounts.back()), lines);
    EXPECT_EQ(messages, (std::vector<std::string>{"Load and Reformatting...", ""}));
    EXPECT_EQ(host.edit->Core().State().unixFormat, 1);
    EXPECT_EQ(host.edit->GetLineCount(), lines + 1) << "the final line feed gives an empty last line";

    ASSERT_EQ(host.edit->LoadFile(crlfPath.c_str()), 1);
    EXPECT_EQ(host.edit->Core().State().unixFormat, 0);

    // An empty file: nothing to show progress for.
    const std::string emptyPath = WriteTemp("syntaxctl_empty.c", "");
    host.shell.progress.clear();
    host.shell.panes.clear();
    ASSERT_EQ(host.edit->LoadFile(emptyPath.c_str()), 1);
    EXPECT_TRUE(host.shell.progress.empty());
    EXPECT_EQ(std::count(host.shell.panes.begin(), host.shell.panes.end(), 0), 0);
    for (const std::string& path : {lfPath, crlfPath, emptyPath})
        std::remove(path.c_str());
}

TEST(SplitPanes, ButtonUpTellsTheViewOnlyWhenThereAreSeveralRows)
{
    CSyntaxHost host;
    host.SetText("abc\rdef", 1);
    // The view stands in the frame as a splitter's pane would; a second
    // row is a sibling pane of the splitter's numbering.
    const int before = host.viewLog.caretMoved;
    Click(host, WM_LBUTTONUP, 2, 0);
    EXPECT_EQ(host.viewLog.caretMoved, before);
    HWND frame = GetParent(host.view->m_hWnd);
    HWND secondRow = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, frame,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0xE910)),
                                     GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(secondRow, nullptr);
    Click(host, WM_LBUTTONUP, 2, 0);
    EXPECT_EQ(host.viewLog.caretMoved, before + 1);
    DestroyWindow(secondRow);
}
