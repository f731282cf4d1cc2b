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
#pragma once

#include <windows.h>

namespace winui {

class CWnd;

// One entry of a message map. For WM_COMMAND entries idFirst..idLast is the
// command id range (the low word of wParam); for others it is unused.
struct MsgMapEntry {
    UINT message;
    UINT idFirst;
    UINT idLast;
    LRESULT (*handler)(CWnd* wnd, WPARAM wParam, LPARAM lParam);
};

struct MsgMap {
    const MsgMap* base;
    const MsgMapEntry* entries; // ends with an entry whose handler is null
};

class CWnd {
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

    BOOL DestroyWindow();

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

protected:
    // Dispatches through the message map; falls back to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Handles a command id; returns true when a map entry took it.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message (WM_NCDESTROY) when the handle is gone.
    virtual void PostNcDestroy() {}

    // The message being handled, for handlers that want the default result.
    LRESULT Default();

    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const { return GetThisMessageMap(); }

private:
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    const MsgMapEntry* FindEntry(UINT message, UINT id) const;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC oldProc_ = nullptr;
    struct Current {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } current_{};
};

} // namespace winui

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const ::winui::MsgMap* GetThisMessageMap();          \
    const ::winui::MsgMap* GetMessageMap() const override;      \
                                                                \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const ::winui::MsgMap* theClass::GetMessageMap() const                     \
    {                                                                          \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const ::winui::MsgMap* theClass::GetThisMessageMap()                       \
    {                                                                          \
        using ThisClass = theClass;                                            \
        using TheBaseClass = baseClass;                                        \
        static const ::winui::MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
        {0, 0, 0, nullptr}};                                                   \
        static const ::winui::MsgMap map = {TheBaseClass::GetThisMessageMap(), \
                                            entries};                          \
        return &map;                                                           \
    }

// LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(msg, memberFn)                                              \
    {msg, 0, 0, [](::winui::CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {       \
         return (static_cast<ThisClass*>(w)->*memberFn)(wp, lp);               \
     }},

// void Handler()
#define ON_COMMAND(id, memberFn)                                               \
    {WM_COMMAND, id, id, [](::winui::CWnd* w, WPARAM, LPARAM) -> LRESULT {    \
         (static_cast<ThisClass*>(w)->*memberFn)();                            \
         return 0;                                                             \
     }},

// void Handler(UINT id)
#define ON_COMMAND_RANGE(idFirst, idLast, memberFn)                            \
    {WM_COMMAND, idFirst, idLast, [](::winui::CWnd* w, WPARAM wp, LPARAM) -> LRESULT { \
         (static_cast<ThisClass*>(w)->*memberFn)(LOWORD(wp));                  \
         return 0;                                                             \
     }},

// void OnPaint()
#define ON_WM_PAINT()                                                          \
    {WM_PAINT, 0, 0, [](::winui::CWnd* w, WPARAM, LPARAM) -> LRESULT {        \
         static_cast<ThisClass*>(w)->OnPaint();                                \
         return 0;                                                             \
     }},

// void OnSize(UINT type, int cx, int cy)
#define ON_WM_SIZE()                                                           \
    {WM_SIZE, 0, 0, [](::winui::CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {   \
         static_cast<ThisClass*>(w)->OnSize(static_cast<UINT>(wp),             \
                                            (short)LOWORD(lp), (short)HIWORD(lp)); \
         return 0;                                                             \
     }},

// int OnCreate(LPCREATESTRUCTA) : -1 refuses the creation
#define ON_WM_CREATE()                                                         \
    {WM_CREATE, 0, 0, [](::winui::CWnd* w, WPARAM, LPARAM lp) -> LRESULT {    \
         return static_cast<ThisClass*>(w)->OnCreate(                          \
             reinterpret_cast<LPCREATESTRUCTA>(lp));                           \
     }},

// void OnDestroy()
#define ON_WM_DESTROY()                                                        \
    {WM_DESTROY, 0, 0, [](::winui::CWnd* w, WPARAM, LPARAM) -> LRESULT {      \
         static_cast<ThisClass*>(w)->OnDestroy();                              \
         return 0;                                                             \
     }},

// void OnClose()
#define ON_WM_CLOSE()                                                          \
    {WM_CLOSE, 0, 0, [](::winui::CWnd* w, WPARAM, LPARAM) -> LRESULT {        \
         static_cast<ThisClass*>(w)->OnClose();                                \
         return 0;                                                             \
     }},

// void OnTimer(UINT_PTR id)
#define ON_WM_TIMER()                                                          \
    {WM_TIMER, 0, 0, [](::winui::CWnd* w, WPARAM wp, LPARAM) -> LRESULT {     \
         static_cast<ThisClass*>(w)->OnTimer(static_cast<UINT_PTR>(wp));       \
         return 0;                                                             \
     }},
