// The main frame's find and replace: the Search and Search & Replace
// dialogs, "Find again", find in files with its lines in the output bar's
// "Search results" pane, the find requests (0x419) of the dialogs, the
// editors and macro playback, the search settings, and the TCP link's
// commands and data message.
// The TCP link's header brings Windows Sockets 2, which must come before
// <windows.h>.
#include "editor/tools/tcp_link.h"
#include "winui/work_area.h"

#include "editor/shell/search_controller.h"

#include "editor/shell/find_engine.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/settings_store.h"

#include "editor/tools/doc_search.h"
#include "editor/tools/find_in_files.h"
#include "editor/tools/output_bar.h"
#include "editor/tools/search_replace_dlg.h"
#include "editor/tools/search_resource.h"

#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/cmdui.h"
#include "winui/msgbox.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

// What the frame keeps for its searches and the TCP link.
struct CFrameSearch {
    std::unique_ptr<CSearchDlg> searchDlg;
    std::unique_ptr<CSearchReplaceDlg> replaceDlg;
    SearchOptions options;
    CTcpLink tcp;
    TcpLinkSettings tcpSettings;
};

namespace {

// Kinds of keyboard-macro events.
const uint32_t macro_command = kMacroCommand;
const uint32_t macro_text = kMacroText;
const uint32_t macro_number = kMacroNumber;

// What a search may take of the editor's selection: the text before its
// first line break.
std::string SelectedSearchText(COvantaView* view)
{
    if (!view || !view->Editor().m_hWnd)
        return std::string();
    std::string text = view->Editor().Core().GetSelText();
    const size_t cut = text.find_first_of("\r\n");
    if (cut != std::string::npos)
        text.resize(cut);
    return text;
}

// A search dialog that is made and shown.
bool Shown(const CSearchDlg* dlg)
{
    return dlg && dlg->m_hWnd && ::IsWindowVisible(dlg->m_hWnd);
}

bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && _stricmp(a.c_str(), b.c_str()) == 0;
}

// The "Search results" pane as the searches write to it.
class CSearchPaneOutput : public CFindInFilesOutput {
public:
    CSearchPaneOutput(COutputEdit& pane, const std::vector<COvantaView*>& views, const SearchRequest& request,
                      bool suppressComments)
        : pane_(pane), views_(views), request_(request), suppressComments_(suppressComments)
    {
    }
    void AppendLine(const std::string& line, bool repaint) override
    {
        // The first line starts the emptied pane (no blank line above it).
        if (first_)
            pane_.SetPaneText(line.substr(0, kAppendLineCut).c_str());
        else
            pane_.AppendLine(line);
        first_ = false;
        if (repaint)
            pane_.UpdateWindow();
    }
    bool CancelRequested() override { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }
    bool SearchOpenDocument(const std::string& path, int* hits) override
    {
        for (COvantaView* view : views_) {
            COvantaDoc* doc = view->GetOvantaDoc();
            if (!doc || doc->GetPathName().empty() || !SamePath(doc->GetPathName(), path))
                continue;
            // The text being edited, not the copy on disk.
            *hits = SearchEditorView(SearchView{&view->Editor().Core(), doc->GetPathName()}, request_,
                                     suppressComments_, *this);
            return true;
        }
        return false;
    }
    // After the summary the caret stands behind the last line, in view.
    void SearchFinished() override
    {
        const int end = pane_.GetTextLength();
        pane_.SetSel(end, end, true, true);
    }

private:
    COutputEdit& pane_;
    const std::vector<COvantaView*>& views_;
    const SearchRequest& request_;
    bool suppressComments_;
    bool first_ = true;
};

std::vector<COvantaView*> OpenViews(bool firstOnly)
{
    std::vector<COvantaView*> views;
    COvantaApp* app = COvantaApp::Get();
    if (!app || !app->m_pDocManager)
        return views;
    for (winui::CDocTemplate* t : app->m_pDocManager->GetTemplates()) {
        for (winui::CDocument* d : t->GetDocuments()) {
            for (winui::CView* v : d->GetViews()) {
                if (auto* view = dynamic_cast<COvantaView*>(v)) {
                    views.push_back(view);
                    if (firstOnly)
                        break;
                }
            }
        }
    }
    return views;
}

