// CView: a child window that shows a document, inside a frame (or a
// splitter inside a frame).
//
// - Created by the frame from a CCreateContext (CFrameWnd::CreateView); it
//   joins the context's document on WM_CREATE (CDocument::AddView) and
//   leaves it on WM_DESTROY.
// - Getting the focus makes it the active view of its frame (commands are
//   routed to it first); OnCmdMsg offers a command to the view's map, then
//   to its document's.
// - WM_PAINT: BeginPaint, OnDraw, EndPaint unless a derived map takes it.
// - A view deletes itself after its window is gone (m_bAutoDelete).
#pragma once

#include "winui/frame.h"
#include "winui/wnd.h"

namespace winui {

class CDocument;

class CView : public CWnd {
public:
    BOOL m_bAutoDelete = TRUE;

    CDocument* GetDocument() const { return m_pDocument; }
    // The frame the view stands in: the nearest CFrameWnd among its parents.
    CFrameWnd* GetParentFrame() const { return CFrameWnd::GetParentFrameOf(m_hWnd); }

    // The window class views are made of (CS_DBLCLKS, arrow, window brush).
    static const char* ViewClass();
    // CreateWindowExA of the view as child id of parent, joined to the
    // context's document. On failure the caller still owns the object.
    virtual BOOL Create(HWND parent, UINT id, CCreateContext* context,
                        DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = WS_EX_CLIENTEDGE);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs) { return TRUE; }

    // The first update after the document is loaded: OnUpdate(null, 0, null).
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    // The document changed (UpdateAllViews): the base repaints.
    virtual void OnUpdate(CView* sender, LPARAM hint, CCmdTarget* hintObject);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {}
    virtual void OnDraw(HDC dc) {}

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnPaint();

    CDocument* m_pDocument = nullptr;
    CCreateContext* creating_ = nullptr;

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};

} // namespace winui
