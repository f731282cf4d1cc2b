// The main frame's settings and workspaces: the option set loaded from and
// saved to the profile target, the workspace file's writer and reader, the
// workspace commands, the list of recently opened workspaces, the closing
// of the frame while a workspace is open, the project's file list and the
// file properties.
#include "editor/shell/workspace_controller.h"

#include "editor/shell/browser_controller.h"
#include "editor/shell/file_dialogs_res.h"
#include "editor/shell/file_properties_dlg.h"
#include "editor/shell/font_settings.h"
#include "editor/shell/frame_timers.h"
#include "editor/shell/macro_settings.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/project_files_dlg.h"
#include "editor/shell/recent_workspaces.h"
#include "editor/shell/resource.h"
#include "editor/shell/search_settings.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shell_text.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/tools_controller.h"
#include "editor/shell/workspace_file.h"

#include "editor/editctl/color_table.h"
#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/ncoloreditctrl.h"
#include "editor/syntax/syntax_template.h"
#include "editor/tools/output_bar.h"

#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <utility>

static const char workspace_filter[] = "Workspaces (*.wsp)|*.wsp|All Files (*.*)|*.*||";
static const char bars_section[] = "Bars";

namespace {

// The colour table's keys in the profile target (the profile or the open
// workspace).
class AppColorAccess : public CProfileAccess {
public:
    explicit AppColorAccess(COvantaApp& app) : app_(app) {}
    int GetInt(const char* section, const char* key, int defaultValue) override
    {
        return app_.m_profile.GetInt(section, key, defaultValue);
    }
    void WriteInt(const char* section, const char* key, int value) override
    {
        app_.WriteSettingInt(section, key, value);
    }

private:
    COvantaApp& app_;
};

// The main window's place: "M" while maximised or minimised, else its
// rectangle as "left,top,right,bottom".
const char main_place_section[] = "Ovanta";
const char main_place_key[] = "Main";

uint64_t file_time_value(const FILETIME& t)
{
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The last-write time of a file that can be opened for reading.
bool last_write_time(const std::string& path, FILETIME& time, DWORD share)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = GetFileTime(h, nullptr, nullptr, &time) != FALSE;
    CloseHandle(h);
    return ok;
}

std::string full_path(const std::string& path)
{
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : path;
}

bool same_path(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string now_stamp()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FormatFileTime(now.dwLowDateTime, now.dwHighDateTime);
}

} // namespace

BEGIN_MESSAGE_MAP(CWorkspaceController, winui::CCmdTarget)
    ON_COMMAND(ID_WORKSPACE_OPEN, &CWorkspaceController::OnWorkspaceOpen)
    ON_COMMAND(ID_WORKSPACE_SAVE, &CWorkspaceController::OnWorkspaceSave)
    ON_COMMAND(ID_WORKSPACE_CLOSE, &CWorkspaceController::OnWorkspaceClose)
    ON_UPDATE_COMMAND_UI(ID_WORKSPACE_CLOSE, &CWorkspaceController::OnUpdateWorkspaceClose)
    ON_COMMAND_RANGE(ID_RECENT_WORKSPACE_FIRST, ID_RECENT_WORKSPACE_LAST, &CWorkspaceController::OnRecentWorkspace)
    ON_UPDATE_COMMAND_UI(ID_RECENT_WORKSPACE_FIRST, &CWorkspaceController::OnUpdateRecentWorkspace)
    ON_COMMAND(ID_MINIMIZE_ALL, &CWorkspaceController::OnMinimizeAll)
    ON_COMMAND(ID_HELP_TOPICS, &CWorkspaceController::OnHelpTopics)
    // F1 and Shift+F1 open the help document as "&Help Topics" does.
    ON_COMMAND(ID_HELP_CMD, &CWorkspaceController::OnHelpTopics)
    ON_COMMAND(ID_CONTEXT_HELP, &CWorkspaceController::OnHelpTopics)
    ON_COMMAND(ID_HOLD_SELECTION, &CWorkspaceController::OnHoldSelection)
    ON_UPDATE_COMMAND_UI(ID_HOLD_SELECTION, &CWorkspaceController::OnUpdateHoldSelection)
    ON_COMMAND(ID_EXT_CONTEXT_MENU, &CWorkspaceController::OnExtContextMenu)
    ON_UPDATE_COMMAND_UI(ID_EXT_CONTEXT_MENU, &CWorkspaceController::OnUpdateExtContextMenu)
    ON_COMMAND(ID_PROJECT_FILES, &CWorkspaceController::OnProjectFiles)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_FILES, &CWorkspaceController::OnUpdateProjectFiles)
