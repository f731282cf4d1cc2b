// The editor's dialogs: About (with a button that opens the web page),
// the list of remembered files, and the line-number input of Goto.
#pragma once

#include "winui/dialog.h"

#include <string>

class FileWindowList;

class TZavitAboutDlg : public winui::CDialog {
public:
    explicit TZavitAboutDlg(HWND parent);
    static const char* const LinkAddress;

private:
    void CmLink();
    DECLARE_MESSAGE_MAP()
};

// "Recently opened files": every remembered name, most recently used first;
// the chosen name is in Name() after OK.
class TFileList : public winui::CDialog {
public:
    TFileList(HWND parent, const FileWindowList& files);
    BOOL OnInitDialog() override;
    const std::string& Name() const { return name_; }

private:
    void OnSelChange();
    void OnDblClk();
    const FileWindowList& files_;
    std::string name_;
    DECLARE_MESSAGE_MAP()
};

// "Goto": the line number to go to, prefilled with the caret's line.
class TZavitGotoDlg : public winui::CDialog {
public:
    TZavitGotoDlg(HWND parent, std::string text);
    BOOL OnInitDialog() override;
    void OnOK() override;
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};
