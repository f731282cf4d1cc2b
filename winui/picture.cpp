#include "winui/picture.h"

#include <cstdio>

namespace winui {

bool CWindowPicture::Capture(HWND wnd)
{
    RECT rc;
    if (!::GetClientRect(wnd, &rc))
        rc = RECT{0, 0, 0, 0};
    return CaptureArea(wnd, POINT{0, 0}, rc.right, rc.bottom);
}

bool CWindowPicture::CaptureFromScreen(HWND wnd)
{
    RECT rc;
    POINT origin{0, 0};
    if (!::GetClientRect(wnd, &rc) || !::ClientToScreen(wnd, &origin))
        rc = RECT{0, 0, 0, 0};
    return CaptureArea(nullptr, origin, rc.right, rc.bottom);
}

bool CWindowPicture::CaptureWindowFromScreen(HWND wnd)
{
    RECT rc;
    if (!::GetWindowRect(wnd, &rc))
        rc = RECT{0, 0, 0, 0};
    return CaptureArea(nullptr, POINT{rc.left, rc.top}, rc.right - rc.left, rc.bottom - rc.top);
}

// Copies width x height pixels at origin of source's DC (the screen's for null).
bool CWindowPicture::CaptureArea(HWND source, POINT origin, int width, int height)
{
    width_ = height_ = 0;
    pixels_.clear();
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(source);
    if (!screen)
        return false;
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (mem && bmp && bits) {
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ok = ::BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
        ::GdiFlush();
        if (ok) {
            width_ = width;
            height_ = height;
            const uint32_t* p = static_cast<const uint32_t*>(bits);
            pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
            for (uint32_t& px : pixels_)
                px &= 0xFFFFFF;
        }
        ::SelectObject(mem, old);
    }
    if (bmp)
        ::DeleteObject(bmp);
    if (mem)
        ::DeleteDC(mem);
    ::ReleaseDC(source, screen);
    return ok;
}

COLORREF CWindowPicture::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    uint32_t px = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

bool CWindowPicture::SaveBmp(const std::string& path) const
{
    if (width_ <= 0 || height_ <= 0)
        return false;
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width_;
    ih.biHeight = height_; // bottom-up rows, the common form
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(rowBytes) * height_;
    fh.bfType = 0x4D42; // "BM"
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1;
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = height_ - 1; ok && y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            uint32_t px = pixels_[static_cast<size_t>(y) * width_ + x];
            row[x * 3] = px & 0xFF;
            row[x * 3 + 1] = (px >> 8) & 0xFF;
            row[x * 3 + 2] = (px >> 16) & 0xFF;
        }
        ok = std::fwrite(row.data(), row.size(), 1, f) == 1;
    }
    return std::fclose(f) == 0 && ok;
}

} // namespace winui
