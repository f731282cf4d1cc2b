// The main frame's document tab bar, stay-on-top button and position
// history: tabs follow the documents, the caption button switches the
// frame between topmost and normal stacking, and the back and forward
// commands return to the places visited in the editors.
#include "editor/shell/navigation_controller.h"

#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"

#include "editor/syntax/window/ncoloreditctrl.h"

#include "winui/cmdui.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CNavigationController, winui::CCmdTarget)
    ON_COMMAND(ID_FILE_BAR, &CNavigationController::OnFileBar)
    ON_UPDATE_COMMAND_UI(ID_FILE_BAR, &CNavigationController::OnUpdateFileBar)
    ON_COMMAND(ID_NEXT_DOCUMENT, &CNavigationController::OnNextDocument)
    ON_UPDATE_COMMAND_UI(ID_NEXT_DOCUMENT, &CNavigationController::OnUpdateNextDocument)
    ON_COMMAND(ID_PREVIOUS_DOCUMENT, &CNavigationController::OnPreviousDocument)
    ON_UPDATE_COMMAND_UI(ID_PREVIOUS_DOCUMENT, &CNavigationController::OnUpdatePreviousDocument)
    ON_MESSAGE(WM_NCPAINT, &CNavigationController::OnNcPaintMsg)
    ON_MESSAGE(WM_MOVE, &CNavigationController::OnMoveMsg)
END_MESSAGE_MAP()

static bool merges_repeats(HWND window)
{
    return dynamic_cast<CNColorEditCtrl*>(winui::CWnd::FromHandle(window)) != nullptr;
}

void CNavigationController::CreateBars()
{
    history_.SetMergesRepeats(&merges_repeats);
    toggleButton_.Create(frame_.m_hWnd);
    if (tabBar_.Create(&frame_, FALSE)) {
        tabBar_.m_dwStyle |= winui::CBRS_TOOLTIPS | winui::CBRS_FLYBY | winui::CBRS_SIZE_DYNAMIC;
        ::ShowWindow(tabBar_.m_hWnd, SW_HIDE);
        tabBar_.EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    }
}

void CNavigationController::DockBars()
{
    if (tabBar_.m_hWnd) {
        frame_.DockControlBar(&tabBar_, winui::AFX_IDW_DOCKBAR_TOP);
        frame_.ShowControlBar(&tabBar_, FALSE, FALSE);
    }
    history_.SetEnabled(true);
}

// --- document tabs -------------------------------------------------------------

void CNavigationController::DocumentOpened(COvantaDoc* doc)
{
    if (!tabBar_.m_hWnd || !doc)
        return;
    tabBar_.AddTab(doc, doc->GetPathName().empty() ? doc->GetTitle().c_str() : nullptr);
    if (!(OvantaOptions().fileBar & 0x10) && !tabBar_.IsVisible())
        frame_.ShowControlBar(&tabBar_, TRUE, FALSE);
    tabBar_.LayoutTabs();
}

void CNavigationController::DocumentRenamed(COvantaDoc* doc)
{
    if (tabBar_.m_hWnd && doc)
        tabBar_.RenameTab(doc, doc->GetPathName().empty() ? doc->GetTitle().c_str() : nullptr);
}

void CNavigationController::DocumentActivated(COvantaDoc* doc)
{
    if (!doc)
        return;
    if (tabBar_.m_hWnd) {
        // An untitled document gets its name once its view is up.
        if (doc->GetPathName().empty())
            tabBar_.RenameTab(doc, doc->GetTitle().c_str());
        tabBar_.SelectTab(doc);
    }
}

void CNavigationController::OnFileBar()
{
    if (!tabBar_.m_hWnd) {
        if (!tabBar_.Create(&frame_, TRUE))
            return;
        tabBar_.EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
        frame_.DockControlBar(&tabBar_, winui::AFX_IDW_DOCKBAR_TOP);
    } else {
        frame_.ShowControlBar(&tabBar_, !tabBar_.IsVisible(), FALSE);
    }
    // The user's choice is held with the bar's side, and written at once.
    const int fileBar = OvantaOptions().fileBar;
    WriteOption(&SettingsValues::fileBar, (fileBar & 7) | (tabBar_.IsVisible() ? 0 : 0x10));
    tabBar_.LayoutTabs();
}

