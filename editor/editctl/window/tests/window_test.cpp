// The window class, creation, message map and notifications of CColorEdit.
#include "test_host.h"

#include "winui/app.h"
#include "winui/msgbox.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(ColorEditWindow, ClassAndCreation)
{
    CTestHost host;
    char name[32] = {};
    GetClassNameA(host.edit.m_hWnd, name, sizeof name);
    EXPECT_STREQ(name, "CEDIT");
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "CEDIT", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_OWNDC | CS_DBLCLKS));
    EXPECT_EQ(wc.hCursor, LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_TRUE(host.edit.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(host.edit.m_bCreated, 1);
    EXPECT_EQ(GetFocus(), host.edit.m_hWnd);
    EXPECT_GT(host.edit.m_nCharWidth, 0);
    EXPECT_GT(host.edit.m_nCharHeight, 0);
    EXPECT_EQ(host.edit.Core().m_nVisibleLines, 10);
    RECT rc;
    GetClientRect(host.edit.m_hWnd, &rc);
    EXPECT_EQ(host.edit.m_nVisibleColumns,
              (rc.right - GetSystemMetrics(SM_CXVSCROLL)) / host.edit.m_nCharWidth);
    EXPECT_EQ(host.edit.m_dwScrollStyle, static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
    LOGFONTA lf{};
    ASSERT_TRUE(host.edit.m_pFont->GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -10);
    EXPECT_EQ(lf.lfPitchAndFamily, 48);
    EXPECT_STREQ(lf.lfFaceName, "Courier");
}

TEST(ColorEditWindow, ANewControlKeepsTheClickCountSetting)
{
    GetColorEditSettings().noClicks = 3;
    CColorEdit another;
    EXPECT_EQ(GetColorEditSettings().noClicks, 3);
    GetColorEditSettings().noClicks = 2;
}

TEST(ColorEditWindow, WithoutScrollBarStylesTheWholeClientHoldsLines)
{
    CTestHost host(WS_CHILD | WS_VISIBLE, 12, 30);
    EXPECT_EQ(host.edit.m_dwScrollStyle, 0u);
    EXPECT_EQ(host.edit.Core().m_nVisibleLines, 12);
    EXPECT_FALSE(host.edit.GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(host.edit.GetStyle() & WS_HSCROLL);
}

TEST(ColorEditWindow, TypingNotifiesTheView)
{
    CTestHost host;
    host.SetText("");
    host.edit.Core().ClearText();
    EXPECT_EQ(host.edit.GetLineCount(), 0);
    host.ClearLog();
    host.Char('a');
    EXPECT_EQ(host.Text(), "a");
    EXPECT_EQ(host.edit.GetLineCount(), 1);
    // The modified flag changed once; the caret moved.
    ASSERT_EQ(host.Count(EDN_MODIFIED), 1);
    EXPECT_EQ(host.Last(EDN_MODIFIED)->wParam, 1u);
    EXPECT_GE(host.Count(EDN_CARETMOVED), 1);
    host.ClearLog();
    host.Char('\r');
    ASSERT_EQ(host.Count(EDN_LINECOUNT), 1);
    EXPECT_EQ(static_cast<int>(host.Last(EDN_LINECOUNT)->wParam), 1);
    EXPECT_EQ(host.Count(EDN_MODIFIED), 0); // already modified
    host.ClearLog();
    host.Key(VK_LEFT, KEYMOD_SHIFT);
    host.Key(VK_DELETE);
    ASSERT_EQ(host.Count(EDN_LINECOUNT), 1);
    EXPECT_EQ(static_cast<int>(host.Last(EDN_LINECOUNT)->wParam), -1);
}

// A subclass hears the recolour request before every paint and after a
// deletion, as the syntax-aware control does.
class CRecolourEdit : public CColorEdit {
public:
    std::vector<std::pair<WPARAM, LPARAM>> requests;
    LRESULT OnRecolour(WPARAM wp, LPARAM lp)
    {
        requests.emplace_back(wp, lp);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecolourEdit, CColorEdit)
    ON_MESSAGE(EDN_RECOLOUR, &CRecolourEdit::OnRecolour)
END_MESSAGE_MAP()

TEST(ColorEditWindow, RecolourRequestBeforePaintAndAfterDeletion)
{
    CTestHost host;
    CRecolourEdit edit;
    edit.Core().AllocBuffers(kCapacityStep);
    RECT rc{0, 0, 200, 100};
    ASSERT_TRUE(edit.Create("", WS_CHILD | WS_VISIBLE, rc, host.view->m_hWnd, 102));
    edit.Core().SetText("abc");
    edit.UpdateWindow();
    edit.requests.clear();
    edit.InvalidateText(1);
    edit.UpdateWindow();
    ASSERT_EQ(edit.requests.size(), 1u);
    EXPECT_EQ(edit.requests[0], std::make_pair(WPARAM(0), LPARAM(0)));
    edit.requests.clear();
    edit.SetSel(0, 0, TRUE, FALSE);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    ASSERT_GE(edit.requests.size(), 1u);
    EXPECT_EQ(edit.requests[0].second, reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(edit.GetTextBuffer())), "bc");
}

TEST(ColorEditWindow, TwoControlsOnOneTextShowTheSameEdit)
{
    CTestHost host;
    host.SetText("one\rtwo");
    CColorEdit second;
    second.Core().AttachState(&host.document);
    RECT rc{0, 200, 300, 300};
    ASSERT_TRUE(second.Create("", WS_CHILD | WS_VISIBLE, rc, host.view->m_hWnd, 101));
    host.edit.SetFocus();
    host.edit.SetSel(3, 3, TRUE, TRUE);
    host.Type("!");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(second.GetTextBuffer()), second.GetTextLength()),
              "one!\rtwo");
    int s = 0, e = 0;
    second.GetSel(s, e);
    EXPECT_EQ(s, 4);
    EXPECT_EQ(second.GetLineCount(), 2);
    // Focused, the other pane shows the caret where the shared selection is.
    host.Key(VK_DOWN);
    second.SetFocus();
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 3 * second.m_nCharWidth);
    EXPECT_EQ(caret.y, 1 * second.m_nCharHeight);
}