int SearchOpenDocumentsIn(const std::vector<COvantaView*>& views, const SearchRequest& request,
                          bool suppressComments, CFindInFilesOutput& output)
{
    std::vector<SearchView> list;
    for (COvantaView* view : views) {
        COvantaDoc* doc = view->GetOvantaDoc();
        list.push_back(SearchView{&view->Editor().Core(), doc ? doc->GetPathName() : std::string()});
    }
    return ::SearchOpenDocuments(list, request, suppressComments, output);
}

} // namespace

BEGIN_MESSAGE_MAP(CSearchController, winui::CCmdTarget)
    ON_COMMAND(ID_TCP_SEND, &CSearchController::OnTcpSend)
    ON_COMMAND(ID_TCP_SETTINGS, &CSearchController::OnTcpReceive)
    ON_COMMAND(ID_EDIT_FIND, &CSearchController::OnEditFind)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, &CSearchController::OnUpdateEditFind)
    ON_COMMAND(ID_EDIT_REPLACE, &CSearchController::OnEditReplace)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, &CSearchController::OnUpdateEditReplace)
    ON_COMMAND(ID_EDIT_REPEAT, &CSearchController::OnEditRepeat)
    ON_COMMAND(ID_FIND_IN_FILES, &CSearchController::OnFindInFiles)
    ON_UPDATE_COMMAND_UI(ID_FIND_IN_FILES, &CSearchController::OnUpdateFindInFiles)
    ON_MESSAGE(WM_FIND_REQUEST, &CSearchController::OnFindRequest)
    ON_MESSAGE(WM_EDITOR_MOUSE_SELECTION, &CSearchController::OnEditorSelection)
    ON_MESSAGE(WM_TCP_TEXT, &CSearchController::OnTcpData)
END_MESSAGE_MAP()

CSearchController::CSearchController(CMainFrameBase& frame, ISearchHost& host) : frame_(frame), host_(host) {}

CSearchController::~CSearchController() = default;

CFrameSearch& CSearchController::Search()
{
    if (!search_)
        search_ = std::make_unique<CFrameSearch>();
    return *search_;
}

void CSearchController::LastDocumentClosed()
{
    // With no document there is nothing to search in: the open dialog
    // takes its plain title and goes.
    CFrameSearch& s = Search();
    CSearchDlg* dlg = s.searchDlg && s.searchDlg->m_hWnd ? s.searchDlg.get() : nullptr;
    if (!dlg && s.replaceDlg && s.replaceDlg->m_hWnd)
        dlg = s.replaceDlg.get();
    if (dlg)
        dlg->UpdateTitle(SW_HIDE);
}

// --- documents and the output pane -------------------------------------------------

COutputEdit* CSearchController::SearchResultsPane()
{
    COutputBar* bar = host_.ShownOutputBar();
    if (!bar)
        return nullptr;
    bar->ShowPane(kPaneSearchResults);
    COutputEdit& pane = bar->Pane(kPaneSearchResults);
    pane.SetPaneText("");
    return &pane;
}

// --- the dialogs ---------------------------------------------------------------------

void CSearchController::PrepareSearchDialog(CSearchDlg& dlg, bool takeSelection)
{
    COvantaApp* app = COvantaApp::Get();
    if (app)
        dlg.SetProfile(&app->m_profile);
    dlg.SetSharedOptions(&Search().options);
    dlg.SetMacroRecorder([](uintptr_t value, uint32_t extra, uint32_t kind) {
        ::RecordMacroEvent(value, static_cast<int>(extra), kind);
    });
    if (app)
        dlg.SetHotKey(app->FindCommandKey(ID_EDIT_REPEAT));
    dlg.m_bTakeSelection = takeSelection ? TRUE : FALSE;
    dlg.m_bNoCommentHits = Search().options.suppressComments ? TRUE : FALSE;
}

CSearchDlg* CSearchController::EnsureSearchDialog(const std::string& text)
{
    if (Search().searchDlg && Search().searchDlg->m_hWnd)
        return Search().searchDlg.get();
    auto dlg = std::make_unique<CSearchDlg>();
    PrepareSearchDialog(*dlg, Search().options.findUseSelection);
    dlg->FilterDialogKeys(true);
    if (!dlg->Create(text.c_str(), WM_FIND_REQUEST, frame_.m_hWnd))
        return nullptr;
    dlg->SetComboFont(host_.EditFont());
    dlg->LoadHistory();
    Search().searchDlg = std::move(dlg);
    return Search().searchDlg.get();
}

