// The main frame's macros: the recorder bar and its commands, the playback
// of "*.mcr" files into the active editor, the text macros of "macro.txt"
// with the actualize pass, and the keyboard mapping dialog.
#include "editor/shell/macro_controller.h"

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
#include "editor/tools/tool_info.h"

#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"
#include "winui/toolbar.h"

#include <fstream>
#include <sstream>

namespace {

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

BEGIN_MESSAGE_MAP(CMacroController, winui::CCmdTarget)
    ON_COMMAND(ID_MACRO_RECORDER, &CMacroController::OnMacroRecorder)
    ON_UPDATE_COMMAND_UI(ID_MACRO_RECORDER, &CMacroController::OnUpdateMacroRecorder)
    ON_COMMAND(ID_MACRO_RECORD, &CMacroController::OnMacroStart)
    ON_UPDATE_COMMAND_UI(ID_MACRO_RECORD, &CMacroController::OnUpdateMacroStart)
    ON_COMMAND(ID_MACRO_STOP, &CMacroController::OnMacroPause)
    ON_UPDATE_COMMAND_UI(ID_MACRO_STOP, &CMacroController::OnUpdateMacroPause)
    ON_COMMAND(ID_MACRO_PLAY, &CMacroController::OnMacroFinish)
    ON_UPDATE_COMMAND_UI(ID_MACRO_PLAY, &CMacroController::OnUpdateMacroFinish)
    ON_COMMAND(ID_EDIT_MACRO_FILE, &CMacroController::OnEditMacroFile)
    ON_COMMAND(ID_KEYBOARD_MAPPING, &CMacroController::OnKeyboardMapping)
END_MESSAGE_MAP()

// --- the recorder bar ---------------------------------------------------------

bool CMacroController::CreateMacroBar(bool show)
{
    auto bar = std::make_unique<CMacroRecorderBar>();
    if (!bar->Create(&frame_))
        return false;
    bar->EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    recorderBar_ = std::move(bar);
    host_.DockControlBarLeftOf(recorderBar_.get(), &host_.MainToolBar());
    if (!show)
        frame_.ShowControlBar(recorderBar_.get(), FALSE, FALSE);
    frame_.RecalcLayout();
    return true;
}

void CMacroController::OnMacroRecorder()
{
    if (recorderBar_ && recorderBar_->m_hWnd) {
        frame_.ShowControlBar(recorderBar_.get(), !recorderBar_->IsVisible(), FALSE);
        macroBar_ = recorderBar_->IsVisible() ? 1 : 0;
        return;
    }
    if (CreateMacroBar(true))
        macroBar_ = 1;
}

void CMacroController::OnUpdateMacroRecorder(winui::CCmdUI* ui)
{
    ui->SetCheck(recorderBar_ && recorderBar_->IsVisible() ? 1 : 0);
}

void CMacroController::OnMacroStart()
{
    const bool paused = recorderBar_ && recorderBar_->Paused();
    if (!paused) {
        delete g_pMacroEvents;
        g_pMacroEvents = new std::vector<uint32_t>();
    }
    g_bMacroRecording = true;
    if (recorderBar_) {
        recorderBar_->SetPaused(false);
        if (recorderBar_->IsFloating())
            recorderBar_->EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    }
}

void CMacroController::OnUpdateMacroStart(winui::CCmdUI* ui)
{
    ui->Enable(!g_bMacroRecording);
}

void CMacroController::OnMacroPause()
{
    g_bMacroRecording = false;
    if (recorderBar_)
        recorderBar_->SetPaused(true);
}

void CMacroController::OnUpdateMacroPause(winui::CCmdUI* ui)
{
    ui->Enable(g_bMacroRecording || (recorderBar_ && recorderBar_->Paused()));
}

void CMacroController::OnMacroFinish()
{
    if (recorderBar_)
        recorderBar_->SetPaused(false);
    g_bMacroRecording = false;

    COvantaApp* app = COvantaApp::Get();
    winui::CFileDialog dlg(false, "mcr", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "Keyboard macros (*.mcr)|*.mcr|", frame_.m_hWnd);
    dlg.SetTitle("Save keyboard macro as..");
    if (!OvantaOptions().lastDir.empty())
        dlg.SetInitialDir(OvantaOptions().lastDir);
    // Cancel keeps the events until the next Start.
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = dlg.GetPathName();
    const std::string bytes = MacroFileBytes(g_pMacroEvents ? *g_pMacroEvents : std::vector<uint32_t>());
    std::string why;
    if (!safe_file_write_all(path, bytes.data(), bytes.size(), true, &why)) {
        // The recording stays, so that it can be saved elsewhere.
        winui::ShowMessageBox(frame_.m_hWnd, why.c_str(), "Keyboard macro", MB_OK | MB_ICONSTOP);
        return;
    }
    delete g_pMacroEvents;
    g_pMacroEvents = nullptr;

    if (winui::ShowMessageBox(frame_.m_hWnd, "Add a new tool for this macro?", "Keyboard macro",
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CAppStartDlg tool(frame_.m_hWnd);
    tool.m_tool.Toolname = dlg.GetFileTitle();
    tool.m_tool.AppExe = path;
    if (app)
        tool.m_strDefaultDir = OvantaOptions().defaultDir;
    if (tool.DoModal() != IDOK)
        return;
    tool.m_tool.CommandId = 0;
    host_.AddMacroTool(tool.m_tool);
}

void CMacroController::OnUpdateMacroFinish(winui::CCmdUI* ui)
{
    ui->Enable(g_bMacroRecording);
}

// --- playback ---------------------------------------------------------------------

int CMacroController::PlayKeyboardMacro(const char* path)
{
    if (!suspended_ && (!path || !*path))
        return 0;
    COvantaView* view = host_.ActiveOvantaView();
    if (!view)
        return 0;
    if (!suspended_) {
        std::string bytes;
        // A file that cannot be read replays nothing.
        if (!read_file(path, bytes))
            return 0;
        steps_ = MacroStepsOfWords(MacroWordsOfBytes(bytes));
        resume_ = 0;
    }
    suspended_ = false;
    COvantaEditCtrl& editor = view->Editor();
    for (size_t i = resume_; i < steps_.size(); ++i) {
        const MacroStep& step = steps_[i];
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
            if (::SendMessageA(frame_.m_hWnd, WM_FIND_REQUEST, 0, reinterpret_cast<LPARAM>(&request)) == -1)
                i = steps_.size();
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
                if (::OpenClipboard(frame_.m_hWnd)) {
                    ::EmptyClipboard();
                    ::CloseClipboard();
                    resume_ = i + 1;
                    suspended_ = true;
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
    steps_.clear();
    resume_ = 0;
    if (host_.ActiveOvantaView() == view)
        view->NotifyCaret();
    return 1;
}

// --- text macros -----------------------------------------------------------------

void CMacroController::LoadTextMacros()
{
    textMacros_.clear();
    std::string content;
    if (read_file(macro_file_path(), content))
        textMacros_ = ParseTextMacros(content);
}

void CMacroController::EnsureTextMacros()
{
    if (textMacros_.empty())
        LoadTextMacros();
}

void CMacroController::ActualizeMacros(CNColorEditCtrl& editor)
{
    if (textMacros_.empty())
        return;
    int start = 0, end = 0;
    editor.GetSel(start, end);
    std::vector<ActualizeKey> keys;
    TextMacroContext context = editor.PlaceholderContext();
    for (const TextMacro& m : textMacros_) {
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

bool CMacroController::MacrosBeforeSave(const std::string& path, CNColorEditCtrl& editor)
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

void CMacroController::OnEditMacroFile()
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

void CMacroController::LoadSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // From the option set, which has read and checked the keys.
    macroBar_ = OvantaOptions().macroBar;
    if (macroBar_ && !recorderBar_)
        CreateMacroBar(false);
    if (OvantaOptions().extContextMenu)
        LoadTextMacros();
}

void CMacroController::SaveSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // A bar hidden at closing is not made again at the next start.
    if (recorderBar_ && recorderBar_->m_hWnd && !recorderBar_->IsVisible())
        macroBar_ = 0;
    WriteOption(&SettingsValues::macroBar, macroBar_);
}

// --- keyboard mapping -----------------------------------------------------------------

void CMacroController::OnKeyboardMapping()
{
    CKeyboardMappingDlg dlg(frame_.m_hWnd);
    dlg.m_onApply = [this] {
        host_.ShortcutsChanged();
        if (COvantaApp* app = COvantaApp::Get())
            app->SaveShortcuts();
    };
    dlg.DoModal();
}

void CMacroController::ShowMenuShortcuts(HMENU menu)
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
