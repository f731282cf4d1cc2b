// The main frame's bookmarks: the bar's creation, the add/delete command,
// the jump to a bookmark, and keeping the bookmarks in the program's
// profile between runs without a workspace.
#include "editor/shell/bookmark_controller.h"

#include "editor/shell/ovanta_editor_shell.h"
#include "editor/shell/ovanta_messages.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/resource.h"

#include "winui/cmdui.h"
#include "winui/profile.h"
#include "winui/toolbar.h"
#include "winui/splitter.h"

#include <algorithm>

// The bar's own child id, apart from the main tool bar's, so that each bar
// of a dock row can be found by its id.
static const UINT bookmark_bar_id = 0xE80A;

BEGIN_MESSAGE_MAP(CBookmarkController, winui::CCmdTarget)
    ON_COMMAND(ID_ADD_BOOKMARK, &CBookmarkController::OnAddBookmark)
    ON_UPDATE_COMMAND_UI(ID_ADD_BOOKMARK, &CBookmarkController::OnUpdateAddBookmark)
    ON_COMMAND(ID_GOTO_NEXT_BOOKMARK, &CBookmarkController::OnGotoNextBookmark)
    ON_COMMAND(ID_VIEW_BOOKMARKS, &CBookmarkController::OnViewBookmarks)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BOOKMARKS, &CBookmarkController::OnUpdateViewBookmarks)
    ON_COMMAND_RANGE(kFirstBookmarkCommand, kLastBookmarkCommand, &CBookmarkController::OnBookmarkButton)
    ON_MESSAGE(WM_BOOKMARK_JUMP, &CBookmarkController::OnBookmarkJump)
END_MESSAGE_MAP()

void CBookmarkController::CreateBar()
{
    if (!bar_.Create(&frame_, WS_CHILD | WS_VISIBLE | winui::CBRS_TOP | winui::CBRS_BORDER_BOTTOM,
                                 bookmark_bar_id))
        return;
    ::ShowWindow(bar_.m_hWnd, SW_HIDE);
    bar_.m_dwStyle = (bar_.m_dwStyle & ~winui::CBRS_SIZE_FIXED) | winui::CBRS_TOOLTIPS |
                                 winui::CBRS_FLYBY | winui::CBRS_SIZE_DYNAMIC | winui::CBRS_GRIPPER;
    bar_.EnableDocking(winui::CBRS_ALIGN_ANY);
}

void CBookmarkController::DockBar()
{
    if (!bar_.m_hWnd)
        return;
    frame_.DockControlBar(&bar_, winui::AFX_IDW_DOCKBAR_TOP);
    host_.DockControlBarLeftOf(&bar_, &host_.MainToolBar());
    frame_.ShowControlBar(&bar_, FALSE, FALSE);
}

