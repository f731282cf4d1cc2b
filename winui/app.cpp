#include "winui/app.h"

#include "winui/cmdui.h"
#include "winui/controlbar.h"
#include "winui/doc.h"
#include "winui/doctemplate.h"
#include "winui/recentfiles.h"
#include "winui/wnd.h"

#include <algorithm>

namespace winui {

static CWinApp* the_app;

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp()
{
    the_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    m_pDocManager.reset();
    if (the_app == this)
        the_app = nullptr;
}

CWinApp* GetApp()
{
    return the_app;
}

MessageFilter AcceleratorFilter(HWND window, HACCEL table)
{
    return [window, table](MSG* msg) -> BOOL {
        return IsWindow(window) && TranslateAcceleratorA(window, table, msg) != 0;
    };
}

MessageFilter MDISysAccelFilter(HWND mdiClient)
{
    return [mdiClient](MSG* msg) -> BOOL {
        return IsWindow(mdiClient) && TranslateMDISysAccel(mdiClient, msg);
    };
}

MessageFilter DialogMessageFilter(HWND dialog)
{
    return [dialog](MSG* msg) -> BOOL { return IsWindow(dialog) && IsDialogMessageA(dialog, msg); };
}

int CWinApp::AddMessageFilter(MessageFilter filter)
{
    filters_.push_back(Filter{nextId_, std::move(filter)});
    return nextId_++;
}

int CWinApp::AddIdleHandler(IdleHandler handler)
{
    idleHandlers_.push_back(Idle{nextId_, std::move(handler)});
    return nextId_++;
}

void CWinApp::RemoveMessageFilter(int id)
{
    filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                  [id](const Filter& f) { return f.id == id; }),
                   filters_.end());
}

void CWinApp::RemoveIdleHandler(int id)
{
    idleHandlers_.erase(std::remove_if(idleHandlers_.begin(), idleHandlers_.end(),
                                       [id](const Idle& i) { return i.id == id; }),
                        idleHandlers_.end());
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    // A filter may remove itself or others while it runs: walk a copy.
    std::vector<Filter> filters = filters_;
    for (const Filter& f : filters) {
        if (f.filter(msg))
            return TRUE;
    }
    return FALSE;
}

static BOOL CALLBACK send_idle_update(HWND hwnd, LPARAM)
{
    SendMessageA(hwnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG count)
{
    if (count == 0 && m_hMainWnd && IsWindowVisible(m_hMainWnd)) {
        SendMessageA(m_hMainWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        EnumChildWindows(m_hMainWnd, send_idle_update, 0);
    }
    BOOL more = FALSE;
    std::vector<Idle> handlers = idleHandlers_;
    for (const Idle& i : handlers) {
        if (i.handler(count))
            more = TRUE;
    }
    return more;
}

// The message of the loop goes through the windows' PreTranslateMessage and
// the application's filters; true when one of them used it.
static bool pre_translate(CWinApp* app, MSG* msg)
{
    if (CWnd::WalkPreTranslateTree(msg))
        return true;
    return app && app->PreTranslateMessage(msg);
}

int RunMessageLoop(CWinApp* app)
{
    MSG msg;
    LONG idleCount = 0;
    for (;;) {
        if (app) {
            while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                if (!app->OnIdle(idleCount++))
                    break;
            }
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        idleCount = 0;
        if (pre_translate(app, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool PumpWaitingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (pre_translate(GetApp(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

int CWinApp::Run()
{
    exitCode_ = RunMessageLoop(this);
    return ExitInstance();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (!m_pDocManager)
        m_pDocManager = std::make_unique<CDocManager>();
    m_pDocManager->AddDocTemplate(docTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const char* path)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(path) : nullptr;
}

void CWinApp::AddToRecentFileList(const char* path)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

void CWinApp::LoadStdProfileSettings(int mruCount)
{
    if (mruCount <= 0)
        return;
    m_pRecentFileList =
        std::make_unique<CRecentFileList>(0, "Recent File List", "File%d", mruCount);
    m_pRecentFileList->ReadList(m_profile);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList(m_profile);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager)
        m_pDocManager->OnFileOpen();
}

void CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_pRecentFileList)
        return;
    int index = static_cast<int>(id - m_pRecentFileList->FirstId());
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return;
    std::string path = (*m_pRecentFileList)[index];
    if (!OpenDocumentFile(path.c_str()))
        m_pRecentFileList->Remove(index);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(ui);
    else
        ui->Enable(FALSE);
}

void CWinApp::OnAppExit()
{
    if (m_hMainWnd)
        PostMessageA(m_hMainWnd, WM_CLOSE, 0, 0);
}

int AppMain(HINSTANCE instance, const char* cmdLine, int cmdShow)
{
    CWinApp* app = GetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : "";
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

} // namespace winui
