// The modeless Search & Replace dialog: the Search dialog's request and
// message, with a replacement text and the mode "Replace in all open
// Files". It builds requests of scope 8 (replace, then find the next), 16
// (replace all in the active document) and 512 (replace all in all open
// documents); the main frame carries them out and returns the number of
// replacements.
#pragma once

#include "editor/tools/search_dlg.h"

class CSearchReplaceDlg : public CSearchDlg {
public:
    CSearchReplaceDlg();

    BOOL Create(const char* text, UINT message, HWND owner) override;
    void SetComboFont(HFONT font) override;
    void SetOptions(uint32_t flags) override;

    BOOL m_bAllOpenFiles = FALSE;
    CSearchCombo m_cbReplace;
    std::string m_strReplace;

protected:
    void ApplyModeRule() override;

    void OnReplace();
    void OnReplaceAll();
    void OnAllOpenFiles() { ApplyModeRule(); }
    void OnMatchCase();
    void OnKeepCase();
    LRESULT OnEnterInCombo(WPARAM, LPARAM);

    // Direction from "Up"/"Down", whole words, case, keep case.
    uint32_t CommonFlags() const;
    // Text and expanded replacement into the request; both combos' lists.
    void TakeTexts(bool addSearchText);

    DECLARE_MESSAGE_MAP()
};
