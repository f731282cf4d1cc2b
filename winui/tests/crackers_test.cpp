#include "winui/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every cracker hands its handler the values a user's input carries.
class CInputWnd : public winui::CWnd {
public:
    std::vector<std::string> log;
    void Add(const char* what, long a, long b, long c = 0)
    {
        log.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) +
                      " " + std::to_string(c));
    }
    void OnSetFocus(HWND) { Add("setfocus", 0, 0); }
    void OnKillFocus(HWND) { Add("killfocus", 0, 0); }
    BOOL OnEraseBkgnd(HDC) { return 7; }
    void OnLButtonDown(UINT f, POINT p) { Add("ldown", f, p.x, p.y); }
    void OnLButtonUp(UINT f, POINT p) { Add("lup", f, p.x, p.y); }
    void OnLButtonDblClk(UINT f, POINT p) { Add("ldbl", f, p.x, p.y); }
    void OnRButtonDown(UINT f, POINT p) { Add("rdown", f, p.x, p.y); }
    void OnRButtonUp(UINT f, POINT p) { Add("rup", f, p.x, p.y); }
    void OnMouseMove(UINT f, POINT p) { Add("move", f, p.x, p.y); }
    void OnNcLButtonDown(UINT hit, POINT p) { Add("ncldown", hit, p.x, p.y); }
    BOOL OnMouseWheel(UINT f, short d, POINT p)
    {
        Add("wheel", f, d, p.x);
        return 1;
    }
    void OnKeyDown(UINT k, UINT r, UINT f) { Add("keydown", k, r, f); }
    void OnKeyUp(UINT k, UINT r, UINT f) { Add("keyup", k, r, f); }
    void OnChar(UINT k, UINT r, UINT f) { Add("char", k, r, f); }
    void OnSysKeyDown(UINT k, UINT r, UINT f) { Add("syskeydown", k, r, f); }
    void OnVScroll(UINT code, UINT pos, HWND bar) { Add("vscroll", code, pos, bar != nullptr); }
    void OnHScroll(UINT code, UINT pos, HWND bar) { Add("hscroll", code, pos, bar != nullptr); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInputWnd, winui::CWnd)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_SYSKEYDOWN()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

TEST(Crackers, HandlersReceiveTheValuesOfTheMessage)
{
    winui::CWnd::RegisterClass("winui.crackers");
    CInputWnd w;
    ASSERT_TRUE(w.CreateEx(0, "winui.crackers", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    w.log.clear();
    struct Case {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        const char* expected;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34), "ldown 5 12 34"},
        {WM_LBUTTONUP, 0, MAKELPARAM(1, 2), "lup 0 1 2"},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), "ldbl 1 3 4"},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6), "rdown 2 5 6"},
        {WM_RBUTTONUP, 0, MAKELPARAM(7, 8), "rup 0 7 8"},
        // points left of or above the window come as negative numbers
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -20), "move 1 -5 -20"},
        {WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(300, 400), "ncldown 7 300 400"},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(50, 60), "wheel 8 -120 50"},
        {WM_KEYDOWN, VK_LEFT, MAKELPARAM(1, 0x14B), "keydown 37 1 331"},
        {WM_KEYUP, VK_LEFT, MAKELPARAM(1, 0xC14B), "keyup 37 1 49483"},
        {WM_CHAR, 'a', MAKELPARAM(3, 0x1E), "char 97 3 30"},
        {WM_SYSKEYDOWN, VK_DOWN, MAKELPARAM(1, 0x2150), "syskeydown 40 1 8528"},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0, "vscroll 5 1234 0"},
        {WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0, "hscroll 1 0 0"},
    };
    for (const Case& c : cases) {
        w.log.clear();
        w.SendMessage(c.msg, c.wp, c.lp);
        ASSERT_EQ(w.log.size(), 1u) << c.expected;
        EXPECT_EQ(w.log[0], c.expected);
    }
    EXPECT_EQ(w.SendMessage(WM_ERASEBKGND), 7);
}

TEST(Crackers, FocusHandlersFollowTheFocus)
{
    winui::CWnd::RegisterClass("winui.crackers");
    CInputWnd a, b;
    ASSERT_TRUE(a.CreateEx(0, "winui.crackers", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr));
    ASSERT_TRUE(b.CreateEx(0, "winui.crackers", "", WS_POPUP | WS_VISIBLE, 60, 0, 50, 50, nullptr,
                           nullptr));
    SetForegroundWindow(a);
    a.SetFocus();
    a.log.clear();
    b.log.clear();
    b.SetFocus();
    EXPECT_TRUE(b.HasFocus());
    EXPECT_EQ(a.log, std::vector<std::string>{"killfocus 0 0 0"});
    EXPECT_EQ(b.log, std::vector<std::string>{"setfocus 0 0 0"});
}

} // namespace
