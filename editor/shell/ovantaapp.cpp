// Windows Sockets before anything that includes <windows.h>.
#include <winsock2.h>

#include "editor/shell/ovantaapp.h"

#include "editor/shell/childfrm.h"
#include "editor/shell/font_settings.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/instance_block.h"
#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/print_options_dlg.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/workspace_file.h"
#include "editor/shell/shortcut_table.h"

#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/dialog.h"
#include "winui/mdi.h"
#include "winui/msgbox.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char mutex_name[] = "PreventSecondInstanceOfOvanta";
// How long a second instance waits for the running one to take a hand-over
// before it opens the file itself.
static const UINT handover_timeout_ms = 5000;

BEGIN_MESSAGE_MAP(COvantaApp, winui::CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &COvantaApp::OnAppAbout)
    ON_COMMAND(ID_FILE_SAVE_ALL, &COvantaApp::OnFileSaveAll)
    ON_COMMAND(ID_TOGGLE_SINGLE_INSTANCE, &COvantaApp::OnToggleSingleInstance)
    ON_UPDATE_COMMAND_UI(ID_TOGGLE_SINGLE_INSTANCE, &COvantaApp::OnUpdateToggleSingleInstance)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &COvantaApp::OnPrintSettings)
    ON_COMMAND(ID_DEFAULT_DIRECTORY, &COvantaApp::OnDefaultDirectory)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &COvantaApp::OnPrintPreview)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FIRST, &COvantaApp::OnUpdateRecentFiles)
    ON_COMMAND(ID_FILE_NEW_CMD, &COvantaApp::OnNewCommand)
    ON_COMMAND(ID_FILE_OPEN_CMD, &COvantaApp::OnOpenCommand)
    ON_COMMAND(ID_END_AND_SAVE, &COvantaApp::OnEndAndSave)
    ON_COMMAND(ID_END_WITHOUT_SAVE, &COvantaApp::OnEndWithoutSave)
    ON_COMMAND(ID_APP_EXIT_CMD, &COvantaApp::OnExitCommand)
END_MESSAGE_MAP()

COvantaApp::COvantaApp()
{
    m_strAppName = "Ovanta";
}

void COvantaApp::SetAccelerators(HACCEL table)
{
    if (m_hAccel && m_hAccel != table)
        DestroyAcceleratorTable(m_hAccel);
    m_hAccel = table;
}

COvantaApp::~COvantaApp()
{
    if (m_hAccel)
        DestroyAcceleratorTable(m_hAccel);
    if (mutex_)
        CloseHandle(mutex_);
}

COvantaApp* COvantaApp::Get()
{
    return static_cast<COvantaApp*>(winui::GetApp());
}

const FrameLinks& COvantaApp::Frame() const
{
    static const FrameLinks none;
    // Before the frame's window is made and from its destruction on
    // (m_hMainWnd is cleared then), nothing reaches the frame.
    return frameWindow_ && m_hMainWnd && winui::CWnd::FromHandle(m_hMainWnd) == frameWindow_ ? frameLinks_
                                                                                              : none;
}

const FrameLinks& OvantaFrame()
{
    static const FrameLinks none;
    COvantaApp* app = COvantaApp::Get();
    return app ? app->Frame() : none;
}

CPositionRecentFileList* COvantaApp::RecentFiles() const
{
    return static_cast<CPositionRecentFileList*>(m_pRecentFileList.get());
}

std::vector<COvantaDoc*> COvantaApp::Documents() const
{
    std::vector<COvantaDoc*> docs;
    if (!m_pDocManager)
        return docs;
    for (winui::CDocTemplate* t : m_pDocManager->GetTemplates())
        for (winui::CDocument* d : t->GetDocuments())
            if (auto* doc = dynamic_cast<COvantaDoc*>(d))
                docs.push_back(doc);
    return docs;
}

void COvantaApp::UpdateAllDocuments(LPARAM hint)
{
    for (COvantaDoc* doc : Documents())
        doc->UpdateAllViews(nullptr, hint);
}

// --- start-up ---------------------------------------------------------------

