#include "winui/view.h"

#include "winui/doc.h"

namespace winui {

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

const char* CView::ViewClass()
{
    return RegisterClass("winui.View", CS_DBLCLKS, nullptr,
                         reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CView::Create(HWND parent, UINT id, CCreateContext* context, DWORD style, DWORD exStyle)
{
    CREATESTRUCTA cs{};
    cs.lpszClass = ViewClass();
    cs.lpszName = "";
    cs.style = style | WS_CHILD;
    cs.dwExStyle = exStyle;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    if (!PreCreateWindow(cs))
        return FALSE;
    // A refused creation must not delete the object under the caller.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    creating_ = context;
    BOOL ok = CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                       cs.cy, cs.hwndParent, cs.hMenu);
    creating_ = nullptr;
    m_bAutoDelete = autoDelete;
    return ok;
}

void CView::OnUpdate(CView*, LPARAM, CCmdTarget*)
{
    Invalidate();
}

BOOL CView::OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info)
{
    if (CWnd::OnCmdMsg(id, code, extra, info))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, info);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (creating_ && creating_->m_pCurrentDoc)
            creating_->m_pCurrentDoc->AddView(this);
        break;
    case WM_SETFOCUS:
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetActiveView(this);
        break;
    case WM_MOUSEACTIVATE: {
        // A click into an inactive pane makes it the active view.
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT) {
            if (CFrameWnd* frame = GetParentFrame())
                frame->SetActiveView(this);
            // The view that is active already still takes the keyboard back
            // from a window outside it (a bar's pane of the same frame).
            HWND focus = ::GetFocus();
            if (focus != m_hWnd && !::IsChild(m_hWnd, focus))
                ::SetFocus(m_hWnd);
        }
        return result;
    }
    case WM_DESTROY: {
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (CFrameWnd* frame = GetParentFrame())
            if (frame->GetActiveView() == this)
                frame->SetActiveView(nullptr, FALSE);
        if (m_pDocument)
            m_pDocument->RemoveView(this);
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    OnDraw(dc);
    EndPaint(m_hWnd, &ps);
}

void CView::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

} // namespace winui
