// Clipboard copy, cut and paste of streams and column blocks, and the
// column operations of CColorEdit, with another window's text on the
// clipboard.
#include "test_host.h"

#include "winui/clipboard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void put_clipboard(const std::string& text)
{
    winui::CClipboard clip(nullptr);
    ASSERT_TRUE(clip.IsOpen());
    clip.Empty();
    ASSERT_TRUE(clip.SetText(text));
}

std::string clipboard()
{
    winui::CClipboard clip(nullptr);
    std::string text;
    clip.GetText(text);
    return text;
}

void set_block(CTestHost& host, int left, int top, int right, int bottom)
{
    CTextState& s = host.edit.Core().State();
    s.columnMode = 1;
    s.columnRect.left = left * host.edit.m_nCharWidth;
    s.columnRect.right = right * host.edit.m_nCharWidth;
    s.columnRect.top = top * host.edit.m_nCharHeight;
    s.columnRect.bottom = bottom * host.edit.m_nCharHeight;
}

TEST(Clipboard, CopyGivesPlainTextWithCrLf)
{
    CTestHost host;
    host.edit.Core().m_bExpandTabs = 0;
    host.SetText("a\tb\rc", 0, -1);
    ASSERT_EQ(host.Text(), std::string("a\t\x01\x01") + "b\rc");
    put_clipboard("old");
    EXPECT_EQ(host.edit.Copy(0), 1);
    EXPECT_EQ(clipboard(), "a\tb\r\nc");
}

TEST(Clipboard, CopyAppendsAfterTheClipboardText)
{
    CTestHost host;
    host.SetText("xyz", 1, 2);
    put_clipboard("x");
    host.edit.Copy(1);
    EXPECT_EQ(clipboard(), "x\r\ny");
}

TEST(Clipboard, NothingSelectedCopiesNothing)
{
    CTestHost host;
    host.SetText("abc", 1);
    put_clipboard("keep");
    EXPECT_EQ(host.edit.Copy(0), 0);
    EXPECT_EQ(clipboard(), "keep");
}

TEST(Clipboard, PasteTurnsCrLfIntoCr)
{
    CTestHost host;
    host.SetText("<>", 1);
    put_clipboard("1\r\n2\n3");
    host.ClearLog();
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "<1\r2\r3>");
    EXPECT_EQ(host.SelStart(), 6);
    EXPECT_EQ(host.SelEnd(), 6);
    EXPECT_EQ(host.edit.GetLineCount(), 3);
    ASSERT_NE(host.Last(EDN_LINECOUNT), nullptr);
    EXPECT_EQ(static_cast<int>(host.Last(EDN_LINECOUNT)->wParam), 2);
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "<>");
}

TEST(Clipboard, PastedModelBytesAreDropped)
{
    CTestHost host;
    host.SetText("", 0);
    put_clipboard(std::string("a\x01\x02") + "b");
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "ab");
}

TEST(Clipboard, PasteSelAfterPasteKeepsItSelected)
{
    CTestHost host;
    host.SetText("ab", 1);
    put_clipboard("xyz");
    GetColorEditSettings().selAfterPaste = 1;
    host.edit.Paste(0);
    GetColorEditSettings().selAfterPaste = 0;
    EXPECT_EQ(host.Text(), "axyzb");
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 4);
}

TEST(Clipboard, OverwritePasteReplacesOnlyWhatIsThere)
{
    CTestHost host;
    host.SetText("abcd", 3);
    host.Key(VK_INSERT);
    put_clipboard("XYZ");
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "abcXYZ");
}

TEST(Clipboard, PasteOverALongerSelectionPlacesTheCaretBehindIt)
{
    // Two characters replace three: the length shrinks by one, and the
    // paste is still a paste.
    CTestHost host;
    host.SetText("abcdef", 1, 4);
    put_clipboard("XY");
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "aXYef");
    EXPECT_EQ(host.SelStart(), 3);
    EXPECT_EQ(host.SelEnd(), 3);
    EXPECT_EQ(host.Caret().x, 3);
}

TEST(Clipboard, OverwritePasteInTheMiddleIsUndoneInTwoSteps)
{
    CTestHost host;
    host.SetText("abcdef", 1);
    host.Key(VK_INSERT);
    put_clipboard("XY");
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "aXYdef");
    EXPECT_EQ(host.SelStart(), 3);
    EXPECT_EQ(host.SelEnd(), 3);
    ASSERT_EQ(host.edit.Undo(), 1);
    ASSERT_EQ(host.edit.Undo(), 1);
    EXPECT_EQ(host.Text(), "abcdef");
}

