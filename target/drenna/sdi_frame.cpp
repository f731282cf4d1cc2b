// Drenna's main frame.
#include "target/drenna/sdi_frame.h"

#include <commctrl.h>

#include <cstdlib>

#include "common/report_error.h"
#include "target/drenna/drenna_app.h"
#include "target/drenna/drenna_messages.h"
#include "target/drenna/resource.h"

BEGIN_MESSAGE_MAP(TSDIDecFrame, winui::CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITMENUPOPUP, &TSDIDecFrame::OnInitMenuPopup)
    ON_MESSAGE(WM_DRENNA_REPORT, &TSDIDecFrame::OnReport)
END_MESSAGE_MAP()

TSDIDecFrame::TSDIDecFrame(TDrennaApp* app) : app_(app) {}

BOOL TSDIDecFrame::Create(const char* title)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DRENNA));
    RegisterClass("TSDIDecFrame", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    if (!menu_.LoadMenu(IDM_DRENNA))
        return FALSE;
    if (!CreateEx(0, "TSDIDecFrame", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, 640, 480, nullptr, menu_.Detach()))
        return FALSE;
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    HICON small = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_DRENNA), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    FitToGrid();
    Centre();
    return TRUE;
}

int TSDIDecFrame::OnCreate(LPCREATESTRUCTA)
{
    if (!status_.Create(m_hWnd, IDC_STATUSBAR))
        return -1;
    term_.showState = [this](const char* name) { ShowState(name); };
    term_.gridResized = [this] { FitToGrid(); };
    term_.focusGained = [this] { app_->CheckLoadedFile(); };
    if (!term_.Create(m_hWnd, IDC_TERMINAL))
        return -1;
    return 0;
}

void TSDIDecFrame::ShowState(const char* name)
{
    status_.SetText(1, name);
}

void TSDIDecFrame::SetStatusText(const std::string& text)
{
    status_.SetText(0, text.c_str());
}

void TSDIDecFrame::FitToGrid()
{
    if (!m_hWnd || IsIconic(m_hWnd))
        return;
    SIZE grid = term_.GridSize();
    RECT window, client;
    GetWindowRect(m_hWnd, &window);
    GetClientRect(&client);
    int wantWidth = grid.cx;
    int wantHeight = grid.cy + status_.Height();
    if (client.right == wantWidth && client.bottom == wantHeight)
        return;
    int width = (window.right - window.left) - client.right + wantWidth;
    int height = (window.bottom - window.top) - client.bottom + wantHeight;
    fitting_ = true;
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitting_ = false;
    // A menu bar that wraps onto another line changes the client again.
    GetClientRect(&client);
    if (client.bottom != wantHeight) {
        fitting_ = true;
        SetWindowPos(m_hWnd, nullptr, 0, 0, width, height + wantHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        fitting_ = false;
    }
}

void TSDIDecFrame::Centre()
{
    RECT window;
    GetWindowRect(m_hWnd, &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (x < 10)
        x = 10;
    if (y < 10)
        y = 10;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSDIDecFrame::OnSize(UINT type, int cx, int cy)
{
    if (!status_.m_hWnd)
        return;
    status_.Reposition();
    int parts[2] = {cx - 8 * 8 - 24, -1};
    if (parts[0] < 0)
        parts[0] = 0;
    status_.SetParts({parts[0], parts[1]});
    SIZE grid = term_.GridSize();
    if (term_.m_hWnd)
        SetWindowPos(term_.m_hWnd, nullptr, 0, 0, grid.cx, grid.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (type != SIZE_MINIMIZED && !fitting_)
        FitToGrid();
}

void TSDIDecFrame::OnSetFocus(HWND)
{
    if (term_.m_hWnd)
        term_.SetFocus();
}

void TSDIDecFrame::OnClose()
{
    DestroyWindow();
}

void TSDIDecFrame::OnDestroy()
{
    PostQuitMessage(0);
}

LRESULT TSDIDecFrame::OnInitMenuPopup(WPARAM menu, LPARAM)
{
    HMENU popup = reinterpret_cast<HMENU>(menu);
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; i++) {
        UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        EnableMenuItem(popup, id, MF_BYCOMMAND | (app_->CommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(popup, id, MF_BYCOMMAND | (app_->CommandChecked(id) ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

LRESULT TSDIDecFrame::OnReport(WPARAM code, LPARAM text)
{
    char* message = reinterpret_cast<char*>(text);
    report_error(static_cast<int>(code), "%s", message ? message : "");
    std::free(message);
    return 0;
}

bool TSDIDecFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && HIWORD(wParam) != 0)
        return CWnd::OnCommand(wParam, lParam);
    UINT id = LOWORD(wParam);
    // A command whose item is greyed (a key of the accelerator table) does
    // nothing, as the menu would not offer it.
    if (!app_->CommandEnabled(id))
        return true;
    switch (id) {
    case CM_FILEOPEN: app_->CmFileOpen(); return true;
    case CM_RUNINRAM: app_->CmRunInRam(); return true;
    case CM_RESETBOARD: app_->CmResetBoard(); return true;
    case CM_EXIT: app_->CmExit(); return true;
    case CM_FLASHCLEAR: app_->CmFlashClear(); return true;
    case CM_FLASHCLEARSECTOR: app_->CmFlashClearSector(); return true;
    case CM_FLASHIDENTIFY: app_->CmFlashIdentify(); return true;
    case CM_FLASHDOWNLOAD: app_->CmFlashDownload(); return true;
    case CM_AUTOSTART: app_->CmAutostart(); return true;
    case CM_RESETAUTOSTART: app_->CmResetAutostart(); return true;
    case CM_FIXEDADDRESS: app_->CmFixedAddress(); return true;
    case CM_BOARDID: app_->CmBoardId(); return true;
    case CM_COMSETTINGS: app_->CmComSettings(); return true;
    case CM_FONT: term_.CmFont(); return true;
    case CM_HELPABOUT: app_->CmHelpAbout(); return true;
    }
    return CWnd::OnCommand(wParam, lParam);
}
