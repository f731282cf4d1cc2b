// CWnd: a window base class that owns an HWND and dispatches its messages to
// member functions declared in a message map:
//
//   class CMyWnd : public winui::CWnd {
//       DECLARE_MESSAGE_MAP()
//       LRESULT OnFoo(WPARAM, LPARAM);
//       void OnFileOpen();
//   };
//   BEGIN_MESSAGE_MAP(CMyWnd, winui::CWnd)
//       ON_MESSAGE(WM_USER + 1, &CMyWnd::OnFoo)
//       ON_COMMAND(ID_FILE_OPEN, &CMyWnd::OnFileOpen)
//   END_MESSAGE_MAP()
//
// Messages without an entry (in the class or its bases) go to the default
// window procedure (DefWindowProcA, or the procedure a subclassed window had).
// The map entries are listed in winui/cmdtarget.h.
//
// WM_COMMAND: a notification from a control (lParam the control) is first
// reflected to the control's own map (ON_CONTROL_REFLECT), then offered to
// this window's ON_CONTROL entries. Only a menu item, an accelerator or a
// click (code 0, or code 1 without a control) is a command: it goes to
// OnCmdMsg, which frames override to route it. WM_NOTIFY likewise: reflected
// to the control (ON_NOTIFY_REFLECT), then ON_NOTIFY entries.
// WM_DRAWITEM, WM_CTLCOLOR* and WM_HSCROLL/WM_VSCROLL from a control are
// reflected as WM_REFLECT_BASE + message when the control's map has such an
// ON_MESSAGE entry; otherwise this window's map sees them.
#pragma once

#include "winui/cmdtarget.h"

#include <windows.h>

namespace winui {

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers (once) a window class whose procedure dispatches to CWnd
    // objects. Returns the class name given.
    static const char* RegisterClass(const char* className, UINT style = CS_DBLCLKS,
                                     HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                     HICON icon = nullptr);

    // Creates the window of a class registered with RegisterClass.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);

    // Attaches an existing window (a standard control, a dialog) by
    // subclassing it; unhandled messages go to its original procedure.
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // DestroyWindowA (an MDI child frame sends WM_MDIDESTROY instead).
    virtual BOOL DestroyWindow();

    // Sees a message of this window or of a child before it is dispatched;
    // TRUE when it was used (accelerators, dialog keys). The message loop
    // asks the window of the message and then each of its parents.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    // Walks from msg->hwnd up through its parents asking PreTranslateMessage.
    static BOOL WalkPreTranslateTree(MSG* msg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    // The object attached to a window, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Window state: GetParent, GetWindowLongA(GWL_STYLE), GetClientRect,
    // SetFocus, GetFocus, IsWindow.
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    bool HasFocus() const { return m_hWnd && ::GetFocus() == m_hWnd; }

    // Painting: InvalidateRect, ValidateRect, UpdateWindow, ScrollWindowEx
    // (content moved by dx, dy pixels; the uncovered part is invalidated).
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const
    {
        ::InvalidateRect(m_hWnd, rect, erase);
    }
    void ValidateRect(const RECT* rect) const { ::ValidateRect(m_hWnd, rect); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void ScrollWindow(int dx, int dy) const
    {
        ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    }

    // Caret: CreateCaret (solid), DestroyCaret, ShowCaret, HideCaret,
    // SetCaretPos, GetCaretPos.
    void CreateSolidCaret(int width, int height) const
    {
        ::CreateCaret(m_hWnd, nullptr, width, height);
    }
    static void DestroyCaret() { ::DestroyCaret(); }
    void ShowCaret() const { ::ShowCaret(m_hWnd); }
    void HideCaret() const { ::HideCaret(m_hWnd); }
    static void SetCaretPos(int x, int y) { ::SetCaretPos(x, y); }
    static POINT GetCaretPos()
    {
        POINT pt{0, 0};
        ::GetCaretPos(&pt);
        return pt;
    }

    // Scroll bars: SetScrollPos, GetScrollPos, SetScrollRange, SetScrollInfo,
    // GetScrollInfo, ShowScrollBar. When GetScrollBarCtrl names a scroll bar
    // control for SB_HORZ or SB_VERT, the call goes to that control (SB_CTL)
    // instead of the window's own bar; ShowScrollBar always acts on the own bar.
    virtual HWND GetScrollBarCtrl(int bar) const { return nullptr; }
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) const;
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE) const;
    BOOL SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw = TRUE) const;
    BOOL GetScrollInfo(int bar, SCROLLINFO* info) const;
    void ShowScrollBar(int bar, BOOL show = TRUE) const { ::ShowScrollBar(m_hWnd, bar, show); }

    // Timers: SetTimer, KillTimer (WM_TIMER to this window).
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const
    {
        return ::SetTimer(m_hWnd, id, elapse, nullptr);
    }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // Mouse capture: SetCapture, ReleaseCapture, GetCapture.
    void SetCapture() const { ::SetCapture(m_hWnd); }
    static void ReleaseCapture() { ::ReleaseCapture(); }
    bool HasCapture() const { return m_hWnd && ::GetCapture() == m_hWnd; }

protected:
    // Dispatches through the message map; falls back to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND as described above; returns true when a map entry took it.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY as described above; true when handled, *result the answer.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers a message from a child control to the control's own map as
    // WM_REFLECT_BASE + message; true when the control handled it.
    static bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message (WM_NCDESTROY) when the handle is gone.
    virtual void PostNcDestroy() {}

    // The message being handled, for handlers that want the default result.
    LRESULT Default();

private:
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC oldProc_ = nullptr;
};

} // namespace winui

// void OnPaint()
#define ON_WM_PAINT()                                                          \
    {WM_PAINT, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM, LPARAM) -> LRESULT {        \
         static_cast<ThisClass*>(w)->OnPaint();                                \
         return 0;                                                             \
     }, nullptr},

