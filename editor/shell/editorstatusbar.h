// CEditorStatusBar: the main frame's status bar. Beside the message pane it
// shows the caret's line and column, the text size, the read-only state
// (owner-drawn, red for "RO"), the "UNIX" line-end mode, and a pane that is
// a progress bar while documents load. Clicks on the panes act on them.
#pragma once

#include "winui/statusbar.h"

#include <string>

class CEditorStatusBar : public winui::CStatusBar {
public:
    static const int kMessagePane = 0;
    static const int kProgressPane = 1;
    static const int kPositionPane = 2;
    static const int kSizePane = 3;
    static const int kReadOnlyPane = 4;
    static const int kUnixPane = 5;

    BOOL Create(winui::CFrameWnd* parent, DWORD style, UINT id);
    // 0: pane 1 is the progress bar; 1: pane 1 is the browser pane.
    void SetProgressMode(int mode);
    void ShowProgress(bool show);
    void SetReadOnlyText(const char* text);
    const std::string& ReadOnlyText() const { return roText_; }
    // Moves the progress control onto pane 1 (after the bar was sized).
    void PlaceProgress();

protected:
    void OnLButtonDown(UINT flags, POINT point);
    LRESULT OnDrawItemReflect(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HWND progress_ = nullptr;
    int paneWidth_ = 0;
    std::string roText_;
};
