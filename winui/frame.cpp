#include "winui/frame.h"

#include "winui/app.h"
#include "winui/cmdui.h"
#include "winui/doc.h"
#include "winui/doctemplate.h"
#include "winui/profile.h"
#include "winui/view.h"

#include <cstdio>

namespace winui {

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable && m_nIDResource)
        DestroyAcceleratorTable(m_hAccelTable);
}

const char* CFrameWnd::FrameClass()
{
    return RegisterClass("winui.Frame", CS_DBLCLKS, nullptr,
                         reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
}

// The creation context travels through CreateWindowExA in this variable:
// lpCreateParams carries the object itself.
static thread_local CCreateContext* creating_context;

void CFrameWnd::SetCreationContext(CCreateContext* context)
{
    creating_context = context;
}

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT* rect,
                       HWND parent, HMENU menu, DWORD exStyle, CCreateContext* context)
{
    CREATESTRUCTA cs{};
    cs.lpszClass = className ? className : FrameClass();
    cs.lpszName = title ? title : "";
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.x = rect ? rect->left : CW_USEDEFAULT;
    cs.y = rect ? rect->top : CW_USEDEFAULT;
    cs.cx = rect ? rect->right - rect->left : CW_USEDEFAULT;
    cs.cy = rect ? rect->bottom - rect->top : CW_USEDEFAULT;
    cs.hwndParent = parent;
    cs.hMenu = menu;
    cs.hInstance = GetModuleHandleA(nullptr);
    if (!PreCreateWindow(cs))
        return FALSE;
    if (m_strTitle.empty() && title)
        m_strTitle = title;
    addToTitle_ = (cs.style & FWS_ADDTOTITLE) != 0;
    CCreateContext* saved = creating_context;
    creating_context = context;
    // A refused creation must not delete the object under the caller.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    BOOL ok = CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style & ~FWS_ADDTOTITLE, cs.x,
                       cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu);
    m_bAutoDelete = autoDelete;
    creating_context = saved;
    return ok;
}

std::string LoadResourceString(UINT id)
{
    char text[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
}

BOOL CFrameWnd::LoadFrame(UINT resId, DWORD style, HWND parent, CCreateContext* context)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    m_nIDResource = resId;
    std::string title = LoadResourceString(resId);
    title = title.substr(0, title.find('\n'));
    m_strTitle = title;
    HMENU menu = LoadMenuA(inst, MAKEINTRESOURCEA(resId));
    if (!Create(nullptr, title.c_str(), style, nullptr, parent, menu, 0, context)) {
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    if (HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(resId))) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        // The small picture of the icon where it has one.
        HANDLE small = LoadImageA(inst, MAKEINTRESOURCEA(resId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED);
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : icon));
    }
    if (!m_hAccelTable)
        m_hAccelTable = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(resId));
    if (addToTitle_)
        OnUpdateFrameTitle(TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (!OnCreateClient(cs, creating_context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context) != nullptr;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CCmdTarget* object = context->m_pNewViewClass();
    CView* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    if (!view->Create(m_hWnd, id, context)) {
        delete view;
        return nullptr;
    }
    return view;
}

void CFrameWnd::RecalcLayout()
{
    if (m_hWnd)
        RepositionBars(m_hWnd, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show)
{
    if (!bar || !bar->m_hWnd)
        return;
    ShowWindow(bar->m_hWnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnSize(UINT type, int, int)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = view;
    if (notify && old)
        old->OnActivateView(FALSE, view, old);
    if (notify && view)
        view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    RecalcLayout();
    if (doc) {
        for (CView* view : doc->GetViews()) {
            if (view->GetParentFrame() == this) {
                if (!m_pViewActive)
                    SetActiveView(view);
                view->OnInitialUpdate();
            }
        }
    }
    if (makeVisible) {
        ActivateFrame(SW_SHOW);
        if (m_pViewActive)
            ::SetFocus(m_pViewActive->m_hWnd);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    ShowWindow(m_hWnd, cmdShow < 0 ? SW_SHOW : cmdShow);
    BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!m_hWnd)
        return;
    std::string text = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (addToTitle && addToTitle_ && doc)
        text = doc->GetTitle() + (m_strTitle.empty() ? "" : " - " + m_strTitle);
    SetWindowTextIfChanged(text);
}

bool CFrameWnd::SetWindowTextIfChanged(const std::string& text)
{
    char old[512];
    int n = GetWindowTextA(m_hWnd, old, sizeof old);
    if (n >= 0 && text == std::string(old, static_cast<size_t>(n)))
        return false;
    SetWindowTextA(m_hWnd, text.c_str());
    return true;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, UINT code, void* extra, CmdHandlerInfo* info)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, extra, info))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code, extra, info))
        return TRUE;
    // A child frame's route ends here: its MDI frame offers the command to
    // itself and to the application next.
    if (IsMDIChild())
        return FALSE;
    CWinApp* app = GetApp();
    return app && app->OnCmdMsg(id, code, extra, info);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable)
        return TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
    return FALSE;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM menu, LPARAM info)
{
    if (HIWORD(info)) // the window menu (system menu)
        return Default();
    UpdateMenuCmdUI(reinterpret_cast<HMENU>(menu), this, m_bAutoMenuEnable);
    return 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (addToTitle_ && IsWindowVisible(m_hWnd))
        OnUpdateFrameTitle(TRUE);
    return 0;
}