void CSearchController::RefreshSearchDialog(CSearchDlg& dlg, const std::string& text)
{
    dlg.SetSearchText(text.c_str(), TRUE);
    dlg.SyncCommentOption();
    dlg.UpdateTitle(SW_SHOW);
    dlg.SetSearchText(text.c_str(), FALSE);
    if (text.empty())
        dlg.m_cbFind.SetFocus();
}

void CSearchController::OnEditFind()
{
    const std::string text = SelectedSearchText(host_.ActiveOvantaView());
    if (Search().searchDlg && Search().searchDlg->m_hWnd) {
        Search().searchDlg->m_bMultiFile = FALSE;
        Search().searchDlg->SetDiskOnly(FALSE);
        RefreshSearchDialog(*Search().searchDlg, text);
        Search().searchDlg->ShowNormal();
    } else if (!EnsureSearchDialog(text)) {
        return;
    }
    Search().searchDlg->ShowEnhanced(FALSE);
    if (COvantaView* view = host_.ActiveOvantaView())
        KeepSearchDialogsClear(view->Editor());
}

void CSearchController::OnUpdateEditFind(winui::CCmdUI* ui)
{
    ui->Enable(host_.ViewUsable() && !Shown(Search().replaceDlg.get()));
}

void CSearchController::OnFindInFiles()
{
    COvantaView* view = host_.ActiveOvantaView();
    COvantaApp* app = COvantaApp::Get();
    const bool noDocument = !app || app->Documents().empty();
    // Documents open but none active: nothing to take the text from.
    if (!view && !noDocument)
        return;
    const std::string text = SelectedSearchText(view);
    const bool existed = Search().searchDlg && Search().searchDlg->m_hWnd;
    CSearchDlg* dlg = EnsureSearchDialog(text);
    if (!dlg)
        return;
    dlg->m_bMultiFile = TRUE;
    if (noDocument)
        dlg->m_bTakeSelection = FALSE;
    if (existed)
        RefreshSearchDialog(*dlg, text);
    else
        dlg->UpdateTitle(SW_SHOW);
    dlg->ShowEnhanced(TRUE);
    // Without any document only the disk search is offered.
    dlg->SetDiskOnly(noDocument ? TRUE : FALSE);
}

void CSearchController::OnUpdateFindInFiles(winui::CCmdUI* ui)
{
    ui->Enable(!Shown(Search().replaceDlg.get()));
}

void CSearchController::OnEditReplace()
{
    const std::string text = SelectedSearchText(host_.ActiveOvantaView());
    if (Search().replaceDlg && Search().replaceDlg->m_hWnd) {
        RefreshSearchDialog(*Search().replaceDlg, text);
        if (COvantaView* view = host_.ActiveOvantaView())
            KeepSearchDialogsClear(view->Editor());
        return;
    }
    auto dlg = std::make_unique<CSearchReplaceDlg>();
    PrepareSearchDialog(*dlg, Search().options.replaceUseSelection);
    dlg->FilterDialogKeys(true);
    if (!dlg->Create(text.c_str(), WM_FIND_REQUEST, frame_.m_hWnd))
        return;
    dlg->SetComboFont(host_.EditFont());
    if (COvantaApp* app = COvantaApp::Get()) {
        const uint32_t flags = static_cast<uint32_t>(app->m_profile.GetInt("FIND", "Searchflags", 0));
        if (flags & 0xFFFF)
            dlg->SetOptions(flags);
    }
    Search().replaceDlg = std::move(dlg);
    if (COvantaView* view = host_.ActiveOvantaView())
        KeepSearchDialogsClear(view->Editor());
}

void CSearchController::OnUpdateEditReplace(winui::CCmdUI* ui)
{
    ui->Enable(host_.ViewUsable() && !Shown(Search().searchDlg.get()));
}

void CSearchController::OnEditRepeat()
{
    if (Search().searchDlg && Search().searchDlg->m_hWnd) {
        Search().searchDlg->SendMessage(WM_SEARCH_HOTKEY);
        return;
    }
    if (Search().replaceDlg && Search().replaceDlg->m_hWnd) {
        Search().replaceDlg->SendMessage(WM_SEARCH_HOTKEY);
        return;
    }
    // Without a dialog: the selected text, downwards from one after the
    // caret and once more from the start.
    const std::string text = SelectedSearchText(host_.ActiveOvantaView());
    SearchRequest request;
    request.scope = kScopeFindInDocument;
    request.flags = 0x3B;
    request.text = text.c_str();
    OnFindRequest(0, reinterpret_cast<LPARAM>(&request));
}