TEST(ColorEditWindow, MouseSelectionGoesToTheMainWindow)
{
    CTestHost host;
    host.SetText("alpha beta");
    host.Mouse(WM_LBUTTONDBLCLK, host.Cell(7, 0).x, host.Cell(7, 0).y);
    const HostMessage* m = host.Last(EDN_MOUSESELECT);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->lParam, reinterpret_cast<LPARAM>(host.edit.m_hWnd));
    EXPECT_EQ(host.SelStart(), 6);
    EXPECT_EQ(host.SelEnd(), 10);
}

TEST(ColorEditWindow, ChangedOnDiskPromptIsAskedAsAMessageBox)
{
    CTestHost host;
    const char* dir = std::getenv("SUITE_BINARY_DIR");
    std::string path = std::string(dir ? dir : ".") + "/coloredit_changed.txt";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("first\n", f);
    std::fclose(f);
    ASSERT_EQ(host.edit.Core().LoadFile(path.c_str()), 1);
    // The control's path is the one the check reads.
    EXPECT_EQ(host.edit.Core().m_strPathName, path);
    // A newer file behind the control's back.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ft.dwHighDateTime += 1;
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    winui::ScriptedMessageBoxes boxes;
    boxes.Answer(IDYES);
    EXPECT_EQ(host.edit.CheckFileChanged(), IDYES);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "This file has been changed externaly!\n      Load again?");
    EXPECT_EQ(boxes.Calls()[0].caption, path);
    EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    std::remove(path.c_str());
}

} // namespace

namespace {

TEST(ColorEditWindow, SetEditFontTakesACopyAndNewMetrics)
{
    CTestHost host;
    host.SetText("abc\rdef", 2);
    winui::CFont big;
    ASSERT_TRUE(big.CreateFont(-24, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 49, "Courier New"));
    int oldHeight = host.edit.m_nCharHeight;
    host.edit.SetEditFont(big, TRUE);
    EXPECT_GT(host.edit.m_nCharHeight, oldHeight);
    EXPECT_NE(host.edit.GetEditFont()->m_hObject, big.m_hObject);
    big.DeleteObject(); // the control keeps its own copy
    LOGFONTA lf{};
    ASSERT_TRUE(host.edit.GetEditFont()->GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -24);
    RECT rc;
    GetClientRect(host.edit.m_hWnd, &rc);
    EXPECT_EQ(host.edit.m_nVisibleColumns, rc.right / host.edit.m_nCharWidth);
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 2 * host.edit.m_nCharWidth);
}

