// The "Print options" dialog shown for real and driven through the dialog
// hook: what it shows in settings mode and in print mode, what "Set",
// "Print preview", "&Print" and Cancel hand back to the members, the print
// options and the print range, and the printer font of "Change Font...".
#include "editor/shell/print_options_dlg.h"
#include "editor/shell/print_options_res.h"

#include "winui/commdlg.h"
#include "winui/dialog_script.h"

#include "editor/shell/tests/dialog_steps.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace {

using namespace dialog_steps;

// A radio button as a click selects it: the others of its group go off.
void Choose(HWND dlg, int first, int last, int id)
{
    CheckRadioButton(dlg, first, last, id);
    Click(dlg, id);
}

// The face of the font the "Font" static shows its text in.
std::string SampleFace(HWND dlg)
{
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, IDC_PRINT_FONT_SAMPLE, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf)
        return "<none>";
    return lf.lfFaceName;
}

// What a dialog works on: the options in force, the range held and the
// printer font, as the application keeps them.
struct Held {
    PrintOptions options;
    int from = -1, to = -1;
    LOGFONTA font{};
    int previews = 0;
    Held()
    {
        font.lfHeight = -13;
        lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    }
};

TEST(PrintOptionsDialog, SettingsModeShowsTheMembersAndPrintBWFromItsOption)
{
    Held h;
    h.options.printBW = 0;
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_PAGE_NO));
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_FILE_NAME));
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_DATE));
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_LINE_NO));
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_COMPRESS));
        // The member says 1, the option 0: the box shows the option.
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_BW));
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_TOP));
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_BOTTOM));
        // No range: empty fields, "All".
        EXPECT_EQ(Text(dlg, IDC_PRINT_FROM_LINE), "");
        EXPECT_EQ(Text(dlg, IDC_PRINT_TO_LINE), "");
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_ALL));
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_LINES_FROM));
        EXPECT_EQ(Text(dlg, IDOK), "Set");
        EXPECT_EQ(Text(dlg, IDC_PRINT_NOW), "&Print");
        EXPECT_FALSE(Enabled(dlg, IDC_PRINT_NOW));
        EXPECT_EQ(Text(dlg, IDC_PRINT_FONT_SAMPLE), "Font");
        EXPECT_EQ(SampleFace(dlg), "Courier New");
        // The user's changes.
        Check(dlg, IDC_PRINT_PAGE_NO, false);
        Check(dlg, IDC_PRINT_FILE_NAME, true);
        Check(dlg, IDC_PRINT_COMPRESS, true);
        Check(dlg, IDC_PRINT_BW, true);
        Choose(dlg, IDC_PRINT_TOP, IDC_PRINT_BOTTOM, IDC_PRINT_TOP);
        SetDlgItemTextA(dlg, IDC_PRINT_FROM_LINE, "4");
        SetDlgItemTextA(dlg, IDC_PRINT_TO_LINE, "9");
        return IDOK;
    });
    CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
    dlg.m_bPrintMode = 0;
    dlg.m_bPageNo = 1;
    dlg.m_bDate = 1;
    dlg.m_bLineNo = 1;
    dlg.m_nPlacement = 0;
    dlg.m_onPrintPreview = [&h] { ++h.previews; };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(rounds.captions.front(), "Print options");
    EXPECT_EQ(dlg.m_bPageNo, 0);
    EXPECT_EQ(dlg.m_bFileName, 1);
    EXPECT_EQ(dlg.m_bDate, 1);
    EXPECT_EQ(dlg.m_bLineNo, 1);
    EXPECT_EQ(dlg.m_bCompress, 1);
    EXPECT_EQ(dlg.m_bPrintBW, 1);
    EXPECT_EQ(dlg.m_nPlacement, 1);
    EXPECT_EQ(dlg.m_nFirstLine, 4);
    EXPECT_EQ(dlg.m_nLastLine, 9);
    // Settings mode leaves the copying to its command.
    EXPECT_EQ(h.options.printBW, 0);
    EXPECT_EQ(h.options.compressLines, 0);
    EXPECT_EQ(h.from, -1);
    EXPECT_EQ(h.to, -1);
    EXPECT_EQ(h.previews, 0);
    PrintOptions back;
    dlg.GiveOptions(back);
    EXPECT_EQ(back.fileTitle, 1);
    EXPECT_EQ(back.bannerTop, 1);
    EXPECT_EQ(back.pageNo, 0);
}

