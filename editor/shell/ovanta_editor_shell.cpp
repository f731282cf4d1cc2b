#include "editor/shell/ovanta_editor_shell.h"

#include "editor/shell/mainfrm.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"

#include "editor/shell/input_line_dlg.h"
#include "editor/tools/output_bar.h"

static CMainFrame* main_frame()
{
    COvantaApp* app = COvantaApp::Get();
    return app ? app->MainFrame() : nullptr;
}

COvantaView* COvantaEditorShell::ViewOf(CNColorEditCtrl& editor)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return nullptr;
    for (COvantaDoc* doc : app->Documents())
        for (winui::CView* view : doc->GetViews())
            if (auto* ovantaView = dynamic_cast<COvantaView*>(view);
                ovantaView && &ovantaView->Editor() == &editor)
                return ovantaView;
    return nullptr;
}

HWND COvantaEditorShell::MainFrame()
{
    CMainFrame* frame = main_frame();
    return frame ? frame->m_hWnd : nullptr;
}

int COvantaEditorShell::PrepareSearch(const std::string& word)
{
    CMainFrame* frame = main_frame();
    return frame ? frame->PrepareEditorSearch(word) : 0;
}

void COvantaEditorShell::PostSearch()
{
    if (CMainFrame* frame = main_frame())
        frame->PostEditorSearch();
}

void COvantaEditorShell::SetStatusText(int pane, const std::string& text)
{
    CMainFrame* frame = main_frame();
    if (!frame || !frame->m_wndStatusBar.m_hWnd)
        return;
    // The read-only pane is drawn by the bar itself and shows the active
    // editor, whichever editor repainted.
    if (pane == CEditorStatusBar::kReadOnlyPane) {
        if (COvantaView* view = frame->ActiveOvantaView())
            frame->SetReadOnlyPane(view->Editor().IsReadOnlyText());
    } else
        frame->m_wndStatusBar.SetPaneText(pane, text.c_str());
}

void COvantaEditorShell::SetProgress(int percent)
{
    CMainFrame* frame = main_frame();
    if (frame && frame->m_wndStatusBar.m_hWnd)
        frame->m_wndStatusBar.SetProgressPos(percent);
}

void COvantaEditorShell::ShowCaretPosition(int line, int column, int)
{
    CMainFrame* frame = main_frame();
    if (!frame)
        return;
    // The active view knows the size of its text; without one the caret
    // alone is shown.
    if (COvantaView* view = frame->ActiveOvantaView())
        view->NotifyCaret();
    else
        frame->UpdateStatusBar(line, column, 0);
}

void COvantaEditorShell::EditorRefreshed(CNColorEditCtrl& editor)
{
    if (CMainFrame* frame = main_frame())
        frame->ShowModifiedState(editor.GetModify());
}

std::string COvantaEditorShell::DocumentTitle(CNColorEditCtrl& editor)
{
    COvantaView* view = ViewOf(editor);
    return view && view->GetDocument() ? view->GetDocument()->GetTitle() : std::string();
}

void COvantaEditorShell::ShowProperties(CNColorEditCtrl& editor)
{
    COvantaView* view = ViewOf(editor);
    CMainFrame* frame = main_frame();
    if (view && frame)
        frame->ShowFileProperties(view->GetOvantaDoc());
}

void COvantaEditorShell::DirectoryChanged(const std::string& dir)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    app->m_strLastDir = dir;
    for (COvantaDoc* doc : app->Documents())
        app->UpdateDocumentTitles(doc);
}

std::string COvantaEditorShell::WorkspacePath()
{
    COvantaApp* app = COvantaApp::Get();
    return app ? app->m_strWorkspacePath : std::string();
}

void COvantaEditorShell::RecordMacroEvent(intptr_t value, int extra, uint32_t kind)
{
    ::RecordMacroEvent(static_cast<uintptr_t>(value), extra, kind);
}

