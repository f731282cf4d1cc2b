// The main frame's side of the small interfaces through which documents,
// views, bars and the editor control's shell reach it; where a method of
// the frame served already, the interface takes that method.
#include "editor/shell/mainfrm.h"

#include "editor/shell/frame_links.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"

winui::CMDIFrameWnd* MakeMainFrame(FrameLinks& links)
{
    auto* frame = new CMainFrame;
    links.documents = frame;
    links.status = frame;
    links.bookmarks = frame;
    links.textMacros = frame;
    links.window = frame;
    links.search = frame;
    links.positions = frame;
    return frame;
}

// For the frame's own files, which know the frame's class.
CMainFrame* COvantaApp::MainFrame() const
{
    return dynamic_cast<CMainFrame*>(winui::CWnd::FromHandle(m_hMainWnd));
}

void CMainFrame::DocumentSaved(COvantaDoc* doc)
{
    DocumentRenamed(doc);
    // The functions bar parses the saved text again (new and renamed
    // functions appear).
    BrowserDocumentOpened(doc);
}

void CMainFrame::SetProgressPos(int percent)
{
    if (m_wndStatusBar.m_hWnd)
        m_wndStatusBar.SetProgressPos(percent);
}

void CMainFrame::SetProgressMode(int mode)
{
    m_wndStatusBar.SetProgressMode(mode);
}

void CMainFrame::SetPaneText(int pane, const char* text)
{
    if (m_wndStatusBar.m_hWnd)
        m_wndStatusBar.SetPaneText(pane, text ? text : "");
}

bool CMainFrame::HasBookmark(const CNColorEditCtrl& editor, int line) const
{
    return m_wndBookmarkBar.HasBookmark(&editor, line) != 0;
}

void CMainFrame::RemoveBookmarksOf(const CNColorEditCtrl& editor)
{
    m_wndBookmarkBar.RemoveBookmarksOf(&editor);
}

void CMainFrame::MoveBookmarkLines(const CNColorEditCtrl& editor, int fromLine, int diff, int minLine)
{
    m_wndBookmarkBar.AdjustBookmarkLines(&editor, fromLine, diff, minLine);
}

void CMainFrame::RefreshBookmarkButtons()
{
    m_wndBookmarkBar.UpdateButtonStates();
}

const std::vector<TextMacro>& CMainFrame::TextMacros() const
{
    return m_textMacros;
}

HWND CMainFrame::FrameWindow() const
{
    return m_hWnd;
}

bool CMainFrame::HasActiveDocumentWindow()
{
    return MDIGetActive() != nullptr;
}

void CMainFrame::AskGotoLine()
{
    OnGotoLine();
}

CDocTabBar& CMainFrame::FileBar()
{
    return m_wndDocTabBar;
}

CBookmarkBar& CMainFrame::BookmarkBar()
{
    return m_wndBookmarkBar;
}

CPositionHistory& CMainFrame::History()
{
    return m_history;
}

void CMainFrame::ShowBar(winui::CControlBar& bar, bool show)
{
    ShowControlBar(&bar, show ? TRUE : FALSE, FALSE);
}

COvantaDoc* CMainFrame::OpenDocument(const std::string& path)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || path.empty())
        return nullptr;
    return dynamic_cast<COvantaDoc*>(app->OpenDocumentFile(path.c_str()));
}

void CMainFrame::ShowDocumentLine(COvantaDoc* doc, int line)
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
        MDIActivate(child->m_hWnd);
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
