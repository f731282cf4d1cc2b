#include "editor/shell/frame_workspace_hooks.h"

#include "editor/shell/bookmark_bar.h"
#include "editor/shell/doc_tab_bar.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/position_history.h"

#include "editor/browser/function_bar.h"

#include "winui/profile.h"

int CFrameWorkspaceHooks::FileBarCode()
{
    if (!frame_.FileBar().m_hWnd)
        return OvantaOptions().fileBar;
    return frame_.GetBarState(frame_.FileBar().m_hWnd);
}

void CFrameWorkspaceHooks::PlaceFileBar(int code)
{
    CDocTabBar& bar = frame_.FileBar();
    if (!bar.m_hWnd)
        return;
    // The tab bar docks at the top or at the bottom only.
    const int side = code & 7;
    if (side == 1 || side == 2)
        frame_.DockBarAtSide(bar, side);
    COvantaApp* app = COvantaApp::Get();
    const bool documents = app && !app->Documents().empty();
    frame_.ShowBar(bar, documents && !(code & 0x10));
}

int CFrameWorkspaceHooks::BookmarkBarCode()
{
    if (!frame_.BookmarkBar().m_hWnd)
        return OvantaOptions().bookmarkBar;
    return frame_.GetBarState(frame_.BookmarkBar().m_hWnd);
}

void CFrameWorkspaceHooks::PlaceBookmarkBar(int code)
{
    CBookmarkBar& bar = frame_.BookmarkBar();
    if (!bar.m_hWnd)
        return;
    const int side = code & 7;
    if (side >= 1 && side <= 4)
        frame_.DockBarAtSide(bar, side);
    // The bar shows itself with its first bookmark.
    if (code & 0x10)
        frame_.ShowBar(bar, false);
}

void CFrameWorkspaceHooks::SaveBookmarks(const std::string& path)
{
    if (frame_.BookmarkBar().m_hWnd)
        frame_.BookmarkBar().SaveBookmarks(winui::CProfile(path));
}

void CFrameWorkspaceHooks::RestoreBookmarks(COvantaDoc* doc)
{
    if (frame_.BookmarkBar().m_hWnd && !frame_.WorkspacePath().empty())
        frame_.BookmarkBar().LoadBookmarks(frame_.WorkspacePath().c_str(), doc);
}

void CFrameWorkspaceHooks::RecordPositions(bool on)
{
    frame_.History().SetEnabled(on);
}

void CFrameWorkspaceHooks::WorkspaceFilesChanged()
{
    if (CFunctionBar* bar = frame_.FunctionBar())
        if (bar->m_hWnd)
            bar->RebuildTree();
}
