// The main frame's source browser: the functions bar and its commands,
// automatic browsing and its start request, the browser's status texts,
// the tag search configuration with section "TagConfig" and the project
// reference.
#include "editor/shell/browser_controller.h"
#include "editor/shell/document_navigator.h"

#include "editor/shell/editorstatusbar.h"
#include "editor/shell/project_files.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/workspace_file.h"

#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shell_text.h"

#include "editor/browser/auto_search_dlg.h"
#include "editor/browser/function_bar.h"
#include "editor/browser/project_html_dlg.h"
#include "editor/browser/project_reference.h"
#include "editor/browser/tag_file.h"
#include "editor/tools/output_bar.h"

#include "winui/cmdui.h"
#include "winui/msgbox.h"

#include <shellapi.h>

namespace {

const char tag_section[] = "TagConfig";

COvantaView* first_view(COvantaDoc* doc)
{
    return doc ? doc->FirstView() : nullptr;
}

bool is_open(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return false;
    for (COvantaDoc* d : app->Documents())
        if (d == doc)
            return true;
    return false;
}

// What the functions bar needs of the editor.
class CFrameBrowserShell : public CBrowserShell {
public:
    CFrameBrowserShell(CMainFrameBase& frame, CBrowserHost& host, CProjectFiles& project)
        : frame_(frame), host_(host), project_(project)
    {
    }

    std::vector<COvantaDoc*> Documents() override
    {
        COvantaApp* app = COvantaApp::Get();
        return app ? app->Documents() : std::vector<COvantaDoc*>();
    }
    std::string DocumentPath(COvantaDoc* doc) override { return doc->GetPathName(); }
    std::string DocumentTitle(COvantaDoc* doc) override { return doc->GetTitle(); }
    std::string DocumentText(COvantaDoc* doc) override
    {
        COvantaView* view = first_view(doc);
        if (!view || !view->Editor().m_hWnd)
            return std::string();
        const auto& core = view->Editor().Core();
        const uint8_t* text = core.GetTextBuffer();
        int length = core.GetTextLength();
        std::string copy;
        if (!text || length <= 0)
            return copy;
        // The soft breaks of word wrap are the view's, not the text's: the
        // scans would read them into names and texts (the file has none,
        // and lines do not count them).
        copy.reserve(static_cast<size_t>(length));
        for (int i = 0; i < length; ++i)
            if (text[i] != 2)
                copy += static_cast<char>(text[i]);
        return copy;
    }
    void ShowDocumentLine(COvantaDoc* doc, int line) override
    {
        host_.Navigator().ShowDocumentLine(doc, line >= 0 ? line + 1 : 0);
    }
    bool OpenFile(const std::string& path) override
    {
        return host_.Navigator().OpenDocument(path) != nullptr;
    }
    void CloseDocument(COvantaDoc* doc) override
    {
        if (is_open(doc) && doc->SaveModified())
            doc->OnCloseDocument();
    }
    void SetDocumentReadOnly(COvantaDoc* doc, bool readOnly) override
    {
        COvantaView* view = is_open(doc) ? first_view(doc) : nullptr;
        if (view && view->Editor().m_hWnd)
            view->Editor().SetReadOnly(readOnly ? 1 : 0);
    }
    // The open workspace's project: its files in stored form and those of
    // them that are not open.
    std::string WorkspacePath() override { return host_.WorkspacePath(); }
    std::vector<std::string> ProjectFiles() override { return project_.Files(); }
    std::vector<std::string> UnopenedProjectFiles() override { return project_.Closed(); }
    std::string ProjectRelativePath(const std::string& path) override
    {
        return MakeRelativePath(WorkspaceDirectoryOf(host_.WorkspacePath()), path);
    }
    void AddProjectFile(const std::string& rel) override { project_.Add(rel); }
    void RemoveProjectFile(const std::string& rel) override { project_.Remove(rel); }
    void ForgetUnopenedProjectFile(const std::string& rel) override { project_.ForgetClosed(rel); }
    bool ShowFilesInTree() override { return OvantaOptions().showFilesInTree != 0; }
    void SetShowFilesInTree(bool on) override { WriteOption(&SettingsValues::showFilesInTree, on ? 1 : 0); }

private:
    CMainFrameBase& frame_;
    CBrowserHost& host_;
    CProjectFiles& project_;
};

// Section "TagConfig" of the current profile target.
class CAppTagSettings : public CTagSettings {
public:
    std::string Get(const std::string& key, const std::string& def) const override
    {
        COvantaApp* app = COvantaApp::Get();
        return app ? app->m_profile.GetString(tag_section, key.c_str(), def.c_str()) : def;
    }
    bool Write(const std::string& key, const std::string& value) override
    {
        COvantaApp* app = COvantaApp::Get();
        return app && app->WriteSettingString(tag_section, key.c_str(), value.c_str());
    }
    bool DeleteSection() override
    {
        COvantaApp* app = COvantaApp::Get();
        return app && app->WriteSettingString(tag_section, nullptr, nullptr);
    }
};

FunctionListMode mode_of_command(UINT id)
{
    return id == ID_VERILOG_FUNCTION_LIST ? FunctionListMode::kVerilog
           : id == ID_PERL_FUNCTION_LIST  ? FunctionListMode::kPerl
                                          : FunctionListMode::kC;
}

} // namespace

