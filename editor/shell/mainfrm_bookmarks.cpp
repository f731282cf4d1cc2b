// The main frame's side of bookmarks: the bar's creation, the add/delete
// command, the jump to a bookmark, and keeping the bookmarks in the
// program's profile between runs without a workspace.
#include "editor/shell/mainfrm.h"

#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"

#include "winui/cmdui.h"
#include "winui/splitter.h"

#include <algorithm>

// The bar's own child id, apart from the main tool bar's, so that each bar
// of a dock row can be found by its id.
static const UINT bookmark_bar_id = 0xE80A;

void CMainFrame::CreateBookmarkBar()
{
    if (!m_wndBookmarkBar.Create(this, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP | winui::CBRS_BORDER_BOTTOM,
                                 bookmark_bar_id))
        return;
    ::ShowWindow(m_wndBookmarkBar.m_hWnd, SW_HIDE);
    m_wndBookmarkBar.m_dwStyle = (m_wndBookmarkBar.m_dwStyle & ~winui::CBRS_SIZE_FIXED) | winui::CBRS_TOOLTIPS |
                                 winui::CBRS_FLYBY | winui::CBRS_SIZE_DYNAMIC | winui::CBRS_GRIPPER;
    m_wndBookmarkBar.EnableDocking(winui::CBRS_ALIGN_ANY);
}

void CMainFrame::DockBookmarkBar()
{
    if (!m_wndBookmarkBar.m_hWnd)
        return;
    DockControlBar(&m_wndBookmarkBar, winui::AFX_IDW_DOCKBAR_TOP);
    DockControlBarLeftOf(&m_wndBookmarkBar, &m_wndToolBar);
    ShowControlBar(&m_wndBookmarkBar, FALSE, FALSE);
}

// "%s Line: %d": the title without its modified mark, cut to its last 35
// characters behind "...", and the 1-based line.
static std::string default_bookmark_name(const std::string& docTitle, int line)
{
    std::string title = docTitle;
    while (!title.empty() && (title.back() == '*' || title.back() == ' '))
        title.pop_back();
    if (title.size() > 35)
        title = "..." + title.substr(title.size() - 35);
    return title + " Line: " + std::to_string(line + 1);
}

static std::string bookmark_title(COvantaView* view)
{
    COvantaDoc* doc = view ? view->GetOvantaDoc() : nullptr;
    if (!doc)
        return CBookmarkBar::TitleOfPath("");
    const std::string& path = doc->GetPathName();
    return CBookmarkBar::TitleOfPath(path.empty() ? doc->GetTitle() : path);
}

bool CMainFrame::AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name)
{
    BookmarkRecord r;
    r.pEdit = &editor;
    r.nLine = line;
    r.nTopLine = line > 0 ? line - 1 : 0;
    r.szTitle = bookmark_title(COvantaEditorShell::ViewOf(editor));
    r.szName = name;
    bool added = m_wndBookmarkBar.AddBookmark(r) >= 0;
    if (COvantaView* view = COvantaEditorShell::ViewOf(editor))
        view->DrawLineNumbers(nullptr);
    return added;
}

void CMainFrame::RemoveBookmarkAt(CNColorEditCtrl& editor, int line)
{
    BookmarkRecord r;
    r.pEdit = &editor;
    r.nLine = line;
    m_wndBookmarkBar.RemoveBookmark(r);
    if (COvantaView* view = COvantaEditorShell::ViewOf(editor))
        view->DrawLineNumbers(nullptr);
}

void CMainFrame::OnAddBookmark()
{
    COvantaView* view = ActiveOvantaView();
    if (!view)
        return;
    COvantaEditCtrl& editor = view->Editor();
    const int line = editor.GetCaretLine();
    if (m_wndBookmarkBar.HasBookmark(&editor, line)) {
        RemoveBookmarkAt(editor, line);
        return;
    }
    // A selection names the bookmark: up to 50 characters whole, else its
    // first 49.
    std::string name = editor.SelectedText();
    size_t lineEnd = name.find_first_of("\r\n");
    if (lineEnd != std::string::npos)
        name.resize(lineEnd);
    if (name.size() > 50)
        name.resize(49);
    if (name.empty())
        name = default_bookmark_name(view->GetDocument() ? view->GetDocument()->GetTitle() : "", line);
    AddBookmarkAt(editor, line, name);
}

