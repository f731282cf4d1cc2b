#include "editor/shell/mainfrm.h"

#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/font_settings.h"
#include "editor/shell/frame_timers.h"
#include "editor/shell/gotolinedlg.h"
#include "editor/shell/instance_block.h"
#include "editor/shell/macros_res.h"
#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"

#include "editor/editctl/color_table.h"
#include "editor/shell/color_select_dlg.h"
#include "editor/shell/ini_syntax_profile.h"
#include "editor/shell/syntax_colors_dlg.h"
#include "editor/tools/output_bar.h"
#include "editor/tools/tool_shell.h"
#include "editor/syntax/syntax_template.h"

#include "winui/cmdui.h"
#include "winui/splitter.h"
#include "winui/work_area.h"


BEGIN_MESSAGE_MAP(CMainFrame, CMainFrameBase)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHOW_MAXIMIZED, &CMainFrame::OnShowMaximized)
    // Later starts' hand-overs and dropped files.
    CHAIN_MSG_MAP_MEMBER(m_handOver)
    ON_COMMAND(ID_GOTO_LINE, &CMainFrame::AskGotoLine)
    // The window commands: restore all, close all, tile, cascade, new window.
    CHAIN_MSG_MAP_MEMBER(m_windowCommands)
    // Tools and the output window.
    ON_MESSAGE(WM_INITMENUPOPUP, &CMainFrame::OnInitMenuPopupTools)
    CHAIN_MSG_MAP_MEMBER(m_tools)
    // Keyboard macros, text macros and the keyboard mapping.
    CHAIN_MSG_MAP_MEMBER(m_macros)
    // Source browser, functions bar and project reference.
    CHAIN_MSG_MAP_MEMBER(m_browser)
    // The commands on the active text are the view's (CViewTextCommands);
    // the Operations dialog's messages go on to it.
    ON_UPDATE_COMMAND_UI(ID_GOTO_LINE, &CMainFrame::OnUpdateViewCommand)
    CHAIN_MSG_MAP_MEMBER(m_textOperations)
    // The settings commands, the frame's bars and the window list.
    CHAIN_MSG_MAP_MEMBER(m_settingsCommands)
    // Search, the TCP link and workspaces.
    CHAIN_MSG_MAP_MEMBER(m_search)
    // Workspaces and settings, "Administrate project.." and the help keys.
    CHAIN_MSG_MAP_MEMBER(m_workspace)
    ON_WM_CLOSE()
    // Bookmarks, document tabs, stay-on-top button and position history.
    CHAIN_MSG_MAP_MEMBER(m_bookmarks)
    CHAIN_MSG_MAP_MEMBER(m_navigation)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    if (m_hEditFont)
        ::DeleteObject(m_hEditFont);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The MDI client shows scroll bars when windows stand outside it.
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CMainFrameBase::PreCreateWindow(cs);
}

// A button's picture is its place among the buttons in the bitmap.
static const UINT toolbar_buttons[] = {ID_FILE_NEW_CMD, ID_FILE_OPEN_CMD, ID_FILE_SAVE_CMD, 0,
                                       ID_EDIT_CUT,     ID_EDIT_COPY,     ID_EDIT_PASTE,    0,
                                       ID_EDIT_UNDO,    ID_FILE_PRINT,    0,
                                       ID_EDIT_FIND,    ID_ADD_BOOKMARK,  0,
                                       ID_TOOL_CANCEL};
static const int bookmark_button_image = 9;

int CMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CMainFrameBase::OnCreate(cs) == -1)
        return -1;
    COvantaApp* app = COvantaApp::Get();
    HWND receiver = InstanceBlock().Receiver();
    if (app && app->MultipleInstances() && (!receiver || !IsWindow(receiver)))
        InstanceBlock().SetReceiver(m_hWnd);

    if (!CreateBars())
        return -1;

    if (app) {
        m_workspace.LoadColors();
        g_ColorTable[16] = BackColorOption();
        if (g_SyntaxTemplates.empty()) {
            CIniSyntaxProfile templates(app->m_profile);
            LoadSyntaxTemplates(templates);
            // A first start makes the built-in C template and colours with
            // it, also at the next start.
            if (CreateDefaultSyntaxTemplate(templates)) {
                WriteOption(&SettingsValues::syntax, 1);
            }
        }
        app->LoadShortcuts();
        m_macros.LoadSettings();
        // The editor font of the profile, or the fallback for one that
        // names no face or cannot be made.
        if (HFONT old = SwapEditFont(CreateEditFont(OvantaOptions().font)))
            ::DeleteObject(old);
        m_workspace.PlaceBarsAtStart();
        if (!OvantaOptions().defaultDir.empty())
            SetCurrentDirectoryA(OvantaOptions().defaultDir.c_str());
        m_workspace.RestoreMainPlace();
    }
    m_browser.LoadBrowserSettings();
    m_search.LoadSettings();
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateBars()
{
    // The main tool bar is the one bar whose failure stops the start.
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP, winui::AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadBitmap(IDR_MAINFRAME))
        return false;
    m_wndToolBar.SetButtons(toolbar_buttons, sizeof toolbar_buttons / sizeof toolbar_buttons[0]);
    m_nSaveImage = m_wndToolBar.AddBitmap(IDB_SAVE_MODIFIED);
    m_bookmarks.SetButtonPictures(bookmark_button_image, m_wndToolBar.AddBitmap(IDB_BOOKMARK_DELETE));

    m_accelerators.UseStartTable();
    m_navigation.CreateBars();

    m_status.Create(this);

    m_wndToolBar.m_dwStyle |= winui::CBRS_TOOLTIPS | winui::CBRS_FLYBY | winui::CBRS_GRIPPER;
    m_wndToolBar.EnableDocking(winui::CBRS_ALIGN_ANY);

    // Further bars are created here, before the frame's sides accept them.
    m_bookmarks.CreateBar();
    m_tools.CreateToolsBar();

    EnableDocking(winui::CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar, winui::AFX_IDW_DOCKBAR_TOP);
    m_bookmarks.DockBar();
    m_navigation.DockBars();
    m_tools.LoadTools();
    return true;
}

void CMainFrame::DockControlBarLeftOf(winui::CControlBar* bar, winui::CControlBar* leftOf)
{
    RecalcLayout();
    RECT rect;
    ::GetWindowRect(leftOf->m_hWnd, &rect);
    ::OffsetRect(&rect, 1, 0);
    DWORD style = leftOf->m_dwStyle;
    UINT dock = winui::AFX_IDW_DOCKBAR_RIGHT;
    if (style & winui::CBRS_ALIGN_TOP)
        dock = winui::AFX_IDW_DOCKBAR_TOP;
    else if (style & winui::CBRS_ALIGN_BOTTOM)
        dock = winui::AFX_IDW_DOCKBAR_BOTTOM;
    else if (style & winui::CBRS_ALIGN_LEFT)
        dock = winui::AFX_IDW_DOCKBAR_LEFT;
    DockControlBar(bar, dock, &rect);
}

// The menus show the keys of the shortcut table, the tools and the recent
// workspaces as they are now.
LRESULT CMainFrame::OnInitMenuPopupTools(WPARAM menu, LPARAM info)
{
    LRESULT result = OnInitMenuPopup(menu, info);
    if (!HIWORD(info)) {
        CMacroController::ShowMenuShortcuts(reinterpret_cast<HMENU>(menu));
        m_tools.UpdateToolMenu(reinterpret_cast<HMENU>(menu));
        m_workspace.UpdateRecentWorkspacePopup(reinterpret_cast<HMENU>(menu));
    }
    return result;
}

void CMainFrame::OnSize(UINT type, int cx, int cy)
{
    CMainFrameBase::OnSize(type, cx, cy);
    m_status.FrameSized();
    m_navigation.FrameSized();
}

LRESULT CMainFrame::OnShowMaximized(WPARAM, LPARAM)
{
    ::ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    return 0;
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    COvantaApp* app = COvantaApp::Get();
    if (id == autosave_timer && app) {
        for (COvantaDoc* doc : app->Documents())
            doc->UpdateAllViews(nullptr, 4);
    } else if (id == tool_stop_timer || id == browser_stop_timer) {
        // Workers are asked to stop and joined by their owners; the timer
        // only ends.
        ::KillTimer(m_hWnd, id);
    }
    DefWindowProc(WM_TIMER, id, 0);
}

// --- documents -----------------------------------------------------------------

WorkspaceHooks& CMainFrame::Hooks()
{
    if (!m_pWorkspaceHooks)
        m_pWorkspaceHooks = std::make_unique<CFrameWorkspaceHooks>(static_cast<IWorkspaceBarsHost&>(*this));
    return *m_pWorkspaceHooks;
}

void CMainFrame::DocumentOpened(COvantaDoc* doc)
{
    m_workspace.TrackClosedProjectFile(doc, false);
    m_browser.DocumentOpened(doc);
    COvantaApp* app = COvantaApp::Get();
    m_accelerators.DocumentOpened();
    if (m_nOpenDocs == 0)
        m_tools.FirstDocumentOpened();
    if (app && m_nAutoSaveTimer == 0)
        RestartAutoSave(OvantaOptions().autoSaveTime);
    ++m_nOpenDocs;
    m_navigation.DocumentOpened(doc);
    m_bookmarks.DocumentOpened(doc);
    RecalcLayout();
}

