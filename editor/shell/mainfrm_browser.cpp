// CMainFrame's side of the source browser: the functions bar and its
// commands, automatic browsing and its start request, the browser's status
// texts, the tag search configuration with section "TagConfig", the
// project reference, and what the editor controls ask of the browser (the
// symbol look-up of identifier tips, the "Tags" pane).
#include "editor/shell/mainfrm.h"
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

const char settings_section[] = "DefaultSettings";
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
    explicit CFrameBrowserShell(CMainFrame* frame) : frame_(frame) {}

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
        frame_->ShowDocumentLine(doc, line >= 0 ? line + 1 : 0);
    }
    bool OpenFile(const std::string& path) override
    {
        return frame_->OpenDocument(path) != nullptr;
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
    std::string WorkspacePath() override { return frame_->WorkspacePath(); }
    std::vector<std::string> ProjectFiles() override { return frame_->m_workspaceFiles; }
    std::vector<std::string> UnopenedProjectFiles() override { return frame_->m_closedFiles; }
    std::string ProjectRelativePath(const std::string& path) override
    {
        return MakeRelativePath(WorkspaceDirectoryOf(frame_->WorkspacePath()), path);
    }
    void AddProjectFile(const std::string& rel) override
    {
        if (!ContainsPath(frame_->m_workspaceFiles, rel))
            frame_->m_workspaceFiles.push_back(rel);
    }
    void RemoveProjectFile(const std::string& rel) override
    {
        ErasePath(frame_->m_workspaceFiles, rel);
        ErasePath(frame_->m_closedFiles, rel);
    }
    void ForgetUnopenedProjectFile(const std::string& rel) override { ErasePath(frame_->m_closedFiles, rel); }
    bool ShowFilesInTree() override
    {
        COvantaApp* app = COvantaApp::Get();
        return app && app->m_profile.GetInt(settings_section, "ShowFilesInTree", 1) != 0;
    }
    void SetShowFilesInTree(bool on) override
    {
        if (COvantaApp* app = COvantaApp::Get())
            app->WriteSettingInt(settings_section, "ShowFilesInTree", on ? 1 : 0);
    }

private:
    CMainFrame* frame_;
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

// --- settings -------------------------------------------------------------------

FunctionListMode CMainFrame::FunctionListModeSetting() const
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return FunctionListMode::kC;
    if (app->m_profile.GetInt(settings_section, "Verilog", 0))
        return FunctionListMode::kVerilog;
    if (app->m_profile.GetInt(settings_section, "Perl", 0))
        return FunctionListMode::kPerl;
    return FunctionListMode::kC;
}

void CMainFrame::LoadBrowserSettings(bool workspace)
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
    m_nFunctionList = app->m_profile.GetInt(settings_section, "FunctionList", 0);
    int side = m_nFunctionList & 7;
    if (workspace) {
        // A workspace shows its project in the functions bar, at the right
        // for side 3 and at the left otherwise.
        if (!m_pFunctionBar)
            CreateFunctionBar(FunctionListModeSetting(), true, side == 3);
        else if (!m_pFunctionBar->IsVisible())
            ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
        return;
    }
    // A bar that was shown when the program closed comes back shown.
    if (side == 3 || side == 4)
        CreateFunctionBar(FunctionListModeSetting(), !(m_nFunctionList & 0x10), side == 3);
}

void CMainFrame::SaveBrowserSettings()
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
        app->WriteSettingInt(settings_section, "BrowseWndHeight", r.right - r.left);
        m_nFunctionList = (m_nFunctionList & 0x30) ? 0 : GetBarState(m_pFunctionBar->m_hWnd);
    }
    app->WriteSettingInt(settings_section, "FunctionList", m_nFunctionList);
}

// --- the functions bar ----------------------------------------------------------

CBrowserShell* CMainFrame::BrowserShell()
{
    if (!m_pBrowserShell)
        m_pBrowserShell = std::make_unique<CFrameBrowserShell>(this);
    return m_pBrowserShell.get();
}

bool CMainFrame::CreateFunctionBar(FunctionListMode mode, bool visible, bool right)
{
    if (m_pFunctionBar)
        return true;
    auto bar = std::make_unique<CFunctionBar>(BrowserShell(), m_hWnd);
    if (!bar->Create(this, mode))
        return false;
    if (COvantaApp* app = COvantaApp::Get()) {
        int width = app->m_profile.GetInt(settings_section, "BrowseWndHeight", 0);
        if (width > 0)
            bar->m_sizeDockedVert.cx = width;
    }
    DockControlBar(bar.get(), right ? winui::AFX_IDW_DOCKBAR_RIGHT : winui::AFX_IDW_DOCKBAR_LEFT);
    m_pFunctionBar = std::move(bar);
    // Where the user left it last time.
    RestoreBarPlacement(m_pFunctionBar.get(), kFunctionBarKey);
    m_pFunctionBar->RebuildTree();
    ShowControlBar(m_pFunctionBar.get(), visible ? TRUE : FALSE, FALSE);
    RecalcLayout();
    return true;
}

