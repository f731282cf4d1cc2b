// CEditorShell: what the syntax-aware editor control asks of the program
// around it (main frame, output bar, status bar, bookmark bar, macro
// recorder, position history, search dialog). The application implements
// it once and hands it to SetEditorShell; tests hand in a fake. The
// interface has no defaults: a program that forgets a member does not
// build. A control without a program around it gets CNeutralEditorShell.
//
// Symbol look-ups: the browser's worker fills the symbol maps while the
// user edits. LookupSymbols must copy the records of the name (with
// AppendSymbolHits, symbol_hits.h) while holding the lock that guards the
// maps, or answer from a snapshot the browser handed over; the control only
// ever sees the copies.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/editctl/output_panes.h"
#include "editor/symbols/symbol_hits.h"
#include "editor/syntax/window/macro_event_kinds.h"

class CNColorEditCtrl;

// Kinds of keyboard-macro events (RecordMacroEvent's kind word):
// macro_event_kinds.h.

// Panes of the output bar (COutputBar::ShowPane): output_panes.h.

class CEditorShell {
public:
    virtual ~CEditorShell() = default;

    // --- keyboard macros ------------------------------------------------
    // Appends an event to the macro being recorded; nothing when none is.
    virtual void RecordMacroEvent(intptr_t value, int extra, uint32_t kind) = 0;

    // --- source browser ---------------------------------------------------
    // The look-up of message 0x41F: appends one list of copies per symbol
    // map that holds the name (a name starting with "." is looked up
    // without it in the map of members only) and returns the number of
    // records copied; 0 when the browser does not exist.
    virtual int LookupSymbols(const std::string& name, CSymbolHitLists& hits) = 0;
    // The automatic source browser is on (bit 0x8000 of [TagConfig] "flags");
    // identifier tips need it.
    virtual bool AutoBrowserEnabled() = 0;

    // --- output bar -------------------------------------------------------
    // The output bar exists and is visible.
    virtual bool OutputBarVisible() = 0;
    // Brings the pane to the front (ShowPane) and empties it.
    virtual void ShowAndClearPane(int pane) = 0;
    // Appends one line to the pane (cut to 800 characters by the pane).
    virtual void AppendPaneLine(int pane, const std::string& line) = 0;

    // --- main frame and status bar --------------------------------------
    // The main frame window: finds (0x419), forwarded commands.
    virtual HWND MainFrame() = 0;
    // A text in a status-bar pane (0 messages, 2 line count, 4 "RO"/"RW").
    virtual void SetStatusText(int pane, const std::string& text) = 0;
    // The status bar's progress bar in percent (0 to 100); 0 when a long
    // operation ends.
    virtual void SetProgress(int percent) = 0;
    // The SaveLineWrap setting: soft breaks are saved as line breaks.
    virtual bool SaveLineWrap() = 0;
    // Line + 1, column + 1 and the text position of the caret.
    virtual void ShowCaretPosition(int line, int column, int position) = 0;
    // After a recolour: bookmark buttons and the frame's modified mark.
    virtual void EditorRefreshed(CNColorEditCtrl& editor) = 0;

    // --- document -----------------------------------------------------------
    // The document's title as the frame shows it (perhaps with " *").
    virtual std::string DocumentTitle(CNColorEditCtrl& editor) = 0;
    // The modal file properties dialog of the editor's document.
    virtual void ShowProperties(CNColorEditCtrl& editor) = 0;
    // The current directory changed to dir ("LastDir" and the titles).
    virtual void DirectoryChanged(const std::string& dir) = 0;

    // --- bookmarks ----------------------------------------------------------
    virtual bool HasBookmark(CNColorEditCtrl& editor, int line) = 0;
    virtual void AddBookmark(CNColorEditCtrl& editor, int line, const std::string& name) = 0;
    virtual void RemoveBookmark(CNColorEditCtrl& editor, int line) = 0;
    // Refreshes the bookmark bar's buttons for the editor (message 0x414).
    virtual void RefreshBookmarks(CNColorEditCtrl& editor) = 0;

