// The main window of Quibex.
#include "target/quibex/quibex_frame.h"

#include <cstdlib>

#include "common/report_error.h"
#include "target/quibex/mdi_children.h"
#include "target/quibex/quibex_messages.h"
#include "target/quibex/resource.h"
#include "winui/app.h"
#include "winui/cmdui.h"
#include "winui/recentfiles.h"

BEGIN_MESSAGE_MAP(TQuibexFrame, winui::CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_QUIBEX_REPORT, &TQuibexFrame::OnReport)
    ON_MESSAGE(WM_ACTIVATE, &TQuibexFrame::OnActivate)
    ON_COMMAND_RANGE(winui::ID_FILE_MRU_FILE1, winui::ID_FILE_MRU_LAST, &TQuibexFrame::OnRecentFile)
END_MESSAGE_MAP()

TQuibexFrame::TQuibexFrame() {}

BOOL TQuibexFrame::CreateFrame(const char* title)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUIBEX));
    RegisterClass("TQuibexFrame", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), icon);
    m_strTitle = title;
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_QUIBEX));
    if (!Create("TQuibexFrame", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr, nullptr, menu))
        return FALSE;
    m_hAccelTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_QUIBEX));
    return TRUE;
}

BOOL TQuibexFrame::CreateClient(LPCREATESTRUCTA cs, HMENU)
{
    // The "&Window" pop-up lists the children.
    return CMDIFrameWnd::CreateClient(cs, cs->hMenu ? GetSubMenu(cs->hMenu, 4) : nullptr);
}

int TQuibexFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (!OnCreateClient(cs, nullptr))
        return -1;
    SetupToolbar();
    if (!status_.Create(this))
        return -1;
    const UINT panes[2] = {0, 0};
    status_.SetIndicators(panes, 2);
    status_.SetPaneInfo(1, 0, 0, 8 * 8 + 16);
    RecalcLayout();
    client_.setStatus = [this](const std::string& text) { SetStatus(text); };
    client_.addRecentFile = [](const std::string& path) {
        if (winui::CWinApp* app = winui::GetApp())
            app->AddToRecentFileList(path.c_str());
    };
    if (!client_.SetupWindow(this))
        return -1;
    if (TTermMDICHild* term = client_.TermChild())
        term->View().showState = [this](const char* name) { ShowState(name); };
    return 0;
}

void TQuibexFrame::SetupToolbar()
{
    // Buttons in order; 0 is a separator.
    static const UINT buttons[] = {CM_EXIT,     0,           CM_FILEOPEN, 0,
                                   CM_RESET,    CM_BOARDID,  0,           CM_STEPCPU,
                                   CM_STEPLINE, CM_ANIMATECPU, CM_ANIMATELINE, CM_EXECUTE,
                                   CM_STOP,     0,           CM_FIND,     CM_FINDNEXT};
    if (!toolbar_.Create(this))
        return;
    // Dragged by the user to any side or out into a window of its own,
    // which shows this caption.
    ::SetWindowTextA(toolbar_.m_hWnd, "Toolbar");
    toolbar_.EnableDocking(winui::CBRS_ALIGN_ANY);
    toolbar_.LoadBitmap(IDB_TOOLBAR);
    toolbar_.SetButtons(buttons, static_cast<int>(sizeof buttons / sizeof buttons[0]));
}

void TQuibexFrame::OnDestroy()
{
    CFrameWnd::OnDestroy();
}

void TQuibexFrame::SetStatus(const std::string& text)
{
    if (status_.m_hWnd)
        status_.SetPaneText(0, text.c_str());
}

void TQuibexFrame::ShowState(const char* name)
{
    if (status_.m_hWnd)
        status_.SetPaneText(1, name);
}

BOOL TQuibexFrame::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    if (TQuibexMDIClient::HandlesCommand(id) && client_.m_hWnd) {
        if (info)
            return TRUE;
        if (code == winui::CN_UPDATE_COMMAND_UI) {
            static_cast<winui::CCmdUI*>(extra)->Enable(client_.CommandEnabled(id));
            return TRUE;
        }
        if (code == winui::CN_COMMAND) {
            // A greyed command (a key of the accelerator table) does
            // nothing, as the menu would not offer it.
            if (client_.CommandEnabled(id))
                client_.Command(id);
            return TRUE;
        }
    }
    return CMDIFrameWnd::OnCmdMsg(id, code, extra, info);
}

void TQuibexFrame::OnRecentFile(UINT id)
{
    winui::CWinApp* app = winui::GetApp();
    if (!app || !app->m_pRecentFileList)
        return;
    int index = static_cast<int>(id - app->m_pRecentFileList->FirstId());
    if (index < 0 || index >= app->m_pRecentFileList->GetCount())
        return;
    std::string path = (*app->m_pRecentFileList)[index];
    client_.OpenSession(path);
}

LRESULT TQuibexFrame::OnActivate(WPARAM state, LPARAM)
{
    LRESULT result = Default();
    if (LOWORD(state) != WA_INACTIVE && client_.m_hWnd)
        client_.PostMessage(WM_SETFOCUS);
    return result;
}

LRESULT TQuibexFrame::OnReport(WPARAM code, LPARAM text)
{
    char* message = reinterpret_cast<char*>(text);
    report_error(static_cast<int>(code), "%s", message ? message : "");
    std::free(message);
    return 0;
}
