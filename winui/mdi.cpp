#include "winui/mdi.h"

#include "winui/doc.h"
#include "winui/doctemplate.h"
#include "winui/view.h"

namespace winui {

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnWindowCascade)
    ON_COMMAND_RANGE(ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnWindowTile)
    ON_COMMAND(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnWindowArrange)
    ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
END_MESSAGE_MAP()

static bool holds_window_commands(HMENU popup)
{
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT)
            return true;
    }
    return false;
}

HMENU CMDIFrameWnd::FindWindowMenu(HMENU menuBar)
{
    if (!menuBar)
        return nullptr;
    HMENU last = nullptr;
    int count = GetMenuItemCount(menuBar);
    for (int i = 0; i < count; ++i) {
        HMENU popup = GetSubMenu(menuBar, i);
        if (!popup)
            continue;
        if (holds_window_commands(popup))
            return popup;
        last = popup;
    }
    return last;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA cs, CCreateContext*)
{
    m_hMenuDefault = cs->hMenu;
    return CreateClient(cs, FindWindowMenu(cs->hMenu));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA cs, HMENU windowMenu)
{
    CLIENTCREATESTRUCT ccs{windowMenu, AFX_IDM_FIRST_MDICHILD};
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                  (cs->style & (WS_HSCROLL | WS_VSCROLL));
    m_hWndMDIClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0,
                                      m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      GetModuleHandleA(nullptr), &ccs);
    // The scroll bars belong to the client: the frame keeps none of its own.
    const LONG_PTR frameStyle = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    if (frameStyle & (WS_HSCROLL | WS_VSCROLL)) {
        SetWindowLongPtrA(m_hWnd, GWL_STYLE, frameStyle & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The client fills the frame on WM_SIZE in DefFrameProcA; the frame's
    // own layout places it between the bars instead.
    if (message == WM_SIZE)
        return 0;
    return DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    if (!m_hWndMDIClient)
        return nullptr;
    HWND child = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    return dynamic_cast<CMDIChildWnd*>(FromHandle(child));
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU frameMenu, HMENU windowMenu)
{
    HMENU old = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(frameMenu),
                                                       reinterpret_cast<LPARAM>(windowMenu)));
    DrawMenuBar(m_hWnd);
    return old;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable &&
        TranslateAcceleratorA(m_hWnd, child->m_hAccelTable, msg))
        return TRUE;
    if (m_hWndMDIClient && TranslateMDISysAccel(m_hWndMDIClient, msg))
        return TRUE;
    return m_hAccelTable && TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!m_hWnd)
        return;
    std::string text = m_strTitle;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    // A maximised child's title is shown by the system as "[title]".
    if (addToTitle && addToTitle_ && doc && !maximized)
        text += " - " + doc->GetTitle();
    // The system's own " - [title]" behind the text is no change: writing
    // the text again would only make the system add it again.
    if (maximized && child) {
        char shown[512];
        const int n = GetWindowTextA(m_hWnd, shown, sizeof shown);
        const std::string now(shown, static_cast<size_t>(n > 0 ? n : 0));
        if (now.compare(0, text.size() + 3, text + " - ") == 0 && now.size() > text.size() + 3 &&
            now[text.size() + 3] == '[')
            return;
    }
    SetWindowTextIfChanged(text);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* child = MDIGetActive();
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return;
    if (CFrameWnd* frame = docTemplate->CreateNewFrame(doc, child))
        docTemplate->InitialUpdateFrame(frame, doc);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MDIACTIVATE, &CMDIChildWnd::OnMDIActivate)
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(const char* className, const char* title, DWORD style, const RECT* rect,
                          HWND parent, HMENU, DWORD, CCreateContext* context)
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(FromHandle(parent));
    if (!frame || !frame->m_hWndMDIClient)
        return FALSE;
    CREATESTRUCTA cs{};
    cs.lpszClass = className ? className : FrameClass();
    cs.lpszName = title ? title : "";
    cs.style = style;
    cs.x = rect ? rect->left : CW_USEDEFAULT;
    cs.y = rect ? rect->top : CW_USEDEFAULT;
    cs.cx = rect ? rect->right - rect->left : CW_USEDEFAULT;
    cs.cy = rect ? rect->bottom - rect->top : CW_USEDEFAULT;
    cs.hwndParent = frame->m_hWndMDIClient;
    cs.dwExStyle = WS_EX_MDICHILD;
    if (!PreCreateWindow(cs))
        return FALSE;
    if (m_strTitle.empty() && title)
        m_strTitle = title;
    addToTitle_ = (cs.style & FWS_ADDTOTITLE) != 0;
    // A child made maximised while another is maximised would flicker:
    // the client keeps the maximised state for the new child itself.
    MDICREATESTRUCTA mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(FWS_ADDTOTITLE | WS_CHILD);
    mcs.lParam = reinterpret_cast<LPARAM>(static_cast<CWnd*>(this));
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    SetCreationContext(context);
    HWND h = reinterpret_cast<HWND>(::SendMessageA(frame->m_hWndMDIClient, WM_MDICREATE, 0,
                                                   reinterpret_cast<LPARAM>(&mcs)));
    SetCreationContext(nullptr);
    m_bAutoDelete = autoDelete;
    return h != nullptr && m_hWnd == h;
}

