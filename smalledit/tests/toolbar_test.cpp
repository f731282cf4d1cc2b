// Zavit's tool bar moved with the mouse through the system queue, as a
// user moves it: to the right side, out into a window of its own (its
// buttons still giving their commands there) and back to the left side,
// the MDI client always taking the room the bar leaves; the program ends
// cleanly with the bar floating.
#include "mouse_input.h"
#include "program_session.h"
#include "testing/kit/test_kit.h"

#include "smalledit/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

int children(HWND client)
{
    int count = 0;
    for (HWND h = GetWindow(client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        count += GetParent(h) == client && IsWindowVisible(h);
    return count;
}

} // namespace

TEST(ZavitToolBar, DraggedToTheRightFloatedAndDockedOnTheLeft)
{
    std::string dir = host_path(test_folder("toolbar_drag"));
    ASSERT_TRUE(make_dirs(dir));
    std::string exe = dir + "\\zavit.exe";
    ASSERT_TRUE(copy_file_to(host_path(ZAVIT_PATH), exe));
    ProgramSession session;
    ASSERT_TRUE(session.Start(exe, "", dir, SW_SHOWNORMAL));
    HWND frame = session.WaitForMainWindow("ZavitFrame");
    ASSERT_NE(frame, nullptr);
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    HWND bar = FindToolBar(frame);
    ASSERT_TRUE(client && bar);
    ASSERT_EQ(RectIn(bar, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).top, RectIn(bar, frame).bottom);

    // To the right side: a column of buttons right of the MDI client.
    SIZE size = ClientSize(frame);
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, size.cx - 2, size.cy / 2));
    ASSERT_TRUE(WaitUntil([&] { return RectIn(bar, frame).right == size.cx && RectIn(bar, frame).top == 0; }));
    RECT column = RectIn(bar, frame);
    EXPECT_GT(column.bottom - column.top, column.right - column.left);
    EXPECT_EQ(RectIn(client, frame).right, column.left);
    EXPECT_EQ(RectIn(client, frame).top, 0);

    // Out over the client: a window of its own captioned "Toolbar"; its
    // "New" button still opens a window.
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, size.cx / 2, size.cy / 2));
    HWND floating = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }));
    EXPECT_EQ(GetParent(bar), floating);
    EXPECT_EQ(WindowTextOf(floating), "Toolbar");
    EXPECT_EQ(RectIn(client, frame).right, size.cx);
    EXPECT_EQ(RectIn(client, frame).top, 0);
    int before = children(client);
    RECT button = ToolButtonRect(bar, CM_FILENEW);
    MouseClick(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return children(client) == before + 1; }));

    // By its caption to the left edge: docked there.
    MouseDrag(CaptionPointOf(floating), ClientPointOnScreen(frame, 2, size.cy / 2));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(floating); }));
    column = RectIn(bar, frame);
    EXPECT_EQ(column.left, 0);
    EXPECT_GT(column.bottom - column.top, column.right - column.left);
    EXPECT_EQ(RectIn(client, frame).left, column.right);

    // Floated again by a double click on its gripper, it goes with the
    // program when the program ends.
    MouseDoubleClick(ToolBarGripper(bar));
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }));
    int exitCode = -1;
    EXPECT_TRUE(session.Close(&exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(IsWindow(floating));
}
