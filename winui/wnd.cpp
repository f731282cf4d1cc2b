#include "winui/wnd.h"

namespace winui {

// The object of a window lives in a window property so that subclassed
// standard controls (whose GWLP_USERDATA may be used) work too.
static const char object_prop[] = "winui.CWnd";

CWnd::~CWnd()
{
    if (m_hWnd && IsWindow(m_hWnd)) {
        HWND h = m_hWnd;
        if (oldProc_)
            UnsubclassWindow();
        else
            RemovePropA(h, object_prop);
        m_hWnd = nullptr;
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(GetPropA(hwnd, object_prop)) : nullptr;
}

const char* CWnd::RegisterClass(const char* className, UINT style, HCURSOR cursor,
                                HBRUSH background, HICON icon)
{
    WNDCLASSA wc;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (GetClassInfoA(inst, className, &wc))
        return className;
    ZeroMemory(&wc, sizeof wc);
    wc.style = style;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    ::RegisterClassA(&wc);
    return className;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId)
{
    HWND h = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent,
                             menuOrId, GetModuleHandleA(nullptr), this);
    return h != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return FALSE;
    m_hWnd = hwnd;
    SetPropA(hwnd, object_prop, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND h = m_hWnd;
    if (h && oldProc_) {
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(h, object_prop);
    }
    oldProc_ = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* wnd = FromHandle(h);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) const
{
    if (HWND ctrl = GetScrollBarCtrl(bar))
        return ::SetScrollPos(ctrl, SB_CTL, pos, redraw);
    return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}

int CWnd::GetScrollPos(int bar) const
{
    if (HWND ctrl = GetScrollBarCtrl(bar))
        return ::GetScrollPos(ctrl, SB_CTL);
    return ::GetScrollPos(m_hWnd, bar);
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) const
{
    if (HWND ctrl = GetScrollBarCtrl(bar))
        ::SetScrollRange(ctrl, SB_CTL, minPos, maxPos, redraw);
    else
        ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

BOOL CWnd::SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw) const
{
    info->cbSize = sizeof(SCROLLINFO);
    if (HWND ctrl = GetScrollBarCtrl(bar))
        ::SetScrollInfo(ctrl, SB_CTL, info, redraw);
    else
        ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info) const
{
    info->cbSize = sizeof(SCROLLINFO);
    if (HWND ctrl = GetScrollBarCtrl(bar))
        return ::GetScrollInfo(ctrl, SB_CTL, info);
    return ::GetScrollInfo(m_hWnd, bar, info);
}

bool CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result)
{
    CWnd* control = FromHandle(child);
    if (!control)
        return false;
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        code = nm->code;
        id = static_cast<UINT>(nm->idFrom);
    }
    CmdHandlerInfo found;
    if (!control->FindMsgEntry(WM_REFLECT_BASE + message, code, id, &found))
        return false;
    *result = found.entry->handler(found.target, wParam, lParam);
    return true;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        LRESULT ignored;
        if (control != m_hWnd && ReflectToChild(control, WM_COMMAND, wParam, lParam, &ignored))
            return true;
        CmdHandlerInfo found;
        if (FindMsgEntry(WM_COMMAND, code, id, &found)) {
            found.entry->handler(found.target, wParam, lParam);
            return true;
        }
    }
    // A menu item sends code 0 without a control, an accelerator code 1
    // without a control, a button click BN_CLICKED (0) with its control.
    // Every other code is a notification and never a command.
    bool isCommand = code == 0 || (code == 1 && !control);
    if (!isCommand)
        return false;
    return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr) != FALSE;
}

bool CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (!nm)
        return false;
    if (nm->hwndFrom != m_hWnd && ReflectToChild(nm->hwndFrom, WM_NOTIFY, 0, lParam, result))
        return true;
    CmdHandlerInfo found;
    if (!FindMsgEntry(WM_NOTIFY, nm->code, static_cast<UINT>(nm->idFrom), &found))
        return false;
    *result = found.entry->handler(found.target, nm->idFrom, lParam);
    return true;
}

// The control a reflectable message comes from, or null.
static HWND reflected_source(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        return lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam))
            return 0;
        return DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        return DefWindowProc(message, wParam, lParam);
    }
    if (HWND child = reflected_source(message, lParam)) {
        LRESULT result = 0;
        if (child != m_hWnd && ReflectToChild(child, message, wParam, lParam, &result))
            return result;
    }
    CmdHandlerInfo found;
    if (FindMsgEntry(message, 0, 0, &found))
        return found.entry->handler(found.target, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (oldProc_)
        return CallWindowProcA(oldProc_, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

// The messages being handled on this thread, innermost first. They live on
// the stack of Dispatch, not in the object: a handler may delete its own
// object (a frame destroyed in its OnClose).
namespace {
struct CurrentMessage {
    const CWnd* wnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CurrentMessage* outer;
};
thread_local CurrentMessage* current_message;
} // namespace

LRESULT CWnd::Default()
{
    for (CurrentMessage* m = current_message; m; m = m->outer) {
        if (m->wnd == this)
            return DefWindowProc(m->message, m->wParam, m->lParam);
    }
    return 0;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage current{this, message, wParam, lParam, current_message};
    current_message = &current;
    LRESULT result = WindowProc(message, wParam, lParam);
    current_message = current.outer;
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd && message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        // An MDI child is made by WM_MDICREATE: its creation parameter is
        // the MDICREATESTRUCTA, whose lParam carries the object.
        if (cs->dwExStyle & WS_EX_MDICHILD)
            wnd = cs->lpCreateParams
                      ? reinterpret_cast<CWnd*>(
                            static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams)->lParam)
                      : nullptr;
        else
            wnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (wnd) {
            wnd->m_hWnd = hwnd;
            SetPropA(hwnd, object_prop, wnd);
        }
    }
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = wnd->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        if (wnd->oldProc_) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->oldProc_));
            wnd->oldProc_ = nullptr;
        }
        RemovePropA(hwnd, object_prop);
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

} // namespace winui