int COvantaEditorShell::TextMacroCount()
{
    CMainFrame* frame = main_frame();
    return frame ? static_cast<int>(frame->m_textMacros.size()) : 0;
}

bool COvantaEditorShell::GetTextMacro(int index, std::string& name, std::string& text)
{
    CMainFrame* frame = main_frame();
    if (!frame || index < 0 || index >= static_cast<int>(frame->m_textMacros.size()))
        return false;
    name = frame->m_textMacros[static_cast<size_t>(index)].name;
    text = frame->m_textMacros[static_cast<size_t>(index)].text;
    return true;
}

void COvantaEditorShell::ReloadTextMacros(CNColorEditCtrl& editor)
{
    if (CMainFrame* frame = main_frame()) {
        frame->LoadTextMacros();
        frame->ActualizeMacros(editor);
    }
}

bool COvantaEditorShell::HasBookmark(CNColorEditCtrl& editor, int line)
{
    CMainFrame* frame = main_frame();
    return frame && frame->m_wndBookmarkBar.HasBookmark(&editor, line);
}

void COvantaEditorShell::AddBookmark(CNColorEditCtrl& editor, int line, const std::string& name)
{
    if (CMainFrame* frame = main_frame())
        frame->AddBookmarkAt(editor, line, name);
}

void COvantaEditorShell::RemoveBookmark(CNColorEditCtrl& editor, int line)
{
    if (CMainFrame* frame = main_frame())
        frame->RemoveBookmarkAt(editor, line);
}

void COvantaEditorShell::RefreshBookmarks(CNColorEditCtrl&)
{
    if (CMainFrame* frame = main_frame())
        frame->m_wndBookmarkBar.UpdateButtonStates();
}

bool COvantaEditorShell::TracksPositions(CNColorEditCtrl& editor)
{
    return ViewOf(editor) != nullptr;
}

void COvantaEditorShell::SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset)
{
    if (CMainFrame* frame = main_frame())
        frame->SetPendingPosition(editor, topLine, caretLine, offset);
}

void COvantaEditorShell::EditorActivated(CNColorEditCtrl& editor)
{
    if (CMainFrame* frame = main_frame())
        frame->EditorActivated(editor);
}

LRESULT COvantaEditorShell::GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol)
{
    CMainFrame* frame = main_frame();
    return frame ? frame->GoToDefinition(from, symbol) : 0;
}

bool COvantaEditorShell::OutputBarVisible()
{
    CMainFrame* frame = main_frame();
    return frame && frame->OutputBar() && frame->OutputBar()->IsVisible();
}

void COvantaEditorShell::ShowAndClearPane(int pane)
{
    CMainFrame* frame = main_frame();
    if (!frame || !frame->OutputBar())
        return;
    frame->OutputBar()->ShowPane(pane);
    frame->OutputBar()->Pane(pane).SetPaneText("");
}

void COvantaEditorShell::AppendPaneLine(int pane, const std::string& line)
{
    CMainFrame* frame = main_frame();
    if (!frame || !frame->OutputBar())
        return;
    COutputEdit& edit = frame->OutputBar()->Pane(pane);
    // The first line fills the emptied pane, without a blank line above.
    if (edit.GetTextLength() == 0)
        edit.SetPaneText(line.substr(0, kAppendLineCut).c_str());
    else
        edit.AppendLine(line);
    edit.InvalidateText(1);
}

bool COvantaEditorShell::SaveLineWrap()
{
    COvantaApp* app = COvantaApp::Get();
    return app && app->m_settings.saveLineWrap != 0;
}

bool COvantaEditorShell::AskLine(const std::string& caption, const std::string& label, std::string& text,
                                 int& keys)
{
    CMainFrame* frame = main_frame();
    CInputLineDlg dlg(frame ? frame->m_hWnd : nullptr, caption, label, text);
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strText;
    keys = dlg.m_nKeys;
    return true;
}
