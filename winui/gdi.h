// Device contexts, fonts and fills: thin owners of GDI handles that give
// them back when they go out of scope.
//
//   CClientDC      GetDC / ReleaseDC
//   CPaintDC       BeginPaint / EndPaint
//   CSelectObject  SelectObject, and SelectObject of the old object at the end
//   CFont          CreateFontA, CreateFontIndirectA, GetObjectA, DeleteObject
//   FillSolidRect  SetBkColor + ExtTextOutA(ETO_OPAQUE), the background kept
#pragma once

#include <windows.h>

namespace winui {

class CClientDC {
public:
    explicit CClientDC(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ~CClientDC()
    {
        if (dc_)
            ::ReleaseDC(wnd_, dc_);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

class CPaintDC {
public:
    explicit CPaintDC(HWND wnd) : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
    ~CPaintDC() { ::EndPaint(wnd_, &ps_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND wnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~CSelectObject()
    {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                    const char* face);
    BOOL CreateFontIndirect(const LOGFONTA* lf);
    // Reads the logical description of the font; false without a font.
    bool GetLogFont(LOGFONTA* lf) const;
    void DeleteObject();

    HFONT m_hObject = nullptr;
    operator HFONT() const { return m_hObject; }
};

// Fills a rectangle with a solid colour; the DC's background colour is kept.
void FillSolidRect(HDC dc, const RECT& rect, COLORREF color);

} // namespace winui