END_MESSAGE_MAP()

CWorkspaceController::CWorkspaceController(CMainFrameBase& frame, CWorkspaceHost& host, CToolsController& tools,
                                           CBrowserController& browser)
    : frame_(frame), host_(host), tools_(tools), browser_(browser)
{
}

CWorkspaceController::~CWorkspaceController() = default;

// A project file that opens is no longer among the project's closed files;
// one that closes is again, so the functions bar keeps listing it.
void CWorkspaceController::TrackClosedProjectFile(COvantaDoc* doc, bool closing)
{
    if (WorkspacePath().empty() || !doc || doc->GetPathName().empty())
        return;
    project_.TrackClosed(MakeRelativePath(WorkspaceDirectoryOf(WorkspacePath()), doc->GetPathName()), closing);
}


// Changes to a directory option: the option is replaced by fallback when
// the directory cannot be entered.
static void enter_directory(std::string& dir, const std::string& fallback, bool emptyFails)
{
    if (dir.empty()) {
        if (emptyFails)
            dir = fallback;
        return;
    }
    if (!SetCurrentDirectoryA(dir.c_str()))
        dir = fallback;
}

static void update_all_views(COvantaApp& app, std::initializer_list<LPARAM> hints)
{
    for (COvantaDoc* doc : app.Documents())
        for (LPARAM hint : hints)
            doc->UpdateAllViews(nullptr, hint);
}

const std::string& CWorkspaceController::WorkspacePath() const
{
    static const std::string none;
    COvantaApp* app = COvantaApp::Get();
    return app ? app->WorkspacePath() : none;
}

std::vector<std::string> CWorkspaceController::WorkspaceFiles() const
{
    std::vector<std::string> files;
    const std::string dir = WorkspaceDirectoryOf(WorkspacePath());
    for (const std::string& f : project_.Files())
        files.push_back(ExpandStoredPath(dir, f));
    return files;
}

void CWorkspaceController::ApplyLoadedOptions(bool workspace)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    // "DefaultDir" that cannot be entered is dropped; "LastDir" falls back
    // to the profile's place.
    enter_directory(o.defaultDir, std::string(), workspace);
    if (!o.lastDir.empty() || workspace)
        enter_directory(o.lastDir, DirectoryOf(app->ProfilePath()), workspace);
    if (!o.defaultDir.empty())
        SetCurrentDirectoryA(o.defaultDir.c_str());
    ApplyOptionsToControls(o);
    host_.SearchSettings().LoadSettings();
    g_ColorTable[16] = BackColorOption();
    if (o.autoSaveTime == 0)
        host_.StopAutoSave();
    PlaceBarsAtStart();
}

void CWorkspaceController::PlaceBarsAtStart()
{
    const SettingsValues& o = OvantaOptions();
    // The main tool bar by its placement code: 1 top, 2 bottom, 3 right,
    // 4 left; 0x10 hides it.
    winui::CControlBar& toolBar = host_.MainToolBar();
    if (toolBar.m_hWnd) {
        host_.DockBarAtSide(toolBar, o.toolBar & 7);
        frame_.ShowControlBar(&toolBar, (o.toolBar & 0x10) ? FALSE : TRUE, FALSE);
    }
    host_.Hooks().PlaceBookmarkBar(o.bookmarkBar);
    host_.Hooks().PlaceFileBar(o.fileBar);
    tools_.RestoreOutputBar();
}

bool CWorkspaceController::RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !bar || !bar->m_hWnd || !frame_.LoadBarPlacement(bar, app->m_profile, bars_section, key))
        return false;
    if (show && !bar->IsVisible())
        frame_.ShowControlBar(bar, TRUE, FALSE);
    return true;
}

bool CWorkspaceController::StoredBarVisible(const char* key)
{
    COvantaApp* app = COvantaApp::Get();
    docking::BarPlacement p;
    return app && docking::ParseBarPlacement(app->m_profile.GetString(bars_section, key, ""), &p) && p.visible;
}

void CWorkspaceController::SaveBarPlacements()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // A bar not made in this run keeps what is stored.
    if (tools_.OutputBar() && tools_.OutputBar()->m_hWnd)
        frame_.SaveBarPlacement(tools_.OutputBar(), app->m_profile, bars_section, kOutputBarKey);
    if (browser_.FunctionBar() && browser_.FunctionBar()->m_hWnd)
        frame_.SaveBarPlacement(browser_.FunctionBar(), app->m_profile, bars_section, kFunctionBarKey);
}

