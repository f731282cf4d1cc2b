// CHandOverReceiver: the files that reach the main frame from outside: a
// later start's hand-over (a file with its line, or a workspace), taken
// from the instance block at once and opened after the message returned,
// and the files dropped on the frame.
#pragma once

#include "editor/shell/frame_bases.h"

#include "winui/cmdtarget.h"

#include <deque>
#include <string>

// What opening a handed-over workspace needs of the frame.
class IHandOverHost {
public:
    // Closes the open workspace with its questions; false when the user
    // cancelled.
    virtual bool CloseWorkspace() = 0;
    virtual void OpenWorkspace(const char* path) = 0;

protected:
    ~IHandOverHost() = default;
};

class CHandOverReceiver : public winui::CCmdTarget {
public:
    CHandOverReceiver(CMainFrameBase& frame, IHandOverHost& host) : frame_(frame), host_(host) {}

private:
    LRESULT OnHandOver(WPARAM, LPARAM);
    LRESULT OnOpenHandedOver(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);

    CMainFrameBase& frame_;
    IHandOverHost& host_;
    std::deque<std::string> handedOver_;

    DECLARE_MESSAGE_MAP()
};
