// TQuibexFrame: the main window of Quibex: an MDI frame with menu 100, the
// tool bar at its top, the status bar (the message area and an 8-character
// board state) and the MDI client, which carries the commands.
#pragma once

#include <windows.h>

#include <string>

#include "target/quibex/quibex_mdi_client.h"
#include "winui/mdi.h"
#include "winui/statusbar.h"
#include "winui/docktoolbar.h"

class TQuibexFrame : public winui::CMDIFrameWnd {
public:
    TQuibexFrame();

    BOOL CreateFrame(const char* title);
    TQuibexMDIClient& Client() { return client_; }
    void SetStatus(const std::string& text);
    void ShowState(const char* name);

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info) override;
    BOOL CreateClient(LPCREATESTRUCTA cs, HMENU windowMenu) override;

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    LRESULT OnReport(WPARAM code, LPARAM text);
    LRESULT OnActivate(WPARAM state, LPARAM);
    void OnRecentFile(UINT id);

private:
    void SetupToolbar();
    TQuibexMDIClient client_;
    winui::CDockToolBar toolbar_;
    winui::CStatusBar status_;
};
