#include "editor/shell/frame_workspace_hooks.h"

#include "editor/shell/mainfrm.h"
#include "editor/shell/ovantaapp.h"

#include "winui/profile.h"

int CFrameWorkspaceHooks::FileBarCode()
{
    if (!frame_.m_wndDocTabBar.m_hWnd)
        return OvantaOptions().fileBar;
    return frame_.GetBarState(frame_.m_wndDocTabBar.m_hWnd);
}

void CFrameWorkspaceHooks::PlaceFileBar(int code)
{
    CDocTabBar& bar = frame_.m_wndDocTabBar;
    if (!bar.m_hWnd)
        return;
    // The tab bar docks at the top or at the bottom only.
    const int side = code & 7;
    if (side == 1 || side == 2)
        frame_.DockBarAtSide(bar, side);
    COvantaApp* app = COvantaApp::Get();
    const bool documents = app && !app->Documents().empty();
    frame_.ShowControlBar(&bar, documents && !(code & 0x10), FALSE);
}

int CFrameWorkspaceHooks::BookmarkBarCode()
{
    if (!frame_.m_wndBookmarkBar.m_hWnd)
        return OvantaOptions().bookmarkBar;
    return frame_.GetBarState(frame_.m_wndBookmarkBar.m_hWnd);
}

void CFrameWorkspaceHooks::PlaceBookmarkBar(int code)
{
    CBookmarkBar& bar = frame_.m_wndBookmarkBar;
    if (!bar.m_hWnd)
        return;
    const int side = code & 7;
    if (side >= 1 && side <= 4)
        frame_.DockBarAtSide(bar, side);
    // The bar shows itself with its first bookmark.
    if (code & 0x10)
        frame_.ShowControlBar(&bar, FALSE, FALSE);
}

void CFrameWorkspaceHooks::SaveBookmarks(const std::string& path)
{
    if (frame_.m_wndBookmarkBar.m_hWnd)
        frame_.m_wndBookmarkBar.SaveBookmarks(winui::CProfile(path));
}

void CFrameWorkspaceHooks::RestoreBookmarks(COvantaDoc* doc)
{
    if (frame_.m_wndBookmarkBar.m_hWnd && !frame_.WorkspacePath().empty())
        frame_.m_wndBookmarkBar.LoadBookmarks(frame_.WorkspacePath().c_str(), doc);
}

void CFrameWorkspaceHooks::RecordPositions(bool on)
{
    frame_.m_history.SetEnabled(on);
}

void CFrameWorkspaceHooks::WorkspaceFilesChanged()
{
    if (CFunctionBar* bar = frame_.FunctionBar())
        if (bar->m_hWnd)
            bar->RebuildTree();
}
