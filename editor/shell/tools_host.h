// What the tools controller needs of the frame it serves: the active view,
// the status bar, the editor font, macro playback, the main tool bar the
// tools bar docks beside, and the stored places of the sizeable bars.
// Every method is the frame's to implement: a binding left out does not
// build.
#pragma once

#include <windows.h>

class COvantaView;
class IDocumentNavigator;
class IStatusSink;

namespace winui {
class CControlBar;
}

class CToolsHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // The status bar's panes: line, column (1-based) and text size.
    virtual IStatusSink& Status() = 0;
    virtual HFONT EditFont() const = 0;
    // A tool whose program is a "*.mcr" file replays it.
    virtual int PlayKeyboardMacro(const char* path) = 0;
    // The number of documents open now.
    virtual int OpenDocumentCount() const = 0;
    // The main tool bar, and docking a bar just right of another.
    virtual winui::CControlBar& MainToolBar() = 0;
    virtual void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) = 0;
    // [Bars]: a bar put where it was stored (shown when show is set; false
    // when nothing usable is stored), and the stored visibility.
    virtual bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show) = 0;
    virtual bool StoredBarVisible(const char* key) = 0;
    // The output bar was shown or hidden by the user: its "Tags" pane
    // follows the browser's switch.
    virtual void OutputBarToggled() = 0;
    // Opening a file and showing a document's line.
    virtual IDocumentNavigator& Navigator() = 0;

protected:
    ~CToolsHost() = default;
};
