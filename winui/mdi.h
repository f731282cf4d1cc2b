// MDI frames: CMDIFrameWnd with its MDI client, CMDIChildWnd for each
// document window.
//
// CMDIFrameWnd
// - The client: CreateWindowExA("MDICLIENT") with CLIENTCREATESTRUCT (the
//   Window menu found in the menu bar, first child id
//   AFX_IDM_FIRST_MDICHILD), child id AFX_IDW_PANE_FIRST, so the frame
//   layout gives it the room between the bars. Unhandled messages go to
//   DefFrameProcA.
// - Window menu commands: ID_WINDOW_CASCADE (WM_MDICASCADE), ID_WINDOW_TILE_HORZ
//   and ID_WINDOW_TILE_VERT (WM_MDITILE), ID_WINDOW_ARRANGE (WM_MDIICONARRANGE),
//   ID_WINDOW_NEW (a further frame and view of the active document); the list
//   of children in the Window menu is the MDI client's own.
// - Commands go to the active child frame's route first (its view, its
//   document, the child frame), then this frame and the application.
// - PreTranslateMessage: the active child's accelerators, TranslateMDISysAccel,
//   then the frame's accelerators.
// CMDIChildWnd
// - Created by WM_MDICREATE on the frame's client; unhandled messages go to
//   DefMDIChildProcA; DestroyWindow sends WM_MDIDESTROY.
// - m_hMenuShared (the template's menu): set on the frame with WM_MDISETMENU
//   while the child is active; the frame's own menu returns when the last
//   child closes.
#pragma once

#include "winui/frame.h"

namespace winui {

class CMDIChildWnd;

const UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;
const UINT ID_WINDOW_NEW = 0xE130;
const UINT ID_WINDOW_ARRANGE = 0xE131;
const UINT ID_WINDOW_CASCADE = 0xE132;
const UINT ID_WINDOW_TILE_HORZ = 0xE133;
const UINT ID_WINDOW_TILE_VERT = 0xE134;

class CMDIFrameWnd : public CFrameWnd {
public:
    HWND m_hWndMDIClient = nullptr;
    HMENU m_hMenuDefault = nullptr; // the frame's menu without an active child

    virtual BOOL CreateClient(LPCREATESTRUCTA cs, HMENU windowMenu);
    // The popup of menuBar that holds the Window commands (the last popup
    // when none does), or null.
    static HMENU FindWindowMenu(HMENU menuBar);

    // WM_MDIGETACTIVE: the active child frame, or null.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(HWND child) const { ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0); }
    void MDICascade() const { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDITile(UINT how) const { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, how, 0); }
    void MDIIconArrange() const { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    void MDINext() const { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    void MDIMaximize(HWND child) const { ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0); }
    // WM_MDISETMENU and DrawMenuBar; returns the menu that was set before.
    HMENU MDISetMenu(HMENU frameMenu, HMENU windowMenu);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    BOOL OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    void OnWindowCascade() { MDICascade(); }
    void OnWindowTile(UINT id) { MDITile(id == ID_WINDOW_TILE_VERT ? MDITILE_VERTICAL : MDITILE_HORIZONTAL); }
    void OnWindowArrange() { MDIIconArrange(); }
    void OnWindowNew();

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
public:
    HMENU m_hMenuShared = nullptr; // not owned: the template's menu

    // WM_MDICREATE in the frame's client; rect null means the default place.
    BOOL Create(const char* className, const char* title, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                const RECT* rect = nullptr, HWND parent = nullptr, HMENU menu = nullptr,
                DWORD exStyle = 0, CCreateContext* context = nullptr) override;
    // Title from the string resource, icon from the icon resource; the menu
    // resource becomes m_hMenuShared when none is set. parent: the MDI frame.
    BOOL LoadFrame(UINT resId, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   HWND parent = nullptr, CCreateContext* context = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    BOOL DestroyWindow() override;
    void MDIActivate() const;
    void MDIMaximize() const;
    void MDIRestore() const;
    void ActivateFrame(int cmdShow = -1) override;
    BOOL IsMDIChild() const override { return TRUE; }
    // The document's title, with ":n" when the document has several windows.
    void OnUpdateFrameTitle(BOOL addToTitle) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    LRESULT OnMDIActivate(WPARAM, LPARAM activated);

    bool ownsMenu_ = false;

    DECLARE_MESSAGE_MAP()
};

} // namespace winui
