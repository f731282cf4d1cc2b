#include "editor/shell/ovanta_editor_shell.h"

#include "editor/shell/bookmark_index.h"
#include "editor/shell/editor_search_host.h"
#include "editor/shell/editorstatusbar.h"
#include "editor/shell/frame_links.h"
#include "editor/shell/frame_window.h"
#include "editor/shell/macro_recorder.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/position_tracker.h"
#include "editor/shell/settings_profile.h"
#include "editor/shell/status_sink.h"
#include "editor/shell/symbol_source.h"
#include "editor/shell/text_macro_host.h"

#include "editor/shell/input_line_dlg.h"
#include "editor/tools/output_bar.h"

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
    IFrameWindow* frame = OvantaFrame().window;
    return frame ? frame->FrameWindow() : nullptr;
}

int COvantaEditorShell::LookupSymbols(const std::string& name, CSymbolHitLists& hits)
{
    ISymbolSource* symbols = OvantaFrame().symbols;
    return symbols ? symbols->LookupSymbols(name, hits) : 0;
}

bool COvantaEditorShell::AutoBrowserEnabled()
{
    ISymbolSource* symbols = OvantaFrame().symbols;
    return symbols && symbols->AutoBrowserEnabled();
}

int COvantaEditorShell::PrepareSearch(const std::string& word)
{
    IEditorSearchHost* search = OvantaFrame().search;
    return search ? search->PrepareEditorSearch(word) : 0;
}

void COvantaEditorShell::PostSearch()
{
    if (IEditorSearchHost* search = OvantaFrame().search)
        search->PostEditorSearch();
}

void COvantaEditorShell::SetStatusText(int pane, const std::string& text)
{
    const FrameLinks& frame = OvantaFrame();
    if (!frame.status || !frame.window)
        return;
    // The read-only pane is drawn by the bar itself and shows the active
    // editor, whichever editor repainted.
    if (pane == CEditorStatusBar::kReadOnlyPane) {
        if (COvantaView* view = frame.window->ActiveOvantaView())
            frame.status->SetReadOnlyPane(view->Editor().IsReadOnlyText());
    } else
        frame.status->SetPaneText(pane, text.c_str());
}

void COvantaEditorShell::SetProgress(int percent)
{
    if (IStatusSink* status = OvantaFrame().status)
        status->SetProgressPos(percent);
}

void COvantaEditorShell::ShowCaretPosition(int line, int column, int)
{
    const FrameLinks& frame = OvantaFrame();
    if (!frame.status || !frame.window)
        return;
    // The active view knows the size of its text; without one the caret
    // alone is shown.
    if (COvantaView* view = frame.window->ActiveOvantaView())
        view->NotifyCaret();
    else
        frame.status->UpdateStatusBar(line, column, 0);
}

void COvantaEditorShell::EditorRefreshed(CNColorEditCtrl& editor)
{
    if (IStatusSink* status = OvantaFrame().status)
        status->ShowModifiedState(editor.GetModify());
}

std::string COvantaEditorShell::DocumentTitle(CNColorEditCtrl& editor)
{
    COvantaView* view = ViewOf(editor);
    return view && view->GetDocument() ? view->GetDocument()->GetTitle() : std::string();
}

void COvantaEditorShell::ShowProperties(CNColorEditCtrl& editor)
{
    COvantaView* view = ViewOf(editor);
    IFrameWindow* frame = OvantaFrame().window;
    if (view && frame)
        frame->ShowFileProperties(view->GetOvantaDoc());
}

void COvantaEditorShell::DirectoryChanged(const std::string& dir)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    OvantaOptions().lastDir = dir;
    for (COvantaDoc* doc : app->Documents())
        app->UpdateDocumentTitles(doc);
}

std::string COvantaEditorShell::WorkspacePath()
{
    COvantaApp* app = COvantaApp::Get();
    return app ? app->WorkspacePath() : std::string();
}