TEST(PrintOptionsDialog, ARangeShowsLinesFromAndAnEmptyFieldIsNoLine)
{
    Held h;
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        EXPECT_EQ(Text(dlg, IDC_PRINT_FROM_LINE), "3");
        EXPECT_EQ(Text(dlg, IDC_PRINT_TO_LINE), "7");
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_LINES_FROM));
        EXPECT_FALSE(Checked(dlg, IDC_PRINT_ALL));
        EXPECT_TRUE(Checked(dlg, IDC_PRINT_BW)) << "PrintBW is 1 by default";
        SetDlgItemTextA(dlg, IDC_PRINT_TO_LINE, "");
        return IDOK;
    });
    CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
    dlg.m_bPrintMode = 0;
    dlg.m_nFirstLine = 3;
    dlg.m_nLastLine = 7;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nFirstLine, 3);
    EXPECT_EQ(dlg.m_nLastLine, -1);
}

TEST(PrintOptionsDialog, PrintModeSetCopiesTheValuesAndAsksForThePreview)
{
    struct Case {
        bool all;
        int from, to;
    } cases[] = {{false, 3, 7}, {true, -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.all ? "All" : "Lines from:");
        Held h;
        h.from = 2;
        h.to = 5;
        Rounds rounds;
        rounds.Then([&](HWND dlg) {
            EXPECT_EQ(Text(dlg, IDOK), "Print preview");
            EXPECT_TRUE(Enabled(dlg, IDC_PRINT_NOW));
            EXPECT_TRUE(Checked(dlg, IDC_PRINT_TOP));
            Check(dlg, IDC_PRINT_LINE_NO, true);
            Check(dlg, IDC_PRINT_DATE, true);
            Check(dlg, IDC_PRINT_BW, false);
            Choose(dlg, IDC_PRINT_TOP, IDC_PRINT_BOTTOM, IDC_PRINT_BOTTOM);
            SetDlgItemTextA(dlg, IDC_PRINT_FROM_LINE, "3");
            SetDlgItemTextA(dlg, IDC_PRINT_TO_LINE, "7");
            Choose(dlg, IDC_PRINT_LINES_FROM, IDC_PRINT_ALL, c.all ? IDC_PRINT_ALL : IDC_PRINT_LINES_FROM);
            return IDOK;
        });
        CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
        dlg.TakeOptions(h.options);
        dlg.m_nFirstLine = 2;
        dlg.m_nLastLine = 5;
        dlg.m_onPrintPreview = [&h] { ++h.previews; };
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(h.previews, 1);
        EXPECT_EQ(h.options.lineNo, 1);
        EXPECT_EQ(h.options.actDate, 1);
        EXPECT_EQ(h.options.printBW, 0);
        EXPECT_EQ(h.options.bannerTop, 0);
        EXPECT_EQ(h.options.pageNo, 0);
        EXPECT_EQ(h.from, c.from);
        EXPECT_EQ(h.to, c.to);
    }
}

