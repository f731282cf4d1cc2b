// Dragging a sizeable bar with the mouse (CSizeDockContext) and the
// resizable window a bar floats in (CSizableMiniDockFrameWnd).
//
// A drag shows an outline on the screen: the bar's docked shape while the
// cursor is over a side the bar may dock on (a whole-width strip over an
// empty side or a new row, the bar's own docked size in a row with other
// bars), else the floating window's shape. Ctrl held shows the floating
// shape everywhere. Releasing the button docks or floats the bar there;
// the right button or Escape cancel; releasing where the drag began does
// nothing.
#pragma once

#include "winui/controlbar.h"
#include "winui/frame.h"

#include <windows.h>

class CVelloSizeControlBar;
class CSizeDockBar;
class CDockSite;

class CSizeDockContext {
public:
    explicit CSizeDockContext(CVelloSizeControlBar* bar);
    virtual ~CSizeDockContext();

    // The whole drag, from a button press at pt (screen coordinates); none
    // for a bar floating in the MDI client (its window moves instead).
    virtual void StartDrag(POINT pt);
    // A docked bar floats where it floated last; a floating one docks where
    // it was docked last (its first allowed side when it never was). Not
    // for a bar floating in the MDI client.
    virtual void ToggleDocking();

    CVelloSizeControlBar* m_pBar;
    DWORD m_dwDockStyle = 0;     // sides the bar may dock on
    DWORD m_dwOverDockStyle = 0; // the side under the cursor
    DWORD m_dwStyle = 0;         // the bar's side when the drag began
    POINT m_ptLast{0, 0};
    BOOL m_bFlip = FALSE; // Ctrl held
    HDC m_hDC = nullptr;
    RECT m_rectDragHorz{}, m_rectDragVert{};
    RECT m_rectFrameDragHorz{}, m_rectFrameDragVert{};
    RECT m_rectLast{};
    SIZE m_sizeLast{0, 0};
    bool m_bDitherLast = false;
    // Where the bar was docked last (dock bar client coordinates) and on
    // which dock bar; where it floated last (screen, top left of the window).
    RECT m_rectMRUDockPos{};
    UINT m_uMRUDockID = 0;
    POINT m_ptMRUFloatPos{0, 0};
    bool m_bHasFloatPos = false;

    RECT m_rectDockFeedback{};
    RECT m_rectHorzZone{};
    RECT m_rectVertZone{};
    CSizeDockBar* m_pTargetDockBar = nullptr;
    POINT m_ptDragStart{0, 0};

protected:
    CDockSite* Site() const;
    DWORD CanDock();
    void Move(POINT pt);
    void Track();
    void EndDrag();
    void CancelLoop();
    void DrawFocusRect(bool removeRect = false);
    void OnKey(int key, bool down);
};

// For a window holding one bar, on WM_PARENTNOTIFY: true, with *bar
// cleared, when the bar's window is being destroyed.
bool ForgetDestroyedBar(WPARAM wParam, LPARAM lParam, winui::CControlBar** bar);

// The floating window of one bar: a tool window with a caption and a sizing
// border. Its caption drags the bar (a double click docks it again); its
// size is the bar's floating size; closing it hides the bar (deletes it with
// SIZEBAR_DELETE_ON_CLOSE).
class CSizableMiniDockFrameWnd : public winui::CFrameWnd {
public:
    CSizableMiniDockFrameWnd();
    ~CSizableMiniDockFrameWnd() override;

    // Creates the window at screen point pos with a client area of size,
    // owned by the dock site's top-level window, and puts bar in it.
    BOOL CreateFor(winui::CFrameWnd* site, winui::CControlBar* bar, POINT pos, SIZE client);

    // Examines the bar once: 2 when it is a sizeable bar (system menu cut
    // down, close item "&Hide" unless the bar deletes itself on close), 1
    // otherwise (the window can only be moved).
    int AdaptToSizeBar();
    void RecalcLayout() override;

    winui::CControlBar* m_pBar = nullptr;
    winui::CFrameWnd* m_pDockSite = nullptr;
    int m_nBarKind = 0;

    static const char* MiniFrameClass();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnNcLButtonDown(WPARAM, LPARAM);
    LRESULT OnNcLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    LRESULT OnParentNotify(WPARAM, LPARAM);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
};
