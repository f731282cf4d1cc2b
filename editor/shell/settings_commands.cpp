#include "editor/shell/settings_commands.h"

#include "editor/shell/editorstatusbar.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/syntax_colors_dlg.h"
#include "editor/shell/color_select_dlg.h"

#include "editor/editctl/color_table.h"
#include "editor/syntax/syntax_template.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/clipboard.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/splitter.h"
#include "winui/toolbar.h"


BEGIN_MESSAGE_MAP(CSettingsCommands, winui::CCmdTarget)
    ON_COMMAND(ID_EMPTY_CLIPBOARD, &CSettingsCommands::OnEmptyClipboard)
    ON_UPDATE_COMMAND_UI(ID_EMPTY_CLIPBOARD, &CSettingsCommands::OnUpdateEmptyClipboard)
    ON_COMMAND(ID_SYNTAX_COLOR, &CSettingsCommands::OnSyntaxColor)
    ON_UPDATE_COMMAND_UI(ID_SYNTAX_COLOR, &CSettingsCommands::OnUpdateSyntaxColor)
    ON_COMMAND(ID_LINE_NUMBERS, &CSettingsCommands::OnLineNumbers)
    ON_UPDATE_COMMAND_UI(ID_LINE_NUMBERS, &CSettingsCommands::OnUpdateLineNumbers)
    ON_COMMAND_RANGE(ID_EXT_MOV_TXT, ID_EXT_MOV_TXT, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_MULTI_CLICK, ID_MULTI_CLICK, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_AUTO_INDENT, ID_AUTO_INDENT, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_SUPPRESS_COMMENTS, ID_SUPPRESS_COMMENTS, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_AUTO_COPY, ID_AUTO_COPY, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_ACTUALIZE_AT_SAVE, ID_ACTUALIZE_AT_SAVE, &CSettingsCommands::OnToggleOption)
    ON_COMMAND_RANGE(ID_SPLIT_WINDOWS, ID_SPLIT_WINDOWS, &CSettingsCommands::OnToggleOption)
    ON_UPDATE_COMMAND_UI(ID_EXT_MOV_TXT, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_MULTI_CLICK, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_AUTO_INDENT, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_SUPPRESS_COMMENTS, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_AUTO_COPY, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_ACTUALIZE_AT_SAVE, &CSettingsCommands::OnUpdateToggleOption)
    ON_UPDATE_COMMAND_UI(ID_SPLIT_WINDOWS, &CSettingsCommands::OnUpdateToggleOption)
    ON_COMMAND(ID_FOCUS_SECOND_CLICK, &CSettingsCommands::OnFocusSecondClick)
    ON_UPDATE_COMMAND_UI(ID_FOCUS_SECOND_CLICK, &CSettingsCommands::OnUpdateFocusSecondClick)
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CSettingsCommands::OnBarCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CSettingsCommands::OnUpdateBarCheck)
    ON_COMMAND(ID_FONT, &CSettingsCommands::OnFont)
    ON_COMMAND(ID_COLORS, &CSettingsCommands::OnColors)
    ON_COMMAND(ID_SYNTAX_COLORS, &CSettingsCommands::OnSyntaxColors)
    ON_COMMAND(ID_BACKUP_OPTIONS, &CSettingsCommands::OnBackupOptions)
    ON_COMMAND(ID_LINE_WRAP, &CSettingsCommands::OnLineWrap)
    ON_COMMAND(ID_MORE_WINDOWS, &CSettingsCommands::OnMoreWindows)
END_MESSAGE_MAP()

// --- clipboard --------------------------------------------------------------

void CSettingsCommands::OnEmptyClipboard()
{
    winui::CClipboard clip(frame_.m_hWnd);
    clip.Empty();
}

void CSettingsCommands::OnUpdateEmptyClipboard(winui::CCmdUI* ui)
{
    ui->Enable(::IsClipboardFormatAvailable(CF_TEXT) != FALSE);
}

// --- view toggles -----------------------------------------------------------

void CSettingsCommands::OnSyntaxColor()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    WriteOption(&SettingsValues::syntax, OvantaOptions().syntax ? 0 : 1);
    ApplyOptionsToControls(OvantaOptions());
    app->UpdateAllDocuments(0);
}

void CSettingsCommands::OnUpdateSyntaxColor(winui::CCmdUI* ui)
{
    ui->SetCheck(OvantaOptions().syntax ? 1 : 0);
}

void CSettingsCommands::OnLineNumbers()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    WriteOption(&SettingsValues::showLineNo, OvantaOptions().showLineNo ? 0 : 1);
    app->UpdateAllDocuments(2);
}

