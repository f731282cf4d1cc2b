// CEditorShell: what the syntax-aware editor control asks of the program
// around it (main frame, output bar, status bar, bookmark bar, macro
// recorder, position history, search dialog). The application implements
// it once and hands it to SetEditorShell; tests hand in a fake. Every
// member has a neutral default, so a control without a shell still edits.
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
#include "editor/syntax/symbol_hits.h"

class CNColorEditCtrl;

// Kinds of keyboard-macro events (RecordMacroEvent's kind word).
const uint32_t kMacroKey = 0;              // typed character, modifier bits as extra
const uint32_t kMacroKeyDown = 0x8000;     // key press, modifier bits as extra
const uint32_t kMacroNumber = 0x10000000;
const uint32_t kMacroText = 0x20000000;
const uint32_t kMacroCommand = 0x80000000; // command id
const uint32_t kMacroCommandFlags = 0xC0000000;

// Panes of the output bar (COutputBar::ShowPane): output_panes.h.

class CEditorShell {
public:
    virtual ~CEditorShell() = default;

    // --- keyboard macros ------------------------------------------------
    // Appends an event to the macro being recorded; nothing when none is.
    virtual void RecordMacroEvent(intptr_t value, int extra, uint32_t kind) {}

    // --- source browser ---------------------------------------------------
    // The look-up of message 0x41F: appends one list of copies per symbol
    // map that holds the name (a name starting with "." is looked up
    // without it in the map of members only) and returns the number of
    // records copied; 0 when the browser does not exist.
    virtual int LookupSymbols(const std::string& name, CSymbolHitLists& hits) { return 0; }
    // The automatic source browser is on (bit 0x8000 of [TagConfig] "flags");
    // identifier tips need it.
    virtual bool AutoBrowserEnabled() { return false; }

    // --- output bar -------------------------------------------------------
    // The output bar exists and is visible.
    virtual bool OutputBarVisible() { return false; }
    // Brings the pane to the front (ShowPane) and empties it.
    virtual void ShowAndClearPane(int pane) {}
    // Appends one line to the pane (cut to 800 characters by the pane).
    virtual void AppendPaneLine(int pane, const std::string& line) {}

    // --- main frame and status bar --------------------------------------
    // The main frame window: finds (0x419), forwarded commands.
    virtual HWND MainFrame() { return nullptr; }
    // A text in a status-bar pane (0 messages, 2 line count, 4 "RO"/"RW").
    virtual void SetStatusText(int pane, const std::string& text) {}
    // The status bar's progress bar in percent (0 to 100); 0 when a long
    // operation ends.
    virtual void SetProgress(int percent) {}
    // Line + 1, column + 1 and the text position of the caret.
    virtual void ShowCaretPosition(int line, int column, int position) {}
    // After a recolour: bookmark buttons and the frame's modified mark.
    virtual void EditorRefreshed(CNColorEditCtrl& editor) {}

    // --- document -----------------------------------------------------------
    // The document's title as the frame shows it (perhaps with " *").
    virtual std::string DocumentTitle(CNColorEditCtrl& editor) { return std::string(); }
    // The modal file properties dialog of the editor's document.
    virtual void ShowProperties(CNColorEditCtrl& editor) {}
    // The current directory changed to dir ("LastDir" and the titles).
    virtual void DirectoryChanged(const std::string& dir) {}

    // --- bookmarks ----------------------------------------------------------
    virtual bool HasBookmark(CNColorEditCtrl& editor, int line) { return false; }
    virtual void AddBookmark(CNColorEditCtrl& editor, int line, const std::string& name) {}
    virtual void RemoveBookmark(CNColorEditCtrl& editor, int line) {}
    // Refreshes the bookmark bar's buttons for the editor (message 0x414).
    virtual void RefreshBookmarks(CNColorEditCtrl& editor) {}

    // --- text macros --------------------------------------------------------
    // The number of the main frame's text macros and one of them.
    virtual int TextMacroCount() { return 0; }
    virtual bool GetTextMacro(int index, std::string& name, std::string& text) { return false; }
    // "Actualize Macros": the frame reads the text macros again.
    virtual void ReloadTextMacros(CNColorEditCtrl& editor) {}
    // The user and workspace names the text macro placeholders use.
    virtual std::string WorkspacePath() { return std::string(); }

    // --- input ----------------------------------------------------------------
    // The program's one-line input dialog with a caption, a label and the
    // text to start with; false when cancelled. keys gets the modifier bits
    // (KEYMOD_SHIFT, KEYMOD_ALT, KEYMOD_CTRL) held as it closed with OK.
    virtual bool AskLine(const std::string& caption, const std::string& label, std::string& text, int& keys)
    {
        return false;
    }

    // --- search -------------------------------------------------------------
    // The "Search" command after the frame opened its search dialog: the
    // dialog takes the word (forced), the options take it as their text;
    // returns the direction bits (1 backward, 2 forward, 3 both), 0 when
    // there is no dialog. PostSearch then posts 0x419 with the options.
    virtual int PrepareSearch(const std::string& word) { return 0; }
    virtual void PostSearch() {}

    // --- go to definition and position history -----------------------------
    // Jumps to the symbol (open or activate its file, record the position
    // in the history, go to its first line, focus). The result of the
    // forwarded command, 0 when nothing was done.
    virtual LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol) { return 0; }
    // The control takes part in position tracking.
    virtual bool TracksPositions(CNColorEditCtrl& editor) { return false; }
    // The focus left the control for another window: the frame's pending
    // position (first visible line, caret line, caret offset).
    virtual void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset) {}
    // The control took the focus: a pending position goes to the history
    // and is cleared; the control becomes the frame's active editor.
    virtual void EditorActivated(CNColorEditCtrl& editor) {}
};

// The shell of the process (none: neutral answers).
void SetEditorShell(CEditorShell* shell);
CEditorShell& GetEditorShell();
