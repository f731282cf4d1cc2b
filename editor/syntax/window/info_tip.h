// CInfoTipWnd: the borderless one-line pop-up in the tool-tip colours that
// follows a scroll thumb while the user drags it and shows the line or
// column the thumb has reached. The window exists only during a drag; its
// class, brush, font and the system metrics are shared by all tips.
#pragma once

#include "winui/wnd.h"

#include <string>

class CInfoTipWnd : public winui::CWnd {
public:
    CInfoTipWnd() = default;
    ~CInfoTipWnd() override;

    // Feed of the scroll handlers: SB_THUMBTRACK creates the window when
    // needed and shows the text beside the thumb, SB_THUMBPOSITION destroys
    // it, other codes do nothing. bar is SB_VERT or SB_HORZ; scrollBar the
    // view's separate scroll-bar control, or null for the window's own bar.
    // 0 only when the window had to be created and that failed.
    int OnScroll(HWND window, UINT code, int bar, const std::string& text, HWND scrollBar);
    BOOL Create(HWND window, HWND scrollBar);
    void ShowAt(HWND window, int bar, const std::string& text, HWND scrollBar);
    // Screen point of the tip's top-left corner beside the thumb.
    POINT GetTipPosition(HWND window, int bar, HWND scrollBar, int width, int height) const;

protected:
    void OnPaint();

private:
    DECLARE_MESSAGE_MAP()
};