void CBookmarkController::SetButtonPictures(int addImage, int deleteImage)
{
    addImage_ = addImage;
    deleteImage_ = deleteImage;
    shownImage_ = addImage;
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

bool CBookmarkController::HasBookmark(const CNColorEditCtrl& editor, int line) const
{
    return bar_.HasBookmark(&editor, line) != 0;
}

bool CBookmarkController::AddBookmarkAt(CNColorEditCtrl& editor, int line, const std::string& name)
{
    BookmarkRecord r;
    r.pEdit = &editor;
    r.nLine = line;
    r.nTopLine = line > 0 ? line - 1 : 0;
    r.szTitle = bookmark_title(COvantaEditorShell::ViewOf(editor));
    r.szName = name;
    bool added = bar_.AddBookmark(r) >= 0;
    if (COvantaView* view = COvantaEditorShell::ViewOf(editor))
        view->DrawLineNumbers(nullptr);
    return added;
}

void CBookmarkController::RemoveBookmarkAt(CNColorEditCtrl& editor, int line)
{
    BookmarkRecord r;
    r.pEdit = &editor;
    r.nLine = line;
    bar_.RemoveBookmark(r);
    if (COvantaView* view = COvantaEditorShell::ViewOf(editor))
        view->DrawLineNumbers(nullptr);
}

void CBookmarkController::RemoveBookmarksOf(const CNColorEditCtrl& editor)
{
    bar_.RemoveBookmarksOf(&editor);
}

void CBookmarkController::MoveBookmarkLines(const CNColorEditCtrl& editor, int fromLine, int diff, int minLine)
{
    bar_.AdjustBookmarkLines(&editor, fromLine, diff, minLine);
}

void CBookmarkController::RefreshBookmarkButtons()
{
    bar_.UpdateButtonStates();
}

void CBookmarkController::OnAddBookmark()
{
    COvantaView* view = host_.ActiveOvantaView();
    if (!view)
        return;
    COvantaEditCtrl& editor = view->Editor();
    const int line = editor.GetCaretLine();
    if (bar_.HasBookmark(&editor, line)) {
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

void CBookmarkController::OnUpdateAddBookmark(winui::CCmdUI* ui)
{
    COvantaView* view = host_.ActiveOvantaView();
    COvantaApp* app = COvantaApp::Get();
    ui->Enable(view != nullptr && !(app && app->Printing().inPreview));
    const bool has = view && bar_.HasBookmark(&view->Editor(), view->Editor().GetCaretLine());
    if (ui->m_hMenu)
        ui->SetText(has ? "Delete Bookmark\tF12" : "Add Bookmark\tF12");
    const int image = has ? deleteImage_ : addImage_;
    winui::CToolBar& toolBar = host_.MainToolBar();
    if (image >= 0 && image != shownImage_ && toolBar.m_hWnd) {
        toolBar.SetButtonImage(ID_ADD_BOOKMARK, image);
        shownImage_ = image;
    }
}

void CBookmarkController::OnGotoNextBookmark()
{
    bar_.GotoNextBookmark();
}

void CBookmarkController::OnViewBookmarks()
{
    if (!bar_.m_hWnd) {
        CreateBar();
        DockBar();
    }
    frame_.ShowControlBar(&bar_, !bar_.IsVisible(), FALSE);
}

void CBookmarkController::OnUpdateViewBookmarks(winui::CCmdUI* ui)
{
    ui->Enable(bar_.Count() > 0);
    ui->SetCheck(bar_.IsVisible() ? 1 : 0);
}

void CBookmarkController::OnBookmarkButton(UINT id)
{
    bar_.OnBookmarkCommand(id);
}

// The child frame of an editor: its grandparent, one level further when
// that is a splitter.
static winui::CFrameWnd* frame_of_editor(CNColorEditCtrl& editor)
{
    COvantaView* view = COvantaEditorShell::ViewOf(editor);
    return view ? view->GetParentFrame() : nullptr;
}

LRESULT CBookmarkController::OnBookmarkJump(WPARAM, LPARAM lParam)
{
    const auto* r = reinterpret_cast<const BookmarkRecord*>(lParam);
    // Only records the bar holds are followed: their editors are alive.
    bool known = false;
    for (int i = 0; r && i < bar_.Count(); ++i)
        known = known || bar_.Record(i) == r;
    if (!known || !r->pEdit)
        return 0;
    CNColorEditCtrl& editor = *r->pEdit;
    COvantaView* view = COvantaEditorShell::ViewOf(editor);
    winui::CFrameWnd* child = frame_of_editor(editor);
    if (!view || !child)
        return 0;
    frame_.MDIActivate(child->m_hWnd);
    if (::IsIconic(child->m_hWnd))
        ::SendMessageA(frame_.m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
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

void CBookmarkController::DocumentOpened(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    // A workspace brings its own bookmarks with its files.
    if (!app || !app->WorkspacePath().empty() || !doc || doc->GetPathName().empty())
        return;
    bar_.LoadBookmarks(winui::CProfile(app->ProfilePath()), doc);
}

void CBookmarkController::DocumentClosing(COvantaDoc* doc)
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || !app->WorkspacePath().empty() || !bar_.m_hWnd)
        return;
    bar_.SaveBookmarksOf(winui::CProfile(app->ProfilePath()), doc);
}

void CBookmarkController::SaveSettings()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app)
        return;
    for (COvantaDoc* doc : app->Documents())
        DocumentClosing(doc);
}
