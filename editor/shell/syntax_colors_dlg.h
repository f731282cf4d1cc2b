// CSyntaxColorsDlg: "Syntax Colors", where the user edits the syntax
// templates: one tab per template, its keyword entries in a colour-drawn
// list (CColorListBox), buttons to add, edit, delete and reorder entries, to
// create and delete templates, and the template's file associations.
//
// The dialog edits the process-wide g_SyntaxTemplates (and the profile) as
// it goes, so that a stored tab, a new and a deleted template take effect at
// once as the user expects them to. The dialog is one transaction:
// - "&Apply" keeps all of it (and stores the shown list into its template);
// - "Cancel" (and Escape, and the close box) undoes all of it: every
//   template is given back its keywords, associations and comment value,
//   the list gets back its templates in their order (a deleted template is
//   the same object again, so editors that used it go on using it), new
//   templates are dropped, and the profile sections the dialog wrote are
//   put back as they were.
// A template deleted in the dialog stays alive until the dialog has closed;
// editors hold weak references to their templates, so once "&Apply" closed
// the dialog those editors simply stop colouring with it.
#pragma once

#include "editor/shell/ini_syntax_profile.h"
#include "editor/shell/syntax_dialogs_res.h"
#include "editor/syntax/syntax_template.h"

#include "winui/common_controls.h"
#include "winui/controls.h"
#include "winui/dialog.h"
#include "winui/tooltip.h"

#include <string>
#include <utility>
#include <vector>

// The list of a template's entries: each item's data is the entry's value,
// -1 for an entry deleted but still listed.
class CColorListBox : public winui::CListBox {
public:
    int m_nLastHighlighted = 0;

    // "XXXXX" before the text of a deleted entry, and its colour.
    static const char kDeletedMark[];
    static const COLORREF kDeletedColor = 0xE0E0E0;
    // Left margin of the text in an item.
    static const int kTextIndent = 15;

    virtual void DrawItem(const DRAWITEMSTRUCT* dis);

protected:
    LRESULT OnReflectDrawItem(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CSyntaxColorsDlg : public winui::CDialog {
public:
    // profile: the program's INI file, where the templates are kept.
    explicit CSyntaxColorsDlg(const winui::CProfile& profile, HWND parent = nullptr);
    ~CSyntaxColorsDlg() override;

    CSyntaxTemplate* m_pCurrentTemplate = nullptr; // its tab is selected first
    winui::CTabCtrl m_tabTemplates;
    RECT m_rectInitial{0, 0, 0, 0};
    bool m_bLayoutMeasured = false;
    int m_nButtonOffset = 0;
    int m_nTabBottomGap = 0;
    int m_bModified = 0;
    CColorListBox m_listEntries;
    HBITMAP m_bmpDown = nullptr;
    HBITMAP m_bmpUp = nullptr;
    winui::CToolTipCtrl m_toolTip;

    // The active editor's background (white without an editor); an entry's
    // colour dialog may change it, and the caller then gives it to the editor.
    COLORREF m_clrEditorBackground = 0xFFFFFF;
    bool m_bEditorBackgroundChanged = false;
    // The main frame's background, kept as "BackColor" of the active syntax
    // when a tab's list is stored.
    COLORREF m_clrFrameBackground = 0xFFFFFF;

    // The template of the selected tab, null without tabs.
    CSyntaxTemplate* SelectedTemplate() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    void OnEditEntry();
    void OnNewEntry();
    void OnDeleteEntry();
    void OnEntryUp() { MoveEntry(-1); }
    void OnEntryDown() { MoveEntry(1); }
    void OnNewTemplate();
    void OnDeleteTemplate();
    void OnTabChanging(NMHDR*, LRESULT* result);
    void OnTabChanged(NMHDR*, LRESULT* result);
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void FillList(CSyntaxTemplate* tmpl);
    // The template's keywords, associations and comment value from the list.
    void RebuildFromList(CSyntaxTemplate& tmpl);
    void StoreList(CSyntaxTemplate& tmpl);
    void MoveEntry(int step);
    void EnableDeleteTemplate();
    void SetupToolTips();
    SyntaxTemplatePtr Shared(CSyntaxTemplate* tmpl) const;
    void TakeSnapshot();
    void Rollback();

    const winui::CProfile& profile_;
    CIniSyntaxProfile ini_;
    int lastCx_ = 0;
    int lastCy_ = 0;

    // What Cancel restores.
    using Section = std::vector<std::pair<std::string, std::string>>;
    struct SavedSection {
        std::string name;
        bool existed;
        Section keys;
    };
    std::vector<SyntaxTemplatePtr> savedList_;
    std::vector<CSyntaxTemplate> savedContents_;
    std::vector<SavedSection> savedSections_;
    std::vector<std::string> createdNames_;
    // Every template a tab has pointed to while the dialog is open.
    std::vector<SyntaxTemplatePtr> keepAlive_;
};
