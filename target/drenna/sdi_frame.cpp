// Drenna's main frame.
#include "target/drenna/sdi_frame.h"

#include <commctrl.h>

#include <cstdlib>

#include "common/report_error.h"
#include "target/drenna/drenna_app.h"
#include "target/drenna/drenna_messages.h"
#include "target/drenna/resource.h"
#include "winui/cmdui.h"

UINT MruFileMessage()
{
    static const UINT message = RegisterWindowMessageA("MRUFILEMESSAGE");
    return message;
}

BEGIN_MESSAGE_MAP(TSDIDecFrame, winui::CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_DRENNA_REPORT, &TSDIDecFrame::OnReport)
    ON_MESSAGE(MruFileMessage(), &TSDIDecFrame::OnMruFile)
    ON_COMMAND(CM_FONT, &TSDIDecFrame::CmFont)
END_MESSAGE_MAP()

TSDIDecFrame::TSDIDecFrame(TDrennaApp* app) : app_(app)
{
    // The application owns the frame.
    m_bAutoDelete = FALSE;
}

BOOL TSDIDecFrame::Create(const char* title)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DRENNA));
    RegisterClass("TSDIDecFrame", CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_DRENNA));
    if (!menu)
        return FALSE;
    // The size comes from the grid once the bars are there (FitToGrid).
    if (!CFrameWnd::Create("TSDIDecFrame", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr,
                           nullptr, menu)) {
        DestroyMenu(menu);
        return FALSE;
    }
    m_nIDResource = IDA_DRENNA;
    m_hAccelTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_DRENNA));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    HICON small = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_DRENNA), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    return TRUE;
}

int TSDIDecFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (!statusBar_.Create(this))
        return -1;
    // The message area stretches; the board state has 8 characters.
    const UINT panes[] = {0, 0};
    statusBar_.SetIndicators(panes, 2);
    HDC dc = GetDC(statusBar_.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(statusBar_.SendMessage(WM_GETFONT)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(statusBar_.m_hWnd, dc);
    statusBar_.SetPaneInfo(1, 0, 0, 8 * tm.tmAveCharWidth + 8);
    term_.showState = [this](const char* name) { ShowState(name); };
    term_.gridResized = [this] { FitToGrid(); };
    term_.focusGained = [this] { app_->CheckLoadedFile(); };
    return CFrameWnd::OnCreate(cs);
}

BOOL TSDIDecFrame::OnCreateClient(LPCREATESTRUCTA, winui::CCreateContext*)
{
    return term_.Create(m_hWnd, winui::AFX_IDW_PANE_FIRST);
}

BOOL TSDIDecFrame::CreateToolBar()
{
    if (!toolBar_.Create(this, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP | winui::CBRS_TOOLTIPS))
        return FALSE;
    // The caption of the bar's window while it floats.
    SetWindowTextA(toolBar_.m_hWnd, "Toolbar");
    // One bitmap a button, in the order of the buttons.
    static const UINT buttons[] = {CM_EXIT,       0, CM_FILEOPEN, CM_RESETBOARD, CM_RESETAUTOSTART,
                                   CM_BOARDID, CM_RUNINRAM};
    for (UINT id : buttons)
        if (id && !toolBar_.LoadBitmap(id))
            return FALSE;
    if (!toolBar_.SetButtons(buttons, static_cast<int>(sizeof buttons / sizeof buttons[0])))
        return FALSE;
    // The user may drag it to any side or float it; the frame then fits
    // the grid again.
    toolBar_.EnableDocking(winui::CBRS_ALIGN_ANY);
    toolBar_.moved = [this] { FitToGrid(); };
    RecalcLayout();
    return TRUE;
}

void TSDIDecFrame::ShowState(const char* name)
{
    statusBar_.SetPaneText(1, name);
}

void TSDIDecFrame::SetStatusText(const std::string& text)
{
    statusBar_.SetPaneText(0, text.c_str());
}

void TSDIDecFrame::FitToGrid()
{
    if (!m_hWnd || IsIconic(m_hWnd))
        return;
    SIZE grid = term_.GridSize();
    // What the bars take of the client now.
    RECT client, free;
    GetClientRect(&client);
    winui::RepositionBars(m_hWnd, winui::AFX_IDW_PANE_FIRST, nullptr, &free);
    int wantWidth = grid.cx + (client.right - client.left) - (free.right - free.left);
    int wantHeight = grid.cy + (client.bottom - client.top) - (free.bottom - free.top);
    if (client.right == wantWidth && client.bottom == wantHeight)
        return;
    RECT window;
    GetWindowRect(m_hWnd, &window);
    int width = (window.right - window.left) - client.right + wantWidth;
    int height = (window.bottom - window.top) - client.bottom + wantHeight;
    fitting_ = true;
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps onto another line changes the client again.
    GetClientRect(&client);
    if (client.bottom != wantHeight)
        SetWindowPos(m_hWnd, nullptr, 0, 0, width, height + wantHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitting_ = false;
    RecalcLayout();
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
    CFrameWnd::OnSize(type, cx, cy);
    // The terminal always shows exactly its grid.
    if (type != SIZE_MINIMIZED && !fitting_)
        FitToGrid();
}

void TSDIDecFrame::OnSetFocus(HWND)
{
    if (term_.m_hWnd)
        term_.SetFocus();
}

void TSDIDecFrame::CmFont()
{
    term_.CmFont();
}

LRESULT TSDIDecFrame::OnReport(WPARAM code, LPARAM text)
{
    char* message = reinterpret_cast<char*>(text);
    report_error(static_cast<int>(code), "%s", message ? message : "");
    std::free(message);
    return 0;
}

LRESULT TSDIDecFrame::OnMruFile(WPARAM id, LPARAM)
{
    app_->CmMruFile(static_cast<UINT>(id));
    return 0;
}

namespace {

// Records what a command's update handler decides.
class CommandStateProbe : public winui::CCmdUI {
public:
    bool enabled = true;
    void Enable(BOOL on) override
    {
        enabled = on != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char*) override {}
};

} // namespace

bool TSDIDecFrame::CommandEnabled(UINT id)
{
    CommandStateProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(this, FALSE);
    return probe.enabled;
}

bool TSDIDecFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT code = HIWORD(wParam);
    bool command = code == 0 || (code == 1 && lParam == 0);
    if (command && !CommandEnabled(LOWORD(wParam)))
        return true;
    return CFrameWnd::OnCommand(wParam, lParam);
}
