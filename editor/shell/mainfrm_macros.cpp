// CMainFrame's side of the macros: the recorder bar and its commands, the
// playback of "*.mcr" files into the active editor, the text macros of
// "macro.txt" with the actualize pass, and the keyboard mapping dialog.
#include "editor/shell/mainfrm.h"

#include "editor/shell/key_mapping.h"
#include "editor/shell/keymap_dlg.h"
#include "editor/shell/macros_res.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/shortcut_table.h"

#include "common/safe_file.h"
#include "editor/syntax/text_macro.h"
#include "editor/syntax/undo_step.h"
#include "editor/tools/app_start_dlg.h"
#include "editor/tools/search_request.h"

#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <fstream>
#include <sstream>

namespace {

const char settings_section[] = "DefaultSettings";

bool read_file(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    bytes = all.str();
    return true;
}

std::string program_directory()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    size_t slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : dir.substr(0, slash);
}

std::string macro_file_path()
{
    return program_directory() + "\\macro.txt";
}

} // namespace

// --- the recorder bar ---------------------------------------------------------

bool CMainFrame::CreateMacroBar(bool show)
{
    auto bar = std::make_unique<CMacroRecorderBar>();
    if (!bar->Create(this))
        return false;
    bar->EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    m_pMacroBar = std::move(bar);
    DockControlBarLeftOf(m_pMacroBar.get(), &m_wndToolBar);
    if (!show)
        ShowControlBar(m_pMacroBar.get(), FALSE, FALSE);
    RecalcLayout();
    return true;
}

void CMainFrame::OnMacroRecorder()
{
    if (m_pMacroBar && m_pMacroBar->m_hWnd) {
        ShowControlBar(m_pMacroBar.get(), !m_pMacroBar->IsVisible(), FALSE);
        m_nMacroBar = m_pMacroBar->IsVisible() ? 1 : 0;
        return;
    }
    if (CreateMacroBar(true))
        m_nMacroBar = 1;
}

void CMainFrame::OnUpdateMacroRecorder(winui::CCmdUI* ui)
{
    ui->SetCheck(m_pMacroBar && m_pMacroBar->IsVisible() ? 1 : 0);
}

void CMainFrame::OnMacroStart()
{
    const bool paused = m_pMacroBar && m_pMacroBar->m_bPaused;
    if (!paused) {
        delete g_pMacroEvents;
        g_pMacroEvents = new std::vector<uint32_t>();
    }
    g_bMacroRecording = true;
    if (m_pMacroBar) {
        m_pMacroBar->m_bPaused = false;
        if (m_pMacroBar->IsFloating())
            m_pMacroBar->EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    }
}

void CMainFrame::OnUpdateMacroStart(winui::CCmdUI* ui)
{
    ui->Enable(!g_bMacroRecording);
}

void CMainFrame::OnMacroPause()
{
    g_bMacroRecording = false;
    if (m_pMacroBar)
        m_pMacroBar->m_bPaused = true;
}

void CMainFrame::OnUpdateMacroPause(winui::CCmdUI* ui)
{
    ui->Enable(g_bMacroRecording || (m_pMacroBar && m_pMacroBar->m_bPaused));
}