BEGIN_MESSAGE_MAP(CBrowserController, winui::CCmdTarget)
    ON_COMMAND_RANGE(ID_FUNCTION_LIST, ID_FUNCTION_LIST, &CBrowserController::OnFunctionListCommand)
    ON_COMMAND_RANGE(ID_VERILOG_FUNCTION_LIST, ID_VERILOG_FUNCTION_LIST, &CBrowserController::OnFunctionListCommand)
    ON_COMMAND_RANGE(ID_PERL_FUNCTION_LIST, ID_PERL_FUNCTION_LIST, &CBrowserController::OnFunctionListCommand)
    ON_UPDATE_COMMAND_UI(ID_FUNCTION_LIST, &CBrowserController::OnUpdateFunctionListCommand)
    ON_UPDATE_COMMAND_UI(ID_VERILOG_FUNCTION_LIST, &CBrowserController::OnUpdateFunctionListCommand)
    ON_UPDATE_COMMAND_UI(ID_PERL_FUNCTION_LIST, &CBrowserController::OnUpdateFunctionListCommand)
    ON_COMMAND(ID_AUTO_SEARCH, &CBrowserController::OnAutoSearch)
    ON_UPDATE_COMMAND_UI(ID_AUTO_SEARCH, &CBrowserController::OnUpdateAutoSearch)
    ON_COMMAND(ID_AUTOSEARCH_CONFIG, &CBrowserController::OnAutoSearchConfig)
    ON_COMMAND(ID_HTML_PROJECT, &CBrowserController::OnProjectReference)
    ON_MESSAGE(WM_OP_HTML_REFERENCE, &CBrowserController::OnHtmlReferenceMessage)
    ON_MESSAGE(WM_BROWSER_REQUEST, &CBrowserController::OnBrowserRequest)
    ON_MESSAGE(WM_BROWSER_STATUS, &CBrowserController::OnBrowserStatus)
    ON_MESSAGE(WM_FUNCTION_UPDATE_DOCUMENT, &CBrowserController::OnFunctionUpdateDocument)
END_MESSAGE_MAP()

CBrowserController::CBrowserController(CMainFrameBase& frame, CBrowserHost& host, CProjectFiles& project)
    : frame_(frame), host_(host), project_(project)
{
}

CBrowserController::~CBrowserController() = default;

void CBrowserController::StopBrowser()
{
    if (m_pFunctionBar)
        m_pFunctionBar->Browser().Stop();
}

void CBrowserController::ClearSymbols()
{
    if (m_pFunctionBar)
        m_pFunctionBar->ClearSymbols();
}

// --- settings -------------------------------------------------------------------

FunctionListMode CBrowserController::FunctionListModeSetting() const
{
    const SettingsValues& o = OvantaOptions();
    if (o.verilog)
        return FunctionListMode::kVerilog;
    if (o.perl)
        return FunctionListMode::kPerl;
    return FunctionListMode::kC;
}

void CBrowserController::LoadBrowserSettings(bool workspace)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    CAppTagSettings settings;
    m_tagConfig = LoadTagConfig(settings);
    m_bAutoSearch = (m_tagConfig.flags & kBrowseAutomatic) != 0;
    // An output bar brought back with the settings shows its "Tags" pane
    // by them.
    SyncTagsPane();
    m_nFunctionList = OvantaOptions().functionList;
    int side = m_nFunctionList & 7;
    if (workspace) {
        // A workspace shows its project in the functions bar, at the right
        // for side 3 and at the left otherwise.
        if (!m_pFunctionBar)
            CreateFunctionBar(FunctionListModeSetting(), true, side == 3);
        else if (!m_pFunctionBar->IsVisible())
            frame_.ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
        return;
    }
    // A bar that was shown when the program closed comes back shown.
    if (side == 3 || side == 4)
        CreateFunctionBar(FunctionListModeSetting(), !(m_nFunctionList & 0x10), side == 3);
}