void CWorkspaceController::LoadSettings(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    std::string saved = app->ProfileTarget();
    if (path)
        app->SetProfileTarget(path);
    CAppSettingsStore store(*app);
    ReadSettings(store, OvantaOptions(), kProfileRead);
    HFONT oldFont = host_.SwapEditFont(CreateEditFont(OvantaOptions().font));
    ApplyLoadedOptions(false);
    update_all_views(*app, {1, 0});
    // The printer font, once the editor font stands (its copy without a face).
    app->LoadPrintFont(OvantaOptions().printFont, host_.EditFont());
    if (oldFont)
        ::DeleteObject(oldFont);
    tools_.LoadTools();
    host_.MacroSettings().LoadSettings();
    browser_.LoadBrowserSettings();
    host_.SearchSettings().ReloadDialogs();
    if (path)
        app->SetProfileTarget(saved);
    frame_.RecalcLayout();
}

void CWorkspaceController::SaveSettings(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    std::string saved = app->ProfileTarget();
    if (path)
        app->SetProfileTarget(path);
    SettingsValues& o = OvantaOptions();
    host_.SearchSettings().CollectOptions(o);
    FontValuesOf(host_.EditFont(), o.font);
    app->StorePrintFont(o.printFont);
    if (!::IsIconic(frame_.m_hWnd)) {
        o.fileBar = StoredFileBarCode(host_.Hooks().FileBarCode(), o.fileBar);
        if (host_.MainToolBar().m_hWnd)
            o.toolBar = host_.GetBarState(host_.MainToolBar().m_hWnd);
        if (tools_.ToolsBar().m_hWnd) {
            int code = host_.GetBarState(tools_.ToolsBar().m_hWnd);
            o.execBar = (o.execBar & 0x20) ? code : (code & 7);
        }
        o.bookmarkBar = host_.Hooks().BookmarkBarCode() & ~0x10;
    }
    o.macroBar = host_.MacroSettings().MacroBarSetting();
    o.functionList = browser_.FunctionListCode();
    CAppSettingsStore store(*app);
    // A value from a hand-edited file, or set by a command, never goes out
    // of its range into a file.
    ClampSettings(o);
    WriteSettings(store, o, kProfileWrite);
    if (tools_.ToolsBar().m_hWnd)
        tools_.ToolsBar().SaveTools(app->ProfileTarget());
    // [FIND] and the search dialogs' places; the sizeable bars' places.
    host_.SearchSettings().SaveSettings();
    SaveBarPlacements();
    host_.MacroSettings().SaveSettings();
    browser_.WriteTagFlags();
    if (path)
        app->SetProfileTarget(saved);
}

// --- the workspace file --------------------------------------------------------------

