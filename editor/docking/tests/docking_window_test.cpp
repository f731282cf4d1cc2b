// The docking library with real windows on the screen: bars docked by the
// program, dragged, floated and docked again with the mouse through the
// system queue, splitters dragged, the frame resized, bar state saved and
// restored (also from edited profiles), pictures, and closing.
#include "dock_host.h"
#include "test_resource.h"

#include "winui/picture.h"
#include "winui/profile.h"
#include "winui/toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

using winui::AFX_IDW_DOCKBAR_BOTTOM;
using winui::AFX_IDW_DOCKBAR_LEFT;
using winui::AFX_IDW_DOCKBAR_RIGHT;
using winui::AFX_IDW_DOCKBAR_TOP;

namespace {

// Docked bars reach 2 pixels past their dock bar's edges (the overlap of
// neighbouring bars).
const int kOverlap = 2;

std::string tmp_path(const char* name)
{
    std::filesystem::create_directories(TEST_TMP_DIR);
    return std::string(TEST_TMP_DIR) + "/" + name;
}

HWND mdi_client(const DockHost& host)
{
    return host.frame->m_hWndMDIClient;
}

// What the application's idle time sends to the main window's descendants.
BOOL CALLBACK send_idle_update(HWND h, LPARAM)
{
    SendMessageA(h, winui::WM_IDLEUPDATECMDUI, TRUE, 0);
    return TRUE;
}

struct SharedRow {
    CTestDialogBar* output;
    CVelloSizeControlBar* tree;
    CSizeDockBar* bottom;
};

// The output bar and the tree bar side by side in the bottom row.
SharedRow share_bottom_row(DockHost& host)
{
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    CSizeDockBar* bottom = host.Dock(AFX_IDW_DOCKBAR_BOTTOM);
    bottom->DockControlBarAt(tree, 0, 1);
    host.frame->RecalcLayout();
    Pump(50);
    return SharedRow{output, tree, bottom};
}

std::vector<std::pair<UINT, bool>> menu_items(winui::CControlBar* bar)
{
    HMENU menu = CreatePopupMenu();
    SendMessageA(bar->m_hWnd, WM_SIZEBAR_ADDMENUITEMS, 0, reinterpret_cast<LPARAM>(menu));
    std::vector<std::pair<UINT, bool>> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        items.emplace_back(GetMenuItemID(menu, i),
                           (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0);
    DestroyMenu(menu);
    return items;
}

} // namespace

TEST(DockingFrame, EnableDockingMakesEachSideOnce)
{
    DockHost host;
    CSizeDockBar* top = host.Dock(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(top, nullptr);
    host.frame->EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_LEFT);
    host.frame->EnableDocking(winui::CBRS_ALIGN_ANY);
    EXPECT_EQ(host.Dock(AFX_IDW_DOCKBAR_TOP), top);
    int dockBars = 0;
    for (HWND h = GetWindow(host.hwnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        dockBars += dynamic_cast<CSizeDockBar*>(winui::CWnd::FromHandle(h)) != nullptr;
    EXPECT_EQ(dockBars, 4);
}

TEST(DockingFrame, EnableDockingWithNoSideMakesNoDockBar)
{
    auto* frame = new CTestFrame;
    RECT r{40, 40, 440, 340};
    ASSERT_TRUE(frame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW, &r));
    frame->EnableDocking(0);
    EXPECT_EQ(frame->GetDockBar(AFX_IDW_DOCKBAR_TOP), nullptr);
    frame->EnableDocking(winui::CBRS_ALIGN_BOTTOM);
    EXPECT_NE(frame->GetDockBar(AFX_IDW_DOCKBAR_BOTTOM), nullptr);
    EXPECT_EQ(frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
    DestroyWindow(frame->m_hWnd);
}

TEST(DockingBars, SizesAtCreation)
{
    DockHost host;
    SIZE client = host.Client();
    auto* bar = new CVelloSizeControlBar;
    host.owned.push_back(bar);
    ASSERT_TRUE(bar->Create(nullptr, "Plain", WS_CHILD | winui::CBRS_BOTTOM, nullptr, host.frame, 0xE812));
    EXPECT_EQ(bar->m_sizeFloating.cx, client.cx / 2);
    EXPECT_EQ(bar->m_sizeFloating.cy, client.cy / 4);
    EXPECT_EQ(bar->m_sizeDockedHorz.cx, client.cx / 2);
    EXPECT_EQ(bar->m_sizeDockedHorz.cy, client.cy / 4 / 2);
    EXPECT_EQ(bar->m_sizeDockedVert.cx, bar->m_sizeDockedHorz.cy * 3 / 2);
    EXPECT_EQ(bar->m_sizeDockedVert.cy, bar->m_sizeDockedHorz.cx * 2 / 3);

    auto* dialogBar = new CTestDialogBar;
    host.owned.push_back(dialogBar);
    ASSERT_TRUE(dialogBar->CreateFromId(host.frame, IDD_TEST_BAR, WS_CHILD | winui::CBRS_BOTTOM, 0xE813));
    RECT rc;
    GetClientRect(dialogBar->m_hWnd, &rc);
    EXPECT_GT(rc.right, 0);
    for (SIZE s : {dialogBar->m_sizeTemplate, dialogBar->m_sizeFloating, dialogBar->m_sizeDockedHorz,
                   dialogBar->m_sizeDockedVert}) {
        EXPECT_EQ(s.cx, rc.right);
        EXPECT_EQ(s.cy, rc.bottom);
    }
    EXPECT_NE(GetDlgItem(dialogBar->m_hWnd, IDC_TEST_EDIT), nullptr);
    EXPECT_EQ(GetDlgCtrlID(dialogBar->m_hWnd), 0xE813);
    // The first report always says the state changed.
    SetWindowPos(dialogBar->m_hWnd, nullptr, 0, 0, 50, 40, SWP_NOZORDER);
    ASSERT_FALSE(dialogBar->reports.empty());
    EXPECT_TRUE(dialogBar->reports.front() & 2);
}

TEST(DockingBars, DockedBarsShareTheFrameWithTheClient)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    SIZE client = host.Client();
    const int t = output->m_sizeTemplate.cy;

    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(tree->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(output->IsBarFloating());

    // The bottom row fills the width and ends at the frame's bottom edge.
    RECT out = host.InFrame(output->m_hWnd);
    EXPECT_EQ(out.right - out.left, client.cx);
    EXPECT_EQ(out.left, -kOverlap);
    EXPECT_EQ(out.bottom, client.cy + kOverlap);
    EXPECT_EQ(out.bottom - out.top, t);
    EXPECT_EQ(output->m_sizeDockedHorz.cx, client.cx);

    // The tree column keeps its thickness and fills the height left.
    RECT treeRect = host.InFrame(tree->m_hWnd);
    EXPECT_EQ(treeRect.right - treeRect.left, 160);
    RECT bottomDock = host.InFrame(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd);
    RECT leftDock = host.InFrame(host.Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
    EXPECT_EQ(leftDock.bottom, bottomDock.top);
    EXPECT_EQ(bottomDock.bottom - bottomDock.top, t + 8 - 2 * kOverlap); // with the splitter

    // The MDI client has the rest.
    RECT mdi = host.InFrame(mdi_client(host));
    EXPECT_EQ(mdi.left, leftDock.right);
    EXPECT_EQ(mdi.bottom, bottomDock.top);
    EXPECT_EQ(mdi.top, 0);
    EXPECT_EQ(mdi.right, client.cx);

    // Splitters: one above the bottom row, one right of the left column.
    ASSERT_EQ(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_arrSplitters.size(), 1u);
    EXPECT_EQ(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_arrSplitters[0].m_type, 2);
    ASSERT_EQ(host.Dock(AFX_IDW_DOCKBAR_LEFT)->m_arrSplitters.size(), 1u);
    EXPECT_EQ(host.Dock(AFX_IDW_DOCKBAR_LEFT)->m_arrSplitters[0].m_type, 1);

    // Hidden, the bar gives its room to the client; shown, it takes it back.
    host.frame->ShowControlBar(output, FALSE, FALSE);
    Pump(50);
    EXPECT_FALSE(IsWindowVisible(output->m_hWnd));
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, client.cy);
    host.frame->ShowControlBar(output, TRUE, FALSE);
    Pump(50);
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, bottomDock.top);
    EXPECT_EQ(host.InFrame(output->m_hWnd).bottom, client.cy + kOverlap);
}

TEST(DockingBars, ShowingAHiddenBarAgainShrinksItsNeighbours)
{
    DockHost host;
    auto [output, tree, bottom] = share_bottom_row(host);
    SIZE client = host.Client();
    ASSERT_EQ(bottom->GetRowCount(), 1);
    EXPECT_EQ(output->m_sizeDockedHorz.cx + tree->m_sizeDockedHorz.cx + 8, client.cx);

    host.frame->ShowControlBar(tree, FALSE, FALSE);
    Pump(50);
    EXPECT_EQ(output->m_sizeDockedHorz.cx, client.cx); // the row refits without it
    int treeLength = tree->m_sizeDockedHorz.cx;
    host.frame->ShowControlBar(tree, TRUE, FALSE);
    Pump(50);
    EXPECT_EQ(output->m_sizeDockedHorz.cx + tree->m_sizeDockedHorz.cx + 8, client.cx);
    EXPECT_NEAR(tree->m_sizeDockedHorz.cx, treeLength, 8);
}

TEST(DockingBars, ContextMenuDockAndHide)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    auto items = menu_items(output);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::make_pair(ID_SIZEBAR_DOCK, true));
    EXPECT_EQ(items[1], std::make_pair(ID_SIZEBAR_HIDE, false));