void CBrowserController::SaveBrowserSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (m_pFunctionBar)
        m_pFunctionBar->Browser().Stop();
    if (!app)
        return;
    unsigned flags = m_bAutoSearch ? (m_tagConfig.flags | kBrowseAutomatic) : (m_tagConfig.flags & ~kBrowseAutomatic);
    app->WriteSettingString(tag_section, "flags", std::to_string(flags).c_str());
    // A bar put away with the last document keeps the place it had then.
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd && !functionBarParked_) {
        RECT r;
        ::GetWindowRect(m_pFunctionBar->m_hWnd, &r);
        WriteOption(&SettingsValues::browseWndHeight, r.right - r.left);
        m_nFunctionList = (m_nFunctionList & 0x30) ? 0 : host_.GetBarState(m_pFunctionBar->m_hWnd);
    }
    WriteOption(&SettingsValues::functionList, m_nFunctionList);
}

// --- the functions bar ----------------------------------------------------------

CBrowserShell* CBrowserController::BrowserShell()
{
    if (!m_pBrowserShell)
        m_pBrowserShell = std::make_unique<CFrameBrowserShell>(frame_, host_, project_);
    return m_pBrowserShell.get();
}

bool CBrowserController::CreateFunctionBar(FunctionListMode mode, bool visible, bool right)
{
    if (m_pFunctionBar)
        return true;
    auto bar = std::make_unique<CFunctionBar>(BrowserShell(), frame_.m_hWnd);
    if (!bar->Create(&frame_, mode))
        return false;
    if (const int width = OvantaOptions().browseWndHeight; width > 0)
        bar->m_sizeDockedVert.cx = width;
    frame_.DockControlBar(bar.get(), right ? winui::AFX_IDW_DOCKBAR_RIGHT : winui::AFX_IDW_DOCKBAR_LEFT);
    m_pFunctionBar = std::move(bar);
    // Where the user left it last time.
    host_.RestoreBarPlacement(m_pFunctionBar.get(), kFunctionBarKey, false);
    m_pFunctionBar->RebuildTree();
    frame_.ShowControlBar(m_pFunctionBar.get(), visible ? TRUE : FALSE, FALSE);
    frame_.RecalcLayout();
    return true;
}

void CBrowserController::OnFunctionListCommand(UINT id)
{
    FunctionListMode mode = mode_of_command(id);
    functionBarParked_ = false; // the user's choice counts from here
    WriteOption(&SettingsValues::verilog, mode == FunctionListMode::kVerilog ? 1 : 0);
    WriteOption(&SettingsValues::perl, mode == FunctionListMode::kPerl ? 1 : 0);
    if (!m_pFunctionBar) {
        CreateFunctionBar(mode, true, false);
        m_nFunctionList = 0;
        return;
    }
    const bool visible = m_pFunctionBar->IsVisible() != FALSE;
    if (visible && m_pFunctionBar->Mode() == mode) {
        frame_.ShowControlBar(m_pFunctionBar.get(), FALSE, FALSE);
        m_nFunctionList = 0x10;
        return;
    }
    if (m_pFunctionBar->Mode() != mode) {
        m_pFunctionBar->SetMode(mode);
        m_pFunctionBar->RebuildTree();
    }
    if (!visible)
        frame_.ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
    m_nFunctionList = 0;
}

void CBrowserController::OnUpdateFunctionListCommand(winui::CCmdUI* ui)
{
    bool on = m_pFunctionBar && m_pFunctionBar->IsVisible() && m_pFunctionBar->Mode() == mode_of_command(ui->m_nID);
    ui->SetCheck(on ? 1 : 0);
}

