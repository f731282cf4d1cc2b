// Opening a file and showing a line of a document: the one way the tools'
// output, the source browser and the frame bring a document forward.
#pragma once

#include <string>

class COvantaDoc;

class IDocumentNavigator {
public:
    // The document of the file, opened or already open; null when it
    // cannot be opened.
    virtual COvantaDoc* OpenDocument(const std::string& path) = 0;
    // Brings the document's window forward (the windows keep their state;
    // only an iconic one comes back), gives its editor the keyboard and,
    // for a line above 0, puts the caret at the start of that 1-based line.
    virtual void ShowDocumentLine(COvantaDoc* doc, int line) = 0;

protected:
    ~IDocumentNavigator() = default;
};