TEST(PrintOptionsDialog, PrintTakesTheRangeFromTheFieldsAloneAndEndsWithTen)
{
    struct Case {
        const char* from;
        const char* to;
        int heldFrom, heldTo;
    } cases[] = {{"3", "7", 3, 7}, {"3", "", -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        Held h;
        Rounds rounds;
        rounds.Then([&](HWND dlg) {
            // "All" stays selected: "&Print" does not look at it.
            EXPECT_TRUE(Checked(dlg, IDC_PRINT_ALL));
            Check(dlg, IDC_PRINT_PAGE_NO, true);
            SetDlgItemTextA(dlg, IDC_PRINT_FROM_LINE, c.from);
            SetDlgItemTextA(dlg, IDC_PRINT_TO_LINE, c.to);
            return IDC_PRINT_NOW;
        });
        CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
        dlg.TakeOptions(h.options);
        dlg.m_onPrintPreview = [&h] { ++h.previews; };
        ASSERT_EQ(dlg.DoModal(), IDPRINT_OPTIONS_PRINT);
        EXPECT_EQ(h.previews, 0);
        EXPECT_EQ(h.options.pageNo, 1);
        EXPECT_EQ(h.from, c.heldFrom);
        EXPECT_EQ(h.to, c.heldTo);
    }
}

TEST(PrintOptionsDialog, PrintWorksInPrintModeOnlyAndCancelChangesNothing)
{
    for (int printMode : {1, 0}) {
        SCOPED_TRACE(printMode ? "print mode" : "settings mode");
        Held h;
        h.from = 3;
        h.to = 7;
        Rounds rounds;
        rounds.Then([](HWND dlg) {
            Check(dlg, IDC_PRINT_PAGE_NO, true);
            Check(dlg, IDC_PRINT_BW, false);
            SetDlgItemTextA(dlg, IDC_PRINT_FROM_LINE, "1");
            // In settings mode the disabled "&Print" does nothing: the
            // dialog stays open for the next round.
            return IDC_PRINT_NOW;
        });
        rounds.Then([](HWND) { return IDCANCEL; });
        CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
        dlg.m_bPrintMode = printMode;
        dlg.m_nFirstLine = 3;
        dlg.m_nLastLine = 7;
        dlg.m_onPrintPreview = [&h] { ++h.previews; };
        if (printMode) {
            ASSERT_EQ(dlg.DoModal(), IDPRINT_OPTIONS_PRINT);
            EXPECT_EQ(rounds.captions.size(), 1u);
            continue;
        }
        ASSERT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(rounds.captions.size(), 2u);
        EXPECT_EQ(h.options.pageNo, 0);
        EXPECT_EQ(h.options.printBW, 1);
        EXPECT_EQ(h.from, 3);
        EXPECT_EQ(h.to, 7);
        EXPECT_EQ(h.previews, 0);
    }
    // Cancel in print mode.
    Held h;
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        Check(dlg, IDC_PRINT_PAGE_NO, true);
        return IDCANCEL;
    });
    CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
    dlg.m_onPrintPreview = [&h] { ++h.previews; };
    ASSERT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(h.options.pageNo, 0);
    EXPECT_EQ(h.from, -1);
    EXPECT_EQ(h.previews, 0);
}

TEST(PrintOptionsDialog, ChangeFontChangesThePrinterFontAndTheSample)
{
    Held h;
    winui::ScriptedCommonDialogs fonts;
    fonts.Answer(winui::CommonDialogAnswer::Cancel());
    fonts.Answer(winui::CommonDialogAnswer::Font("Lucida Console", 12, false, true));
    Rounds rounds;
    rounds.Then([](HWND dlg) {
        Click(dlg, IDC_PRINT_CHANGE_FONT);
        EXPECT_EQ(SampleFace(dlg), "Courier New") << "a cancelled chooser keeps the font";
        Click(dlg, IDC_PRINT_CHANGE_FONT);
        EXPECT_EQ(SampleFace(dlg), "Lucida Console");
        // The static keeps its own text.
        EXPECT_EQ(Text(dlg, IDC_PRINT_FONT_SAMPLE), "Font");
        return IDCANCEL;
    });
    CPrintOptionsDlg dlg(h.options, h.from, h.to, h.font, nullptr);
    dlg.m_bPrintMode = 0;
    ASSERT_EQ(dlg.DoModal(), IDCANCEL);
    // The chooser opened on the printer font; its choice stays although the
    // dialog was cancelled.
    ASSERT_EQ(fonts.Calls().size(), 2u);
    EXPECT_EQ(fonts.Calls()[0].initial, "Courier New");
    EXPECT_STREQ(h.font.lfFaceName, "Lucida Console");
    EXPECT_TRUE(h.font.lfItalic);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(h.font.lfHeight, -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

} // namespace