void COvantaEditorShell::RecordMacroEvent(intptr_t value, int extra, uint32_t kind)
{
    ::RecordMacroEvent(static_cast<uintptr_t>(value), extra, kind);
}

int COvantaEditorShell::TextMacroCount()
{
    ITextMacroHost* macros = OvantaFrame().textMacros;
    return macros ? static_cast<int>(macros->TextMacros().size()) : 0;
}

bool COvantaEditorShell::GetTextMacro(int index, std::string& name, std::string& text)
{
    ITextMacroHost* macros = OvantaFrame().textMacros;
    if (!macros || index < 0 || index >= static_cast<int>(macros->TextMacros().size()))
        return false;
    const TextMacro& macro = macros->TextMacros()[static_cast<size_t>(index)];
    name = macro.name;
    text = macro.text;
    return true;
}

void COvantaEditorShell::ReloadTextMacros(CNColorEditCtrl& editor)
{
    if (ITextMacroHost* macros = OvantaFrame().textMacros) {
        macros->LoadTextMacros();
        macros->ActualizeMacros(editor);
    }
}

bool COvantaEditorShell::HasBookmark(CNColorEditCtrl& editor, int line)
{
    IBookmarkIndex* bookmarks = OvantaFrame().bookmarks;
    return bookmarks && bookmarks->HasBookmark(editor, line);
}

void COvantaEditorShell::AddBookmark(CNColorEditCtrl& editor, int line, const std::string& name)
{
    if (IBookmarkIndex* bookmarks = OvantaFrame().bookmarks)
        bookmarks->AddBookmarkAt(editor, line, name);
}

void COvantaEditorShell::RemoveBookmark(CNColorEditCtrl& editor, int line)
{
    if (IBookmarkIndex* bookmarks = OvantaFrame().bookmarks)
        bookmarks->RemoveBookmarkAt(editor, line);
}

void COvantaEditorShell::RefreshBookmarks(CNColorEditCtrl&)
{
    if (IBookmarkIndex* bookmarks = OvantaFrame().bookmarks)
        bookmarks->RefreshBookmarkButtons();
}

bool COvantaEditorShell::TracksPositions(CNColorEditCtrl& editor)
{
    return ViewOf(editor) != nullptr;
}

void COvantaEditorShell::SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset)
{
    if (IPositionTracker* positions = OvantaFrame().positions)
        positions->SetPendingPosition(editor, topLine, caretLine, offset);
}

void COvantaEditorShell::EditorActivated(CNColorEditCtrl& editor)
{
    if (IPositionTracker* positions = OvantaFrame().positions)
        positions->EditorActivated(editor);
}

LRESULT COvantaEditorShell::GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol)
{
    IPositionTracker* positions = OvantaFrame().positions;
    return positions ? positions->GoToDefinition(from, symbol) : 0;
}

bool COvantaEditorShell::OutputBarVisible()
{
    IFrameWindow* frame = OvantaFrame().window;
    return frame && frame->OutputBar() && frame->OutputBar()->IsVisible();
}

void COvantaEditorShell::ShowAndClearPane(int pane)
{
    IFrameWindow* frame = OvantaFrame().window;
    if (!frame || !frame->OutputBar())
        return;
    frame->OutputBar()->ShowPane(pane);
    frame->OutputBar()->Pane(pane).SetPaneText("");
}

void COvantaEditorShell::AppendPaneLine(int pane, const std::string& line)
{
    IFrameWindow* frame = OvantaFrame().window;
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
    return OvantaOptions().saveLineWrap != 0;
}

bool COvantaEditorShell::AskLine(const std::string& caption, const std::string& label, std::string& text,
                                 int& keys)
{
    IFrameWindow* frame = OvantaFrame().window;
    CInputLineDlg dlg(frame ? frame->FrameWindow() : nullptr, caption, label, text);
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strText;
    keys = dlg.m_nKeys;
    return true;
}
