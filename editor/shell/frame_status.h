// CFrameStatus: the main frame's status bar and what is shown on it. It is
// where the documents, views and the editor control show their state: the
// caret's place and the text's size, the UNIX and read-only panes, the
// progress bar and the message pane; the modified mark goes on to the
// frame's Save button and tabs when it changes.
#pragma once

#include "editor/shell/editorstatusbar.h"
#include "editor/shell/status_sink.h"

class COvantaView;

namespace winui {
class CFrameWnd;
}

// What the status needs of the frame: the active view whose state it
// shows, and the parts that follow the caret and the modified mark.
class IFrameStatusHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // The caret went to a 0-based line of the active editor.
    virtual void CaretMoved(int line) = 0;
    // The active text became modified, or no longer is.
    virtual void ModifiedStateChanged(bool modified) = 0;

protected:
    ~IFrameStatusHost() = default;
};

class CFrameStatus : public IStatusSink {
public:
    explicit CFrameStatus(IFrameStatusHost& host) : host_(host) {}

    CEditorStatusBar& Bar() { return bar_; }
    // Made at the frame's bottom, with the frame's status bar id.
    void Create(winui::CFrameWnd* frame);
    // The frame's size changed: the progress bar goes into its pane again.
    void FrameSized();
    // The last document closed: no place, no size, no read-only mark.
    void Clear();

    void UpdateStatusBar(int line, int column, int size) override;
    void ShowModifiedState(int modified) override;
    void SetReadOnlyPane(bool readOnly) override;
    void ShowProgress(bool show) override;
    void SetProgressPos(int percent) override;
    void SetProgressMode(int mode) override;
    void SetMessageText(const char* text) override;
    void SetPaneText(int pane, const char* text) override;

private:
    IFrameStatusHost& host_;
    CEditorStatusBar bar_;
    int shownModified_ = -1; // the modified mark shown now
};
