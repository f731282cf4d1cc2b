#include "editor/shell/small_toggle_button.h"

int CSmallToggleButton::s_nWidth = 19;
int CSmallToggleButton::s_nHeight = 18;
int CSmallToggleButton::s_nFrameX = 4;
int CSmallToggleButton::s_nFrameY = 4;

CSmallToggleButton::~CSmallToggleButton()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    if (m_hOff)
        DeleteObject(m_hOff);
    if (m_hOn)
        DeleteObject(m_hOn);
}

void CSmallToggleButton::RefreshMetrics()
{
    s_nWidth = GetSystemMetrics(SM_CXSIZE);
    if (s_nWidth < 19)
        s_nWidth = 19;
    s_nHeight = GetSystemMetrics(SM_CYSIZE);
    s_nFrameX = GetSystemMetrics(SM_CXFRAME);
    s_nFrameY = GetSystemMetrics(SM_CYFRAME);
}

int CSmallToggleButton::Create(HWND owner)
{
    RefreshMetrics();
    // Popup, visible, a check box drawn as a push button with a centred
    // bitmap, notifying.
    HWND h = ::CreateWindowExA(0, "BUTTON", "", 0x90005382, 0, 0, 0, 0, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!h || !SubclassWindow(h)) {
        if (h)
            ::DestroyWindow(h);
        return 0;
    }
    m_hOwner = owner;
    HINSTANCE module = GetModuleHandleA(nullptr);
    m_hOff = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(kOnTopOffBitmap), IMAGE_BITMAP, 0, 0,
                                             LR_LOADMAP3DCOLORS));
    m_hOn = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(kOnTopOnBitmap), IMAGE_BITMAP, 0, 0,
                                            LR_LOADMAP3DCOLORS));
    SendMessage(BM_SETCHECK, BST_UNCHECKED);
    SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hOff));
    return 1;
}

bool CSmallToggleButton::IsChecked() const
{
    return m_hWnd && SendMessage(BM_GETCHECK) == BST_CHECKED;
}

RECT CSmallToggleButton::PlaceFor(const RECT& owner, int buttonWidth, int captionHeight, int frameHeight)
{
    RECT r;
    r.left = owner.right - 4 * buttonWidth - 6;
    int height = captionHeight;
    r.top = owner.top + frameHeight;
    if (captionHeight - frameHeight > 14) {
        r.top = owner.top + frameHeight + 2;
        height = captionHeight - 4;
    }
    r.right = r.left + buttonWidth;
    r.bottom = r.top + height;
    return r;
}

void CSmallToggleButton::Reposition()
{
    if (!m_hWnd || !m_hOwner)
        return;
    RefreshMetrics();
    RECT owner;
    ::GetWindowRect(m_hOwner, &owner);
    RECT r = PlaceFor(owner, s_nWidth, s_nHeight, s_nFrameY);
    ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CSmallToggleButton::OnLButtonDown()
{
    if (IsChecked()) {
        SendMessage(BM_SETCHECK, BST_UNCHECKED);
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hOff));
        ::SetWindowPos(m_hOwner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        SendMessage(BM_SETCHECK, BST_CHECKED);
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hOn));
        ::SetWindowPos(m_hOwner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ::SetFocus(m_hOwner);
    Reposition();
}

LRESULT CSmallToggleButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN)
        OnLButtonDown();
    return winui::CWnd::WindowProc(message, wParam, lParam);
}
