// The main frame's side of settings and workspaces: where the document tab
// bar and the bookmark bar stand and how they are placed again, the
// bookmarks written into and read from a workspace, the position history's
// recording and the functions bar's list of workspace files.
#pragma once

#include "editor/shell/settings_profile.h"

#include <windows.h>

#include <string>

class CBookmarkBar;
class CDocTabBar;
class CFunctionBar;
class CPositionHistory;

namespace winui {
class CControlBar;
}

// What the hooks need of the frame: its bars, their places and the open
// workspace.
class IWorkspaceBarsHost {
public:
    virtual CDocTabBar& FileBar() = 0;
    virtual CBookmarkBar& BookmarkBar() = 0;
    virtual CPositionHistory& History() = 0;
    virtual CFunctionBar* FunctionBar() const = 0;
    // The code of a bar's place: 1 top, 2 bottom, 3 right, 4 left, +0x10 hidden.
    virtual int GetBarState(HWND bar) = 0;
    virtual void DockBarAtSide(winui::CControlBar& bar, int side) = 0;
    virtual void ShowBar(winui::CControlBar& bar, bool show) = 0;
    virtual const std::string& WorkspacePath() const = 0;

protected:
    ~IWorkspaceBarsHost() = default;
};

class CFrameWorkspaceHooks final : public WorkspaceHooks {
public:
    explicit CFrameWorkspaceHooks(IWorkspaceBarsHost& frame) : frame_(frame) {}
    int FileBarCode() override;
    void PlaceFileBar(int code) override;
    int BookmarkBarCode() override;
    void PlaceBookmarkBar(int code) override;
    void SaveBookmarks(const std::string& path) override;
    void RestoreBookmarks(COvantaDoc* doc) override;
    void RecordPositions(bool on) override;
    void WorkspaceFilesChanged() override;

private:
    IWorkspaceBarsHost& frame_;
};
