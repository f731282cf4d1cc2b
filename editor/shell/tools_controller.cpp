// The main frame's tools and output window: the tools tool bar, the output
// bar, the start of the current tool and its commands, and what the output
// panes need of the editor (CToolShell).
#include "editor/shell/tools_controller.h"
#include "editor/shell/document_navigator.h"

#include "editor/shell/frame_timers.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/status_sink.h"

#include "editor/tools/app_start_dlg.h"
#include "editor/tools/output_bar.h"
#include "editor/tools/tool_menu.h"
#include "editor/tools/tool_profile.h"
#include "editor/tools/tool_start.h"
#include "editor/tools/tool_shell.h"

#include "winui/cmdui.h"
#include "winui/msgbox.h"

#include <shellapi.h>

namespace {

const char running_text[] = "There exist already a running application.Hard termination may "
                            "cause unfreed ressources!\nTerminate anyway?";

// What the output panes need of the editor.
class CFrameToolShell : public CToolShell {
public:
    CFrameToolShell(CMainFrameBase& frame, CToolsHost& host, const CCurrentTool& tool)
        : frame_(frame), host_(host), tool_(tool)
    {
    }

    std::vector<std::string> DocumentPaths() override
    {
        std::vector<std::string> paths;
        for (COvantaDoc* doc : Docs())
            paths.push_back(doc->GetPathName());
        return paths;
    }
    CColorEdit* DocumentEditor(int index) override
    {
        COvantaView* view = ViewOf(index);
        return view ? &view->Editor() : nullptr;
    }
    int ActiveDocument() override
    {
        COvantaView* view = host_.ActiveOvantaView();
        if (!view)
            return -1;
        std::vector<COvantaDoc*> docs = Docs();
        for (size_t i = 0; i < docs.size(); ++i)
            if (docs[i] == view->GetOvantaDoc())
                return static_cast<int>(i);
        return -1;
    }
    int OpenDocument(const std::string& path) override
    {
        COvantaDoc* opened = host_.Navigator().OpenDocument(path);
        std::vector<COvantaDoc*> docs = Docs();
        for (size_t i = 0; i < docs.size(); ++i)
            if (docs[i] == opened)
                return static_cast<int>(i);
        return -1;
    }
    void ShowDocumentLine(int index, int line) override
    {
        if (COvantaView* view = ViewOf(index))
            host_.Navigator().ShowDocumentLine(view->GetOvantaDoc(), line > 0 ? line : 1);
    }
    void UpdateStatusBar(int line, int column, int) override
    {
        COvantaView* view = host_.ActiveOvantaView();
        host_.Status().UpdateStatusBar(line, column, view ? view->Editor().GetTextLength() : 0);
    }
    std::string CurrentToolFormat() override { return tool_.Compiler; }
    std::string ExpandToolMacros(const std::string& text) override
    {
        std::string result;
        if (COvantaView* view = host_.ActiveOvantaView())
            view->ExpandToolMacros(text.c_str(), result);
        else
            result = text;
        return result;
    }
    std::string ProfilePath() override
    {
        COvantaApp* app = COvantaApp::Get();
        return app ? app->ProfileTarget() : std::string();
    }

private:
    static std::vector<COvantaDoc*> Docs()
    {
        COvantaApp* app = COvantaApp::Get();
        return app ? app->Documents() : std::vector<COvantaDoc*>();
    }
    // The document's current view, else its first.
    static COvantaView* ViewOf(int index)
    {
        std::vector<COvantaDoc*> docs = Docs();
        if (index < 0 || index >= static_cast<int>(docs.size()))
            return nullptr;
        for (winui::CView* v : docs[static_cast<size_t>(index)]->GetViews()) {
            winui::CFrameWnd* child = v->GetParentFrame();
            if (child && child->GetActiveView() == v)
                return dynamic_cast<COvantaView*>(v);
        }
        return docs[static_cast<size_t>(index)]->FirstView();
    }

    CMainFrameBase& frame_;
    CToolsHost& host_;
    const CCurrentTool& tool_;
};

} // namespace

