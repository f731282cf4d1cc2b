// The main frame's side of settings and workspaces: where the document tab
// bar and the bookmark bar stand and how they are placed again, the
// bookmarks written into and read from a workspace, the position history's
// recording and the functions bar's list of workspace files.
#pragma once

#include "editor/shell/settings_profile.h"

class CMainFrame;

class CFrameWorkspaceHooks final : public WorkspaceHooks {
public:
    explicit CFrameWorkspaceHooks(CMainFrame& frame) : frame_(frame) {}
    int FileBarCode() override;
    void PlaceFileBar(int code) override;
    int BookmarkBarCode() override;
    void PlaceBookmarkBar(int code) override;
    void SaveBookmarks(const std::string& path) override;
    void RestoreBookmarks(COvantaDoc* doc) override;
    void RecordPositions(bool on) override;
    void WorkspaceFilesChanged() override;

private:
    CMainFrame& frame_;
};
