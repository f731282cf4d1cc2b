// The frame's settings and workspaces: the option set loaded from and saved
// to the profile target, the workspace file's writer and reader, the
// workspace commands, the list of recently opened workspaces, and the
// closing of the frame while a workspace is open.
#include "editor/shell/mainfrm.h"

#include "editor/shell/font_settings.h"
#include "editor/shell/frame_timers.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/recent_workspaces.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shell_text.h"
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

static const char settings_section[] = "DefaultSettings";
static const char workspace_filter[] = "Workspaces (*.wsp)|*.wsp|All Files (*.*)|*.*||";
static const char bars_section[] = "Bars";

// --- the option set on the profile functions ---------------------------------------

namespace {

const char missing_mark[] = "\x01<missing>";

class WorkspaceColorAccess : public CProfileAccess {
public:
    explicit WorkspaceColorAccess(COvantaApp& app) : app_(app) {}
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

bool CAppSettingsStore::Read(const char* section, const char* key, std::string& value)
{
    value = app_.m_profile.GetString(section, key, missing_mark);
    return value != missing_mark;
}

void CAppSettingsStore::Write(const char* section, const char* key, const std::string& value)
{
    app_.WriteSettingString(section, key, value.c_str());
}

SettingsValues& OvantaOptions()
{
    static SettingsValues options;
    return options;
}

namespace {

// One value of an option and its copy where the program uses it: loading
// copies the option over, collecting copies it back.
template <class Copy, class Option>
void exchange(bool load, Copy& copy, Option& option)
{
    if (load)
        copy = static_cast<Copy>(option);
    else
        option = static_cast<Option>(copy);
}

// The options that the application, the print code and the editor
// controls keep copies of, in one list for both directions.
void exchange_options(bool load, COvantaApp& app, SettingsValues& o)
{
    OvantaSettings& s = app.m_settings;
    exchange(load, s.tabWidth, o.tabWidth);
    exchange(load, s.softTabs, o.softTabs);
    exchange(load, s.showTabs, o.showTabs);
    exchange(load, s.lineWrap, o.lineWrap);
    exchange(load, s.wrapOnWords, o.wrapOnWords);
    exchange(load, s.saveLineWrap, o.saveLineWrap);
    exchange(load, s.orgBackup, o.orgBackup);
    exchange(load, s.saveBackup, o.saveBackup);
    exchange(load, s.replaceFileExt, o.replaceFileExt);
    exchange(load, s.backupFileExt, o.backupFileExt);
    exchange(load, s.split, o.split);
    exchange(load, s.openMaximized, o.openMaximized);
    exchange(load, s.autoSaveTime, o.autoSaveTime);
    exchange(load, s.showLineNo, o.showLineNo);
    exchange(load, s.syntax, o.syntax);
    exchange(load, app.m_strDefaultDir, o.defaultDir);
    exchange(load, app.m_strLastDir, o.lastDir);
    PrintOptions& p = app.m_printOptions;
    exchange(load, p.pageNo, o.pageNo);
    exchange(load, p.lineNo, o.lineNo);
    exchange(load, p.fileTitle, o.fileTitle);
    exchange(load, p.bannerTop, o.bannerTop);
    exchange(load, p.actDate, o.actDate);
    exchange(load, p.printBW, o.printBW);
    exchange(load, p.compressLines, o.compressLines);
    // The editing options live where the editor controls read them.
    SyntaxEditSettings& edit = GetSyntaxEditSettings();
    exchange(load, edit.autoIndent, o.autoIndent);
    exchange(load, edit.extMovTxt, o.extMovTxt);
    exchange(load, edit.multiClick, o.multiClick);
    exchange(load, edit.extContextMenu, o.extContextMenu);
    exchange(load, edit.supressComments, o.supressComments);
    ColorEditSettings& control = GetColorEditSettings();
    exchange(load, control.noClicks, o.noClicks);
    exchange(load, control.autoCopy, o.autoCopy);
    exchange(load, control.selAfterPaste, o.selAfterPaste);
}

} // namespace

void ApplyOptionsToApp(COvantaApp& app, const SettingsValues& options)
{
    SettingsValues o = options;
    exchange_options(true, app, o);
    app.m_settings.backColor = static_cast<COLORREF>(o.backColor);
    g_bSyntaxColoring = o.syntax;
    app.m_strBackupFileExt = o.backupFileExt;
}

void CollectOptionsFromApp(COvantaApp& app, SettingsValues& o)
{
    exchange_options(false, app, o);
    o.backColor = static_cast<int>(app.m_settings.backColor & 0xFFFFFF);
    // A value from a hand-edited file, or set by a command, never goes out
    // of its range into a file.
    ClampSettings(o);
}

// --- helpers of the frame ----------------------------------------------------------

// Docks a bar by its placement code: 1 top, 2 bottom, 3 right, 4 left; 0x10 hides it.
static void place_bar(CMainFrame& frame, winui::CControlBar& bar, int code)
{
    if (!bar.m_hWnd)
        return;
    frame.DockBarAtSide(bar, code & 7);
    frame.ShowControlBar(&bar, (code & 0x10) ? FALSE : TRUE, FALSE);
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

HFONT CMainFrame::SwapEditFont(HFONT font)
{
    HFONT old = m_hEditFont;
    m_hEditFont = font;
    return old;
}

const std::string& CMainFrame::WorkspacePath() const
{
    static const std::string none;
    COvantaApp* app = COvantaApp::Get();
    return app ? app->m_strWorkspacePath : none;
}

std::vector<std::string> CMainFrame::WorkspaceFiles() const
{
    std::vector<std::string> files;
    const std::string dir = WorkspaceDirectoryOf(WorkspacePath());
    for (const std::string& f : m_workspaceFiles)
        files.push_back(ExpandStoredPath(dir, f));
    return files;
}

void CMainFrame::ApplyLoadedOptions(bool workspace)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    // "DefaultDir" that cannot be entered is dropped; "LastDir" falls back
    // to the profile's place.
    enter_directory(o.defaultDir, std::string(), workspace);
    if (!o.lastDir.empty() || workspace)
        enter_directory(o.lastDir, DirectoryOf(app->m_szProfilePath), workspace);
    if (!o.defaultDir.empty())
        SetCurrentDirectoryA(o.defaultDir.c_str());
    ApplyOptionsToApp(*app, o);
    LoadSearchSettings();
    g_ColorTable[16] = app->m_settings.backColor;
    if (o.autoSaveTime == 0 && m_nAutoSaveTimer) {
        ::KillTimer(m_hWnd, autosave_timer);
        m_nAutoSaveTimer = 0;
    }
    PlaceBarsAtStart();
}

void CMainFrame::PlaceBarsAtStart()
{
    const SettingsValues& o = OvantaOptions();
    place_bar(*this, m_wndToolBar, o.toolBar);
    Hooks().PlaceBookmarkBar(o.bookmarkBar);
    Hooks().PlaceFileBar(o.fileBar);
    RestoreOutputBar();
}

bool CMainFrame::RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !bar || !bar->m_hWnd || !LoadBarPlacement(bar, app->m_profile, bars_section, key))
        return false;
    if (show && !bar->IsVisible())
        ShowControlBar(bar, TRUE, FALSE);
    return true;
}

