// The main frame's own commands: emptying the clipboard, syntax
// colouring and the option toggles, the editor's commands forwarded to
// the active editor, the frame's bars, the font, backup and line-wrapping
// dialogs and the window list. The commands on the active text are the
// view's (view_text_commands.cpp).
#include "editor/shell/mainfrm.h"

#include "editor/shell/frame_timers.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"

#include "editor/syntax/syntax_template.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/clipboard.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"
#include "winui/splitter.h"

#include <cstdio>

static const char settings_section[] = "DefaultSettings";

namespace {

bool clipboard_has_text()
{
    return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

} // namespace

CNColorEditCtrl* CMainFrame::ActiveEditor()
{
    COvantaView* view = ActiveOvantaView();
    return view ? &view->Editor() : nullptr;
}

// --- update rules -------------------------------------------------------------------

bool CMainFrame::ViewUsable()
{
    COvantaApp* app = COvantaApp::Get();
    return ActiveOvantaView() != nullptr && !(app && app->m_bInPrintPreview);
}

void CMainFrame::OnUpdateViewCommand(winui::CCmdUI* ui)
{
    ui->Enable(ViewUsable());
}

// --- clipboard ----------------------------------------------------------------------

void CMainFrame::OnEmptyClipboard()
{
    winui::CClipboard clip(m_hWnd);
    clip.Empty();
}

void CMainFrame::OnUpdateEmptyClipboard(winui::CCmdUI* ui)
{
    ui->Enable(clipboard_has_text());
}

LRESULT CMainFrame::OnHtmlReferenceMessage(WPARAM, LPARAM)
{
    m_browser.OnProjectReference();
    return 0;
}

// --- view toggles --------------------------------------------------------------------------

void CMainFrame::OnSyntaxColor()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    app->m_settings.syntax = app->m_settings.syntax ? 0 : 1;
    g_bSyntaxColoring = app->m_settings.syntax;
    app->WriteSettingInt(settings_section, "Syntax", app->m_settings.syntax);
    app->UpdateAllDocuments(0);
}

void CMainFrame::OnUpdateSyntaxColor(winui::CCmdUI* ui)
{
    COvantaApp* app = COvantaApp::Get();
    ui->SetCheck(app && app->m_settings.syntax ? 1 : 0);
}

void CMainFrame::OnLineNumbers()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    app->m_settings.showLineNo = app->m_settings.showLineNo ? 0 : 1;
    app->WriteSettingInt(settings_section, "ShowLineNo", app->m_settings.showLineNo);
    app->UpdateAllDocuments(2);
}

void CMainFrame::OnUpdateLineNumbers(winui::CCmdUI* ui)
{
    COvantaApp* app = COvantaApp::Get();
    ui->Enable(ViewUsable());
    ui->SetCheck(app && app->m_settings.showLineNo ? 1 : 0);
}

// --- option toggles ------------------------------------------------------------------------

// The options the toggles flip, by command: where each lives and its key.
int* CMainFrame::ToggleOption(UINT id, const char** key)
{
    COvantaApp* app = COvantaApp::Get();
    SyntaxEditSettings& edit = GetSyntaxEditSettings();
    ColorEditSettings& control = GetColorEditSettings();
    struct Entry {
        UINT id;
        const char* key;
        int* value;
    } entries[] = {
        {ID_EXT_MOV_TXT, "ExtMovTxt", &edit.extMovTxt},
        {ID_MULTI_CLICK, "MultiClick", &edit.multiClick},
        {ID_AUTO_INDENT, "AutoIndent", &edit.autoIndent},
        {ID_SUPPRESS_COMMENTS, "SupressComments", &edit.supressComments},
        {ID_AUTO_COPY, "AutoCopy", &control.autoCopy},
        {ID_ACTUALIZE_AT_SAVE, "ActualizeMacros", &OvantaOptions().actualizeMacros},
        {ID_SPLIT_WINDOWS, "Split", app ? &app->m_settings.split : nullptr},
    };
    for (const Entry& e : entries)
        if (e.id == id) {
            *key = e.key;
            return e.value;
        }
    return nullptr;
}

void CMainFrame::OnToggleOption(UINT id)
{
    COvantaApp* app = COvantaApp::Get();
    const char* key = nullptr;
    int* value = ToggleOption(id, &key);
    if (!app || !value)
        return;
    *value = *value ? 0 : 1;
    if (id == ID_SUPPRESS_COMMENTS)
        SetSuppressComments(*value != 0);
    // Written at once, so that a toggle survives the end of the program
    // whichever way it ends.
    app->WriteSettingInt(settings_section, key, *value);
}

void CMainFrame::OnUpdateToggleOption(winui::CCmdUI* ui)
{
    const char* key = nullptr;
    int* value = ToggleOption(ui->m_nID, &key);
    if (!value)
        return;
    ui->SetCheck(*value ? 1 : 0);
}

void CMainFrame::OnFocusSecondClick()
{
    ColorEditSettings& control = GetColorEditSettings();
    control.noClicks = control.noClicks == 3 ? 2 : 3;
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingInt(settings_section, "noClicks", control.noClicks);
}

void CMainFrame::OnUpdateFocusSecondClick(winui::CCmdUI* ui)
{
    ui->SetCheck(GetColorEditSettings().noClicks == 3 ? 1 : 0);
}

// --- commands of the active editor ------------------------------------------------------

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
                app->m_nPrintFromLine = app->m_nPrintToLine = -1;
            break;
        default:
            break;
        }
    }
    return CMainFrameBase::OnCmdMsg(id, code, extra, info);
}

winui::CControlBar& CMainFrame::FrameBar(UINT id)
{
    if (id == ID_VIEW_STATUS_BAR)
        return m_wndStatusBar;
    return m_wndToolBar;
}