void CNavigationController::OnUpdateFileBar(winui::CCmdUI* ui)
{
    ui->SetCheck(tabBar_.IsVisible() ? 1 : 0);
}

void CNavigationController::DocumentClosing(COvantaDoc* doc)
{
    if (tabBar_.m_hWnd)
        tabBar_.RemoveTab(doc);
    ResetPositions();
}

void CNavigationController::LastDocumentClosed()
{
    if (tabBar_.IsVisible())
        frame_.ShowControlBar(&tabBar_, FALSE, FALSE);
}

void CNavigationController::RedrawTabs()
{
    if (tabBar_.m_hWnd)
        tabBar_.RedrawTabs();
}

// --- stay-on-top button ---------------------------------------------------------

LRESULT CNavigationController::OnNcPaintMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = host_.DefaultFrameProc(WM_NCPAINT, wParam, lParam);
    toggleButton_.Reposition();
    return r;
}

LRESULT CNavigationController::OnMoveMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = host_.DefaultFrameProc(WM_MOVE, wParam, lParam);
    toggleButton_.Reposition();
    return r;
}

void CNavigationController::FrameSized()
{
    if (toggleButton_.m_hWnd) {
        ::EnableWindow(toggleButton_.m_hWnd, !::IsIconic(frame_.m_hWnd));
        tabBar_.LayoutTabs();
    }
}

// --- position history -------------------------------------------------------------

void CNavigationController::SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset)
{
    lastPosition_ = PositionEntry{editor.m_hWnd, topLine, caretLine, offset};
}

void CNavigationController::EditorActivated(CNColorEditCtrl& editor)
{
    if (!lastPosition_.Empty() && lastPosition_.hWnd != editor.m_hWnd)
        history_.RecordPosition(lastPosition_);
    lastPosition_ = PositionEntry{};
}

// "Go to Definition Of": the place of the word goes to the history, the
// symbol's document is shown (opened when it is not) and its caret stands
// at the start of the symbol's first line, with the focus.
COvantaDoc* CNavigationController::OpenDocument(const std::string& path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || path.empty())
        return nullptr;
    return dynamic_cast<COvantaDoc*>(app->OpenDocumentFile(path.c_str()));
}

void CNavigationController::ShowDocumentLine(COvantaDoc* doc, int line)
{
    if (!doc)
        return;
    // The pane the user works in, of a split window too.
    COvantaView* view = nullptr;
    for (winui::CView* v : doc->GetViews()) {
        winui::CFrameWnd* frame = v->GetParentFrame();
        if (frame && frame->GetActiveView() == v) {
            view = dynamic_cast<COvantaView*>(v);
            break;
        }
    }
    if (!view)
        view = doc->FirstView();
    if (!view)
        return;
    if (winui::CFrameWnd* child = view->GetParentFrame()) {
        frame_.MDIActivate(child->m_hWnd);
        if (::IsIconic(child->m_hWnd))
            ::ShowWindow(child->m_hWnd, SW_RESTORE);
    }
    // Going to the line takes the keyboard and shows the caret's place.
    if (line > 0) {
        ::SendMessageA(view->m_hWnd, WM_GOTO_LINE, static_cast<WPARAM>(line), 0);
        return;
    }
    ::SetFocus(view->Editor().m_hWnd);
    view->NotifyCaret();
}

