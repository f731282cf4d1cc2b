#include "winui/clipboard.h"
#include "winui/gdi.h"
#include "winui/picture.h"
#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TEST(Clipboard, TextRoundTripAndEmpty)
{
    {
        winui::CClipboard clip(nullptr);
        ASSERT_TRUE(clip.IsOpen());
        ASSERT_TRUE(clip.Empty());
        ASSERT_TRUE(clip.SetText(std::string("a\tb\r\nc")));
        EXPECT_TRUE(clip.Close());
        EXPECT_FALSE(clip.Close());
    }
    {
        winui::CClipboard clip(nullptr);
        std::string text;
        ASSERT_TRUE(clip.GetText(text));
        EXPECT_EQ(text, "a\tb\r\nc");
        clip.Empty();
    }
    winui::CClipboard clip(nullptr);
    std::string text = "old";
    EXPECT_FALSE(clip.GetText(text));
    EXPECT_EQ(text, "");
}

// A window painted in two colours; the picture shows them where they are.
class CTwoColourWnd : public winui::CWnd {
public:
    void OnPaint()
    {
        winui::CPaintDC dc(m_hWnd);
        RECT rc;
        GetClientRect(&rc);
        RECT left = rc, right = rc;
        left.right = right.left = rc.right / 2;
        winui::FillSolidRect(dc, left, RGB(255, 0, 0));
        winui::FillSolidRect(dc, right, RGB(0, 0, 255));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTwoColourWnd, winui::CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowPicture, CapturesWhatThePaintDrewAndSavesABitmap)
{
    winui::CWnd::RegisterClass("winui.picture");
    CTwoColourWnd w;
    ASSERT_TRUE(w.CreateEx(0, "winui.picture", "", WS_POPUP | WS_VISIBLE, 10, 10, 80, 40, nullptr,
                           nullptr));
    w.UpdateWindow();
    winui::CWindowPicture pic;
    ASSERT_TRUE(pic.Capture(w));
    EXPECT_EQ(pic.Width(), 80);
    EXPECT_EQ(pic.Height(), 40);
    EXPECT_EQ(pic.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(pic.Pixel(75, 35), RGB(0, 0, 255));
    EXPECT_EQ(pic.Pixel(80, 0), CLR_INVALID);

    const char* dir = std::getenv("SUITE_BINARY_DIR");
    std::string path = std::string(dir ? dir : ".") + "/winui_picture_test.bmp";
    ASSERT_TRUE(pic.SaveBmp(path));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[2] = {};
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    EXPECT_EQ(std::fread(head, 1, 2, f), 2u);
    std::fclose(f);
    EXPECT_EQ(head[0], 'B');
    EXPECT_EQ(head[1], 'M');
    EXPECT_EQ(size, 54 + 80 * 3 * 40);
}

TEST(Font, CreateAndReadBackTheLogicalFont)
{
    winui::CFont font;
    ASSERT_TRUE(font.CreateFont(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 48, "Courier"));
    LOGFONTA lf{};
    ASSERT_TRUE(font.GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -10);
    EXPECT_EQ(lf.lfPitchAndFamily, 48);
    winui::CFont copy;
    ASSERT_TRUE(copy.CreateFontIndirect(&lf));
    EXPECT_NE(copy.m_hObject, font.m_hObject);
    font.DeleteObject();
    EXPECT_FALSE(font.GetLogFont(&lf));
}

} // namespace