// A cursor kept as a .cur file in raw data: the first image, with the hot
// spot from the file's directory in front of its bitmap, as the system
// wants it. Null when the data is missing or malformed.
static HCURSOR CursorFromData(UINT id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size < 22)
        return nullptr;
    auto word = [&](DWORD at) { return static_cast<DWORD>(data[at] | data[at + 1] << 8); };
    auto dword = [&](DWORD at) { return word(at) | word(at + 2) << 16; };
    if (word(2) != 2 || word(4) < 1)
        return nullptr;
    DWORD length = dword(6 + 8), offset = dword(6 + 12);
    if (offset > size || length > size - offset)
        return nullptr;
    std::string image(4, '\0');
    image[0] = static_cast<char>(data[6 + 4]);
    image[1] = static_cast<char>(data[6 + 5]);
    image[2] = static_cast<char>(data[6 + 6]);
    image[3] = static_cast<char>(data[6 + 7]);
    image.append(reinterpret_cast<const char*>(data + offset), length);
    return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(
        reinterpret_cast<BYTE*>(&image[0]), static_cast<DWORD>(image.size()), FALSE, 0x00030000,
        data[6], data[7], LR_DEFAULTCOLOR));
}

BOOL COvantaApp::InitInstance()
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(1, 1), &wsa) != 0) {
        winui::ShowMessageBox(nullptr, "Error Initializing Windows-Sockets", "Ovanta",
                              MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(m_hInstance, exe, sizeof exe);
    m_szProfilePath = exe;
    size_t slash = m_szProfilePath.rfind('\\');
    m_szProfilePath = (slash == std::string::npos ? std::string() : m_szProfilePath.substr(0, slash + 1)) +
                      "ovanta.ini";
    m_profile.SetPath(m_szProfilePath);

    // The option set first: whether a running instance takes the arguments
    // is one of its options.
    LoadShellSettings();
    m_bMultipleInstances = OvantaOptions().multipleInstances;
    m_bHandOver = 0;
    InstanceBlock().Open();

    if (m_bMultipleInstances && IsOtherInstanceRunning()) {
        m_bHandOver = 1;
        ProcessCommandLine();
        if (m_bHandOver)
            return FALSE; // everything went to the running instance
        // The running instance did not answer: this one opens what it could
        // not hand over, so that nothing the user asked for is lost.
    }

    static COvantaEditorShell editor_shell;
    SetEditorShell(&editor_shell);
    m_pRecentFileList = std::make_unique<CPositionRecentFileList>(0, "Recent File List", "File%d", 8, 30);
    m_pRecentFileList->ReadList(m_profile);

    m_pDocManager = std::make_unique<COvantaDocManager>();
    m_pDocTemplate = new winui::CMultiDocTemplate(IDR_OVANTATYPE, RUNTIME_CLASS(COvantaDoc),
                                                  RUNTIME_CLASS(CChildFrame),
                                                  RUNTIME_CLASS(COvantaView));
    AddDocTemplate(m_pDocTemplate);

    FrameLinks links;
    winui::CMDIFrameWnd* frame = MakeMainFrame(links);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | winui::FWS_ADDTOTITLE)) {
        delete frame;
        return FALSE;
    }
    m_hMainWnd = frame->m_hWnd;
    frameLinks_ = links;
    frameWindow_ = frame;
    ::DragAcceptFiles(m_hMainWnd, TRUE);
    // The printer font of the settings read above, once the frame holds
    // the editor font.
    LoadPrintFont(OvantaOptions().printFont, links.window->EditFont());

    m_hcurArrow = LoadCursor(nullptr, IDC_ARROW);
    m_hcurMargin = CursorFromData(IDC_MARGIN);
    if (!m_hcurMargin)
        m_hcurMargin = m_hcurArrow;

    ::ShowWindow(m_hMainWnd, m_nCmdShow);
    ::UpdateWindow(m_hMainWnd);

    if (!notHandedOver_.empty()) {
        std::vector<ParamCall> calls;
        calls.swap(notHandedOver_);
        for (const ParamCall& c : calls) {
            m_nCmdLineLine = c.line;
            ParseParam(c);
        }
        m_nCmdLineLine = 0;
    } else {
        ProcessCommandLine();
    }
    return TRUE;
}

int COvantaApp::ExitInstance()
{
    WSACleanup();
    return winui::CWinApp::ExitInstance();
}