LRESULT CNavigationController::GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return 0;
    int selStart = 0, selEnd = 0;
    from.GetSel(selStart, selEnd);
    const int offset = from.WordOffset() >= 0 ? from.WordOffset() : selStart;
    const PositionEntry here{from.m_hWnd, from.GetTopLine(), from.Core().LineFromOffset(offset), offset};

    COvantaDoc* target = nullptr;
    for (COvantaDoc* doc : app->Documents()) {
        const std::string& path = doc->GetPathName();
        if (doc == symbol.document ||
            (symbol.file && !path.empty() && _stricmp(path.c_str(), symbol.file->c_str()) == 0)) {
            target = doc;
            break;
        }
    }
    BOOL maximized = FALSE;
    frame_.MDIGetActive(&maximized);
    if (!target) {
        if (!symbol.file || symbol.file->empty())
            return 0;
        target = dynamic_cast<COvantaDoc*>(app->OpenDocumentFile(symbol.file->c_str()));
    }
    COvantaView* view = target ? target->FirstView() : nullptr;
    if (!view)
        return 0;
    history_.RecordPosition(here);
    // The focus change below would record the word's place a second time.
    history_.SetEnabled(false);
    if (winui::CFrameWnd* child = view->GetParentFrame()) {
        frame_.MDIActivate(child->m_hWnd);
        if (maximized)
            frame_.MDIMaximize(child->m_hWnd);
        else if (::IsIconic(child->m_hWnd))
            ::ShowWindow(child->m_hWnd, SW_SHOWNORMAL);
    }
    ::SendMessageA(view->m_hWnd, WM_GOTO_LINE, static_cast<WPARAM>(symbol.firstLine + 1), 0);
    ::SetFocus(view->Editor().m_hWnd);
    view->NotifyCaret();
    lastPosition_ = PositionEntry{};
    history_.SetEnabled(true);
    return 0;
}

void CNavigationController::ResetPositions()
{
    history_.Reset();
    lastPosition_ = PositionEntry{};
}

// Shows the entry: its document window activated, its top line, the caret
// at its offset. False when its window is gone.
bool CNavigationController::GoToPosition(const PositionEntry& entry)
{
    if (entry.Empty() || !::IsWindow(entry.hWnd))
        return false;
    auto* editor = dynamic_cast<CNColorEditCtrl*>(winui::CWnd::FromHandle(entry.hWnd));
    COvantaView* view = editor ? COvantaEditorShell::ViewOf(*editor) : nullptr;
    winui::CFrameWnd* child = view ? view->GetParentFrame() : nullptr;
    if (!child)
        return false;
    history_.SetEnabled(false);
    frame_.MDIActivate(child->m_hWnd);
    if (::IsIconic(child->m_hWnd))
        ::SendMessageA(frame_.m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    ::SetFocus(editor->m_hWnd);
    CColorEditCore& core = editor->Core();
    core.SetTopLine(std::min(entry.nTopLine, std::max(core.GetLineCount() - 1, 0)));
    const int offset = std::min(std::max(entry.nCaretOffset, 0), core.GetTextLength());
    editor->SetSel(offset, offset, false, true);
    view->NotifyCaret();
    view->DrawLineNumbers(nullptr);
    editor->UpdateVScrollBar(1);
    editor->InvalidateText(1);
    lastPosition_ = PositionEntry{};
    history_.SetEnabled(true);
    return true;
}

void CNavigationController::OnPreviousDocument()
{
    COvantaView* view = host_.ActiveOvantaView();
    if (history_.IsAtNewest() && view) {
        // Standing after the newest entry: where the user is now is kept,
        // so that forward comes back to it, and back goes one further.
        COvantaEditCtrl& editor = view->Editor();
        int selStart = 0, selEnd = 0;
        editor.GetSel(selStart, selEnd);
        PositionEntry here{editor.m_hWnd, editor.GetTopLine(), editor.GetCaretLine(), selStart};
        if (history_.RecordPosition(here) >= 0) {
            PositionEntry skipped;
            history_.GoBack(skipped);
        }
    }
    PositionEntry entry;
    if (history_.GoBack(entry))
        GoToPosition(entry);
}

void CNavigationController::OnNextDocument()
{
    PositionEntry entry;
    if (history_.GoForward(entry))
        GoToPosition(entry);
}

void CNavigationController::OnUpdatePreviousDocument(winui::CCmdUI* ui)
{
    ui->Enable(!history_.IsEmpty());
}

void CNavigationController::OnUpdateNextDocument(winui::CCmdUI* ui)
{
    COvantaApp* app = COvantaApp::Get();
    ui->Enable(host_.ActiveOvantaView() != nullptr && !(app && app->Printing().inPreview) && !history_.IsNextEmpty());
}