void CMainFrame::DocumentActivated(COvantaDoc* doc)
{
    m_navigation.DocumentActivated(doc);
    if (doc)
        m_bookmarks.RefreshBookmarkButtons();
}

void CMainFrame::DocumentClosing(COvantaDoc* doc)
{
    m_workspace.TrackClosedProjectFile(doc, true);
    m_browser.DocumentClosing(doc);
    m_bookmarks.DocumentClosing(doc);
    m_navigation.DocumentClosing(doc);
    if (m_nOpenDocs > 0)
        --m_nOpenDocs;
}

void CMainFrame::DocumentClosed()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !m_hWnd)
        return;
    // Focus moves while the windows go: nothing of theirs is kept.
    m_navigation.ResetPositions();
    if (!app->Documents().empty()) {
        if (COvantaView* view = ActiveOvantaView()) {
            std::string dir = DirectoryOf(view->GetDocument()->GetPathName());
            if (!dir.empty())
                SetCurrentDirectoryA(dir.c_str());
        }
        return;
    }
    // The last document is gone: the frame is back at its start state.
    m_accelerators.UseStartTable();
    m_tools.LastDocumentClosed();
    m_browser.LastDocumentClosed();
    m_search.LastDocumentClosed();
    m_navigation.LastDocumentClosed();
    RecalcLayout();
    m_status.Clear();
    std::string dir = DirectoryOf(app->ProfilePath());
    if (!dir.empty())
        SetCurrentDirectoryA(dir.c_str());
}

COutputBar* CMainFrame::ShownOutputBar()
{
    if (!OutputBar() || !OutputBar()->IsVisible())
        m_tools.ToggleOutputBar();
    return OutputBar();
}

COvantaView* CMainFrame::ActiveOvantaView()
{
    winui::CFrameWnd* child = MDIGetActive();
    return child ? dynamic_cast<COvantaView*>(child->GetActiveView()) : nullptr;
}

void CMainFrame::RestartAutoSave(int minutes)
{
    StopAutoSave();
    if (minutes > 0)
        m_nAutoSaveTimer = static_cast<int>(
            ::SetTimer(m_hWnd, autosave_timer, static_cast<UINT>(minutes) * 60000u, nullptr));
}

void CMainFrame::StopAutoSave()
{
    if (m_nAutoSaveTimer) {
        ::KillTimer(m_hWnd, autosave_timer);
        m_nAutoSaveTimer = 0;
    }
}

HFONT CMainFrame::SwapEditFont(HFONT font)
{
    HFONT old = m_hEditFont;
    m_hEditFont = font;
    return old;
}

// --- status bar -------------------------------------------------------------------

void CMainFrame::ModifiedStateChanged(bool modified)
{
    // The Save button's picture shows whether the active text is changed;
    // the tabs mark changed documents.
    const int saveImage = 2;
    if (m_wndToolBar.m_hWnd)
        m_wndToolBar.SetButtonImage(ID_FILE_SAVE_CMD, modified && m_nSaveImage >= 0 ? m_nSaveImage : saveImage);
    m_navigation.RedrawTabs();
}

void CMainFrame::AskGotoLine()
{
    COvantaView* view = ActiveOvantaView();
    if (!view)
        return;
    CGotoLineDlg dlg(m_hWnd);
    dlg.m_nLine = view->Editor().GetCaretLine() + 1;
    if (dlg.DoModal() != IDOK)
        return;
    ::SendMessageA(view->m_hWnd, WM_GOTO_LINE, static_cast<WPARAM>(dlg.m_nLine), 0);
    view->NotifyCaret();
}

int CMainFrame::GetBarState(HWND bar)
{
    // A docked bar is on its dock bar's side, also while it is hidden and
    // its window stands where it was last laid out; a floating one is
    // judged by where its window is.
    static const struct {
        UINT id;
        int code;
    } sides[] = {{winui::AFX_IDW_DOCKBAR_TOP, 1}, {winui::AFX_IDW_DOCKBAR_BOTTOM, 2},
                 {winui::AFX_IDW_DOCKBAR_RIGHT, 3}, {winui::AFX_IDW_DOCKBAR_LEFT, 4}};
    int code = 0;
    auto* controlBar = dynamic_cast<winui::CControlBar*>(winui::CWnd::FromHandle(bar));
    if (CSizeDockBar* dock = DockBarOf(controlBar))
        for (const auto& s : sides)
            if (static_cast<UINT>(::GetDlgCtrlID(dock->m_hWnd)) == s.id)
                code = s.code;
    if (code == 0) {
        RECT frame, rc;
        ::GetWindowRect(m_hWnd, &frame);
        ::GetWindowRect(bar, &rc);
        if (rc.right - rc.left < rc.bottom - rc.top)
            code = rc.left - frame.left < frame.right - rc.right ? 4 : 3;
        else
            code = rc.top - frame.top < frame.bottom - rc.bottom ? 1 : 2;
    }
    if (!(::GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE))
        code += 0x10;
    return code;
}

