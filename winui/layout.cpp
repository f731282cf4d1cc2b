#include "winui/layout.h"

namespace winui {

void RepositionBars(HWND parent, UINT idLeftOver, const RECT* within, RECT* clientOut,
                    BOOL stretch)
{
    SizeParentParams params{};
    params.bStretch = stretch;
    params.hDWP = clientOut ? nullptr : BeginDeferWindowPos(8);
    if (within)
        params.rect = *within;
    else
        GetClientRect(parent, &params.rect);
    HWND leftOver = nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (static_cast<UINT>(GetDlgCtrlID(child)) == idLeftOver) {
            leftOver = child;
            continue;
        }
        SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&params));
    }
    if (clientOut) {
        *clientOut = params.rect;
        return;
    }
    if (leftOver && params.hDWP) {
        const RECT& r = params.rect;
        params.hDWP = DeferWindowPos(params.hDWP, leftOver, nullptr, r.left, r.top,
                                     r.right > r.left ? r.right - r.left : 0,
                                     r.bottom > r.top ? r.bottom - r.top : 0,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (params.hDWP)
        EndDeferWindowPos(params.hDWP);
}

} // namespace winui