BEGIN_MESSAGE_MAP(CToolsController, winui::CCmdTarget)
    ON_MESSAGE(WM_START_TOOL, &CToolsController::OnStartTool)
    ON_MESSAGE(WM_TOOL_FINISHED, &CToolsController::OnToolFinished)
    ON_COMMAND_RANGE(ID_TOOL_FIRST, ID_TOOL_LAST, &CToolsController::OnStartToolCommand)
    ON_COMMAND(ID_TOOL_SETTINGS, &CToolsController::OnToolSettings)
    ON_COMMAND(ID_ADD_TOOL, &CToolsController::OnAddTool)
    ON_UPDATE_COMMAND_UI(ID_ADD_TOOL, &CToolsController::OnUpdateAddTool)
    ON_COMMAND(ID_TOOL_CANCEL, &CToolsController::OnCancelTool)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CANCEL, &CToolsController::OnUpdateCancelTool)
    ON_COMMAND(ID_TOOLS_BAR, &CToolsController::OnToolsBar)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_BAR, &CToolsController::OnUpdateToolsBar)
    ON_COMMAND(ID_VIEW_OUTPUT, &CToolsController::OnOutputBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, &CToolsController::OnUpdateOutputBar)
END_MESSAGE_MAP()

CToolsController::CToolsController(CMainFrameBase& frame, CToolsHost& host) : frame_(frame), host_(host) {}

CToolsController::~CToolsController() = default;

CToolShell* CToolsController::ToolShell()
{
    if (!m_pToolShell)
        m_pToolShell = std::make_unique<CFrameToolShell>(frame_, host_, m_currentTool);
    return m_pToolShell.get();
}

void CToolsController::CreateToolsBar()
{
    m_wndToolsBar.Create(&frame_);
    m_wndToolsBar.EnableDocking(winui::CBRS_ALIGN_ANY);
    m_wndToolsBar.m_pCurrentTool = &m_currentTool;
    m_wndToolsBar.m_pShorten = &ShortenPathName;
}

void CToolsController::LoadTools()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !m_wndToolsBar.m_hWnd)
        return;
    m_wndToolsBar.m_strDefaultDir = OvantaOptions().defaultDir;
    // The option set holds "ExecBar" of the profile target, read with the
    // table's rules when the settings or the workspace were loaded.
    const int execBar = OvantaOptions().execBar;
    int side = execBar & 7;
    m_wndToolsBar.LoadTools(app->ProfileTarget(), side == 1 ? 0 : side);
    if (side == 1 || m_wndToolsBar.IsFloating() || !CDockSite::DockBarOf(&m_wndToolsBar))
        host_.DockControlBarLeftOf(&m_wndToolsBar, &host_.MainToolBar());
    // The bar belongs to the documents: it shows once one is open.
    frame_.ShowControlBar(&m_wndToolsBar, host_.OpenDocumentCount() > 0 && m_wndToolsBar.GetToolCount() > 0 && !(execBar & 0x10),
                   FALSE);
}

void CToolsController::FirstDocumentOpened()
{
    // Hidden by the user (0x10 in the profile) or hidden when the last
    // document closed while the user had hidden it (0x20): it stays so.
    if (m_wndToolsBar.m_hWnd && m_wndToolsBar.GetToolCount() > 0 && !(OvantaOptions().execBar & 0x30) &&
        !m_wndToolsBar.IsVisible())
        frame_.ShowControlBar(&m_wndToolsBar, TRUE, FALSE);
}

void CToolsController::LastDocumentClosed()
{
    if (!m_wndToolsBar.m_hWnd)
        return;
    OvantaOptions().execBar = m_wndToolsBar.IsVisible() ? 0 : 0x20;
    frame_.ShowControlBar(&m_wndToolsBar, FALSE, FALSE);
}

void CToolsController::SaveToolSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    if (m_wndToolsBar.m_hWnd)
        m_wndToolsBar.SaveTools(app->ProfileTarget());
    if (m_pOutputBar && m_pOutputBar->m_hWnd) {
        RECT r;
        m_pOutputBar->GetClientRect(&r);
        WriteOption(&SettingsValues::outWndHeight, r.bottom);
    }
}

void CToolsController::StopTool()
{
    m_toolRunner.Cancel();
    m_toolRunner.Wait(1000);
}

void CToolsController::ToggleOutputBar()
{
    if (!m_pOutputBar) {
        auto bar = std::make_unique<COutputBar>(ToolShell(), &m_toolRunner);
        if (!bar->Create(&frame_, TRUE, host_.EditFont()))
            return;
        const int height = OvantaOptions().outWndHeight;
        if (height > 0)
            bar->m_sizeDockedHorz.cy = height;
        frame_.DockControlBar(bar.get(), winui::AFX_IDW_DOCKBAR_BOTTOM);
        m_pOutputBar = std::move(bar);
        // Where the user left it last time.
        host_.RestoreBarPlacement(m_pOutputBar.get(), kOutputBarKey, true);
        frame_.RecalcLayout();
        return;
    }
    frame_.ShowControlBar(m_pOutputBar.get(), !m_pOutputBar->IsVisible(), FALSE);
}

