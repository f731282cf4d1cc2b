// A coloured C text with a matched brace pair, read back from the screen at
// the cells that matter. The template's colours carry backgrounds so that
// every cell shows its attribute in its corner.
#include "syntax_host.h"

#include "editor/editctl/color_table.h"
#include "winui/picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(SyntaxPicture, ColouredTextWithAMatchedBrace)
{
    g_bSyntaxColoring = 1;
    auto tmpl = std::make_shared<CSyntaxTemplate>();
    tmpl->name = "C";
    AddSyntaxKeyword(*tmpl, "", 0x33);                                                // comment: entry 19
    AddSyntaxKeyword(*tmpl, "return", 0x12 | static_cast<int32_t>(SYNTAX_WHOLE_WORD)); // keyword: entry 17
    CSyntaxHost host;
    host.edit->SetSyntaxTemplate(tmpl);
    // Row 0 "int f() {", row 1 "  return 0; // x", row 2 "}".
    host.SetText("int f() {\r  return 0; // x\r}", 11);
    // The brace pair around the caret, chosen as the context menu does.
    HMENU menu = host.edit->BuildContextMenu(host.Cell(0, 1));
    DestroyMenu(menu);
    host.edit->ExecuteCommand(ID_EDIT_SELECTBRACE, 0);
    EXPECT_EQ(host.SelStart(), 8);
    EXPECT_EQ(host.SelEnd(), 28);

    host.edit->InvalidateText(1);
    host.edit->UpdateWindow();
    host.edit->HideCaret();
    winui::CWindowPicture pic;
    ASSERT_TRUE(pic.Capture(host.edit->m_hWnd));
    host.edit->ShowCaret();
    const char* dir = std::getenv("SUITE_BINARY_DIR");
    pic.SaveBmp(std::string(dir ? dir : ".") + "/syntaxctl_brace.bmp");

    const int cw = host.edit->m_nCharWidth, ch = host.edit->m_nCharHeight;
    auto corner = [&](int column, int row) { return pic.Pixel((column + 1) * cw - 1, row * ch); };
    const COLORREF normal = g_ColorTable[16];
    const COLORREF selected = g_ColorTable[31];
    EXPECT_EQ(corner(0, 0), normal) << "int: plain text, no keyword";
    EXPECT_EQ(corner(7, 0), normal);
    EXPECT_EQ(corner(8, 0), selected) << "the opening brace starts the selection";
    // Inside the pair everything is selected, "return" and the comment too.
    EXPECT_EQ(corner(2, 1), selected);
    EXPECT_EQ(corner(14, 1), selected);
    EXPECT_EQ(corner(0, 2), selected) << "the closing brace ends it";
    EXPECT_EQ(corner(1, 2), host.edit->Core().m_crBackground);

    // Without the selection the syntax colours show.
    host.edit->SetSel(0, 0, FALSE, TRUE);
    host.edit->UpdateWindow();
    host.edit->HideCaret();
    ASSERT_TRUE(pic.Capture(host.edit->m_hWnd));
    host.edit->ShowCaret();
    pic.SaveBmp(std::string(dir ? dir : ".") + "/syntaxctl_colours.bmp");
    EXPECT_EQ(corner(2, 1), static_cast<COLORREF>(g_ColorTable[17])) << "return";
    EXPECT_EQ(corner(7, 1), static_cast<COLORREF>(g_ColorTable[17]));
    EXPECT_EQ(corner(9, 1), normal) << "0";
    EXPECT_EQ(corner(12, 1), static_cast<COLORREF>(g_ColorTable[19])) << "comment";
    EXPECT_EQ(corner(15, 1), static_cast<COLORREF>(g_ColorTable[19]));
    EXPECT_EQ(corner(8, 0), normal) << "brace";
    g_bSyntaxColoring = 0;
}