void CMainFrame::OnMacroFinish()
{
    if (m_pMacroBar)
        m_pMacroBar->m_bPaused = false;
    g_bMacroRecording = false;

    COvantaApp* app = COvantaApp::Get();
    winui::CFileDialog dlg(false, "mcr", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Keyboard macros (*.mcr)|*.mcr|", m_hWnd);
    dlg.SetTitle("Save keyboard macro as..");
    if (app && !app->m_strLastDir.empty())
        dlg.SetInitialDir(app->m_strLastDir);
    // Cancel keeps the events until the next Start.
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = dlg.GetPathName();
    const std::string bytes = MacroFileBytes(g_pMacroEvents ? *g_pMacroEvents : std::vector<uint32_t>());
    std::string why;
    if (!safe_file_write_all(path, bytes.data(), bytes.size(), true, &why)) {
        // The recording stays, so that it can be saved elsewhere.
        winui::ShowMessageBox(m_hWnd, why.c_str(), "Keyboard macro", MB_OK | MB_ICONSTOP);
        return;
    }
    delete g_pMacroEvents;
    g_pMacroEvents = nullptr;

    if (winui::ShowMessageBox(m_hWnd, "Add a new tool for this macro?", "Keyboard macro",
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CAppStartDlg tool(m_hWnd);
    tool.m_tool.Toolname = dlg.GetFileTitle();
    tool.m_tool.AppExe = path;
    if (app)
        tool.m_strDefaultDir = app->m_strDefaultDir;
    if (tool.DoModal() != IDOK)
        return;
    tool.m_tool.CommandId = 0;
    m_tools.ToolsBar().AddTool(tool.m_tool);
}

void CMainFrame::OnUpdateMacroFinish(winui::CCmdUI* ui)
{
    ui->Enable(g_bMacroRecording);
}

// --- playback ---------------------------------------------------------------------

int CMainFrame::PlayKeyboardMacro(const char* path)
{
    if (!m_bMacroSuspended && (!path || !*path))
        return 0;
    COvantaView* view = ActiveOvantaView();
    if (!view)
        return 0;
    if (!m_bMacroSuspended) {
        std::string bytes;
        // A file that cannot be read replays nothing.
        if (!read_file(path, bytes))
            return 0;
        m_macroSteps = MacroStepsOfWords(MacroWordsOfBytes(bytes));
        m_nMacroResume = 0;
    }
    m_bMacroSuspended = false;
    COvantaEditCtrl& editor = view->Editor();
    for (size_t i = m_nMacroResume; i < m_macroSteps.size(); ++i) {
        const MacroStep& step = m_macroSteps[i];
        switch (step.kind) {
        case MacroStep::kKey:
            editor.ProcessKeyDown(step.code, step.modifiers);
            break;
        case MacroStep::kCharacter:
            editor.ProcessChar(step.code, step.modifiers);
            break;
        case MacroStep::kFind: {
            if (step.code != kMacroCmdFind)
                break;
            // The recorded search goes to the frame's search as the
            // search dialog hands it over.
            SearchRequest request;
            request.scope = kScopeFindInDocument;
            request.flags = step.options;
            request.text = step.text.c_str();
            if (::SendMessageA(m_hWnd, WM_FIND_REQUEST, 0, reinterpret_cast<LPARAM>(&request)) == -1)
                i = m_macroSteps.size();
            break;
        }
        case MacroStep::kFindKey:
            // Keys typed into the find dialog need the dialog; the search
            // they led to is recorded as its own step.
            break;
        case MacroStep::kCommand:
            switch (step.code) {
            case kMacroCmdSelectBrace:
            case kMacroCmdUpper:
            case kMacroCmdLower:
            case kMacroCmdCapitalize:
                editor.ExecuteCommand(static_cast<WPARAM>(step.code), 0);
                break;
            case kMacroCmdGotoBrace:
                editor.PrepareBraceGoto();
                editor.ExecuteCommand(static_cast<WPARAM>(step.code), 0);
                break;
            case kMacroCmdCopyAppend:
                editor.Copy(1);
                break;
            case kMacroCmdCopy:
                editor.Copy(0);
                break;
            case kMacroCmdCut:
                editor.Cut();
                break;
            case kMacroCmdPaste:
                editor.Paste(0);
                break;
            case kMacroCmdDeleteLine:
                editor.DeleteLine();
                break;
            case kMacroCmdTcpReceive:
                // The playback waits for the link to fill the clipboard;
                // the next call goes on behind this step.
                if (::OpenClipboard(m_hWnd)) {
                    ::EmptyClipboard();
                    ::CloseClipboard();
                    m_nMacroResume = i + 1;
                    m_bMacroSuspended = true;
                    view->NotifyCaret();
                    return 1;
                }
                break;
            default:
                // Sending (32985) contacts no server during a playback.
                break;
            }
            break;
        }
    }
    m_macroSteps.clear();
    m_nMacroResume = 0;
    if (ActiveOvantaView() == view)
        view->NotifyCaret();
    return 1;
}

// --- text macros -----------------------------------------------------------------

void CMainFrame::LoadTextMacros()
{
    m_textMacros.clear();
    std::string content;
    if (read_file(macro_file_path(), content))
        m_textMacros = ParseTextMacros(content);
}

void CMainFrame::ActualizeMacros(CNColorEditCtrl& editor)
{
    if (m_textMacros.empty())
        return;
    int start = 0, end = 0;
    editor.GetSel(start, end);
    std::vector<ActualizeKey> keys;
    TextMacroContext context = editor.PlaceholderContext();
    for (const TextMacro& m : m_textMacros) {
        if (m.name.size() < 2 || m.name[0] != '$')
            continue;
        ActualizeKey k{m.name.substr(1), m.text};
        ExpandTextMacro(k.value, context);
        keys.push_back(k);
    }
    const uint8_t* buffer = editor.GetTextBuffer();
    std::string text(buffer ? reinterpret_cast<const char*>(buffer) : "",
                     buffer ? static_cast<size_t>(editor.GetTextLength()) : 0);
    {
        CSingleUndoStep step(editor.Core());
        for (const ActualizeEdit& e : PlanActualize(text, keys)) {
            editor.SetSel(e.position, e.position + e.length, false, false);
            editor.ReplaceSel(e.value.c_str(), true);
        }
    }
    const int length = editor.GetTextLength();
    start = start > length ? length : start;
    editor.SetSel(start, start, true, true);
}

bool CMainFrame::MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return false;
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const bool macroFile = lstrcmpiA(name.c_str(), "macro.txt") == 0;
    if (!macroFile) {
        if (OvantaOptions().actualizeMacros)
            ActualizeMacros(editor);
        return false;
    }
    return editor.GetModify() &&
           winui::ShowMessageBox(nullptr, "Reload Macros?", "Macro file has been changed",
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CMainFrame::OnEditMacroFile()
{
    COvantaApp* app = COvantaApp::Get();
    const std::string path = macro_file_path();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    if (app)
        app->OpenDocumentFile(path.c_str());
}

// --- settings -----------------------------------------------------------------------

void CMainFrame::LoadMacroSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    m_nMacroBar = app->m_profile.GetInt(settings_section, "MacroBar", 0);
    if (m_nMacroBar && !m_pMacroBar)
        CreateMacroBar(false);
    if (app->m_profile.GetInt(settings_section, "ExtContextMenu", 0))
        LoadTextMacros();
}

void CMainFrame::SaveMacroSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // A bar hidden at closing is not made again at the next start.
    if (m_pMacroBar && m_pMacroBar->m_hWnd && !m_pMacroBar->IsVisible())
        m_nMacroBar = 0;
    app->WriteSettingInt(settings_section, "MacroBar", m_nMacroBar);
}

// --- keyboard mapping -----------------------------------------------------------------

void CMainFrame::OnKeyboardMapping()
{
    CKeyboardMappingDlg dlg(m_hWnd);
    dlg.m_onApply = [this] {
        // The accelerators follow the table while documents are open; the
        // start table stays until one opens.
        if (!startAccel_)
            UseShortcutAccelerators();
        if (COvantaApp* app = COvantaApp::Get())
            app->SaveShortcuts();
    };
    dlg.DoModal();
}

void CMainFrame::ShowMenuShortcuts(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item) || item.hSubMenu ||
            (item.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) || item.wID == 0 || item.wID > 0xFFFF)
            continue;
        char text[256] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const std::string wanted = MenuTextWithShortcut(text, static_cast<uint16_t>(item.wID), Shortcuts().table);
        if (wanted == text)
            continue;
        MENUITEMINFOA change{};
        change.cbSize = sizeof change;
        change.fMask = MIIM_STRING;
        change.dwTypeData = const_cast<char*>(wanted.c_str());
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &change);
    }
}
