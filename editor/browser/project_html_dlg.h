// CProjectHtmlDlg: "Build HTML-Project reference", the modal dialog in
// which the user picks the template (built-in or an own file), the options
// of the page and the open documents whose functions it lists. The caller
// presets the members, runs it and, after OK, reads them back.
#pragma once

#include <string>
#include <vector>

#include "winui/dialog.h"

class COvantaDoc;

class CProjectHtmlDlg : public winui::CDialog {
public:
    // One open document as the list shows it.
    struct Entry {
        COvantaDoc* document;
        std::string title; // as the frame shows it, perhaps with " *"
    };

    CProjectHtmlDlg(std::vector<Entry> documents, HWND parent = nullptr);

    int m_bOwnTemplate = 0;
    // The chosen documents in list order, after OK. Any number of them.
    std::vector<COvantaDoc*> m_documents;
    std::string m_strTemplate;
    int m_bAlphabetical = 0;
    int m_bMultipleCalls = 0;
    int m_bLineNumbers = 0;
    int m_bTakeAll = 0;
    int m_bIndentComments = 0;
    // The folder the file dialog starts in.
    std::string m_strDialogFolder;

    // The option word ("HtmlProjectFlags") from the members and back.
    unsigned OptionWord() const;
    void SetOptionWord(unsigned word);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(winui::CDataExchange* dx) override;

protected:
    void OnTemplateChoice();
    void OnBrowseTemplate();
    void OnTakeAll();

    DECLARE_MESSAGE_MAP()

private:
    // Runs the file dialog; true when a file was chosen.
    bool ChooseTemplate();
    std::vector<Entry> m_entries;
};

// A title as the list shows it: without the modified mark (the text from
// the byte before the last "*") and without what follows a CR.
std::string ListTitle(const std::string& title);
