#include "editor/shell/view_text_commands.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs.h"
#include "editor/shell/settings_dialogs_res.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/status_sink.h"

#include "editor/syntax/html_export.h"
#include "editor/syntax/syntax_template.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/cmdui.h"
#include "winui/commdlg.h"
#include "winui/msgbox.h"

#include <fstream>
#include <iterator>
#include <string>

BEGIN_MESSAGE_MAP(CViewTextCommands, winui::CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CViewTextCommands::OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CViewTextCommands::OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CViewTextCommands::OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CViewTextCommands::OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CViewTextCommands::OnUpdateUsable)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_CMD, &CViewTextCommands::OnUpdateUsable)
    ON_COMMAND(ID_COPY_APPEND, &CViewTextCommands::OnCopyAppend)
    ON_COMMAND(ID_PASTE_BLOCK, &CViewTextCommands::OnPasteBlock)
    ON_COMMAND(ID_PASTE_BLOCK_MOVE, &CViewTextCommands::OnPasteBlockMove)
    ON_COMMAND(ID_INSERT_IN_NEW_FILE, &CViewTextCommands::OnInsertInNewFile)
    ON_UPDATE_COMMAND_UI(ID_INSERT_IN_NEW_FILE, &CViewTextCommands::OnUpdateEditPaste)
    ON_COMMAND(ID_DELETE_TO_LINE_END, &CViewTextCommands::OnDeleteToLineEnd)
    ON_COMMAND(ID_SET_COMMENT, &CViewTextCommands::OnSetComment)
    ON_COMMAND(ID_INSERT_FILE, &CViewTextCommands::OnInsertFile)
    ON_UPDATE_COMMAND_UI(ID_INSERT_FILE, &CViewTextCommands::OnUpdateWritable)
    ON_COMMAND(ID_EXPORT_HTML, &CViewTextCommands::OnExportHtml)
    ON_UPDATE_COMMAND_UI(ID_EXPORT_HTML, &CViewTextCommands::OnUpdateUsable)
    ON_COMMAND(ID_OPERATIONS, &CViewTextCommands::OnOperations)
    ON_UPDATE_COMMAND_UI(ID_OPERATIONS, &CViewTextCommands::OnUpdateOperations)
    ON_COMMAND_RANGE(ID_OP_ALIGN_C_CMD, ID_OP_EMPTY_LINES_CMD, &CViewTextCommands::OnTextOperationCommand)
    ON_COMMAND(ID_SAVE_UNIX, &CViewTextCommands::OnSaveUnix)
    ON_UPDATE_COMMAND_UI(ID_SAVE_UNIX, &CViewTextCommands::OnUpdateSaveUnix)
END_MESSAGE_MAP()

namespace {

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
    {WM_OP_DELETE_EMPTY_LINES, ID_OP_EMPTY_LINES_CMD, WM_DELETE_EMPTY_LINES,
     "Delete all empty lines in the selected range"},
};

bool clipboard_has_text()
{
    return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

bool has_selection(CNColorEditCtrl& editor)
{
    int start, end;
    editor.GetSel(start, end);
    return start != end;
}

} // namespace

// --- update rules -------------------------------------------------------------------

bool CViewTextCommands::Usable() const
{
    COvantaApp* app = COvantaApp::Get();
    return !(app && app->Printing().inPreview);
}

bool CViewTextCommands::Writable() const
{
    return Usable() && !view_.Editor().IsReadOnlyText();
}

COvantaEditCtrl& CViewTextCommands::Editor()
{
    return view_.Editor();
}

// The main window owns the dialogs and boxes, as it did for the menus.
HWND CViewTextCommands::Owner() const
{
    IFrameWindow* frame = OvantaFrame().window;
    return frame ? frame->FrameWindow() : view_.m_hWnd;
}

void CViewTextCommands::OnUpdateEditUndo(winui::CCmdUI* ui)
{
    const CColorEditCore& core = Editor().Core();
    ui->Enable(Usable() && core.State().undo && core.State().undo->Size() > 0);
}

void CViewTextCommands::OnUpdateEditCut(winui::CCmdUI* ui)
{
    ui->Enable(Writable() && has_selection(Editor()));
}

void CViewTextCommands::OnUpdateEditCopy(winui::CCmdUI* ui)
{
    ui->Enable(Usable() && has_selection(Editor()));
}

void CViewTextCommands::OnUpdateEditPaste(winui::CCmdUI* ui)
{
    ui->Enable(Writable() && clipboard_has_text());
}

void CViewTextCommands::OnUpdateUsable(winui::CCmdUI* ui)
{
    ui->Enable(Usable());
}

void CViewTextCommands::OnUpdateWritable(winui::CCmdUI* ui)
{
    ui->Enable(Writable());
}

// --- clipboard ----------------------------------------------------------------------

