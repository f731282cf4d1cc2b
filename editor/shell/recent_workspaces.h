// CRecentWorkspaceList: the workspaces opened last, kept in the profile's
// section "RecentProjectList" (keys "Project1" to "Project8") and shown in
// the popup "Last opened Workspaces" of the "File" menu under the commands
// ID_RECENT_WORKSPACE_FIRST to ID_RECENT_WORKSPACE_LAST.
#pragma once

#include "editor/shell/resource.h"

#include "winui/recentfiles.h"

class CRecentWorkspaceList : public winui::CRecentFileList {
public:
    // The list's commands are counted from ID_RECENT_WORKSPACE_FIRST; the
    // class library counts from its own first recent-file id.
    CRecentWorkspaceList()
        : winui::CRecentFileList(static_cast<UINT>(ID_RECENT_WORKSPACE_FIRST) - winui::ID_FILE_MRU_FILE1,
                                 "RecentProjectList", "Project%d", 8, 30)
    {
    }
};
