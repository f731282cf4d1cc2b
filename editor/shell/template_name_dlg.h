// The small naming dialogs of the syntax colour dialogs:
//   CSyntaxTemplateDlg  "Setup new syntaxcolor template anlegen...": the
//                       name of a new template and the template it copies
//   CTemplateNameDlg    a general one-line name entry with an optional
//                       prompt, title, place and length limit
#pragma once

#include "editor/shell/syntax_dialogs_res.h"
#include "winui/dialog.h"
#include "winui/profile.h"

#include <functional>
#include <string>

class CSyntaxTemplateDlg : public winui::CDialog {
public:
    explicit CSyntaxTemplateDlg(const winui::CProfile& profile, HWND parent = nullptr)
        : winui::CDialog(IDD_SYNTAX_TEMPLATE, parent), profile_(profile)
    {
    }

    std::string m_strCopyFrom;
    std::string m_strName;
    // Checks the name on OK: the message to show, or an empty text when the
    // name may be used. Without a check every name is taken.
    std::function<std::string(const std::string&)> m_checkName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    const winui::CProfile& profile_;
};

class CTemplateNameDlg : public winui::CDialog {
public:
    explicit CTemplateNameDlg(HWND parent = nullptr) : winui::CDialog(IDD_TEMPLATE_NAME, parent) {}

    std::string m_strPrompt;
    int m_x = -1; // -1: not placed
    int m_y = -1;
    int m_nMaxLength = -1; // -1: no limit
    std::string m_strTitle;
    std::string m_strName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(winui::CDataExchange* dx) override;
};