void COvantaApp::LoadShellSettings()
{
    // Through the option table, so that a value edited by hand out of its
    // range comes in as the key's default.
    CAppSettingsStore store(*this);
    SettingsValues& options = OvantaOptions();
    ReadSettings(store, options, kProfileRead);
    ApplyOptionsToControls(options);
}

bool COvantaApp::IsOtherInstanceRunning()
{
    mutex_ = CreateMutexA(nullptr, TRUE, mutex_name);
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex_ && !existed)
        ReleaseMutex(mutex_);
    // An existing mutex is not owned by this call; a second instance takes
    // it while it hands its arguments over (ProcessCommandLine).
    return existed;
}

static std::vector<std::string> program_arguments()
{
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i)
        args.push_back(__argv[i]);
    return args;
}

// Whether the window in the shared block is there and answers.
static bool receiver_answers(HWND wnd)
{
    DWORD_PTR result = 0;
    return wnd && IsWindow(wnd) &&
           SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               handover_timeout_ms, &result) != 0;
}

void COvantaApp::ProcessCommandLine()
{
    std::vector<ParamCall> calls = WalkArguments(program_arguments());
    bool locked = false;
    if (m_bHandOver) {
        // Second instances started together hand over one after the other.
        locked = mutex_ && WaitForSingleObject(mutex_, 30000) != WAIT_TIMEOUT;
        if (!receiver_answers(InstanceBlock().Receiver())) {
            notHandedOver_ = calls;
            m_bHandOver = 0;
            if (locked)
                ReleaseMutex(mutex_);
            return;
        }
    }
    for (const ParamCall& c : calls) {
        m_nCmdLineLine = c.line;
        if (m_bHandOver) {
            if (!SendToFirstInstance(c.text))
                notHandedOver_.push_back(c);
        } else {
            ParseParam(c);
        }
    }
    m_nCmdLineLine = 0;
    if (locked)
        ReleaseMutex(mutex_);
    if (m_bHandOver && !notHandedOver_.empty()) {
        m_bHandOver = 0; // open the rest here
        return;
    }
    if (m_bMultipleInstances) {
        HWND receiver = InstanceBlock().Receiver();
        if (receiver && IsWindow(receiver))
            ::SetForegroundWindow(receiver);
    }
}

void COvantaApp::ParseParam(const ParamCall& call)
{
    if (m_bHandOver) {
        SendToFirstInstance(call.text);
    } else if (IsWorkspaceArgument(call.text)) {
        if (IFrameWindow* frame = Frame().window)
            frame->OpenWorkspace(call.text.substr(2).c_str());
    } else {
        OpenDocumentFile(call.text.c_str());
    }
}

bool COvantaApp::SendToFirstInstance(const std::string& text)
{
    HWND receiver = InstanceBlock().Receiver();
    if (!receiver)
        return false;
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    std::string handOver;
    if (!ComposeHandOverText(text, dir, m_nCmdLineLine, handOver)) {
        std::string shown = text.size() > 200 ? text.substr(0, 200) + "..." : text;
        std::string message = "The argument is too long to be handed over to the running "
                              "Ovanta and is not opened:\n" + shown;
        winui::ShowMessageBox(nullptr, message.c_str(), "Ovanta", MB_OK | MB_ICONEXCLAMATION);
        return true; // refused, not to be opened elsewhere either
    }
    InstanceBlock().SetText(handOver);
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutA(receiver, WM_HANDOVER, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                       handover_timeout_ms, &result);
    if (!sent || result != 1)
        return false;
    if (::IsIconic(receiver))
        ::ShowWindow(receiver, SW_RESTORE);
    return true;
}

// --- opening ---------------------------------------------------------------

static std::string long_path_name(const std::string& path)
{
    if (path.find('~') == std::string::npos)
        return path;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return path;
    FindClose(h);
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string(found.cFileName)
                                      : path.substr(0, slash + 1) + found.cFileName;
}

bool COvantaApp::IsFileUnchanged(const char* path, uint32_t timeLow, uint32_t timeHigh)
{
    FILETIME stored{timeLow, timeHigh};
    FILETIME now{0, 0};
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    // A file whose time cannot be read counts as changed: its stored place
    // is not trusted.
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BOOL read = GetFileTime(h, nullptr, nullptr, &now);
    CloseHandle(h);
    return read && CompareFileTime(&now, &stored) <= 0;
}

