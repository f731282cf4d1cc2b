// CVelloMDIFloatWnd: a bar floating as a window of the MDI client, among
// the documents, instead of in a window of its own over the frame. The
// bar's "Float" menu item (SIZEBAR_MDI_FLOAT) moves it between the two
// kinds (CVelloMDIFrameWndSizeDock::FloatInMdiWindow, FloatInMiniFrame).
//
// The window is moved, sized, minimised and maximised as any MDI child; its
// client size is the bar's floating size and its caption the bar's title.
// A bar in it is not dragged to dock: "Float" takes it back to a floating
// window first. Closing the window hides the bar (deletes it with
// SIZEBAR_DELETE_ON_CLOSE); shown again, it floats over the frame.
#pragma once

#include "winui/controlbar.h"
#include "winui/mdi.h"

#include <windows.h>

class CVelloMDIFloatWnd : public winui::CMDIChildWnd {
public:
    CVelloMDIFloatWnd();
    ~CVelloMDIFloatWnd() override;

    using winui::CMDIChildWnd::Create;
    // Makes the window (hidden, at the client's default place) in the MDI
    // client of pParent. dwBarStyle: the bar's side and CBRS_FLOAT_MULTI.
    virtual BOOL Create(winui::CMDIFrameWnd* pParent, DWORD dwBarStyle);
    // Puts bar into the window, its client sized to the bar's floating size.
    void AttachBar(winui::CControlBar* bar, SIZE client);
    // Takes the bar out (into newParent) and destroys the window.
    void ReleaseBar(HWND newParent);

    void RecalcLayout() override;

    winui::CControlBar* m_pBar = nullptr;
    DWORD m_dwBarStyle = 0;

    static const char* FloatWndClass();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    LRESULT OnWindowPosChanged(WPARAM, LPARAM);
    LRESULT OnParentNotify(WPARAM, LPARAM);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool layoutSuspended_ = false;

    DECLARE_MESSAGE_MAP()
};
