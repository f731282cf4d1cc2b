// CSplitterWnd: a window split into rows and columns of panes with bars
// between them that the mouse drags. Static splitters have a fixed grid;
// dynamic ones start with one pane and split from the split boxes (at the
// top of the vertical scroll bar and the left of the horizontal one) up to
// their maximum, and lose a row or column dragged below the minimum size.
//
// Panes are children with the ids 0xE900 + 16 * row + column (IdFromRowCol),
// made by the creator function a program sets. With WS_VSCROLL the splitter
// keeps one vertical scroll bar control per row (ids 0xEA10 + row) at its
// right; with WS_HSCROLL one horizontal bar per column (ids 0xEA00 + column)
// at its bottom. A pane uses them through GetScrollBarCtrl
// (SplitterScrollBar); WM_VSCROLL / WM_HSCROLL from such a bar go to every
// pane of the row or column (OnVScroll / OnHScroll, which a derived map may
// replace).
//
// Win32 used: CreateWindowExA ("ScrollBar"), MoveWindow / DeferWindowPos,
// DestroyWindow, GetDlgItem, SetWindowLongPtrA (GWLP_ID), ShowWindow, SetCapture,
// ReleaseCapture, SetCursor (IDC_SIZENS, IDC_SIZEWE), GetFocus, IsChild.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "winui/wnd.h"

namespace winui {

const UINT kPaneFirst = 0xE900;
const UINT kVertScrollFirst = 0xEA10;
const UINT kHorzScrollFirst = 0xEA00;

class CSplitterWnd : public CWnd {
public:
    // Makes the window of a pane as a child of the splitter with the id
    // given; returns it, or null when it could not be made.
    using PaneCreator = std::function<HWND(HWND splitter, int row, int col, UINT id)>;
    PaneCreator m_createPane;

    BOOL CreateStatic(HWND parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = kPaneFirst);
    BOOL Create(HWND parent, int maxRows, int maxCols, SIZE minPane,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                UINT id = kPaneFirst);

    static UINT IdFromRowCol(int row, int col) { return kPaneFirst + 16 * row + col; }
    HWND GetPane(int row, int col) const { return ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)); }
    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    int GetColumnCount() const { return static_cast<int>(cols_.size()); }
    // The bar of a row (SB_VERT) or column (SB_HORZ), null without one.
    HWND GetScrollBar(int bar, int index) const;
    // The pane holding the focus (or last holding it); false for none.
    bool GetActivePane(int* row, int* col) const;

    // Sizes in pixels; the last row and column take the rest.
    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int col, int ideal, int minimum);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    void RecalcLayout();

    // Dynamic splitters: a new row or column of panes starting at a
    // client position; false at the maximum or when a pane cannot be made.
    bool SplitRow(int y);
    bool SplitColumn(int x);
    void DeleteRow(int row);
    void DeleteColumn(int col);

    static const int kBarSize = 6; // the gap between panes

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, POINT pt);
    void OnMouseMove(UINT flags, POINT pt);
    void OnLButtonUp(UINT flags, POINT pt);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnVScroll(UINT code, UINT pos, HWND bar);
    void OnHScroll(UINT code, UINT pos, HWND bar);
    DECLARE_MESSAGE_MAP()

private:
    struct Line {
        int ideal;
        int minimum;
        int current;
    };
    enum class Hit { None, RowBar, ColumnBar, RowBox, ColumnBox };
    Hit HitTest(POINT pt, int* index) const;
    bool MakePane(int row, int col);
    void MovePanes(int fromRow, int fromCol, int toRow, int toCol);
    void MakeScrollBars();
    RECT InsideRect() const;
    int RowTop(int row) const;
    int ColumnLeft(int col) const;
    bool dynamic_ = false;
    bool vbars_ = false, hbars_ = false;
    int maxRows_ = 1, maxCols_ = 1;
    SIZE minPane_{10, 10};
    std::vector<Line> rows_, cols_;
    Hit tracking_ = Hit::None;
    int trackIndex_ = 0;
    mutable HWND lastActive_ = nullptr;
};

// For a pane's GetScrollBarCtrl: the splitter bar of the pane's row
// (SB_VERT) or column (SB_HORZ) when the pane's parent is a splitter, else
// null.
HWND SplitterScrollBar(HWND pane, int bar);

} // namespace winui