int CWorkspaceController::SaveWorkspace(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return 2;
    if (app->WorkspaceSaveMode() == 2)
        return 7;
    if (app->WorkspaceSaveMode() == 0) {
        int answer = winui::ShowMessageBox(frame_.m_hWnd, "Save the current Workspace?", "Close Workspace",
                                           MB_YESNOCANCEL | MB_ICONQUESTION | MB_TOPMOST);
        if (answer == IDNO)
            return 7;
        if (answer != IDYES)
            return 2;
    }
    std::string saved = app->ProfileTarget();
    if (path)
        app->SetProfileTarget(path);
    const std::string target = app->ProfileTarget();
    const std::string dir = WorkspaceDirectoryOf(target);

    SaveMainPlace();

    SettingsValues& o = OvantaOptions();
    host_.SearchSettings().CollectOptions(o);
    FontValuesOf(host_.EditFont(), o.font);
    if (!::IsIconic(frame_.m_hWnd)) {
        o.fileBar = StoredFileBarCode(host_.Hooks().FileBarCode(), o.fileBar);
        if (host_.MainToolBar().m_hWnd)
            o.toolBar = host_.GetBarState(host_.MainToolBar().m_hWnd);
        if (tools_.ToolsBar().m_hWnd)
            o.execBar = host_.GetBarState(tools_.ToolsBar().m_hWnd);
        o.bookmarkBar = host_.Hooks().BookmarkBarCode() & ~0x10;
    }
    o.macroBar = host_.MacroSettings().MacroBarSetting();
    o.functionList = browser_.FunctionListCode();
    CAppSettingsStore store(*app);
    // A value from a hand-edited file, or set by a command, never goes out
    // of its range into a file.
    ClampSettings(o);
    WriteSettings(store, o, kWorkspaceWrite, kGroupOptions | kGroupFont);

    host_.SearchSettings().SaveSettings();
    SaveBarPlacements();
    if (tools_.ToolsBar().m_hWnd)
        tools_.ToolsBar().SaveTools(target);
    SaveColors();

    app->WriteSettingString("OpenFiles", nullptr, nullptr);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, target.c_str());

    if (COvantaView* view = host_.ActiveOvantaView()) {
        std::string stored = MakeRelativePath(dir, view->GetDocument()->GetPathName());
        winui::CFrameWnd* child = view->GetParentFrame();
        if (ContainsPath(project_.Files(), stored))
            app->WriteSettingString("OpenFiles", "ActFile",
                                    FormatActFile(stored, child && ::IsZoomed(child->m_hWnd)).c_str());
    }
    int number = 0;
    for (COvantaDoc* doc : app->Documents()) {
        const std::string& docPath = doc->GetPathName();
        std::string stored = MakeRelativePath(dir, docPath);
        if (docPath.empty() || !ContainsPath(project_.Files(), stored))
            continue;
        FILETIME time{0, 0};
        if (!last_write_time(docPath, time, 0))
            continue;
        auto* view = dynamic_cast<COvantaView*>(doc->GetFirstView());
        if (!view)
            continue;
        OpenFileEntry e;
        e.path = stored;
        e.topLine = view->Editor().GetTopLine();
        int start = 0, end = 0;
        view->Editor().GetSel(start, end);
        e.caret = start;
        e.timeLow = time.dwLowDateTime;
        e.timeHigh = time.dwHighDateTime;
        if (winui::CFrameWnd* child = view->GetParentFrame())
            e.state = ::IsIconic(child->m_hWnd) ? 'm' : ::IsZoomed(child->m_hWnd) ? 'M' : 0;
        char key[16];
        std::snprintf(key, sizeof key, "File%d", ++number);
        app->WriteSettingString("OpenFiles", key, FormatOpenFileEntry(e).c_str());
    }

    app->WriteSettingString("ClosedFiles", nullptr, nullptr);
    number = 0;
    for (const std::string& closed : ClosedFilesToWrite(project_.Closed(), project_.Files())) {
        char key[16];
        std::snprintf(key, sizeof key, "File%d", ++number);
        app->WriteSettingString("ClosedFiles", key, closed.c_str());
    }
    host_.Hooks().SaveBookmarks(target);
    browser_.WriteTagFlags();
    if (path)
        app->SetProfileTarget(saved);
    return 1;
}

