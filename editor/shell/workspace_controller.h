// CWorkspaceController: the main frame's settings and workspaces. It loads
// the option set from the profile target and saves it there, writes and
// reads workspace files with their project files, open files and bar
// places, runs the workspace commands and the list of recently opened
// workspaces, keeps the [Bars] places of the sizeable bars, and handles the
// option toggles and help command beside them, "Administrate project.." and
// the file properties.
#pragma once

#include "editor/shell/frame_bases.h"
#include "editor/shell/project_files.h"
#include "editor/shell/workspace_host.h"

#include "winui/cmdtarget.h"

#include <memory>
#include <string>
#include <vector>

class CBrowserController;
class COvantaDoc;
class CRecentWorkspaceList;
class CToolsController;

namespace winui {
class CCmdUI;
}

class CWorkspaceController : public winui::CCmdTarget {
public:
    CWorkspaceController(CMainFrameBase& frame, CWorkspaceHost& host, CToolsController& tools,
                         CBrowserController& browser);
    ~CWorkspaceController() override;

    // The option set from and to the profile target, or the file at path
    // for the one call.
    void LoadSettings(const char* path = nullptr);
    void SaveSettings(const char* path = nullptr);
    // 1 when written, 7 (No) or 2 (Cancel) when the user declined.
    int SaveWorkspace(const char* path = nullptr);
    void LoadWorkspace(const char* path);
    // Saves or closes what is open, then opens the workspace at path.
    void OpenWorkspace(const char* path);
    // False when the user cancelled and the workspace stays open.
    bool CloseWorkspace();
    // Before the frame closes: the open workspace is saved; false when the
    // user cancelled and the frame stays.
    bool SaveBeforeClose();
    // The main window's place in the profile target ("Ovanta"/"Main"), and
    // the frame moved to the stored one.
    void SaveMainPlace();
    void RestoreMainPlace();
    // The colour table from and to the profile target (the selection's
    // colours default to the system's).
    void LoadColors();
    void SaveColors();
    // What the frame's destruction saves: the option set into the profile,
    // or the closing time into the open workspace.
    void SaveOnDestroy();

    // The open workspace's file (empty when none) and its project files as
    // full paths, in list order.
    const std::string& WorkspacePath() const;
    std::vector<std::string> WorkspaceFiles() const;
    CProjectFiles& Project() { return project_; }
    // A project file that opens or closes.
    void TrackClosedProjectFile(COvantaDoc* doc, bool closing);

    // The bars go where the option set's placement codes put them.
    void PlaceBarsAtStart();
    // [Bars]: the sizeable bars' places (side, row, sizes, floating place,
    // visibility) under key. Restoring puts bar there, shown when show is
    // set; false when nothing usable is stored. The stored visibility is
    // false also when nothing is stored.
    bool RestoreBarPlacement(winui::CControlBar* bar, const char* key, bool show);
    bool StoredBarVisible(const char* key);
    void SaveBarPlacements();
    // "Last opened Workspaces" is greyed in a menu while the list is empty.
    void UpdateRecentWorkspacePopup(HMENU menu);
    // The modal "Properties" of a document's file.
    void ShowFileProperties(COvantaDoc* doc);

private:
    void ApplyLoadedOptions(bool workspace);
    bool LeaveForWorkspace(bool askFirst, const char* question);
    void EnterWorkspace(const std::string& path);
    // Saves the workspace without asking first (the user has just asked
    // for it or confirmed what goes into it).
    void SaveWorkspaceUnasked(const char* path);
    void WriteRecentWorkspaces();
    CRecentWorkspaceList* RecentWorkspaces();

    void OnWorkspaceOpen();
    void OnWorkspaceSave();
    void OnWorkspaceClose();
    void OnUpdateWorkspaceClose(winui::CCmdUI* ui);
    void OnRecentWorkspace(UINT id);
    void OnUpdateRecentWorkspace(winui::CCmdUI* ui);
    void OnMinimizeAll();
    void OnHelpTopics();
    void OnHoldSelection();
    void OnUpdateHoldSelection(winui::CCmdUI* ui);
    void OnExtContextMenu();
    void OnUpdateExtContextMenu(winui::CCmdUI* ui);
    void OnProjectFiles();
    void OnUpdateProjectFiles(winui::CCmdUI* ui);

    CMainFrameBase& frame_;
    CWorkspaceHost& host_;
    CToolsController& tools_;
    CBrowserController& browser_;
    CProjectFiles project_;
    std::unique_ptr<CRecentWorkspaceList> m_pRecentWorkspaces;

    DECLARE_MESSAGE_MAP()
};