bool CMainFrame::StoredBarVisible(const char* key)
{
    COvantaApp* app = COvantaApp::Get();
    docking::BarPlacement p;
    return app && docking::ParseBarPlacement(app->m_profile.GetString(bars_section, key, ""), &p) && p.visible;
}

void CMainFrame::SaveBarPlacements()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // A bar not made in this run keeps what is stored.
    if (m_pOutputBar && m_pOutputBar->m_hWnd)
        SaveBarPlacement(m_pOutputBar.get(), app->m_profile, bars_section, kOutputBarKey);
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd)
        SaveBarPlacement(m_pFunctionBar.get(), app->m_profile, bars_section, kFunctionBarKey);
}

void CMainFrame::LoadSettings(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    std::string saved = app->ProfileTarget();
    if (path)
        app->SetProfileTarget(path);
    CAppSettingsStore store(*app);
    ReadSettings(store, OvantaOptions(), kProfileRead);
    HFONT oldFont = SwapEditFont(CreateEditFont(OvantaOptions().font));
    ApplyLoadedOptions(false);
    update_all_views(*app, {1, 0});
    // The printer font, once the editor font stands (its copy without a face).
    app->LoadPrintFont(OvantaOptions().printFont, EditFont());
    if (oldFont)
        ::DeleteObject(oldFont);
    LoadTools();
    LoadMacroSettings();
    LoadBrowserSettings();
    ReloadSearchDialogs();
    if (path)
        app->SetProfileTarget(saved);
    RecalcLayout();
}

