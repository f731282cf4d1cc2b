// CEditorStatusBar: the main frame's status bar. Beside the message pane it
// shows the caret's line and column, the text size, the read-only state
// (owner-drawn, red for "RO"), the "UNIX" line-end mode, and a pane that is
// a progress bar while documents load and otherwise a small animation while
// the source browser works in the background ("B" once it has finished).
// Clicks on the panes act on them.
#pragma once

#include "winui/statusbar.h"

#include <functional>
#include <string>

// The background job the animation pane shows: whether it has finished,
// whether it was asked to stop, and the request to stop it.
struct CPaneJob {
    std::function<bool()> finished;
    std::function<bool()> stopRequested;
    std::function<void()> requestStop;
};

class CEditorStatusBar : public winui::CStatusBar {
public:
    static const UINT kAnimationTimer = 1111;
    ~CEditorStatusBar() override;

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
    // The progress bar at percent (shown); 0 hides it again.
    void SetProgressPos(int percent);
    void SetReadOnlyText(const char* text);
    const std::string& ReadOnlyText() const { return roText_; }
    // Moves the progress control onto pane 1 (after the bar was sized).
    void PlaceProgress();
    // The source browser started: the pane animates every 200 ms until the
    // job has finished; a click on it then asks the job to stop.
    void StartPaneAnimation(CPaneJob job);
    bool BrowserDone() const { return m_bBrowserDone != 0; }
    int CurrentBitmap() const { return m_nCurrentBmp; }

protected:
    void OnLButtonDown(UINT flags, POINT point);
    void OnTimer(UINT_PTR id);
    LRESULT OnDrawItemReflect(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void DrawAnimationPane(HDC dc, bool disabled);
    void SetAnimationPaneStyle(UINT style);

    HWND progress_ = nullptr;
    HBITMAP m_bmpAnim[4] = {};
    int m_nCurrentBmp = 0;
    CPaneJob m_job;
    bool m_bHasJob = false;
    int m_bBrowserDone = 1;
    int paneWidth_ = 0;
    std::string roText_;
};
