// A dockable MDI frame on the screen with the bars of the tests, and input
// through the system queue: mouse moves and clicks played from a second
// thread while this thread handles the messages (a drag runs its own loop).
#pragma once

#include "editor/docking/dockcontext.h"
#include "editor/docking/dockframe.h"
#include "winui/cmdui.h"

#include <windows.h>

#include <vector>

// A dialog bar that counts its destructions and records its reports.
class CTestDialogBar : public CVelloSizeDialogBar {
public:
    explicit CTestDialogBar(DWORD style = SIZEBAR_CONTEXT_MENU) : CVelloSizeDialogBar(style) {}
    ~CTestDialogBar() override { ++destroyed; }
    void OnSizeOrStateChanged(int cx, int cy, BOOL floating, int flags) override
    {
        reports.push_back(flags);
        CVelloSizeDialogBar::OnSizeOrStateChanged(cx, cy, floating, flags);
    }
    std::vector<int> reports;
    static int destroyed;
};

// The frame offers an update handler for the test bar's edit control.
class CTestFrame : public CVelloMDIFrameWndSizeDock {
public:
    bool editEnabled = true;
    void OnUpdateEdit(winui::CCmdUI* ui) { ui->Enable(editEnabled); }
    int buttonClicks = 0;
    void OnButton() { ++buttonClicks; }
    DECLARE_MESSAGE_MAP()
};

struct DockHost {
    // A frame of 800 x 600 at (40, 40), shown, docking on all sides.
    DockHost();
    ~DockHost();
    DockHost(const DockHost&) = delete;
    DockHost& operator=(const DockHost&) = delete;

    CTestFrame* frame = nullptr;
    HWND hwnd = nullptr;

    // A dialog bar from the test template docked at the bottom (id 0xE810).
    CTestDialogBar* AddOutputBar(DWORD sizeBarStyle = SIZEBAR_CONTEXT_MENU);
    // A plain sizeable bar (a tree's place) docked at the left, 160 wide.
    CVelloSizeControlBar* AddTreeBar(DWORD sizeBarStyle = 0);

    SIZE Client() const;
    // A window's rectangle in the frame's client coordinates.
    RECT InFrame(HWND wnd) const;
    POINT ClientToScreenPt(int x, int y) const;
    CSizeDockBar* Dock(UINT id) const { return frame->GetDockBar(id); }
    void Close();

    std::vector<winui::CControlBar*> owned; // bars deleted by the host
};

void Pump(DWORD ms = 150);

// A command of the tool bars of the tests.
const UINT ID_TEST_BUTTON = 32800;

// The screen point of a docked bar's gripper, and of a floating window's caption.
POINT GripperPoint(const winui::CControlBar* bar);
POINT CaptionPoint(HWND floatingWindow);

// Mouse input through the system queue (screen coordinates).
// With key, the key goes down after the last move (Escape up again at once,
// Ctrl only after the button).
void Drag(POINT from, POINT to, WORD key = 0);
void Click(POINT at);
void DoubleClick(POINT at);