int CSearchController::PrepareEditorSearch(const std::string& word)
{
    if (!Search().searchDlg || !Search().searchDlg->m_hWnd)
        return 0;
    Search().searchDlg->SetSearchText(word.c_str(), TRUE);
    SearchRequest* request = Search().searchDlg->GetSearchOptions();
    return static_cast<int>(request->flags & kSearchDirectionMask);
}

void CSearchController::PostEditorSearch()
{
    if (Search().searchDlg && Search().searchDlg->m_hWnd)
        ::PostMessageA(frame_.m_hWnd, WM_FIND_REQUEST, 0, reinterpret_cast<LPARAM>(&Search().searchDlg->m_request));
}

LRESULT CSearchController::OnEditorSelection(WPARAM, LPARAM editor)
{
    COvantaView* view = host_.ActiveOvantaView();
    if (!view || reinterpret_cast<HWND>(editor) != view->Editor().m_hWnd)
        return 0;
    const std::string text = SelectedSearchText(view);
    if (text.empty())
        return 0;
    if (Shown(Search().searchDlg.get()))
        Search().searchDlg->SetSearchText(text.c_str(), FALSE);
    else if (Shown(Search().replaceDlg.get()))
        Search().replaceDlg->SetSearchText(text.c_str(), FALSE);
    return 0;
}

// --- the find request ------------------------------------------------------------------

LRESULT CSearchController::OnFindRequest(WPARAM closing, LPARAM lParam)
{
    COvantaView* view = host_.ActiveOvantaView();
    if (closing == 1) {
        if (view) {
            view->Editor().SetFocus();
            view->DrawLineNumbers(nullptr);
        }
        return 0;
    }
    // The dialogs' box may have changed the comment option.
    OvantaOptions().supressComments = Search().options.suppressComments ? 1 : 0;
    ApplyOptionsToControls(OvantaOptions());
    const auto* sent = reinterpret_cast<const SearchRequest*>(lParam);
    if (!sent || !sent->text || !*sent->text)
        return 0;
    SearchRequest request = *sent;
    // In a request of the replace dialog bit 0x80 keeps the case; there,
    // and in every replacement, comments are skipped by the option alone.
    const bool fromReplaceDialog = Search().replaceDlg && sent == &Search().replaceDlg->m_request;
    const bool commentBit = !fromReplaceDialog && (request.flags & kSearchSkipComments) != 0;
    const bool skipFound = commentBit || (fromReplaceDialog && Search().options.suppressComments);

    switch (request.scope) {
    case kScopeOpenDocuments:
    case kScopeCurrentDocument:
    case kScopeDiskFiles:
        return RunMultiFileSearch(request, commentBit || Search().options.suppressComments);
    case kScopeReplaceAllDocuments:
        return ReplaceInAllDocuments(request);
    default:
        break;
    }
    if (!view)
        return 0;
    COvantaEditCtrl& editor = view->Editor();
    FindContext context;
    context.owner = frame_.m_hWnd;
    context.caretMoved = [this, view](CNColorEditCtrl& moved) {
        view->NotifyCaret();
        view->DrawLineNumbers(nullptr);
        KeepSearchDialogsClear(moved);
    };
    switch (request.scope) {
    case kScopeReplaceNext:
        context.skipComments = Search().options.suppressComments;
        return ReplaceNextInEditor(editor, request, context);
    case kScopeReplaceAll:
        context.skipComments = Search().options.suppressComments;
        context.frameRedraw = [this](bool on) { FrameRedraw(on); };
        return ReplaceAllInEditor(editor, request, context);
    default:
        context.skipComments = skipFound;
        return FindNextInEditor(editor, request, context);
    }
}

