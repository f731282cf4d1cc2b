#include "winui/findreplace.h"

#include <cstring>

namespace winui {

CFindReplaceDialog::CFindReplaceDialog()
{
    std::memset(&m_fr, 0, sizeof m_fr);
    findWhat_[0] = replaceWith_[0] = '\0';
}

CFindReplaceDialog::~CFindReplaceDialog()
{
    Close();
}

UINT CFindReplaceDialog::Message()
{
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

CFindReplaceDialog* CFindReplaceDialog::FromMessage(LPARAM lParam)
{
    auto* fr = reinterpret_cast<FINDREPLACEA*>(lParam);
    return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

static void copy_text(char* to, size_t size, const char* from)
{
    to[0] = '\0';
    if (from)
        std::strncat(to, from, size - 1);
}

bool CFindReplaceDialog::Create(bool findOnly, const char* findWhat, const char* replaceWith,
                                DWORD flags, HWND owner)
{
    if (m_hWnd)
        return false;
    findOnly_ = findOnly;
    copy_text(findWhat_, sizeof findWhat_, findWhat);
    copy_text(replaceWith_, sizeof replaceWith_, replaceWith);
    std::memset(&m_fr, 0, sizeof m_fr);
    m_fr.lStructSize = sizeof m_fr;
    m_fr.hwndOwner = owner;
    m_fr.hInstance = GetModuleHandleA(nullptr);
    m_fr.Flags = flags;
    m_fr.lpstrFindWhat = findWhat_;
    m_fr.wFindWhatLen = text_size;
    m_fr.lpstrReplaceWith = replaceWith_;
    m_fr.wReplaceWithLen = text_size;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    m_hWnd = findOnly ? FindTextA(&m_fr) : ReplaceTextA(&m_fr);
    return m_hWnd != nullptr;
}

void CFindReplaceDialog::Close()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool CFindReplaceDialog::IsTerminating()
{
    if (!(m_fr.Flags & FR_DIALOGTERM))
        return false;
    m_hWnd = nullptr;
    return true;
}

} // namespace winui
