// TYanEditFile: the makefile view, a multi-line edit window that shows the
// current makefile read-only unless edit mode is on. It runs the make tool
// on the makefile (hidden, waiting for its end), then shows the tool's
// diagnostics file "error.out" in the same window; it fills the tool bar's
// target combo box from the tool's target report and sets the display font.
// As an edit-file window it loads and saves its file (through a temporary
// and a rename) and carries the clipboard commands.
#pragma once

#include "winui/controls.h"
#include "winui/findreplace.h"

#include "make/yantel/text_find.h"

#include <string>

class TYantelFrame;

const UINT YANTEL_VIEW_ID = 0xE900;

class TYanEditFile : public winui::CEdit {
public:
    explicit TYanEditFile(TYantelFrame* frame) : frame_(frame) {}

    // Makes the edit window (read-only, sunken edge) as the frame's client
    // and runs SetupWindow.
    BOOL Create(HWND parent);
    // Font from the application, title "<no makefile>".
    void SetupWindow();

    // The file shown; empty for a new makefile.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    bool EditMode() const { return editMode_; }
    bool NameChanged() const { return nameChanged_; }
    void SetEditMode(bool on);
    void SetNameChanged() { nameChanged_ = true; }

    // Replaces the text with the file's; false (with a message box) when
    // it cannot be read, the view then stays as it was.
    bool Read(const std::string& path);
    // Writes the text to the view's file; without a name it asks for one.
    bool Save();
    // Asks for a name and writes the text there.
    bool SaveAs();
    // When the text is modified: asks to save it. False for Cancel or a
    // save that failed; the text then stays.
    bool CanClear();
    // Asks to save changed text, then empties the view and forgets its file
    // name. False when the user cancelled.
    bool NewFile();

    // Enabled states of the commands, for menus and tool bar buttons.
    bool CanEditMode() const { return !fileName_.empty() || nameChanged_; }
    bool CanMake() const { return !fileName_.empty() && !editMode_; }
    bool Running() const { return running_; }

    // Lists the makefile's targets in the combo box (runs the tool with -t).
    void RefreshTargets();

    // Commands.
    void CmEditMode();
    void CmRemakeAll();
    void CmUpdateTarget();
    void CmFont();
    void CmFileSave();
    void CmFileSaveAs();
    void CmEditUndo();
    void CmEditCut();
    void CmEditCopy();
    void CmEditPaste();
    void CmEditDelete();
    void CmEditClear();
    // Search: Find and Next work on the read-only text too; Replace only
    // in edit mode. The dialogs are modeless; Next repeats the last search.
    void CmEditFind();
    void CmEditReplace();
    void CmEditFindNext();
    bool CanFindNext() const { return !lastFind_.empty(); }
    // The open Find or Replace dialog (m_hWnd null when none is open).
    winui::CFindReplaceDialog& SearchDialog() { return search_; }

    // Sets the text as the view shows it (line ends made CR LF) and marks
    // it unmodified.
    void SetViewText(const std::string& fileText);
    // The text as it is written to the file (CR LF line ends).
    std::string GetViewText() const;
    bool HasSelection() const;

    // The run's pieces.
    void RunMake(const char* option);
    int RunProcess(const std::string& commandLine);

    // Searches for the last search text from the selection on and selects
    // the match; a box says when there is none. False when nothing was found.
    bool FindNext();

private:
    LRESULT OnSearchMessage(WPARAM, LPARAM);
    void OpenSearchDialog(bool findOnly);
    // The search's text and options from the open dialog.
    void TakeSearchFromDialog();
    void ReplaceCurrent();
    void ReplaceAll();
    void NotFound() const;
    std::string ViewTextAsShown() const;

    winui::CFindReplaceDialog search_;
    std::string lastFind_;
    std::string lastReplace_;
    text_find_options findOptions_;

    TYantelFrame* frame_;
    std::string fileName_;
    bool editMode_ = false;
    bool nameChanged_ = false;
    // Saved (File > Save or Save As) since edit mode was switched on: the
    // targets are read again when it is switched off.
    bool savedWhileEditing_ = false;
    bool running_ = false;

    DECLARE_MESSAGE_MAP()
};