void CViewTextCommands::OnCopyAppend()
{
    Editor().Copy(1);
}

void CViewTextCommands::OnPasteBlock()
{
    Editor().Paste(1);
}

void CViewTextCommands::OnPasteBlockMove()
{
    Editor().Paste(2);
}

void CViewTextCommands::OnInsertInNewFile()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    app->OnFileNew();
    // The new document's view is the active one now.
    if (IFrameWindow* frame = OvantaFrame().window)
        if (COvantaView* created = frame->ActiveOvantaView())
            created->Editor().Paste(0);
}

// --- editor commands ------------------------------------------------------------------

void CViewTextCommands::OnDeleteToLineEnd()
{
    Editor().DeleteToLineEnd();
}

void CViewTextCommands::OnSetComment()
{
    Editor().SetCComment();
}

void CViewTextCommands::OnInsertFile()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !app->m_pDocManager || Editor().IsReadOnlyText())
        return;
    std::string path;
    if (!app->m_pDocManager->DoPromptFileName(path, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                                              nullptr))
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string text = "Cannot open file " + path;
        winui::ShowMessageBox(Owner(), text.c_str(), "Ovanta", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CNColorEditCtrl& editor = Editor();
    int start, end;
    editor.GetSel(start, end);
    editor.SetSel(start, start, false, false);
    std::string text = editor_text(bytes);
    if (!text.empty())
        editor.ReplaceSel(text.c_str(), true);
    ::RedrawWindow(editor.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    view_.NotifyCaret();
}

void CViewTextCommands::OnExportHtml()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    COvantaDoc* doc = view_.GetOvantaDoc();
    std::string name = doc ? doc->GetPathName() : std::string();
    size_t slash = name.find_last_of("\\/");
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.resize(dot);
    winui::CFileDialog dlg(false, "htm", name.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "HTML documents (*.htm)|*.htm|HTML documents  (*.html)|*.html||", Owner());
    dlg.SetTitle("Export as HTML-file");
    if (!OvantaOptions().lastDir.empty())
        dlg.SetInitialDir(OvantaOptions().lastDir);
    if (dlg.DoModal() != IDOK)
        return;
    CNColorEditCtrl& editor = Editor();
    std::string face;
    LOGFONTA lf;
    if (editor.GetEditFont() && editor.GetEditFont()->GetLogFont(&lf))
        face = lf.lfFaceName;
    SyntaxTemplatePtr tmpl = editor.GetSyntaxTemplate();
    std::string why;
    if (!ExportHtml(editor.Core(), tmpl.get(), dlg.GetPathName(), OvantaOptions().showLineNo != 0, face, &why)) {
        std::string text = "Cannot write " + dlg.GetPathName();
        if (!why.empty())
            text += "\n" + why;
        winui::ShowMessageBox(Owner(), text.c_str(), "Ovanta", MB_OK | MB_ICONEXCLAMATION);
    }
    // Colouring for the export leaves the editor's own colours as they were.
    editor.InvalidateText(1);
}

// --- text operations -----------------------------------------------------------------------

void CViewTextCommands::OnOperations()
{
    // The dialog posts its choice to the main window, which hands it to
    // the active view (CTextOperationRelay).
    COperationsDlg dlg(Owner());
    dlg.DoModal();
}

void CViewTextCommands::OnUpdateOperations(winui::CCmdUI* ui)
{
    ui->Enable(Writable() && Editor().GetLineCount() >= 1);
}

bool CViewTextCommands::RunTextOperation(UINT message)
{
    for (const TextOperation& op : text_operations) {
        if (op.message != message)
            continue;
        IStatusSink* status = OvantaFrame().status;
        if (status)
            status->SetProgressMode(0);
        if (winui::ShowMessageBox(Owner(), "This action cannot be undone!", op.name,
                                  MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
            ::SendMessageA(view_.m_hWnd, op.viewMessage, 0, 0);
        if (status)
            status->SetProgressMode(1);
        return true;
    }
    return false;
}

void CViewTextCommands::OnTextOperationCommand(UINT id)
{
    for (const TextOperation& op : text_operations)
        if (op.command == id)
            RunTextOperation(op.message);
}

// --- view toggles --------------------------------------------------------------------------

void CViewTextCommands::OnSaveUnix()
{
    COvantaDoc* doc = view_.GetOvantaDoc();
    if (!doc)
        return;
    doc->State().unixFormat = doc->State().unixFormat ? 0 : 1;
    doc->SetModifiedFlag(TRUE);
    view_.NotifyCaret();
}

void CViewTextCommands::OnUpdateSaveUnix(winui::CCmdUI* ui)
{
    COvantaDoc* doc = view_.GetOvantaDoc();
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc && doc->State().unixFormat ? 1 : 0);
}
