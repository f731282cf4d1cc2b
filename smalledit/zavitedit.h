// TZavitEditFile: the window that holds one file, a rich edit control in
// plain text (read-only RTF for ".RTF" files) with the application's
// default font and tab stops every eight characters. It shows the caret's
// line and column in the status bar and a changed icon on its child
// window, reloads its file when it changed on disk, keeps a ".BAK" of the
// previous file at every save, refuses to save over a file another window
// shows, remembers its place and caret in the list of remembered files, and
// opens the file whose name is double-clicked in the text.
#pragma once

#include "smalledit/zavitsearch.h"
#include "winui/richedit.h"

#include <windows.h>

#include <string>

class TZavitMDIChild;
namespace winui {
class CCmdUI;
}

// A caret placement still to be done (the control may not have laid the
// text out yet); column or line 0: none.
struct PendingJump {
    int column = 0;
    int line = 0;
    int tries = 0;
};

class TZavitEditFile : public winui::CRichEditCtrl {
public:
    // name: the file to show, or empty for a new text.
    explicit TZavitEditFile(const std::string& name);
    ~TZavitEditFile() override;

    // Makes the control in the child window and runs the set-up.
    BOOL Create(HWND parent, UINT id);

    TZavitMDIChild* child = nullptr;
    bool fontPending = false;
    PendingJump pendingJump;

    const std::string& FileName() const { return fileName_; }
    bool IsRtf() const { return rtf_; }

    // Asks whether to save a changed text (or saves it without asking
    // during a quick exit) and remembers the window's place and caret.
    bool CanClose();
    // Writes the text to name, or with an empty name to the window's file;
    // the previous file becomes the backup. False when nothing was written.
    bool Write(const std::string& name = std::string());
    // Save: the window's file, or Save As without one. Save As asks for a name.
    bool Save();
    bool SaveAs();
    // Reads the window's file anew (the modified flag cleared).
    bool Reload();
    // Compares the file's time on disk with the one last read or written.
    void CheckDiskTime();
    void SetTabStops();
    // Streams the given file in, once the window stands at its size.
    void LoadText();
    void UpdateModifiedIcon();
    void UpdateCaretStatus();
    // The caret at the first character of a line (1-based), then column - 1
    // further.
    void GotoLineColumn(int line, int column);
    // The caret's 1-based line and column.
    void CaretPosition(int& line, int& column) const;
    void OpenNameUnderCaret();

    // Counters over all edit windows: how many exist, and that count just
    // after the last one was made.
    static int liveCount;
    static int creationCount;

protected:
    void OnSetFocus(HWND oldFocus);
    void OnKillFocus(HWND newFocus);
    void OnTimer(UINT_PTR id);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    void OnDestroy();

    void CmFileSave() { Save(); }
    void CmFileSaveAs() { SaveAs(); }
    void CmEditUndo() { Undo(); }
    void CmEditCut() { Cut(); }
    void CmEditCopy() { Copy(); }
    void CmEditPaste() { Paste(); }
    void CmEditDelete() { Clear(); }
    void CmEditClear();
    void CmEditFind() { search_.Find(); }
    void CmEditReplace() { search_.Replace(); }
    void CmEditFindNext() { search_.FindNext(); }
    LRESULT OnSearchReport(WPARAM, LPARAM lParam);
    void CeHasText(winui::CCmdUI* ui);
    void CeReplace(winui::CCmdUI* ui);
    void CeFindNext(winui::CCmdUI* ui);
    void CeEnabled(winui::CCmdUI* ui);
    void CeWritable(winui::CCmdUI* ui);
    void CeUndo(winui::CCmdUI* ui);
    void CeSelection(winui::CCmdUI* ui);

private:
    void SetUp();
    bool ReadFile(const std::string& name);
    TEXTMETRICA FontMetrics() const;
    // How much of a file's text streams in first (zavit_first_part for
    // the window's size and font).
    size_t FirstPart(const std::string& bytes) const;
    void ShowSaved();

    std::string givenName_;
    std::string fileName_;
    bool rtf_ = false;
    bool loadPending_ = false;
    bool lfOnly_ = false; // the file read had LF line ends: written with LF
    FILETIME fileTime_{};
    bool modifiedShown_ = false;
    UINT_PTR timer_ = 0;
    int shownColumn_ = 0, shownLine_ = 0;
    TZavitSearch search_{*this};

    DECLARE_MESSAGE_MAP()
};

// The last-write time of a file (opened with no access rights); 0 on
// success, -1 when it cannot be opened or read.
int GetFileWriteTime(const std::string& name, FILETIME* time);
