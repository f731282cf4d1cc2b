// CAppStartDlg: the tool settings dialog "Application Start Settings...":
// name, program, parameters (with the macro list), message format, start
// folder and the run flags of one tool. It ends with IDOK, IDCANCEL or 3
// (Delete).
#pragma once

#include "editor/tools/tool_info.h"
#include "winui/dialog.h"

#include <string>

const INT_PTR kToolDialogDelete = 3;

class CAppStartDlg : public winui::CDialog {
public:
    explicit CAppStartDlg(HWND parent = nullptr);

    // The values the dialog edits: filled before DoModal, read after IDOK.
    CToolInfo m_tool;
    // Where the program browser starts (the "DefaultDir" setting).
    std::string m_strDefaultDir;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(winui::CDataExchange* dx) override;

protected:
    void OnCaptureClicked();
    void OnChangeDirClicked();
    void OnMacroChosen();
    void OnFormatChosen();
    void OnBrowseProgram();
    void OnBrowseFolder();
    void OnDelete();

private:
    // A keyboard macro is replayed, not run: its run settings do not apply.
    void EnableRunControls(bool enable);

    DECLARE_MESSAGE_MAP()
};

// The folder the folder picker starts in for a program path: the part
// before its last "\\", keeping that "\\" after a drive ("c:\\"); empty for
// a path without one.
std::string ProgramFolder(const std::string& appExe);
