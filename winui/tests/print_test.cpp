// Printing to a real printer driver (Wine's PostScript driver writing to a
// file) and the preview of the same pages. The set-up adds the tests'
// printer to the prefix once (testing/winprog/test_printer.h). The
// PostScript files are left in PRINT_TEST_DIR for the page check with
// ghostscript.
#include "winui/commdlg.h"
#include "winui/picture.h"
#include "winui/print.h"

#include "testing/kit/test_kit.h"
#include "testing/winprog/test_printer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const char printer_name[] = "winui Test Printer";

class Printing : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ready = AddTestPrinter(printer_name, problem);
        CreateDirectoryA(host_path(PRINT_TEST_DIR).c_str(), nullptr);
    }
    void SetUp() override { ASSERT_TRUE(ready) << problem; }
    static HDC PrinterDC()
    {
        winui::CPrintDialog pd(false);
        if (!pd.GetDefaults())
            return nullptr;
        return pd.CreatePrinterDC();
    }
    static std::string Output(const char* name) { return host_path(PRINT_TEST_DIR) + "\\" + name; }
    static bool ready;
    static std::string problem;
};
bool Printing::ready = false;
std::string Printing::problem;

// Pages of three: page n has a black bar a tenth of the page high, n
// tenths down from the top and a tenth in from the left, a fifth wide.
// Drawn in twips (y upwards), as the editor prints, so that the drawing
// rectangle's conversion to logical units counts.
class CBarPainter : public winui::CPagePainter {
public:
    UINT pages = 3;
    UINT stopAfter = 0;
    std::string log;
    void OnBeginPrinting(HDC, winui::CPrintInfo*) override { log += "begin "; }
    void OnPrepareDC(HDC dc, winui::CPrintInfo*) override { SetMapMode(dc, MM_TWIPS); }
    void OnPrint(HDC dc, winui::CPrintInfo* info) override
    {
        info->SetMaxPage(pages);
        const RECT& r = info->m_rectDraw;
        int w = r.right - r.left;
        int h = r.top - r.bottom; // twips grow upwards: top > bottom
        int n = static_cast<int>(info->m_nCurPage);
        RECT bar{r.left + w / 10, r.top - n * h / 10, r.left + 3 * w / 10, r.top - (n + 1) * h / 10};
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        log += "page " + std::to_string(n) + " ";
        if (stopAfter && info->m_nCurPage >= stopAfter)
            info->m_bContinuePrinting = false;
    }
    void OnEndPrinting(HDC, winui::CPrintInfo*) override { log += "end"; }
};

int count_pages(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    int pages = 0;
    for (size_t at = text.find("showpage"); at != std::string::npos; at = text.find("showpage", at + 1))
        ++pages;
    return pages;
}

TEST_F(Printing, PrintDialogAnsweredChoosesTheDefaultPrinterAndRange)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(winui::CommonDialogAnswer::Print(2, 3));
    winui::CPrintDialog pd(false, PD_ALLPAGES | PD_RETURNDC | PD_HIDEPRINTTOFILE);
    ASSERT_EQ(pd.DoModal(), IDOK);
    EXPECT_EQ(pd.GetDeviceName(), printer_name);
    EXPECT_TRUE(pd.PrintRange());
    EXPECT_EQ(pd.GetFromPage(), 2);
    EXPECT_EQ(pd.GetToPage(), 3);
    ASSERT_NE(pd.m_pd.hDC, nullptr);
    EXPECT_GT(GetDeviceCaps(pd.m_pd.hDC, HORZRES), 0);
    DeleteDC(pd.m_pd.hDC);

    script.Answer(winui::CommonDialogAnswer::Print());
    winui::CPrintDialog setup(true);
    ASSERT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(setup.GetDeviceName(), printer_name);
    EXPECT_EQ(script.Calls()[1].kind, winui::CommonDialogKind::PrintSetup);
    script.Answer(winui::CommonDialogAnswer::Cancel());
    winui::CPrintDialog cancelled(false);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST_F(Printing, EveryPageOfTheRangeIsPaintedIntoThePrinterFile)
{
    HDC dc = PrinterDC();
    ASSERT_NE(dc, nullptr);
    struct Case {
        const char* file;
        UINT from, to, stopAfter;
        int printed;
        const char* log;
    } cases[] = {
        {"all.ps", 1, 0xFFFF, 0, 3, "begin page 1 page 2 page 3 end"},
        {"range.ps", 2, 3, 0, 2, "begin page 2 page 3 end"},
        {"stopped.ps", 1, 0xFFFF, 2, 2, "begin page 1 page 2 end"},
        {"beyond.ps", 3, 9, 0, 1, "begin page 3 end"},
    };
    for (const Case& c : cases) {
        CBarPainter painter;
        painter.stopAfter = c.stopAfter;
        winui::CPrintInfo info;
        info.m_nFromPage = c.from;
        info.m_nToPage = c.to;
        std::string out = Output(c.file);
        DeleteFileA(out.c_str());
        EXPECT_EQ(winui::PrintDocument(dc, "bars", painter, info, out.c_str()), c.printed) << c.file;
        EXPECT_EQ(painter.log, c.log) << c.file;
        EXPECT_EQ(count_pages(out), c.printed) << c.file;
    }
    DeleteDC(dc);
}