winui::CDocument* COvantaApp::OpenDocumentFile(const char* path)
{
    if (!path || !*path || !m_pDocManager)
        return nullptr;
    std::string name = long_path_name(path);

    bool havePosition = false;
    RecentPosition stored;
    if (CPositionRecentFileList* recent = RecentFiles()) {
        char full[MAX_PATH];
        DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
        std::string wanted = n > 0 && n < sizeof full ? full : name;
        for (int i = 0; i < recent->GetCount(); ++i) {
            if (lstrcmpiA((*recent)[i].c_str(), wanted.c_str()) != 0)
                continue;
            const RecentPosition& p = recent->Position(i);
            if (p.selStart != 0 && IsFileUnchanged(wanted.c_str(), p.timeLow, p.timeHigh)) {
                stored = p;
                havePosition = true;
            }
            break;
        }
    }

    winui::CDocument* doc = m_pDocManager->OpenDocumentFile(name.c_str());
    if (!doc)
        return nullptr;
    auto* view = dynamic_cast<COvantaView*>(doc->GetFirstView());
    if (!view)
        return doc;
    if (winui::CFrameWnd* frame = view->GetParentFrame())
        if (::IsIconic(frame->m_hWnd))
            ::ShowWindow(frame->m_hWnd, SW_RESTORE);
    COvantaEditCtrl& edit = view->Editor();
    ::SetFocus(edit.m_hWnd);
    if (m_nCmdLineLine != 0) {
        int n = m_nCmdLineLine;
        edit.Core().SetTopLine(n <= 5 ? 0 : n - 6);
        int offset = edit.Core().GetLineOffsetClamped(n - 1);
        edit.SetSel(offset, offset, false, true);
        edit.InvalidateText(1);
        edit.UpdateVScrollBar(1);
        ::UpdateWindow(edit.m_hWnd);
    } else if (havePosition) {
        if (edit.GetLineCount() > edit.Core().m_nVisibleLines)
            edit.Core().SetTopLine(stored.topLine);
        int sel = stored.selStart <= edit.GetTextLength() ? stored.selStart : edit.GetTextLength();
        edit.SetSel(sel, sel, false, true);
        edit.InvalidateText(1);
        edit.UpdateVScrollBar(1);
        ::UpdateWindow(edit.m_hWnd);
    }
    ::SetFocus(edit.m_hWnd);
    view->NotifyCaret();
    return doc;
}

void COvantaApp::UpdateRecentFilePosition(const char* path, int topLine, int selStart)
{
    if (CPositionRecentFileList* recent = RecentFiles())
        recent->SetPosition(path, topLine, selStart);
}

void COvantaApp::WriteRecentFileList()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList(m_profile);
}

// --- settings writers ---------------------------------------------------------

static bool target_allowed(const COvantaApp& app)
{
    const std::string& target = app.ProfileTarget();
    return target == app.ProfilePath() ||
           (!app.WorkspacePath().empty() && target == app.WorkspacePath());
}

BOOL COvantaApp::WriteSettingString(const char* section, const char* key, const char* value)
{
    if (!target_allowed(*this))
        return FALSE;
    if (!key)
        return m_profile.DeleteSection(section);
    if (!value)
        return m_profile.DeleteKey(section, key);
    return m_profile.WriteString(section, key, value);
}

BOOL COvantaApp::WriteSettingInt(const char* section, const char* key, int value)
{
    if (!target_allowed(*this))
        return FALSE;
    return m_profile.WriteInt(section, key, value);
}

void COvantaApp::GetSettingInt(const char* section, const char* key, int& out, int def)
{
    m_profile.SetPath(m_szProfilePath);
    out = m_profile.GetInt(section, key, def);
    RestoreProfileTarget();
}

void COvantaApp::RestoreProfileTarget()
{
    m_profile.SetPath(m_strWorkspacePath.empty() ? m_szProfilePath : m_strWorkspacePath);
}

// --- document titles ------------------------------------------------------------