void CBrowserController::LastDocumentClosed()
{
    // Without a workspace the bar lists only open documents: with the last
    // one it goes, its width and place written for the next document (a
    // workspace's bar keeps the project's files).
    COvantaApp* app = COvantaApp::Get();
    if (!app || !m_pFunctionBar || !m_pFunctionBar->m_hWnd || !host_.WorkspacePath().empty() ||
        !m_pFunctionBar->IsVisible())
        return;
    RECT r;
    ::GetWindowRect(m_pFunctionBar->m_hWnd, &r);
    WriteOption(&SettingsValues::browseWndHeight, r.right - r.left);
    m_nFunctionList = host_.GetBarState(m_pFunctionBar->m_hWnd);
    WriteOption(&SettingsValues::functionList, m_nFunctionList);
    frame_.ShowControlBar(m_pFunctionBar.get(), FALSE, FALSE);
    m_pFunctionBar->ClearSymbols();
    functionBarParked_ = true;
}

void CBrowserController::DocumentOpened(COvantaDoc* doc)
{
    if (functionBarParked_) {
        functionBarParked_ = false;
        if (m_pFunctionBar && m_pFunctionBar->m_hWnd && !m_pFunctionBar->IsVisible())
            frame_.ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
    }
    // The document's view comes after this call: its branch follows once
    // the messages in the queue are done.
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd)
        ::PostMessageA(frame_.m_hWnd, WM_FUNCTION_UPDATE_DOCUMENT, 0, reinterpret_cast<LPARAM>(doc));
}

LRESULT CBrowserController::OnFunctionUpdateDocument(WPARAM, LPARAM lParam)
{
    auto* doc = reinterpret_cast<COvantaDoc*>(lParam);
    // The document may have closed since.
    if (m_pFunctionBar && is_open(doc))
        m_pFunctionBar->UpdateDocument(doc);
    return 0;
}

void CBrowserController::DocumentClosing(COvantaDoc* doc)
{
    if (m_pFunctionBar)
        m_pFunctionBar->DetachDocument(doc);
}

void CBrowserController::CaretMoved(int line)
{
    if (!m_pFunctionBar || !m_pFunctionBar->IsVisible())
        return;
    if (COvantaView* view = host_.ActiveOvantaView())
        m_pFunctionBar->TrackCaret(view->GetOvantaDoc(), line);
}

// --- automatic browsing ---------------------------------------------------------

void CBrowserController::SyncTagsPane()
{
    if (COutputBar* bar = host_.OutputBar(); bar && bar->m_hWnd)
        bar->EnableTagsTab(m_bAutoSearch);
}

void CBrowserController::WriteTagFlags()
{
    if (m_bAutoSearch)
        m_tagConfig.flags |= kBrowseAutomatic;
    else
        m_tagConfig.flags &= ~kBrowseAutomatic;
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingString(tag_section, "flags", std::to_string(m_tagConfig.flags).c_str());
}

