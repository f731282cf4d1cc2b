// What the macro commands need of the main frame besides its window: the
// active view, the main tool bar that the recorder bar docks beside, the
// tools bar that takes a tool for a saved macro, and the accelerators that
// follow a changed keyboard mapping.
#pragma once

class COvantaView;
struct CToolInfo;

namespace winui {
class CControlBar;
class CToolBar;
} // namespace winui

class IMacroHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    virtual winui::CToolBar& MainToolBar() = 0;
    // Docks bar on the side where leftOf is docked, just right of it.
    virtual void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) = 0;
    virtual void AddMacroTool(const CToolInfo& tool) = 0;
    // The keyboard mapping dialog applied a changed table.
    virtual void ShortcutsChanged() = 0;

protected:
    ~IMacroHost() = default;
};