void CToolsController::RestoreOutputBar()
{
    if (m_pOutputBar)
        host_.RestoreBarPlacement(m_pOutputBar.get(), kOutputBarKey, false);
    else if (host_.StoredBarVisible(kOutputBarKey))
        ToggleOutputBar();
}

bool CToolsController::AskToStopRunningTool()
{
    if (winui::ShowMessageBox(frame_.m_hWnd, running_text, "Start Tool..",
                              MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
        return false;
    m_toolRunner.Cancel();
    ::SetTimer(frame_.m_hWnd, tool_stop_timer, 2000, nullptr);
    return true;
}

void CToolsController::StartTool()
{
    if (m_toolRunner.IsRunning() && (m_currentTool.RedirToFile || m_currentTool.CaptureOut)) {
        // The user starts the tool again once the old run has ended.
        AskToStopRunningTool();
        return;
    }
    COvantaView* view = host_.ActiveOvantaView();
    std::function<std::string(const std::string&)> expand;
    if (view)
        expand = [view](const std::string& text) {
            std::string result;
            view->ExpandToolMacros(text.c_str(), result);
            return result;
        };
    ToolStart start = PrepareToolStart(m_currentTool, frame_.MDIGetActive() != nullptr, expand);
    switch (start.action) {
    case ToolStartAction::kNothing:
        return;
    case ToolStartAction::kEditSettings:
        OnToolSettings();
        return;
    case ToolStartAction::kPlayMacro:
        host_.PlayKeyboardMacro(start.program.c_str());
        return;
    case ToolStartAction::kTooLong:
        winui::ShowMessageBox(frame_.m_hWnd, "Application name is too long", "Start program",
                              MB_OK | MB_ICONSTOP);
        return;
    default:
        break;
    }
    if (m_currentTool.SaveBeforeRun) {
        if (COvantaApp* app = COvantaApp::Get())
            for (COvantaDoc* doc : app->Documents())
                if (doc->IsModified() && !doc->GetPathName().empty())
                    doc->OnSaveDocument(doc->GetPathName().c_str());
    }
    if (m_currentTool.ChangeDir && !m_currentTool.AppDir.empty())
        SetCurrentDirectoryA(m_currentTool.AppDir.c_str());

    if (start.action == ToolStartAction::kShellOpen) {
        HINSTANCE r = ShellExecuteA(frame_.m_hWnd, "open", start.program.c_str(),
                                    start.parameters.empty() ? nullptr : start.parameters.c_str(),
                                    m_currentTool.AppDir.empty() ? nullptr
                                                                 : m_currentTool.AppDir.c_str(),
                                    SW_SHOW);
        if (reinterpret_cast<INT_PTR>(r) <= 32)
            CToolRunner::ReportStartError(frame_.m_hWnd, start.program, GetLastError());
        return;
    }

    if (!m_pOutputBar || !m_pOutputBar->IsVisible())
        ToggleOutputBar();
    if (!m_pOutputBar)
        return;
    m_pOutputBar->ShowPane(kPaneOutput);
    COutputEdit& pane = m_pOutputBar->Pane(kPaneOutput);
    pane.SetPaneText((start.commandLine + "\r\r").c_str());
    pane.m_nNextMessage = -1;
    // Relative names in the output are the start folder's.
    std::string base = start.startDir;
    if (base.empty()) {
        char dir[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof dir, dir);
        base = dir;
    }
    pane.m_strBaseDir = base;
    m_toolRunner.Start(start.action == ToolStartAction::kCapture ? CToolRunner::Mode::kCapture
                                                                 : CToolRunner::Mode::kRedirect,
                       start.program, start.commandLine, start.startDir, pane.m_hWnd, frame_.m_hWnd);
}

LRESULT CToolsController::OnStartTool(WPARAM, LPARAM)
{
    StartTool();
    return 0;
}

LRESULT CToolsController::OnToolFinished(WPARAM, LPARAM)
{
    return 0;
}

void CToolsController::UpdateToolMenu(HMENU menu)
{
    UpdateStartToolMenu(menu, m_wndToolsBar.Tools(), m_toolRunner.IsRunning());
}

bool CToolsController::ToolRunning() const
{
    return m_toolRunner.IsRunning();
}

void CToolsController::OnStartToolCommand(UINT id)
{
    m_wndToolsBar.StartToolByCommand(id);
}

void CToolsController::OnToolSettings()
{
    COvantaApp* app = COvantaApp::Get();
    CAppStartDlg dlg(frame_.m_hWnd);
    dlg.m_tool.AppExe = m_currentTool.AppExe;
    dlg.m_tool.AppParms = m_currentTool.AppParms;
    dlg.m_tool.CaptureOut = m_currentTool.CaptureOut;
    dlg.m_tool.SaveBeforeRun = m_currentTool.SaveBeforeRun;
    dlg.m_tool.Compiler = m_currentTool.Compiler;
    dlg.m_tool.AppDir = m_currentTool.AppDir;
    dlg.m_tool.RedirToFile = m_currentTool.RedirToFile;
    dlg.m_tool.ChangeDir = m_currentTool.ChangeDir;
    if (app)
        dlg.m_strDefaultDir = OvantaOptions().defaultDir;
    const CToolInfo shown = dlg.m_tool;
    if (dlg.DoModal() != IDOK)
        return;
    // The tool on the bar keeps what was chosen, so that its next start
    // does not bring the old values back; its paths change only where they
    // were edited (the current tool may hold their short form).
    if (CToolInfo* record = m_wndToolsBar.CurrentToolRecord()) {
        if (dlg.m_tool.AppExe != shown.AppExe)
            record->AppExe = dlg.m_tool.AppExe;
        if (dlg.m_tool.AppDir != shown.AppDir)
            record->AppDir = dlg.m_tool.AppDir;
        record->AppParms = dlg.m_tool.AppParms;
        record->CaptureOut = dlg.m_tool.CaptureOut;
        record->SaveBeforeRun = dlg.m_tool.SaveBeforeRun;
        record->Compiler = dlg.m_tool.Compiler;
        record->RedirToFile = dlg.m_tool.RedirToFile;
        record->ChangeDir = dlg.m_tool.ChangeDir;
    }
    m_currentTool.AppExe = dlg.m_tool.AppExe;
    m_currentTool.AppParms = dlg.m_tool.AppParms;
    m_currentTool.CaptureOut = dlg.m_tool.CaptureOut;
    m_currentTool.SaveBeforeRun = dlg.m_tool.SaveBeforeRun;
    m_currentTool.Compiler = dlg.m_tool.Compiler;
    m_currentTool.AppDir = dlg.m_tool.AppDir;
    m_currentTool.RedirToFile = dlg.m_tool.RedirToFile;
    m_currentTool.ChangeDir = dlg.m_tool.ChangeDir;
    if (app) {
        CProfileToolStore store{winui::CProfile(app->ProfileTarget())};
        SaveCurrentTool(store, m_currentTool);
    }
}

void CToolsController::OnAddTool()
{
    COvantaApp* app = COvantaApp::Get();
    CAppStartDlg dlg(frame_.m_hWnd);
    dlg.m_tool.CaptureOut = 1;
    dlg.m_tool.SaveBeforeRun = 1;
    dlg.m_tool.RedirToFile = 0;
    dlg.m_tool.ChangeDir = 1;
    if (app)
        dlg.m_strDefaultDir = OvantaOptions().defaultDir;
    if (dlg.DoModal() != IDOK)
        return;
    dlg.m_tool.CommandId = 0;
    m_wndToolsBar.AddTool(dlg.m_tool);
}

void CToolsController::OnUpdateAddTool(winui::CCmdUI* ui)
{
    ui->Enable(m_wndToolsBar.GetToolCount() < kMaxTools);
}

void CToolsController::OnCancelTool()
{
    if (m_toolRunner.IsRunning())
        AskToStopRunningTool();
}

void CToolsController::OnUpdateCancelTool(winui::CCmdUI* ui)
{
    ui->Enable(m_toolRunner.IsRunning());
}

void CToolsController::OnToolsBar()
{
    if (m_wndToolsBar.m_hWnd)
        frame_.ShowControlBar(&m_wndToolsBar, !m_wndToolsBar.IsVisible(), FALSE);
}

void CToolsController::OnUpdateToolsBar(winui::CCmdUI* ui)
{
    ui->Enable(m_wndToolsBar.GetToolCount() > 0);
    ui->SetCheck(m_wndToolsBar.IsVisible() ? 1 : 0);
}

void CToolsController::OnOutputBar()
{
    ToggleOutputBar();
    host_.OutputBarToggled();
}

void CToolsController::OnUpdateOutputBar(winui::CCmdUI* ui)
{
    ui->SetCheck(m_pOutputBar && m_pOutputBar->IsVisible() ? 1 : 0);
}
