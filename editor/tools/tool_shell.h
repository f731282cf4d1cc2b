// CToolShell: what the output window and the tool runs need of the editor's
// shell (its application, main frame, documents and views). The shell
// implements it; the tests fake it.
#pragma once

#include <string>
#include <vector>

class CColorEdit;

class CToolShell {
public:
    virtual ~CToolShell() = default;

    // The paths of the open documents in the document template's order
    // (an untitled document has an empty path).
    virtual std::vector<std::string> DocumentPaths() = 0;
    // The edit control of the document's current view (else its first
    // view); null when it has none.
    virtual CColorEdit* DocumentEditor(int index) = 0;
    // The document of the active child frame; -1 when no document window
    // is open.
    virtual int ActiveDocument() = 0;
    // Opens the file, or activates it when it is open already; the index of
    // its document, or -1 (the shell has reported why).
    virtual int OpenDocument(const std::string& path) = 0;
    // Activates the document's child frame (maximised when the setting
    // "OpenMaximized" is on) and moves its view to the 1-based line (the
    // view's message 0x41A).
    virtual void ShowDocumentLine(int index, int line) = 0;
    // Writes the caret's line and column (both 1-based) into the status bar.
    virtual void UpdateStatusBar(int line, int column, int offset) = 0;

    // The message format name of the current tool ("Compiler").
    virtual std::string CurrentToolFormat() = 0;
    // The text with "$FILE", "$PATH", ... replaced for the active document.
    virtual std::string ExpandToolMacros(const std::string& text) = 0;
    // The path of the profile the settings go to: "ovanta.ini" beside the
    // program, or the open workspace file.
    virtual std::string ProfilePath() = 0;
};
