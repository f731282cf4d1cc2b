// CFrameWnd: a top-level frame (also the base of MDI frames and MDI child
// frames) with its menu, accelerators, bars and client.
//
// - LoadFrame(resId): LoadMenuA, LoadIconA, LoadStringA (title up to the
//   first '\n') and LoadAcceleratorsA of resource resId, then CreateWindowExA.
// - Layout: RecalcLayout places the bars (winui/controlbar.h) at the edges
//   and gives the rest to the child AFX_IDW_PANE_FIRST (RepositionBars); it
//   runs on WM_SIZE.
// - Command route (OnCmdMsg): the active view (which offers it to its
//   document), this frame, then the application; first handler wins. An MDI
//   frame offers it to its active child frame first (winui/mdi.h).
// - WM_INITMENUPOPUP: the update handlers of the popup's items run along
//   the same route (UpdateMenuCmdUI); items without any handler are greyed
//   when m_bAutoMenuEnable is set.
// - WM_CLOSE: asks the documents to save (through the application's
//   document manager for the main frame, the frame's document otherwise),
//   then DestroyWindow. The application's main frame posts WM_QUIT
//   (PostQuitMessage) when it is destroyed.
// - Window placement: GetWindowPlacement / SetWindowPlacement to and from a
//   profile key as "show,left,top,right,bottom" (the normal position).
// A frame deletes itself after its window is gone (m_bAutoDelete, on by
// default: frames are made with new).
#pragma once

#include "winui/controlbar.h"
#include "winui/wnd.h"

#include <string>

namespace winui {

class CDocument;
class CDocTemplate;
class CView;
class CProfile;

// Adds the active document's title to the frame's caption.
const DWORD FWS_ADDTOTITLE = 0x00008000;

// Factory of a class the framework creates for the program (documents,
// views, frames): RUNTIME_CLASS(CMyView).
using ObjectFactory = CCmdTarget* (*)();
template <class T>
CCmdTarget* CreateObject()
{
    return new T;
}
#define RUNTIME_CLASS(theClass) (&::winui::CreateObject<theClass>)

// What a frame needs to make its view: the view's class and its document.
struct CCreateContext {
    ObjectFactory m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bAutoMenuEnable = TRUE;
    HACCEL m_hAccelTable = nullptr; // from LoadFrame; TranslateAcceleratorA in PreTranslateMessage
    std::string m_strTitle;         // the application part of the caption
    UINT m_nIDResource = 0;

    // The window class frames are made of (CS_DBLCLKS, arrow, no brush).
    static const char* FrameClass();

    // CreateWindowExA of a frame; rect null means CW_USEDEFAULT. On failure
    // the caller still owns the object.
    virtual BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT* rect = nullptr, HWND parent = nullptr, HMENU menu = nullptr,
                        DWORD exStyle = 0, CCreateContext* context = nullptr);
    virtual BOOL LoadFrame(UINT resId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           HWND parent = nullptr, CCreateContext* context = nullptr);
    // Lets a derived frame change the creation values (styles, class).
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs) { return TRUE; }

    virtual void RecalcLayout();
    // ShowWindow of the bar, then RecalcLayout.
    void ShowControlBar(CControlBar* bar, BOOL show);

    CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this frame, or an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual BOOL IsMDIChild() const { return FALSE; }

    // Makes the view from the context; the first view becomes active.
    CView* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    // Sends the views of the frame their initial update, activates the
    // first view, shows the frame when makeVisible.
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    // Caption "document - title" (FWS_ADDTOTITLE) or the title alone.
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    // ShowWindow and BringWindowToTop (an MDI child activates itself).
    virtual void ActivateFrame(int cmdShow = -1);

    BOOL OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info) override;
    // Accelerators of the frame (TranslateAcceleratorA); TRUE when used.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The window placement in a profile key; false when the key is missing
    // or does not hold five numbers (the window then stays where it is).
    bool SaveWindowPlacement(const CProfile& profile, const char* section, const char* key) const;
    bool RestoreWindowPlacement(const CProfile& profile, const char* section, const char* key,
                                int showCmd = -1);

    // The nearest frame among hwnd's parents (not hwnd itself), or null.
    static CFrameWnd* GetParentFrameOf(HWND hwnd);

protected:
    // Called from WM_CREATE: makes the view when the context names one.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);
    // Asks the frame's documents to save; FALSE keeps the frame open.
    virtual BOOL CanCloseFrame();
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(HWND oldFocus);
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM info);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);

    // The context WM_CREATE hands to OnCreateClient (set around the creation).
    static void SetCreationContext(CCreateContext* context);
    // SetWindowTextA unless the caption is the text already; true when it changed.
    bool SetWindowTextIfChanged(const std::string& text);

    CView* m_pViewActive = nullptr;
    bool addToTitle_ = false;

    DECLARE_MESSAGE_MAP()
};

// LoadStringA of a string resource ("" when missing).
std::string LoadResourceString(UINT id);

} // namespace winui
