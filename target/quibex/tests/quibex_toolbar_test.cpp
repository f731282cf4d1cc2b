// Quibex's tool bar moved with the mouse through the system queue, as a
// user moves it: to the bottom, out into a window of its own and back to
// the left side; the MDI client always takes the room the bar leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include "quibex_run.h"
#include "testing/winprog/mouse_input.h"

namespace {

SIZE client_size(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

POINT frame_point(HWND frame, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(frame, &p);
    return p;
}

} // namespace

TEST(QuibexToolBar, DraggedToTheBottomFloatedAndDockedOnTheLeft)
{
    QuibexRun run("toolbar_drag");
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForWindow());
    HWND frame = run.Frame(), client = run.Client();
    HWND bar = FindToolBar(frame);
    HWND status = FindWindowExA(frame, nullptr, "msctls_statusbar32", nullptr);
    ASSERT_TRUE(bar && client && status);
    ASSERT_EQ(RectIn(bar, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).top, RectIn(bar, frame).bottom);

    // To the bottom: a row above the status bar, the client above it.
    SIZE size = client_size(frame);
    MouseDrag(ToolBarGripper(bar), frame_point(frame, size.cx / 2, size.cy - 2));
    ASSERT_TRUE(wait_until([&] { return RectIn(bar, frame).top > 0; }, 5000));
    RECT row = RectIn(bar, frame);
    EXPECT_EQ(row.bottom, RectIn(status, frame).top);
    EXPECT_EQ(RectIn(client, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).bottom, row.top);

    // Out over the client: a window of its own captioned "Toolbar".
    MouseDrag(ToolBarGripper(bar), frame_point(frame, size.cx / 2, size.cy / 2));
    HWND floating = nullptr;
    ASSERT_TRUE(wait_until([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }, 5000));
    EXPECT_EQ(GetParent(bar), floating);
    EXPECT_EQ(run.TextOf(floating), "Toolbar");
    EXPECT_EQ(RectIn(client, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).bottom, RectIn(status, frame).top);

    // By its caption to the left edge: a column left of the client.
    MouseDrag(CaptionPointOf(floating), frame_point(frame, 2, size.cy / 2));
    ASSERT_TRUE(wait_until([&] { return !IsWindow(floating); }, 5000));
    RECT column = RectIn(bar, frame);
    EXPECT_EQ(column.left, 0);
    EXPECT_GT(column.bottom - column.top, column.right - column.left);
    EXPECT_EQ(RectIn(client, frame).left, column.right);
    EXPECT_EQ(run.Close(), 0);
}
