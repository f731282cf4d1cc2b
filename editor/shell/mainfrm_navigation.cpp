// The main frame's document tab bar, stay-on-top button and position
// history: tabs follow the documents, the caption button switches the
// frame between topmost and normal stacking, and the back and forward
// commands return to the places visited in the editors.
#include "editor/shell/mainfrm.h"

#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/resource.h"
#include "editor/shell/settings_profile.h"

#include "winui/cmdui.h"

static bool merges_repeats(HWND window)
{
    return dynamic_cast<CNColorEditCtrl*>(winui::CWnd::FromHandle(window)) != nullptr;
}

void CMainFrame::CreateNavigationBars()
{
    m_history.m_pMergesRepeats = &merges_repeats;
    m_wndToggleButton.Create(m_hWnd);
    if (m_wndDocTabBar.Create(this, FALSE)) {
        m_wndDocTabBar.m_dwStyle |= winui::CBRS_TOOLTIPS | winui::CBRS_FLYBY | winui::CBRS_SIZE_DYNAMIC;
        ::ShowWindow(m_wndDocTabBar.m_hWnd, SW_HIDE);
        m_wndDocTabBar.EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
    }
}

void CMainFrame::DockNavigationBars()
{
    if (m_wndDocTabBar.m_hWnd) {
        DockControlBar(&m_wndDocTabBar, winui::AFX_IDW_DOCKBAR_TOP);
        ShowControlBar(&m_wndDocTabBar, FALSE, FALSE);
    }
    m_history.SetEnabled(true);
}

// --- document tabs -------------------------------------------------------------

void CMainFrame::TabsDocumentOpened(COvantaDoc* doc)
{
    if (!m_wndDocTabBar.m_hWnd || !doc)
        return;
    m_wndDocTabBar.AddTab(doc, doc->GetPathName().empty() ? doc->GetTitle().c_str() : nullptr);
    if (!(OvantaOptions().fileBar & 0x10) && !m_wndDocTabBar.IsVisible())
        ShowControlBar(&m_wndDocTabBar, TRUE, FALSE);
    m_wndDocTabBar.LayoutTabs();
}

void CMainFrame::DocumentRenamed(COvantaDoc* doc)
{
    if (m_wndDocTabBar.m_hWnd && doc)
        m_wndDocTabBar.RenameTab(doc, doc->GetPathName().empty() ? doc->GetTitle().c_str() : nullptr);
}

void CMainFrame::DocumentActivated(COvantaDoc* doc)
{
    if (!doc)
        return;
    if (m_wndDocTabBar.m_hWnd) {
        // An untitled document gets its name once its view is up.
        if (doc->GetPathName().empty())
            m_wndDocTabBar.RenameTab(doc, doc->GetTitle().c_str());
        m_wndDocTabBar.SelectTab(doc);
    }
    m_wndBookmarkBar.UpdateButtonStates();
}

void CMainFrame::OnFileBar()
{
    if (!m_wndDocTabBar.m_hWnd) {
        if (!m_wndDocTabBar.Create(this, TRUE))
            return;
        m_wndDocTabBar.EnableDocking(winui::CBRS_ALIGN_TOP | winui::CBRS_ALIGN_BOTTOM);
        DockControlBar(&m_wndDocTabBar, winui::AFX_IDW_DOCKBAR_TOP);
    } else {
        ShowControlBar(&m_wndDocTabBar, !m_wndDocTabBar.IsVisible(), FALSE);
    }
    // The user's choice is held with the bar's side, and written at once.
    int& fileBar = OvantaOptions().fileBar;
    fileBar = (fileBar & 7) | (m_wndDocTabBar.IsVisible() ? 0 : 0x10);
    if (COvantaApp* app = COvantaApp::Get())
        app->WriteSettingInt("DefaultSettings", "FileBar", fileBar);
    m_wndDocTabBar.LayoutTabs();
}

void CMainFrame::OnUpdateFileBar(winui::CCmdUI* ui)
{
    ui->SetCheck(m_wndDocTabBar.IsVisible() ? 1 : 0);
}

// --- stay-on-top button ---------------------------------------------------------

LRESULT CMainFrame::OnNcPaintMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefWindowProc(WM_NCPAINT, wParam, lParam);
    m_wndToggleButton.Reposition();
    return r;
}

LRESULT CMainFrame::OnMoveMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefWindowProc(WM_MOVE, wParam, lParam);
    m_wndToggleButton.Reposition();
    return r;
}

void CMainFrame::NavigationSized()
{
    if (m_wndToggleButton.m_hWnd) {
        ::EnableWindow(m_wndToggleButton.m_hWnd, !::IsIconic(m_hWnd));
        m_wndDocTabBar.LayoutTabs();
    }
}