void CMainFrame::OnBarCheck(UINT id)
{
    winui::CControlBar& bar = FrameBar(id);
    if (bar.m_hWnd)
        ShowControlBar(&bar, ::IsWindowVisible(bar.m_hWnd) ? FALSE : TRUE, FALSE);
}

void CMainFrame::OnUpdateBarCheck(winui::CCmdUI* ui)
{
    winui::CControlBar& bar = FrameBar(ui->m_nID);
    ui->SetCheck(bar.m_hWnd && ::IsWindowVisible(bar.m_hWnd) ? 1 : 0);
}

// --- settings dialogs ----------------------------------------------------------------------

void CMainFrame::OnFont()
{
    COvantaApp* app = COvantaApp::Get();
    LOGFONTA initial{};
    bool haveInitial = false;
    if (m_hEditFont)
        haveInitial = ::GetObjectA(m_hEditFont, sizeof initial, &initial) == sizeof initial;
    if (!haveInitial)
        if (CNColorEditCtrl* editor = ActiveEditor())
            haveInitial = editor->GetEditFont() && editor->GetEditFont()->GetLogFont(&initial);
    winui::CFontDialog dlg(haveInitial ? &initial : nullptr,
                           CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY, m_hWnd);
    dlg.m_cf.nFontType = SCREEN_FONTTYPE;
    if (dlg.DoModal() == IDOK) {
        if (HFONT font = ::CreateFontIndirectA(&dlg.m_lf)) {
            HFONT old = SwapEditFont(font);
            // The views take the new font before the old one goes.
            if (app)
                app->UpdateAllDocuments(1);
            if (old)
                ::DeleteObject(old);
        }
    }
    // Also after Cancel the settings are saved and the views refresh.
    if (app) {
        m_workspace.SaveSettings();
        app->UpdateAllDocuments(1);
    }
}

void CMainFrame::OnBackupOptions()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    OvantaSettings& o = app->m_settings;
    CBackupOptionsDlg dlg(m_hWnd);
    dlg.m_bBackupFromOriginal = o.orgBackup;
    dlg.m_bBackupAtSave = o.saveBackup;
    dlg.m_nAutoSaveMinutes = o.autoSaveTime;
    dlg.m_bReplaceExt = o.replaceFileExt;
    dlg.m_strExtension = o.backupFileExt;
    if (dlg.DoModal() != IDOK)
        return;
    o.orgBackup = dlg.m_bBackupFromOriginal;
    o.saveBackup = dlg.m_bBackupAtSave;
    o.autoSaveTime = dlg.m_nAutoSaveMinutes;
    o.replaceFileExt = dlg.m_bReplaceExt;
    o.backupFileExt = dlg.m_strExtension;
    app->m_strBackupFileExt = o.backupFileExt;
    app->WriteSettingInt(settings_section, "OrgBackup", o.orgBackup);
    app->WriteSettingInt(settings_section, "SaveBackup", o.saveBackup);
    app->WriteSettingInt(settings_section, "AutoSaveTime", o.autoSaveTime);
    app->WriteSettingInt(settings_section, "ReplaceFileExt", o.replaceFileExt);
    app->WriteSettingString(settings_section, "BackupFileExt", o.backupFileExt.c_str());
    if (m_nAutoSaveTimer) {
        ::KillTimer(m_hWnd, autosave_timer);
        m_nAutoSaveTimer = 0;
    }
    if (o.autoSaveTime > 0)
        m_nAutoSaveTimer = static_cast<int>(
            ::SetTimer(m_hWnd, autosave_timer, static_cast<UINT>(o.autoSaveTime) * 60000u, nullptr));
}

void CMainFrame::OnLineWrap()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    OvantaSettings& o = app->m_settings;
    const int lineWrap = o.lineWrap;
    const int wrapOnWords = o.wrapOnWords;
    const int saveLineWrap = o.saveLineWrap;
    {
        CLineWrapDlg dlg(o, m_hWnd);
        dlg.DoModal();
    }
    if (o.lineWrap != lineWrap || o.wrapOnWords != wrapOnWords) {
        HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        app->UpdateAllDocuments(16);
        ::SetCursor(old);
    }
    if (o.lineWrap != lineWrap)
        app->WriteSettingInt(settings_section, "LineWrap", o.lineWrap);
    if (o.wrapOnWords != wrapOnWords)
        app->WriteSettingInt(settings_section, "WrapOnWords", o.wrapOnWords);
    if (o.saveLineWrap != saveLineWrap)
        app->WriteSettingInt(settings_section, "SaveLineWrap", o.saveLineWrap);
}

// --- windows ---------------------------------------------------------------------------------

// The window of a view's document frame: its parent, or the splitter's parent.
static HWND view_frame_window(winui::CView* view)
{
    HWND parent = ::GetParent(view->m_hWnd);
    if (dynamic_cast<winui::CSplitterWnd*>(winui::CWnd::FromHandle(parent)) != nullptr)
        parent = ::GetParent(parent);
    return parent;
}

void CMainFrame::OnMoreWindows()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    std::vector<CMoreWindowsDlg::Entry> entries;
    for (COvantaDoc* doc : app->Documents()) {
        winui::CView* view = doc->GetFirstView();
        if (!view)
            continue;
        std::string text = doc->GetPathName().empty() ? doc->GetTitle() : doc->GetPathName();
        entries.push_back({text, view_frame_window(view)});
    }
    CMoreWindowsDlg dlg(std::move(entries), m_hWnd);
    dlg.DoModal();
    HWND child = dlg.m_hChosen;
    if (!child || !::IsWindow(child))
        return;
    MDIActivate(child);
    ::ShowWindow(child, ::IsIconic(child) ? SW_SHOWMAXIMIZED : SW_SHOW);
}
