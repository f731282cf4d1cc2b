#include "winui/richedit.h"

#include <cstring>

namespace winui {

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle)
{
    static HMODULE library = LoadLibraryA("riched20.dll");
    if (!library)
        return FALSE;
    return CreateControl(RICHEDIT_CLASSA, "", style | WS_CHILD, rect, parent, id, exStyle);
}

namespace {
struct InStream {
    const char* bytes;
    size_t size;
    size_t pos;
};

// The control reads each piece on its own: a piece that ended on the CR of
// a CR LF pair would make that one line end two. Such a piece is handed
// out one byte shorter, so the pair comes whole in the next one.
DWORD CALLBACK read_bytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got)
{
    auto* in = reinterpret_cast<InStream*>(cookie);
    const char* bytes = in->bytes;
    size_t left = in->size - in->pos;
    size_t n = left < static_cast<size_t>(size) ? left : static_cast<size_t>(size);
    if (n > 1 && n < left && bytes[in->pos + n - 1] == '\r' && bytes[in->pos + n] == '\n')
        --n;
    std::memcpy(buffer, bytes + in->pos, n);
    in->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK write_bytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer),
                                                   static_cast<size_t>(size));
    *done = size;
    return 0;
}
} // namespace

bool CRichEditCtrl::StreamIn(const char* bytes, size_t size, int format)
{
    InStream in{bytes, size, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&in);
    es.pfnCallback = read_bytes;
    SendMessage(EM_STREAMIN, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0;
}

std::string CRichEditCtrl::StreamOut(int format) const
{
    std::string out;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    es.pfnCallback = write_bytes;
    SendMessage(EM_STREAMOUT, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&es));
    return out;
}

CHARRANGE CRichEditCtrl::GetSel() const
{
    CHARRANGE range{0, 0};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void CRichEditCtrl::SetSel(LONG start, LONG end) const
{
    CHARRANGE range{start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

LONG CRichEditCtrl::GetTextLength() const
{
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return static_cast<LONG>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

std::string CRichEditCtrl::GetTextRange(LONG start, LONG end) const
{
    if (end <= start)
        return std::string();
    std::string text(static_cast<size_t>(end - start) * 2 + 1, '\0');
    TEXTRANGEA range{{start, end}, &text[0]};
    LRESULT n = SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

bool CRichEditCtrl::SetTabStops(const LONG* twips, int count) const
{
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = static_cast<SHORT>(count < MAX_TAB_STOPS ? count : MAX_TAB_STOPS);
    for (int i = 0; i < pf.cTabCount; ++i)
        pf.rgxTabs[i] = twips[i];
    return SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)) != 0;
}

LONG CRichEditCtrl::FindText(DWORD flags, const char* text, CHARRANGE range, CHARRANGE* found) const
{
    FINDTEXTEXA ft{};
    ft.chrg = range;
    ft.lpstrText = text;
    LONG at = static_cast<LONG>(SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&ft)));
    if (found)
        *found = ft.chrgText;
    return at;
}

} // namespace winui