void CSettingsCommands::OnUpdateLineNumbers(winui::CCmdUI* ui)
{
    ui->Enable(host_.ViewUsable());
    ui->SetCheck(OvantaOptions().showLineNo ? 1 : 0);
}

// --- option toggles ---------------------------------------------------------

int SettingsValues::*CSettingsCommands::ToggleOption(UINT id)
{
    static const struct Entry {
        UINT id;
        int SettingsValues::*field;
    } entries[] = {
        {ID_EXT_MOV_TXT, &SettingsValues::extMovTxt},
        {ID_MULTI_CLICK, &SettingsValues::multiClick},
        {ID_AUTO_INDENT, &SettingsValues::autoIndent},
        {ID_SUPPRESS_COMMENTS, &SettingsValues::supressComments},
        {ID_AUTO_COPY, &SettingsValues::autoCopy},
        {ID_ACTUALIZE_AT_SAVE, &SettingsValues::actualizeMacros},
        {ID_SPLIT_WINDOWS, &SettingsValues::split},
    };
    for (const Entry& e : entries)
        if (e.id == id)
            return e.field;
    return nullptr;
}

void CSettingsCommands::OnToggleOption(UINT id)
{
    int SettingsValues::*field = ToggleOption(id);
    if (!field)
        return;
    // Written at once, so that a toggle survives the end of the program
    // whichever way it ends.
    WriteOption(field, OvantaOptions().*field ? 0 : 1);
    ApplyOptionsToControls(OvantaOptions());
    if (id == ID_SUPPRESS_COMMENTS)
        host_.SetSuppressComments(OvantaOptions().supressComments != 0);
}

void CSettingsCommands::OnUpdateToggleOption(winui::CCmdUI* ui)
{
    if (int SettingsValues::*field = ToggleOption(ui->m_nID))
        ui->SetCheck(OvantaOptions().*field ? 1 : 0);
}

void CSettingsCommands::OnFocusSecondClick()
{
    WriteOption(&SettingsValues::noClicks, OvantaOptions().noClicks == 3 ? 2 : 3);
    ApplyOptionsToControls(OvantaOptions());
}

void CSettingsCommands::OnUpdateFocusSecondClick(winui::CCmdUI* ui)
{
    ui->SetCheck(OvantaOptions().noClicks == 3 ? 1 : 0);
}

// --- the frame's bars -------------------------------------------------------

winui::CControlBar& CSettingsCommands::FrameBar(UINT id)
{
    if (id == ID_VIEW_STATUS_BAR)
        return host_.StatusBar();
    return host_.MainToolBar();
}

void CSettingsCommands::OnBarCheck(UINT id)
{
    winui::CControlBar& bar = FrameBar(id);
    if (bar.m_hWnd)
        frame_.ShowControlBar(&bar, ::IsWindowVisible(bar.m_hWnd) ? FALSE : TRUE, FALSE);
}

void CSettingsCommands::OnUpdateBarCheck(winui::CCmdUI* ui)
{
    winui::CControlBar& bar = FrameBar(ui->m_nID);
    ui->SetCheck(bar.m_hWnd && ::IsWindowVisible(bar.m_hWnd) ? 1 : 0);
}

// --- settings dialogs -------------------------------------------------------

void CSettingsCommands::OnFont()
{
    COvantaApp* app = COvantaApp::Get();
    LOGFONTA initial{};
    bool haveInitial = false;
    if (HFONT font = host_.EditFont())
        haveInitial = ::GetObjectA(font, sizeof initial, &initial) == sizeof initial;
    if (!haveInitial)
        if (COvantaView* view = host_.ActiveOvantaView()) {
            CNColorEditCtrl& editor = view->Editor();
            haveInitial = editor.GetEditFont() && editor.GetEditFont()->GetLogFont(&initial);
        }
    winui::CFontDialog dlg(haveInitial ? &initial : nullptr,
                           CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY, frame_.m_hWnd);
    dlg.m_cf.nFontType = SCREEN_FONTTYPE;
    if (dlg.DoModal() == IDOK) {
        if (HFONT font = ::CreateFontIndirectA(&dlg.m_lf)) {
            HFONT old = host_.SwapEditFont(font);
            // The views take the new font before the old one goes.
            if (app)
                app->UpdateAllDocuments(1);
            if (old)
                ::DeleteObject(old);
        }
    }
    // Also after Cancel the settings are saved and the views refresh.
    if (app) {
        host_.SaveSettings();
        app->UpdateAllDocuments(1);
    }
}

