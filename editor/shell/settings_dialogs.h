// The small modal dialogs of the frame's settings and text commands:
// "Backup Options", "Automatic line wrapping", "Operations", "Settings for
// Tabs" and "More Windows...". Each is made on the stack by the command
// that opens it, shown modally and gone when the command ends.
#pragma once

#include "winui/dialog.h"

#include <string>
#include <vector>

struct SettingsValues;

// The minutes of "Automatic save all", the wrap column of "Wrap in
// column:": the number at the start of a field's text, 0 when there is none.
int ParseFieldNumber(const std::string& text);
// The wrap column as typed: a number of 32767 or more (read from the first
// nine characters) is cut to "32766"; other texts stay as they are.
bool ClampWrapColumnText(std::string& text);

class CBackupOptionsDlg : public winui::CDialog {
public:
    explicit CBackupOptionsDlg(HWND parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    std::string m_strExtension = ".bak";
    int m_bReplaceExt = 0;
    int m_nAutoSaveMinutes = 0;
    int m_bBackupAtSave = 0;
    int m_bBackupFromOriginal = 0;

protected:
    void OnAutoSaveClicked();
    DECLARE_MESSAGE_MAP()
};

// Works on the wrap settings directly: the two check boxes of saving and
// of word wrapping take effect at once, the column on OK.
class CLineWrapDlg : public winui::CDialog {
public:
    CLineWrapDlg(SettingsValues& settings, HWND parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnDisableClicked();
    void OnSaveClicked();
    void OnWordsClicked();
    void OnColumnChanged();
    void EnableColumn(bool enable);
    DECLARE_MESSAGE_MAP()

private:
    SettingsValues& settings_;
    bool clamping_ = false;
};

// Each action button posts its message to the owner and closes the dialog.
class COperationsDlg : public winui::CDialog {
public:
    explicit COperationsDlg(HWND parent);

protected:
    void OnAction(UINT id);
    DECLARE_MESSAGE_MAP()
};

class CTabSettingsDlg : public winui::CDialog {
public:
    explicit CTabSettingsDlg(HWND parent);

    BOOL OnInitDialog() override;
    void DoDataExchange(winui::CDataExchange* dx) override;

    int m_nSpaces = 0;
    int m_bSoftTabs = 0;
    int m_bReplaceAll = 0;
    int m_bShowTabs = 0;

protected:
    void OnSoftTabsClicked();
    DECLARE_MESSAGE_MAP()
};

// The document windows by path (or title); "Activate" names the window of
// the chosen entry in m_hChosen (null when none is chosen).
class CMoreWindowsDlg : public winui::CDialog {
public:
    struct Entry {
        std::string text;
        HWND window;
    };
    CMoreWindowsDlg(std::vector<Entry> entries, HWND parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    HWND m_hChosen = nullptr;

protected:
    void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<Entry> entries_;
};