static std::string upper(std::string text)
{
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

void COvantaApp::UpdateDocumentTitles(winui::CDocument* doc)
{
    if (!doc || doc->GetPathName().empty())
        return;
    const std::string& path = doc->GetPathName();
    std::string dir = upper(DirectoryOf(path));
    auto starred = [](winui::CDocument* d, const std::string& title) {
        return d->GetTitle().find('*') != std::string::npos ? title + " *" : title;
    };
    doc->SetTitle(starred(doc, FileNameOf(path)).c_str());
    for (COvantaDoc* other : Documents()) {
        if (other == doc || other->GetPathName().empty())
            continue;
        const std::string& p = other->GetPathName();
        std::string title = upper(DirectoryOf(p)) != dir ? p : FileNameOf(p);
        other->SetTitle(starred(other, title).c_str());
    }
}

// --- shortcut table ------------------------------------------------------------

void COvantaApp::SaveShortcuts()
{
    std::string previous = m_profile.Path();
    m_profile.SetPath(m_szProfilePath);
    WriteSettingString("ShortCuts", nullptr, nullptr);
    for (int i = 0; i < kShortcutCount && Shortcuts().table[i].command != 0; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "key%d", i);
        WriteSettingString("ShortCuts", key, FormatShortcut(Shortcuts().table[i]).c_str());
    }
    // Later writes go where they went before (the open workspace).
    m_profile.SetPath(previous);
}

void COvantaApp::LoadShortcuts()
{
    std::vector<std::string> values;
    for (int i = 0; i < kShortcutCount; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "key%d", i);
        std::string v = m_profile.GetString("ShortCuts", key, "");
        if (v.empty())
            break;
        values.push_back(v);
    }
    LoadShortcutValues(values);
}

uint32_t COvantaApp::FindCommandKey(UINT command) const
{
    return FindShortcutKey(static_cast<uint16_t>(command));
}

// --- commands ------------------------------------------------------------------

namespace {

class CAboutDlg : public winui::CDialog {
public:
    CAboutDlg() : winui::CDialog(IDD_ABOUTBOX) {}
    BOOL OnInitDialog() override
    {
        winui::CDialog::OnInitDialog();
        char stamp[64];
        std::snprintf(stamp, sizeof stamp, "%s - %s", __DATE__, __TIME__);
        SetDlgItemText(IDC_BUILD_STAMP, stamp);
        return TRUE;
    }
};

} // namespace

void COvantaApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.m_hWndParent = m_hMainWnd;
    dlg.DoModal();
}

