// A hook library for the program tests: loaded into the program under test
// through SetWindowsHookEx (WH_CALLWNDPROC), it reports every caption write
// (WM_SETTEXT) of a top-level window by posting WM_APP with that window to
// the test's window of class "CaptionProbe".
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK CaptionProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (m->message == WM_SETTEXT && !GetParent(m->hwnd)) {
            if (HWND probe = FindWindowA("CaptionProbe", nullptr))
                PostMessageA(probe, WM_APP, reinterpret_cast<WPARAM>(m->hwnd), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