LRESULT CBrowserController::OnBrowserRequest(WPARAM, LPARAM)
{
    if (!m_bAutoSearch) {
        if (winui::ShowMessageBox(frame_.m_hWnd, "The auto browser function is currently disabled!\nEnable?", "Autobrowser",
                                  MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return 0;
        m_bAutoSearch = true;
        WriteTagFlags();
        SyncTagsPane();
    }
    if (!m_pFunctionBar) {
        if (!CreateFunctionBar(FunctionListModeSetting(), false, false))
            return 0;
        m_nFunctionList = 0;
    }
    if (m_pFunctionBar->StartBrowseThread(m_tagConfig, m_bAutoSearch) && host_.StatusBar().m_hWnd) {
        // The status bar animates while the scan runs; it reaches the
        // worker through the frame, so that a bar closed meanwhile is seen.
        CPaneJob job;
        job.finished = [this] { return !m_pFunctionBar || m_pFunctionBar->Browser().IsIdle(); };
        job.stopRequested = [this] { return m_pFunctionBar && m_pFunctionBar->Browser().StopFlag().load(); };
        job.requestStop = [this] {
            if (m_pFunctionBar)
                m_pFunctionBar->Browser().RequestStop();
        };
        host_.StatusBar().StartPaneAnimation(std::move(job));
    }
    return 0;
}

LRESULT CBrowserController::OnBrowserStatus(WPARAM text, LPARAM)
{
    // The texts are the browser's constants; they live as long as the program.
    host_.Status().SetMessageText(text ? reinterpret_cast<const char*>(text) : "");
    return 0;
}

void CBrowserController::OnAutoSearch()
{
    m_bAutoSearch = !m_bAutoSearch;
    WriteTagFlags();
    SyncTagsPane();
    if (m_bAutoSearch && (!m_pFunctionBar || m_pFunctionBar->IsEmpty()))
        ::PostMessageA(frame_.m_hWnd, WM_BROWSER_REQUEST, 0, 0);
}

void CBrowserController::OnUpdateAutoSearch(winui::CCmdUI* ui)
{
    ui->SetCheck(m_bAutoSearch ? 1 : 0);
}

void CBrowserController::OnAutoSearchConfig()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    CAutoSearchConfigDlg dlg(m_tagConfig, frame_.m_hWnd);
    dlg.m_strDialogFolder = OvantaOptions().lastDir;
    dlg.m_bCanExport = m_pFunctionBar && !m_pFunctionBar->IsEmpty();
    dlg.m_exportTagFile = [this, app] {
        if (!m_pFunctionBar)
            return;
        std::string path = TagFilePath("", app->WorkspacePath(), app->ProfilePath());
        HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        ExportTagFile(m_pFunctionBar->Browser(), path);
        ::SetCursor(old);
    };
    if (dlg.DoModal() != IDOK)
        return;
    bool automatic = m_bAutoSearch;
    m_tagConfig = dlg.Result();
    m_bAutoSearch = automatic;
    CAppTagSettings settings;
    // The section is written whole; the automatic bit comes from the switch.
    CTagConfig stored = m_tagConfig;
    stored.flags = automatic ? (stored.flags | kBrowseAutomatic) : (stored.flags & ~kBrowseAutomatic);
    SaveTagConfig(stored, settings);
    if (m_pFunctionBar)
        m_pFunctionBar->Browser().RequestStop();
}

// --- project reference ------------------------------------------------------------

void CBrowserController::OnProjectReference()
{
    // The status bar shows its progress control until the command ends,
    // however it ends.
    host_.Status().ShowProgress(true);
    WriteProjectReference();
    host_.Status().ShowProgress(false);
}

void CBrowserController::WriteProjectReference()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    std::vector<CProjectHtmlDlg::Entry> entries;
    for (COvantaDoc* doc : app->Documents())
        entries.push_back({doc, doc->GetTitle()});
    CProjectHtmlDlg dlg(entries, frame_.m_hWnd);
    dlg.SetOptionWord(static_cast<unsigned>(o.htmlProjectFlags));
    dlg.m_strTemplate = o.htmlTemplate;
    dlg.m_strDialogFolder = OvantaOptions().lastDir;
    if (dlg.DoModal() != IDOK)
        return;
    // Kept with the other options, and written at once like them.
    const unsigned options = dlg.OptionWord();
    WriteOption(&SettingsValues::htmlProjectFlags, static_cast<int>(options));
    if (!dlg.m_strTemplate.empty())
        WriteOption(&SettingsValues::htmlTemplate, dlg.m_strTemplate);
    COvantaView* active = host_.ActiveOvantaView();
    if (!active)
        return;
    // The documents' texts are copied here, with the soft breaks of word
    // wrap left out by the writer; no editor is changed.
    std::vector<ReferenceDocument> docs;
    for (COvantaDoc* doc : dlg.m_documents)
        if (is_open(doc))
            docs.push_back({doc->GetTitle(), doc->GetPathName(), BrowserShell()->DocumentText(doc)});
    std::string folder = DirectoryOf(active->GetDocument()->GetPathName());
    if (!folder.empty())
        SetCurrentDirectoryA(folder.c_str());
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    std::string out = ProjectHtmlPath(app->WorkspacePath(), current);
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    std::string why;
    project_html_result r = WriteProjectHtml(options & kReferenceOwnTemplate ? dlg.m_strTemplate : std::string(),
                                             options, docs, app->WorkspacePath(), out, &why);
    ::SetCursor(old);
    if (r != PROJECT_HTML_OK) {
        host_.Status().SetMessageText(("Project reference not written: " + why).c_str());
        return;
    }
    ::ShellExecuteA(frame_.m_hWnd, "open", out.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int CBrowserController::LookupSymbols(const std::string& name, CSymbolHitLists& hits)
{
    if (!FunctionBar() || name.empty())
        return 0;
    // Maps once handed over never change; holding them keeps them alive.
    std::shared_ptr<CBrowserMaps> maps = FunctionBar()->Browser().Maps();
    if (name[0] == '.')
        return AppendSymbolHits(maps->types, name.substr(1), hits);
    int count = 0;
    for (const CSymbolMap* map : {&maps->defines, &maps->variables, &maps->types, &maps->functions, &maps->enums,
                                  &maps->declarations})
        count += AppendSymbolHits(*map, name, hits);
    return count;
}