void CMainFrame::SaveSettings(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    std::string saved = app->ProfileTarget();
    if (path)
        app->SetProfileTarget(path);
    SettingsValues& o = OvantaOptions();
    CollectOptionsFromApp(*app, o);
    CollectSearchOptions(o);
    FontValuesOf(m_hEditFont, o.font);
    app->StorePrintFont(o.printFont);
    if (!::IsIconic(m_hWnd)) {
        o.fileBar = StoredFileBarCode(Hooks().FileBarCode(), o.fileBar);
        if (m_wndToolBar.m_hWnd)
            o.toolBar = GetBarState(m_wndToolBar.m_hWnd);
        if (m_wndToolsBar.m_hWnd) {
            int code = GetBarState(m_wndToolsBar.m_hWnd);
            o.execBar = (o.execBar & 0x20) ? code : (code & 7);
        }
        o.bookmarkBar = Hooks().BookmarkBarCode() & ~0x10;
    }
    o.macroBar = m_nMacroBar;
    o.functionList = m_nFunctionList;
    CAppSettingsStore store(*app);
    WriteSettings(store, o, kProfileWrite);
    if (m_wndToolsBar.m_hWnd)
        m_wndToolsBar.SaveTools(app->ProfileTarget());
    // [FIND] and the search dialogs' places; the sizeable bars' places.
    SaveSearchSettings();
    SaveBarPlacements();
    SaveMacroSettings();
    WriteTagFlags();
    if (path)
        app->SetProfileTarget(saved);
}

// --- the workspace file --------------------------------------------------------------

