// What the search commands need of the main frame besides its window: the
// active view and whether it takes commands now, the editor font for the
// dialogs' lists, and the output bar whose "Search results" pane shows what
// a search in several files found.
#pragma once

#include <windows.h>

class COvantaView;
class COutputBar;

class ISearchHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    // An active view, and no print preview shown.
    virtual bool ViewUsable() = 0;
    virtual HFONT EditFont() const = 0;
    // The output bar, made or shown first when it is not shown.
    virtual COutputBar* ShownOutputBar() = 0;

protected:
    ~ISearchHost() = default;
};