void CWorkspaceController::LoadWorkspace(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !path)
        return;
    app->SetProfileTarget(path);
    const std::string dir = WorkspaceDirectoryOf(path);
    winui::CProfile& profile = app->m_profile;

    RestoreMainPlace();

    CAppSettingsStore store(*app);
    SettingsValues& o = OvantaOptions();
    // A workspace keeps the editor font unless it names a face of its own.
    FontValues font = o.font;
    ReadSettings(store, o, kWorkspaceRead, kGroupOptions | kGroupFont);
    HFONT oldFont = nullptr;
    if (o.font.faceName.empty())
        o.font = font;
    else
        oldFont = host_.SwapEditFont(CreateEditFont(o.font));
    ApplyLoadedOptions(true);
    tools_.LoadTools();
    host_.MacroSettings().LoadSettings();
    LoadColors();
    g_ColorTable[16] = BackColorOption();
    update_all_views(*app, {1, 0});
    if (oldFont)
        ::DeleteObject(oldFont);
    host_.SearchSettings().ReloadDialogs();

    uint32_t low = 0, high = 0;
    const bool haveSaveTime = ParseFileTime(profile.GetString("Project", "SaveTime", ""), low, high);
    const uint64_t saveTime = (static_cast<uint64_t>(high) << 32) | low;

    // [ClosedFiles] in the order of the file, so that saving writes them
    // back the same way.
    project_.Closed().clear();
    for (int i = 1;; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "File%d", i);
        std::string value = profile.GetString("ClosedFiles", key, "");
        if (value.empty())
            break;
        project_.Closed().push_back(value);
        if (!ContainsPath(project_.Files(), value))
            project_.Files().push_back(value);
    }

    for (int i = 1;; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "File%d", i);
        std::string value = profile.GetString("OpenFiles", key, "");
        if (value.empty())
            break;
        OpenFileEntry e = ParseOpenFileEntry(value);
        if (e.path.empty())
            continue;
        const std::string file = ExpandStoredPath(dir, e.path);
        if (e.bare) {
            app->OpenDocumentFile(file.c_str());
            continue;
        }
        std::string stored = MakeRelativePath(dir, file);
        if (!ContainsPath(project_.Files(), stored))
            project_.Files().push_back(stored);
        auto* doc = dynamic_cast<COvantaDoc*>(app->OpenDocumentFile(file.c_str()));
        if (!doc)
            continue;
        auto* view = dynamic_cast<COvantaView*>(doc->GetFirstView());
        if (!view)
            continue;
        FILETIME time{0, 0};
        const bool haveFileTime = last_write_time(file, time, FILE_SHARE_READ | FILE_SHARE_WRITE);
        if (RestoresPosition(haveSaveTime, saveTime, haveFileTime, file_time_value(time))) {
            COvantaEditCtrl& edit = view->Editor();
            ::SetFocus(edit.m_hWnd);
            int lines = edit.GetLineCount();
            long top = e.topLine < 0 ? 0 : e.topLine;
            edit.Core().SetTopLine(static_cast<int>(top < lines ? top : (lines > 0 ? lines - 1 : 0)));
            long caret = e.caret < 0 ? 0 : e.caret;
            int offset = static_cast<int>(caret < edit.GetTextLength() ? caret : edit.GetTextLength());
            edit.SetSel(offset, offset, false, true);
            edit.InvalidateText(1);
            edit.UpdateVScrollBar(1);
            view->NotifyCaret();
            host_.Hooks().RestoreBookmarks(doc);
        }
        if (e.fields == 5 && e.state == 'm')
            if (winui::CFrameWnd* child = view->GetParentFrame())
                ::ShowWindow(child->m_hWnd, SW_MINIMIZE);
    }

    std::string active;
    char state = 0;
    ParseActFile(profile.GetString("OpenFiles", "ActFile", ""), active, state);
    if (!active.empty()) {
        active = ExpandStoredPath(dir, active);
        for (COvantaDoc* doc : app->Documents()) {
            if (!same_path(doc->GetPathName(), active))
                continue;
            if (winui::CView* view = doc->GetFirstView())
                if (winui::CFrameWnd* child = view->GetParentFrame()) {
                    frame_.MDIActivate(child->m_hWnd);
                    if (state == 'M')
                        ::ShowWindow(child->m_hWnd, SW_MAXIMIZE);
                }
            break;
        }
        std::string activeDir = DirectoryOf(active);
        if (!activeDir.empty())
            SetCurrentDirectoryA(activeDir.c_str());
    }
    // The tag configuration and the functions bar's place come from the
    // workspace also when it lists no open files.
    browser_.LoadBrowserSettings(true);
    host_.Hooks().WorkspaceFilesChanged();
    frame_.RecalcLayout();
}

// --- the workspace commands ------------------------------------------------------------

void CWorkspaceController::WriteRecentWorkspaces()
{
    COvantaApp* app = COvantaApp::Get();
    if (app && m_pRecentWorkspaces)
        m_pRecentWorkspaces->WriteList(winui::CProfile(app->ProfilePath()));
}

CRecentWorkspaceList* CWorkspaceController::RecentWorkspaces()
{
    COvantaApp* app = COvantaApp::Get();
    if (!m_pRecentWorkspaces && app) {
        m_pRecentWorkspaces = std::make_unique<CRecentWorkspaceList>();
        m_pRecentWorkspaces->ReadList(winui::CProfile(app->ProfilePath()));
    }
    return m_pRecentWorkspaces.get();
}

// Saves what the current state needs before another workspace comes:
// false when the user cancelled.
bool CWorkspaceController::LeaveForWorkspace(bool askFirst, const char* question)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return false;
    if (app->Documents().empty()) {
        project_.Files().clear();
        project_.Closed().clear();
        return true;
    }
    int answer = IDNO;
    if (askFirst)
        answer = winui::ShowMessageBox(frame_.m_hWnd, question, "Load Workspace",
                                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST);
    if (!app->WorkspacePath().empty()) {
        app->SetProfileTarget(app->WorkspacePath());
        if (SaveWorkspace(app->WorkspacePath().c_str()) == 2)
            return false;
        project_.Files().clear();
        project_.Closed().clear();
    } else {
        SaveSettings();
    }
    WriteRecentWorkspaces();
    if (!askFirst)
        answer = winui::ShowMessageBox(frame_.m_hWnd, question, "Load Workspace",
                                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST);
    if (answer == IDYES && app->m_pDocManager) {
        if (!app->m_pDocManager->SaveAllModified())
            return false;
        app->m_pDocManager->CloseAllDocuments(FALSE);
    }
    app->WriteSettingString("Project", "Savetime", now_stamp().c_str());
    return true;
}

