// What the navigation commands need of the main frame besides its window:
// the active view, and the frame's default handling of a message that the
// stay-on-top button follows.
#pragma once

#include <windows.h>

class COvantaView;

class INavigationHost {
public:
    virtual COvantaView* ActiveOvantaView() = 0;
    virtual LRESULT DefaultFrameProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~INavigationHost() = default;
};