void COvantaApp::OnFileSaveAll()
{
    for (COvantaDoc* doc : Documents()) {
        DWORD attributes = doc->GetPathName().empty() ? INVALID_FILE_ATTRIBUTES
                                                      : GetFileAttributesA(doc->GetPathName().c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
            doc->DoSave(nullptr);
        else if (doc->IsModified())
            doc->DoFileSave();
    }
}

void COvantaApp::OnEndAndSave()
{
    for (COvantaDoc* doc : Documents()) {
        if (!doc->DoFileSave())
            return; // a document that could not be saved keeps the program open
    }
    m_nWorkspaceSaveMode = 1;
    ::ShowWindow(m_hMainWnd, SW_HIDE);
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(TRUE);
    SendMessageA(m_hMainWnd, WM_CLOSE, 0, 0);
}

void COvantaApp::OnEndWithoutSave()
{
    for (COvantaDoc* doc : Documents())
        doc->SetModifiedFlag(FALSE);
    m_nWorkspaceSaveMode = 2;
    SendMessageA(m_hMainWnd, WM_CLOSE, 0, 0);
}

void COvantaApp::OnToggleSingleInstance()
{
    m_bMultipleInstances = !m_bMultipleInstances;
    // The mode belongs to the program, not to a workspace.
    std::string previous = m_profile.Path();
    m_profile.SetPath(m_szProfilePath);
    WriteOption(&SettingsValues::multipleInstances, m_bMultipleInstances);
    m_profile.SetPath(previous);
    InstanceBlock().SetReceiver(m_bMultipleInstances ? m_hMainWnd : nullptr);
}

void COvantaApp::OnUpdateToggleSingleInstance(winui::CCmdUI* ui)
{
    ui->SetCheck(m_bMultipleInstances ? 1 : 0);
}

void COvantaApp::OnPrintSettings()
{
    IFrameWindow* frame = Frame().window;
    if (!frame || !frame->HasActiveDocumentWindow())
        return;
    PrintOptions print = PrintOptionsOf(OvantaOptions());
    CPrintOptionsDlg dlg(print, m_printing.fromLine, m_printing.toLine, m_printing.font, m_hMainWnd);
    dlg.m_bPrintMode = 0;
    dlg.TakeOptions(print);
    // The selected lines when the selection spans lines, else the range held.
    dlg.m_nFirstLine = m_printing.fromLine;
    dlg.m_nLastLine = m_printing.toLine;
    if (COvantaView* view = frame->ActiveOvantaView())
        view->PrintRange(dlg.m_nFirstLine, dlg.m_nLastLine);
    if (dlg.DoModal() != IDOK)
        return;
    bool whole = dlg.m_nFirstLine == -1 || dlg.m_nLastLine == -1;
    m_printing.fromLine = whole ? -1 : dlg.m_nFirstLine;
    m_printing.toLine = whole ? -1 : dlg.m_nLastLine;
    dlg.GiveOptions(print);
    // "LineNo" is saved with the other settings, not here.
    OvantaOptions().lineNo = print.lineNo;
    WriteOption(&SettingsValues::printBW, print.printBW);
    WriteOption(&SettingsValues::compressLines, print.compressLines);
    WriteOption(&SettingsValues::pageNo, print.pageNo);
    WriteOption(&SettingsValues::fileTitle, print.fileTitle);
    WriteOption(&SettingsValues::actDate, print.actDate);
    WriteOption(&SettingsValues::bannerTop, print.bannerTop);
    winui::CPrintDialog setup(true, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                              m_hMainWnd);
    setup.DoModal();
}

// --- the printer font ---------------------------------------------------------------

void COvantaApp::LoadPrintFont(const FontValues& f, HFONT editFont)
{
    if (!f.faceName.empty()) {
        m_printing.font = LogFontFromValues(f);
        return;
    }
    // A copy of the editor font's description.
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lstrcpynA(lf.lfFaceName, "Courier New", LF_FACESIZE);
    LOGFONTA edit;
    if (editFont && ::GetObjectA(editFont, sizeof edit, &edit) == sizeof edit)
        lf = edit;
    m_printing.font = lf;
}

void COvantaApp::StorePrintFont(FontValues& f) const
{
    f = ValuesFromLogFont(m_printing.font);
}

void COvantaApp::OnDefaultDirectory()
{
    winui::CFolderDialog dlg("Default directory", m_hMainWnd);
    dlg.SetInitialFolder(OvantaOptions().defaultDir);
    INT_PTR result = dlg.DoModal();
    if (result == 1 || result == 7)
        WriteOption(&SettingsValues::defaultDir, dlg.GetPath());
}

void COvantaApp::OnUpdateRecentFiles(winui::CCmdUI* ui)
{
    OnUpdateRecentFileMenu(ui);
}

void COvantaApp::OnOpenCommand()
{
    if (m_pDocManager)
        m_pDocManager->OnFileOpen();
}

// --- recent files with positions ---------------------------------------------------

void CPositionRecentFileList::Add(const char* path)
{
    // Untitled documents ("unknown1", ...) stay out; a path that merely
    // holds the word goes in.
    if (!path || !*path || IsUntitledDocumentName(path))
        return;
    positions_.resize(names_.size());
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    std::string wanted = n > 0 && n < sizeof full ? full : path;
    // The path's own entry leaves its place, wherever it stands (also the
    // last one of a list that is not full yet); else the last entry of a
    // full list makes room.
    size_t found = names_.size();
    for (size_t i = 0; i < names_.size(); ++i) {
        if (lstrcmpiA(names_[i].c_str(), wanted.c_str()) == 0) {
            found = i;
            break;
        }
    }
    RecentPosition keep;
    if (found < names_.size()) {
        keep = positions_[found];
        names_.erase(names_.begin() + static_cast<long>(found));
        positions_.erase(positions_.begin() + static_cast<long>(found));
    } else if (names_.size() >= static_cast<size_t>(size_)) {
        names_.pop_back();
        positions_.pop_back();
    }
    names_.insert(names_.begin(), path);
    positions_.insert(positions_.begin(), keep);
}

void CPositionRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount()) {
        names_.erase(names_.begin() + index);
        if (static_cast<size_t>(index) < positions_.size())
            positions_.erase(positions_.begin() + index);
    }
}

