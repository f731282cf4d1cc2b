// TZavitSearch: Find, Replace and Find Next of one edit window. The common
// Find and Replace dialogs are modeless and owned by the edit window, which
// hands their reports (the registered FINDMSGSTRINGA message) to Report;
// the search itself is the rich edit control's (EM_FINDTEXTEX), so that it
// stays quick on large files. The texts and options last used stay with
// the window for Find Next.
#pragma once

#include "winui/findreplace.h"
#include "winui/richedit.h"

#include <string>

class TZavitSearch {
public:
    explicit TZavitSearch(winui::CRichEditCtrl& edit) : edit_(edit) {}
    ~TZavitSearch();
    TZavitSearch(const TZavitSearch&) = delete;
    TZavitSearch& operator=(const TZavitSearch&) = delete;

    // Opens the Find or the Replace dialog (or brings the open one up).
    void Find();
    void Replace();
    // Searches again with the last text; without one, opens Find.
    void FindNext();
    bool HasText() const { return !what_.empty(); }
    // A report of the dialog; false when it is not this window's dialog.
    bool Report(LPARAM lParam);
    // Closes an open dialog (the window goes, or becomes read-only).
    void Close();
    HWND Dialog() const { return dialog_.m_hWnd; }

private:
    void Open(bool findOnly);
    // Selects the next match; says so in a box when there is none.
    bool SearchOnce();
    bool SelectionMatches() const;
    void ReplaceCurrent();
    void ReplaceAll();
    void NotFound() const;
    void StopFilter();

    winui::CRichEditCtrl& edit_;
    winui::CFindReplaceDialog dialog_;
    std::string what_, with_;
    DWORD flags_ = FR_DOWN;
    int filter_ = -1;
};
