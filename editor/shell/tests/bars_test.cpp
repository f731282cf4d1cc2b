// The bookmark bar in a frame of the test process (adding, finding,
// renumbering, moving lines, the tool tip, the limit of bookmarks), the
// stored value's parts, the position history's ring, the document tab
// bar's rows and the stay-on-top button's place in the caption.
#include "editor/shell/bookmark_bar.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/position_history.h"
#include "editor/shell/small_toggle_button.h"

#include "winui/frame.h"
#include "winui/msgbox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

CNColorEditCtrl* FakeEditor(int n)
{
    // Only compared, never used.
    return reinterpret_cast<CNColorEditCtrl*>(static_cast<intptr_t>(0x1000 * n));
}

BookmarkRecord Mark(int editor, int line, const std::string& name = "")
{
    BookmarkRecord r;
    r.pEdit = FakeEditor(editor);
    r.nLine = line;
    r.nTopLine = line > 0 ? line - 1 : 0;
    r.szTitle = CBookmarkBar::TitleOfPath("C:\\work\\a.c");
    r.szName = name;
    return r;
}

class BookmarkBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame_.Create(winui::CFrameWnd::FrameClass(), "bookmarks", WS_OVERLAPPEDWINDOW));
        ASSERT_TRUE(bar_.Create(&frame_, WS_CHILD | winui::CBRS_TOP, 0xE800));
    }
    void TearDown() override
    {
        if (frame_.m_hWnd)
            frame_.DestroyWindow();
    }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (int i = 0; i < bar_.GetCount(); ++i)
            ids.push_back(static_cast<int>(bar_.GetItemID(i)));
        return ids;
    }

    winui::CFrameWnd frame_;
    CBookmarkBar bar_;
};

TEST_F(BookmarkBarTest, AddsOncePerLineShowsTheBarAndRenumbersAfterARemoval)
{
    EXPECT_FALSE(bar_.IsVisible());
    EXPECT_EQ(bar_.AddBookmark(Mark(1, 10)), 1);
    EXPECT_TRUE(bar_.IsVisible());
    // The same editor and line again: nothing added.
    EXPECT_EQ(bar_.AddBookmark(Mark(1, 10, "other")), 1);
    EXPECT_EQ(bar_.AddBookmark(Mark(2, 10)), 2);
    EXPECT_EQ(bar_.AddBookmark(Mark(1, 20)), 3);
    const int first = static_cast<int>(kFirstBookmarkCommand);
    EXPECT_EQ(Ids(), (std::vector<int>{first, first + 1, first + 2}));
    EXPECT_EQ(bar_.HasBookmark(FakeEditor(2), 10), 1);
    EXPECT_EQ(bar_.HasBookmark(FakeEditor(2), 11), 0);

    bar_.RemoveBookmark(Mark(2, 10));
    EXPECT_EQ(Ids(), (std::vector<int>{first, first + 1}));
    EXPECT_EQ(bar_.Record(1)->nLine, 20);
    EXPECT_EQ(bar_.Record(1)->nCommandId, first + 1);

    bar_.RemoveBookmarksOf(FakeEditor(1));
    EXPECT_EQ(bar_.Count(), 0);
    EXPECT_FALSE(bar_.IsVisible());
    EXPECT_EQ(bar_.AddBookmark(Mark(3, 0)), 1);
    EXPECT_TRUE(bar_.IsVisible());
}

TEST_F(BookmarkBarTest, LinesInsertedOrDeletedAboveABookmarkMoveIt)
{
    bar_.AddBookmark(Mark(1, 10));
    bar_.AddBookmark(Mark(2, 10));
    // Three lines inserted at line 5 of editor 1 (below the caret line 4).
    bar_.AdjustBookmarkLines(FakeEditor(1), 5, 3, 4);
    EXPECT_EQ(bar_.Record(0)->nLine, 13);
    EXPECT_EQ(bar_.Record(0)->nTopLine, 12);
    EXPECT_EQ(bar_.Record(1)->nLine, 10);
    // Inserting below the bookmark changes nothing.
    bar_.AdjustBookmarkLines(FakeEditor(1), 20, 3, 19);
    EXPECT_EQ(bar_.Record(0)->nLine, 13);
    // Deleting lines around it leaves it on the caret line, not above it.
    bar_.AdjustBookmarkLines(FakeEditor(1), 9, -10, 8);
    EXPECT_EQ(bar_.Record(0)->nLine, 8);
    EXPECT_GE(bar_.Record(0)->nTopLine, 0);
}

