// The main frame's edit, view and settings commands: clipboard variants,
// inserting a file, the text operations and their confirmation, the
// HTML export, the option toggles, the font, backup and line-wrapping
// dialogs and the window list.
#include "editor/shell/mainfrm.h"

#include "editor/shell/frame_timers.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"

#include "editor/syntax/html_export.h"
#include "editor/syntax/syntax_template.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/clipboard.h"
#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"
#include "winui/splitter.h"

#include <cstdio>
#include <fstream>
#include <iterator>

static const char settings_section[] = "DefaultSettings";

namespace {

// Every document's views take a change (hint 0 syntax colouring, 1 font,
// 2 line numbers, 8 colours, 16 line wrapping).
void update_all_documents(COvantaApp* app, LPARAM hint)
{
    for (COvantaDoc* doc : app->Documents())
        doc->UpdateAllViews(nullptr, hint);
}

// A file's bytes as the editor holds text: every line break one CR, no
// bytes the editor reserves for itself.
std::string editor_text(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    char prev = 0;
    for (char ch : bytes) {
        if (ch == '\n') {
            if (prev != '\r')
                out.push_back('\r');
        } else if (ch != 0 && ch != 1 && ch != 2) {
            out.push_back(ch);
        }
        prev = ch;
    }
    return out;
}

struct TextOperation {
    UINT message;     // the frame's message (posted by the Operations dialog)
    UINT command;     // the keyboard-mapping command of the same operation
    UINT viewMessage; // what the view carries out
    const char* name;
};

const TextOperation text_operations[] = {
    {WM_OP_DELETE_TRAILING, ID_OP_TRAILING_CMD, WM_DELETE_TRAILING, "Delete all spaces at line end"},
    {WM_OP_DELETE_LEADING, ID_OP_LEADING_CMD, WM_DELETE_LEADING, "Delete all spaces at line start"},
    {WM_OP_ALIGN_C, ID_OP_ALIGN_C_CMD, WM_REFORMAT_C, "Align C-syntax"},
    {WM_OP_DELETE_EMPTY_LINES, ID_OP_EMPTY_LINES_CMD, WM_DELETE_EMPTY_LINES, "Delete all empty lines in the selected range"},
};

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

bool CMainFrame::ViewWritable()
{
    COvantaView* view = ActiveOvantaView();
    return ViewUsable() && view && !view->Editor().IsReadOnlyText();
}

static bool has_selection(CNColorEditCtrl* editor)
{
    if (!editor)
        return false;
    int start, end;
    editor->GetSel(start, end);
    return start != end;
}

void CMainFrame::OnUpdateViewCommand(winui::CCmdUI* ui)
{
    ui->Enable(ViewUsable());
}

void CMainFrame::OnUpdateEditUndo(winui::CCmdUI* ui)
{
    CNColorEditCtrl* editor = ActiveEditor();
    ui->Enable(ViewUsable() && editor && editor->Core().State().undo &&
               editor->Core().State().undo->Size() > 0);
}

void CMainFrame::OnUpdateEditCut(winui::CCmdUI* ui)
{
    ui->Enable(ViewWritable() && has_selection(ActiveEditor()));
}

void CMainFrame::OnUpdateEditCopy(winui::CCmdUI* ui)
{
    ui->Enable(ViewUsable() && has_selection(ActiveEditor()));
}

void CMainFrame::OnUpdateEditPaste(winui::CCmdUI* ui)
{
    ui->Enable(ViewWritable() && clipboard_has_text());
}

// --- clipboard ----------------------------------------------------------------------

void CMainFrame::OnCopyAppend()
{
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->Copy(1);
}

void CMainFrame::OnPasteBlock()
{
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->Paste(1);
}

void CMainFrame::OnPasteBlockMove()
{
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->Paste(2);
}

void CMainFrame::OnInsertInNewFile()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    app->OnFileNew();
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->Paste(0);
}

void CMainFrame::OnEmptyClipboard()
{
    winui::CClipboard clip(m_hWnd);
    clip.Empty();
}

void CMainFrame::OnUpdateEmptyClipboard(winui::CCmdUI* ui)
{
    ui->Enable(clipboard_has_text());
}

// --- editor commands ------------------------------------------------------------------

void CMainFrame::OnDeleteToLineEnd()
{
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->DeleteToLineEnd();
}

void CMainFrame::OnSetComment()
{
    if (CNColorEditCtrl* editor = ActiveEditor())
        editor->SetCComment();
}