int CMainFrame::SaveWorkspace(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return 2;
    if (app->m_nWorkspaceSaveMode == 2)
        return 7;
    if (app->m_nWorkspaceSaveMode == 0) {
        int answer = winui::ShowMessageBox(m_hWnd, "Save the current Workspace?", "Close Workspace",
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

    if (::IsZoomed(m_hWnd) || ::IsIconic(m_hWnd)) {
        app->WriteSettingString("Ovanta", "Main", "M");
    } else {
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        char text[64];
        std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", rc.left, rc.top, rc.right, rc.bottom);
        app->WriteSettingString("Ovanta", "Main", text);
    }

    SettingsValues& o = OvantaOptions();
    CollectOptionsFromApp(*app, o);
    CollectSearchOptions(o);
    FontValuesOf(m_hEditFont, o.font);
    if (!::IsIconic(m_hWnd)) {
        o.fileBar = StoredFileBarCode(Hooks().FileBarCode(), o.fileBar);
        if (m_wndToolBar.m_hWnd)
            o.toolBar = GetBarState(m_wndToolBar.m_hWnd);
        if (m_wndToolsBar.m_hWnd)
            o.execBar = GetBarState(m_wndToolsBar.m_hWnd);
        o.bookmarkBar = Hooks().BookmarkBarCode() & ~0x10;
    }
    o.macroBar = m_nMacroBar;
    o.functionList = m_nFunctionList;
    CAppSettingsStore store(*app);
    WriteSettings(store, o, kWorkspaceWrite, kGroupOptions | kGroupFont);

    SaveSearchSettings();
    SaveBarPlacements();
    if (m_wndToolsBar.m_hWnd)
        m_wndToolsBar.SaveTools(target);
    WorkspaceColorAccess colors(*app);
    SaveColorTable(colors);

    app->WriteSettingString("OpenFiles", nullptr, nullptr);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, target.c_str());

    if (COvantaView* view = ActiveOvantaView()) {
        std::string stored = MakeRelativePath(dir, view->GetDocument()->GetPathName());
        winui::CFrameWnd* child = view->GetParentFrame();
        if (ContainsPath(m_workspaceFiles, stored))
            app->WriteSettingString("OpenFiles", "ActFile",
                                    FormatActFile(stored, child && ::IsZoomed(child->m_hWnd)).c_str());
    }
    int number = 0;
    for (COvantaDoc* doc : app->Documents()) {
        const std::string& docPath = doc->GetPathName();
        std::string stored = MakeRelativePath(dir, docPath);
        if (docPath.empty() || !ContainsPath(m_workspaceFiles, stored))
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
    for (const std::string& closed : ClosedFilesToWrite(m_closedFiles, m_workspaceFiles)) {
        char key[16];
        std::snprintf(key, sizeof key, "File%d", ++number);
        app->WriteSettingString("ClosedFiles", key, closed.c_str());
    }
    Hooks().SaveBookmarks(target);
    WriteTagFlags();
    if (path)
        app->SetProfileTarget(saved);
    return 1;
}

void CMainFrame::LoadWorkspace(const char* path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !path)
        return;
    app->m_strSavedProfile = app->ProfileTarget();
    app->SetProfileTarget(path);
    const std::string dir = WorkspaceDirectoryOf(path);
    winui::CProfile& profile = app->m_profile;

    MoveToStoredPlace(profile.GetString("Ovanta", "Main", ""));

    CAppSettingsStore store(*app);
    SettingsValues& o = OvantaOptions();
    // A workspace keeps the editor font unless it names a face of its own.
    FontValues font = o.font;
    ReadSettings(store, o, kWorkspaceRead, kGroupOptions | kGroupFont);
    HFONT oldFont = nullptr;
    if (o.font.faceName.empty())
        o.font = font;
    else
        oldFont = SwapEditFont(CreateEditFont(o.font));
    ApplyLoadedOptions(true);
    LoadTools();
    LoadMacroSettings();
    WorkspaceColorAccess colors(*app);
    LoadColorTable(colors, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
    g_ColorTable[16] = app->m_settings.backColor;
    update_all_views(*app, {1, 0});
    if (oldFont)
        ::DeleteObject(oldFont);
    ReloadSearchDialogs();

    uint32_t low = 0, high = 0;
    const bool haveSaveTime = ParseFileTime(profile.GetString("Project", "SaveTime", ""), low, high);
    const uint64_t saveTime = (static_cast<uint64_t>(high) << 32) | low;

    // [ClosedFiles] in the order of the file, so that saving writes them
    // back the same way.
    m_closedFiles.clear();
    for (int i = 1;; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "File%d", i);
        std::string value = profile.GetString("ClosedFiles", key, "");
        if (value.empty())
            break;
        m_closedFiles.push_back(value);
        if (!ContainsPath(m_workspaceFiles, value))
            m_workspaceFiles.push_back(value);
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
        if (!ContainsPath(m_workspaceFiles, stored))
            m_workspaceFiles.push_back(stored);
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
            Hooks().RestoreBookmarks(doc);
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
                    MDIActivate(child->m_hWnd);
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
    LoadBrowserSettings(true);
    Hooks().WorkspaceFilesChanged();
    RecalcLayout();
}

// --- the workspace commands ------------------------------------------------------------

void CMainFrame::WriteRecentWorkspaces()
{
    COvantaApp* app = COvantaApp::Get();
    if (app && m_pRecentWorkspaces)
        m_pRecentWorkspaces->WriteList(winui::CProfile(app->m_szProfilePath));
}

CRecentWorkspaceList* CMainFrame::RecentWorkspaces()
{
    COvantaApp* app = COvantaApp::Get();
    if (!m_pRecentWorkspaces && app) {
        m_pRecentWorkspaces = std::make_unique<CRecentWorkspaceList>();
        m_pRecentWorkspaces->ReadList(winui::CProfile(app->m_szProfilePath));
    }
    return m_pRecentWorkspaces.get();
}

// Saves what the current state needs before another workspace comes:
// false when the user cancelled.
bool CMainFrame::LeaveForWorkspace(bool askFirst, const char* question)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return false;
    if (app->Documents().empty()) {
        m_workspaceFiles.clear();
        m_closedFiles.clear();
        return true;
    }
    int answer = IDNO;
    if (askFirst)
        answer = winui::ShowMessageBox(m_hWnd, question, "Load Workspace",
                                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST);
    if (!app->m_strWorkspacePath.empty()) {
        app->SetProfileTarget(app->m_strWorkspacePath);
        if (SaveWorkspace(app->m_strWorkspacePath.c_str()) == 2)
            return false;
        m_workspaceFiles.clear();
        m_closedFiles.clear();
    } else {
        SaveSettings();
    }
    WriteRecentWorkspaces();
    if (!askFirst)
        answer = winui::ShowMessageBox(m_hWnd, question, "Load Workspace",
                                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST);
    if (answer == IDYES && app->m_pDocManager) {
        if (!app->m_pDocManager->SaveAllModified())
            return false;
        app->m_pDocManager->CloseAllDocuments(FALSE);
    }
    app->WriteSettingString("Project", "Savetime", now_stamp().c_str());
    return true;
}

void CMainFrame::EnterWorkspace(const std::string& path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    Hooks().RecordPositions(false);
    app->m_strWorkspacePath = path;
    LoadWorkspace(path.c_str());
    Hooks().RecordPositions(true);
}

void CMainFrame::OpenWorkspace(const char* path)
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

void CMainFrame::OnWorkspaceOpen()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    winui::CFileDialog dlg(true, nullptr, app->m_strWorkspacePath.c_str(), OFN_HIDEREADONLY,
                           workspace_filter, m_hWnd);
    dlg.SetInitialDir(app->m_strDefaultDir);
    if (dlg.DoModal() != IDOK)
        return;
    OpenWorkspace(dlg.GetPathName().c_str());
    ShowProgress(false);
}