TEST_F(BookmarkBarTest, NamesTitlesAndTipsAreKeptWholeOrCutWithTheirEnd)
{
    const std::string fifty(50, 'n');
    bar_.AddBookmark(Mark(1, 1, fifty));
    EXPECT_EQ(bar_.Record(0)->szName, fifty);
    EXPECT_EQ(bar_.TipText(0), fifty);
    // Without a name the title is the name.
    bar_.AddBookmark(Mark(1, 2));
    EXPECT_EQ(bar_.Record(1)->szName, "C:\\work\\a.c Line ");
    // A long title is cut to 48 characters.
    BookmarkRecord longTitle = Mark(1, 3);
    longTitle.szTitle = std::string(70, 't');
    bar_.AddBookmark(longTitle);
    EXPECT_EQ(bar_.Record(2)->szTitle.size(), 48u);
    // A tip takes at most 79 characters and its end.
    bar_.AddBookmark(Mark(1, 4, std::string(120, 'x')));
    EXPECT_EQ(bar_.TipText(3), std::string(79, 'x'));
    EXPECT_EQ(CBookmarkBar::TitleOfPath("C:\\a\\very\\long\\path\\to\\some\\source\\file.c"),
              "...ery\\long\\path\\to\\some\\source\\file.c Line ");
}

TEST_F(BookmarkBarTest, BeyondTheLastFreeCommandIdABookmarkIsRefusedWithAMessage)
{
    winui::ScriptedMessageBoxes boxes;
    for (int i = 0; i < kMaxBookmarks; ++i)
        ASSERT_EQ(bar_.AddBookmark(Mark(1, i)), i + 1);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(static_cast<UINT>(bar_.Record(kMaxBookmarks - 1)->nCommandId), kLastBookmarkCommand);
    EXPECT_EQ(bar_.AddBookmark(Mark(1, kMaxBookmarks)), -1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(bar_.Count(), kMaxBookmarks);
    // No bookmark id reaches the program's own commands (up to 32993) or
    // the standard ones (57600 and above).
    EXPECT_GT(kFirstBookmarkCommand, 32993u);
    EXPECT_LT(kLastBookmarkCommand, 57600u);
}

TEST(BookmarkValue, StoredValuesSplitIntoPathLineAndName)
{
    struct Case {
        const char* value;
        const char* path;
        int line;
        const char* name;
    } cases[] = {
        {"C:\\w\\a.c Line:12Name:Entry point", "C:\\w\\a.c", 12, "Entry point"},
        {"  C:\\w\\a.c   Line:7", "C:\\w\\a.c", 7, ""},
        {"C:\\w\\a.c Line:3Name:", "C:\\w\\a.c", 3, ""},
        {"C:\\w\\a.c Line:-4Name:x", "C:\\w\\a.c", 0, "x"},
        {"C:\\w\\a.c 12", "", 0, ""},
        {"C:\\w\\a.c Line:5Name:Line: 6 Name: y", "C:\\w\\a.c", 5, "Line: 6 Name: y"},
    };
    for (const Case& c : cases) {
        std::string path, name;
        int line = -1;
        CBookmarkBar::ParseValue(c.value, path, line, name);
        EXPECT_EQ(path, c.path) << c.value;
        EXPECT_EQ(line, c.line) << c.value;
        EXPECT_EQ(name, c.name) << c.value;
    }
}

class PositionHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (HWND& w : windows_)
            w = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        for (HWND w : windows_)
            if (w)
                DestroyWindow(w);
    }
    PositionEntry At(int window, int top) const { return PositionEntry{windows_[window], top, top + 2, top * 10}; }
    HWND windows_[3] = {};
};