    // "Dock" floats the bar and switches docking off ...
    SendMessageA(output->m_hWnd, WM_COMMAND, ID_SIZEBAR_DOCK, 0);
    Pump(100);
    EXPECT_TRUE(output->IsBarFloating());
    ASSERT_NE(output->GetMiniFrame(), nullptr);
    EXPECT_EQ(output->m_dwDockStyle, 0u);
    items = menu_items(output);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::make_pair(ID_SIZEBAR_DOCK, false));
    // ... and on again with the sides it had.
    SendMessageA(output->m_hWnd, WM_COMMAND, ID_SIZEBAR_DOCK, 0);
    EXPECT_EQ(output->m_dwDockStyle, winui::CBRS_ALIGN_ANY);
    EXPECT_EQ(menu_items(output)[0], std::make_pair(ID_SIZEBAR_DOCK, true));

    // The floating window's close item hides the bar.
    HMENU system = GetSystemMenu(output->GetMiniFrame()->m_hWnd, FALSE);
    char text[64] = "";
    GetMenuStringA(system, SC_CLOSE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Hide");
    EXPECT_EQ(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));

    SendMessageA(output->m_hWnd, WM_COMMAND, ID_SIZEBAR_HIDE, 0);
    Pump(50);
    EXPECT_FALSE(IsWindowVisible(output->GetMiniFrame()->m_hWnd));
    EXPECT_FALSE(GetWindowLongA(output->m_hWnd, GWL_STYLE) & WS_VISIBLE);

    // A bar with SIZEBAR_MDI_FLOAT lists "Float" too.
    auto* other = host.AddOutputBar(SIZEBAR_MDI_FLOAT);
    items = menu_items(other);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].first, ID_SIZEBAR_FLOAT);
    EXPECT_FALSE(items[0].second);
}