void CMainFrame::OnUpdateAddBookmark(winui::CCmdUI* ui)
{
    COvantaView* view = ActiveOvantaView();
    COvantaApp* app = COvantaApp::Get();
    ui->Enable(view != nullptr && !(app && app->m_bInPrintPreview));
    const bool has = view && m_wndBookmarkBar.HasBookmark(&view->Editor(), view->Editor().GetCaretLine());
    if (ui->m_hMenu)
        ui->SetText(has ? "Delete Bookmark\tF12" : "Add Bookmark\tF12");
    const int image = has ? m_nBookmarkDelImage : m_nBookmarkImage;
    if (image >= 0 && image != m_nShownBookmarkImage && m_wndToolBar.m_hWnd) {
        m_wndToolBar.SetButtonImage(ID_ADD_BOOKMARK, image);
        m_nShownBookmarkImage = image;
    }
}

void CMainFrame::OnGotoNextBookmark()
{
    m_wndBookmarkBar.GotoNextBookmark();
}

void CMainFrame::OnViewBookmarks()
{
    if (!m_wndBookmarkBar.m_hWnd) {
        CreateBookmarkBar();
        DockBookmarkBar();
    }
    ShowControlBar(&m_wndBookmarkBar, !m_wndBookmarkBar.IsVisible(), FALSE);
}

void CMainFrame::OnUpdateViewBookmarks(winui::CCmdUI* ui)
{
    ui->Enable(m_wndBookmarkBar.m_nCount > 0);
    ui->SetCheck(m_wndBookmarkBar.IsVisible() ? 1 : 0);
}

void CMainFrame::OnBookmarkButton(UINT id)
{
    m_wndBookmarkBar.OnBookmarkCommand(id);
}

// The child frame of an editor: its grandparent, one level further when
// that is a splitter.
static winui::CFrameWnd* frame_of_editor(CNColorEditCtrl& editor)
{
    COvantaView* view = COvantaEditorShell::ViewOf(editor);
    return view ? view->GetParentFrame() : nullptr;
}

LRESULT CMainFrame::OnBookmarkJump(WPARAM, LPARAM lParam)
{
    const auto* r = reinterpret_cast<const BookmarkRecord*>(lParam);
    // Only records the bar holds are followed: their editors are alive.
    bool known = false;
    for (int i = 0; r && i < m_wndBookmarkBar.m_nCount; ++i)
        known = known || m_wndBookmarkBar.Record(i) == r;
    if (!known || !r->pEdit)
        return 0;
    CNColorEditCtrl& editor = *r->pEdit;
    COvantaView* view = COvantaEditorShell::ViewOf(editor);
    winui::CFrameWnd* child = frame_of_editor(editor);
    if (!view || !child)
        return 0;
    MDIActivate(child->m_hWnd);
    if (::IsIconic(child->m_hWnd))
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
    CColorEditCore& core = editor.Core();
    if (core.GetLineCount() <= r->nTopLine || core.GetLineCount() <= r->nLine)
        return -1;
    core.SetTopLine(r->nTopLine);
    const int offset = core.GetLineOffsetClamped(r->nLine);
    editor.SetSel(offset, offset, false, true);
    ::SetFocus(editor.m_hWnd);
    view->NotifyCaret();
    view->DrawLineNumbers(nullptr);
    editor.UpdateVScrollBar(1);
    editor.InvalidateText(1);
    return 0;
}

void CMainFrame::BookmarksOpened(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    // A workspace brings its own bookmarks with its files.
    if (!app || !app->m_strWorkspacePath.empty() || !doc || doc->GetPathName().empty())
        return;
    m_wndBookmarkBar.LoadBookmarks(winui::CProfile(app->m_szProfilePath), doc);
}

void CMainFrame::BookmarksClosing(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !app->m_strWorkspacePath.empty() || !m_wndBookmarkBar.m_hWnd)
        return;
    m_wndBookmarkBar.SaveBookmarksOf(winui::CProfile(app->m_szProfilePath), doc);
}

void CMainFrame::SaveBookmarkSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    for (COvantaDoc* doc : app->Documents())
        BookmarksClosing(doc);
}
