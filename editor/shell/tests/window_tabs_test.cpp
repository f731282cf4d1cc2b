// The window tab control in a frame of the test process with real MDI
// document windows: clicks activate, maximise and restore the windows, a
// right click asks for the properties, the tool tip gives the path.
#include "editor/shell/window_tab_ctrl.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct FakeDoc {
    HWND frame = nullptr;
    bool modified = false;
    std::string path;
};

class FakeShell : public CWindowTabShell {
public:
    std::map<COvantaDoc*, FakeDoc> docs;
    std::vector<COvantaDoc*> propertiesAsked;
    int altWndSize = 1;

    bool IsOpen(COvantaDoc* doc) override { return docs.count(doc) != 0; }
    HWND FrameOf(COvantaDoc* doc) override { return docs.at(doc).frame; }
    bool IsModified(COvantaDoc* doc) override { return docs.at(doc).modified; }
    std::string PathOf(COvantaDoc* doc) override { return docs.at(doc).path; }
    void ShowProperties(COvantaDoc* doc) override { propertiesAsked.push_back(doc); }
    bool AltWndSize() override { return altWndSize != 0; }
};

class CTestFrame : public winui::CWnd {
public:
    void Create()
    {
        RegisterClass("ovanta.tabs.frame", 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        CreateEx(0, "ovanta.tabs.frame", "tabs", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 640,
                 480, nullptr, nullptr);
    }
};

class WindowTabs : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefMDIChildProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "ovanta.tabs.child";
        RegisterClassA(&wc);
        frame_.Create();
        ASSERT_NE(frame_.m_hWnd, nullptr);
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        client_ = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 40, 620,
                                  380, frame_.m_hWnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        ASSERT_NE(client_, nullptr);
    }
    void TearDown() override
    {
        if (tabs_)
            tabs_->DestroyWindow();
        delete tabs_;
        frame_.DestroyWindow();
    }

    COvantaDoc* AddDoc(const std::string& title, const std::string& path)
    {
        MDICREATESTRUCTA mcs{};
        mcs.szClass = "ovanta.tabs.child";
        mcs.szTitle = title.c_str();
        mcs.hOwner = GetModuleHandleA(nullptr);
        mcs.x = mcs.y = mcs.cx = mcs.cy = static_cast<int>(CW_USEDEFAULT);
        HWND child = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
        auto* doc = reinterpret_cast<COvantaDoc*>(&slots_[shell_.docs.size()]);
        shell_.docs[doc] = FakeDoc{child, false, path};
        return doc;
    }
    void MakeTabs()
    {
        tabs_ = new CWindowTabCtrl(&shell_);
        ASSERT_TRUE(tabs_->Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 620, 30}, frame_.m_hWnd, 0x3F0));
        for (auto& d : order_)
            tabs_->AddDocument(d, shell_.docs[d].path.c_str());
    }
    POINT TabPoint(int index)
    {
        RECT rc{};
        tabs_->GetItemRect(index, &rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void Click(UINT down, int index)
    {
        POINT p = TabPoint(index);
        SendMessageA(tabs_->m_hWnd, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(tabs_->m_hWnd, down + 1, 0, MAKELPARAM(p.x, p.y));
    }
    HWND Active(BOOL* maximized = nullptr)
    {
        return reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    }

    CTestFrame frame_;
    HWND client_ = nullptr;
    FakeShell shell_;
    CWindowTabCtrl* tabs_ = nullptr;
    std::vector<COvantaDoc*> order_;
    char slots_[8] = {};
};

TEST_F(WindowTabs, ClickOnAnotherTabActivatesItsWindowAndKeepsTheMaximisedState)
{
    order_ = {AddDoc("a", "C:\\src\\a.c"), AddDoc("b", "C:\\src\\b.c")};
    MakeTabs();
    HWND a = shell_.docs[order_[0]].frame, b = shell_.docs[order_[1]].frame;
    tabs_->SetCurSel(1);
    ASSERT_EQ(Active(), b);

    Click(WM_LBUTTONDOWN, 0);
    EXPECT_EQ(tabs_->GetCurSel(), 0);
    BOOL maximized = TRUE;
    EXPECT_EQ(Active(&maximized), a);
    EXPECT_FALSE(maximized);

    // With the active window maximised, the next one shows maximised.
    SendMessageA(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    Click(WM_LBUTTONDOWN, 1);
    EXPECT_EQ(Active(&maximized), b);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(IsZoomed(b));

    // A minimised active window: the next one comes back restored.
    SendMessageA(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(b), 0);
    ShowWindow(b, SW_MINIMIZE);
    Click(WM_LBUTTONDOWN, 0);
    EXPECT_EQ(Active(), a);
    EXPECT_FALSE(IsIconic(a));
    EXPECT_FALSE(IsZoomed(a));
}

TEST_F(WindowTabs, ClickOnTheSelectedTabSwitchesMaximisedAndRestoredOnlyWithAltWndSize)
{
    struct Case {
        int altWndSize;
        bool zoomedAfterFirst;
        bool zoomedAfterSecond;
    };
    const Case cases[] = {{1, true, false}, {0, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.altWndSize);
        shell_.altWndSize = c.altWndSize;
        order_ = {AddDoc("a", "C:\\a.c")};
        MakeTabs();
        EXPECT_EQ(tabs_->AltWndSize(), c.altWndSize != 0);
        HWND a = shell_.docs[order_[0]].frame;
        tabs_->SetCurSel(0);
        ASSERT_FALSE(IsZoomed(a));
        Click(WM_LBUTTONDOWN, 0);
        EXPECT_EQ(IsZoomed(a) != 0, c.zoomedAfterFirst);
        Click(WM_LBUTTONDOWN, 0);
        EXPECT_EQ(IsZoomed(a) != 0, c.zoomedAfterSecond);
        // A minimised window is restored by the click.
        if (c.altWndSize) {
            ShowWindow(a, SW_MINIMIZE);
            Click(WM_LBUTTONDOWN, 0);
            EXPECT_FALSE(IsIconic(a));
            EXPECT_FALSE(IsZoomed(a));
        }
        SendMessageA(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
        tabs_->DestroyWindow();
        delete tabs_;
        tabs_ = nullptr;
        shell_.docs.clear();
    }
}

TEST_F(WindowTabs, RightClickAsksForThePropertiesOfThatTabsDocument)
{
    order_ = {AddDoc("a", "C:\\a.c"), AddDoc("b", "C:\\b.c")};
    MakeTabs();
    Click(WM_RBUTTONDOWN, 1);
    ASSERT_EQ(shell_.propertiesAsked.size(), 1u);
    EXPECT_EQ(shell_.propertiesAsked[0], order_[1]);
    // Beside the tabs: no document, nothing asked.
    SendMessageA(tabs_->m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(610, 25));
    EXPECT_EQ(shell_.propertiesAsked.size(), 1u);
}

TEST_F(WindowTabs, ToolTipShowsThePathShortenedToItsLastCharacters)
{
    std::string longPath = "C:\\" + std::string(91, 'd') + "\\abc.c"; // 100 characters
    ASSERT_EQ(longPath.size(), 100u);
    order_ = {AddDoc("a", "C:\\src\\a.c"), AddDoc("b", longPath)};
    MakeTabs();

    struct Case {
        POINT where;
        std::string tip;
    };
    const Case cases[] = {
        {TabPoint(0), "C:\\src\\a.c"},
        {TabPoint(1), "..." + longPath.substr(100 - 76)},
        {POINT{610, 25}, ""},
    };
    for (const Case& c : cases) {
        SendMessageA(tabs_->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(c.where.x, c.where.y));
        EXPECT_EQ(tabs_->TipText(), c.tip);
        // What the tool tip is told when it asks, in both character sets.
        NMTTDISPINFOA a{};
        a.hdr.hwndFrom = tabs_->ToolTip();
        a.hdr.idFrom = reinterpret_cast<UINT_PTR>(tabs_->m_hWnd);
        a.hdr.code = TTN_NEEDTEXTA;
        SendMessageA(tabs_->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
        ASSERT_NE(a.lpszText, nullptr);
        EXPECT_EQ(std::string(a.lpszText), c.tip);
        NMTTDISPINFOW w{};
        w.hdr = a.hdr;
        w.hdr.code = TTN_NEEDTEXTW;
        SendMessageA(tabs_->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&w));
        ASSERT_NE(w.lpszText, nullptr);
        EXPECT_EQ(std::wstring(w.lpszText), std::wstring(c.tip.begin(), c.tip.end()));
    }
}

// The colours of the tab texts on the screen: the selected tab blue, a
// modified document's tab dark red, others black.
TEST_F(WindowTabs, TabTextsAreDrawnInTheColoursOfTheirState)
{
    order_ = {AddDoc("a", "AAAAAAAA"), AddDoc("b", "BBBBBBBB"), AddDoc("c", "CCCCCCCC")};
    shell_.docs[order_[1]].modified = true;
    MakeTabs();
    tabs_->SetCurSel(0);
    InvalidateRect(tabs_->m_hWnd, nullptr, TRUE);
    UpdateWindow(tabs_->m_hWnd);
    auto hasColour = [&](int index, auto test) {
        RECT rc{};
        tabs_->GetItemRect(index, &rc);
        HDC dc = GetDC(tabs_->m_hWnd);
        bool found = false;
        for (int y = rc.top; y < rc.bottom && !found; ++y)
            for (int x = rc.left; x < rc.right && !found; ++x)
                found = test(GetPixel(dc, x, y));
        ReleaseDC(tabs_->m_hWnd, dc);
        return found;
    };
    auto blue = [](COLORREF c) { return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) > 192; };
    auto darkRed = [](COLORREF c) { return GetRValue(c) > 100 && GetGValue(c) < 40 && GetBValue(c) < 40; };
    EXPECT_TRUE(hasColour(0, blue));
    EXPECT_FALSE(hasColour(0, darkRed));
    EXPECT_TRUE(hasColour(1, darkRed));
    EXPECT_FALSE(hasColour(1, blue));
    EXPECT_FALSE(hasColour(2, blue));
    EXPECT_FALSE(hasColour(2, darkRed));
}

} // namespace
