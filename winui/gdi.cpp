#include "winui/gdi.h"

namespace winui {

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                       BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const char* face)
{
    DeleteObject();
    m_hObject = ::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                              strikeOut, charSet, outPrecision, clipPrecision, quality,
                              pitchAndFamily, face);
    return m_hObject != nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lf)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(lf);
    return m_hObject != nullptr;
}

bool CFont::GetLogFont(LOGFONTA* lf) const
{
    return m_hObject && ::GetObjectA(m_hObject, sizeof(LOGFONTA), lf) == sizeof(LOGFONTA);
}

void CFont::DeleteObject()
{
    if (m_hObject)
        ::DeleteObject(m_hObject);
    m_hObject = nullptr;
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color)
{
    COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

} // namespace winui
