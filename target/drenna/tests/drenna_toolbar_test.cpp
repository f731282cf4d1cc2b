// Drenna's tool bar moved with the mouse as a user moves it: dragged by its
// gripper to the left side, out to float and back to the bottom, its
// buttons working wherever it is, the frame fitting the terminal's grid
// around it each time.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "drenna_run.h"
#include "target/drenna/resource.h"
#include "testing/winprog/mouse_input.h"

namespace {

POINT centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST(DrennaToolBar, DraggedToTheLeftFloatedAndDockedAtTheBottom)
{
    DrennaRun run("toolbar_drag");
    ASSERT_TRUE(run.Start(port_argument()));
    ASSERT_TRUE(run.WaitForWindow());
    HWND frame = run.Frame(), bar = run.ToolBar(), term = run.Terminal(), status = run.StatusBar();
    ASSERT_TRUE(bar && term && status);
    const SIZE grid = ClientSize(term);
    ASSERT_EQ(RectIn(bar, frame).top, 0);

    // To the left side: a column of buttons left of the terminal, the
    // frame widened by the column and the grid kept.
    SIZE client = ClientSize(frame);
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, 2, client.cy / 2));
    ASSERT_TRUE(WaitUntil([&] { return RectIn(bar, frame).bottom - RectIn(bar, frame).top > 100; }));
    RECT column = RectIn(bar, frame);
    EXPECT_EQ(GetParent(bar), frame);
    EXPECT_EQ(column.left, 0);
    EXPECT_LT(column.right - column.left, 60);
    EXPECT_TRUE(WaitUntil([&] { return RectIn(term, frame).left == column.right; }));
    EXPECT_EQ(RectIn(term, frame).top, 0);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(term).cx == grid.cx && ClientSize(term).cy == grid.cy; }))
        << ClientSize(term).cx << "x" << ClientSize(term).cy;
    EXPECT_EQ(ClientSize(frame).cx, column.right + grid.cx);
    // Its buttons still give their commands.
    MouseClick(centre(ToolButtonRect(bar, CM_RESETBOARD)));
    EXPECT_TRUE(run.WaitForTerminal("<Internal Reset>"));

    // Out over the terminal: a window of its own captioned "Toolbar", the
    // frame without it.
    client = ClientSize(frame);
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, client.cx / 2, client.cy / 2));
    HWND floating = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }));
    EXPECT_EQ(GetParent(bar), floating);
    EXPECT_TRUE(IsWindowVisible(floating));
    char caption[32] = "";
    GetWindowTextA(floating, caption, sizeof caption);
    EXPECT_STREQ(caption, "Toolbar");
    EXPECT_TRUE(WaitUntil([&] { return RectIn(term, frame).left == 0 && RectIn(term, frame).top == 0; }));
    const int statusHeight = RectIn(status, frame).bottom - RectIn(status, frame).top;
    EXPECT_TRUE(WaitUntil([&] {
        return ClientSize(frame).cx == grid.cx && ClientSize(frame).cy == grid.cy + statusHeight;
    })) << ClientSize(frame).cx << "x" << ClientSize(frame).cy;
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, CM_BOARDID, 0) != 0; }));
    MouseClick(centre(ToolButtonRect(bar, CM_BOARDID)));
    EXPECT_TRUE(run.WaitForTerminal("<Board Id: "));

    // By its caption to the bottom edge: docked above the status bar.
    client = ClientSize(frame);
    MouseDrag(CaptionPointOf(floating), ClientPointOnScreen(frame, client.cx / 2, client.cy - 2));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(floating); }));
    RECT row = RectIn(bar, frame);
    EXPECT_EQ(row.bottom, RectIn(status, frame).top);
    EXPECT_EQ(row.left, 0);
    EXPECT_EQ(RectIn(term, frame).top, 0);
    EXPECT_EQ(RectIn(term, frame).bottom, row.top);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(frame).cy == grid.cy + (row.bottom - row.top) + statusHeight; }));

    // A double click on the gripper floats it, one on the caption docks it
    // where it was.
    MouseDoubleClick(ToolBarGripper(bar));
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }));
    MouseDoubleClick(CaptionPointOf(floating));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(floating); }));
    EXPECT_EQ(RectIn(bar, frame).bottom, RectIn(status, frame).top);
    EXPECT_EQ(run.Close(), 0);
}
