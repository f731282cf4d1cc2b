// CAutoSearchConfigDlg: "Auto Search Configuration", the modal dialog that
// edits what the source browser scans: the search path entries with their
// masks and subdirectory flag, the kinds of symbols, whether only the open
// documents are read, and their file filter. The rules of its controls are
// CTagConfigEditor's; the window shows its state and passes clicks on.
#pragma once

#include <functional>
#include <string>

#include "editor/browser/tag_config.h"
#include "winui/dialog.h"

class CAutoSearchConfigDlg : public winui::CDialog {
public:
    CAutoSearchConfigDlg(const CTagConfig& config, HWND parent = nullptr);

    // "Export Tagfile": offered when set and canExport is true; the dialog
    // then closes with kExported and nothing else is stored.
    std::function<void()> m_exportTagFile;
    bool m_bCanExport = false;
    // The program's file-dialog filter for "Add File", and the folder the
    // pickers start in.
    std::string m_strFileFilter;
    std::string m_strDialogFolder;

    static const INT_PTR kExported = 1000;

    // After "Apply" (IDOK): what to store.
    const CTagConfig& Result() const { return m_result; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnAddPath();
    void OnAddFile();
    void OnDeleteEntry();
    void OnCheck(UINT id);
    void OnFilterChanged();
    void OnExport();
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnListEndEdit(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void ShowRows();
    void ShowChecks();
    void EnablePathControls();
    HWND List() const { return GetDlgItem(1122); }

    CTagConfigEditor m_editor;
    CTagConfig m_result;
    bool m_filling = false;
};
