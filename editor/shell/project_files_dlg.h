// CProjectFilesDlg: "Project files", the open workspace's file list. Each
// button changes the frame's lists at once (Cancel does not take a change
// back); OK tells the caller to write the workspace.
#pragma once

#include "winui/dialog.h"

#include <functional>
#include <string>
#include <vector>

class CProjectFilesDlg : public winui::CDialog {
public:
    // The lists are the frame's workspace file list and closed-files list,
    // in stored form (relative to the workspace's folder where they lie in
    // it).
    CProjectFilesDlg(std::vector<std::string>& workspaceFiles, std::vector<std::string>& closedFiles,
                     const std::string& workspacePath, HWND parent);

    BOOL OnInitDialog() override;

    // The paths of the open documents.
    std::vector<std::string> m_openPaths;
    // Where "Add file" starts ("DefaultDir").
    std::string m_strInitialDir;
    // Called with each added file that is not open (stored form), for the
    // functions bar's tree; empty when there is no such bar.
    std::function<void(const std::string&)> m_onClosedFileAdded;

protected:
    void OnAddFile();
    void OnRemoveFile();
    void OnAddOpenFiles();
    // Adds a stored path to the list box and the workspace file list.
    void AddEntry(const std::string& stored);
    bool IsOpen(const std::string& stored) const;
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& workspaceFiles_;
    std::vector<std::string>& closedFiles_;
    std::string base_;
};