void CMainFrame::OnWorkspaceSave()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    winui::CFileDialog dlg(false, nullptr, app->m_strWorkspacePath.c_str(),
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, workspace_filter, m_hWnd);
    dlg.SetInitialDir(app->m_strDefaultDir);
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = WithWorkspaceExtension(full_path(dlg.GetPathName()));
    const bool fresh = app->m_strWorkspacePath.empty();
    app->m_strWorkspacePath = path;
    app->SetProfileTarget(path);
    // A new workspace is made of the documents that are open.
    if (fresh && m_workspaceFiles.empty()) {
        const std::string dir = WorkspaceDirectoryOf(path);
        for (COvantaDoc* doc : app->Documents())
            if (!doc->GetPathName().empty())
                m_workspaceFiles.push_back(MakeRelativePath(dir, doc->GetPathName()));
    }
    const int mode = app->m_nWorkspaceSaveMode;
    app->m_nWorkspaceSaveMode = 1;
    SaveWorkspace();
    app->m_nWorkspaceSaveMode = mode;
    if (CRecentWorkspaceList* recent = RecentWorkspaces()) {
        recent->Add(path.c_str());
        WriteRecentWorkspaces();
    }
    Hooks().WorkspaceFilesChanged();
}

bool CMainFrame::CloseWorkspace()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || app->m_strWorkspacePath.empty())
        return true;
    const std::string workspace = app->m_strWorkspacePath;
    app->SetProfileTarget(workspace);
    if (SaveWorkspace() == 2)
        return false;
    int answer = app->Documents().empty()
                     ? IDYES
                     : winui::ShowMessageBox(m_hWnd, "Close all open Documents?", "Close Workspace",
                                             MB_YESNOCANCEL | MB_ICONQUESTION | MB_TOPMOST);
    // Cancel keeps the workspace open with its documents and its settings.
    if (answer == IDYES && app->m_pDocManager && !app->m_pDocManager->SaveAllModified())
        answer = IDCANCEL;
    if (answer != IDYES && answer != IDNO)
        return false;

    app->SetProfileTarget(app->m_szProfilePath);
    app->WriteRecentFileList();
    if (answer == IDYES && app->m_pDocManager)
        app->m_pDocManager->CloseAllDocuments(FALSE);
    // The profile's settings and colours come back (the workspace is still
    // the open one while they load, so that nothing is written to it).
    LoadSettings();
    WorkspaceColorAccess colors(*app);
    LoadColorTable(colors, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
    std::string syntax = OvantaOptions().activeSyntax.empty() ? "C/C++" : OvantaOptions().activeSyntax;
    int back = app->m_profile.GetInt(syntax.c_str(), "BackColor", -1);
    g_ColorTable[16] = back == -1 ? app->m_settings.backColor : static_cast<COLORREF>(back);
    if (answer == IDYES) {
        if (m_wndToolsBar.m_hWnd)
            ShowControlBar(&m_wndToolsBar, FALSE, FALSE);
        // The project's symbols go with its documents.
        if (m_pFunctionBar)
            m_pFunctionBar->ClearSymbols();
        m_closedFiles.clear();
    } else {
        update_all_views(*app, {1, 0, 2});
    }

    app->SetProfileTarget(workspace);
    Hooks().RecordPositions(true);
    app->WriteRecentFileList();
    WritePrivateProfileStringA("Project", "Savetime", now_stamp().c_str(), workspace.c_str());

    app->m_strWorkspacePath.clear();
    m_workspaceFiles.clear();
    m_closedFiles.clear();
    app->SetProfileTarget(app->m_szProfilePath);
    Hooks().WorkspaceFilesChanged();
    RecalcLayout();
    return true;
}

