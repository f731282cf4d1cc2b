// Drag-and-drop of text ("ExtMovTxt") with the mouse and keys played
// through the system input queue: moves and copies inside the window as one
// undo step, a drop on the selection itself, a drop onto another control,
// the size limit, auto-scroll beyond the window's edge, and the cursors.
#include "syntax_host.h"

#include "editor/editctl/window/tests/test_host.h"
#include "testing/winprog/system_input.h"
#include "winui/clipboard.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct DragSetting {
    DragSetting() { GetSyntaxEditSettings().extMovTxt = 1; }
    ~DragSetting() { GetSyntaxEditSettings().extMovTxt = 0; }
};

// A host whose frame is in front, so that the input reaches the control.
struct DragHost : CSyntaxHost {
    DragHost() : CSyntaxHost(nullptr, 10, 40)
    {
        HWND frame = GetAncestor(edit->m_hWnd, GA_ROOT);
        SetWindowPos(frame, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(frame);
        edit->SetFocus();
        PumpMessages(200);
    }
    // The screen point of a character cell of the control.
    POINT Screen(int column, int row) const
    {
        POINT pt = Cell(column, row);
        ClientToScreen(edit->m_hWnd, &pt);
        return pt;
    }
    void Drag(POINT from, POINT to, WORD key = 0, const std::function<void()>& watch = nullptr)
    {
        PlayInput(DragSteps(from, to, key), watch);
    }
    // Moves the pointer to the point until the control tells whether it
    // stands over the selection as expected. A loaded display may take a
    // move before the window is ready for it and then send no other while
    // the pointer rests: the move is made again, a pixel aside, until the
    // control has seen one.
    bool MovePointer(POINT to, bool overSelection)
    {
        for (int attempt = 0; attempt < 6; ++attempt) {
            PlayInput({MoveTo({to.x + attempt % 2, to.y}, 150)});
            if (PumpMessagesUntil([&] { return edit->PointerOverSelection() == overSelection; }, 1500))
                return true;
        }
        return false;
    }
    DragSetting setting;
};

std::string Clipboard(HWND owner)
{
    std::string text;
    winui::CClipboard clip(owner);
    clip.GetText(text);
    return text;
}

void SetClipboard(HWND owner, const std::string& text)
{
    winui::CClipboard clip(owner);
    clip.Empty();
    clip.SetText(text);
}

struct DropCase {
    const char* name;
    int selStart, selEnd;  // "def " in "abc def ghi"
    int fromColumn, toColumn;
    WORD key;
    const char* text;
    int newStart, newEnd;
};

const DropCase kDropCases[] = {
    {"move_behind", 4, 8, 5, 11, 0, "abc ghidef ", 7, 11},
    {"move_before", 4, 8, 5, 0, 0, "def abc ghi", 0, 4},
    {"move_beyond_the_line_end", 4, 8, 5, 30, 0, "abc ghidef ", 7, 11},
    {"copy_with_shift", 4, 8, 5, 0, VK_SHIFT, "def abc def ghi", 0, 4},
};

class DropInside : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropInside, MovesOrCopiesTheSelectionAsOneUndoStep)
{
    const DropCase& c = GetParam();
    DragHost host;
    host.SetText("abc def ghi", c.selStart, c.selEnd);
    host.Drag(host.Screen(c.fromColumn, 0), host.Screen(c.toColumn, 0), c.key);
    EXPECT_EQ(host.Text(), c.text);
    EXPECT_EQ(host.SelStart(), c.newStart);
    EXPECT_EQ(host.SelEnd(), c.newEnd);
    EXPECT_FALSE(host.edit->IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(host.edit->GetModify(), 1);

    ASSERT_EQ(host.edit->Undo(), 1);
    EXPECT_EQ(host.Text(), "abc def ghi") << "one undo takes the whole drop back";
}

INSTANTIATE_TEST_SUITE_P(Drag, DropInside, ::testing::ValuesIn(kDropCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Drag, AMoveAcrossLinesKeepsTabsLaidOut)
{
    DragHost host;
    host.edit->Core().m_bExpandTabs = 0;
    host.SetText("x\ty\rzz\r", 0, 0);
    // "x>..y" then "zz": select the first line with its break, drop it
    // behind the second.
    host.edit->SetSel(0, 6, false, true);
    host.Paint();
    host.Drag(host.Screen(1, 0), host.Screen(1, 2));
    EXPECT_EQ(host.Text(), "zz\rx\t\x01\x01y\r");
    EXPECT_EQ(host.SelStart(), 3);
    EXPECT_EQ(host.SelEnd(), 9);
}

TEST(Drag, ReleasedOverTheSelectionOnlyMovesTheCaret)
{
    DragHost host;
    host.SetText("abc def ghi", 4, 8);
    std::vector<InputStep> steps = {MoveTo(host.Screen(5, 0), 150), LeftDown(host.Screen(5, 0), 150),
                                    MoveTo(host.Screen(9, 0)), MoveTo(host.Screen(13, 0)),
                                    MoveTo(host.Screen(6, 0)), LeftUp(host.Screen(6, 0))};
    bool dragged = false;
    PlayInput(steps, [&] { dragged = dragged || host.edit->IsDragging(); });
    EXPECT_TRUE(dragged);
    EXPECT_EQ(host.Text(), "abc def ghi");
    EXPECT_EQ(host.SelStart(), 6);
    EXPECT_EQ(host.SelEnd(), 6);
    EXPECT_EQ(host.edit->Undo(), 0) << "nothing was recorded";
}

TEST(Drag, ASelectionOverTheLimitStaysWhereItIs)
{
    DragHost host;
    // 7000 lines of 9 characters and a CR; the selection of 63000 bytes
    // starts on line 200, shown in row 5.
    std::string text;
    for (int i = 0; i < 7000; ++i)
        text += "xxxxxxxxx\r";
    host.SetText(text.c_str(), 2000, 65000);
    host.edit->SetTopLine(195, 1);
    host.Paint();
    const std::string before = host.Text();
    host.Drag(host.Screen(3, 6), host.Screen(3, 2));
    EXPECT_EQ(host.Text(), before);
    EXPECT_EQ(host.SelStart(), 2000);
    EXPECT_EQ(host.SelEnd(), 65000);
    EXPECT_FALSE(host.edit->IsDragging());
}

TEST(Drag, ADropOnAnotherControlPastesACopyAndKeepsTheClipboard)
{
    DragHost host;
    CNColorEditCtrl other;
    other.Core().AllocBuffers(kCapacityStep);
    RECT rc{0, 0, 300, 80};
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, rc, host.view->m_hWnd, 101));
    RECT mine;
    GetWindowRect(host.edit->m_hWnd, &mine);
    POINT below{mine.left, mine.bottom + 20};
    ScreenToClient(host.view->m_hWnd, &below);
    SetWindowPos(other.m_hWnd, nullptr, below.x, below.y, 300, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    other.SetText("[]");
    other.SetSel(1, 1, false, true);
    SetClipboard(host.edit->m_hWnd, "keep me");
    host.SetText("abc def ghi", 4, 8);
    host.edit->SetFocus();
    PumpMessages(100);

    POINT target{10, 10};
    ClientToScreen(other.m_hWnd, &target);
    host.Drag(host.Screen(5, 0), target);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(other.GetTextBuffer()), other.GetTextLength()), "[def ]");
    EXPECT_EQ(host.Text(), "abc def ghi") << "the source keeps its text";
    EXPECT_EQ(Clipboard(host.edit->m_hWnd), "keep me");
    other.DestroyWindow();
}