bool CPositionRecentFileList::SetPosition(const char* path, int topLine, int selStart)
{
    positions_.resize(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
        // Paths compare as the list's lookup compares them: without regard to case.
        std::string entry = names_[i].substr(0, names_[i].find(','));
        if (lstrcmpiA(entry.c_str(), path) != 0)
            continue;
        RecentPosition& p = positions_[i];
        p.topLine = topLine;
        p.selStart = selStart;
        HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        FILETIME t{0, 0};
        if (h != INVALID_HANDLE_VALUE) {
            if (!GetFileTime(h, nullptr, nullptr, &t))
                t = FILETIME{0, 0};
            CloseHandle(h);
        }
        // An unreadable file keeps no old time that would vouch for the place.
        p.timeLow = t.dwLowDateTime;
        p.timeHigh = t.dwHighDateTime;
        return true;
    }
    return false;
}

void CPositionRecentFileList::ReadList(const winui::CProfile& profile)
{
    names_.clear();
    positions_.clear();
    for (int i = 0; i < size_; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, entryFormat_.c_str(), i + 1);
        std::string value = profile.GetString(section_.c_str(), key, "");
        if (value.empty())
            continue;
        RecentPosition pos;
        names_.push_back(ParseRecentEntry(value, pos));
        positions_.push_back(pos);
    }
}

void CPositionRecentFileList::WriteList(const winui::CProfile& profile) const
{
    // Writes go through the guarded writer, so that they land only in the
    // profile file or the open workspace.
    COvantaApp* app = COvantaApp::Get();
    if (!app || profile.Path() != app->ProfileTarget())
        return;
    app->WriteSettingString(section_.c_str(), nullptr, nullptr);
    int number = 1;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].empty() || GetFileAttributesA(names_[i].c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        char key[32];
        std::snprintf(key, sizeof key, entryFormat_.c_str(), number++);
        RecentPosition pos = i < positions_.size() ? positions_[i] : RecentPosition();
        app->WriteSettingString(section_.c_str(), key, FormatRecentEntry(names_[i], pos).c_str());
    }
}

// --- file dialogs ---------------------------------------------------------------

static std::string dialog_start_dir()
{
    if (const std::string& dir = OvantaOptions().defaultDir; !dir.empty())
        return dir;
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

static const char open_filters[] =
    "All Files (*.*)|*.*|Text (*.txt)|*.txt|C-Sources (*.c)|*.c|C++ -Sources (*.cpp)|*.cpp|"
    "C-Header (*.h)|*.h|Verilog (*.v)|*.v||";

BOOL COvantaDocManager::DoPromptFileNames(std::vector<std::string>& names, DWORD flags)
{
    winui::CFileDialog dlg(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | flags,
                           open_filters, winui::GetApp() ? winui::GetApp()->m_hMainWnd : nullptr);
    std::string start = dialog_start_dir();
    if (OvantaOptions().defaultDir.empty())
        start += "\\";
    dlg.SetInitialDir(start);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    for (const std::string& p : dlg.GetPathNames())
        names.push_back(p);
    return TRUE;
}

BOOL COvantaDocManager::DoPromptFileName(std::string& fileName, const char* title, DWORD flags,
                                         BOOL openFileDialog, winui::CDocTemplate*)
{
    winui::CFileDialog dlg(openFileDialog != FALSE, nullptr, fileName.c_str(), flags,
                           "All Files (*.*)|*.*||",
                           winui::GetApp() ? winui::GetApp()->m_hMainWnd : nullptr);
    if (title)
        dlg.SetTitle(title);
    dlg.SetInitialDir(dialog_start_dir());
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void COvantaDocManager::OnFileOpen()
{
    std::vector<std::string> names;
    if (!DoPromptFileNames(names, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST))
        return;
    for (const std::string& n : names)
        COvantaApp::Get()->OpenDocumentFile(n.c_str());
}
