// What the source browser's controller needs of the frame it serves: the
// active view, the open workspace, the output bar's "Tags" pane, the
// status bar and the stored places of the sizeable bars. Every method is
// the frame's to implement: a binding left out does not build.
#pragma once

#include <windows.h>

#include <string>

class COvantaView;
class IDocumentNavigator;
class IStatusSink;
class COutputBar;
class CEditorStatusBar;

namespace winui {
class CControlBar;
}

class CBrowserHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // The open workspace's file, empty when none is open.
    virtual const std::string& WorkspacePath() const = 0;
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    virtual int GetBarState(HWND bar) = 0;
    // [Bars]: a bar put where it was stored (shown when show is set).
    virtual bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show) = 0;
    // The output bar, null until it is first shown.
    virtual COutputBar* OutputBar() const = 0;
    // The status bar's message pane and progress control, and the bar itself
    // for the browser's animation.
    virtual IStatusSink& Status() = 0;
    virtual CEditorStatusBar& StatusBar() = 0;
    // Opening a file and showing a document's line.
    virtual IDocumentNavigator& Navigator() = 0;

protected:
    ~CBrowserHost() = default;
};
