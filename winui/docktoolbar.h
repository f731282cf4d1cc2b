// CDockToolBar: a tool bar the user moves with the mouse to another side of
// its frame, or out into a small window of its own, and back.
//
// It stays a plain bar of the frame's layout (winui/controlbar.h): docking
// on a side only changes its CBRS_ALIGN_ bit and lets the frame lay out
// again; floating takes it out of the layout (CBRS_FLOATING) into an owned
// tool window captioned with the bar's window text. No dock bars, rows or
// splitters: one bar per side is all the programs using it have. Frames
// with rows of sizeable bars use the docking library (editor/docking).
//
//   bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP);
//   bar.EnableDocking(CBRS_ALIGN_ANY);  // the sides it may go to; 0: fixed
//
// While docked the bar has a gripper band (at its left on the top or
// bottom side, at its top on the left or right side). A press there drags
// an outline: near a side the bar may go to, the outline lies along that
// side; elsewhere (or with Ctrl held) it has the floating window's shape.
// Releasing the button docks or floats the bar there; Escape or the right
// button cancel; releasing where the drag began changes nothing. The
// floating window's caption drags the same way. A double click on the
// gripper floats the bar where it floated last; on the caption it docks it
// on the side it came from. Closing the floating window docks the bar
// again: a tool bar is never lost. On the left and right sides the buttons
// stand in one column.
#pragma once

#include "winui/toolbar.h"

#include <functional>

namespace winui {

class CDockToolBar : public CToolBar {
public:
    CDockToolBar() = default;
    ~CDockToolBar() override;

    // Docks on the side of one CBRS_ALIGN_ bit (from floating too).
    void DockAt(DWORD align);
    // Floats in a window of its own whose top left corner is pt (screen).
    void FloatAt(POINT pt);
    // The side while docked (CBRS_ALIGN_ bit), or 0 while floating.
    DWORD GetSide() const;
    // The floating window, or null while docked.
    HWND GetFloatingWindow() const { return floatWnd_; }
    // The middle of the gripper band (screen) while docked.
    POINT GripperPoint() const;

    // The whole drag from a button press at pt (screen coordinates).
    void TrackDrag(POINT pt);
    // Docked: floats where it floated last; floating: docks where it was.
    void ToggleDocking();

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;

    // Called after the bar went to another side or floated, the frame's
    // layout done (a frame that sizes itself to its client's content
    // fits again).
    std::function<void()> moved;

    static const int kGripperSize = 8;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CFloatingBarWnd;
    bool HasGripper() const;
    void SetColumn(bool column);
    // Where a drop at pt goes: a side, or 0 for floating.
    DWORD DropSide(POINT pt, bool ctrl) const;
    // The outline for a drop on side at pt (floating: the window's shape,
    // its corner where the press was in it).
    RECT Outline(POINT pt, DWORD side) const;
    // The bar's size in a row and in a column, whichever it shows now.
    void MeasureBoth();
    SIZE FloatingWindowSize() const;
    void DrawOutline(HDC dc, const RECT& r, bool floating, bool erase);

    HWND floatWnd_ = nullptr;
    DWORD lastSide_ = CBRS_ALIGN_TOP;
    POINT lastFloat_{0, 0};
    bool hasFloatPos_ = false;
    POINT grab_{0, 0}; // the press's offset from the dragged window's corner
    SIZE horz_{0, 0}, vert_{0, 0};
    RECT shown_{0, 0, 0, 0};
    bool shownFloating_ = false;
};

} // namespace winui
