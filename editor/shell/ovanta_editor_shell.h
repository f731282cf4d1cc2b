// COvantaEditorShell: what the editor controls of Ovanta's views ask of the
// program around them, answered by the main frame, the documents and the
// application.
#pragma once

#include "editor/syntax/window/editor_shell.h"

class COvantaView;

class COvantaEditorShell : public CEditorShell {
public:
    HWND MainFrame() override;
    void SetStatusText(int pane, const std::string& text) override;
    void SetProgress(int percent) override;
    void ShowCaretPosition(int line, int column, int position) override;
    void EditorRefreshed(CNColorEditCtrl& editor) override;
    std::string DocumentTitle(CNColorEditCtrl& editor) override;
    void ShowProperties(CNColorEditCtrl& editor) override;
    void DirectoryChanged(const std::string& dir) override;
    std::string WorkspacePath() override;
    // Keyboard and text macros (the frame's recorder and "macro.txt").
    void RecordMacroEvent(intptr_t value, int extra, uint32_t kind) override;
    int TextMacroCount() override;
    bool GetTextMacro(int index, std::string& name, std::string& text) override;
    void ReloadTextMacros(CNColorEditCtrl& editor) override;
    // Bookmarks and the position history (the frame's bookmark bar and
    // history).
    bool HasBookmark(CNColorEditCtrl& editor, int line) override;
    void AddBookmark(CNColorEditCtrl& editor, int line, const std::string& name) override;
    void RemoveBookmark(CNColorEditCtrl& editor, int line) override;
    void RefreshBookmarks(CNColorEditCtrl& editor) override;
    bool TracksPositions(CNColorEditCtrl& editor) override;
    void SetPendingPosition(CNColorEditCtrl& editor, int topLine, int caretLine, int offset) override;
    void EditorActivated(CNColorEditCtrl& editor) override;
    // The source browser's maps.
    int LookupSymbols(const std::string& name, CSymbolHitLists& hits) override;
    bool AutoBrowserEnabled() override;
    LRESULT GoToDefinition(CNColorEditCtrl& from, const CSymbolHit& symbol) override;
    // The editor's "Search" command through the frame's find dialog.
    int PrepareSearch(const std::string& word) override;
    void PostSearch() override;
    // The output bar's panes (identifier tips fill "Tags").
    bool OutputBarVisible() override;
    void ShowAndClearPane(int pane) override;
    void AppendPaneLine(int pane, const std::string& line) override;
    // The wrap setting and the column commands' input.
    bool SaveLineWrap() override;
    bool AskLine(const std::string& caption, const std::string& label, std::string& text, int& keys) override;

    // The view that embeds the editor, or null.
    static COvantaView* ViewOf(CNColorEditCtrl& editor);
};
