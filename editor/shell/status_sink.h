// Where the documents, views and the editor control show their state: the
// caret's place, the modified mark, the read-only pane, the progress bar
// and the texts of the status panes.
#pragma once

class IStatusSink {
public:
    // Line and column (1-based) of the caret and the size of the text.
    virtual void UpdateStatusBar(int line, int column, int size) = 0;
    virtual void ShowModifiedState(int modified) = 0;
    virtual void SetReadOnlyPane(bool readOnly) = 0;
    virtual void ShowProgress(bool show) = 0;
    virtual void SetProgressPos(int percent) = 0;
    // 0 while a message box asks, 1 again afterwards.
    virtual void SetProgressMode(int mode) = 0;
    // The message pane; any pane by its index.
    virtual void SetMessageText(const char* text) = 0;
    virtual void SetPaneText(int pane, const char* text) = 0;

protected:
    ~IStatusSink() = default;
};