void CMainFrame::OnFunctionListCommand(UINT id)
{
    FunctionListMode mode = mode_of_command(id);
    functionBarParked_ = false; // the user's choice counts from here
    if (COvantaApp* app = COvantaApp::Get()) {
        app->WriteSettingInt(settings_section, "Verilog", mode == FunctionListMode::kVerilog ? 1 : 0);
        app->WriteSettingInt(settings_section, "Perl", mode == FunctionListMode::kPerl ? 1 : 0);
    }
    if (!m_pFunctionBar) {
        CreateFunctionBar(mode, true, false);
        m_nFunctionList = 0;
        return;
    }
    const bool visible = m_pFunctionBar->IsVisible() != FALSE;
    if (visible && m_pFunctionBar->Mode() == mode) {
        ShowControlBar(m_pFunctionBar.get(), FALSE, FALSE);
        m_nFunctionList = 0x10;
        return;
    }
    if (m_pFunctionBar->Mode() != mode) {
        m_pFunctionBar->SetMode(mode);
        m_pFunctionBar->RebuildTree();
    }
    if (!visible)
        ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
    m_nFunctionList = 0;
}

void CMainFrame::OnUpdateFunctionListCommand(winui::CCmdUI* ui)
{
    bool on = m_pFunctionBar && m_pFunctionBar->IsVisible() && m_pFunctionBar->Mode() == mode_of_command(ui->m_nID);
    ui->SetCheck(on ? 1 : 0);
}

void CMainFrame::BrowserLastDocumentClosed()
{
    // Without a workspace the bar lists only open documents: with the last
    // one it goes, its width and place written for the next document (a
    // workspace's bar keeps the project's files).
    COvantaApp* app = COvantaApp::Get();
    if (!app || !m_pFunctionBar || !m_pFunctionBar->m_hWnd || !WorkspacePath().empty() ||
        !m_pFunctionBar->IsVisible())
        return;
    RECT r;
    ::GetWindowRect(m_pFunctionBar->m_hWnd, &r);
    app->WriteSettingInt(settings_section, "BrowseWndHeight", r.right - r.left);
    m_nFunctionList = GetBarState(m_pFunctionBar->m_hWnd);
    app->WriteSettingInt(settings_section, "FunctionList", m_nFunctionList);
    ShowControlBar(m_pFunctionBar.get(), FALSE, FALSE);
    m_pFunctionBar->ClearSymbols();
    functionBarParked_ = true;
}

void CMainFrame::BrowserDocumentOpened(COvantaDoc* doc)
{
    if (functionBarParked_) {
        functionBarParked_ = false;
        if (m_pFunctionBar && m_pFunctionBar->m_hWnd && !m_pFunctionBar->IsVisible())
            ShowControlBar(m_pFunctionBar.get(), TRUE, FALSE);
    }
    // The document's view comes after this call: its branch follows once
    // the messages in the queue are done.
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd)
        ::PostMessageA(m_hWnd, WM_FUNCTION_UPDATE_DOCUMENT, 0, reinterpret_cast<LPARAM>(doc));
}

LRESULT CMainFrame::OnFunctionUpdateDocument(WPARAM, LPARAM lParam)
{
    auto* doc = reinterpret_cast<COvantaDoc*>(lParam);
    // The document may have closed since.
    if (m_pFunctionBar && is_open(doc))
        m_pFunctionBar->UpdateDocument(doc);
    return 0;
}

void CMainFrame::BrowserDocumentClosing(COvantaDoc* doc)
{
    if (m_pFunctionBar)
        m_pFunctionBar->DetachDocument(doc);
}

void CMainFrame::BrowserCaretMoved(int line)
{
    if (!m_pFunctionBar || !m_pFunctionBar->IsVisible())
        return;
    if (COvantaView* view = ActiveOvantaView())
        m_pFunctionBar->TrackCaret(view->GetOvantaDoc(), line);
}

// --- automatic browsing ---------------------------------------------------------

void CMainFrame::SyncTagsPane()
{
    if (m_pOutputBar && m_pOutputBar->m_hWnd)
        m_pOutputBar->EnableTagsTab(m_bAutoSearch);
}

void CMainFrame::WriteTagFlags()
{
    if (m_bAutoSearch)
        m_tagConfig.flags |= kBrowseAutomatic;
    else
        m_tagConfig.flags &= ~kBrowseAutomatic;
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingString(tag_section, "flags", std::to_string(m_tagConfig.flags).c_str());
}

