#include "winui/commdlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using winui::CommonDialogAnswer;
using winui::CommonDialogKind;

TEST(FileDialog, OpenAnsweredWithOnePathFillsTheStructureAsTheSystemDoes)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Path("C:\\work\\src\\main.c51"));
    winui::CFileDialog dlg(true, "c", "start.c", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                           "C files (*.c)|*.c|All Files (*.*)|*.*||");
    dlg.SetTitle("Open");
    // The filter pairs are separated by NULs and end with two.
    EXPECT_EQ(std::memcmp(dlg.m_ofn.lpstrFilter, "C files (*.c)\0*.c\0All Files (*.*)\0*.*\0\0", 40),
              0);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), "C:\\work\\src\\main.c51");
    EXPECT_EQ(dlg.GetFileName(), "main.c51");
    EXPECT_EQ(dlg.GetFileExt(), "c51");
    EXPECT_EQ(dlg.GetFileTitle(), "main");
    EXPECT_EQ(dlg.m_ofn.nFileOffset, 12);
    EXPECT_EQ(dlg.m_ofn.nFileExtension, 17);
    ASSERT_EQ(script.Calls().size(), 1u);
    EXPECT_EQ(script.Calls()[0].kind, CommonDialogKind::Open);
    EXPECT_EQ(script.Calls()[0].title, "Open");
    EXPECT_EQ(script.Calls()[0].initial, "start.c");
}

// File dialogs are explorer style unless the caller asks for the classic
// dialog; the caller's own flags go through either way.
TEST(FileDialog, ExplorerStyleUnlessTheClassicDialogIsAsked)
{
    winui::ScriptedCommonDialogs script;
    struct Case {
        DWORD flags;
        int style; // -1: left as it is, 0: classic asked, 1: explorer asked
        bool explorer;
    } cases[] = {
        {OFN_FILEMUSTEXIST, -1, true},
        {OFN_FILEMUSTEXIST, 0, false},
        {OFN_FILEMUSTEXIST | OFN_EXPLORER, 0, false},
        {OFN_FILEMUSTEXIST, 1, true},
    };
    for (const Case& c : cases) {
        winui::CFileDialog dlg(true, nullptr, nullptr, c.flags);
        if (c.style >= 0)
            dlg.SetExplorerStyle(c.style == 1);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_FALSE(script.Calls().empty());
        DWORD passed = script.Calls().back().flags;
        EXPECT_EQ((passed & OFN_EXPLORER) != 0, c.explorer) << c.flags << " " << c.style;
        EXPECT_NE(passed & OFN_FILEMUSTEXIST, 0u);
    }
}

TEST(FileDialog, MultiSelectionGivesEveryPath)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Paths({"C:\\p\\a.c", "C:\\p\\b.h", "C:\\p\\c"}));
    winui::CFileDialog dlg(true, nullptr, nullptr,
                           OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathNames(),
              (std::vector<std::string>{"C:\\p\\a.c", "C:\\p\\b.h", "C:\\p\\c"}));
    EXPECT_EQ(dlg.m_ofn.nFileOffset, 5); // the first name after "C:\p" and its NUL
    EXPECT_EQ(dlg.GetPathName(), "C:\\p\\a.c");
}

TEST(FileDialog, CancelAndAnUnansweredDialogLeaveTheNameAsItWas)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Cancel());
    winui::CFileDialog save(false, "htm", "C:\\doc\\page");
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_EQ(save.GetPathName(), "C:\\doc\\page");
    ASSERT_EQ(script.Calls().size(), 2u);
    EXPECT_EQ(script.Calls()[1].kind, CommonDialogKind::Save);
}

TEST(FileDialog, AnAnswerLongerThanTheBufferFails)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Path("C:\\" + std::string(40000, 'x')));
    winui::CFileDialog dlg(true);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(FontDialog, AnsweredFontBecomesTheLogicalFontAndPointSize)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Font("Courier New", 12, true, true));
    LOGFONTA start{};
    lstrcpyA(start.lfFaceName, "Arial");
    start.lfHeight = -10;
    winui::CFontDialog dlg(&start);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    HDC screen = GetDC(nullptr);
    int expected = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ(dlg.m_lf.lfFaceName, "Courier New");
    EXPECT_EQ(dlg.m_lf.lfHeight, expected);
    EXPECT_EQ(dlg.m_lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(dlg.m_lf.lfItalic);
    EXPECT_EQ(dlg.GetSize(), 120);
    EXPECT_EQ(dlg.m_cf.lpLogFont, &dlg.m_lf);
    EXPECT_EQ(script.Calls()[0].initial, "Arial");
    // Cancel keeps the font.
    script.Answer(CommonDialogAnswer::Cancel());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_STREQ(dlg.m_lf.lfFaceName, "Courier New");
}

TEST(ColourAndFolderDialogs, AnswersAreTaken)
{
    winui::ScriptedCommonDialogs script;
    script.Answer(CommonDialogAnswer::Colour(RGB(10, 20, 30)));
    script.Answer(CommonDialogAnswer::Path("C:\\projects\\board"));
    script.Answer(CommonDialogAnswer::Cancel());
    winui::CColorDialog colour(RGB(1, 2, 3));
    EXPECT_EQ(colour.GetColor(), RGB(1, 2, 3));
    ASSERT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(10, 20, 30));
    winui::CFolderDialog folder("Choose a folder");
    folder.SetInitialFolder("C:\\projects");
    ASSERT_EQ(folder.DoModal(), IDOK);
    EXPECT_EQ(folder.GetPath(), "C:\\projects\\board");
    EXPECT_EQ(folder.DoModal(), IDCANCEL);
    EXPECT_EQ(folder.GetPath(), "C:\\projects\\board");
    ASSERT_EQ(script.Calls().size(), 3u);
    EXPECT_EQ(script.Calls()[1].kind, CommonDialogKind::Folder);
    EXPECT_EQ(script.Calls()[1].title, "Choose a folder");
    EXPECT_EQ(script.Calls()[1].initial, "C:\\projects");
}

} // namespace