void CWorkspaceController::EnterWorkspace(const std::string& path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    host_.Hooks().RecordPositions(false);
    app->SetWorkspacePath(path);
    LoadWorkspace(path.c_str());
    host_.Hooks().RecordPositions(true);
}

void CWorkspaceController::OpenWorkspace(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !path || !*path)
        return;
    // The profile functions take a name without a folder from the system's
    // folder: a workspace named on the command line is made full first.
    const std::string full = full_path(path);
    if (!LeaveForWorkspace(true, "Close all open documents?"))
        return;
    EnterWorkspace(full);
    if (CRecentWorkspaceList* recent = RecentWorkspaces()) {
        recent->Add(full.c_str());
        WriteRecentWorkspaces();
    }
}

void CWorkspaceController::OnWorkspaceOpen()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    winui::CFileDialog dlg(true, nullptr, app->WorkspacePath().c_str(), OFN_HIDEREADONLY,
                           workspace_filter, frame_.m_hWnd);
    dlg.SetInitialDir(OvantaOptions().defaultDir);
    if (dlg.DoModal() != IDOK)
        return;
    OpenWorkspace(dlg.GetPathName().c_str());
    host_.Status().ShowProgress(false);
}

void CWorkspaceController::OnWorkspaceSave()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    winui::CFileDialog dlg(false, nullptr, app->WorkspacePath().c_str(),
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, workspace_filter, frame_.m_hWnd);
    dlg.SetInitialDir(OvantaOptions().defaultDir);
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = WithWorkspaceExtension(full_path(dlg.GetPathName()));
    const bool fresh = app->WorkspacePath().empty();
    app->SetWorkspacePath(path);
    app->SetProfileTarget(path);
    // A new workspace is made of the documents that are open.
    if (fresh && project_.Files().empty()) {
        const std::string dir = WorkspaceDirectoryOf(path);
        for (COvantaDoc* doc : app->Documents())
            if (!doc->GetPathName().empty())
                project_.Files().push_back(MakeRelativePath(dir, doc->GetPathName()));
    }
    SaveWorkspaceUnasked(nullptr);
    if (CRecentWorkspaceList* recent = RecentWorkspaces()) {
        recent->Add(path.c_str());
        WriteRecentWorkspaces();
    }
    host_.Hooks().WorkspaceFilesChanged();
}

bool CWorkspaceController::CloseWorkspace()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || app->WorkspacePath().empty())
        return true;
    const std::string workspace = app->WorkspacePath();
    app->SetProfileTarget(workspace);
    if (SaveWorkspace() == 2)
        return false;
    int answer = app->Documents().empty()
                     ? IDYES
                     : winui::ShowMessageBox(frame_.m_hWnd, "Close all open Documents?", "Close Workspace",
                                             MB_YESNOCANCEL | MB_ICONQUESTION | MB_TOPMOST);
    // Cancel keeps the workspace open with its documents and its settings.
    if (answer == IDYES && app->m_pDocManager && !app->m_pDocManager->SaveAllModified())
        answer = IDCANCEL;
    if (answer != IDYES && answer != IDNO)
        return false;

    app->SetProfileTarget(app->ProfilePath());
    app->WriteRecentFileList();
    if (answer == IDYES && app->m_pDocManager)
        app->m_pDocManager->CloseAllDocuments(FALSE);
    // The profile's settings and colours come back (the workspace is still
    // the open one while they load, so that nothing is written to it).
    LoadSettings();
    LoadColors();
    std::string syntax = OvantaOptions().activeSyntax.empty() ? "C/C++" : OvantaOptions().activeSyntax;
    int back = app->m_profile.GetInt(syntax.c_str(), "BackColor", -1);
    g_ColorTable[16] = back == -1 ? BackColorOption() : static_cast<COLORREF>(back);
    if (answer == IDYES) {
        if (tools_.ToolsBar().m_hWnd)
            frame_.ShowControlBar(&tools_.ToolsBar(), FALSE, FALSE);
        // The project's symbols go with its documents.
        browser_.ClearSymbols();
        project_.Closed().clear();
    } else {
        update_all_views(*app, {1, 0, 2});
    }

    app->SetProfileTarget(workspace);
    host_.Hooks().RecordPositions(true);
    app->WriteRecentFileList();
    WritePrivateProfileStringA("Project", "Savetime", now_stamp().c_str(), workspace.c_str());

    app->SetWorkspacePath(std::string());
    project_.Files().clear();
    project_.Closed().clear();
    app->SetProfileTarget(app->ProfilePath());
    host_.Hooks().WorkspaceFilesChanged();
    frame_.RecalcLayout();
    return true;
}