TEST(Drag, HeldBelowTheWindowTheViewScrollsAndTheDropLandsThere)
{
    DragHost host;
    host.SetText(NumberedLines(60).c_str(), 0, 0);
    // "line 1\r" selected on row 1.
    host.edit->SetSel(7, 14, false, true);
    host.Paint();
    POINT beyond{host.Screen(2, 0).x, 0};
    POINT bottomLeft{0, host.edit->Core().m_nVisibleLines * host.edit->m_nCharHeight + 40};
    ClientToScreen(host.edit->m_hWnd, &bottomLeft);
    beyond.y = bottomLeft.y;
    std::vector<InputStep> steps = {MoveTo(host.Screen(2, 1), 150), LeftDown(host.Screen(2, 1), 150),
                                    MoveTo(host.Screen(2, 4)), MoveTo(beyond, 1200), MoveTo(host.Screen(2, 9)),
                                    LeftUp(host.Screen(2, 9))};
    PlayInput(steps);
    const int top = host.edit->GetTopLine();
    EXPECT_GE(top, 8) << "timer 3 scrolled four lines a step";
    EXPECT_EQ(host.Text().find("line 0\rline 2\r"), 0u) << "the line left its place";
    const int moved = static_cast<int>(host.Text().find("line 1\r"));
    EXPECT_GT(host.edit->Core().LineFromOffset(moved), top) << "and was dropped on a line shown after the scroll";
    EXPECT_EQ(host.SelStart(), moved);
}