void CMainFrame::OnWorkspaceClose()
{
    CloseWorkspace();
}

void CMainFrame::OnUpdateWorkspaceClose(winui::CCmdUI* ui)
{
    ui->Enable(!WorkspacePath().empty());
}

void CMainFrame::OnRecentWorkspace(UINT id)
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
        winui::ShowMessageBox(m_hWnd, "Can't open this workspace!", "Open workspace", MB_OK | MB_ICONSTOP);
        recent->Remove(n);
        WriteRecentWorkspaces();
        return;
    }
    recent->Add(path.c_str());
    if (!LeaveForWorkspace(false, "Close all open documents before?"))
        return;
    WriteRecentWorkspaces();
    EnterWorkspace(path);
    ShowProgress(false);
}

void CMainFrame::OnUpdateRecentWorkspace(winui::CCmdUI* ui)
{
    if (CRecentWorkspaceList* recent = RecentWorkspaces())
        recent->UpdateMenu(ui);
}

void CMainFrame::UpdateRecentWorkspacePopup(HMENU menu)
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

void CMainFrame::OnClose()
{
    COvantaApp* app = COvantaApp::Get();
    if (app) {
        app->RestoreProfileTarget();
        if (!app->m_strWorkspacePath.empty() && SaveWorkspace(app->m_strWorkspacePath.c_str()) == 2)
            return;
    }
    CMainFrameBase::OnClose();
}

void CMainFrame::SaveOnDestroy()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    WriteRecentWorkspaces();
    if (!app->m_strWorkspacePath.empty()) {
        WritePrivateProfileStringA("Project", "Savetime", now_stamp().c_str(),
                                   app->m_strWorkspacePath.c_str());
        return;
    }
    SaveSettings(app->m_szProfilePath.c_str());
}

// --- the option commands beside the workspace commands --------------------------------

void CMainFrame::OnMinimizeAll()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    for (COvantaDoc* doc : app->Documents())
        for (winui::CView* view : doc->GetViews())
            if (winui::CFrameWnd* child = view->GetParentFrame())
                ::ShowWindow(child->m_hWnd, SW_MINIMIZE);
}

void CMainFrame::OnHelpTopics()
{
    const std::string& help = OvantaOptions().helpPath;
    if (help.empty()) {
        winui::ShowMessageBox(m_hWnd, "No help document is set (\"HelpPath\" in [DefaultSettings]).",
                              "Help Topics", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(m_hWnd, "open", help.c_str(), nullptr, nullptr,
                                                SW_SHOWNORMAL)) <= 32) {
        std::string text = "Can't open the help document '" + help + "'.";
        winui::ShowMessageBox(m_hWnd, text.c_str(), "Help Topics", MB_OK | MB_ICONSTOP);
    }
}

void CMainFrame::OnHoldSelection()
{
    int& value = GetColorEditSettings().selAfterPaste;
    value = value ? 0 : 1;
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingInt(settings_section, "SelAfterPaste", value);
}

void CMainFrame::OnUpdateHoldSelection(winui::CCmdUI* ui)
{
    ui->SetCheck(GetColorEditSettings().selAfterPaste ? 1 : 0);
}

void CMainFrame::OnExtContextMenu()
{
    int& value = GetSyntaxEditSettings().extContextMenu;
    value = value ? 0 : 1;
    if (value && m_textMacros.empty())
        LoadTextMacros();
    // Written at once like the other option toggles.
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingInt(settings_section, "ExtContextMenu", value);
}

void CMainFrame::OnUpdateExtContextMenu(winui::CCmdUI* ui)
{
    ui->SetCheck(GetSyntaxEditSettings().extContextMenu ? 1 : 0);
}