// Every document's views take a change (hint 0 syntax colouring, 8 colours).
void CSettingsCommands::OnColors()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    const COLORREF background = host_.ActiveOvantaView() ? BackColorOption() : 0xFFFFFF;
    CColorSelectDlg dlg(background, frame_.m_hWnd);
    // Cancel keeps the old colours (the dialog puts the table back).
    if (dlg.DoModal() != IDOK)
        return;
    WriteOption(&SettingsValues::backColor, static_cast<int>(dlg.m_clrBackground & 0xFFFFFF));
    g_ColorTable[16] = BackColorOption();
    app->UpdateAllDocuments(8);
}

void CSettingsCommands::OnSyntaxColors()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    // The templates live in the program's own profile, not in a workspace.
    app->SetProfileTarget(app->ProfilePath());
    {
        CSyntaxColorsDlg dlg(app->m_profile, frame_.m_hWnd);
        const bool view = host_.ActiveOvantaView() != nullptr;
        dlg.m_clrEditorBackground = view ? BackColorOption() : 0xFFFFFF;
        dlg.m_clrFrameBackground = BackColorOption();
        dlg.DoModal();
        if (view && dlg.m_bEditorBackgroundChanged) {
            OvantaOptions().backColor = static_cast<int>(dlg.m_clrEditorBackground & 0xFFFFFF);
            g_ColorTable[16] = BackColorOption();
            app->UpdateAllDocuments(8);
        }
    }
    app->RestoreProfileTarget();
    if (OvantaOptions().syntax)
        app->UpdateAllDocuments(0);
}

void CSettingsCommands::OnBackupOptions()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    const SettingsValues& o = OvantaOptions();
    CBackupOptionsDlg dlg(frame_.m_hWnd);
    dlg.m_bBackupFromOriginal = o.orgBackup;
    dlg.m_bBackupAtSave = o.saveBackup;
    dlg.m_nAutoSaveMinutes = o.autoSaveTime;
    dlg.m_bReplaceExt = o.replaceFileExt;
    dlg.m_strExtension = o.backupFileExt;
    if (dlg.DoModal() != IDOK)
        return;
    WriteOption(&SettingsValues::orgBackup, dlg.m_bBackupFromOriginal);
    WriteOption(&SettingsValues::saveBackup, dlg.m_bBackupAtSave);
    WriteOption(&SettingsValues::autoSaveTime, dlg.m_nAutoSaveMinutes);
    WriteOption(&SettingsValues::replaceFileExt, dlg.m_bReplaceExt);
    WriteOption(&SettingsValues::backupFileExt, dlg.m_strExtension);
    host_.RestartAutoSave(o.autoSaveTime);
}

void CSettingsCommands::OnLineWrap()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    SettingsValues& o = OvantaOptions();
    const int lineWrap = o.lineWrap;
    const int wrapOnWords = o.wrapOnWords;
    const int saveLineWrap = o.saveLineWrap;
    {
        CLineWrapDlg dlg(o, frame_.m_hWnd);
        dlg.DoModal();
    }
    if (o.lineWrap != lineWrap || o.wrapOnWords != wrapOnWords) {
        HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        app->UpdateAllDocuments(16);
        ::SetCursor(old);
    }
    if (o.lineWrap != lineWrap)
        WriteOption(&SettingsValues::lineWrap, o.lineWrap);
    if (o.wrapOnWords != wrapOnWords)
        WriteOption(&SettingsValues::wrapOnWords, o.wrapOnWords);
    if (o.saveLineWrap != saveLineWrap)
        WriteOption(&SettingsValues::saveLineWrap, o.saveLineWrap);
}

// --- windows ----------------------------------------------------------------

// The window of a view's document frame: its parent, or the splitter's parent.
static HWND view_frame_window(winui::CView* view)
{
    HWND parent = ::GetParent(view->m_hWnd);
    if (dynamic_cast<winui::CSplitterWnd*>(winui::CWnd::FromHandle(parent)) != nullptr)
        parent = ::GetParent(parent);
    return parent;
}

void CSettingsCommands::OnMoreWindows()
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
    CMoreWindowsDlg dlg(std::move(entries), frame_.m_hWnd);
    dlg.DoModal();
    HWND child = dlg.m_hChosen;
    if (!child || !::IsWindow(child))
        return;
    frame_.MDIActivate(child);
    ::ShowWindow(child, ::IsIconic(child) ? SW_SHOWMAXIMIZED : SW_SHOW);
}