TEST(Drag, CursorsShowTheCandidateTheMoveAndTheCopy)
{
    DragHost host;
    host.SetText("abc def ghi", 4, 8);
    PlayInput({MoveTo(host.Screen(1, 0), 100)});
    ASSERT_TRUE(host.MovePointer(host.Screen(5, 0), true));
    EXPECT_EQ(host.edit->CursorKind(), CNColorEditCtrl::kCursorDragCandidate);
    EXPECT_EQ(GetCursor(), CNColorEditCtrl::DragCursor(CNColorEditCtrl::kCursorDragCandidate));
    EXPECT_TRUE(host.MovePointer(host.Screen(1, 0), false));

    for (WORD key : {WORD(0), WORD(VK_SHIFT)}) {
        host.SetText("abc def ghi", 4, 8);
        std::set<HCURSOR> seen;
        host.Drag(host.Screen(5, 0), host.Screen(11, 0), key, [&] {
            if (host.edit->IsDragging())
                seen.insert(GetCursor());
        });
        const int kind = key ? CNColorEditCtrl::kCursorDragCopy : CNColorEditCtrl::kCursorDragMove;
        EXPECT_TRUE(seen.count(CNColorEditCtrl::DragCursor(kind))) << "key " << key;
    }
    // The program's own cursors, not the system's arrow.
    EXPECT_NE(CNColorEditCtrl::DragCursor(CNColorEditCtrl::kCursorDragMove), LoadCursor(nullptr, IDC_ARROW));
}

TEST(Drag, OffTheSettingAPressOnTheSelectionSelectsAnew)
{
    DragHost host;
    GetSyntaxEditSettings().extMovTxt = 0;
    host.SetText("abc def ghi", 4, 8);
    host.Drag(host.Screen(5, 0), host.Screen(10, 0));
    EXPECT_EQ(host.Text(), "abc def ghi");
    EXPECT_FALSE(host.edit->PointerOverSelection());
    EXPECT_EQ(host.SelStart(), 5);
    EXPECT_EQ(host.SelEnd(), 10);
}

TEST(Drag, EscEndsTheDrag)
{
    DragHost host;
    host.SetText("abc def ghi", 4, 8);
    std::vector<InputStep> steps = {MoveTo(host.Screen(5, 0), 150), LeftDown(host.Screen(5, 0), 150),
                                    MoveTo(host.Screen(9, 0)), KeyDown(VK_ESCAPE), KeyUp(VK_ESCAPE),
                                    MoveTo(host.Screen(11, 0)), LeftUp(host.Screen(11, 0))};
    PlayInput(steps);
    EXPECT_EQ(host.Text(), "abc def ghi");
    EXPECT_FALSE(host.edit->IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
