// TTermWindow: the character terminal of the target tools. It shows what
// the board prints in a fixed grid of 25 rows by 80 columns, hands typed
// characters to the serial library's key slot and shows the board state in
// the program's status bar.
//
// The serial reader thread prints through term_putc; it changes the grid
// under a small lock and marks the changed cells for repainting, so that
// all drawing (and the caret) stays on the window's own thread.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

#include "target/termui/ser_settings.h"
#include "winui/gdi.h"
#include "winui/wnd.h"

enum { TERM_ROWS = 25, TERM_COLUMNS = 80, TERM_TIMER = 1, TERM_TIMER_MS = 100 };

// The library's text callback: hands the character to the open terminal.
void term_putc(int c);
void term_puts(const char* text);

class TTermWindow : public winui::CWnd {
public:
    TTermWindow();
    ~TTermWindow() override;

    // Creates the window as a child of the frame; the font and colours
    // come from the settings. False (with the report shown) when a
    // terminal is already open.
    BOOL Create(HWND parent, UINT id);

    void PutChar(int c);

    // Cell size from the settings font; the grid's pixel size.
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    SIZE GridSize() const { return SIZE{cellWidth_ * TERM_COLUMNS, cellHeight_ * TERM_ROWS}; }

    // The font dialog (fixed-pitch screen fonts); OK changes the settings
    // font and the cell size. True when a new font was taken.
    bool CmFont();

    // The text of a row and the cursor, for the status of a program.
    std::string Row(int row) const;
    std::string Text() const;
    POINT Cursor() const;

    // Shows the board state's name (status bar text gadget of the program).
    std::function<void(const char*)> showState;
    // Called after the window gained the focus (the program's reload check).
    std::function<void()> focusGained;
    // Called when the cell size changed (the frame fits itself around the grid).
    std::function<void()> gridResized;

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    void OnTimer(UINT_PTR id);
    void OnChar(UINT key, UINT repeat, UINT flags);
    void OnSetFocus(HWND old);
    void OnKillFocus(HWND next);
    void OnLButtonDown(UINT flags, POINT pt);
    // The window's text is the grid, rows ended by CR LF (screen readers,
    // tests).
    LRESULT OnGetText(WPARAM size, LPARAM buffer);
    LRESULT OnGetTextLength(WPARAM, LPARAM);

private:
    void MakeFont();
    void InvalidateCell(int row, int column);
    void PlaceCaret();
    COLORREF TextColour() const;
    COLORREF BackColour() const;

    mutable std::mutex lock_;
    std::string rows_[TERM_ROWS];
    int row_ = 0, column_ = 0;
    int dirty_ = 0;
    bool focus_ = false;
    int shownState_ = -1;
    int cellWidth_ = 8, cellHeight_ = 16;
    winui::CFont font_;
};