TEST_F(PositionHistoryTest, BackAndForwardWalkTheRecordedPlaces)
{
    CPositionHistory h(100);
    PositionEntry e;
    // Off until switched on.
    EXPECT_EQ(h.RecordPosition(At(0, 1)), -1);
    EXPECT_EQ(h.GoBack(e), 0);
    h.SetEnabled(true);
    EXPECT_EQ(h.RecordPosition(At(0, 1)), 1);
    EXPECT_EQ(h.RecordPosition(At(1, 5)), 2);
    EXPECT_EQ(h.RecordPosition(At(2, 9)), 3);
    ASSERT_EQ(h.GoBack(e), 1);
    EXPECT_EQ(e.hWnd, windows_[2]);
    ASSERT_EQ(h.GoBack(e), 1);
    EXPECT_EQ(e.hWnd, windows_[1]);
    EXPECT_EQ(e.nCaretOffset, 50);
    ASSERT_EQ(h.GoBack(e), 1);
    EXPECT_EQ(e.hWnd, windows_[0]);
    // The first slot holds: back stays there.
    ASSERT_EQ(h.GoBack(e), 1);
    EXPECT_EQ(e.hWnd, windows_[0]);
    ASSERT_EQ(h.GoForward(e), 1);
    EXPECT_EQ(e.hWnd, windows_[1]);
    ASSERT_EQ(h.GoForward(e), 1);
    ASSERT_EQ(h.GoForward(e), 0);
    EXPECT_TRUE(h.IsNextEmpty());

    // Reset empties it; a window that is gone is not recorded.
    h.Reset();
    EXPECT_EQ(h.GoBack(e), 0);
    DestroyWindow(windows_[2]);
    EXPECT_EQ(h.RecordPosition(PositionEntry{windows_[2], 0, 0, 0}), -1);
    windows_[2] = nullptr;
}

TEST_F(PositionHistoryTest, RepeatsOfAnEditorAreMergedAndTheRingSkipsItsEnds)
{
    CPositionHistory h(100);
    h.SetEnabled(true);
    // Editor windows merge the same window and top line; others do not.
    h.SetMergesRepeats([](HWND) { return true; });
    h.RecordPosition(At(0, 1));
    EXPECT_EQ(h.RecordPosition(PositionEntry{windows_[0], 1, 7, 70}), 1);
    h.SetMergesRepeats([](HWND) { return false; });
    EXPECT_EQ(h.RecordPosition(At(0, 1)), 2);

    h.Reset();
    for (int i = 1; i <= 99; ++i)
        h.RecordPosition(At(i % 2, i));
    EXPECT_EQ(h.Slot(98).nTopLine, 99);
    EXPECT_EQ(h.WritePosition(), 1);
    h.RecordPosition(At(0, 100));
    EXPECT_EQ(h.Slot(1).nTopLine, 100);
    EXPECT_EQ(h.Slot(0).nTopLine, 1);
    EXPECT_TRUE(h.Slot(99).Empty());
}

TEST(DocTabRows, TabsBeyondTheWidthLessFiftyStartANewRow)
{
    const int widths[] = {100, 100, 100, 100, 100};
    int last = 0;
    EXPECT_EQ(CDocTabBar::CountRows(widths, 5, 600, &last), 1);
    EXPECT_EQ(last, 500);
    EXPECT_EQ(CDocTabBar::CountRows(widths, 5, 500, &last), 2);
    EXPECT_EQ(last, 100);
    EXPECT_EQ(CDocTabBar::CountRows(widths, 5, 250, &last), 3);
    EXPECT_EQ(CDocTabBar::CountRows(widths, 0, 250, &last), 1);
}

TEST(OnTopButton, SitsInTheCaptionLeftOfTheSystemButtons)
{
    const RECT owner{100, 50, 900, 650};
    // 18-pixel caption buttons and a 4-pixel frame: full height, 4 below the top.
    RECT r = CSmallToggleButton::PlaceFor(owner, 19, 18, 4);
    EXPECT_EQ(r.top, 54);
    EXPECT_EQ(r.bottom - r.top, 18);
    EXPECT_EQ(r.left, 900 - 4 * 19 - 6);
    EXPECT_EQ(r.right - r.left, 19);
    // 22-pixel buttons: 6 below the top and 18 high.
    r = CSmallToggleButton::PlaceFor(owner, 22, 22, 4);
    EXPECT_EQ(r.top, 56);
    EXPECT_EQ(r.bottom - r.top, 18);
}

} // namespace
