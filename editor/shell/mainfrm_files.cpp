// The main frame's file dialogs: "Administrate project.." edits the open
// workspace's file list and writes the workspace; "Properties" shows one
// document's file, from the window tabs and the editor's context menu.
#include "editor/shell/mainfrm.h"

#include "editor/shell/file_properties_dlg.h"
#include "editor/shell/ovantaapp.h"
#include "editor/shell/ovantadoc.h"
#include "editor/shell/ovantaview.h"
#include "editor/shell/project_files_dlg.h"

#include "winui/cmdui.h"

#include <utility>
#include <vector>

void CMainFrame::OnProjectFiles()
{
    COvantaApp* app = COvantaApp::Get();
    if (!app || WorkspacePath().empty())
        return;
    const std::string workspace = WorkspacePath();
    CProjectFilesDlg dlg(m_workspaceFiles, m_closedFiles, workspace, m_hWnd);
    for (COvantaDoc* doc : app->Documents())
        dlg.m_openPaths.push_back(doc->GetPathName());
    dlg.m_strInitialDir = app->m_strDefaultDir;
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd)
        dlg.m_onClosedFileAdded = [this](const std::string& stored) { m_pFunctionBar->AddFileItem(stored); };
    if (dlg.DoModal() != IDOK)
        return;
    // Written without the question: the user has just confirmed the list.
    const int mode = app->m_nWorkspaceSaveMode;
    app->m_nWorkspaceSaveMode = 1;
    SaveWorkspace(workspace.c_str());
    app->m_nWorkspaceSaveMode = mode;
    if (m_pFunctionBar && m_pFunctionBar->m_hWnd)
        m_pFunctionBar->RebuildTree();
}

void CMainFrame::OnUpdateProjectFiles(winui::CCmdUI* ui)
{
    ui->Enable(!WorkspacePath().empty());
}

void CMainFrame::ShowFileProperties(COvantaDoc* doc)
{
    COvantaView* view = doc ? doc->FirstView() : nullptr;
    if (!view)
        return;
    FilePropertiesSource source;
    source.path = doc->GetPathName();
    source.textLength = doc->m_state.length;
    source.lineCount = static_cast<int>(doc->m_state.lineCount);
    source.unixFormat = doc->m_state.unixFormat != 0;
    source.countLinesOfCode = [view] { return view->Editor().CountLinesOfCode(); };
    // Editors that know the file as it is now take the times the dialog
    // sets as known: the change is the user's own, not one from outside.
    std::vector<CColorEditCore*> current;
    for (winui::CView* v : doc->GetViews()) {
        auto* ovantaView = dynamic_cast<COvantaView*>(v);
        if (ovantaView && ovantaView->Editor().Core().FileStatusCurrent())
            current.push_back(&ovantaView->Editor().Core());
    }
    CFilePropertiesDlg dlg(std::move(source), m_hWnd);
    dlg.DoModal();
    if (dlg.TimesSet())
        for (CColorEditCore* core : current)
            core->RefreshFileStatus();
}