void CWorkspaceController::OnWorkspaceClose()
{
    CloseWorkspace();
}

void CWorkspaceController::OnUpdateWorkspaceClose(winui::CCmdUI* ui)
{
    ui->Enable(!WorkspacePath().empty());
}

void CWorkspaceController::OnRecentWorkspace(UINT id)
{
    COvantaApp* app = COvantaApp::Get();
    CRecentWorkspaceList* recent = RecentWorkspaces();
    if (!app || !recent)
        return;
    int n = static_cast<int>(id - ID_RECENT_WORKSPACE_FIRST);
    if (n < 0 || n >= recent->GetCount())
        return;
    const std::string path = (*recent)[n];
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        winui::ShowMessageBox(frame_.m_hWnd, "Can't open this workspace!", "Open workspace", MB_OK | MB_ICONSTOP);
        recent->Remove(n);
        WriteRecentWorkspaces();
        return;
    }
    recent->Add(path.c_str());
    if (!LeaveForWorkspace(false, "Close all open documents before?"))
        return;
    WriteRecentWorkspaces();
    EnterWorkspace(path);
    host_.Status().ShowProgress(false);
}

void CWorkspaceController::OnUpdateRecentWorkspace(winui::CCmdUI* ui)
{
    if (CRecentWorkspaceList* recent = RecentWorkspaces())
        recent->UpdateMenu(ui);
}

void CWorkspaceController::UpdateRecentWorkspacePopup(HMENU menu)
{
    // "Last opened Workspaces" is greyed while the list is empty.
    CRecentWorkspaceList* recent = RecentWorkspaces();
    for (int i = 0; recent && i < GetMenuItemCount(menu); ++i) {
        HMENU popup = GetSubMenu(menu, i);
        const UINT first = popup ? GetMenuItemID(popup, 0) : 0;
        if (first >= ID_RECENT_WORKSPACE_FIRST && first <= ID_RECENT_WORKSPACE_LAST)
            EnableMenuItem(menu, static_cast<UINT>(i),
                           MF_BYPOSITION | (recent->GetCount() == 0 ? MF_GRAYED : MF_ENABLED));
    }
}

bool CWorkspaceController::SaveBeforeClose()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return true;
    app->RestoreProfileTarget();
    return app->WorkspacePath().empty() || SaveWorkspace(app->WorkspacePath().c_str()) != 2;
}

void CWorkspaceController::SaveOnDestroy()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    WriteRecentWorkspaces();
    if (!app->WorkspacePath().empty()) {
        WritePrivateProfileStringA("Project", "Savetime", now_stamp().c_str(),
                                   app->WorkspacePath().c_str());
        return;
    }
    SaveSettings(app->ProfilePath().c_str());
}

// --- the option commands beside the workspace commands --------------------------------

void CWorkspaceController::OnMinimizeAll()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    for (COvantaDoc* doc : app->Documents())
        for (winui::CView* view : doc->GetViews())
            if (winui::CFrameWnd* child = view->GetParentFrame())
                ::ShowWindow(child->m_hWnd, SW_MINIMIZE);
}

void CWorkspaceController::OnHelpTopics()
{
    const std::string& help = OvantaOptions().helpPath;
    if (help.empty()) {
        winui::ShowMessageBox(frame_.m_hWnd, "No help document is set (\"HelpPath\" in [DefaultSettings]).",
                              "Help Topics", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(frame_.m_hWnd, "open", help.c_str(), nullptr, nullptr,
                                                SW_SHOWNORMAL)) <= 32) {
        std::string text = "Can't open the help document '" + help + "'.";
        winui::ShowMessageBox(frame_.m_hWnd, text.c_str(), "Help Topics", MB_OK | MB_ICONSTOP);
    }
}

void CWorkspaceController::OnHoldSelection()
{
    WriteOption(&SettingsValues::selAfterPaste, OvantaOptions().selAfterPaste ? 0 : 1);
    ApplyOptionsToControls(OvantaOptions());
}