TEST_F(Printing, AnOutputThatCannotBeWrittenFailsTheJob)
{
    HDC dc = PrinterDC();
    ASSERT_NE(dc, nullptr);
    CBarPainter painter;
    winui::CPrintInfo info;
    std::string out = Output("no such folder\\x.ps");
    EXPECT_EQ(winui::PrintDocument(dc, "bars", painter, info, out.c_str()), -1);
    DeleteDC(dc);
}

TEST_F(Printing, RecordedPageHasThePrinterPageSize)
{
    HDC dc = PrinterDC();
    ASSERT_NE(dc, nullptr);
    CBarPainter painter;
    winui::CPrintInfo info;
    HENHMETAFILE emf = winui::RecordPage(dc, painter, info, 2);
    ASSERT_NE(emf, nullptr);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(emf, sizeof header, &header);
    // The frame is the page in hundredths of a millimetre: A4, 210 x 297 mm.
    EXPECT_NEAR(header.rclFrame.right, 21000, 60);
    EXPECT_NEAR(header.rclFrame.bottom, 29700, 60);
    EXPECT_TRUE(info.m_bPreview == false);
    EXPECT_EQ(info.GetMaxPage(), 3u);
    DeleteEnhMetaFile(emf);
    DeleteDC(dc);
}

// A top-level window that holds the preview.
TEST_F(Printing, PreviewShowsThePagesScaledOneOrTwoAtATime)
{
    HDC dc = PrinterDC();
    ASSERT_NE(dc, nullptr);
    CBarPainter painter;
    winui::CPrintInfo info;
    winui::CPreviewWnd preview(painter, dc, info);
    ASSERT_TRUE(preview.Create(nullptr, RECT{0, 0, 640, 480}, WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(preview.FirstPage(), 1u);
    EXPECT_EQ(preview.PageText(), "Page 1");
    EXPECT_EQ(info.GetMaxPage(), 3u);
    EXPECT_FALSE(preview.PrevPage());

    auto check_page = [&](int index, UINT page, const char* what) {
        RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        winui::CWindowPicture picture;
        ASSERT_TRUE(picture.Capture(preview));
        RECT r = preview.PageRect(index);
        int w = r.right - r.left, h = r.bottom - r.top;
        ASSERT_GT(w, 50) << what;
        // Inside the bar of this page, beside it, and outside the page.
        int barY = r.top + static_cast<int>((page + 0.5) * h / 10);
        EXPECT_EQ(picture.Pixel(r.left + w / 5, barY), RGB(0, 0, 0)) << what;
        EXPECT_EQ(picture.Pixel(r.left + w / 2, barY), RGB(255, 255, 255)) << what;
        EXPECT_EQ(picture.Pixel(r.left + w / 5, r.top + static_cast<int>((page + 1.5) * h / 10)),
                  RGB(255, 255, 255)) << what;
        EXPECT_EQ(picture.Pixel(r.left - 5, r.top + h / 2), GetSysColor(COLOR_APPWORKSPACE)) << what;
        picture.SaveBmp(std::string(host_path(PRINT_TEST_DIR)) + "\\preview_" + what + ".bmp");
    };
    check_page(0, 1, "one");
    ASSERT_TRUE(preview.NextPage());
    EXPECT_EQ(preview.PageText(), "Page 2");
    check_page(0, 2, "second");

    // Two pages on the last page step back: the last page on the right.
    ASSERT_TRUE(preview.NextPage());
    EXPECT_FALSE(preview.NextPage());
    preview.SetTwoPages(true);
    EXPECT_EQ(preview.PageText(), "Page 2 - 3");
    RECT left = preview.PageRect(0), right = preview.PageRect(1);
    EXPECT_GT(right.left, left.right);
    EXPECT_EQ(right.top, left.top);
    check_page(0, 2, "two_left");
    check_page(1, 3, "two_right");
    EXPECT_FALSE(preview.NextPage());
    ASSERT_TRUE(preview.PrevPage());
    EXPECT_EQ(preview.PageText(), "Page 1 - 2");
    preview.SetTwoPages(false);
    EXPECT_EQ(preview.PageText(), "Page 1");
    preview.DestroyWindow();
    DeleteDC(dc);
}

} // namespace
