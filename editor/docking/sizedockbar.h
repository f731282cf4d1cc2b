// CSizeDockBar: the dock bar on one side of a dockable frame. It holds the
// docked bars of its side in rows (tool bars and sizeable bars alike), puts
// an 8-pixel splitter between two bars of a row and between a row holding a
// sizeable bar and the frame's centre, lets the user drag those splitters,
// and refits the sizeable bars of every row to the side's length whenever
// the frame's layout changes it. The arithmetic is in dock_layout.h.
//
// Bars are child windows of their dock bar while docked. Commands and
// notifications of docked tool bars go on to the frame.
#pragma once

#include "editor/docking/dock_layout.h"
#include "winui/controlbar.h"
#include "winui/frame.h"

#include <windows.h>

#include <vector>

class CDockSplitter {
public:
    virtual ~CDockSplitter() = default;
    RECT m_rect{0, 0, 0, 0}; // in the dock bar's client coordinates
    BYTE m_type = 0;         // 1 vertical band (moves left/right), 2 horizontal band
    int m_nBarIndex = 0;     // the slot it stands before
};

class CSizeDockBar : public winui::CControlBar {
public:
    CSizeDockBar();
    ~CSizeDockBar() override;

    // The dock bar of one side: style its CBRS_ALIGN_ and CBRS_BORDER_ bits
    // with the window style, id one of AFX_IDW_DOCKBAR_*.
    BOOL Create(winui::CFrameWnd* frame, DWORD style, UINT id);

    bool IsHorzDock() const { return (m_dwStyle & (winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM)) != 0; }
    DWORD Align() const { return m_dwStyle & winui::CBRS_ALIGN_ANY; }

    // Docks a bar (taken from wherever it was): with a rectangle in screen
    // coordinates into the row under its centre (a new row above or below
    // the others when it lies outside them), else as a new last row.
    void DockControlBar(winui::CControlBar* bar, const RECT* screenRect = nullptr);
    // Docks a bar into row number row (a new last row when there is no such
    // row) at place index within it.
    void DockControlBarAt(winui::CControlBar* bar, int row, int index);
    // Takes a bar out (its row goes when it was the row's only bar); the
    // window stays where it is. False when the bar is not here.
    bool RemoveControlBar(winui::CControlBar* bar);
    int FindBar(const winui::CControlBar* bar) const;
    bool HasBars() const;
    // Row number and place in the row of a docked bar (-1 when not here).
    int RowOf(const winui::CControlBar* bar) const;
    int IndexInRow(const winui::CControlBar* bar) const;
    int GetRowCount() const;

    int GetBarSignature() const;
    // Shrinks the other bars of the bar's row by the bar's length.
    void MakeRoomForBar(winui::CControlBar* bar);
    int FindDropRow(const RECT& screenRect) const;
    int CountBarsInDropRow(winui::CControlBar* bar, const RECT& screenRect) const;

    SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // The bar array as the layout arithmetic sees it, and back: lengths and
    // thicknesses go into the docked sizes of the sizeable bars.
    std::vector<docking::DockSlot> Slots() const;
    void ApplySlots(const std::vector<docking::DockSlot>& slots);

    struct Entry {
        winui::CControlBar* bar; // null: the end of a row
        HWND hwnd;               // the bar's window when it was docked
    };
    std::vector<Entry> m_arrBars;
    std::vector<CDockSplitter> m_arrSplitters;
    CDockSplitter* m_pTrackingSplitter = nullptr;
    SIZE m_sizeLayout{0xFFFF, 0xFFFF};
    int m_nBarSignature = 0;
    std::vector<HWND> m_arrHiddenBars;

    // The splitter under a client point, or null.
    CDockSplitter* HitTestSplitter(POINT pt);
    // Drags splitter s with the mouse until the button goes up (Escape or
    // the right button cancel).
    void TrackSplitter(CDockSplitter* s, POINT start);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnSizeParentDock(WPARAM, LPARAM);
    LRESULT OnParentNotify(WPARAM, LPARAM);

    // The room behind the last docked bar of the row holding slot i.
    int FreeSpaceAfterRow(int i) const;
    // A bar just put into the array: its side, its gripper.
    void TakeBar(winui::CControlBar* bar);
    void SetSplitterCursor(const CDockSplitter* s) const;

    bool queryOnly_ = false;

    DECLARE_MESSAGE_MAP()
};