void CMainFrame::OnInsertFile()
{
    COvantaApp* app = COvantaApp::Get();
    COvantaView* view = ActiveOvantaView();
    if (!app || !view || !app->m_pDocManager || view->Editor().IsReadOnlyText())
        return;
    std::string path;
    if (!app->m_pDocManager->DoPromptFileName(path, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                                              nullptr))
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string text = "Cannot open file " + path;
        winui::ShowMessageBox(m_hWnd, text.c_str(), "Ovanta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CNColorEditCtrl& editor = view->Editor();
    int start, end;
    editor.GetSel(start, end);
    editor.SetSel(start, start, false, false);
    std::string text = editor_text(bytes);
    if (!text.empty())
        editor.ReplaceSel(text.c_str(), true);
    ::RedrawWindow(editor.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    view->NotifyCaret();
}

void CMainFrame::OnUpdateWritableCommand(winui::CCmdUI* ui)
{
    ui->Enable(ViewWritable());
}

void CMainFrame::OnExportHtml()
{
    COvantaApp* app = COvantaApp::Get();
    COvantaView* view = ActiveOvantaView();
    if (!app || !view)
        return;
    COvantaDoc* doc = view->GetOvantaDoc();
    std::string name = doc ? doc->GetPathName() : std::string();
    size_t slash = name.find_last_of("\\/");
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.resize(dot);
    winui::CFileDialog dlg(false, "htm", name.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "HTML documents (*.htm)|*.htm|HTML documents  (*.html)|*.html||", m_hWnd);
    dlg.SetTitle("Export as HTML-file");
    if (!app->m_strLastDir.empty())
        dlg.SetInitialDir(app->m_strLastDir);
    if (dlg.DoModal() != IDOK)
        return;
    CNColorEditCtrl& editor = view->Editor();
    std::string face;
    LOGFONTA lf;
    if (editor.GetEditFont() && editor.GetEditFont()->GetLogFont(&lf))
        face = lf.lfFaceName;
    SyntaxTemplatePtr tmpl = editor.GetSyntaxTemplate();
    std::string why;
    if (!ExportHtml(editor.Core(), tmpl.get(), dlg.GetPathName(), app->m_settings.showLineNo != 0, face, &why)) {
        std::string text = "Cannot write " + dlg.GetPathName();
        if (!why.empty())
            text += "\n" + why;
        winui::ShowMessageBox(m_hWnd, text.c_str(), "Ovanta", MB_OK | MB_ICONEXCLAMATION);
    }
    // Colouring for the export leaves the editor's own colours as they were.
    editor.InvalidateText(1);
}

// --- text operations -----------------------------------------------------------------------

void CMainFrame::OnOperations()
{
    if (!ActiveOvantaView())
        return;
    COperationsDlg dlg(m_hWnd);
    dlg.DoModal();
}

void CMainFrame::OnUpdateOperations(winui::CCmdUI* ui)
{
    CNColorEditCtrl* editor = ActiveEditor();
    ui->Enable(ViewWritable() && editor && editor->GetLineCount() >= 1);
}

LRESULT CMainFrame::RunTextOperation(UINT message)
{
    COvantaView* view = ActiveOvantaView();
    if (!view)
        return 0;
    for (const TextOperation& op : text_operations) {
        if (op.message != message)
            continue;
        m_wndStatusBar.SetProgressMode(0);
        if (winui::ShowMessageBox(m_hWnd, "This action cannot be undone!", op.name,
                                  MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
            ::SendMessageA(view->m_hWnd, op.viewMessage, 0, 0);
        m_wndStatusBar.SetProgressMode(1);
        break;
    }
    return 0;
}

LRESULT CMainFrame::OnDeleteTrailingMessage(WPARAM, LPARAM)
{
    return RunTextOperation(WM_OP_DELETE_TRAILING);
}

LRESULT CMainFrame::OnDeleteLeadingMessage(WPARAM, LPARAM)
{
    return RunTextOperation(WM_OP_DELETE_LEADING);
}

LRESULT CMainFrame::OnAlignCMessage(WPARAM, LPARAM)
{
    return RunTextOperation(WM_OP_ALIGN_C);
}

LRESULT CMainFrame::OnDeleteEmptyLinesMessage(WPARAM, LPARAM)
{
    return RunTextOperation(WM_OP_DELETE_EMPTY_LINES);
}

void CMainFrame::OnTextOperationCommand(UINT id)
{
    for (const TextOperation& op : text_operations)
        if (op.command == id)
            RunTextOperation(op.message);
}

LRESULT CMainFrame::OnHtmlReferenceMessage(WPARAM, LPARAM)
{
    OnProjectReference();
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
    update_all_documents(app, 0);
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
    update_all_documents(app, 2);
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

void CMainFrame::OnSaveUnix()
{
    COvantaView* view = ActiveOvantaView();
    COvantaDoc* doc = view ? view->GetOvantaDoc() : nullptr;
    if (!doc)
        return;
    doc->m_state.unixFormat = doc->m_state.unixFormat ? 0 : 1;
    doc->SetModifiedFlag(TRUE);
    view->NotifyCaret();
}

void CMainFrame::OnUpdateSaveUnix(winui::CCmdUI* ui)
{
    COvantaView* view = ActiveOvantaView();
    COvantaDoc* doc = view ? view->GetOvantaDoc() : nullptr;
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc && doc->m_state.unixFormat ? 1 : 0);
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

void CMainFrame::OnUpdateFileSave(winui::CCmdUI* ui)
{
    // The document saves; not while the print preview is shown.
    ui->Enable(ViewUsable());
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
                update_all_documents(app, 1);
            if (old)
                ::DeleteObject(old);
        }
    }
    // Also after Cancel the settings are saved and the views refresh.
    if (app) {
        SaveSettings();
        update_all_documents(app, 1);
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
        update_all_documents(app, 16);
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