void CFrameWnd::OnSetFocus(HWND)
{
    // An MDI child's default handling activates it; without a view an MDI
    // frame's hands the focus to the active child.
    if (IsMDIChild() || !m_pViewActive)
        Default();
    if (m_pViewActive && m_pViewActive->m_hWnd)
        ::SetFocus(m_pViewActive->m_hWnd);
}

BOOL CFrameWnd::CanCloseFrame()
{
    CWinApp* app = GetApp();
    if (app && app->m_hMainWnd == m_hWnd && app->m_pDocManager)
        return app->m_pDocManager->SaveAllModified();
    CDocument* doc = GetActiveDocument();
    return !doc || doc->CanCloseFrame(this);
}

void CFrameWnd::OnClose()
{
    if (!CanCloseFrame())
        return;
    CWinApp* app = GetApp();
    if (app && app->m_hMainWnd == m_hWnd && app->m_pDocManager) {
        app->m_pDocManager->CloseAllDocuments(FALSE);
    } else if (CDocument* doc = GetActiveDocument()) {
        // The last frame of a document closes the document, which destroys
        // this frame with its views.
        if (doc->IsLastFrame(this)) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    CWinApp* app = GetApp();
    if (app && app->m_hMainWnd == m_hWnd) {
        app->m_hMainWnd = nullptr;
        PostQuitMessage(0);
    }
    Default();
}

void CFrameWnd::PostNcDestroy()
{
    m_pViewActive = nullptr;
    if (m_bAutoDelete)
        delete this;
}

bool CFrameWnd::SaveWindowPlacement(const CProfile& profile, const char* section,
                                    const char* key) const
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!m_hWnd || !GetWindowPlacement(m_hWnd, &wp))
        return false;
    char text[80];
    snprintf(text, sizeof text, "%u,%ld,%ld,%ld,%ld", wp.showCmd, wp.rcNormalPosition.left,
             wp.rcNormalPosition.top, wp.rcNormalPosition.right, wp.rcNormalPosition.bottom);
    return profile.WriteString(section, key, text);
}

bool CFrameWnd::RestoreWindowPlacement(const CProfile& profile, const char* section,
                                       const char* key, int showCmd)
{
    std::string text = profile.GetString(section, key, "");
    unsigned show = 0;
    long l = 0, t = 0, r = 0, b = 0;
    char extra = 0;
    if (sscanf(text.c_str(), "%u,%ld,%ld,%ld,%ld%c", &show, &l, &t, &r, &b, &extra) != 5)
        return false;
    if (r <= l || b <= t)
        return false;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(m_hWnd, &wp);
    wp.flags = 0;
    wp.showCmd = showCmd >= 0 ? static_cast<UINT>(showCmd) : show;
    if (wp.showCmd == SW_SHOWMINIMIZED || wp.showCmd == SW_MINIMIZE)
        wp.showCmd = SW_SHOWNORMAL; // a program never starts as an icon
    wp.rcNormalPosition = RECT{l, t, r, b};
    return SetWindowPlacement(m_hWnd, &wp) != FALSE;
}

CFrameWnd* CFrameWnd::GetParentFrameOf(HWND hwnd)
{
    for (HWND h = hwnd ? ::GetParent(hwnd) : nullptr; h; h = ::GetParent(h)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(h)))
            return frame;
    }
    return nullptr;
}

} // namespace winui
