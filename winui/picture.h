// The picture of a window's client area (or of the whole window), read back
// from the screen: GetDC, CreateCompatibleDC, CreateDIBSection (32 bits,
// top-down), BitBlt.
// A window of another process is read through the screen's DC.
// Tests look at single pixels and save the picture as a .bmp file to be
// looked at by a person.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace winui {

class CWindowPicture {
public:
    // Copies the client area as it stands on the screen now (paint the
    // window first, e.g. UpdateWindow). False when nothing could be read.
    bool Capture(HWND wnd);
    // The same read through the screen's DC (GetDC(null)) at the client
    // area's place, ClientToScreen: works for a window of another process
    // too, as long as nothing covers it.
    bool CaptureFromScreen(HWND wnd);
    // The whole window, its caption and frame too (GetWindowRect), read
    // through the screen's DC; points are then window coordinates.
    bool CaptureWindowFromScreen(HWND wnd);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour at a point of what was read (a client point, or a window
    // point for CaptureWindowFromScreen); CLR_INVALID outside the picture.
    COLORREF Pixel(int x, int y) const;
    // Writes a 24-bit .bmp file (BITMAPFILEHEADER, BITMAPINFOHEADER, rows).
    bool SaveBmp(const std::string& path) const;

private:
    bool CaptureArea(HWND source, POINT origin, int width, int height);
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_; // 0x00RRGGBB, rows from the top
};

} // namespace winui