void CWorkspaceController::OnUpdateHoldSelection(winui::CCmdUI* ui)
{
    ui->SetCheck(OvantaOptions().selAfterPaste ? 1 : 0);
}

void CWorkspaceController::OnExtContextMenu()
{
    const int value = OvantaOptions().extContextMenu ? 0 : 1;
    if (value)
        host_.MacroSettings().EnsureTextMacros();
    // Written at once like the other option toggles.
    WriteOption(&SettingsValues::extContextMenu, value);
    ApplyOptionsToControls(OvantaOptions());
}

void CWorkspaceController::OnUpdateExtContextMenu(winui::CCmdUI* ui)
{
    ui->SetCheck(OvantaOptions().extContextMenu ? 1 : 0);
}

void CWorkspaceController::OnProjectFiles()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || WorkspacePath().empty())
        return;
    const std::string workspace = WorkspacePath();
    CProjectFilesDlg dlg(project_.Files(), project_.Closed(), workspace, frame_.m_hWnd);
    for (COvantaDoc* doc : app->Documents())
        dlg.m_openPaths.push_back(doc->GetPathName());
    dlg.m_strInitialDir = OvantaOptions().defaultDir;
    if (CFunctionBar* bar = browser_.FunctionBar(); bar && bar->m_hWnd)
        dlg.m_onClosedFileAdded = [bar](const std::string& stored) { bar->AddFileItem(stored); };
    if (dlg.DoModal() != IDOK)
        return;
    // Written without the question: the user has just confirmed the list.
    SaveWorkspaceUnasked(workspace.c_str());
    if (CFunctionBar* bar = browser_.FunctionBar(); bar && bar->m_hWnd)
        bar->RebuildTree();
}

void CWorkspaceController::OnUpdateProjectFiles(winui::CCmdUI* ui)
{
    ui->Enable(!WorkspacePath().empty());
}

void CWorkspaceController::ShowFileProperties(COvantaDoc* doc)
{
    COvantaView* view = doc ? doc->FirstView() : nullptr;
    if (!view)
        return;
    FilePropertiesSource source;
    source.path = doc->GetPathName();
    source.textLength = doc->State().length;
    source.lineCount = static_cast<int>(doc->State().lineCount);
    source.unixFormat = doc->State().unixFormat != 0;
    source.countLinesOfCode = [view] { return view->Editor().CountLinesOfCode(); };
    // Editors that know the file as it is now take the times the dialog
    // sets as known: the change is the user's own, not one from outside.
    std::vector<CColorEditCore*> current;
    for (winui::CView* v : doc->GetViews()) {
        auto* ovantaView = dynamic_cast<COvantaView*>(v);
        if (ovantaView && ovantaView->Editor().Core().FileStatusCurrent())
            current.push_back(&ovantaView->Editor().Core());
    }
    CFilePropertiesDlg dlg(std::move(source), frame_.m_hWnd);
    dlg.DoModal();
    if (dlg.TimesSet())
        for (CColorEditCore* core : current)
            core->RefreshFileStatus();
}

void CWorkspaceController::SaveMainPlace()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    if (::IsZoomed(frame_.m_hWnd) || ::IsIconic(frame_.m_hWnd)) {
        app->WriteSettingString(main_place_section, main_place_key, "M");
        return;
    }
    RECT rc;
    ::GetWindowRect(frame_.m_hWnd, &rc);
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", rc.left, rc.top, rc.right, rc.bottom);
    app->WriteSettingString(main_place_section, main_place_key, text);
}

void CWorkspaceController::RestoreMainPlace()
{
    if (COvantaApp* app = COvantaApp::Get())
        host_.MoveToStoredPlace(app->m_profile.GetString(main_place_section, main_place_key, ""));
}

void CWorkspaceController::LoadColors()
{
    if (COvantaApp* app = COvantaApp::Get()) {
        AppColorAccess colors(*app);
        ::LoadColorTable(colors, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
    }
}

void CWorkspaceController::SaveColors()
{
    if (COvantaApp* app = COvantaApp::Get()) {
        AppColorAccess colors(*app);
        ::SaveColorTable(colors);
    }
}

void CWorkspaceController::SaveWorkspaceUnasked(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    const int mode = app->WorkspaceSaveMode();
    app->SetWorkspaceSaveMode(1);
    SaveWorkspace(path);
    app->SetWorkspaceSaveMode(mode);
}
