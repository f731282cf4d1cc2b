// What the bookmark commands need of the main frame besides its window:
// the active view and the main tool bar, whose bookmark button changes its
// picture, and the place left of that bar where the bookmark bar docks.
#pragma once

class COvantaView;

namespace winui {
class CControlBar;
class CToolBar;
} // namespace winui

class IBookmarkHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    virtual winui::CToolBar& MainToolBar() = 0;
    // Docks bar on the side where leftOf is docked, just right of it.
    virtual void DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf) = 0;

protected:
    ~IBookmarkHost() = default;
};