TEST(Clipboard, CutCopiesAndDeletesUnlessReadOnly)
{
    CTestHost host;
    host.SetText("one\rtwo\rthree", 2, 9);
    host.edit.Cut();
    EXPECT_EQ(clipboard(), "e\r\ntwo\r\nt");
    EXPECT_EQ(host.Text(), "onhree");
    EXPECT_EQ(host.edit.GetLineCount(), 1);
    EXPECT_EQ(host.edit.GetModify(), 1);

    host.SetText("abc", 0, 2);
    host.edit.SetReadOnly(1);
    put_clipboard("");
    host.edit.Cut();
    EXPECT_EQ(clipboard(), "ab");
    EXPECT_EQ(host.Text(), "abc");
    put_clipboard("zz");
    host.edit.Paste(0);
    EXPECT_EQ(host.Text(), "abc");
}

TEST(ColumnBlock, CopyPadsShortLines)
{
    CTestHost host;
    host.SetText("ab\rabcdef", 0);
    set_block(host, 0, 0, 3, 2);
    EXPECT_EQ(host.edit.Copy(0), 1);
    EXPECT_EQ(clipboard(), "ab \r\nabc");
    EXPECT_EQ(host.Text(), "ab\rabcdef");
}

TEST(ColumnBlock, CutDeletesTheBlockFromEveryLine)
{
    CTestHost host;
    host.SetText("abcdef\r12\rxyzuvw", 0);
    set_block(host, 1, 0, 4, 3);
    host.edit.Cut();
    EXPECT_EQ(clipboard(), "bcd\r\n2  \r\nyzu");
    EXPECT_EQ(host.Text(), "aef\r1\rxvw");
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
    EXPECT_EQ(host.SelStart(), 1);
}

TEST(ColumnBlock, DeleteKeyDeletesTheBlock)
{
    CTestHost host;
    host.SetText("abcdef\rabcdef", 0);
    set_block(host, 2, 0, 4, 2);
    host.Key(VK_DELETE);
    EXPECT_EQ(host.Text(), "abef\rabef");
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
}

TEST(ColumnBlock, OneLineBlockIsCopiedAsAStream)
{
    CTestHost host;
    host.SetText("abcdef\rxyz", 0);
    set_block(host, 1, 0, 4, 0);
    host.edit.Copy(0);
    EXPECT_EQ(clipboard(), "bcd");
    EXPECT_EQ(host.edit.GetSelectionMode(), 1);
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 4);
}

TEST(ColumnBlock, PasteAsBlockAddsLinesBelowTheText)
{
    CTestHost host;
    host.SetText("abcdef", 4);
    put_clipboard("1\r\n2");
    host.edit.Paste(1);
    EXPECT_EQ(host.Text(), "abcd1ef\r    2");
    // Every piece is its own undo step.
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "abcd1ef\r    ");
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "abcd1ef");
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "abcdef");
}

TEST(ColumnBlock, PasteAsBlockPadsShorterLines)
{
    CTestHost host;
    host.SetText("abcdef\rxy\rlonger line", 3);
    put_clipboard("1\r\n2\r\n3");
    host.edit.Paste(1);
    EXPECT_EQ(host.Text(), "abc1def\rxy 2\rlon3ger line");
}

TEST(ColumnBlock, PasteAsColumnTextIndentsFollowingLines)
{
    CTestHost host;
    host.SetText("ab", 2);
    put_clipboard("x\r\ny\r\nz");
    host.edit.Paste(2);
    EXPECT_EQ(host.Text(), "abx\r  y\r  z");
}

TEST(ColumnBlock, RoundTripWithAnotherWindowsText)
{
    CTestHost host;
    HWND other = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 200, 100,
                                 host.view->m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowTextA(other, "col1\r\ncol2");
    SendMessageA(other, EM_SETSEL, 0, -1);
    SendMessageA(other, WM_COPY, 0, 0);
    host.SetText("A-\rB-", 2);
    host.edit.Paste(1);
    EXPECT_EQ(host.Text(), "A-col1\rB-col2");

    // And back: a block copied here is pasted by the other window.
    set_block(host, 2, 0, 6, 2);
    host.edit.Copy(0);
    SetWindowTextA(other, "");
    SendMessageA(other, WM_PASTE, 0, 0);
    char text[64] = {};
    GetWindowTextA(other, text, sizeof text);
    EXPECT_STREQ(text, "col1\r\ncol2");
    DestroyWindow(other);
}

} // namespace
