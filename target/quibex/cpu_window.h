// TCPUWindow: the 8051 registers in a fixed grid of 33 columns by 8 rows of
// cells, from the serial library's register table. Values the last stop
// changed are drawn on light cyan; unknown values show "????". Minimised,
// it turns the library's register reads off. Its window text is the grid,
// rows ended by CR LF, as drawn (screen readers, tests).
#pragma once

#include <windows.h>

#include <string>

#include "winui/wnd.h"

enum { CPU_COLUMNS = 33, CPU_ROWS = 8 };

class TCPUWindow : public winui::CWnd {
public:
    TCPUWindow();
    ~TCPUWindow() override;

    BOOL Create(HWND parent, UINT id);
    // The grid's size in pixels.
    SIZE GridSize() const;
    // The CPU view of the process, or null.
    static HWND Handle();
    // The grid as text.
    static std::string GridText();

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnRefresh(WPARAM, LPARAM);
    LRESULT OnGetText(WPARAM size, LPARAM buffer);
    LRESULT OnGetTextLength(WPARAM, LPARAM);

private:
    void DrawValues(HDC dc);
    bool minimised_ = false;
};