void CMainFrame::MoveToStoredPlace(const std::string& place)
{
    if (place == "M") {
        ::PostMessageA(m_hWnd, WM_SHOW_MAXIMIZED, 0, 0);
        return;
    }
    RECT rc;
    // A value that is not four numbers keeps the place the window has; a
    // place beyond every screen is brought onto the nearest one.
    if (place.empty() ||
        std::sscanf(place.c_str(), " %ld,%ld,%ld,%ld", &rc.left, &rc.top, &rc.right, &rc.bottom) != 4 ||
        rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    rc = winui::ClampToWorkArea(rc);
    RECT now;
    ::GetWindowRect(m_hWnd, &now);
    if (EqualRect(&now, &rc))
        return;
    if (::IsZoomed(m_hWnd) || ::IsIconic(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);
    ::MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CMainFrame::DockBarAtSide(winui::CControlBar& bar, int side)
{
    static const UINT docks[] = {0, winui::AFX_IDW_DOCKBAR_TOP, winui::AFX_IDW_DOCKBAR_BOTTOM,
                                 winui::AFX_IDW_DOCKBAR_RIGHT, winui::AFX_IDW_DOCKBAR_LEFT};
    if (!bar.m_hWnd || side < 1 || side > 4)
        return;
    CSizeDockBar* dock = DockBarOf(&bar);
    if (!dock || static_cast<UINT>(::GetDlgCtrlID(dock->m_hWnd)) != docks[side])
        DockControlBar(&bar, docks[side]);
}

// --- commands --------------------------------------------------------------------

bool CMainFrame::ViewUsable()
{
    COvantaApp* app = COvantaApp::Get();
    return ActiveOvantaView() != nullptr && !(app && app->Printing().inPreview);
}

void CMainFrame::OnUpdateViewCommand(winui::CCmdUI* ui)
{
    ui->Enable(ViewUsable());
}

BOOL CMainFrame::OnCmdMsg(UINT id, UINT code, void* extra, winui::CmdHandlerInfo* info)
{
    COvantaView* view = code == winui::CN_COMMAND && !info ? ActiveOvantaView() : nullptr;
    if (view) {
        CNColorEditCtrl& editor = view->Editor();
        switch (id) {
        case ID_EDIT_GOTOBRACE:
        case ID_EDIT_SELECTBRACE:
            editor.PrepareBraceGoto();
            [[fallthrough]];
        case ID_EDIT_FILLCOLUMN:
            editor.SendMessage(WM_COMMAND, id);
            return TRUE;
        case ID_FILE_PRINT_PREVIEW:
            if (COvantaApp* app = COvantaApp::Get())
                app->Printing().fromLine = app->Printing().toLine = -1;
            break;
        default:
            break;
        }
    }
    return CMainFrameBase::OnCmdMsg(id, code, extra, info);
}

// --- closing ----------------------------------------------------------------------

void CMainFrame::OnClose()
{
    if (m_workspace.SaveBeforeClose())
        CMainFrameBase::OnClose();
}

BOOL CMainFrame::DestroyWindow()
{
    COvantaApp* app = COvantaApp::Get();
    if (app) {
        // Bookmarks are kept while their documents are still open.
        m_bookmarks.SaveSettings();
        // The documents close first, so that their views leave their
        // places in the recent list before it is written.
        if (app->m_pDocManager)
            app->m_pDocManager->CloseAllDocuments(TRUE);
        m_tools.StopTool();
        m_browser.StopBrowser();
        app->SetProfileTarget(app->ProfilePath());
        m_workspace.SaveOnDestroy();
        if (app->WorkspacePath().empty()) {
            m_tools.SaveToolSettings();
            m_macros.SaveSettings();
            m_browser.SaveBrowserSettings();
            m_workspace.SaveMainPlace();
            m_workspace.SaveColors();
        }
        m_search.Close();
        app->WriteRecentFileList();
        FreeSyntaxTemplates();
        if (InstanceBlock().Receiver() == m_hWnd)
            InstanceBlock().SetReceiver(nullptr);
    }
    return CMainFrameBase::DestroyWindow();
}
