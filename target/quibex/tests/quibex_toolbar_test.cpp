// Quibex's tool bar moved with the mouse through the system queue, as a
// user moves it: to the bottom, out into a window of its own and back to
// the left side; the MDI client always takes the room the bar leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <vector>

#include "quibex_run.h"
#include "target/quibex/resource.h"
#include "testing/kit/test_kit.h"
#include "testing/winprog/mouse_input.h"

namespace {

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
    SIZE size = ClientSize(frame);
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, size.cx / 2, size.cy - 2));
    ASSERT_TRUE(WaitUntil([&] { return RectIn(bar, frame).top > 0; }, 5000));
    RECT row = RectIn(bar, frame);
    EXPECT_EQ(row.bottom, RectIn(status, frame).top);
    EXPECT_EQ(RectIn(client, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).bottom, row.top);

    // Out over the client: a window of its own captioned "Toolbar".
    MouseDrag(ToolBarGripper(bar), ClientPointOnScreen(frame, size.cx / 2, size.cy / 2));
    HWND floating = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (floating = FloatingToolBarWindow(frame)) != nullptr; }, 5000));
    EXPECT_EQ(GetParent(bar), floating);
    EXPECT_EQ(WindowTextOf(floating), "Toolbar");
    EXPECT_EQ(RectIn(client, frame).top, 0);
    EXPECT_EQ(RectIn(client, frame).bottom, RectIn(status, frame).top);

    // By its caption to the left edge: a column left of the client.
    MouseDrag(CaptionPointOf(floating), ClientPointOnScreen(frame, 2, size.cy / 2));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(floating); }, 5000));
    RECT column = RectIn(bar, frame);
    EXPECT_EQ(column.left, 0);
    EXPECT_GT(column.bottom - column.top, column.right - column.left);
    EXPECT_EQ(RectIn(client, frame).left, column.right);
    EXPECT_EQ(run.Close(), 0);
}

// The bar's strip holds one 16x15 picture a button, each drawn of several
// colours on the button face and none the same as another.
TEST(QuibexToolBar, EveryButtonHasAPictureOfItsOwn)
{
    HMODULE program = LoadLibraryExA(host_path(QUIBEX_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(program, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(strip, nullptr);
    BITMAP info{};
    GetObjectA(strip, sizeof info, &info);
    const int buttons = 12, width = 16, height = 15;
    ASSERT_EQ(info.bmWidth, buttons * width);
    ASSERT_EQ(info.bmHeight, height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * height);
    HDC dc = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, strip, 0, height, pixels.data(), &bi, DIB_RGB_COLORS), height);
    ReleaseDC(nullptr, dc);
    DeleteObject(strip);
    FreeLibrary(program);

    const DWORD face = 0xC0C0C0;
    std::set<std::vector<DWORD>> seen;
    for (int b = 0; b < buttons; b++) {
        std::vector<DWORD> picture;
        std::set<DWORD> colours;
        int drawn = 0;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                DWORD p = pixels[static_cast<size_t>(y * info.bmWidth + b * width + x)] & 0xFFFFFF;
                picture.push_back(p);
                colours.insert(p);
                drawn += p != face;
            }
        EXPECT_EQ(picture[0], face) << "button " << b << " stands on the button face";
        EXPECT_GE(colours.size(), 3u) << "button " << b;
        EXPECT_GE(drawn, 25) << "button " << b;
        EXPECT_LE(drawn, width * height * 3 / 4) << "button " << b << " is a square";
        EXPECT_TRUE(seen.insert(picture).second) << "button " << b << " repeats another";
    }
}
