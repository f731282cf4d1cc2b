// Identifier tips: the tool under the mouse, the text the browser's copies
// give, the "Tags" pane fed for several occurrences, the cut of a long head,
// and the tip beside a dragged scroll thumb.
#include "syntax_host.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Hovers over a cell, then asks for the tip as the tool-tip control does.
LRESULT AskTip(CSyntaxHost& host, int column, int row, UINT code, NMTTDISPINFOA& info)
{
    POINT pt = host.Cell(column, row);
    host.edit->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    std::memset(&info, 0, sizeof info);
    info.hdr.hwndFrom = host.edit->ToolTipWindow();
    info.hdr.idFrom = kIdentifierToolId;
    info.hdr.code = code;
    return host.edit->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace

TEST(IdentifierTips, ToolHitTestCountsNewPointsAndNeedsTheBrowser)
{
    CSyntaxHost host;
    host.SetText("abc");
    TOOLINFOA info{};
    const int first = host.edit->OnToolHitTest(POINT{3, 4}, &info);
    EXPECT_EQ(info.uId, kIdentifierToolId);
    EXPECT_EQ(info.hwnd, host.edit->m_hWnd);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKA);
    EXPECT_EQ(info.rect.right - info.rect.left, 2 * host.edit->m_nCharWidth);
    EXPECT_EQ(host.edit->OnToolHitTest(POINT{3, 4}, &info), first) << "same point, same tool";
    EXPECT_EQ(host.edit->OnToolHitTest(POINT{4, 4}, &info), first + 1) << "one pixel further: a new tool";
    EXPECT_EQ(host.edit->OnToolHitTest(POINT{4, 4}, nullptr), -1);
    host.shell.autoBrowser = false;
    EXPECT_EQ(host.edit->OnToolHitTest(POINT{5, 4}, &info), -1);
}

TEST(IdentifierTips, OneOccurrenceGivesItsHead)
{
    CSyntaxHost host;
    host.shell.Add(host.shell.maps.functions, "open", kKindFunction, 4, 9, "int open(const char* name)", "a.c");
    host.shell.Add(host.shell.maps.variables, "len", kKindVariable, 1, 0, "size_t", "a.c");
    host.SetText("x = open(n) + s->len;");
    NMTTDISPINFOA info;
    EXPECT_EQ(AskTip(host, 5, 0, TTN_NEEDTEXTA, info), 1);
    EXPECT_STREQ(info.lpszText, "int open(const char* name)");
    EXPECT_EQ(host.shell.lookups.back(), "open");
    EXPECT_TRUE(host.shell.tags.empty());
    // A member after "->" is looked up with a leading dot.
    EXPECT_EQ(AskTip(host, 18, 0, TTN_NEEDTEXTA, info), 1);
    EXPECT_EQ(host.shell.lookups.back(), ".len");
    EXPECT_STREQ(info.lpszText, "global size_t");
    // No identifier under the point; a name the browser does not know.
    EXPECT_EQ(AskTip(host, 1, 0, TTN_NEEDTEXTA, info), -1);
    EXPECT_EQ(AskTip(host, 9, 0, TTN_NEEDTEXTA, info), 0);
    // Other tool ids are not the control's.
    info.hdr.idFrom = 7;
    EXPECT_EQ(host.edit->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), 0);
}

TEST(IdentifierTips, SeveralOccurrencesFillTheTagsPane)
{
    CSyntaxHost host;
    host.shell.Add(host.shell.maps.functions, "open", kKindFunction, 4, 9, "int open(void)", "a.c");
    host.shell.Add(host.shell.maps.functions, "open", kKindFunction, 30, 40, "bool open(int)", "b.cpp", nullptr,
                   "CFile");
    host.SetText("x = open();");
    NMTTDISPINFOA info;
    EXPECT_EQ(AskTip(host, 5, 0, TTN_NEEDTEXTA, info), 1);
    EXPECT_STREQ(info.lpszText, "multiple occurences found for \"open\" -> output window");
    ASSERT_EQ(host.shell.panesShown, std::vector<int>{kPaneTags});
    const std::vector<std::string> lines = {"a.c(5): int open(void)", "b.cpp(31): CFile::bool open(int) "};
    EXPECT_EQ(host.shell.tags, lines);
    host.shell.outputBar = false;
    host.shell.panesShown.clear();
    EXPECT_EQ(AskTip(host, 6, 0, TTN_NEEDTEXTA, info), 1);
    EXPECT_STREQ(info.lpszText, "multiple occurences found for \"open\" -> open output window!");
    EXPECT_TRUE(host.shell.panesShown.empty());
}

TEST(IdentifierTips, AHeadLongerThanTheTipBufferIsCut)
{
    CSyntaxHost host;
    const std::string head = "int f(" + std::string(8184, 'p') + ")";
    ASSERT_EQ(head.size(), 8191u);
    host.shell.Add(host.shell.maps.functions, "f", kKindFunction, 0, 1, head.c_str(), "a.c");
    host.SetText("f();");
    NMTTDISPINFOA info;
    EXPECT_EQ(AskTip(host, 0, 0, TTN_NEEDTEXTA, info), 1);
    ASSERT_EQ(std::strlen(info.lpszText), static_cast<size_t>(kTipTextSize - 1));
    EXPECT_EQ(std::string(info.lpszText, 6), "int f(");
    EXPECT_EQ(std::string(info.lpszText + kTipTextSize - 4), "...");
    // The wide form fills the notification's own 80 characters.
    NMTTDISPINFOW wide{};
    POINT pt = host.Cell(0, 0);
    host.edit->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x + 1, pt.y));
    wide.hdr.idFrom = kIdentifierToolId;
    wide.hdr.code = TTN_NEEDTEXTW;
    EXPECT_EQ(host.edit->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide)), 1);
    EXPECT_EQ(wide.lpszText, wide.szText);
    EXPECT_EQ(std::wcslen(wide.szText), 79u);
    EXPECT_EQ(std::wstring(wide.szText + 76), L"...");
}

TEST(InfoTip, FollowsTheThumbWhileItIsDragged)
{
    CSyntaxHost host;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r";
    host.SetText(text.c_str());
    host.edit->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0x4000), 0);
    HWND tip = FindWindowA("OvantaInfoTip", nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    char shown[32] = {};
    GetWindowTextA(tip, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), std::to_string(host.edit->Core().m_nTopLine + 1));
    host.edit->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x4000), 0);
    EXPECT_EQ(FindWindowA("OvantaInfoTip", nullptr), nullptr);
}