    // --- text macros --------------------------------------------------------
    // The number of the main frame's text macros and one of them.
    virtual int TextMacroCount() = 0;
    virtual bool GetTextMacro(int index, std::string& name, std::string& text) = 0;
    // "Actualize Macros": the frame reads the text macros again.
    virtual void ReloadTextMacros(CNColorEditCtrl& editor) = 0;
    // The user and workspace names the text macro placeholders use.
    virtual std::string WorkspacePath() = 0;

    // --- input ----------------------------------------------------------------
    // The program's one-line input dialog with a caption, a label and the
    // text to start with; false when cancelled. keys gets the modifier bits
    // (KEYMOD_SHIFT, KEYMOD_ALT, KEYMOD_CTRL) held as it closed with OK.
    virtual bool AskLine(const std::string& caption, const std::string& label, std::string& text, int& keys) = 0;

    // --- search -------------------------------------------------------------
    // The "Search" command after the frame opened its search dialog: the
    // dialog takes the word (forced), the options take it as their text;
    // returns the direction bits (1 backward, 2 forward, 3 both), 0 when
    // there is no dialog. PostSearch then posts 0x419 with the options.
    virtual int PrepareSearch(const std::string& word) = 0;
    virtual void PostSearch() = 0;

    // --- go to definition and position history -----------------------------
    // Jumps to the symbol (open or activate its file, record the position
    // in the history, go to its first line, focus). The result of the
    // forwarded command, 0 when nothing was done.
    virtual LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol) = 0;
    // The control takes part in position tracking.
    virtual bool TracksPositions(CNColorEditCtrl& editor) = 0;
    // The focus left the control for another window: the frame's pending
    // position (first visible line, caret line, caret offset).
    virtual void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset) = 0;
    // The control took the focus: a pending position goes to the history
    // and is cleared; the control becomes the frame's active editor.
    virtual void EditorActivated(CNColorEditCtrl& editor) = 0;
};

// The shell of a control used without a program around it: nothing is
// recorded, shown or looked up, every question is cancelled.
class CNeutralEditorShell : public CEditorShell {
public:
    void RecordMacroEvent(intptr_t, int, uint32_t) override {}
    int LookupSymbols(const std::string&, CSymbolHitLists&) override { return 0; }
    bool AutoBrowserEnabled() override { return false; }
    bool OutputBarVisible() override { return false; }
    void ShowAndClearPane(int) override {}
    void AppendPaneLine(int, const std::string&) override {}
    HWND MainFrame() override { return nullptr; }
    void SetStatusText(int, const std::string&) override {}
    void SetProgress(int) override {}
    bool SaveLineWrap() override { return false; }
    void ShowCaretPosition(int, int, int) override {}
    void EditorRefreshed(CNColorEditCtrl&) override {}
    std::string DocumentTitle(CNColorEditCtrl&) override { return std::string(); }
    void ShowProperties(CNColorEditCtrl&) override {}
    void DirectoryChanged(const std::string&) override {}
    bool HasBookmark(CNColorEditCtrl&, int) override { return false; }
    void AddBookmark(CNColorEditCtrl&, int, const std::string&) override {}
    void RemoveBookmark(CNColorEditCtrl&, int) override {}
    void RefreshBookmarks(CNColorEditCtrl&) override {}
    int TextMacroCount() override { return 0; }
    bool GetTextMacro(int, std::string&, std::string&) override { return false; }
    void ReloadTextMacros(CNColorEditCtrl&) override {}
    std::string WorkspacePath() override { return std::string(); }
    bool AskLine(const std::string&, const std::string&, std::string&, int&) override { return false; }
    int PrepareSearch(const std::string&) override { return 0; }
    void PostSearch() override {}
    LRESULT GoToDefinition(CNColorEditCtrl&, const CSymbolHit&) override { return 0; }
    bool TracksPositions(CNColorEditCtrl&) override { return false; }
    void SetPendingPosition(CNColorEditCtrl&, int, int, int) override {}
    void EditorActivated(CNColorEditCtrl&) override {}
};

// The shell of the process (none: neutral answers).
void SetEditorShell(CEditorShell* shell);
CEditorShell& GetEditorShell();