BOOL CMDIChildWnd::LoadFrame(UINT resId, DWORD style, HWND parent, CCreateContext* context)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    m_nIDResource = resId;
    std::string title = LoadResourceString(resId);
    title = title.substr(0, title.find('\n'));
    if (!m_hMenuShared) {
        m_hMenuShared = LoadMenuA(inst, MAKEINTRESOURCEA(resId));
        ownsMenu_ = m_hMenuShared != nullptr;
    }
    if (!m_hAccelTable)
        m_hAccelTable = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(resId));
    if (!Create(nullptr, title.c_str(), style, nullptr, parent, nullptr, 0, context))
        return FALSE;
    // A document type without an icon of its own shows the program's.
    HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(resId));
    if (!icon && GetMDIFrame())
        icon = reinterpret_cast<HICON>(::SendMessageA(GetMDIFrame()->m_hWnd, WM_GETICON, ICON_SMALL, 0));
    if (icon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return client ? dynamic_cast<CMDIFrameWnd*>(FromHandle(::GetParent(client))) : nullptr;
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND client = ::GetParent(m_hWnd);
    ::SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return TRUE;
}

void CMDIChildWnd::MDIActivate() const
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() const
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore() const
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow >= 0 && cmdShow != SW_SHOW && cmdShow != SW_SHOWNORMAL)
        ShowWindow(m_hWnd, cmdShow);
    else if (!IsWindowVisible(m_hWnd))
        ShowWindow(m_hWnd, SW_SHOW);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!m_hWnd)
        return;
    CDocument* doc = GetActiveDocument();
    std::string text = m_strTitle;
    if (addToTitle && addToTitle_ && doc) {
        text = doc->GetTitle();
        // Number the windows of a document that has several.
        std::vector<CFrameWnd*> frames;
        for (CView* view : doc->GetViews()) {
            CFrameWnd* frame = view->GetParentFrame();
            bool known = false;
            for (CFrameWnd* f : frames)
                known = known || f == frame;
            if (!known)
                frames.push_back(frame);
        }
        if (frames.size() > 1) {
            for (size_t i = 0; i < frames.size(); ++i) {
                if (frames[i] == this)
                    text += ":" + std::to_string(i + 1);
            }
        }
    }
    CMDIFrameWnd* frame = GetMDIFrame();
    // Only a title that changed concerns the frame: the Window menu lists
    // the children by their titles, and the frame's caption may show it.
    // (The frame brings its own caption up to date in its idle pass and on
    // activation.)
    if (SetWindowTextIfChanged(text) && frame) {
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        DrawMenuBar(frame->m_hWnd);
        frame->OnUpdateFrameTitle(TRUE);
    }
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy)
{
    Default(); // DefMDIChildProcA keeps the maximised state and the client's scroll bars
    CFrameWnd::OnSize(type, cx, cy);
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* frame = GetMDIFrame();
    CFrameWnd::OnDestroy();
    if (!frame)
        return;
    // The last child gone: the frame's own menu returns.
    bool others = false;
    for (HWND h = GetWindow(frame->m_hWndMDIClient, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        others = others || (h != m_hWnd && dynamic_cast<CMDIChildWnd*>(FromHandle(h)));
    if (!others && frame->m_hMenuDefault)
        frame->MDISetMenu(frame->m_hMenuDefault, CMDIFrameWnd::FindWindowMenu(frame->m_hMenuDefault));
    if (ownsMenu_ && m_hMenuShared && GetMenu(frame->m_hWnd) != m_hMenuShared) {
        DestroyMenu(m_hMenuShared);
        m_hMenuShared = nullptr;
    }
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM activated)
{
    LRESULT result = Default();
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && reinterpret_cast<HWND>(activated) == m_hWnd) {
        if (m_hMenuShared)
            frame->MDISetMenu(m_hMenuShared, CMDIFrameWnd::FindWindowMenu(m_hMenuShared));
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
        frame->OnUpdateFrameTitle(TRUE);
    }
    return result;
}

} // namespace winui