LRESULT CMainFrame::OnBrowserRequest(WPARAM, LPARAM)
{
    if (!m_bAutoSearch) {
        if (winui::ShowMessageBox(m_hWnd, "The auto browser function is currently disabled!\nEnable?", "Autobrowser",
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
    if (m_pFunctionBar->StartBrowseThread(m_tagConfig, m_bAutoSearch) && m_wndStatusBar.m_hWnd) {
        // The status bar animates while the scan runs; it reaches the
        // worker through the frame, so that a bar closed meanwhile is seen.
        CPaneJob job;
        job.finished = [this] { return !m_pFunctionBar || m_pFunctionBar->Browser().IsIdle(); };
        job.stopRequested = [this] { return m_pFunctionBar && m_pFunctionBar->Browser().StopFlag().load(); };
        job.requestStop = [this] {
            if (m_pFunctionBar)
                m_pFunctionBar->Browser().RequestStop();
        };
        m_wndStatusBar.StartPaneAnimation(std::move(job));
    }
    return 0;
}

LRESULT CMainFrame::OnBrowserStatus(WPARAM text, LPARAM)
{
    // The texts are the browser's constants; they live as long as the program.
    SetMessageText(text ? reinterpret_cast<const char*>(text) : "");
    return 0;
}

void CMainFrame::OnAutoSearch()
{
    m_bAutoSearch = !m_bAutoSearch;
    WriteTagFlags();
    SyncTagsPane();
    if (m_bAutoSearch && (!m_pFunctionBar || m_pFunctionBar->IsEmpty()))
        ::PostMessageA(m_hWnd, WM_BROWSER_REQUEST, 0, 0);
}

void CMainFrame::OnUpdateAutoSearch(winui::CCmdUI* ui)
{
    ui->SetCheck(m_bAutoSearch ? 1 : 0);
}

void CMainFrame::OnAutoSearchConfig()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    CAutoSearchConfigDlg dlg(m_tagConfig, m_hWnd);
    dlg.m_strDialogFolder = app->m_strLastDir;
    dlg.m_bCanExport = m_pFunctionBar && !m_pFunctionBar->IsEmpty();
    dlg.m_exportTagFile = [this, app] {
        if (!m_pFunctionBar)
            return;
        std::string path = TagFilePath("", app->m_strWorkspacePath, app->m_szProfilePath);
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

void CMainFrame::OnProjectReference()
{
    // The status bar shows its progress control until the command ends,
    // however it ends.
    ShowProgress(true);
    WriteProjectReference();
    ShowProgress(false);
}

void CMainFrame::WriteProjectReference()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    std::vector<CProjectHtmlDlg::Entry> entries;
    for (COvantaDoc* doc : app->Documents())
        entries.push_back({doc, doc->GetTitle()});
    CProjectHtmlDlg dlg(entries, m_hWnd);
    dlg.SetOptionWord(static_cast<unsigned>(o.htmlProjectFlags));
    dlg.m_strTemplate = o.htmlTemplate;
    dlg.m_strDialogFolder = app->m_strLastDir;
    if (dlg.DoModal() != IDOK)
        return;
    // Kept with the other options, and written at once like them.
    const unsigned options = dlg.OptionWord();
    o.htmlProjectFlags = static_cast<int>(options);
    app->WriteSettingInt(settings_section, "HtmlProjectFlags", o.htmlProjectFlags);
    if (!dlg.m_strTemplate.empty()) {
        o.htmlTemplate = dlg.m_strTemplate;
        app->WriteSettingString(settings_section, "HtmlTemplate", o.htmlTemplate.c_str());
    }
    COvantaView* active = ActiveOvantaView();
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
    std::string out = ProjectHtmlPath(app->m_strWorkspacePath, current);
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    std::string why;
    project_html_result r = WriteProjectHtml(options & kReferenceOwnTemplate ? dlg.m_strTemplate : std::string(),
                                             options, docs, app->m_strWorkspacePath, out, &why);
    ::SetCursor(old);
    if (r != PROJECT_HTML_OK) {
        SetMessageText(("Project reference not written: " + why).c_str());
        return;
    }
    ::ShellExecuteA(m_hWnd, "open", out.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// --- what the editor controls ask of the browser ----------------------------------

int COvantaEditorShell::LookupSymbols(const std::string& name, CSymbolHitLists& hits)
{
    COvantaApp* app = COvantaApp::Get();
    CMainFrame* frame = app ? app->MainFrame() : nullptr;
    if (!frame || !frame->m_pFunctionBar || name.empty())
        return 0;
    // Maps once handed over never change; holding them keeps them alive.
    std::shared_ptr<CBrowserMaps> maps = frame->m_pFunctionBar->Browser().Maps();
    if (name[0] == '.')
        return AppendSymbolHits(maps->types, name.substr(1), hits);
    int count = 0;
    for (const CSymbolMap* map : {&maps->defines, &maps->variables, &maps->types, &maps->functions, &maps->enums,
                                  &maps->declarations})
        count += AppendSymbolHits(*map, name, hits);
    return count;
}

bool COvantaEditorShell::AutoBrowserEnabled()
{
    COvantaApp* app = COvantaApp::Get();
    CMainFrame* frame = app ? app->MainFrame() : nullptr;
    return frame && frame->m_bAutoSearch;
}
