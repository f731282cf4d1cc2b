// TWizForm: the makefile wizard's one window, a modeless dialog with a page
// control over six pages of controls. It moves values between its controls
// and the make model and runs the model's actions from its buttons; the
// model and the rules live in cobrel_core.
#pragma once

#include "make/cobrel/form_transfer.h"
#include "make/cobrel/make_model.h"
#include "make/cobrel/wiz_box_sink.h"
#include "make/cobrel/wiz_messages.h"

#include "winui/dialog.h"
#include "winui/tooltip.h"

#include <string>
#include <vector>

class TWizForm : public winui::CDialog {
public:
    // program_path: the program's own file; its folder holds the make tool
    // and the workspace template, its ".ini" twin the recent makefiles.
    explicit TWizForm(const std::string& program_path);

    BOOL OnInitDialog() override;
    // Enter does not close the form; the close box, Escape and
    // "Cancel/Exit" ask before losing changes.
    void OnOK() override {}
    void OnCancel() override;

    const make_model& model() const { return model_; }

private:
    DECLARE_MESSAGE_MAP()

    // Event handlers.
    bool FormCloseQuery();
    void FormClose();
    void MakNewButtonClick();
    void MakReadButtonClick();
    void ProjectNameBoxSelect();
    void ProjectMemoChange();
    void TargetBoxSelect();
    void SourceListClick();
    void AddSrcClick();
    void DelSrcClick();
    void CPUSpeedChange();
    void CheckBinStripClick();
    void CheckGenOmfClick();
    void CheckWriteOvantaClick();
    void SaveButtonClick();
    void LinkLabelClick();
    void PageChange(NMHDR* header, LRESULT* result);
    void OnDestroy();
    LRESULT OnCtlColorStatic(WPARAM dc, LPARAM control);
    LRESULT OnSetCursor(WPARAM window, LPARAM hit);
    LRESULT OnSysCommand(WPARAM command, LPARAM);
    void SetUpHints();
    void SetUpLinkLabel();

    // Transfers between the controls and the model.
    void ModelToForm();
    void FormToModel();

    void MarkChanged();
    void ShowPage(int page);
    bool ChangeToFolderOf(const std::string& path);
    void LoadMakefile(const std::string& path);
    int RunTool(const std::string& command_line);

    void SetComboItems(int id, const std::vector<std::string>& items, int selected);
    std::vector<std::string> ComboItems(int id) const;
    std::string ComboSelectedText(int id) const;
    int ComboIndex(int id) const;
    bool Checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }

    make_model model_;
    wiz_box_sink sink_;
    wiz_messages messages_;
    std::string program_dir_;
    std::string settings_path_;
    // The hints of the controls, shown while the mouse rests on them.
    winui::CToolTipCtrl hints_;
    // The dialog's font underlined, for the link label.
    HFONT link_font_ = nullptr;
    // The dark ground of the Misc page's white title.
    HBRUSH title_brush_ = nullptr;
};
