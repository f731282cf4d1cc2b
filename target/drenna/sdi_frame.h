// TSDIDecFrame: Drenna's main window: menu, the terminal as its client and
// a status bar whose first part shows the program's status texts and whose
// second part (8 characters) shows the board state. The frame keeps its
// client exactly around the terminal's 80 x 25 cells.
#pragma once

#include <windows.h>

#include <string>

#include "target/termui/term_window.h"
#include "winui/menu.h"
#include "winui/statusctrl.h"
#include "winui/wnd.h"

class TDrennaApp;

class TSDIDecFrame : public winui::CWnd {
public:
    explicit TSDIDecFrame(TDrennaApp* app);

    BOOL Create(const char* title);
    TTermWindow& Terminal() { return term_; }
    void SetStatusText(const std::string& text);
    std::string StatusText() const { return status_.GetText(0); }
    // Sizes the frame so that its client holds the grid and the status bar.
    void FitToGrid();
    // Places the frame at the centre of the screen (at least 10 pixels from
    // the left and top edges).
    void Centre();

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(HWND old);
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM);
    LRESULT OnReport(WPARAM code, LPARAM text);
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowState(const char* name);
    TDrennaApp* app_;
    TTermWindow term_;
    winui::CStatusBarCtrl status_;
    winui::CMenu menu_;
    bool fitting_ = false;
};
