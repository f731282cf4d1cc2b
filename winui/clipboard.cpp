#include "winui/clipboard.h"

#include <cstring>

namespace winui {

CClipboard::CClipboard(HWND owner)
{
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
        open_ = ::OpenClipboard(owner) != 0;
        if (!open_)
            ::Sleep(10);
    }
}

bool CClipboard::Close()
{
    if (!open_)
        return false;
    open_ = false;
    return ::CloseClipboard() != 0;
}

bool CClipboard::GetText(std::string& text) const
{
    text.clear();
    if (!open_)
        return false;
    HANDLE data = ::GetClipboardData(CF_TEXT);
    if (!data)
        return false;
    const char* p = static_cast<const char*>(::GlobalLock(data));
    if (!p)
        return false;
    text.assign(p, strnlen(p, ::GlobalSize(data)));
    ::GlobalUnlock(data);
    return true;
}

bool CClipboard::SetText(const std::string& text)
{
    if (!open_)
        return false;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block)
        return false;
    char* p = static_cast<char*>(::GlobalLock(block));
    if (!p) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(p, text.data(), text.size());
    p[text.size()] = 0;
    ::GlobalUnlock(block);
    if (!::SetClipboardData(CF_TEXT, block)) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

} // namespace winui