// --- position history -------------------------------------------------------------

void CMainFrame::SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset)
{
    m_lastPosition = PositionEntry{editor.m_hWnd, topLine, caretLine, offset};
}

void CMainFrame::EditorActivated(CNColorEditCtrl& editor)
{
    if (!m_lastPosition.Empty() && m_lastPosition.hWnd != editor.m_hWnd)
        m_history.RecordPosition(m_lastPosition);
    m_lastPosition = PositionEntry{};
}

// "Go to Definition Of": the place of the word goes to the history, the
// symbol's document is shown (opened when it is not) and its caret stands
// at the start of the symbol's first line, with the focus.
LRESULT CMainFrame::GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol)
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
    MDIGetActive(&maximized);
    if (!target) {
        if (!symbol.file || symbol.file->empty())
            return 0;
        target = dynamic_cast<COvantaDoc*>(app->OpenDocumentFile(symbol.file->c_str()));
    }
    COvantaView* view = target ? target->FirstView() : nullptr;
    if (!view)
        return 0;
    m_history.RecordPosition(here);
    // The focus change below would record the word's place a second time.
    m_history.SetEnabled(false);
    if (winui::CFrameWnd* child = view->GetParentFrame()) {
        MDIActivate(child->m_hWnd);
        if (maximized)
            MDIMaximize(child->m_hWnd);
        else if (::IsIconic(child->m_hWnd))
            ::ShowWindow(child->m_hWnd, SW_SHOWNORMAL);
    }
    ::SendMessageA(view->m_hWnd, WM_GOTO_LINE, static_cast<WPARAM>(symbol.firstLine + 1), 0);
    ::SetFocus(view->Editor().m_hWnd);
    view->NotifyCaret();
    m_lastPosition = PositionEntry{};
    m_history.SetEnabled(true);
    return 0;
}

void CMainFrame::ResetPositions()
{
    m_history.Reset();
    m_lastPosition = PositionEntry{};
}

// Shows the entry: its document window activated, its top line, the caret
// at its offset. False when its window is gone.
bool CMainFrame::GoToPosition(const PositionEntry& entry)
{
    if (entry.Empty() || !::IsWindow(entry.hWnd))
        return false;
    auto* editor = dynamic_cast<CNColorEditCtrl*>(winui::CWnd::FromHandle(entry.hWnd));
    COvantaView* view = editor ? COvantaEditorShell::ViewOf(*editor) : nullptr;
    winui::CFrameWnd* child = view ? view->GetParentFrame() : nullptr;
    if (!child)
        return false;
    m_history.SetEnabled(false);
    MDIActivate(child->m_hWnd);
    if (::IsIconic(child->m_hWnd))
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    ::SetFocus(editor->m_hWnd);
    CColorEditCore& core = editor->Core();
    core.SetTopLine(std::min(entry.nTopLine, std::max(core.GetLineCount() - 1, 0)));
    const int offset = std::min(std::max(entry.nCaretOffset, 0), core.GetTextLength());
    editor->SetSel(offset, offset, false, true);
    view->NotifyCaret();
    view->DrawLineNumbers(nullptr);
    editor->UpdateVScrollBar(1);
    editor->InvalidateText(1);
    m_lastPosition = PositionEntry{};
    m_history.SetEnabled(true);
    return true;
}

void CMainFrame::OnPreviousDocument()
{
    COvantaView* view = ActiveOvantaView();
    if (m_history.IsAtNewest() && view) {
        // Standing after the newest entry: where the user is now is kept,
        // so that forward comes back to it, and back goes one further.
        COvantaEditCtrl& editor = view->Editor();
        int selStart = 0, selEnd = 0;
        editor.GetSel(selStart, selEnd);
        PositionEntry here{editor.m_hWnd, editor.GetTopLine(), editor.GetCaretLine(), selStart};
        if (m_history.RecordPosition(here) >= 0) {
            PositionEntry skipped;
            m_history.GoBack(skipped);
        }
    }
    PositionEntry entry;
    if (m_history.GoBack(entry))
        GoToPosition(entry);
}

void CMainFrame::OnNextDocument()
{
    PositionEntry entry;
    if (m_history.GoForward(entry))
        GoToPosition(entry);
}

void CMainFrame::OnUpdatePreviousDocument(winui::CCmdUI* ui)
{
    ui->Enable(!m_history.IsEmpty());
}

void CMainFrame::OnUpdateNextDocument(winui::CCmdUI* ui)
{
    COvantaApp* app = COvantaApp::Get();
    ui->Enable(ActiveOvantaView() != nullptr && !(app && app->m_bInPrintPreview) && !m_history.IsNextEmpty());
}