void CSearchController::FrameRedraw(bool on)
{
    ::SendMessageA(frame_.m_hWnd, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on)
        ::RedrawWindow(frame_.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// A dialog that covers the line of the found text goes above that line,
// or below it when there is no room above.
void CSearchController::KeepSearchDialogsClear(CNColorEditCtrl& editor)
{
    if (!editor.m_hWnd)
        return;
    RECT client;
    ::GetClientRect(editor.m_hWnd, &client);
    const int height = std::max(1, static_cast<int>(editor.GetCharSize().cy));
    const int y = (editor.GetCaretLine() - editor.GetTopLine()) * height;
    if (y < client.top || y >= client.bottom)
        return;
    POINT corners[2] = {{client.left, y}, {client.right, y + height}};
    ::MapWindowPoints(editor.m_hWnd, nullptr, corners, 2);
    const RECT line{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (CSearchDlg* dlg : {Search().searchDlg.get(), static_cast<CSearchDlg*>(Search().replaceDlg.get())}) {
        if (!Shown(dlg))
            continue;
        RECT rc, overlap;
        ::GetWindowRect(dlg->m_hWnd, &rc);
        if (!IntersectRect(&overlap, &rc, &line))
            continue;
        const int h = rc.bottom - rc.top;
        const int top = line.top - h >= work.top ? line.top - h : line.bottom;
        ::SetWindowPos(dlg->m_hWnd, nullptr, rc.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int CSearchController::RunMultiFileSearch(SearchRequest request, bool suppressComments)
{
    if (request.scope != kScopeOpenDocuments)
        request.flags = (request.flags & ~kSearchDirectionMask) | kSearchForward;
    if (Search().searchDlg)
        Search().searchDlg->m_bBusy = TRUE;
    int hits = 0;
    if (COutputEdit* pane = SearchResultsPane()) {
        pane->m_nSearchFlags = static_cast<int>(request.flags);
        pane->m_strSearchText = request.text ? request.text : "";
        const std::vector<COvantaView*> views = OpenViews(false);
        CSearchPaneOutput output(*pane, views, request, suppressComments);
        if (request.scope == kScopeOpenDocuments)
            hits = SearchOpenDocumentsIn(views, request, suppressComments, output);
        else if (request.scope == kScopeCurrentDocument)
            hits = SearchCurrentDocumentIn(request, suppressComments, output);
        else
            hits = ::SearchDiskFiles(request, suppressComments, output);
        pane->InvalidateText(1);
    }
    // The Escape that stopped the search is used up: left in the queue it
    // would close the dialog that stays open.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE) && msg.wParam == VK_ESCAPE)
        PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
    if (Search().searchDlg)
        Search().searchDlg->m_bBusy = FALSE;
    return hits;
}

int CSearchController::SearchCurrentDocumentIn(const SearchRequest& request, bool suppressComments,
                                        CFindInFilesOutput& output)
{
    SearchView active{nullptr, std::string()};
    if (COvantaView* view = host_.ActiveOvantaView()) {
        active.editor = &view->Editor().Core();
        if (COvantaDoc* doc = view->GetOvantaDoc())
            active.path = doc->GetPathName();
    }
    return ::SearchCurrentDocument(active, request, suppressComments, output);
}

int CSearchController::ReplaceInAllDocuments(const SearchRequest& request)
{
    int replaces = 0;
    int documents = 0;
    FindContext context;
    context.owner = frame_.m_hWnd;
    context.skipComments = Search().options.suppressComments;
    // One pass per document: its views share one text, and a second pass
    // would replace inside the replacements of the first.
    for (COvantaView* view : OpenViews(true)) {
        const int n = ReplaceAllFromStart(view->Editor(), request, context);
        replaces += n;
        if (n > 0)
            ++documents;
        if (COvantaDoc* doc = view->GetOvantaDoc()) {
            for (winui::CView* v : doc->GetViews()) {
                if (auto* other = dynamic_cast<COvantaView*>(v)) {
                    other->Editor().InvalidateText(1);
                    other->DrawLineNumbers(nullptr);
                }
            }
        }
    }
    char text[96];
    std::snprintf(text, sizeof text, "%d Replaces in %d files processed", replaces, documents);
    winui::ShowMessageBox(frame_.m_hWnd, text, "Search & Replace in all open files..", MB_OK | MB_ICONINFORMATION);
    return replaces;
}

// --- settings ----------------------------------------------------------------------------

void CSearchController::LoadSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // From the option set, which has read and checked the keys.
    const SettingsValues& o = OvantaOptions();
    Search().options.findUseSelection = o.fndUseSel != 0;
    Search().options.replaceUseSelection = o.repUseSel != 0;
    SetSuppressComments(o.supressComments != 0);
    Search().tcpSettings.receivePort = o.tcpPortNo;
    Search().tcpSettings.sendServer = o.sendToServer;
    Search().tcpSettings.sendPort = o.sendToPort;
}

void CSearchController::CollectOptions(SettingsValues& o)
{
    o.fndUseSel = Search().options.findUseSelection ? 1 : 0;
    o.repUseSel = Search().options.replaceUseSelection ? 1 : 0;
    o.supressComments = Search().options.suppressComments ? 1 : 0;
    o.tcpPortNo = Search().tcpSettings.receivePort;
    o.sendToServer = Search().tcpSettings.sendServer;
    o.sendToPort = Search().tcpSettings.sendPort;
}

void CSearchController::SetSuppressComments(bool on)
{
    // One option for the searches, both dialogs' boxes and the editors'
    // brace searches.
    Search().options.suppressComments = on;
    OvantaOptions().supressComments = on ? 1 : 0;
    ApplyOptionsToControls(OvantaOptions());
    for (CSearchDlg* dlg : {static_cast<CSearchDlg*>(Search().searchDlg.get()),
                            static_cast<CSearchDlg*>(Search().replaceDlg.get())})
        if (dlg && dlg->m_hWnd)
            dlg->SyncCommentOption();
}

void CSearchController::SaveSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    ::SaveSearchSettings(app->m_profile, Search().searchDlg.get(), Search().replaceDlg.get());
    ::SaveSearchDialogPlaces(app->m_profile, Search().searchDlg.get(), Search().replaceDlg.get());
}

void CSearchController::ReloadDialogs()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    const struct {
        CSearchDlg* dialog;
        const char* key;
    } dialogs[] = {{Search().searchDlg.get(), "FIND"}, {Search().replaceDlg.get(), "REPLACE"}};
    for (const auto& d : dialogs) {
        if (!d.dialog || !d.dialog->m_hWnd)
            continue;
        // The lists start again from what the settings hold.
        for (int id : {IDC_SEARCH_DIRECTORY, IDC_FILE_FILTER})
            if (HWND combo = d.dialog->GetDlgItem(id))
                ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        d.dialog->LoadHistory();
        int left = 0, top = 0;
        const std::string place = app->m_profile.GetString("Ovanta", d.key, "");
        if (std::sscanf(place.c_str(), " %d ,%d", &left, &top) == 2) {
            RECT r;
            ::GetWindowRect(d.dialog->m_hWnd, &r);
            RECT at = winui::ClampToWorkArea(RECT{left, top, left + r.right - r.left, top + r.bottom - r.top});
            ::SetWindowPos(d.dialog->m_hWnd, nullptr, at.left, at.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void CSearchController::Close()
{
    Search().tcp.Stop();
    Search().searchDlg.reset();
    Search().replaceDlg.reset();
}

// --- TCP link ------------------------------------------------------------------------------

void CSearchController::OnTcpSend()
{
    TcpLinkSettings& settings = Search().tcpSettings;
    const TcpLinkSettings before = settings;
    const bool sent = Search().tcp.SendToPort(frame_.m_hWnd, settings);
    if (settings.sendServer != before.sendServer || settings.sendPort != before.sendPort) {
        WriteOption(&SettingsValues::sendToServer, settings.sendServer);
        WriteOption(&SettingsValues::sendToPort, settings.sendPort);
    }
    if (!sent)
        return;
    ::RecordMacroEvent(ID_TCP_SEND, 0, macro_command);
    ::RecordMacroEvent(reinterpret_cast<uintptr_t>(settings.sendServer.c_str()), 0, macro_text);
    ::RecordMacroEvent(static_cast<uintptr_t>(settings.sendPort), 0, macro_number);
}

void CSearchController::OnTcpReceive()
{
    const int before = Search().tcpSettings.receivePort;
    const bool started = Search().tcp.ReceiveFromPort(frame_.m_hWnd, Search().tcpSettings);
    if (Search().tcpSettings.receivePort != before) {
        WriteOption(&SettingsValues::tcpPortNo, Search().tcpSettings.receivePort);
    }
    if (started) {
        ::RecordMacroEvent(ID_TCP_SETTINGS, 0, macro_command);
        ::RecordMacroEvent(static_cast<uintptr_t>(Search().tcpSettings.receivePort), 0, macro_number);
    }
}

LRESULT CSearchController::OnTcpData(WPARAM buffer, LPARAM count)
{
    return Search().tcp.OnTcpData(frame_.m_hWnd, buffer, count);
}