TEST(DockingBars, UpdateHandlersReachDockedAndFloatingBars)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    HWND edit = GetDlgItem(output->m_hWnd, IDC_TEST_EDIT);
    HWND combo = GetDlgItem(output->m_hWnd, IDC_TEST_COMBO);
    host.frame->editEnabled = false;
    EnumChildWindows(host.hwnd, send_idle_update, 0);
    EXPECT_FALSE(IsWindowEnabled(edit));
    EXPECT_TRUE(IsWindowEnabled(combo)); // no handler: left enabled
    host.frame->FloatControlBar(output, host.ClientToScreenPt(300, 200));
    host.frame->editEnabled = true;
    SendMessageA(host.hwnd, winui::WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_TRUE(IsWindowEnabled(edit));
}

TEST(DockingBars, ScaledControlsKeepComboHeight)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar(SIZEBAR_SCALE_CONTROLS);
    HWND edit = GetDlgItem(output->m_hWnd, IDC_TEST_EDIT);
    HWND combo = GetDlgItem(output->m_hWnd, IDC_TEST_COMBO);
    auto rect_in_bar = [&](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, output->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT comboBefore;
    GetWindowRect(combo, &comboBefore);
    output->ScaleControls(output->m_sizeTemplate.cx * 2, output->m_sizeTemplate.cy * 2);
    RECT e = rect_in_bar(edit);
    const auto& snapshot = *output->m_pControlLayout;
    ASSERT_GE(snapshot.size(), 3u);
    EXPECT_EQ(e.right - e.left, 2 * (snapshot[1].rect.right - snapshot[1].rect.left));
    RECT c = rect_in_bar(combo);
    EXPECT_EQ(c.bottom - c.top, comboBefore.bottom - comboBefore.top);
    EXPECT_EQ(c.right - c.left, 2 * (snapshot[2].rect.right - snapshot[2].rect.left));
}

TEST(DockingBars, ToolBarsShareARowAndTheirClicksReachTheFrame)
{
    DockHost host;
    winui::CToolBar main, second;
    const UINT buttons[] = {ID_TEST_BUTTON, ID_TEST_BUTTON + 1};
    for (winui::CToolBar* bar : {&main, &second}) {
        ASSERT_TRUE(bar->Create(host.frame, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, winui::AFX_IDW_TOOLBAR));
        bar->SetButtons(buttons, 2);
        bar->EnableDocking(winui::CBRS_ALIGN_ANY);
    }
    host.frame->DockControlBar(&main, AFX_IDW_DOCKBAR_TOP);
    // Docked one pixel right of the first, as a program puts a bar beside another.
    host.frame->RecalcLayout();
    RECT r;
    GetWindowRect(main.m_hWnd, &r);
    OffsetRect(&r, 1, 0);
    host.frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &r);
    Pump(50);
    CSizeDockBar* top = host.Dock(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(top->GetRowCount(), 1);
    EXPECT_EQ(top->IndexInRow(&main), 0);
    EXPECT_EQ(top->IndexInRow(&second), 1);
    RECT a = host.InFrame(main.m_hWnd), b = host.InFrame(second.m_hWnd);
    EXPECT_GE(b.left, a.right);
    EXPECT_EQ(a.top, b.top);
    // A splitter between them, none between the row and the client (no
    // sizeable bar in the row); the client starts below the row.
    ASSERT_EQ(top->m_arrSplitters.size(), 1u);
    EXPECT_EQ(top->m_arrSplitters[0].m_type, 1);
    EXPECT_EQ(host.InFrame(mdi_client(host)).top, host.InFrame(top->m_hWnd).bottom);
    EXPECT_GT(host.InFrame(top->m_hWnd).bottom, 0);

    RECT button;
    main.GetItemRect(0, &button);
    MapWindowPoints(main.m_hWnd, nullptr, reinterpret_cast<POINT*>(&button), 2);
    Click(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_EQ(host.frame->buttonClicks, 1);
    host.Close(); // before the tool bars go
}

// Dragging with the mouse.

TEST(DockingDrag, BarDraggedFromTheBottomToTheLeft)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    SIZE client = host.Client();
    Drag(GripperPoint(output), host.ClientToScreenPt(1, client.cy / 2));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->HasBars());
    EXPECT_EQ(output->m_sizeDockedVert.cx, 200);
    RECT r = host.InFrame(output->m_hWnd);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, client.cy); // the column fills the height
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, client.cy);
}