// void OnSize(UINT type, int cx, int cy)
#define ON_WM_SIZE()                                                           \
    {WM_SIZE, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM lp) -> LRESULT {   \
         static_cast<ThisClass*>(w)->OnSize(static_cast<UINT>(wp),             \
                                            (short)LOWORD(lp), (short)HIWORD(lp)); \
         return 0;                                                             \
     }, nullptr},

// int OnCreate(LPCREATESTRUCTA) : -1 refuses the creation
#define ON_WM_CREATE()                                                         \
    {WM_CREATE, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM, LPARAM lp) -> LRESULT {    \
         return static_cast<ThisClass*>(w)->OnCreate(                          \
             reinterpret_cast<LPCREATESTRUCTA>(lp));                           \
     }, nullptr},

// void OnDestroy()
#define ON_WM_DESTROY()                                                        \
    {WM_DESTROY, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM, LPARAM) -> LRESULT {      \
         static_cast<ThisClass*>(w)->OnDestroy();                              \
         return 0;                                                             \
     }, nullptr},

// void OnClose()
#define ON_WM_CLOSE()                                                          \
    {WM_CLOSE, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM, LPARAM) -> LRESULT {        \
         static_cast<ThisClass*>(w)->OnClose();                                \
         return 0;                                                             \
     }, nullptr},

// void OnTimer(UINT_PTR id)
#define ON_WM_TIMER()                                                          \
    {WM_TIMER, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM) -> LRESULT {     \
         static_cast<ThisClass*>(w)->OnTimer(static_cast<UINT_PTR>(wp));       \
         return 0;                                                             \
     }, nullptr},

// void OnSetFocus(HWND oldFocus) / void OnKillFocus(HWND newFocus)
#define ON_WM_SETFOCUS()                                                       \
    {WM_SETFOCUS, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM) -> LRESULT {  \
         static_cast<ThisClass*>(w)->OnSetFocus(reinterpret_cast<HWND>(wp));  \
         return 0;                                                             \
     }, nullptr},
#define ON_WM_KILLFOCUS()                                                      \
    {WM_KILLFOCUS, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM) -> LRESULT { \
         static_cast<ThisClass*>(w)->OnKillFocus(reinterpret_cast<HWND>(wp)); \
         return 0;                                                             \
     }, nullptr},

// BOOL OnEraseBkgnd(HDC dc)
#define ON_WM_ERASEBKGND()                                                     \
    {WM_ERASEBKGND, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM) -> LRESULT { \
         return static_cast<ThisClass*>(w)->OnEraseBkgnd(reinterpret_cast<HDC>(wp)); \
     }, nullptr},

// Mouse buttons and moves in client coordinates:
// void OnXxx(UINT flags, POINT point), flags the MK_ bits of wParam.
#define WINUI_MOUSE_CRACKER(msg, fn)                                           \
    {msg, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM lp) -> LRESULT {       \
         POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};                       \
         static_cast<ThisClass*>(w)->fn(static_cast<UINT>(wp), pt);            \
         return 0;                                                             \
     }, nullptr},
#define ON_WM_LBUTTONDOWN() WINUI_MOUSE_CRACKER(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() WINUI_MOUSE_CRACKER(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() WINUI_MOUSE_CRACKER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() WINUI_MOUSE_CRACKER(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() WINUI_MOUSE_CRACKER(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() WINUI_MOUSE_CRACKER(WM_MOUSEMOVE, OnMouseMove)
// void OnNcLButtonDown(UINT hitTest, POINT screenPoint)
#define ON_WM_NCLBUTTONDOWN() WINUI_MOUSE_CRACKER(WM_NCLBUTTONDOWN, OnNcLButtonDown)

// BOOL OnMouseWheel(UINT flags, short delta, POINT screenPoint)
#define ON_WM_MOUSEWHEEL()                                                     \
    {WM_MOUSEWHEEL, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM lp) -> LRESULT { \
         POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};                       \
         return static_cast<ThisClass*>(w)->OnMouseWheel(                      \
             LOWORD(wp), static_cast<short>(HIWORD(wp)), pt);                  \
     }, nullptr},

// Keys: void OnXxx(UINT key, UINT repeat, UINT flags), flags the high word
// of lParam (scan code, extended, context and transition bits).
#define WINUI_KEY_CRACKER(msg, fn)                                             \
    {msg, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM lp) -> LRESULT {       \
         static_cast<ThisClass*>(w)->fn(static_cast<UINT>(wp), LOWORD(lp),     \
                                        HIWORD(lp));                           \
         return 0;                                                             \
     }, nullptr},
#define ON_WM_KEYDOWN() WINUI_KEY_CRACKER(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() WINUI_KEY_CRACKER(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() WINUI_KEY_CRACKER(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() WINUI_KEY_CRACKER(WM_SYSKEYDOWN, OnSysKeyDown)

// void OnXScroll(UINT code, UINT thumbPos, HWND scrollBar) (bar null: the
// window's own bar)
#define WINUI_SCROLL_CRACKER(msg, fn)                                          \
    {msg, 0, 0, 0, [](::winui::CCmdTarget* w, WPARAM wp, LPARAM lp) -> LRESULT {       \
         static_cast<ThisClass*>(w)->fn(LOWORD(wp), HIWORD(wp),                \
                                        reinterpret_cast<HWND>(lp));           \
         return 0;                                                             \
     }, nullptr},
#define ON_WM_VSCROLL() WINUI_SCROLL_CRACKER(WM_VSCROLL, OnVScroll)
#define ON_WM_HSCROLL() WINUI_SCROLL_CRACKER(WM_HSCROLL, OnHScroll)
