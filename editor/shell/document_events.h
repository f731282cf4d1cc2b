// What a document tells the main frame about its life: it opened, it is
// about to close, it closed, it was saved (perhaps under a new name), its
// window became the active one.
#pragma once

class COvantaDoc;

class IDocumentEvents {
public:
    virtual void DocumentOpened(COvantaDoc* doc) = 0;
    virtual void DocumentClosing(COvantaDoc* doc) = 0;
    virtual void DocumentClosed() = 0;
    virtual void DocumentSaved(COvantaDoc* doc) = 0;
    virtual void DocumentActivated(COvantaDoc* doc) = 0;

protected:
    ~IDocumentEvents() = default;
};
