// TSDIDecFrame: Drenna's main window, a frame with its menu and
// accelerators, the tool bar at the top, the status bar at the bottom (its
// message area shows the program's status texts, an 8-character pane the
// board state) and the terminal as its client. The frame keeps its client
// exactly around the terminal's 80 x 25 cells and the two bars.
//
// Commands go from the frame to the application (the frame's own map holds
// only the terminal's font command); a command whose update handler says it
// is disabled does nothing, also when it comes from a key of the
// accelerator table while its menu item was not shown.
#pragma once

#include <windows.h>

#include <string>

#include "target/termui/term_window.h"
#include "winui/frame.h"
#include "winui/statusbar.h"
#include "winui/docktoolbar.h"

class TDrennaApp;

// The window message a recent-file menu choice sends to the frame
// (registered as "MRUFILEMESSAGE"); wParam is the entry's command id.
UINT MruFileMessage();

class TSDIDecFrame : public winui::CFrameWnd {
public:
    explicit TSDIDecFrame(TDrennaApp* app);

    // Makes the window (class "TSDIDecFrame") with menu 100, accelerator
    // table 100, icon 1001, the status bar and the terminal.
    BOOL Create(const char* title);
    // The tool bar captioned "Toolbar" at the top with the buttons of
    // exit, download, reset, reset with autostart, identification and run.
    BOOL CreateToolBar();

    TTermWindow& Terminal() { return term_; }
    winui::CToolBar& ToolBar() { return toolBar_; }
    winui::CStatusBar& StatusBar() { return statusBar_; }
    void SetStatusText(const std::string& text);
    std::string StatusText() const { return statusBar_.GetPaneText(0); }
    // Sizes the frame so that its client holds the grid and the bars.
    void FitToGrid();
    // Places the frame at the centre of the screen (at least 10 pixels from
    // the left and top edges).
    void Centre();

    // The command's state from its update handler: false when disabled.
    bool CommandEnabled(UINT id);

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    BOOL OnCreateClient(LPCREATESTRUCTA cs, winui::CCreateContext* context) override;
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND old);
    LRESULT OnReport(WPARAM code, LPARAM text);
    LRESULT OnMruFile(WPARAM id, LPARAM);
    void CmFont();
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowState(const char* name);
    TDrennaApp* app_;
    TTermWindow term_;
    winui::CDockToolBar toolBar_;
    winui::CStatusBar statusBar_;
    bool fitting_ = false;
};