TEST(DockingDrag, BarDraggedIntoAnExistingRow)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    // Low enough that the horizontal zone does not meet the top side.
    Drag(GripperPoint(output), host.ClientToScreenPt(1, 90));
    CSizeDockBar* left = host.Dock(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(output->GetDockBar(), left);
    EXPECT_EQ(left->GetRowCount(), 1);
    EXPECT_EQ(left->RowOf(output), left->RowOf(tree));
    // Above the tree, sharing the column's height with it.
    RECT o = host.InFrame(output->m_hWnd), t = host.InFrame(tree->m_hWnd);
    EXPECT_LT(o.top, t.top);
    EXPECT_EQ(output->m_sizeDockedVert.cy + tree->m_sizeDockedVert.cy + 8, host.Client().cy);
    // The two share one splitter between them.
    int between = 0;
    for (const CDockSplitter& s : left->m_arrSplitters)
        between += s.m_type == 2;
    EXPECT_EQ(between, 1);
}

TEST(DockingDrag, FloatedAndDockedAgain)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    SIZE client = host.Client();
    Drag(GripperPoint(output), host.ClientToScreenPt(client.cx / 2, client.cy / 2));
    CSizableMiniDockFrameWnd* mini = output->GetMiniFrame();
    ASSERT_NE(mini, nullptr);
    EXPECT_TRUE(output->IsBarFloating());
    EXPECT_TRUE(IsWindowVisible(mini->m_hWnd));
    EXPECT_EQ(GetParent(output->m_hWnd), mini->m_hWnd);
    RECT mc;
    GetClientRect(mini->m_hWnd, &mc);
    EXPECT_EQ(mc.right, output->m_sizeFloating.cx);
    EXPECT_EQ(mc.bottom, output->m_sizeFloating.cy);
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, client.cy);
    EXPECT_EQ(mini->m_nBarKind, 2);

    // A double click on the caption docks it where it was.
    DoubleClick(CaptionPoint(mini->m_hWnd));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(output->GetMiniFrame(), nullptr);
    EXPECT_EQ(host.InFrame(output->m_hWnd).bottom, client.cy + kOverlap);

    // A double click on the gripper floats it again, where it floated.
    DoubleClick(GripperPoint(output));
    mini = output->GetMiniFrame();
    ASSERT_NE(mini, nullptr);
    // Dragged by its caption to the bottom edge, it docks there.
    Drag(CaptionPoint(mini->m_hWnd), host.ClientToScreenPt(client.cx / 2, client.cy - 5));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(host.InFrame(output->m_hWnd).right - host.InFrame(output->m_hWnd).left, client.cx);
}

TEST(DockingDrag, EscapeCancelsTheDrag)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    SIZE client = host.Client();
    Drag(GripperPoint(output), host.ClientToScreenPt(client.cx / 2, client.cy / 2), VK_ESCAPE);
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(output->GetMiniFrame(), nullptr);
}

TEST(DockingDrag, CtrlHeldFloatsOverADockingSide)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    SIZE client = host.Client();
    // Where the bar would dock on the left, Ctrl makes it float.
    Drag(GripperPoint(output), host.ClientToScreenPt(1, client.cy / 2), VK_CONTROL);
    EXPECT_EQ(output->GetDockBar(), nullptr);
    EXPECT_NE(output->GetMiniFrame(), nullptr);
}

TEST(DockingDrag, ReleasedWhereItStartedNothingHappens)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    RECT before = host.InFrame(output->m_hWnd);
    POINT grip = GripperPoint(output);
    Drag(grip, grip);
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    RECT after = host.InFrame(output->m_hWnd);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(DockingDrag, RowSplitterChangesTheRowsThickness)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    const int t = output->m_sizeDockedHorz.cy;
    RECT dock = host.InFrame(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd);
    SIZE client = host.Client();
    POINT from = host.ClientToScreenPt(client.cx / 2, dock.top + 2);
    Drag(from, POINT{from.x, from.y - 40});
    EXPECT_EQ(output->m_sizeDockedHorz.cy, t + 40);
    EXPECT_EQ(host.InFrame(output->m_hWnd).bottom - host.InFrame(output->m_hWnd).top, t + 40);
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, dock.top - 40);
}

TEST(DockingDrag, SplitterBetweenBarsSharesTheRow)
{
    DockHost host;
    auto [output, tree, bottom] = share_bottom_row(host);
    const CDockSplitter* between = nullptr;
    for (const CDockSplitter& s : bottom->m_arrSplitters)
        if (s.m_type == 1)
            between = &s;
    ASSERT_NE(between, nullptr);
    int left = output->m_sizeDockedHorz.cx, right = tree->m_sizeDockedHorz.cx;
    POINT from{(between->m_rect.left + between->m_rect.right) / 2,
               (between->m_rect.top + between->m_rect.bottom) / 2};
    ClientToScreen(bottom->m_hWnd, &from);
    Drag(from, POINT{from.x + 30, from.y});
    EXPECT_EQ(output->m_sizeDockedHorz.cx, left + 30);
    EXPECT_EQ(tree->m_sizeDockedHorz.cx, right - 30);
    RECT o = host.InFrame(output->m_hWnd);
    EXPECT_EQ(o.right - o.left, left + 30);
}

