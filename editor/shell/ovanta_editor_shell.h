// COvantaEditorShell: what the editor controls of Ovanta's views ask of the
// program around them, answered by the main frame, the documents and the
// application. Parts of the program that are not built yet (bookmarks,
// macros, the browser, the output bar) keep the neutral answers.
#pragma once

#include "editor/syntax/window/editor_shell.h"

class COvantaView;

class COvantaEditorShell : public CEditorShell {
public:
    HWND MainFrame() override;
    void SetStatusText(int pane, const std::string& text) override;
    void ShowCaretPosition(int line, int column, int position) override;
    void EditorRefreshed(CNColorEditCtrl& editor) override;
    std::string DocumentTitle(CNColorEditCtrl& editor) override;
    void DirectoryChanged(const std::string& dir) override;
    std::string WorkspacePath() override;

    // The view that embeds the editor, or null.
    static COvantaView* ViewOf(CNColorEditCtrl& editor);
};
