// Yantel's tool bar moved with the mouse through the system queue, as a
// user moves it: to the bottom, out into a window of its own with the
// target combo box, and back to the top; the view always takes the room
// the bar leaves.
#include "mouse_input.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "make/yantel/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The view stands in the room the bars leave (the frame's pane id).
const UINT view_id = 0xE900;

} // namespace

TEST(YantelToolBar, DraggedToTheBottomFloatedWithItsComboAndDockedAtTheTop)
{
    std::string dir = host_path(YANTEL_TOOLBAR_DIR);
    ASSERT_TRUE(make_dirs(dir));
    std::string exe = dir + "\\yantel.exe";
    ASSERT_TRUE(copy_file_to(host_path(YANTEL_EXE), exe));
    ASSERT_TRUE(write_file(dir + "\\answers.txt", ""));
    ProgramSession session;
    session.SetScript(dir + "\\answers.txt", dir + "\\answers.log");
    ASSERT_TRUE(session.Start(exe, "", dir, SW_SHOWNORMAL));
    HWND frame = session.WaitForMainWindow("YantelFrame");
    ASSERT_NE(frame, nullptr);
    HWND bar = FindToolBar(frame);
    HWND status = FindWindowExA(frame, nullptr, "msctls_statusbar32", nullptr);
    HWND view = GetDlgItem(frame, view_id);
    ASSERT_TRUE(bar && status && view);
    HWND combo = GetDlgItem(bar, IDC_TARGETS);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(RectIn(bar, frame).top, 0);

    // To the bottom: a row above the status bar, the view above it.
    SIZE size = ClientSize(frame);
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, size.cx / 2, size.cy - 2));
    ASSERT_TRUE(WaitUntil([&] { return RectIn(bar, frame).top > 0; }));
    RECT row = RectIn(bar, frame);
    EXPECT_EQ(row.bottom, RectIn(status, frame).top);
    EXPECT_EQ(row.right - row.left, size.cx);
    EXPECT_EQ(RectIn(view, frame).top, 0);
    EXPECT_EQ(RectIn(view, frame).bottom, row.top);
    EXPECT_TRUE(IsWindowVisible(combo));

    // Towards the left side it cannot go: the bar floats there, combo box
    // and all, in a window captioned "Toolbar".
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, 2, size.cy / 2));
    HWND floating = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }));
    EXPECT_EQ(GetParent(bar), floating);
    EXPECT_EQ(GetParent(combo), bar);
    EXPECT_TRUE(IsWindowVisible(combo));
    EXPECT_EQ(WindowTextOf(floating), "Toolbar");
    RECT inside = RectIn(combo, floating);
    RECT floatClient{};
    GetClientRect(floating, &floatClient);
    EXPECT_LE(inside.right, floatClient.right); // the window shows the whole row
    EXPECT_EQ(RectIn(view, frame).top, 0);
    EXPECT_EQ(RectIn(view, frame).bottom, RectIn(status, frame).top);

    // By its caption to the top edge: back where it started.
    MouseDrag(CaptionPointOf(floating), ClientPointOnScreen(frame, size.cx / 2, 2));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(floating); }));
    EXPECT_EQ(RectIn(bar, frame).top, 0);
    EXPECT_EQ(RectIn(view, frame).top, RectIn(bar, frame).bottom);
    EXPECT_TRUE(session.Close());
}