TEST(ColorEditWindow, ClearTextPutsTheCaretBackAtTheStart)
{
    CTestHost host;
    host.SetText(NumberedLines(5).c_str(), 30);
    EXPECT_EQ(host.edit.GetCaretLine(), 4);
    host.view->SetFocus();
    EXPECT_EQ(host.edit.GetCaretLine(), 4); // kept while the focus is elsewhere
    host.edit.Core().ClearText();
    EXPECT_EQ(host.edit.GetLineCount(), 0);
    EXPECT_EQ(host.edit.GetCaretLine(), 0);
    EXPECT_EQ(host.edit.GetCaretColumn(), 0);
    host.edit.SetFocus();
    EXPECT_EQ(host.Caret().x, 0);
    EXPECT_EQ(host.Caret().y, 0);

    // Loading a file clears the text the same way.
    const char* dir = std::getenv("SUITE_BINARY_DIR");
    std::string path = std::string(dir ? dir : ".") + "/coloredit_cleared.txt";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("a\nb\n", f);
    std::fclose(f);
    host.SetText(NumberedLines(5).c_str(), 30);
    host.view->SetFocus();
    ASSERT_EQ(host.edit.Core().LoadFile(path.c_str()), 1);
    EXPECT_EQ(host.edit.GetCaretLine(), 0);
    std::remove(path.c_str());
}

TEST(ColorEditWindow, UndoPlacesTheCaret)
{
    CTestHost host;
    host.SetText("abc", 3);
    host.Type("de");
    host.edit.Undo();
    EXPECT_EQ(host.Text(), "abcd");
    EXPECT_EQ(host.Caret().x, 4);
    EXPECT_GE(host.Count(EDN_CARETMOVED), 1);
}

} // namespace

namespace {

TEST(ColorEditWindow, AControlWithoutTextSurvivesInput)
{
    CTestHost host;
    CColorEdit bare; // no buffers allocated, no document attached
    RECT rc{0, 0, 200, 100};
    ASSERT_TRUE(bare.Create("", WS_CHILD | WS_VISIBLE, rc, host.view->m_hWnd, 103));
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END,
                         VK_PRIOR, VK_NEXT, VK_DELETE, VK_INSERT};
    for (UINT k : keys)
        bare.SendMessage(WM_KEYDOWN, k, 1);
    bare.SendMessage(WM_CHAR, '\b', 1);
    bare.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    bare.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 30));
    bare.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
    bare.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 30));
    bare.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    bare.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    bare.Copy(0);
    bare.Cut();
    bare.Paste(0);
    bare.InvalidateText(1);
    bare.UpdateWindow();
    bare.SendMessage(WM_CHAR, 'a', 1);
    EXPECT_EQ(bare.GetTextLength(), bare.GetTextBuffer() ? 1 : 0);
}

TEST(ColorEditWindow, LongLineInAControlWithoutScrollBarsKeepsTheCaretInside)
{
    CTestHost host(WS_CHILD | WS_VISIBLE, 5, 20);
    host.SetText("", 0);
    host.Type("abcdefghijklmnopqrstuvwxyz0123456789");
    EXPECT_FALSE(host.edit.GetStyle() & WS_HSCROLL);
    EXPECT_GE(host.Caret().x, 0);
    EXPECT_LT(host.Caret().x, host.edit.m_nVisibleColumns);
    host.Key(VK_HOME);
    EXPECT_EQ(host.Caret().x, 0);
    EXPECT_EQ(host.SelStart(), 0);
}

} // namespace

namespace {

void pump()
{
    MSG msg;
    DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

void send_key(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

TEST(ColorEditWindow, KeysFromTheSystemInputQueue)
{
    CTestHost host;
    host.SetText("", 0);
    SetForegroundWindow(GetAncestor(host.edit.m_hWnd, GA_ROOT));
    host.edit.SetFocus();
    pump();
    for (WORD vk : {WORD('H'), WORD('I')}) {
        send_key(vk, false);
        send_key(vk, true);
    }
    send_key(VK_SHIFT, false);
    send_key(VK_LEFT, false);
    send_key(VK_LEFT, true);
    send_key(VK_SHIFT, true);
    pump();
    EXPECT_EQ(host.Text(), "hi");
    EXPECT_EQ(host.SelStart(), 1);
    EXPECT_EQ(host.SelEnd(), 2);
}

TEST(ColorEditWindow, SplitterBarsTakeTheVerticalPosition)
{
    CTestHost host;
    HWND frame = GetParent(host.view->m_hWnd);
    HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 16, 100, frame,
                               reinterpret_cast<HMENU>(0xEA10), GetModuleHandleA(nullptr),
                               nullptr);
    ASSERT_NE(bar, nullptr);
    host.SetText(NumberedLines(40).c_str(), 0);
    host.edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &si));
    EXPECT_EQ(si.nMax, 0x7fff);
    EXPECT_EQ(si.nPos, static_cast<int>(10.0 / 40 * 0x7fff));
    EXPECT_EQ(si.nPage, static_cast<UINT>(11.0 / 40 * 0x7fff));
    EXPECT_FALSE(host.edit.GetStyle() & WS_VSCROLL); // the pane's own bar is hidden
    DestroyWindow(bar);
}

} // namespace