TEST(DockingDrag, FrameResizeRefitsTheRows)
{
    DockHost host;
    auto [output, tree, bottom] = share_bottom_row(host);
    SetWindowPos(host.hwnd, nullptr, 0, 0, 900, 650, SWP_NOMOVE | SWP_NOZORDER);
    Pump(100);
    SIZE client = host.Client();
    EXPECT_EQ(output->m_sizeDockedHorz.cx + tree->m_sizeDockedHorz.cx + 8, client.cx);
    EXPECT_EQ(host.InFrame(output->m_hWnd).bottom, client.cy + kOverlap);
    SetWindowPos(host.hwnd, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    Pump(100);
    client = host.Client();
    EXPECT_EQ(output->m_sizeDockedHorz.cx + tree->m_sizeDockedHorz.cx + 8, client.cx);
}

// Floating among the documents.

namespace {

CVelloMDIFloatWnd* mdi_float_of(const winui::CControlBar* bar)
{
    return CDockSite::MdiFloatOf(bar);
}

RECT in_mdi_client(const DockHost& host, HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(nullptr, mdi_client(host), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(DockingMdiFloat, FloatMovesTheBarBetweenItsWindowAndTheClient)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar(SIZEBAR_CONTEXT_MENU | SIZEBAR_MDI_FLOAT);
    host.frame->FloatControlBar(output, host.ClientToScreenPt(200, 150));
    Pump(50);
    ASSERT_NE(output->GetMiniFrame(), nullptr);
    auto items = menu_items(output);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], std::make_pair(ID_SIZEBAR_FLOAT, false));
    EXPECT_EQ(items[1].first, ID_SIZEBAR_DOCK);

    // "Float": into a window of the MDI client at the last floating place.
    POINT floatedAt = output->m_pDockContext->m_ptMRUFloatPos;
    SendMessageA(output->m_hWnd, WM_COMMAND, ID_SIZEBAR_FLOAT, 0);
    Pump(100);
    CVelloMDIFloatWnd* wnd = mdi_float_of(output);
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(output->GetMiniFrame(), nullptr);
    EXPECT_TRUE(output->IsBarFloating());
    EXPECT_EQ(GetParent(wnd->m_hWnd), mdi_client(host));
    EXPECT_TRUE(IsWindowVisible(output->m_hWnd));
    RECT w;
    GetWindowRect(wnd->m_hWnd, &w);
    EXPECT_EQ(w.left, floatedAt.x);
    EXPECT_EQ(w.top, floatedAt.y);
    RECT client;
    GetClientRect(wnd->m_hWnd, &client);
    EXPECT_EQ(client.right, output->m_sizeFloating.cx);
    EXPECT_EQ(client.bottom, output->m_sizeFloating.cy);
    char title[64] = "";
    GetWindowTextA(wnd->m_hWnd, title, sizeof title);
    EXPECT_STREQ(title, "Output");
    // "Float" checked, no "Dock" while among the documents.
    items = menu_items(output);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::make_pair(ID_SIZEBAR_FLOAT, true));
    EXPECT_EQ(items[1].first, ID_SIZEBAR_HIDE);

    // Dragged by its caption it moves as a document window does: no
    // docking outline, it stays in the client, its place is remembered.
    POINT caption{(w.left + w.right) / 2,
                  w.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    SIZE frameClient = host.Client();
    Drag(caption, POINT{caption.x + 60, caption.y + 40});
    ASSERT_EQ(mdi_float_of(output), wnd);
    GetWindowRect(wnd->m_hWnd, &w);
    EXPECT_EQ(w.left, floatedAt.x + 60);
    EXPECT_EQ(w.top, floatedAt.y + 40);
    EXPECT_EQ(output->m_pDockContext->m_ptMRUFloatPos.x, w.left);
    EXPECT_EQ(host.InFrame(mdi_client(host)).bottom, frameClient.cy);

    // Sized with its border, the bar's floating size follows.
    SetWindowPos(wnd->m_hWnd, nullptr, 0, 0, w.right - w.left + 50, w.bottom - w.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump(50);
    GetClientRect(wnd->m_hWnd, &client);
    EXPECT_EQ(output->m_sizeFloating.cx, client.right);
    RECT barRect;
    GetClientRect(output->m_hWnd, &barRect);
    EXPECT_EQ(barRect.right, client.right);

    // "Float" again: over the frame where the MDI window stood, which goes.
    HWND gone = wnd->m_hWnd;
    SendMessageA(output->m_hWnd, WM_COMMAND, ID_SIZEBAR_FLOAT, 0);
    Pump(100);
    EXPECT_FALSE(IsWindow(gone));
    ASSERT_NE(output->GetMiniFrame(), nullptr);
    RECT m;
    GetWindowRect(output->GetMiniFrame()->m_hWnd, &m);
    EXPECT_EQ(m.left, w.left);
    EXPECT_EQ(m.top, w.top);
    // And from there it docks again by a double click on the caption.
    DoubleClick(CaptionPoint(output->GetMiniFrame()->m_hWnd));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST(DockingMdiFloat, CornerKeptInsideTheClient)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar(SIZEBAR_MDI_FLOAT);
    struct Case {
        POINT at;       // asked for, in the MDI client
        bool farRight;  // expect the corner 32 left of the right edge
        bool farBottom; // and 20 above the bottom edge
    };
    RECT client;
    GetClientRect(mdi_client(host), &client);
    const Case cases[] = {
        {{3000, 3000}, true, true},
        {{-500, 40}, false, false},
        {{40, -500}, false, false},
        {{50, 60}, false, false},
    };
    for (const Case& c : cases) {
        POINT screen = c.at;
        ClientToScreen(mdi_client(host), &screen);
        host.frame->FloatInMdiWindow(output, screen);
        Pump(30);
        CVelloMDIFloatWnd* wnd = mdi_float_of(output);
        ASSERT_NE(wnd, nullptr);
        RECT r = in_mdi_client(host, wnd->m_hWnd);
        int x = c.farRight ? client.right - 32 : std::max<int>(c.at.x, 0);
        int y = c.farBottom ? client.bottom - 20 : std::max<int>(c.at.y, 0);
        EXPECT_EQ(r.left, x) << c.at.x << "," << c.at.y;
        EXPECT_EQ(r.top, y) << c.at.x << "," << c.at.y;
    }
    // Moving a bar that already floats there makes no second window.
    int windows = 0;
    for (HWND h = GetWindow(mdi_client(host), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        windows += dynamic_cast<CVelloMDIFloatWnd*>(winui::CWnd::FromHandle(h)) != nullptr;
    EXPECT_EQ(windows, 1);
}

TEST(DockingMdiFloat, ClosingHidesOrDeletesTheBar)
{
    CTestDialogBar::destroyed = 0;
    DockHost host;
    CTestDialogBar* kept = host.AddOutputBar(SIZEBAR_MDI_FLOAT);
    host.frame->FloatInMdiWindow(kept, host.ClientToScreenPt(100, 100));
    Pump(50);
    HWND wnd = mdi_float_of(kept)->m_hWnd;
    SendMessageA(wnd, WM_CLOSE, 0, 0);
    Pump(50);
    // The bar lives on, hidden, and shows again over the frame.
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(CTestDialogBar::destroyed, 0);
    ASSERT_NE(kept->m_hWnd, nullptr);
    EXPECT_FALSE(GetWindowLongA(kept->m_hWnd, GWL_STYLE) & WS_VISIBLE);
    host.frame->ShowControlBar(kept, TRUE, FALSE);
    ASSERT_NE(kept->GetMiniFrame(), nullptr);
    EXPECT_TRUE(IsWindowVisible(kept->m_hWnd));

    auto* deleted = new CTestDialogBar(SIZEBAR_MDI_FLOAT | SIZEBAR_DELETE_ON_CLOSE);
    deleted->CreateFromId(host.frame, IDD_TEST_BAR, WS_CHILD | WS_VISIBLE | winui::CBRS_BOTTOM, 0xE814);
    deleted->EnableDocking(winui::CBRS_ALIGN_ANY);
    host.frame->FloatInMdiWindow(deleted, host.ClientToScreenPt(200, 100));
    Pump(50);
    wnd = mdi_float_of(deleted)->m_hWnd;
    SendMessageA(wnd, WM_CLOSE, 0, 0);
    Pump(50);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(CTestDialogBar::destroyed, 1);
}

TEST(DockingMdiFloat, FrameClosedWithABarAmongTheDocuments)
{
    CTestDialogBar::destroyed = 0;
    {
        DockHost host;
        CTestDialogBar* bar = host.AddOutputBar(SIZEBAR_MDI_FLOAT | SIZEBAR_DELETE_WITH_FRAME);
        host.frame->FloatInMdiWindow(bar, host.ClientToScreenPt(100, 100));
        Pump(50);
        ASSERT_NE(mdi_float_of(bar), nullptr);
        SendMessageA(host.hwnd, WM_CLOSE, 0, 0);
        Pump(100);
        EXPECT_FALSE(IsWindow(host.hwnd));
        host.hwnd = nullptr;
    }
    EXPECT_EQ(CTestDialogBar::destroyed, 1);
    EXPECT_TRUE(CVelloSizeControlBar::RegisteredBars().empty());
}

// Bar state.

TEST(DockingState, SavedAndRestoredAtTheNextStart)
{
    std::string ini = tmp_path("bars.ini");
    std::remove(ini.c_str());
    winui::CProfile profile(ini);
    POINT floatAt{};
    {
        DockHost host;
        CTestDialogBar* output = host.AddOutputBar();
        CVelloSizeControlBar* tree = host.AddTreeBar();
        output->m_sizeDockedHorz.cy = 123;
        host.Dock(AFX_IDW_DOCKBAR_LEFT)->DockControlBarAt(output, 0, 0);
        host.frame->FloatControlBar(tree, POINT{600, 300});
        host.frame->ShowControlBar(tree, FALSE, FALSE);
        Pump(50);
        RECT w;
        GetWindowRect(tree->GetMiniFrame()->m_hWnd, &w);
        floatAt = POINT{w.left, w.top};
        ASSERT_TRUE(host.frame->SaveBarPlacement(output, profile, "Bars", "Output"));
        ASSERT_TRUE(host.frame->SaveBarPlacement(tree, profile, "Bars", "Tree"));
    }
    EXPECT_EQ(profile.GetString("Bars", "Output").substr(0, 6), "4,0,0,");

    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    ASSERT_TRUE(host.frame->LoadBarPlacement(output, profile, "Bars", "Output"));
    ASSERT_TRUE(host.frame->LoadBarPlacement(tree, profile, "Bars", "Tree"));
    Pump(50);
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(output->m_sizeDockedHorz.cy, 123);
    ASSERT_NE(tree->GetMiniFrame(), nullptr);
    RECT w;
    GetWindowRect(tree->GetMiniFrame()->m_hWnd, &w);
    EXPECT_EQ(w.left, floatAt.x);
    EXPECT_EQ(w.top, floatAt.y);
    EXPECT_FALSE(IsWindowVisible(tree->GetMiniFrame()->m_hWnd));
    // Shown again, it comes back where it floated.
    host.frame->ShowControlBar(tree, TRUE, FALSE);
    EXPECT_TRUE(IsWindowVisible(tree->GetMiniFrame()->m_hWnd));
    // A missing key leaves the bar alone.
    EXPECT_FALSE(host.frame->LoadBarPlacement(output, profile, "Bars", "Missing"));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_LEFT));
}

TEST(DockingState, EditedStateIsClampedAndNoBarIsLost)
{
    std::string ini = tmp_path("edited.ini");
    std::remove(ini.c_str());
    winui::CProfile profile(ini);
    profile.WriteString("Bars", "Output", "7,3,9,0,-40,-1,0,0,0,0,0,1");
    profile.WriteString("Bars", "Tree", "0,0,0,300,100,160,400,250,180,-9000,-7000,1");
    profile.WriteString("Bars", "Third", "4,-2,-5,99999,99999,99999,99999,99999,99999,20,20,1");

    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    CTestDialogBar* third = host.AddOutputBar();
    SIZE outputHorz = output->m_sizeDockedHorz;
    SIZE thirdVert = third->m_sizeDockedVert;
    ASSERT_TRUE(host.frame->LoadBarPlacement(output, profile, "Bars", "Output"));
    ASSERT_TRUE(host.frame->LoadBarPlacement(tree, profile, "Bars", "Tree"));
    ASSERT_TRUE(host.frame->LoadBarPlacement(third, profile, "Bars", "Third"));
    Pump(50);

    // No such side and no such sizes: the bar stays as it was.
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(output->m_sizeDockedHorz.cy, outputHorz.cy);
    EXPECT_TRUE(IsWindowVisible(output->m_hWnd));

    // Floating off every screen: the window comes back onto one.
    ASSERT_NE(tree->GetMiniFrame(), nullptr);
    RECT w;
    GetWindowRect(tree->GetMiniFrame()->m_hWnd, &w);
    EXPECT_NE(MonitorFromRect(&w, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_GE(w.left, 0);
    EXPECT_GE(w.top, 0);
    EXPECT_TRUE(IsWindowVisible(tree->GetMiniFrame()->m_hWnd));

    // Absurd sizes and a negative row: docked left with its sizes kept.
    EXPECT_EQ(third->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(third->m_sizeDockedVert.cx, thirdVert.cx);
    RECT r = host.InFrame(third->m_hWnd);
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_LE(r.right - r.left, host.Client().cx);
}

TEST(DockingState, SideTheBarRefusesKeepsItsPlace)
{
    std::string ini = tmp_path("refused.ini");
    std::remove(ini.c_str());
    winui::CProfile profile(ini);
    profile.WriteString("Bars", "Output", "3,0,0,300,100,160,400,250,180,0,0,1");
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    output->EnableDocking(winui::CBRS_ALIGN_BOTTOM);
    ASSERT_TRUE(host.frame->LoadBarPlacement(output, profile, "Bars", "Output"));
    EXPECT_EQ(output->GetDockBar(), host.Dock(AFX_IDW_DOCKBAR_BOTTOM));
}

// Pictures.

TEST(DockingPicture, TwoBarsDockedAndOneFloating)
{
    DockHost host;
    CTestDialogBar* output = host.AddOutputBar();
    CVelloSizeControlBar* tree = host.AddTreeBar();
    CTestDialogBar* floating = host.AddOutputBar();
    host.frame->FloatControlBar(floating, host.ClientToScreenPt(400, 100));
    Pump(200);
    RedrawWindow(host.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    RedrawWindow(floating->GetMiniFrame()->m_hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump(200);

    winui::CWindowPicture picture;
    ASSERT_TRUE(picture.Capture(host.hwnd));
    picture.SaveBmp(tmp_path("two_docked_one_floating.bmp"));
    const DockLibData& d = g_dockLibData;

    // The splitter above the bottom row: light line on top, dark below.
    RECT bottom = host.InFrame(host.Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd);
    int x = 400;
    EXPECT_EQ(picture.Pixel(x, bottom.top), d.clrBtnHilite);
    EXPECT_EQ(picture.Pixel(x, bottom.top + 4), d.clrBtnShadow);
    EXPECT_EQ(picture.Pixel(x, bottom.top + 5), d.clrWindowFrame);

    // The splitter right of the tree column.
    RECT left = host.InFrame(host.Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
    const CDockSplitter& s = host.Dock(AFX_IDW_DOCKBAR_LEFT)->m_arrSplitters.at(0);
    int y = (left.top + left.bottom) / 2;
    EXPECT_EQ(picture.Pixel(left.left + s.m_rect.left + 2, y), d.clrBtnHilite);
    EXPECT_EQ(picture.Pixel(left.left + s.m_rect.right - 1, y), d.clrWindowFrame);
    EXPECT_EQ(picture.Pixel(left.left + s.m_rect.right - 2, y), d.clrBtnShadow);

    // The grippers: a light and a dark line at the bar's leading edge.
    RECT out = host.InFrame(output->m_hWnd);
    int gy = (out.top + out.bottom) / 2;
    EXPECT_EQ(picture.Pixel(out.left + 2, gy), d.clrBtnHilite);
    EXPECT_EQ(picture.Pixel(out.left + 3, gy), d.clrBtnShadow);
    RECT treeRect = host.InFrame(tree->m_hWnd);
    int gx = (treeRect.left + treeRect.right) / 2;
    EXPECT_EQ(picture.Pixel(gx, treeRect.top + 2), d.clrBtnHilite);
    EXPECT_EQ(picture.Pixel(gx, treeRect.top + 3), d.clrBtnShadow);
    // The tree bar's face, and the MDI client's background between the bars.
    EXPECT_EQ(picture.Pixel(gx, treeRect.top + 60), d.clrBtnFace);
    RECT mdi = host.InFrame(mdi_client(host));
    EXPECT_EQ(picture.Pixel(mdi.left + 20, mdi.bottom - 20), GetSysColor(COLOR_APPWORKSPACE));

    // The floating bar: a window of its own showing the bar's dialog.
    CSizableMiniDockFrameWnd* mini = floating->GetMiniFrame();
    ASSERT_NE(mini, nullptr);
    winui::CWindowPicture floatPicture;
    ASSERT_TRUE(floatPicture.Capture(mini->m_hWnd));
    floatPicture.SaveBmp(tmp_path("floating.bmp"));
    EXPECT_EQ(floatPicture.Width(), floating->m_sizeFloating.cx);
    EXPECT_EQ(floatPicture.Pixel(floatPicture.Width() - 3, floatPicture.Height() - 3),
              GetSysColor(COLOR_BTNFACE));
    RECT edit;
    GetWindowRect(GetDlgItem(floating->m_hWnd, IDC_TEST_EDIT), &edit);
    MapWindowPoints(nullptr, mini->m_hWnd, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(floatPicture.Pixel((edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2),
              GetSysColor(COLOR_WINDOW));
}

// Closing.

TEST(DockingClose, FrameDeletesItsBarsDockedFloatingAndHidden)
{
    CTestDialogBar::destroyed = 0;
    CVelloSizeControlBar* survivor = nullptr;
    {
        DockHost host;
        CTestDialogBar* docked = host.AddOutputBar(SIZEBAR_DELETE_WITH_FRAME);
        CTestDialogBar* floating = host.AddOutputBar(SIZEBAR_DELETE_WITH_FRAME);
        CTestDialogBar* hidden = host.AddOutputBar(SIZEBAR_DELETE_WITH_FRAME);
        auto* neverShown = new CTestDialogBar(SIZEBAR_DELETE_WITH_FRAME);
        survivor = host.AddTreeBar();
        host.owned.clear(); // the survivor is deleted below, after the frame
        host.frame->FloatControlBar(floating, host.ClientToScreenPt(300, 200));
        host.frame->ShowControlBar(hidden, FALSE, FALSE);
        EXPECT_NE(docked->GetDockBar(), nullptr);
        EXPECT_EQ(CVelloSizeControlBar::RegisteredBars().size(), 4u);
        (void)neverShown;
        SendMessageA(host.hwnd, WM_CLOSE, 0, 0);
        Pump(100);
        EXPECT_FALSE(IsWindow(host.hwnd));
        host.hwnd = nullptr;
    }
    EXPECT_EQ(CTestDialogBar::destroyed, 4);
    EXPECT_TRUE(CVelloSizeControlBar::RegisteredBars().empty());
    // A bar without the flag outlives the frame and is its creator's.
    EXPECT_EQ(survivor->m_hWnd, nullptr);
    EXPECT_EQ(survivor->GetDockBar(), nullptr);
    delete survivor;
}

TEST(DockingClose, BarDeletedWhileDockedLeavesItsRow)
{
    DockHost host;
    auto [output, tree, bottom] = share_bottom_row(host);
    host.owned.erase(std::find(host.owned.begin(), host.owned.end(), output));
    delete output;
    host.frame->RecalcLayout();
    Pump(50);
    EXPECT_EQ(bottom->FindBar(tree), 1);
    EXPECT_EQ(bottom->m_arrBars.size(), 3u);
    EXPECT_EQ(tree->m_sizeDockedHorz.cx, host.Client().cx);
}

TEST(DockingClose, FloatingBarDeletedOnClose)
{
    CTestDialogBar::destroyed = 0;
    DockHost host;
    CTestDialogBar* bar = host.AddOutputBar(SIZEBAR_DELETE_ON_CLOSE);
    host.owned.clear();
    host.frame->FloatControlBar(bar, host.ClientToScreenPt(300, 200));
    HWND mini = bar->GetMiniFrame()->m_hWnd;
    HMENU system = GetSystemMenu(mini, FALSE);
    char text[64] = "";
    GetMenuStringA(system, SC_CLOSE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STRNE(text, "&Hide");
    SendMessageA(mini, WM_CLOSE, 0, 0);
    Pump(50);
    EXPECT_FALSE(IsWindow(mini));
    EXPECT_EQ(CTestDialogBar::destroyed, 1);
}
