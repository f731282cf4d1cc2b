// TYantelFrame: Yantel's main window, a single-document frame: menu and
// accelerators, the tool bar with the target combo box at the top, the
// status bar with menu hints at the bottom and the makefile view in the
// rest (the frame's layout places them). Commands go to the view first,
// then to the frame, then to the application; the states of menu items and
// tool bar buttons come from the frame's update handlers.
#pragma once

#include "winui/common_controls.h"
#include "winui/controls.h"
#include "winui/frame.h"
#include "winui/gdi.h"
#include "winui/statusbar.h"
#include "winui/docktoolbar.h"

#include "make/yantel/yanedtfl.h"

#include <string>

class TYantelApp;

class TYantelFrame : public winui::CFrameWnd {
public:
    explicit TYantelFrame(TYantelApp* app);

    // Makes the frame window with its menu, icon, accelerators and view
    // (the view's SetupWindow runs); the bars come from CreateToolBar /
    // CreateStatusBar.
    BOOL Create(const char* title);
    // The bar at the top: buttons, separators and the target combo box
    // (control id 500, drop-down list, 200 wide, text limit 30).
    BOOL CreateToolBar();
    // Status bar at the bottom: one recessed pane and a size grip.
    BOOL CreateStatusBar();
    // The target combo box takes the bar's gadget font: the face of the
    // system's GUI font at 10 points.
    void SetGadgetFont();

    TYanEditFile& View() { return view_; }
    winui::CComboBox& Targets() { return targets_; }
    HWND StatusBar() const { return status_.m_hWnd; }
    HWND ToolBar() const { return toolbar_.m_hWnd; }

    // The caption "Yantel - <title>".
    void SetDocTitle(const std::string& title);
    const std::string& DocTitle() const { return docTitle_; }
    // Text of the status bar; the empty text clears it.
    void SetStatusText(const char* text);
    // Tool bar buttons and the combo box take the enabled and checked
    // states of their commands now.
    void UpdateCommandStates();

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    BOOL CanCloseFrame() override;

private:
    void OnSetFocus(HWND oldFocus);
    LRESULT OnMenuSelect(WPARAM, LPARAM);
    LRESULT OnUpdateState(WPARAM, LPARAM);
    void OnViewChange();
    void OnUpdateCommand(winui::CCmdUI* ui);
    void CmExit();

    TYantelApp* app_;
    TYanEditFile view_;
    winui::CDockToolBar toolbar_;
    winui::CStatusBar status_;
    winui::CComboBox targets_;
    winui::CImageList images_;
    winui::CFont gadgetFont_;
    std::string docTitle_;

    DECLARE_MESSAGE_MAP()
};
