// CSmallToggleButton: the stay-on-top button in the main window's caption,
// left of the system caption buttons. Checked, it keeps the owner above
// other windows (bitmap 198); unchecked, the owner stacks normally
// (bitmap 197).
#pragma once

#include "winui/wnd.h"

const UINT kOnTopOffBitmap = 197;
const UINT kOnTopOnBitmap = 198;

class CSmallToggleButton : public winui::CWnd {
public:
    CSmallToggleButton() = default;
    ~CSmallToggleButton() override;

    // A popup button owned by owner; 0 on failure.
    int Create(HWND owner);
    // Places the button in the owner's caption and shows it.
    void Reposition();
    bool IsChecked() const;

    // Where the button goes for an owner rectangle and the caption metrics
    // (caption button width and height, vertical frame thickness).
    static RECT PlaceFor(const RECT& owner, int buttonWidth, int captionHeight, int frameHeight);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLButtonDown();
    static void RefreshMetrics();

    HWND m_hOwner = nullptr;
    HBITMAP m_hOff = nullptr;
    HBITMAP m_hOn = nullptr;
    static int s_nWidth, s_nHeight, s_nFrameX, s_nFrameY;
};
